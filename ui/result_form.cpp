#include "ui/result_form.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QShortcut>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/calculated_with.h"
#include "app/chart_calculation.h"
#include "app/chart_texts.h"
#include "app/chart_vargas.h"
#include "app/page_texts.h"
#include "ui/interpretation_form.h"
#include "ui/twips.h"
#include "ui/web_links.h"
#include "app/sign_grid.h"
#include "ui/window_fonts.h"

namespace corvane {

namespace {

constexpr int kPointSize = 8;

// The lagna list from top to bottom: the label's index selects the page.
constexpr std::array<LagnaId, kLagnaCount> kLagnaListOrder = {kAL, kBL, kHL, kGL, kSrL, kIL, kPL,
                                                              kSL, kVL, kCL, kPpL, kUL, kAscendantLagna};

// Names of the body list labels by sign index (the Sagittarius name is spelt as it always was).
constexpr std::array<const char*, 12> kBodyListNames = {
    "lblAries", "lblTaurus",      "lblGemini",    "lblCancer",   "lblLeo",      "lblVirgo",
    "lblLibra", "lblScorpio", "lblSagattarius", "lblCapricorn", "lblAquarius", "lblPisces"};

// Designed sizes, in twips.
constexpr int kFormWidth = 14595, kFormHeight = 8610;
constexpr int kBoxWidth = 1965, kBoxHeight = 1680;
constexpr int kBodiesWidth = 1305;  // the bodies' column of a sign box
constexpr int kMarksLeft = 1440;    // where the lagna marks start in a sign box
constexpr int kSideColumnWidth = 3495;

// Position table rows: the name label's own index and caption; the value label is the row.
struct PositionRow {
  int nameIndex;
  const char* caption;
};
constexpr std::array<PositionRow, kBodyCount> kPositionRows = {{
    {0, "Surya/Sun"}, {1, "Chandra/Moon"}, {2, "Budha/Mercury"}, {3, "Shukra/Venus"},
    {4, "Mangala/Mars"}, {5, "Guru/Jupiter"}, {6, "Shani/Saturn"}, {10, "Rahu/North Node"},
    {11, "Ketu/South node"}, {16, "Asc/Lagna"},
}};

constexpr std::array<const char*, 8> kDetailCaptions = {
    "Date of Birth :", "Time of Birth :", "Longitude :", "Latitude   :",
    "City :",          "State :",         "Country :",   "Clock :"};
constexpr std::array<const char*, 8> kDetailNames = {"lblDOB",  "lblTOB",   "lblLongitude", "lblLatitude",
                                                     "lblCity", "lblState", "lblCountry",   "lblClock"};

// Entries and links in dark blue; the one with the keyboard focus stands out in the
// selection colours, so the user sees where Enter goes.
constexpr char kFocusableLinkStyle[] =
    "QLabel { color: #000080; border: 1px solid transparent; }"
    "QLabel:focus { color: palette(highlighted-text); background: palette(highlight);"
    " border: 1px dotted palette(highlighted-text); }";


QLabel* MakeLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);  // names and places are shown literally, never as markup
  label->setText(text);
  return label;
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

// A chart list text holds one entry per "\r\n"-separated line after an empty first line,
// and bare line breaks where a lagna left no mark. The display keeps only the entries, one
// per line, so that every entry fits the box.
QString ListLines(const std::string& text) {
  QString normalised = Text(text);
  normalised.replace("\r\n", "\n");
  normalised.replace('\r', '\n');
  QStringList lines = normalised.split('\n', Qt::SkipEmptyParts);
  lines.erase(std::remove_if(lines.begin(), lines.end(),
                             [](const QString& line) { return line.trimmed().isEmpty(); }),
              lines.end());
  return lines.join('\n');
}

bool Fits(const QFont& font, const QString& text, const QSize& area) {
  QRect needed = QFontMetrics(font).boundingRect(QRect(0, 0, area.width(), 100000),
                                                 Qt::AlignLeft | Qt::TextWordWrap, text);
  return needed.height() <= area.height() && needed.width() <= area.width();
}

// Picks the largest point size, down to `smallest`, at which the text fits the area.
bool FitTextToArea(QLabel* label, const QSize& area, double largest, double smallest = 5.0) {
  QFont font = label->font();
  bool fits = false;
  for (double size = largest; size >= smallest && !fits; size -= 0.5) {
    font.setPointSizeF(size);
    fits = Fits(font, label->text(), area);
  }
  label->setFont(font);
  return fits;  // what does not fit is left to the surrounding scroll area
}

// Two marks per line, for signs that hold more marks than one narrow column can show.
QString PairedLines(const QString& lines) {
  const QStringList marks = lines.split('\n');
  QStringList paired;
  for (int i = 0; i < marks.size(); i += 2)
    paired << (i + 1 < marks.size() ? marks[i] + ' ' + marks[i + 1] : marks[i]);
  return paired.join('\n');
}

// Single-line values keep their exact text and shrink to fit their (fixed) width; a value
// too long even at 6 points ends in "…" and shows in full as the label's tool tip.
void FitLineToWidth(QLabel* label, double largest) {
  QFont font = label->font();
  const int width = label->width();
  for (double size = largest; size >= 6.0; size -= 0.5) {
    font.setPointSizeF(size);
    if (QFontMetrics(font).horizontalAdvance(label->text()) <= width) break;
  }
  label->setFont(font);
  // Too long even then: the text ends in "…", never cut off unmarked, and the tip shows it whole.
  const QString whole = label->text();
  const bool tooLong = QFontMetrics(font).horizontalAdvance(whole) > width;
  if (tooLong) label->setText(QFontMetrics(font).elidedText(whole, Qt::ElideRight, width));
  label->setToolTip(tooLong ? whole : QString());
}

// The same for a word-wrapping label given up to `lines` lines of its width.
void FitLinesToWidth(QLabel* label, double largest, int lines) {
  QFont font = label->font();
  const int width = label->width();
  auto fits = [&] {
    const QFontMetrics metrics(font);
    return metrics.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, label->text()).height() <=
           lines * metrics.lineSpacing();
  };
  for (double size = largest; size >= 6.0; size -= 0.5) {
    font.setPointSizeF(size);
    if (fits()) break;
  }
  label->setFont(font);
  label->setToolTip(fits() ? QString() : label->text());
}

QScrollArea* WrapInScrollArea(QLabel* label, QWidget* parent) {
  auto* area = new QScrollArea(parent);
  area->setObjectName(QString("scr") + label->objectName());
  area->setFrameShape(QFrame::NoFrame);
  area->setFocusPolicy(Qt::NoFocus);  // a text of the chart, not a stop for the Tab key
  area->setWidgetResizable(true);
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  area->setStyleSheet("QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }");
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  area->setWidget(label);
  return area;
}

QFrame* MakeRectangle(const QString& name, QWidget* parent) {
  auto* shape = new QFrame(parent);
  shape->setObjectName(name);
  shape->setFrameShape(QFrame::Box);
  shape->setLineWidth(1);
  return shape;
}

int Scaled(int length, int designed, int twips) { return length * twips / designed; }

}  // namespace

// One sign of the chart: its number in the top right corner, the bodies on the left and
// the lagna marks on the right. The parts keep their designed proportions as the box grows,
// and the texts take the largest point size at which they fit (up to a size that grows with
// the box), so a crowded sign still shows every entry.
class SignBox : public QFrame {
 public:
  SignBox(int sign, QWidget* parent) : QFrame(parent) {
    setObjectName(QString("shpHora_%1").arg(sign));
    setProperty("index", sign);
    setAccessibleName(QString("Sign %1").arg(sign + 1));
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    number_ = MakeLabel(QString("Hno_%1").arg(sign), QString::number(sign + 1), this);
    number_->setProperty("index", sign);
    number_->setFont(NumberFont(kPointSize));
    number_->setAlignment(Qt::AlignRight | Qt::AlignTop);
    bodies_ = MakeLabel(kBodyListNames[sign], QString(), this);
    bodiesArea_ = WrapInScrollArea(bodies_, this);
    marks_ = MakeLabel(QString("lblArudha_%1").arg(sign), QString(), this);
    marks_->setProperty("index", sign);
    marksArea_ = WrapInScrollArea(marks_, this);
    marks_->setFont(InterfaceFont(kPointSize, true));
  }

  void setTexts(const QString& bodies, const QString& marks) {
    bodiesText_ = bodies;
    marksText_ = marks;
    // A screen reader reads the box's content as one sentence.
    auto listed = [](const QString& lines) { return lines.isEmpty() ? QString("none") : QString(lines).replace('\n', ", "); };
    setAccessibleDescription("Bodies: " + listed(bodies) + ". Lagnas: " + listed(marks) + ".");
    arrange();
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QFrame::resizeEvent(event);
    arrange();
  }

 private:
  void arrange() {
    const int w = width(), h = height();
    number_->setGeometry(w - 22, 2, 19, 14);
    bodiesArea_->setGeometry(Twips(120), Twips(105), Scaled(w, kBoxWidth, kBodiesWidth), h - Twips(105) - 3);
    const int marksLeft = Scaled(w, kBoxWidth, kMarksLeft);
    marksArea_->setGeometry(marksLeft, 18, w - marksLeft - 2, h - 18 - 3);

    // The designed 8 points at the designed size, more in a larger box.
    const double scale = std::min(double(w) / Twips(kBoxWidth), double(h) / Twips(kBoxHeight));
    const double largest = std::clamp(std::floor(kPointSize * scale * 2) / 2, double(kPointSize), 2.0 * kPointSize);
    bodies_->setText(bodiesText_);
    FitTextToArea(bodies_, bodiesArea_->size(), largest);
    marks_->setText(marksText_);
    if (!FitTextToArea(marks_, marksArea_->size(), largest, 6.5)) {
      marks_->setText(PairedLines(marksText_));
      FitTextToArea(marks_, marksArea_->size(), largest);
    }
  }

  QLabel *number_, *bodies_, *marks_;
  QScrollArea *bodiesArea_, *marksArea_;
  QString bodiesText_, marksText_;
};

namespace {

// The square chart: twelve sign boxes around the centre, which holds the web site's link.
// Boxes share their edge lines and split the chart's room evenly, however large it is.
class ChartSquare : public QWidget {
 public:
  ChartSquare(QLabel* centreLink, std::array<SignBox*, 12>& boxes, QWidget* parent)
      : QWidget(parent), link_(centreLink) {
    setObjectName("chartSquare");
    outline_ = MakeRectangle("Shape2", this);
    centre_ = MakeRectangle("Shape1", this);
    for (int sign = 0; sign < 12; ++sign) boxes_[sign] = boxes[sign] = new SignBox(sign, this);
    link_->setParent(this);
    link_->setWordWrap(true);
    link_->setAlignment(Qt::AlignCenter);
    setMinimumSize(4 * Twips(kBoxWidth) + 2, 4 * Twips(kBoxHeight) + 2);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    resize(minimumSize());
    arrange();
  }

  QSize sizeHint() const override { return minimumSize(); }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    arrange();
  }

 private:
  void arrange() {
    // The outline runs one pixel outside the boxes, which draws the chart's double border.
    outline_->setGeometry(rect());
    const int w = width() - 2, h = height() - 2;
    auto left = [&](int column) { return 1 + column * w / 4; };
    auto top = [&](int row) { return 1 + row * h / 4; };
    for (int sign = 0; sign < 12; ++sign) {
      const SignBoxPlace place = kSignBoxPlaces[sign];
      // One pixel wider and taller than the step, so neighbours draw their shared edge once.
      boxes_[sign]->setGeometry(QRect(QPoint(left(place.column), top(place.row)),
                                      QPoint(left(place.column + 1), top(place.row + 1))));
    }
    const QRect centre(QPoint(left(1), top(1)), QPoint(left(3), top(3)));
    centre_->setGeometry(centre);
    centre_->lower();
    outline_->lower();
    const int linkHeight = std::max(Twips(600), link_->heightForWidth(centre.width() - 2 * Twips(195)));
    link_->setGeometry(centre.left() + Twips(195), centre.center().y() - linkHeight / 2,
                       centre.width() - 2 * Twips(195), linkHeight);
  }

  QLabel* link_;
  QFrame* outline_;
  QFrame* centre_;
  std::array<SignBox*, 12> boxes_{};
};

}  // namespace

ResultForm::ResultForm(QWidget* parent) : QWidget(parent) {
  setObjectName("frmDisplay");
  setWindowTitle("Corvane v1.25");
  setFont(InterfaceFont(kPointSize));

  showChartButton_ = new QPushButton("Show Chart", this);
  showChartButton_->setObjectName("cmdShowChart");
  showChartButton_->setFixedSize(Twips(2355), Twips(375));
  showChartButton_->setAccessibleDescription("Brings the chart to the front");
  QLabel* forum = makeLinkLabel("Label5", "Discuss your chart with other readers in our online forum", this);

  QWidget* list = buildLagnaList();
  QWidget* chart = buildChartFrame();

  // The designed arrangement: the button and the forum link above the chart frame, the
  // lagna list to the left of it. The list and the chart take any room beyond the design.
  auto* top = new QHBoxLayout;
  top->setContentsMargins(0, 0, 0, 0);
  top->setSpacing(0);
  top->addStretch(5520 - 2520);
  top->addWidget(showChartButton_, 0, Qt::AlignTop);
  top->addStretch(8280 - 5520 - 2355);
  top->addWidget(forum, 0, Qt::AlignBottom);

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(Twips(60), Twips(120), Twips(kFormWidth - 2520 - 11940), Twips(kFormHeight - 720 - 7455));
  layout->setHorizontalSpacing(Twips(105));
  layout->setVerticalSpacing(0);
  layout->addLayout(top, 0, 1);
  layout->setRowMinimumHeight(0, Twips(720 - 120));
  layout->addWidget(list, 1, 0);
  layout->addWidget(chart, 1, 1);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(1, 1);
  setMinimumSize(Twips(kFormWidth), Twips(kFormHeight));
  resize(minimumSize());

  // Tab goes from the lagna list to the button and the two links.
  setTabOrder(entries_.back(), showChartButton_);
  setTabOrder(showChartButton_, forum);
  setTabOrder(forum, findChild<QLabel*>("Label7"));
  setTabOrder(findChild<QLabel*>("Label7"), vargaChooser_);

  connect(showChartButton_, &QPushButton::clicked, this, [this] { chartFrame_->raise(); });
}

QLabel* ResultForm::makeLinkLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setText(text);
  label->setCursor(Qt::PointingHandCursor);
  label->setStyleSheet(kFocusableLinkStyle);
  label->setFocusPolicy(Qt::StrongFocus);
  QFont font = label->font();
  font.setUnderline(true);
  label->setFont(font);
  label->setProperty("opensHomePage", true);
  label->setAccessibleName(text);
  label->setAccessibleDescription("Opens the web site in the browser");
  label->installEventFilter(this);
  return label;
}

QWidget* ResultForm::buildLagnaList() {
  auto* frame = new QGroupBox(this);
  frame->setObjectName("Frame2");
  frame->setFixedWidth(Twips(2355));
  frame->setMinimumHeight(Twips(7455));
  auto* layout = new QVBoxLayout(frame);
  layout->setContentsMargins(Twips(120) - 4, Twips(240) - 3, 1, Twips(105));
  layout->setSpacing(0);
  for (std::size_t row = 0; row < kLagnaListOrder.size(); ++row) {
    const int index = kLagnaListOrder[row];
    const std::string_view caption = kLagnaPageTexts[index].listCaption;
    QLabel* label = MakeLabel(QString("Label8_%1").arg(index),
                              QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())), frame);
    label->setProperty("index", index);
    const std::string_view lagnaName = kLagnaPageTexts[index].lagnaName;
    label->setAccessibleName(QString::fromUtf8(lagnaName.data(), static_cast<qsizetype>(lagnaName.size())));
    label->setAccessibleDescription("Opens the page of the " + label->accessibleName() +
                                    "; the arrow keys move along the list");
    label->setCursor(Qt::PointingHandCursor);
    label->setFont(InterfaceFont(kPointSize, true));
    label->setStyleSheet(kFocusableLinkStyle);
    label->setFixedHeight(Twips(270) + 2);
    // Only the current entry is a Tab stop; a click still focuses any entry.
    label->setFocusPolicy(row == 0 ? Qt::StrongFocus : Qt::ClickFocus);
    label->installEventFilter(this);
    if (row > 0) {
      layout->addStretch(1);
      setTabOrder(entries_[row - 1], label);
    }
    layout->addWidget(label);
    entries_[row] = label;
  }
  currentEntry_ = entries_.front();
  return frame;
}

QWidget* ResultForm::buildChartFrame() {
  chartFrame_ = new QGroupBox("Vedic Special Lagnas Chart", this);
  chartFrame_->setObjectName("frmSpecialLagnaChart");

  // Shown from the start: the chart is the point of this window.
  birthChart_ = new QGroupBox("Hora", chartFrame_);
  birthChart_->setObjectName("fraBirthchart");
  QLabel* siteLink = makeLinkLabel("Label7", "Visit our web site for more about your lagnas", birthChart_);
  auto* square = new ChartSquare(siteLink, signBoxes_, birthChart_);
  auto* chartLayout = new QVBoxLayout(birthChart_);
  // The chart sits a little lower than the frame's caption so that the caption stands clear.
  chartLayout->setContentsMargins(Twips(100), Twips(60), Twips(100), Twips(60));
  // The varga chooser: D1 (the rasi chart) first; arrows step through the list.
  auto* chooserRow = new QHBoxLayout;
  auto* chooserLabel = new QLabel(QStringLiteral("&Varga:"), birthChart_);
  chooserLabel->setObjectName("lblVarga");
  vargaChooser_ = new QComboBox(birthChart_);
  vargaChooser_->setObjectName("cboVarga");
  for (int v = 0; v < kVargaCount; ++v) vargaChooser_->addItem(QString::fromStdString(VargaCaption(v)));
  vargaChooser_->setAccessibleName(QStringLiteral("Varga"));
  vargaChooser_->setAccessibleDescription(
      QStringLiteral("The divisional chart the square chart shows; [ and ] step through the sixteen"));
  chooserLabel->setBuddy(vargaChooser_);
  chooserRow->addWidget(chooserLabel);
  chooserRow->addWidget(vargaChooser_);
  chooserRow->addStretch(1);
  chartLayout->addLayout(chooserRow);
  chartLayout->addWidget(square);
  connect(vargaChooser_, &QComboBox::currentIndexChanged, this, [this] { fillSignBoxes(); });
  for (const auto& [key, step] : {std::pair{Qt::Key_BracketRight, 1}, std::pair{Qt::Key_BracketLeft, -1}}) {
    auto* shortcut = new QShortcut(QKeySequence(key), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this,
            [this, step = step] { showVarga((shownVarga() + step + kVargaCount) % kVargaCount); });
  }

  auto* details = buildDetails();
  auto* positions = buildPositions();
  auto* side = new QVBoxLayout;
  side->setSpacing(0);
  side->addWidget(details);
  side->addWidget(positions, 1);

  auto* layout = new QHBoxLayout(chartFrame_);
  layout->setContentsMargins(Twips(60), Twips(0), Twips(105), Twips(90));
  layout->setSpacing(Twips(105));
  layout->addWidget(birthChart_, 1);
  layout->addLayout(side);

  birthChart_->raise();
  details->raise();
  return chartFrame_;
}

// A frame of the side column with its two columns of captions and values.
QGridLayout* ResultForm::sideFrame(const char* title, const char* name, QWidget*& frame) {
  auto* box = new QGroupBox(title, chartFrame_);
  box->setObjectName(name);
  box->setFixedWidth(Twips(kSideColumnWidth));
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(Twips(120), Twips(60), Twips(60), Twips(60));
  grid->setHorizontalSpacing(Twips(15));
  frame = box;
  return grid;
}

QWidget* ResultForm::buildDetails() {
  QWidget* frame = nullptr;
  QGridLayout* grid = sideFrame("Your Details", "fraDetails", frame);
  frame->setFixedHeight(Twips(3075));
  grid->setVerticalSpacing(0);
  name_ = MakeLabel("lblName", QString(), frame);
  name_->setFont(InterfaceFont(kPointSize, true));
  name_->setFixedWidth(Twips(3285));
  grid->addWidget(name_, 0, 0, 1, 2);
  for (int row = 0; row < static_cast<int>(kDetailNames.size()); ++row) {
    QLabel* caption = MakeLabel(QString("lblDetailCaption_%1").arg(row), kDetailCaptions[row], frame);
    caption->setFixedWidth(Twips(1305));
    details_[row] = MakeLabel(kDetailNames[row], QString(), frame);
    details_[row]->setFixedWidth(Twips(1890));
    grid->addWidget(caption, row + 1, 0, row + 1 == static_cast<int>(kDetailNames.size()) ? Qt::AlignTop : Qt::Alignment());
    grid->addWidget(details_[row], row + 1, 1);
  }
  // The clock (zone, abbreviation, offset and the reading of a doubled hour) takes two lines.
  details_.back()->setWordWrap(true);
  details_.back()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Under the clock, across both columns: how the chart was computed, so that two windows
  // with different numbers for the same birth say why.
  calculatedWith_ = MakeLabel("lblCalculatedWith", QString(), frame);
  calculatedWith_->setFixedWidth(Twips(3285));
  calculatedWith_->setWordWrap(true);
  calculatedWith_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  grid->addWidget(calculatedWith_, static_cast<int>(kDetailNames.size()) + 1, 0, 1, 2);
  return frame;
}

QWidget* ResultForm::buildPositions() {
  QWidget* frame = nullptr;
  QGridLayout* grid = sideFrame("Vedic Planetary Position", "fraWestern", frame);
  frame->setMinimumHeight(Twips(4335));
  for (int row = 0; row < kBodyCount; ++row) {
    QLabel* name = MakeLabel(QString("PlanetName_%1").arg(kPositionRows[row].nameIndex),
                             kPositionRows[row].caption, frame);
    name->setProperty("index", kPositionRows[row].nameIndex);
    name->setFixedWidth(Twips(1785));
    positions_[row] = MakeLabel(QString("planet_%1").arg(row), QString(), frame);
    positions_[row]->setProperty("index", row);
    positions_[row]->setFixedWidth(Twips(1455));
    grid->addWidget(name, row, 0);
    grid->addWidget(positions_[row], row, 1);
  }
  return frame;
}

void ResultForm::showChart(const Chart& chart) {
  const ChartTexts texts = TextsOf(chart);
  name_->setText(Text(texts.name));
  FitLineToWidth(name_, kPointSize);
  const std::string clock = ClockText(chart);
  const std::array<const std::string*, 8> detailTexts = {
      &texts.date, &texts.time, &texts.longitude, &texts.latitude, &texts.city, &texts.state, &texts.country, &clock};
  for (std::size_t row = 0; row < detailTexts.size(); ++row) {
    details_[row]->setText(Text(*detailTexts[row]));
    details_[row]->setToolTip(Text(*detailTexts[row]));
    // The clock of a doubled hour ("Europe/Berlin, CET, UTC+1:00 (later of the doubled
    // hour)") takes three lines rather than shrinking below a readable size.
    if (details_[row]->wordWrap())
      FitLinesToWidth(details_[row], kPointSize, 3);
    else
      FitLineToWidth(details_[row], kPointSize);
  }
  calculatedWith_->setText(Text(CalculatedWithText(chart.settings)));
  FitLinesToWidth(calculatedWith_, kPointSize, 2);
  for (std::size_t body = 0; body < kBodyCount; ++body) {
    positions_[body]->setText(Text(texts.positions[body]));
    FitLineToWidth(positions_[body], kPointSize);
  }
  // Every varga's boxes are made once per chart; the chooser only picks among them.
  const VargaCharts vargas = VargasOf(chart);
  vargaTexts_.clear();
  for (int v = 0; v < kVargaCount; ++v) vargaTexts_.push_back(VargaTextsOf(chart, vargas, v));
  fillSignBoxes();

  pageFields_ = PageFieldsOf(chart);
  personName_ = texts.name;
  for (LagnaFormKind kind : {LagnaFormKind::kOne, LagnaFormKind::kTwo}) {
    if (InterpretationForm* form = ExistingLagnaForm(kind)) {
      form->fill(pageFields_);
      form->setPersonName(Text(personName_));
    }
  }

  chartFrame_->raise();
}

int ResultForm::shownVarga() const { return vargaChooser_->currentIndex(); }

void ResultForm::showVarga(int varga) {
  if (varga >= 0 && varga < kVargaCount) vargaChooser_->setCurrentIndex(varga);
}

void ResultForm::fillSignBoxes() {
  const int varga = shownVarga();
  if (varga < 0 || static_cast<std::size_t>(varga) >= vargaTexts_.size()) return;
  const ChartTexts& texts = vargaTexts_[static_cast<std::size_t>(varga)];
  for (std::size_t sign = 0; sign < 12; ++sign)
    signBoxes_[sign]->setTexts(ListLines(texts.chartBoxes[sign]), ListLines(texts.lagnaBoxes[sign]));
  // The rasi chart keeps the frame's old caption; a varga names itself.
  birthChart_->setTitle(varga == 0 ? QStringLiteral("Hora") : QString::fromStdString(VargaCaption(varga)));
  birthChart_->setAccessibleName(QString::fromStdString(VargaCaption(varga)) + QStringLiteral(" chart"));
}

void ResultForm::setChartProvider(ChartProvider provider) { provider_ = std::move(provider); }

void ResultForm::setLagnaPageOpener(LagnaPageOpener opener) { opener_ = std::move(opener); }

void ResultForm::focusLagnaList() { currentEntry_->setFocus(Qt::TabFocusReason); }

void ResultForm::openLagnaPage(int index) {
  if (index < 0 || index >= kLagnaCount) return;
  std::string_view person = personName_;
  if (provider_) {
    if (const Chart* chart = provider_()) {
      pageFields_ = PageFieldsOf(*chart);
      person = chart->birth.name;
    }
  }
  InterpretationForm* form = LagnaForm(FormKindForLagna(index));
  form->fill(pageFields_);
  form->setPersonName(QString::fromUtf8(person.data(), static_cast<qsizetype>(person.size())));
  form->showPage(index);
  form->keepAbove(window());
  // A window that came back to the place the user gave it stays there.
  const bool place = !form->hasKeptGeometry();
  if (place) placeLagnaForm(form);
  form->show();
  if (place) placeLagnaForm(form);  // again, now that the window frame's size is known
  form->growToShowTexts();
  form->raise();
  form->activateWindow();
}

void ResultForm::placeLagnaForm(InterpretationForm* form) const {
  // Kept wholly on the screen that shows this form.
  auto onScreen = [&](QPoint wanted) {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return wanted;
    const QRect available = screen->availableGeometry();
    const QSize outer = form->frameGeometry().size().expandedTo(form->size());
    const int maxLeft = std::max(available.left(), available.right() + 1 - outer.width());
    const int maxTop = std::max(available.top(), available.bottom() + 1 - outer.height());
    return QPoint(std::clamp(wanted.x(), available.left(), maxLeft), std::clamp(wanted.y(), available.top(), maxTop));
  };
  // Just inside the chart frame, a little right and below its corner, which puts the window
  // under the frame window's toolbar. Where the other interpretation window already stands
  // there, this one goes a step down and to the right, so both title bars show.
  constexpr int kCascadeStep = 30;
  const QPoint corner = chartFrame_->mapToGlobal(QPoint(0, 0));
  QPoint wanted = onScreen(QPoint(corner.x() + TwipsToPixels(350), corner.y() + TwipsToPixels(100)));
  for (LagnaFormKind kind : {LagnaFormKind::kOne, LagnaFormKind::kTwo}) {
    const InterpretationForm* other = ExistingLagnaForm(kind);
    if (other == nullptr || other == form || !other->isVisible()) continue;
    if ((other->pos() - wanted).manhattanLength() < kCascadeStep)
      wanted = onScreen(other->pos() + QPoint(kCascadeStep, kCascadeStep));
  }
  form->move(wanted);
}

void ResultForm::activate(QLabel* label) {
  if (label->property("opensHomePage").toBool()) {
    OpenWebPage(HomePageUrl(), this);
    return;
  }
  const int index = label->property("index").toInt();
  emit lagnaClicked(index);
  if (opener_)
    opener_(index);
  else
    openLagnaPage(index);
}

void ResultForm::makeCurrentEntry(QLabel* entry) {
  if (entry == currentEntry_) return;
  currentEntry_->setFocusPolicy(Qt::ClickFocus);
  entry->setFocusPolicy(Qt::StrongFocus);
  currentEntry_ = entry;
}

bool ResultForm::moveAlongList(QLabel* from, int key) {
  const auto at = std::find(entries_.begin(), entries_.end(), from);
  if (at == entries_.end()) return false;
  const int row = static_cast<int>(at - entries_.begin());
  const int last = static_cast<int>(entries_.size()) - 1;
  int target = row;
  switch (key) {
    case Qt::Key_Up: case Qt::Key_Left: target = std::max(row - 1, 0); break;
    case Qt::Key_Down: case Qt::Key_Right: target = std::min(row + 1, last); break;
    case Qt::Key_Home: case Qt::Key_PageUp: target = 0; break;
    case Qt::Key_End: case Qt::Key_PageDown: target = last; break;
    default: return false;
  }
  entries_[target]->setFocus(Qt::TabFocusReason);
  return true;
}

bool ResultForm::eventFilter(QObject* watched, QEvent* event) {
  auto* label = qobject_cast<QLabel*>(watched);
  if (label == nullptr) return QWidget::eventFilter(watched, event);
  const bool isLink = label->property("opensHomePage").toBool() || label->property("index").isValid();
  switch (event->type()) {
    case QEvent::MouseButtonRelease: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (isLink && mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint())) {
        activate(label);
        return true;
      }
      break;
    }
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) break;
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Space) {
        activate(label);
        return true;
      }
      if (moveAlongList(label, key->key())) return true;
      break;
    }
    case QEvent::FocusIn:
      if (std::find(entries_.begin(), entries_.end(), label) != entries_.end()) makeCurrentEntry(label);
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace corvane
