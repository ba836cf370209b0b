#pragma once
#include <QDialog>
#include <QString>
#include <string>

class QCheckBox;
class QLineEdit;
class QMenu;

namespace corvane {

// The collection's settings kept between runs (QSettings of "Corvane"): the file that holds
// the collection (empty: the default, DefaultCollectionPath()) and whether every chart
// calculated from the input form or opened from a chart file is added to it.
struct CollectionSettings {
  QString path;
  bool addAutomatically = false;
};
CollectionSettings LoadCollectionSettings();
void SaveCollectionSettings(const CollectionSettings& settings);

// The collection file the program uses: the kept one, or the default.
std::string ProgramCollectionPath();

// "Collection Settings": the collection file (typed, browsed for, or back to the default)
// and the "add automatically" choice. OK keeps them only when the file opens as a collection
// (a missing one is created); otherwise it says why and stays, and nothing is kept.
class CollectionSettingsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit CollectionSettingsDialog(const CollectionSettings& settings, QWidget* parent = nullptr);
  CollectionSettings settings() const;
  void accept() override;

 private:
  QLineEdit* path_;
  QCheckBox* automatic_;
};

// Shows the dialog; what the user accepts is kept, and a new file becomes the program's
// collection (an open collection window shows it). True when something was kept.
bool EditCollectionSettings(QWidget* parent);

// Adds "Collection Settings…" to a menu.
void AddCollectionSettingsAction(QMenu* menu, QWidget* parent);

}  // namespace corvane
