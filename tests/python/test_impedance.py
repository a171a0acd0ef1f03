# SPDX-License-Identifier: MIT
"""Impedances: files read as the exporter reads them with --columns,
--z-from and --shunt, their Z as read in double, and the analyses of an
impedance giving the exporter's -f figures, circuit, kk and lcr."""
import math
import subprocess
import warnings

import numpy as np
import pytest

import fernplot
from conftest import EXPORTER, SAMPLES, load_json, stem

EIS = ["BATTERY_EIS.mpt", "BATTERY_EIS.DTA"]
BATTERY = "R0-p(R1,C1)-p(R2-W1,C2)"


def zcsv(path):
    """frequency and Z of an exporter's -f zcsv file, as exact doubles."""
    rows = [line.split(",") for line in path.read_text().splitlines()[1:]]
    return (np.array([float(r[0]) for r in rows]),
            np.array([complex(float(r[1]), float(r[2])) for r in rows]))


def ascending(sweep):
    # The exporter's impedance formats list each frequency once, ascending.
    f, keep = np.unique(sweep.frequency, return_index=True)
    return f, sweep.response[keep]


def without_seconds(doc):
    return {k: v for k, v in doc.items() if k != "seconds"}


@pytest.mark.parametrize("name", EIS)
def test_an_impedance_file_gives_the_exporters_impedance_and_analyses(exported, name):
    out = exported("zcsv,figures,circuit,kk,lcr,s2p", SAMPLES / name,
                   options=["--circuit", BATTERY])
    s = fernplot.read(SAMPLES / name)
    assert s.quantity == "impedance" and s.shunt is None and "impedance" in repr(s)
    f, z = zcsv(out / f"{stem(name)}.z.csv")
    got_f, got_z = ascending(s)
    assert np.array_equal(got_f, f) and np.array_equal(got_z, z)  # double, not float
    assert np.array_equal(s.gain_db, np.float32(20 * np.log10(np.abs(s.response))))
    assert fernplot.figures(s) == load_json(out / f"{stem(name)}.figures.json")
    fit = fernplot.fit_circuit(s, BATTERY)
    assert without_seconds(fit) == without_seconds(load_json(out / f"{stem(name)}.circuit.json"))
    assert fit["converged"] and [p["name"] for p in fit["parameters"]][:2] == ["R0", "R1"]
    assert fernplot.kramers_kronig(s) == load_json(out / f"{stem(name)}.kk.json")
    chosen = exported("kk", SAMPLES / name, options=["--kk-fit", "imag", "--kk-c", "0.6",
                                                     "--kk-max-m", "7", "--kk-capacitance"])
    assert fernplot.kramers_kronig(s, fit="imag", c=0.6, max_m=7, capacitance=True) == \
        load_json(chosen / f"{stem(name)}.kk.json")
    lines = (out / f"{stem(name)}.lcr.csv").read_text().splitlines()
    table = fernplot.lcr(s)
    assert list(table) == lines[0].split(",")
    for k, column in enumerate(table):
        want = [float(r.split(",")[k]) if r.split(",")[k] else math.nan for r in lines[1:]]
        np.testing.assert_array_equal(table[column], want, err_msg=column)
    # -f s2p of an impedance is the one-port of Z; write() names it s1p.
    written = out / "py.s1p"
    fernplot.write(s, written, "s1p")
    assert written.read_bytes() == (out / f"{stem(name)}.s1p").read_bytes()
    back = fernplot.read(written)
    assert back.quantity == "impedance" and np.array_equal(back.response, got_z)


def test_named_columns_read_a_table_as_the_exporter_does(exported, tmp_path):
    table = tmp_path / "t.csv"
    table.write_text("f,a,b\n100,3,4\n1000,3,-4\n1e4,0.5,0.25\n")
    for columns in ["f,re,im", "f,re,-im", "f,mag,deg"]:
        out = exported("zcsv,figures", table, options=["--columns", columns])
        s = fernplot.read(table, columns=columns)
        assert s.quantity == "impedance"
        f, z = zcsv(out / "t.z.csv")
        assert np.array_equal(s.frequency, f) and np.array_equal(s.response, z), columns
        assert fernplot.figures(s) == load_json(out / "t.figures.json")
    assert list(fernplot.read(table, columns="f,re,-im").response) == [3 - 4j, 3 + 4j, 0.5 - 0.25j]
    ratio = fernplot.read(table, columns="f,db,deg")
    assert ratio.quantity == "ratio" and list(ratio.gain_db) == [3, 3, 0.5]
    # Columns name a table's: on another kind of file the exporter's error.
    s2p = SAMPLES / "RLC_RES_model.s2p"
    run = subprocess.run([EXPORTER, "--factory", "-o", str(tmp_path / "x"), "-f", "zcsv",
                          "--columns", "f,re,im", str(s2p)], capture_output=True, text=True)
    assert run.returncode == 2
    with pytest.raises(fernplot.ReadError) as e:
        fernplot.read(s2p, columns="f,re,im")
    assert run.stderr == str(e.value) + "\n" and e.value.line == 0


@pytest.mark.parametrize("z_from", ["s11", "s21-shunt", "s21-series"])
def test_z_from_makes_the_impedance_of_an_s_parameter_file(exported, z_from):
    path = SAMPLES / "RLC_RES_model.s2p"
    out = exported("zcsv,figures", path, options=["--z-from", z_from])
    s = fernplot.read(path, z_from=z_from)
    assert s.quantity == "impedance" and s.title.startswith("Z (S")
    f, z = zcsv(out / "RLC_RES_model.z.csv")
    got_f, got_z = ascending(s)
    assert np.array_equal(got_f, f) and np.array_equal(got_z, z)
    assert fernplot.figures(s) == load_json(out / "RLC_RES_model.figures.json")


def test_a_shunt_makes_a_ratio_an_impedance(exported, tmp_path):
    path = SAMPLES / "RLC_RES.DAT"
    out = exported("zcsv,figures,csv,s2p", path, options=["--shunt", "0.1"])
    plain = fernplot.read(path)
    s = fernplot.read(path, shunt=0.1)
    assert s.quantity == "impedance" and s.shunt == 0.1 and plain.quantity == "ratio"
    f, z = zcsv(out / "RLC_RES.z.csv")
    got_f, got_z = ascending(s)
    assert np.array_equal(got_f, f) and np.array_equal(got_z, z)
    np.testing.assert_allclose(s.response, 0.1 * plain.response, rtol=1e-15)
    np.testing.assert_allclose(s.gain_db, plain.gain_db + 20 * np.log10(0.1), atol=1e-5)
    assert fernplot.figures(s) == load_json(out / "RLC_RES.figures.json")
    fernplot.write(s, tmp_path / "z.csv", "csv")
    assert (tmp_path / "z.csv").read_bytes() == (out / "RLC_RES.csv").read_bytes()
    fernplot.write(s, tmp_path / "z.s1p", "s1p")
    assert (tmp_path / "z.s1p").read_bytes() == (out / "RLC_RES.s1p").read_bytes()
    drawing = fernplot.page(s).drawing()
    assert "|Z| [\u03a9]" in [e.get("text") for e in drawing["elements"]]
    # An impedance file is not scaled.
    eis = fernplot.read(SAMPLES / "BATTERY_EIS.mpt", shunt=10)
    assert eis.shunt is None
    assert np.array_equal(eis.response, fernplot.read(SAMPLES / "BATTERY_EIS.mpt").response)


def test_an_impedance_from_arrays_keeps_its_values_and_fits_its_circuit():
    f = np.logspace(-1, 5, 61)
    w = 2 * np.pi * f
    z = 0.5 + 2 / (1 + 1j * w * 2 * 1e-4)  # R0 0.5, R1 2, C1 100 uF
    s = fernplot.Sweep(f, z, quantity="impedance", title="rc")
    assert s.quantity == "impedance" and np.array_equal(s.response, z)
    fit = fernplot.fit_circuit(s, "R0-p(R1,C1)", initial={"R1": 1})
    values = [p["value"] for p in fit["parameters"]]
    np.testing.assert_allclose(values, [0.5, 2, 1e-4], rtol=1e-6)
    band = fernplot.fit_circuit(s, "R0-p(R1,C1)", fmin=10, fmax=1000, initial="R0=1,C1=1e-3")
    assert band["points"] == 21 and band["parameters"][2]["value"] == pytest.approx(1e-4)
    kk = fernplot.kramers_kronig(s, fit="complex", c=0.5, max_m=10, capacitance=True, fmin=1)
    assert (kk["fit"], kk["capacitance"], kk["M"], kk["frequency"][0]) == ("complex", True, 10, 1)
    with pytest.warns(RuntimeWarning, match="not determined"):
        fernplot.fit_circuit(s, "R0-p(R1,C1)-L1")  # no inductance in the data
    with pytest.raises(ValueError, match=r"\|Z\|"):
        fernplot.Sweep([1, 2], [1, 0], quantity="impedance")


def test_bad_impedance_arguments_say_what_they_take(tmp_path):
    mpt = SAMPLES / "BATTERY_EIS.mpt"
    dat = SAMPLES / "RC_LPF.DAT"
    for kwargs, error, words in [
        ({"columns": "f,im,re"}, ValueError, "columns is f,re,im, f,re,-im, f,mag,deg or f,db,deg"),
        ({"columns": 3}, TypeError, "columns is a str"),
        ({"z_from": "s12"}, ValueError, "s11.*s21-shunt.*s21-series"),
        ({"z_from": "s11", "sparam": "S21"}, ValueError, "exclude each other"),
        ({"shunt": 0}, ValueError, "above 0"),
        ({"shunt": -1.5}, ValueError, "above 0"),
        ({"shunt": float("inf")}, ValueError, "above 0"),
        ({"shunt": float("nan")}, ValueError, "above 0"),
        ({"shunt": "1"}, TypeError, "ohms"),
        ({"shunt": True}, TypeError, "ohms"),
        ({"sparam": "X11"}, ValueError, "S21, S31 or Z11"),
    ]:
        with pytest.raises(error, match=words):
            fernplot.read(mpt, **kwargs)
    s = fernplot.read(mpt)
    for call, error, words in [
        (lambda: fernplot.fit_circuit(s, "R0-p(R1,C1"), ValueError, r"position 11: '\)' expected"),
        (lambda: fernplot.fit_circuit(s, 5), TypeError, "circuit is a str"),
        (lambda: fernplot.fit_circuit(s, "R0", initial="R9=1"), ValueError, "initial: R9"),
        (lambda: fernplot.fit_circuit(s, "R0", initial={"R0": -1}), ValueError, "initial: R0"),
        (lambda: fernplot.fit_circuit(s, "R0", initial={"R0": "1"}), TypeError, "numbers"),
        (lambda: fernplot.fit_circuit(s, "R0", weight="square"), ValueError, "modulus"),
        (lambda: fernplot.fit_circuit(s, "R0", global_seconds=0), ValueError, "above 0"),
        (lambda: fernplot.fit_circuit(s, "R0", fmin=1e9), ValueError, "circuit: "),
        (lambda: fernplot.kramers_kronig(s, fit="both"), ValueError, "real"),
        (lambda: fernplot.kramers_kronig(s, max_m=0), ValueError, "1 to 1000"),
        (lambda: fernplot.kramers_kronig(s, max_m=2.5), TypeError, "int"),
        (lambda: fernplot.kramers_kronig(s, c="x"), TypeError, "number"),
        (lambda: fernplot.lcr(fernplot.read(dat)), ValueError, "not an impedance"),
        (lambda: fernplot.fit_circuit(fernplot.read(dat), "R0"), ValueError, "not an impedance"),
        (lambda: fernplot.write(s, tmp_path / "a.s2p", "s2p"), ValueError, "s1p"),
        (lambda: fernplot.write(fernplot.read(dat), tmp_path / "a.s1p", "s1p"), ValueError, "ratio"),
    ]:
        with pytest.raises(error, match=words):
            call()
    assert not list(tmp_path.iterdir())
    # A file of instrument data is read as such, its columns its own.
    assert fernplot.read(dat, columns="f,re,im").quantity == "ratio"
