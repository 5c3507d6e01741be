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
Then, in the same profile, the functions as a user types them (by their English names) and the
function wizard's texts of each, through the office's UNO bridge.
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


def check_row(check, got, tulo_calc):
    """None when the cell is right, else what is wrong."""
    kind, _, rest = check.partition("|")
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


# The function wizard's name of each function and its arguments, as CalcAddins.xcu gives them.
STATE_ARGS = ["name1", "value1", "name2", "value2"]
OPTIONS = ["standard", "units"]
WIZARD = {
    "TULO": ["property", *STATE_ARGS, *OPTIONS],
    "TULO_STATUS": ["property", *STATE_ARGS, *OPTIONS],
    "TULO_TURBINE": ["result", *STATE_ARGS, "outlet_pressure", "efficiency", *OPTIONS],
    "TULO_THROTTLE": ["result", *STATE_ARGS, "outlet_pressure", *OPTIONS],
    "TULO_MIX": ["result", "streams", "pressure", *OPTIONS],
    "TULO_FLASH": ["result", *STATE_ARGS, "flow", "pressure", *OPTIONS],
}
TYPED = [  # (formula, expected value or the start of the expected text)
    ('=TULO("h"; "P"; 8000; "T"; 753.15; "iapws")', tulo.property("h", P=8000, T=753.15, standard="iapws")),
    ('=TULO_TURBINE("work"; "P"; 10000; "T"; 800; 10; 85; "iapws")',
     tulo.turbine(inlet={"P": 10000, "T": 800}, outlet_pressure=10, efficiency=85, standard="iapws")["work"]),
    ('=TULO_STATUS("h"; "P"; 8000; "h"; -500)', "no state with P = 8000 kPa and h = -500 kJ/kg"),
    ('=TULO("h"; "P"; 8000; "h"; -500)', "#VALUE!"),
]


def connect(soffice, profile, pipe):
    """The office started listening on a pipe, and its component context."""
    import uno  # python3-uno: the interpreter of the office's own bridge

    office = subprocess.Popen([soffice, "-env:UserInstallation=file://" + profile, "--headless", "--norestore",
                               "--accept=pipe,name=%s;urp;" % pipe],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
    for _ in range(120):
        try:
            return office, resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
        except Exception:  # noqa: BLE001 (NoConnectException until the office listens)
            time.sleep(0.5)
    office.kill()
    raise RuntimeError("the office did not answer on its pipe")


def typed_and_wizard(soffice, profile):
    """The problems of the typed formulas and of the wizard's texts, and how many were checked."""
    import uno  # noqa: F401 (its import hook makes the office's types importable)
    from com.sun.star.beans import PropertyValue

    office, ctx = connect(soffice, profile, "tulo_check_%d" % os.getpid())
    problems, checked = [], 0
    try:
        smgr = ctx.ServiceManager
        desktop = smgr.createInstanceWithContext("com.sun.star.frame.Desktop", ctx)
        doc = desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0,
                                           (PropertyValue(Name="Hidden", Value=True),))
        sheet = doc.Sheets.getByIndex(0)
        for row, (formula, expected) in enumerate(TYPED):
            cell = sheet.getCellByPosition(0, row)
            cell.setFormula(formula)
            text = cell.getString()
            good = (math.isclose(cell.getValue(), expected, rel_tol=RELATIVE) and cell.getError() == 0
                    if isinstance(expected, float) else text.startswith(expected))
            checked += 1
            if not good:
                problems.append("%s: got %r, expected %r" % (formula, text, expected))
        doc.close(True)
        descriptions = smgr.createInstanceWithContext("com.sun.star.sheet.FunctionDescriptions", ctx)
        found = {}
        for i in range(descriptions.getCount()):
            props = {p.Name: p.Value for p in descriptions.getByIndex(i)}
            if props["Name"] in WIZARD:
                found[props["Name"]] = props
        for name, arguments in WIZARD.items():
            checked += 1
            props = found.get(name)
            if props is None:
                problems.append(name + ": not in the function wizard")
            elif not props["Description"] or [a.Name for a in props["Arguments"]] != arguments or not all(
                    a.Description for a in props["Arguments"]):
                problems.append(name + ": wizard texts %r" % ([(a.Name, a.Description) for a in props["Arguments"]],))
        desktop.terminate()
    finally:
        try:
            office.wait(timeout=60)
        except subprocess.TimeoutExpired:
            office.kill()
    return problems, checked


def main():
    parser = argparse.ArgumentParser()
    for option in ("--oxt", "--sheet", "--soffice", "--unopkg", "--tulo-calc"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    work = tempfile.mkdtemp(prefix="tulo-calc-test-")
    try:
        rows = convert(args, work)
        started = time.monotonic()
        problems, checked = typed_and_wizard(args.soffice, os.path.join(work, "profile"))
        print("typed formulas and wizard texts: %.1f s" % (time.monotonic() - started))
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for problem in problems:
        print(problem)
    passed, failed = checked - len(problems), len(problems)
    for number, row in enumerate(rows, start=1):
        check, got = (row + ["", ""])[:2]
        problem = check_row(check, got, args.tulo_calc)
        if problem is None:
            passed += 1 if check.split("|")[0] != "none" else 0
            continue
        failed += 1
        print("row %d: %s: got %r, %s" % (number, check, got, problem))
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed or not passed else 0


if __name__ == "__main__":
    sys.exit(main())
