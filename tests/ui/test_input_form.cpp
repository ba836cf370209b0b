// Widget tests of the input form: lists, defaults, key filters, validation messages and focus.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "app/chart_calculation.h"
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
    SetWebPageOpenerForTesting([this](const QString& url) { opened_.push_back(url); });
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
    for (QWidget* w = name; order.size() < 20; w = w->nextInFocusChain())
      if (w->focusPolicy() & Qt::TabFocus) order << w->objectName();
    const QStringList expected = {"txtName", "cboMonth", "cboDate", "cboYear", "cboHH", "cboMM", "cboSS",
                                  "txtMCity", "txtMState", "txtMCountry", "cmdBrowser", "cmbTimeZone",
                                  "chkDST", "txtLonD", "txtLonM", "optLong_0", "optLong_1", "txtLatD",
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
    QCOMPARE(menus, (QStringList{"&File", "  Get My Corvane Reading", "  E&xit", "&Help", "  &Online Help",
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
