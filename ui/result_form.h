#pragma once
#include <QWidget>
#include <array>
#include <functional>

#include "app/chart_state.h"
#include "lagna/page_fields.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace corvane {

// The result window of one calculation: the fixed-sign square chart with the bodies and
// lagna marks of every sign, the birth details, the planetary positions and the list of
// lagna entries that opens the interpretation pages.
class ResultForm : public QWidget {
  Q_OBJECT
 public:
  explicit ResultForm(QWidget* parent = nullptr);

  // Shows a chart: every text is written anew, so nothing of a previous chart remains,
  // and the chart frame comes to the front. Open interpretation windows are refilled.
  void showChart(const ChartState& chart);

  // Fills the interpretation window of lagna entry `index` (0 to 12) from the current chart,
  // brings its page to the front, places the window over the chart frame and shows it.
  void openLagnaPage(int index);

  // Where the current chart comes from when a page opens. Without a provider the page fields
  // of the chart last passed to showChart are used.
  using ChartProvider = std::function<const ChartState*()>;
  void setChartProvider(ChartProvider provider);

  // Replaces what a click on a lagna entry does after lagnaClicked; an empty function
  // restores the default, openLagnaPage.
  using LagnaPageOpener = std::function<void(int)>;
  void setLagnaPageOpener(LagnaPageOpener opener);

  QGroupBox* chartFrame() const { return chartFrame_; }

 signals:
  void lagnaClicked(int index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildLagnaList();
  void buildChartFrame();
  void buildSignBox(QWidget* chart, int sign);
  void buildDetails(QGroupBox* frame);
  void buildPositions(QGroupBox* frame);
  QLabel* makeLinkLabel(const QString& name, const QString& text, QWidget* parent);
  void placeLagnaForm(QWidget* form) const;

  QPushButton* showChartButton_ = nullptr;
  QGroupBox* chartFrame_ = nullptr;  // frmSpecialLagnaChart
  QGroupBox* birthChart_ = nullptr;  // fraBirthchart
  std::array<QLabel*, 12> bodyLists_{};
  std::array<QLabel*, 12> lagnaLists_{};
  std::array<QLabel*, kBodyCount> positions_{};
  QLabel* name_ = nullptr;
  std::array<QLabel*, 7> details_{};  // date, time, longitude, latitude, city, state, country

  LagnaPageFields pageFields_;  // of the chart last shown
  ChartProvider provider_;
  LagnaPageOpener opener_;
};

}  // namespace corvane
