#!/usr/bin/env bash
# Builds Corvane and saves screenshots of its windows, drawn on a virtual X display, into
# the folder given (default: screenshots/). BUILD_DIR picks the build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-screenshots}"
bash scripts/deps.sh
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" > /dev/null
cmake --build "$build" -j"$(nproc)" --target corvane_screenshot_tour
xvfb-run -a -s "-screen 0 1600x1100x24" "$build/ui/corvane_screenshot_tour" "$out"
ls "$out"
