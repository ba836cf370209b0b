#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

#include <cstdlib>
#include <memory>
#include <tuple>

#include "ui/interpretation_form.h"

using namespace corvane;

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

void PutOnClipboard(const QString& text) {
  QGuiApplication::clipboard()->setText(text);
  QCOMPARE(QGuiApplication::clipboard()->text(), text);
}

}  // namespace

class InterpretationFormsTest : public QObject {
  Q_OBJECT
 private slots:
  void pagesBelongToTheirForm() {
    InterpretationForm one(LagnaFormKind::kOne);
    InterpretationForm two(LagnaFormKind::kTwo);
    QCOMPARE(one.objectName(), QString("frmLagnaOne"));
    QCOMPARE(two.objectName(), QString("frmLagnaTwo"));
    QCOMPARE(one.windowTitle(), QString("Corvane v1.25"));
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

  void topicBoxesTakeTheHeightTheGridLeaves() {
    InterpretationForm one(LagnaFormKind::kOne);
    InterpretationForm two(LagnaFormKind::kTwo);
    LagnaPageFields fields;
    fields.attributes[kAL][static_cast<int>(PageField::kCompatibleWith)] = "Leo, Sagittarius, Gemini, Aquarius, Libra";
    one.fill(fields);
    for (InterpretationForm* form : {&one, &two}) {
      form->show();
      QVERIFY(QTest::qWaitForWindowExposed(form));
      for (int index = 0; index < 13; ++index) {
        if (!form->hasPage(index) || index == 8) continue;
        form->showPage(index);
        if (index == 0) form->page(0)->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(1);
        for (int i = 0; i < 2; ++i) QCoreApplication::processEvents();
        auto* area = form->page(index)->findChild<QScrollArea*>("scrAttributes");
        QVERIFY(area != nullptr);
        const int needed = area->widget()->heightForWidth(area->viewport()->width());
        // The attributes show whole and leave no empty band above the topic texts.
        QVERIFY2(std::abs(area->height() - needed) <= 1, qPrintable(QString("page %1: %2 for %3").arg(index).arg(area->height()).arg(needed)));
        for (QPlainTextEdit* box : form->page(index)->findChildren<QPlainTextEdit*>())
          QVERIFY2(box->height() >= 49, qPrintable(box->objectName()));  // at least the designed 735 twips
      }
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
