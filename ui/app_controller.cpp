#include "ui/app_controller.h"

#include <QCloseEvent>

#include "app/chart_request.h"
#include "ui/collection_window.h"
#include "ui/frame_window.h"
#include "ui/input_form.h"
#include "ui/interpretation_form.h"
#include "ui/message_presenter.h"
#include "ui/options_dialog.h"
#include "ui/unsaved_reading.h"

namespace corvane {

namespace {
// Hands the close of a window to a callback without changing the window's class; the close
// is refused when the callback says so.
class CloseWatcher : public QObject {
 public:
  CloseWatcher(QObject* parent, std::function<bool()> onClose) : QObject(parent), onClose_(std::move(onClose)) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::Close || onClose_()) return false;
    event->ignore();
    return true;
  }

 private:
  std::function<bool()> onClose_;
};
}  // namespace

AppController::AppController() : input_(std::make_unique<InputForm>()) {
  connect(input_.get(), &InputForm::chartCalculated, this, &AppController::showResults);
  input_->installEventFilter(new CloseWatcher(this, [this] {
    if (!mayLeave()) return false;
    leave();
    return true;
  }));
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

bool AppController::mayLeave() {
  if (leaving_ || !unsaved_ || !chart_ || !AskBeforeLeavingUnsaved()) return true;
  QWidget* parent = frame_ && frame_->isVisible() ? static_cast<QWidget*>(frame_.data()) : input_.get();
  const QString name = QString::fromStdString(chart_->birth.name);
  return AskQuestion(parent, QStringLiteral("The reading of %1 was never saved. Leave Corvane without saving it?")
                                 .arg(name.isEmpty() ? QStringLiteral("this birth") : name));
}

void AppController::leave() {
  leaving_ = true;
  emit exitRequested();
}

void AppController::showResults(std::shared_ptr<const Chart> chart) {
  // A new reading is unsaved; the same birth calculated again (new settings) is as saved as before.
  if (!chart_ || !chart || !(chart->birth == chart_->birth && chart->clock == chart_->clock)) unsaved_ = true;
  chart_ = std::move(chart);
  input_->hide();
  if (!frame_) {
    frame_ = new FrameWindow;
    connect(frame_, &FrameWindow::backRequested, this, &AppController::goBack);
    connect(frame_, &FrameWindow::exitRequested, this, [this] {
      if (mayLeave()) leave();
    });
    connect(frame_, &FrameWindow::chartSaved, this, [this] { unsaved_ = false; });
    // Closing the frame window ends the program (its closeEvent says so) once allowed here.
    frame_->installEventFilter(new CloseWatcher(frame_, [this] {
      if (!mayLeave()) return false;
      leaving_ = true;
      return true;
    }));
    connect(frame_, &FrameWindow::birthOpenRequested, this, [this](const BirthData& birth) { input_->openBirth(birth); });
    connect(frame_, &FrameWindow::settingsChanged, this, &AppController::calculateAgain);
  }
  frame_->showChart(chart_);
  frame_->show();
  frame_->raise();
  frame_->activateWindow();
  // Calculated from the form or opened from a file: into the collection, when so set.
  AddChartAutomatically(*chart_, frame_);
}

void AppController::calculateAgain() {
  const CalculationSettings settings = LoadCalculationSettings();
  input_->offerYearsOf(settings.engine);
  if (!chart_) return;
  ChartRequest request = RequestOf(*chart_);
  request.settings = settings;
  const Result<ChartReading> result = ResolveChart(request);
  if (!result) {
    ShowProblem(frame_ ? static_cast<QWidget*>(frame_.data()) : input_.get(), result.problem());
    return;
  }
  showResults(result->chart);
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
