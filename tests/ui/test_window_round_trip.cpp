// The chart file round trip as a user makes it through the windows: the input form filled
// with a zone chosen by name (a doubled hour answered, or an exact historical offset), the
// chart calculated and saved, then opened again in a newly started program. The result
// window must show the same positions, lagna marks and birth details before and after.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "tests/ui/zone_by_name.h"
#include "ui/app_controller.h"
#include "ui/file_dialogs.h"
#include "ui/frame_window.h"
#include "ui/input_form.h"
#include "ui/interpretation_form.h"
#include "ui/message_presenter.h"
#include "ui/result_form.h"

using namespace corvane;

class WindowRoundTripTest : public QObject {
  Q_OBJECT

  QStringList messages_;
  QStringList questions_;

  // Everything the result window shows in its labels, keyed by control name (and position
  // for the controls repeated per sign or per body).
  static QMap<QString, QString> shown(ResultForm* form) {
    QMap<QString, QString> texts;
    for (QLabel* label : form->findChildren<QLabel*>()) {
      if (label->objectName().isEmpty()) continue;
      const QVariant index = label->property("index");
      texts.insert(label->objectName() + (index.isValid() ? "#" + index.toString() : QString()), label->text());
    }
    return texts;
  }

  struct Case {
    const char* label;
    const char* name;
    const char* zone;
    int year, month, day, hour, minute, second;
    const char *lonD, *lonM, *latD, *latM;
    std::optional<int> answer;  // the reading of a doubled hour to choose, if one is asked
    const char* clock;          // a part of the clock row the result window must show
    const char* ascendant;      // the Ascendant as the window shows it on the clock used
  };

  static void fill(InputForm* form, const Case& c) {
    form->findChild<QLineEdit*>("txtName")->setText(QString::fromUtf8(c.name));
    form->findChild<QComboBox*>("cboYear")->setCurrentText(QString::number(c.year));
    form->findChild<QComboBox*>("cboMonth")->setCurrentIndex(c.month - 1);
    form->findChild<QComboBox*>("cboDate")->setCurrentText(QString::number(c.day));
    form->findChild<QComboBox*>("cboHH")->setCurrentText(QString::number(c.hour));
    form->findChild<QComboBox*>("cboMM")->setCurrentText(QString::number(c.minute));
    form->findChild<QComboBox*>("cboSS")->setCurrentText(QString::number(c.second));
    form->findChild<QLineEdit*>("txtLonD")->setText(c.lonD);
    form->findChild<QLineEdit*>("txtLonM")->setText(c.lonM);
    form->findChild<QRadioButton*>("optLong_0")->setChecked(true);  // east
    form->findChild<QLineEdit*>("txtLatD")->setText(c.latD);
    form->findChild<QLineEdit*>("txtLatM")->setText(c.latM);
    form->findChild<QRadioButton*>("optLat_0")->setChecked(true);  // north
  }

 private slots:
  void init() {
    messages_.clear();
    questions_.clear();
    SetMessageSinkForTesting([this](QWidget*, const QString& t, MessageIcon) { messages_.push_back(t); });
  }
  void cleanup() {
    DestroyLagnaForms();
    SetChoiceAskerForTesting({});
    SetFileChooserForTesting({});
  }

  void savedAndReopenedChartShowsTheSame_data() {
    QTest::addColumn<int>("row");
    QTest::newRow("Berlin doubled hour, later reading") << 0;
    QTest::newRow("Berlin doubled hour, earlier reading") << 1;
    QTest::newRow("Amsterdam mean time, exact offset") << 2;
  }

  void savedAndReopenedChartShowsTheSame() {
    QFETCH(int, row);
    // München is at 48° 8' N, 11° 35' E; Amsterdam at 52° 22' N, 4° 53' E. Berlin's clocks
    // went back from 03:00 CEST to 02:00 CET on 31 October 2021, so 02:30:15 happened twice;
    // Amsterdam kept its own mean time, 19 minutes 32 seconds ahead of Greenwich, until 1937.
    // The Ascendants are those of the two readings an hour apart (23 Leo 51 on CET, 12 Leo 51
    // on CEST), and 29 Ari 05 at Amsterdam mean time (10 Ari 07 were it read as CET).
    const Case cases[] = {
        {"later", "ZOË MÜLLER", "Europe/Berlin", 2021, 10, 31, 2, 30, 15, "11", "35", "48", "8", 1, "UTC+1:00", "23 Leo 51"},
        {"earlier", "ZOË MÜLLER", "Europe/Berlin", 2021, 10, 31, 2, 30, 15, "11", "35", "48", "8", 0, "UTC+2:00", "12 Leo 51"},
        {"exact", "ANNA DE VRIES", "Europe/Amsterdam", 1930, 1, 15, 12, 0, 0, "4", "53", "52", "22", {}, "UTC+0:19:32", "29 Ari 05"},
    };
    const Case& c = cases[row];
    SetChoiceAskerForTesting([&](QWidget*, const QString& text, const QStringList&) {
      questions_ << text;
      return c.answer;
    });

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("reading.zdh");
    QMap<QString, QString> before;
    {
      AppController app;
      app.start();
      InputForm* input = app.inputForm();
      fill(input, c);
      corvane::testing::ChooseZoneByName(input, c.zone);
      QCOMPARE(input->birthData().extras.zoneId, std::optional<std::string>(c.zone));
      QVERIFY2(input->runCalculation(), qPrintable(messages_.join('\n')));
      QCOMPARE(questions_.size(), c.answer ? 1 : 0);
      before = shown(app.frameWindow()->resultForm());
      SetFileChooserForTesting([&](FileDialogKind kind) { return kind == FileDialogKind::Save ? path : QString(); });
      app.frameWindow()->findChild<QPushButton*>("cmdSave")->click();
      QVERIFY(QFile::exists(path));
      DestroyLagnaForms();
    }

    // A program started afresh knows nothing but the file.
    AppController app;
    app.start();
    SetFileChooserForTesting([&](FileDialogKind kind) { return kind == FileDialogKind::Open ? path : QString(); });
    app.inputForm()->findChild<QPushButton*>("cmdOpen")->click();
    QVERIFY2(app.frameWindow(), qPrintable(messages_.join('\n')));
    QVERIFY(messages_.isEmpty());
    QCOMPARE(questions_.size(), c.answer ? 1 : 0);  // the saved reading is not asked for again
    const QMap<QString, QString> after = shown(app.frameWindow()->resultForm());
    QCOMPARE(after.keys(), before.keys());
    for (auto it = before.cbegin(); it != before.cend(); ++it) QCOMPARE(it.key() + ": " + after.value(it.key()), it.key() + ": " + it.value());

    QVERIFY2(after.value("planet_9#9").startsWith(c.ascendant), qPrintable(after.value("planet_9#9")));
    // The details name the clock that was used, and the time with two-digit minutes and seconds.
    const QString details = QStringList(after.values()).join('\n');
    QVERIFY2(details.contains(c.clock), qPrintable(details));
    const QString time = QString("%1:%2:%3").arg(c.hour, 2, 10, QChar('0')).arg(c.minute, 2, 10, QChar('0')).arg(c.second, 2, 10, QChar('0'));
    QVERIFY2(details.contains(time), qPrintable(details));
    if (c.answer) QVERIFY2(details.contains(QString(c.label) + " of the doubled hour"), qPrintable(details));
  }
};

QTEST_MAIN(WindowRoundTripTest)
#include "test_window_round_trip.moc"
