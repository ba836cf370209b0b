#include "ui/options_dialog.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QStringList>
#include <QVBoxLayout>

#include "ui/message_presenter.h"
#include "ui/window_geometry.h"

namespace corvane {

namespace {

QSettings Store() { return QSettings("Corvane", "Corvane"); }

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The stored key of a setting: "calculation/" and the setting's key, as stored preferences
// have always named it.
QString StoredKey(const SettingRow& row) { return QStringLiteral("calculation/") + Text(row.key); }

// "cboPranapadaSun": the box's name from the setting's key.
QString BoxName(const SettingRow& row) {
  QString name = QStringLiteral("cbo");
  bool upper = true;
  for (const char c : row.key) {
    if (c == '_') {
      upper = true;
      continue;
    }
    name += upper ? QChar(c).toUpper() : QChar(c);
    upper = false;
  }
  return name;
}

}  // namespace

QString SettingsMessageForWindows(std::string_view message) {
  if (message == kTrueNodeNeedsPreciseMessage)
    return QStringLiteral(
        "The true node needs the precise engine: in File > Options choose Swiss Ephemeris in the "
        "Engine list, or the mean node in the Nodes list.");
  return QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
}

CalculationSettings LoadCalculationSettings() {
  QSettings store = Store();
  CalculationSettings s;
  for (const SettingRow& row : kSettingRows) {
    const QByteArray text = store.value(StoredKey(row)).toString().toUtf8();
    if (const auto chosen = row.Find(std::string_view(text.constData(), static_cast<std::size_t>(text.size()))))
      row.choose(s, *chosen);
  }
  return s;
}

void SaveCalculationSettings(const CalculationSettings& s) {
  QSettings store = Store();
  for (const SettingRow& row : kSettingRows)
    if (const auto chosen = row.chosenIn(s)) store.setValue(StoredKey(row), Text(row.keyAt(*chosen)));
}

OptionsDialog::OptionsDialog(const CalculationSettings& settings, QWidget* parent) : QDialog(parent) {
  setObjectName("frmOptions");
  setWindowTitle("Options");
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  for (const SettingRow& row : kSettingRows) {
    auto* box = new QComboBox(this);
    box->setObjectName(BoxName(row));
    for (std::size_t i = 0; i < row.choiceCount; ++i) box->addItem(Text(row.labelAt(i)));
    box->setAccessibleDescription(Text(row.help));
    form->addRow(Text(row.dialogLabel), box);
    boxes_.push_back(box);
  }
  choose(settings);
  layout->addLayout(form);
  auto* exact = new QPushButton("E&xact Conventions", this);
  exact->setObjectName("cmdExactConventions");
  QStringList exactLabels;
  for (const SettingRow& row : kSettingRows)
    if (const auto choice = row.Find(row.exactKey); choice && !row.exactKey.empty()) exactLabels << Text(row.labelAt(*choice));
  exact->setToolTip(exactLabels.join(QStringLiteral(", ")) + QStringLiteral("; the engine and the other choices stay"));
  connect(exact, &QPushButton::clicked, this, &OptionsDialog::chooseExactConventions);
  layout->addWidget(exact, 0, Qt::AlignLeft);
  auto* note = new QLabel(
      "The first choice of each is the program's long-standing calculation. The true node needs "
      "Swiss Ephemeris; the chart file keeps the birth details only.",
      this);
  note->setWordWrap(true);
  layout->addWidget(note);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &OptionsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &OptionsDialog::reject);
  layout->addWidget(buttons);
  // Esc closes every dialog; Ctrl+W closes this one as it closes every other window.
  auto* closeKey = new QAction(this);
  closeKey->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
  connect(closeKey, &QAction::triggered, this, &OptionsDialog::reject);
  addAction(closeKey);
  KeepWindowGeometry(this, QStringLiteral("options"));
}

CalculationSettings OptionsDialog::settings() const {
  CalculationSettings s;
  for (std::size_t r = 0; r < kSettingCount; ++r) {
    const int i = boxes_[r]->currentIndex();
    if (i >= 0) kSettingRows[r].choose(s, static_cast<std::size_t>(i));
  }
  return s;
}

void OptionsDialog::choose(const CalculationSettings& s) {
  for (std::size_t r = 0; r < kSettingCount; ++r)
    if (const auto chosen = kSettingRows[r].chosenIn(s)) boxes_[r]->setCurrentIndex(static_cast<int>(*chosen));
}

void OptionsDialog::chooseExactConventions() {
  CalculationSettings s = settings();
  ApplyExactConventions(s);
  choose(s);
}

void OptionsDialog::accept() {
  if (const auto problem = CheckSettings(settings())) {
    ShowMessage(this, SettingsMessageForWindows(problem->message), MessageIcon::Error);
    return;
  }
  QDialog::accept();
}

void AddOptionsAction(QMenu* menu, QWidget* parent, std::function<void()> changed) {
  QAction* action = menu->addAction(QString::fromUtf8("Options\u2026"));
  action->setObjectName("mnuOptions");
  QObject::connect(action, &QAction::triggered, parent, [parent, changed] {
    const CalculationSettings before = LoadCalculationSettings();
    OptionsDialog dialog(before, parent);
    if (dialog.exec() != QDialog::Accepted) return;
    const CalculationSettings after = dialog.settings();
    SaveCalculationSettings(after);
    if (after != before && changed) changed();
  });
}

}  // namespace corvane
