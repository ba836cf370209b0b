#include "ui/frame_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/atomic_file.h"
#include "app/chart_calculation.h"
#include "app/chart_vargas.h"
#include "app/chart_file.h"
#include "app/export_names.h"
#include "report/chart_picture.h"
#include "report/report_writer.h"
#include "ui/export_dialogs.h"
#include "ui/close_keys.h"
#include "ui/compare_window.h"
#include "ui/file_dialogs.h"
#include "ui/help_menu.h"
#include "ui/program_icon.h"
#include "ui/message_presenter.h"
#include "ui/options_dialog.h"
#include "ui/result_form.h"
#include "ui/sweep_window.h"
#include "ui/vargas_window.h"
#include "ui/twips.h"
#include "ui/web_links.h"
#include "ui/window_fonts.h"
#include "ui/window_geometry.h"

namespace corvane {

namespace {
constexpr int kButtonWidth = 1215;  // twips
constexpr int kButtonHeight = 375;
constexpr int kStripHeight = 615;
constexpr int kRightMargin = 300;
constexpr int kGap = 100;
constexpr int kDecorationAllowance = 20;  // pixels, for a window manager's borders and title
constexpr int kPicturePixels = 1200;       // side of an exported PNG chart

// The buttons on the dark red band, drawn whole by the style sheet so that the focus ring
// can be made to stand out against the band.
constexpr char kBandButtonStyle[] =
    "QPushButton { color: black; background: #f0f0f0; border: 1px solid #400000; border-radius: 3px;"
    " padding: 0px 6px; }"
    "QPushButton:hover { background: #ffffff; }"
    "QPushButton:pressed { background: #d4d4d4; }"
    "QPushButton:focus { border: 3px solid #ffd54a; }";

// Saves the bytes of an export; false after showing why they could not be saved.
bool SaveExport(QWidget* parent, const QString& path, const QByteArray& bytes) {
  if (bytes.isEmpty()) {
    ShowMessage(parent, QStringLiteral("The file could not be drawn: %1").arg(path), MessageIcon::Error);
    return false;
  }
  const auto error = WriteFileAtomically(QFile::encodeName(path).toStdString(),
                                         std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (error)
    ShowMessage(parent, QStringLiteral("%1 could not be saved: %2. Any file of that name is unchanged.")
                            .arg(path, QString::fromLocal8Bit(error->describe().c_str())),
                MessageIcon::Error);
  return !error;
}
}  // namespace

FrameWindow::FrameWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName("MDI");
  setWindowTitle(kWindowCaption);
  setWindowIcon(ProgramIcon());
  setAttribute(Qt::WA_DeleteOnClose, false);

  QMenu* file = menuBar()->addMenu("&File");
  QAction* print = file->addAction(QStringLiteral("Print\u2026"));
  print->setObjectName("mnuPrint");
  print->setShortcut(QKeySequence::Print);
  connect(print, &QAction::triggered, this, &FrameWindow::printReading);
  QAction* exportPdf = file->addAction(QStringLiteral("Export PDF\u2026"));
  exportPdf->setObjectName("mnuExportPdf");
  connect(exportPdf, &QAction::triggered, this, &FrameWindow::exportPdf);
  QAction* exportPicture = file->addAction(QStringLiteral("Export Chart Picture\u2026"));
  exportPicture->setObjectName("mnuExportPicture");
  connect(exportPicture, &QAction::triggered, this, &FrameWindow::exportChartPicture);
  file->addSeparator();
  QAction* back = file->addAction("&Back");
  back->setObjectName("mnuBack");
  connect(back, &QAction::triggered, this, &FrameWindow::backRequested);
  QAction* compare = file->addAction("Compare conventions");
  compare->setObjectName("mnuCompare");
  connect(compare, &QAction::triggered, this, [this] {
    if (chart_) ShowCompareWindow(*chart_, this);
  });
  QAction* vargas = file->addAction(QStringLiteral("&Vargas"));
  vargas->setObjectName("mnuVargas");
  connect(vargas, &QAction::triggered, this, [this] {
    if (chart_) ShowVargasWindow(*chart_, this);
  });
  QAction* sweep = file->addAction(QStringLiteral("Birth-time &sweep\u2026"));
  sweep->setObjectName("mnuSweep");
  connect(sweep, &QAction::triggered, this, [this] { showSweep(); });
  AddOptionsAction(file, this, [this] { emit settingsChanged(); });
  QAction* exit = file->addAction("E&xit");
  exit->setObjectName("mnuExit");
  connect(exit, &QAction::triggered, this, &FrameWindow::exitRequested);

  AddHelpMenu(this, true);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  picTop_ = new QWidget(central);
  picTop_->setObjectName("picTop");
  picTop_->setFixedHeight(Twips(kStripHeight));
  picTop_->setAutoFillBackground(true);
  QPalette strip = picTop_->palette();
  strip.setColor(QPalette::Window, QColor(128, 0, 0));
  picTop_->setPalette(strip);
  auto* title = new QLabel("Corvane  -  Vedic Special Lagnas", picTop_);
  title->setObjectName("lblTitle");
  title->setFont(InterfaceFont(12, true));
  title->setStyleSheet("color: white;");
  title->move(Twips(240), (Twips(kStripHeight) - title->sizeHint().height()) / 2);

  auto makeButton = [this](const char* name, const char* text) {
    auto* b = new QPushButton(text, picTop_);
    b->setObjectName(name);
    b->resize(Twips(kButtonWidth), Twips(kButtonHeight));
    b->move(0, (Twips(kStripHeight) - Twips(kButtonHeight)) / 2);
    return b;
  };
  cmdSave_ = makeButton("cmdSave", "&Save");
  cmdBack_ = makeButton("cmdBack", "&Back");
  cmdExit_ = makeButton("cmdExit", "E&xit");
  connect(cmdSave_, &QPushButton::clicked, this, &FrameWindow::saveChart);
  connect(cmdBack_, &QPushButton::clicked, this, &FrameWindow::backRequested);
  connect(cmdExit_, &QPushButton::clicked, this, &FrameWindow::exitRequested);
  cmdSave_->setAccessibleDescription("Saves the chart to a chart file");
  cmdBack_->setAccessibleDescription("Closes this window and returns to the birth details");
  cmdExit_->setAccessibleDescription("Ends the program");
  // The style's own focus frame hardly shows on the dark band: the button with the keyboard
  // focus gets a thick light ring instead.
  picTop_->setStyleSheet(kBandButtonStyle);
  layout->addWidget(picTop_);

  // The result form fills the window and grows with it; below its designed size the scroll
  // area lets a small screen reach every part of it. The area itself is no Tab stop: it
  // scrolls to whichever control takes the focus.
  scroll_ = new QScrollArea(central);
  scroll_->setObjectName("mdiClient");
  scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  scroll_->setWidgetResizable(true);
  scroll_->setFocusPolicy(Qt::NoFocus);
  result_ = new ResultForm(scroll_);
  scroll_->setWidget(result_);
  layout->addWidget(scroll_, 1);
  setCentralWidget(central);

  statusBar()->setObjectName("staResult");
  statusBar()->setSizeGripEnabled(true);
  // Esc and Ctrl+W close this window as Back does: the birth details come back.
  AddCloseKeys(this, [this] { emit backRequested(); });

  const QSize designed = result_->minimumSize();
  QSize wanted(designed.width() + 40, designed.height() + Twips(kStripHeight) + menuBar()->sizeHint().height() +
                                          statusBar()->sizeHint().height() + 40);
  // The window opens centred at the top of the screen. On a small screen it takes what the
  // screen offers (less room for the window frame) and the scroll area reaches the rest.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect room = screen->availableGeometry();
    wanted = wanted.boundedTo(room.size() - QSize(kDecorationAllowance, 2 * kDecorationAllowance));
    move(room.left() + (room.width() - wanted.width()) / 2, room.top());
  }
  resize(wanted);
  KeepWindowGeometry(this, QStringLiteral("result"));
  placeButtons();
}

FrameWindow::~FrameWindow() = default;

void FrameWindow::showChart(std::shared_ptr<const Chart> chart) {
  given_ = chart;
  if (sweep_ && given_) sweep_->setGivenChart(given_);
  showReading(std::move(chart));
}

SweepWindow* FrameWindow::showSweep() {
  if (!sweep_) {
    sweep_ = new SweepWindow(this);
    connect(sweep_, &SweepWindow::chartChosen, this, &FrameWindow::showReading);
    if (given_) sweep_->setGivenChart(given_);
  }
  sweep_->show();
  sweep_->raise();
  sweep_->activateWindow();
  return sweep_;
}

void FrameWindow::showReading(std::shared_ptr<const Chart> chart) {
  chart_ = std::move(chart);
  if (chart_) result_->showChart(*chart_);
  result_->focusLagnaList();  // the keyboard starts where the pages are opened
  // An open comparison follows the chart and its settings.
  const auto* compare = findChild<CompareWindow*>("frmCompare", Qt::FindDirectChildrenOnly);
  if (chart_ && compare && compare->isVisible()) ShowCompareWindow(*chart_, this);
  // So does an open Vargas window, the time picked in the sweep included.
  if (auto* vargas = findChild<VargasWindow*>("frmVargas", Qt::FindDirectChildrenOnly);
      chart_ && vargas && vargas->isVisible())
    vargas->showVargas(*chart_);
}

void FrameWindow::placeButtons() {
  // Exit keeps a margin of 300 twips to the right edge; each button stands one width plus
  // a gap of 100 to the left of its right-hand neighbour.
  const int w = width();
  cmdExit_->move(w - cmdExit_->width() - Twips(kRightMargin), cmdExit_->y());
  cmdBack_->move(cmdExit_->x() - cmdExit_->width() - Twips(kGap), cmdBack_->y());
  cmdSave_->move(cmdBack_->x() - cmdBack_->width() - Twips(kGap), cmdSave_->y());
}

void FrameWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  placeButtons();
}

void FrameWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  if (!leaving_) {
    leaving_ = true;
    emit exitRequested();
  }
}

void FrameWindow::saveChart() {
  if (!chart_) return;
  const QString path = ChooseChartFileToSave(this, QString::fromStdString(ExportFileStem(*chart_)));
  if (path.isEmpty()) return;
  if (const auto error = SaveChartFile(path.toStdString(), *chart_)) {
    ShowMessage(this, QString::fromStdString(*error), MessageIcon::Error);
    return;
  }
  tellWhereItWent(QStringLiteral("Chart saved to %1"), path);
}

void FrameWindow::printReading() {
  if (!chart_) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(ReportPageLayout(ReportOptions{}));
  printer.setDocName(QString::fromStdString(ExportFileStem(*chart_)));
  const LagnaPageFields fields = PageFieldsOf(*chart_);
  const std::shared_ptr<const Chart> chart = chart_;
  // The window's reading always has the divisional charts.
  const VargaCharts vargas = VargasOf(*chart_);
  QPrintPreviewDialog preview(&printer, this);
  preview.setWindowTitle(kWindowCaption);
  // Large enough to read a page, within the screen.
  if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
    preview.resize(QSize(900, 1000).boundedTo(screen->availableGeometry().size() * 0.9));
  connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
          [&](QPrinter* target) { PaintReport(*chart, fields, *target, kDefaultPrintedSweepMinutes, &vargas); });
  preview.exec();
}

void FrameWindow::exportPdf() {
  if (!chart_) return;
  const ExportChoice choice =
      ChooseExportFile(this, ExportKind::kPdf, QString::fromStdString(ExportFileStem(*chart_)));
  if (choice.path.isEmpty()) return;
  if (SaveExport(this, choice.path, ReportPdfBytes(*chart_, PageFieldsOf(*chart_), ReportOptions{})))
    tellWhereItWent(QStringLiteral("Reading exported to %1"), choice.path);
}

void FrameWindow::exportChartPicture() {
  if (!chart_) return;
  const ExportChoice choice =
      ChooseExportFile(this, ExportKind::kChartPicture, QString::fromStdString(ExportFileStem(*chart_)));
  if (choice.path.isEmpty()) return;
  // The picture is of the varga the window shows.
  const VargaCharts vargas = VargasOf(*chart_);
  const DrawnVarga shown{&vargas, result_->shownVarga()};
  if (SaveExport(this, choice.path,
                 choice.svg ? ChartSvgBytes(*chart_, 800, shown) : ChartPngBytes(*chart_, kPicturePixels, shown)))
    tellWhereItWent(QStringLiteral("Chart picture exported to %1"), choice.path);
}

void FrameWindow::tellWhereItWent(const QString& what, const QString& path) {
  statusBar()->showMessage(what.arg(QDir::toNativeSeparators(path)));
}

}  // namespace corvane
