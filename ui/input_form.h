#pragma once
#include <QMainWindow>
#include <memory>

#include "app/birth_data.h"
#include "app/birth_validation.h"
#include "app/chart_state.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace corvane {

class FilteredLineEdit;

// The input form: collects one person's birth details, filters keys, and starts the
// calculation, the chart file opener, the coordinate search and the web links.
class InputForm : public QMainWindow {
  Q_OBJECT
 public:
  explicit InputForm(QWidget* parent = nullptr);

  BirthData birthData() const;
  void setBirthData(const BirthData& data);

  // Runs the calculation on the form's values; true when a chart was calculated.
  bool runCalculation();
  // Fills the form from a chart file and calculates; the path comes from the open dialog.
  void openChartFile(const QString& path);

 signals:
  void chartCalculated(std::shared_ptr<const ChartState> chart);

 protected:
  // Enter anywhere on the form runs the calculation, as the form's main button does; a
  // focused button takes Enter for itself.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void buildMenus();
  void buildControls();
  // Shows a message about the input and moves the focus to the field it names.
  void report(const InputMessage& message);
  void offerDaysOfMonth();
  void searchCoordinates();
  void chooseAndOpenChartFile();

  FilteredLineEdit* txtName_ = nullptr;
  QComboBox *cboMonth_ = nullptr, *cboDate_ = nullptr, *cboYear_ = nullptr;
  QComboBox *cboHH_ = nullptr, *cboMM_ = nullptr, *cboSS_ = nullptr;
  QLineEdit *txtMCity_ = nullptr, *txtMState_ = nullptr, *txtMCountry_ = nullptr;
  QComboBox* cmbTimeZone_ = nullptr;
  QCheckBox* chkDST_ = nullptr;
  FilteredLineEdit *txtLonD_ = nullptr, *txtLonM_ = nullptr, *txtLatD_ = nullptr, *txtLatM_ = nullptr;
  QRadioButton *optEast_ = nullptr, *optWest_ = nullptr, *optNorth_ = nullptr, *optSouth_ = nullptr;
  QLabel* forum_ = nullptr;  // Label61, the link to the maker's forum
};

}  // namespace corvane
