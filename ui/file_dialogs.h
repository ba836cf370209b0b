#pragma once
#include <QString>
#include <functional>

class QWidget;

namespace corvane {

// The chart file dialogs: filter "Corvane (*.zdh)", default extension "zdh". Each returns the
// chosen path, or an empty string when the user cancels. Tests replace the chooser.
QString ChooseChartFileToOpen(QWidget* parent);
// The save dialog, titled "Save Chart File", suggests `suggestedStem`.zdh.
QString ChooseChartFileToSave(QWidget* parent, const QString& suggestedStem);

enum class FileDialogKind { Open, Save };

// How a chart file dialog opens: its title, the folder it shows and the file name it
// suggests (empty when opening).
struct FileDialogStart {
  QString title;
  QString folder;
  QString fileName;
};
FileDialogStart ChartFileDialogStart(FileDialogKind kind, const QString& suggestedStem);

// The folder every file dialog starts in: the folder of the file last opened, saved or
// exported (kept with the settings) while it exists, else the documents folder, else home.
QString LastUsedFolder();
// Keeps the folder of `path` as the last one used; an empty path changes nothing.
void RememberFolderOf(const QString& path);

using FileChooser = std::function<QString(FileDialogKind)>;
void SetFileChooserForTesting(FileChooser chooser);

}  // namespace corvane
