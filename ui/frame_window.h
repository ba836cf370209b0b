#pragma once
#include <QMainWindow>
#include <memory>

#include "app/chart.h"

class QLabel;
class QPushButton;
class QScrollArea;

namespace corvane {

class ResultForm;
class SweepWindow;

// The frame window: a toolbar strip with Save, Back and Exit, the File and Help menus, and
// the result form of the current chart as its one child.
class FrameWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit FrameWindow(QWidget* parent = nullptr);
  ~FrameWindow() override;

  // A newly calculated chart: the result window and an open sweep window follow it.
  void showChart(std::shared_ptr<const Chart> chart);
  // The birth-time sweep window of the chart, opened or brought forward.
  SweepWindow* showSweep();
  ResultForm* resultForm() const { return result_; }
  const Chart* chart() const { return chart_.get(); }

  // Writes the given birth to a file chosen in the save dialog; cancelling writes nothing.
  // While the reading shows a trial time picked in the sweep, a dialog naming both times
  // asks which to save, the given time first.
  void saveChart();
  // True while the reading shows a time picked in the sweep rather than the given birth.
  bool showsTrialTime() const { return chart_ && given_ && chart_ != given_; }
  // The reading of the given birth again, and the sweep back at the given time.
  void resetToGivenTime();

  // The printed reading of the current chart: a print preview whose Print button opens the
  // print dialog.
  void printReading();
  // The printed reading as a PDF file, and the square chart as a PNG or SVG picture, saved
  // whole or not at all to a file chosen in a save dialog. A failure is shown in a message
  // box and leaves an existing file as it was.
  void exportPdf();
  void exportChartPicture();

 signals:
  void backRequested();
  void exitRequested();
  // A chart file was written (of the given birth or, where chosen, of the trial time).
  void chartSaved();
  // New settings were kept in the options dialog; the chart should be calculated again.
  void settingsChanged();
  // A chart of the collection is to be calculated and shown in place of this one.
  void birthOpenRequested(const BirthData& birth);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void placeButtons();
  // Says on the status line where a save or export went ("Chart saved to %1").
  void tellWhereItWent(const QString& what, const QString& path);
  // The reading of `chart` shown without changing the chart the sweep is made around.
  void showReading(std::shared_ptr<const Chart> chart);
  // The chart a save writes: the given one, or the trial one where the user chose it;
  // nothing when the user cancelled.
  std::shared_ptr<const Chart> chartToSave();

  std::shared_ptr<const Chart> chart_;
  QWidget* picTop_ = nullptr;
  QPushButton *cmdSave_ = nullptr, *cmdBack_ = nullptr, *cmdExit_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  QWidget* trialBanner_ = nullptr;  // says that a trial time is shown, with the way back
  QLabel* trialText_ = nullptr;
  ResultForm* result_ = nullptr;
  SweepWindow* sweep_ = nullptr;
  std::shared_ptr<const Chart> given_;  // the chart as calculated, before any time picked in the sweep
  bool leaving_ = false;
};

}  // namespace corvane
