// Widget tests of the chart collection window: the list pages its rows from the database,
// filters as the user types (accents and case ignored, signs as "Asc in Gemini"), sorts by a
// column, deletes with undo for the session, and File > "Add to Collection" and "Open
// Recent" go through the same collection.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "app/chart_calculation.h"
#include "tests/app/sample_birth.h"
#include "tests/ui/own_settings.h"
#include "ui/collection_window.h"
#include "ui/frame_window.h"
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

    QTest::keyClicks(window->filter(), "muller");  // folded, as the place search folds
    QCOMPARE(model->rowCount(), 1);
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

  void cleanupTestCase() { CloseProgramCollection(); }
};

QTEST_MAIN(CollectionWindowTest)
#include "test_collection_window.moc"
