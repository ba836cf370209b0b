#include "ui/export_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "ui/file_dialogs.h"

namespace corvane {

namespace {

constexpr char kPdfFilter[] = "PDF document (*.pdf)";
constexpr char kPngFilter[] = "PNG picture (*.png)";
constexpr char kSvgFilter[] = "SVG drawing (*.svg)";

ExportChooser& Chooser() {
  static ExportChooser chooser;
  return chooser;
}

}  // namespace

ExportChoice ChooseExportFile(QWidget* parent, ExportKind kind, const QString& suggestedName) {
  if (Chooser()) {
    ExportChoice choice = Chooser()(kind, suggestedName);
    RememberFolderOf(choice.path);
    return choice;
  }
  const bool pdf = kind == ExportKind::kPdf;
  QFileDialog dialog(parent, pdf ? QStringLiteral("Export PDF") : QStringLiteral("Export Chart Picture"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(pdf ? QStringList{kPdfFilter} : QStringList{kPngFilter, kSvgFilter});
  dialog.setDefaultSuffix(pdf ? QStringLiteral("pdf") : QStringLiteral("png"));
  // The default suffix follows the filter the user picks.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
    dialog.setDefaultSuffix(filter == kSvgFilter ? QStringLiteral("svg") : QStringLiteral("png"));
  });
  dialog.setDirectory(LastUsedFolder());
  dialog.selectFile(suggestedName + (pdf ? QStringLiteral(".pdf") : QStringLiteral(".png")));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};

  ExportChoice choice{dialog.selectedFiles().constFirst(), false};
  RememberFolderOf(choice.path);
  if (!pdf) {
    const QString suffix = QFileInfo(choice.path).suffix().toLower();
    choice.svg = suffix == QLatin1String("svg") || (suffix != QLatin1String("png") && dialog.selectedNameFilter() == kSvgFilter);
  }
  return choice;
}

void SetExportChooserForTesting(ExportChooser chooser) { Chooser() = std::move(chooser); }

}  // namespace corvane
