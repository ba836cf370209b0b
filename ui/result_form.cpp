#include "ui/result_form.h"

#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStringList>
#include <algorithm>

#include "ui/interpretation_form.h"
#include "ui/twips.h"
#include "ui/web_links.h"

namespace corvane {

namespace {

constexpr char kFontFamily[] = "Verdana";
constexpr char kNumberFontFamily[] = "Courier New";
constexpr int kPointSize = 8;

// The lagna list from top to bottom: the label's index selects the page.
struct LagnaEntry {
  int top;
  int index;
  const char* caption;
};
constexpr std::array<LagnaEntry, kLagnaCount> kLagnaEntries = {{
    {240, 0, "AL-Arudha Lagna"},   {819, 1, "BL-Bhava Lagna"},     {1398, 2, "HL-Hora Lagna"},
    {1977, 3, "GL-Ghati Lagna"},   {2556, 4, "SrL-Sree Lagna"},    {3135, 5, "IL-Indu Lagna"},
    {3699, 6, "PL-Paka Lagna"},    {4278, 11, "SL-Surya Lagna"},   {4857, 9, "VL-Varnada Lagna"},
    {5436, 10, "CL-Chandra Lagna"}, {6015, 8, "PpL-Pranapada Lagna"}, {6600, 7, "UL-Upapada Lagna"},
    {7080, 12, "Ascendant "},
}};

// Names of the body list labels by sign index (the Sagittarius name is spelt as it always was).
constexpr std::array<const char*, 12> kBodyListNames = {
    "lblAries", "lblTaurus",      "lblGemini",    "lblCancer",   "lblLeo",      "lblVirgo",
    "lblLibra", "lblScorpio", "lblSagattarius", "lblCapricorn", "lblAquarius", "lblPisces"};

// Grid row and column of each sign: fixed places, clockwise from the top row's second box.
struct GridPlace {
  int row, column;
};
constexpr std::array<GridPlace, 12> kSignPlaces = {{
    {0, 1}, {0, 2}, {0, 3}, {1, 3}, {2, 3}, {3, 3}, {3, 2}, {3, 1}, {3, 0}, {2, 0}, {1, 0}, {0, 0},
}};
constexpr std::array<int, 4> kColumnLefts = {120, 2085, 4050, 6015};
constexpr std::array<int, 4> kRowTops = {135, 1815, 3495, 5175};
constexpr int kBoxWidth = 1965;
constexpr int kBoxHeight = 1680;
constexpr int kChartDrop = 180;  // twips the chart sits below its designed place

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

constexpr std::array<const char*, 7> kDetailCaptions = {
    "Date of Birth :", "Time of Birth :", "Longitude :", "Latitude   :",
    "City :",          "State :",         "Country :"};
constexpr std::array<const char*, 7> kDetailNames = {"lblDOB",  "lblTOB",   "lblLongitude", "lblLatitude",
                                                     "lblCity", "lblState", "lblCountry"};

QFont Font(const char* family, double pointSize, bool bold = false) {
  QFont font(family);
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  return font;
}

QLabel* MakeLabel(const QString& name, const QString& text, QWidget* parent, const QRect& geometry) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);  // names and places are shown literally, never as markup
  label->setText(text);
  label->setGeometry(geometry);
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

// Single-line values keep their exact text and shrink to fit their width; a value too long
// even at 6 points also shows in full as the label's tool tip.
void FitLineToWidth(QLabel* label, double largest) {
  QFont font = label->font();
  const int width = label->width();
  for (double size = largest; size >= 6.0; size -= 0.5) {
    font.setPointSizeF(size);
    if (QFontMetrics(font).horizontalAdvance(label->text()) <= width) break;
  }
  label->setFont(font);
  label->setToolTip(QFontMetrics(font).horizontalAdvance(label->text()) > width ? label->text()
                                                                                 : QString());
}

QScrollArea* WrapInScrollArea(QLabel* label, QWidget* parent, const QRect& geometry) {
  auto* area = new QScrollArea(parent);
  area->setObjectName(QString("scr") + label->objectName());
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  area->setGeometry(geometry);
  area->setStyleSheet("QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }");
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  area->setWidget(label);
  return area;
}

QFrame* MakeRectangle(const QString& name, QWidget* parent, const QRect& geometry) {
  auto* shape = new QFrame(parent);
  shape->setObjectName(name);
  shape->setFrameShape(QFrame::Box);
  shape->setLineWidth(1);
  shape->setGeometry(geometry);
  return shape;
}

}  // namespace

ResultForm::ResultForm(QWidget* parent) : QWidget(parent) {
  setObjectName("frmDisplay");
  setWindowTitle("Corvane v1.25");
  setFont(Font(kFontFamily, kPointSize));
  setFixedSize(TwipsToPixels(14595), TwipsToPixels(8610));

  showChartButton_ = new QPushButton("Show Chart", this);
  showChartButton_->setObjectName("cmdShowChart");
  showChartButton_->setGeometry(TwipsRect(5520, 120, 2355, 375));

  buildLagnaList();
  buildChartFrame();

  makeLinkLabel("Label5", "Discuss your chart with other readers in our online forum",
                this)->setGeometry(TwipsRect(8280, 360, 6165, 300));

  connect(showChartButton_, &QPushButton::clicked, this, [this] { chartFrame_->raise(); });
}

QLabel* ResultForm::makeLinkLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setText(text);
  label->setCursor(Qt::PointingHandCursor);
  label->setStyleSheet("color: #000080;");
  QFont font = label->font();
  font.setUnderline(true);
  label->setFont(font);
  label->setProperty("opensHomePage", true);
  label->installEventFilter(this);
  return label;
}

void ResultForm::buildLagnaList() {
  auto* frame = new QGroupBox(this);
  frame->setObjectName("Frame2");
  frame->setGeometry(TwipsRect(60, 720, 2355, 7455));
  for (const LagnaEntry& entry : kLagnaEntries) {
    QLabel* label = MakeLabel(QString("Label8_%1").arg(entry.index), entry.caption, frame,
                              TwipsRect(120, entry.top, 2115, 270));
    label->setProperty("index", entry.index);
    label->setCursor(Qt::PointingHandCursor);
    label->setFont(Font(kFontFamily, kPointSize, true));
    label->setStyleSheet("color: #000080;");
    label->installEventFilter(this);
  }
}

void ResultForm::buildChartFrame() {
  chartFrame_ = new QGroupBox("Vedic Special Lagnas Chart", this);
  chartFrame_->setObjectName("frmSpecialLagnaChart");
  chartFrame_->setGeometry(TwipsRect(2520, 720, 11940, 7455));

  // Shown from the start: the chart is the point of this window.
  birthChart_ = new QGroupBox("Hora", chartFrame_);
  birthChart_->setObjectName("fraBirthchart");
  // The frame starts a little higher and the chart a little lower than the design so that
  // the frame's caption stands clear of the chart's top line.
  birthChart_->setGeometry(TwipsRect(120, 240, 8115, 7125));
  MakeRectangle("Shape2", birthChart_, TwipsRect(100, 120 + kChartDrop, 7890, 6750));
  for (int sign = 0; sign < 12; ++sign) buildSignBox(birthChart_, sign);
  QFrame* centre = MakeRectangle("Shape1", birthChart_,
                                 TwipsRect(2085, 1815 + kChartDrop, 3930 + 15, 3360 + 15));
  centre->lower();
  QLabel* siteLink = makeLinkLabel("Label7", "Visit our web site for more about your lagnas", birthChart_);
  siteLink->setGeometry(TwipsRect(2280, 3240 + kChartDrop, 3555, 600));
  siteLink->setWordWrap(true);
  siteLink->setAlignment(Qt::AlignCenter);

  auto* details = new QGroupBox("Your Details", chartFrame_);
  details->setObjectName("fraDetails");
  details->setGeometry(TwipsRect(8340, 240, 3490, 2775));
  buildDetails(details);

  auto* positions = new QGroupBox("Vedic Planetary Position", chartFrame_);
  positions->setObjectName("fraWestern");
  positions->setGeometry(TwipsRect(8340, 3000, 3495, 4335));
  buildPositions(positions);

  birthChart_->raise();
  details->raise();
}

void ResultForm::buildSignBox(QWidget* chart, int sign) {
  const GridPlace place = kSignPlaces[sign];
  // One twip-pixel wider and taller than the step so that neighbours share their edge line.
  QRect boxRect = TwipsRect(kColumnLefts[place.column], kRowTops[place.row] + kChartDrop, kBoxWidth,
                            kBoxHeight);
  boxRect.setSize(boxRect.size() + QSize(1, 1));
  QFrame* box = MakeRectangle(QString("shpHora_%1").arg(sign), chart, boxRect);
  box->setProperty("index", sign);
  const int width = boxRect.width();
  const int height = boxRect.height();

  // Sign number in the top right corner; the lagna marks start below it.
  QLabel* number = MakeLabel(QString("Hno_%1").arg(sign), QString::number(sign + 1), box,
                             QRect(width - 22, 2, 19, 14));
  number->setProperty("index", sign);
  number->setFont(Font(kNumberFontFamily, kPointSize));
  number->setAlignment(Qt::AlignRight | Qt::AlignTop);

  QLabel* bodies = MakeLabel(kBodyListNames[sign], QString(), box, QRect());
  WrapInScrollArea(bodies, box, QRect(TwipsToPixels(120), TwipsToPixels(105), TwipsToPixels(1305),
                                      height - TwipsToPixels(105) - 3));
  bodyLists_[sign] = bodies;

  QLabel* marks = MakeLabel(QString("lblArudha_%1").arg(sign), QString(), box, QRect());
  marks->setProperty("index", sign);
  const int marksLeft = TwipsToPixels(1440);
  WrapInScrollArea(marks, box, QRect(marksLeft, 18, width - marksLeft - 2, height - 18 - 3));
  marks->setFont(Font(kFontFamily, kPointSize, true));
  lagnaLists_[sign] = marks;
}

void ResultForm::buildDetails(QGroupBox* frame) {
  name_ = MakeLabel("lblName", QString(), frame, TwipsRect(120, 240, 3285, 285));
  name_->setFont(Font(kFontFamily, kPointSize, true));
  for (int row = 0; row < 7; ++row) {
    const int top = 600 + 300 * row;
    MakeLabel(QString("lblDetailCaption_%1").arg(row), kDetailCaptions[row], frame,
              TwipsRect(120, top, 1305, 285));
    details_[row] = MakeLabel(kDetailNames[row], QString(), frame, TwipsRect(1440, top, 1980, 285));
  }
}

void ResultForm::buildPositions(QGroupBox* frame) {
  for (int row = 0; row < kBodyCount; ++row) {
    const int top = 360 + 390 * row;
    QLabel* name = MakeLabel(QString("PlanetName_%1").arg(kPositionRows[row].nameIndex),
                             kPositionRows[row].caption, frame, TwipsRect(120, top, 1785, 285));
    name->setProperty("index", kPositionRows[row].nameIndex);
    positions_[row] = MakeLabel(QString("planet_%1").arg(row), QString(), frame,
                                TwipsRect(1920, top, 1455, 285));
    positions_[row]->setProperty("index", row);
  }
}

void ResultForm::showChart(const ChartState& chart) {
  const ResultTexts& texts = chart.Results;
  name_->setText(Text(texts.NameText));
  FitLineToWidth(name_, kPointSize);
  const std::array<const std::string*, 7> detailTexts = {
      &texts.DateText, &texts.TimeText, &texts.LongitudeText, &texts.LatitudeText,
      &texts.CityText, &texts.StateText, &texts.CountryText};
  for (int row = 0; row < 7; ++row) {
    details_[row]->setText(Text(*detailTexts[row]));
    FitLineToWidth(details_[row], kPointSize);
  }
  for (int body = 0; body < kBodyCount; ++body) {
    positions_[body]->setText(Text(texts.PositionTexts[body]));
    FitLineToWidth(positions_[body], kPointSize);
  }
  for (int sign = 0; sign < 12; ++sign) {
    QLabel* bodies = bodyLists_[sign];
    bodies->setText(ListLines(texts.ChartBoxTexts[sign]));
    FitTextToArea(bodies, bodies->parentWidget()->size(), kPointSize);
    QLabel* marks = lagnaLists_[sign];
    const QString markLines = ListLines(texts.LagnaBoxTexts[sign]);
    marks->setText(markLines);
    if (!FitTextToArea(marks, marks->parentWidget()->size(), kPointSize, 6.5)) {
      marks->setText(PairedLines(markLines));
      FitTextToArea(marks, marks->parentWidget()->size(), kPointSize);
    }
  }

  pageFields_ = chart.PageFields;
  for (LagnaFormKind kind : {LagnaFormKind::kOne, LagnaFormKind::kTwo})
    if (InterpretationForm* form = ExistingLagnaForm(kind)) form->fill(pageFields_);

  chartFrame_->raise();
}

void ResultForm::setChartProvider(ChartProvider provider) { provider_ = std::move(provider); }

void ResultForm::setLagnaPageOpener(LagnaPageOpener opener) { opener_ = std::move(opener); }

void ResultForm::openLagnaPage(int index) {
  if (index < 0 || index >= kLagnaCount) return;
  const LagnaPageFields* fields = &pageFields_;
  if (provider_) {
    const ChartState* chart = provider_();
    if (chart != nullptr) fields = &chart->PageFields;
  }
  InterpretationForm* form = LagnaForm(FormKindForLagna(index));
  form->fill(*fields);
  form->showPage(index);
  placeLagnaForm(form);
  form->show();
  placeLagnaForm(form);  // again, now that the window frame's size is known
  form->raise();
  form->activateWindow();
}

void ResultForm::placeLagnaForm(QWidget* form) const {
  // Just inside the chart frame, a little right and below its corner, which puts the window
  // under the frame window's toolbar; kept wholly on the screen that shows this form.
  const QPoint corner = chartFrame_->mapToGlobal(QPoint(0, 0));
  QPoint wanted(corner.x() + TwipsToPixels(350), corner.y() + TwipsToPixels(100));

  QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    const QRect available = screen->availableGeometry();
    QSize outer = form->frameGeometry().size().expandedTo(form->size());
    const int maxLeft = std::max(available.left(), available.right() + 1 - outer.width());
    const int maxTop = std::max(available.top(), available.bottom() + 1 - outer.height());
    wanted.setX(std::clamp(wanted.x(), available.left(), maxLeft));
    wanted.setY(std::clamp(wanted.y(), available.top(), maxTop));
  }
  form->move(wanted);
}

bool ResultForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* label = qobject_cast<QLabel*>(watched);
    if (label != nullptr && mouse->button() == Qt::LeftButton &&
        label->rect().contains(mouse->position().toPoint())) {
      if (label->property("opensHomePage").toBool()) {
        OpenWebPage(HomePageUrl(), this);
        return true;
      }
      const QVariant index = label->property("index");
      if (index.isValid()) {
        emit lagnaClicked(index.toInt());
        if (opener_)
          opener_(index.toInt());
        else
          openLagnaPage(index.toInt());
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace corvane
