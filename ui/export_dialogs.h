#pragma once
#include <QString>
#include <functional>

class QWidget;

namespace corvane {

// What an export writes: the printed reading as PDF, or the square chart as a picture.
enum class ExportKind { kPdf, kChartPicture };

// The file an export goes to; an empty path when the user cancelled. For a picture, `svg`
// tells the format (from the file's extension, else from the chosen filter).
struct ExportChoice {
  QString path;
  bool svg = false;
};

// The save dialog of an export, opening on `suggestedName` (a file name without folder and
// extension) in the last folder used (see LastUsedFolder). It asks before overwriting a file. Tests replace it.
ExportChoice ChooseExportFile(QWidget* parent, ExportKind kind, const QString& suggestedName);

using ExportChooser = std::function<ExportChoice(ExportKind kind, const QString& suggestedName)>;
void SetExportChooserForTesting(ExportChooser chooser);

}  // namespace corvane
