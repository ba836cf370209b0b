#pragma once
#include <QFont>
#include <QString>
#include <QStringList>

namespace corvane {

// The printed reading and the chart pictures use the DejaVu fonts (Debian fonts-dejavu-core):
// installed with the program, wide in coverage and embeddable in PDF files.
inline QString ReportFontFamily() { return QStringLiteral("DejaVu Sans"); }
inline QString ReportMonoFontFamily() { return QStringLiteral("DejaVu Sans Mono"); }

// The faces tried in turn for each family, as the windows try theirs: where DejaVu is not
// installed the text takes another sans face, never the monospace face a font
// configuration may offer for a missing family.
inline QStringList ReportFontFamilies(const QString& family) {
  if (family == ReportMonoFontFamily())
    return {family, QStringLiteral("Liberation Mono"), QStringLiteral("Noto Mono"), QStringLiteral("Noto Sans Mono"),
            QStringLiteral("Nimbus Mono PS")};
  return {family, QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans"), QStringLiteral("Nimbus Sans")};
}

// A report font of that point size. Hinting is off so that text measures the same at
// every resolution: the page breaks of a PDF do not depend on the screen. Latin text is
// not shaped, so that no ligature glyph ("fi") stands in a PDF where a reader searches or
// copies the letters.
inline QFont ReportFont(const QString& family, double pointSize, bool bold = false) {
  QFont font(family);
  font.setFamilies(ReportFontFamilies(family));
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::PreferNoShaping));
  return font;
}

}  // namespace corvane
