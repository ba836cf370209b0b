#!/usr/bin/env bash
# Builds Corvane and saves screenshots of its windows, drawn on a virtual X display, into
# the folder given (default: screenshots/): the input form (also at its smallest), the
# result window (with the keyboard on the lagna list, and maximized), every interpretation
# page at its designed size, a cascaded pair of pages, a page at its smallest, the about box
# and a second chart typed in after Back; the result window and a page at QT_SCALE_FACTOR=2,
# and the pages of the sample's printed reading (reading-NN.png, 60 dpi). BUILD_DIR picks the
# build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-screenshots}"
bash scripts/deps.sh
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" > /dev/null
cmake --build "$build" -j"$(nproc)" --target corvane_screenshot_tour corvane-cli
xvfb-run -a -s "-screen 0 1600x1100x24" "$build/ui/corvane_screenshot_tour" "$out"
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 3000x2000x24" "$build/ui/corvane_screenshot_tour" "$out" --high-dpi
"$build/corvane-cli" --name "ram kumar" --date 1975-06-05 --time 07:05 --zone 34 --lon 77:13E --lat 28:36N \
  --city "New Delhi" --state Delhi --country India --paper a4 --pdf "$out/reading.pdf" > /dev/null
rm -f "$out"/reading-*.png
pdftoppm -r 60 -png "$out/reading.pdf" "$out/reading"
echo "reading.pdf: $(pdfinfo "$out/reading.pdf" | awk '/^Pages:/ {print $2}') pages"
ls "$out"
