// Opens the program's windows one after the other with a sample chart and saves a screenshot
// of the whole (virtual) screen for each: the input form, the result window and three
// interpretation pages. Run it under Xvfb through scripts/screenshots.sh.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>
#include <QThread>

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
  Shoot(out, "1-input-form");

  if (!input->runCalculation()) return 1;
  FrameWindow* frame = controller.frameWindow();
  frame->move(0, 0);
  Shoot(out, "2-result-window");

  ResultForm* result = frame->resultForm();
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
  DestroyLagnaForms();
  return 0;
}
