// Widget tests of the window swap, the frame window's buttons, the chart file round trip
// through the dialogs and the second-copy check.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QLockFile>
#include <QMenuBar>
#include <QSignalSpy>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "ui/app_controller.h"
#include "ui/file_dialogs.h"
#include "ui/frame_window.h"
#include "ui/input_form.h"
#include "ui/interpretation_form.h"
#include "ui/message_presenter.h"
#include "ui/result_form.h"
#include "ui/single_instance.h"
#include "ui/twips.h"

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

 private slots:
  void init() {
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
    QCOMPARE(first->chart()->BirthYear, 1975);

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
    QCOMPARE(app.frameWindow()->chart()->BirthYear, 1990);
  }

  void exitOrClosingEndsTheProgramWithPagesOpen() {
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
    }
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
                                 "  &Back", "  E&xit", "&Help", "  &Online Help", "  &Visit Us Online",
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
    QCOMPARE(app.currentChart()->BirthYear, 1975);
    QCOMPARE(app.currentChart()->ZonePosition, 34);

    // Cancelling writes and opens nothing; a name in capitals is refused.
    SetFileChooserForTesting([](FileDialogKind) { return QString(); });
    app.inputForm()->findChild<QPushButton*>("cmdOpen")->click();
    QVERIFY(messages_.isEmpty());
    app.inputForm()->openChartFile(dir.filePath("CHART.ZDH"));
    QCOMPARE(messages_, QStringList{"Please Check The File."});
    SetFileChooserForTesting({});
  }

  void secondCopyIsToldAndStaleLocksAreTakenOver() {
    QTemporaryDir dir;
    const QString lock = dir.filePath("corvane.lock");
    {
      SingleInstance first(lock);
      QVERIFY(first.isFirst());
      QVERIFY(!ReportIfAlreadyRunning(first));
      SingleInstance second(lock);
      QVERIFY(!second.isFirst());
      QVERIFY(ReportIfAlreadyRunning(second));
      QCOMPARE(messages_, QStringList{"Application is already running"});
      QVERIFY(first.isFirst());  // the running copy is unaffected
    }
    // A lock left by a copy that crashed names a process that no longer exists.
    QFile stale(lock);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("2147480000\ncorvane\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    SingleInstance next(lock);
    QVERIFY(next.isFirst());
  }
};

QTEST_MAIN(NavigationTest)
#include "test_navigation.moc"
