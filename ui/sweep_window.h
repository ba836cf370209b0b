#pragma once
#include <QFutureWatcher>
#include <QWidget>
#include <memory>
#include <optional>

#include "app/birth_sweep.h"
#include "app/chart.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace corvane {

// The timeline of a birth-time sweep, drawn by the report library's sweep drawing. Hovering
// shows the stretch and sign under the pointer; pressing or dragging picks a time. From the
// keyboard, Left and Right move the picked time a minute (with Shift a second) along the axis,
// through both times of a doubled hour, and Home goes back to the given time.
class SweepView : public QWidget {
  Q_OBJECT
 public:
  explicit SweepView(QWidget* parent = nullptr);

  void setSweep(std::shared_ptr<const BirthSweep> sweep);
  void setShownTime(std::optional<SweepMoment> shown);
  const BirthSweep* sweep() const { return sweep_.get(); }
  // The geometry of the timeline in the widget.
  QRectF timelineArea() const;

 signals:
  // `repeat`: in a doubled hour, the reading the sweep's rows do not take.
  void timePicked(const CivilDateTime& time, bool repeat = false);
  void resetRequested();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void pick(const QPointF& point);

  std::shared_ptr<const BirthSweep> sweep_;
  std::optional<SweepMoment> shown_;
};

// The "Birth-time sweep" window of the result window: the timeline of the given chart over a
// chosen window (±5, 15, 30, 60 or 120 minutes, kept with the settings), the line that says
// in words what holds, and the time the reading is shown for. Picking a time calculates the
// whole reading at that time and hands it on; "Reset to given time" hands back the given
// chart. The sweep is calculated on a worker thread.
class SweepWindow : public QWidget {
  Q_OBJECT
 public:
  explicit SweepWindow(QWidget* parent = nullptr);
  ~SweepWindow() override;

  // A new given chart (a calculation from the input form): the sweep is made again around it.
  void setGivenChart(std::shared_ptr<const Chart> chart);
  int windowMinutes() const { return minutes_; }
  SweepView* view() const { return view_; }
  // Back to the given time: the timeline's mark goes and the given chart is handed on.
  void resetToGiven();
  // Waits for a sweep being calculated (for tests and screenshots).
  void waitForSweep();

  static constexpr int kWidths[] = {5, 15, 30, 60, 120};

 signals:
  // The reading to show: at a picked time, or the given chart again.
  void chartChosen(std::shared_ptr<const Chart> chart);

 private:
  void recompute();
  void sweepReady();
  // The time the reading is shown for; the given time when `time` is empty.
  void showTime(const SweepMoment& time, bool exists);

  std::shared_ptr<const Chart> given_;
  int minutes_ = 15;
  QComboBox* width_ = nullptr;
  QPushButton* reset_ = nullptr;
  QLabel* summary_ = nullptr;
  QLabel* shownLabel_ = nullptr;
  SweepView* view_ = nullptr;
  QFutureWatcher<std::shared_ptr<const BirthSweep>> watcher_;
  bool again_ = false;    // the chart or the width changed while a sweep was being calculated
  bool pending_ = false;  // a sweep is being calculated for the view
};

}  // namespace corvane
