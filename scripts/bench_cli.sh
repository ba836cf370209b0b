#!/bin/sh
# Measures corvane-cli batch throughput: generates a CSV of ROWS varied births (default
# 100000), runs --batch on it and prints charts per second. Options after the program path
# go to the batch run, e.g. --engine swiss.
# Usage: scripts/bench_cli.sh [ROWS] [PATH/TO/corvane-cli] [OPTION...]
set -eu
rows=${1:-100000}
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${2:-$root/build/corvane-cli}
shift $(( $# < 2 ? $# : 2 ))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
awk -v rows="$rows" 'BEGIN {
  print "name,date,time,zone,dst,lon,lat,city,state,country";
  abc = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (i = 0; i < rows; i++) {
    # Names take letters only: spell the row number in letters.
    name = "PERSON " substr(abc, 1 + i % 26, 1) substr(abc, 1 + int(i / 26) % 26, 1) substr(abc, 1 + int(i / 676) % 26, 1);
    y = 1901 + i % 150; m = 1 + i % 12; d = 1 + i % 28;
    printf "%s,%04d-%02d-%02d,%02d:%02d:%02d,%d,%d,%d:%02d%s,%d:%02d%s,Town %d,State,Country\n",
      name, y, m, d, i % 24, (i * 7) % 60, (i * 13) % 60, i % 71, i % 2,
      (i * 37) % 180, i % 60, (i % 3 ? "E" : "W"), (i * 11) % 60, (i * 3) % 60, (i % 4 ? "N" : "S"), i;
  }
}' > "$work/big.csv"
# CPU time (user + system) is reported beside wall time: on a busy machine the wall clock
# counts other processes too, while the batch itself runs on one core.
/usr/bin/time -f "%e %U %S" -o "$work/time" "$cli" --batch "$work/big.csv" "$@" > "$work/out.jsonl" || true
lines=$(wc -l < "$work/out.jsonl")
errors=$(grep -c '"error"' "$work/out.jsonl" || true)
read -r wall user sys < "$work/time"
awk -v w="$wall" -v u="$user" -v s="$sys" -v n="$lines" -v err="$errors" 'BEGIN {
  cpu = u + s;
  printf "%d rows (%d refused): wall %.2f s (%.0f charts/s), cpu %.2f s (%.0f charts/s on one core)\n",
         n, err, w, n / w, cpu, n / cpu;
}'
