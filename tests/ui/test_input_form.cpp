// Widget tests of the input form: lists, defaults, key filters, validation messages and focus.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/chart_calculation.h"
#include "app/chart_file.h"
#include "app/text_encoding.h"
#include "tests/ui/layout_checks.h"
#include "ui/input_form.h"
#include "ui/file_dialogs.h"
#include "ui/message_presenter.h"
#include "ui/web_links.h"

using namespace corvane;

class InputFormTest : public QObject {
  Q_OBJECT

  struct Shown {
    QString text;
    MessageIcon icon;
  };
  QList<Shown> messages_;
  QStringList opened_;
  bool browserStarts_ = true;
  std::unique_ptr<InputForm> form_;

  template <typename T>
  T* child(const char* name) {
    T* w = form_->findChild<T*>(name);
    if (!w) qFatal("no control %s", name);
    return w;
  }

  void fillValid() {
    child<QLineEdit>("txtName")->setText("RAM");
    child<QLineEdit>("txtLonD")->setText("77");
    child<QLineEdit>("txtLonM")->setText("13");
    child<QLineEdit>("txtLatD")->setText("28");
    child<QLineEdit>("txtLatM")->setText("36");
  }

 private slots:
  void init() {
    messages_.clear();
    opened_.clear();
    SetMessageSinkForTesting([this](QWidget*, const QString& t, MessageIcon i) { messages_.push_back({t, i}); });
    browserStarts_ = true;
    SetWebPageOpenerForTesting([this](const QString& url) {
      opened_.push_back(url);
      return browserStarts_;
    });
    form_ = std::make_unique<InputForm>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    form_->activateWindow();
  }
  void cleanup() { form_.reset(); }

  void listsAndDefaults() {
    QCOMPARE(form_->windowTitle(), QString("Corvane v1.25"));
    // Name, item count, first, last and current item; items have no leading zeros.
    struct List { const char* name; int count; const char *first, *last, *current; };
    for (const List& l : {List{"cboMonth", 12, "January", "December", "January"}, List{"cboDate", 31, "1", "31", "1"},
                          List{"cboYear", 150, "1901", "2050", "1901"}, List{"cboHH", 24, "0", "23", "0"},
                          List{"cboMM", 60, "0", "59", "0"}, List{"cboSS", 60, "0", "59", "0"},
                          List{"cmbTimeZone", 71, "Alaska/Hawaii Daylight Time,AHDT,-9.0", "Yukon War Time,YWT,-8.0",
                               "Greenwich Mean Time,GMT,0.0"}}) {
      auto* box = child<QComboBox>(l.name);
      QCOMPARE(box->count(), l.count);
      QCOMPARE(box->itemText(0), QString(l.first));
      QCOMPARE(box->itemText(l.count - 1), QString(l.last));
      QCOMPARE(box->currentText(), QString(l.current));
      QVERIFY2(!box->isEditable(), l.name);
    }
    QCOMPARE(child<QComboBox>("cmbTimeZone")->currentIndex(), 29);
    QCOMPARE(child<QComboBox>("cmbTimeZone")->itemText(34), QString("Indian Time, IST, +5.3"));
    QVERIFY(!child<QCheckBox>("chkDST")->isChecked());
    QVERIFY(child<QRadioButton>("optLong_0")->isChecked());
    QVERIFY(child<QRadioButton>("optLat_0")->isChecked());
    QCOMPARE(child<QLineEdit>("txtLonD")->maxLength(), 3);
    QCOMPARE(child<QLineEdit>("txtLatD")->maxLength(), 2);
    QVERIFY(child<QLineEdit>("txtName")->text().isEmpty());
  }

  void nameFilterCapitalisesAndRejects() {
    auto* name = child<QLineEdit>("txtName");
    name->setFocus();
    QTest::keyClicks(name, "ram");
    QCOMPARE(name->text(), QString("RAM"));
    QVERIFY(messages_.isEmpty());
    QTest::keyClicks(name, "-");
    QCOMPARE(name->text(), QString("RAM"));
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0].text, QString("Please Enter only Letters"));
    QCOMPARE(messages_[0].icon, MessageIcon::Information);
  }

  // Every character of Windows-1252 typed into the name, against Qt's Unicode data: a letter
  // goes in as its capital when the code page holds one, anything else is refused.
  void nameFilterTakesEveryStorableLetter() {
    auto* name = child<QLineEdit>("txtName");
    name->setFocus();
    for (int byte = 32; byte < 256; ++byte) {
      if (byte == 127) continue;
      const QChar typed(static_cast<char16_t>(CharacterOfByte(static_cast<unsigned char>(byte))));
      name->clear();
      messages_.clear();
      QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(typed));
      QApplication::sendEvent(name, &key);
      const QChar upper = typed.toUpper();
      const QChar expected = Windows1252Byte(upper.unicode()) ? upper : typed;
      if (typed.isLetter() || typed == ' ') {
        QCOMPARE(name->text(), QString(expected));
        QVERIFY(messages_.isEmpty());
      } else {
        QVERIFY2(name->text().isEmpty(), qPrintable(QString::number(byte, 16)));
        QCOMPARE(messages_.size(), 1);
        QCOMPARE(messages_[0].text, QString("Please Enter only Letters"));
      }
    }
    name->clear();
    QTest::keyClicks(name, "anjali rao");
    QCOMPARE(name->text(), QString("ANJALI RAO"));
  }

  void pastedDroppedAndComposedNamesPassTheSameFilter() {
    auto* name = child<QLineEdit>("txtName");
    name->setFocus();
    QGuiApplication::clipboard()->setText("jos\u00e9");
    QTest::keySequence(name, QKeySequence::Paste);
    QCOMPARE(name->text(), QString("JOS\u00c9"));
    QGuiApplication::clipboard()->setText("\u0142ukasz");  // a letter chart files cannot store
    QTest::keySequence(name, QKeySequence::Paste);
    QCOMPARE(name->text(), QString("JOS\u00c9"));
    QCOMPARE(messages_.size(), 1);

    name->clear();
    auto drop = [&](const QString& text) {
      QMimeData data;
      data.setText(text);
      QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(name, &enter);
      QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(name, &event);
    };
    drop("\u00f1and\u00fa");
    QCOMPARE(name->text(), QString("\u00d1AND\u00da"));
    drop("r2d2");
    QCOMPARE(name->text(), QString("\u00d1AND\u00da"));
    QCOMPARE(messages_.size(), 2);

    name->clear();
    for (const char* committed : {"\u00fc", "\u20ac"}) {
      QInputMethodEvent compose;
      compose.setCommitString(QString::fromUtf8(committed));
      QApplication::sendEvent(name, &compose);
    }
    QCOMPARE(name->text(), QString("\u00dc"));
    QCOMPARE(messages_.size(), 3);

    // The context menu's Paste is checked as well.
    QGuiApplication::clipboard()->setText("1");
    QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(5, 5), name->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(name, &menuEvent);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu != nullptr);
    QAction* paste = menu->findChild<QAction*>("edit-paste");
    QVERIFY(paste != nullptr);
    paste->trigger();
    menu->close();
    QCOMPARE(name->text(), QString("\u00dc"));
    QCOMPARE(messages_.size(), 4);
  }

  // Digits typed quickly form one number; a pause starts a new one.
  void typedDigitsSelectTheNumber() {
    const int interval = QApplication::keyboardInputInterval();
    QApplication::setKeyboardInputInterval(150);
    struct Case {
      const char* list;
      const char* from;  // the item selected before typing
      const char* keys;
      const char* selected;
    };
    for (const Case& c : {Case{"cboMM", "40", "5", "5"}, Case{"cboMM", "40", "05", "5"}, Case{"cboMM", "40", "50", "50"},
                          Case{"cboMM", "7", "00", "0"}, Case{"cboSS", "0", "59", "59"}, Case{"cboHH", "0", "24", "4"},
                          Case{"cboHH", "5", "023", "23"}, Case{"cboYear", "1901", "1987", "1987"},
                          Case{"cboYear", "1901", "2050", "2050"}, Case{"cboYear", "1950", "3", "1950"},
                          Case{"cboDate", "1", "31", "31"}, Case{"cboDate", "1", "07", "7"}}) {
      auto* list = child<QComboBox>(c.list);
      list->setCurrentText(c.from);
      list->setFocus();
      QTest::qWait(200);  // nothing typed just before
      QTest::keyClicks(list, c.keys);
      QVERIFY2(list->currentText() == c.selected, qPrintable(QString("%1 %2: %3").arg(c.list, c.keys, list->currentText())));
    }
    auto* minutes = child<QComboBox>("cboMM");
    QTest::keyClicks(minutes, "1");
    QTest::qWait(200);
    QTest::keyClicks(minutes, "5");
    QCOMPARE(minutes->currentText(), QString("5"));
    QApplication::setKeyboardInputInterval(interval);
  }

  void dayListOffersTheDaysOfTheMonth() {
    auto* month = child<QComboBox>("cboMonth");
    auto* day = child<QComboBox>("cboDate");
    auto* year = child<QComboBox>("cboYear");
    for (int y = 1901; y <= 2050; ++y) {
      year->setCurrentText(QString::number(y));
      for (int m = 0; m < 12; ++m) {
        month->setCurrentIndex(m);
        QCOMPARE(day->count(), QDate(y, m + 1, 1).daysInMonth());
        QCOMPARE(day->itemText(day->count() - 1), QString::number(day->count()));
      }
    }
    // The day stays while the month has it, else the month's last day is chosen.
    year->setCurrentText("1905");
    month->setCurrentIndex(0);
    day->setCurrentText("31");
    month->setCurrentIndex(1);
    QCOMPARE(day->currentText(), QString("28"));
    month->setCurrentIndex(2);
    QCOMPARE(day->currentText(), QString("28"));
    year->setCurrentText("1904");
    month->setCurrentIndex(1);
    day->setCurrentText("29");
    year->setCurrentText("1905");
    QCOMPARE(day->currentText(), QString("28"));
    day->setCurrentText("15");
    month->setCurrentIndex(3);
    QCOMPARE(day->currentText(), QString("15"));
  }

  void zoneNamesWithBlanksCanBeTyped() {
    auto* zone = child<QComboBox>("cmbTimeZone");
    zone->setFocus();
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClicks(zone, "Indian T");
    QVERIFY(!zone->view()->isVisible());
    QCOMPARE(zone->currentText(), QString("Indian Time, IST, +5.3"));
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClicks(zone, "New Zealand Std T");
    QVERIFY(!zone->view()->isVisible());
    QCOMPARE(zone->currentIndex(), 47);  // "New Zealand Std Time,NZT,+12.0"
    // With no name being typed, the blank opens the list as usual.
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClick(zone, Qt::Key_Space);
    QTRY_VERIFY(zone->view()->isVisible());
    zone->hidePopup();
  }

  void savedDayTheMonthLacksIsRefused() {
    QTemporaryDir dir;
    ChartState chart;
    chart.BirthName = "RAM";
    chart.BirthMonth = 4, chart.BirthDay = 31, chart.BirthYear = 1975;
    chart.LongitudeDegrees = 77, chart.LatitudeDegrees = 28;
    const QString path = dir.filePath("april.zdh");
    QVERIFY(!SaveChartFile(path.toStdString(), chart).has_value());
    QSignalSpy calculated(form_.get(), &InputForm::chartCalculated);
    form_->openChartFile(path);
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0].text, QString("Please Enter Correct Date Or Month !"));
    QCOMPARE(calculated.count(), 0);
    QCOMPARE(child<QComboBox>("cboMonth")->currentText(), QString("April"));
    QCOMPARE(child<QComboBox>("cboDate")->count(), 30);
  }

  // Made as small as it goes, the form still shows every field, list and button whole.
  void smallestFormClipsNothing() {
    form_->resize(1, 1);
    QTRY_COMPARE(form_->size(), form_->minimumSize());
    QVERIFY(form_->width() > 300 && form_->height() > 300);
    corvane::testing::CheckNothingClipped(form_.get());
  }

  void coordinateFilterGuardsTypingAndPasting() {
    auto* lon = child<QLineEdit>("txtLonD");
    lon->setFocus();
    QTest::keyClicks(lon, "1-");
    QCOMPARE(lon->text(), QString("1"));
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0].text, QString("Only Numbers Are Accepted"));
    QTest::keyClicks(lon, "2345");
    QCOMPARE(lon->text(), QString("123"));  // three characters at most

    auto* lat = child<QLineEdit>("txtLatM");
    lat->setFocus();
    for (const char* bad : {"12a", "-5", "5.5"}) {
      QGuiApplication::clipboard()->setText(bad);
      QTest::keySequence(lat, QKeySequence::Paste);
      QCOMPARE(lat->text(), QString());
    }
    QCOMPARE(messages_.size(), 4);
    QGuiApplication::clipboard()->setText("123");
    lat->paste();  // the context menu path: the limit still holds
    QVERIFY(lat->text().size() <= 2);
  }

  void validationShowsTheFirstFailureAndMovesFocus() {
    QSignalSpy calculated(form_.get(), &InputForm::chartCalculated);
    form_->findChild<QWidget*>("cmdRashi")->setFocus();
    QVERIFY(!form_->runCalculation());
    QCOMPARE(messages_.size(), 1);  // empty name and empty longitude: only the name is reported
    QCOMPARE(messages_[0].text, QString("Please Enter Name"));
    QCOMPARE(QApplication::focusWidget(), child<QWidget>("txtName"));

    child<QLineEdit>("txtName")->setText("RAM");
    form_->runCalculation();
    QCOMPARE(messages_.last().text, QString("Please Enter Value Between 0 And 179 in the Degree of Longitude"));
    QCOMPARE(QApplication::focusWidget(), child<QWidget>("txtLonD"));

    fillValid();
    QVERIFY(form_->runCalculation());
    QCOMPARE(calculated.count(), 1);
  }

  void enterRunsTheCalculationAndTabWalksTheForm() {
    QSignalSpy calculated(form_.get(), &InputForm::chartCalculated);
    auto* name = child<QLineEdit>("txtName");
    QCOMPARE(QApplication::focusWidget(), name);  // the form opens on the name
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0].text, QString("Please Enter Name"));
    QCOMPARE(name->text(), QString());  // Enter does not enter the text

    fillValid();
    QTest::keyClick(child<QComboBox>("cboYear"), Qt::Key_Enter);
    QCOMPARE(calculated.count(), 1);
    QTest::keyClick(child<QLineEdit>("txtLatM"), Qt::Key_Return);
    QCOMPARE(calculated.count(), 2);

    // A focused button takes Enter for itself.
    int dialogs = 0;
    SetFileChooserForTesting([&](FileDialogKind) { ++dialogs; return QString(); });
    QTest::keyClick(child<QWidget>("cmdOpen"), Qt::Key_Return);
    SetFileChooserForTesting({});
    QCOMPARE(dialogs, 1);
    QCOMPARE(calculated.count(), 2);

    QStringList order;
    name->setFocus();
    for (QWidget* w = name; order.size() < 22; w = w->nextInFocusChain())
      if (w->focusPolicy() & Qt::TabFocus) order << w->objectName();
    const QStringList expected = {"txtName", "cboMonth", "cboDate", "cboYear", "cboHH", "cboMM", "cboSS",
                                  "txtPlaceSearch", "txtMCity", "txtMState", "txtMCountry", "cmdBrowser",
                                  "cmbTimeZone", "chkDST", "cmdZone", "txtLonD", "txtLonM", "optLong_0", "optLong_1", "txtLatD",
                                  "txtLatM", "optLat_0"};
    QCOMPARE(order, expected);
  }

  // Ticking daylight saving on a zone that already holds that hour asks first; the answer
  // decides whether the chart is calculated, and the chart is the one the input gives.
  void daylightSavingOnADaylightZoneAsksFirst() {
    QList<std::shared_ptr<const ChartState>> calculated;
    connect(form_.get(), &InputForm::chartCalculated, this, [&](auto chart) { calculated << chart; });
    QStringList questions;
    bool answer = false;
    SetQuestionAskerForTesting([&](QWidget*, const QString& text) { questions << text; return answer; });
    fillValid();
    child<QComboBox>("cmbTimeZone")->setCurrentIndex(24);  // Eastern Daylight Time
    child<QCheckBox>("chkDST")->setChecked(true);
    QVERIFY(!form_->runCalculation());
    QCOMPARE(calculated.count(), 0);
    QCOMPARE(questions, QStringList{"The zone Eastern Daylight Time already includes daylight saving time. Ticking "
                                    "Daylight Saving Time as well counts that hour twice. Calculate anyway?"});
    answer = true;
    QVERIFY(form_->runCalculation());
    QCOMPARE(calculated.count(), 1);
    const auto chart = calculated.at(0);
    const CalculationResult direct = CalculateChart(form_->birthData());
    QVERIFY(chart->IsDaylightSaving);
    QCOMPARE(chart->BirthLongitudes[kAscendantBody], direct.chart().BirthLongitudes[kAscendantBody]);
    QCOMPARE(chart->MinutesSinceSunrise, direct.chart().MinutesSinceSunrise);

    // No question for a standard zone, nor before the input itself is valid.
    child<QComboBox>("cmbTimeZone")->setCurrentIndex(27);  // Eastern Standard Time
    QVERIFY(form_->runCalculation());
    child<QComboBox>("cmbTimeZone")->setCurrentIndex(24);
    child<QLineEdit>("txtName")->clear();
    QVERIFY(!form_->runCalculation());
    QCOMPARE(messages_.last().text, QString("Please Enter Name"));
    QCOMPARE(questions.size(), 2);
    SetQuestionAskerForTesting({});
  }

  void menusAndAboutBox() {
    QStringList menus;
    for (QAction* menu : form_->menuBar()->actions()) {
      menus << menu->text();
      for (QAction* item : menu->menu()->actions()) menus << "  " + item->text();
    }
    QCOMPARE(menus, (QStringList{"&File", "  Get My Corvane Reading", QString::fromUtf8("  Options\u2026"), "  E&xit",
                                 "&Help", "  &Online Help",
                                 "  &Visit Us Online", "  Check for Software &Update", "  &About Software"}));

    // The about box is modal: look at it once it is up, then press Escape, which must close it.
    QStringList seen;
    bool closedByEscape = false;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      seen << box->objectName() << box->windowTitle();
      if (auto* icon = box->findChild<QLabel*>("picIcon"); icon && !icon->pixmap().isNull()) seen << "icon";
      for (const char* name : {"lblTitle", "lblDescription", "lblHomePage"})
        if (auto* label = box->findChild<QLabel*>(name)) seen << label->text();
      QTest::keyClick(box, Qt::Key_Escape);
      closedByEscape = !box->isVisible();
      if (!closedByEscape) box->reject();
    });
    form_->findChild<QAction*>("mnuAbout")->trigger();
    QVERIFY(closedByEscape);
    QCOMPARE(seen.size(), 6);  // "icon": the program icon is drawn, not an empty box
    QCOMPARE(seen.mid(0, 4), (QStringList{"frmAbout", "Corvane v1.25", "icon", "Corvane v1.25"}));
    QVERIFY(seen[4].startsWith("Corvane calculates the different Lagnas") &&
            seen[4].endsWith("relationships and career."));
    QVERIFY(seen[5].contains("Click here to visit " + HomePageUrl()));
  }

  void coordinateSearchNeedsThePlace() {
    child<QLineEdit>("txtMCity")->setText("Pune");
    child<QLineEdit>("txtMCountry")->setText("India");
    QTest::mouseClick(child<QWidget>("cmdBrowser"), Qt::LeftButton);
    QCOMPARE(messages_.size(), 1);  // the place's rule itself is tested with the validation
    QCOMPARE(QApplication::focusWidget(), child<QWidget>("txtMState"));
    QVERIFY(opened_.isEmpty());
    child<QLineEdit>("txtMState")->setText("Maharashtra");
    QTest::mouseClick(child<QWidget>("cmdBrowser"), Qt::LeftButton);
    QCOMPARE(opened_.size(), 1);
    QVERIFY(opened_[0].contains("Pune%20Maharashtra%20India%20Latitude%20Longitude") ||
            opened_[0].contains("Pune+Maharashtra+India+Latitude+Longitude"));
  }

  // Without a browser the coordinate search and the help links give their address in a
  // message whose text can be selected.
  void failedLinksGiveTheirAddress() {
    browserStarts_ = false;
    child<QLineEdit>("txtMCity")->setText("Pune");
    child<QLineEdit>("txtMState")->setText("Maharashtra");
    child<QLineEdit>("txtMCountry")->setText("India");
    QTest::mouseClick(child<QWidget>("cmdBrowser"), Qt::LeftButton);
    form_->findChild<QAction*>("mnuOnline")->trigger();
    QCOMPARE(opened_.size(), 2);
    QCOMPARE(messages_.size(), 2);
    for (int i = 0; i < 2; ++i) {
      QVERIFY(messages_[i].text.endsWith("\n" + opened_[i]));
      QVERIFY(messages_[i].text.startsWith("No web browser could be started."));
    }

    // The real message box: the address is there and can be selected.
    SetMessageSinkForTesting({});
    QString shown;
    Qt::TextInteractionFlags flags;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      shown = box->text();
      flags = box->textInteractionFlags();
      box->accept();
    });
    form_->findChild<QAction*>("mnuUpdate")->trigger();
    QCOMPARE(shown, BrowserFailedMessage(DownloadPageUrl()));
    QVERIFY(shown.contains(DownloadPageUrl()));
    QVERIFY(flags & Qt::TextSelectableByMouse);
  }

  // The forum link takes the focus with Tab and opens with Enter, as a click does.
  void forumLinkWorksFromTheKeyboard() {
    auto* forum = child<QLabel>("Label61");
    QVERIFY(forum->focusPolicy() & Qt::TabFocus);
    child<QWidget>("cmdRashi")->setFocus();
    QTest::keyClick(child<QWidget>("cmdRashi"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), forum);
    QTest::keyClick(forum, Qt::Key_Return);
    QCOMPARE(opened_, QStringList{HomePageUrl()});
  }

  void helpMenuOpensThePages() {
    for (const char* name : {"mnuOnline", "mnuVisit", "mnuUpdate"}) form_->findChild<QAction*>(name)->trigger();
    QCOMPARE(opened_.size(), 3);
    QVERIFY(opened_[0].endsWith("/corvane-help.html"));
    QCOMPARE(opened_[1], HomePageUrl());
    QVERIFY(opened_[2].endsWith("/download-corvane.html"));
  }
};

QTEST_MAIN(InputFormTest)
#include "test_input_form.moc"
