#include "ui/collection_settings.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>
#include <memory>

#include "app/chart_collection.h"
#include "ui/collection_window.h"
#include "ui/message_presenter.h"

namespace corvane {
namespace {

QSettings Store() { return QSettings("Corvane", "Corvane"); }

const QString kPathKey = QStringLiteral("collection/path");
const QString kAutomaticKey = QStringLiteral("collection/add_automatically");

QString DefaultPath() { return QString::fromStdString(DefaultCollectionPath()); }

}  // namespace

CollectionSettings LoadCollectionSettings() {
  QSettings store = Store();
  CollectionSettings s;
  s.path = store.value(kPathKey).toString().trimmed();
  s.addAutomatically = store.value(kAutomaticKey, false).toBool();
  return s;
}

void SaveCollectionSettings(const CollectionSettings& s) {
  QSettings store = Store();
  // The default is kept as no path, so that it follows XDG_DATA_HOME and the home folder.
  const QString path = s.path.trimmed();
  if (path.isEmpty() || path == DefaultPath()) store.remove(kPathKey);
  else store.setValue(kPathKey, path);
  store.setValue(kAutomaticKey, s.addAutomatically);
}

std::string ProgramCollectionPath() {
  const QString kept = LoadCollectionSettings().path;
  return kept.isEmpty() ? DefaultCollectionPath() : kept.toStdString();
}

CollectionSettingsDialog::CollectionSettingsDialog(const CollectionSettings& settings, QWidget* parent)
    : QDialog(parent) {
  setObjectName("frmCollectionSettings");
  setWindowTitle(QStringLiteral("Collection Settings"));

  path_ = new QLineEdit(settings.path.isEmpty() ? DefaultPath() : settings.path, this);
  path_->setObjectName("txtCollectionPath");
  path_->setAccessibleName(QStringLiteral("Collection file"));
  path_->setMinimumWidth(path_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 56);
  auto* browse = new QPushButton(QStringLiteral("&Browse\u2026"), this);
  browse->setObjectName("cmdCollectionBrowse");
  browse->setAccessibleDescription(QStringLiteral("Chooses the collection file, or a new one to create"));
  connect(browse, &QPushButton::clicked, this, [this] {
    const QString chosen = QFileDialog::getSaveFileName(
        this, QStringLiteral("Collection File"), path_->text(), QStringLiteral("Chart collections (*.sqlite);;All files (*)"),
        nullptr, QFileDialog::DontConfirmOverwrite);
    if (!chosen.isEmpty()) path_->setText(chosen);
  });
  auto* byDefault = new QPushButton(QStringLiteral("&Default"), this);
  byDefault->setObjectName("cmdCollectionDefault");
  byDefault->setAccessibleDescription(QStringLiteral("Uses the default collection file"));
  connect(byDefault, &QPushButton::clicked, this, [this] { path_->setText(DefaultPath()); });
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(path_, 1);
  fileRow->addWidget(browse);
  fileRow->addWidget(byDefault);

  automatic_ = new QCheckBox(QStringLiteral("&Add every chart calculated or opened from a file"), this);
  automatic_->setObjectName("chkCollectionAutomatic");
  automatic_->setAccessibleDescription(
      QStringLiteral("Charts calculated from the input form or opened from chart files go into the collection "
                     "without Add to Collection"));
  automatic_->setChecked(settings.addAutomatically);

  auto* form = new QFormLayout;
  auto* fileLabel = new QLabel(QStringLiteral("Collection &file:"), this);
  fileLabel->setBuddy(path_);
  form->addRow(fileLabel, fileRow);
  form->addRow(QString(), automatic_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &CollectionSettingsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CollectionSettingsDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

CollectionSettings CollectionSettingsDialog::settings() const {
  CollectionSettings s;
  const QString path = path_->text().trimmed();
  s.path = path == DefaultPath() ? QString() : path;
  s.addAutomatically = automatic_->isChecked();
  return s;
}

void CollectionSettingsDialog::accept() {
  const QString path = path_->text().trimmed();
  if (path.isEmpty()) {
    ShowMessage(this, QStringLiteral("Give the collection file, or press Default."), MessageIcon::Error);
    return;
  }
  // A relative name would change meaning with the folder the program starts in.
  if (QFileInfo(path).isRelative()) {
    ShowMessage(this, QStringLiteral("The collection file must be given with its whole path, from /: \"%1\".").arg(path),
                MessageIcon::Error);
    return;
  }
  if (path.toStdString() != ProgramCollectionPath()) {
    std::unique_ptr<ChartCollection> opened;
    try {
      opened = ChartCollection::Open(path.toStdString());
    } catch (const CollectionError& e) {
      ShowMessage(this, QString::fromStdString(e.what()), MessageIcon::Error);
      return;
    }
    UseProgramCollection(std::move(opened));
  }
  SaveCollectionSettings(settings());
  QDialog::accept();
}

bool EditCollectionSettings(QWidget* parent) {
  CollectionSettingsDialog dialog(LoadCollectionSettings(), parent);
  return dialog.exec() == QDialog::Accepted;
}

void AddCollectionSettingsAction(QMenu* menu, QWidget* parent) {
  QAction* action = menu->addAction(QStringLiteral("Collection Settings\u2026"));
  action->setObjectName("mnuCollectionSettings");
  QObject::connect(action, &QAction::triggered, parent, [parent] { EditCollectionSettings(parent); });
}

}  // namespace corvane
