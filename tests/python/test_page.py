# SPDX-License-Identifier: MIT
"""Pages and files written: the exporter's bytes (-f png, svg, pdf,
drawing, csv, s2p, spice, json, -l), drawn offscreen."""
import subprocess

import pytest

import fernplot
from conftest import EXPORTER, READABLE, SAMPLES, load_json, stem

PNG = b"\x89PNG\r\n\x1a\n"


@pytest.mark.parametrize("name", ["RC_LPF.DAT", "RLC_RES_model.s2p", "OPAMP_LG_model.csv"])
def test_a_page_is_drawn_as_the_exporter_draws_it(exported, name, monkeypatch):
    monkeypatch.setenv("SOURCE_DATE_EPOCH", "1000000000")
    out = exported("png,svg,pdf,drawing", SAMPLES / name)
    for page in [fernplot.page(SAMPLES / name), fernplot.page(fernplot.read(SAMPLES / name))]:
        assert page.png() == (out / f"{stem(name)}.png").read_bytes()
        assert page.svg() == (out / f"{stem(name)}.svg").read_text(encoding="utf-8")
        assert page.pdf() == (out / f"{stem(name)}.pdf").read_bytes()
        assert page.drawing() == load_json(out / f"{stem(name)}.drawing.json")


@pytest.mark.parametrize("options, kwargs", [
    (["--zoom", "250"], {"zoom": 250}),
    (["--view", "nyquist"], {"view": "nyquist"}),
    (["--view", "nichols", "--loop", "closed"], {"view": "nichols", "loop": "closed"}),
    (["--loop", "sensitivity"], {"loop": "sensitivity"}),
    (["--overlay", str(SAMPLES / "OPAMP_LG_model.csv")],
     {"overlays": [SAMPLES / "OPAMP_LG_model.csv"]}),
    (["--difference", str(SAMPLES / "OPAMP_LG_model.csv")],
     {"difference": SAMPLES / "OPAMP_LG_model.csv"}),
    (["-s", str(SAMPLES.parent / "tests/golden/settings/OPAMP_LG.fixed_limits.CFG")],
     {"settings": SAMPLES.parent / "tests/golden/settings/OPAMP_LG.fixed_limits.CFG"}),
    (["--set", "title=Loop A", "--set", "axis.gain.max=20", "--set", "axis.gain.datamax=N",
      "--set", "item.date=N", "--set", "color.gain=0 128 0"],
     {"title": "Loop A", "axis_gain_max": 20, "axis_gain_datamax": False, "item_date": False,
      "color_gain": (0, 128, 0)}),
])
def test_page_options_draw_as_the_exporters_options(exported, tmp_path, options, kwargs):
    path = SAMPLES / "OPAMP_LG.DAT"
    if "-s" in options:
        out = tmp_path / "s"
        subprocess.run([EXPORTER, *options, "-o", str(out), "-f", "png,drawing", str(path)],
                       check=True, capture_output=True)
    else:
        out = exported("png,drawing", path, options=options)
    zoom = kwargs.pop("zoom", 100)
    page = fernplot.page(path, **kwargs)
    assert page.png(zoom=zoom) == (out / "OPAMP_LG.png").read_bytes()
    assert page.drawing() == load_json(out / "OPAMP_LG.drawing.json")


def test_a_sweep_made_from_arrays_draws_a_page():
    s = fernplot.Sweep([10, 100, 1000], [1, 0.7j, 0.1], title="made")
    page = fernplot.page(s)
    png = page._repr_png_()
    assert png.startswith(PNG) and png == page.png()
    texts = [e["text"] for e in page.drawing()["elements"] if e["kind"] == "text"]
    assert "made" in texts


def test_page_arguments_are_checked(tmp_path):
    path = SAMPLES / "RC_LPF.DAT"
    with pytest.raises(TypeError, match="gain_axis_min"):
        fernplot.page(path, gain_axis_min=-40)
    with pytest.raises(ValueError, match="right.axis takes PHASE"):
        fernplot.page(path, right_axis="SIDEWAYS")
    names = [p[0] for p in fernplot.properties()]
    assert "axis_gain_length" in names and len(names) == len(set(names))
    for zoom in [9, 1001, float("nan")]:
        with pytest.raises(ValueError):
            fernplot.page(path).png(zoom=zoom)
    with pytest.raises(TypeError):
        fernplot.page(path).png(zoom="100")
    with pytest.raises(ValueError):
        fernplot.page(path, view="polar")
    with pytest.raises(ValueError):
        fernplot.page(path, loop="half")
    with pytest.raises(TypeError):
        fernplot.page(path, overlays=str(path))
    with pytest.raises(TypeError):
        fernplot.page(42)
    with pytest.raises(FileNotFoundError):
        fernplot.page(tmp_path / "none.DAT")
    with pytest.raises(FileNotFoundError):
        fernplot.page(path, overlays=[tmp_path / "none.DAT"])
    with pytest.raises(FileNotFoundError):
        fernplot.page(path, settings=tmp_path / "none.CFG")
    with pytest.raises(fernplot.ReadError) as e:
        fernplot.page(path, overlays=[SAMPLES / "TRUNCATED.DAT"])
    assert e.value.path == str(SAMPLES / "TRUNCATED.DAT")
    with pytest.raises(fernplot.ReadError):
        fernplot.page(SAMPLES / "BROKEN_SHORT.DAT")
    # A reference with no frequency in common with the page.
    far = fernplot.Sweep([1e9, 2e9], [1, 1])
    ref = tmp_path / "far.csv"
    fernplot.write(far, ref, "csv")
    with pytest.raises(ValueError):
        fernplot.page(path, difference=ref)


@pytest.mark.parametrize("name", READABLE)
def test_written_files_are_the_exporters_files(exported, tmp_path, name):
    out = exported("csv,s2p,spice,json", SAMPLES / name)
    s = fernplot.read(SAMPLES / name)
    for fmt, suffix in [("csv", ".csv"), ("s2p", ".s2p"), ("spice", ".cir"), ("json", ".json")]:
        target = tmp_path / f"mine{suffix}"
        fernplot.write(s, target, fmt)
        want = (out / f"{stem(name)}{suffix}").read_bytes()
        if fmt == "spice":  # the subcircuit is named after the file
            want = want.replace(stem(name).encode(), b"X")
            got = target.read_bytes().replace(stem(name).encode(), b"X")
        else:
            got = target.read_bytes()
        if fmt == "json" and s.format != "DAT":
            continue  # an imported trace's json names its file, not checked here
        assert got == want, fmt


def test_write_refuses_unknown_formats_and_reports_failed_writes(tmp_path):
    s = fernplot.read(SAMPLES / "RC_LPF.DAT")
    with pytest.raises(ValueError):
        fernplot.write(s, tmp_path / "x.png", "png")
    with pytest.raises(OSError):
        fernplot.write(s, tmp_path / "no" / "such" / "x.csv", "csv")
    with pytest.raises(TypeError):
        fernplot.write("RC_LPF.DAT", tmp_path / "x.csv", "csv")
    # Nothing half-written is left behind by a refused write.
    assert list(tmp_path.iterdir()) == []


def test_scan_lists_the_exporters_rows(tmp_path):
    listing = subprocess.run([EXPORTER, "-l", str(SAMPLES / "*.DAT")], check=True,
                             capture_output=True, text=True).stdout.splitlines()
    rows = fernplot.scan(SAMPLES / "*.DAT")
    assert len(rows) == len(listing)
    for row, line in zip(rows, listing):
        cells = line.split("\t")
        points = "" if row["points"] is None else str(row["points"])
        assert [row["name"], row["kind"], points, row["date"] or "", row["title"]] == cells
    assert any(r["points"] is None for r in rows) and any(r["points"] == 41 for r in rows)
    with pytest.raises(FileNotFoundError):
        fernplot.scan(tmp_path / "missing" / "*.DAT")
    assert fernplot.scan(tmp_path / "*.DAT") == []
