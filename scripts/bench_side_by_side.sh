#!/bin/sh
# The batch beside the astronomy it computes, in one run, each on one pinned core:
#   - direct Swiss Ephemeris calls for a chart's astronomy (bench/swiss_direct_bench: ten
#     bodies, the ascendant, six sunrises and sunsets) on the same births,
#   - corvane-cli --batch --jobs 1 on ROWS rows (default 200,000) into /dev/null,
#   - corvane.charts(frame, jobs=1) on the same rows (the CSV read is not counted),
# then prints charts per CPU second of each and their ratios to the Swiss Ephemeris rate
# (CPU time: the machine may be shared). Then --jobs 2 against --jobs 1 by the wall clock
# (both cores, so only meaningful on a quiet machine), what --vargas adds (the middle of five
# pairs of runs), and the peak memory of a
# 1,000,000-row batch with --jobs 2.
# Usage: scripts/bench_side_by_side.sh [ROWS] [BUILD_FOLDER] [CORE]
set -eu
rows=${1:-200000}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${2:-$root/build}" && pwd)
core=${3:-1}
for tool in /usr/bin/time taskset; do
  command -v "$tool" > /dev/null || { echo "bench_side_by_side.sh needs $tool" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
awk -v rows="$rows" -f "$root/scripts/bench_births.awk" > "$work/rows.csv"
pin="taskset -c $core"

echo "load: $(uptime)"
# Swiss Ephemeris: Google Benchmark's items per second count CPU time.
swiss=$($pin "$build/swiss_direct_bench" --benchmark_format=csv 2> /dev/null |
        awk -F, '/^"SwissChartAstronomy/ { print $7 }')
# corvane-cli: records per CPU second (user + system) of one run.
cli_run() {  # jobs pin rows [option]
  $2 /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$build/corvane-cli" --batch "$work/$3" --jobs "$1" ${4:-} > /dev/null
  cat "$work/time"
}
# CPU seconds (user + system) of one pinned run with --jobs 1: cli_cpu rows [option]
cli_cpu() {
  set -- $(cli_run 1 "$pin" "$@")
  echo "$2 $3" | awk '{ print $1 + $2 }'
}
cli_cpu=$(cli_cpu rows.csv)
# corvane.charts: CPU seconds of the call alone, in a fresh process.
py_cpu=$($pin /usr/bin/python3 "$root/scripts/bench_python.py" "$rows" "$build" "$work/rows.csv" 1 --measure | awk '{ print $1 }')
awk -v n="$rows" -v s="$swiss" -v c="$cli_cpu" -v p="$py_cpu" 'BEGIN {
  printf "Swiss Ephemeris, direct calls:   %9.0f charts per CPU second (%.1f us a chart)\n", s, 1e6 / s;
  printf "corvane-cli --batch --jobs 1:    %9.0f charts per CPU second  = %5.1f x Swiss (aim 30)\n", n / c, n / c / s;
  printf "corvane.charts(jobs=1):          %9.0f charts per CPU second  = %5.1f x Swiss (aim 35)\n", n / p, n / p / s;
}'

# The sixteen vargas of every entry against none, the same rows on the same core: five pairs of
# adjacent runs, which goes first taking turns, and the middle one of the five ratios (a single
# pair scatters by several points on a shared machine).
ratios=""
for pair in 1 2 3 4 5; do
  if [ $((pair % 2)) -eq 0 ]; then
    vargas_cpu=$(cli_cpu rows.csv --vargas)
  fi
  none_cpu=$(cli_cpu rows.csv)
  if [ $((pair % 2)) -eq 1 ]; then
    vargas_cpu=$(cli_cpu rows.csv --vargas)
  fi
  ratios="$ratios $(awk -v a="$none_cpu" -v b="$vargas_cpu" 'BEGIN { printf "%.4f", b / a }')"
done
echo "$ratios" | awk '{ n = split($0, r, " "); for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (r[j] + 0 < r[i] + 0) { t = r[i]; r[i] = r[j]; r[j] = t }
  printf "--vargas over none (CPU time, middle of %d pairs): %+.1f%% (aim <= 10%%; pairs from %+.1f%% to %+.1f%%)\n",
         n, 100 * (r[(n + 1) / 2] - 1), 100 * (r[1] - 1), 100 * (r[n] - 1) }'

# Two threads against one, unpinned, by the wall clock.
set -- $(cli_run 2 "" rows.csv); cli_wall2=$1
set -- $(cli_run 1 "" rows.csv); cli_wall1=$1
awk -v a="$cli_wall1" -v b="$cli_wall2" 'BEGIN {
  printf "--jobs 2 over --jobs 1 (wall clock, unpinned): %.2fx (aim 1.9; %.2f s against %.2f s)\n", a / b, b, a }'

awk -v rows=1000000 -f "$root/scripts/bench_births.awk" > "$work/million.csv"
set -- $(cli_run 2 "" million.csv)
echo "1,000,000 rows with --jobs 2: peak memory $(awk -v k="$4" 'BEGIN { printf "%.1f", k / 1024 }') MB (aim < 15), wall $1 s"
echo "load: $(uptime)"
