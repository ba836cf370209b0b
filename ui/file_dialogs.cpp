#include "ui/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "ui/message_presenter.h"

namespace corvane {

namespace {
constexpr char kLastFolderKey[] = "files/lastFolder";

FileChooser& Chooser() {
  static FileChooser chooser;
  return chooser;
}

QString RunDialog(QWidget* parent, FileDialogKind kind, const QString& suggestedStem) {
  QString chosen;
  if (Chooser()) {
    chosen = Chooser()(kind);
  } else {
    const FileDialogStart start = ChartFileDialogStart(kind, suggestedStem);
    QFileDialog dialog(parent, start.title);
    dialog.setNameFilter("Corvane (*.zdh)");
    dialog.setDefaultSuffix("zdh");
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setDirectory(start.folder);
    if (kind == FileDialogKind::Open) {
      dialog.setAcceptMode(QFileDialog::AcceptOpen);
      dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
      // The dialog asks before overwriting an existing file.
      dialog.setAcceptMode(QFileDialog::AcceptSave);
      dialog.setFileMode(QFileDialog::AnyFile);
      dialog.selectFile(start.fileName);
    }
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) chosen = dialog.selectedFiles().constFirst();
  }
  RememberFolderOf(chosen);
  return chosen;
}
}  // namespace

FileDialogStart ChartFileDialogStart(FileDialogKind kind, const QString& suggestedStem) {
  if (kind == FileDialogKind::Open) return {QStringLiteral("Open Chart File"), LastUsedFolder(), QString()};
  return {QStringLiteral("Save Chart File"), LastUsedFolder(),
          suggestedStem.isEmpty() ? QString() : suggestedStem + QStringLiteral(".zdh")};
}

QString LastUsedFolder() {
  const QString kept = QSettings("Corvane", "Corvane").value(kLastFolderKey).toString();
  if (!kept.isEmpty() && QFileInfo(kept).isDir()) return kept;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
  return QDir::homePath();
}

void RememberFolderOf(const QString& path) {
  if (path.isEmpty()) return;
  QSettings("Corvane", "Corvane").setValue(kLastFolderKey, QFileInfo(path).absolutePath());
}

QString ChooseChartFileToOpen(QWidget* parent) { return RunDialog(parent, FileDialogKind::Open, QString()); }
QString ChooseChartFileToSave(QWidget* parent, const QString& suggestedStem) {
  return RunDialog(parent, FileDialogKind::Save, suggestedStem);
}

void SetFileChooserForTesting(FileChooser chooser) { Chooser() = std::move(chooser); }

}  // namespace corvane
