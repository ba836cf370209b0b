#!/bin/sh
# The collection's crash test at full size: a 10,000-file import killed with SIGKILL at a
# random moment, 20 times. After each kill the database must open, pass PRAGMA
# integrity_check, hold the 30 charts of an earlier import and either none or all of the
# killed import's charts (the import is one transaction). Prints one table row per run:
# run, when it was killed (ms after the start and share of a whole import), integrity, and
# the charts present of each import.
# The suite runs the same test with 500 files, to stay quick; this runs it with FILES files.
# Usage: scripts/collection_crash.sh [FILES] [BUILD-FOLDER]
set -eu
files=${1:-10000}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$root/build}
tests=$build/corvane_cli_tests
[ -x "$tests" ] && [ -x "$build/corvane-cli" ] ||
  { echo "collection_crash.sh: build corvane_cli_tests and corvane-cli in $build first" >&2; exit 1; }
CORVANE_CRASH_FILES=$files exec "$tests" \
  --gtest_filter=CollectionCliTest.AnImportKilledAtAnyMomentLeavesTheCommittedChartsWhole
