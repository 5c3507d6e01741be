"""The Python module against tulo-calc, which drives the same core, and against IF97 values."""

import json
import math
import os
import re
import signal
import subprocess
import sys
import threading
import time
from concurrent.futures import ProcessPoolExecutor, ThreadPoolExecutor
from pathlib import Path

import numpy as np
import pytest

import tulo

TULO_CALC = os.environ.get("TULO_CALC") or str(Path(tulo.__file__).resolve().parents[2] / "tulo-calc")


def calc(*args):
    return subprocess.run([TULO_CALC, *map(str, args)], capture_output=True, text=True, timeout=60)


def text_matches(value, text):
    """True when value, shown to the digits of the grid text, is that text (half a unit of its last digit)."""
    m = re.fullmatch(r"\s*(-?)(\d*)\.?(\d*)(?:e([+-]?\d+))?\s*", text)
    assert m, text
    exponent = int(m.group(4) or 0)
    unit = 10.0 ** (exponent - len(m.group(3)))
    return abs(value - float(text)) <= 0.5 * unit * (1 + 1e-9)


def label_matches(value, text):
    """True when value is the state label's number: rounded to the coarser of 5 significant digits and 3 decimals."""
    unit = max(1e-3, 10.0 ** (math.floor(math.log10(abs(value))) - 4)) if value else 1e-3
    return abs(value - float(text)) <= 0.5 * unit * (1 + 1e-9)


def grid_rows(lines):
    """The data rows of a blank-aligned grid: (name, unit, cells), cut at the widths 30, 13, 13, 13."""
    rows = []
    for line in lines:
        if not line.strip():
            break
        cells = [line[43:56].strip(), line[56:69].strip(), line[69:].strip()]
        rows.append((line[:30].strip(), line[30:43].strip(), cells))
    return rows


def check_cell(value, text):
    if text == "-":
        assert value is None
    elif text == "Out of Range":
        assert value is not None and math.isnan(value)
    else:
        assert text_matches(value, text), (value, text)


# ---- state() against what tulo-calc prints for the same typed state ----

STATES = [
    (400, 1000, "SI"),
    (500, None, "SI"),
    (None, 101.325, "SI"),
    (250, 0.01, "SI"),
    (260, None, "SI"),
    (260, 101.325, "SI"),
    (700, 30000, "SI"),
    (100, 1, "European"),
    (212, None, "Imperial"),
    (300, 50, "1,1,5,2,3,1,2,3,6,2,4,3"),
]


@pytest.mark.parametrize("T,P,units", STATES)
def test_state_shows_what_the_window_shows(T, P, units):
    args = ["--units", units] + (["-T", T] if T is not None else []) + (["-P", P] if P is not None else [])
    out = calc(*args)
    assert out.returncode == 0, out.stderr
    lines = out.stdout.split("\n")
    d = tulo.state(T=T, P=P, units=units)
    assert d["condition"] == lines[3][30:]
    for key, line in (("T", lines[1]), ("P", lines[2])):
        number, unit = line[30:].split(" ", 1)
        assert d["units"][key] == unit
        assert label_matches(d[key], number), (key, d[key], number)
    rows = grid_rows(lines[6:])
    keys = [k for k in d if k not in ("condition", "T", "P", "standard", "units")]
    assert len(keys) == len(rows)
    saturated = d["condition"].startswith("Saturated")
    first = "solid" if "Solid and" in d["condition"] else "liquid"
    for key, (name, unit, cells) in zip(keys, rows):
        assert d["units"][key] == unit, name
        if saturated:
            check_cell(d[key][first], cells[0])
            check_cell(d[key]["vapour"], cells[1])
        else:
            check_cell(d[key], cells[0])


def test_wet_steam_values_are_the_wet_grid():
    out = calc("-T", 373.15, "--wet", "--quality", 30)
    assert out.returncode == 0, out.stderr
    lines = out.stdout.split("\n")
    var_rows = grid_rows(lines[6:])
    d = tulo.state(T=373.15, quality=30)
    keys = [k for k in d if k not in ("condition", "T", "P", "standard", "units", "quality")]
    key_of = {name: key for key, (name, _, _) in zip(keys, var_rows)}
    wet_heading = [i for i, line in enumerate(lines) if line.startswith("Property")][1]
    wet_rows = grid_rows(lines[wet_heading + 1 :])
    assert wet_rows
    for name, _, cells in wet_rows:
        check_cell(d[key_of[name]]["wet"], cells[2])
    # Wet steam mixed by mass from the saturated sides (densities through the specific volumes).
    x = 0.3
    h = d["enthalpy"]
    assert h["wet"] == pytest.approx((1 - x) * h["liquid"] + x * h["vapour"], rel=1e-10)
    rho = d["density"]
    assert rho["wet"] == pytest.approx(1 / ((1 - x) / rho["liquid"] + x / rho["vapour"]), rel=1e-10)


@pytest.mark.parametrize(
    "T,P,units",
    [
        (100, None, "SI"),
        (-300, None, "SI"),
        (None, 1e9, "SI"),
        (None, 30000, "SI"),
        (700, None, "SI"),
        (2000, 100, "SI"),
        (300, -5, "SI"),
        (2000, -5, "SI"),
        (-150, 1, "European"),
        (None, 5000, "Imperial"),
        (float("nan"), 100, "SI"),
        (float("inf"), None, "SI"),
        (1e300, None, "SI"),
    ],
)
def test_input_errors_carry_the_window_messages(T, P, units):
    args = ["--units", units] + (["-T", T] if T is not None else []) + (["-P", P] if P is not None else [])
    out = calc(*args)
    assert out.returncode == 2
    message = out.stderr.strip().removeprefix("tulo-calc: ")
    with pytest.raises(ValueError) as e:
        tulo.state(T=T, P=P, units=units)
    assert str(e.value) == message


@pytest.mark.parametrize(
    "kwargs,message",
    [
        ({}, "Please enter either temperature or pressure or both."),
        ({"T": 373.15, "quality": 101}, "Percentage Wet Steam can only be between 0% and 100%"),
        ({"T": 373.15, "quality": -1}, "Percentage Wet Steam can only be between 0% and 100%"),
        ({"T": 400, "P": 1000, "quality": 20}, "Wet Steam Calculations are only possible for saturated steam."),
        ({"T": 260, "quality": 20}, "Wet Steam Calculations are only possible for saturated steam."),
        ({"T": 400, "standard": "if97"}, "unknown standard: if97 (builtin, iapws, iapws95)"),
        ({"T": 400, "units": "metric"}, "unknown units: metric"),
    ],
)
def test_state_errors(kwargs, message):
    with pytest.raises(ValueError) as e:
        tulo.state(**kwargs)
    assert str(e.value).startswith(message)


@pytest.mark.parametrize("standard", ["builtin", "iapws", "iapws95"])
@pytest.mark.parametrize("T,P", [(400, 1000), (800, 5000), (None, 1000), (255, None)])
def test_state_values_are_the_property_values(standard, T, P):
    d = tulo.state(T=T, P=P, standard=standard)
    assert d["standard"] == standard
    saturated = d["condition"].startswith("Saturated")
    columns = {"liquid": "sat_liquid", "solid": "sat_solid", "vapour": "sat_vapour"}
    for key in tulo.items():
        if key not in d:
            continue
        if saturated:
            for column, phase in columns.items():
                if column in d[key]:
                    want = tulo.property(key, d["T"], d["P"], phase, standard=standard)
                    got = d[key][column]
                    if got is None:
                        assert tulo.property_status(key, d["T"], d["P"], phase, standard=standard) == 1
                    else:
                        assert got == pytest.approx(want, rel=1e-9, nan_ok=True), (key, column)
        else:
            got, want = d[key], tulo.property(key, T, P, standard=standard)
            assert (got is None and math.isnan(want)) or got == pytest.approx(want, rel=1e-15, nan_ok=True), key


# ---- property() ----


@pytest.mark.parametrize(
    "key,code,phase,T,P,standard",
    [
        ("enthalpy", 15, 5, 300, 1000, "builtin"),
        ("entropy", 16, 7, 600, 500, "builtin"),
        ("density", 18, 1, 373.15, 0, "builtin"),
        ("viscosity", 21, 2, 450, 0, "builtin"),
        ("saturation_pressure", 20, 10, 373.15, 0, "builtin"),
        ("heat_capacity", 22, 3, 250, 100, "builtin"),
        ("enthalpy", 15, 9, 373.15, 101.325, "builtin"),
        ("enthalpy", 15, 5, 300, 1000, "iapws"),
        ("speed_of_sound", 36, 7, 800, 10000, "iapws"),
        ("joule_thomson", 41, 8, 700, 30000, "iapws"),
        ("thermal_conductivity", 23, 5, 350, 2000, "iapws"),
        ("saturation_temperature", 33, 10, 300, 1000, "iapws"),
        ("dielectric_constant", 29, 5, 300, 1000, "iapws"),
    ],
)
def test_property_is_what_tulo_calc_computes(key, code, phase, T, P, standard):
    out = calc("property", code, phase, T, P, "--standard", standard, "--quality", 25)
    status, value, _ = out.stdout.rstrip("\n").split("\t")
    assert tulo.property_status(key, T, P, phase, standard=standard, quality=25) == int(status)
    assert int(status) == 0
    got = tulo.property(key, T, P, phase, standard=standard, quality=25)
    # The built-in standard keeps its values as Real6 (12 digits); tulo-calc prints 15 digits.
    assert got == pytest.approx(float(value), rel=1e-11 if standard == "builtin" else 1e-14)


def test_if97_enthalpy():
    # IAPWS-IF97 region 1 at 300 K and 1 MPa.
    assert tulo.property("enthalpy", 300, 1000, standard="iapws") == pytest.approx(113.49230207645793, rel=1e-13)


def test_iapws95_density_and_speed_of_sound():
    # IAPWS-95 Table 7: 300 K and 0.0992418352 MPa are 996.556 kg/m3 with w = 1501.51914 m/s.
    d = tulo.state(T=300, P=99.2418352, standard="iapws95")
    assert d["density"] == pytest.approx(996.556, rel=1e-7)
    assert tulo.property("speed_of_sound", 300, 99.2418352, standard="iapws95") == pytest.approx(1501.51914, rel=1e-8)


@pytest.mark.parametrize("standard", ["builtin", "iapws"])
def test_units_convert_inputs_and_values(standard):
    si = tulo.property("enthalpy", 300, 1000, standard=standard)
    # European: Celsius, atm abs (0.0098692 atm per kPa), kcal/kg.
    eu = tulo.property("enthalpy", 26.85, 9.8692, standard=standard, units="European")
    assert eu == pytest.approx(si * 0.23889, rel=1e-9)
    # Density in m3/kg (unit 5 of density) is the specific volume.
    rho = tulo.property("density", 300, 1000, standard=standard)
    v = tulo.property("density", 300, 1000, standard=standard, units="1,1,5,1,1,1,1,1,1,1,1,1")
    assert v == pytest.approx(1 / rho, rel=1e-11)
    # A gauge pressure: 0 kPa gauge is one atmosphere absolute.
    assert tulo.property("density", 300, 0, standard=standard, units="1,12,1,1,1,1,1,1,1,1,1,1") == pytest.approx(
        tulo.property("density", 300, 101.325, standard=standard), rel=1e-11
    )


def test_broadcasting_and_scalars():
    T = np.array([[300.0], [450.0], [700.0]])
    P = np.array([100.0, 1000.0, 10000.0, 30000.0])
    h = tulo.property("enthalpy", T, P, standard="iapws")
    s = tulo.property_status("enthalpy", T, P, standard="iapws")
    assert h.shape == (3, 4) and h.dtype == np.float64
    assert s.shape == (3, 4) and s.dtype == np.int8
    for i in range(3):
        for j in range(4):
            assert np.array_equal(h[i, j], tulo.property("enthalpy", T[i, 0], P[j], standard="iapws"), equal_nan=True)
    assert isinstance(tulo.property("enthalpy", 300, 1000), float)
    assert isinstance(tulo.property("enthalpy", np.float64(300), np.array(1000.0)), float)
    assert isinstance(tulo.property_status("enthalpy", 300, 1000), int)
    assert tulo.property("enthalpy", [300, 400], 1000).shape == (2,)
    assert tulo.property("enthalpy", np.arange(300, 310), 1000).dtype == np.float64  # integer input
    assert tulo.property("enthalpy", np.empty((0, 3)), 1000).shape == (0, 3)
    strided = np.linspace(300, 600, 20)[::3]
    assert np.array_equal(tulo.property("enthalpy", strided, 1000), tulo.property("enthalpy", strided.copy(), 1000))
    with pytest.raises(ValueError):
        tulo.property("enthalpy", np.ones(3), np.ones(4))


@pytest.mark.parametrize(
    "key,T,P,phase,standard,status",
    [
        ("enthalpy", 300, 1000, None, "builtin", 0),
        ("enthalpy", 5000, 100, None, "builtin", 2),
        ("enthalpy", 5000, 100, None, "iapws", 2),
        ("enthalpy", float("nan"), 100, None, "builtin", 2),
        ("enthalpy", 300, float("inf"), None, "iapws", 2),
        ("enthalpy", 1e300, 100, None, "builtin", 2),
        ("surface_tension", 500, 100, None, "builtin", 1),
        ("speed_of_sound", 400, 1000, None, "builtin", 1),
        # On the saturation line a state has no single value without a phase.
        ("enthalpy", 373.15, 101.325, None, "builtin", 1),
        ("enthalpy", 373.15, 101.325, "sat_vapour", "builtin", 0),
        ("enthalpy", 373.15, 101.325, 2, "builtin", 0),
        ("refractive_index", 400, 1000, None, "builtin", 2),
    ],
)
def test_statuses_and_nan(key, T, P, phase, standard, status):
    assert tulo.property_status(key, T, P, phase, standard=standard) == status
    value = tulo.property(key, T, P, phase, standard=standard)
    assert math.isnan(value) == (status != 0)


@pytest.mark.parametrize("standard", ["builtin", "iapws"])
def test_hostile_inputs_give_statuses_never_crashes(standard):
    rng = np.random.default_rng(13)
    special = [0.0, -0.0, -1.0, 1e-300, -1e300, 1e300, 3.4e38, np.inf, -np.inf, np.nan, 273.16, 647.096, 22064.0]
    T = np.concatenate([rng.uniform(-100, 3000, 150), special])
    P = np.concatenate([10.0 ** rng.uniform(-6, 7, 150), special[::-1]])
    for key in tulo.items():
        for phase in (None, "sat_liquid", "superheated", "wet_steam"):
            v = tulo.property(key, T, P, phase, standard=standard, quality=40)
            s = tulo.property_status(key, T, P, phase, standard=standard, quality=40)
            assert set(np.unique(s)) <= {0, 1, 2}
            assert np.array_equal(np.isnan(v), s != 0), key
            assert np.all(np.isfinite(v[s == 0]))


CELSIUS_MPA = "2,23,1,1,1,1,1,1,1,1,1,1"


@pytest.mark.parametrize(
    "key,T,P,phase,standard,units,status",
    [
        # Beyond the input limits: no value, whatever the correlation would give there.
        ("density", 300, 1e6, None, "builtin", "SI", 2),
        ("density", 300, 1e6, None, "iapws", "SI", 2),
        ("density", 300, 1e6, "subcooled_liquid", "builtin", "SI", 2),
        ("enthalpy", 300, 0, None, "builtin", "SI", 2),
        ("enthalpy", 300, 1e-9, None, "builtin", "SI", 2),
        ("enthalpy", 300, 3e-7, None, "builtin", "SI", 2),
        ("enthalpy", 300, 3.5e-7, None, "builtin", "SI", 0),
        ("density", 10, 100, None, "builtin", "SI", 2),
        ("density", 10, 100, "subcooled_solid", "iapws", "SI", 2),
        ("enthalpy", 40, 100, "sat_solid", "iapws", "SI", 2),
        # A saturated phase rests on T alone; a named phase is its correlation even off its region.
        ("enthalpy", 373.15, 1e6, "sat_liquid", "builtin", "SI", 0),
        ("enthalpy", 300, 100, "superheated", "builtin", "SI", 0),
        # The closed ends of the ranges, just inside (typed in other units too) and just outside.
        ("viscosity", 900, 10, None, "iapws", "European", 0),
        ("viscosity", 900.01, 10, None, "iapws", "European", 2),
        ("thermal_conductivity", 1173.15, 1000, None, "iapws", "SI", 0),
        ("thermal_conductivity", 1173.16, 1000, None, "iapws", "SI", 2),
        ("enthalpy", 800, 80, None, "iapws", CELSIUS_MPA, 0),
        ("enthalpy", 800.01, 80, None, "iapws", CELSIUS_MPA, 2),
        ("enthalpy", 0, 0.0005, None, "iapws", CELSIUS_MPA, 0),
        ("enthalpy", 0, 0.0005, "sat_vapour", "iapws", CELSIUS_MPA, 0),
        ("enthalpy", -0.01, 0.0005, "sat_vapour", "iapws", CELSIUS_MPA, 2),
        ("enthalpy", 273.16, 0.611657, "subcooled_solid", "iapws", "SI", 0),
        ("enthalpy", 273.17, 0.611657, "subcooled_solid", "iapws", "SI", 2),
        ("dielectric_constant", 600, 1, "superheated", "iapws", CELSIUS_MPA, 0),
        ("dielectric_constant", 600.01, 1, "superheated", "iapws", CELSIUS_MPA, 2),
        ("refractive_index", 500, 1, "superheated", "iapws", CELSIUS_MPA, 0),
        ("refractive_index", 500.01, 1, "superheated", "iapws", CELSIUS_MPA, 2),
    ],
)
def test_input_and_range_limits(key, T, P, phase, standard, units, status):
    got = tulo.property_status(key, T, P, phase, standard=standard, units=units)
    assert got == status
    assert math.isnan(tulo.property(key, T, P, phase, standard=standard, units=units)) == (status != 0)


def test_quality_beyond_its_limits_is_refused_for_wet_steam():
    assert tulo.property_status("enthalpy", 373.15, 0, "wet_steam", standard="iapws", quality=100) == 0
    with pytest.raises(ValueError):
        tulo.property("enthalpy", 373.15, 0, "wet_steam", standard="iapws", quality=100.5)


def test_iapws_states_next_to_the_saturation_line_take_their_side():
    # Within 0.1 K of the line, where the built-in standard has no single value.
    rng = np.random.default_rng(7)
    T = rng.uniform(280.0, 560.0, 2000)  # liquid below 1300 kJ/kg, vapour above 2500
    P = np.array([tulo.property("saturation_pressure", t, 0, "no_phase", standard="iapws") for t in T])
    T = T + rng.uniform(-0.09, 0.09, T.size)
    h = tulo.property("enthalpy", T, P, standard="iapws")
    assert np.all(tulo.property_status("enthalpy", T, P, standard="iapws") == 0)
    liquid = tulo.property("enthalpy", T, P, "subcooled_liquid", standard="iapws")
    vapour = tulo.property("enthalpy", T, P, "superheated", standard="iapws")
    # Both named phases evaluate IF97 at (T, P), so each equals the value of the stable side.
    assert np.array_equal(h, liquid) and np.array_equal(h, vapour)
    tsat = np.array([tulo.property("saturation_temperature", 0, p, "no_phase", standard="iapws") for p in P])
    assert np.all((h > 1900) == (T > tsat))
    assert tulo.property_status("enthalpy", 373.1, 101.325) == 1  # the built-in standard keeps its band


def test_imperial_inputs_convert_as_y_over_factor_minus_offset():
    # 80.33 degF and 14.5038 psia are 300 K and 100 kPa; BTU/lb is kJ/kg / 2.326.
    si = tulo.property("enthalpy", 300.0, 100.0, standard="iapws")
    for standard in ("iapws", "builtin"):
        imperial = tulo.property("enthalpy", 80.33, 14.5038, standard=standard, units="Imperial")
        assert tulo.property_status("enthalpy", 80.33, 14.5038, standard=standard, units="Imperial") == 0
        assert imperial == pytest.approx(si / 2.326, rel=2e-3), standard


def test_wet_steam_phase_mixes_by_mass():
    hl = tulo.property("enthalpy", 373.15, 101.325, "sat_liquid", standard="iapws")
    hv = tulo.property("enthalpy", 373.15, 101.325, "sat_vapour", standard="iapws")
    hw = tulo.property("enthalpy", 373.15, 101.325, "wet_steam", standard="iapws", quality=40)
    assert hw == pytest.approx(0.6 * hl + 0.4 * hv, rel=1e-14)


def test_compare_converts_the_iapws_column_with_unrounded_factors():
    # The melting point in Celsius: the Real6 of 273.15 would move its ninth digit.
    out = calc("compare", "-T", 150, "-P", 5, "--units", "European", "--layout", "tabs")
    assert out.returncode == 0, out.stderr
    row = next(line.split("\t") for line in out.stdout.split("\n") if line.startswith("Melting Point (@ pressure)"))
    expected = tulo.property("melting_point", 150, 5, standard="iapws", units="European")
    assert row[4] == f"{expected:.9g}"


def test_iapws_wet_steam_takes_the_quality_given():
    # Every digit of the quality counts in IAPWS: the lever rule with the very double given.
    quality = 33.3333333333
    x = quality / 100.0
    hl = tulo.property("enthalpy", 373.15, 101.325, "sat_liquid", standard="iapws")
    hv = tulo.property("enthalpy", 373.15, 101.325, "sat_vapour", standard="iapws")
    lever = x * hv + (1.0 - x) * hl
    assert tulo.property("enthalpy", 373.15, 101.325, "wet_steam", standard="iapws", quality=quality) == lever
    # tulo-calc property prints 15 digits; a quality rounded to Real6 would move the 13th.
    out = calc("property", 15, 9, 373.15, 101.325, "--standard", "iapws", "--quality", quality)
    assert float(out.stdout.split("\t")[1]) == pytest.approx(lever, rel=1e-14)
    d = tulo.state(T=373.15, quality=quality, standard="iapws")
    assert d["enthalpy"]["wet"] == x * d["enthalpy"]["vapour"] + (1.0 - x) * d["enthalpy"]["liquid"]
    out = subprocess.run([TULO_CALC, "batch", "-", "--standard", "iapws", "--items", "h", "--format", "csv"],
                         input=f"T,P,x\n373.15,,{quality}\n", capture_output=True, text=True, timeout=60)
    assert out.returncode == 0, out.stderr
    row = dict(zip(*[line.split(",") for line in out.stdout.strip().split("\n")]))
    hl, hv = float(row["enthalpy_liquid"]), float(row["enthalpy_vapour"])
    assert float(row["enthalpy_wet"]) == x * hv + (1.0 - x) * hl


@pytest.mark.parametrize(
    "kwargs,fragment",
    [
        ({"name": "enthalpie"}, "enthalpy, entropy"),
        ({"name": "internal energy"}, "joule_thomson"),
        ({"standard": "IF97"}, "builtin, iapws, iapws95"),
        ({"units": "SI units"}, "SI, Imperial, Customary, European"),
        ({"units": "1,1,1"}, "U0,...,U11"),
        ({"phase": "gas"}, "sat_liquid"),
        ({"phase": 11}, "0 to 10"),
        ({"phase": True}, "phase: expected one of None, sat_solid"),
        ({"phase": "gas"}, "phase: expected one of"),
        ({"phase": 2.0}, "phase: expected one of"),
        ({"quality": 150}, "between 0% and 100%"),
        ({"T": None}, "T and P"),
    ],
)
def test_property_errors_list_the_valid_choices(kwargs, fragment):
    args = {"name": "enthalpy", "T": 300, "P": 1000, **kwargs}
    with pytest.raises(ValueError) as e:
        tulo.property(**args)
    assert fragment in str(e.value)


def test_catalogue():
    keys = tulo.items()
    assert len(keys) == len(set(keys)) == 25
    assert tulo.standards()[0] == "builtin" and "iapws" in tulo.standards()
    assert re.fullmatch(r"\d+\.\d+\.\d+", tulo.__version__)
    # Every name is one that a standard answers somewhere, in a phase of its own or on the saturation line.
    T, P = np.meshgrid(np.linspace(200, 1000, 17), np.geomspace(1, 50000, 17))
    for key in keys:
        answered = sum(
            int(np.any(tulo.property_status(key, T, P, phase, standard=s) == 0))
            for s in tulo.standards()
            for phase in (None, "sat_liquid", "sat_vapour")
        )
        assert answered > 0, key


@pytest.mark.parametrize("name,key", [("Enthalpy", "enthalpy"), ("speed-of-sound", "speed_of_sound"),
                                      ("JOULE-Thomson", "joule_thomson"), ("RHO", "density")])
def test_names_take_any_case_and_hyphens(name, key):
    T, P = [300.0, 500.0, 900.0], [1000.0, 100.0, 20000.0]
    assert np.array_equal(tulo.property(name, T, P, standard="iapws"), tulo.property(key, T, P, standard="iapws"))
    out = subprocess.run([TULO_CALC, "batch", "--standard", "iapws", "--items", name], input="T,P\n300,1000\n",
                         capture_output=True, text=True, timeout=60)
    assert out.returncode == 0, out.stderr
    assert out.stdout.split("\n")[0].split(",")[3] == key


# ---- states given by other pairs ----

# The forward states (by T and P, or T and x) and the pairs that must find them again.
FORWARD = [
    ({"T": 600, "P": 1000}, ["Ph", "Ps", "hs", "Th", "Ts"]),
    ({"T": 500, "P": 20000}, ["Ph", "Ps", "hs"]),
    ({"T": 400, "x": 40}, ["Px", "Ph", "Ps", "hs", "Th", "Ts"]),
]


def given_of(d, name):
    return d[name] if name in ("T", "P", "x") else d[{"h": "enthalpy", "s": "entropy"}[name]]


@pytest.mark.parametrize("forward,pairs", FORWARD)
def test_pairs_find_the_forward_state(forward, pairs):
    for standard in ("builtin", "iapws"):
        want = tulo.state(**forward, standard=standard)
        wet = "x" in forward
        # A wet state's h and s are those of its "wet" column.
        given = {n: given_of(want, n)["wet"] if wet and n in "hs" else given_of(want, n) for n in "TPhs"}
        given["x"] = forward.get("x")
        rel = 1e-9 if standard == "iapws" else 1e-6
        for pair in pairs:
            got = tulo.state(**{n: given[n] for n in pair}, standard=standard)
            assert got["condition"] == want["condition"], (standard, pair)
            assert got["T"] == pytest.approx(want["T"], rel=rel) and got["P"] == pytest.approx(want["P"], rel=rel)
            assert (got["x"] is None) == (not wet)
            if wet:
                assert got["x"] == pytest.approx(forward["x"], abs=100 * rel), (standard, pair)
            # The arrays find the same state.
            args = {n: np.array([given[n]] * 2) for n in pair}
            # The state's T as the module shows it: a Real6 of the built-in standard as its short decimal.
            shown = 1e-15 if standard == "iapws" else 1e-11
            assert tulo.property("T", **args, standard=standard) == pytest.approx([got["T"]] * 2, rel=shown)
            assert np.all(tulo.property_status("P", **args, standard=standard) == 0)


def test_existing_calls_name_no_x():
    assert "x" not in tulo.state(T=400, P=1000) and "x" not in tulo.state(T=373.15, quality=20)


@pytest.mark.parametrize("standard", ["builtin", "iapws"])
def test_pair_arrays_have_a_status_per_row(standard):
    P = np.array([1000.0, 1000.0, 100.0, np.nan, 1e9])
    h = np.array([2800.0, 1500.0, 1e6, 2800.0, 2800.0])
    T = tulo.property("T", P=P, h=h, standard=standard)
    assert list(tulo.property_status("T", P=P, h=h, standard=standard)) == [0, 0, 2, 2, 2]
    assert np.array_equal(np.isnan(T), [False, False, True, True, True])
    # x: the wet row alone has one; single phase is status 1.
    assert list(tulo.property_status("x", P=P, h=h, standard=standard)) == [1, 0, 2, 2, 2]
    # An item at the wet state is the wet steam's; h given is h found.
    assert tulo.property("h", P=P[:2], h=h[:2], standard=standard) == pytest.approx(h[:2], rel=1e-9)
    # Broadcast like T and P; the keyword order does not matter.
    assert np.array_equal(tulo.property("s", h=[[2800.0], [3000.0]], P=[500.0, 1000.0], standard=standard),
                          tulo.property("s", P=[[500.0, 1000.0]] * 2, h=[[2800.0] * 2, [3000.0] * 2], standard=standard))


@pytest.mark.parametrize(
    "call,kwargs,fragment",
    [
        (tulo.state, {"h": 2800}, "h alone gives no state"),
        (tulo.state, {"T": 400, "P": 100, "h": 2800}, "give two of T, P, h, s, x, not 3"),
        (tulo.state, {"h": 2800, "x": 50}, "h and x: this pair is not supported"),
        (tulo.state, {"P": 1000, "h": 2800, "quality": 20}, "quality is for a state given by T, P or both"),
        (tulo.state, {"P": 1000, "h": float("nan")}, "not a number: nan"),
        (tulo.state, {"P": 100, "h": 1e6}, "no state with P = 100 kPa and h = 1e+06 kJ/kg"),
        (tulo.state, {"T": 600, "h": 1e4, "standard": "iapws"}, "no state with T = 600 K and h = 10000 kJ/kg"),
        (tulo.property, {"name": "h", "h": 2800, "x": 50}, "h and x: this pair is not supported"),
        (tulo.property, {"name": "h", "T": 400, "P": 100, "s": 7}, "T and P must both be given"),
        (tulo.property, {"name": "T", "T": 400, "P": 100, "phase": "sat_liquid"}, "phase: a phase is named"),
        (tulo.property, {"name": "h", "P": 100, "h": 400, "phase": 5}, "phase: a phase is named"),
        (tulo.property, {"name": "X", "P": 100, "h": 400}, "unknown property: X"),
    ],
)
def test_pair_errors(call, kwargs, fragment):
    with pytest.raises(ValueError) as e:
        call(**kwargs)
    assert fragment in str(e.value)


# ---- the numbers typed come back as they were read ----

CELSIUS_BAR = "2,3,1,1,1,1,1,1,1,1,1,1"


@pytest.mark.parametrize("standard", ["builtin", "iapws"])
@pytest.mark.parametrize("T,P", [(300, 100), (0.01, None), (450, 10), (None, 1.5), (99.63, 1.01325)])
def test_state_echoes_the_numbers_read(standard, T, P):
    d = tulo.state(T=T, P=P, units=CELSIUS_BAR, standard=standard)
    if T is not None:
        assert d["T"] == T
    if P is not None:
        assert d["P"] == P


def test_batch_echoes_the_numbers_read():
    for standard in ("builtin", "iapws"):
        out = subprocess.run([TULO_CALC, "batch", "--standard", standard, "--items", "h", "--units", CELSIUS_BAR,
                              "--saturated"],
                             input="T,P\n450,10\n0.01,\n300,100\n", capture_output=True, text=True, timeout=60)
        assert out.returncode == 0, out.stderr
        rows = [line.split(",") for line in out.stdout.splitlines()[1:]]
        assert [(r[1], r[2]) for r in rows] == [("450", "10"), ("0.01", rows[1][2]), ("300", "100")], standard


# ---- the process locale plays no part ----

LOCALES = os.environ.get("TULO_TEST_LOCALES") or str(Path(tulo.__file__).resolve().parents[2] / "locales")

LOCALE_SCRIPT = r"""
import json, locale, sys
import numpy as np
import tulo
if sys.argv[1] != "C":
    locale.setlocale(locale.LC_ALL, "")
    assert locale.localeconv()["decimal_point"] == ",", locale.setlocale(locale.LC_ALL)
out = {}
for kwargs in ({"T": 300.5, "P": 100}, {"T": 5000, "P": 100}, {"T": 1e300}, {"T": 700}, {"T": 300.5, "P": 1e-9},
               {"P": 1.5, "units": "European", "standard": "iapws"}, {"T": 0.01, "units": "2,1,1,1,1,1,1,1,1,1,1,1"},
               {"T": 373.15, "quality": 25.5}):
    try:
        out[repr(kwargs)] = tulo.state(**kwargs)
    except ValueError as e:
        out[repr(kwargs)] = str(e)
out["property"] = tulo.property("Enthalpy", np.linspace(300.5, 800.5, 6), 1000.5).tolist()
print(json.dumps(out, sort_keys=True, default=repr))
"""


def state_texts(locale_name):
    env = dict(os.environ, LC_ALL=locale_name, LOCPATH=LOCALES)
    out = subprocess.run([sys.executable, "-c", LOCALE_SCRIPT, locale_name], env=env, capture_output=True,
                         text=True, timeout=120)
    assert out.returncode == 0, out.stderr
    return out.stdout


@pytest.mark.parametrize("locale_name", ["de_DE.UTF-8", "fr_FR.UTF-8"])
def test_module_reads_and_writes_numbers_whatever_the_locale(locale_name):
    classic = state_texts("C")
    assert '"T": 300.5' in classic and "Temperature must be between" in classic
    assert state_texts(locale_name) == classic


# ---- threads and processes ----


def test_threads_give_the_single_call_results():
    T = np.linspace(280, 900, 40_000)
    P = np.geomspace(10, 40_000, 40_000)
    whole = tulo.property("enthalpy", T, P, standard="iapws")
    with ThreadPoolExecutor(4) as pool:
        parts = list(pool.map(lambda c: tulo.property("enthalpy", *c, standard="iapws"),
                              zip(np.array_split(T, 8), np.array_split(P, 8))))
    assert np.array_equal(np.concatenate(parts), whole, equal_nan=True)


def test_the_gil_is_released_while_computing():
    T = np.linspace(280, 900, 2_000_000)
    P = np.full_like(T, 1000.0)
    span = {}

    def work():
        span["start"] = time.perf_counter()
        tulo.property("enthalpy", T, P, standard="iapws")
        span["end"] = time.perf_counter()

    worker = threading.Thread(target=work)
    ticks = []
    worker.start()
    while worker.is_alive():
        ticks.append(time.perf_counter())
    worker.join()
    # This thread kept running Python code all through the call: with the GIL held by the
    # computation it would stand still for most of it.
    inside = [span["start"]] + [t for t in ticks if span["start"] < t < span["end"]] + [span["end"]]
    longest_pause = max(b - a for a, b in zip(inside, inside[1:]))
    assert longest_pause < 0.5 * (span["end"] - span["start"])


def enthalpy_of_chunk(chunk):
    T, P = chunk
    return tulo.property("enthalpy", T, P, standard="iapws")


def test_process_pool_over_chunks():
    T = np.linspace(300, 800, 200_000)
    P = np.full_like(T, 1000.0)
    with ProcessPoolExecutor(2) as pool:
        h = np.concatenate(list(pool.map(enthalpy_of_chunk, zip(np.array_split(T, 8), np.array_split(P, 8)))))
    assert np.array_equal(h, tulo.property("enthalpy", T, P, standard="iapws"), equal_nan=True)


# ---- Ctrl-C during a long call ----

INTERRUPTED_CALL = """
import numpy as np, tulo
T = np.linspace(280, 900, 2_000_000)
print("started", flush=True)
try:
    tulo.property("enthalpy", T, 1000.0)
except KeyboardInterrupt as e:
    print("interrupted", *getattr(e, "__notes__", []))
else:
    print("finished")
"""


def test_ctrl_c_ends_a_long_call():
    # Two million built-in states take some tens of seconds; SIGINT half a second in must end the
    # call with KeyboardInterrupt, its note telling how far it got.
    child = subprocess.Popen([sys.executable, "-c", INTERRUPTED_CALL], stdout=subprocess.PIPE, text=True)
    try:
        assert child.stdout.readline() == "started\n"
        time.sleep(0.5)
        child.send_signal(signal.SIGINT)
        out, _ = child.communicate(timeout=600)
    finally:
        child.kill()
    m = re.fullmatch(r"interrupted tulo: stopped after (\d+) of (\d+) values\n", out)
    assert m, out
    assert int(m.group(1)) < int(m.group(2)) == 2_000_000


# ---- unit operations and the Rankine cycle ----

HP_STEAM = {"P": 10000.0, "T": 800.0}


def approx_state(state, rel=1e-9):
    return {k: (None if v is None else pytest.approx(v, rel=rel, abs=1e-9)) for k, v in state.items()}


@pytest.mark.parametrize("standard", ["builtin", "iapws"])
@pytest.mark.parametrize("machine,inlet,outlet_pressure", [(tulo.turbine, HP_STEAM, 10.0),
                                                           (tulo.turbine, HP_STEAM, 1000.0),
                                                           (tulo.pump, {"P": 10.0, "x": 0.0}, 10000.0)])
def test_machines_expand_at_their_efficiency(standard, machine, inlet, outlet_pressure):
    ideal = machine(inlet=inlet, outlet_pressure=outlet_pressure, efficiency=100, standard=standard)
    # At 100 % the outlet is the isentropic one, at the inlet's entropy.
    assert ideal["outlet"] == approx_state(ideal["outlet_isentropic"])
    assert ideal["outlet"]["s"] == pytest.approx(ideal["inlet"]["s"], rel=1e-6)
    assert ideal["outlet"]["P"] == pytest.approx(outlet_pressure, rel=1e-9)
    isentropic = abs(ideal["outlet"]["h"] - ideal["inlet"]["h"])
    assert ideal["work"] == pytest.approx(isentropic, rel=1e-6)
    # At 85 % with a flow: a turbine gives 85 % of the isentropic work, a pump takes 1/0.85 of it.
    real = machine(inlet=inlet, outlet_pressure=outlet_pressure, efficiency=85, flow=2.0, standard=standard)
    share = 0.85 if machine is tulo.turbine else 1 / 0.85
    assert real["work"] == pytest.approx(share * isentropic, rel=1e-6)
    assert real["power"] == pytest.approx(2.0 * real["work"], rel=1e-9)
    assert real["outlet"]["s"] > real["inlet"]["s"]
    # The measured states give the efficiency back.
    measured = machine(inlet=inlet, outlet={"P": real["outlet"]["P"], "h": real["outlet"]["h"]}, standard=standard)
    assert measured["efficiency"] == pytest.approx(85, rel=1e-6)


@pytest.mark.parametrize("standard", ["builtin", "iapws"])
def test_valves_keep_the_enthalpy(standard):
    out = tulo.throttle(inlet={"P": 5000.0, "x": 95.0}, outlet_pressure=100.0, standard=standard)
    assert out["outlet"]["h"] == pytest.approx(out["inlet"]["h"], rel=1e-9)
    assert out["outlet"]["P"] == pytest.approx(100.0) and out["inlet"]["x"] == pytest.approx(95.0)
    # The calorimeter finds that inlet from the outlet's T and P and the pressure before the valve.
    cal = tulo.calorimeter(outlet={"P": 100.0, "T": out["outlet"]["T"]}, inlet_pressure=5000.0, standard=standard)
    assert cal["inlet"]["x"] == pytest.approx(95.0, rel=1e-5)
    assert cal["inlet"]["h"] == pytest.approx(cal["outlet"]["h"], rel=1e-9)


@pytest.mark.parametrize("standard", ["builtin", "iapws"])
def test_mixing_and_separating_balance_mass_and_energy(standard):
    streams = [{"P": 1000.0, "T": 500.0, "flow": 2.0}, {"P": 1200.0, "T": 350.0, "flow": 1.0},
               {"P": 1000.0, "x": 50.0, "flow": 0.5}]
    mix = tulo.mix(streams=streams, pressure=1000.0, standard=standard)
    assert mix["outlet_flow"] == pytest.approx(3.5)
    enthalpy_in = sum(mix[f"stream_{i + 1}"]["h"] * s["flow"] for i, s in enumerate(streams))
    assert mix["outlet"]["h"] * 3.5 == pytest.approx(enthalpy_in, rel=1e-9)

    flash = tulo.flash(inlet={"P": 2000.0, "T": 480.0, "flow": 4.0}, pressure=200.0, standard=standard)
    vapour, liquid = flash["vapour_flow"], flash["liquid_flow"]
    assert vapour + liquid == pytest.approx(4.0) and flash["vapour_fraction"] == pytest.approx(25 * vapour)
    assert (flash["vapour"]["x"], flash["liquid"]["x"]) == (100.0, 0.0)
    assert vapour * flash["vapour"]["h"] + liquid * flash["liquid"]["h"] == pytest.approx(
        4.0 * flash["inlet"]["h"], rel=1e-9)

    for target in ({"target_temperature": 600.0}, {"target_enthalpy": 3000.0}):
        d = tulo.desuperheat(steam={**HP_STEAM, "flow": 10.0}, water={"P": 12000.0, "T": 400.0}, **target,
                             standard=standard)
        assert d["outlet_flow"] == pytest.approx(10.0 + d["water_flow"])
        assert d["outlet_flow"] * d["outlet"]["h"] == pytest.approx(
            10.0 * d["steam"]["h"] + d["water_flow"] * d["water"]["h"], rel=1e-9)
        assert d["outlet"]["T" if "target_temperature" in target else "h"] == pytest.approx(
            next(iter(target.values())), rel=1e-6)


@pytest.mark.parametrize("standard", ["builtin", "iapws"])
def test_heat_is_the_enthalpy_rise(standard):
    inlet = {"P": 10000.0, "T": 450.0}
    boiler = tulo.heat(inlet=inlet, outlet=HP_STEAM, flow=3.0, standard=standard)
    assert boiler["heat"] == pytest.approx(boiler["outlet"]["h"] - boiler["inlet"]["h"], rel=1e-9)
    assert boiler["duty"] == pytest.approx(3.0 * boiler["heat"], rel=1e-9)
    back = tulo.heat(inlet=inlet, outlet_pressure=10000.0, heat=boiler["heat"], standard=standard)
    assert back["outlet"]["T"] == pytest.approx(800.0, rel=1e-6) and "duty" not in back


RANKINE = [
    {},
    {"turbine_inlet_temperature": None},
    {"turbine_efficiency": 85, "pump_efficiency": 80},
    {"reheat_pressure": 2000.0, "reheat_temperature": 780.0},
    {"feedwater_heater_pressure": 500.0, "net_power": 100.0},
]


@pytest.mark.parametrize("standard", ["builtin", "iapws"])
@pytest.mark.parametrize("extra", RANKINE)
def test_rankine_cycle_balances(standard, extra):
    args = {"boiler_pressure": 10000.0, "turbine_inlet_temperature": 800.0, "condenser_pressure": 10.0, **extra}
    c = tulo.rankine(**args, standard=standard)
    assert c["heat_in"] - c["heat_out"] == pytest.approx(c["net_work"], rel=1e-9)
    assert c["turbine_work"] - c["pump_work"] == pytest.approx(c["net_work"], rel=1e-9)
    assert c["efficiency"] == pytest.approx(100 * c["net_work"] / c["heat_in"], rel=1e-9)
    assert c["back_work_ratio"] == pytest.approx(100 * c["pump_work"] / c["turbine_work"], rel=1e-9)
    assert c["heat_rate"] == pytest.approx(3600 * 100 / c["efficiency"], rel=1e-9)
    assert ("steam_flow" in c) == ("net_power" in extra)
    if "net_power" in extra:
        assert c["steam_flow"] * c["net_work"] == pytest.approx(100.0, rel=1e-9)
    names = [s["name"] for s in c["states"]]
    assert len(names) == len(set(names)) >= 4 and all(set(s) == {"name", "T", "P", "h", "s", "x"} for s in c["states"])
    assert min(s["P"] for s in c["states"]) == pytest.approx(10.0)
    if extra.get("turbine_efficiency"):
        ideal = tulo.rankine(**{**args, "turbine_efficiency": 100, "pump_efficiency": 100}, standard=standard)
        assert c["efficiency"] < ideal["efficiency"]


# Imperial units (degF, psia, Btu/lb, Btu/lb.degF) by the program's unit table.
IMPERIAL = {"T": lambda K: (K - 255.372) * 1.8, "P": lambda kPa: kPa * 0.14504, "h": lambda h: h * 0.43011,
            "s": lambda s: s * 0.23889}


def imperial(state):
    return {k: IMPERIAL[k](v) if k in IMPERIAL else v for k, v in state.items()}


def test_units_and_flow_units_agree_with_si():
    si = tulo.turbine(inlet=HP_STEAM, outlet_pressure=100.0, efficiency=80, flow=10.0, standard="iapws")
    imp = tulo.turbine(inlet=imperial(HP_STEAM), outlet_pressure=IMPERIAL["P"](100.0), efficiency=80,
                       flow=10.0 * 3600 / 0.45359237, flow_unit="lb/h", power_unit="MW", units="Imperial",
                       standard="iapws")
    for name in ("inlet", "outlet", "outlet_isentropic"):
        assert imp[name] == approx_state(imperial(si[name]))
    assert imp["work"] == pytest.approx(IMPERIAL["h"](si["work"]), rel=1e-9)
    assert imp["power"] == pytest.approx(si["power"] / 1000, rel=1e-9)
    assert imp["units"]["power"] == "MW" and imp["units"]["h"] == "Btu/lb" and imp["units"]["efficiency"] == "%"
    mix = tulo.mix(streams=[{**HP_STEAM, "flow": 36.0}, {"P": 10000.0, "T": 500.0, "flow": 18.0}],
                   pressure=10000.0, flow_unit="t/h")
    assert mix["outlet_flow"] == pytest.approx(54.0) and mix["units"]["outlet_flow"] == "t/h"
    si = tulo.rankine(boiler_pressure=10000.0, turbine_inlet_temperature=800.0, condenser_pressure=10.0,
                      net_power=50.0, power_unit="MW")
    imp = tulo.rankine(boiler_pressure=IMPERIAL["P"](10000.0), turbine_inlet_temperature=IMPERIAL["T"](800.0),
                       condenser_pressure=IMPERIAL["P"](10.0), net_power=50.0, power_unit="MW", flow_unit="kg/h",
                       units="Imperial")
    assert imp["steam_flow"] == pytest.approx(3600 * si["steam_flow"], rel=1e-5)
    assert imp["heat_rate"] == pytest.approx(si["heat_rate"], rel=1e-5)
    assert imp["net_work"] == pytest.approx(IMPERIAL["h"](si["net_work"]), rel=1e-5)


# The same processes by tulo-calc, whose JSON has the names and numbers of the module's dicts.
AS_TULO_CALC = [
    (tulo.turbine, {"inlet": HP_STEAM, "outlet_pressure": 10, "flow": 20},
     ["process", "turbine", "--inlet", "P=10000,T=800", "--outlet-pressure", 10, "--flow", 20]),
    (tulo.mix, {"streams": [{**HP_STEAM, "flow": 7200}, {"P": 10000, "x": 0, "flow": 3600}], "pressure": 9000,
                "flow_unit": "lb/h", "standard": "iapws"},
     ["process", "mix", "--stream", "P=10000,T=800,flow=7200", "--stream", "P=10000,x=0,flow=3600", "--pressure",
      9000, "--flow-unit", "lb/h", "--standard", "iapws"]),
    (tulo.rankine, {"boiler_pressure": 1500, "turbine_inlet_temperature": 900, "condenser_pressure": 1.5,
                    "turbine_efficiency": 88, "reheat_pressure": 300, "reheat_temperature": 900, "net_power": 50,
                    "power_unit": "MW", "units": "Imperial"},
     ["cycle", "rankine", "--boiler-pressure", 1500, "--turbine-inlet-temperature", 900, "--condenser-pressure", 1.5,
      "--turbine-efficiency", 88, "--reheat-pressure", 300, "--reheat-temperature", 900, "--net-power", 50,
      "--power-unit", "MW", "--units", "Imperial"]),
]


@pytest.mark.parametrize("call,kwargs,args", AS_TULO_CALC)
def test_processes_are_what_tulo_calc_computes(call, kwargs, args):
    out = calc(*args, "--format", "json")
    assert out.returncode == 0, out.stderr
    expected = json.loads(out.stdout)
    del expected["standard"]
    assert call(**kwargs) == expected


@pytest.mark.parametrize(
    "call,kwargs,message",
    [
        (tulo.turbine, {"inlet": {"P": 10000.0}, "outlet_pressure": 10}, "inlet: give two of T, P, h, s, x, not 1"),
        (tulo.turbine, {"inlet": {**HP_STEAM, "q": 1}, "outlet_pressure": 10}, "inlet: unknown key 'q'"),
        (tulo.turbine, {"inlet": [10000, 800], "outlet_pressure": 10}, "inlet: a dict of two of T, P, h, s, x"),
        (tulo.turbine, {"inlet": {"P": "high", "T": 800}, "outlet_pressure": 10}, "inlet['P']: a number expected"),
        (tulo.turbine, {"inlet": {"h": 2800, "x": 50}, "outlet_pressure": 10}, "inlet: h and x: this pair"),
        (tulo.turbine, {"inlet": {"P": 100, "h": 1e6}, "outlet_pressure": 10}, "inlet: no state with P = 100 kPa"),
        (tulo.turbine, {"inlet": HP_STEAM}, "outlet_pressure: required"),
        (tulo.turbine, {"inlet": HP_STEAM, "outlet_pressure": 10, "outlet": HP_STEAM}, "outlet_pressure: not with"),
        (tulo.pump, {"inlet": HP_STEAM, "outlet": HP_STEAM, "efficiency": 80}, "efficiency: not with outlet"),
        (tulo.turbine, {"inlet": HP_STEAM, "outlet_pressure": 10, "efficiency": float("nan")},
         "efficiency: not a number: nan"),
        (tulo.turbine, {"inlet": HP_STEAM, "outlet_pressure": 10, "flow": "1"}, "flow: a number expected, not a str"),
        # The process's own messages come as they are, in SI units.
        (tulo.turbine, {"inlet": HP_STEAM, "outlet_pressure": 10, "efficiency": 150},
         "the isentropic efficiency (150 %) lies outside (0, 100] %"),
        (tulo.rankine, {"boiler_pressure": 1, "condenser_pressure": 1, "units": "European"},
         "the condenser pressure (101.325 kPa) is not below the boiler pressure (101.325 kPa)"),
        (tulo.turbine, {"inlet": HP_STEAM, "outlet_pressure": 10, "flow_unit": "kg/min"},
         "flow_unit: unknown unit kg/min (kg/s, kg/h, t/h or lb/h)"),
        (tulo.turbine, {"inlet": HP_STEAM, "outlet_pressure": 10, "power_unit": "GW"}, "power_unit: unknown unit GW"),
        (tulo.throttle, {"inlet": HP_STEAM, "outlet_pressure": 10, "units": "metric"}, "unknown units: metric"),
        (tulo.calorimeter, {"outlet": HP_STEAM, "inlet_pressure": 1e300}, "inlet_pressure: number out of range"),
        (tulo.mix, {"streams": [HP_STEAM, HP_STEAM], "pressure": 100}, "streams[0]: its flow is required"),
        (tulo.mix, {"streams": HP_STEAM, "pressure": 100}, "streams: a list of dicts"),
        (tulo.desuperheat, {"steam": {**HP_STEAM, "flow": 1}, "water": HP_STEAM}, "target_temperature, target_enthalpy"),
        (tulo.flash, {"inlet": {**HP_STEAM, "flow": 1}}, "pressure: required"),
        (tulo.heat, {"inlet": HP_STEAM, "outlet": HP_STEAM, "heat": 10}, "outlet: give outlet, or"),
        (tulo.heat, {"inlet": HP_STEAM, "outlet_pressure": 100}, "heat: required"),
        (tulo.rankine, {"condenser_pressure": 10}, "boiler_pressure: required"),
        (tulo.rankine, {"boiler_pressure": 1e4, "condenser_pressure": 10, "reheat_pressure": 2000},
         "reheat_pressure, reheat_temperature: give both"),
        (tulo.rankine, {"boiler_pressure": 1e4, "condenser_pressure": 10, "turbine_efficiency": None},
         "turbine_efficiency: a number expected, not None"),
    ],
)
def test_process_arguments_are_checked_by_name(call, kwargs, message):
    with pytest.raises(ValueError) as e:
        call(**kwargs)
    assert str(e.value).startswith(message), str(e.value)
