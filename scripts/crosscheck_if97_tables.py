#!/usr/bin/env python3
"""Cross-check the IF97 coefficient tables in src/iapws against python3-iapws (Debian package).

An independent transcription of the same release: every row {I, J, n} of our constexpr tables must
equal the corresponding entry of iapws/iapws97.py exactly (same decimal, same double). Development
aid only; neither the program nor its tests use python3-iapws.

Usage: /usr/bin/python3 scripts/crosscheck_if97_tables.py
"""
import ast
import pathlib
import re
import sys

import iapws

ROOT = pathlib.Path(__file__).resolve().parent.parent
IAPWS97 = pathlib.Path(iapws.__file__).with_name("iapws97.py")

# Our table name -> (python function, names of the I, J, n lists in it; None: column absent).
TABLES = {
    "kRegion1": ("_Region1", "I", "J", "n"),
    "kRegion2Ideal": ("Region2_cp0", None, "Jo", "no"),
    "kRegion2Residual": ("_Region2", "Ir", "Jr", "nr"),
    "kRegion5Ideal": ("Region5_cp0", None, "Jo", "no"),
    "kRegion5Residual": ("_Region5", "Ir", "Jr", "nr"),
    "kRegion1TPH": ("_Backward1_T_Ph", "I", "J", "n"),
    "kRegion1TPS": ("_Backward1_T_Ps", "I", "J", "n"),
    "kRegion2aTPH": ("_Backward2a_T_Ph", "I", "J", "n"),
    "kRegion2bTPH": ("_Backward2b_T_Ph", "I", "J", "n"),
    "kRegion2cTPH": ("_Backward2c_T_Ph", "I", "J", "n"),
    "kRegion2aTPS": ("_Backward2a_T_Ps", "I", "J", "n"),
    "kRegion2bTPS": ("_Backward2b_T_Ps", "I", "J", "n"),
    "kRegion2cTPS": ("_Backward2c_T_Ps", "I", "J", "n"),
}
# Known transcription faults of python3-iapws, checked against the release: (array, index) -> ours.
# Its _t_P has n5 = 0.1391883977870e2, one digit short of Table 1's 0.13918839778870e2.
KNOWN_FAULTS = {("kB23", 4): 0.13918839778870e2}


def python_functions():
    tree = ast.parse(IAPWS97.read_text())
    functions = {}
    for node in tree.body:
        if isinstance(node, ast.FunctionDef):
            lists = {}
            for stmt in ast.walk(node):
                if isinstance(stmt, ast.Assign) and len(stmt.targets) == 1 and isinstance(
                        stmt.targets[0], ast.Name) and isinstance(stmt.value, ast.List):
                    lists[stmt.targets[0].id] = ast.literal_eval(stmt.value)
            functions[node.name] = (node, lists)
    return functions


def our_arrays():
    text = "".join(p.read_text() for p in sorted((ROOT / "src/iapws").glob("IF97*.cpp")))
    arrays = {}
    for m in re.finditer(r"constexpr std::array<(\w+), \d+> (\w+) = \{\{?(.*?)\}?\};", text, re.S):
        kind, name, body = m.groups()
        body = re.sub(r"//[^\n]*", "", body)
        if kind == "double":
            arrays[name] = [float(x) for x in re.findall(r"[-+]?[\d.]+(?:e[-+]?\d+)?", body)]
        else:
            rows = re.findall(r"\{([^{}]*)\}", body)
            arrays[name] = [tuple(float(x) for x in row.split(",")) for row in rows]
    return arrays


def main():
    functions = python_functions()
    ours = our_arrays()
    failures = 0
    for name, (function, iname, jname, nname) in TABLES.items():
        lists = functions[function][1]
        theirs = list(zip(*(lists[c] for c in (iname, jname, nname) if c)))
        mine = ours[name]
        if len(mine[0]) == 3 and iname is None:
            mine = [row[1:] for row in mine]
        bad = [k + 1 for k, (a, b) in enumerate(zip(mine, theirs)) if tuple(a) != tuple(map(float, b))]
        if len(mine) != len(theirs) or bad:
            failures += 1
            print(f"{name}: {len(mine)} rows vs {len(theirs)}; rows differing: {bad}")
            for k in bad:
                print(f"   ours {mine[k - 1]}  python3-iapws {theirs[k - 1]}")
        else:
            print(f"{name}: {len(mine)} rows agree")
    # B23 (Table 1) and B2bc (Table 19): plain coefficient lists in python3-iapws's source.
    p23 = functions["_P23_T"][1]["n"]
    t23 = functions["_t_P"][1]["n"]
    b23 = p23 + [t23[1], t23[2]]
    src_bc = ast.get_source_segment(IAPWS97.read_text(), functions["_P_2bc"][0])
    a, b, c = re.findall(r"return ([\d.e+-]+)-([\d.e+-]+)\*h\+([\d.e+-]+)\*h", src_bc)[0]
    b2bc = [float(a), -float(b), float(c)]
    for name, theirs in (("kB23", b23), ("kB2bc", b2bc)):
        for k, (mine, other) in enumerate(zip(ours[name], theirs)):
            if mine == other:
                continue
            if KNOWN_FAULTS.get((name, k)) == mine:
                print(f"{name}[{k}]: ours {mine!r}, python3-iapws {other!r} (its known fault)")
            else:
                failures += 1
                print(f"{name}[{k}]: ours {mine!r} differs from python3-iapws {other!r}")
        print(f"{name}: {len(ours[name])} coefficients checked")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
