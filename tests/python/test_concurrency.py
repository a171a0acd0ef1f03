# SPDX-License-Identifier: MIT
"""The module from several threads at once and from worker processes,
forked (also after the parent drew a page) and spawned: every call gives
what it gives alone."""
import concurrent.futures as futures
import multiprocessing
import os
import subprocess
import sys
import threading
import time

import numpy as np
import pytest

import fernplot
from conftest import READABLE, SAMPLES


def work(name):
    """What a worker does with one sample: every kind of call."""
    s = fernplot.read(SAMPLES / name)
    return (s.gain_db.tobytes(), fernplot.figures(s),
            fernplot.fit_model(s, order=2).to_dict(), fernplot.page(s).png())


@pytest.fixture(scope="module")
def alone():
    return {name: work(name) for name in READABLE}


def test_threads_at_once_give_what_each_call_gives_alone(alone):
    names = READABLE * 4
    with futures.ThreadPoolExecutor(max_workers=8) as pool:
        for name, got in zip(names, pool.map(work, names)):
            assert got == alone[name], name


def test_long_calls_let_other_threads_run():
    # A thread spinning in Python keeps counting while pages are drawn.
    count = 0
    stop = threading.Event()
    def spin():
        nonlocal count
        while not stop.is_set():
            count += 1
    page = fernplot.page(SAMPLES / "OPAMP_LG.DAT")
    page.png(zoom=400)
    t = threading.Thread(target=spin)
    t.start()
    time.sleep(0.05)
    before = count
    start = time.perf_counter()
    while time.perf_counter() - start < 0.5:
        page.png(zoom=400)
    after = count
    stop.set()
    t.join()
    # With the lock held through the drawing the spinner would only run in
    # the interpreter's switch intervals between calls.
    assert after - before > 10000


@pytest.mark.parametrize("method", ["fork", "spawn"])
def test_worker_processes_give_what_the_parent_gives(alone, method):
    fernplot.page(SAMPLES / "RC_LPF.DAT").png()  # the parent has drawn a page
    context = multiprocessing.get_context(method)
    with futures.ProcessPoolExecutor(max_workers=2, mp_context=context) as pool:
        for name, got in zip(READABLE, pool.map(work, READABLE)):
            assert got == alone[name], name


def test_arrays_outlive_their_sweep_and_are_shared_safely():
    arrays = [fernplot.read(SAMPLES / "RLC_RES.DAT").response for _ in range(100)]
    assert all(np.array_equal(a, arrays[0]) for a in arrays)


def test_pages_are_drawn_offscreen_whatever_platform_the_environment_names():
    # A first page drawn in a thread, in a process whose environment names a
    # display platform without a display: drawn all the same, and the
    # environment a Qt application started later reads is left as it was.
    script = (
        "import os, threading, fernplot\n"
        "out = []\n"
        "t = threading.Thread(target=lambda: out.append(fernplot.page(%r).png()))\n"
        "t.start(); t.join()\n"
        "assert out and out[0].startswith(b'\\x89PNG')\n"
        "print(os.environ['QT_QPA_PLATFORM'])\n" % str(SAMPLES / "RC_LPF.DAT"))
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    env["QT_QPA_PLATFORM"] = "xcb"
    done = subprocess.run([sys.executable, "-c", script], env=env, capture_output=True,
                          text=True, timeout=120)
    assert done.returncode == 0, done.stderr
    assert done.stdout == "xcb\n"
