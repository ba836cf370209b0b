// Widget tests of the window swap, the frame window's buttons, the chart file round trip
// through the dialogs and the second-copy check.
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QLockFile>
#include <QMenuBar>
#include <QSignalSpy>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

#include "tests/ui/own_settings.h"
#include "ui/app_controller.h"
#include "ui/file_dialogs.h"
#include "ui/frame_window.h"
#include "ui/input_form.h"
#include "ui/interpretation_form.h"
#include "ui/message_presenter.h"
#include "ui/result_form.h"
#include "ui/single_instance.h"
#include "ui/twips.h"
#include "ui/unsaved_reading.h"

using namespace corvane;

class NavigationTest : public QObject {
  Q_OBJECT

  QStringList messages_;

  static void fill(InputForm* form, const char* name, int year) {
    form->findChild<QLineEdit*>("txtName")->setText(name);
    form->findChild<QComboBox*>("cboMonth")->setCurrentIndex(5);
    form->findChild<QComboBox*>("cboDate")->setCurrentIndex(4);
    form->findChild<QComboBox*>("cboYear")->setCurrentText(QString::number(year));
    form->findChild<QComboBox*>("cboHH")->setCurrentIndex(7);
    form->findChild<QComboBox*>("cboMM")->setCurrentIndex(5);
    form->findChild<QComboBox*>("cmbTimeZone")->setCurrentIndex(34);
    form->findChild<QLineEdit*>("txtLonD")->setText("77");
    form->findChild<QLineEdit*>("txtLonM")->setText("13");
    form->findChild<QLineEdit*>("txtLatD")->setText("28");
    form->findChild<QLineEdit*>("txtLatM")->setText("36");
  }

  // Starts the program and calculates the sample chart; the frame window that shows it.
  static FrameWindow* Calculated(AppController& app) {
    app.start();
    fill(app.inputForm(), "RAM", 1975);
    return app.inputForm()->runCalculation() ? app.frameWindow() : nullptr;
  }

 private slots:
  void init() {
    corvane::testing::ForgetKeptSettings();
    messages_.clear();
    SetMessageSinkForTesting([this](QWidget*, const QString& t, MessageIcon) { messages_.push_back(t); });
  }
  void cleanup() { DestroyLagnaForms(); }

  void calculationSwapsWindowsAndBackReturns() {
    AppController app;
    app.start();
    InputForm* input = app.inputForm();
    QVERIFY(QTest::qWaitForWindowExposed(input));

    // A failed validation keeps the input form.
    QVERIFY(!input->runCalculation());
    QVERIFY(input->isVisible());
    QVERIFY(app.frameWindow() == nullptr);

    fill(input, "RAM", 1975);
    QVERIFY(input->runCalculation());
    QVERIFY(!input->isVisible());
    QPointer<FrameWindow> first = app.frameWindow();
    QVERIFY(first && first->isVisible());
    QCOMPARE(first->chart()->birth.year, 1975);

    // A page left open explains the old chart: Back takes it off the screen with the frame.
    first->resultForm()->openLagnaPage(3);
    QVERIFY(ExistingLagnaForm(LagnaFormKind::kOne)->isVisible());
    first->findChild<QPushButton*>("cmdBack")->click();
    QVERIFY(!ExistingLagnaForm(LagnaFormKind::kOne)->isVisible());
    QVERIFY(input->isVisible());
    QCOMPARE(input->findChild<QLineEdit*>("txtName")->text(), QString("RAM"));  // values kept
    QTRY_VERIFY(first.isNull());  // the frame window is unloaded

    fill(input, "SITA", 1990);
    QVERIFY(input->runCalculation());
    QVERIFY(app.frameWindow() && app.frameWindow()->isVisible());
    QCOMPARE(app.frameWindow()->chart()->birth.year, 1990);
  }

  void exitOrClosingEndsTheProgramWithPagesOpen() {
    int asked = 0;
    SetQuestionAskerForTesting([&](QWidget*, const QString&) { return ++asked, true; });
    for (int way = 0; way < 4; ++way) {
      AppController app;
      QSignalSpy exits(&app, &AppController::exitRequested);
      app.start();
      fill(app.inputForm(), "RAM", 1975);
      QVERIFY(app.inputForm()->runCalculation());
      FrameWindow* frame = app.frameWindow();
      frame->resultForm()->openLagnaPage(12);
      QVERIFY(ExistingLagnaForm(LagnaFormKind::kTwo)->isVisible());
      if (way == 0) frame->findChild<QPushButton*>("cmdExit")->click();
      if (way == 1) frame->findChild<QAction*>("mnuExit")->trigger();
      if (way == 2) frame->close();
      if (way == 3) frame->findChild<QPushButton*>("cmdBack")->click(), app.inputForm()->close();
      QVERIFY2(exits.count() >= 1, qPrintable(QString::number(way)));
      QCOMPARE(asked, way + 1);  // the reading was never saved: asked once
    }
    SetQuestionAskerForTesting({});
  }

  // Leaving with a reading never saved asks first: No keeps the program and its window;
  // after a save, or with the question turned off in the File menu, nobody is asked.
  void leavingWithAnUnsavedReadingAsksFirst() {
    QTemporaryDir folder;
    QStringList questions;
    bool answer = false;
    SetQuestionAskerForTesting([&](QWidget*, const QString& text) { return questions << text, answer; });
    SetFileChooserForTesting([&](FileDialogKind) { return folder.filePath("ram.zdh"); });
    for (int way = 0; way < 3; ++way) {
      AppController app;
      QSignalSpy exits(&app, &AppController::exitRequested);
      FrameWindow* frame = Calculated(app);
      QVERIFY(frame);
      frame->show();
      questions.clear();
      if (way == 0) frame->findChild<QPushButton*>("cmdExit")->click();
      if (way == 1) frame->close();
      if (way == 2) frame->findChild<QPushButton*>("cmdBack")->click(), app.inputForm()->close();
      QCOMPARE(questions.size(), 1);
      QVERIFY2(questions[0].contains(QStringLiteral("RAM")), qPrintable(questions[0]));
      QCOMPARE(exits.count(), 0);
      QVERIFY(way == 2 ? app.inputForm()->isVisible() : frame->isVisible());
    }
    {
      AppController app;
      QSignalSpy exits(&app, &AppController::exitRequested);
      FrameWindow* frame = Calculated(app);
      frame->findChild<QPushButton*>("cmdSave")->click();
      questions.clear();
      frame->findChild<QPushButton*>("cmdExit")->click();
      QVERIFY(questions.isEmpty());
      QCOMPARE(exits.count(), 1);
    }
    {
      AppController app;
      QSignalSpy exits(&app, &AppController::exitRequested);
      FrameWindow* frame = Calculated(app);
      QAction* ask = frame->findChild<QAction*>("mnuAskBeforeLeaving");
      QVERIFY(ask && ask->isChecked());
      ask->trigger();  // turned off, and kept
      QVERIFY(!AskBeforeLeavingUnsaved());
      questions.clear();
      frame->findChild<QPushButton*>("cmdExit")->click();
      QVERIFY(questions.isEmpty());
      QCOMPARE(exits.count(), 1);
    }
    SetQuestionAskerForTesting({});
    SetFileChooserForTesting({});
  }

  void frameMenusAndButtonsFollowingTheRightEdge() {
    FrameWindow frame;
    // The frame opens wholly on the screen, however small (the offscreen screen is 800 x 600).
    QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(frame.geometry()));
    QCOMPARE(frame.objectName(), QString("MDI"));
    QCOMPARE(frame.windowTitle(), QString("Corvane v1.25"));
    QStringList menus;
    for (QAction* menu : frame.menuBar()->actions()) {
      menus << menu->text();
      for (QAction* item : menu->menu()->actions()) menus << "  " + (item->isSeparator() ? "-" : item->text());
    }
    QCOMPARE(menus, (QStringList{"&File", "  Print\u2026", "  Export PDF\u2026", "  Export Chart Picture\u2026", "  -",
                                 "  &Back", "  Compare conventions", "  &Vargas",
                                 QString::fromUtf8("  Birth-time &sweep\u2026"), "  -", "  &Add to Collection",
                                 QString::fromUtf8("  Chart Collection\u2026"), "  Open &Recent",
                                 QString::fromUtf8("  Import Chart Files\u2026"), QString::fromUtf8("  Collection Settings\u2026"), "  -", QString::fromUtf8("  Options\u2026"),
                                 "  Ask Before Leaving an Unsaved Reading", "  E&xit", "&Help", "  &Online Help", "  &Visit Us Online",
                                 "  -", "  Check for Software &Update", "  -", "  &About Software"}));
    auto* exit = frame.findChild<QPushButton*>("cmdExit");
    auto* back = frame.findChild<QPushButton*>("cmdBack");
    auto* save = frame.findChild<QPushButton*>("cmdSave");
    QCOMPARE(QStringList({save->text(), back->text(), exit->text()}), QStringList({"&Save", "&Back", "E&xit"}));
    frame.show();
    for (int width : {900, 1300}) {
      frame.resize(width, 700);
      QTest::qWait(1);
      QCOMPARE(exit->x() + exit->width(), frame.width() - Twips(300));
      QCOMPARE(back->x(), exit->x() - exit->width() - Twips(100));
      QCOMPARE(save->x(), back->x() - back->width() - Twips(100));
    }
  }

  // The result form fills the frame and grows with it; the keyboard starts on the lagna list
  // and Tab goes from the toolbar buttons into the result form without stopping on its frame.
  void resultFormFillsTheFrame() {
    AppController app;
    FrameWindow* frame = Calculated(app);
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QTRY_COMPARE(QApplication::focusWidget(), frame->findChild<QWidget*>("Label8_0"));
    ResultForm* result = frame->resultForm();
    frame->resize(1500, 1100);
    QTRY_VERIFY(result->width() > 1400 && result->height() > result->minimumHeight() + 200);
    QStringList stops;
    frame->findChild<QPushButton*>("cmdExit")->setFocus();
    for (int i = 0; i < 4; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      stops << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(stops, (QStringList{"Label8_0", "cmdShowChart", "Label5", "Label7"}));
  }

  void saveThenOpenThroughTheDialogs() {
    QTemporaryDir dir;
    const QString path = dir.filePath("chart.zdh");
    AppController app;
    app.start();
    fill(app.inputForm(), "RAM", 1975);
    app.inputForm()->findChild<QRadioButton*>("optLong_1")->setChecked(true);
    QVERIFY(app.inputForm()->runCalculation());

    SetFileChooserForTesting([&](FileDialogKind kind) { return kind == FileDialogKind::Save ? path : QString(); });
    app.frameWindow()->findChild<QPushButton*>("cmdSave")->click();
    QVERIFY(QFile::exists(path));

    // A different chart on the form, then open the saved one: the form and the chart follow.
    app.frameWindow()->findChild<QPushButton*>("cmdBack")->click();
    fill(app.inputForm(), "SITA", 2001);
    SetFileChooserForTesting([&](FileDialogKind kind) { return kind == FileDialogKind::Open ? path : QString(); });
    app.inputForm()->findChild<QPushButton*>("cmdOpen")->click();
    QCOMPARE(app.inputForm()->findChild<QLineEdit*>("txtName")->text(), QString("RAM"));
    QVERIFY(app.inputForm()->findChild<QRadioButton*>("optLong_1")->isChecked());
    QCOMPARE(app.currentChart()->birth.year, 1975);
    QCOMPARE(app.currentChart()->clock.zonePosition, 34);

    // Cancelling writes and opens nothing; a name in capitals is refused.
    SetFileChooserForTesting([](FileDialogKind) { return QString(); });
    app.inputForm()->findChild<QPushButton*>("cmdOpen")->click();
    QVERIFY(messages_.isEmpty());
    app.inputForm()->openChartFile(dir.filePath("CHART.ZDH"));
    QCOMPARE(messages_, QStringList{"Please Check The File."});
    SetFileChooserForTesting({});
  }

  // Every control of the form that holds birth details as one comparable list (the place
  // search box only looks places up, a chart file does not set it).
  static QStringList formValues(InputForm* form) {
    QStringList values;
    for (QComboBox* box : form->findChildren<QComboBox*>()) values << box->objectName() + "=" + box->currentText();
    for (QLineEdit* edit : form->findChildren<QLineEdit*>())
      if (!edit->objectName().isEmpty() && edit->objectName() != "txtPlaceSearch") values << edit->objectName() + "=" + edit->text();
    for (QAbstractButton* tick : form->findChildren<QAbstractButton*>())
      if (tick->isCheckable()) values << tick->objectName() + "=" + (tick->isChecked() ? "1" : "0");
    return values;
  }

  // Opening sets every control from the file: the birth second too, and 0 for a file of the
  // 17-line layout, which has none.
  void openingSetsEveryControlFromTheFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("late.zdh");
    AppController app;
    app.start();
    InputForm* input = app.inputForm();
    fill(input, "RAM", 1975);
    input->findChild<QComboBox*>("cboHH")->setCurrentIndex(23);
    input->findChild<QComboBox*>("cboMM")->setCurrentIndex(12);
    input->findChild<QComboBox*>("cboSS")->setCurrentIndex(59);
    input->findChild<QLineEdit*>("txtMCity")->setText("New Delhi");
    QVERIFY(input->runCalculation());
    const QStringList saved = formValues(input);
    const int pranapada = app.currentChart()->lagnas.pranapadaHouse;
    SetFileChooserForTesting([&](FileDialogKind) { return path; });
    app.frameWindow()->findChild<QPushButton*>("cmdSave")->click();
    app.frameWindow()->findChild<QPushButton*>("cmdBack")->click();

    // Every control changed, then the file opened.
    fill(input, "SITA", 2001);
    input->findChild<QComboBox*>("cboSS")->setCurrentIndex(10);
    input->findChild<QLineEdit*>("txtMCity")->setText("Pune");
    input->findChild<QLineEdit*>("txtMState")->setText("Maharashtra");
    input->findChild<QLineEdit*>("txtMCountry")->setText("India");
    input->findChild<QCheckBox*>("chkDST")->setChecked(true);
    input->findChild<QRadioButton*>("optLong_1")->setChecked(true);
    input->findChild<QRadioButton*>("optLat_1")->setChecked(true);
    input->findChild<QLineEdit*>("txtLatD")->setText("18");
    input->findChild<QLineEdit*>("txtLatM")->setText("31");
    input->findChild<QLineEdit*>("txtLonD")->setText("73");
    input->findChild<QLineEdit*>("txtLonM")->setText("51");
    input->findChild<QComboBox*>("cboMonth")->setCurrentIndex(2);
    input->findChild<QComboBox*>("cboDate")->setCurrentIndex(9);
    input->findChild<QComboBox*>("cboHH")->setCurrentIndex(4);
    input->findChild<QComboBox*>("cboMM")->setCurrentIndex(40);
    input->findChild<QComboBox*>("cmbTimeZone")->setCurrentIndex(20);
    const QStringList changed = formValues(input);
    for (int i = 0; i < saved.size(); ++i) QVERIFY2(changed[i] != saved[i], qPrintable(saved[i]));
    input->openChartFile(path);
    QCOMPARE(formValues(input), saved);
    QCOMPARE(app.currentChart()->birth.second, 59);
    QCOMPARE(app.currentChart()->lagnas.pranapadaHouse, pranapada);

    app.frameWindow()->findChild<QPushButton*>("cmdBack")->click();
    input->openChartFile(QString(CORVANE_TEST_DATA_DIR) + "/delhi_1975.zdh");
    QCOMPARE(input->findChild<QComboBox*>("cboSS")->currentText(), QString("0"));
    QCOMPARE(input->findChild<QLineEdit*>("txtName")->text(), QString("RAM KUMAR"));
    QVERIFY(messages_.isEmpty());
    SetFileChooserForTesting({});
  }

  // A file that is not a chart is refused with one message; the form keeps every value and
  // the chart on screen is not recalculated.
  void aFileThatIsNotAChartChangesNothing() {
    QTemporaryDir dir;
    AppController app;
    app.start();
    InputForm* input = app.inputForm();
    fill(input, "RAM", 1975);
    QVERIFY(input->runCalculation());
    const Chart* shown = app.currentChart();
    app.frameWindow()->findChild<QPushButton*>("cmdBack")->click();
    fill(input, "SITA", 2001);
    const QStringList before = formValues(input);
    QSignalSpy calculated(input, &InputForm::chartCalculated);

    QFile chart(QString(CORVANE_TEST_DATA_DIR) + "/delhi_1975.zdh");
    QVERIFY(chart.open(QIODevice::ReadOnly));
    const QByteArray lines = chart.readAll();
    QByteArray binary;
    for (int i = 0; i < 2048; ++i) binary.append(static_cast<char>(i * 7919 % 251));
    const std::pair<const char*, QByteArray> files[] = {
        {"x.zdh", "x"},
        {"empty.zdh", ""},
        {"binary.zdh", binary},
        {"short.zdh", lines.left(lines.lastIndexOf("\r\n", lines.size() - 3) + 2)},
        {"huge.zdh", lines + QByteArray(100000, '\x96')},
    };
    for (const auto& [name, bytes] : files) {
      messages_.clear();
      QFile file(dir.filePath(name));
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(bytes);
      file.close();
      input->openChartFile(file.fileName());
      QCOMPARE(messages_, QStringList{"Please Check The File."});
      QCOMPARE(formValues(input), before);
      QCOMPARE(calculated.count(), 0);
      QCOMPARE(app.currentChart(), shown);
    }
  }

  // A save that fails part-way (here: the file size limit) says so and leaves the chart file
  // that was there byte for byte.
  void aFailedSaveKeepsTheOldFileAndSaysSo() {
    QTemporaryDir dir;
    const QString path = dir.filePath("chart.zdh");
    AppController app;
    app.start();
    fill(app.inputForm(), "RAM", 1975);
    QVERIFY(app.inputForm()->runCalculation());
    SetFileChooserForTesting([&](FileDialogKind) { return path; });
    app.frameWindow()->findChild<QPushButton*>("cmdSave")->click();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray old = file.readAll();
    file.close();

    app.frameWindow()->findChild<QPushButton*>("cmdBack")->click();
    fill(app.inputForm(), "SITA", 2001);
    QVERIFY(app.inputForm()->runCalculation());
    // Writes beyond 16 bytes fail with EFBIG for as long as the limit holds.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlim_t previous = limit.rlim_cur;
    limit.rlim_cur = 16;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
    app.frameWindow()->findChild<QPushButton*>("cmdSave")->click();
    limit.rlim_cur = previous;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
    std::signal(SIGXFSZ, previousHandler);
    SetFileChooserForTesting({});

    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"chart.zdh"});
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(messages_[0].contains("could not be saved") && messages_[0].contains("unchanged"), qPrintable(messages_[0]));
  }

  // Two copies in one process: the second asks the first to come forward over the local
  // socket, is told "Application is already running", and the first's window is restored.
  void secondCopyBringsTheFirstForward() {
    QTemporaryDir dir;
    const QString lock = dir.filePath("corvane.lock");
    const QString server = "corvane-test-" + QString::number(QCoreApplication::applicationPid());
    AppController app;
    app.start();
    InputForm* input = app.inputForm();
    QVERIFY(QTest::qWaitForWindowExposed(input));
    {
      SingleInstance first(lock, server);
      QVERIFY(first.isFirst());
      QVERIFY(!ReportIfAlreadyRunning(first));
      QSignalSpy requests(&first, &SingleInstance::activationRequested);
      connect(&first, &SingleInstance::activationRequested, &app, &AppController::bringToFront);
      input->showMinimized();
      QTRY_VERIFY(input->windowState() & Qt::WindowMinimized);

      SingleInstance second(lock, server);
      QVERIFY(!second.isFirst());
      QVERIFY(ReportIfAlreadyRunning(second));
      QCOMPARE(messages_, QStringList{"Application is already running"});
      QTRY_COMPARE(requests.count(), 1);
      QVERIFY(!(input->windowState() & Qt::WindowMinimized));
      QVERIFY(input->isVisible());
      QTRY_COMPARE(QApplication::activeWindow(), input);
      QVERIFY(first.isFirst());  // the running copy is unaffected
    }
    // When the first copy does not listen, the request fails and the message still comes.
    QLockFile held(dir.filePath("other.lock"));
    QVERIFY(held.tryLock(0));
    SingleInstance unheard(dir.filePath("other.lock"), server + "-none");
    QVERIFY(!unheard.isFirst());
    QVERIFY(!unheard.requestActivation());
    QVERIFY(ReportIfAlreadyRunning(unheard));
    QCOMPARE(messages_.size(), 2);

    // A lock left by a copy that crashed names a process that no longer exists.
    QFile stale(lock);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("2147480000\ncorvane\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    SingleInstance next(lock, server);
    QVERIFY(next.isFirst());
  }

  void bringToFrontPicksTheFrameAfterACalculation() {
    AppController app;
    FrameWindow* frame = Calculated(app);
    frame->showMinimized();
    app.bringToFront();
    QVERIFY(!(frame->windowState() & Qt::WindowMinimized));
    QVERIFY(!app.inputForm()->isVisible());
  }
};

QTEST_MAIN(NavigationTest)
#include "test_navigation.moc"
