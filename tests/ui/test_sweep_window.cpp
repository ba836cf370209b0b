// Widget tests of the birth-time sweep window: it draws the sweep of the frame window's
// chart, picking a time shows the whole reading at that time, Reset returns to the given
// chart, the window's width is kept with the settings, and a new chart moves the sweep.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/birth_sweep.h"
#include "app/chart_calculation.h"
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
    const BirthData& shown = frame.chart()->birth;
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
