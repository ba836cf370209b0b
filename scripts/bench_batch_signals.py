#!/usr/bin/env python3
"""Times how soon a batch acts on SIGINT/SIGTERM and how often its lines reach the output.

  python3 scripts/bench_batch_signals.py [build/corvane-cli]

1. A batch waiting for input on a pipe: the time from the signal to the program's exit.
2. A batch writing PDFs (--pdf-dir): the time from the signal to the exit.
3. A slow batch (the Swiss engine with a 720-minute sweep per record) into a pipe: the
   longest gap between two arrivals of output while records complete.
"""
import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time

CLI = sys.argv[1] if len(sys.argv) > 1 else "build/corvane-cli"
HEADER = "name,date,time,zone,dst,lon,lat,engine,sweep_minutes\n"
ROW = "ram kumar,1975-06-05,07:05,34,0,77:13E,28:36N,{engine},{sweep}\n"


def wait_for_output(stream):
    os.set_blocking(stream.fileno(), True)
    return stream.readline()


def waiting_on_a_pipe(sig):
    p = subprocess.Popen([CLI, "--batch", "-"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL, text=True)
    p.stdin.write(HEADER + ROW.format(engine="", sweep=""))
    p.stdin.flush()
    wait_for_output(p.stdout)
    start = time.monotonic()
    p.send_signal(sig)
    p.wait(timeout=30)
    elapsed = time.monotonic() - start
    p.stdin.close()
    return elapsed


def writing_pdfs(folder):
    csv = os.path.join(folder, "births.csv")
    with open(csv, "w") as f:
        f.write(HEADER + ROW.format(engine="", sweep="") * 100)
    pdfs = os.path.join(folder, "pdfs")
    p = subprocess.Popen([CLI, "--batch", csv, "--pdf-dir", pdfs], stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL, text=True)
    wait_for_output(p.stdout)
    start = time.monotonic()
    p.send_signal(signal.SIGTERM)
    p.wait(timeout=60)
    return time.monotonic() - start


def longest_gap(folder, records=40):
    csv = os.path.join(folder, "slow.csv")
    with open(csv, "w") as f:
        f.write(HEADER + ROW.format(engine="swiss", sweep="720") * records)
    p = subprocess.Popen([CLI, "--batch", csv, "--jobs", "1"], stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL)
    arrivals = []
    while True:
        chunk = p.stdout.read1(1 << 16)
        if not chunk:
            break
        arrivals.append(time.monotonic())
    p.wait()
    gaps = [b - a for a, b in zip(arrivals, arrivals[1:])]
    return max(gaps, default=0.0), len(arrivals)


def main():
    for sig in (signal.SIGINT, signal.SIGTERM):
        times = [waiting_on_a_pipe(sig) * 1000 for _ in range(20)]
        print(f"waiting on a pipe, {signal.Signals(sig).name}: median {statistics.median(times):.1f} ms, "
              f"max {max(times):.1f} ms")
    with tempfile.TemporaryDirectory() as folder:
        times = []
        for k in range(5):
            sub = os.path.join(folder, str(k))
            os.mkdir(sub)
            times.append(writing_pdfs(sub) * 1000)
        print(f"writing PDFs, SIGTERM: median {statistics.median(times):.1f} ms, max {max(times):.1f} ms")
        gap, writes = longest_gap(folder)
        print(f"slow batch: {writes} arrivals of output, longest gap {gap:.2f} s")


if __name__ == "__main__":
    main()
