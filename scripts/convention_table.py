#!/usr/bin/env python3
"""Lagnas of 20 varied births under the default conventions and under
`--engine swiss --conventions exact --lords jaimini`, as a Markdown table.

  python3 scripts/convention_table.py [--binary build/corvane-cli]

Each birth gives two rows: the default (def) and the exact, classical reading (exa). A cell is
the lagna's sign and, for the lagnas counted in degrees, its whole degree; a cell that differs
between the two readings is marked with *.
"""

import argparse
import json
import subprocess
import sys

# name, date, time, then the place and clock options.
BIRTHS = [
    ("DELHI", "1975-06-05", "07:05:40", ["--zone", "34", "--lon", "77:13E", "--lat", "28:36N"]),
    ("MUMBAI", "1988-11-23", "23:41:17", ["--zone", "34", "--lon", "72:50E", "--lat", "18:58N"]),
    ("CHENNAI", "2001-01-14", "05:12:09", ["--zone", "34", "--lon", "80:16E", "--lat", "13:05N"]),
    ("KOLKATA", "1962-02-04", "14:30:55", ["--zone", "34", "--lon", "88:22E", "--lat", "22:34N"]),
    ("BANGALORE", "1993-08-15", "12:00:00", ["--zone", "34", "--lon", "77:35E", "--lat", "12:58N"]),
    ("JAIPUR", "1949-10-02", "03:47:31", ["--zone", "34", "--lon", "75:49E", "--lat", "26:55N"]),
    ("VARANASI", "2010-03-21", "18:19:44", ["--zone", "34", "--lon", "83:00E", "--lat", "25:19N"]),
    ("PUNE", "1957-12-31", "21:05:02", ["--zone", "34", "--lon", "73:51E", "--lat", "18:31N"]),
    ("HYDERABAD", "1980-05-09", "09:58:26", ["--zone", "34", "--lon", "78:29E", "--lat", "17:23N"]),
    ("AMRITSAR", "1971-07-27", "16:44:13", ["--zone", "34", "--lon", "74:52E", "--lat", "31:38N"]),
    ("KATHMANDU", "1999-09-09", "06:06:06", ["--tz", "Asia/Kathmandu", "--lon", "85:19E", "--lat", "27:43N"]),
    ("COLOMBO", "1984-04-13", "10:21:48", ["--tz", "Asia/Colombo", "--lon", "79:51E", "--lat", "06:56N"]),
    ("LONDON", "1966-07-30", "15:05:59", ["--tz", "Europe/London", "--lon", "00:07W", "--lat", "51:30N"]),
    ("NEWYORK", "1977-01-08", "02:15:37", ["--tz", "America/New_York", "--lon", "74:00W", "--lat", "40:43N"]),
    ("SYDNEY", "2005-10-17", "19:33:21", ["--tz", "Australia/Sydney", "--lon", "151:12E", "--lat", "33:52S"]),
    ("NAIROBI", "1990-02-28", "08:08:08", ["--tz", "Africa/Nairobi", "--lon", "36:49E", "--lat", "01:17S"]),
    ("MOSCOW", "1953-03-05", "21:50:44", ["--tz", "Europe/Moscow", "--lon", "37:37E", "--lat", "55:45N"]),
    ("SAOPAULO", "2015-06-21", "13:13:13", ["--tz", "America/Sao_Paulo", "--lon", "46:38W", "--lat", "23:33S"]),
    ("TOKYO", "1968-11-11", "04:40:20", ["--tz", "Asia/Tokyo", "--lon", "139:41E", "--lat", "35:41N"]),
    ("REYKJAVIK", "2020-12-01", "11:59:30", ["--tz", "Atlantic/Reykjavik", "--lon", "21:57W", "--lat", "64:09N"]),
]

LAGNAS = ["Ascendant", "AL", "PL", "UL", "GL", "HL", "BL", "IL", "VL", "SrL", "PpL", "SL", "CL"]
SIGNS = ["Ari", "Tau", "Gem", "Can", "Leo", "Vir", "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"]
EXACT = ["--engine", "swiss", "--conventions", "exact", "--lords", "jaimini"]


def chart(binary, birth, extra):
    name, date, time, place = birth
    args = [binary, "--name", name, "--date", date, "--time", time, *place, "--json", *extra]
    run = subprocess.run(args, capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit(f"{' '.join(args)}: exit {run.returncode}: {run.stderr.strip()}")
    return json.loads(run.stdout)


def cell(lagna):
    text = SIGNS[lagna["sign"]]
    if "longitude" in lagna:
        text += f" {int(lagna['longitude'] % 30):02d}"
    return text


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--binary", default="build/corvane-cli")
    binary = parser.parse_args().binary
    print("| birth | | " + " | ".join(LAGNAS) + " |")
    print("|---|---|" + "---|" * len(LAGNAS))
    differing = {key: 0 for key in LAGNAS}
    for birth in BIRTHS:
        default = chart(binary, birth, [])
        exact = chart(binary, birth, EXACT)
        a = [cell(default["lagnas"][k]) for k in LAGNAS]
        b = []
        for key, before in zip(LAGNAS, a):
            after = cell(exact["lagnas"][key])
            moved = default["lagnas"][key]["sign"] != exact["lagnas"][key]["sign"]
            differing[key] += moved
            b.append(after + ("*" if moved else ""))
        label = f"{birth[0]}, {birth[1]} {birth[2]}"
        print(f"| {label} | def | " + " | ".join(a) + " |")
        print("| | exa | " + " | ".join(b) + " |")
    print()
    print("Signs that differ (of 20): " + ", ".join(f"{k} {v}" for k, v in differing.items()))


if __name__ == "__main__":
    main()
