#pragma once
#include <QMainWindow>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/birth_data.h"
#include "app/chart_request.h"
#include "app/birth_validation.h"
#include "app/chart.h"
#include "app/place_index.h"
#include "app/zone_clock.h"

class QAction;
class QCheckBox;
class QComboBox;
class QCompleter;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStandardItemModel;

namespace corvane {

class FilteredLineEdit;

// Shows why a request gave no chart, as the input form words it (the checks of the calendar
// and a polar date inform, the others are errors). The form then also moves the focus to the
// field at fault; another window shows the message alone.
void ShowProblem(QWidget* parent, const Problem& problem);

// The input form: collects one person's birth details, filters keys, and starts the
// calculation, the chart file opener, the coordinate search and the web links.
//
// The place search fills the place, the coordinates and the zone from the place file, which
// is read on a worker thread when the form is made. A place (or a zone picked by name) sets
// a zone id; the form then shows the clock in force at the birth date and time, and sets the
// zone row and daylight-saving tick to match, or keeps the exact offset where no row does.
// Changing the row or the tick by hand drops the zone id.
class InputForm : public QMainWindow {
  Q_OBJECT
 public:
  explicit InputForm(QWidget* parent = nullptr);

  BirthData birthData() const;
  void setBirthData(const BirthData& data);

  // Runs the calculation on the form's values; true when a chart was calculated.
  bool runCalculation();
  // The request of the form's fields: the clock of the found or chosen zone (with the reading
  // of a doubled hour once chosen), the saved clock of an opened file until the zone or the
  // time is changed, otherwise the zone row and tick.
  ChartRequest chartRequest() const;
  // Fills the form from a chart file and calculates; the path comes from the open dialog.
  void openChartFile(const QString& path);
  // Fills the form with a birth (a chart of the collection) and calculates.
  void openBirth(const BirthData& birth);
  // Offers the years of birth the engine computes (the program's Options choose it); a year
  // already chosen outside them stays in the list, so that the calculation names the
  // engine's years instead of another year being taken silently.
  void offerYearsOf(EngineKind engine);

 signals:
  void chartCalculated(std::shared_ptr<const Chart> chart);
  // The place file has been read (ok) or could not be (the search box is then disabled).
  void placesLoaded(bool ok);

 protected:
  // Enter anywhere on the form runs the calculation, as the form's main button does; a
  // focused button takes Enter for itself.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void buildMenus();
  void buildControls();
  // Shows a message about the input and moves the focus to the field it names.
  void report(const InputMessage& message);
  void report(const Problem& problem);
  void offerDaysOfMonth();
  void offerYears(int keep);
  void searchCoordinates();
  void chooseAndOpenChartFile();

  void startLoadingPlaces();
  void takePlaces(std::shared_ptr<const PlaceIndex> places, const PlaceLoadStatus& status);
  void offerPlaces(const QString& text);
  void choosePlace(std::size_t id, const QString& matchedName);
  void chooseZoneByName();
  // The user has typed or picked `field` ("lon", "lat", "city", "state", "country", "zone")
  // after a place was chosen: the place no longer counts as having filled it.
  void keepTypedField(std::string_view field);
  // Takes a zone id chosen by the program (place search, zone dialog) and applies it.
  void setZone(const std::string& zoneId);
  // Looks up the zone's clock at the birth time and sets the row, tick and exact offset.
  void applyZone();
  void refreshZoneLabel();
  // Shows under the date lists why a typed year was not taken and which engine takes it.
  void explainRefusedYear(int year);
  void keepRoomForTexts();
  // Gives every control its accessible name (the field's caption) and description.
  void describeControls();
  LocalDateTime birthLocalTime() const;

  QLineEdit* txtPlaceSearch_ = nullptr;
  QCompleter* placeCompleter_ = nullptr;
  QStandardItemModel* placeModel_ = nullptr;
  std::shared_ptr<const PlaceIndex> places_;
  QLabel* lblZoneInForce_ = nullptr;
  QLabel* lblYearHint_ = nullptr;
  BirthExtras extras_;
  std::string place_;  // the description of the place last chosen, kept with the birth
  std::vector<std::string> placeFilled_;  // the fields that place filled and the user left as they were
  // Set while the program itself moves the zone row, the tick or the birth time, so that
  // only the user's own changes drop the zone id or look the zone up again.
  bool settingZone_ = false;
  bool clockAsSaved_ = false;  // the zone id and offset came from an opened file

  FilteredLineEdit* txtName_ = nullptr;
  QComboBox *cboMonth_ = nullptr, *cboDate_ = nullptr, *cboYear_ = nullptr;
  EngineKind engine_ = EngineKind::kElements;
  QComboBox *cboHH_ = nullptr, *cboMM_ = nullptr, *cboSS_ = nullptr;
  QLineEdit *txtMCity_ = nullptr, *txtMState_ = nullptr, *txtMCountry_ = nullptr;
  QComboBox* cmbTimeZone_ = nullptr;
  QCheckBox* chkDST_ = nullptr;
  FilteredLineEdit *txtLonD_ = nullptr, *txtLonM_ = nullptr, *txtLatD_ = nullptr, *txtLatM_ = nullptr;
  QRadioButton *optEast_ = nullptr, *optWest_ = nullptr, *optNorth_ = nullptr, *optSouth_ = nullptr;
  QLabel* forum_ = nullptr;  // Label61, the link to the maker's forum
};

}  // namespace corvane
