// Widget tests of the input form: lists, defaults, key filters, validation messages and focus.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "tests/ui/own_settings.h"
#include "ui/options_dialog.h"
#include "app/chart_calculation.h"
#include "app/chart_file.h"
#include "app/text_encoding.h"
#include "app/zone_table.h"
#include "tests/ui/layout_checks.h"
#include "ui/input_form.h"
#include "ui/file_dialogs.h"
#include "ui/filtered_line_edit.h"
#include "ui/options_dialog.h"
#include "ui/message_presenter.h"
#include "ui/web_links.h"
#include "ui/zone_dialog.h"

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
  QTemporaryDir placesDir_;

  // Places in the place file's format (name, ASCII name, alternates, region, country,
  // latitude, longitude, population, zone; '"' repeats the line above), with coordinates as
  // GeoNames gives them.
  static constexpr const char* kPlaces =
      "# test places\n"
      "Munich\t\tMünchen|Monaco di Baviera\tBavaria\tGermany\t48.13743\t11.57549\t1260391\tEurope/Berlin\n"
      "Münchenstein\tMunchenstein\t\tBasel-Landschaft\tSwitzerland\t47.51848\t7.60966\t11644\tEurope/Zurich\n"
      "Łódź\tLodz\t\tŁódź Voivodeship\tPoland\t51.75\t19.46667\t768755\tEurope/Warsaw\n"
      "Sydney\t\t\tNew South Wales\tAustralia\t-33.86785\t151.20732\t4627345\tAustralia/Sydney\n"
      "Quito\t\t\tPichincha\tEcuador\t-0.22985\t-78.52495\t1399814\tAmerica/Guayaquil\n"
      "Carry\t\t\tNowhere\tTestland\t10.99999\t-20.99995\t1\tEtc/GMT+1\n"
      "New York City\t\t\tNew York\tUnited States\t40.71427\t-74.00597\t8175133\tAmerica/New_York\n"
      "Madrid\t\t\tMadrid\tSpain\t40.4165\t-3.70256\t3255944\tEurope/Madrid\n"
      "Amsterdam\t\t\tNorth Holland\tThe Netherlands\t52.37403\t4.88969\t741636\tEurope/Amsterdam\n"
      "Twin\t\t\tNowhere\tTestland\t10.5\t-20.25\t20\tEtc/GMT+1\n"
      "Twin\t\t\tNowhere\tTestland\t-10.75\t20\t10\tEtc/GMT+1\n";

  QString placesPath() const { return placesDir_.filePath("places.tsv"); }

  static void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  void waitForPlaces() { QTRY_VERIFY(child<QLineEdit>("txtPlaceSearch")->isEnabled()); }

  QAbstractItemView* placePopup() { return child<QCompleter>("placeCompleter")->popup(); }

  // The rows the place popup offers after the query is typed into the search box.
  QStringList offered(const QString& query) {
    auto* search = child<QLineEdit>("txtPlaceSearch");
    search->setFocus();
    search->clear();
    // Each character as a key press carrying its text, which also takes letters such as ü.
    for (const QChar c : query) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(search, &press);
    }
    auto* popup = placePopup();
    if (!popup) return {"no popup"};
    QStringList rows;
    for (int i = 0; i < popup->model()->rowCount(); ++i) rows << popup->model()->index(i, 0).data().toString();
    if (!rows.isEmpty() && !popup->isVisible()) return {"popup hidden"};
    return rows;
  }

  // Types the query and picks the offered row by the keyboard, as a user would.
  void pickPlace(const QString& query, int row = 0) {
    QVERIFY(!offered(query).isEmpty());
    auto* popup = placePopup();
    for (int i = 0; i <= row; ++i) QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    QVERIFY(!popup->isVisible());
  }

  void setBirthTime(int year, int month, int day, int hour, int minute) {
    child<QComboBox>("cboYear")->setCurrentText(QString::number(year));
    child<QComboBox>("cboMonth")->setCurrentIndex(month - 1);
    child<QComboBox>("cboDate")->setCurrentText(QString::number(day));
    child<QComboBox>("cboHH")->setCurrentText(QString::number(hour));
    child<QComboBox>("cboMM")->setCurrentText(QString::number(minute));
  }

  QString zoneInForce() { return child<QLabel>("lblZoneInForce")->text(); }

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
  void initTestCase() {
    QVERIFY(placesDir_.isValid());
    writeFile(placesPath(), kPlaces);
    qputenv("CORVANE_PLACES", placesPath().toLocal8Bit());
    // The program's Options (the engine among them) are kept in the test's own folder.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, placesDir_.filePath("settings"));
    QSettings("Corvane", "Corvane").clear();
  }

  void init() {
    corvane::testing::ForgetKeptSettings();
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
    QTest::keyClicks(name, "2");
    QCOMPARE(name->text(), QString("RAM"));
    // A refused key brings a note beside the field, not a window that takes the next keys.
    QVERIFY(messages_.isEmpty());
    QCOMPARE(static_cast<FilteredLineEdit*>(name)->lastRefusal(),
             QString("Please Enter only Letters: 2 is not a letter; a name takes letters, blanks, hyphens and apostrophes"));
  }

  // Typed at speed, with a refused key in the middle: every other key reaches the field.
  void namesWithHyphensAndApostrophesAndRefusedKeysInBetween() {
    auto* name = static_cast<FilteredLineEdit*>(child<QLineEdit>("txtName"));
    name->setFocus();
    QTest::keyClicks(name, "anne-marie o'brien");
    QCOMPARE(name->text(), QString("ANNE-MARIE O'BRIEN"));
    name->clear();
    const QString typed = QString::fromUtf8("anne-ma\u0142rie 1smith");
    for (const QChar c : typed) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(name, &press);
    }
    QCOMPARE(name->text(), QString("ANNE-MARIE SMITH"));
    QVERIFY(messages_.isEmpty());
    QCOMPARE(name->lastRefusal(), QString("Please Enter only Letters: 1 is not a letter; a name takes letters, blanks, hyphens and apostrophes"));
    // A hyphen left at the end is refused when the chart is asked for, naming it.
    name->setText("ANNE-");
    QVERIFY(!form_->runCalculation());
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0].text, QString("- must stand between two letters, as in Anne-Marie or O'Brien"));
  }

  // The year list offers the years of the engine the Options choose.
  void yearListFollowsTheEngine() {
    auto* years = child<QComboBox>("cboYear");
    form_->offerYearsOf(EngineKind::kSwiss);
    QCOMPARE(years->count(), 600);
    QCOMPARE(years->itemText(0), QString("1800"));
    QCOMPARE(years->itemText(599), QString("2399"));
    QCOMPARE(years->currentText(), QString("1901"));  // the chosen year stays
    years->setCurrentText("1850");
    // Back to the element method: 1850 stays chosen, and the calculation names the range.
    form_->offerYearsOf(EngineKind::kElements);
    QCOMPARE(years->itemText(0), QString("1850"));
    QCOMPARE(years->itemText(years->count() - 1), QString("2050"));
    QCOMPARE(years->currentText(), QString("1850"));
    fillValid();
    QVERIFY(!form_->runCalculation());
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0].text, QString("The year must be one of 1901 to 2050 with the element method"));
    years->setCurrentText("1990");
    form_->offerYearsOf(EngineKind::kElements);
    QCOMPARE(years->count(), 150);
    QCOMPARE(years->currentText(), QString("1990"));
    // A form made while the Options choose the Swiss Ephemeris offers its years at once.
    CalculationSettings swiss;
    swiss.engine = EngineKind::kSwiss;
    SaveCalculationSettings(swiss);
    InputForm other;
    QCOMPARE(other.findChild<QComboBox*>("cboYear")->count(), 600);
    QCOMPARE(other.findChild<QComboBox*>("cboYear")->currentText(), QString("1901"));
    SaveCalculationSettings(CalculationSettings{});
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
      const bool joiner = typed == '-' || typed == '\'' || typed == QChar(0x2019);
      if (typed.isLetter() || typed == ' ' || joiner) {
        QCOMPARE(name->text(), QString(expected));
        QVERIFY(messages_.isEmpty());
      } else {
        QVERIFY2(name->text().isEmpty(), qPrintable(QString::number(byte, 16)));
        QVERIFY(messages_.isEmpty());
        QVERIFY(static_cast<FilteredLineEdit*>(name)->lastRefusal().startsWith("Please Enter only Letters: " + QString(typed) + " is not a letter"));
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
    QVERIFY(messages_.isEmpty());  // a note beside the field, not a message window
    QCOMPARE(static_cast<FilteredLineEdit*>(name)->lastRefusal(), QString("\u0142 cannot be stored in a chart file"));

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
    QVERIFY(messages_.isEmpty());
    QVERIFY(static_cast<FilteredLineEdit*>(name)->lastRefusal().startsWith("Please Enter only Letters: 2 is not a letter"));

    name->clear();
    for (const char* committed : {"\u00fc", "\u20ac"}) {
      QInputMethodEvent compose;
      compose.setCommitString(QString::fromUtf8(committed));
      QApplication::sendEvent(name, &compose);
    }
    QCOMPARE(name->text(), QString("\u00dc"));
    QVERIFY(messages_.isEmpty());
    QCOMPARE(static_cast<FilteredLineEdit*>(name)->lastRefusal(), QString("Please Enter only Letters: \u20ac is not a letter; a name takes letters, blanks, hyphens and apostrophes"));

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
    QVERIFY(messages_.isEmpty());
    QVERIFY(static_cast<FilteredLineEdit*>(name)->lastRefusal().startsWith("Please Enter only Letters: 1 is not a letter"));
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

  // A typed year the list lacks leaves the year as it was and says the list's range, and
  // for a year the precise engine takes, that the Swiss Ephemeris engine takes it.
  void typedYearOutsideTheListIsExplained() {
    const int interval = QApplication::keyboardInputInterval();
    QApplication::setKeyboardInputInterval(150);
    struct Case {
      const char* keys;
      bool precise;      // the engine chosen in the options
      bool swissNamed;   // the hint names the Swiss Ephemeris engine
    };
    auto* year = child<QComboBox>("cboYear");
    auto* hint = child<QLabel>("lblYearHint");
    for (const Case& c : {Case{"1880", false, true}, Case{"2399", false, true}, Case{"1799", false, false},
                          Case{"2400", false, false}, Case{"1799", true, false}}) {
      CalculationSettings settings;
      settings.engine = c.precise ? EngineKind::kSwiss : EngineKind::kElements;
      SaveCalculationSettings(settings);
      year->setCurrentText("1976");
      year->setCurrentText("1975");
      QVERIFY(hint->isHidden());  // a year chosen puts the hint away
      year->setFocus();
      QTest::qWait(200);
      QTest::keyClicks(year, c.keys);
      QCOMPARE(year->currentText(), QString("1975"));
      QVERIFY2(!hint->isHidden(), c.keys);
      const QString text = hint->text();
      QVERIFY2(text.startsWith(QString(c.keys) + " is not in the year list, which runs from " + year->itemText(0) + " to " +
                               year->itemText(year->count() - 1) + "."),
               qPrintable(text));
      QCOMPARE(text.contains("Swiss Ephemeris engine"), c.swissNamed);
      QVERIFY(hint->height() >= hint->heightForWidth(hint->width()));
    }
    SaveCalculationSettings(CalculationSettings{});
    QTest::qWait(200);
    QTest::keyClicks(year, "1987");
    QCOMPARE(year->currentText(), QString("1987"));
    QVERIFY(hint->isHidden());
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
    Chart chart;
    chart.birth.name = "RAM";
    chart.birth.monthIndex = 3, chart.birth.day = 31, chart.birth.year = 1975;
    chart.birth.longitude = {77, 0, true}, chart.birth.latitude = {28, 0, true};
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
    QList<std::shared_ptr<const Chart>> calculated;
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
    QVERIFY(chart->clock.daylightSaving);
    QCOMPARE(chart->positions.longitudeDeg[kAscendantBody], direct.chart().positions.longitudeDeg[kAscendantBody]);
    QCOMPARE(chart->sun.minutesSinceSunrise, direct.chart().sun.minutesSinceSunrise);

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
    QCOMPARE(menus, (QStringList{"&File", "  Get My Corvane Reading", QString::fromUtf8("  Options\u2026"), "  ",
                                 QString::fromUtf8("  Chart Collection\u2026"), "  Open &Recent",
                                 QString::fromUtf8("  Import Chart Files\u2026"), QString::fromUtf8("  Collection Settings\u2026"), "  ", "  E&xit",
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
      for (const char* name : {"lblTitle", "lblDescription", "lblHomePage", "lblCredits"})
        if (auto* label = box->findChild<QLabel*>(name)) seen << label->text();
      QTest::keyClick(box, Qt::Key_Escape);
      closedByEscape = !box->isVisible();
      if (!closedByEscape) box->reject();
    });
    form_->findChild<QAction*>("mnuAbout")->trigger();
    QVERIFY(closedByEscape);
    QCOMPARE(seen.size(), 7);  // "icon": the program icon is drawn, not an empty box
    QCOMPARE(seen.mid(0, 4), (QStringList{"frmAbout", "Corvane v1.25", "icon", "Corvane v1.25"}));
    QVERIFY(seen[4].startsWith("Corvane calculates the different Lagnas") &&
            seen[4].endsWith("relationships and career."));
    QVERIFY(seen[5].contains("Click here to visit " + HomePageUrl()));
    // The place data's licence asks for its credit.
    QVERIFY(seen[6].contains("GeoNames") && seen[6].contains("CC BY 4.0"));
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
  // message, as people read it: selectable, with a Copy button that puts it on the clipboard.
  void failedLinksGiveTheirAddress() {
    browserStarts_ = false;
    child<QLineEdit>("txtMCity")->setText("München");
    child<QLineEdit>("txtMState")->setText("Bavaria");
    child<QLineEdit>("txtMCountry")->setText("Germany");
    QTest::mouseClick(child<QWidget>("cmdBrowser"), Qt::LeftButton);
    form_->findChild<QAction*>("mnuOnline")->trigger();
    QCOMPARE(opened_.size(), 2);
    QCOMPARE(messages_.size(), 2);
    QVERIFY2(opened_[0].contains("M%C3%BCnchen"), qPrintable(opened_[0]));  // the browser gets it encoded
    QVERIFY2(messages_[0].text.endsWith("\n" + QString("https://duckduckgo.com/?q=München Bavaria Germany Latitude Longitude")),
             qPrintable(messages_[0].text));
    QVERIFY(messages_[1].text.endsWith("\n" + HelpPageUrl()));
    for (int i = 0; i < 2; ++i) QVERIFY(messages_[i].text.startsWith(BrowserFailedMessage()));

    // The real message: the address is selected in its box, and Copy puts it on the clipboard.
    SetMessageSinkForTesting({});
    QGuiApplication::clipboard()->setText("before");
    QString shown, selected;
    QTimer::singleShot(0, [&] {
      QWidget* box = QApplication::activeModalWidget();
      if (box == nullptr) return;
      auto* address = box->findChild<QLineEdit*>("txtAddress");
      shown = address->text();
      selected = address->selectedText();
      box->findChild<QPushButton*>("cmdCopyAddress")->click();
      static_cast<QDialog*>(box)->accept();
    });
    form_->findChild<QAction*>("mnuUpdate")->trigger();
    QCOMPARE(shown, DownloadPageUrl());
    QCOMPARE(selected, DownloadPageUrl());
    QCOMPARE(QGuiApplication::clipboard()->text(), DownloadPageUrl());
  }

  // Every link of the windows leads to the one site address.
  void linksShareOneSiteAddress() {
    for (const QString& url : {HelpPageUrl(), DownloadPageUrl(), HomePageUrl()})
      QVERIFY2(url.startsWith(kSiteAddress), qPrintable(url));
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

  // The search box waits for the place file, then finds places however the name is typed,
  // in the index's order.
  void placeSearchFindsNamesHoweverTyped() {
    auto* search = child<QLineEdit>("txtPlaceSearch");
    InputForm fresh;  // not yet loaded: no event has been handled since it was made
    auto* waiting = fresh.findChild<QLineEdit*>("txtPlaceSearch");
    QCOMPARE(waiting->placeholderText(), QString("Loading places…"));
    QVERIFY(!waiting->isEnabled());
    waitForPlaces();
    QVERIFY(search->placeholderText() != "Loading places…");
    struct Case { const char* query; QStringList rows; };
    // A name other than the place's own shows the place's name after it.
    for (const Case& c : {Case{"munchen", {"München (Munich), Bavaria, Germany", "Münchenstein, Basel-Landschaft, Switzerland"}},
                          Case{"München", {"München (Munich), Bavaria, Germany", "Münchenstein, Basel-Landschaft, Switzerland"}},
                          Case{"MÜNCHENST", {"Münchenstein, Basel-Landschaft, Switzerland"}},
                          Case{"Munich", {"Munich, Bavaria, Germany"}},
                          Case{"lodz", {"Łódź, Łódź Voivodeship, Poland"}},
                          Case{"york", {"New York City, New York, United States"}},
                          // Rows that would read alike give the coordinates.
                          Case{"twin", {"Twin, Nowhere, Testland \u2014 10.50\u00b0N 20.25\u00b0W",
                                        "Twin, Nowhere, Testland \u2014 10.75\u00b0S 20.00\u00b0E"}},
                          Case{"xyzzy", {}}})
      QCOMPARE(offered(c.query), c.rows);
    QVERIFY(messages_.isEmpty());
    // The list is as wide as its longest row.
    offered("twin");
    QVERIFY(placePopup()->width() >= placePopup()->sizeHintForColumn(0));
    QVERIFY(placePopup()->width() > search->width());
  }

  // A chosen place fills the place fields with text a chart file can hold, and the
  // coordinates rounded to the nearest minute of arc (worked by hand from the degrees).
  void choosingAPlaceFillsThePlaceAndCoordinates() {
    waitForPlaces();
    struct Case {
      const char *query, *city, *state, *country, *lonD, *lonM;
      bool east;
      const char *latD, *latM;
      bool south;
      const char* zone;
    };
    for (const Case& c : {
             // 11.57549° = 11° 34.53'; 48.13743° = 48° 8.25'
             // The place's own name, not the spelling the search matched.
             Case{"munchen", "Munich", "Bavaria", "Germany", "11", "35", true, "48", "8", false, "Europe/Berlin"},
             // Ł is not in Windows-1252: the ASCII name, and the region's letters made plain.
             Case{"lodz", "Lodz", "Lódz Voivodeship", "Poland", "19", "28", true, "51", "45", false, "Europe/Warsaw"},
             // -33.86785° = 33° 52.07' S; 151.20732° = 151° 12.44' E
             Case{"sydney", "Sydney", "New South Wales", "Australia", "151", "12", true, "33", "52", true,
                  "Australia/Sydney"},
             // -0.22985° = 0° 13.79' S; -78.52495° = 78° 31.50' W (just under the half)
             Case{"quito", "Quito", "Pichincha", "Ecuador", "78", "31", false, "0", "14", true, "America/Guayaquil"},
             // 10.99999° and 20.99995° round up to whole degrees.
             Case{"carry", "Carry", "Nowhere", "Testland", "21", "0", false, "11", "0", false, "Etc/GMT+1"}}) {
      pickPlace(c.query);
      const BirthData d = form_->birthData();
      QCOMPARE(QString::fromStdString(d.city), QString(c.city));
      QCOMPARE(QString::fromStdString(d.state), QString(c.state));
      QCOMPARE(QString::fromStdString(d.country), QString(c.country));
      QCOMPARE(QString::fromStdString(d.lonDegrees), QString(c.lonD));
      QCOMPARE(QString::fromStdString(d.lonMinutes), QString(c.lonM));
      QCOMPARE(d.east, c.east);
      QCOMPARE(QString::fromStdString(d.latDegrees), QString(c.latD));
      QCOMPARE(QString::fromStdString(d.latMinutes), QString(c.latM));
      QCOMPARE(d.south, c.south);
      QCOMPARE(d.extras.zoneId, std::optional<std::string>(c.zone));
    }
  }

  // A field typed after a place was chosen keeps the typed value: a later change of the birth
  // time (which looks the zone up again) or a calculation does not bring the place's back,
  // and the place no longer counts as having filled that field.
  void typingAfterChoosingAPlaceKeepsTheTypedValue() {
    waitForPlaces();
    fillValid();
    setBirthTime(1975, 6, 5, 7, 5);
    pickPlace("munchen");
    using Filled = std::vector<std::string>;
    QCOMPARE(form_->birthData().placeFilled, (Filled{"lon", "lat", "city", "state", "country", "zone"}));
    auto typeInto = [&](const char* name, const QString& text) {
      auto* edit = child<QLineEdit>(name);
      edit->setFocus();
      edit->selectAll();
      QTest::keyClick(edit, Qt::Key_Delete);
      QTest::keyClicks(edit, text);
    };
    typeInto("txtMCity", "Pasing");
    typeInto("txtLonM", "29");
    QTest::mouseClick(child<QRadioButton>("optLat_1"), Qt::LeftButton, {}, QPoint(4, 4));
    setBirthTime(1975, 1, 5, 7, 5);  // the zone is looked up again for winter time
    QCOMPARE(zoneInForce(), QString("Europe/Berlin: CET, UTC+1:00"));
    const BirthData d = form_->birthData();
    QCOMPARE(QString::fromStdString(d.city), QString("Pasing"));
    QCOMPARE(QString::fromStdString(d.lonMinutes), QString("29"));
    QVERIFY(d.south);
    QCOMPARE(QString::fromStdString(d.state), QString("Bavaria"));  // untouched: the place's
    QCOMPARE(d.placeFilled, (Filled{"state", "country", "zone"}));
    QVERIFY(form_->runCalculation());
    QCOMPARE(child<QLineEdit>("txtMCity")->text(), QString("Pasing"));
    QCOMPARE(child<QLineEdit>("txtLonM")->text(), QString("29"));
    // A zone chosen by hand is the user's too.
    child<QComboBox>("cmbTimeZone")->setCurrentIndex(34);
    QCOMPARE(form_->birthData().placeFilled, (Filled{"state", "country"}));
    // Choosing the place again fills every field from it once more.
    pickPlace("munchen");
    QCOMPARE(child<QLineEdit>("txtMCity")->text(), QString("Munich"));  // the place's own name
    QCOMPARE(form_->birthData().placeFilled, (Filled{"lon", "lat", "city", "state", "country", "zone"}));
  }

  // The clock in force at the birth time, from the zone data: the list row and tick follow it
  // where a row has its offset; otherwise the exact offset is kept.
  void zoneInForceFollowsTheBirthTime() {
    waitForPlaces();
    auto* zone = child<QComboBox>("cmbTimeZone");
    auto* dst = child<QCheckBox>("chkDST");
    pickPlace("madrid");
    struct Case {
      int year, month, day, hour, minute;
      const char* label;
      const char* row;  // nullptr: no row has the offset
      bool tick;
      std::optional<int> exactOffset;
    };
    for (const Case& c : {
             Case{1975, 6, 5, 7, 5, "Europe/Madrid: CEST, UTC+2:00", "Central European Daylight,CED,+2.0", false, {}},
             Case{1975, 1, 5, 7, 5, "Europe/Madrid: CET, UTC+1:00", "Central European Time,CET,+1.0", false, {}},
             // Madrid kept Greenwich time until 1940.
             Case{1930, 1, 5, 7, 5, "Europe/Madrid: WET, UTC+0:00", "Greenwich Mean Time,GMT,0.0", false, {}},
         }) {
      setBirthTime(c.year, c.month, c.day, c.hour, c.minute);
      QCOMPARE(zoneInForce(), QString(c.label));
      QCOMPARE(zone->currentText(), QString(c.row));
      QCOMPARE(dst->isChecked(), c.tick);
      QCOMPARE(form_->birthData().extras.utcOffsetSeconds, c.exactOffset);
    }
    // Amsterdam summer time of 1930 was mean time plus an hour: 1:19:32, which no row has.
    pickPlace("amsterdam");
    setBirthTime(1930, 6, 30, 12, 0);
    QCOMPARE(zoneInForce(), QString("Europe/Amsterdam: NST, UTC+1:19:32 (exact offset used; no list row matches)"));
    QCOMPARE(form_->birthData().extras.utcOffsetSeconds, std::optional<int>(3600 + 19 * 60 + 32));
    // Quito mean time before 1931: 5 hours 14 minutes behind.
    pickPlace("quito");
    setBirthTime(1920, 3, 1, 12, 0);
    QCOMPARE(zoneInForce(), QString("America/Guayaquil: QMT, UTC-5:14 (exact offset used; no list row matches)"));
    QCOMPARE(form_->birthData().extras.utcOffsetSeconds, std::optional<int>(-(5 * 3600 + 14 * 60)));
    fillValid();
    QVERIFY(form_->runCalculation());
  }

  // The user's own row or tick replaces the zone; the program's own changes do not.
  void handChosenRowOrTickDropsTheZone() {
    waitForPlaces();
    auto* zone = child<QComboBox>("cmbTimeZone");
    auto* dst = child<QCheckBox>("chkDST");
    for (int how = 0; how < 2; ++how) {
      pickPlace("amsterdam");
      setBirthTime(1930, 6, 30, 12, 0);
      QVERIFY(form_->birthData().extras.zoneId);
      QVERIFY(form_->birthData().extras.utcOffsetSeconds);
      if (how == 0) {
        zone->setFocus();
        QTest::keyClick(zone, Qt::Key_Down);
      } else {
        QTest::mouseClick(dst, Qt::LeftButton, {}, QPoint(4, dst->height() / 2));
      }
      QCOMPARE(form_->birthData().extras, BirthExtras{});
      QVERIFY(zoneInForce().isEmpty());
      // The birth time no longer brings a zone back.
      setBirthTime(1975, 6, 5, 7, 5);
      QCOMPARE(form_->birthData().extras, BirthExtras{});
    }
  }

  // "Zone…" picks a zone by name through a filtered list.
  void zoneChosenByName() {
    setBirthTime(2000, 1, 1, 12, 0);
    int shown = -1;
    QStringList listed;
    QTimer::singleShot(0, this, [&] {
      auto* dialog = qobject_cast<ZoneDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      auto* filter = dialog->findChild<QLineEdit*>("txtZoneFilter");
      auto* zones = dialog->findChild<QListWidget*>("lstZones");
      QTest::keyClicks(filter, "kolk");
      shown = 0;
      for (int i = 0; i < zones->count(); ++i)
        if (!zones->item(i)->isHidden()) listed << zones->item(i)->text();
      QTest::keyClick(filter, Qt::Key_Return);
    });
    QTest::mouseClick(child<QPushButton>("cmdZone"), Qt::LeftButton);
    QCOMPARE(listed, QStringList{"Asia/Kolkata"});
    QCOMPARE(form_->birthData().extras.zoneId, std::optional<std::string>("Asia/Kolkata"));
    QCOMPARE(zoneInForce(), QString("Asia/Kolkata: IST, UTC+5:30"));
    QCOMPARE(child<QComboBox>("cmbTimeZone")->currentText(), QString("Indian Time, IST, +5.3"));
    // Madras time before 1906: 5:21:10 ahead.
    setBirthTime(1901, 6, 1, 12, 0);
    QCOMPARE(zoneInForce(), QString("Asia/Kolkata: MMT, UTC+5:21:10 (exact offset used; no list row matches)"));
    QCOMPARE(form_->birthData().extras.utcOffsetSeconds, std::optional<int>(5 * 3600 + 21 * 60 + 10));
  }

  // A time the clocks skipped is refused; a time they showed twice asks which reading.
  void skippedAndDoubledTimesAtCalculation() {
    waitForPlaces();
    QSignalSpy calculated(form_.get(), &InputForm::chartCalculated);
    pickPlace("new york");
    fillValid();
    setBirthTime(2021, 3, 14, 2, 30);
    messages_.clear();
    QVERIFY(!form_->runCalculation());
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(messages_[0].text.startsWith("Clocks went from 02:00 to 03:00 on 14 March 2021 in America/New_York"),
             qPrintable(messages_[0].text));
    QCOMPARE(calculated.count(), 0);

    setBirthTime(2021, 11, 7, 1, 30);
    QStringList asked;
    QString question;
    std::optional<int> answer;
    SetChoiceAskerForTesting([&](QWidget*, const QString& text, const QStringList& answers) {
      asked = answers;
      question = text;
      return answer;
    });
    QVERIFY(!form_->runCalculation());  // cancelled
    QVERIFY2(question.startsWith("01:30 on 7 November 2021 happened twice in America/New_York"), qPrintable(question));
    QCOMPARE(asked, (QStringList{"EDT, UTC-4:00", "EST, UTC-5:00"}));
    QCOMPARE(calculated.count(), 0);
    answer = 1;
    QVERIFY(form_->runCalculation());
    QCOMPARE(form_->birthData().extras.utcOffsetSeconds, std::optional<int>(-5 * 3600));
    // The zone list, its tick and its label show the clock used, the label on one line.
    QCOMPARE(child<QComboBox>("cmbTimeZone")->currentText(), QString("Eastern Standard Time,EST,-5.0"));
    QVERIFY(!child<QCheckBox>("chkDST")->isChecked());
    QCOMPARE(zoneInForce(), QString("America/New_York: EST, UTC-5:00 (chosen; the hour happened twice)"));
    QCOMPARE(form_->birthData().extras.zoneId, std::optional<std::string>("America/New_York"));
    // Once chosen, the reading stands until the birth time changes.
    asked.clear();
    QVERIFY(form_->runCalculation());
    QVERIFY(asked.isEmpty());
    setBirthTime(2021, 11, 7, 1, 31);
    answer = 0;
    QVERIFY(form_->runCalculation());
    QCOMPARE(form_->birthData().extras.utcOffsetSeconds, std::optional<int>(-4 * 3600));
    SetChoiceAskerForTesting({});
    QCOMPARE(calculated.count(), 3);
  }

  // Birth details from a chart file bring their zone and exact offset back as saved.
  void savedZoneAndOffsetAreRestored() {
    BirthData saved = form_->birthData();
    saved.year = 1930;
    saved.monthIndex = 5;
    saved.day = 30;
    saved.hour = 12;
    saved.zonePosition = 20;
    saved.extras = {"Europe/Amsterdam", 3600 + 19 * 60 + 32};
    form_->setBirthData(saved);
    QCOMPARE(form_->birthData().extras, saved.extras);
    QCOMPARE(form_->birthData().zonePosition, 20);
    QCOMPARE(zoneInForce(), QString("Europe/Amsterdam: NST, UTC+1:19:32 (exact offset used; no list row matches)"));
    saved.extras = {};
    form_->setBirthData(saved);
    QCOMPARE(form_->birthData().extras, BirthExtras{});
    QVERIFY(zoneInForce().isEmpty());
  }

  // A missing or damaged place file disables only the search, with one message naming it.
  void unreadablePlaceFileDisablesOnlyTheSearch() {
    const QString missing = placesDir_.filePath("missing.tsv.gz");
    const QString damaged = placesDir_.filePath("damaged.tsv");
    writeFile(damaged, "# header\nMunich\tonly three\tcolumns\n");
    for (const QString& path : {missing, damaged}) {
      qputenv("CORVANE_PLACES", path.toLocal8Bit());
      form_ = std::make_unique<InputForm>();
      QSignalSpy loaded(form_.get(), &InputForm::placesLoaded);
      messages_.clear();
      QVERIFY(loaded.wait(5000));
      QCOMPARE(loaded.front().front().toBool(), false);
      auto* search = child<QLineEdit>("txtPlaceSearch");
      QVERIFY(!search->isEnabled());
      QCOMPARE(messages_.size(), 1);
      QVERIFY2(messages_[0].text.contains(QFileInfo(path).fileName()) || messages_[0].text.contains("line 2"),
               qPrintable(messages_[0].text));
      QCOMPARE(search->toolTip(), messages_[0].text);
      fillValid();
      QVERIFY(form_->runCalculation());  // everything else works
    }
    qputenv("CORVANE_PLACES", placesPath().toLocal8Bit());
  }
};

QTEST_MAIN(InputFormTest)
#include "test_input_form.moc"
