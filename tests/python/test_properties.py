"""tulo.properties(): several properties over arrays, element by element what tulo.property gives."""

import numpy as np
import pytest

import tulo


def same(a, b):
    return np.array_equal(a, b, equal_nan=True)


def random_states(n, seed=7):
    """T in K and P in kPa over every region, the ice, beyond the range, beside the saturation line and NaN."""
    rng = np.random.default_rng(seed)
    T = rng.uniform(30.0, 2400.0, n)
    P = 10.0 ** rng.uniform(-7.0, 5.1, n)
    near = slice(0, n, 8)
    T[near] = tulo.property("saturation_temperature", 300.0, P[near], standard="iapws") + rng.uniform(-1e-3, 1e-3, T[near].size)
    T[5::997] = np.nan
    P[7::991] = np.inf
    return T, P


NAMES = ["enthalpy", "entropy", "density", "viscosity", "surface_tension", "saturation_pressure"]
# The items the IAPWS standard computes in blocks of states by region.
CALORIC = ["enthalpy", "entropy", "density"]


@pytest.mark.parametrize(
    "standard,n,units,names",
    [
        ("iapws", 100_000, "SI", NAMES),
        ("iapws", 5_000, "Imperial", NAMES),
        ("iapws", 100_000, "SI", CALORIC),
        ("iapws", 20_000, "Imperial", CALORIC),
        ("builtin", 3_000, "SI", NAMES),
    ],
)
def test_properties_are_property_element_by_element(standard, n, units, names):
    T, P = random_states(n)
    got = tulo.properties(names, T, P, standard=standard, units=units, threads=2)
    assert list(got) == names
    for name in names:
        want = tulo.property(name, T, P, standard=standard, units=units)
        assert got[name].shape == T.shape
        assert same(got[name], want), name
    assert np.isfinite(got["enthalpy"]).sum() > n // 4


def test_threads_and_shapes():
    T, P = random_states(50_000, seed=3)
    one = tulo.properties(["enthalpy", "density"], T, P, standard="iapws", threads=1)
    two = tulo.properties(["enthalpy", "density"], T, P, standard="iapws", threads=2)
    every = tulo.properties(("enthalpy", "density"), T, P, standard="iapws")
    for name in one:
        assert same(one[name], two[name]) and same(one[name], every[name])
    grid = tulo.properties("enthalpy", np.array([[300.0], [500.0]]), np.array([100.0, 1000.0, 20000.0]), standard="iapws")
    assert grid["enthalpy"].shape == (2, 3)
    assert same(grid["enthalpy"], tulo.property("enthalpy", [[300.0], [500.0]], [100.0, 1000.0, 20000.0], standard="iapws"))
    scalar = tulo.properties(["enthalpy"], 300.0, 101.325)
    assert scalar["enthalpy"] == tulo.property("enthalpy", 300.0, 101.325)


@pytest.mark.parametrize(
    "args,kwargs,message",
    [
        (("nonsense", 300.0, 100.0), {}, "unknown property: nonsense"),
        ((["enthalpy", "enthalpy"], 300.0, 100.0), {}, "enthalpy is named twice"),
        (([], 300.0, 100.0), {}, "name at least one property"),
        (([1], 300.0, 100.0), {}, "property names are strings"),
        ((["enthalpy"], np.ones(3), np.ones(4)), {}, r"shapes \(3,\) and \(4,\) do not broadcast"),
        ((["enthalpy"], 300.0, 100.0), {"threads": 0}, "threads: from 1 to 1024, not 0"),
        ((["enthalpy"], 300.0, 100.0), {"threads": 1.5}, "threads: None or a whole number"),
        ((["enthalpy"], 300.0, 100.0), {"standard": "nope"}, "unknown standard: nope"),
        ((["enthalpy"], 300.0, 100.0), {"units": "nope"}, "unknown units: nope"),
    ],
)
def test_bad_arguments(args, kwargs, message):
    with pytest.raises(ValueError, match=message):
        tulo.properties(*args, **kwargs)
