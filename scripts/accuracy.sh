#!/usr/bin/env bash
# Writes docs/accuracy.md, and its first table into README.md: how far the built-in correlations
# are from IAPWS-IF97, and both from IAPWS-95, over the whole input range. The three standards
# compute, with `tulo-calc batch` in SI units, a dense grid of states: every kelvin from 166 to
# 1273 K at 400 pressures spaced evenly in log P from 1 kPa to 100 MPa, and the saturation line
# every 0.1 K from 166 to 647 K (each standard on its own line, as `tulo-calc compare` does). Per
# property and phase condition each table gives the median and the largest difference in per cent
# of the reference (the second standard named) and the largest absolute difference, each with the state where it occurs (a relative
# difference is large where a value passes through zero: entropy and internal energy near 273 K,
# the expansion coefficient near 277 K). States that the two standards classify differently (near
# a phase boundary) are left out.
# Usage: scripts/accuracy.sh [TULO_CALC] (default build/tulo-calc).
set -euo pipefail
cd "$(dirname "$0")/.."
calc=${1:-build/tulo-calc}
python3 - "$calc" <<'PY'
import csv, os, statistics, subprocess, sys, tempfile

calc = sys.argv[1]
T_FROM, T_TO = 166, 1273          # K, every kelvin
P_COUNT, P_DECADES = 400, 5       # 1 kPa .. 100 MPa, evenly in log P
SAT_FROM, SAT_TO = 1660, 6470     # tenths of a kelvin


def states():
    for T in range(T_FROM, T_TO + 1):
        for j in range(P_COUNT):
            yield (str(T), f"{10 ** (P_DECADES * j / (P_COUNT - 1)):.6g}")
    for t in range(SAT_FROM, SAT_TO + 1):
        yield (f"{t / 10:.1f}", "")


def batch(path, standard, items):
    args = [calc, "batch", path, "--format", "csv", "--standard", standard, "--saturated"]
    if items:
        args += ["--items", ",".join(items)]
    return subprocess.Popen(args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)


def items_of(header):
    """The item keys of a batch header: condition, T, P, then ITEM, ITEM_liquid, ITEM_vapour, status."""
    return [header[i] for i in range(3, len(header) - 1, 3)]


# The pairs compared: (standard, reference) and their headings. Each row of a batch output is the
# same state in every standard; a pair compares the columns the first standard's output has.
PAIRS = [("builtin", "iapws", "The built-in correlations against IAPWS-IF97"),
         ("builtin", "iapws95", "The built-in correlations against IAPWS-95"),
         ("iapws", "iapws95", "IAPWS-IF97 against IAPWS-95")]
NAMES = {"builtin": "built-in", "iapws": "IAPWS-IF97", "iapws95": "IAPWS-95"}

with tempfile.NamedTemporaryFile("w", suffix=".csv", delete=False) as grid:
    grid.write("T,P\n")
    for T, P in states():
        grid.write(f"{T},{P}\n")
try:
    runs = {key: batch(grid.name, key, None) for key in NAMES}
    readers = {key: csv.reader(run.stdout) for key, run in runs.items()}
    headers = {key: next(reader) for key, reader in readers.items()}
    columns = {key: {name: k for k, name in enumerate(h)} for key, h in headers.items()}

    diffs = {pair: {} for pair in PAIRS}  # pair -> (condition, property) -> [(percent, difference, T, P)]
    compared = {pair: 0 for pair in PAIRS}
    for rows in zip(*readers.values()):
        row = dict(zip(readers.keys(), rows))
        for pair in PAIRS:
            b, i = row[pair[0]], row[pair[1]]
            if not b[0] or b[0] != i[0]:  # no state, or classified differently
                continue
            compared[pair] += 1
            saturated = b[0].startswith("Saturated")
            b_header, column = headers[pair[0]], columns[pair[1]]
            for k in range(3, len(b_header) - 1):
                name = b_header[k]
                if name not in column or not b[k] or not i[column[name]]:
                    continue
                a, r = float(b[k]), float(i[column[name]])
                if r == 0:
                    continue
                phase = name.rsplit("_", 1)[1] if saturated else ""
                if phase == "liquid" and b[0].startswith("Saturated Solid"):
                    phase = "solid"
                key = (b[0] + (f" ({phase})" if phase else ""), name.rsplit("_", 1)[0] if saturated else name)
                diffs[pair].setdefault(key, []).append((100 * abs(a - r) / abs(r), abs(a - r), b[1], b[2]))
    for run in runs.values():
        run.wait()
finally:
    os.unlink(grid.name)

# The property names as the grids show them: the headings of a one-row table of every item.
items = items_of(headers["iapws"])
out = subprocess.run([calc, "table", "isobar", "--from", "300", "--to", "300", "--rows", "1", "--at", "100",
                      "--items", ",".join(items), "--format", "csv", "--standard", "iapws"],
                     capture_output=True, text=True, check=True)
headings = next(csv.reader(out.stdout.splitlines()))[2:-1]
names, units = {}, {}
for key, h in zip(items, headings):
    name, unit = h.rsplit(" (", 1) if h.endswith(")") else (h, "")
    names[key], units[key] = name, unit.rstrip(")")


def where(state):
    return f"{float(state[-2]):.6g} K, {float(state[-1]):.6g} kPa"


def table_of(pair):
    lines = ["| Condition | Property | States | Median difference % | Largest difference % | At | "
             "Largest difference | At |",
             "|---|---|---:|---:|---:|---|---:|---|"]
    for (cond, key), v in sorted(diffs[pair].items(), key=lambda kv: (kv[0][0], names.get(kv[0][1], kv[0][1]))):
        relative = max(v)
        absolute = max(v, key=lambda d: d[1])
        lines.append(f"| {cond} | {names.get(key, key)} | {len(v)} | {statistics.median(d[0] for d in v):.3g} | "
                     f"{relative[0]:.3g} | {where(relative)} | {absolute[1]:.4g} {units.get(key, '')} | "
                     f"{where(absolute)} |".replace("  |", " |"))
    lines.append("")
    lines.append(f"{compared[pair]} states: every kelvin from {T_FROM} to {T_TO} K at {P_COUNT} pressures evenly "
                 f"spaced in log P from 1 kPa to 100 MPa, and the saturation line every 0.1 K from "
                 f"{SAT_FROM / 10:g} to {SAT_TO / 10:g} K, where both standards give a state and classify it "
                 f"alike. Differences in per cent of the {NAMES[pair[1]]} value, and absolute, in SI units (as "
                 "`tulo-calc compare` gives them), with the state where each is largest. Produced by "
                 "`scripts/accuracy.sh`.")
    return lines


sections = []
for pair in PAIRS:
    sections += [f"### {pair[2]}", ""] + table_of(pair) + [""]
table = "\n".join(sections)


def replace(path, text):
    """Writes a file through a temporary one in the same folder, renamed over it when complete."""
    folder = os.path.dirname(os.path.abspath(path))
    with tempfile.NamedTemporaryFile("w", dir=folder, delete=False, encoding="utf-8") as tmp:
        tmp.write(text)
    os.replace(tmp.name, path)


replace("docs/accuracy.md", table)
# README.md holds the same table after its introduction, up to the line that names this script.
with open("README.md", encoding="utf-8") as f:
    readme = f.read().split("\n")
start = next(k for k, line in enumerate(readme) if line.startswith("| Condition | Property |"))
end = next(k for k in range(start, len(readme)) if "Produced by `scripts/accuracy.sh`" in readme[k])
replace("README.md", "\n".join(readme[:start] + table_of(PAIRS[0]) + readme[end + 1:]))
PY
echo "docs/accuracy.md and README.md written"
