// Opens the program's windows one after the other with a sample chart and saves screenshots:
// of the whole (virtual) screen where windows stand together, of one window where its own
// look matters. The tour covers the input form, the result window (with the keyboard on
// the lagna list, and maximized), the interpretation pages (each at its designed size, a
// cascaded pair, one at its smallest size), the about box, then Back and a second chart.
// With --high-dpi after the folder it shoots only the result window and a page, for a run
// with QT_SCALE_FACTOR=2. With --items TAG it shoots what the windows do for the user,
// each file named NN-what-TAG.png: a page grown to show its texts, the focus ring on the
// dark band and in a text box, the compare window over the result window, a typed year
// the list lacks, the zone list after a doubled hour, the message of a link no browser
// opened, the save dialog and the status line after a save (run at 1x, 2x and under each
// font set). Kept settings go to a temporary folder. Run it under Xvfb through
// scripts/screenshots.sh.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "app/birth_data.h"
#include "ui/app_controller.h"
#include "ui/compare_window.h"
#include "ui/vargas_window.h"
#include "ui/file_dialogs.h"
#include "ui/message_presenter.h"
#include "ui/options_dialog.h"
#include "ui/web_links.h"
#include "ui/window_fonts.h"
#include "ui/frame_window.h"
#include "ui/input_form.h"
#include "ui/interpretation_form.h"
#include "ui/result_form.h"
#include "ui/sweep_window.h"
#include "report/sweep_drawing.h"
#include <QPushButton>

using namespace corvane;

namespace {

QString g_out;

void Settle() {
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents();
    QThread::msleep(20);
  }
}

// The whole screen.
void Shoot(const QString& name) {
  Settle();
  QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(g_out).filePath(name + ".png"));
}

// One window as it draws itself.
void ShootWindow(QWidget* window, const QString& name) {
  Settle();
  window->grab().save(QDir(g_out).filePath(name + ".png"));
}

// The birth-time sweep window over the result window: as opened, then after a click 9
// minutes after the given time (the result window shows that reading), then reset.
void ShootSweep(FrameWindow* frame, const QString& name) {
  SweepWindow* sweep = frame->showSweep();
  // Below the result window, so that the picked reading shows beside it.
  sweep->move(0, frame->frameGeometry().bottom() + 10);
  sweep->waitForSweep();
  Settle();
  ShootWindow(sweep, name);
  SweepView* view = sweep->view();
  const SweepGeometry geometry(*view->sweep(), view->timelineArea());
  const QPoint at(qRound(geometry.xOf(AddMinutes(view->sweep()->given, 9))), qRound(geometry.rowRect(8).center().y()));
  QTest::mouseClick(view, Qt::LeftButton, {}, at);
  Settle();
  Shoot(name + "-picked");
  sweep->findChild<QPushButton*>("cmdSweepReset")->click();
  sweep->close();
  frame->raise();
  frame->activateWindow();
  Settle();
}

void HideLagnaForms() {
  for (LagnaFormKind kind : {LagnaFormKind::kOne, LagnaFormKind::kTwo})
    if (InterpretationForm* form = ExistingLagnaForm(kind)) form->hide();
}

// Types text into the focused widget key by key, as the user would.
void Type(QWidget* widget, const QString& text) {
  widget->setFocus();
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
  }
}

// Shoots the screen once the modal window that `open` brings up is there, then closes it.
void ShootModal(const QString& name, const std::function<void()>& open) {
  QTimer::singleShot(400, [name] {
    Shoot(name);
    if (QWidget* modal = QApplication::activeModalWidget()) {
      if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
      else
        modal->close();
    }
  });
  open();
}

// The shots of what the windows do for the user, named NN-what-TAG.png.
int ShootItems(AppController& controller, const QString& tag) {
  auto name = [&](const char* what) { return QString("%1-%2").arg(what, tag); };
  InputForm* input = controller.inputForm();
  QRect room = QGuiApplication::primaryScreen()->availableGeometry();

  // Say what was refused: a typed year the list lacks.
  QComboBox* year = input->findChild<QComboBox*>("cboYear");
  input->activateWindow();
  year->setFocus();
  Settle();
  QTest::keyClicks(year, "1880");
  Shoot(name("40-year-refused"));

  // The doubled hour of the end of summer time in Berlin, answered "CET, UTC+1:00": the
  // zone list and its label show the clock used.
  BirthData birth = input->birthData();
  birth.year = 2021;
  birth.monthIndex = 9;
  birth.day = 31;
  birth.hour = 2;
  birth.minute = 30;
  birth.extras = {"Europe/Berlin", std::nullopt};
  input->setBirthData(birth);
  SetChoiceAskerForTesting([](QWidget*, const QString&, const QStringList&) { return std::optional<int>(1); });
  if (!input->runCalculation()) return 1;
  SetChoiceAskerForTesting({});
  // Its sweep over ±60 min: the doubled hour twice on the time axis, CEST then CET.
  QSettings("Corvane", "Corvane").setValue("sweep/minutes", 60);
  if (SweepWindow* sweep = controller.frameWindow()->showSweep()) {
    sweep->waitForSweep();
    ShootWindow(sweep, name("41a-doubled-hour-sweep"));
    sweep->close();
  }
  controller.frameWindow()->findChild<QAction*>("mnuBack")->trigger();
  Shoot(name("41-doubled-hour-zone"));

  // Back to the sample chart.
  birth.year = 1975;
  birth.monthIndex = 5;
  birth.day = 5;
  birth.hour = 7;
  birth.minute = 5;
  birth.extras = {};
  birth.zonePosition = 34;
  input->setBirthData(birth);
  if (!input->runCalculation()) return 1;
  FrameWindow* frame = controller.frameWindow();
  frame->move(room.topLeft());
  ResultForm* result = frame->resultForm();

  // Texts shown whole: the page opens as large as its texts need where the screen allows.
  result->openLagnaPage(5);
  Shoot(name("42-page-grown"));
  // The focus ring in a text box of the page.
  InterpretationForm* one = ExistingLagnaForm(LagnaFormKind::kOne);
  if (auto* box = one->findChild<QPlainTextEdit*>("txtNatureIL")) {
    one->activateWindow();
    box->setFocus();
  }
  ShootWindow(one, name("43-textbox-focus"));
  HideLagnaForms();

  // The focus ring on the dark band.
  frame->activateWindow();
  frame->findChild<QPushButton*>("cmdSave")->setFocus();
  ShootWindow(frame, name("44-band-focus"));

  // The compare window over the result window, with its Close button.
  frame->findChild<QAction*>("mnuCompare")->trigger();
  Shoot(name("45-compare-over-result"));
  if (QWidget* compare = frame->findChild<CompareWindow*>("frmCompare")) compare->close();

  // The navamsa in the result window, then the Vargas window over it.
  result->showVarga(5);
  ShootWindow(frame, name("45a-navamsa"));
  frame->findChild<QAction*>("mnuVargas")->trigger();
  if (QWidget* vargas = frame->findChild<VargasWindow*>("frmVargas")) {
    ShootWindow(vargas, name("45b-vargas-window"));
    vargas->close();
  }
  result->showVarga(0);

  // A link no browser opened: the readable address, selected, with a Copy button.
  SetWebPageOpenerForTesting([](const QString&) { return false; });
  ShootModal(name("46-link-failed"), [&] {
    OpenWebPage(CoordinateSearchUrl(QString::fromUtf8("München Bavaria Germany Latitude Longitude")), frame);
  });
  SetWebPageOpenerForTesting({});

  // The true node with the element method: the message names the window's lists.
  ShootModal(name("47-true-node-message"), [&] {
    ShowMessage(frame, SettingsMessageForWindows(kTrueNodeNeedsPreciseMessage), MessageIcon::Error);
  });

  // The save dialog: its title, the suggested name and the last folder used.
  QTemporaryDir folder;
  RememberFolderOf(folder.filePath("earlier.zdh"));
  ShootModal(name("48-save-dialog"), [&] { frame->saveChart(); });
  // The status line after a save.
  SetFileChooserForTesting([&](FileDialogKind) { return folder.filePath("RAM_KUMAR_1975-06-05.zdh"); });
  frame->saveChart();
  SetFileChooserForTesting({});
  ShootWindow(frame, name("49-saved-status"));
  DestroyLagnaForms();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // The kept sizes, places and folders of this run stay in a folder of its own.
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  QApplication app(argc, argv);
  KeepTheDefaultFontProportional();
  g_out = argc > 1 ? argv[1] : "screenshots";
  QDir().mkpath(g_out);
  const bool highDpi = argc > 2 && QString(argv[2]) == "--high-dpi";
  const bool items = argc > 3 && QString(argv[2]) == "--items";

  AppController controller;
  controller.start();
  InputForm* input = controller.inputForm();
  input->move(20, 20);
  input->findChild<QLineEdit*>("txtName")->setText("RAM KUMAR");
  input->findChild<QComboBox*>("cboMonth")->setCurrentIndex(5);
  input->findChild<QComboBox*>("cboDate")->setCurrentIndex(4);
  input->findChild<QComboBox*>("cboYear")->setCurrentText("1975");
  input->findChild<QComboBox*>("cboHH")->setCurrentIndex(7);
  input->findChild<QComboBox*>("cboMM")->setCurrentIndex(5);
  input->findChild<QComboBox*>("cmbTimeZone")->setCurrentIndex(34);
  input->findChild<QLineEdit*>("txtMCity")->setText("New Delhi");
  input->findChild<QLineEdit*>("txtMState")->setText("Delhi");
  input->findChild<QLineEdit*>("txtMCountry")->setText("India");
  input->findChild<QLineEdit*>("txtLonD")->setText("77");
  input->findChild<QLineEdit*>("txtLonM")->setText("13");
  input->findChild<QLineEdit*>("txtLatD")->setText("28");
  input->findChild<QLineEdit*>("txtLatM")->setText("36");
  if (items) return ShootItems(controller, argv[3]);
  if (!highDpi) {
    Shoot("01-input-form");
    const QSize inputSize = input->size();
    input->resize(input->minimumSizeHint());
    ShootWindow(input, "02-input-form-smallest");
    input->resize(inputSize);
  }

  if (!input->runCalculation()) return 1;
  FrameWindow* frame = controller.frameWindow();
  frame->move(0, 0);
  ResultForm* result = frame->resultForm();
  if (highDpi) {
    const QString scale = QString::number(frame->devicePixelRatio());
    Shoot("30-result-window-scale" + scale);
    result->openLagnaPage(7);
    Shoot("31-upapada-scale" + scale);
    DestroyLagnaForms();
    ShootSweep(frame, "32-sweep-scale" + scale);
    return 0;
  }
  Shoot("03-result-window");
  ShootSweep(frame, "03b-sweep");

  // The keyboard on the lagna list: two steps down from the first entry.
  frame->activateWindow();
  result->focusLagnaList();
  for (int i = 0; i < 2; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  ShootWindow(frame, "04-lagna-list-focused");

  result->openLagnaPage(0);
  Shoot("05-arudha-details");
  InterpretationForm* one = ExistingLagnaForm(LagnaFormKind::kOne);
  one->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(0);
  Shoot("06-arudha-reading");
  HideLagnaForms();
  result->openLagnaPage(8);
  Shoot("07-pranapada");
  result->openLagnaPage(12);
  Shoot("08-ascendant");
  result->openLagnaPage(7);
  Shoot("09-upapada-details");
  InterpretationForm* two = ExistingLagnaForm(LagnaFormKind::kTwo);
  two->findChild<QTabWidget*>("tabUpapada")->setCurrentIndex(1);
  Shoot("10-upapada-reading");
  HideLagnaForms();
  // The pages with a fixed significance text, each window at its designed size.
  const struct {
    int index;
    const char* name;
  } pages[] = {{1, "11-bhava"}, {2, "12-hora"}, {3, "13-ghati"}, {4, "14-sree"}, {5, "15-indu"}, {6, "16-paka"},
               {9, "17-varnada"}};
  for (const auto& page : pages) {
    result->openLagnaPage(page.index);
    ShootWindow(ExistingLagnaForm(FormKindForLagna(page.index)), page.name);
  }
  HideLagnaForms();

  // Two pages opened one after the other stand apart.
  result->openLagnaPage(2);
  result->openLagnaPage(12);
  Shoot("18-cascaded-pages");
  HideLagnaForms();

  // The smallest page window.
  result->openLagnaPage(2);
  one->resize(one->minimumSize());
  ShootWindow(one, "19-page-smallest");
  one->resize(one->sizeHint().expandedTo(QSize(796, 543)));
  HideLagnaForms();

  // The result window maximized (without a window manager the screen's room is taken).
  frame->showMaximized();
  Settle();
  if (frame->width() < QGuiApplication::primaryScreen()->availableGeometry().width() - 50)
    frame->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
  Shoot("20-result-maximized");
  frame->showNormal();
  frame->setGeometry(0, 0, 1013, 700);

  // The print preview of the reading is modal too.
  QTimer::singleShot(300, [&] {
    Shoot("20b-print-preview");
    if (QWidget* preview = QApplication::activeModalWidget()) preview->close();
  });
  frame->findChild<QAction*>("mnuPrint")->trigger();

  // The about box is modal: shoot it once it is up, then close it.
  QTimer::singleShot(100, [&] {
    Shoot("21-about");
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  frame->findChild<QAction*>("mnuAbout")->trigger();

  // Back, then a second chart typed in, accented name included, in a fresh frame window.
  frame->findChild<QAction*>("mnuBack")->trigger();
  auto* name = input->findChild<QLineEdit*>("txtName");
  name->clear();
  Type(name, QString::fromUtf8("josé núñez"));
  QComboBox* year = input->findChild<QComboBox*>("cboYear");
  year->setFocus();
  QTest::keyClicks(year, "1990");
  Shoot("22-after-back");
  if (!input->runCalculation()) return 1;
  controller.frameWindow()->move(0, 0);
  Shoot("23-second-chart");

  // A chart of a doubled hour, its later reading chosen: the clock row names the zone, the
  // offset and the reading, the time its seconds.
  controller.frameWindow()->findChild<QAction*>("mnuBack")->trigger();
  const BirthData doubled{.name = "ZOË MÜLLER", .monthIndex = 9, .day = 31, .year = 2021, .hour = 2, .minute = 30,
                         .second = 15, .city = "München", .state = "Bavaria", .country = "Germany",
                         .lonDegrees = "11", .lonMinutes = "35", .latDegrees = "48", .latMinutes = "8",
                         .extras = {"Europe/Berlin", 3600, DoubledHour::kLater}, .place = {}, .placeFilled = {}};
  input->setBirthData(doubled);
  if (!input->runCalculation()) return 1;
  controller.frameWindow()->move(0, 0);
  Shoot("24-doubled-hour-chart");
  DestroyLagnaForms();
  return 0;
}
