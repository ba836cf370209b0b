#pragma once
// Picks a zone in the input form through its "Zone…" dialog, typing the zone's name into the
// dialog's filter as a user would.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace corvane::testing {

inline void ChooseZoneByName(QWidget* form, const QString& zone) {
  QTimer::singleShot(0, [zone] {
    QWidget* dialog = QApplication::activeModalWidget();
    QVERIFY(dialog);
    auto* filter = dialog->findChild<QLineEdit*>("txtZoneFilter");
    QVERIFY(filter);
    QTest::keyClicks(filter, zone);
    QTest::keyClick(filter, Qt::Key_Return);
  });
  QTest::mouseClick(form->findChild<QPushButton*>("cmdZone"), Qt::LeftButton);
}

}  // namespace corvane::testing
