#pragma once
#include <QWidget>

#include "app/chart.h"
#include "app/convention_comparison.h"

class QLabel;
class QTableWidget;

namespace corvane {

// "Compare conventions": every lagna of one chart under each way of calculating it, one
// column per convention, the cells that hang on a column's choice highlighted, and a
// legend of the columns and the marks.
// Its size and place are kept with the settings.
class CompareWindow : public QWidget {
  Q_OBJECT
 public:
  explicit CompareWindow(QWidget* parent = nullptr);

  void showComparison(const ConventionComparison& comparison);
  QTableWidget* table() const { return tblCompare_; }
  // Centres the window over `owner` the first time it is shown, unless it came back to a
  // size and place kept from before. Esc, Ctrl+W and the Close button close it.
  void placeOver(const QWidget* owner);

 private:
  bool placed_ = false;
  QTableWidget* tblCompare_ = nullptr;
  QLabel* lblLegend_ = nullptr;
};

// Background of a cell in another sign (or at another time) than in the compared column, and
// of one in the same sign a degree or more away.
inline constexpr unsigned kChangedCellColour = 0xffb080;
inline constexpr unsigned kShiftedCellColour = 0xffeca0;

// Compares the conventions for the chart (its birth data, its settings as the current ones)
// and shows the result in the one comparison window of `owner`, creating it when needed.
CompareWindow* ShowCompareWindow(const Chart& chart, QWidget* owner);

}  // namespace corvane
