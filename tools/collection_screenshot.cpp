// Draws the chart collection window over a given collection into a PNG, to look at the list
// with many charts:  corvane_collection_screenshot charts.sqlite window.png [filter]
#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QTableView>
#include <QTest>
#include <cstdio>

#include "ui/collection_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s COLLECTION.sqlite OUT.png [FILTER]\n", argv[0]);
    return 64;
  }
  try {
    auto collection = corvane::ChartCollection::Open(argv[1]);
    corvane::CollectionWindow window(*collection, {});
    window.resize(1280, 640);
    window.show();
    if (argc > 3) window.filter()->setText(QString::fromLocal8Bit(argv[3]));
    window.view()->scrollTo(window.model()->index(window.model()->rowCount() / 2, 0));
    QTest::qWait(200);
    return window.grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 74;
  } catch (const corvane::CollectionError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 66;
  }
}
