#!/bin/sh
# Measures corvane-cli --batch: generates a CSV of ROWS valid births (default 1,000,000), runs
# it with --jobs 1 and --jobs 2 into /dev/null under /usr/bin/time -v, and prints records per
# second (wall clock, and per CPU second: on a shared machine the wall clock also counts other
# processes) and the peak resident memory of each run.
# Options after the program path go to each batch run, e.g. --engine swiss.
# Usage: scripts/bench_cli.sh [ROWS] [PATH/TO/corvane-cli] [OPTION...]
set -eu
rows=${1:-1000000}
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${2:-$root/build/corvane-cli}
[ -x /usr/bin/time ] || { echo "bench_cli.sh needs /usr/bin/time (Debian package time)" >&2; exit 1; }
shift $(( $# < 2 ? $# : 2 ))
extra="$*"  # simple options only, split on blanks
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
awk -v rows="$rows" -f "$root/scripts/bench_births.awk" > "$work/big.csv"

# One run: prints "wall user system peak-kB" from time -v.
run() {
  status=0
  /usr/bin/time -v -o "$work/time" "$cli" --batch "$work/big.csv" --jobs "$1" $extra > /dev/null || status=$?
  # Every generated record is valid: anything but 0 means the run went wrong.
  [ "$status" -eq 0 ] || { echo "corvane-cli --jobs $1 exited $status" >&2; exit 1; }
  awk -F': ' '
    /Elapsed \(wall clock\)/ { n = split($2, t, ":"); wall = 0; for (k = 1; k <= n; k++) wall = wall * 60 + t[k] }
    /User time/ { user = $2 } /System time/ { sys = $2 } /Maximum resident set size/ { rss = $2 }
    END { print wall, user, sys, rss }' "$work/time"
}

report() {  # jobs wall user sys rss
  awk -v j="$1" -v w="$2" -v u="$3" -v s="$4" -v m="$5" -v n="$rows" 'BEGIN {
    printf "--jobs %d: %d records, wall %.2f s (%.0f records/s), cpu %.2f s (%.0f records per cpu second), peak RSS %.1f MB\n",
           j, n, w, n / w, u + s, n / (u + s), m / 1024;
  }'
}

set -- $(run 1); w1=$1; report 1 "$@"
set -- $(run 2); w2=$1; report 2 "$@"
awk -v a="$w1" -v b="$w2" 'BEGIN { printf "--jobs 2 speed-up over --jobs 1 (wall clock): %.2fx\n", a / b }'
