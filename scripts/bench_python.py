#!/usr/bin/python3
"""Measures corvane.charts against corvane-cli --batch in one run.

Writes a CSV of ROWS valid births (default 1,000,000) into a temporary folder, runs
`corvane-cli --batch FILE --jobs 1 > /dev/null` and takes its CPU time and peak memory, then
reads the CSV with pandas and runs corvane.charts(frame, jobs=1) in this process, taking its
CPU time and how far it raised this process's peak memory. Prints records per CPU second of
both (on a shared machine the wall clock also counts other processes), their ratio, and the
table's own size beside the memory the call added. With --jobs2 also both with two threads.

Usage: /usr/bin/python3 scripts/bench_python.py [ROWS] [BUILD_FOLDER] [--jobs2]
(BUILD_FOLDER default build: its corvane-cli and python/corvane are used).
"""
import os
import pathlib
import random
import resource
import subprocess
import sys
import tempfile
import time

root = pathlib.Path(__file__).resolve().parents[1]
arguments = [a for a in sys.argv[1:] if not a.startswith("--")]
rows = int(arguments[0]) if arguments else 1_000_000
build = pathlib.Path(arguments[1]) if len(arguments) > 1 else root / "build"
sys.path.insert(0, str(build / "python"))

import pandas as pd  # noqa: E402

import corvane  # noqa: E402


def write_births(path, count):
    rng = random.Random(1)
    letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
    with open(path, "w") as out:
        out.write("name,date,time,zone,dst,lon,lat,city,state,country\n")
        for i in range(count):
            name = "PERSON " + "".join(rng.choice(letters) for _ in range(3))
            out.write(f"{name},{rng.randrange(1901, 2051)}-{rng.randrange(1, 13):02d}-{rng.randrange(1, 29):02d},"
                      f"{rng.randrange(24):02d}:{rng.randrange(60):02d}:{rng.randrange(60):02d},{rng.randrange(71)},"
                      f"{rng.randrange(2)},{rng.randrange(180)}:{rng.randrange(60):02d}{rng.choice('EW')},"
                      f"{rng.randrange(60)}:{rng.randrange(60):02d}{rng.choice('NS')},Town {i},State,Country\n")


def cli_run(csv, jobs):
    """CPU seconds and peak kB of one corvane-cli --batch run into /dev/null."""
    with tempfile.NamedTemporaryFile("r") as report, open(os.devnull, "w") as null:
        subprocess.run(["/usr/bin/time", "-f", "%U %S %M", "-o", report.name, str(build / "corvane-cli"),
                        "--batch", str(csv), "--jobs", str(jobs)], stdout=null, check=True)
        user, system, peak = report.read().split()[-3:]
    return float(user) + float(system), int(peak)


def cpu_seconds():
    usage = resource.getrusage(resource.RUSAGE_SELF)
    return usage.ru_utime + usage.ru_stime


def peak_kb():
    return resource.getrusage(resource.RUSAGE_SELF).ru_maxrss


def measure_charts(csv, jobs):
    """In a fresh process: CPU and wall seconds of corvane.charts on the CSV's frame, the peak
    memory before and after the call, and the table's size."""
    frame = pd.read_csv(csv, dtype=str, keep_default_na=False)
    before_peak, before_cpu, before_wall = peak_kb(), cpu_seconds(), time.monotonic()
    table = corvane.charts(frame, jobs=jobs)
    py_cpu, py_wall = cpu_seconds() - before_cpu, time.monotonic() - before_wall
    assert (table["error"] == "").all(), "every generated birth is valid"
    print(py_cpu, py_wall, before_peak, peak_kb(), table.memory_usage(deep=True).sum() // 1024)


if "--measure" in sys.argv:
    measure_charts(arguments[2], int(arguments[3]))
    sys.exit(0)

with tempfile.TemporaryDirectory() as work:
    csv = pathlib.Path(work) / "births.csv"
    write_births(csv, rows)
    print(f"{rows} births; corvane {corvane.__version__}; {os.cpu_count()} cores")
    for jobs in ([1, 2] if "--jobs2" in sys.argv else [1]):
        cli_cpu, cli_peak = cli_run(csv, jobs)
        measured = subprocess.run([sys.executable, __file__, str(rows), str(build), str(csv), str(jobs), "--measure"],
                                  capture_output=True, text=True, check=True).stdout.split()
        py_cpu, py_wall = float(measured[0]), float(measured[1])
        before_kb, after_kb, table_kb = (int(x) for x in measured[2:])
        print(f"--jobs {jobs}: corvane-cli --batch > /dev/null: {rows / cli_cpu:,.0f} records per CPU second, "
              f"peak {cli_peak / 1024:,.0f} MiB")
        print(f"          corvane.charts -> DataFrame:   {rows / py_cpu:,.0f} records per CPU second "
              f"({py_wall:.1f} s wall); peak memory {before_kb / 1024:,.0f} MiB with the input frame read, "
              f"{after_kb / 1024:,.0f} MiB after the call, whose table takes {table_kb / 1024:,.0f} MiB "
              f"(pandas' deep count)")
        print(f"          ratio charts / batch per core: {cli_cpu / py_cpu:.2f}")
