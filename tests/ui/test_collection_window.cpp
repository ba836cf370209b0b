// Widget tests of the chart collection window: the list pages its rows from the database,
// filters as the user types (accents and case ignored, signs as "Asc in Gemini"), sorts by a
// column, deletes with undo for the session, and File > "Add to Collection" and "Open
// Recent" go through the same collection. "Collection Settings" chooses another file (a file
// that is not a collection is refused and left alone) and makes adding automatic for charts
// calculated from the form or opened from files.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

#include "app/chart_calculation.h"
#include "app/chart_file.h"
#include "app/collection_filter.h"
#include "tests/app/sample_birth.h"
#include "tests/ui/own_settings.h"
#include "ui/app_controller.h"
#include "ui/collection_settings.h"
#include "ui/collection_window.h"
#include "ui/frame_window.h"
#include "ui/input_form.h"
#include "ui/message_presenter.h"

using namespace corvane;

namespace {

BirthData Born(const char* name, int year, int hour) {
  BirthData b = testing::DelhiBirth();
  b.name = name;
  b.year = year;
  b.hour = hour;
  return b;
}

}  // namespace

class CollectionWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir data_;
  std::vector<QString> messages_;

 private slots:
  void initTestCase() {
    // The collection goes to the test's own folder, never to the user's.
    qputenv("XDG_DATA_HOME", data_.path().toUtf8());
    SetMessageSinkForTesting([this](QWidget*, const QString& text, MessageIcon) { messages_.push_back(text); });
    ChartCollection* collection = ProgramCollection(nullptr);
    QVERIFY(collection);
    QCOMPARE(QString::fromStdString(collection->path()), data_.path() + "/corvane/charts.sqlite");
    // 450 charts: more than two pages of the list.
    collection->inTransaction([&] {
      for (int i = 0; i < 450; ++i) collection->add(Born(i == 7 ? "JOSÉ MÜLLER" : "RAM", 1901 + i % 150, i / 150 * 8));
    });
  }
  void init() { testing::ForgetKeptSettings(); }

  void listsPagesFiltersAndSorts() {
    CollectionWindow* window = ShowCollectionWindow(nullptr, {});
    QVERIFY(window);
    CollectionModel* model = window->model();
    QCOMPARE(model->rowCount(), 450);
    // A row far down is read from its own page.
    QCOMPARE(model->data(model->index(440, 0), Qt::DisplayRole).toString(), QStringLiteral("RAM"));
    QVERIFY(!window->view()->accessibleName().isEmpty());
    QVERIFY(!window->filter()->accessibleName().isEmpty());

    QLabel* count = window->findChild<QLabel*>("lblCollectionCount");
    QCOMPARE(count->text(), QStringLiteral("450 charts"));
    QTest::keyClicks(window->filter(), "muller");  // folded, as the place search folds
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(count->text(), QStringLiteral("1 chart"));
    QCOMPARE(model->data(model->index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("JOSÉ MÜLLER"));
    window->filter()->setText(QStringLiteral("Asc in Leo"));
    const int leo = model->rowCount();
    window->filter()->setText(QStringLiteral("Asc in Gemini"));  // 07:05 in June: Gemini rising
    QVERIFY(model->rowCount() > 0);
    QVERIFY(model->rowCount() + leo < 450);
    window->filter()->clear();

    window->view()->sortByColumn(1, Qt::DescendingOrder);  // birth, latest first
    QCOMPARE(model->data(model->index(0, 1), Qt::DisplayRole).toString().left(4), QStringLiteral("2050"));
    window->view()->sortByColumn(1, Qt::AscendingOrder);
    QCOMPARE(model->data(model->index(0, 1), Qt::DisplayRole).toString().left(4), QStringLiteral("1901"));
    window->close();
  }

  void deletesAndUndoesForTheSession() {
    CollectionWindow* window = ShowCollectionWindow(nullptr, {});
    window->filter()->setText(QStringLiteral("muller"));
    window->view()->selectRow(0);
    window->deleteSelected();
    QCOMPARE(window->model()->rowCount(), 0);
    auto* undo = window->findChild<QPushButton*>("cmdCollectionUndo");
    QVERIFY(undo->isEnabled());
    undo->click();
    QCOMPARE(window->model()->rowCount(), 1);
    QVERIFY(!undo->isEnabled());
    // The close keys act in the active window, as the user's would.
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(!window->isVisible());
  }

  void addToCollectionAndOpenRecent() {
    FrameWindow frame;
    const CalculationResult result = CalculateChart(Born("SITA", 1980, 9));
    frame.showChart(std::get<0>(result.outcome));
    auto* add = frame.findChild<QAction*>("mnuAddToCollection");
    QVERIFY(add);
    messages_.clear();
    add->trigger();
    QCOMPARE(messages_.size(), std::size_t{1});
    QVERIFY(messages_[0].contains("SITA was added"));
    auto* show = frame.findChild<QAction*>("mnuCollection");
    QCOMPARE(show->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));

    std::vector<BirthData> opened;
    auto* recent = frame.findChild<QMenu*>("mnuRecent");
    QVERIFY(recent);
    connect(&frame, &FrameWindow::birthOpenRequested, this, [&](const BirthData& b) { opened.push_back(b); });
    emit recent->aboutToShow();
    QVERIFY(recent->actions().first()->text().startsWith("SITA"));
    recent->actions().first()->trigger();
    QCOMPARE(opened.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(opened[0].name), QStringLiteral("SITA"));
  }

  // Accepts the collection settings dialog with a file typed in (and the automatic choice
  // as it was); true when the dialog closed, having kept them.
  bool acceptSettings(const QString& path, std::optional<bool> automatic = std::nullopt) {
    CollectionSettingsDialog dialog(LoadCollectionSettings());
    dialog.findChild<QLineEdit*>("txtCollectionPath")->setText(path);
    if (automatic) dialog.findChild<QCheckBox*>("chkCollectionAutomatic")->setChecked(*automatic);
    dialog.accept();
    return dialog.result() == QDialog::Accepted;
  }

  void settingsChooseAnotherCollectionFile() {
    const QString home = data_.path() + "/corvane/charts.sqlite";
    CollectionWindow* window = ShowCollectionWindow(nullptr, {});
    const int held = window->model()->rowCount();  // the 450 and what earlier tests added
    QVERIFY(held >= 450);

    // A file that is not a collection: refused, naming it; the file, the kept setting and the
    // program's collection stay as they were.
    const QString foreign = data_.path() + "/notes.sqlite";
    {
      QFile f(foreign);
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write("these are my notes, not a database\n");
    }
    messages_.clear();
    QVERIFY(!acceptSettings(foreign));
    QCOMPARE(messages_.size(), std::size_t{1});
    QVERIFY2(messages_[0].contains(foreign) && messages_[0].contains("not a chart collection"), qPrintable(messages_[0]));
    QVERIFY(messages_[0].contains("Collection Settings"));  // says where to choose another
    QFile kept(foreign);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("these are my notes, not a database\n"));
    QVERIFY(LoadCollectionSettings().path.isEmpty());
    QCOMPARE(QString::fromStdString(ProgramCollection(nullptr)->path()), home);
    // A name without its folders would depend on where the program starts.
    messages_.clear();
    QVERIFY(!acceptSettings(QStringLiteral("charts.sqlite")));
    QCOMPARE(messages_.size(), std::size_t{1});

    // A new file: created, kept, and the open window now lists it (empty).
    const QString other = data_.path() + "/other.sqlite";
    QVERIFY(acceptSettings(other));
    QCOMPARE(LoadCollectionSettings().path, other);
    QCOMPARE(QString::fromStdString(ProgramCollection(nullptr)->path()), other);
    QVERIFY(QFile::exists(other));
    // As at the next start of the program: the kept file is the one opened.
    CloseProgramCollection();
    QCOMPARE(QString::fromStdString(ProgramCollection(nullptr)->path()), other);
    window = ShowCollectionWindow(nullptr, {});
    QCOMPARE(window->model()->rowCount(), 0);

    // Default goes back to the file under XDG_DATA_HOME, kept as no path of its own.
    CollectionSettingsDialog dialog(LoadCollectionSettings());
    QCOMPARE(dialog.findChild<QLineEdit*>("txtCollectionPath")->text(), other);
    dialog.findChild<QPushButton*>("cmdCollectionDefault")->click();
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(LoadCollectionSettings().path.isEmpty());
    QCOMPARE(QString::fromStdString(ProgramCollection(nullptr)->path()), home);
    QTRY_COMPARE(ShowCollectionWindow(nullptr, {})->model()->rowCount(), held);
    ShowCollectionWindow(nullptr, {})->close();
  }

  void chartsOfTheFormAndOfFilesAreAddedWhenSoSet() {
    ChartCollection* collection = ProgramCollection(nullptr);
    const auto held = [collection](const char* text) { return collection->count(ParseCollectionFilter(text)); };
    const QString file = data_.path() + "/gita.zdh";
    QVERIFY(!SaveChartFile(file.toStdString(), CalculateChart(Born("GITA", 1985, 10)).chart()));
    const std::int64_t before = collection->count();

    AppController app;
    app.start();
    messages_.clear();
    app.openChartFile(file);
    QVERIFY(app.frameWindow());
    QCOMPARE(held("gita"), 0);  // not set: only Add to Collection adds
    QCOMPARE(collection->count(), before);

    QVERIFY(acceptSettings(QString(), true) == false);  // a path is needed
    QVERIFY(acceptSettings(data_.path() + "/corvane/charts.sqlite", true));
    QVERIFY(LoadCollectionSettings().addAutomatically);
    messages_.clear();
    app.openChartFile(file);
    QCOMPARE(held("gita"), 1);
    QCOMPARE(QString::fromStdString(collection->recent(1).at(0).name), QStringLiteral("GITA"));
    app.openChartFile(file);  // the same chart again: still once
    QCOMPARE(held("gita"), 1);

    // Calculated from the form: the name changed by hand.
    app.frameWindow()->findChild<QAction*>("mnuBack")->trigger();
    app.inputForm()->findChild<QLineEdit*>("txtName")->setText(QStringLiteral("HARI"));
    QVERIFY(app.inputForm()->runCalculation());
    QCOMPARE(held("hari"), 1);
    QVERIFY2(messages_.empty(), qPrintable(messages_.empty() ? QString() : messages_[0]));  // quietly
    QCOMPARE(collection->count(), before + 2);

    QVERIFY(acceptSettings(data_.path() + "/corvane/charts.sqlite", false));
    app.frameWindow()->findChild<QAction*>("mnuBack")->trigger();
    app.inputForm()->findChild<QLineEdit*>("txtName")->setText(QStringLiteral("UMA"));
    QVERIFY(app.inputForm()->runCalculation());
    QCOMPARE(held("uma"), 0);
  }

  void cleanupTestCase() { CloseProgramCollection(); }
};

QTEST_MAIN(CollectionWindowTest)
#include "test_collection_window.moc"
