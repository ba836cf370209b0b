#pragma once
#include <QString>
#include <functional>

class QWidget;

namespace corvane {

// The chart file dialogs: filter "Corvane (*.zdh)", default extension "zdh". Each returns the
// chosen path, or an empty string when the user cancels. Tests replace the chooser.
QString ChooseChartFileToOpen(QWidget* parent);
QString ChooseChartFileToSave(QWidget* parent);

enum class FileDialogKind { Open, Save };
using FileChooser = std::function<QString(FileDialogKind)>;
void SetFileChooserForTesting(FileChooser chooser);

}  // namespace corvane
