#!/usr/bin/env bash
# Builds Corvane and saves screenshots of its windows, drawn on a virtual X display, into
# the folder given (default: screenshots/): the input form (also at its smallest), the
# result window (with the keyboard on the lagna list, and maximized), every interpretation
# page at its designed size, a cascaded pair of pages, a page at its smallest, the about box
# and a second chart typed in after Back. BUILD_DIR picks the build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-screenshots}"
bash scripts/deps.sh
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" > /dev/null
cmake --build "$build" -j"$(nproc)" --target corvane_screenshot_tour
xvfb-run -a -s "-screen 0 1600x1100x24" "$build/ui/corvane_screenshot_tour" "$out"
ls "$out"
