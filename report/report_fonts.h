#pragma once
#include <QFont>
#include <QString>

namespace corvane {

// The printed reading and the chart pictures use the DejaVu fonts (Debian fonts-dejavu-core):
// installed with the program, wide in coverage and embeddable in PDF files.
inline QString ReportFontFamily() { return QStringLiteral("DejaVu Sans"); }
inline QString ReportMonoFontFamily() { return QStringLiteral("DejaVu Sans Mono"); }

// A report font of that point size. Hinting is off so that text measures the same at
// every resolution: the page breaks of a PDF do not depend on the screen. Latin text is
// not shaped, so that no ligature glyph ("fi") stands in a PDF where a reader searches or
// copies the letters.
inline QFont ReportFont(const QString& family, double pointSize, bool bold = false) {
  QFont font(family);
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::PreferNoShaping));
  return font;
}

}  // namespace corvane
