#pragma once
#include <QDialog>
#include <QString>

class QLineEdit;
class QListWidget;

namespace corvane {

// Picks a zone of the system's zone data by name, for a birth place the place search does not
// know: a filter box over the list of every zone id, narrowed as the user types.
class ZoneDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ZoneDialog(QWidget* parent = nullptr);

  // The chosen zone id; empty when none is selected.
  QString chosenZone() const;

 private:
  void applyFilter(const QString& text);

  QLineEdit* filter_ = nullptr;
  QListWidget* zones_ = nullptr;
};

}  // namespace corvane
