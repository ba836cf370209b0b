"""One birth, the Python road: each birth of tests/app/data/every_road_births.csv (zone rows,
database zones, both readings of a doubled hour, the minute before a skipped hour, local mean
time, found places) through corvane.chart gives the dict corvane-cli --json --pages prints
for the same options."""
import csv
import json

import corvane
from conftest import ROOT, run_cli

BIRTHS = ROOT / "tests" / "app" / "data" / "every_road_births.csv"


def births():
    with open(BIRTHS, newline="", encoding="utf-8") as f:
        return list(csv.DictReader(line for line in f if not line.startswith("#")))


def test_python_gives_the_command_lines_chart(cli):
    rows = births()
    assert len(rows) >= 50
    roads = {"zone": 0, "tz": 0, "place": 0, "fold": 0}
    for b in rows:
        options = ["--name", "ROAD", "--date", b["date"], "--time", b["time"], "--json", "--pages"]
        keywords = {}
        for key in ("zone", "lon", "lat", "tz", "place", "fold"):
            if b[key]:
                options += [f"--{key}", b[key]]
                keywords[key] = int(b[key]) if key == "zone" else b[key]
        if b["dst"] == "1":
            options.append("--dst")
            keywords["dst"] = True
        status, out, err = run_cli(cli, options)
        assert status == 0, (b["label"], err)
        expected = json.loads(out)
        got = corvane.chart("ROAD", b["date"], b["time"], pages=True, **keywords)
        assert got == expected, b["label"]
        for key in roads:
            roads[key] += key in keywords
    # Zone rows, database zones, found places and both readings of the doubled hour went through.
    assert all(count >= 10 for count in roads.values()), roads
