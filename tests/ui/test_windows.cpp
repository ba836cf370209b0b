// Widget tests shared by every window: the keys and buttons that close them, their kept
// sizes and places, the focus ring on the dark band, the file dialogs' start and the status
// line after a save, and the names a screen reader reads.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <functional>

#include "tests/ui/own_settings.h"
#include "app/chart_calculation.h"
#include "tests/app/sample_birth.h"
#include "ui/about_box.h"
#include "ui/compare_window.h"
#include "ui/export_dialogs.h"
#include "ui/file_dialogs.h"
#include "ui/frame_window.h"
#include "ui/input_form.h"
#include "ui/interpretation_form.h"
#include "ui/message_presenter.h"
#include "ui/options_dialog.h"
#include "ui/result_form.h"
#include "ui/window_geometry.h"

using namespace corvane;

namespace {

// The window's outer rectangle as the window system has it: the platform window's frame.
QRect Outer(const QWidget* window) {
  return window->windowHandle() ? window->windowHandle()->frameGeometry() : window->frameGeometry();
}

// A window manager frames a window a little after it is shown, and the window may still be
// moved then (kept on the screen) before it stands; the offscreen platform draws no frame,
// and the window is kept on the screen a moment after it is shown.
void WaitForTheFrame(QWidget* window) {
  if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
    QTest::qWait(400);
    return;
  }
  if (!QTest::qWaitFor([window] { return Outer(window) != window->geometry(); }, 3000))
    qWarning("no frame came around the window");
  QTest::qWait(100);
}

std::shared_ptr<const Chart> SampleChart(const char* name = "RAM") {
  BirthData birth = corvane::testing::DelhiBirth();
  birth.name = name;
  const CalculationResult result = CalculateChart(birth);
  if (!result.ok()) qFatal("the sample chart was refused");
  return std::get<std::shared_ptr<const Chart>>(result.outcome);
}

// Every control of the window that takes the keyboard focus, as the accessibility tree
// shows it, without a name a screen reader could read ("role objectName").
QStringList UnnamedFocusableControls(QWidget* window) {
  QStringList unnamed;
  std::function<void(QAccessibleInterface*, int)> walk = [&](QAccessibleInterface* node, int depth) {
    if (node == nullptr || depth > 50) return;
    const QAccessible::State state = node->state();
    if (state.focusable && !state.invisible && node->text(QAccessible::Name).trimmed().isEmpty()) {
      const QObject* object = node->object();
      unnamed << QString("%1 %2").arg(int(node->role())).arg(object ? object->objectName() : QString("(item)"));
    }
    for (int i = 0; i < node->childCount(); ++i) walk(node->child(i), depth + 1);
  };
  walk(QAccessible::queryAccessibleInterface(window), 0);
  return unnamed;
}

// How many pixels of the widget's picture differ between two grabs.
int DifferentPixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return a.width() * a.height();
  int differ = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) differ += a.pixel(x, y) != b.pixel(x, y);
  return differ;
}

}  // namespace

class WindowsTest : public QObject {
  Q_OBJECT

  QStringList messages_;

 private slots:
  void init() {
    corvane::testing::ForgetKeptSettings();
    messages_.clear();
    SetMessageSinkForTesting([this](QWidget*, const QString& text, MessageIcon) { messages_ << text; });
  }
  void cleanup() {
    SetMessageSinkForTesting({});
    SetFileChooserForTesting({});
    SetExportChooserForTesting({});
    DestroyLagnaForms();
  }

  // Rectangles kept from before, on the screens there are now (available areas).
  void keptPlacesComeBackOnAScreenThatShowsThem_data() {
    QTest::addColumn<QRect>("kept");
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<QRect>("expected");  // invalid: the designed place instead
    const QRect left(0, 0, 1600, 1000), right(1600, 0, 1280, 1024);
    QTest::newRow("inside one screen") << QRect(100, 80, 800, 600) << QList<QRect>{left} << QRect(100, 80, 800, 600);
    QTest::newRow("on the second screen") << QRect(1700, 100, 800, 600) << QList<QRect>{left, right}
                                          << QRect(1700, 100, 800, 600);
    QTest::newRow("second screen unplugged") << QRect(1700, 100, 800, 600) << QList<QRect>{left} << QRect();
    QTest::newRow("hanging over the right edge") << QRect(1200, 100, 800, 600) << QList<QRect>{left}
                                                 << QRect(800, 100, 800, 600);
    QTest::newRow("taller than the screen") << QRect(10, 10, 900, 1400) << QList<QRect>{QRect(0, 0, 1600, 1000)}
                                            << QRect(10, 0, 900, 1000);
    QTest::newRow("kept at 2x, screen now smaller") << QRect(0, 0, 3000, 1900) << QList<QRect>{QRect(0, 0, 1600, 1000)}
                                                    << QRect(0, 0, 1600, 1000);
    QTest::newRow("panel at the top") << QRect(50, 0, 400, 300) << QList<QRect>{QRect(0, 32, 1600, 968)}
                                      << QRect(50, 32, 400, 300);
    QTest::newRow("nothing kept") << QRect() << QList<QRect>{left} << QRect();
  }
  void keptPlacesComeBackOnAScreenThatShowsThem() {
    QFETCH(QRect, kept);
    QFETCH(QList<QRect>, screens);
    QFETCH(QRect, expected);
    const std::optional<QRect> placed = PlaceOnScreens(kept, screens);
    QCOMPARE(placed.has_value(), expected.isValid());
    if (placed) QCOMPARE(*placed, expected);
  }

  // The size and place a window had when it closed are those it opens with next time.
  void everyWindowKeepsItsSizeAndPlace() {
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect wanted(room.left() + 13, room.top() + 17, std::min(760, room.width() - 20), std::min(560, room.height() - 20));
    auto roundTrip = [&](const QString& key, const std::function<QWidget*()>& make) {
      {
        std::unique_ptr<QWidget> window(make());
        window->show();
        window->setGeometry(wanted);
        window->close();
      }
      QVERIFY2(KeptWindowGeometry(key).has_value(), qPrintable(key));
      std::unique_ptr<QWidget> again(make());
      again->show();
      QVERIFY2(again->size() == wanted.size().expandedTo(again->minimumSizeHint()),
               qPrintable(QString("%1: %2x%3").arg(key).arg(again->width()).arg(again->height())));
      // The inside (set by setGeometry) comes back where it was; pos() is the frame's corner.
      QVERIFY2(again->geometry().topLeft() == wanted.topLeft(),
               qPrintable(QString("%1: %2,%3").arg(key).arg(again->geometry().x()).arg(again->geometry().y())));
    };
    roundTrip("compare", [] { return new CompareWindow; });
    roundTrip("frmLagnaOne", [] { return new InterpretationForm(LagnaFormKind::kOne); });
    roundTrip("frmLagnaTwo", [] { return new InterpretationForm(LagnaFormKind::kTwo); });
    roundTrip("options", [] { return new OptionsDialog(CalculationSettings{}); });
    roundTrip("result", [] { return new FrameWindow; });
    roundTrip("form", [] { return new InputForm; });
  }

  // The corner that keeps a window (with its frame) inside the available area, the bottom
  // edge first: worked by hand from the area's edges.
  void keepInsideMovesTheBottomEdgeOnScreen_data() {
    QTest::addColumn<QRect>("outer");
    QTest::addColumn<QPoint>("expected");
    // The area runs from (0, 30) to (1365, 767): a 30-pixel panel at the top of 1366x768.
    QTest::newRow("inside") << QRect(100, 100, 800, 600) << QPoint(100, 100);
    QTest::newRow("bottom 40 below") << QRect(100, 208, 800, 600) << QPoint(100, 168);  // 768 - 600
    QTest::newRow("right 10 beyond") << QRect(576, 100, 800, 600) << QPoint(566, 100);  // 1366 - 800
    QTest::newRow("above the panel") << QRect(100, 0, 800, 600) << QPoint(100, 30);
    QTest::newRow("taller than the area") << QRect(100, 50, 800, 900) << QPoint(100, 30);  // title bar kept
  }
  void keepInsideMovesTheBottomEdgeOnScreen() {
    QFETCH(QRect, outer);
    QFETCH(QPoint, expected);
    QCOMPARE(KeepInside(outer, QRect(0, 30, 1366, 738)), expected);
  }

  // Hidden and shown again, and made again as at the next start, a window stands where it
  // stood: its outer corner (frame and title bar) does not move. Under a window manager the
  // frame's corner differs from the inside's, which is where a window drifted.
  void windowsStayPutWhenShownAgainAndReopened() {
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    auto stays = [&](const QString& key, const std::function<QWidget*()>& make) {
      QPoint corner;
      QSize size;
      {
        std::unique_ptr<QWidget> window(make());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->resize(std::min(700, room.width() - 60), std::min(500, room.height() - 120));
        window->move(room.left() + 37, room.top() + 41);
        QTRY_COMPARE(Outer(window.get()).topLeft(), QPoint(room.left() + 37, room.top() + 41));
        corner = Outer(window.get()).topLeft();
        size = window->size();
        // The window manager's frame is read a little late only now and then: six times.
        for (int again = 0; again < 6; ++again) {
          window->hide();
          window->show();
          QVERIFY(QTest::qWaitForWindowExposed(window.get()));
          WaitForTheFrame(window.get());
          QVERIFY2(Outer(window.get()).topLeft() == corner,
                   qPrintable(QString("%1, shown again %2: %3,%4 for %5,%6").arg(key).arg(again)
                                  .arg(Outer(window.get()).left()).arg(Outer(window.get()).top())
                                  .arg(corner.x()).arg(corner.y())));
        }
        window->close();
      }
      for (int start = 0; start < 3; ++start) {
        std::unique_ptr<QWidget> again(make());
        again->show();
        QVERIFY(QTest::qWaitForWindowExposed(again.get()));
        WaitForTheFrame(again.get());
        QVERIFY2(Outer(again.get()).topLeft() == corner,
                 qPrintable(QString("%1, start %2: %3,%4 for %5,%6").arg(key).arg(start)
                                .arg(Outer(again.get()).left()).arg(Outer(again.get()).top())
                                .arg(corner.x()).arg(corner.y())));
        QVERIFY2(again->size() == size.expandedTo(again->minimumSize()), qPrintable(key));
        again->close();
      }
    };
    stays("result", [] { return new FrameWindow; });
    stays("form", [] { return new InputForm; });
    stays("compare", [] { return new CompareWindow; });
  }

  // A window given a place below the screen's bottom edge is moved up when shown.
  void aWindowIsNeverShownWithItsBottomBelowTheScreen() {
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    CompareWindow window;
    window.resize(400, 300);
    window.move(room.left() + 20, room.bottom() - 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    WaitForTheFrame(&window);
    QVERIFY2(room.contains(Outer(&window)),
             qPrintable(QString("%1,%2 %3x%4").arg(Outer(&window).left()).arg(Outer(&window).top())
                            .arg(Outer(&window).width()).arg(Outer(&window).height())));
  }

  // Esc and Ctrl+W close the compare window, the pages and the options; on the result
  // window they go back to the form; the compare window has a Close button and opens
  // over the result window.
  void keysAndButtonsCloseEveryWindow() {
    FrameWindow frame;
    frame.showChart(SampleChart());
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.findChild<QAction*>("mnuCompare")->trigger();
    auto* compare = frame.findChild<CompareWindow*>("frmCompare");
    QVERIFY(compare && compare->isVisible());
    QVERIFY(frame.frameGeometry().contains(compare->frameGeometry().center()));
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
      frame.findChild<QAction*>("mnuCompare")->trigger();
      QVERIFY(compare->isVisible());
      QTRY_VERIFY(compare->isActiveWindow());
      QTest::keySequence(compare, keys);
      QVERIFY2(!compare->isVisible(), qPrintable(keys.toString()));
    }
    frame.findChild<QAction*>("mnuCompare")->trigger();
    auto* close = compare->findChild<QPushButton*>("cmdClose");
    QVERIFY(close != nullptr);
    close->click();
    QVERIFY(!compare->isVisible());

    for (LagnaFormKind kind : {LagnaFormKind::kOne, LagnaFormKind::kTwo}) {
      InterpretationForm* page = LagnaForm(kind);
      for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        page->show();
        page->activateWindow();
        QTRY_VERIFY(page->isActiveWindow());
        QTest::keySequence(page, keys);
        QVERIFY(!page->isVisible());
      }
      QVERIFY(page->findChild<QPushButton*>("cmdClose") != nullptr);
      QVERIFY(page->windowFlags().testFlag(Qt::Tool));  // an owned tool window
    }

    frame.activateWindow();
    QTRY_VERIFY(frame.isActiveWindow());
    QSignalSpy back(&frame, &FrameWindow::backRequested);
    QTest::keySequence(&frame, QKeySequence(Qt::Key_Escape));
    QTest::keySequence(&frame, QKeySequence(Qt::CTRL | Qt::Key_W));
    QCOMPARE(back.count(), 2);

    bool closedByKey = false;
    QTimer::singleShot(0, [&] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        dialog->activateWindow();
        if (!QTest::qWaitFor([dialog] { return dialog->isActiveWindow(); })) qWarning("the options did not become active");
        QTest::keySequence(dialog, QKeySequence(Qt::CTRL | Qt::Key_W));
        closedByKey = !dialog->isVisible();
        if (!closedByKey) dialog->reject();
      }
    });
    OptionsDialog options(CalculationSettings{});
    QCOMPARE(options.exec(), int(QDialog::Rejected));
    QVERIFY(closedByKey);
  }

  // The focused button on the dark band wears a ring that differs from the band and from
  // the unfocused button; a focused text box of a page wears one too.
  void focusIsVisibleOnTheBandAndInTheTextBoxes() {
    FrameWindow frame;
    frame.showChart(SampleChart());
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.activateWindow();
    auto* save = frame.findChild<QPushButton*>("cmdSave");
    auto* back = frame.findChild<QPushButton*>("cmdBack");
    back->setFocus();
    QTRY_VERIFY(back->hasFocus());
    const QImage unfocused = save->grab().toImage();
    save->setFocus();
    QTRY_VERIFY(save->hasFocus());
    const QImage focused = save->grab().toImage();
    // The ring runs round the whole button: at least its outline's length changes.
    QVERIFY2(DifferentPixels(unfocused, focused) >= save->width() + save->height(),
             qPrintable(QString::number(DifferentPixels(unfocused, focused))));

    InterpretationForm* page = LagnaForm(LagnaFormKind::kOne);
    page->showPage(1);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page));
    page->activateWindow();
    auto* box = page->page(1)->findChildren<QPlainTextEdit*>().first();
    page->findChild<QPushButton*>("cmdClose")->setFocus();
    QTRY_VERIFY(!box->hasFocus());
    const QImage plain = box->grab().toImage();
    box->setFocus();
    QTRY_VERIFY(box->hasFocus());
    QVERIFY(DifferentPixels(plain, box->grab().toImage()) >= box->width() + box->height());
  }

  // Save suggests NAME_YYYY-MM-DD.zdh in letters of ASCII, titled "Save Chart File"; every
  // dialog then starts in the folder last used; the status line says where the file went.
  void filesStartInTheLastFolderAndTheStatusLineSaysWhereTheyWent() {
    const FileDialogStart save = ChartFileDialogStart(FileDialogKind::Save, "RAM_1975-06-05");
    QCOMPARE(save.title, QString("Save Chart File"));
    QCOMPARE(save.fileName, QString("RAM_1975-06-05.zdh"));

    QTemporaryDir folder;
    FrameWindow frame;
    frame.showChart(SampleChart("Ram Kumar"));
    const QString path = folder.filePath("kept.zdh");
    SetFileChooserForTesting([&](FileDialogKind) { return path; });
    frame.findChild<QPushButton*>("cmdSave")->click();
    QVERIFY(QFile::exists(path));
    QVERIFY(messages_.isEmpty());
    QCOMPARE(frame.statusBar()->currentMessage(), "Chart saved to " + QDir::toNativeSeparators(path));
    QCOMPARE(QDir(LastUsedFolder()), QDir(folder.path()));
    QCOMPARE(QDir(ChartFileDialogStart(FileDialogKind::Open, {}).folder), QDir(folder.path()));

    // An export goes to a second folder, which the next dialog starts in.
    QTemporaryDir second;
    const QString pdf = second.filePath("reading.pdf");
    QString suggested;
    SetExportChooserForTesting([&](ExportKind, const QString& name) {
      suggested = name;
      return ExportChoice{pdf, false};
    });
    frame.findChild<QAction*>("mnuExportPdf")->trigger();
    QCOMPARE(suggested, QString("RAM_KUMAR_1975-06-05"));
    QCOMPARE(frame.statusBar()->currentMessage(), "Reading exported to " + QDir::toNativeSeparators(pdf));
    QCOMPARE(QDir(ChartFileDialogStart(FileDialogKind::Save, {}).folder), QDir(second.path()));

    // A folder since removed is not offered.
    const QString gone = second.path();
    second.remove();
    QVERIFY(LastUsedFolder() != gone);
  }

  // No control that takes the keyboard focus is without a name, in any window; the lagna
  // list says the lagna's full name and the sign boxes what they hold.
  void screenReadersFindANameForEveryControl() {
    auto check = [](QWidget* window) {
      window->show();
      const QStringList unnamed = UnnamedFocusableControls(window);
      QVERIFY2(unnamed.isEmpty(), qPrintable(window->objectName() + ": " + unnamed.join(", ")));
    };
    InputForm form;
    check(&form);
    FrameWindow frame;
    frame.showChart(SampleChart());
    check(&frame);
    frame.findChild<QAction*>("mnuCompare")->trigger();
    check(frame.findChild<CompareWindow*>("frmCompare"));
    for (int lagna = 0; lagna < kLagnaCount; ++lagna) {
      InterpretationForm* page = LagnaForm(FormKindForLagna(lagna));
      page->showPage(lagna);
      check(page);
    }
    OptionsDialog options(CalculationSettings{});
    check(&options);

    auto* entry = frame.findChild<QLabel*>("Label8_0");
    QCOMPARE(entry->accessibleName(), QString("Arudha Lagna"));
    QVERIFY(!entry->accessibleDescription().isEmpty());
    for (QWidget* box : frame.findChildren<QWidget*>(QRegularExpression("^shpHora_\\d+$"))) {
      QVERIFY(box->accessibleName().startsWith("Sign "));
      QVERIFY2(box->accessibleDescription().startsWith("Bodies: "), qPrintable(box->accessibleDescription()));
    }
    auto* looks = LagnaForm(LagnaFormKind::kOne)->findChild<QPlainTextEdit*>("txtLooksAL");
    QVERIFY(looks != nullptr);
    QCOMPARE(looks->accessibleName(), QString("Looks (Arudha Lagna)"));
    auto* year = form.findChild<QComboBox*>("cboYear");
    QCOMPARE(year->accessibleName(), QString("Year of birth"));
  }
};

QTEST_MAIN(WindowsTest)
#include "test_windows.moc"
