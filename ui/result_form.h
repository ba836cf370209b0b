#pragma once
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "app/chart.h"
#include "app/chart_texts.h"
#include "lagna/page_fields.h"

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;

namespace corvane {

class InterpretationForm;
class SignBox;

// The result window of one calculation: the fixed-sign square chart with the bodies and
// lagna marks of every sign, the birth details, the planetary positions and the list of
// lagna entries that opens the interpretation pages. Its designed size is its smallest;
// given more room, the chart and the lagna list grow with it.
//
// Everything clickable works from the keyboard too: the lagna list is one Tab stop whose
// entry shows a highlight when focused, the arrow keys (and Home, End) move along it and
// Enter or Space opens the page; the two link labels take the focus and open with Enter or
// Space as well.
class ResultForm : public QWidget {
  Q_OBJECT
 public:
  explicit ResultForm(QWidget* parent = nullptr);

  // Shows a chart: every text is written anew, so nothing of a previous chart remains,
  // and the chart frame comes to the front. Open interpretation windows are refilled.
  void showChart(const Chart& chart);

  // Fills the interpretation window of lagna entry `index` (0 to 12) from the current chart,
  // brings its page to the front, places the window over the chart frame (a step down and
  // to the right of the other interpretation window when that one is open there) and shows
  // it above this window.
  void openLagnaPage(int index);

  // Where the current chart comes from when a page opens. Without a provider the page fields
  // of the chart last passed to showChart are used.
  using ChartProvider = std::function<const Chart*()>;
  void setChartProvider(ChartProvider provider);

  // Replaces what a click on a lagna entry does after lagnaClicked; an empty function
  // restores the default, openLagnaPage.
  using LagnaPageOpener = std::function<void(int)>;
  void setLagnaPageOpener(LagnaPageOpener opener);

  QGroupBox* chartFrame() const { return chartFrame_; }
  // The varga the square chart shows, 0 (D1, the rasi chart) to 15 (D60); the chooser above
  // the chart picks it, and [ and ] step through the sixteen from anywhere in the window.
  int shownVarga() const;
  void showVarga(int varga);
  // Gives the keyboard focus to the lagna list's current entry.
  void focusLagnaList();

 signals:
  void lagnaClicked(int index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* buildLagnaList();
  QWidget* buildChartFrame();
  QGridLayout* sideFrame(const char* title, const char* name, QWidget*& frame);
  QWidget* buildDetails();
  QWidget* buildPositions();
  QLabel* makeLinkLabel(const QString& name, const QString& text, QWidget* parent);
  void fillSignBoxes();
  void activate(QLabel* label);
  bool moveAlongList(QLabel* from, int key);
  void makeCurrentEntry(QLabel* entry);
  void placeLagnaForm(InterpretationForm* form) const;

  QPushButton* showChartButton_ = nullptr;
  QGroupBox* chartFrame_ = nullptr;  // frmSpecialLagnaChart
  QGroupBox* birthChart_ = nullptr;  // fraBirthchart
  std::array<QLabel*, kLagnaCount> entries_{};  // the lagna list, top to bottom
  QLabel* currentEntry_ = nullptr;                // the entry Tab comes to
  std::array<SignBox*, 12> signBoxes_{};
  std::array<QLabel*, kBodyCount> positions_{};
  QLabel* name_ = nullptr;
  std::array<QLabel*, 8> details_{};  // date, time, longitude, latitude, city, state, country, clock
  QLabel* calculatedWith_ = nullptr;  // the engine, ayanamsa and conventions, under the clock

  QComboBox* vargaChooser_ = nullptr;  // cboVarga
  std::vector<ChartTexts> vargaTexts_;  // the sign boxes of each varga of the chart last shown
  LagnaPageFields pageFields_;  // of the chart last shown
  std::string personName_;      // of the chart last shown
  ChartProvider provider_;
  LagnaPageOpener opener_;
};

}  // namespace corvane
