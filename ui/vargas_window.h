#pragma once
#include <QWidget>

#include "app/chart.h"

class QLabel;
class QTableWidget;

namespace corvane {

// "Vargas": every body, the ascendant and every lagna of one chart (rows) in the sixteen
// divisional charts (columns, the rasi chart D1 first), as sign abbreviations. It follows the
// chart the result window shows, a time picked in the sweep included. Esc, Ctrl+W and its
// Close button close it; its size and place are kept with the settings.
class VargasWindow : public QWidget {
  Q_OBJECT
 public:
  explicit VargasWindow(QWidget* parent = nullptr);
  void showVargas(const Chart& chart);
  QTableWidget* table() const { return tblVargas_; }

 private:
  QTableWidget* tblVargas_ = nullptr;
  QLabel* lblChart_ = nullptr;
};

// Shows the vargas of `chart` in the one Vargas window of `owner`, creating it when needed.
VargasWindow* ShowVargasWindow(const Chart& chart, QWidget* owner);

}  // namespace corvane
