#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Timings of the Python module: reads, figures and a page, against the
exporter's whole process for the same page. Plain timing, no plugin:

  PYTHONPATH=build/bench/python /usr/bin/python3 bench/python_bench.py \
      build/bench/src/export/fernplot-export
"""
import resource
import pathlib
import statistics
import subprocess
import sys
import tempfile
import time

import numpy as np

import fernplot

ROOT = pathlib.Path(__file__).resolve().parents[1]


# On a shared machine the wall clock counts the time other programs had the
# processor; the calling thread's processor time (the module's work runs in
# it, with the GIL released) is printed beside it. For the exporter, its
# whole process's user and system time.
CPU = []


def best_of(runs, call):
    times = []
    CPU.clear()
    for _ in range(runs):
        start, cpu = time.perf_counter(), time.thread_time()
        call()
        times.append(time.perf_counter() - start)
        CPU.append(time.thread_time() - cpu)
    return times


def cpu_ms():
    return f"; processor time median {statistics.median(CPU) * 1e3:.2f} ms"


def child_cpu():
    r = resource.getrusage(resource.RUSAGE_CHILDREN)
    return r.ru_utime + r.ru_stime


def two_port(path, points):
    # 100,000 points of a resonance as a Touchstone v1 two-port in dB:
    # nine numbers a line, 16 MB.
    f = np.geomspace(1e3, 1e9, points)
    h = 1 / (1 - (f / 1e6) ** 2 + 1j * f / 1e6 / 5)
    g, p = 20 * np.log10(abs(h)), np.degrees(np.angle(h))
    with open(path, "w") as out:
        out.write("! bench\n# Hz S DB R 50\n")
        for row in zip(f, g - 40, p + 90, g, p, g - 60, p, g - 26, p):
            out.write(" ".join(f"{v:.12e}" for v in row) + "\n")


def loop_sweep(points):
    # An integrator with two poles: a loop gain with one crossover.
    f = np.geomspace(1, 1e7, points)
    s = 2j * np.pi * f
    return fernplot.Sweep(f, 1e6 / s / (1 + s / 2e5) / (1 + s / 5e5) * 50, title="loop")


def main():
    exporter = sys.argv[1] if len(sys.argv) > 1 else "build/bench/src/export/fernplot-export"
    with tempfile.TemporaryDirectory() as tmp:
        tmp = pathlib.Path(tmp)
        big = tmp / "big.s2p"
        two_port(big, 100_000)
        times = best_of(5, lambda: fernplot.read(big))
        print(f"read 100,000-point .s2p ({big.stat().st_size / 1e6:.1f} MB): "
              f"median {statistics.median(times) * 1e3:.1f} ms, best {min(times) * 1e3:.1f} ms"
              + cpu_ms() + " (target 100 ms)")

        small = ROOT / "samples" / "RC_LPF.DAT"
        fernplot.read(small)
        times = best_of(201, lambda: fernplot.read(small))
        print(f"read samples/RC_LPF.DAT: median of 201 {statistics.median(times) * 1e6:.1f} us"
              f"; processor time median {statistics.median(CPU) * 1e6:.1f} us (target 50 us)")

        loop = loop_sweep(20_001)
        times = best_of(21, lambda: fernplot.figures(loop))
        print(f"figures of a 20,001-point loop: median {statistics.median(times) * 1e3:.2f} ms"
              + cpu_ms() + " (target 10 ms)")

        f = np.geomspace(10, 1e6, 1000)
        page_sweep = fernplot.Sweep(f, 1 / (1 + 1j * f / 1e3), title="thousand")
        table = tmp / "thousand.csv"
        fernplot.write(page_sweep, table, "csv")
        page = fernplot.page(table)
        page.png()  # warm-up: fonts and the offscreen platform
        times = best_of(11, lambda: fernplot.page(table).png())
        print(f"page(...).png() of 1,000 points: median {statistics.median(times) * 1e3:.1f} ms"
              + cpu_ms())
        settings = tmp / "empty.CFG"
        settings.write_bytes(b"")
        cmd = [exporter, "-s", str(settings), "-o", str(tmp / "out"), "-f", "png", str(table)]
        subprocess.run(cmd, check=True)
        before = child_cpu()
        times = best_of(11, lambda: subprocess.run(cmd, check=True))
        print(f"fernplot-export -f png of the same page, whole process: median "
              f"{statistics.median(times) * 1e3:.1f} ms; processor time mean "
              f"{(child_cpu() - before) / 11 * 1e3:.1f} ms")


if __name__ == "__main__":
    main()
