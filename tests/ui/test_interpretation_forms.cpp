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
    QVERIFY(one.isWindow());
    for (int index = 0; index < 13; ++index) {
      QCOMPARE(one.hasPage(index), index <= 5);
      QCOMPARE(two.hasPage(index), index >= 6);
    }
    QVERIFY(!one.hasPage(-1));
    QVERIFY(!two.hasPage(13));
    QCOMPARE(PageTitle(one, 0), QString("More About Arudha Lagna"));
    QCOMPARE(PageTitle(one, 4), QString("More About Sree Lagna"));
    QCOMPARE(PageTitle(two, 8), QString("More About Pranapada Lagna"));
    QCOMPARE(PageTitle(two, 12), QString("More About Ascendant"));
    QCOMPARE(one.page(5)->objectName(), QString("frmLagnaDetails_5"));
    QCOMPARE(one.page(5)->property("index").toInt(), 5);
    one.showPage(2);
    QCOMPARE(one.currentPage(), 2);
    one.showPage(1);
    one.showPage(7);  // a page of the other form
    one.showPage(42);
    QCOMPARE(one.currentPage(), 1);
  }

  void everyStandardPageHasItsNamedControls() {
    InterpretationForm one(LagnaFormKind::kOne);
    InterpretationForm two(LagnaFormKind::kTwo);
    for (auto [form, suffixes] : {std::pair{&one, kSuffixesOne}, std::pair{&two, kSuffixesTwo}}) {
      for (int s = 0; s < 6; ++s) {
        const QString suffix = suffixes[s];
        for (const char* attribute : kAttributes) {
          const QString name = QString("lbl%1%2").arg(attribute, suffix);
          QVERIFY2(form->findChild<QLabel*>(name) != nullptr, qPrintable(name));
        }
        for (const char* topic : kTopics) {
          const QString name = QString("txt%1%2").arg(topic, suffix);
          auto* box = form->findChild<QPlainTextEdit*>(name);
          QVERIFY2(box != nullptr, qPrintable(name));
          QVERIFY(box->isReadOnly());
          QVERIFY(box->viewport()->hasMouseTracking());
        }
      }
      QCOMPARE(form->findChildren<QPlainTextEdit*>().size(), 30);
    }
    // The sign caption names the page's own lagna.
    auto captions = [](QWidget* page) {
      QStringList texts;
      for (QLabel* label : page->findChildren<QLabel*>()) texts << label->text();
      return texts;
    };
    QVERIFY(captions(one.page(1)).contains("Bhava Lagna Present In Sign"));
    QVERIFY(!captions(one.page(1)).contains("Arudha Lagna Present In Sign"));
    QVERIFY(captions(one.page(3)).contains("Significance of Ghati Lagna"));
    QVERIFY(captions(one.page(3)).contains(
        "Ghati Lagna signifies the importance of self in terms of fame, power, authority and status"));
    QVERIFY(captions(two.page(7)).contains("Upapada Lagna Interpretation"));
    QVERIFY(two.page(7)->findChild<QTextEdit*>("RTBUL") != nullptr);
  }

  void arudhaPageOpensOnDetailsTab() {
    InterpretationForm one(LagnaFormKind::kOne);
    auto* tabs = one.page(0)->findChild<QTabWidget*>("SSTab1");
    QVERIFY(tabs != nullptr);
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QString("Arudha Lagna Planetary Characteristics"));
    QCOMPARE(tabs->tabText(1), QString("Arudha Lagna Details"));
    QCOMPARE(tabs->currentIndex(), 1);
    QVERIFY(tabs->currentWidget()->findChild<QLabel*>("lblColorAL") != nullptr);
    QVERIFY(tabs->widget(0)->findChild<QTextEdit*>("RTB") != nullptr);
  }

  void pranapadaPageHasNoGrid() {
    InterpretationForm two(LagnaFormKind::kTwo);
    QWidget* page = two.page(8);
    QVERIFY(page->findChildren<QPlainTextEdit*>().isEmpty());
    QVERIFY(page->findChildren<QTextEdit*>().isEmpty());
    QStringList texts;
    for (QLabel* label : page->findChildren<QLabel*>()) {
      QVERIFY2(!label->objectName().startsWith("lblVedicName"), qPrintable(label->objectName()));
      texts << label->text();
    }
    QVERIFY(page->findChild<QLabel*>("lblHouseDesc") != nullptr);
    QVERIFY(page->findChild<QLabel*>("Label8_108") != nullptr);
    QVERIFY(texts.contains("Pranapada Lagna signifies the energy that you have in life."));
    QCOMPARE(texts.count("Pranapada Lagna Present House Significance"), 2);  // heading and caption
  }

  void fillRoutesFieldsByControlName() {
    InterpretationForm one(LagnaFormKind::kOne);
    InterpretationForm two(LagnaFormKind::kTwo);
    LagnaPageFields fields;
    fields.fields = {{"lblColorAL", "Red, Brown, Copper"},
                     {"lblCompatibleWithBL", "Leo, Sagittarius, Gemini, Aquarius, Libra"},
                     {"txtNatureHL", "You have an analytical mind."},
                     {"lblPartOfTheBodyPL", "Heart & Stomach"},
                     {"lblSymbolUL", "<b>The Bull</b>"},
                     {"lblNoSuchControl", "ignored"}};
    fields.horaDescription = "Your heart is where your home is.";
    fields.houseDescription = "You will achieve a lot of fame and respect.";
    fields.pranapadaCaption = "Pranapada Lagna Present In 11 House";
    one.fill(fields);
    two.fill(fields);
    QCOMPARE(one.findChild<QLabel*>("lblHoraDesc")->text(), QString("Your heart is where your home is."));
    QCOMPARE(two.findChild<QLabel*>("lblHouseDesc")->text(), QString("You will achieve a lot of fame and respect."));
    QCOMPARE(two.findChild<QLabel*>("Label8_108")->text(), QString("Pranapada Lagna Present In 11 House"));
    QVERIFY(one.findChild<QLabel*>("lblHouseDesc") == nullptr);
    QCOMPARE(one.findChild<QLabel*>("lblColorAL")->text(), QString("Red, Brown, Copper"));
    QCOMPARE(one.findChild<QLabel*>("lblColorBL")->text(), QString());
    QCOMPARE(one.findChild<QLabel*>("lblCompatibleWithBL")->text(),
             QString("Leo, Sagittarius, Gemini, Aquarius, Libra"));
    QCOMPARE(one.findChild<QPlainTextEdit*>("txtNatureHL")->toPlainText(),
             QString("You have an analytical mind."));
    QCOMPARE(one.findChild<QPlainTextEdit*>("txtNatureAL")->toPlainText(), QString());
    QCOMPARE(two.findChild<QLabel*>("lblPartOfTheBodyPL")->text(), QString("Heart & Stomach"));
    QLabel* symbol = two.findChild<QLabel*>("lblSymbolUL");
    QCOMPARE(symbol->text(), QString("<b>The Bull</b>"));
    QCOMPARE(symbol->textFormat(), Qt::PlainText);  // data is never read as markup
    // Long values wrap rather than run into the next column.
    QVERIFY(one.findChild<QLabel*>("lblCompatibleWithBL")->wordWrap());
    // A chart without a house keeps the heading readable instead of blank.
    two.fill(LagnaPageFields{});
    QCOMPARE(two.findChild<QLabel*>("Label8_108")->text(), QString("Pranapada Lagna Present House Significance"));
    QCOMPARE(two.findChild<QLabel*>("lblHouseDesc")->text(), QString());
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

    QTextBlock heading = document->findBlockByNumber(1);
    QVERIFY(heading.text().startsWith("Venus (Benefic)"));
    QTextCharFormat headingFormat = heading.begin().fragment().charFormat();
    QCOMPARE(headingFormat.fontWeight(), int(QFont::Bold));
    QCOMPARE(headingFormat.foreground().color(), QColor(128, 0, 0));
    QCOMPARE(headingFormat.fontPointSize(), 11.0);

    QTextCharFormat introFormat = document->findBlockByNumber(0).begin().fragment().charFormat();
    QCOMPARE(introFormat.fontWeight(), int(QFont::Bold));
    QCOMPARE(introFormat.foreground().color(), QColor(Qt::black));

    QTextCharFormat lineFormat = document->findBlockByNumber(2).begin().fragment().charFormat();
    QCOMPARE(lineFormat.fontWeight(), int(QFont::Normal));
    QCOMPARE(lineFormat.foreground().color(), QColor(Qt::black));
    QVERIFY(box->isReadOnly());
  }

  void topicBoxesTakeTheHeightTheGridLeaves() {
    InterpretationForm one(LagnaFormKind::kOne);
    InterpretationForm two(LagnaFormKind::kTwo);
    LagnaPageFields fields;
    fields.fields = {{"lblCompatibleWithAL", "Leo, Sagittarius, Gemini, Aquarius, Libra"}};
    one.fill(fields);
    for (InterpretationForm* form : {&one, &two}) {
      form->show();
      QVERIFY(QTest::qWaitForWindowExposed(form));
      for (int index = 0; index < 13; ++index) {
        if (!form->hasPage(index) || index == 8) continue;
        form->showPage(index);
        if (index == 0) form->page(0)->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(1);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        auto* area = form->page(index)->findChild<QScrollArea*>("scrAttributes");
        QVERIFY(area != nullptr);
        const int needed = area->widget()->heightForWidth(area->viewport()->width());
        // The attributes show whole and leave no empty band above the topic texts.
        QVERIFY2(area->height() <= needed + 1, qPrintable(QString("page %1: %2 > %3").arg(index).arg(area->height()).arg(needed)));
        QVERIFY2(area->height() >= needed - 1, qPrintable(QString("page %1 clipped").arg(index)));
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
    fields.fields = {{"lblColorAL", "White"}};
    PutOnClipboard("copied elsewhere");
    one.fill(fields);  // no topic text changes
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("copied elsewhere"));
    fields.fields.push_back({"txtLooksAL", "You are attractive and beautiful."});
    one.fill(fields);
    QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
  }
};

QTEST_MAIN(InterpretationFormsTest)
#include "test_interpretation_forms.moc"
