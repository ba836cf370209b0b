// The varga chooser of the result window and the Vargas window: they show what the command
// line's JSON gives for 50 births, step from the keyboard, and follow a time picked in the
// sweep.
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "app/chart_calculation.h"
#include "app/chart_vargas.h"
#include "app/display_texts.h"
#include "tests/app/sample_birth.h"
#include "tests/ui/own_settings.h"
#include "ui/frame_window.h"
#include "ui/interpretation_form.h"
#include "ui/result_form.h"
#include "ui/sweep_window.h"
#include "ui/vargas_window.h"

using namespace corvane;

namespace {

// Fifty births over a century and both hemispheres, every one with its command-line words.
struct Birth {
  BirthData data;
  QStringList options;
};
std::vector<Birth> FiftyBirths() {
  std::vector<Birth> out;
  for (int n = 0; n < 50; ++n) {
    Birth b;
    b.data = testing::DelhiBirth();
    b.data.year = 1920 + 2 * n;
    b.data.monthIndex = (n * 5) % 12;
    b.data.day = 1 + (n * 7) % 28;
    b.data.hour = (n * 11) % 24;
    b.data.minute = (n * 13) % 60;
    b.data.zonePosition = 29;
    b.data.lonDegrees = std::to_string((n * 37) % 180);
    b.data.east = n % 2 == 0;
    b.data.latDegrees = std::to_string((n * 17) % 60);
    b.data.south = n % 3 == 0;
    b.options = {"--name", "RAM", "--date", QString::asprintf("%04d-%02d-%02d", b.data.year, b.data.monthIndex + 1, b.data.day),
                 "--time", QString::asprintf("%02d:%02d", b.data.hour, b.data.minute), "--zone", "29",
                 "--lon", QString::asprintf("%s:13%s", b.data.lonDegrees.c_str(), b.data.east ? "E" : "W"),
                 "--lat", QString::asprintf("%s:36%s", b.data.latDegrees.c_str(), b.data.south ? "S" : "N"),
                 "--json", "--vargas"};
    out.push_back(std::move(b));
  }
  return out;
}

std::shared_ptr<const Chart> Calculated(const BirthData& data) {
  const CalculationResult result = CalculateChart(data);
  if (!result.ok()) qFatal("no chart");
  return std::get<0>(result.outcome);
}

// The bodies and marks a sign box of the result window lists, as it tells a screen reader.
QString BoxContent(ResultForm& form, int sign) {
  return form.findChild<QWidget*>(QString("shpHora_%1").arg(sign))->accessibleDescription();
}

}  // namespace

class VargasUiTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { corvane::testing::ForgetKeptSettings(); }
  void cleanup() { DestroyLagnaForms(); }

  void windowAgreesWithTheCommandLineOnFiftyBirths() {
    FrameWindow frame;
    for (const Birth& birth : FiftyBirths()) {
      QProcess cli;
      cli.start(QStringLiteral(CORVANE_CLI), birth.options);
      QVERIFY(cli.waitForFinished(30000));
      QCOMPARE(cli.exitCode(), 0);
      const QJsonObject vargas = QJsonDocument::fromJson(cli.readAllStandardOutput()).object()["vargas"].toObject();
      QCOMPARE(vargas.size(), kVargaCount);

      frame.showChart(Calculated(birth.data));
      VargasWindow* window = ShowVargasWindow(*Calculated(birth.data), &frame);
      QTableWidget* table = window->table();
      QCOMPARE(table->columnCount(), kVargaCount);
      QCOMPARE(table->rowCount(), kVargaEntryCount);
      QCOMPARE(table->horizontalHeaderItem(0)->text(), QString("D1"));
      QCOMPARE(table->horizontalHeaderItem(5)->toolTip(), QString("D9 Navamsa"));
      for (int v = 0; v < kVargaCount; ++v) {
        const QJsonObject signs = vargas[QString::fromUtf8(kVargaKeys[v].data(), kVargaKeys[v].size())].toObject();
        for (int e = 0; e < kVargaEntryCount; ++e) {
          const QString entry = table->verticalHeaderItem(e)->text();
          QCOMPARE(table->item(e, v)->data(Qt::UserRole).toInt(), signs[entry].toInt(-1));
        }
      }
      // The result window's D9: every body in the box of the sign the JSON gives it.
      ResultForm* form = frame.resultForm();
      form->showVarga(5);
      const QJsonObject d9 = vargas["D9"].toObject();
      for (int body = 0; body < kAscendantBody; ++body) {
        const int sign = d9[QString::fromUtf8(kPlainBodyNames[body].data())].toInt();
        QVERIFY2(BoxContent(*form, sign).contains(QString::fromUtf8(kPlainBodyNames[body].data())),
                 qPrintable(BoxContent(*form, sign)));
      }
      QVERIFY(BoxContent(*form, d9["HL"].toInt()).contains("HL"));
      QVERIFY(BoxContent(*form, d9["AL"].toInt()).contains("AL"));
      form->showVarga(0);
    }
  }

  void chooserStepsFromTheKeyboardAndNamesTheVarga() {
    FrameWindow frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.showChart(Calculated(testing::DelhiBirth()));
    ResultForm* form = frame.resultForm();
    auto* chooser = form->findChild<QComboBox*>("cboVarga");
    QVERIFY(chooser != nullptr);
    QCOMPARE(chooser->accessibleName(), QString("Varga"));
    QCOMPARE(chooser->count(), kVargaCount);
    QCOMPARE(form->shownVarga(), 0);
    auto* frameBox = form->findChild<QGroupBox*>("fraBirthchart");
    QCOMPARE(frameBox->title(), QString("Hora"));
    const QString rasiLeo = BoxContent(*form, 4);
    for (int step = 0; step < 5; ++step) QTest::keyClick(form->focusWidget(), Qt::Key_BracketRight);
    QCOMPARE(form->shownVarga(), 5);
    QCOMPARE(frameBox->title(), QString("D9 Navamsa"));
    QTest::keyClick(form->focusWidget(), Qt::Key_BracketLeft);
    QCOMPARE(form->shownVarga(), 4);
    QTest::keyClick(form->focusWidget(), Qt::Key_BracketRight);
    // The arrows of the chooser itself step too.
    chooser->setFocus();
    QTest::keyClick(chooser, Qt::Key_Down);
    QCOMPARE(frameBox->title(), QString("D10 Dasamsa"));
    QTest::keyClick(chooser, Qt::Key_Up);
    QCOMPARE(form->shownVarga(), 5);
    // Stepping back before D1 wraps round to D60, and D1 shows the rasi boxes again.
    form->showVarga(0);
    QTest::keyClick(chooser, Qt::Key_BracketLeft);
    QCOMPARE(form->shownVarga(), kVargaCount - 1);
    form->showVarga(0);
    QCOMPARE(BoxContent(*form, 4), rasiLeo);
  }

  void vargasFollowATimePickedInTheSweep() {
    FrameWindow frame;
    const auto given = Calculated(testing::DelhiBirth());
    frame.showChart(given);
    frame.findChild<QAction*>("mnuVargas")->trigger();
    auto* window = frame.findChild<VargasWindow*>("frmVargas");
    QVERIFY(window != nullptr && window->isVisible());
    QCOMPARE(window->table()->accessibleName(), QString("Signs in the sixteen vargas"));
    frame.resultForm()->showVarga(5);
    SweepWindow* sweep = frame.showSweep();
    sweep->waitForSweep();
    // Two hours later the ascendant has moved on: D9 of the ascendant changes.
    CivilDateTime later{1975, 6, 5, 9, 5, 0};
    emit sweep->view()->timePicked(later);
    BirthData moved = testing::DelhiBirth();
    moved.hour = 9;
    const VargaCharts expected = VargasOf(*Calculated(moved));
    const int ascendantRow = kVargaEntryCount - 1;  // the lagna entries end with the Ascendant
    QCOMPARE(window->table()->item(ascendantRow, 5)->data(Qt::UserRole).toInt(),
             expected[5].bodySigns[kAscendantBody]);
    QVERIFY(expected[5].bodySigns[kAscendantBody] != VargasOf(*given)[5].bodySigns[kAscendantBody]);
    QVERIFY(BoxContent(*frame.resultForm(), expected[5].bodySigns[kAscendantBody]).contains("Asc"));
    // Esc and Ctrl+W close the Vargas window, and so does its Close button.
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
      frame.findChild<QAction*>("mnuVargas")->trigger();
      QVERIFY(window->isVisible());
      QTRY_VERIFY(window->isActiveWindow());
      QTest::keySequence(window, keys);
      QVERIFY2(!window->isVisible(), qPrintable(keys.toString()));
    }
    frame.findChild<QAction*>("mnuVargas")->trigger();
    window->findChild<QPushButton*>("cmdClose")->click();
    QVERIFY(!window->isVisible());
  }
};

QTEST_MAIN(VargasUiTest)
#include "test_vargas_ui.moc"
