# The types of the module tulo (TuloModule.cpp), for type checkers and editors. Values are in the
# units chosen by `units`; the dicts are as the functions' docstrings describe them.

from collections.abc import Mapping, Sequence
from typing import Any, overload

import numpy as np
import numpy.typing as npt

__version__: str

_Number = float | int
_Values = _Number | npt.ArrayLike
_Phase = str | int | None
# A state: two of T, P, h, s, x (a stream adds "flow").
_StateDict = Mapping[str, _Number]

def state(
    T: _Number | None = None,
    P: _Number | None = None,
    *,
    units: str = "SI",
    standard: str = "builtin",
    quality: _Number | None = None,
    h: _Number | None = None,
    s: _Number | None = None,
    x: _Number | None = None,
) -> dict[str, Any]: ...
# Scalars give a scalar; the first overload wins where both would match.
@overload
def property(  # type: ignore[misc]
    name: str,
    T: _Number | None = None,
    P: _Number | None = None,
    phase: _Phase = None,
    *,
    standard: str = "builtin",
    units: str = "SI",
    quality: _Number = 0.0,
    h: _Number | None = None,
    s: _Number | None = None,
    x: _Number | None = None,
) -> float: ...
@overload
def property(
    name: str,
    T: _Values | None = None,
    P: _Values | None = None,
    phase: _Phase = None,
    *,
    standard: str = "builtin",
    units: str = "SI",
    quality: _Number = 0.0,
    h: _Values | None = None,
    s: _Values | None = None,
    x: _Values | None = None,
) -> npt.NDArray[np.float64]: ...
@overload
def property_status(  # type: ignore[misc]
    name: str,
    T: _Number | None = None,
    P: _Number | None = None,
    phase: _Phase = None,
    *,
    standard: str = "builtin",
    units: str = "SI",
    quality: _Number = 0.0,
    h: _Number | None = None,
    s: _Number | None = None,
    x: _Number | None = None,
) -> int: ...
@overload
def property_status(
    name: str,
    T: _Values | None = None,
    P: _Values | None = None,
    phase: _Phase = None,
    *,
    standard: str = "builtin",
    units: str = "SI",
    quality: _Number = 0.0,
    h: _Values | None = None,
    s: _Values | None = None,
    x: _Values | None = None,
) -> npt.NDArray[np.int8]: ...
def properties(
    names: Sequence[str],
    T: _Values,
    P: _Values,
    *,
    standard: str = "builtin",
    units: str = "SI",
    threads: int | None = None,
) -> dict[str, Any]: ...
def items() -> list[str]: ...
def standards() -> list[str]: ...
def turbine(
    *,
    inlet: _StateDict | None = None,
    outlet_pressure: _Number | None = None,
    efficiency: _Number | None = None,
    flow: _Number | None = None,
    outlet: _StateDict | None = None,
    standard: str = "builtin",
    units: str = "SI",
    flow_unit: str = "kg/s",
    power_unit: str = "kW",
) -> dict[str, Any]: ...
def pump(
    *,
    inlet: _StateDict | None = None,
    outlet_pressure: _Number | None = None,
    efficiency: _Number | None = None,
    flow: _Number | None = None,
    outlet: _StateDict | None = None,
    standard: str = "builtin",
    units: str = "SI",
    flow_unit: str = "kg/s",
    power_unit: str = "kW",
) -> dict[str, Any]: ...
def throttle(
    *,
    inlet: _StateDict | None = None,
    outlet_pressure: _Number | None = None,
    standard: str = "builtin",
    units: str = "SI",
    flow_unit: str = "kg/s",
    power_unit: str = "kW",
) -> dict[str, Any]: ...
def calorimeter(
    *,
    outlet: _StateDict | None = None,
    inlet_pressure: _Number | None = None,
    standard: str = "builtin",
    units: str = "SI",
    flow_unit: str = "kg/s",
    power_unit: str = "kW",
) -> dict[str, Any]: ...
def mix(
    *,
    streams: Sequence[_StateDict] | None = None,
    pressure: _Number | None = None,
    standard: str = "builtin",
    units: str = "SI",
    flow_unit: str = "kg/s",
    power_unit: str = "kW",
) -> dict[str, Any]: ...
def desuperheat(
    *,
    steam: _StateDict | None = None,
    water: _StateDict | None = None,
    target_temperature: _Number | None = None,
    target_enthalpy: _Number | None = None,
    standard: str = "builtin",
    units: str = "SI",
    flow_unit: str = "kg/s",
    power_unit: str = "kW",
) -> dict[str, Any]: ...
def flash(
    *,
    inlet: _StateDict | None = None,
    pressure: _Number | None = None,
    standard: str = "builtin",
    units: str = "SI",
    flow_unit: str = "kg/s",
    power_unit: str = "kW",
) -> dict[str, Any]: ...
def heat(
    *,
    inlet: _StateDict | None = None,
    outlet: _StateDict | None = None,
    outlet_pressure: _Number | None = None,
    heat: _Number | None = None,
    flow: _Number | None = None,
    standard: str = "builtin",
    units: str = "SI",
    flow_unit: str = "kg/s",
    power_unit: str = "kW",
) -> dict[str, Any]: ...
def rankine(
    *,
    boiler_pressure: _Number | None = None,
    turbine_inlet_temperature: _Number | None = None,
    condenser_pressure: _Number | None = None,
    turbine_efficiency: _Number = 100.0,
    pump_efficiency: _Number = 100.0,
    reheat_pressure: _Number | None = None,
    reheat_temperature: _Number | None = None,
    feedwater_heater_pressure: _Number | None = None,
    net_power: _Number | None = None,
    standard: str = "builtin",
    units: str = "SI",
    flow_unit: str = "kg/s",
    power_unit: str = "kW",
) -> dict[str, Any]: ...
def diagram_lines(kind: str, *, standard: str = "builtin", units: str = "SI") -> dict[str, Any]: ...
