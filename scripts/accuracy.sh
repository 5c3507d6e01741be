#!/usr/bin/env bash
# Writes docs/accuracy.md, and the same table into README.md: how far the built-in correlations are
# from the IAPWS standards over the whole input range. Both standards compute, with
# `tulo-calc batch` in SI units, a dense grid of states: every kelvin from 166 to 1273 K at 400
# pressures spaced evenly in log P from 1 kPa to 100 MPa, and the saturation line every 0.1 K from
# 166 to 647 K (each standard on its own line, as `tulo-calc compare` does). Per property and
# phase condition the table gives the median and the largest difference in per cent of the IAPWS
# value and the largest absolute difference, each with the state where it occurs (a relative
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
    args = [calc, "batch", path, "--format", "csv", "--standard", standard]
    if items:
        args += ["--items", ",".join(items)]
    return subprocess.Popen(args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)


def items_of(header):
    """The item keys of a batch header: condition, T, P, then ITEM, ITEM_liquid, ITEM_vapour, status."""
    return [header[i] for i in range(3, len(header) - 1, 3)]


with tempfile.NamedTemporaryFile("w", suffix=".csv", delete=False) as grid:
    grid.write("T,P\n")
    for T, P in states():
        grid.write(f"{T},{P}\n")
try:
    builtin = batch(grid.name, "builtin", None)
    b_rows = csv.reader(builtin.stdout)
    b_header = next(b_rows)
    items = items_of(b_header)
    iapws = batch(grid.name, "iapws", items)
    i_rows = csv.reader(iapws.stdout)
    i_header = next(i_rows)
    column = {name: k for k, name in enumerate(i_header)}

    diffs = {}  # (condition, property) -> [(percent, difference, T, P)]
    compared = 0
    for b, i in zip(b_rows, i_rows):
        if not b[0] or b[0] != i[0]:  # no state, or classified differently
            continue
        compared += 1
        saturated = b[0].startswith("Saturated")
        for k in range(3, len(b_header) - 1):
            name = b_header[k]
            if not b[k] or not i[column[name]]:
                continue
            a, r = float(b[k]), float(i[column[name]])
            if r == 0:
                continue
            phase = name.rsplit("_", 1)[1] if saturated else ""
            if phase == "liquid" and b[0].startswith("Saturated Solid"):
                phase = "solid"
            key = (b[0] + (f" ({phase})" if phase else ""), name.rsplit("_", 1)[0] if saturated else name)
            diffs.setdefault(key, []).append((100 * abs(a - r) / abs(r), abs(a - r), b[1], b[2]))
    builtin.wait()
    iapws.wait()
finally:
    os.unlink(grid.name)

# The property names as the grids show them: the headings of a one-row table of every item.
out = subprocess.run([calc, "table", "isobar", "--from", "300", "--to", "300", "--rows", "1", "--at", "100",
                      "--items", ",".join(items), "--format", "csv"], capture_output=True, text=True, check=True)
headings = next(csv.reader(out.stdout.splitlines()))[2:-1]
names, units = {}, {}
for key, h in zip(items, headings):
    name, unit = h.rsplit(" (", 1) if h.endswith(")") else (h, "")
    names[key], units[key] = name, unit.rstrip(")")


def where(state):
    return f"{float(state[-2]):.6g} K, {float(state[-1]):.6g} kPa"


lines = ["| Condition | Property | States | Median difference % | Largest difference % | At | "
         "Largest difference | At |",
         "|---|---|---:|---:|---:|---|---:|---|"]
for (cond, key), v in sorted(diffs.items(), key=lambda kv: (kv[0][0], names.get(kv[0][1], kv[0][1]))):
    relative = max(v)
    absolute = max(v, key=lambda d: d[1])
    lines.append(f"| {cond} | {names.get(key, key)} | {len(v)} | {statistics.median(d[0] for d in v):.3g} | "
                 f"{relative[0]:.3g} | {where(relative)} | {absolute[1]:.4g} {units.get(key, '')} | "
                 f"{where(absolute)} |".replace("  |", " |"))
lines.append("")
lines.append(f"{compared} states: every kelvin from {T_FROM} to {T_TO} K at {P_COUNT} pressures evenly spaced in "
             f"log P from 1 kPa to 100 MPa, and the saturation line every 0.1 K from {SAT_FROM / 10:g} to "
             f"{SAT_TO / 10:g} K, where both standards give a state and classify it alike. Differences in per "
             "cent of the IAPWS value, and absolute, in SI units (as `tulo-calc compare` gives them), "
             "with the state where each is largest. Produced by "
             "`scripts/accuracy.sh`.")
table = "\n".join(lines) + "\n"


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
replace("README.md", "\n".join(readme[:start] + lines + readme[end + 1:]))
PY
echo "docs/accuracy.md and README.md written"
