# SPDX-License-Identifier: MIT
"""Reading sweeps: the same numbers as the exporter's -f json for every
sample, sweeps made from arrays, and every kind of bad input refused with
a Python exception."""
import errno
import gc
import resource

import numpy as np
import pytest

import fernplot
from conftest import READABLE, SAMPLES, load_json, stem


def ascending(points, key):
    # The record holds the file's points in reverse; the module hands them
    # out rising, equal frequencies in the file's order.
    order = sorted(range(len(points) - 1, -1, -1), key=lambda i: points[i]["frequency"])
    return np.array([np.float32(points[i][key]) if key != "frequency" else points[i][key]
                     for i in order], dtype=np.float64)


@pytest.mark.parametrize("name", READABLE)
@pytest.mark.parametrize("ratio", ["ch1/ch2", "ch2/ch1"])
def test_every_sample_reads_bit_for_bit_as_the_exporters_json(exported, name, ratio):
    doc = load_json(exported("json", SAMPLES / name) / f"{stem(name)}.json")
    s = fernplot.read(SAMPLES / name, ratio=ratio)
    suffix = "Ch1Ch2" if ratio == "ch1/ch2" else "Ch2Ch1"
    pts = doc["points"]
    assert len(s) == len(pts)
    for array, key in [(s.frequency, "frequency"), (s.gain_db, "gain" + suffix),
                       (s.phase_deg, "phase" + suffix)]:
        assert array.dtype == np.float64
        assert np.array_equal(array, ascending(pts, key))
    assert np.all(np.diff(s.frequency) >= 0)
    want = 10 ** (s.gain_db / 20) * np.exp(1j * np.radians(s.phase_deg))
    assert s.response.dtype == np.complex128
    np.testing.assert_allclose(s.response, want, rtol=1e-14)
    assert s.ratio == ratio and s.quantity == "ratio"
    if "importedFormat" in doc:
        assert s.format == doc["importedFormat"] and s.header is None
    else:
        assert s.format == "DAT" and s.title == doc["dataTitle"]
        header = {k: v for k, v in doc.items() if k not in ("message", "points")}
        assert s.header == header


def test_arrays_are_read_only_and_the_path_is_kept():
    s = fernplot.read(str(SAMPLES / "RC_LPF.DAT"))
    with pytest.raises(ValueError):
        s.gain_db[0] = 1.0
    assert s.path == str(SAMPLES / "RC_LPF.DAT")
    assert s.frequency is s.frequency  # made once


def test_a_stepped_file_gives_its_first_step_and_read_all_every_step(tmp_path):
    f = tmp_path / "steps.txt"
    f.write_text("Freq.\tV(out)\n"
                 "Step Information: R=1k  (Run: 1/2)\n1e1\t(-1dB,-10\u00b0)\n1e2\t(-3dB,-30\u00b0)\n"
                 "Step Information: R=2k  (Run: 2/2)\n1e1\t(-5dB,-50\u00b0)\n1e2\t(-7dB,-70\u00b0)\n",
                 encoding="utf-8")
    first = fernplot.read(f)
    steps = fernplot.read_all(f)
    assert [s.title for s in steps] == ["V(out) R=1k", "V(out) R=2k"]
    assert np.array_equal(first.gain_db, steps[0].gain_db)
    assert list(steps[1].gain_db) == [-5.0, -7.0] and list(steps[1].phase_deg) == [-50.0, -70.0]


def test_sparam_chooses_the_trace_of_a_two_port():
    s11 = fernplot.read(SAMPLES / "RLC_RES_model.s2p", sparam="s11")
    s21 = fernplot.read(SAMPLES / "RLC_RES_model.s2p")
    assert s11.title == "S11" and s21.title == "S21"
    assert s11.gain_db[0] == np.float32(-40.043214)
    # Any parameter the exporter's --sparam takes; one the file lacks is its error.
    with pytest.raises(fernplot.ReadError, match="S31"):
        fernplot.read(SAMPLES / "RLC_RES_model.s2p", sparam="S31")
    with pytest.raises(ValueError, match="S21, S31 or Z11"):
        fernplot.read(SAMPLES / "RLC_RES_model.s2p", sparam="S2")


def test_files_that_cannot_be_read_raise_read_error_with_path_line_and_message(tmp_path):
    bad = tmp_path / "bad.txt"
    bad.write_text("Freq.\tV(out)\n1e1\t(-1,-10)\n", encoding="utf-8")
    with pytest.raises(fernplot.ReadError) as e:
        fernplot.read(bad)
    assert isinstance(e.value, OSError) and isinstance(e.value, ValueError)
    assert (e.value.path, e.value.line) == (str(bad), 2)
    assert e.value.message and str(e.value) == f"{bad}:2: {e.value.message}"
    for name in ["BROKEN_ENDIAN.DAT", "BROKEN_SHORT.DAT", "TRUNCATED.DAT"]:
        with pytest.raises(fernplot.ReadError) as e:
            fernplot.read(SAMPLES / name)
        assert e.value.line == 0 and e.value.path.endswith(name) and e.value.message
    empty = tmp_path / "empty.csv"
    empty.write_bytes(b"")
    with pytest.raises(fernplot.ReadError):
        fernplot.read(empty)
    with pytest.raises(fernplot.ReadError):
        fernplot.read(tmp_path)  # a folder


def test_a_missing_file_is_enoent_and_wrong_arguments_are_type_errors(tmp_path):
    with pytest.raises(FileNotFoundError) as e:
        fernplot.read(tmp_path / "missing.DAT")
    assert e.value.errno == errno.ENOENT
    for path in [None, 3, 2.5, ["a"], object()]:
        with pytest.raises(TypeError):
            fernplot.read(path)
    with pytest.raises(TypeError):
        fernplot.read(SAMPLES / "RC_LPF.DAT", ratio=1)
    with pytest.raises(ValueError):
        fernplot.read(SAMPLES / "RC_LPF.DAT", ratio="ch1/ch3")
    with pytest.raises(ValueError):
        fernplot.read("a\0b")
    with pytest.raises(TypeError):
        fernplot.read(SAMPLES / "RC_LPF.DAT", "ch1/ch2")  # keyword only
    for option in ["columns", "z_from", "shunt"]:
        with pytest.raises(TypeError):
            fernplot.read(SAMPLES / "RC_LPF.DAT", **{option: [1]})


def test_sweep_from_arrays_matches_the_same_points_read_from_a_table(tmp_path):
    f = np.array([10.0, 100.0, 1000.0])
    h = 1 / (1 + 1j * f / 100.0)
    s = fernplot.Sweep(f, h, title="rc")
    table = tmp_path / "rc.csv"
    table.write_text("".join(f"{fi!r},{g!r},{p!r}\n" for fi, g, p in
                             zip(f, 20 * np.log10(abs(h)), np.degrees(np.angle(h)))))
    read = fernplot.read(table)
    assert np.array_equal(s.frequency, f)
    assert np.array_equal(s.gain_db, read.gain_db) and np.array_equal(s.phase_deg, read.phase_deg)
    np.testing.assert_allclose(s.response, h, rtol=1e-6)
    assert s.title == "rc" and s.path is None and s.header is None and s.format is None
    assert len(fernplot.Sweep([5], [2]).gain_db) == 1  # real numbers and lists


@pytest.mark.parametrize("frequency, response, error, words", [
    ([], [], ValueError, "at least one"),
    ([1, 2], [1], ValueError, "points"),
    ([[1, 2]], [[1, 1]], ValueError, "one-dimensional"),
    ([2, 1], [1, 1], ValueError, "rise"),
    ([1, 1], [1, 1], ValueError, "rise"),
    ([0, 1], [1, 1], ValueError, "above 0"),
    ([-1, 1], [1, 1], ValueError, "above 0"),
    ([np.nan, 1], [1, 1], ValueError, "finite"),
    ([1, np.inf], [1, 1], ValueError, "finite"),
    ([1, 2], [1, np.nan], ValueError, "finite"),
    ([1, 2], [1, 0], ValueError, "gain"),
    (["a", "b"], [1, 1], TypeError, "numbers"),
    ([1, 2], ["x", "y"], TypeError, "numbers"),
    ([1j, 2j], [1, 1], TypeError, "real"),
    ([1, 2], [object(), 1], TypeError, "numbers"),
    (None, [1], TypeError, "numbers"),
])
def test_bad_arrays_are_refused_with_the_reason(frequency, response, error, words):
    with pytest.raises(error, match=words):
        fernplot.Sweep(frequency, response)


def test_sweep_quantity_and_title_are_checked():
    assert fernplot.Sweep([1], [1], quantity="impedance").quantity == "impedance"
    with pytest.raises(ValueError):
        fernplot.Sweep([1], [1], quantity="power")
    with pytest.raises(TypeError):
        fernplot.Sweep([1], [1], title=5)


def test_memory_does_not_grow_over_ten_thousand_reads():
    path = SAMPLES / "RC_LPF.DAT"
    def rss_kb():
        return resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
    for _ in range(1000):
        fernplot.read(path).gain_db
    gc.collect()
    before = rss_kb()
    for _ in range(10000):
        s = fernplot.read(path)
        s.response, s.header
        try:
            fernplot.read(SAMPLES / "TRUNCATED.DAT")
        except fernplot.ReadError:
            pass
    gc.collect()
    assert rss_kb() - before < 4096
