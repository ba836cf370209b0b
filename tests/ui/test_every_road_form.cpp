// One birth, the input form's road: each birth of tests/app/data/every_road_births.csv typed
// into the form's controls (the zone chosen by name in its dialog, the place picked from the
// search, the zone row picked by hand, a doubled hour answered when the form asks) and
// calculated with the form's button gives the chart corvane-cli gives for the same options:
// the same JSON text, pages included, written by the same JSON function.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "cli/chart_json.h"
#include "cli/json_writer.h"
#include "tests/app/every_road_births.h"
#include "tests/ui/own_settings.h"
#include "tests/ui/zone_by_name.h"
#include "ui/input_form.h"
#include "ui/message_presenter.h"

using namespace corvane;
using corvane::testing::RoadBirth;

class EveryRoadFormTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QStringList messages_, questions_;

  // The places both the form and corvane-cli search (GeoNames' coordinates and zones).
  static constexpr const char* kPlaces =
      "# the places of the every-road births\n"
      "Madrid\t\t\tMadrid\tSpain\t40.4165\t-3.70256\t3255944\tEurope/Madrid\n"
      "New Delhi\t\t\tDelhi\tIndia\t28.63576\t77.22445\t317797\tAsia/Kolkata\n";

  template <typename T>
  static T* child(QWidget* form, const char* name) {
    T* w = form->findChild<T*>(name);
    if (!w) qFatal("no control %s", name);
    return w;
  }

  // Selects the item of a list whose text is the number, as typing its digits would.
  static bool pick(QComboBox* box, int number) {
    const int index = box->findText(QString::number(number));
    box->setCurrentIndex(index);
    return index >= 0;
  }

  static bool setCoordinate(QWidget* form, const std::string& text, const char* degrees, const char* minutes,
                            const char* positive, const char* negative) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || text.size() < colon + 2) return false;
    child<QLineEdit>(form, degrees)->setText(QString::fromStdString(text.substr(0, colon)));
    child<QLineEdit>(form, minutes)->setText(QString::fromStdString(text.substr(colon + 1, text.size() - colon - 2)));
    const char hemisphere = text.back();
    child<QRadioButton>(form, hemisphere == 'E' || hemisphere == 'N' ? positive : negative)->setChecked(true);
    return true;
  }

  // Types the place into the search box and picks the first row the popup offers.
  static void pickPlace(QWidget* form, const QString& query) {
    auto* search = child<QLineEdit>(form, "txtPlaceSearch");
    QTRY_VERIFY(search->isEnabled());
    search->setFocus();
    search->clear();
    for (const QChar c : query) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(search, &press);
    }
    QAbstractItemView* popup = child<QCompleter>(form, "placeCompleter")->popup();
    QVERIFY(popup && popup->model()->rowCount() > 0);
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
  }

  // Fills the form as a user would: name, date, time, then the place, the coordinates and the clock.
  static void fill(InputForm& form, const RoadBirth& b) {
    child<QLineEdit>(&form, "txtName")->setText("ROAD");
    const int year = std::stoi(b.date.substr(0, 4)), month = std::stoi(b.date.substr(5, 2)),
              day = std::stoi(b.date.substr(8, 2));
    QVERIFY(pick(child<QComboBox>(&form, "cboYear"), year));
    child<QComboBox>(&form, "cboMonth")->setCurrentIndex(month - 1);
    QVERIFY(pick(child<QComboBox>(&form, "cboDate"), day));
    QVERIFY(pick(child<QComboBox>(&form, "cboHH"), std::stoi(b.time.substr(0, 2))));
    QVERIFY(pick(child<QComboBox>(&form, "cboMM"), std::stoi(b.time.substr(3, 2))));
    QVERIFY(pick(child<QComboBox>(&form, "cboSS"), b.time.size() > 5 ? std::stoi(b.time.substr(6, 2)) : 0));
    if (!b.place.empty()) pickPlace(&form, QString::fromStdString(b.place));
    if (!b.lon.empty()) QVERIFY(setCoordinate(&form, b.lon, "txtLonD", "txtLonM", "optLong_0", "optLong_1"));
    if (!b.lat.empty()) QVERIFY(setCoordinate(&form, b.lat, "txtLatD", "txtLatM", "optLat_0", "optLat_1"));
    if (!b.zone.empty()) {
      // Picked by hand, so that the row counts even where a found place had already set it.
      auto* zones = child<QComboBox>(&form, "cmbTimeZone");
      const int row = std::stoi(b.zone);
      if (zones->currentIndex() == row) zones->setCurrentIndex(row == 0 ? 1 : 0);
      zones->setCurrentIndex(row);
      child<QCheckBox>(&form, "chkDST")->setChecked(b.dst == "1");
    }
    if (!b.tz.empty()) corvane::testing::ChooseZoneByName(&form, QString::fromStdString(b.tz));
  }

  // corvane-cli's JSON for the birth's options.
  static QByteArray cliJson(const RoadBirth& b) {
    QStringList args{"--name", "ROAD", "--date", QString::fromStdString(b.date), "--time",
                     QString::fromStdString(b.time), "--json", "--pages"};
    for (const auto& [option, value] : {std::pair{"--zone", b.zone}, {"--lon", b.lon}, {"--lat", b.lat},
                                        {"--tz", b.tz}, {"--place", b.place}, {"--fold", b.fold}})
      if (!value.empty()) args << option << QString::fromStdString(value);
    if (b.dst == "1") args << "--dst";
    QProcess cli;
    cli.start(CORVANE_CLI, args);
    if (!cli.waitForFinished(60000) || cli.exitCode() != 0) return "corvane-cli failed: " + cli.readAllStandardError();
    return cli.readAllStandardOutput();
  }

  static QByteArray formJson(const Chart& chart) {
    PrettyJsonWriter json;
    WriteChartJson(json, chart, true, nullptr);
    json.EndLine();
    return QByteArray::fromStdString(std::string(json.Text()));
  }

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    QFile places(dir_.filePath("places.tsv"));
    QVERIFY(places.open(QIODevice::WriteOnly));
    places.write(kPlaces);
    places.close();
    // The form and the command line it is compared with read the same places.
    qputenv("CORVANE_PLACES", dir_.filePath("places.tsv").toLocal8Bit());
    SetMessageSinkForTesting([this](QWidget*, const QString& t, MessageIcon) { messages_.push_back(t); });
    SetQuestionAskerForTesting([this](QWidget*, const QString& t) {
      questions_.push_back(t);
      return true;  // "Calculate anyway?" for a tick on a zone row that has the hour already
    });
  }

  void cleanupTestCase() {
    SetChoiceAskerForTesting({});
    SetQuestionAskerForTesting({});
  }

  void formGivesTheCommandLinesChart() {
    const std::vector<RoadBirth> births =
        corvane::testing::ReadRoadBirths(CORVANE_TEST_DATA_DIR "/every_road_births.csv");
    QVERIFY(births.size() >= 50);
    int asked = 0;
    for (const RoadBirth& b : births) {
      messages_.clear();
      // The form asks which reading of a doubled hour, and only for those.
      std::optional<int> answer;
      if (b.fold == "earlier") answer = 0;
      if (b.fold == "later") answer = 1;
      bool askedHere = false;
      SetChoiceAskerForTesting([&](QWidget*, const QString&, const QStringList& answers) -> std::optional<int> {
        askedHere = true;
        return answers.size() == 2 ? answer : std::nullopt;
      });
      InputForm form;
      form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&form));
      form.activateWindow();
      std::shared_ptr<const Chart> chart;
      connect(&form, &InputForm::chartCalculated, &form, [&](std::shared_ptr<const Chart> c) { chart = std::move(c); });
      fill(form, b);
      if (QTest::currentTestFailed()) return;
      QTest::mouseClick(child<QPushButton>(&form, "cmdRashi"), Qt::LeftButton);
      QVERIFY2(chart, qPrintable(QString::fromStdString(b.label) + ": " + messages_.join('\n')));
      QCOMPARE(askedHere, answer.has_value());
      asked += askedHere;
      const QByteArray expected = cliJson(b);
      const QByteArray shown = formJson(*chart);
      if (shown != expected) {
        // The first line that differs names what the form built differently.
        const QList<QByteArray> a = shown.split('\n'), e = expected.split('\n');
        for (qsizetype i = 0; i < std::min(a.size(), e.size()); ++i)
          QVERIFY2(a[i] == e[i], qPrintable(QString::fromStdString(b.label) + ": form " + a[i] + " | cli " + e[i]));
        QCOMPARE(shown, expected);
      }
    }
    QCOMPARE(asked, 10);  // both readings of the doubled hour, five times each
  }
};

QTEST_MAIN(EveryRoadFormTest)
#include "test_every_road_form.moc"
