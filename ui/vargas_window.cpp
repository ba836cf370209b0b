#include "ui/vargas_window.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/chart_texts.h"
#include "app/chart_vargas.h"
#include "app/display_texts.h"
#include "ui/close_keys.h"
#include "ui/window_geometry.h"

namespace corvane {

VargasWindow::VargasWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("frmVargas");
  setWindowTitle(QStringLiteral("Vargas"));
  auto* layout = new QVBoxLayout(this);
  lblChart_ = new QLabel(this);
  lblChart_->setObjectName("lblVargasChart");
  lblChart_->setTextFormat(Qt::PlainText);
  lblChart_->setAccessibleName(QStringLiteral("Chart"));
  layout->addWidget(lblChart_);
  tblVargas_ = new QTableWidget(this);
  tblVargas_->setObjectName("tblVargas");
  tblVargas_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tblVargas_->setSelectionMode(QAbstractItemView::SingleSelection);
  tblVargas_->setAccessibleName(QStringLiteral("Signs in the sixteen vargas"));
  tblVargas_->setAccessibleDescription(
      QStringLiteral("One row per body or lagna, one column per varga, the rasi chart D1 first"));
  layout->addWidget(tblVargas_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(MakeCloseButton(this));
  layout->addLayout(buttons);
  AddCloseKeys(this);
  resize(900, 760);  // the sixteen columns and 22 rows without scrolling on a common screen
  KeepWindowGeometry(this, QStringLiteral("vargas"));
}

void VargasWindow::showVargas(const Chart& chart) {
  const VargaCharts vargas = VargasOf(chart);
  const ChartTexts texts = TextsOf(chart);
  lblChart_->setText(QString::fromStdString(texts.name + ", " + texts.date + " " + texts.time));
  tblVargas_->clear();
  tblVargas_->setColumnCount(kVargaCount);
  tblVargas_->setRowCount(kVargaEntryCount);
  QStringList columns, rows;
  for (int v = 0; v < kVargaCount; ++v) columns << QString::fromUtf8(kVargaKeys[v].data(), kVargaKeys[v].size());
  for (int e = 0; e < kVargaEntryCount; ++e) {
    const std::string_view name = VargaEntryName(e);
    rows << QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  }
  tblVargas_->setHorizontalHeaderLabels(columns);
  tblVargas_->setVerticalHeaderLabels(rows);
  // The key heads the column; its name is the heading's tool tip.
  for (int v = 0; v < kVargaCount; ++v)
    tblVargas_->horizontalHeaderItem(v)->setToolTip(QString::fromStdString(VargaCaption(v)));
  for (int v = 0; v < kVargaCount; ++v) {
    for (int e = 0; e < kVargaEntryCount; ++e) {
      const int sign = VargaEntrySign(vargas[static_cast<std::size_t>(v)], e);
      const std::string_view text = sign < 0 ? std::string_view("-") : kSignAbbreviations[static_cast<std::size_t>(sign)];
      auto* item = new QTableWidgetItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
      item->setTextAlignment(Qt::AlignCenter);
      item->setData(Qt::UserRole, sign);
      tblVargas_->setItem(e, v, item);
    }
  }
  // The columns share the width the window gives, none narrower than the widest sign or key.
  tblVargas_->resizeColumnsToContents();
  int widest = 0;
  for (int v = 0; v < kVargaCount; ++v) widest = std::max(widest, tblVargas_->columnWidth(v));
  tblVargas_->horizontalHeader()->setMinimumSectionSize(widest);
  tblVargas_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
}

VargasWindow* ShowVargasWindow(const Chart& chart, QWidget* owner) {
  auto* window = owner->findChild<VargasWindow*>("frmVargas", Qt::FindDirectChildrenOnly);
  if (!window) window = new VargasWindow(owner);
  window->showVargas(chart);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace corvane
