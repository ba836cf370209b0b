#pragma once
#include <QObject>
#include <QPointer>
#include <memory>

#include "app/chart.h"

namespace corvane {

class FrameWindow;
class InputForm;

// Swaps the two top-level windows: a completed calculation hides the input form and shows
// the frame window with the new chart; Back does the reverse; Exit or closing either
// window ends the program; with a calculated reading never saved, it asks first (unless
// the user turned the question off).
class AppController : public QObject {
  Q_OBJECT
 public:
  AppController();
  ~AppController() override;

  void start();
  // Opens a chart file as "Open Previously Saved Reading" does (a file given on the command line).
  void openChartFile(const QString& path);
  // Restores, raises and activates the window the user works in (the frame window after a
  // calculation, else the input form), as when a second copy of the program starts.
  void bringToFront();
  InputForm* inputForm() const { return input_.get(); }
  FrameWindow* frameWindow() const;
  const Chart* currentChart() const { return chart_.get(); }

 signals:
  void exitRequested();

 private:
  // Whether the program may end now: asks when a reading was never saved.
  bool mayLeave();
  void leave();
  void showResults(std::shared_ptr<const Chart> chart);
  // New settings were kept: the chart shown is calculated again from its own request with
  // them (the form's fields, perhaps edited since, do not enter).
  void calculateAgain();
  void goBack();

  std::unique_ptr<InputForm> input_;
  QPointer<FrameWindow> frame_;
  std::shared_ptr<const Chart> chart_;
  bool unsaved_ = false;  // the reading of chart_ (or a trial of it) was never saved
  bool leaving_ = false;
};

}  // namespace corvane
