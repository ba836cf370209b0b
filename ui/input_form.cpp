#include "ui/input_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QUrlQuery>
#include <QVBoxLayout>
#include <algorithm>

#include "app/chart_calculation.h"
#include "app/chart_file.h"
#include "app/zone_table.h"
#include "astro/civil_time.h"
#include "ui/file_dialogs.h"
#include "ui/filtered_line_edit.h"
#include "ui/help_menu.h"
#include "ui/options_dialog.h"
#include "ui/program_icon.h"
#include "ui/message_presenter.h"
#include "ui/program_icon.h"
#include "ui/typed_list.h"
#include "ui/web_links.h"

namespace corvane {

namespace {

QString ToQString(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QComboBox* NumberList(const char* name, int from, int to, QWidget* parent) {
  auto* box = new TypedList(TypedList::Items::Numbers, parent);
  box->setObjectName(name);
  for (int i = from; i <= to; ++i) box->addItem(QString::number(i));
  box->setCurrentIndex(0);
  return box;
}

QRadioButton* Option(const char* name, const char* text, QWidget* parent) {
  auto* option = new QRadioButton(text, parent);
  option->setObjectName(name);
  return option;
}

// Selects the item whose text is the number, leaving the list as it is when none matches.
void SelectNumber(QComboBox* box, int value) {
  const int i = box->findText(QString::number(value));
  if (i >= 0) box->setCurrentIndex(i);
}

}  // namespace

InputForm::InputForm(QWidget* parent) : QMainWindow(parent) {
  setObjectName("frmMain");
  setWindowTitle(kWindowCaption);
  setWindowIcon(ProgramIcon());
  buildMenus();
  buildControls();
}

void InputForm::buildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  QAction* next = file->addAction("Get My Corvane Reading");
  next->setObjectName("mnuNext");
  connect(next, &QAction::triggered, this, [this] { runCalculation(); });
  AddOptionsAction(file, this);
  QAction* exit = file->addAction("E&xit");
  exit->setObjectName("mnuExit");
  connect(exit, &QAction::triggered, this, &QWidget::close);

  AddHelpMenu(this, false);
}

void InputForm::buildControls() {
  auto* central = new QWidget(this);
  auto* outer = new QVBoxLayout(central);
  outer->setContentsMargins(14, 10, 14, 10);
  outer->setSpacing(10);

  auto* description = new QLabel(
      "Corvane calculates the different Lagnas or Ascendants on the basis of Vedic Astrology. "
      "Ascendants give us an insight into the various areas of our life and act as a guide to the "
      "kind of life we are destined to have. Know more about the different Lagnas with this software.",
      central);
  description->setObjectName("lblDescription");
  description->setWordWrap(true);
  outer->addWidget(description);

  // Personal details.
  auto* personal = new QGroupBox("Personal Details", central);
  personal->setObjectName("fraPersonal");
  auto* pg = new QGridLayout(personal);
  txtName_ = new FilteredLineEdit(KeyFilter::Name, personal);
  txtName_->setObjectName("txtName");
  pg->addWidget(new QLabel("Name", personal), 0, 0);
  pg->addWidget(txtName_, 0, 1, 1, 3);

  cboMonth_ = new TypedList(TypedList::Items::Texts, personal);
  cboMonth_->setObjectName("cboMonth");
  for (std::string_view m : kMonthNames) cboMonth_->addItem(ToQString(m));
  cboDate_ = NumberList("cboDate", 1, 31, personal);
  cboYear_ = NumberList("cboYear", 1901, 2050, personal);
  // The day list offers only the days of the chosen month and year.
  connect(cboMonth_, &QComboBox::currentIndexChanged, this, &InputForm::offerDaysOfMonth);
  connect(cboYear_, &QComboBox::currentIndexChanged, this, &InputForm::offerDaysOfMonth);
  offerDaysOfMonth();
  auto addListRow = [pg, personal](int row, const char* label, std::initializer_list<QWidget*> lists) {
    pg->addWidget(new QLabel(label, personal), row, 0);
    int column = 1;
    for (QWidget* list : lists) pg->addWidget(list, row, column++);
  };
  addListRow(1, "Date of Birth", {cboMonth_, cboDate_, cboYear_});

  cboHH_ = NumberList("cboHH", 0, 23, personal);
  cboMM_ = NumberList("cboMM", 0, 59, personal);
  cboSS_ = NumberList("cboSS", 0, 59, personal);
  addListRow(2, "Time of Birth", {cboHH_, cboMM_, cboSS_});
  auto* hint = new QLabel("HH:MM:SS", personal);
  hint->setObjectName("lblTimeHint");
  hint->setEnabled(false);
  pg->addWidget(hint, 3, 1);

  // Place details.
  auto* place = new QGroupBox("Place Details", central);
  place->setObjectName("fraPlace");
  auto* lg = new QGridLayout(place);
  txtMCity_ = new QLineEdit(place);
  txtMCity_->setObjectName("txtMCity");
  txtMState_ = new QLineEdit(place);
  txtMState_->setObjectName("txtMState");
  txtMCountry_ = new QLineEdit(place);
  txtMCountry_->setObjectName("txtMCountry");
  lg->addWidget(new QLabel("City", place), 0, 0);
  lg->addWidget(txtMCity_, 0, 1);
  lg->addWidget(new QLabel("State", place), 1, 0);
  lg->addWidget(txtMState_, 1, 1);
  lg->addWidget(new QLabel("Country", place), 2, 0);
  lg->addWidget(txtMCountry_, 2, 1);
  auto* browser = new QPushButton("Click for Latitude && Longitude", place);
  browser->setObjectName("cmdBrowser");
  browser->setAutoDefault(true);
  connect(browser, &QPushButton::clicked, this, &InputForm::searchCoordinates);
  lg->addWidget(browser, 3, 0, 1, 2);

  auto* top = new QHBoxLayout;
  top->addWidget(personal, 1);
  top->addWidget(place, 1);
  outer->addLayout(top);

  // Zone.
  auto* zone = new QGroupBox("Zone", central);
  zone->setObjectName("fraZone");
  auto* zl = new QHBoxLayout(zone);
  cmbTimeZone_ = new TypedList(TypedList::Items::Texts, zone);
  cmbTimeZone_->setObjectName("cmbTimeZone");
  for (const ZoneRow& row : kZoneTable) cmbTimeZone_->addItem(ToQString(row.text));
  cmbTimeZone_->setCurrentIndex(kDefaultZonePosition);
  cmbTimeZone_->setMaxVisibleItems(20);
  chkDST_ = new QCheckBox("Daylight Saving Time", zone);
  chkDST_->setObjectName("chkDST");
  zl->addWidget(cmbTimeZone_, 1);
  zl->addWidget(chkDST_);
  outer->addWidget(zone);

  // Longitude and latitude.
  auto coordinateGroup = [&](const char* title, const char* name, FilteredLineEdit*& degrees, const char* dName,
                             int dLength, FilteredLineEdit*& minutes, const char* mName, QRadioButton*& first,
                             const char* firstName, const char* firstText, QRadioButton*& second,
                             const char* secondName, const char* secondText) {
    auto* group = new QGroupBox(title, central);
    group->setObjectName(name);
    auto* g = new QGridLayout(group);
    degrees = new FilteredLineEdit(KeyFilter::Coordinate, group);
    degrees->setObjectName(dName);
    degrees->setMaxLength(dLength);
    minutes = new FilteredLineEdit(KeyFilter::Coordinate, group);
    minutes->setObjectName(mName);
    minutes->setMaxLength(2);
    degrees->setMaximumWidth(72);
    minutes->setMaximumWidth(72);
    first = Option(firstName, firstText, group);
    second = Option(secondName, secondText, group);
    auto* pair = new QButtonGroup(group);
    pair->addButton(first, 0);
    pair->addButton(second, 1);
    first->setChecked(true);
    g->addWidget(new QLabel("Degrees", group), 0, 0);
    g->addWidget(degrees, 0, 1);
    g->addWidget(new QLabel("Minutes", group), 0, 2);
    g->addWidget(minutes, 0, 3);
    g->addWidget(first, 1, 1);
    g->addWidget(second, 1, 3);
    return group;
  };
  auto* coords = new QHBoxLayout;
  coords->addWidget(coordinateGroup("Longitude", "fraLongitude", txtLonD_, "txtLonD", 3, txtLonM_, "txtLonM",
                                    optEast_, "optLong_0", "East", optWest_, "optLong_1", "West"));
  coords->addWidget(coordinateGroup("Latitude", "fraLatitude", txtLatD_, "txtLatD", 2, txtLatM_, "txtLatM",
                                    optNorth_, "optLat_0", "North", optSouth_, "optLat_1", "South"));
  outer->addLayout(coords);

  auto* buttons = new QHBoxLayout;
  auto* open = new QPushButton("&Open Previously Saved Reading", central);
  open->setObjectName("cmdOpen");
  open->setAutoDefault(true);
  connect(open, &QPushButton::clicked, this, &InputForm::chooseAndOpenChartFile);
  auto* rashi = new QPushButton("Get My Corvane Reading", central);
  rashi->setObjectName("cmdRashi");
  rashi->setAutoDefault(true);
  connect(rashi, &QPushButton::clicked, this, [this] { runCalculation(); });
  buttons->addWidget(open);
  buttons->addStretch(1);
  buttons->addWidget(rashi);
  outer->addLayout(buttons);

  auto* forum = new QLabel("<a href=\"home\">Join the discussion forum: share your charts and questions with other "
                           "astrologers</a>",
                           central);
  forum->setObjectName("Label61");
  // Tab reaches the link too; Enter or Space then opens it (see keyPressEvent).
  forum->setFocusPolicy(Qt::StrongFocus);
  forum->setStyleSheet("QLabel:focus { border: 1px dotted palette(text); }");
  forum_ = forum;
  forum->setCursor(Qt::PointingHandCursor);
  connect(forum, &QLabel::linkActivated, this, [this] { OpenWebPage(HomePageUrl(), this); });
  outer->addWidget(forum, 0, Qt::AlignHCenter);

  setCentralWidget(central);
  setTabOrder(txtName_, cboMonth_);
  // At its narrowest the description wraps onto more lines than the layout's minimum counts
  // on; the form keeps the height that takes, so no field is ever squeezed.
  central->setMinimumHeight(outer->heightForWidth(outer->minimumSize().width()));
}

BirthData InputForm::birthData() const {
  BirthData d;
  d.name = txtName_->text().toStdString();
  d.monthIndex = cboMonth_->currentIndex();
  d.day = cboDate_->currentText().toInt();
  d.year = cboYear_->currentText().toInt();
  d.hour = cboHH_->currentText().toInt();
  d.minute = cboMM_->currentText().toInt();
  d.second = cboSS_->currentText().toInt();
  d.city = txtMCity_->text().toStdString();
  d.state = txtMState_->text().toStdString();
  d.country = txtMCountry_->text().toStdString();
  d.zonePosition = cmbTimeZone_->currentIndex();
  d.daylightSaving = chkDST_->isChecked();
  d.lonDegrees = txtLonD_->text().toStdString();
  d.lonMinutes = txtLonM_->text().toStdString();
  d.east = optEast_->isChecked();
  d.latDegrees = txtLatD_->text().toStdString();
  d.latMinutes = txtLatM_->text().toStdString();
  d.south = optSouth_->isChecked();
  return d;
}

void InputForm::setBirthData(const BirthData& d) {
  // setText bypasses the key filters on purpose: values from a file are checked by the
  // calculation's validation, which is what decides whether a chart is shown.
  txtName_->setText(QString::fromStdString(d.name));
  // Month and year first: they decide which days the day list offers.
  if (d.monthIndex >= 0 && d.monthIndex < 12) cboMonth_->setCurrentIndex(d.monthIndex);
  SelectNumber(cboYear_, d.year);
  SelectNumber(cboDate_, d.day);
  SelectNumber(cboHH_, d.hour);
  SelectNumber(cboMM_, d.minute);
  SelectNumber(cboSS_, d.second);
  txtMCity_->setText(QString::fromStdString(d.city));
  txtMState_->setText(QString::fromStdString(d.state));
  txtMCountry_->setText(QString::fromStdString(d.country));
  if (d.zonePosition >= 0 && d.zonePosition < kZoneCount) cmbTimeZone_->setCurrentIndex(d.zonePosition);
  chkDST_->setChecked(d.daylightSaving);
  txtLonD_->setText(QString::fromStdString(d.lonDegrees).left(txtLonD_->maxLength()));
  txtLonM_->setText(QString::fromStdString(d.lonMinutes).left(txtLonM_->maxLength()));
  txtLatD_->setText(QString::fromStdString(d.latDegrees).left(txtLatD_->maxLength()));
  txtLatM_->setText(QString::fromStdString(d.latMinutes).left(txtLatM_->maxLength()));
  (d.east ? optEast_ : optWest_)->setChecked(true);
  (d.south ? optSouth_ : optNorth_)->setChecked(true);
}

void InputForm::offerDaysOfMonth() {
  const int days = DaysInMonth(cboYear_->currentText().toInt(), cboMonth_->currentIndex() + 1);
  if (days <= 0) return;
  // The chosen day stays when the month has it; otherwise the month's last day is chosen.
  const int day = std::min(cboDate_->currentText().toInt(), days);
  while (cboDate_->count() > days) cboDate_->removeItem(cboDate_->count() - 1);
  while (cboDate_->count() < days) cboDate_->addItem(QString::number(cboDate_->count() + 1));
  cboDate_->setCurrentIndex(std::max(day, 1) - 1);
}

void InputForm::report(const InputMessage& message) {
  ShowMessage(this, ToQString(message.text), message.icon);
  QWidget* target = nullptr;
  switch (message.focus) {
    case BirthField::Name: target = txtName_; break;
    case BirthField::LonDegrees: target = txtLonD_; break;
    case BirthField::LonMinutes: target = txtLonM_; break;
    case BirthField::LatDegrees: target = txtLatD_; break;
    case BirthField::LatMinutes: target = txtLatM_; break;
    case BirthField::City: target = txtMCity_; break;
    case BirthField::State: target = txtMState_; break;
    case BirthField::Country: target = txtMCountry_; break;
    case BirthField::None: break;
  }
  if (target) target->setFocus(Qt::OtherFocusReason);
}

void InputForm::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (forum_->hasFocus() && (enter || event->key() == Qt::Key_Space)) {
    event->accept();
    OpenWebPage(HomePageUrl(), this);
    return;
  }
  // Text boxes, lists and option buttons pass Enter on; it reaches the form here.
  if (enter) {
    event->accept();
    runCalculation();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

bool InputForm::runCalculation() {
  const BirthData data = birthData();
  // A daylight-saving tick on a zone that already has that hour: asked once the input
  // itself is valid, so the question is not followed by a refusal.
  if (!ValidateBirthData(data)) {
    if (const auto warning = DaylightSavingCountedTwice(data.zonePosition, data.daylightSaving)) {
      if (!AskQuestion(this, ToQString(*warning) + " Calculate anyway?")) return false;
    }
  }
  const CalculationResult result = CalculateChart(data, LoadCalculationSettings());
  if (const auto* message = std::get_if<InputMessage>(&result.outcome)) {
    report(*message);
    return false;
  }
  if (const auto* polar = std::get_if<PolarDate>(&result.outcome)) {
    ShowMessage(this, QString::fromStdString(polar->message), MessageIcon::Information);
    return false;
  }
  emit chartCalculated(std::get<std::shared_ptr<const ChartState>>(result.outcome));
  return true;
}

void InputForm::chooseAndOpenChartFile() {
  const QString path = ChooseChartFileToOpen(this);
  if (!path.isEmpty()) openChartFile(path);
}

void InputForm::openChartFile(const QString& path) {
  if (!HasChartFileExtension(path.toStdString())) {
    ShowMessage(this, ToQString(kCheckTheFileMessage), MessageIcon::Error);
    return;
  }
  const auto bytes = ReadChartFile(path.toStdString());
  if (!bytes) {
    ShowMessage(this, "The file " + path + " could not be read.", MessageIcon::Error);
    return;
  }
  // A file that is not a chart changes nothing: the form keeps its values and no chart is
  // calculated.
  const ParsedChartFile parsed = ParseChartFile(*bytes);
  if (!parsed.ok()) {
    ShowMessage(this, ToQString(kCheckTheFileMessage), MessageIcon::Error);
    return;
  }
  const BirthData saved = parsed.birth();
  setBirthData(saved);
  // A day the saved month does not have cannot be shown by the day list: the file is
  // refused with the message the form gives for that date rather than read as another day.
  if (birthData().day != saved.day) {
    BirthData asSaved = birthData();
    asSaved.day = saved.day;
    if (const auto message = ValidateBirthData(asSaved)) {
      report(*message);
      return;
    }
  }
  runCalculation();
}

void InputForm::searchCoordinates() {
  const BirthData d = birthData();
  if (const auto message = CheckPlaceForSearch(d)) {
    report(*message);
    return;
  }
  OpenWebPage(CoordinateSearchUrl(QString::fromStdString(d.city + " " + d.state + " " + d.country +
                                                          " Latitude Longitude")),
              this);
}

}  // namespace corvane
