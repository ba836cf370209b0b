// Opens the program's windows one after the other with a sample chart and saves a screenshot
// of the whole (virtual) screen for each: the input form, the result window, the
// interpretation pages, the print preview and the about box, then Back and a second chart.
// With --high-dpi after the folder it shoots only the result window and a page, for a run
// with QT_SCALE_FACTOR=2. Run it under Xvfb through scripts/screenshots.sh.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include "ui/app_controller.h"
#include "ui/frame_window.h"
#include "ui/input_form.h"
#include "ui/interpretation_form.h"
#include "ui/result_form.h"

using namespace corvane;

namespace {

void Settle() {
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents();
    QThread::msleep(20);
  }
}

void Shoot(const QString& dir, const QString& name) {
  Settle();
  QScreen* screen = QGuiApplication::primaryScreen();
  screen->grabWindow(0).save(QDir(dir).filePath(name + ".png"));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString out = argc > 1 ? argv[1] : "screenshots";
  const bool highDpi = argc > 2 && QString(argv[2]) == "--high-dpi";
  QDir().mkpath(out);

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
  if (!highDpi) Shoot(out, "1-input-form");

  if (!input->runCalculation()) return 1;
  FrameWindow* frame = controller.frameWindow();
  frame->move(0, 0);
  ResultForm* result = frame->resultForm();
  if (highDpi) {
    const QString scale = QString::number(frame->devicePixelRatio());
    Shoot(out, "20-result-window-scale" + scale);
    result->openLagnaPage(7);
    Shoot(out, "21-upapada-scale" + scale);
    DestroyLagnaForms();
    return 0;
  }
  Shoot(out, "2-result-window");

  result->openLagnaPage(0);
  Shoot(out, "3-arudha-details");
  if (auto* tabs = ExistingLagnaForm(LagnaFormKind::kOne)->findChild<QTabWidget*>("SSTab1")) {
    tabs->setCurrentIndex(0);
    Shoot(out, "4-arudha-reading");
  }
  ExistingLagnaForm(LagnaFormKind::kOne)->hide();
  result->openLagnaPage(8);
  Shoot(out, "5-pranapada");
  result->openLagnaPage(12);
  Shoot(out, "6-ascendant");
  result->openLagnaPage(7);
  Shoot(out, "7-upapada");
  ExistingLagnaForm(LagnaFormKind::kTwo)->hide();
  result->openLagnaPage(2);
  Shoot(out, "8-hora");
  // The pages with a fixed significance text.
  const struct {
    int index;
    const char* name;
  } more[] = {{3, "9-ghati"}, {4, "10-sree"}, {5, "11-indu"}, {6, "12-paka"}, {9, "13-varnada"}};
  for (const auto& page : more) {
    result->openLagnaPage(page.index);
    Shoot(out, page.name);
  }
  ExistingLagnaForm(LagnaFormKind::kOne)->hide();
  ExistingLagnaForm(LagnaFormKind::kTwo)->hide();

  // The print preview of the reading is modal too.
  QTimer::singleShot(300, [&] {
    Shoot(out, "14-print-preview");
    if (QWidget* preview = QApplication::activeModalWidget()) preview->close();
  });
  frame->findChild<QAction*>("mnuPrint")->trigger();

  // The about box is modal: shoot it once it is up, then close it.
  QTimer::singleShot(100, [&] {
    Shoot(out, "15-about");
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  frame->findChild<QAction*>("mnuAbout")->trigger();

  // Back, then a second chart in a fresh frame window.
  frame->findChild<QAction*>("mnuBack")->trigger();
  Shoot(out, "16-after-back");
  input->findChild<QLineEdit*>("txtName")->setText("SITA");
  input->findChild<QComboBox*>("cboYear")->setCurrentText("1990");
  if (!input->runCalculation()) return 1;
  controller.frameWindow()->move(0, 0);
  Shoot(out, "17-second-chart");
  DestroyLagnaForms();
  return 0;
}
