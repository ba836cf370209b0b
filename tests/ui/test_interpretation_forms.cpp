#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

#include <cstdlib>
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
          QVERIFY2(box && box->isReadOnly() && box->viewport()->hasMouseTracking(), topic);
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

  void clipboardEmptiedByMouseOverTopicBox() {
    InterpretationForm two(LagnaFormKind::kTwo);
    two.show();
    QVERIFY(QTest::qWaitForWindowExposed(&two));
    two.showPage(12);
    auto* box = two.findChild<QPlainTextEdit*>("txtHealthAscendant");
    QWidget* viewport = box->viewport();
    const QPoint inside(10, 10);

    PutOnClipboard("copied elsewhere");
    QTest::mouseMove(viewport, inside);
    QTRY_VERIFY(QGuiApplication::clipboard()->text().isEmpty());

    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      PutOnClipboard("copied elsewhere");
      QMouseEvent event(type, QPointF(inside), viewport->mapToGlobal(QPointF(inside)), Qt::LeftButton,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
      QCoreApplication::sendEvent(viewport, &event);
      QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
    }

    // A label is not guarded: only the topic texts empty the clipboard.
    PutOnClipboard("kept");
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(two.findChild<QLabel*>("lblColorAscendant"), &move);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("kept"));
  }

  void clipboardEmptiedByFill() {
    InterpretationForm one(LagnaFormKind::kOne);
    LagnaPageFields fields;
    fields.attributes[kAL][static_cast<int>(PageField::kColor)] = "White";
    PutOnClipboard("copied elsewhere");
    one.fill(fields);  // no topic text changes
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("copied elsewhere"));
    fields.attributes[kAL][static_cast<int>(PageField::kLooks)] = "You are attractive and beautiful.";
    one.fill(fields);
    QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
  }
};

QTEST_MAIN(InterpretationFormsTest)
#include "test_interpretation_forms.moc"
