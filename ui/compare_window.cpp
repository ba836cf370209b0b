#include "ui/compare_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "app/chart_request.h"
#include "ui/close_keys.h"
#include "ui/window_geometry.h"

namespace corvane {

namespace {

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

QString ColumnNote(const ConventionComparison& c, std::size_t i) {
  const ComparisonColumn& column = c.columns[i];
  QString note = QString::number(i + 1) + " " + Text(column.title) + ": " + Text(column.change);
  if (column.comparedWith >= 0) note += " (compared with " + QString::number(column.comparedWith + 1) + ")";
  if (!c.failures[i].empty()) note += ". No chart: " + Text(c.failures[i]);
  return note;
}

}  // namespace

CompareWindow::CompareWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("frmCompare");
  setWindowTitle("Compare conventions");
  auto* layout = new QVBoxLayout(this);
  tblCompare_ = new QTableWidget(this);
  tblCompare_->setObjectName("tblCompare");
  tblCompare_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tblCompare_->setSelectionMode(QAbstractItemView::NoSelection);
  layout->addWidget(tblCompare_, 1);
  lblLegend_ = new QLabel(this);
  lblLegend_->setObjectName("lblLegend");
  lblLegend_->setWordWrap(true);
  lblLegend_->setTextFormat(Qt::RichText);
  layout->addWidget(lblLegend_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(MakeCloseButton(this));
  layout->addLayout(buttons);
  AddCloseKeys(this);
  tblCompare_->setAccessibleName("Comparison of conventions");
  tblCompare_->setAccessibleDescription("One row per lagna or body, one column per convention");
  lblLegend_->setAccessibleName("Legend");
  resize(1240, 780);  // the twelve columns and their legend without scrolling on a common screen
  // A kept size and place first; else the window opens over the window it came from.
  placed_ = KeepWindowGeometry(this, QStringLiteral("compare"));
}

void CompareWindow::placeOver(const QWidget* owner) {
  if (placed_ || owner == nullptr) return;
  placed_ = true;
  QRect frame(QPoint(0, 0), size());
  frame.moveCenter(owner->frameGeometry().center());
  if (const QScreen* screen = owner->screen()) {
    const QRect room = screen->availableGeometry();
    frame.setSize(frame.size().boundedTo(room.size()));
    frame.moveLeft(std::clamp(frame.left(), room.left(), room.right() + 1 - frame.width()));
    frame.moveTop(std::clamp(frame.top(), room.top(), room.bottom() + 1 - frame.height()));
  }
  resize(frame.size());
  move(frame.topLeft());
}

void CompareWindow::showComparison(const ConventionComparison& c) {
  tblCompare_->clear();
  tblCompare_->setColumnCount(static_cast<int>(c.columns.size()));
  tblCompare_->setRowCount(static_cast<int>(c.rows.size()));
  QStringList headings;
  for (std::size_t i = 0; i < c.columns.size(); ++i) headings << QString::number(i + 1) + " " + Text(c.columns[i].title);
  tblCompare_->setHorizontalHeaderLabels(headings);
  for (std::size_t i = 0; i < c.columns.size(); ++i)
    tblCompare_->horizontalHeaderItem(static_cast<int>(i))->setToolTip(ColumnNote(c, i));
  QStringList rowNames;
  for (const ComparisonRow& row : c.rows)
    rowNames << (row.key.size() <= 3 ? Text(row.key) + "  " + Text(row.title) : Text(row.title));
  tblCompare_->setVerticalHeaderLabels(rowNames);

  for (std::size_t r = 0; r < c.rows.size(); ++r) {
    for (std::size_t col = 0; col < c.columns.size(); ++col) {
      const ComparisonCell& cell = c.rows[r].cells[col];
      auto* item = new QTableWidgetItem(cell.text.empty() ? "-" : Text(cell.text) + (cell.changed ? " *" : cell.shifted ? " ~" : ""));
      item->setTextAlignment(Qt::AlignCenter);
      if (cell.changed || cell.shifted) {
        item->setBackground(QColor::fromRgb(cell.changed ? kChangedCellColour : kShiftedCellColour));
        QFont font = item->font();
        font.setBold(cell.changed);
        item->setFont(font);
      }
      if (!c.failures[col].empty()) item->setToolTip(Text(c.failures[col]));
      tblCompare_->setItem(static_cast<int>(r), static_cast<int>(col), item);
    }
  }
  tblCompare_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

  QString legend = QString("<span style='background-color:#%1'>&nbsp;*&nbsp;</span> another sign (or sunrise "
                           "time) than in the column compared with &nbsp; "
                           "<span style='background-color:#%2'>&nbsp;~&nbsp;</span> the same sign, a degree or more "
                           "away. The marked cells hang on the column's choice.")
                       .arg(kChangedCellColour, 6, 16, QChar('0'))
                       .arg(kShiftedCellColour, 6, 16, QChar('0'));
  for (std::size_t i = 0; i < c.columns.size(); ++i) legend += "<br>" + ColumnNote(c, i).toHtmlEscaped();
  lblLegend_->setText(legend);
}

CompareWindow* ShowCompareWindow(const Chart& chart, QWidget* owner) {
  auto* window = owner->findChild<CompareWindow*>("frmCompare", Qt::FindDirectChildrenOnly);
  if (!window) window = new CompareWindow(owner);
  window->showComparison(CompareConventions(BirthDataOf(chart), chart.settings));
  window->placeOver(owner);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace corvane
