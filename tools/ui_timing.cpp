// Measures how quickly the windows come up: the moment the input form is first painted
// (printed as wall-clock nanoseconds, so scripts/bench_ui.sh can count from the process
// launch), and the time from pressing "Get My Corvane Reading" to the result form painted.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <chrono>
#include <cstdio>

#include "ui/app_controller.h"
#include "ui/frame_window.h"
#include "ui/input_form.h"
#include "ui/result_form.h"

using namespace corvane;

namespace {

long long NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// Notes the first paint of a widget.
class PaintWatch : public QObject {
 public:
  bool painted = false;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) painted = true;
    return false;
  }
};

void WaitFor(const bool& flag) {
  while (!flag) QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  AppController controller;
  PaintWatch inputPaint;
  controller.inputForm()->installEventFilter(&inputPaint);
  controller.start();
  WaitFor(inputPaint.painted);
  std::printf("input_form_painted_ns %lld\n", NowNs());

  InputForm* input = controller.inputForm();
  input->findChild<QLineEdit*>("txtName")->setText("RAM");
  input->findChild<QComboBox*>("cmbTimeZone")->setCurrentIndex(34);
  input->findChild<QLineEdit*>("txtLonD")->setText("77");
  input->findChild<QLineEdit*>("txtLonM")->setText("13");
  input->findChild<QLineEdit*>("txtLatD")->setText("28");
  input->findChild<QLineEdit*>("txtLatM")->setText("36");

  const int rounds = 10;
  double total = 0, best = 1e9;
  for (int i = 0; i < rounds; ++i) {
    QElapsedTimer timer;
    timer.start();
    input->findChild<QPushButton*>("cmdRashi")->click();
    PaintWatch resultPaint;
    controller.frameWindow()->resultForm()->installEventFilter(&resultPaint);
    controller.frameWindow()->resultForm()->update();
    WaitFor(resultPaint.painted);
    const double ms = timer.nsecsElapsed() / 1e6;
    total += ms;
    best = std::min(best, ms);
    controller.frameWindow()->resultForm()->removeEventFilter(&resultPaint);
    controller.frameWindow()->findChild<QPushButton*>("cmdBack")->click();
    QApplication::processEvents();
  }
  std::printf("calculate_to_result_painted_ms mean %.2f best %.2f (%d rounds, fresh frame window each)\n",
              total / rounds, best, rounds);
  return 0;
}
