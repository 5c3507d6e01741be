# Writes functions.fods, the spreadsheet of check_addin.py: python3 make_sheet.py functions.fods
# (Calc stores an add-in function by its programmatic name: org.tulo.calc.TuloImpl.tulo for TULO.)
import json, sys
from xml.sax.saxutils import escape, quoteattr

rows = []  # (check, formula, matrix_rows, extra cells)

def q(v):
    return '"' + v + '"' if isinstance(v, str) else repr(v)

def call(fn, *args):
    return "of:=" + fn + "(" + ";".join(q(a) for a in args) + ")"

def point(item, n1, v1, n2, v2, std=None, units=None):
    args = [item, n1, v1, n2, v2] + ([std] if std else []) + ([units] if units else [])
    opts = " --standard " + (std or "builtin") + " --units " + (units or "SI")
    check = "point|%s|%s=%r %s=%r%s" % (item, n1, v1, n2, v2, opts)
    rows.append((check, call("TULO", *args), 1, []))
    rows.append(("status-point|%s|%s=%r %s=%r%s" % (item, n1, v1, n2, v2, opts), call("TULO_STATUS", *args), 1, []))

for std in ("builtin", "iapws", "iapws95"):
    point("h", "P", 8000, "T", 753.15, std)
    point("enthalpy", "T", 300, "P", 101.325, std, "SI")
    point("viscosity", "T", 300, "P", 101.325, std)
    point("T", "P", 1000, "h", 2800, std)
    point("x", "P", 1000, "h", 2000, std)
    point("rho", "P", 1000, "s", 6.5, std)
    point("h", "T", 300, "P", 100, std, "Imperial")
    point("T", "P", 8000, "h", -500, std)        # no state
    point("viscosity", "T", 900, "P", 100000, std)
    point("x", "P", 8000, "T", 753.15, std)       # a single phase has no quality
    point("h", "T", 373.15, "x", 40, std)
    point("surface_tension", "T", 700, "P", 100, std)  # out of range

def status(expected, formula):
    rows.append(("status|" + expected, formula, 1, []))
    rows.append(("error", formula.replace("TULO_STATUS", "TULO"), 1, []))

status("name1: unknown name 'Q' (T, P, h, s, x)", call("TULO_STATUS", "h", "Q", 1, "T", 300))
status("value1: a number expected, not 'abc'", call("TULO_STATUS", "h", "P", "abc", "T", 300))
status("value2: required", call("TULO_STATUS", "h", "P", 100, "T"))
status("name2: T given twice", call("TULO_STATUS", "h", "T", 100, "T", 300))
status("unknown standard: nist (builtin, iapws, iapws95)", call("TULO_STATUS", "h", "P", 100, "T", 300, "nist"))

def process(fn, result, kwargs, formula_args):
    check = "process|%s|%s|%s" % (fn, result, json.dumps(kwargs))
    rows.append((check, call("TULO_" + fn.upper(), result, *formula_args), 1, []))

for std in ("builtin", "iapws", "iapws95"):
    process("turbine", "work", {"inlet": {"P": 10000, "T": 800}, "outlet_pressure": 10, "efficiency": 85, "standard": std},
            ["P", 10000, "T", 800, 10, 85, std])
    process("turbine", "outlet.x", {"inlet": {"P": 10000, "T": 800}, "outlet_pressure": 10, "standard": std},
            ["P", 10000, "T", 800, 10, "", std])
    process("throttle", "T", {"inlet": {"P": 5000, "T": 600}, "outlet_pressure": 1000, "standard": std},
            ["P", 5000, "T", 600, 1000, std])
    process("flash", "vapour_fraction", {"inlet": {"P": 1000, "x": 0, "flow": 5}, "pressure": 100, "standard": std},
            ["P", 1000, "x", 0, 5, 100, std])
    process("flash", "vapour_flow", {"inlet": {"P": 1000, "x": 0, "flow": 5}, "pressure": 100, "standard": std},
            ["P", 1000, "x", 0, 5, 100, std])
rows.append(("error", call("TULO_TURBINE", "work", "P", 10000, "T", 800, 10, -5), 1, []))
# "status" as the result: why a unit operation has no value, empty when it has one.
rows.append(("status|", call("TULO_TURBINE", "status", "P", 10000, "T", 800, 10, 85), 1, []))
rows.append(("status|the isentropic efficiency (-5 %) lies outside (0, 100] %",
             call("TULO_TURBINE", "status", "P", 10000, "T", 800, 10, -5), 1, []))
rows.append(("status|the outlet pressure (8000 kPa) lies above the inlet pressure (5000 kPa): a valve lowers the pressure",
             call("TULO_THROTTLE", "status", "P", 5000, "T", 600, 8000), 1, []))
rows.append(("error", call("TULO_TURBINE", "power", "P", 10000, "T", 800, 10, 85), 1, []))
rows.append(("error", call("TULO_THROTTLE", "T", "P", 5000, "T", 600, 1000, "nist"), 1, []))

# Mix: the streams are the five cells C..G of this row and the next.
streams = [{"P": 1000, "T": 500, "flow": 2}, {"P": 1000, "T": 350, "flow": 1}]
for std in ("builtin", "iapws"):
    for result in ("T", "outlet_flow"):
        kwargs = {"streams": streams, "pressure": 1000, "standard": std}
        rows.append(("process|mix|%s|%s" % (result, json.dumps(kwargs)),
                     'of:=TULO_MIX("%s";[.C{r}:.G{r1}];1000;"%s")' % (result, std), 1,
                     ["P", 1000, "T", 500, 2]))
        rows.append(("none", None, 1, ["P", 1000, "T", 350, 1]))

# Array formulas: one column of temperatures (C), and a 2 x 2 block of pressures x temperatures.
for std in ("builtin", "iapws"):
    temps = [300, 500, 753.15]
    for i, t in enumerate(temps):
        rows.append(("point|h|P=8000 T=%r --standard %s --units SI" % (t, std),
                     'of:=TULO("h";"P";8000;"T";[.C{r}:.C{r2}];"%s")' % std if i == 0 else None,
                     3 if i == 0 else 0, [t]))
    for i, t in enumerate(temps):
        rows.append(("status-point|h|P=8000 T=%r --standard %s --units SI" % (t, std),
                     'of:=TULO_STATUS("h";"P";8000;"T";[.C{r}:.C{r2}];"%s")' % std if i == 0 else None,
                     3 if i == 0 else 0, [t]))
# An array over a range with a state without a value in it.
for i, (p, h) in enumerate([(1000, 2800), (8000, -500)]):
    rows.append(("point|T|P=%r h=%r --standard iapws --units SI" % (p, h),
                 'of:=TULO("T";"P";[.C{r}:.C{r1}];"h";[.D{r}:.D{r1}];"iapws")' if i == 0 else None,
                 2 if i == 0 else 0, [p, h]))

def cell(v):
    if isinstance(v, str):
        return '<table:table-cell office:value-type="string"><text:p>%s</text:p></table:table-cell>' % escape(v)
    return '<table:table-cell office:value-type="float" office:value="%r"/>' % v

out = []
for n, (check, formula, mrows, extra) in enumerate(rows, start=1):
    cells = [cell(check)]
    if formula is None:
        cells.append("<table:table-cell/>")
    else:
        f = formula.replace("{r}", str(n)).replace("{r1}", str(n + 1)).replace("{r2}", str(n + 2))
        for shown, method in (("TULO_STATUS(", "tuloStatus("), ("TULO_TURBINE(", "tuloTurbine("),
                              ("TULO_THROTTLE(", "tuloThrottle("), ("TULO_MIX(", "tuloMix("),
                              ("TULO_FLASH(", "tuloFlash("), ("TULO(", "tulo(")):
            f = f.replace("=" + shown, "=org.tulo.calc.TuloImpl." + method)
        attrs = ' table:formula=%s' % quoteattr(f)
        if mrows > 1:
            attrs += ' table:number-matrix-columns-spanned="1" table:number-matrix-rows-spanned="%d"' % mrows
        cells.append("<table:table-cell%s/>" % attrs)
    cells += [cell(v) for v in extra]
    out.append("    <table:table-row>" + "".join(cells) + "</table:table-row>")

doc = """<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
 <office:body>
  <office:spreadsheet>
   <table:table table:name="Functions">
%s
   </table:table>
  </office:spreadsheet>
 </office:body>
</office:document>
""" % "\n".join(out)
open(sys.argv[1], "w").write(doc)
