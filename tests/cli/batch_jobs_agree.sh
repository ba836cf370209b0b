#!/bin/sh
# A batch of ROWS mixed records (valid births, births by zone id and by the precise engine,
# and records refused for a wrong date, a wrong coordinate, a wrong column count and
# malformed quoting) gives the same bytes on standard output and standard error, and the
# same exit status, with --jobs 1, 2 and 3; and the refusals come in input order, one
# {"line": N, "error": ...} line each at the place of their record.
# Usage: batch_jobs_agree.sh CORVANE_CLI [ROWS]
set -eu
cli=$1
rows=${2:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
awk -v rows="$rows" 'BEGIN {
  print "name,date,time,zone,dst,lon,lat,city,state,country,engine,tz";
  abc = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (i = 0; i < rows; i++) {
    name = "PERSON " substr(abc, 1 + i % 26, 1) substr(abc, 1 + int(i / 26) % 26, 1) substr(abc, 1 + int(i / 676) % 26, 1);
    y = 1901 + i % 150; m = 1 + i % 12; d = 1 + i % 28;
    date = sprintf("%04d-%02d-%02d", y, m, d);
    lon = sprintf("%d:%02d%s", (i * 37) % 180, i % 60, (i % 3 ? "E" : "W"));
    lat = sprintf("%d:%02d%s", (i * 11) % 60, (i * 3) % 60, (i % 4 ? "N" : "S"));
    zone = i % 71; engine = ""; tz = "";
    if (i % 97 == 5) date = sprintf("%04d-02-30", y);       # refused: no such day
    if (i % 89 == 7) lon = "200:00E";                       # refused: beyond 180 degrees
    if (i % 101 == 11) { zone = ""; tz = "Europe/Berlin"; } # the clock of a zone id
    if (i % 211 == 13 && y >= 1950) engine = "swiss";
    if (i % 307 == 17) { print "SHORT,2000-01-01,12:00"; continue; }           # refused: too few columns
    if (i % 401 == 19) { print "Q\"UOTE,2000-01-01,12:00,1,0,1:00E,1:00N"; continue; }  # malformed
    printf "%s,%s,%02d:%02d:%02d,%s,%d,%s,%s,\"Town, %d\",State,Country,%s,%s\n",
      name, date, i % 24, (i * 7) % 60, (i * 13) % 60, zone, i % 2, lon, lat, i, engine, tz;
  }
}' > "$work/rows.csv"

for jobs in 1 2 3; do
  status=0
  "$cli" --batch "$work/rows.csv" --jobs "$jobs" > "$work/out$jobs" 2> "$work/err$jobs" || status=$?
  echo "$status" > "$work/status$jobs"
done
for jobs in 2 3; do
  cmp "$work/out1" "$work/out$jobs" || { echo "--jobs $jobs printed other lines than --jobs 1" >&2; exit 1; }
  cmp "$work/err1" "$work/err$jobs" || { echo "--jobs $jobs printed other messages than --jobs 1" >&2; exit 1; }
  cmp "$work/status1" "$work/status$jobs" || { echo "--jobs $jobs exited otherwise than --jobs 1" >&2; exit 1; }
done
[ "$(cat "$work/status1")" = 2 ] || { echo "the batch with refused records exited $(cat "$work/status1"), not 2" >&2; exit 1; }
# One line per record, and the refusals in input order: each error line names a line of the
# file greater than the one before, and stands where its record stands (the record on file
# line N is output line N - 1, as every record here takes one line).
records=$(( $(wc -l < "$work/rows.csv") - 1 ))
[ "$(wc -l < "$work/out1")" -eq "$records" ] || { echo "not one output line per record" >&2; exit 1; }
awk -v want="$(grep -c '^corvane-cli: line ' "$work/err1")" '
  /^\{"line":/ {
    match($0, /^\{"line":[0-9]+/); n = substr($0, 9, RLENGTH - 8) + 0;
    if (n != NR + 1) { print "error line for file line " n " at output line " NR > "/dev/stderr"; bad = 1 }
    if (n <= last) { print "error lines out of order at " n > "/dev/stderr"; bad = 1 }
    last = n; count++
  }
  END {
    if (count != want || count == 0 || count * 10 > NR) { print count " error lines, " want " messages" > "/dev/stderr"; bad = 1 }
    exit bad
  }' "$work/out1"
echo "$records records, $(grep -c '^{"line":' "$work/out1") refused: the same output for --jobs 1, 2 and 3"
