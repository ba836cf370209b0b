#include "ui/collection_window.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <memory>

#include "app/chart_request.h"
#include "app/collection_export.h"
#include "app/collection_filter.h"
#include "app/collection_import.h"
#include "lagna/sign_tables.h"
#include "ui/close_keys.h"
#include "ui/collection_settings.h"
#include "ui/message_presenter.h"
#include "ui/window_geometry.h"

namespace corvane {
namespace {

constexpr int kPageRows = 200;  // rows read from the database at a time
constexpr int kRecentCharts = 10;

// The columns of the list: name, birth, place, the ascendant, the other twelve lagna entries,
// tags and last opened.
enum Column { kNameColumn, kBirthColumn, kPlaceColumn, kFirstSignColumn };
constexpr int kSignColumns = kLagnaCount;
constexpr int kTagsColumn = kFirstSignColumn + kSignColumns;
constexpr int kOpenedColumn = kTagsColumn + 1;
constexpr int kColumnCount = kOpenedColumn + 1;

// The entry shown in a sign column: the ascendant first, then AL .. SL.
int EntryOfSignColumn(int column) {
  const int i = column - kFirstSignColumn;
  return i == 0 ? kAscendantLagna : i - 1;
}

std::unique_ptr<ChartCollection>& Collection() {
  static std::unique_ptr<ChartCollection> collection;
  return collection;
}

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

QString TimeText(std::int64_t seconds) {
  return QDateTime::fromSecsSinceEpoch(seconds).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

QPointer<CollectionWindow>& OpenWindow() {
  static QPointer<CollectionWindow> window;
  return window;
}

}  // namespace

ChartCollection* ProgramCollection(QWidget* parent) {
  if (!Collection()) {
    try {
      Collection() = ChartCollection::Open(ProgramCollectionPath());
    } catch (const CollectionError& e) {
      ShowMessage(parent, QString::fromStdString(e.what()), MessageIcon::Error);
      return nullptr;
    }
  }
  return Collection().get();
}

void CloseProgramCollection() {
  delete OpenWindow().data();
  Collection().reset();
}

void UseProgramCollection(std::unique_ptr<ChartCollection> collection) {
  // The old collection lives until its window is gone: the window may be the parent of the
  // dialog that chose the new file, and is deleted only when control is back in the event loop.
  std::shared_ptr<ChartCollection> old(Collection().release());
  Collection() = std::move(collection);
  const QPointer<CollectionWindow> window = OpenWindow();
  if (!window) return;
  OpenWindow() = nullptr;
  const bool shown = window->isVisible();
  const OpenBirth open = window->opener();
  QWidget* parent = window->parentWidget();
  QObject::connect(window, &QObject::destroyed, [old] {});
  window->close();  // deleted on close
  if (shown) ShowCollectionWindow(parent, open);
}

CollectionModel::CollectionModel(ChartCollection& collection, QObject* parent)
    : QAbstractTableModel(parent), collection_(collection) {
  reload();
}

void CollectionModel::setFilterText(const QString& text) {
  filter_ = ParseCollectionFilter(text.toStdString());
  reload();
}

void CollectionModel::reload() {
  beginResetModel();
  pages_.clear();
  try {
    rows_ = static_cast<int>(collection_.count(filter_));
  } catch (const CollectionError&) {
    rows_ = 0;
  }
  endResetModel();
}

const CollectionChart* CollectionModel::chartAt(int row) const {
  if (row < 0 || row >= rows_) return nullptr;
  const int page = row / kPageRows;
  auto it = pages_.find(page);
  if (it == pages_.end()) {
    if (pages_.size() > 50) pages_.clear();  // a few pages around the screen are enough
    std::vector<CollectionChart> charts;
    try {
      charts = collection_.find(filter_, order_, static_cast<std::int64_t>(page) * kPageRows, kPageRows);
    } catch (const CollectionError&) {
    }
    it = pages_.emplace(page, std::move(charts)).first;
  }
  const std::size_t index = static_cast<std::size_t>(row % kPageRows);
  return index < it->second.size() ? &it->second[index] : nullptr;
}

std::int64_t CollectionModel::idAt(int row) const {
  const CollectionChart* chart = chartAt(row);
  return chart ? chart->id : 0;
}

int CollectionModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int CollectionModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant CollectionModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole && role != Qt::ToolTipRole) return {};
  const CollectionChart* chart = chartAt(index.row());
  if (!chart) return {};
  const int column = index.column();
  if (column == kNameColumn) return Text(chart->name);
  if (column == kBirthColumn) return Text(chart->birth);
  if (column == kPlaceColumn) return Text(chart->place);
  if (column == kTagsColumn) {
    QStringList tags;
    for (const std::string& tag : chart->tags) tags << Text(tag);
    return tags.join(QStringLiteral(", "));
  }
  if (column == kOpenedColumn) return chart->opened ? TimeText(*chart->opened) : QString();
  const int sign = chart->signs[static_cast<std::size_t>(EntryOfSignColumn(column))];
  if (sign < 0) return QString();
  const SignAttributes& attributes = kSignAttributes[static_cast<std::size_t>(sign)];
  return role == Qt::DisplayRole ? QString::fromUtf8(attributes.Abbreviation.data(), attributes.Abbreviation.size())
                                 : QString::fromUtf8(attributes.EnglishName.data(), attributes.EnglishName.size());
}

QVariant CollectionModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
  switch (section) {
    case kNameColumn: return QStringLiteral("Name");
    case kBirthColumn: return QStringLiteral("Birth");
    case kPlaceColumn: return QStringLiteral("Place");
    case kTagsColumn: return QStringLiteral("Tags");
    case kOpenedColumn: return QStringLiteral("Last opened");
    default: {
      const std::string_view key = kCollectionEntries[static_cast<std::size_t>(EntryOfSignColumn(section))].key;
      return QString::fromUtf8(key.data(), static_cast<int>(key.size()));
    }
  }
}

void CollectionModel::sort(int column, Qt::SortOrder order) {
  using Key = CollectionOrder::Key;
  CollectionOrder wanted;
  wanted.descending = order == Qt::DescendingOrder;
  if (column == kNameColumn) wanted.key = Key::kName;
  else if (column == kBirthColumn) wanted.key = Key::kBirth;
  else if (column == kPlaceColumn) wanted.key = Key::kPlace;
  else if (column == kTagsColumn) wanted.key = Key::kId;
  else if (column == kOpenedColumn) wanted.key = Key::kOpened;
  else {
    wanted.key = Key::kSign;
    wanted.entry = EntryOfSignColumn(column);
  }
  order_ = wanted;
  reload();
}

CollectionWindow::CollectionWindow(ChartCollection& collection, OpenBirth open, QWidget* parent)
    : QWidget(parent, Qt::Window), collection_(collection), open_(std::move(open)) {
  setObjectName("frmCollection");
  setWindowTitle(QStringLiteral("Chart Collection"));
  setAttribute(Qt::WA_DeleteOnClose);

  filter_ = new QLineEdit(this);
  filter_->setObjectName("txtCollectionFilter");
  filter_->setPlaceholderText(QStringLiteral("Filter by name, place, note or tag; signs as \u201cHL in Leo\u201d"));
  filter_->setAccessibleName(QStringLiteral("Filter"));
  filter_->setClearButtonEnabled(true);
  auto* filterLabel = new QLabel(QStringLiteral("&Filter:"), this);
  filterLabel->setBuddy(filter_);
  count_ = new QLabel(this);
  count_->setObjectName("lblCollectionCount");

  model_ = new CollectionModel(collection_, this);
  view_ = new QTableView(this);
  view_->setObjectName("grdCollection");
  view_->setAccessibleName(QStringLiteral("Charts of the collection"));
  view_->setModel(model_);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSortingEnabled(true);
  view_->sortByColumn(kNameColumn, Qt::AscendingOrder);
  view_->verticalHeader()->setVisible(false);
  view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
  view_->setWordWrap(false);
  view_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  view_->setColumnWidth(kNameColumn, 180);
  view_->setColumnWidth(kBirthColumn, 140);
  view_->setColumnWidth(kPlaceColumn, 160);
  // A sign column is as wide as its widest abbreviation or heading and the sort mark, so that
  // the whole row (to "Last opened") fits the window's first width.
  const int signWidth = view_->fontMetrics().horizontalAdvance(QStringLiteral("PpL")) + 18;
  for (int c = kFirstSignColumn; c < kTagsColumn; ++c) view_->setColumnWidth(c, signWidth);
  connect(view_, &QTableView::activated, this, [this] { openSelected(); });

  auto button = [this](const char* name, const QString& text, const QString& description, void (CollectionWindow::*slot)()) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setAccessibleDescription(description);
    connect(b, &QPushButton::clicked, this, slot);
    return b;
  };
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(button("cmdCollectionOpen", QStringLiteral("&Open"), QStringLiteral("Calculates the selected chart"),
                            &CollectionWindow::openSelected));
  buttons->addWidget(button("cmdCollectionRename", QStringLiteral("&Rename\u2026"), QStringLiteral("Renames the selected chart"),
                            &CollectionWindow::renameSelected));
  buttons->addWidget(button("cmdCollectionNote", QStringLiteral("&Note\u2026"), QStringLiteral("Edits the chart's note"),
                            &CollectionWindow::editNote));
  buttons->addWidget(button("cmdCollectionTags", QStringLiteral("&Tags\u2026"), QStringLiteral("Edits the chart's tags"),
                            &CollectionWindow::editTags));
  buttons->addWidget(button("cmdCollectionDelete", QStringLiteral("&Delete"),
                            QStringLiteral("Removes the selected charts; Undo Delete puts them back"),
                            &CollectionWindow::deleteSelected));
  undo_ = button("cmdCollectionUndo", QStringLiteral("&Undo Delete"), QStringLiteral("Puts the last deleted charts back"),
                 &CollectionWindow::undoDelete);
  undo_->setEnabled(false);
  buttons->addWidget(undo_);
  buttons->addWidget(button("cmdCollectionExport", QStringLiteral("&Export Files\u2026"),
                            QStringLiteral("Writes the selected charts as chart files"), &CollectionWindow::exportChartFiles));
  buttons->addWidget(button("cmdCollectionCsv", QStringLiteral("Export &CSV\u2026"),
                            QStringLiteral("Writes the selected charts as one batch CSV"), &CollectionWindow::exportBatch));
  buttons->addStretch();
  buttons->addWidget(button("cmdCollectionSettings", QStringLiteral("&Settings\u2026"),
                            QStringLiteral("Chooses the collection file and whether charts are added automatically"),
                            &CollectionWindow::editSettings));
  buttons->addWidget(MakeCloseButton(this));

  auto* deleteKey = new QAction(this);
  deleteKey->setShortcut(QKeySequence::Delete);
  connect(deleteKey, &QAction::triggered, this, &CollectionWindow::deleteSelected);
  addAction(deleteKey);
  auto* undoKey = new QAction(this);
  undoKey->setShortcut(QKeySequence::Undo);
  connect(undoKey, &QAction::triggered, this, &CollectionWindow::undoDelete);
  addAction(undoKey);
  AddCloseKeys(this);

  auto* top = new QHBoxLayout;
  top->addWidget(filterLabel);
  top->addWidget(filter_, 1);
  top->addWidget(count_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(view_, 1);
  layout->addLayout(buttons);
  connect(filter_, &QLineEdit::textChanged, this, [this](const QString& text) {
    model_->setFilterText(text);
    changed();
  });
  changed();
  resize(1100, 560);
  KeepWindowGeometry(this, QStringLiteral("collection"));
  filter_->setFocus();
}

std::vector<std::int64_t> CollectionWindow::selectedIds() const {
  std::vector<std::int64_t> ids;
  QModelIndexList rows = view_->selectionModel()->selectedRows();
  std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  for (const QModelIndex& row : rows)
    if (const std::int64_t id = model_->idAt(row.row())) ids.push_back(id);
  if (ids.empty() && view_->currentIndex().isValid())
    if (const std::int64_t id = model_->idAt(view_->currentIndex().row())) ids.push_back(id);
  return ids;
}

void CollectionWindow::changed() {
  // "100,000 charts": grouped by thousands whatever the system's language, as the list's dates are.
  const int rows = model_->rowCount();
  count_->setText(rows == 1 ? QStringLiteral("1 chart") : QStringLiteral("%1 charts").arg(QLocale(QLocale::English).toString(rows)));
  count_->setToolTip(Text(collection_.path()));
  undo_->setEnabled(!removed_.empty());
}

bool CollectionWindow::tryChange(const std::function<void()>& change) {
  try {
    change();
  } catch (const CollectionError& e) {
    ShowMessage(this, QString::fromStdString(e.what()), MessageIcon::Error);
    return false;
  }
  model_->reload();
  changed();
  return true;
}

void CollectionWindow::openSelected() {
  const auto ids = selectedIds();
  if (ids.empty()) return;
  std::optional<BirthData> birth;
  if (!tryChange([&] {
        birth = collection_.birth(ids.front());
        collection_.markOpened(ids.front());
      }) ||
      !birth)
    return;
  if (open_) open_(*birth);
}

void CollectionWindow::renameSelected() {
  const auto ids = selectedIds();
  if (ids.empty()) return;
  const auto chart = collection_.chart(ids.front());
  if (!chart) return;
  bool ok = false;
  const QString name = QInputDialog::getText(this, QStringLiteral("Rename"), QStringLiteral("Name:"), QLineEdit::Normal,
                                             Text(chart->name), &ok);
  if (ok) tryChange([&] { collection_.rename(ids.front(), name.toStdString()); });
}

void CollectionWindow::editNote() {
  const auto ids = selectedIds();
  if (ids.empty()) return;
  const auto chart = collection_.chart(ids.front());
  if (!chart) return;
  bool ok = false;
  const QString note =
      QInputDialog::getMultiLineText(this, QStringLiteral("Note"), Text(chart->name), Text(chart->note), &ok);
  if (ok) tryChange([&] { collection_.setNote(ids.front(), note.toStdString()); });
}

void CollectionWindow::editTags() {
  const auto ids = selectedIds();
  if (ids.empty()) return;
  const auto chart = collection_.chart(ids.front());
  if (!chart) return;
  QStringList tags;
  for (const std::string& tag : chart->tags) tags << Text(tag);
  bool ok = false;
  const QString text = QInputDialog::getText(this, QStringLiteral("Tags"), QStringLiteral("Tags, separated by commas:"),
                                             QLineEdit::Normal, tags.join(QStringLiteral(", ")), &ok);
  if (ok) tryChange([&] { collection_.setTags(ids.front(), TagsOfText(text.toStdString())); });
}

void CollectionWindow::deleteSelected() {
  const auto ids = selectedIds();
  if (ids.empty()) return;
  tryChange([&] {
    collection_.inTransaction([&] {
      for (const std::int64_t id : ids)
        if (auto removed = collection_.remove(id)) removed_.push_back(std::move(*removed));
    });
  });
}

void CollectionWindow::undoDelete() {
  if (removed_.empty()) return;
  const RemovedChart last = removed_.back();
  if (tryChange([&] { collection_.restore(last); })) removed_.pop_back();
  changed();
}

void CollectionWindow::editSettings() { EditCollectionSettings(this); }

void CollectionWindow::exportChartFiles() {
  const auto ids = selectedIds();
  if (ids.empty()) return;
  const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Export Chart Files To"));
  if (folder.isEmpty()) return;
  const ExportResult result = ExportChartFiles(collection_, ids, folder.toStdString());
  if (result.failure) ShowMessage(this, Text(*result.failure), MessageIcon::Error);
}

void CollectionWindow::exportBatch() {
  const auto ids = selectedIds();
  if (ids.empty()) return;
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Export Batch CSV"), QStringLiteral("charts.csv"),
                                                    QStringLiteral("CSV files (*.csv)"));
  if (path.isEmpty()) return;
  const ExportResult result = ExportBatchCsv(collection_, ids, path.toStdString());
  if (result.failure) ShowMessage(this, Text(*result.failure), MessageIcon::Error);
}

CollectionWindow* ShowCollectionWindow(QWidget* parent, OpenBirth open) {
  QPointer<CollectionWindow>& window = OpenWindow();
  if (!window) {
    ChartCollection* collection = ProgramCollection(parent);
    if (!collection) return nullptr;
    window = new CollectionWindow(*collection, std::move(open), parent);
  }
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

void AddCollectionActions(QMenu* file, QWidget* window, OpenBirth open) {
  QAction* show = file->addAction(QStringLiteral("Chart Collection\u2026"));
  show->setObjectName("mnuCollection");
  show->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
  QObject::connect(show, &QAction::triggered, window, [window, open] { ShowCollectionWindow(window, open); });

  QMenu* recent = file->addMenu(QStringLiteral("Open &Recent"));
  recent->setObjectName("mnuRecent");
  QObject::connect(recent, &QMenu::aboutToShow, window, [recent, window, open] {
    recent->clear();
    ChartCollection* collection = ProgramCollection(window);
    std::vector<CollectionChart> charts;
    if (collection) {
      try {
        charts = collection->recent(kRecentCharts);
      } catch (const CollectionError&) {
      }
    }
    if (charts.empty()) recent->addAction(QStringLiteral("(none)"))->setEnabled(false);
    for (const CollectionChart& chart : charts) {
      const std::int64_t id = chart.id;
      QAction* item = recent->addAction(Text(chart.name) + QStringLiteral("  ") + Text(chart.birth));
      QObject::connect(item, &QAction::triggered, window, [window, open, id] {
        ChartCollection* c = ProgramCollection(window);
        if (!c) return;
        try {
          const auto birth = c->birth(id);
          c->markOpened(id);
          if (birth && open) open(*birth);
        } catch (const CollectionError& e) {
          ShowMessage(window, QString::fromStdString(e.what()), MessageIcon::Error);
        }
      });
    }
  });

  QAction* import = file->addAction(QStringLiteral("Import Chart Files\u2026"));
  import->setObjectName("mnuImportCharts");
  QObject::connect(import, &QAction::triggered, window, [window] { ImportChartFilesInto(window); });
  AddCollectionSettingsAction(file, window);
}

bool AddChartToCollection(const Chart& chart, QWidget* parent) {
  ChartCollection* collection = ProgramCollection(parent);
  if (!collection) return false;
  try {
    const AddedChart added = collection->add(BirthDataOf(chart));
    collection->markOpened(added.id);
    ShowMessage(parent,
                added.added ? QStringLiteral("%1 was added to the chart collection.").arg(Text(chart.birth.name))
                            : QStringLiteral("The chart collection holds this chart already."),
                MessageIcon::Information);
  } catch (const CollectionError& e) {
    ShowMessage(parent, QString::fromStdString(e.what()), MessageIcon::Error);
    return false;
  }
  if (OpenWindow()) OpenWindow()->model()->reload();
  return true;
}

void AddChartAutomatically(const Chart& chart, QWidget* parent) {
  if (!LoadCollectionSettings().addAutomatically) return;
  // A collection that cannot be opened is reported at the first chart, not at every one.
  static std::string unusable;
  const std::string path = ProgramCollectionPath();
  if (!Collection() && path == unusable) return;
  ChartCollection* collection = ProgramCollection(parent);
  if (!collection) {
    unusable = path;
    return;
  }
  try {
    collection->markOpened(collection->add(BirthDataOf(chart)).id);
  } catch (const CollectionError& e) {
    ShowMessage(parent, QString::fromStdString(e.what()), MessageIcon::Error);
    return;
  }
  if (OpenWindow()) OpenWindow()->model()->reload();
}

void ImportChartFilesInto(QWidget* parent) {
  ChartCollection* collection = ProgramCollection(parent);
  if (!collection) return;
  const QString folder = QFileDialog::getExistingDirectory(parent, QStringLiteral("Import Chart Files From"));
  if (folder.isEmpty()) return;
  QProgressDialog progress(QStringLiteral("Importing chart files\u2026"), QStringLiteral("Cancel"), 0, 1, parent);
  progress.setWindowTitle(QStringLiteral("Import Chart Files"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(300);
  ImportSummary summary;
  try {
    summary = ImportChartFolder(*collection, folder.toStdString(), [&progress](std::size_t done, std::size_t total) {
      if (done % 20 == 0 || done == total) {
        progress.setMaximum(static_cast<int>(total));
        progress.setValue(static_cast<int>(done));
        QApplication::processEvents();
      }
      return !progress.wasCanceled();
    });
  } catch (const CollectionError& e) {
    ShowMessage(parent, QString::fromStdString(e.what()), MessageIcon::Error);
    return;
  }
  progress.close();
  if (summary.cancelled) {
    ShowMessage(parent, QStringLiteral("The import was cancelled; nothing of it was added."), MessageIcon::Information);
    return;
  }
  QString text = QStringLiteral("%1 charts added, %2 duplicates skipped.").arg(summary.added).arg(summary.duplicates);
  if (!summary.refused.empty()) {
    text += QStringLiteral("\n\nNot imported:");
    for (const ImportRefusal& refusal : summary.refused)
      text += QStringLiteral("\n%1: %2").arg(Text(refusal.path), Text(refusal.reason));
  }
  ShowMessage(parent, text, summary.refused.empty() ? MessageIcon::Information : MessageIcon::Error);
  if (OpenWindow()) OpenWindow()->model()->reload();
}

}  // namespace corvane
