#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalSpy>
#include <QWindow>
#include <QtTest>

#include "tests/ui/own_settings.h"
#include "tests/ui/layout_checks.h"
#include "ui/interpretation_form.h"
#include "ui/result_form.h"
#include "ui/web_links.h"
#include "app/birth_zone.h"
#include "app/chart_calculation.h"
#include "tests/app/sample_birth.h"

using namespace corvane;

namespace {

// A hand-made chart: Sun and Mercury in Aries, a retrograde Saturn in Capricorn, AL in Leo, PL
// in Taurus (the bare lines of the other padas and UL in Pisces).
Chart FirstChart() {
  Chart chart;
  ChartBirth& b = chart.birth;
  b.name = "First Person", b.monthIndex = 0, b.day = 5, b.year = 1975, b.hour = 7, b.minute = 5;
  b.latitude = {28, 36, true}, b.longitude = {77, 12, true};
  b.city = "New Delhi", b.state = "Delhi", b.country = "India";
  chart.lagnas.bodySigns.fill(-1);
  for (int body = 0; body < kBodyCount; ++body) chart.positions.longitudeDeg[body] = 10 + body + 5.5 / 60;  // "1b Ari 05"
  chart.lagnas.bodySigns[kSun] = chart.lagnas.bodySigns[kMercury] = 0;
  chart.lagnas.bodySigns[kSaturn] = 9;
  chart.retrograde[kSaturn] = true;
  chart.lagnas.lagnas[kAL] = {true, 4, std::nullopt};
  chart.lagnas.lagnas[kPL] = {true, 1, std::nullopt};  // Taurus: Vaisya
  chart.lagnas.lagnas[kUL] = {true, 11, std::nullopt};
  chart.lagnas.padas.padaSign.fill(11);
  chart.lagnas.lagnas[kHL].sign = 0;  // Aries: Kshatriya
  chart.lagnas.pranapadaHouse = 5;
  return chart;
}

Chart SecondChart() {
  Chart chart;
  chart.birth.name = "Second";
  chart.lagnas.bodySigns.fill(-1);
  chart.lagnas.bodySigns[kMoon] = 6;
  chart.lagnas.lagnas[kGL] = {true, 2, std::nullopt};
  for (int body = 0; body < kBodyCount; ++body) chart.positions.longitudeDeg[body] = 182 + 44.5 / 60;  // "02 Lib 44"
  return chart;
}

QLabel* Label(ResultForm& form, const char* name) {
  auto* label = form.findChild<QLabel*>(name);
  if (label == nullptr) qFatal("missing label %s", name);
  return label;
}

// True when the label's text fits its scroll area's viewport without scrolling.
bool ShownWhole(QLabel* label) {
  auto* area = qobject_cast<QScrollArea*>(label->parentWidget()->parentWidget());
  if (area == nullptr) return false;
  const QSize room = area->viewport()->size();
  QRect needed = QFontMetrics(label->font()).boundingRect(QRect(0, 0, room.width(), 100000),
                                                          Qt::AlignLeft | Qt::TextWordWrap, label->text());
  return needed.height() <= room.height() && needed.width() <= room.width();
}

}  // namespace

class ResultFormTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { corvane::testing::ForgetKeptSettings(); }
  void cleanup() { DestroyLagnaForms(); }

  void formHasItsControls() {
    ResultForm form;
    QCOMPARE(form.objectName(), QString("frmDisplay"));
    QCOMPARE(form.windowTitle(), QString("Corvane v1.25"));
    QCOMPARE(form.minimumSize(), QSize(973, 574));  // 14595 x 8610 twips, its smallest
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.size(), QSize(973, 574));
    QCOMPARE(form.findChild<QGroupBox*>("fraBirthchart")->title(), QString("Hora"));
    QCOMPARE(form.findChild<QGroupBox*>("fraDetails")->title(), QString("Your Details"));
    QCOMPARE(form.findChild<QGroupBox*>("fraWestern")->title(), QString("Vedic Planetary Position"));
    for (auto [name, text] : {std::pair{"Label8_12", "Ascendant "}, {"Label8_8", "PpL-Pranapada Lagna"},
                              {"PlanetName_16", "Asc/Lagna"}, {"Hno_0", "1"}, {"Hno_11", "12"}})
      QCOMPARE(Label(form, name)->text(), QString(text));
    QCOMPARE(Label(form, "Label8_8")->property("index").toInt(), 8);
    QVERIFY(form.findChild<QLabel*>("lblSagattarius") != nullptr);
    // Fixed places: Pisces top left, Aries right of it, Virgo bottom right, Sagittarius bottom left.
    auto boxOf = [&](int sign) { return form.findChild<QWidget*>(QString("shpHora_%1").arg(sign))->geometry(); };
    QVERIFY(boxOf(11).left() < boxOf(0).left());
    QCOMPARE(boxOf(11).top(), boxOf(0).top());
    QCOMPARE(boxOf(5).right(), boxOf(2).right());
    QVERIFY(boxOf(5).top() > boxOf(2).top());
    QCOMPARE(boxOf(8).left(), boxOf(11).left());
    QCOMPARE(boxOf(8).top(), boxOf(5).top());
  }

  void chartBoxesShowBodiesAndMarks() {
    ResultForm form;
    form.showChart(FirstChart());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (auto [name, text] : {std::pair{"lblAries", "Sun\nMercury"}, {"lblCapricorn", "Saturn (R) "}, {"lblTaurus", ""},
                              {"lblArudha_4", "AL"}, {"lblArudha_1", "PL"}, {"lblTOB", "07:05:00"}, {"lblName", "First Person"}, {"lblDOB", "January/5/1975"},
                              {"lblLatitude", "28° 36' N"}, {"planet_9", "19 Ari 05"}})
      QCOMPARE(Label(form, name)->text(), QString(text));
    QVERIFY(ShownWhole(Label(form, "lblAries")));
  }

  // The clock of a doubled hour, the longest the window shows, stays at a readable size
  // (three lines rather than a smaller type) and is seen whole: its label holds every line
  // at its own size.
  void doubledHourClockStaysReadable() {
    BirthData birth = corvane::testing::DelhiBirth();
    birth.year = 2021, birth.monthIndex = 9, birth.day = 31, birth.hour = 2, birth.minute = 30, birth.second = 15;
    QVERIFY(!SetBirthZone("Europe/Berlin", RepeatedTimeChoice::kLater, birth));
    const CalculationResult result = CalculateChart(birth);
    QVERIFY(result.ok());
    ResultForm form;
    form.showChart(result.chart());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QLabel* clock = Label(form, "lblClock");
    QVERIFY2(clock->text().contains(QStringLiteral("later of the doubled hour")), qPrintable(clock->text()));
    // The other details are at 8 points; 7 is the least that reads at 1x.
    QVERIFY2(clock->font().pointSizeF() >= 7.0, qPrintable(QString::number(clock->font().pointSizeF())));
    const QFontMetrics metrics(clock->font());
    const QRect needed = metrics.boundingRect(QRect(0, 0, clock->width(), 100000), Qt::TextWordWrap, clock->text());
    QVERIFY2(needed.height() <= clock->height(), qPrintable(QString("%1 > %2").arg(needed.height()).arg(clock->height())));
  }

  void secondChartLeavesNothingOfTheFirst() {
    ResultForm form;
    form.showChart(FirstChart());
    form.showChart(SecondChart());
    for (QLabel* label : form.findChild<QGroupBox*>("frmSpecialLagnaChart")->findChildren<QLabel*>()) {
      const QString name = label->objectName();
      if (!name.startsWith("lbl") || name.startsWith("lblDetailCaption")) continue;  // fixed captions
      for (const char* old : {"Sun", "Mercury", "Saturn", "AL", "PL", "First", "Delhi", "Ari 05"})
        QVERIFY2(!label->text().contains(old), qPrintable(label->objectName() + ": " + label->text()));
    }
    QCOMPARE(Label(form, "lblLibra")->text(), QString("Moon"));
    QCOMPARE(Label(form, "lblArudha_2")->text(), QString("GL"));
    QCOMPARE(Label(form, "lblCity")->text(), QString());
  }

  void crowdedSignShowsEveryEntry() {
    ResultForm form;
    Chart chart;  // every body and every lagna in Cancer, five planets retrograde
    chart.lagnas.bodySigns.fill(3);
    for (int body : {kMercury, kVenus, kMars, kJupiter, kSaturn}) chart.retrograde[body] = true;
    for (LagnaPosition& lagna : chart.lagnas.lagnas) lagna = {true, 3, std::nullopt};
    chart.lagnas.padas.padaSign.fill(3);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.showChart(chart);
    QLabel* bodies = Label(form, "lblCancer");
    QCOMPARE(bodies->text().split('\n').size(), 10);
    QVERIFY(bodies->text().contains("Jupiter (R)"));
    QVERIFY(ShownWhole(bodies));
    QLabel* marks = Label(form, "lblArudha_3");
    const QString shown = marks->text();
    for (const char* mark : {"AL", "PL", "GL", "HL", "BL", "IL", "VL", "CL", "SL", "SrL", "PpL", "UL"})
      QVERIFY2(shown.split(QRegularExpression("\\s+")).contains(mark), mark);
    QVERIFY(ShownWhole(marks));
  }

  void lagnaClickOpensMatchingPage() {
    ResultForm form;
    form.openLagnaPage(13);  // no such page: nothing opens
    form.openLagnaPage(-1);
    QVERIFY(ExistingLagnaForm(LagnaFormKind::kOne) == nullptr && ExistingLagnaForm(LagnaFormKind::kTwo) == nullptr);
    form.showChart(FirstChart());
    form.show();
    QSignalSpy clicks(&form, &ResultForm::lagnaClicked);

    QTest::mouseClick(Label(form, "Label8_12"), Qt::LeftButton);
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(clicks.at(0).at(0).toInt(), 12);
    InterpretationForm* two = ExistingLagnaForm(LagnaFormKind::kTwo);
    QVERIFY(two != nullptr && two->isVisible());
    QCOMPARE(two->currentPage(), 12);
    QVERIFY(ExistingLagnaForm(LagnaFormKind::kOne) == nullptr);

    QTest::mouseClick(Label(form, "Label8_5"), Qt::LeftButton);
    InterpretationForm* one = ExistingLagnaForm(LagnaFormKind::kOne);
    QVERIFY(one != nullptr && one->isVisible());
    QCOMPARE(one->currentPage(), 5);
    QCOMPARE(two->currentPage(), 12);  // the other form keeps its page

    QTest::mouseClick(Label(form, "Label8_2"), Qt::LeftButton);
    QTest::mouseClick(Label(form, "Label8_1"), Qt::LeftButton);
    QCOMPARE(ExistingLagnaForm(LagnaFormKind::kOne), one);  // created once
    QCOMPARE(one->currentPage(), 1);
    QCOMPARE(clicks.size(), 4);

    // A replaced opener takes over from the default.
    QList<int> opened;
    form.setLagnaPageOpener([&](int index) { opened << index; });
    QTest::mouseClick(Label(form, "Label8_0"), Qt::LeftButton);
    QCOMPARE(opened, QList<int>{0});
    QCOMPARE(one->currentPage(), 1);
  }

  void clickFillsFromCurrentChart() {
    ResultForm form;
    form.showChart(FirstChart());
    form.openLagnaPage(2);
    InterpretationForm* one = ExistingLagnaForm(LagnaFormKind::kOne);
    QCOMPARE(one->findChild<QLabel*>("lblCasteHL")->text(), QString("Kshatriya"));

    // A new chart refills the open form at once.
    Chart next = FirstChart();
    next.lagnas.lagnas[kHL].sign = 2;  // Gemini: Sudra
    form.showChart(next);
    QCOMPARE(one->findChild<QLabel*>("lblCasteHL")->text(), QString("Sudra"));

    // With a provider the page shows the provider's chart.
    Chart provided = FirstChart();
    provided.lagnas.lagnas[kPL].sign = 3;  // Cancer: Brahmana
    form.setChartProvider([&] { return &provided; });
    form.openLagnaPage(8);
    InterpretationForm* two = ExistingLagnaForm(LagnaFormKind::kTwo);
    QCOMPARE(two->findChild<QLabel*>("lblCastePL")->text(), QString("Brahmana"));
    QCOMPARE(two->findChild<QLabel*>("Label8_108")->text(), QString("Pranapada Lagna Present In 5 House"));
  }

  void openedFormStaysOnScreen() {
    ResultForm form;
    form.showChart(FirstChart());
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    form.move(available.right() - 50, available.bottom() - 50);
    form.show();
    form.openLagnaPage(0);
    InterpretationForm* one = ExistingLagnaForm(LagnaFormKind::kOne);
    QVERIFY2(available.contains(one->frameGeometry()),
             qPrintable(QString("%1,%2 %3x%4 min %5x%6 frame %7x%8").arg(one->x()).arg(one->y()).arg(one->width()).arg(one->height()).arg(one->minimumHeight()).arg(one->minimumSizeHint().height()).arg(one->frameGeometry().width()).arg(one->frameGeometry().height())));

    // Where there is room the window sits 100 twips below the chart frame's top; the offscreen
    // screen is too narrow for the 350 twips to the right, so only the top is exact here.
    form.move(available.topLeft());
    form.openLagnaPage(1);
    const QPoint corner = form.chartFrame()->mapToGlobal(QPoint(0, 0));
    QCOMPARE(one->pos().y(), corner.y() + 7);
    QVERIFY(available.contains(one->frameGeometry()));
  }

  void linkLabelsOpenHomePage() {
    QStringList opened;
    SetWebPageOpenerForTesting([&](const QString& url) {
      opened << url;
      return true;
    });
    ResultForm form;
    form.show();
    QTest::mouseClick(Label(form, "Label5"), Qt::LeftButton);
    QTest::mouseClick(Label(form, "Label7"), Qt::LeftButton);
    QTest::mouseClick(Label(form, "lblName"), Qt::LeftButton);  // not a link
    SetWebPageOpenerForTesting(nullptr);
    QCOMPARE(opened, (QStringList{HomePageUrl(), HomePageUrl()}));
  }

  // The lagna list is one Tab stop that shows its focus; the arrows walk it in its order,
  // Enter and Space open the page, and the links open from the keyboard too.
  void keyboardReachesEverythingTheMouseDoes() {
    ResultForm form;
    form.showChart(FirstChart());
    QList<int> opened;
    form.setLagnaPageOpener([&](int index) { opened << index; });
    QStringList links;
    SetWebPageOpenerForTesting([&](const QString& url) {
      links << url;
      return true;
    });
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    QTRY_VERIFY(form.isActiveWindow());

    // Tab walks: the varga chooser, the list (once), the button, the two links, and round again.
    QStringList stops;
    Label(form, "Label7")->setFocus();
    for (int i = 0; i < 6; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      stops << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(stops, (QStringList{"cboVarga", "Label8_0", "cmdShowChart", "Label5", "Label7", "cboVarga"}));

    // The focused entry looks different from the same entry without the focus.
    QLabel* first = Label(form, "Label8_0");
    first->setFocus();
    const QImage focused = first->grab().toImage();
    Label(form, "Label5")->setFocus();
    QVERIFY(first->grab().toImage() != focused);
    first->setFocus();

    const QList<int> listOrder = {0, 1, 2, 3, 4, 5, 6, 11, 9, 10, 8, 7, 12};
    QList<int> walked{first->property("index").toInt()};
    for (int i = 0; i < 14; ++i) {  // one more than the list: the last entry stays
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
      if (QApplication::focusWidget()->property("index").toInt() != walked.last())
        walked << QApplication::focusWidget()->property("index").toInt();
    }
    QCOMPARE(walked, listOrder);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
    QCOMPARE(QApplication::focusWidget(), first);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), first);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QCOMPARE(opened, (QList<int>{2, 12, 7}));

    // The entry last visited is where Tab comes back to.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("cmdShowChart"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("Label8_7"));

    for (const char* link : {"Label5", "Label7"}) {
      Label(form, link)->setFocus();
      QTest::keyClick(Label(form, link), Qt::Key_Return);
    }
    QCOMPARE(links, (QStringList{HomePageUrl(), HomePageUrl()}));
    SetWebPageOpenerForTesting(nullptr);

    // Every control that answers the mouse takes the keyboard focus.
    for (QWidget* w : form.findChildren<QWidget*>()) {
      const bool clickable = qobject_cast<QPushButton*>(w) != nullptr || qobject_cast<QComboBox*>(w) != nullptr ||
                             w->property("opensHomePage").toBool() || w->objectName().startsWith("Label8_");
      if (clickable) QVERIFY2(w->focusPolicy() & Qt::ClickFocus, qPrintable(w->objectName()));
      if (!clickable && w->isVisible()) QVERIFY2(!(w->focusPolicy() & Qt::TabFocus), qPrintable(w->objectName()));
    }
  }

  // Given more room the chart and the list grow with the window; at the smallest size every
  // caption and entry shows whole.
  void chartGrowsWithTheWindow() {
    ResultForm form;
    form.showChart(FirstChart());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto box = [&](int sign) { return form.findChild<QWidget*>(QString("shpHora_%1").arg(sign)); };
    const QSize small = box(0)->size();
    const int listHeight = form.findChild<QWidget*>("Frame2")->height();
    const double smallFont = Label(form, "lblAries")->font().pointSizeF();
    QCOMPARE(smallFont, 8.0);
    corvane::testing::CheckNothingClipped(&form);

    form.resize(1500, 1000);
    QTRY_VERIFY(box(0)->width() > small.width() * 3 / 2);
    QVERIFY(box(0)->height() > small.height() * 3 / 2);
    QVERIFY(form.findChild<QWidget*>("Frame2")->height() > listHeight + 300);
    QVERIFY(Label(form, "lblAries")->font().pointSizeF() > smallFont);
    QVERIFY(ShownWhole(Label(form, "lblAries")));
    // The boxes still share their edges: the chart's grid has no gaps or overlaps beyond the line.
    QCOMPARE(box(0)->geometry().right(), box(1)->geometry().left());
    QCOMPARE(box(11)->geometry().bottom(), box(10)->geometry().top());
  }

  // A page opens above the result window, and a page of the other form opened after it
  // stands a step down and to the right instead of covering it exactly.
  void pagesStayAboveAndCascade() {
    ResultForm form;
    form.showChart(FirstChart());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.move(QGuiApplication::primaryScreen()->availableGeometry().topLeft());
    form.openLagnaPage(2);
    InterpretationForm* one = ExistingLagnaForm(LagnaFormKind::kOne);
    QCOMPARE(one->windowHandle()->transientParent(), form.windowHandle());
    form.openLagnaPage(12);
    InterpretationForm* two = ExistingLagnaForm(LagnaFormKind::kTwo);
    QCOMPARE(two->windowHandle()->transientParent(), form.windowHandle());
    QVERIFY(two->pos() != one->pos());
    QCOMPARE(two->y(), one->y() + 30);
    // Reopening the first form's page keeps both apart as well.
    form.openLagnaPage(3);
    QVERIFY(one->pos() != two->pos());
    QCOMPARE(one->windowTitle(), QString("Corvane v1.25 - Ghati Lagna - First Person"));
  }

  void showChartButtonRaisesChart() {
    ResultForm form;
    QWidget* chart = form.chartFrame();
    QWidget* list = form.findChild<QWidget*>("Frame2");
    list->raise();
    auto topmost = [&] {
      QWidget* last = nullptr;
      for (QObject* child : form.children())
        if (child == chart || child == list) last = static_cast<QWidget*>(child);
      return last;
    };
    QCOMPARE(topmost(), list);
    QTest::mouseClick(form.findChild<QPushButton*>("cmdShowChart"), Qt::LeftButton);
    QCOMPARE(topmost(), chart);
    list->raise();
    form.showChart(SecondChart());
    QCOMPARE(topmost(), chart);
  }
};

QTEST_MAIN(ResultFormTest)
#include "test_result_form.moc"
