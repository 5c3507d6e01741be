"""tulo.pyi, the module's type stub: installed beside the module, naming what the module has."""

import ast
import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

import pytest

import tulo

STUB = Path(tulo.__file__).parent / "tulo.pyi"


def public_functions():
    return {name for name in dir(tulo) if not name.startswith("_") and callable(getattr(tulo, name))}


def stub_functions():
    tree = ast.parse(STUB.read_text(encoding="utf-8"))
    functions = {}
    for node in tree.body:
        if isinstance(node, ast.FunctionDef):
            functions.setdefault(node.name, []).append(node.args)
    return functions


def split_top_level(text):
    """The parameters of a signature, split at the commas outside brackets."""
    parts, depth, current = [], 0, ""
    for c in text:
        depth += (c in "[(") - (c in "])")
        if c == "," and depth == 0:
            parts.append(current.strip())
            current = ""
        else:
            current += c
    return [p for p in parts + [current.strip()] if p]


def module_signature(name):
    """(name, default) of each parameter as pybind11 writes the signature, '*' where keywords start."""
    first = getattr(tulo, name).__doc__.splitlines()[0]
    inner = re.fullmatch(rf"{name}\((.*)\) -> .*", first).group(1)
    params = []
    for p in split_top_level(inner):
        head, _, default = p.partition(" = ")
        params.append((head.split(":")[0].strip(), ast.literal_eval(default) if default else "<required>"))
    return params


def stub_signature(args):
    positional = args.posonlyargs + args.args
    defaults = ["<required>"] * (len(positional) - len(args.defaults)) + args.defaults
    params = [(a.arg, d if d == "<required>" else ast.literal_eval(d)) for a, d in zip(positional, defaults)]
    if args.kwonlyargs:
        params.append(("*", "<required>"))
    for a, d in zip(args.kwonlyargs, args.kw_defaults):
        params.append((a.arg, "<required>" if d is None else ast.literal_eval(d)))
    return params


def test_the_stub_lies_beside_the_module():
    assert STUB.is_file(), STUB


def test_the_stub_names_exactly_the_modules_functions():
    assert set(stub_functions()) == public_functions()


@pytest.mark.parametrize("name", sorted(public_functions()))
def test_each_stubbed_signature_is_the_modules(name):
    expected = module_signature(name)
    for args in stub_functions()[name]:  # each overload takes the same arguments
        assert stub_signature(args) == expected


GOOD = """
import numpy as np
import numpy.typing as npt
import tulo

h: float = tulo.property("h", 300.0, 100.0)
hs: npt.NDArray[np.float64] = tulo.property("h", np.array([300.0, 400.0]), 100.0, standard="iapws")
codes: npt.NDArray[np.int8] = tulo.property_status("h", P=np.array([100.0]), x=np.array([50.0]))
state: dict = tulo.state(300, 100, units="SI")
out = tulo.turbine(inlet={"P": 10000, "T": 800}, outlet_pressure=10, efficiency=85)
cycle = tulo.rankine(boiler_pressure=10000, condenser_pressure=10)
chart = tulo.diagram_lines("ts", units="Imperial")
names: list[str] = tulo.items() + tulo.standards()
"""

# Each a call the module refuses, which the stub must make a type error.
BAD = [
    'tulo.turbine({"P": 10000, "T": 800}, 10)',  # keywords only
    'tulo.diagram_lines("ts", "iapws")',  # standard by keyword
    "tulo.diagram_lines(1)",
    'tulo.state(300, 100, unit="SI")',
    'n: int = tulo.property("h", 300.0, 100.0)',
]


def mypy(tmp_path, code):
    if subprocess.run([sys.executable, "-c", "import mypy"], capture_output=True).returncode != 0:
        pytest.skip("mypy is not installed (Debian's python3-mypy)")
    stubs = tmp_path / "stubs"
    stubs.mkdir(exist_ok=True)
    shutil.copy(STUB, stubs / "tulo.pyi")
    (tmp_path / "example.py").write_text(code, encoding="utf-8")
    env = {**os.environ, "MYPYPATH": str(stubs)}
    return subprocess.run([sys.executable, "-m", "mypy", "--strict", "--no-incremental", "--cache-dir", os.devnull,
                           "--allow-any-generics", "example.py"],
                          cwd=tmp_path, capture_output=True, text=True, timeout=300, env=env)


def test_mypy_accepts_the_modules_own_calls(tmp_path):
    done = mypy(tmp_path, GOOD)
    assert done.returncode == 0, done.stdout + done.stderr


def test_mypy_refuses_what_the_module_refuses(tmp_path):
    done = mypy(tmp_path, "import tulo\n" + "\n".join(BAD) + "\n")
    flagged = {int(n) for n in re.findall(r"^example\.py:(\d+): error:", done.stdout, re.M)}
    assert flagged == set(range(2, len(BAD) + 2)), done.stdout + done.stderr
