# Writes a batch CSV of `rows` valid births spread over 1901 to 2050, the 71 zones, both
# daylight-saving ticks and both hemispheres (awk -v rows=N -f scripts/bench_births.awk).
# bench/swiss_direct_bench.cpp takes the same dates, times and coordinates row by row.
BEGIN {
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
}
