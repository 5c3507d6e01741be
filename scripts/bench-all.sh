#!/usr/bin/env bash
# Every speed figure of the IAPWS standard in one run, as one table: the single states (the
# calculators, the evaluator, the IF97 layer, the pairs), the arrays of ComputeArraysTP, the
# batch command (h, s and rho in both standards) and the Python module's properties() over 10^7
# states. A measurement, not a test: nothing is asserted and no test runs it.
# Usage: scripts/bench-all.sh [BUILD_DIR]   (a Release build; builds tulo_bench and the module)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
python=/usr/bin/python3  # Debian's interpreter, the one python3-numpy belongs to

cmake --build "$build" --target tulo_bench
module=yes
cmake --build "$build" --target tulo_python 2>/dev/null || module=no

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
filter='^BM_(IapwsSevenItems|IapwsEnthalpyAlone|EvaluatorTPSevenItems|EvaluatorTPEnthalpyAlone|IF97SevenDirect'
filter+='|IF97EnthalpyDirect|EvaluatorP[HS]|EvaluatorHS|IF97StateFrom[A-Z]+|Arrays[A-Za-z]+'
filter+='|BatchCommand/(iapws|builtin)_hsrho/.*)$'
echo "Running the benchmarks (a few minutes)..." >&2
"$build/tulo_bench" --benchmark_filter="$filter" --benchmark_repetitions=3 \
  --benchmark_report_aggregates_only=true --benchmark_out="$out/bench.json" --benchmark_out_format=json >/dev/null
if [ "$module" = yes ]; then
  PYTHONPATH="$build/src/python" "$python" bench/python_properties.py >"$out/python.txt"
else
  echo "the Python module is not built (TULO_PYTHON off)" >"$out/python.txt"
fi

"$python" - "$out/bench.json" "$out/python.txt" <<'PY'
import json
import re
import sys

bench = json.load(open(sys.argv[1]))
rows = []
groups = [
    ("single state", ("BM_Iapws", "BM_EvaluatorTP", "BM_IF97Seven", "BM_IF97Enthalpy")),
    ("pairs", ("BM_EvaluatorP", "BM_EvaluatorHS", "BM_IF97StateFrom")),
    ("arrays", ("BM_Arrays",)),
    ("batch", ("BM_BatchCommand",)),
]
for group, prefixes in groups:
    for b in bench["benchmarks"]:
        if b.get("aggregate_name") != "median" or not b["run_name"].startswith(prefixes):
            continue
        rate = b.get("items_per_second")
        clock = "wall" if "real_time" in b["run_name"] else "CPU, one thread"
        if "BatchCommand" in b["run_name"]:
            clock = "wall, %s thread(s)" % b["run_name"].split("/")[2]
        rows.append((group, b["run_name"].replace("BM_", "").split("/process_time")[0], 1e9 / rate if rate else float("nan"), clock))
for line in open(sys.argv[2]):
    m = re.match(r"(.*): ([0-9.]+) s for (\d+) states on (\d+) threads, ([0-9.]+) ns/state", line)
    if m:
        rows.append(("python", "properties(%s), %s states: %s s" % (m[1], m[3], m[2]), float(m[5]), "wall, %s threads" % m[4]))
    elif line.strip():
        rows.append(("python", line.strip(), float("nan"), ""))
width = max(len(r[1]) for r in rows)
print("%-13s %-*s %12s  %s" % ("", width, "figure", "ns/state", "clock"))
for group, name, ns, clock in rows:
    print("%-13s %-*s %12.1f  %s" % (group, width, name, ns, clock))
PY
