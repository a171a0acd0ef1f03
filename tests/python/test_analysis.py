# SPDX-License-Identifier: MIT
"""Figures and models: exactly the exporter's -f figures and -f model
documents, and their arguments checked."""
import numpy as np
import pytest

import fernplot
from conftest import READABLE, SAMPLES, load_json, stem


@pytest.mark.parametrize("name", READABLE)
def test_figures_are_the_exporters_figures_document(exported, name):
    want = load_json(exported("figures", SAMPLES / name) / f"{stem(name)}.figures.json")
    assert fernplot.figures(fernplot.read(SAMPLES / name)) == want


def test_figures_against_zero_degrees_and_of_the_other_ratio(exported):
    path = SAMPLES / "OPAMP_LG.DAT"
    out = exported("figures", path, options=["--margin-reference", "0"])
    want = load_json(out / "OPAMP_LG.figures.json")
    assert fernplot.figures(fernplot.read(path), margin_reference=0) == want
    assert want["marginReferenceDeg"] == 0
    other = fernplot.figures(fernplot.read(path, ratio="ch2/ch1"))
    assert other["ratio"] == "ch2/ch1"


def test_figures_arguments_are_checked():
    s = fernplot.read(SAMPLES / "RC_LPF.DAT")
    with pytest.raises(ValueError, match="-180 or 0"):
        fernplot.figures(s, margin_reference=-90)
    with pytest.raises(TypeError):
        fernplot.figures(s, margin_reference="0")
    with pytest.raises(TypeError):
        fernplot.figures(str(SAMPLES / "RC_LPF.DAT"))


@pytest.mark.parametrize("name, options, kwargs", [
    ("RC_LPF.DAT", [], {}),
    ("RLC_RES.DAT", ["--fit-order", "2"], {"order": 2}),
    ("OPAMP_LG.DAT", ["--fit-delay"], {"delay": True}),
    ("RLC_RES_model.s2p", [], {}),
])
def test_model_is_the_exporters_model_document(exported, name, options, kwargs):
    want = load_json(exported("model", SAMPLES / name, options=options) / f"{stem(name)}.model.json")
    model = fernplot.fit_model(fernplot.read(SAMPLES / name), **kwargs)
    assert model.to_dict() == want
    assert model.laplace() == want["laplace"]
    assert model.gain == want["gain"] and model.delay == want["delaySeconds"]
    assert model.rms_db == want["rmsErrorDb"] and model.rms_deg == want["rmsErrorDeg"]
    assert [complex(p["re"], p["im"]) for p in want["poles"]] == list(model.poles)
    assert [complex(z["re"], z["im"]) for z in want["zeros"]] == list(model.zeros)


def test_model_evaluates_as_its_poles_and_zeros_say():
    s = fernplot.read(SAMPLES / "RLC_RES.DAT")
    m = fernplot.fit_model(s, order=2)
    f = s.frequency
    jf = 1j * f[:, None]
    h = m.gain * np.prod(jf - m.zeros, axis=1) / np.prod(jf - m.poles, axis=1)
    h = h * np.exp(-2j * np.pi * f * m.delay)
    np.testing.assert_allclose(m.evaluate(f), h, rtol=1e-9)
    assert m.evaluate(f).shape == f.shape
    assert isinstance(m.evaluate(1e3), complex)
    # A good fit of a measured resonance: within a few tenths of a dB.
    assert np.max(np.abs(20 * np.log10(np.abs(m.evaluate(f))) - s.gain_db)) < 1.0


def test_fmin_and_fmax_fit_the_points_of_the_band_only():
    s = fernplot.read(SAMPLES / "RC_LPF.DAT")
    band = s.frequency[(s.frequency >= 100) & (s.frequency <= 1e4)]
    inside = fernplot.Sweep(band, s.response[(s.frequency >= 100) & (s.frequency <= 1e4)],
                            title="RC_LPF")
    m = fernplot.fit_model(s, order=1, fmin=100, fmax=1e4)
    want = fernplot.fit_model(inside, order=1)
    np.testing.assert_array_equal(m.poles, want.poles)
    assert m.gain == want.gain


def test_fit_arguments_and_unfittable_sweeps_are_refused():
    s = fernplot.read(SAMPLES / "RC_LPF.DAT")
    for order in [0, 21, -1]:
        with pytest.raises(ValueError):
            fernplot.fit_model(s, order=order)
    for order in [1.5, "2", True]:
        with pytest.raises(TypeError):
            fernplot.fit_model(s, order=order)
    with pytest.raises(ValueError):
        fernplot.fit_model(s, fmin=1e4, fmax=100)
    with pytest.raises(ValueError):
        fernplot.fit_model(s, fmin=float("nan"))
    with pytest.raises(ValueError):  # fewer points than unknowns
        fernplot.fit_model(fernplot.Sweep([1, 2], [1, 1]), order=3)
    with pytest.raises(ValueError):  # no point in the band
        fernplot.fit_model(s, fmin=1e6)
