#!/bin/sh
# Start-up and drawing times of corvane-cli (hyperfine, Debian hyperfine): one chart as JSON,
# which must not load Qt, and the same chart as a PDF reading and as a PNG picture, which
# load the report module. Usage: scripts/bench_report.sh [PATH/TO/corvane-cli]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$root/build/corvane-cli}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
birth="--name RAM --date 1975-06-05 --time 07:05 --zone 34 --lon 77:13E --lat 28:36N"
hyperfine -N --warmup 20 --min-runs 200 "$cli $birth --json"
hyperfine -N --warmup 3 --min-runs 20 "$cli $birth --json --pdf $work/r.pdf" "$cli $birth --json --png $work/c.png"
