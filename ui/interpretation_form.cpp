#include "ui/interpretation_form.h"

#include "ui/page_controls.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include "ui/clipboard_guard.h"
#include "ui/twips.h"

namespace corvane {

namespace {

constexpr int kPageCount = 13;
constexpr int kPranapadaPage = 8;
constexpr int kArudhaPage = 0;
constexpr int kHoraPage = 2;
constexpr int kUpapadaPage = 7;
constexpr char kFontFamily[] = "Verdana";
constexpr int kPointSize = 8;
constexpr char kPranapadaDesignHeading[] = "Pranapada Lagna Present House Significance";

struct PageText {
  const char* caption;         // title of the page frame
  const char* suffix;          // ends every control name of the page
  const char* lagnaName;       // names the lagna in the sign caption
  const char* significanceHeading;
  const char* significance;
};

const std::array<PageText, kPageCount> kPages = {{
    {"More About Arudha Lagna", "AL", "Arudha Lagna", nullptr, nullptr},
    {"More About Bhava Lagna", "BL", "Bhava Lagna", nullptr, nullptr},
    {"More About Hora Lagna", "HL", "Hora Lagna", "Significance",
     "Hora Lagna signifies the importance of self in terms of money, wealth and prosperity."},
    {"More About Ghati Lagna", "GL", "Ghati Lagna", "Significance of Ghati Lagna",
     "Ghati Lagna signifies the importance of self in terms of fame, power, authority and status"},
    {"More About Sree Lagna", "SrL", "Sree Lagna", "Significance",
     "Sree Lagna is responsible for prosperity and marital relationships."},
    {"More About Indu Lagna", "IL", "Indu Lagna", "Significance of Indu Lagna",
     "Indu Lagna signifies the amount of money and wealth you will acquire in your lifetime"},
    {"More About Paka Lagna", "PL", "Paka Lagna", "Significance of Paka Lagna",
     "Placement of Paka Lagna in different houses implies application of intelligence in that "
     "particular field"},
    {"More About Upapada Lagna", "UL", "Upapada Lagna", nullptr, nullptr},
    {"More About Pranapada Lagna", "", "Pranapada Lagna", "Significance",
     "Pranapada Lagna signifies the energy that you have in life."},
    {"More About Varnada Lagna", "VL", "Varnada Lagna", "Significance",
     "Varnada Lagna is responsible for your behaviour in social company"},
    {"More About Chandra Lagna", "CL", "Chandra Lagna", nullptr, nullptr},
    {"More About Surya Lagna", "SL", "Surya Lagna", nullptr, nullptr},
    {"More About Ascendant", "Ascendant", "Ascendant", nullptr, nullptr},
}};

// One attribute cell of the grid: caption and the attribute part of the value label's name.
struct Cell {
  const char* caption;  // nullptr: the sign caption of the page's own lagna
  const char* attribute;
};

// Rows of the grid, left to right; an empty attribute leaves the cell blank.
const std::array<std::array<Cell, 3>, 8> kGrid = {{
    {{{"Vedic Name", "VedicName"}, {"", ""}, {nullptr, "ArudhaLagnaPresentInSign"}}},
    {{{"Ruling Planet", "RullingPlanet"}, {"Compatible With", "CompatibleWith"},
      {"Not Compatible With", "NotCompatibleWith"}}},
    {{{"Symbol", "Symbol"}, {"Nature", "Nature"}, {"Color", "Color"}}},
    {{{"Type Of Sign", "TypeOfSign"}, {"Gender", "Gender"},
      {"Best Period Of Activity", "BestPeriodOfActivity"}}},
    {{{"Barren", "Barren"}, {"Caste", "Caste"}, {"Position", "Position"}}},
    {{{"Constituent Character", "ConstituentCharacter"}, {"Lucky Days", "LuckyDays"},
      {"Lucky Numbers", "LuckyNumbers"}}},
    {{{"Best Direction", "BestDirection"}, {"Lucky Colors", "LuckyColors"},
      {"Lucky Gemstone", "LuckyGemstone"}}},
    {{{"Part Of The Body", "PartOfTheBody"}, {"Physique", "Physique"},
      {"English Name", "EnglishName"}}},
}};

// Column lefts of the grid and the widths up to the next column, in twips.
constexpr std::array<int, 3> kColumnWidths = {3960, 3400, 2820};
constexpr int kGridIndent = 1440;

struct Topic {
  const char* caption;
  const char* name;
};
const std::array<Topic, 5> kTopics = {{{"Looks", "Looks"},
                                       {"Nature", "Nature"},
                                       {"Career And Finance", "CareerAndFinance"},
                                       {"Love And Domestic Life", "LoveAndDomesticLife"},
                                       {"Health", "Health"}}};

QFont BaseFont(int pointSize = kPointSize, bool bold = false) {
  QFont font(kFontFamily);
  font.setPointSize(pointSize);
  font.setBold(bold);
  return font;
}

// A label that shows its text literally: data such as "Heart & Stomach" must not be read
// as markup or mnemonics.
QLabel* MakeLabel(const QString& text, QWidget* parent, bool bold = false, bool wrap = true) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setText(text);
  label->setWordWrap(wrap);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setFont(BaseFont(kPointSize, bold));
  return label;
}

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A frameless scroll area: content that outgrows its place scrolls instead of being clipped.
QScrollArea* MakeScrollArea(QWidget* content, QWidget* parent) {
  auto* area = new QScrollArea(parent);
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area->setWidget(content);
  area->viewport()->setAutoFillBackground(false);
  content->setAutoFillBackground(false);
  return area;
}

// Keeps a scroll area no taller than its content needs at the area's current width, so the
// height the content leaves unused goes to the widgets below it. Should the content need
// more than the page can give, the area is squeezed and scrolls.
class ContentHeightCap : public QObject {
 public:
  explicit ContentHeightCap(QScrollArea* area) : QObject(area), area_(area) { area->installEventFilter(this); }

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show) apply();
    return false;
  }

 private:
  void apply() {
    QWidget* content = area_->widget();
    if (content == nullptr) return;
    int needed = content->heightForWidth(area_->viewport()->width());
    if (needed < 0) needed = content->sizeHint().height();
    needed += 2 * area_->frameWidth();
    if (needed != area_->maximumHeight()) area_->setMaximumHeight(needed);
  }

  QScrollArea* area_;
};

QPointer<InterpretationForm>& Slot(LagnaFormKind kind) {
  static std::array<QPointer<InterpretationForm>, 2> forms;
  return forms[kind == LagnaFormKind::kOne ? 0 : 1];
}

}  // namespace

LagnaFormKind FormKindForLagna(int lagnaIndex) {
  return lagnaIndex <= 5 ? LagnaFormKind::kOne : LagnaFormKind::kTwo;
}

InterpretationForm::InterpretationForm(LagnaFormKind kind, QWidget* parent)
    : QWidget(parent, Qt::Window), kind_(kind) {
  setObjectName(kind == LagnaFormKind::kOne ? "frmLagnaOne" : "frmLagnaTwo");
  setWindowTitle("Corvane v1.25");
  setFont(BaseFont());
  setFixedSize(TwipsToPixels(11940), TwipsToPixels(8145));

  stack_ = new QStackedWidget(this);
  stack_->setObjectName("frmLagnaDetails");
  stack_->setGeometry(TwipsRect(0, 480, 11940, 7455));
  for (int index = 0; index < kPageCount; ++index) {
    if (!hasPage(index)) continue;
    pages_[index] = buildPage(index);
    stack_->addWidget(pages_[index]);
  }
}

bool InterpretationForm::hasPage(int lagnaIndex) const {
  return lagnaIndex >= 0 && lagnaIndex < kPageCount && FormKindForLagna(lagnaIndex) == kind_;
}

QWidget* InterpretationForm::page(int lagnaIndex) const {
  return hasPage(lagnaIndex) ? pages_[lagnaIndex] : nullptr;
}

int InterpretationForm::currentPage() const {
  QWidget* current = stack_->currentWidget();
  return current ? current->property("index").toInt() : -1;
}

void InterpretationForm::showPage(int lagnaIndex) {
  if (QWidget* target = page(lagnaIndex)) stack_->setCurrentWidget(target);
}

QWidget* InterpretationForm::buildPage(int lagnaIndex) {
  const PageText& text = kPages[lagnaIndex];
  auto* page = new QGroupBox(text.caption);
  page->setObjectName(QString("frmLagnaDetails_%1").arg(lagnaIndex));
  page->setProperty("index", lagnaIndex);
  page->setFont(BaseFont(kPointSize, true));

  if (lagnaIndex == kPranapadaPage) {
    buildPranapadaBody(page);
    return page;
  }
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(TwipsToPixels(60), TwipsToPixels(60), TwipsToPixels(60), TwipsToPixels(60));
  if (lagnaIndex == kArudhaPage) {
    auto* tabs = new QTabWidget(page);
    tabs->setObjectName("SSTab1");
    tabs->setFont(BaseFont());
    auto* characteristics = buildArudhaCharacteristics(tabs);
    auto* details = buildStandardBody(lagnaIndex, tabs);
    tabs->addTab(characteristics, "Arudha Lagna Planetary Characteristics");
    tabs->addTab(details, "Arudha Lagna Details");
    tabs->setCurrentWidget(details);
    layout->addWidget(tabs);
  } else {
    layout->addWidget(buildStandardBody(lagnaIndex, page));
  }
  return page;
}

QLabel* InterpretationForm::addValueLabel(const QString& name, QWidget* parent) {
  QLabel* label = MakeLabel(QString(), parent);
  label->setObjectName(name);
  label->setTextInteractionFlags(Qt::NoTextInteraction);
  valueLabels_.insert(name, label);
  return label;
}

QPlainTextEdit* InterpretationForm::addTopicBox(const QString& name, QWidget* parent) {
  auto* box = new QPlainTextEdit(parent);
  box->setObjectName(name);
  box->setReadOnly(true);
  box->setFont(BaseFont());
  box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // At least the designed height; space the grid leaves free goes to the texts.
  box->setMinimumHeight(TwipsToPixels(735));
  box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  topicBoxes_.insert(name, box);
  GuardAgainstCopying(box);
  return box;
}

QWidget* InterpretationForm::buildStandardBody(int lagnaIndex, QWidget* parent) {
  const PageText& text = kPages[lagnaIndex];
  const QString suffix = text.suffix;
  auto* body = new QWidget(parent);
  body->setFont(BaseFont());
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(TwipsToPixels(60));

  // Upper part: the page's own explanations and the attribute grid. It scrolls rather
  // than clip should a value wrap onto more lines than there is room for.
  auto* upper = new QWidget;
  auto* upperLayout = new QVBoxLayout(upper);
  upperLayout->setContentsMargins(TwipsToPixels(60), 0, TwipsToPixels(60), 0);
  upperLayout->setSpacing(TwipsToPixels(60));

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(TwipsToPixels(100));
  grid->setVerticalSpacing(TwipsToPixels(75));
  int gridIndent = TwipsToPixels(kGridIndent - 120);

  if (text.significance != nullptr) {
    auto* extras = new QHBoxLayout;
    extras->setSpacing(TwipsToPixels(240));
    auto* significance = new QVBoxLayout;
    significance->setSpacing(TwipsToPixels(30));
    significance->addWidget(MakeLabel(text.significanceHeading, upper, true));
    significance->addWidget(MakeLabel(text.significance, upper));
    significance->addStretch();
    extras->addLayout(significance, 1);
    if (lagnaIndex == kHoraPage) {
      // The house reading of the Hora lagna gets a place of its own beside the significance.
      auto* house = new QVBoxLayout;
      house->setSpacing(TwipsToPixels(30));
      house->addWidget(MakeLabel("Hora Lagna Present In House Significance", upper, true));
      house->addWidget(addValueLabel("lblHoraDesc", upper));
      house->addStretch();
      extras->addLayout(house, 1);
    }
    upperLayout->addLayout(extras);
  }

  QHBoxLayout* gridRow = new QHBoxLayout;
  gridRow->setSpacing(TwipsToPixels(240));
  gridRow->addLayout(grid, 5);
  if (lagnaIndex == kUpapadaPage) {
    // The Upapada reading needs height to be readable, so it stands beside the grid and
    // the grid moves to the page's left edge.
    gridIndent = 0;
    auto* readingColumn = new QVBoxLayout;
    readingColumn->setSpacing(TwipsToPixels(60));
    QLabel* heading = MakeLabel("Upapada Lagna Interpretation", upper, true);
    heading->setObjectName("lblUpapadaInterpretation");
    readingColumn->addWidget(heading);
    reading_ = new QTextEdit(upper);
    reading_->setObjectName("RTBUL");
    reading_->setReadOnly(true);
    reading_->setFont(BaseFont());
    readingColumn->addWidget(reading_, 1);
    gridRow->addLayout(readingColumn, 2);
  }
  grid->setContentsMargins(gridIndent, 0, 0, 0);
  upperLayout->addLayout(gridRow, lagnaIndex == kUpapadaPage ? 1 : 0);
  if (lagnaIndex != kUpapadaPage) upperLayout->addStretch(1);

  for (int column = 0; column < 3; ++column) grid->setColumnStretch(column, kColumnWidths[column]);
  for (int row = 0; row < static_cast<int>(kGrid.size()); ++row) {
    for (int column = 0; column < 3; ++column) {
      const Cell& cell = kGrid[row][column];
      if (cell.attribute[0] == '\0') continue;
      QString caption = cell.caption ? QString(cell.caption)
                                     : QString("%1 Present In Sign").arg(text.lagnaName);
      auto* cellLayout = new QVBoxLayout;
      cellLayout->setSpacing(0);
      QLabel* captionLabel = MakeLabel(caption, upper, true);
      cellLayout->addWidget(captionLabel);
      cellLayout->addWidget(addValueLabel(QString("lbl%1%2").arg(cell.attribute, suffix), upper));
      cellLayout->addStretch();
      grid->addLayout(cellLayout, row, column);
    }
  }
  QScrollArea* upperArea = MakeScrollArea(upper, body);
  upperArea->setObjectName("scrAttributes");
  new ContentHeightCap(upperArea);
  layout->addWidget(upperArea, 0);

  // Lower part: the five topic boxes in two rows under their captions.
  auto addTopic = [&](QHBoxLayout* row, const Topic& topic, int stretch) {
    auto* column = new QVBoxLayout;
    column->setSpacing(TwipsToPixels(15));
    column->addWidget(MakeLabel(topic.caption, body, true, false));
    column->addWidget(addTopicBox(QString("txt%1%2").arg(topic.name, suffix), body));
    row->addLayout(column, stretch);
  };
  auto* firstRow = new QHBoxLayout;
  firstRow->setContentsMargins(TwipsToPixels(60), 0, TwipsToPixels(60), 0);
  firstRow->setSpacing(TwipsToPixels(105));
  addTopic(firstRow, kTopics[0], 3735);
  addTopic(firstRow, kTopics[1], 4215);
  addTopic(firstRow, kTopics[2], 3615);
  auto* secondRow = new QHBoxLayout;
  secondRow->setContentsMargins(TwipsToPixels(60), 0, TwipsToPixels(60), 0);
  secondRow->setSpacing(TwipsToPixels(105));
  addTopic(secondRow, kTopics[3], 1);
  addTopic(secondRow, kTopics[4], 1);
  layout->addLayout(firstRow, 1);
  layout->addLayout(secondRow, 1);
  return body;
}

QWidget* InterpretationForm::buildArudhaCharacteristics(QWidget* parent) {
  auto* tab = new QWidget(parent);
  auto* layout = new QVBoxLayout(tab);
  layout->setContentsMargins(TwipsToPixels(120), TwipsToPixels(120), TwipsToPixels(120), TwipsToPixels(120));
  layout->setSpacing(TwipsToPixels(90));
  QLabel* heading = MakeLabel("Arudha Lagna Interpretation", tab, true);
  heading->setFont(BaseFont(10, true));
  layout->addWidget(heading);
  layout->addWidget(MakeLabel(
      "Arudha literally means mount. This signifies the image of a sign falling on another sign. "
      "Arudha of the first house is known as Arudha Lagna. Arudha Lagna shows how one manifests "
      "oneself in this world of Maya (Illusion). This shows how you are perceived  by others.",
      tab));
  layout->addWidget(MakeLabel(
      "This shows us issues related to status and power. This shows what people think of you "
      "and your image.",
      tab));
  reading_ = new QTextEdit(tab);
  reading_->setObjectName("RTB");
  reading_->setReadOnly(true);
  reading_->setFont(BaseFont());
  layout->addWidget(reading_, 1);
  return tab;
}

void InterpretationForm::buildPranapadaBody(QWidget* page) {
  // The page has no grid: a heading naming the house, the significance, and the large
  // description of that house.
  pranapadaHeading_ = MakeLabel(kPranapadaDesignHeading, page, true);
  pranapadaHeading_->setObjectName("Label8_108");
  pranapadaHeading_->setProperty("index", 108);
  pranapadaHeading_->setGeometry(TwipsRect(120, 480, 11535, 270));

  QLabel* heading = MakeLabel(kPages[kPranapadaPage].significanceHeading, page, true);
  heading->setGeometry(TwipsRect(120, 840, 11535, 255));
  QLabel* significance = MakeLabel(kPages[kPranapadaPage].significance, page);
  significance->setGeometry(TwipsRect(120, 1110, 11535, 270));

  QLabel* caption = MakeLabel("Pranapada Lagna Present House Significance", page, true);
  caption->setGeometry(TwipsRect(120, 1560, 11535, 270));

  QLabel* description = addValueLabel("lblHouseDesc", page);
  description->setFont(BaseFont(10));
  auto* area = MakeScrollArea(description, page);
  area->setObjectName("scrHouseDesc");
  area->setGeometry(TwipsRect(120, 2040, 11535, 4335));
}

void InterpretationForm::fill(const LagnaPageFields& fields) {
  for (int l = 0; l < kLagnaCount; ++l) {
    const auto lagna = static_cast<LagnaId>(l);
    if (!HasAttributeBlock(lagna)) continue;
    for (int f = 0; f < kPageFieldCount; ++f) {
      const auto field = static_cast<PageField>(f);
      const QString name = PageControlName(lagna, field);
      if (QLabel* label = valueLabels_.value(name)) {
        label->setText(Utf8(fields.Attribute(lagna, field)));
      } else if (QPlainTextEdit* box = topicBoxes_.value(name)) {
        // An unchanged text is left alone, so its box keeps its scroll position.
        const QString text = Utf8(fields.Attribute(lagna, field));
        if (box->toPlainText() != text) box->setPlainText(text);
      }
    }
  }
  if (kind_ == LagnaFormKind::kOne) {
    valueLabels_.value(kHoraHouseControl)->setText(Utf8(fields.horaHouseText));
    ShowRichReading(reading_, fields.arudhaReading);
  } else {
    valueLabels_.value(kPranapadaHouseControl)->setText(Utf8(fields.pranapadaHouseText));
    // Until a chart names the house, the heading keeps its design text rather than go blank.
    pranapadaHeading_->setText(fields.pranapadaCaption.empty()
                                   ? QString(kPranapadaDesignHeading)
                                   : QString::fromStdString(fields.pranapadaCaption));
    ShowRichReading(reading_, fields.upapadaReading);
  }
}

void ShowRichReading(QTextEdit* box, const RichReading& reading) {
  box->clear();
  QTextCursor cursor(box->document());
  cursor.movePosition(QTextCursor::End);
  for (const TextRun& run : reading.runs) {
    QTextCharFormat format;
    format.setFontFamilies({QString(kFontFamily)});
    format.setFontPointSize(reading.pointSize > 0 ? reading.pointSize : 11);
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    format.setForeground(run.darkRed ? QColor(128, 0, 0) : QColor(Qt::black));
    QString text = QString::fromStdString(run.text);
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    cursor.insertText(text, format);  // each "\n" starts a new paragraph
  }
  box->moveCursor(QTextCursor::Start);
}

InterpretationForm* LagnaForm(LagnaFormKind kind) {
  QPointer<InterpretationForm>& slot = Slot(kind);
  if (slot.isNull()) {
    slot = new InterpretationForm(kind);
    // Deleted before the application object goes, so no window outlives it.
    if (QCoreApplication* app = QCoreApplication::instance())
      QObject::connect(app, &QCoreApplication::aboutToQuit, slot.data(), &QObject::deleteLater);
  }
  return slot.data();
}

InterpretationForm* ExistingLagnaForm(LagnaFormKind kind) { return Slot(kind).data(); }

void DestroyLagnaForms() {
  for (LagnaFormKind kind : {LagnaFormKind::kOne, LagnaFormKind::kTwo}) {
    delete Slot(kind).data();
    Slot(kind) = nullptr;
  }
}

}  // namespace corvane
