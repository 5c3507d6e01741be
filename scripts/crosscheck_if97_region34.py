#!/usr/bin/env python3
"""Cross-check the IF97 region 3 and 4 coefficient tables in src/iapws against python3-iapws.

python3-iapws (Debian package) is an independent transcription of the same releases: IF97 Tables
30 and 34, and the v(p,T) backward equations of IAPWS SR5-05(2016) with their subregion
boundaries and reducing quantities. Every row {I, J, n} of our constexpr tables must equal the
corresponding entry there as a double. Development aid only; neither the program nor its tests
use python3-iapws.

Usage: /usr/bin/python3 scripts/crosscheck_if97_region34.py
"""
import inspect
import pathlib
import re
import sys
import textwrap

import iapws.iapws97 as if97

ROOT = pathlib.Path(__file__).resolve().parent.parent
SRC = ROOT / "src/iapws"


def arrays(text):
    """Our constexpr std::array tables: name -> list of rows (tuples of numbers)."""
    found = {}
    pattern = r"constexpr std::array<(\w+), \d+> (\w+) = \{\{?(.*?)\}?\};"
    for kind, name, body in re.findall(pattern, text, re.S):
        if kind not in ("Term", "BoundaryTerm", "double"):
            continue
        body = re.sub(r"//[^\n]*", "", body)
        rows = re.findall(r"\{([^{}]*)\}", body)
        if rows:
            found[name] = [tuple(float(x) for x in r.split(",") if x.strip()) for r in rows]
        else:
            found[name] = [(float(x),) for x in body.split(",") if x.strip()]
    return found


def python_lists(function):
    """The list literals assigned in one python3-iapws function."""
    source = textwrap.dedent(inspect.getsource(function))
    body = source[source.index(":\n") + 2:]
    names = {}
    for name, literal in re.findall(r"^\s*(\w+) = (\[.*?\])\n", body, re.S | re.M):
        names[name] = eval(literal)  # literals of numbers only
    return names


def backward_dicts():
    source = inspect.getsource(if97._Backward3x_v_PT)
    code = textwrap.dedent(source[source.index("    par = {"):source.index("    I = I[x]")])
    names = {}
    exec(code, {}, names)
    return names


def compare(label, ours, theirs, failures):
    if len(ours) != len(theirs):
        failures.append(f"{label}: {len(ours)} rows, python3-iapws has {len(theirs)}")
        return
    for k, (a, b) in enumerate(zip(ours, theirs), start=1):
        if tuple(a) != tuple(float(x) for x in b):
            failures.append(f"{label} row {k}: ours {a}, python3-iapws {tuple(b)}")


def main():
    failures = []
    region3 = arrays((SRC / "IF97Region3.cpp").read_text())
    backward_text = (SRC / "IF97Region3Backward.cpp").read_text()
    backward = arrays(backward_text)
    region4 = arrays((SRC / "IF97Region4.cpp").read_text())

    # IF97 Table 30 (n1 is the logarithmic term, kept apart).
    ref = python_lists(if97._Region3)
    compare("Table 30", region3["kTable30"], list(zip(ref["I"], ref["J"], ref["n"])), failures)
    n1 = float(re.search(r"kN1 = ([-+.e\d]+);", (SRC / "IF97Region3.cpp").read_text()).group(1))
    if n1 != 1.0658070028513:
        failures.append(f"Table 30 n1: {n1}")

    # IF97 Table 34.
    ref = python_lists(if97._PSat_T)["n"]
    compare("Table 34", region4["kN"], [(x,) for x in ref], failures)  # both lead with a 0

    # SR5-05(2016): subregion equations and their reducing quantities.
    d = backward_dicts()
    checked = 0
    for letter in "abcdefghijklmnopqrstuvwxyz":
        name = f"kTerms3{letter.upper()}"
        compare(f"3{letter}", backward[name], list(zip(d["I"][letter], d["J"][letter], d["n"][letter])),
                failures)
        checked += 1
    params = re.findall(r"\{([-.\d, ]+), Sum<kTerms3(\w)>", backward_text)
    for values, letter in params:
        ours = [float(x) for x in values.split(",")]
        theirs = d["par"][letter.lower()]
        for k, (a, b) in enumerate(zip(ours, theirs)):
            if b is not None and a != b:
                failures.append(f"3{letter.lower()} reducing quantity {k}: ours {a}, python3-iapws {b}")
    if len(params) != 26:
        failures.append(f"{len(params)} rows of reducing quantities, expected 26")

    # SR5-05(2016): subregion boundaries.
    source = inspect.getsource(if97._txx_P)
    ng = eval(textwrap.dedent(source[source.index("ng = ") + 5:source.index("\n\n    n = ng[xy]")]))
    for pair, coeffs in ng.items():
        compare(f"T3{pair}", [r[1:] for r in backward[f"kBoundary{pair.upper()}"]], [(x,) for x in coeffs],
                failures)
    for pair, function in (("AB", if97._tab_P), ("OP", if97._top_P), ("WX", if97._twx_P)):
        ref = python_lists(function)
        compare(f"T3{pair.lower()}", backward[f"kBoundary{pair}"], list(zip(ref["I"], ref["n"])), failures)

    for line in failures:
        print("MISMATCH", line)
    print(f"Table 30, Table 34, {checked} subregion tables, 26 rows of reducing quantities and "
          f"{len(ng) + 3} boundaries compared; {len(failures)} mismatches")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
