#!/bin/sh
# Builds one libFuzzer target with clang and runs it for the given number of seconds.
# Usage: scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]
#        scripts/fuzz.sh SECONDS [libFuzzer options...]   (every target in turn, SECONDS each)
#   TARGET is a NAME of tests/fuzz/NAME_fuzz.cpp (chart_file, chart_fields, ...). The seeds in
#   tests/fuzz/corpus/NAME/ are read but never written; what the run finds goes to
#   build-fuzz/corpus/NAME/, and a crashing input to build-fuzz/crash-* (or -artifact_prefix).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
targets=$(cd "$root/tests/fuzz" && ls *_fuzz.cpp 2>/dev/null | sed 's/_fuzz\.cpp$//' | tr '\n' ' ')
usage="Usage: scripts/fuzz.sh [TARGET] SECONDS [libFuzzer options...]   targets: $targets"
case ${1:-} in
  '' ) echo "$usage" >&2; exit 64 ;;
  *[!0-9]* ) ;;
  * )
    # SECONDS alone: every target in turn.
    for t in $targets; do
      echo "scripts/fuzz.sh: $t for $1 s" >&2
      sh "$0" "$t" "$@" || exit $?
    done
    exit 0 ;;
esac
if [ $# -lt 2 ]; then
  echo "$usage" >&2
  exit 64
fi
target=$1
seconds=$2
shift 2
if [ ! -f "$root/tests/fuzz/${target}_fuzz.cpp" ]; then
  echo "scripts/fuzz.sh: no fuzz target \"$target\"; targets: $targets" >&2
  exit 64
fi
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
# The libraries are instrumented too (fuzzer-no-link), so coverage reaches the code under test.
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCORVANE_FUZZ=ON -DCORVANE_BUILD_UI=OFF \
  -DCORVANE_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" >/dev/null
cmake --build "$build" --target "${target}_fuzz" -j2
found=$build/corpus/$target
mkdir -p "$found"
seeds=$root/tests/fuzz/corpus/$target
dict=$root/tests/fuzz/$target.dict
set -- -max_total_time="$seconds" -max_len=4096 -artifact_prefix="$build/" "$@"
[ -f "$dict" ] && set -- -dict="$dict" "$@"
[ -d "$seeds" ] && set -- "$@" "$found" "$seeds" || set -- "$@" "$found"
exec "$build/tests/fuzz/${target}_fuzz" "$@"
