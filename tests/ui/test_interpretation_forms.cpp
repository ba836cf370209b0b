#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QtTest>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "tests/ui/own_settings.h"
#include "lagna/texts/interpretation_texts.h"
#include "tests/ui/layout_checks.h"
#include "ui/interpretation_form.h"

using namespace corvane;
using corvane::testing::CheckNothingClipped;

namespace {

const char* const kSuffixesOne[] = {"AL", "BL", "HL", "GL", "SrL", "IL"};
const char* const kSuffixesTwo[] = {"PL", "UL", "VL", "CL", "SL", "Ascendant"};
const char* const kAttributes[] = {
    "VedicName", "ArudhaLagnaPresentInSign", "RullingPlanet", "CompatibleWith", "NotCompatibleWith",
    "Symbol", "Nature", "Color", "TypeOfSign", "Gender", "BestPeriodOfActivity", "Barren", "Caste",
    "Position", "ConstituentCharacter", "LuckyDays", "LuckyNumbers", "BestDirection", "LuckyColors",
    "LuckyGemstone", "PartOfTheBody", "Physique", "EnglishName"};
const char* const kTopics[] = {"Looks", "Nature", "CareerAndFinance", "LoveAndDomesticLife", "Health"};

QString PageTitle(InterpretationForm& form, int index) {
  auto* box = qobject_cast<QGroupBox*>(form.page(index));
  return box ? box->title() : QString();
}

// The topic texts and house descriptions of one sign, as the interpretation fill gives them.
LagnaPageFields RealTexts(int sign) {
  constexpr std::array<PageField, 5> kTopicFields = {PageField::kLooks, PageField::kNature, PageField::kCareerAndFinance,
                                                     PageField::kLoveAndDomesticLife, PageField::kHealth};
  const std::array<const std::array<std::string_view, 12>*, 5> texts = {
      &kLooksTexts, &kNatureTexts, &kCareerAndFinanceTexts, &kLoveAndDomesticLifeTexts, &kHealthTexts};
  LagnaPageFields fields;
  for (int lagna = 0; lagna < kLagnaCount; ++lagna) {
    if (!HasAttributeBlock(static_cast<LagnaId>(lagna))) continue;
    for (std::size_t i = 0; i < kTopicFields.size(); ++i)
      fields.attributes[lagna][static_cast<int>(kTopicFields[i])] = (*texts[i])[sign];
  }
  fields.horaHouseText = kHoraHouseTexts[sign];
  fields.pranapadaHouseText = kPranapadaHouseTexts[sign];
  return fields;
}

// True when the box's bottom edge falls between two lines of text (no line shows half) and
// its lines are no wider than the box shows (none runs under the scroll bar).
bool ShowsWholeLines(QPlainTextEdit* box) {
  const QTextLayout* layout = box->document()->firstBlock().layout();
  if (layout == nullptr || layout->lineCount() == 0) return true;
  for (int i = 0; i < layout->lineCount(); ++i)
    if (layout->lineAt(i).naturalTextWidth() + 2 * box->document()->documentMargin() > box->viewport()->width() + 1) return false;
  const double lineHeight = layout->lineAt(0).height();
  const double firstTop = layout->lineAt(0).y() + layout->position().y() + box->document()->documentMargin();
  const double room = box->viewport()->height() - firstTop;
  const double lines = room / lineHeight;
  return lines - std::floor(lines) < 1.0 / lineHeight + 0.25;  // at most a quarter line of blank
}

void PutOnClipboard(const QString& text) {
  QGuiApplication::clipboard()->setText(text);
  QCOMPARE(QGuiApplication::clipboard()->text(), text);
}

}  // namespace

class InterpretationFormsTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { corvane::testing::ForgetKeptSettings(); }
  void pagesBelongToTheirForm() {
    InterpretationForm one(LagnaFormKind::kOne);
    InterpretationForm two(LagnaFormKind::kTwo);
    QCOMPARE(one.objectName(), QString("frmLagnaOne"));
    QCOMPARE(two.objectName(), QString("frmLagnaTwo"));
    for (int index = -1; index < 14; ++index) {
      QCOMPARE(one.hasPage(index), index >= 0 && index <= 5);
      QCOMPARE(two.hasPage(index), index >= 6 && index <= 12);
    }
    QCOMPARE(PageTitle(one, 0), QString("More About Arudha Lagna"));
    QCOMPARE(PageTitle(two, 8), QString("More About Pranapada Lagna"));
    QCOMPARE(PageTitle(two, 12), QString("More About Ascendant"));
    QCOMPARE(one.page(5)->objectName(), QString("frmLagnaDetails_5"));
    one.showPage(1);
    one.showPage(7);  // a page of the other form
    one.showPage(42);
    QCOMPARE(one.currentPage(), 1);
  }

  // The title names the caption, the page's lagna and the person.
  void titleNamesTheLagnaAndThePerson() {
    InterpretationForm one(LagnaFormKind::kOne);
    InterpretationForm two(LagnaFormKind::kTwo);
    one.showPage(1);
    QCOMPARE(one.windowTitle(), QString("Corvane v1.25 - Bhava Lagna"));  // no chart yet
    one.setPersonName("ANJALI RAO");
    QCOMPARE(one.windowTitle(), QString("Corvane v1.25 - Bhava Lagna - ANJALI RAO"));
    one.showPage(2);
    QCOMPARE(one.windowTitle(), QString("Corvane v1.25 - Hora Lagna - ANJALI RAO"));
    two.setPersonName("JOS\u00c9");
    two.showPage(12);
    QCOMPARE(two.windowTitle(), QString("Corvane v1.25 - Ascendant - JOS\u00c9"));
    two.showPage(8);
    QCOMPARE(two.windowTitle(), QString("Corvane v1.25 - Pranapada Lagna - JOS\u00c9"));
  }

  void escapeControlWAndTheCloseButtonClose() {
    InterpretationForm two(LagnaFormKind::kTwo);
    auto* close = two.findChild<QPushButton*>("cmdClose");
    QVERIFY(close != nullptr);
    QCOMPARE(close->text(), QString("&Close"));
    for (int way = 0; way < 3; ++way) {
      two.show();
      QVERIFY(QTest::qWaitForWindowExposed(&two));
      two.activateWindow();
      QTRY_VERIFY(two.isActiveWindow());
      two.showPage(12);
      QWidget* focus = two.findChild<QPlainTextEdit*>("txtNatureAscendant");
      focus->setFocus();
      if (way == 0) QTest::keyClick(focus, Qt::Key_Escape);
      if (way == 1) QTest::keyClick(focus, Qt::Key_W, Qt::ControlModifier);
      if (way == 2) QTest::mouseClick(close, Qt::LeftButton);
      QVERIFY2(!two.isVisible(), qPrintable(QString::number(way)));
    }
    // The button stands at the bottom right of the window.
    two.show();
    const QRect button = close->geometry();
    QVERIFY(two.width() - button.right() < 20 && two.height() - button.bottom() < 20);
    for (QWidget* w : two.findChildren<QWidget*>())
      if (w->isVisible() && w != close && w->parentWidget() == &two) QVERIFY(w->geometry().bottom() < button.top());
  }

  // A page with tabs opens on its details every time, however it was left.
  void pagesOpenOnTheirDetailsTab() {
    InterpretationForm one(LagnaFormKind::kOne);
    InterpretationForm two(LagnaFormKind::kTwo);
    for (auto [form, index, tabName, details] : {std::tuple{&one, 0, "SSTab1", "Arudha Lagna Details"},
                                                 std::tuple{&two, 7, "tabUpapada", "Upapada Lagna Details"}}) {
      auto* tabs = form->page(index)->findChild<QTabWidget*>(tabName);
      QVERIFY(tabs != nullptr);
      for (int time = 0; time < 3; ++time) {
        form->showPage(index);
        QCOMPARE(tabs->tabText(tabs->currentIndex()), QString(details));
        tabs->setCurrentIndex(1 - tabs->currentIndex());  // the user looks at the other tab
        form->showPage(index == 0 ? 1 : 6);
      }
    }
    // The Upapada reading has the whole page's width for its sentences.
    auto* reading = two.findChild<QTextEdit*>("RTBUL");
    two.show();
    two.showPage(7);
    two.page(7)->findChild<QTabWidget*>("tabUpapada")->setCurrentIndex(1);
    QVERIFY(reading->isVisible());
    QVERIFY(reading->width() > two.width() * 9 / 10);
  }

  void everyPageHasItsNamedControls() {
    InterpretationForm one(LagnaFormKind::kOne);
    InterpretationForm two(LagnaFormKind::kTwo);
    for (auto [form, suffixes] : {std::pair{&one, kSuffixesOne}, std::pair{&two, kSuffixesTwo}}) {
      for (int s = 0; s < 6; ++s) {
        for (const char* attribute : kAttributes) {
          const QString name = QString("lbl%1%2").arg(attribute, suffixes[s]);
          QVERIFY2(form->findChild<QLabel*>(name) != nullptr, qPrintable(name));
        }
        for (const char* topic : kTopics) {
          auto* box = form->findChild<QPlainTextEdit*>(QString("txt%1%2").arg(topic, suffixes[s]));
          QVERIFY2(box && box->isReadOnly() && box->textInteractionFlags() == Qt::NoTextInteraction &&
                       box->contextMenuPolicy() == Qt::NoContextMenu,
                   topic);
        }
      }
      QCOMPARE(form->findChildren<QPlainTextEdit*>().size(), 30);
    }
    auto captions = [](QWidget* page) {
      QStringList texts;
      for (QLabel* label : page->findChildren<QLabel*>()) texts << label->text();
      return texts;
    };
    // The sign caption names the page's own lagna.
    QVERIFY(captions(one.page(1)).contains("Bhava Lagna Present In Sign"));
    QVERIFY(!captions(one.page(1)).contains("Arudha Lagna Present In Sign"));
    QVERIFY(captions(one.page(3)).contains(
        "Ghati Lagna signifies the importance of self in terms of fame, power, authority and status"));
    QVERIFY(captions(two.page(7)).contains("Upapada Lagna Interpretation"));
    QVERIFY(two.page(7)->findChild<QTextEdit*>("RTBUL") != nullptr);

    // The Arudha page opens on its details tab; the reading sits on the other one.
    auto* tabs = one.page(0)->findChild<QTabWidget*>("SSTab1");
    QVERIFY(tabs != nullptr && tabs->count() == 2);
    QCOMPARE(tabs->tabText(0), QString("Arudha Lagna Planetary Characteristics"));
    QCOMPARE(tabs->tabText(1), QString("Arudha Lagna Details"));
    QCOMPARE(tabs->currentIndex(), 1);
    QVERIFY(tabs->currentWidget()->findChild<QLabel*>("lblColorAL") != nullptr);
    QVERIFY(tabs->widget(0)->findChild<QTextEdit*>("RTB") != nullptr);

    // The Pranapada page has no grid and no topic texts.
    QWidget* pranapada = two.page(8);
    QVERIFY(pranapada->findChildren<QPlainTextEdit*>().isEmpty() && pranapada->findChildren<QTextEdit*>().isEmpty());
    QVERIFY(pranapada->findChild<QLabel*>("lblHouseDesc") && pranapada->findChild<QLabel*>("Label8_108"));
    for (QLabel* label : pranapada->findChildren<QLabel*>()) QVERIFY(!label->objectName().startsWith("lblVedicName"));
    QVERIFY(captions(pranapada).contains("Pranapada Lagna signifies the energy that you have in life."));
    QCOMPARE(captions(pranapada).count("Pranapada Lagna Present House Significance"), 2);  // heading and caption
  }

  void fillRoutesFieldsByControlName() {
    InterpretationForm one(LagnaFormKind::kOne);
    InterpretationForm two(LagnaFormKind::kTwo);
    LagnaPageFields fields;
    fields.attributes[kAL][static_cast<int>(PageField::kColor)] = "Red, Brown, Copper";
    fields.attributes[kBL][static_cast<int>(PageField::kCompatibleWith)] = "Leo, Sagittarius, Gemini, Aquarius, Libra";
    fields.attributes[kHL][static_cast<int>(PageField::kNature)] = "You have an analytical mind.";
    fields.attributes[kUL][static_cast<int>(PageField::kSymbol)] = "<b>The Bull</b>";
    fields.attributes[kPpL][static_cast<int>(PageField::kSymbol)] = "ignored";  // no such control
    fields.horaHouseText = "Your heart is where your home is.";
    fields.pranapadaHouseText = "You will achieve a lot of fame and respect.";
    fields.pranapadaCaption = "Pranapada Lagna Present In 11 House";
    one.fill(fields);
    two.fill(fields);
    auto text = [](InterpretationForm& form, const char* name) {
      if (auto* box = form.findChild<QPlainTextEdit*>(name)) return box->toPlainText();
      auto* label = form.findChild<QLabel*>(name);
      return label ? label->text() : QString("(none)");
    };
    for (auto [form, name, value] :
         {std::tuple{&one, "lblHoraDesc", "Your heart is where your home is."}, {&one, "lblHouseDesc", "(none)"},
          {&two, "lblHouseDesc", "You will achieve a lot of fame and respect."},
          {&two, "Label8_108", "Pranapada Lagna Present In 11 House"}, {&one, "lblColorAL", "Red, Brown, Copper"},
          {&one, "lblColorBL", ""}, {&one, "lblCompatibleWithBL", "Leo, Sagittarius, Gemini, Aquarius, Libra"},
          {&one, "txtNatureHL", "You have an analytical mind."}, {&one, "txtNatureAL", ""},
          {&two, "lblSymbolUL", "<b>The Bull</b>"}})
      QCOMPARE(text(*form, name), QString(value));
    QCOMPARE(two.findChild<QLabel*>("lblSymbolUL")->textFormat(), Qt::PlainText);  // data is never read as markup
    QVERIFY(one.findChild<QLabel*>("lblCompatibleWithBL")->wordWrap());  // long values wrap
    // A chart without a house keeps the heading readable instead of blank.
    two.fill(LagnaPageFields{});
    QCOMPARE(text(two, "Label8_108"), QString("Pranapada Lagna Present House Significance"));
    QCOMPARE(text(two, "lblHouseDesc"), QString());
  }

  void richReadingKeepsRunFormatting() {
    InterpretationForm one(LagnaFormKind::kOne);
    LagnaPageFields fields;
    fields.arudhaReading.runs = {
        {true, false, "About Your AL\r\n"},
        {true, true, "Venus (Benefic) present in your Arudha Lagna contributes towards your wellbeing\r\n"},
        {false, false, "Venus is the planet that is about how people express socially.\r\n\r\n"},
    };
    one.fill(fields);
    one.fill(fields);  // a second fill replaces the reading instead of adding to it
    auto* box = one.findChild<QTextEdit*>("RTB");
    QTextDocument* document = box->document();
    QCOMPARE(box->toPlainText(),
             QString("About Your AL\nVenus (Benefic) present in your Arudha Lagna contributes towards "
                     "your wellbeing\nVenus is the planet that is about how people express socially.\n\n"));

    // (weight, colour) of each block: the intro black, the heading dark red, the line plain.
    auto look = [&](int block) {
      const QTextCharFormat f = document->findBlockByNumber(block).begin().fragment().charFormat();
      return std::pair{f.fontWeight(), f.foreground().color()};
    };
    QCOMPARE(look(0), std::pair(int(QFont::Bold), QColor(Qt::black)));
    QCOMPARE(look(1), std::pair(int(QFont::Bold), QColor(128, 0, 0)));
    QCOMPARE(look(2), std::pair(int(QFont::Normal), QColor(Qt::black)));
    QCOMPARE(document->findBlockByNumber(1).begin().fragment().charFormat().fontPointSize(), 11.0);
    QVERIFY(box->isReadOnly());
  }

  // At the designed size the attributes show whole and the topic texts take the rest of the
  // page, at least their designed 735 twips, showing whole lines only.
  void topicBoxesTakeTheHeightTheGridLeaves() {
    InterpretationForm one(LagnaFormKind::kOne);
    InterpretationForm two(LagnaFormKind::kTwo);
    LagnaPageFields fields = RealTexts(4);
    fields.attributes[kAL][static_cast<int>(PageField::kCompatibleWith)] = "Leo, Sagittarius, Gemini, Aquarius, Libra";
    one.fill(fields);
    two.fill(fields);
    for (InterpretationForm* form : {&one, &two}) {
      form->show();
      QVERIFY(QTest::qWaitForWindowExposed(form));
      QCOMPARE(form->size(), QSize(796, 543));  // 11940 x 8145 twips
      for (int index = 0; index < 13; ++index) {
        if (!form->hasPage(index) || index == 8) continue;
        form->showPage(index);
        for (int i = 0; i < 2; ++i) QCoreApplication::processEvents();
        auto* area = form->page(index)->findChild<QScrollArea*>("scrAttributes");
        QVERIFY(area != nullptr);
        const int needed = area->widget()->heightForWidth(area->viewport()->width());
        // The attributes show whole and leave no empty band above the topic texts.
        QVERIFY2(std::abs(area->height() - needed) <= 1, qPrintable(QString("page %1: %2 for %3").arg(index).arg(area->height()).arg(needed)));
        for (QPlainTextEdit* box : form->page(index)->findChildren<QPlainTextEdit*>()) {
          QVERIFY2(box->height() >= 49, qPrintable(box->objectName()));  // at least the designed 735 twips
          QVERIFY2(ShowsWholeLines(box), qPrintable(box->objectName() + QString(" vw %1 lw %2 sb %3 w %4").arg(box->viewport()->width()).arg(box->document()->firstBlock().layout()->lineAt(0).naturalTextWidth()).arg(box->verticalScrollBar()->isVisible()).arg(box->width())));
        }
      }
    }
  }

  // Given room, every topic text of every sign shows whole, without a scroll bar.
  void enlargedWindowShowsWholeTexts() {
    InterpretationForm one(LagnaFormKind::kOne);
    one.show();
    QVERIFY(QTest::qWaitForWindowExposed(&one));
    one.resize(1500, 1000);
    one.showPage(3);
    for (int sign = 0; sign < 12; ++sign) {
      one.fill(RealTexts(sign));
      for (int i = 0; i < 2; ++i) QCoreApplication::processEvents();
      for (QPlainTextEdit* box : one.page(3)->findChildren<QPlainTextEdit*>()) {
        QVERIFY2(box->verticalScrollBar()->maximum() == 0 && !box->verticalScrollBar()->isVisible(),
                 qPrintable(QString("%1, sign %2").arg(box->objectName()).arg(sign)));
        QVERIFY2(ShowsWholeLines(box), qPrintable(QString("%1 viewport %2 box %3").arg(box->objectName()).arg(box->viewport()->height()).arg(box->height())));
      }
    }
  }

  // Opened at its designed size, a page grows until every text box shows its whole text,
  // or to the height of the screen (then wider), beyond which the boxes scroll.
  void pagesGrowToShowEveryTextWhole() {
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    for (int sign : {0, 5, 11}) {
      InterpretationForm one(LagnaFormKind::kOne);
      one.fill(RealTexts(sign));
      one.showPage(3);
      one.show();
      QVERIFY(QTest::qWaitForWindowExposed(&one));
      const QSize designed = one.size();
      const QRect before = one.frameGeometry();
      one.growToShowTexts();
      for (int i = 0; i < 2; ++i) QCoreApplication::processEvents();
      // As far as the screen reaches below and right of the window.
      const bool screenFull = one.frameGeometry().bottom() >= room.bottom() && one.frameGeometry().right() >= room.right();
      int scrolling = 0;
      for (QPlainTextEdit* box : one.page(3)->findChildren<QPlainTextEdit*>())
        scrolling += box->verticalScrollBar()->maximum() > 0;
      QVERIFY2(scrolling == 0 || screenFull, qPrintable(QString("sign %1: %2 boxes scroll at %3x%4")
                                                            .arg(sign).arg(scrolling).arg(one.width()).arg(one.height())));
      QVERIFY(one.width() >= designed.width() && one.height() >= designed.height());
      // Grown within the screen (a window that already hung over an edge grew no further).
      QVERIFY(one.frameGeometry().bottom() <= std::max(room.bottom(), before.bottom()));
      QVERIFY(one.frameGeometry().right() <= std::max(room.right(), before.right()));
    }
  }

  // At the smallest size the layouts allow, no text is cut: labels have the room they need
  // (or sit in a scroll area), tab names and the Close button show whole.
  void smallestSizeClipsNothing() {
    for (LagnaFormKind kind : {LagnaFormKind::kOne, LagnaFormKind::kTwo}) {
      InterpretationForm form(kind);
      form.fill(RealTexts(7));
      form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&form));
      form.resize(form.minimumSize());
      QVERIFY(form.minimumSize().width() > 300 && form.minimumSize().height() > 300);
      for (int index = 0; index < 13; ++index) {
        if (!form.hasPage(index)) continue;
        form.showPage(index);
        for (auto* tabs : form.page(index)->findChildren<QTabWidget*>()) {
          for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            for (int i = 0; i < 2; ++i) QCoreApplication::processEvents();
            QVERIFY(tabs->tabBar()->tabRect(tab).width() >= tabs->tabBar()->fontMetrics().horizontalAdvance(tabs->tabText(tab)));
            QVERIFY(tabs->tabBar()->tabRect(tab).right() < tabs->width());
            CheckNothingClipped(form.page(index));
          }
        }
        for (int i = 0; i < 2; ++i) QCoreApplication::processEvents();
        CheckNothingClipped(form.page(index));
      }
      auto* close = form.findChild<QPushButton*>("cmdClose");
      QVERIFY(close->width() >= close->sizeHint().width() && close->geometry().right() < form.width());
    }
  }

  // Reading the texts leaves alone whatever the user copied elsewhere.
  void theUsersClipboardSurvivesReadingTheTexts() {
    InterpretationForm two(LagnaFormKind::kTwo);
    two.show();
    QVERIFY(QTest::qWaitForWindowExposed(&two));
    two.showPage(12);
    QClipboard* clipboard = QGuiApplication::clipboard();
    PutOnClipboard("copied elsewhere");
    if (clipboard->supportsSelection()) clipboard->setText("selected elsewhere", QClipboard::Selection);

    LagnaPageFields fields;
    fields.attributes[kAscendantLagna][static_cast<int>(PageField::kHealth)] = "You have good health.";
    fields.attributes[kAL][static_cast<int>(PageField::kLooks)] = "You are attractive.";
    two.fill(fields);
    auto* box = two.findChild<QPlainTextEdit*>("txtHealthAscendant");
    QWidget* viewport = box->viewport();
    QTest::mouseMove(viewport, QPoint(10, 10));
    QTest::mouseMove(viewport, QPoint(30, 12));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(12, 8));
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(12, 8));
    QTest::qWait(20);
    QCOMPARE(clipboard->text(), QString("copied elsewhere"));
    if (clipboard->supportsSelection()) QCOMPARE(clipboard->text(QClipboard::Selection), QString("selected elsewhere"));
  }

  // No way of copying takes a topic text out: selecting by mouse or keys, the copy keys, the
  // context menu, and (on X11) the primary selection.
  void noWayOfCopyingTakesATopicTextOut() {
    InterpretationForm one(LagnaFormKind::kOne);
    one.show();
    QVERIFY(QTest::qWaitForWindowExposed(&one));
    one.showPage(2);
    const QString text = "Hora lagna text that must stay in its box.";
    const std::string value = text.toStdString();  // the fields view it
    LagnaPageFields fields;
    fields.attributes[kHL][static_cast<int>(PageField::kNature)] = value;
    one.fill(fields);
    auto* box = one.findChild<QPlainTextEdit*>("txtNatureHL");
    QWidget* viewport = box->viewport();
    QClipboard* clipboard = QGuiApplication::clipboard();
    // Each way is tried on its own; the ways that selected text or reached the clipboard or
    // the primary selection are listed.
    QStringList leaks;
    auto reset = [&] {
      box->moveCursor(QTextCursor::Start);
      PutOnClipboard("copied elsewhere");
      if (clipboard->supportsSelection()) clipboard->setText("selected elsewhere", QClipboard::Selection);
    };
    auto check = [&](const char* way) {
      if (box->textCursor().hasSelection() || clipboard->text() != "copied elsewhere" ||
          (clipboard->supportsSelection() && clipboard->text(QClipboard::Selection) != "selected elsewhere"))
        leaks << way;
      reset();
    };
    reset();
    box->setFocus();
    const QPoint start(4, 6), end(viewport->width() - 4, viewport->height() - 4);

    // Selecting by mouse would also let a drag carry the selection away.
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, start);
    QMouseEvent move(QEvent::MouseMove, QPointF(end), viewport->mapToGlobal(QPointF(end)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, end);
    check("mouse drag across the text");
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, start);
    check("double click");
    QTest::keySequence(box, QKeySequence::SelectAll);
    check("Select All key");
    QTest::keyClick(box, Qt::Key_End, Qt::ShiftModifier);
    check("Shift+End");
    QTest::keySequence(box, QKeySequence::SelectAll);
    QTest::keySequence(box, QKeySequence::Copy);
    check("Select All, then Copy");
    QTest::keySequence(box, QKeySequence::SelectAll);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    check("Select All, then Ctrl+C");
    QTest::keySequence(box, QKeySequence::SelectAll);
    QTest::keyClick(box, Qt::Key_Insert, Qt::ControlModifier);
    check("Select All, then Ctrl+Insert");
    // Even with the text selected by the program, the copy and cut keys do nothing.
    for (const auto& [key, modifier] : {std::pair{Qt::Key_C, Qt::ControlModifier}, std::pair{Qt::Key_Insert, Qt::ControlModifier},
                                        std::pair{Qt::Key_X, Qt::ControlModifier}}) {
      box->selectAll();
      QTest::keyClick(box, key, modifier);
      if (clipboard->text() != "copied elsewhere") leaks << QKeySequence(key | modifier).toString();
      reset();
    }

    // No context menu comes up, and the box's own menu (if it makes one) offers nothing that
    // would copy.
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, start, viewport->mapToGlobal(start));
    QCoreApplication::sendEvent(viewport, &menuEvent);
    if (QApplication::activePopupWidget() != nullptr) {
      leaks << "context menu shown";
      QApplication::activePopupWidget()->close();
    }
    std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
    for (QAction* action : menu ? menu->actions() : QList<QAction*>())
      if (action->isEnabled()) action->trigger();
    check("context menu actions");
    QCOMPARE(leaks, QStringList());
    QCOMPARE(box->toPlainText(), text);
  }
};

QTEST_MAIN(InterpretationFormsTest)
#include "test_interpretation_forms.moc"
