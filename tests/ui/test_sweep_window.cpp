// Widget tests of the birth-time sweep window: it draws the sweep of the frame window's
// chart, picking a time shows the whole reading at that time, Reset returns to the given
// chart, the window's width is kept with the settings, and a new chart moves the sweep.
#include <QComboBox>
#include <QFile>
#include <QWindow>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <QAction>
#include <QTemporaryDir>

#include "app/birth_sweep.h"
#include "app/birth_zone.h"
#include "app/chart_calculation.h"
#include "app/chart_file.h"
#include "ui/file_dialogs.h"
#include "ui/message_presenter.h"
#include "report/sweep_drawing.h"
#include "tests/app/sample_birth.h"
#include "ui/frame_window.h"
#include "ui/sweep_window.h"

using namespace corvane;

namespace {
std::shared_ptr<const Chart> Calculated(const BirthData& birth) {
  const CalculationResult result = CalculateChart(birth);
  return std::get<0>(result.outcome);
}

// The birth time a chart file holds, "07:05:00".
QString SavedTime(const QString& path) {
  std::string why;
  const std::optional<std::string> bytes = ReadChartFile(path.toStdString(), why);
  if (!bytes) return QString::fromStdString("unreadable: " + why);
  const ParsedChartFile parsed = ParseChartFile(*bytes);
  if (!parsed.ok()) return QStringLiteral("refused");
  const BirthData& b = parsed.birth();
  return QStringLiteral("%1:%2:%3").arg(b.hour, 2, 10, QChar('0')).arg(b.minute, 2, 10, QChar('0')).arg(b.second, 2, 10, QChar('0'));
}

// Clicks the timeline `minutes` after the given time.
void ClickMinutesAfter(SweepView* view, int minutes) {
  const BirthSweep& sweep = *view->sweep();
  const SweepGeometry geometry(sweep, view->timelineArea());
  const QPoint at(qRound(geometry.xOf(AddMinutes(sweep.given, minutes))), qRound(geometry.rowRect(kPpL).center().y()));
  QTest::mouseClick(view, Qt::LeftButton, {}, at);
}

QString ClockOf(const Chart& chart) {
  const ChartBirth& b = chart.birth;
  return QStringLiteral("%1:%2:%3").arg(b.hour, 2, 10, QChar('0')).arg(b.minute, 2, 10, QChar('0')).arg(b.second, 2, 10, QChar('0'));
}
}  // namespace

class SweepWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir settingsDir_;

 private slots:
  void initTestCase() {
    // Kept settings go to a folder of the test's own, never to the user's.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
  }
  void init() { QSettings("Corvane", "Corvane").clear(); }
  void cleanup() {
    SetChoiceAskerForTesting({});
    SetFileChooserForTesting({});
  }

  // A time picked on the sweep is a trial: the result window says so with both times and
  // the way back, and Save writes the given birth unless the trial time is chosen in the
  // question that names both. Reopened, the file holds the time chosen.
  void aTrialTimeIsMarkedAndSaveKeepsTheGivenBirth() {
    QTemporaryDir folder;
    FrameWindow frame;
    const auto given = Calculated(testing::DelhiBirth());
    frame.showChart(given);
    frame.show();
    auto* banner = frame.findChild<QWidget*>("fraTrialTime");
    QVERIFY(banner && !banner->isVisible());
    SweepWindow* window = frame.showSweep();
    window->resize(900, 520);
    window->waitForSweep();
    ClickMinutesAfter(window->view(), 10);
    QVERIFY(frame.showsTrialTime());
    const QString trial = ClockOf(*frame.chart());
    QVERIFY(trial != QStringLiteral("07:05:00"));
    QVERIFY(banner->isVisible());
    const QString said = frame.findChild<QLabel*>("lblTrialTime")->text();
    QVERIFY2(said.contains(trial) && said.contains(QStringLiteral("07:05:00")), qPrintable(said));

    QStringList asked;
    std::optional<int> answer = 0;
    SetChoiceAskerForTesting([&](QWidget*, const QString& text, const QStringList& answers) {
      asked << text << answers;
      return answer;
    });
    QString path = folder.filePath("given.zdh");
    SetFileChooserForTesting([&](FileDialogKind) { return path; });
    auto* save = frame.findChild<QPushButton*>("cmdSave");
    save->click();
    QCOMPARE(asked.size(), 3);  // the question and its two answers, each naming its time
    QVERIFY2(asked[0].contains(trial) && asked[0].contains(QStringLiteral("07:05:00")), qPrintable(asked[0]));
    QCOMPARE(asked[1], QStringLiteral("Save the given time 07:05:00"));
    QCOMPARE(asked[2], QStringLiteral("Save the trial time ") + trial);
    QCOMPARE(SavedTime(path), QStringLiteral("07:05:00"));

    answer = 1;  // the trial time, chosen
    path = folder.filePath("trial.zdh");
    save->click();
    QCOMPARE(SavedTime(path), trial);

    answer = std::nullopt;  // cancelled: nothing written
    path = folder.filePath("cancelled.zdh");
    save->click();
    QVERIFY(!QFile::exists(path));

    // The banner's way back shows the given reading, and the sweep's mark goes too.
    frame.findChild<QPushButton*>("cmdResetTrial")->click();
    QCOMPARE(frame.chart(), given.get());
    QVERIFY(!banner->isVisible());
    QVERIFY(!window->findChild<QPushButton*>("cmdSweepReset")->isEnabled());
    asked.clear();
    path = folder.filePath("plain.zdh");
    save->click();
    QVERIFY(asked.isEmpty());  // no trial, no question
    QCOMPARE(SavedTime(path), QStringLiteral("07:05:00"));
  }

  // The sweep window works as the others: the keys move the trial time (a minute, with
  // Shift a second; Home back to the given time), Esc and Ctrl+W and a Close button close it,
  // its controls have names, and it is an owned window of the result window.
  void keysMoveTheTrialTimeAndCloseTheWindow() {
    FrameWindow frame;
    const auto given = Calculated(testing::DelhiBirth());
    frame.showChart(given);
    frame.show();
    SweepWindow* window = frame.showSweep();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->waitForSweep();
    SweepView* view = window->view();
    QCOMPARE(view->focusPolicy(), Qt::StrongFocus);
    QVERIFY(!view->accessibleName().isEmpty());
    QVERIFY(!window->findChild<QComboBox*>("cboSweepWidth")->accessibleName().isEmpty());
    QVERIFY(window->isWindow());
    QCOMPARE(window->parentWidget(), static_cast<QWidget*>(&frame));
    QCOMPARE(window->windowHandle()->transientParent(), frame.windowHandle());
    struct Step {
      Qt::Key key;
      Qt::KeyboardModifiers modifiers;
      const char* time;
    };
    const Step steps[] = {{Qt::Key_Right, {}, "07:06:00"},         {Qt::Key_Right, Qt::ShiftModifier, "07:06:01"},
                          {Qt::Key_Left, {}, "07:05:01"},          {Qt::Key_Left, Qt::ShiftModifier, "07:05:00"},
                          {Qt::Key_Left, Qt::ShiftModifier, "07:04:59"}, {Qt::Key_Home, {}, "07:05:00"}};
    for (const Step& step : steps) {
      QTest::keyClick(view, step.key, step.modifiers);
      QCOMPARE(ClockOf(*frame.chart()), QString(step.time));
    }
    QCOMPARE(frame.chart(), given.get());  // Home: the given chart itself, no trial
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
      frame.showSweep();
      QVERIFY(window->isVisible());
      QTRY_VERIFY(window->isActiveWindow());
      QTest::keySequence(window, keys);
      QVERIFY2(!window->isVisible(), qPrintable(keys.toString()));
    }
    frame.showSweep();
    window->findChild<QPushButton*>("cmdClose")->click();
    QVERIFY(!window->isVisible());
  }

  void drawsTheSweepOfTheChartAndSaysWhatHolds() {
    FrameWindow frame;
    const auto given = Calculated(testing::DelhiBirth());
    frame.showChart(given);
    SweepWindow* window = frame.showSweep();
    window->waitForSweep();
    QCOMPARE(window->windowMinutes(), 15);  // the default width
    const BirthSweep expected = SweepOfChart(*given, 15);
    QVERIFY(window->view()->sweep());
    QCOMPARE(window->view()->sweep()->lagnas, expected.lagnas);
    QCOMPARE(window->findChild<QLabel*>("lblSweepSummary")->text(), QString::fromStdString(SweepSummary(expected)));
    QVERIFY(QString::fromStdString(SweepSummary(expected)).startsWith(QStringLiteral("Within \u00b115 min: ")));
  }

  // A click 10 minutes after the given time shows the chart of that time in the frame window;
  // the sweep stays around the given time; Reset shows the given chart again.
  void pickingATimeShowsThatReadingAndResetReturns() {
    FrameWindow frame;
    const auto given = Calculated(testing::DelhiBirth());
    frame.showChart(given);
    SweepWindow* window = frame.showSweep();
    window->resize(900, 520);
    window->waitForSweep();
    SweepView* view = window->view();
    const BirthSweep& sweep = *view->sweep();
    const SweepGeometry geometry(sweep, view->timelineArea());
    const CivilDateTime target = AddMinutes(sweep.given, 10);
    const QPoint at(qRound(geometry.xOf(target)), qRound(geometry.rowRect(kPpL).center().y()));
    QTest::mouseClick(view, Qt::LeftButton, {}, at);
    QVERIFY(frame.chart() != given.get());
    // The x of a pixel stands for a few seconds; the picked time is within a pixel of it.
    const ChartBirth& shown = frame.chart()->birth;
    const CivilDateTime picked{shown.year, shown.monthIndex + 1, shown.day, shown.hour, shown.minute, shown.second};
    const double secondsPerPixel = 30.0 * 60 / geometry.bands().width();
    QVERIFY(std::abs(SerialSeconds(picked) - SerialSeconds(target)) <= secondsPerPixel + 1);
    // The shown chart is the direct calculation at that time.
    BirthData moved = testing::DelhiBirth();
    moved.hour = picked.hour, moved.minute = picked.minute, moved.second = picked.second;
    for (int l = 0; l < kLagnaCount; ++l)
      QCOMPARE(frame.chart()->lagnas.lagnas[l].sign, Calculated(moved)->lagnas.lagnas[l].sign);
    QCOMPARE(view->sweep()->given, sweep.given);  // the sweep did not move
    auto* reset = window->findChild<QPushButton*>("cmdSweepReset");
    QVERIFY(reset->isEnabled());
    reset->click();
    QCOMPARE(frame.chart(), given.get());
    QVERIFY(!reset->isEnabled());
  }

  void widthIsKeptAndANewChartMovesTheSweep() {
    {
      FrameWindow frame;
      frame.showChart(Calculated(testing::DelhiBirth()));
      SweepWindow* window = frame.showSweep();
      auto* width = window->findChild<QComboBox*>("cboSweepWidth");
      QCOMPARE(width->count(), 5);
      width->setCurrentIndex(width->findData(60));
      window->waitForSweep();
      QCOMPARE(window->view()->sweep()->minutes, 60);
      QCOMPARE(QSettings("Corvane", "Corvane").value("sweep/minutes").toInt(), 60);
    }
    FrameWindow frame;
    frame.showChart(Calculated(testing::DelhiBirth()));
    SweepWindow* window = frame.showSweep();
    QCOMPARE(window->windowMinutes(), 60);
    window->waitForSweep();
    BirthData later = testing::DelhiBirth();
    later.hour = 15;
    frame.showChart(Calculated(later));
    window->waitForSweep();
    QCOMPARE(window->view()->sweep()->given.hour, 15);
  }

  // In a doubled hour both readings are on the timeline: New York set its clocks back at
  // 02:00 EDT on 2021-11-07, so for a birth at 01:30 EDT (UT-4) the window of ±30 min holds
  // 01:00-02:00 EDT, then 01:00-02:00 EST (UT-5). Picking either shows that reading, the
  // keys walk from one into the other, and the tips name the abbreviation.
  void aDoubledHourShowsBothReadings() {
    BirthData birth = testing::DelhiBirth();
    birth.year = 2021, birth.monthIndex = 10, birth.day = 7, birth.hour = 1, birth.minute = 30, birth.second = 0;
    birth.lonDegrees = "74", birth.lonMinutes = "0", birth.east = false, birth.latDegrees = "40", birth.latMinutes = "43";
    QVERIFY(!SetBirthZone("America/New_York", RepeatedTimeChoice::kEarlier, birth));
    QSettings("Corvane", "Corvane").setValue("sweep/minutes", 30);
    FrameWindow frame;
    frame.showChart(Calculated(birth));
    frame.show();
    SweepWindow* window = frame.showSweep();
    window->resize(900, 520);
    window->waitForSweep();
    const BirthSweep& sweep = *window->view()->sweep();
    QVERIFY(sweep.repeat.has_value());
    std::shared_ptr<const Chart> chosen;
    connect(window, &SweepWindow::chartChosen, this, [&](std::shared_ptr<const Chart> chart) { chosen = chart; });
    auto* shown = window->findChild<QLabel*>("lblSweepShown");

    const SweepGeometry geometry(sweep, window->view()->timelineArea());
    const CivilDateTime oneTwenty{2021, 11, 7, 1, 20, 0};
    struct Pick {
      bool repeat;
      int offset;  // local time minus UT
      const char* abbreviation;
    };
    for (const Pick& pick : {Pick{true, -5 * 3600, "EST"}, Pick{false, -4 * 3600, "EDT"}}) {
      const QPointF at(geometry.xOf(SweepMoment{oneTwenty, pick.repeat}) + 0.5, geometry.rowRect(kPpL).center().y());
      QTest::mouseClick(window->view(), Qt::LeftButton, {}, at.toPoint());
      QVERIFY(chosen);
      QCOMPARE(ClockOf(*chosen).left(5), QStringLiteral("01:20"));
      QCOMPARE(chosen->clock.utcOffsetSeconds, pick.offset);
      // A pixel is some seconds: the label names the second picked and its abbreviation.
      const QString said = QStringLiteral("Reading shown for ") + ClockOf(*chosen) + " " + pick.abbreviation;
      QVERIFY2(shown->text().startsWith(said), qPrintable(shown->text()));
      const QString tip = SweepTipAt(sweep, geometry, at);
      QVERIFY2(tip.contains(pick.abbreviation), qPrintable(tip));
    }
    // The two readings of 01:20 lie an hour apart on the timeline, as they happened.
    const double hour = geometry.xOf(SweepMoment{oneTwenty, true}) - geometry.xOf(SweepMoment{oneTwenty, false});
    QVERIFY(std::abs(hour - geometry.bands().width() * 60.0 / 120.0) < 1.0);

    // From the given 01:30 EDT, thirty minutes to the right is 01:00 EST, not 02:00.
    window->resetToGiven();
    window->view()->setFocus();
    for (int step = 0; step < 30; ++step) QTest::keyClick(window->view(), Qt::Key_Right);
    QVERIFY2(shown->text().startsWith(QStringLiteral("Reading shown for 01:00:00 EST")), qPrintable(shown->text()));
    QCOMPARE(chosen->clock.utcOffsetSeconds, -5 * 3600);
  }

  // Hovering names the stretch and the sign under the pointer.
  void tipNamesTheStretchUnderThePointer() {
    const auto given = Calculated(testing::DelhiBirth());
    const BirthSweep sweep = SweepOfChart(*given, 30);
    const SweepGeometry geometry(sweep, QRectF(0, 0, 900, 400));
    const SweepInterval& first = sweep.lagnas[kGL].front();
    const QString tip = SweepTipAt(sweep, geometry, QPointF(geometry.xOf(first.from) + 1, geometry.rowRect(kGL).center().y()));
    QVERIFY2(tip.startsWith(QStringLiteral("Ghati lagna  ") + QString::fromStdString(SweepClockText(first.from, sweep.given))),
             qPrintable(tip));
    QVERIFY(SweepTipAt(sweep, geometry, QPointF(geometry.bands().center().x(), geometry.bands().bottom() + 5)).isEmpty());
  }
};

QTEST_MAIN(SweepWindowTest)
#include "test_sweep_window.moc"
