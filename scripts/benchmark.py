#!/usr/bin/env python3
"""Prints the Doctor's speed and size figures: VLDoctor.exe /report on the healthy sample
installation, on the same sample with both trace logs grown to a given size, `tail -n 100` on
those logs, and a bare start of a program with the Doctor's imports and manifest (VLBareStart.exe),
each as the median wall time and peak memory of several runs; and /json /users over the three
users of the many-users sample beside a one-user /json.

The bare start and /report on the healthy sample run alternately (A B A B ...), PAIRS pairs
(default 21): Wine's start times move in steps of about 50 ms and drift with the machine's load,
so each /report is compared with the bare start just before it, and the figure is the median of
those pair ratios, with their range.

Run through scripts/benchmark.sh, which builds and sets up the Wine environment."""

import os
import statistics
import subprocess
import sys
import time

BIN = os.environ["VLD_BIN"]
PREFIX = os.environ["WINEPREFIX"]
OUT = os.environ["VLD_BENCH_OUT"]
CONFIG_FOLDER = os.path.join(PREFIX, "drive_c", "users", "Public", "Velmont")
RUNS = int(os.environ.get("RUNS", "5"))
PAIRS = max(21, int(os.environ.get("PAIRS", "21")))
GROWN_BYTES = int(float(os.environ.get("TRACE_GIB", "1")) * (1 << 30))


def measure(command, cwd=None):
    """Wall time in seconds and peak resident memory in KiB of one run of command."""
    rss_file = os.path.join(OUT, "rss.txt")
    with open(os.path.join(OUT, "run-output.txt"), "wb") as output:
        start = time.perf_counter()
        subprocess.run(["/usr/bin/time", "-f", "%M", "-o", rss_file] + command, cwd=cwd,
                       stdout=output, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                       check=False)
        elapsed = time.perf_counter() - start
    with open(rss_file) as rss:
        peak = int(rss.read().split()[-1])
    return elapsed, peak


def median_of(label, command, cwd=None, runs=RUNS):
    times, peaks = [], []
    for _ in range(runs):
        elapsed, peak = measure(command, cwd)
        times.append(elapsed)
        peaks.append(peak)
    median = statistics.median(times)
    print(f"{label:<44} {median * 1000:10.0f} ms {max(peaks) / 1024:9.1f} MiB"
          f"   ({runs} runs)")
    sys.stdout.flush()
    return median


def alternate(bare_command, doctor, sample):
    """Runs the bare start and the Doctor alternately; prints both medians and the pair ratios."""
    bares, reports, peaks = [], [], []
    for _ in range(PAIRS):
        bare, _ = measure(bare_command, cwd=BIN)
        report, peak = measure(doctor, cwd=BIN)
        bares.append(bare)
        reports.append(report)
        peaks.append(peak)
    ratios = sorted(r / b for r, b in zip(reports, bares))
    print(f"{'bare start (same imports and manifest)':<44} {statistics.median(bares) * 1000:10.0f} ms"
          f"   ({PAIRS} runs, alternated)")
    print(f"{'/report, ' + sample:<44} {statistics.median(reports) * 1000:10.0f} ms"
          f" {max(peaks) / 1024:9.1f} MiB   ({PAIRS} runs, alternated)")
    print(f"/report takes {statistics.median(ratios):.2f} times the bare start"
          f" (median of {PAIRS} pair ratios; range {ratios[0]:.2f} to {ratios[-1]:.2f})")
    sys.stdout.flush()


def trace_logs():
    return sorted(os.path.join(CONFIG_FOLDER, name) for name in os.listdir(CONFIG_FOLDER)
                  if name.endswith("Trace.log"))


def grow(path, size):
    """Appends trace lines until the file holds size bytes; the last lines stay trace lines."""
    line = b"08 10:15:42 Work: site 'www.tessaly.example' answered 200 in 182 ms, page 48213 bytes\r\n"
    block = line * (1 << 14)
    with open(path, "ab") as log:
        current = log.tell()
        while current + len(block) <= size:
            log.write(block)
            current += len(block)
        while current < size:
            log.write(line)
            current += len(line)


def lay(variant):
    subprocess.run(["wine", "VLSample.exe", variant], cwd=BIN, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)


def main():
    doctor = ["wine", "VLDoctor.exe", "/report", os.path.join("C:\\", "windows", "temp", "bench.txt")]
    for program in ("VLDoctor.exe", "VLDoctor.com"):
        size = os.path.getsize(os.path.join(BIN, program))
        print(f"{program} size: {size} bytes ({size / 1024:.0f} KiB)")
    print(f"{'run':<44} {'median':>13} {'peak memory':>13}")
    lay("healthy")
    sizes = [os.path.getsize(p) for p in trace_logs()]
    alternate(["wine", "VLBareStart.exe"], doctor, f"normal sample ({sum(sizes)} bytes of logs)")
    every_user()
    lay("healthy")
    if GROWN_BYTES == 0:
        return
    for path in trace_logs():
        grow(path, GROWN_BYTES)
    grown = sum(os.path.getsize(p) for p in trace_logs())
    median_of(f"/report, logs grown to {grown / (1 << 30):.1f} GiB in all", doctor, cwd=BIN)
    median_of("tail -n 100 on the grown logs", ["tail", "-n", "100"] + trace_logs())
    lay("healthy")


def every_user():
    """/json /users over the three people of the many-users sample beside the one-user /json,
    alternated run by run so that both see the same load of the machine."""
    lay("many-users")
    output = os.path.join("C:\\", "windows", "temp", "bench.json")
    one = ["wine", "VLDoctor.com", "/json", output]
    every = ["wine", "VLDoctor.com", "/json", "/users", output]
    singles, users = [], []
    for _ in range(PAIRS):
        singles.append(measure(one, BIN)[0])
        users.append(measure(every, BIN)[0])
    ratios = sorted(u / o for u, o in zip(users, singles))
    print(f"/json, one user: {statistics.median(singles) * 1000:.0f} ms; /json /users, three "
          f"users: {statistics.median(users) * 1000:.0f} ms; {statistics.median(ratios):.2f} times"
          f" (median of {PAIRS} pair ratios; range {ratios[0]:.2f} to {ratios[-1]:.2f})")
    sys.stdout.flush()


if __name__ == "__main__":
    main()
