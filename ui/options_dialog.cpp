#include "ui/options_dialog.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "ui/message_presenter.h"
#include "ui/window_geometry.h"

namespace corvane {

namespace {

QSettings Store() { return QSettings("Corvane", "Corvane"); }

template <typename T, std::size_t N>
void Load(QSettings& store, const char* key, const std::array<SettingChoice<T>, N>& choices, T& value) {
  const QByteArray text = store.value(QString("calculation/") + key).toString().toUtf8();
  if (const auto chosen = ChoiceByKey(choices, std::string_view(text.constData(), static_cast<std::size_t>(text.size()))))
    value = *chosen;
}

template <typename T, std::size_t N>
void Save(QSettings& store, const char* key, const std::array<SettingChoice<T>, N>& choices, T value) {
  const std::string_view k = ChoiceOf(choices, value).key;
  store.setValue(QString("calculation/") + key, QString::fromUtf8(k.data(), static_cast<int>(k.size())));
}

template <typename T, std::size_t N>
void Choose(QComboBox* box, const std::array<SettingChoice<T>, N>& choices, T value) {
  for (std::size_t i = 0; i < N; ++i)
    if (choices[i].value == value) box->setCurrentIndex(static_cast<int>(i));
}

template <typename T, std::size_t N>
QComboBox* MakeChoiceBox(const char* name, const std::array<SettingChoice<T>, N>& choices, T value, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  for (const auto& choice : choices)
    box->addItem(QString::fromUtf8(choice.label.data(), static_cast<int>(choice.label.size())));
  Choose(box, choices, value);
  return box;
}

template <typename T, std::size_t N>
T ChoiceIn(const QComboBox* box, const std::array<SettingChoice<T>, N>& choices) {
  const int i = box->currentIndex();
  return i >= 0 && static_cast<std::size_t>(i) < N ? choices[static_cast<std::size_t>(i)].value : choices[0].value;
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
  Load(store, "engine", kEngineChoices, s.engine);
  Load(store, "ayanamsa", kAyanamsaChoices, s.ayanamsa);
  Load(store, "node", kNodeChoices, s.node);
  Load(store, "sunrise", kSunriseChoices, s.sunrise);
  Load(store, "indu", kInduChoices, s.indu);
  Load(store, "timing", kTimingChoices, s.timing);
  Load(store, "pranapada_sun", kPranapadaSunChoices, s.pranapadaSun);
  Load(store, "varnada", kVarnadaChoices, s.varnada);
  Load(store, "lords", kLordsChoices, s.lords);
  Load(store, "nakshatra", kNakshatraChoices, s.nakshatra);
  return s;
}

void SaveCalculationSettings(const CalculationSettings& s) {
  QSettings store = Store();
  Save(store, "engine", kEngineChoices, s.engine);
  Save(store, "ayanamsa", kAyanamsaChoices, s.ayanamsa);
  Save(store, "node", kNodeChoices, s.node);
  Save(store, "sunrise", kSunriseChoices, s.sunrise);
  Save(store, "indu", kInduChoices, s.indu);
  Save(store, "timing", kTimingChoices, s.timing);
  Save(store, "pranapada_sun", kPranapadaSunChoices, s.pranapadaSun);
  Save(store, "varnada", kVarnadaChoices, s.varnada);
  Save(store, "lords", kLordsChoices, s.lords);
  Save(store, "nakshatra", kNakshatraChoices, s.nakshatra);
}

OptionsDialog::OptionsDialog(const CalculationSettings& settings, QWidget* parent) : QDialog(parent) {
  setObjectName("frmOptions");
  setWindowTitle("Options");
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  cboEngine_ = MakeChoiceBox("cboEngine", kEngineChoices, settings.engine, this);
  cboAyanamsa_ = MakeChoiceBox("cboAyanamsa", kAyanamsaChoices, settings.ayanamsa, this);
  cboNode_ = MakeChoiceBox("cboNode", kNodeChoices, settings.node, this);
  cboSunrise_ = MakeChoiceBox("cboSunrise", kSunriseChoices, settings.sunrise, this);
  cboIndu_ = MakeChoiceBox("cboIndu", kInduChoices, settings.indu, this);
  form->addRow("&Engine:", cboEngine_);
  form->addRow("&Ayanamsa:", cboAyanamsa_);
  form->addRow("&Nodes:", cboNode_);
  form->addRow("&Sunrise:", cboSunrise_);
  form->addRow("&Indu lagna:", cboIndu_);
  cboTiming_ = MakeChoiceBox("cboTiming", kTimingChoices, settings.timing, this);
  cboPranapadaSun_ = MakeChoiceBox("cboPranapadaSun", kPranapadaSunChoices, settings.pranapadaSun, this);
  cboVarnada_ = MakeChoiceBox("cboVarnada", kVarnadaChoices, settings.varnada, this);
  cboLords_ = MakeChoiceBox("cboLords", kLordsChoices, settings.lords, this);
  cboNakshatra_ = MakeChoiceBox("cboNakshatra", kNakshatraChoices, settings.nakshatra, this);
  form->addRow("&Timing:", cboTiming_);
  form->addRow("&Pranapada Sun:", cboPranapadaSun_);
  form->addRow("&Varnada lagna:", cboVarnada_);
  form->addRow("Sign &lords:", cboLords_);
  form->addRow("Nakshatra s&tarts:", cboNakshatra_);
  layout->addLayout(form);
  auto* exact = new QPushButton("E&xact Conventions", this);
  exact->setObjectName("cmdExactConventions");
  exact->setToolTip(
      "Birth second and unrounded sunrise, Pranapada from the Sun at birth, Varnada in signs, exact nakshatra "
      "starts; the engine and the other choices stay");
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
  const std::array<std::pair<QComboBox*, const char*>, 5> described = {{
      {cboEngine_, "How the positions of the planets are calculated"},
      {cboAyanamsa_, "The ayanamsa that turns tropical into sidereal longitudes"},
      {cboNode_, "Mean or true lunar node for Rahu and Ketu"},
      {cboSunrise_, "How sunrise is reckoned for the lagnas counted from it"},
      {cboIndu_, "The rule of the Indu lagna"},
  }};
  for (const auto& [box, description] : described) box->setAccessibleDescription(description);
  KeepWindowGeometry(this, QStringLiteral("options"));
}

CalculationSettings OptionsDialog::settings() const {
  CalculationSettings s;
  s.engine = ChoiceIn(cboEngine_, kEngineChoices);
  s.ayanamsa = ChoiceIn(cboAyanamsa_, kAyanamsaChoices);
  s.node = ChoiceIn(cboNode_, kNodeChoices);
  s.sunrise = ChoiceIn(cboSunrise_, kSunriseChoices);
  s.indu = ChoiceIn(cboIndu_, kInduChoices);
  s.timing = ChoiceIn(cboTiming_, kTimingChoices);
  s.pranapadaSun = ChoiceIn(cboPranapadaSun_, kPranapadaSunChoices);
  s.varnada = ChoiceIn(cboVarnada_, kVarnadaChoices);
  s.lords = ChoiceIn(cboLords_, kLordsChoices);
  s.nakshatra = ChoiceIn(cboNakshatra_, kNakshatraChoices);
  return s;
}

void OptionsDialog::chooseExactConventions() {
  CalculationSettings s = settings();
  ApplyExactConventions(s);
  Choose(cboTiming_, kTimingChoices, s.timing);
  Choose(cboPranapadaSun_, kPranapadaSunChoices, s.pranapadaSun);
  Choose(cboVarnada_, kVarnadaChoices, s.varnada);
  Choose(cboNakshatra_, kNakshatraChoices, s.nakshatra);
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
