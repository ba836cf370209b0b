// Widget tests of the frame window's print and export entries: the print preview of the
// reading, the PDF and chart picture exports, and a failed export.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "tests/ui/own_settings.h"
#include "app/chart_calculation.h"
#include "tests/app/sample_birth.h"
#include "ui/export_dialogs.h"
#include "ui/frame_window.h"
#include "ui/interpretation_form.h"
#include "ui/message_presenter.h"

using namespace corvane;

class ReportMenusTest : public QObject {
  Q_OBJECT

  QStringList messages_;
  ExportChoice choice_;
  QList<ExportKind> asked_;
  QString suggested_;
  std::unique_ptr<FrameWindow> frame_;  // showing the sample chart
  std::unique_ptr<QTemporaryDir> folder_;  // a fresh one per test

  static QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  // Chooses `path` in the export dialog that the menu entry `action` opens.
  void exportTo(const char* action, const QString& path, bool svg = false) {
    choice_ = {path.isEmpty() ? QString() : folder_->filePath(path), svg};
    frame_->findChild<QAction*>(action)->trigger();
  }

 private slots:
  void init() {
    corvane::testing::ForgetKeptSettings();
    folder_ = std::make_unique<QTemporaryDir>();
    frame_ = std::make_unique<FrameWindow>();
    const CalculationResult result = CalculateChart(testing::DelhiBirth());
    QVERIFY(result.ok());
    frame_->showChart(std::get<0>(result.outcome));
    messages_.clear();
    asked_.clear();
    SetMessageSinkForTesting([this](QWidget*, const QString& t, MessageIcon) { messages_.push_back(t); });
    SetExportChooserForTesting([this](ExportKind kind, const QString& suggested) {
      asked_ << kind;
      suggested_ = suggested;
      return choice_;
    });
  }
  void cleanup() {
    frame_.reset();
    SetExportChooserForTesting({});
    DestroyLagnaForms();
  }

  void exportPdfWritesTheReading() {
    exportTo("mnuExportPdf", "reading.pdf");
    QCOMPARE(asked_, QList<ExportKind>{ExportKind::kPdf});
    QCOMPARE(suggested_, QString("RAM_1975-06-05"));
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
    const QByteArray pdf = Read(choice_.path);
    QVERIFY(pdf.startsWith("%PDF-"));
    QVERIFY(pdf.count("/Type /Page") - pdf.count("/Type /Pages") >= 14);
    QCOMPARE(QDir(folder_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"reading.pdf"});
  }

  void exportPictureTakesTheChosenFormat() {
    exportTo("mnuExportPicture", "chart.svg", true);
    QCOMPARE(asked_.value(0), ExportKind::kChartPicture);
    QSvgRenderer svg(choice_.path);
    QVERIFY(svg.isValid());
    QCOMPARE(Read(choice_.path).count("<rect"), 12);

    exportTo("mnuExportPicture", "chart.png");
    const QImage png(choice_.path, "PNG");
    QCOMPARE(png.size(), QSize(1200, 1200));
    QVERIFY(messages_.isEmpty());
  }

  // A path that cannot take the file: a message naming it, and nothing written; an existing
  // file keeps its content when the export over it fails.
  void failedExportShowsAMessageAndKeepsTheOldFile() {
    exportTo("mnuExportPdf", "missing/reading.pdf");
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(messages_[0].contains(choice_.path), qPrintable(messages_[0]));

    QDir(folder_->path()).mkdir("taken.svg");
    QFile old(folder_->filePath("taken.svg/keep.txt"));
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    exportTo("mnuExportPicture", "taken.svg", true);
    QCOMPARE(messages_.size(), 2);
    QCOMPARE(Read(folder_->filePath("taken.svg/keep.txt")), QByteArray("old"));
    QCOMPARE(QDir(folder_->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"taken.svg"});

    exportTo("mnuExportPdf", QString());  // cancelled: nothing happens
    QCOMPARE(messages_.size(), 2);
  }

  // Print opens the preview of the whole reading, whose Print button leads to the print
  // dialog; the preview is closed again here.
  void printShowsThePreviewOfTheReading() {
    int previewPages = -1;
    QTimer::singleShot(0, [&] {
      auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
      if (preview == nullptr) return;
      if (auto* widget = preview->findChild<QPrintPreviewWidget*>()) {
        widget->updatePreview();
        previewPages = widget->pageCount();
      }
      preview->reject();
    });
    frame_->findChild<QAction*>("mnuPrint")->trigger();
    QVERIFY2(previewPages >= 14, qPrintable(QString::number(previewPages)));
  }
};

QTEST_MAIN(ReportMenusTest)
#include "test_report_menus.moc"
