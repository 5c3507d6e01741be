"""tulo.diagram_lines: the lines of the charts as data, against the module's own properties."""

import os
import re
import subprocess
import sys
import textwrap
from pathlib import Path

import numpy as np
import pytest

import tulo

SOURCE = Path(__file__).resolve().parents[2]
TULO_CALC = os.environ.get("TULO_CALC") or str(Path(tulo.__file__).resolve().parents[2] / "tulo-calc")

# The families each chart draws, as the charts of the window and of tulo-calc diagram have them.
FAMILIES = {
    "ts": {"saturated_liquid", "saturated_vapour", "quality", "isobar"},
    "hs": {"saturated_liquid", "saturated_vapour", "quality", "isobar", "isotherm"},
    "ph": {"saturated_liquid", "saturated_vapour", "quality", "isotherm"},
    "pt": {"saturation", "melting", "sublimation"},
}
AXES = {"ts": ("s", "T"), "hs": ("s", "h"), "ph": ("h", "P"), "pt": ("T", "P")}


def lines_of(chart, family):
    return [line for line in chart["lines"] if line["family"] == family]


@pytest.mark.parametrize("kind", sorted(AXES))
def test_each_chart_has_its_axes_and_families(kind):
    chart = tulo.diagram_lines(kind)
    assert chart["kind"] == kind
    assert (chart["x"]["quantity"], chart["y"]["quantity"]) == AXES[kind]
    assert chart["y"]["log"] == (AXES[kind][1] == "P") and not chart["x"]["log"]
    assert {line["family"] for line in chart["lines"]} == FAMILIES[kind]
    for axis in ("x", "y"):
        lowest, highest = chart[axis]["range"]
        assert lowest < highest
    critical = chart["critical"]
    assert critical is not None
    for line in chart["lines"]:
        assert line["pieces"], line["label"]
        for piece in line["pieces"]:
            assert piece.dtype == np.float64 and piece.ndim == 2 and piece.shape[1] == 2
            assert np.isfinite(piece).all()
        if line["family"] in ("isobar", "isotherm", "quality"):
            assert line["label"] and float(line["label"].rstrip(" %")) == pytest.approx(line["value"])
        else:
            assert line["label"] == "" and line["value"] == 0.0
    # The dome ends at the critical point, on both sides.
    for family in ("saturated_liquid", "saturated_vapour", "saturation"):
        for line in lines_of(chart, family):
            # (the built-in standard's vapour pressure correlation ends 0.1 % off its critical pressure)
            assert line["pieces"][-1][-1] == pytest.approx(critical, rel=1e-3)


def off_saturation(T, P, units):
    """The points clear of the saturation line, where the stable phase has one value."""
    tsat = tulo.property("T", P=P, x=np.zeros_like(P), units=units)
    return np.isnan(tsat) | (np.abs(T - tsat) > 0.5)


@pytest.mark.parametrize("standard", ["builtin", "iapws"])
@pytest.mark.parametrize("units", ["SI", "Imperial"])
def test_isobars_and_quality_lines_hold_their_value(standard, units):
    chart = tulo.diagram_lines("ts", standard=standard, units=units)
    assert lines_of(chart, "isobar") and lines_of(chart, "quality")
    checked = 0
    for line in lines_of(chart, "isobar"):
        for piece in line["pieces"]:
            s, T = piece[:, 0], piece[:, 1]
            P = np.full_like(T, float(line["label"]))
            keep = off_saturation(T, P, units)
            found = tulo.property("s", T[keep], P[keep], standard=standard, units=units)
            np.testing.assert_allclose(found, s[keep], rtol=1e-5, atol=1e-5, err_msg=line["label"])
            checked += keep.sum()
    for line in lines_of(chart, "quality"):
        for piece in line["pieces"]:
            s, T = piece[:, 0], piece[:, 1]
            found = tulo.property("s", T=T, x=np.full_like(T, line["value"]), standard=standard, units=units)
            np.testing.assert_allclose(found, s, rtol=1e-5, atol=1e-5, err_msg=line["label"])
    assert checked > 500


def test_units_convert_the_same_lines():
    si = tulo.diagram_lines("ts")
    imperial = tulo.diagram_lines("ts", units="Imperial")
    assert (imperial["x"]["unit"], imperial["y"]["unit"]) != (si["x"]["unit"], si["y"]["unit"])
    for family in ("saturated_liquid", "saturated_vapour"):
        (a,) = lines_of(si, family)
        (b,) = lines_of(imperial, family)
        s, T = a["pieces"][0][:, 0], a["pieces"][0][:, 1]
        expected = np.column_stack([s / 4.1868, (T - 273.15) * 1.8 + 32.0])
        np.testing.assert_allclose(b["pieces"][0], expected, rtol=1e-5, atol=1e-3)
    # Gauge pressure gives way to the absolute unit on the logarithmic axis.
    gauge = tulo.diagram_lines("ph", units="1,12,1,1,1,1,1,1,1,1,1,1")  # kPa gauge
    assert gauge["y"]["unit"] == "kPa abs"
    assert gauge["y"]["range"] == tulo.diagram_lines("ph")["y"]["range"]


@pytest.mark.parametrize(
    "kwargs,message",
    [
        ({"kind": "tx"}, r"^kind: expected one of ts, hs, ph, pt, not 'tx'$"),
        ({"kind": "ts", "standard": "nist"}, r"^unknown standard: nist \(builtin, "),
        ({"kind": "ts", "units": "metric"}, r"^unknown units: metric \(SI, Imperial"),
    ],
)
def test_bad_arguments_are_named(kwargs, message):
    with pytest.raises(ValueError, match=message):
        tulo.diagram_lines(**kwargs)


def svg_texts(path):
    return set(re.findall(r"<text[^>]*>\s*([^<]*?)\s*</text>", path.read_text(encoding="utf-8")))


@pytest.mark.skipif(not Path(TULO_CALC).exists(), reason="tulo-calc not built")
@pytest.mark.parametrize("kind", ["ts", "hs", "ph"])
def test_labels_are_those_tulo_calc_draws(kind, tmp_path):
    out = tmp_path / f"{kind}.svg"
    done = subprocess.run([TULO_CALC, "diagram", kind, "--output", str(out)], capture_output=True, text=True,
                          timeout=120, env={**os.environ, "QT_QPA_PLATFORM": "offscreen"})
    assert done.returncode == 0, done.stderr
    drawn = svg_texts(out)
    labels = {line["label"] for line in tulo.diagram_lines(kind)["lines"] if line["label"]}
    assert labels and labels <= drawn, labels - drawn


def help_example():
    """The matplotlib example of the help page: the indented block under its heading."""
    text = (SOURCE / "src/gui/resources/help/python.md").read_text(encoding="utf-8")
    section = text.split("### The lines of the charts", 1)[1].split("\n#", 1)[0]
    block = re.search(r"^( {4}\S.*\n(?:(?: {4}.*)?\n)*)", section, re.M)
    return textwrap.dedent(block.group(1))


def test_the_help_pages_matplotlib_example_runs(tmp_path):
    pytest.importorskip("matplotlib")
    code = help_example()
    assert "tulo.rankine(" in code and "tulo.diagram_lines(" in code
    path = os.pathsep.join(filter(None, [str(Path(tulo.__file__).parent), os.environ.get("PYTHONPATH")]))
    done = subprocess.run([sys.executable, "-c", code], cwd=tmp_path, capture_output=True, text=True, timeout=300,
                          env={**os.environ, "PYTHONPATH": path, "MPLCONFIGDIR": str(tmp_path)})
    assert done.returncode == 0, done.stderr
    png = (tmp_path / "rankine-ts.png").read_bytes()
    assert png.startswith(b"\x89PNG\r\n\x1a\n") and len(png) > 10_000
