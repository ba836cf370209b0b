#!/usr/bin/env bash
# A reading printed while fontconfig sees only the Liberation font set (scripts/font_sets.sh)
# embeds fonts of that set alone, all of them, and sets its text in Liberation Sans: no
# DejaVu from the system's usual fonts, and not only the monospace face (which the chart's
# figures use) in place of the sans one.
# Usage: pdf_fonts_under_font_set.sh CORVANE_CLI FONT_SETS_SCRIPT
set -euo pipefail
cli=$1
source "$2"
for tool in pdffonts fc-list; do
  command -v "$tool" > /dev/null || { echo "FAIL: $tool is missing (scripts/deps.sh installs it)"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
write_font_sets "$work/sets"
export FONTCONFIG_FILE="$work/sets/liberation/fonts.conf" QT_QPA_PLATFORM=offscreen

# The PostScript names of the faces the set holds, as fontconfig lists them.
fc-list : postscriptname | sed 's/^:postscriptname=//' | sort -u > "$work/set.txt"
grep -q '^LiberationSans$' "$work/set.txt" || { echo "FAIL: the set has no Liberation Sans"; cat "$work/set.txt"; exit 1; }

"$cli" --name RAM --date 1975-06-05 --time 07:05 --zone 34 --lon 77:13E --lat 28:36N --pdf "$work/reading.pdf" > /dev/null
pdffonts "$work/reading.pdf" > "$work/fonts.txt"
# After two heading lines: name (with a subset prefix such as "ABCDEF+"), type, encoding,
# then emb sub uni; the type and encoding may be two words, so emb is found from the end.
awk 'NR > 2 { print $1, $(NF - 4) }' "$work/fonts.txt" | sed 's/^[A-Z]\{6\}+//' > "$work/embedded.txt"
status=0
[ -s "$work/embedded.txt" ] || { echo "FAIL: no font in the PDF"; status=1; }
while read -r name embedded; do
  grep -qxF "$name" "$work/set.txt" || { echo "FAIL: $name is not a font of the Liberation set"; status=1; }
  [ "$embedded" = yes ] || { echo "FAIL: $name is not embedded"; status=1; }
done < "$work/embedded.txt"
grep -q '^LiberationSans ' "$work/embedded.txt" || { echo "FAIL: the text is not set in Liberation Sans"; status=1; }
[ "$status" = 0 ] || cat "$work/fonts.txt"
exit "$status"
