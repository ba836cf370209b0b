#include "ui/file_dialogs.h"

#include <QFileDialog>

#include "ui/message_presenter.h"

namespace corvane {

namespace {
FileChooser& Chooser() {
  static FileChooser chooser;
  return chooser;
}

QString RunDialog(QWidget* parent, FileDialogKind kind) {
  if (Chooser()) return Chooser()(kind);
  QFileDialog dialog(parent, kind == FileDialogKind::Open ? "Select the source file" : kApplicationTitle);
  dialog.setNameFilter("Corvane (*.zdh)");
  dialog.setDefaultSuffix("zdh");
  dialog.setOption(QFileDialog::ReadOnly, false);
  if (kind == FileDialogKind::Open) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  } else {
    // The dialog asks before overwriting an existing file.
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}
}  // namespace

QString ChooseChartFileToOpen(QWidget* parent) { return RunDialog(parent, FileDialogKind::Open); }
QString ChooseChartFileToSave(QWidget* parent) { return RunDialog(parent, FileDialogKind::Save); }

void SetFileChooserForTesting(FileChooser chooser) { Chooser() = std::move(chooser); }

}  // namespace corvane
