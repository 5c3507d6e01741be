"""The Calc add-in in a real office: tulo.oxt installed into a new user profile, the test
spreadsheet converted to CSV headless (every formula computed on load), each row checked.

Column A of each row says what column B must hold:
  point|ITEM|ARGS         B is tulo-calc point ARGS --items ITEM's value of ITEM ("#VALUE!" where
                          it has none, or no state)
  status-point|ITEM|ARGS  B is empty where point has the value, else point's message on stderr
                          (no state) or "Out of Range: ITEM" / "No value: ITEM (...)"
  status|TEXT             B is TEXT
  error                   B is "#VALUE!"
  process|FN|RESULT|JSON  B is tulo.FN(**JSON)'s RESULT (a figure, or STATE.KEY; KEY: outlet's)
  none                    nothing to check
"""

import argparse
import csv
import json
import math
import os
import shutil
import subprocess
import sys
import tempfile
import time

import tulo

RELATIVE = 1e-12  # the CSV holds 15 significant digits or more of each double


def point(tulo_calc, item, args):
    # point writes T, P, x, h, s and rho always, and each item of --items under its own name.
    items = [] if item in ("T", "P", "x", "h", "s", "rho") else ["--items", item]
    run = subprocess.run([tulo_calc, "point", *args.split(), *items], capture_output=True, text=True)
    if run.returncode == 3:
        return None, run.stderr.strip().removeprefix("tulo-calc point: ")
    if run.returncode != 0:
        raise RuntimeError("tulo-calc point " + args + ": " + run.stderr.strip())
    return json.loads(run.stdout)[item], None


def same_number(text, expected):
    try:
        got = float(text)
    except ValueError:
        return False
    return math.isclose(got, expected, rel_tol=RELATIVE, abs_tol=1e-300)


def process_value(fn, result, kwargs):
    answer = getattr(tulo, fn)(**kwargs)
    state, _, key = result.rpartition(".")
    if not state and key in answer:
        return answer[key]
    return answer[state or "outlet"][key]


def check_row(spec, got, tulo_calc):
    """None when the cell is right, else what is wrong."""
    kind, _, rest = spec.partition("|")
    if kind == "none":
        return None
    if kind == "error":
        return None if got == "#VALUE!" else "expected #VALUE!"
    if kind == "status":
        return None if got == rest else "expected " + repr(rest)
    if kind == "process":
        fn, result, kwargs = rest.split("|", 2)
        value = process_value(fn, result, json.loads(kwargs))
        if value is None:
            return None if got == "#VALUE!" else "expected #VALUE!"
        return None if same_number(got, value) else "expected %r" % value
    item, _, args = rest.partition("|")
    value, message = point(tulo_calc, item, args)
    if kind == "point":
        if value is None:
            return None if got == "#VALUE!" else "expected #VALUE!"
        return None if same_number(got, value) else "expected %r" % value
    if kind == "status-point":
        if value is not None:
            return None if got == "" else "expected an empty status"
        if message is not None:
            return None if got == message else "expected " + repr(message)
        return None if got.startswith(("Out of Range: " + item, "No value: " + item)) else "expected no value"
    return "unknown check " + repr(kind)


def as_user(command, work):
    """unopkg refuses root without --shared (which would change the office itself): as root it
    runs as nobody, in a folder of its own."""
    if os.geteuid() != 0:
        return command
    for path in (work, *(os.path.join(work, name) for name in os.listdir(work))):
        os.chown(path, 65534, 65534)
    return ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", *command]


def convert(args, work):
    profile = os.path.join(work, "profile")
    env_arg = "-env:UserInstallation=file://" + profile
    oxt = shutil.copy(args.oxt, work)  # where unopkg's user reads it
    started = time.monotonic()
    subprocess.run(as_user([args.unopkg, "add", "--suppress-license", env_arg, oxt], work), check=True,
                   timeout=120, env=dict(os.environ, HOME=work))
    installed = time.monotonic()
    # Token 9 false: the numbers with all their digits, not as the cells show them.
    subprocess.run([args.soffice, env_arg, "--headless", "--norestore", "--convert-to",
                    'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false',
                    "--outdir", work, args.sheet], check=True, timeout=180, capture_output=True)
    converted = time.monotonic()
    print("unopkg add: %.1f s, soffice --convert-to csv: %.1f s" % (installed - started, converted - installed))
    name = os.path.splitext(os.path.basename(args.sheet))[0] + ".csv"
    with open(os.path.join(work, name), newline="", encoding="utf-8") as f:
        return list(csv.reader(f))


def main():
    parser = argparse.ArgumentParser()
    for option in ("--oxt", "--sheet", "--soffice", "--unopkg", "--tulo-calc"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    work = tempfile.mkdtemp(prefix="tulo-calc-test-")
    try:
        rows = convert(args, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    passed = failed = 0
    for number, row in enumerate(rows, start=1):
        spec, got = (row + ["", ""])[:2]
        problem = check_row(spec, got, args.tulo_calc)
        if problem is None:
            passed += 1 if spec.split("|")[0] != "none" else 0
            continue
        failed += 1
        print("row %d: %s: got %r, %s" % (number, spec, got, problem))
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed or not passed else 0


if __name__ == "__main__":
    sys.exit(main())
