#!/usr/bin/env python3
"""Proves that two corvane-cli builds print the same values for the 20,000 chart requests.

Runs every request of tools/record_chart_outputs.py with an old and a new binary and compares
what each prints: the exit status and standard error must agree byte for byte, and standard
output too, except that a JSON number (outside any string) may be spelled differently when
both spellings read back as the same double. Python's float() reads a decimal text to the
nearest double, as strtod does, so equal floats mean equal values in any JSON reader.

Prints how many requests were compared, how many numbers were compared, how many of them
are spelled differently (all proven equal), and a few examples; exits 1 on any other
difference, naming the request.

  tools/check_digit_spelling.py OLD_BINARY NEW_BINARY [--sample] [--jobs N]
"""

import argparse
import multiprocessing
import os
import re
import struct
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import record_chart_outputs as requests  # noqa: E402

NUMBER = re.compile(rb"-?(?:0|[1-9][0-9]*)(?:\.[0-9]+)?(?:[eE][+-]?[0-9]+)?")


def tokens(text):
    """The text cut into ("text", bytes) and ("number", bytes) pieces; strings stay text."""
    pieces, start, pos = [], 0, 0
    while pos < len(text):
        c = text[pos:pos + 1]
        if c == b'"':
            pos += 1
            while pos < len(text) and text[pos:pos + 1] != b'"':
                pos += 2 if text[pos:pos + 1] == b"\\" else 1
            pos += 1
            continue
        match = NUMBER.match(text, pos) if c in b"-0123456789" else None
        if match:
            pieces.append(("text", text[start:pos]))
            pieces.append(("number", match.group()))
            start = pos = match.end()
            continue
        pos += 1
    pieces.append(("text", text[start:]))
    return pieces


def same_double(a, b):
    return struct.pack("<d", float(a)) == struct.pack("<d", float(b))


def compare(old, new):
    """(numbers, [(old, new) spelled differently]) or raises ValueError on a real difference."""
    old_pieces, new_pieces = tokens(old), tokens(new)
    if [k for k, _ in old_pieces] != [k for k, _ in new_pieces]:
        raise ValueError("the outputs differ in their layout")
    numbers, respelled = 0, []
    for (kind, a), (_, b) in zip(old_pieces, new_pieces):
        if kind == "text":
            if a != b:
                raise ValueError("text differs: %r / %r" % (a[:80], b[:80]))
            continue
        numbers += 1
        if a == b:
            continue
        if not same_double(a, b):
            raise ValueError("number %s became %s, another double" % (a.decode(), b.decode()))
        respelled.append((a.decode(), b.decode()))
    return numbers, respelled


def run(binary, index):
    done = subprocess.run([binary] + requests.request_args(index), stdin=subprocess.DEVNULL, capture_output=True,
                          timeout=requests.RUN_TIMEOUT_SECONDS, env=requests.program_environment())
    return done.returncode, done.stdout, done.stderr


def check_request(job):
    old_binary, new_binary, index = job
    old, new = run(old_binary, index), run(new_binary, index)
    try:
        if old[0] != new[0]:
            raise ValueError("exit status %d became %d" % (old[0], new[0]))
        if old[2] != new[2]:
            raise ValueError("standard error differs")
        numbers, respelled = compare(old[1], new[1])
    except ValueError as e:
        return index, None, str(e)
    return index, numbers, respelled


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("old")
    parser.add_argument("new")
    parser.add_argument("--sample", action="store_true", help="only every %dth request" % requests.SAMPLE_STEP)
    parser.add_argument("--jobs", type=int, default=2)
    args = parser.parse_args()
    indices = requests.sample_indices() if args.sample else range(requests.REQUEST_COUNT)
    jobs = [(args.old, args.new, i) for i in indices]
    failures, numbers, respelled, requests_respelled = [], 0, [], 0
    with multiprocessing.Pool(args.jobs) as pool:
        for index, count, result in pool.imap_unordered(check_request, jobs, chunksize=16):
            if count is None:
                failures.append((index, result))
                continue
            numbers += count
            respelled.extend(result)
            requests_respelled += bool(result)
    print("requests compared: %d" % len(jobs))
    print("numbers compared: %d" % numbers)
    print("numbers spelled differently, each read back as the same double: %d (in %d requests)"
          % (len(respelled), requests_respelled))
    for a, b in sorted(set(respelled))[:8]:
        print("  %s -> %s" % (a, b))
    for index, message in sorted(failures)[:10]:
        print("request %d: %s\n  %s" % (index, message, requests.command_line(index)))
    if failures:
        print("requests with other differences: %d" % len(failures))
        return 1
    print("no other difference")
    return 0


if __name__ == "__main__":
    sys.exit(main())
