#pragma once
#include <QFont>
#include <QStringList>

namespace corvane {

// The windows were designed in Verdana and Courier New, which a Linux desktop seldom has.
// Each font request names the designed family first and then the Debian-packaged families
// that fit it best, so that the font a window gets does not hang on whatever fontconfig
// substitutes. Layouts measure the font they got (QFontMetrics of the widget's font).
QStringList InterfaceFamilies();  // Verdana, then DejaVu Sans, Liberation Sans, Noto Sans, ...
QStringList NumberFamilies();     // Courier New, then Liberation Mono, DejaVu Sans Mono, ...

QFont InterfaceFont(double pointSize, bool bold = false);

// Gives the application's default font (menus, dialogs, the input form) the interface
// families when the desktop's default came out as a fixed-pitch face, as fontconfig picks
// for "sans-serif" on a machine with only Liberation and Noto Mono. A desktop's own
// proportional font is left as it is. Call once the QApplication exists.
void KeepTheDefaultFontProportional();
QFont NumberFont(double pointSize);

}  // namespace corvane
