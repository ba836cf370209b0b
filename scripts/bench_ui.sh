#!/usr/bin/env bash
# Times the windows on a virtual X display: process launch to the input form painted, and
# the press of "Get My Corvane Reading" to the result window painted.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build > /dev/null
cmake --build build -j"$(nproc)" --target corvane_ui_timing
xvfb-run -a -s "-screen 0 1600x1100x24" bash -c '
  for run in 1 2 3 4 5; do
    start=$(date +%s%N)
    out=$(build/ui/corvane_ui_timing 2>/dev/null)
    shown=$(echo "$out" | awk "/input_form_painted_ns/ {print \$2}")
    echo "run $run: launch to input form painted $(( (shown - start) / 1000000 )) ms; $(echo "$out" | grep calculate_to)"
  done'
