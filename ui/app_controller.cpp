#include "ui/app_controller.h"

#include <QCloseEvent>

#include "ui/frame_window.h"
#include "ui/input_form.h"
#include "ui/interpretation_form.h"
#include "ui/options_dialog.h"

namespace corvane {

namespace {
// Reports the close of a window through a callback without changing the window's class.
class CloseWatcher : public QObject {
 public:
  CloseWatcher(QObject* parent, std::function<void()> onClose) : QObject(parent), onClose_(std::move(onClose)) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Close) onClose_();
    return false;
  }

 private:
  std::function<void()> onClose_;
};
}  // namespace

AppController::AppController() : input_(std::make_unique<InputForm>()) {
  connect(input_.get(), &InputForm::chartCalculated, this, &AppController::showResults);
  input_->installEventFilter(new CloseWatcher(this, [this] { emit exitRequested(); }));
}

AppController::~AppController() {
  delete frame_.data();
}

FrameWindow* AppController::frameWindow() const { return frame_.data(); }

void AppController::start() { input_->show(); }

void AppController::openChartFile(const QString& path) { input_->openChartFile(path); }

void AppController::bringToFront() {
  QWidget* window = frame_ && frame_->isVisible() ? static_cast<QWidget*>(frame_.data()) : input_.get();
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
}

void AppController::showResults(std::shared_ptr<const Chart> chart) {
  chart_ = std::move(chart);
  input_->hide();
  if (!frame_) {
    frame_ = new FrameWindow;
    connect(frame_, &FrameWindow::backRequested, this, &AppController::goBack);
    connect(frame_, &FrameWindow::exitRequested, this, &AppController::exitRequested);
    connect(frame_, &FrameWindow::settingsChanged, this, [this] {
      input_->offerYearsOf(LoadCalculationSettings().engine);
      input_->runCalculation();
    });
  }
  frame_->showChart(chart_);
  frame_->show();
  frame_->raise();
  frame_->activateWindow();
}

void AppController::goBack() {
  // The frame window is unloaded; the chart stays, so a later Save would still have it.
  if (frame_) {
    frame_->hide();
    frame_->deleteLater();
    frame_ = nullptr;
  }
  // The interpretation windows explain the chart that has just gone: they stay alive but
  // leave the screen, so they do not stand over the input form.
  for (LagnaFormKind kind : {LagnaFormKind::kOne, LagnaFormKind::kTwo})
    if (InterpretationForm* form = ExistingLagnaForm(kind)) form->hide();
  input_->show();
  input_->raise();
  input_->activateWindow();
}

}  // namespace corvane
