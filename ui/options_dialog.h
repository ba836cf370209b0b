#pragma once
#include <QDialog>
#include <QString>
#include <functional>
#include <string_view>
#include <vector>

#include "app/calculation_settings.h"

class QComboBox;
class QMenu;

namespace corvane {

// The settings kept between runs of the program (QSettings of "Corvane"), by the keys the
// command line uses; a missing or unknown value gives that setting's default.
CalculationSettings LoadCalculationSettings();
void SaveCalculationSettings(const CalculationSettings& settings);

// A settings message as the windows word it: where the command line's message names an
// option ("--engine swiss"), this one names the control of the Options window.
QString SettingsMessageForWindows(std::string_view message);

// "Options": the engine and the conventions of the calculations to come.
class OptionsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit OptionsDialog(const CalculationSettings& settings, QWidget* parent = nullptr);
  CalculationSettings settings() const;

  // Closes only on settings that can be computed with; otherwise says why and stays.
  void accept() override;

 private:
  std::vector<QComboBox*> boxes_;  // one per row of kSettingRows, in its order

  // Shows the settings' choices in the boxes.
  void choose(const CalculationSettings& settings);

  // Sets the choices of the exact preset in the boxes.
  void chooseExactConventions();
};

// Adds "Options…" to a menu: the dialog with the kept settings, which keeps what the user
// accepts and then calls `changed` when the settings differ from before.
void AddOptionsAction(QMenu* menu, QWidget* parent, std::function<void()> changed = {});

}  // namespace corvane
