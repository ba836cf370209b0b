#!/usr/bin/env bash
# Builds Corvane and saves screenshots of its windows, drawn on a virtual X display, into
# the folder given (default: screenshots/): the input form (also at its smallest), the
# result window (with the keyboard on the lagna list, and maximized), every interpretation
# page at its designed size, a cascaded pair of pages, a page at its smallest, the about box
# and a second chart typed in after Back; the result window and a page at QT_SCALE_FACTOR=2,
# and the pages of the sample's printed reading (reading-NN.png, 60 dpi). Then the shots of
# what the windows do for the user (NN-what-TAG.png: a page grown to show its texts, focus
# rings, the compare window, a refused year, the zone after a doubled hour, the link and
# true-node messages, the save dialog and the status line) at 1x and 2x and at 1x under each
# font set of scripts/font_sets.sh, on a 1600x1000 screen (3200x2000 at 2x). BUILD_DIR picks
# the build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-screenshots}"
bash scripts/deps.sh
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" > /dev/null
cmake --build "$build" -j"$(nproc)" --target corvane_screenshot_tour corvane-cli
xvfb-run -a -s "-screen 0 1600x1100x24" "$build/ui/corvane_screenshot_tour" "$out"
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 3000x2000x24" "$build/ui/corvane_screenshot_tour" "$out" --high-dpi
xvfb-run -a -s "-screen 0 1600x1000x24" "$build/ui/corvane_screenshot_tour" "$out" --items 1x
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 3200x2000x24" "$build/ui/corvane_screenshot_tour" "$out" --items 2x
source scripts/font_sets.sh
font_root=$(mktemp -d)
trap 'rm -rf "$font_root"' EXIT
write_font_sets "$font_root"
for set in "${FONT_SETS[@]}"; do
  FONTCONFIG_FILE="$font_root/$set/fonts.conf" xvfb-run -a -s "-screen 0 1600x1000x24" \
    "$build/ui/corvane_screenshot_tour" "$out" --items "$set"
done
"$build/corvane-cli" --name "ram kumar" --date 1975-06-05 --time 07:05 --zone 34 --lon 77:13E --lat 28:36N \
  --city "New Delhi" --state Delhi --country India --paper a4 --pdf "$out/reading.pdf" > /dev/null
rm -f "$out"/reading-*.png
pdftoppm -r 60 -png "$out/reading.pdf" "$out/reading"
echo "reading.pdf: $(pdfinfo "$out/reading.pdf" | awk '/^Pages:/ {print $2}') pages"
ls "$out"
