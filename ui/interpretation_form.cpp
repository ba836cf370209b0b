#include "ui/interpretation_form.h"

#include "ui/page_controls.h"

#include "app/page_texts.h"

#include <QAction>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBlock>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextLayout>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "ui/clipboard_guard.h"
#include "ui/close_keys.h"
#include "ui/message_presenter.h"
#include "ui/twips.h"
#include "ui/window_fonts.h"
#include "ui/window_geometry.h"

namespace corvane {

namespace {

constexpr int kPageCount = 13;
constexpr int kPranapadaPage = 8;
constexpr int kArudhaPage = 0;
constexpr int kHoraPage = 2;
constexpr int kUpapadaPage = 7;
constexpr int kFormWidth = 11940, kFormHeight = 8145;
constexpr int kPointSize = 8;

// The text boxes draw their frame themselves, so that the one with the keyboard focus gets a
// ring of two pixels in the selection colour.
constexpr char kTextBoxFocusStyle[] =
    "QPlainTextEdit, QTextEdit { border: 1px solid palette(mid); background: palette(base); }"
    "QPlainTextEdit:focus, QTextEdit:focus { border: 2px solid palette(highlight); }";


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

QFont BaseFont(int pointSize = kPointSize, bool bold = false) { return InterfaceFont(pointSize, bold); }

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

// Keeps a scroll area exactly as tall as its content needs at the area's current width:
// the content always shows whole (a narrow window grows taller instead of cutting it) and
// the height it leaves unused goes to the widgets below it.
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
    // The scroll area gives its content at least the content's minimum height.
    int needed = std::max(content->heightForWidth(area_->width() - 2 * area_->frameWidth()),
                          content->minimumSizeHint().height());
    needed += 2 * area_->frameWidth();
    if (needed != area_->maximumHeight() || needed != area_->minimumHeight()) area_->setFixedHeight(needed);
  }

  QScrollArea* area_;
};

// A topic text box that shows whole lines only: the few pixels below the last line that
// fits stay empty instead of showing the top half of the next line. The scroll bar appears
// only when the text is longer than the box.
class TopicTextBox : public QPlainTextEdit {
 public:
  explicit TopicTextBox(QWidget* parent) : QPlainTextEdit(parent) {}

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QPlainTextEdit::resizeEvent(event);
    // The lines wrap at the width the text really has: when the scroll bar comes or goes
    // while the page is hidden, the plain text layout may keep the width it had before.
    if (viewport()->width() != wrapWidth_ && !rewrapping_) {
      rewrapping_ = true;
      wrapWidth_ = viewport()->width();
      setLineWrapMode(QPlainTextEdit::NoWrap);
      setLineWrapMode(QPlainTextEdit::WidgetWidth);
      rewrapping_ = false;
    }
    const double line = LineHeight();
    const double top = document()->documentMargin();  // above the first line
    const int room = contentsRect().height();
    const int lines = std::max(1, static_cast<int>((room - top) / line));
    const int spare = std::max(0, room - static_cast<int>(std::ceil(top + lines * line)));
    if (viewportMargins().bottom() != spare) setViewportMargins(0, 0, 0, spare);
  }

 private:
  // The height the text layout gives every line of this font (whole pixels).
  double LineHeight() const {
    QTextLayout probe("X", font());
    probe.beginLayout();
    const QTextLine line = probe.createLine();
    probe.endLayout();
    return line.isValid() && line.height() > 0 ? line.height() : QFontMetricsF(font()).lineSpacing();
  }

  int wrapWidth_ = -1;
  bool rewrapping_ = false;
};

QPointer<InterpretationForm>& Slot(LagnaFormKind kind) {
  static std::array<QPointer<InterpretationForm>, 2> forms;
  return forms[kind == LagnaFormKind::kOne ? 0 : 1];
}

}  // namespace

LagnaFormKind FormKindForLagna(int lagnaIndex) {
  return lagnaIndex <= 5 ? LagnaFormKind::kOne : LagnaFormKind::kTwo;
}

namespace {

// How many pixels more the box's viewport would need to show its whole text at its present
// width: the lines as the text layout wraps them in the box's font, and the document's
// margins above and below.
int MissingHeight(const QPlainTextEdit* box) {
  const qreal margin = box->document()->documentMargin();
  const qreal width = box->viewport()->width() - 2 * margin;
  if (width <= 0) return 0;
  qreal height = 2 * margin;
  for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
    QTextLayout layout(block.text(), box->font());
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width);
      height += std::ceil(line.height());
    }
    layout.endLayout();
  }
  return std::max(0, static_cast<int>(std::ceil(height)) - box->viewport()->height());
}

}  // namespace

// Owned tool windows: kept above the window they were opened from (see keepAbove).
InterpretationForm::InterpretationForm(LagnaFormKind kind, QWidget* parent)
    : QWidget(parent, Qt::Tool), kind_(kind) {
  setObjectName(kind == LagnaFormKind::kOne ? "frmLagnaOne" : "frmLagnaTwo");
  setFont(BaseFont());

  stack_ = new QStackedWidget(this);
  stack_->setObjectName("frmLagnaDetails");
  for (int index = 0; index < kPageCount; ++index) {
    if (!hasPage(index)) continue;
    pages_[index] = buildPage(index);
    stack_->addWidget(pages_[index]);
  }

  QPushButton* close = MakeCloseButton(this);
  AddCloseKeys(this);
  // The read-only text boxes show the keyboard focus by a ring in the selection colour.
  setStyleSheet(kTextBoxFocusStyle);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, Twips(60), Twips(120), Twips(90));
  layout->setSpacing(Twips(60));
  layout->addWidget(stack_, 1);
  layout->addWidget(close, 0, Qt::AlignRight);
  resize(Twips(kFormWidth), Twips(kFormHeight));
  keptGeometry_ = KeepWindowGeometry(this, objectName());
  updateTitle();
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
  QWidget* target = page(lagnaIndex);
  if (target == nullptr) return;
  stack_->setCurrentWidget(target);
  // A page with tabs opens on its details, however it was left.
  if (auto* tabs = target->findChild<QTabWidget*>(QString(), Qt::FindDirectChildrenOnly))
    tabs->setCurrentIndex(tabs->property("openingTab").toInt());
  updateTitle();
}

void InterpretationForm::setPersonName(const QString& name) {
  personName_ = name.trimmed();
  updateTitle();
}

void InterpretationForm::updateTitle() {
  QStringList parts{kWindowCaption};
  const int index = currentPage();
  if (index >= 0) parts << Utf8(kLagnaPageTexts[index].lagnaName);
  if (!personName_.isEmpty()) parts << personName_;
  setWindowTitle(parts.join(" - "));
}

void InterpretationForm::growToShowTexts() {
  QWidget* current = stack_->currentWidget();
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (current == nullptr || screen == nullptr || !isVisible()) return;
  // The window grows to the right and down from where it stands (a cascaded page keeps its
  // step), as far as the screen's bottom and right edges.
  const QRect frameRect = frameGeometry();
  QRect room = screen->availableGeometry();
  room.setTopLeft(QPoint(std::max(room.left(), frameRect.left()), std::max(room.top(), frameRect.top())));
  // The window frame's own part of the room (none before a window manager framed it).
  const QSize frame = (frameRect.size() - size()).expandedTo(QSize(0, 0));
  const QSize most = (room.size() - frame).expandedTo(minimumSize());
  const QList<QPlainTextEdit*> boxes = current->findChildren<QPlainTextEdit*>();
  // Small steps, each followed by the layout: a step changes the heights of both rows of
  // boxes and the widths the texts wrap at (scroll bars come and go), so the window stops
  // as soon as the texts fit instead of overshooting.
  for (int round = 0; round < 60; ++round) {
    int missing = 0;
    for (const QPlainTextEdit* box : boxes) missing = std::max(missing, MissingHeight(box));
    if (missing == 0) break;
    QSize next = size();
    if (height() < most.height())
      next.setHeight(std::min(most.height(), height() + std::clamp(missing, 1, 24)));
    else if (width() < most.width())
      next.setWidth(std::min(most.width(), width() + 40));
    else
      break;  // as large as the screen allows: the boxes scroll
    resize(next);
    layout()->activate();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  }
}

void InterpretationForm::keepAbove(QWidget* owner) {
  if (owner == nullptr || owner == this) return;
  // Both need their native windows for the window system to know the relation.
  owner->winId();
  winId();
  QWindow* ownerWindow = owner->windowHandle();
  if (windowHandle()->transientParent() == ownerWindow) return;
  windowHandle()->setTransientParent(ownerWindow);
  // The relation ends with the owner's window (Back closes the frame window for good).
  connect(ownerWindow, &QObject::destroyed, this, [this] {
    if (QWindow* window = windowHandle()) window->setTransientParent(nullptr);
  });
}

QWidget* InterpretationForm::buildPage(int lagnaIndex) {
  const LagnaPageText& text = kLagnaPageTexts[lagnaIndex];
  auto* page = new QGroupBox(Utf8(text.caption));
  page->setObjectName(QString("frmLagnaDetails_%1").arg(lagnaIndex));
  page->setProperty("index", lagnaIndex);
  page->setFont(BaseFont(kPointSize, true));

  if (lagnaIndex == kPranapadaPage) {
    buildPranapadaBody(page);
    return page;
  }
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(TwipsToPixels(60), TwipsToPixels(60), TwipsToPixels(60), TwipsToPixels(60));
  if (lagnaIndex == kArudhaPage || lagnaIndex == kUpapadaPage) {
    // The planetary reading gets a tab of its own beside the details, wide enough for its
    // sentences at the reading's point size. Tab names are kept whole, never elided.
    auto* tabs = new QTabWidget(page);
    tabs->setFont(BaseFont());
    tabs->setUsesScrollButtons(false);
    tabs->setElideMode(Qt::ElideNone);
    auto* details = buildStandardBody(lagnaIndex, tabs);
    if (lagnaIndex == kArudhaPage) {
      tabs->setObjectName("SSTab1");
      tabs->addTab(buildArudhaCharacteristics(tabs), "Arudha Lagna Planetary Characteristics");
      tabs->addTab(details, "Arudha Lagna Details");
    } else {
      tabs->setObjectName("tabUpapada");
      tabs->addTab(details, "Upapada Lagna Details");
      tabs->addTab(buildUpapadaReading(tabs), Utf8(kUpapadaReadingHeading));
    }
    tabs->setProperty("openingTab", tabs->indexOf(details));
    tabs->tabBar()->setAccessibleName(Utf8(text.lagnaName) + " tabs");
    tabs->tabBar()->setAccessibleDescription("The details and the planetary reading");
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
  auto* box = new TopicTextBox(parent);
  box->setObjectName(name);
  box->setReadOnly(true);
  box->setFont(BaseFont());
  box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // At least the designed height; space the grid leaves free goes to the texts.
  box->setMinimumHeight(TwipsToPixels(735));
  box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  topicBoxes_.insert(name, box);
  GuardAgainstCopying(box);
  return box;
}

QWidget* InterpretationForm::buildStandardBody(int lagnaIndex, QWidget* parent) {
  const LagnaPageText& text = kLagnaPageTexts[lagnaIndex];
  const QString suffix = Utf8(kLagnaKeys[lagnaIndex]);
  auto* body = new QWidget(parent);
  body->setFont(BaseFont());
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(TwipsToPixels(60));

  // Upper part: the attribute grid and, in the band left of it, the page's own
  // explanations. It scrolls rather than clip should a value wrap onto more lines than
  // there is room for.
  auto* upper = new QWidget;
  auto* upperLayout = new QHBoxLayout(upper);
  upperLayout->setContentsMargins(TwipsToPixels(60), 0, TwipsToPixels(60), 0);
  upperLayout->setSpacing(TwipsToPixels(100));

  auto* side = new QVBoxLayout;
  side->setSpacing(TwipsToPixels(30));
  auto* sideColumn = new QWidget(upper);
  sideColumn->setObjectName("sideColumn");
  sideColumn->setFixedWidth(TwipsToPixels(kGridIndent - 60 - 100 - 60));
  sideColumn->setLayout(side);
  side->setContentsMargins(0, 0, 0, 0);
  if (!text.significance.empty()) {
    side->addWidget(MakeLabel(Utf8(text.significanceHeading), sideColumn, true));
    side->addWidget(MakeLabel(Utf8(text.significance), sideColumn));
  }
  side->addStretch(1);
  upperLayout->addWidget(sideColumn);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(TwipsToPixels(100));
  grid->setVerticalSpacing(TwipsToPixels(30));
  grid->setContentsMargins(0, 0, 0, 0);
  upperLayout->addLayout(grid, 1);

  for (int column = 0; column < 3; ++column) grid->setColumnStretch(column, kColumnWidths[column]);
  for (int row = 0; row < static_cast<int>(kGrid.size()); ++row) {
    for (int column = 0; column < 3; ++column) {
      const Cell& cell = kGrid[row][column];
      if (cell.attribute[0] == '\0') {
        if (lagnaIndex == kHoraPage) {
          // The house reading of the Hora lagna fills the grid's one empty cell.
          auto* house = new QVBoxLayout;
          house->setSpacing(0);
          house->addWidget(MakeLabel(Utf8(kHoraHouseCaption), upper, true));
          house->addWidget(addValueLabel("lblHoraDesc", upper));
          house->addStretch();
          grid->addLayout(house, row, column);
        }
        continue;
      }
      QString caption = cell.caption ? QString(cell.caption)
                                     : QString("%1 Present In Sign").arg(Utf8(text.lagnaName));
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
  upperArea->setFocusPolicy(Qt::NoFocus);  // always as tall as its content: nothing to scroll
  upperArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  new ContentHeightCap(upperArea);
  layout->addWidget(upperArea, 0);

  // Lower part: the five topic boxes in two rows under their captions.
  auto addTopic = [&](QHBoxLayout* row, const Topic& topic, int stretch) {
    auto* column = new QVBoxLayout;
    column->setSpacing(TwipsToPixels(15));
    column->addWidget(MakeLabel(topic.caption, body, true, false));
    QPlainTextEdit* box = addTopicBox(QString("txt%1%2").arg(topic.name, suffix), body);
    box->setAccessibleName(QString("%1 (%2)").arg(topic.caption, Utf8(text.lagnaName)));
    box->setAccessibleDescription(QString("What the %1 says of %2").arg(Utf8(text.lagnaName), QString(topic.caption).toLower()));
    column->addWidget(box);
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

QWidget* InterpretationForm::buildReadingTab(QWidget* parent, const QString& heading, const char* headingName,
                                             const char* readingName, std::initializer_list<const char*> texts) {
  auto* tab = new QWidget(parent);
  auto* layout = new QVBoxLayout(tab);
  layout->setContentsMargins(Twips(120), Twips(120), Twips(120), Twips(120));
  layout->setSpacing(Twips(90));
  QLabel* title = MakeLabel(heading, tab, true);
  title->setObjectName(headingName);
  title->setFont(BaseFont(10, true));
  layout->addWidget(title);
  for (const char* text : texts) layout->addWidget(MakeLabel(text, tab));
  reading_ = new QTextEdit(tab);
  reading_->setObjectName(readingName);
  reading_->setAccessibleName(heading);
  reading_->setAccessibleDescription("The planetary reading");
  reading_->setReadOnly(true);
  reading_->setFont(BaseFont());
  layout->addWidget(reading_, 1);
  return tab;
}

QWidget* InterpretationForm::buildArudhaCharacteristics(QWidget* parent) {
  return buildReadingTab(
      parent, Utf8(kArudhaReadingHeading), "lblArudhaInterpretation", "RTB",
      {"Arudha literally means mount. This signifies the image of a sign falling on another sign. "
       "Arudha of the first house is known as Arudha Lagna. Arudha Lagna shows how one manifests "
       "oneself in this world of Maya (Illusion). This shows how you are perceived  by others.",
       "This shows us issues related to status and power. This shows what people think of you "
       "and your image."});
}

QWidget* InterpretationForm::buildUpapadaReading(QWidget* parent) {
  return buildReadingTab(parent, Utf8(kUpapadaReadingHeading), "lblUpapadaInterpretation", "RTBUL", {});
}

void InterpretationForm::buildPranapadaBody(QWidget* page) {
  // The page has no grid: a heading naming the house, the significance, and the large
  // description of that house, which takes the room the window gives.
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(Twips(120), Twips(120), Twips(120), Twips(120));
  layout->setSpacing(Twips(60));
  pranapadaHeading_ = MakeLabel(Utf8(kPranapadaHouseCaption), page, true);
  pranapadaHeading_->setObjectName("Label8_108");
  pranapadaHeading_->setProperty("index", 108);
  layout->addWidget(pranapadaHeading_);
  layout->addSpacing(Twips(90));
  layout->addWidget(MakeLabel(Utf8(kLagnaPageTexts[kPranapadaPage].significanceHeading), page, true));
  layout->addWidget(MakeLabel(Utf8(kLagnaPageTexts[kPranapadaPage].significance), page));
  layout->addSpacing(Twips(180));
  layout->addWidget(MakeLabel(Utf8(kPranapadaHouseCaption), page, true));

  QLabel* description = addValueLabel("lblHouseDesc", page);
  description->setFont(BaseFont(10));
  auto* area = MakeScrollArea(description, page);
  area->setObjectName("scrHouseDesc");
  area->setAccessibleName(Utf8(kPranapadaHouseCaption));
  area->setAccessibleDescription("What the house of the Pranapada lagna says");
  layout->addWidget(area, 1);
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
                                   ? Utf8(kPranapadaHouseCaption)
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
    format.setFontFamilies(InterfaceFamilies());
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
