#!/bin/sh
# Builds the chart file fuzzer with clang and runs it for the given number of seconds.
# Usage: scripts/fuzz.sh [SECONDS]   (default 60)
set -eu
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
# The libraries are instrumented too (fuzzer-no-link), so coverage reaches the codec.
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCORVANE_FUZZ=ON -DCORVANE_BUILD_UI=OFF \
  -DCORVANE_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" >/dev/null
cmake --build "$build" --target chart_file_fuzz -j2
corpus=$build/chart_file_corpus
mkdir -p "$corpus"
exec "$build/tests/fuzz/chart_file_fuzz" -max_total_time="$seconds" -max_len=4096 "$corpus"
