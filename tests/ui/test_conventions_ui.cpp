// Widget tests of the options dialog and its kept settings, and of the comparison window
// opened from the frame window.
#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "tests/ui/own_settings.h"
#include "app/chart_calculation.h"
#include "app/chart_request.h"
#include "tests/app/sample_birth.h"
#include "ui/app_controller.h"
#include "ui/compare_window.h"
#include "ui/frame_window.h"
#include "ui/input_form.h"
#include "ui/message_presenter.h"
#include "ui/options_dialog.h"

using namespace corvane;

class ConventionsUiTest : public QObject {
  Q_OBJECT

  QTemporaryDir settingsDir_;
  QStringList messages_;

 private slots:
  void initTestCase() {
    // Kept settings go to a folder of the test's own, never to the user's.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
    SetMessageSinkForTesting([this](QWidget*, const QString& t, MessageIcon) { messages_.push_back(t); });
  }
  void init() {
    messages_.clear();
    QSettings("Corvane", "Corvane").clear();
  }

  void keptSettingsRoundTripAndUnknownValuesFallBack() {
    QCOMPARE(LoadCalculationSettings(), CalculationSettings{});
    CalculationSettings s;
    s.engine = EngineKind::kSwiss;
    s.ayanamsa = Ayanamsa::kYukteshwar;
    s.node = NodeKind::kTrue;
    s.sunrise = SunriseDefinition::kDiscCentre;
    s.indu = InduRule::kFromMoon;
    s.timing = TimingPrecision::kExact;
    s.pranapadaSun = PranapadaSun::kAtBirth;
    s.varnada = VarnadaCount::kSigns;
    s.lords = SignLords::kJaimini;
    s.nakshatra = NakshatraDivision::kExact;
    s.suryaSun = SuryaSun::kAtBirth;
    SaveCalculationSettings(s);
    QCOMPARE(QSettings("Corvane", "Corvane").value("calculation/pranapada_sun").toString(), QString("birth"));
    QCOMPARE(QSettings("Corvane", "Corvane").value("calculation/ayanamsa").toString(), QString("yukteshwar"));
    QCOMPARE(LoadCalculationSettings(), s);
    QSettings("Corvane", "Corvane").setValue("calculation/node", "osculating");
    QCOMPARE(LoadCalculationSettings().node, NodeKind::kMean);
    QCOMPARE(LoadCalculationSettings().ayanamsa, Ayanamsa::kYukteshwar);
  }

  void dialogShowsAndReturnsTheChoices() {
    CalculationSettings s;
    s.ayanamsa = Ayanamsa::kFaganBradley;
    OptionsDialog dialog(s);
    QCOMPARE(dialog.findChild<QComboBox*>("cboAyanamsa")->currentText(), QString("Fagan/Bradley"));
    QCOMPARE(dialog.findChild<QComboBox*>("cboEngine")->count(), 2);
    QCOMPARE(dialog.findChild<QComboBox*>("cboAyanamsa")->count(), kAyanamsaCount);
    dialog.findChild<QComboBox*>("cboEngine")->setCurrentText("Swiss Ephemeris (precise)");
    dialog.findChild<QComboBox*>("cboSunrise")->setCurrentText("Centre of the disc without refraction");
    s.engine = EngineKind::kSwiss;
    s.sunrise = SunriseDefinition::kDiscCentre;
    QCOMPARE(dialog.settings(), s);
  }

  // One box per setting, labelled as the table says, offering its choices in its order; every
  // box's choice reaches settings() and is kept under the setting's stored key.
  void dialogHasABoxForEveryRowOfTheSettingsTable() {
    OptionsDialog dialog(CalculationSettings{});
    const QList<QComboBox*> boxes = dialog.findChildren<QComboBox*>();
    QCOMPARE(boxes.size(), static_cast<qsizetype>(kSettingCount));
    auto* form = dialog.findChild<QFormLayout*>();
    QVERIFY(form);
    CalculationSettings wanted;
    for (std::size_t r = 0; r < kSettingCount; ++r) {
      const SettingRow& row = kSettingRows[r];
      QComboBox* box = boxes[static_cast<qsizetype>(r)];
      auto* label = qobject_cast<QLabel*>(form->labelForField(box));
      QVERIFY2(label, row.key.data());
      QCOMPARE(label->text(), QString::fromUtf8(row.dialogLabel.data(), static_cast<qsizetype>(row.dialogLabel.size())));
      QCOMPARE(static_cast<std::size_t>(box->count()), row.choiceCount);
      QCOMPARE(box->currentIndex(), static_cast<int>(row.DefaultIndex()));
      for (std::size_t i = 0; i < row.choiceCount; ++i)
        QCOMPARE(box->itemText(static_cast<int>(i)), QString::fromUtf8(row.labelAt(i).data(), static_cast<qsizetype>(row.labelAt(i).size())));
      const std::size_t other = (row.DefaultIndex() + 1) % row.choiceCount;
      box->setCurrentIndex(static_cast<int>(other));
      row.choose(wanted, other);
    }
    QCOMPARE(dialog.settings(), wanted);
    SaveCalculationSettings(wanted);
    for (const SettingRow& row : kSettingRows) {
      const QString stored = QSettings("Corvane", "Corvane").value("calculation/" + QString::fromUtf8(row.key.data(), static_cast<qsizetype>(row.key.size()))).toString();
      QCOMPARE(stored.toStdString(), std::string(row.keyAt(*row.chosenIn(wanted))));
    }
    QCOMPARE(LoadCalculationSettings(), wanted);
  }

  void exactButtonChoosesThePresetAndKeepsTheRest() {
    CalculationSettings s;
    s.engine = EngineKind::kSwiss;
    s.lords = SignLords::kJaimini;
    OptionsDialog dialog(s);
    QCOMPARE(dialog.findChild<QComboBox*>("cboLords")->currentText(),
             QString("Scorpio and Aquarius: the stronger of two lords (Jaimini)"));
    for (const char* box : {"cboTiming", "cboPranapadaSun", "cboVarnada", "cboLords", "cboNakshatra"})
      QCOMPARE(dialog.findChild<QComboBox*>(box)->count(), 2);
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdExactConventions"), Qt::LeftButton);
    ApplyExactConventions(s);
    QCOMPARE(dialog.settings(), s);
    QCOMPARE(dialog.settings().lords, SignLords::kJaimini);
    QCOMPARE(dialog.findChild<QComboBox*>("cboVarnada")->currentText(), QString("Varnada counted in signs"));
  }

  void dialogRefusesTheTrueNodeWithTheElementMethod() {
    OptionsDialog dialog(CalculationSettings{});
    dialog.findChild<QComboBox*>("cboNode")->setCurrentText("True node");
    dialog.open();
    dialog.accept();
    // The window names its own controls, not the command line's options.
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(!messages_[0].contains("--"), qPrintable(messages_[0]));
    QVERIFY(messages_[0].contains("Engine list") && messages_[0].contains("Nodes list"));
    QVERIFY(messages_[0].contains("Swiss Ephemeris"));
    QVERIFY(dialog.isVisible());
    dialog.findChild<QComboBox*>("cboEngine")->setCurrentText("Swiss Ephemeris (precise)");
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
  }

  void frameOpensTheComparisonWithMarkedCells() {
    CalculationSettings raman;
    raman.ayanamsa = Ayanamsa::kRaman;
    const CalculationResult r = CalculateChart(corvane::testing::DelhiBirth(), raman);
    QVERIFY(r.ok());
    FrameWindow frame;
    frame.showChart(std::get<std::shared_ptr<const Chart>>(r.outcome));
    frame.findChild<QAction*>("mnuCompare")->trigger();
    auto* window = frame.findChild<CompareWindow*>("frmCompare");
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->windowTitle(), QString("Compare conventions"));
    QTableWidget* table = window->table();
    QCOMPARE(table->columnCount(), 13);  // the twelve conventions and the chart's own settings
    QCOMPARE(table->rowCount(), kLagnaCount + 2);
    QCOMPARE(table->horizontalHeaderItem(8)->text(), QString("9 Jaimini lords"));
    QCOMPARE(table->horizontalHeaderItem(12)->text(), QString("13 Your settings"));
    QCOMPARE(table->verticalHeaderItem(5)->text(), QString("IL  Indu lagna"));
    // Every cell with a mark is highlighted, and only those.
    const ConventionComparison c = CompareConventions(BirthDataOf(r.chart()), raman);
    int marked = 0;
    for (int row = 0; row < table->rowCount(); ++row)
      for (int col = 0; col < table->columnCount(); ++col) {
        const ComparisonCell& cell = c.rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(col)];
        const QTableWidgetItem* item = table->item(row, col);
        const bool highlighted = item->background().style() != Qt::NoBrush;
        QCOMPARE(highlighted, cell.changed || cell.shifted);
        if (cell.changed) QCOMPARE(item->background().color(), QColor::fromRgb(kChangedCellColour));
        marked += highlighted;
      }
    QVERIFY(marked > 0);  // Raman's zodiac moves the ascendant in the last column
    const QString legend = window->findChild<QLabel*>("lblLegend")->text();
    QVERIFY(legend.contains("2 Precise: Swiss Ephemeris instead of the element method (compared with 1)"));
    QVERIFY(legend.contains("another sign"));
  }

  void settingsKeptFromTheFrameCalculateTheChartAgain() {
    AppController app;
    app.start();
    app.inputForm()->setBirthData(corvane::testing::DelhiBirth());
    QVERIFY(app.inputForm()->runCalculation());
    QCOMPARE(app.frameWindow()->chart()->settings, CalculationSettings{});
    CalculationSettings precise;
    precise.engine = EngineKind::kSwiss;
    SaveCalculationSettings(precise);
    emit app.frameWindow()->settingsChanged();
    QCOMPARE(app.frameWindow()->chart()->settings, precise);
  }

  // The chart is calculated again from its own birth: fields edited in the form after the
  // calculation (here another hour and name, never calculated) do not enter it.
  void settingsKeptFromTheFrameKeepTheChartsBirth() {
    AppController app;
    app.start();
    const BirthData given = corvane::testing::DelhiBirth();
    app.inputForm()->setBirthData(given);
    QVERIFY(app.inputForm()->runCalculation());
    const ChartBirth calculated = app.frameWindow()->chart()->birth;
    const double lahiri = app.frameWindow()->chart()->positions.ayanamsaDeg;
    BirthData edited = given;
    edited.name = "EDITED";
    edited.hour = (given.hour + 5) % 24;
    app.inputForm()->setBirthData(edited);
    CalculationSettings sidereal;
    sidereal.ayanamsa = Ayanamsa::kRaman;
    SaveCalculationSettings(sidereal);
    emit app.frameWindow()->settingsChanged();
    QVERIFY(messages_.isEmpty());
    const Chart& after = *app.frameWindow()->chart();
    QCOMPARE(after.settings, sidereal);
    QVERIFY(after.birth == calculated);
    QCOMPARE(after.birth.hour, given.hour);
    QVERIFY(after.positions.ayanamsaDeg != lahiri);  // the new settings were used
    // What the form shows is left as the user edited it.
    QCOMPARE(app.inputForm()->birthData().name, std::string("EDITED"));
  }
};

QTEST_MAIN(ConventionsUiTest)
#include "test_conventions_ui.moc"
