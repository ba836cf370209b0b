#include "ui/input_form.h"

#include "app/birth_zone.h"
#include "app/month_names.h"
#include "astro/swiss_ephemeris.h"

#include <QAction>
#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QFutureWatcher>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QtConcurrent/QtConcurrentRun>
#include <QUrl>
#include <QUrlQuery>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/chart_calculation.h"
#include "app/chart_file.h"
#include "app/month_names.h"
#include "app/search_fold.h"
#include "app/text_encoding.h"
#include "app/zone_table.h"
#include "astro/civil_time.h"
#include "ui/collection_window.h"
#include "ui/file_dialogs.h"
#include "ui/filtered_line_edit.h"
#include "ui/help_menu.h"
#include "ui/options_dialog.h"
#include "ui/message_presenter.h"
#include "ui/program_icon.h"
#include "ui/typed_list.h"
#include "ui/web_links.h"
#include "ui/window_geometry.h"
#include "ui/zone_dialog.h"

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

constexpr int kPlacesOffered = 12;
constexpr int kPlaceIdRole = Qt::UserRole + 1;
constexpr int kPlaceNameRole = Qt::UserRole + 2;  // the name as the search matched it

// "Munich, Bavaria, Germany"; a name matched other than the place's own comes first with the
// place's name after it ("München (Munich), Bavaria, Germany", "Bombay (Mumbai), ..."), so
// that a row says which place it fills in; a place with no region leaves it out.
QString PlaceChoiceText(const PlaceResult& place) {
  QString text = ToQString(place.name);
  if (!place.matchedName.empty() && place.matchedName != place.name)
    text = ToQString(place.matchedName) + " (" + text + ")";
  if (!place.region.empty()) text += ", " + ToQString(place.region);
  if (!place.country.empty()) text += ", " + ToQString(place.country);
  return text;
}

// The clock reading as an answer to "which of the two": "EDT, UTC-4:00".
QString DescribeReading(const ZoneReading& reading) {
  return ToQString(reading.abbreviation) + ", " + ToQString(FormatUtOffset(reading.utOffsetSeconds));
}

struct LoadedPlaces {
  std::shared_ptr<const PlaceIndex> places;
  PlaceLoadStatus status;
};

}  // namespace

InputForm::InputForm(QWidget* parent) : QMainWindow(parent) {
  setObjectName("frmMain");
  setWindowTitle(kWindowCaption);
  setWindowIcon(ProgramIcon());
  buildMenus();
  buildControls();
  // Ctrl+W closes the form as Exit does. Esc does not: a stray Esc (meant for a list or
  // the place search) would end the program and lose the details typed in.
  auto* closeKey = new QAction(this);
  closeKey->setObjectName("actClose");
  closeKey->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
  connect(closeKey, &QAction::triggered, this, &QWidget::close);
  addAction(closeKey);
  KeepWindowGeometry(this, QStringLiteral("form"));
  startLoadingPlaces();
}

void InputForm::buildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  QAction* next = file->addAction("Get My Corvane Reading");
  next->setObjectName("mnuNext");
  connect(next, &QAction::triggered, this, [this] { runCalculation(); });
  AddOptionsAction(file, this, [this] { offerYearsOf(LoadCalculationSettings().engine); });
  file->addSeparator();
  AddCollectionActions(file, this, [this](const BirthData& birth) { openBirth(birth); });
  file->addSeparator();
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
  engine_ = LoadCalculationSettings().engine;
  const BirthYearSpan years = BirthYearsOf(engine_);
  cboYear_ = NumberList("cboYear", years.first, years.last, personal);
  SelectNumber(cboYear_, std::clamp(1901, years.first, years.last));
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
  // A typed year the list does not hold is refused with the reason, under the lists.
  lblYearHint_ = new QLabel(personal);
  lblYearHint_->setObjectName("lblYearHint");
  lblYearHint_->setWordWrap(true);
  lblYearHint_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblYearHint_->hide();
  pg->addWidget(lblYearHint_, 4, 1, 1, 3);
  connect(static_cast<TypedList*>(cboYear_), &TypedList::numberRefused, this, &InputForm::explainRefusedYear);
  connect(cboYear_, &QComboBox::currentIndexChanged, lblYearHint_, &QWidget::hide);

  // Place details.
  auto* place = new QGroupBox("Place Details", central);
  place->setObjectName("fraPlace");
  auto* lg = new QGridLayout(place);
  // Created first, so that Tab reaches the search before the fields it fills.
  txtPlaceSearch_ = new QLineEdit(place);
  txtPlaceSearch_->setObjectName("txtPlaceSearch");
  txtPlaceSearch_->setPlaceholderText("Loading places…");
  txtPlaceSearch_->setEnabled(false);
  txtPlaceSearch_->setClearButtonEnabled(true);
  placeModel_ = new QStandardItemModel(this);
  // The index has already matched, folded and ordered the places: the completer shows its
  // rows as they are rather than filtering them again by prefix.
  placeCompleter_ = new QCompleter(placeModel_, this);
  placeCompleter_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  placeCompleter_->setMaxVisibleItems(kPlacesOffered);
  placeCompleter_->setWidget(txtPlaceSearch_);
  placeCompleter_->setObjectName("placeCompleter");
  placeCompleter_->popup()->setObjectName("lstPlaces");
  connect(txtPlaceSearch_, &QLineEdit::textEdited, this, &InputForm::offerPlaces);
  connect(placeCompleter_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
          [this](const QModelIndex& index) {
            choosePlace(index.data(kPlaceIdRole).value<qulonglong>(), index.data(kPlaceNameRole).toString());
          });
  txtMCity_ = new QLineEdit(place);
  txtMCity_->setObjectName("txtMCity");
  txtMState_ = new QLineEdit(place);
  txtMState_->setObjectName("txtMState");
  txtMCountry_ = new QLineEdit(place);
  txtMCountry_->setObjectName("txtMCountry");
  lg->addWidget(new QLabel("Find Place", place), 0, 0);
  lg->addWidget(txtPlaceSearch_, 0, 1);
  lg->addWidget(new QLabel("City", place), 1, 0);
  lg->addWidget(txtMCity_, 1, 1);
  lg->addWidget(new QLabel("State", place), 2, 0);
  lg->addWidget(txtMState_, 2, 1);
  lg->addWidget(new QLabel("Country", place), 3, 0);
  lg->addWidget(txtMCountry_, 3, 1);
  auto* browser = new QPushButton("Click for Latitude && Longitude", place);
  browser->setObjectName("cmdBrowser");
  browser->setAutoDefault(true);
  connect(browser, &QPushButton::clicked, this, &InputForm::searchCoordinates);
  lg->addWidget(browser, 4, 0, 1, 2);

  auto* top = new QHBoxLayout;
  top->addWidget(personal, 1);
  top->addWidget(place, 1);
  outer->addLayout(top);

  // Zone.
  auto* zone = new QGroupBox("Zone", central);
  zone->setObjectName("fraZone");
  auto* zl = new QGridLayout(zone);
  cmbTimeZone_ = new TypedList(TypedList::Items::Texts, zone);
  cmbTimeZone_->setObjectName("cmbTimeZone");
  for (const ZoneRow& row : kZoneTable) cmbTimeZone_->addItem(ToQString(row.text));
  cmbTimeZone_->setCurrentIndex(kDefaultZonePosition);
  cmbTimeZone_->setMaxVisibleItems(20);
  chkDST_ = new QCheckBox("Daylight Saving Time", zone);
  chkDST_->setObjectName("chkDST");
  auto* zoneByName = new QPushButton("Zone…", zone);
  zoneByName->setObjectName("cmdZone");
  zoneByName->setAutoDefault(true);
  zoneByName->setToolTip("Choose the time zone of the birth place by name");
  connect(zoneByName, &QPushButton::clicked, this, &InputForm::chooseZoneByName);
  lblZoneInForce_ = new QLabel(zone);
  lblZoneInForce_->setObjectName("lblZoneInForce");
  lblZoneInForce_->setWordWrap(true);
  lblZoneInForce_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  zl->addWidget(cmbTimeZone_, 0, 0);
  zl->addWidget(chkDST_, 0, 1);
  zl->addWidget(zoneByName, 0, 2);
  zl->addWidget(lblZoneInForce_, 1, 0, 1, 3);
  zl->setColumnStretch(0, 1);
  outer->addWidget(zone);
  // A row or tick the user picks replaces the zone the program found.
  auto byHand = [this] {
    if (settingZone_ || !extras_.zoneId) return;
    extras_ = {};
    keepTypedField("zone");
    refreshZoneLabel();
  };
  connect(cmbTimeZone_, &QComboBox::currentIndexChanged, this, byHand);
  connect(chkDST_, &QCheckBox::toggled, this, byHand);
  // The clock in force follows the birth date and time.
  for (QComboBox* box : {cboMonth_, cboDate_, cboYear_, cboHH_, cboMM_, cboSS_}) {
    connect(box, &QComboBox::currentIndexChanged, this, [this] {
      if (!settingZone_ && extras_.zoneId) applyZone();
    });
  }

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
  // A field the user edits after choosing a place keeps the typed value (only the program's
  // own setText fills it) and is no longer counted among the fields the place filled.
  auto typed = [this](auto* sender, auto signal, std::string_view field) {
    connect(sender, signal, this, [this, field] { keepTypedField(field); });
  };
  typed(txtMCity_, &QLineEdit::textEdited, "city");
  typed(txtMState_, &QLineEdit::textEdited, "state");
  typed(txtMCountry_, &QLineEdit::textEdited, "country");
  for (QLineEdit* edit : {static_cast<QLineEdit*>(txtLonD_), static_cast<QLineEdit*>(txtLonM_)})
    typed(edit, &QLineEdit::textEdited, "lon");
  for (QLineEdit* edit : {static_cast<QLineEdit*>(txtLatD_), static_cast<QLineEdit*>(txtLatM_)})
    typed(edit, &QLineEdit::textEdited, "lat");
  typed(optEast_, &QRadioButton::clicked, "lon");
  typed(optWest_, &QRadioButton::clicked, "lon");
  typed(optNorth_, &QRadioButton::clicked, "lat");
  typed(optSouth_, &QRadioButton::clicked, "lat");

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
  describeControls();
  setTabOrder(txtName_, cboMonth_);
  // At its narrowest the description wraps onto more lines than the layout's minimum counts
  // on; the form keeps the height that takes, so no field is ever squeezed.
  central->setMinimumHeight(outer->heightForWidth(outer->minimumSize().width()));
}

void InputForm::describeControls() {
  // What a screen reader says for each control: the field's caption, and what it takes.
  struct Described {
    QWidget* control;
    const char* name;
    const char* description;
  };
  const Described controls[] = {
      {txtName_, "Name", "The name of the person the chart is for"},
      {cboMonth_, "Month of birth", "Month of the date of birth"},
      {cboDate_, "Day of birth", "Day of the month of birth"},
      {cboYear_, "Year of birth", "Year of birth; type the four digits"},
      {cboHH_, "Hour of birth", "Hours of the time of birth, 0 to 23"},
      {cboMM_, "Minute of birth", "Minutes of the time of birth"},
      {cboSS_, "Second of birth", "Seconds of the time of birth"},
      {txtPlaceSearch_, "Find Place", "Type a place name; choosing a place fills the place, coordinates and zone"},
      {txtMCity_, "City", "City of birth"},
      {txtMState_, "State", "State or region of birth"},
      {txtMCountry_, "Country", "Country of birth"},
      {cmbTimeZone_, "Time zone", "The zone of the clock at the birth place"},
      {chkDST_, "Daylight Saving Time", "Tick when daylight saving time was in force at the birth"},
      {lblZoneInForce_, "Clock in force", "The clock of the zone at the birth date and time"},
      {txtLonD_, "Longitude degrees", "Degrees of the longitude of the birth place"},
      {txtLonM_, "Longitude minutes", "Minutes of the longitude of the birth place"},
      {optEast_, "East", "Longitude east of Greenwich"},
      {optWest_, "West", "Longitude west of Greenwich"},
      {txtLatD_, "Latitude degrees", "Degrees of the latitude of the birth place"},
      {txtLatM_, "Latitude minutes", "Minutes of the latitude of the birth place"},
      {optNorth_, "North", "Latitude north of the equator"},
      {optSouth_, "South", "Latitude south of the equator"},
      {forum_, "Join the discussion forum", "Opens the forum in the web browser"},
  };
  for (const Described& d : controls) {
    d.control->setAccessibleName(d.name);
    d.control->setAccessibleDescription(d.description);
  }
  lblYearHint_->setAccessibleName("Year not taken");
  const std::pair<const char*, const char*> buttons[] = {
      {"cmdBrowser", "Searches the web for the coordinates of the place typed in"},
      {"cmdZone", "Chooses the time zone of the birth place by name"},
      {"cmdOpen", "Opens a chart file saved before"},
      {"cmdRashi", "Calculates the chart and shows the reading"},
  };
  for (const auto& [name, description] : buttons)
    if (auto* button = findChild<QPushButton*>(name)) button->setAccessibleDescription(description);
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
  d.extras = extras_;
  d.place = place_;
  d.placeFilled = placeFilled_;
  return d;
}

void InputForm::setBirthData(const BirthData& d) {
  // setText bypasses the key filters on purpose: values from a file are checked by the
  // calculation's validation, which is what decides whether a chart is shown. The saved
  // zone row, tick and exact offset are taken as they are, not looked up again.
  settingZone_ = true;
  extras_ = d.extras;
  clockAsSaved_ = d.extras.utcOffsetSeconds.has_value();
  place_ = d.place;
  placeFilled_ = d.placeFilled;
  txtName_->setText(QString::fromStdString(d.name));
  // Month and year first: they decide which days the day list offers.
  if (d.monthIndex >= 0 && d.monthIndex < 12) cboMonth_->setCurrentIndex(d.monthIndex);
  offerYears(d.year);
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
  settingZone_ = false;
  refreshZoneLabel();
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
  ShowMessage(this, SettingsMessageForWindows(message.text), message.icon);
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

ChartRequest InputForm::chartRequest() const {
  ChartRequest request = RequestOf(birthData(), LoadCalculationSettings());
  if (extras_.zoneId && !clockAsSaved_) {
    request.clock.kind = ClockKind::kZoneId;
    request.clock.zoneId = *extras_.zoneId;
    request.clock.fold = ReadingChoiceOf(extras_.fold);
  }
  return request;
}

void ShowProblem(QWidget* parent, const Problem& problem) {
  if (problem.code == ProblemCode::kSkippedTime) {
    ShowMessage(parent, ToQString(problem.message) + ": that time of birth never happened there.", MessageIcon::Error);
    return;
  }
  // The checks of the calendar and the time inform; the others are errors.
  const bool calendar = problem.field == "date" || problem.field == "time";
  const MessageIcon icon =
      problem.code == ProblemCode::kPolarDate || (problem.code == ProblemCode::kInvalidBirth && calendar)
          ? MessageIcon::Information
          : MessageIcon::Error;
  ShowMessage(parent, problem.code == ProblemCode::kPolarDate ? ToQString(problem.message)
                                                               : SettingsMessageForWindows(problem.message),
              icon);
}

void InputForm::report(const Problem& problem) {
  ShowProblem(this, problem);
  QWidget* target = problem.code == ProblemCode::kSkippedTime ? cboHH_ : nullptr;
  for (const auto& [field, widget] : {std::pair<const char*, QWidget*>{"name", txtName_}, {"lon_degrees", txtLonD_},
                                      {"lon_minutes", txtLonM_}, {"lat_degrees", txtLatD_}, {"lat_minutes", txtLatM_}})
    if (problem.field == field) target = widget;
  if (target) target->setFocus(Qt::OtherFocusReason);
}

bool InputForm::runCalculation() {
  ChartRequest request = chartRequest();
  // A hyphen or apostrophe the keys let in must in the end stand between two letters.
  if (const auto why = NameRefusal(request.name)) {
    ShowMessage(this, QString::fromStdString(*why), MessageIcon::Information);
    txtName_->setFocus(Qt::OtherFocusReason);
    return false;
  }
  // A daylight-saving tick on a zone that already has that hour: asked once the input itself
  // is valid, so no question is followed by a refusal.
  const BirthData entered = EnteredBirth(request);
  if (request.clock.kind == ClockKind::kZoneRow && !ValidateBirthData(entered, request.settings.engine)) {
    if (const auto warning = DaylightSavingCountedTwice(entered.zonePosition, entered.daylightSaving)) {
      if (!AskQuestion(this, ToQString(*warning) + " Calculate anyway?")) return false;
    }
  }
  Result<ChartReading> result = ResolveChart(request);
  // A time that happened twice: the one question only the form asks, then the same request
  // with the reading chosen.
  if (!result && result.problem().code == ProblemCode::kDoubledTime) {
    const std::optional<RepeatedLocalTime> twice = DoubledHourOf(request);
    if (!twice) return false;
    const auto choice = AskChoice(this, ToQString(result.problem().message) + ". Which was the time of birth?",
                                  {DescribeReading(twice->earlier), DescribeReading(twice->later)});
    if (!choice) return false;
    request.clock.fold = *choice == 0 ? RepeatedTimeChoice::kEarlier : RepeatedTimeChoice::kLater;
    result = ResolveChart(request);
  }
  if (!result) {
    report(result.problem());
    return false;
  }
  // The form shows the clock that came back: its zone row and tick, the reading chosen.
  const Chart& chart = *result->chart;
  settingZone_ = true;
  cmbTimeZone_->setCurrentIndex(chart.clock.zonePosition);
  chkDST_->setChecked(chart.clock.daylightSaving);
  settingZone_ = false;
  if (chart.clock.source == ClockSource::kZoneDatabase && chart.clock.fold != DoubledHour::kNone) {
    extras_.fold = chart.clock.fold;
    extras_.utcOffsetSeconds = chart.clock.utcOffsetSeconds;
    refreshZoneLabel();
  }
  emit chartCalculated(result->chart);
  return true;
}

void InputForm::chooseAndOpenChartFile() {
  const QString path = ChooseChartFileToOpen(this);
  if (!path.isEmpty()) openChartFile(path);
}

void InputForm::offerYearsOf(EngineKind engine) {
  engine_ = engine;
  offerYears(cboYear_->currentText().toInt());
}

void InputForm::offerYears(int keep) {
  const BirthYearSpan years = BirthYearsOf(engine_);
  const int first = std::min(years.first, keep), last = std::max(years.last, keep);
  if (cboYear_->count() == last - first + 1 && cboYear_->itemText(0).toInt() == first) return;
  const QSignalBlocker quiet(cboYear_);
  cboYear_->clear();
  for (int year = first; year <= last; ++year) cboYear_->addItem(QString::number(year));
  SelectNumber(cboYear_, keep);
  offerDaysOfMonth();
}

void InputForm::openChartFile(const QString& path) {
  if (!HasChartFileExtension(path.toStdString())) {
    ShowMessage(this, ToQString(kCheckTheFileMessage), MessageIcon::Error);
    return;
  }
  std::string why;
  const auto bytes = ReadChartFile(path.toStdString(), why);
  if (!bytes) {
    ShowMessage(this, "The file " + path + " could not be read: " + QString::fromStdString(why) + ".",
                MessageIcon::Error);
    return;
  }
  // A file that is not a chart changes nothing: the form keeps its values and no chart is
  // calculated.
  const ParsedChartFile parsed = ParseChartFile(*bytes);
  if (!parsed.ok()) {
    ShowMessage(this, ToQString(kCheckTheFileMessage), MessageIcon::Error);
    return;
  }
  openBirth(parsed.birth());
}

void InputForm::openBirth(const BirthData& saved) {
  setBirthData(saved);
  // The search box names the opened chart's found place, or is empty: never the search of
  // an earlier entry, which would look like the place of this chart.
  {
    const QSignalBlocker quiet(txtPlaceSearch_);
    txtPlaceSearch_->setText(QString::fromStdString(saved.place));
  }
  // A day the saved month does not have cannot be shown by the day list: the file is
  // refused with the message the form gives for that date rather than read as another day.
  if (birthData().day != saved.day) {
    BirthData asSaved = birthData();
    asSaved.day = saved.day;
    if (const auto message = ValidateBirthData(asSaved, engine_)) {
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

void InputForm::startLoadingPlaces() {
  // Reading and indexing the place file takes a moment: it runs on a worker thread so that
  // the form paints at once. The watcher belongs to the form, so a form closed first never
  // hears of the result.
  auto* watcher = new QFutureWatcher<LoadedPlaces>(this);
  connect(watcher, &QFutureWatcher<LoadedPlaces>::finished, this, [this, watcher] {
    const LoadedPlaces loaded = watcher->result();
    watcher->deleteLater();
    takePlaces(loaded.places, loaded.status);
  });
  watcher->setFuture(QtConcurrent::run([] {
    auto places = std::make_shared<PlaceIndex>();
    PlaceLoadStatus status = LoadPlaces(*places);
    return LoadedPlaces{std::move(places), std::move(status)};
  }));
}

void InputForm::takePlaces(std::shared_ptr<const PlaceIndex> places, const PlaceLoadStatus& status) {
  if (!status.ok) {
    const QString problem = "The place search is not available: " + ToQString(status.message);
    txtPlaceSearch_->setPlaceholderText("Place search not available");
    txtPlaceSearch_->setToolTip(problem);
    ShowMessage(this, problem, MessageIcon::Error);
    emit placesLoaded(false);
    return;
  }
  places_ = std::move(places);
  txtPlaceSearch_->setPlaceholderText("Town or city");
  txtPlaceSearch_->setToolTip("Fills the place, longitude, latitude and time zone");
  txtPlaceSearch_->setEnabled(true);
  emit placesLoaded(true);
}

void InputForm::offerPlaces(const QString& text) {
  placeModel_->clear();
  if (!places_) return;
  const std::vector<PlaceResult> found = places_->search(text.toStdString(), kPlacesOffered);
  QStringList rows;
  for (const PlaceResult& place : found) rows << PlaceChoiceText(place);
  // Rows that would read alike tell their places apart by the coordinates.
  const QStringList plain = rows;
  for (std::size_t i = 0; i < found.size(); ++i) {
    if (plain.count(plain[static_cast<qsizetype>(i)]) < 2) continue;
    const PlaceResult& p = found[i];
    rows[static_cast<qsizetype>(i)] += QString::asprintf(" \u2014 %.2f\u00b0%c %.2f\u00b0%c", std::fabs(p.latitude),
                                                         p.latitude < 0 ? 'S' : 'N', std::fabs(p.longitude),
                                                         p.longitude < 0 ? 'W' : 'E');
  }
  for (std::size_t i = 0; i < found.size(); ++i) {
    const PlaceResult& place = found[i];
    auto* item = new QStandardItem(rows[static_cast<qsizetype>(i)]);
    item->setData(QVariant::fromValue<qulonglong>(place.id), kPlaceIdRole);
    item->setData(ToQString(place.matchedName), kPlaceNameRole);
    item->setEditable(false);
    placeModel_->appendRow(item);
  }
  if (placeModel_->rowCount() == 0) {
    placeCompleter_->popup()->hide();
    return;
  }
  // The list is as wide as its longest row, and never narrower than the search box.
  QAbstractItemView* popup = placeCompleter_->popup();
  const int rowsWidth = popup->sizeHintForColumn(0) + popup->verticalScrollBar()->sizeHint().width() +
                        2 * popup->frameWidth() + 8;
  QRect under = txtPlaceSearch_->rect();
  under.setWidth(std::max(under.width(), rowsWidth));
  placeCompleter_->complete(under);
}

void InputForm::choosePlace(std::size_t id, const QString& matchedName) {
  if (!places_ || id >= places_->size()) return;
  PlaceResult place = places_->place(id);
  const std::string matched = matchedName.toStdString();
  if (!matched.empty()) place.matchedName = matched;
  txtPlaceSearch_->setText(PlaceChoiceText(place));
  BirthData filled;
  SetBirthPlace(place, filled);
  txtMCity_->setText(ToQString(filled.city));
  txtMState_->setText(ToQString(filled.state));
  txtMCountry_->setText(ToQString(filled.country));
  txtLonD_->setText(ToQString(filled.lonDegrees));
  txtLonM_->setText(ToQString(filled.lonMinutes));
  txtLatD_->setText(ToQString(filled.latDegrees));
  txtLatM_->setText(ToQString(filled.latMinutes));
  (filled.east ? optEast_ : optWest_)->setChecked(true);
  (filled.south ? optSouth_ : optNorth_)->setChecked(true);
  setZone(std::string(place.zoneId));
  place_ = DescribePlace(place);
  placeFilled_ = {"lon", "lat", "city", "state", "country"};
  if (!place.zoneId.empty()) placeFilled_.emplace_back("zone");
}

void InputForm::keepTypedField(std::string_view field) {
  std::erase(placeFilled_, field);
}

void InputForm::chooseZoneByName() {
  ZoneDialog dialog(this);
  if (dialog.exec() != QDialog::Accepted) return;
  const QString zone = dialog.chosenZone();
  if (zone.isEmpty()) return;
  setZone(zone.toStdString());
  keepTypedField("zone");
}

void InputForm::setZone(const std::string& zoneId) {
  extras_.zoneId = zoneId;
  applyZone();
}

LocalDateTime InputForm::birthLocalTime() const {
  return {cboYear_->currentText().toInt(), cboMonth_->currentIndex() + 1, cboDate_->currentText().toInt(),
          cboHH_->currentText().toInt(),   cboMM_->currentText().toInt(),   cboSS_->currentText().toInt()};
}

void InputForm::applyZone() {
  // The zone's clock at the birth time shows beside the list: its row and tick when one fits,
  // else the exact offset; a skipped or doubled time is settled when the chart is calculated.
  clockAsSaved_ = false;
  extras_.utcOffsetSeconds.reset();
  extras_.fold = DoubledHour::kNone;
  if (extras_.zoneId) {
    const Result<BirthClock> clock = ResolveClock(chartRequest());
    if (clock) {
      // The row that gives the clock, or where none does the nearest one (which the chart
      // file's classic lines hold) with the exact offset in use: never a row left over.
      settingZone_ = true;
      cmbTimeZone_->setCurrentIndex(clock->zonePosition);
      chkDST_->setChecked(clock->daylightSaving);
      settingZone_ = false;
      if (clock->utcOffsetSeconds != RowOffsetSeconds(clock->zonePosition, clock->daylightSaving))
        extras_.utcOffsetSeconds = clock->utcOffsetSeconds;
    }
  }
  refreshZoneLabel();
}

static QString RefusedYearText(int year, int firstYear, int lastYear, bool preciseEngineChosen) {
  QString text = QString("%1 is not in the year list, which runs from %2 to %3.").arg(year).arg(firstYear).arg(lastYear);
  if (!preciseEngineChosen && year >= kPreciseFirstYear && year <= kPreciseLastYear)
    text += QString(" The Swiss Ephemeris engine (File > Options, Engine) takes the years %1 to %2.")
                .arg(kPreciseFirstYear)
                .arg(kPreciseLastYear);
  return text;
}

void InputForm::explainRefusedYear(int year) {
  const int count = cboYear_->count();
  if (count == 0) return;
  const bool precise = LoadCalculationSettings().engine == EngineKind::kSwiss;
  lblYearHint_->setText(RefusedYearText(year, cboYear_->itemText(0).toInt(), cboYear_->itemText(count - 1).toInt(), precise));
  lblYearHint_->show();
  keepRoomForTexts();
}

void InputForm::keepRoomForTexts() {
  // A label that wraps onto more lines takes its height from the form, never from the rows
  // around it: the form's smallest height follows, and the window grows when it must.
  QWidget* central = centralWidget();
  if (central == nullptr || central->layout() == nullptr) return;
  QLayout* outer = central->layout();
  outer->invalidate();
  const int needed = outer->heightForWidth(outer->minimumSize().width());  // at the narrowest
  if (needed > central->minimumHeight()) central->setMinimumHeight(needed);
}

void InputForm::refreshZoneLabel() {
  if (!extras_.zoneId) {
    lblZoneInForce_->clear();
    return;
  }
  const std::string& zone = *extras_.zoneId;
  const LocalDateTime local = birthLocalTime();
  const ZoneLookup clock = LookUpLocalTime(zone, local);
  QString text;
  if (const auto* reading = std::get_if<ZoneReading>(&clock)) {
    text = ToQString(FormatZoneReading(zone, *reading));
    if (extras_.utcOffsetSeconds) text += " (exact offset used; no list row matches)";
  } else if (const auto* skipped = std::get_if<SkippedLocalTime>(&clock)) {
    text = ToQString(FormatSkippedTime(zone, *skipped));
  } else if (const auto* twice = std::get_if<RepeatedLocalTime>(&clock)) {
    // Once one of the two readings is chosen, the label names the clock used, on one line
    // like any other; before, both readings.
    const ZoneReading* chosen = nullptr;
    for (const ZoneReading* reading : {&twice->earlier, &twice->later})
      if (extras_.utcOffsetSeconds == reading->utOffsetSeconds) chosen = reading;
    text = chosen ? ToQString(FormatZoneReading(zone, *chosen)) + " (chosen; the hour happened twice)"
                  : ToQString(FormatRepeatedTime(zone, local, *twice));
  } else {
    text = ToQString(std::get<ZoneLookupError>(clock).message);
  }
  lblZoneInForce_->setText(text);
  keepRoomForTexts();
}

}  // namespace corvane
