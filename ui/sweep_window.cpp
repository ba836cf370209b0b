#include "ui/sweep_window.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

#include "report/sweep_drawing.h"
#include "ui/close_keys.h"

namespace corvane {

namespace {
constexpr char kWidthKey[] = "sweep/minutes";

QSettings Store() { return QSettings("Corvane", "Corvane"); }
}  // namespace

SweepView::SweepView(QWidget* parent) : QWidget(parent) {
  setObjectName("sweepView");
  setMouseTracking(true);
  setMinimumSize(560, 300);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setAccessibleName(QStringLiteral("Birth-time sweep timeline"));
  setAccessibleDescription(QStringLiteral("Left and Right move the trial time a minute, with Shift a second; "
                                          "Home goes back to the given time"));
}

void SweepView::keyPressEvent(QKeyEvent* event) {
  if (!sweep_) return QWidget::keyPressEvent(event);
  const bool second = event->modifiers() & Qt::ShiftModifier;
  int step = 0;
  switch (event->key()) {
    case Qt::Key_Left: step = second ? -1 : -60; break;
    case Qt::Key_Right: step = second ? 1 : 60; break;
    case Qt::Key_Home:
      emit resetRequested();
      return;
    default:
      return QWidget::keyPressEvent(event);
  }
  // From the time shown, along the axis of the sweep (a doubled hour twice), within it.
  const std::vector<SweepAxisPiece> axis = SweepAxis(*sweep_);
  const std::int64_t from = SweepAxisSecondOf(axis, shown_.value_or(SweepMoment{sweep_->given, false}));
  const SweepMoment moved = SweepMomentAt(axis, std::clamp<std::int64_t>(from + step, 0, SweepAxisSeconds(axis)));
  emit timePicked(moved.time, moved.repeat);
}

void SweepView::setSweep(std::shared_ptr<const BirthSweep> sweep) {
  sweep_ = std::move(sweep);
  update();
}

void SweepView::setShownTime(std::optional<SweepMoment> shown) {
  shown_ = shown;
  update();
}

QRectF SweepView::timelineArea() const { return QRectF(rect()).adjusted(8, 8, -8, -4); }

void SweepView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (!sweep_) {
    painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Calculating\u2026"));
    return;
  }
  PaintSweep(painter, *sweep_, timelineArea(), shown_);
}

void SweepView::pick(const QPointF& point) {
  if (!sweep_) return;
  const SweepGeometry geometry(*sweep_, timelineArea());
  if (point.x() < geometry.bands().left() - 4 || point.x() > geometry.bands().right() + 4) return;
  const SweepMoment moment = geometry.momentAt(point.x());
  emit timePicked(moment.time, moment.repeat);
}

void SweepView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pick(event->position());
}

void SweepView::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton) pick(event->position());
}

bool SweepView::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && sweep_) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = SweepTipAt(*sweep_, SweepGeometry(*sweep_, timelineArea()), help->pos());
    if (tip.isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(help->globalPos(), tip, this);
    }
    return true;
  }
  return QWidget::event(event);
}

// An owned window (transient for the result window it was opened from): the window system
// keeps it above that window, also after a dialog of that window (a save) has closed.
SweepWindow::SweepWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("frmSweep");
  setWindowTitle(QStringLiteral("Birth-time sweep"));
  minutes_ = Store().value(kWidthKey, 15).toInt();
  if (std::find(std::begin(kWidths), std::end(kWidths), minutes_) == std::end(kWidths)) minutes_ = 15;

  auto* layout = new QVBoxLayout(this);
  auto* controls = new QHBoxLayout;
  auto* widthLabel = new QLabel(QStringLiteral("&Window:"), this);
  width_ = new QComboBox(this);
  width_->setObjectName("cboSweepWidth");
  for (const int minutes : kWidths) width_->addItem(QStringLiteral("\u00b1%1 min").arg(minutes), minutes);
  width_->setCurrentIndex(width_->findData(minutes_));
  widthLabel->setBuddy(width_);
  shownLabel_ = new QLabel(this);
  shownLabel_->setObjectName("lblSweepShown");
  reset_ = new QPushButton(QStringLiteral("&Reset to given time"), this);
  reset_->setObjectName("cmdSweepReset");
  reset_->setEnabled(false);
  controls->addWidget(widthLabel);
  controls->addWidget(width_);
  controls->addSpacing(12);
  controls->addWidget(shownLabel_, 1);
  controls->addWidget(reset_);
  layout->addLayout(controls);
  view_ = new SweepView(this);
  layout->addWidget(view_, 1);
  summary_ = new QLabel(this);
  summary_->setObjectName("lblSweepSummary");
  summary_->setWordWrap(true);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(summary_);
  auto* hint = new QLabel(QStringLiteral("Click or drag on the timeline to see the reading at that time; hover for "
                                         "the times a sign holds."),
                          this);
  hint->setObjectName("lblSweepHint");
  hint->setWordWrap(true);
  QPalette muted = hint->palette();
  muted.setColor(QPalette::WindowText, QColor(90, 90, 90));
  hint->setPalette(muted);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(hint, 1);
  bottom->addWidget(MakeCloseButton(this), 0, Qt::AlignBottom);
  layout->addLayout(bottom);
  AddCloseKeys(this);
  width_->setAccessibleName(QStringLiteral("Sweep window"));
  reset_->setAccessibleDescription(QStringLiteral("Shows the reading of the given birth time again"));
  resize(900, 520);

  connect(width_, &QComboBox::currentIndexChanged, this, [this](int index) {
    minutes_ = width_->itemData(index).toInt();
    Store().setValue(kWidthKey, minutes_);
    recompute();
  });
  connect(reset_, &QPushButton::clicked, this, &SweepWindow::resetToGiven);
  connect(view_, &SweepView::resetRequested, this, &SweepWindow::resetToGiven);
  connect(view_, &SweepView::timePicked, this, [this](const CivilDateTime& time, bool repeat) {
    if (!given_) return;
    // The whole reading at the picked time: a few microseconds to a few milliseconds, so it
    // is calculated here, between two mouse events, and the windows follow at once.
    const std::shared_ptr<const Chart> moved = ChartAtTime(*given_, time, repeat);
    view_->setShownTime(SweepMoment{time, repeat});
    reset_->setEnabled(true);
    showTime(SweepMoment{time, repeat}, moved != nullptr);
    if (moved) emit chartChosen(moved);
  });
  connect(&watcher_, &QFutureWatcher<std::shared_ptr<const BirthSweep>>::finished, this, &SweepWindow::sweepReady);
}

SweepWindow::~SweepWindow() { watcher_.waitForFinished(); }

void SweepWindow::resetToGiven() {
  if (!given_) return;
  view_->setShownTime(std::nullopt);
  reset_->setEnabled(false);
  showTime({}, true);
  emit chartChosen(given_);
}

void SweepWindow::setGivenChart(std::shared_ptr<const Chart> chart) {
  given_ = std::move(chart);
  view_->setShownTime(std::nullopt);
  reset_->setEnabled(false);
  showTime({}, true);
  recompute();
}

void SweepWindow::showTime(const SweepMoment& time, bool exists) {
  if (time.time == CivilDateTime{} || !view_->sweep()) {
    shownLabel_->setText(QStringLiteral("Reading shown for the given time"));
    return;
  }
  // In a doubled hour the reading says which of the two times it is ("02:30:15 CET").
  const std::string abbreviation = SweepAbbreviationOf(*view_->sweep(), time);
  shownLabel_->setText(QStringLiteral("Reading shown for %1%2%3")
                           .arg(QString::fromStdString(SweepClockText(time.time, view_->sweep()->given)),
                                abbreviation.empty() ? QString() : " " + QString::fromStdString(abbreviation),
                                exists ? QString() : QStringLiteral(" (no chart at this time)")));
}

void SweepWindow::recompute() {
  if (!given_) return;
  pending_ = true;
  if (watcher_.isRunning()) {
    again_ = true;
    return;
  }
  watcher_.setFuture(QtConcurrent::run([chart = given_, minutes = minutes_] {
    return std::make_shared<const BirthSweep>(SweepOfChart(*chart, minutes));
  }));
}

void SweepWindow::sweepReady() {
  if (again_) {
    again_ = false;
    recompute();
    return;
  }
  pending_ = false;
  const std::shared_ptr<const BirthSweep> sweep = watcher_.result();
  view_->setSweep(sweep);
  summary_->setText(QString::fromStdString(SweepSummary(*sweep)));
}

void SweepWindow::waitForSweep() {
  while (pending_) {
    watcher_.waitForFinished();
    QCoreApplication::processEvents();
  }
}

}  // namespace corvane
