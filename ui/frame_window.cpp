#include "ui/frame_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
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
#include "app/chart_texts.h"
#include "app/export_names.h"
#include "report/chart_picture.h"
#include "report/report_writer.h"
#include "ui/export_dialogs.h"
#include "ui/close_keys.h"
#include "ui/collection_window.h"
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
#include "ui/unsaved_reading.h"
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
  file->addSeparator();
  QAction* addToCollection = file->addAction(QStringLiteral("&Add to Collection"));
  addToCollection->setObjectName("mnuAddToCollection");
  connect(addToCollection, &QAction::triggered, this, [this] {
    if (chart_) AddChartToCollection(*chart_, this);
  });
  AddCollectionActions(file, this, [this](const BirthData& birth) { emit birthOpenRequested(birth); });
  file->addSeparator();
  AddOptionsAction(file, this, [this] { emit settingsChanged(); });
  AddAskBeforeLeavingAction(file);
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

  // Shown while the reading is that of a time picked in the birth-time sweep, which is a
  // trial and not the birth: the given time and the way back are always in sight.
  trialBanner_ = new QFrame(central);
  trialBanner_->setObjectName("fraTrialTime");
  trialBanner_->setAutoFillBackground(true);
  QPalette banner = trialBanner_->palette();
  banner.setColor(QPalette::Window, QColor(255, 244, 196));
  banner.setColor(QPalette::WindowText, Qt::black);
  trialBanner_->setPalette(banner);
  auto* bannerLayout = new QHBoxLayout(trialBanner_);
  bannerLayout->setContentsMargins(Twips(240), 4, Twips(kRightMargin), 4);
  trialText_ = new QLabel(trialBanner_);
  trialText_->setObjectName("lblTrialTime");
  trialText_->setTextFormat(Qt::PlainText);
  trialText_->setWordWrap(true);
  auto* resetTrial = new QPushButton(QStringLiteral("Reset to given time"), trialBanner_);
  resetTrial->setObjectName("cmdResetTrial");
  resetTrial->setAccessibleDescription("Shows the reading of the given birth time again");
  bannerLayout->addWidget(trialText_, 1);
  bannerLayout->addWidget(resetTrial);
  connect(resetTrial, &QPushButton::clicked, this, &FrameWindow::resetToGivenTime);
  trialBanner_->hide();
  layout->addWidget(trialBanner_);

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
  bool place = false;
  if (!sweep_) {
    sweep_ = new SweepWindow(this);
    connect(sweep_, &SweepWindow::chartChosen, this, &FrameWindow::showReading);
    if (given_) sweep_->setGivenChart(given_);
    place = !KeepWindowGeometry(sweep_, QStringLiteral("sweep"));
  }
  sweep_->show();
  if (place) {
    // Beside the result window, or over it, wholly on its screen; the frame is known now.
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr)
      MoveOuterTo(sweep_, BesideOrOver(OuterGeometry(this), OuterGeometry(sweep_).size().expandedTo(sweep_->size()),
                                       screen->availableGeometry()));
  }
  sweep_->raise();
  sweep_->activateWindow();
  return sweep_;
}

void FrameWindow::resetToGivenTime() {
  if (sweep_) sweep_->resetToGiven();  // which shows the given reading here as well
  if (showsTrialTime()) showReading(given_);
}

void FrameWindow::showReading(std::shared_ptr<const Chart> chart) {
  chart_ = std::move(chart);
  if (chart_) result_->showChart(*chart_);
  trialBanner_->setVisible(showsTrialTime());
  if (showsTrialTime())
    trialText_->setText(QStringLiteral("Trial time %1 from the birth-time sweep is shown, not the birth. "
                                       "The given time is %2.")
                            .arg(QString::fromStdString(BirthClockReading(*chart_)),
                                 QString::fromStdString(BirthClockReading(*given_))));
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

std::shared_ptr<const Chart> FrameWindow::chartToSave() {
  if (!showsTrialTime()) return chart_;
  const QString trial = QString::fromStdString(BirthClockReading(*chart_));
  const QString given = QString::fromStdString(BirthClockReading(*given_));
  const std::optional<int> choice = AskChoice(
      this,
      QStringLiteral("The reading shows the trial time %1 picked in the birth-time sweep; the given birth time is "
                     "%2. Which time should the chart file hold?")
          .arg(trial, given),
      {QStringLiteral("Save the given time %1").arg(given), QStringLiteral("Save the trial time %1").arg(trial)});
  if (!choice) return nullptr;
  return *choice == 1 ? chart_ : given_;
}

void FrameWindow::saveChart() {
  if (!chart_) return;
  const std::shared_ptr<const Chart> chart = chartToSave();
  if (!chart) return;
  const QString path = ChooseChartFileToSave(this, QString::fromStdString(ExportFileStem(*chart)));
  if (path.isEmpty()) return;
  if (const auto error = SaveChartFile(path.toStdString(), *chart)) {
    ShowMessage(this, QString::fromStdString(*error), MessageIcon::Error);
    return;
  }
  tellWhereItWent(QStringLiteral("Chart saved to %1"), path);
  emit chartSaved();
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
  // The sweep is computed once, here: the preview paints its pages again and again.
  std::optional<BirthSweep> made;
  const BirthSweep& sweep = PrintedSweep(*chart, nullptr, made);
  QPrintPreviewDialog preview(&printer, this);
  preview.setWindowTitle(kWindowCaption);
  // Large enough to read a page, within the screen.
  if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
    preview.resize(QSize(900, 1000).boundedTo(screen->availableGeometry().size() * 0.9));
  connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
          [&](QPrinter* target) { PaintReport(*chart, fields, *target, &sweep, &vargas); });
  preview.exec();
}

void FrameWindow::exportPdf() {
  if (!chart_) return;
  const ExportChoice choice =
      ChooseExportFile(this, ExportKind::kPdf, QString::fromStdString(ExportFileStem(*chart_)));
  if (choice.path.isEmpty()) return;
  std::optional<BirthSweep> made;
  ReportOptions options;
  options.sweep = &PrintedSweep(*chart_, nullptr, made);
  if (SaveExport(this, choice.path, ReportPdfBytes(*chart_, PageFieldsOf(*chart_), options)))
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
