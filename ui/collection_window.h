#pragma once
#include <QAbstractTableModel>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "app/chart.h"
#include "app/chart_collection.h"

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;

namespace corvane {

// The program's chart collection, opened at its first use; nullptr when it cannot be used,
// once the reason has been shown (the program goes on without it).
ChartCollection* ProgramCollection(QWidget* parent);
// Closes the program's collection, so that the next use opens the file again (tests).
void CloseProgramCollection();
// Makes an opened collection the program's; an open collection window shows it instead.
void UseProgramCollection(std::unique_ptr<ChartCollection> collection);

// Opens the birth of a chart of the collection: calculates it and shows the result.
using OpenBirth = std::function<void(const BirthData&)>;

// The collection's charts as a table of rows fetched a page at a time from the database, so
// that 100,000 charts cost only the rows on screen. Columns: name, birth, place, the
// ascendant and the twelve other lagna entries, tags, last opened.
class CollectionModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  CollectionModel(ChartCollection& collection, QObject* parent);

  // Filters as ParseCollectionFilter reads the text ("munchen", "HL in Leo").
  void setFilterText(const QString& text);
  // Reads the rows again (after a change to the collection).
  void reload();
  std::int64_t idAt(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void sort(int column, Qt::SortOrder order) override;

 private:
  const CollectionChart* chartAt(int row) const;

  ChartCollection& collection_;
  CollectionFilter filter_;
  CollectionOrder order_;
  int rows_ = 0;
  mutable std::map<int, std::vector<CollectionChart>> pages_;  // by page number
};

// File > "Chart Collection…": the list with its filter, and the buttons that open, rename,
// annotate, tag, delete (undone for the session with Undo Delete), export and import.
class CollectionWindow : public QWidget {
  Q_OBJECT
 public:
  CollectionWindow(ChartCollection& collection, OpenBirth open, QWidget* parent = nullptr);
  CollectionModel* model() const { return model_; }
  QTableView* view() const { return view_; }
  QLineEdit* filter() const { return filter_; }
  const OpenBirth& opener() const { return open_; }
  // The ids of the selected rows, in list order.
  std::vector<std::int64_t> selectedIds() const;

  void openSelected();
  void renameSelected();
  void editNote();
  void editTags();
  void deleteSelected();
  void undoDelete();
  void exportChartFiles();
  void exportBatch();
  // "Settings…": the collection file and the automatic adding (Collection Settings).
  void editSettings();

 private:
  void changed();
  // Runs a change of the collection, showing its refusal or failure.
  bool tryChange(const std::function<void()>& change);

  ChartCollection& collection_;
  OpenBirth open_;
  CollectionModel* model_;
  QTableView* view_;
  QLineEdit* filter_;
  QLabel* count_;
  QPushButton* undo_;
  std::vector<RemovedChart> removed_;  // the session's deletions, the last at the back
};

// Shows the collection window (one per program), raised when it is open already.
CollectionWindow* ShowCollectionWindow(QWidget* parent, OpenBirth open);

// Adds File menu entries: "Chart Collection…" (Ctrl+L), "Open Recent" (the last 10 charts
// opened from the collection), "Import Chart Files…" and "Collection Settings…".
void AddCollectionActions(QMenu* file, QWidget* window, OpenBirth open);

// "Add to Collection": adds the chart's birth, saying what happened on the status line or in
// a message. True when the collection holds it afterwards.
bool AddChartToCollection(const Chart& chart, QWidget* parent);

// Adds the chart to the collection when the collection settings say every chart goes there,
// quietly: only a refusal is shown (and a collection that cannot be opened once per file).
void AddChartAutomatically(const Chart& chart, QWidget* parent);

// "Import Chart Files…": a folder, a progress dialog with Cancel (nothing added on Cancel),
// then what was added, skipped and refused.
void ImportChartFilesInto(QWidget* parent);

}  // namespace corvane
