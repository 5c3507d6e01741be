# The Calc add-in: the functions TULO, TULO_STATUS and the unit operations over the module `tulo`.
#
# Calc passes every argument as it is: a number, a text, None for an argument left out or an
# empty cell, or a range as a tuple of rows. A range in any argument but the streams of TULO_MIX
# makes the call an array formula: the function is computed cell by cell over the ranges
# (broadcast as Calc broadcasts: a single row or column is repeated) and returns rows of results.
# A result without a value is NaN, which Calc shows as #VALUE!; TULO_STATUS gives its message.

import os
import struct
import sys

import unohelper
from com.sun.star.lang import XServiceName
from org.tulo.calc import XTulo

# The module `tulo` is bundled beside this file (built with the extension, the one it was
# tested with); LibreOffice also puts the extension's pythonpath folder on sys.path.
_HERE = os.path.dirname(os.path.abspath(__file__)) if "__file__" in globals() else ""
for _folder in (os.path.join(_HERE, "pythonpath"), _HERE):
    if _folder and _folder not in sys.path:
        sys.path.insert(0, _folder)
import tulo  # noqa: E402

IMPLEMENTATION = "org.tulo.calc.TuloImpl"
# "No value": a NaN whose low bits hold the office's error code 519, which Calc shows as #VALUE!
# (a plain NaN shows as #NUM!), in a single cell and in each element of an array alike.
NO_VALUE = struct.unpack("<d", struct.pack("<Q", 0x7FF8000000000000 | 519))[0]
PAIR_NAMES = ("T", "P", "h", "s", "x")
# The result of a unit-operation function that asks why it has no value.
STATUS = "status"


class ArgumentError(Exception):
    """A wrong argument; the message names it."""


def _text(value, arg, default=None):
    if value is None or value == "":
        if default is None:
            raise ArgumentError(arg + ": required")
        return default
    if not isinstance(value, str):
        raise ArgumentError(arg + ": a text expected, not " + _shown(value))
    return value.strip()


def _number(value, arg):
    if value is None or value == "":
        raise ArgumentError(arg + ": required")
    if isinstance(value, str) or isinstance(value, bool):
        raise ArgumentError(arg + ": a number expected, not " + _shown(value))
    return float(value)


def _shown(value):
    return "'" + value + "'" if isinstance(value, str) else repr(value)


def _given(name1, value1, name2, value2, prefix=""):
    """The two NAME=VALUE arguments of a state as tulo's keywords."""
    given = {}
    for i, (name, value) in enumerate(((name1, value1), (name2, value2)), start=1):
        arg = prefix + "name" + str(i)
        key = _text(name, arg)
        if key not in PAIR_NAMES:
            raise ArgumentError(arg + ": unknown name " + _shown(key) + " (T, P, h, s, x)")
        if key in given:
            raise ArgumentError(arg + ": " + key + " given twice")
        given[key] = _number(value, prefix + "value" + str(i))
    return given


def _options(standard, units):
    return {"standard": _text(standard, "standard", "builtin"), "units": _text(units, "units", "SI")}


# ---- one cell ----


def property_cell(wanted, name1, value1, name2, value2, standard, units):
    """(value or NaN, message or "") of TULO at one state."""
    try:
        name = _text(wanted, "property")
        given = _given(name1, value1, name2, value2)
        options = _options(standard, units)
        try:
            value = tulo.property(name, **given, **options)
            status = tulo.property_status(name, **given, **options)
        except (ValueError, TypeError) as error:
            raise ArgumentError(str(error)) from None  # the module's message names the argument
    except ArgumentError as error:
        return NO_VALUE, str(error)
    if status == 0:
        return value, ""
    return NO_VALUE, _no_value_message(name, status, given, options)


def _no_value_message(name, status, given, options):
    try:
        state = tulo.state(**given, **options)
    except (ValueError, TypeError) as error:
        return str(error)  # the pair has no state: the evaluator's message
    if status == 2:
        return "Out of Range: " + name
    return "No value: " + name + " (" + state["condition"] + ")"


def _pick(result, answer, wanted):
    """A figure of the answer, or STATE.KEY (KEY alone: the outlet's) of one of its states."""
    state, _, key = wanted.rpartition(".")
    if not state and key in answer and not isinstance(answer[key], dict):
        value = answer[key]
    else:
        state = state or "outlet"
        if not isinstance(answer.get(state), dict) or key not in answer[state]:
            figures = [k for k, v in answer.items() if not isinstance(v, dict)]
            states = [k for k, v in answer.items() if isinstance(v, dict) and k != "units"]
            raise ArgumentError(result + ": unknown result " + _shown(wanted) + " (" + ", ".join(figures) +
                                ", or STATE.T, .P, .h, .s, .x of " + ", ".join(states) + ")")
        value = answer[state][key]
    if value is None:
        return NO_VALUE, "No value: " + wanted + " (a single phase)"
    return float(value), ""


def process_cell(call, wanted, *args):
    """(value or NaN, message or "") of a unit operation: call(*args) -> tulo's dict. For the result
    "status" the value part is empty text (the add-in then shows the message part)."""
    try:
        name = _text(wanted, "result")
        try:
            answer = call(*args)
        except (ValueError, TypeError) as error:
            raise ArgumentError(str(error)) from None  # the module's message names the argument
        return ("", "") if name == STATUS else _pick("result", answer, name)
    except ArgumentError as error:
        return NO_VALUE, str(error)


def turbine(name1, value1, name2, value2, outlet_pressure, efficiency, standard, units):
    kwargs = {"inlet": _given(name1, value1, name2, value2), **_options(standard, units),
              "outlet_pressure": _number(outlet_pressure, "outlet_pressure")}
    if efficiency is not None and efficiency != "":
        kwargs["efficiency"] = _number(efficiency, "efficiency")
    return tulo.turbine(**kwargs)


def throttle(name1, value1, name2, value2, outlet_pressure, standard, units):
    return tulo.throttle(inlet=_given(name1, value1, name2, value2),
                         outlet_pressure=_number(outlet_pressure, "outlet_pressure"), **_options(standard, units))


def mix(streams, pressure, standard, units):
    rows = streams if isinstance(streams, tuple) else ()
    if not rows or any(len(row) != 5 for row in rows):
        raise ArgumentError("streams: a range of five columns expected (name1, value1, name2, value2, flow)")
    given = []
    for i, row in enumerate(rows, start=1):
        state = _given(*row[:4], prefix="streams row " + str(i) + " ")
        state["flow"] = _number(row[4], "streams row " + str(i) + " flow")
        given.append(state)
    return tulo.mix(streams=given, pressure=_number(pressure, "pressure"), **_options(standard, units))


def flash(name1, value1, name2, value2, flow, pressure, standard, units):
    inlet = _given(name1, value1, name2, value2)
    inlet["flow"] = _number(flow, "flow")
    return tulo.flash(inlet=inlet, pressure=_number(pressure, "pressure"), **_options(standard, units))


# ---- ranges ----


def _rows(value):
    return value if isinstance(value, tuple) else ((value,),)


def _broadcast(fn, args, keep=()):
    """fn over the cells of the range arguments (those not in keep): a tuple of rows of fn's
    results, or fn's result alone when no argument is a range."""
    if not any(isinstance(a, tuple) for i, a in enumerate(args) if i not in keep):
        return fn(*args)
    grids = [None if i in keep else _rows(a) for i, a in enumerate(args)]
    height = max(len(g) for g in grids if g is not None)
    width = max(len(g[0]) for g in grids if g is not None)

    def cell(i, r, c):
        g = grids[i]
        if g is None:
            return args[i]
        row = g[r if len(g) > 1 else 0]
        if (len(g) > 1 and len(g) != height) or (len(row) > 1 and len(row) != width):
            raise ArgumentError("the ranges differ in size")
        return row[c if len(row) > 1 else 0]

    out = []
    for r in range(height):
        line = []
        for c in range(width):
            try:
                line.append(fn(*(cell(i, r, c) for i in range(len(args)))))
            except ArgumentError as error:
                line.append((NO_VALUE, str(error)))
        out.append(tuple(line))
    return tuple(out)


def _part(result, index):
    """The value (0) or the message (1) of each (value, message) as rows, one for one cell."""
    if isinstance(result, tuple) and result and isinstance(result[0], tuple):
        return tuple(tuple(cell[index] for cell in row) for row in result)
    return ((result[index],),)


class TuloAddIn(unohelper.Base, XTulo, XServiceName):
    def __init__(self, ctx):
        self.ctx = ctx

    def getServiceName(self):
        return IMPLEMENTATION

    def _run(self, fn, args, index, keep=()):
        try:
            return _part(_broadcast(fn, args, keep), index)
        except ArgumentError as error:
            return (((NO_VALUE, str(error))[index],),)

    def tulo(self, *args):
        return self._run(property_cell, args, 0)

    def tuloStatus(self, *args):
        return self._run(property_cell, args, 1)

    # A unit operation's result "status" shows the message part of each cell (the text of any
    # refusal, the ranges' too), every other result the value part.
    def _operation(self, call, result, args, keep=()):
        return self._run(lambda *a: process_cell(call, *a), (result,) + args, 1 if result == STATUS else 0, keep)

    def tuloTurbine(self, result, *args):
        return self._operation(turbine, result, args)

    def tuloThrottle(self, result, *args):
        return self._operation(throttle, result, args)

    def tuloMix(self, result, *args):
        return self._operation(mix, result, args, keep=(1,))

    def tuloFlash(self, result, *args):
        return self._operation(flash, result, args)


g_ImplementationHelper = unohelper.ImplementationHelper()
g_ImplementationHelper.addImplementation(TuloAddIn, IMPLEMENTATION,
                                         ("com.sun.star.sheet.AddIn", IMPLEMENTATION))
