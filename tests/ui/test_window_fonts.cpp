// Which fonts the windows really get. Run under each font set of scripts/test.sh, with
// CORVANE_EXPECTED_FONTS naming the interface and number families that set must give.
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QtTest>

#include "tests/ui/own_settings.h"
#include "ui/result_form.h"
#include "ui/window_fonts.h"

using namespace corvane;

namespace {

// The first family of the request that the font database holds: what a request that names
// its fallbacks must end up with, rather than a substitute fontconfig picks.
QString FirstInstalled(const QStringList& families) {
  const QStringList installed = QFontDatabase::families();
  for (const QString& family : families)
    if (installed.contains(family, Qt::CaseInsensitive)) return family;
  return {};
}

}  // namespace

class WindowFontsTest : public QObject {
  Q_OBJECT
 private slots:
  void requestsGetTheFirstInstalledFamily_data() {
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QStringList>("families");
    QTest::newRow("interface") << InterfaceFont(8) << InterfaceFamilies();
    QTest::newRow("interface bold") << InterfaceFont(12, true) << InterfaceFamilies();
    QTest::newRow("numbers") << NumberFont(8) << NumberFamilies();
  }
  void requestsGetTheFirstInstalledFamily() {
    QFETCH(QFont, font);
    QFETCH(QStringList, families);
    const QString wanted = FirstInstalled(families);
    QVERIFY2(!wanted.isEmpty(), "none of the requested families is installed");
    const QString got = QFontInfo(font).family();
    qInfo("%s: asked for %s, got %s", QTest::currentDataTag(), qPrintable(families.join(", ")), qPrintable(got));
    QCOMPARE(got, wanted);
  }

  // Under a font set the families are those the set was made for: proves that the set's
  // fontconfig configuration, not the machine's, chose the fonts.
  void theFontSetDecides() {
    const QByteArray expected = qgetenv("CORVANE_EXPECTED_FONTS");
    if (expected.isEmpty()) QSKIP("not run under a font set");
    const QStringList names = QString::fromUtf8(expected).split(';');
    QCOMPARE(names.size(), 2);
    QCOMPARE(QFontInfo(InterfaceFont(8)).family(), names[0]);
    QCOMPARE(QFontInfo(NumberFont(8)).family(), names[1]);
  }

  // A default font that came out fixed-pitch (the Liberation set) becomes proportional; a
  // proportional one stays the desktop's.
  void theDefaultFontIsProportional() {
    const QFont before = QApplication::font();
    const bool wasFixed = QFontInfo(before).fixedPitch();
    qInfo("default font: %s%s", qPrintable(QFontInfo(before).family()), wasFixed ? " (fixed pitch)" : "");
    KeepTheDefaultFontProportional();
    QVERIFY(!QFontInfo(QApplication::font()).fixedPitch());
    if (!wasFixed) QCOMPARE(QApplication::font(), before);
    QApplication::setFont(before);
  }

  // The result form's labels carry the font the form asks for, not the application's.
  void theResultFormUsesTheRequestedFamilies() {
    ResultForm form;
    QCOMPARE(QFontInfo(form.font()).family(), FirstInstalled(InterfaceFamilies()));
    auto* number = form.findChild<QLabel*>("Hno_0");
    QVERIFY(number != nullptr);
    QCOMPARE(QFontInfo(number->font()).family(), FirstInstalled(NumberFamilies()));
  }
};

QTEST_MAIN(WindowFontsTest)
#include "test_window_fonts.moc"
