#include "ui/zone_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/zone_clock.h"
#include "ui/message_presenter.h"

namespace corvane {

ZoneDialog::ZoneDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("frmZone");
  setWindowTitle(kApplicationTitle);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Time zone of the birth place", this));
  filter_ = new QLineEdit(this);
  filter_->setObjectName("txtZoneFilter");
  filter_->setPlaceholderText("Filter, e.g. Kolkata");
  filter_->setClearButtonEnabled(true);
  layout->addWidget(filter_);
  zones_ = new QListWidget(this);
  zones_->setObjectName("lstZones");
  for (const std::string& id : AllZoneIds()) zones_->addItem(QString::fromStdString(id));
  layout->addWidget(zones_, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  ok->setEnabled(false);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(filter_, &QLineEdit::textChanged, this, &ZoneDialog::applyFilter);
  connect(zones_, &QListWidget::currentItemChanged, this,
          [ok](QListWidgetItem* current) { ok->setEnabled(current && !current->isHidden()); });
  connect(zones_, &QListWidget::itemActivated, this, &QDialog::accept);
  resize(360, 420);
}

void ZoneDialog::applyFilter(const QString& text) {
  // "york" finds America/New_York; blanks match the underscores of the ids.
  QString needle = text.trimmed();
  needle.replace(' ', '_');
  QListWidgetItem* first = nullptr;
  for (int i = 0; i < zones_->count(); ++i) {
    QListWidgetItem* item = zones_->item(i);
    const bool shown = item->text().contains(needle, Qt::CaseInsensitive);
    item->setHidden(!shown);
    if (shown && !first) first = item;
  }
  // The selection follows the filter, so Enter takes the first zone still shown.
  if (!zones_->currentItem() || zones_->currentItem()->isHidden()) zones_->setCurrentItem(first);
}

QString ZoneDialog::chosenZone() const {
  const QListWidgetItem* item = zones_->currentItem();
  return item && !item->isHidden() ? item->text() : QString();
}

}  // namespace corvane
