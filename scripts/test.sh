#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole test suite twice: a normal build
# and one under AddressSanitizer and UndefinedBehaviorSanitizer. Needs no display. The normal
# build's suite includes the Python package's tests (python_package: python3 -m pytest
# tests/python against the built module and corvane-cli); the sanitizer build has no Python
# module, since a python3 process does not load the sanitizers' runtime.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

# The widget tests (the Qt Test programs of tests/ui, ctest names test_*) again under each
# font set: fontconfig sees only that set's fonts, so a layout that measured a font it did
# not get, or a font request that names no family the set has, shows here.
source scripts/font_sets.sh
font_root=$(mktemp -d)
trap 'rm -rf "$font_root"' EXIT
write_font_sets "$font_root"
for set in "${FONT_SETS[@]}"; do
  echo "Widget tests under the font set $set"
  (cd build && FONTCONFIG_FILE="$font_root/$set/fonts.conf" CORVANE_EXPECTED_FONTS="${FONT_SET_EXPECTED[$set]}" \
     ctest --output-on-failure -j"$jobs" -R '^test_')
done

# Line tables only (-g1): the sanitizers' reports keep their file and line, the build is quicker.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCORVANE_SANITIZE=ON -DCORVANE_BUILD_BENCH=OFF > /dev/null
cmake --build build-asan -j"$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
   ctest --output-on-failure -j"$jobs" -E station_table_reproduces)
