# SPDX-License-Identifier: MIT
"""What the module's tests share: the samples and the exporter they are
compared with (both named by ctest through the environment)."""
import json
import os
import pathlib
import subprocess

import pytest

SAMPLES = pathlib.Path(os.environ.get("FERNPLOT_SAMPLES", pathlib.Path(__file__).parents[2] / "samples"))
EXPORTER = os.environ.get("FERNPLOT_EXPORT", "fernplot-export")

# Every sample with points, of every format the readers take.
READABLE = ["RC_LPF.DAT", "rc_lpf_down.dat", "OPAMP_LG.DAT", "RLC_LIN.DAT", "RLC_RES.DAT",
            "RC_LPF_model.txt", "OPAMP_LG_model.csv", "RLC_RES_model.s2p"]


def export(tmp_path, formats, *inputs, options=()):
    """Runs the exporter over `inputs` into tmp_path/out; returns the folder."""
    out = tmp_path / "out"
    settings = tmp_path / "none.CFG"  # -s of a missing file is refused: an empty one
    settings.write_bytes(b"")
    subprocess.run([EXPORTER, "-s", str(settings), "-o", str(out), "-f", formats, *options,
                    *map(str, inputs)], check=True, capture_output=True)
    return out


def stem(name):
    return pathlib.Path(name).stem


@pytest.fixture
def exported(tmp_path):
    def run(formats, *inputs, options=()):
        return export(tmp_path, formats, *inputs, options=options)
    return run


def load_json(path):
    return json.loads(pathlib.Path(path).read_text(encoding="utf-8"))
