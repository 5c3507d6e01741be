// The Python module `tulo`: states as the window shows them, and properties over NumPy arrays.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "python/Evaluation.h"
#include "results/DiagramLines.h"
#include "results/Standards.h"
#include "units/Presets.h"

namespace py = pybind11;
using namespace py::literals;

namespace tulo::python {
namespace {

constexpr const char* kUnitsChoices =
    "SI, Imperial, Customary, European, or twelve unit numbers U0,...,U11 as in tulo-calc --units";

template <typename Names>
std::string KeyList(const Names& names) {
  std::string list;
  for (const auto& n : names) list += (list.empty() ? "" : ", ") + std::string(n.key);
  return list;
}

const CorrelationSet& StandardArg(const std::string& key) {
  if (const CorrelationSet* set = CorrelationSetNamed(key)) return *set;
  throw InputError("unknown standard: " + key + " (" + KeyList(Standards()) + ")");
}

UnitSelection UnitsArg(const std::string& text) {
  if (auto selection = ParseUnitsArgument(text)) return *selection;
  throw InputError("unknown units: " + text + " (" + kUnitsChoices + ")");
}

// The keys of the variable items, as tulo.items() lists them.
std::vector<std::string> Items() {
  std::vector<std::string> keys;
  for (Item item : VariableItems()) keys.push_back(ItemKey(item));
  return keys;
}

Item ItemArg(const std::string& key) {
  if (auto item = ItemFromKey(key); item && IsVariableItem(*item)) return *item;
  std::string list;
  for (const std::string& k : Items()) list += (list.empty() ? "" : ", ") + k;
  throw InputError("unknown property: " + key + " (" + list + ")");
}

// None, a phase name or a phase code 0..10. The messages name the argument and every choice.
std::optional<Phase> PhaseArg(const py::object& phase) {
  if (phase.is_none()) return std::nullopt;
  const std::string choices = "expected one of None, " + KeyList(PhaseNames()) + ", or a code 0 to 10";
  if (py::isinstance<py::str>(phase)) {
    const std::string key = phase.cast<std::string>();
    if (auto p = PhaseNamed(key)) return p;
    throw InputError("phase: " + choices + ", not '" + key + "'");
  }
  if (py::isinstance<py::int_>(phase) && !py::isinstance<py::bool_>(phase)) {
    const long long code = phase.cast<long long>();
    if (code >= 0 && code < kPhaseCount) return PhaseFromCode(static_cast<int>(code));
    throw InputError("phase: " + choices + ", not " + std::to_string(code));
  }
  throw InputError("phase: " + choices + ", not a " +
                   py::str(py::type::of(phase).attr("__name__")).cast<std::string>());
}

// None for a property the phase does not have, NaN for one out of range.
py::object ValueObject(const DisplayValue& v) {
  switch (v.status) {
    case Status::kValid:
      return py::float_(v.value);
    case Status::kNotGiven:
      return py::none();
    case Status::kOutOfRange:
      break;
  }
  return py::float_(v.value);
}

// The values given by keyword, in the order T, P, h, s, x.
std::vector<GivenValue> GivenValues(std::optional<double> T, std::optional<double> P, std::optional<double> h,
                                    std::optional<double> s, std::optional<double> x) {
  std::vector<GivenValue> given;
  for (auto [name, value] :
       {std::pair{PairName::kT, T}, std::pair{PairName::kP, P}, std::pair{PairName::kH, h},
        std::pair{PairName::kS, s}, std::pair{PairName::kX, x}})
    if (value) given.push_back({name, *value});
  return given;
}

py::dict State(std::optional<double> T, std::optional<double> P, const std::string& units,
               const std::string& standard, std::optional<double> quality, std::optional<double> h,
               std::optional<double> s, std::optional<double> x) {
  StateRequest request{&StandardArg(standard), UnitsArg(units), GivenValues(T, P, h, s, x), quality};
  const StateAnswer answer = EvaluateState(request);
  py::dict d;
  d["condition"] = answer.conditionText;
  d["T"] = answer.T;
  d["P"] = answer.P;
  if (answer.pair) d["x"] = answer.x ? py::object(py::float_(*answer.x)) : py::none();
  d["standard"] = std::string(StandardKey(*request.set));
  if (quality) d["quality"] = *quality;
  py::dict unitTexts;
  unitTexts["T"] = answer.unitT;
  unitTexts["P"] = answer.unitP;
  for (const StateRow& row : answer.rows) {
    const std::string key = ItemKey(row.item);
    unitTexts[key.c_str()] = row.unit;
    if (row.columns.size() == 1 && row.columns[0].first.empty()) {
      d[key.c_str()] = ValueObject(row.columns[0].second);
    } else {
      py::dict byPhase;
      for (const auto& [name, value] : row.columns) byPhase[std::string(name).c_str()] = ValueObject(value);
      d[key.c_str()] = byPhase;
    }
  }
  d["units"] = unitTexts;
  return d;
}

using DoubleArray = py::array_t<double, py::array::c_style | py::array::forcecast>;

// The item over the states broadcast together: the values (NaN unless valid) and the statuses.
struct Computed {
  py::array_t<double> value;
  py::array_t<std::int8_t> status;
  bool scalar;
};

// The states of property(): T and P, or any two of T, P, h, s, x by keyword.
struct StateArgs {
  py::object T, P, h, s, x;
};

// The pair of the arguments given, and the two of them in its order.
std::pair<InputPair, std::array<py::object, 2>> PairArgs(const StateArgs& a) {
  std::vector<std::pair<PairName, py::object>> given;
  for (auto [name, value] :
       {std::pair{PairName::kT, a.T}, std::pair{PairName::kP, a.P}, std::pair{PairName::kH, a.h},
        std::pair{PairName::kS, a.s}, std::pair{PairName::kX, a.x}})
    if (!value.is_none()) given.emplace_back(name, value);
  if (given.size() != 2)
    throw InputError("T and P must both be given, or another two of T, P, h, s, x by keyword; not " +
                     std::to_string(given.size()) + " of them");
  const std::optional<InputPair> pair = PairOf(given[0].first, given[1].first);
  if (!pair)
    throw InputError(std::string(NameText(given[0].first)) + " and " + std::string(NameText(given[1].first)) +
                     ": this pair is not supported");
  if (InfoOf(*pair).first != given[0].first) std::swap(given[0], given[1]);
  return {*pair, {given[0].second, given[1].second}};
}

// The result of property(): T, P and x (as the pair names are written), or an item.
void WantedArg(const std::string& name, PropertyRequest& request) {
  const std::optional<PairName> quantity = PairNamed(name);
  if (quantity == PairName::kT) request.wanted = Wanted::kTemperature;
  if (quantity == PairName::kP) request.wanted = Wanted::kPressure;
  if (quantity == PairName::kX) request.wanted = Wanted::kQuality;
  if (request.wanted == Wanted::kItem) request.item = ItemArg(name);
}

Computed Compute(const std::string& name, const StateArgs& args, const py::object& phase,
                 const std::string& standard, const std::string& units, double quality) {
  const auto [pair, values] = PairArgs(args);
  const CorrelationSet& set = StandardArg(standard);
  PropertyRequest request{&set, UnitsArg(units), Item::kEnthalpy, std::nullopt, 0.0, pair, Wanted::kItem};
  WantedArg(name, request);
  request.phase = PhaseArg(phase);
  request.quality = CheckedQuality(set, quality);
  if (request.phase && (pair != InputPair::kTP || request.wanted != Wanted::kItem))
    throw InputError("phase: a phase is named for an item at states given by T and P only");

  py::module_ np = py::module_::import("numpy");
  py::tuple both = np.attr("broadcast_arrays")(np.attr("asarray")(values[0], "dtype"_a = "float64"),
                                               np.attr("asarray")(values[1], "dtype"_a = "float64"));
  // Contiguous copies of the broadcast views.
  const DoubleArray a(both[0]), b(both[1]);
  std::vector<py::ssize_t> shape(a.shape(), a.shape() + a.ndim());
  Computed out{py::array_t<double>(shape), py::array_t<std::int8_t>(shape), a.ndim() == 0};
  const std::size_t n = static_cast<std::size_t>(a.size());
  const double* aData = a.data();
  const double* bData = b.data();
  double* vData = out.value.mutable_data();
  std::int8_t* sData = out.status.mutable_data();
  // Between rows the call takes the GIL a moment to let Python handle a signal: Ctrl-C ends a
  // long call with KeyboardInterrupt (the error the handler raised) instead of after it.
  std::optional<py::error_already_set> raised;
  std::size_t done = 0;
  {
    py::gil_scoped_release release;
    done = EvaluateProperty(request, {aData, n}, {bData, n}, {vData, n}, {sData, n}, [&raised] {
      py::gil_scoped_acquire gil;
      if (PyErr_CheckSignals() == 0) return true;
      raised.emplace();
      return false;
    });
  }
  if (raised) {
    const py::object& error = raised->value();
    if (py::hasattr(error, "add_note"))
      error.attr("add_note")("tulo: stopped after " + std::to_string(done) + " of " + std::to_string(n) +
                             " values");
    throw std::move(*raised);
  }
  return out;
}

py::object Property(const std::string& name, const py::object& T, const py::object& P,
                    const py::object& phase, const std::string& standard, const std::string& units,
                    double quality, const py::object& h, const py::object& s, const py::object& x) {
  Computed c = Compute(name, {T, P, h, s, x}, phase, standard, units, quality);
  if (c.scalar) return py::float_(*c.value.data());
  return std::move(c.value);
}

py::object PropertyStatus(const std::string& name, const py::object& T, const py::object& P,
                          const py::object& phase, const std::string& standard, const std::string& units,
                          double quality, const py::object& h, const py::object& s, const py::object& x) {
  Computed c = Compute(name, {T, P, h, s, x}, phase, standard, units, quality);
  if (c.scalar) return py::int_(*c.status.data());
  return std::move(c.status);
}

// The names of properties(): a sequence of item keys (a single key alone too), none twice.
std::vector<std::pair<std::string, Item>> ItemsArg(const py::object& names) {
  std::vector<std::pair<std::string, Item>> items;
  const py::list list = py::isinstance<py::str>(names) ? py::list(py::make_tuple(names)) : py::list(names);
  for (const py::handle& name : list) {
    if (!py::isinstance<py::str>(name))
      throw InputError("names: property names are strings, not a " +
                       py::str(py::type::of(name).attr("__name__")).cast<std::string>());
    const std::string key = name.cast<std::string>();
    for (const auto& [k, item] : items)
      if (k == key) throw InputError("names: " + key + " is named twice");
    items.emplace_back(key, ItemArg(key));
  }
  if (items.empty()) throw InputError("names: name at least one property");
  return items;
}

// None: every core the machine has.
unsigned ThreadsArg(const py::object& threads) {
  if (threads.is_none()) return std::max(1u, std::thread::hardware_concurrency());
  if (!py::isinstance<py::int_>(threads) || py::isinstance<py::bool_>(threads))
    throw InputError("threads: None or a whole number of threads, not a " +
                     py::str(py::type::of(threads).attr("__name__")).cast<std::string>());
  const long long n = threads.cast<long long>();
  if (n < 1 || n > 1024) throw InputError("threads: from 1 to 1024, not " + std::to_string(n));
  return static_cast<unsigned>(n);
}

py::dict Properties(const py::object& names, const py::object& T, const py::object& P,
                    const std::string& standard, const std::string& units, const py::object& threads) {
  const auto items = ItemsArg(names);
  PropertiesRequest request{&StandardArg(standard), UnitsArg(units), {}, ThreadsArg(threads)};
  for (const auto& [key, item] : items) request.items.push_back(item);
  py::module_ np = py::module_::import("numpy");
  const py::object t = np.attr("asarray")(T, "dtype"_a = "float64"),
                   p = np.attr("asarray")(P, "dtype"_a = "float64");
  py::tuple both;
  try {
    both = np.attr("broadcast_arrays")(t, p);
  } catch (const py::error_already_set&) {
    throw InputError("T and P: shapes " + py::str(t.attr("shape")).cast<std::string>() + " and " +
                     py::str(p.attr("shape")).cast<std::string>() + " do not broadcast together");
  }
  const DoubleArray a(both[0]), b(both[1]);
  const std::size_t n = static_cast<std::size_t>(a.size()), count = items.size();
  // The values go straight into the arrays returned.
  const std::vector<py::ssize_t> shape(a.shape(), a.shape() + a.ndim());
  std::vector<py::array_t<double>> columns;
  std::vector<std::span<double>> values;
  for (std::size_t k = 0; k < count; ++k) {
    columns.emplace_back(shape);
    values.emplace_back(columns.back().mutable_data(), n);
  }
  {
    py::gil_scoped_release release;
    EvaluateProperties(request, {a.data(), n}, {b.data(), n}, values);
  }
  py::dict out;
  for (std::size_t k = 0; k < count; ++k)
    out[items[k].first.c_str()] =
        a.ndim() == 0 ? py::object(py::float_(values[k][0])) : py::object(columns[k]);
  return out;
}

std::vector<std::string> StandardKeys() {
  std::vector<std::string> keys;
  for (const StandardEntry& s : Standards()) keys.emplace_back(s.key);
  return keys;
}

// ---- unit operations and the Rankine cycle ----

std::string TypeName(const py::handle& value) {
  return py::str(py::type::of(value).attr("__name__")).cast<std::string>();
}

// A number argument (an int, a float or anything with __float__ but a bool or a text).
double NumberArg(const py::handle& value, const std::string& arg) {
  if (!py::isinstance<py::bool_>(value) && !py::isinstance<py::str>(value)) {
    const double number = PyFloat_AsDouble(value.ptr());
    if (!(number == -1.0 && PyErr_Occurred())) return number;
    PyErr_Clear();
  }
  throw InputError(arg + ": a number expected, not " + (value.is_none() ? "None" : "a " + TypeName(value)));
}

std::optional<double> OptionalNumber(const py::object& value, const std::string& arg) {
  if (value.is_none()) return std::nullopt;
  return NumberArg(value, arg);
}

double RequiredNumber(const py::object& value, const std::string& arg) {
  if (value.is_none()) throw InputError(arg + ": required");
  return NumberArg(value, arg);
}

// A state as a dict of two of T, P, h, s, x (tulo.state's keywords), and for a stream its mass
// flow under 'flow' (as tulo-calc's STATE,flow=V).
struct GivenState {
  std::vector<GivenValue> values;
  std::optional<double> flow;  // in the flow unit chosen
};

// A value of a dict argument by its key: inlet['P'].
std::string KeyText(const std::string& arg, const std::string& key) {
  return arg + "['" + key + "']";
}

[[noreturn]] void UnknownKey(const std::string& arg, const std::string& key, const std::string& keys) {
  throw InputError(arg + ": unknown key '" + key + "' (" + keys + ")");
}

GivenState StateDict(const py::object& value, const std::string& arg, bool stream) {
  const std::string keys = stream ? "two of T, P, h, s, x and flow" : "two of T, P, h, s, x";
  if (!py::isinstance<py::dict>(value))
    throw InputError(arg + ": a dict of " + keys + " expected, not " +
                     (value.is_none() ? "None" : "a " + TypeName(value)));
  GivenState given;
  for (const auto& [key, number] : value.cast<py::dict>()) {
    const std::string name = py::str(key).cast<std::string>();
    if (stream && name == "flow") {
      given.flow = NumberArg(number, KeyText(arg, name));
    } else if (const std::optional<PairName> pairName = PairNamed(name)) {
      given.values.push_back({*pairName, NumberArg(number, KeyText(arg, name))});
    } else {
      UnknownKey(arg, name, keys);
    }
  }
  if (stream && !given.flow) throw InputError(arg + ": its flow is required ('flow')");
  return given;
}

// One call: its units and its own evaluator.
struct ProcessCall {
  ProcessConverter convert;
  StateEvaluator evaluator;

  ProcessCall(const std::string& standard, const std::string& units, const std::string& flowUnit,
              const std::string& powerUnit)
      : convert({&StandardArg(standard), UnitsArg(units), flowUnit, powerUnit}), evaluator(convert.Set()) {}

  StateInput State(const py::object& value, const std::string& arg) {
    return convert.State(arg, StateDict(value, arg, false).values);
  }
  StreamInput Stream(const py::object& value, const std::string& arg) {
    const GivenState given = StateDict(value, arg, true);
    return {convert.State(arg, given.values), convert.Flow(KeyText(arg, "flow"), *given.flow)};
  }
  double Pressure(const py::object& value, const std::string& arg) {
    return convert.Internal(arg, RequiredNumber(value, arg), kPressure);
  }
  std::optional<double> Flow(const py::object& value) {
    const std::optional<double> flow = OptionalNumber(value, "flow");
    return flow ? std::optional(convert.Flow("flow", *flow)) : std::nullopt;
  }
  std::optional<double> Optional(const py::object& value, const std::string& arg, Quantity q) {
    const std::optional<double> number = OptionalNumber(value, arg);
    return number ? std::optional(convert.Internal(arg, *number, q)) : std::nullopt;
  }
};

py::dict StateValues(const ShownState& state) {
  py::dict d;
  d["T"] = state.T;
  d["P"] = state.P;
  d["h"] = state.h;
  d["s"] = state.s;
  d["x"] = state.x ? py::object(py::float_(*state.x)) : py::none();
  return d;
}

// The result as tulo-calc's JSON names it: an operation's states under their names, a cycle's
// as the list "states"; each figure a number; "units" the unit text of each.
py::dict ResultDict(const ProcessAnswer& answer) {
  py::dict d;
  py::list states;
  for (const ShownState& state : answer.states) {
    if (!answer.stateList) {
      d[state.name.c_str()] = StateValues(state);
      continue;
    }
    py::dict named;
    named["name"] = state.name;
    named.attr("update")(StateValues(state));
    states.append(named);
  }
  if (answer.stateList) d["states"] = states;
  py::dict units;
  for (const auto& [name, unit] : answer.units) units[name.c_str()] = unit;
  for (const ShownFigure& figure : answer.figures) d[std::string(figure.name).c_str()] = figure.value;
  d["units"] = units;
  return d;
}

py::dict MachineCall(Machine machine, const py::object& inlet, const py::object& outletPressure,
                     const py::object& efficiency, const py::object& flow, const py::object& outlet,
                     const std::string& standard, const std::string& units, const std::string& flowUnit,
                     const std::string& powerUnit) {
  ProcessCall call(standard, units, flowUnit, powerUnit);
  const StateInput in = call.State(inlet, "inlet");
  if (!outlet.is_none()) {
    if (!outletPressure.is_none())
      throw InputError("outlet_pressure: not with outlet (the outlet state has its pressure)");
    if (!efficiency.is_none()) throw InputError("efficiency: not with outlet (the states give it)");
    const StateInput out = call.State(outlet, "outlet");
    return ResultDict(
        call.convert.Shown(MachineEfficiency(call.evaluator, machine, in, out, call.Flow(flow))));
  }
  if (outletPressure.is_none()) throw InputError("outlet_pressure: required (or outlet, the measured state)");
  // 100 % unless given, as tulo-calc's commands and the cycle take it.
  MachineInput input{machine, in, call.Pressure(outletPressure, "outlet_pressure"), 100.0, call.Flow(flow)};
  if (const std::optional<double> given = OptionalNumber(efficiency, "efficiency"))
    input.efficiency = call.convert.Number("efficiency", *given);
  return ResultDict(call.convert.Shown(Expand(call.evaluator, input)));
}

py::dict Turbine(const py::object& inlet, const py::object& outletPressure, const py::object& efficiency,
                 const py::object& flow, const py::object& outlet, const std::string& standard,
                 const std::string& units, const std::string& flowUnit, const std::string& powerUnit) {
  return MachineCall(Machine::kTurbine, inlet, outletPressure, efficiency, flow, outlet, standard, units,
                     flowUnit, powerUnit);
}

py::dict Pump(const py::object& inlet, const py::object& outletPressure, const py::object& efficiency,
              const py::object& flow, const py::object& outlet, const std::string& standard,
              const std::string& units, const std::string& flowUnit, const std::string& powerUnit) {
  return MachineCall(Machine::kPump, inlet, outletPressure, efficiency, flow, outlet, standard, units,
                     flowUnit, powerUnit);
}

py::dict Throttle(const py::object& inlet, const py::object& outletPressure, const std::string& standard,
                  const std::string& units, const std::string& flowUnit, const std::string& powerUnit) {
  ProcessCall call(standard, units, flowUnit, powerUnit);
  const StateInput in = call.State(inlet, "inlet");
  return ResultDict(call.convert.Shown(
      tulo::Throttle(call.evaluator, in, call.Pressure(outletPressure, "outlet_pressure"))));
}

py::dict Calorimeter(const py::object& outlet, const py::object& inletPressure, const std::string& standard,
                     const std::string& units, const std::string& flowUnit, const std::string& powerUnit) {
  ProcessCall call(standard, units, flowUnit, powerUnit);
  const StateInput out = call.State(outlet, "outlet");
  return ResultDict(call.convert.Shown(
      ThrottlingCalorimeter(call.evaluator, out, call.Pressure(inletPressure, "inlet_pressure"))));
}

py::dict MixCall(const py::object& streams, const py::object& pressure, const std::string& standard,
                 const std::string& units, const std::string& flowUnit, const std::string& powerUnit) {
  ProcessCall call(standard, units, flowUnit, powerUnit);
  if (!py::isinstance<py::sequence>(streams) || py::isinstance<py::str>(streams) ||
      py::isinstance<py::dict>(streams))
    throw InputError("streams: a list of dicts of two of T, P, h, s, x and flow expected");
  std::vector<StreamInput> inputs;
  for (const py::handle stream : streams.cast<py::sequence>())
    inputs.push_back(call.Stream(py::reinterpret_borrow<py::object>(stream),
                                 "streams[" + std::to_string(inputs.size()) + "]"));
  return ResultDict(call.convert.Shown(Mix(call.evaluator, inputs, call.Pressure(pressure, "pressure"))));
}

py::dict DesuperheatCall(const py::object& steam, const py::object& water,
                         const py::object& targetTemperature, const py::object& targetEnthalpy,
                         const std::string& standard, const std::string& units, const std::string& flowUnit,
                         const std::string& powerUnit) {
  ProcessCall call(standard, units, flowUnit, powerUnit);
  DesuperheatInput input{call.Stream(steam, "steam"), call.State(water, "water"),
                         call.Optional(targetTemperature, "target_temperature", kTemperature),
                         call.Optional(targetEnthalpy, "target_enthalpy", kEnthalpyQ)};
  if (input.targetTemperature.has_value() == input.targetEnthalpy.has_value())
    throw InputError("target_temperature, target_enthalpy: give one of them");
  return ResultDict(call.convert.Shown(Desuperheat(call.evaluator, input)));
}

py::dict FlashCall(const py::object& inlet, const py::object& pressure, const std::string& standard,
                   const std::string& units, const std::string& flowUnit, const std::string& powerUnit) {
  ProcessCall call(standard, units, flowUnit, powerUnit);
  const StreamInput in = call.Stream(inlet, "inlet");
  return ResultDict(call.convert.Shown(Flash(call.evaluator, in, call.Pressure(pressure, "pressure"))));
}

py::dict HeatCall(const py::object& inlet, const py::object& outlet, const py::object& outletPressure,
                  const py::object& heat, const py::object& flow, const std::string& standard,
                  const std::string& units, const std::string& flowUnit, const std::string& powerUnit) {
  ProcessCall call(standard, units, flowUnit, powerUnit);
  const StateInput in = call.State(inlet, "inlet");
  if (!outlet.is_none()) {
    if (!outletPressure.is_none() || !heat.is_none())
      throw InputError("outlet: give outlet, or outlet_pressure and heat, not both");
    const StateInput out = call.State(outlet, "outlet");
    return ResultDict(call.convert.Shown(Heat(call.evaluator, in, out, call.Flow(flow))));
  }
  if (outletPressure.is_none() && heat.is_none())
    throw InputError("outlet: required (or outlet_pressure and heat)");
  const double pressure = call.Pressure(outletPressure, "outlet_pressure");
  const double perKg = call.convert.Internal("heat", RequiredNumber(heat, "heat"), kEnthalpyQ);
  return ResultDict(call.convert.Shown(HeatTo(call.evaluator, in, pressure, perKg, call.Flow(flow))));
}

py::dict RankineCall(const py::object& boilerPressure, const py::object& turbineInletTemperature,
                     const py::object& condenserPressure, const py::object& turbineEfficiency,
                     const py::object& pumpEfficiency, const py::object& reheatPressure,
                     const py::object& reheatTemperature, const py::object& feedwaterHeaterPressure,
                     const py::object& netPower, const std::string& standard, const std::string& units,
                     const std::string& flowUnit, const std::string& powerUnit) {
  ProcessCall call(standard, units, flowUnit, powerUnit);
  RankineInput input;
  input.boilerPressure = call.Pressure(boilerPressure, "boiler_pressure");
  input.turbineInletTemperature =
      call.Optional(turbineInletTemperature, "turbine_inlet_temperature", kTemperature);
  input.condenserPressure = call.Pressure(condenserPressure, "condenser_pressure");
  input.turbineEfficiency =
      call.convert.Number("turbine_efficiency", NumberArg(turbineEfficiency, "turbine_efficiency"));
  input.pumpEfficiency = call.convert.Number("pump_efficiency", NumberArg(pumpEfficiency, "pump_efficiency"));
  input.reheatPressure = call.Optional(reheatPressure, "reheat_pressure", kPressure);
  input.reheatTemperature = call.Optional(reheatTemperature, "reheat_temperature", kTemperature);
  if (input.reheatPressure.has_value() != input.reheatTemperature.has_value())
    throw InputError("reheat_pressure, reheat_temperature: give both or neither");
  input.feedwaterHeaterPressure =
      call.Optional(feedwaterHeaterPressure, "feedwater_heater_pressure", kPressure);
  if (const std::optional<double> power = OptionalNumber(netPower, "net_power"))
    input.netPower = call.convert.Power("net_power", *power);
  return ResultDict(call.convert.Shown(Rankine(call.evaluator, input)));
}

constexpr const char* kStateDoc = R"(One state, typed as in the window or given by a pair, with its results.

T and P are in the units chosen; either may be None (saturated at the other). The window's input
checks run first: a failing one raises ValueError with the window's message. With quality (percent
by mass) the state must be saturated liquid and vapour, and the items of the wet-steam grid get a
"wet" value too.

Or two of T, P, h, s, x by keyword (any two but h and x): h and s in the units chosen, x the
steam quality in percent by mass. A state found in the
wet region has its quality: its rows get a "wet" value as with quality=. A pair without a state
raises ValueError naming the range (in SI units).

Returns a dict: "condition" (text), "T" and "P" (a number given as it was read, the other one
computed), "x" for a state given by another pair than T and P (the quality, None for a single
phase), "standard", "quality" (when given), "units" ({key: unit text}), and one entry per row of
the full property list, keyed as in items(): a float for a single-phase state, a dict {"liquid" or
"solid": v, "vapour": v[, "wet": v]} for a saturated one. A property the phase does not have
(" -" in the window) is None; one out of range is NaN.)";

constexpr const char* kPropertyDoc = R"(One property over scalars or NumPy arrays of states.

name: a key of items(), a symbol (h, s, u, rho, v, cp, cv, mu, nu, lambda, sigma, w, pr, z, psat,
tsat) or a catalogue code 15..33 or 36..41; or T, P or x: the state's temperature, pressure or
quality (x has status 1 for a single phase). T, P: in the units chosen, broadcast together.
quality: percent by mass, for wet_steam.

The states: T and P, or any other two of T, P, h, s, x by keyword (property("T", P=p, h=h); not
h and x), broadcast together. A state so given has the
value of its own phase, wet steam at its quality in the wet region; a pair without a state gives
NaN with status 2. A phase is named for T and P only.

phase: None for the value of the stable phase at each (T, P), the one the window shows. In the
IAPWS standard that is the phase of the side of the saturation line the state lies on; in the
built-in standard a state within 0.1 K of the line has no single value (NaN, status 1). Or a phase
name (sat_solid, sat_liquid, sat_vapour, subcooled_solid, sat_solid_vapour, subcooled_liquid,
sat_liquid_vapour, superheated, supercritical, wet_steam, no_phase) or its code 0..10: that phase's
correlation at the point, as the calculators have always answered it, evaluated even where the
phase is not the stable one (the built-in standard's superheated correlation at 300 K and 100 kPa).

An input outside the standard's limits (the temperature and pressure ranges of the window, the
quality 0 to 100) gives no value: NaN with status 2. The limits apply to the inputs the value rests
on: T and P for a single phase or none named; T for a saturated phase, T and the quality for
wet_steam, T for psat and the enthalpy of vaporisation; P for tsat, the boiling and melting points.
A named single phase is held to the range of its correlation (the built-in vapour to 1274 K).

Returns float64 values in the display unit of the property (a Python float for scalar T and P);
a value not given for the phase (status 1) or out of range (status 2) is NaN: property_status gives
the statuses. The GIL is released while it computes; Ctrl-C ends a long call with
KeyboardInterrupt, whose note tells how many values were computed.)";

constexpr const char* kPropertiesDoc = R"(Several properties over NumPy arrays of states given by T and P.

properties(names, T, P, *, standard="builtin", units="SI", threads=None) -> {name: values}
names: a property name as in items(), or a sequence of them. T, P: in the units chosen, broadcast
together. Each array is what property(name, T, P, standard=..., units=...) returns, element by
element (NaN where that gives NaN); scalar T and P give Python floats. In the IAPWS standard a
single-phase state is evaluated once for all the names asked; the built-in standard computes
state by state. The states are split over `threads` threads (None: every core) with the
interpreter's lock released; unlike property(), a call is not stopped by Ctrl-C before it ends.)";

constexpr const char* kStatusDoc = R"(The statuses of property(...) with the same arguments, as int8:
0 valid, 1 not given for this phase, 2 out of range (a Python int for scalar T and P).)";

// The common part of the process functions' help.
#define TULO_PROCESS_NOTES                                                                            \
  "\n\nA state is a dict of two of T, P, h, s, x (tulo.state's keywords, in the units chosen; x in\n" \
  "percent). Pressures, temperatures and specific heat or work are in the units chosen (units=, as\n" \
  "tulo.state takes them), mass flows in flow_unit ('kg/s', 'kg/h', 't/h', 'lb/h') and power in\n"    \
  "power_unit ('kW', 'MW'); efficiencies in percent.\n\n"                                             \
  "Returns a dict with tulo-calc's JSON names: each state a dict {'T', 'P', 'h', 's', 'x'} (x None\n" \
  "for a single phase) under its name, each figure a float, and 'units' ({name: unit text}). Bad\n"   \
  "input, or a process the standard has no state for, raises ValueError naming the argument or the\n" \
  "limit (in SI units)."

constexpr const char* kTurbineDoc = R"(A turbine: the expansion of a steam flow.

turbine(inlet={'P': 10000, 'T': 800}, outlet_pressure=10, efficiency=None, flow=None): the
outlet at the isentropic efficiency given (100 % when not given), the isentropic outlet and the
work.
turbine(inlet=..., outlet=...): the efficiency from the measured inlet and outlet states.
States "inlet", "outlet", "outlet_isentropic"; figures "work" (produced, per kg), "power" (with
a flow) and "efficiency".)" TULO_PROCESS_NOTES;

constexpr const char* kPumpDoc = R"(A pump or compressor: the compression of a flow.

pump(inlet={'P': 10, 'x': 0}, outlet_pressure=10000, efficiency=None, flow=None), or
pump(inlet=..., outlet=...) for the efficiency from measured states. As turbine(), the work being
the work consumed per kg.)" TULO_PROCESS_NOTES;

constexpr const char* kThrottleDoc = R"(A valve: the outlet at outlet_pressure and the inlet's enthalpy.

States "inlet", "outlet".)" TULO_PROCESS_NOTES;

constexpr const char* kCalorimeterDoc = R"(The throttling calorimeter: the state before the valve.

outlet: the measured state after the valve (superheated, e.g. {'P': 100, 'T': 400});
inlet_pressure: the pressure before it. States "inlet" (with its quality x), "outlet".)" TULO_PROCESS_NOTES;

constexpr const char* kMixDoc = R"(A header: two or more streams mixed adiabatically at `pressure`.

streams: a list of states with their mass flows under 'flow', as tulo-calc's STATE,flow=V:
mix(streams=[{'P': 1000, 'T': 500, 'flow': 2}, {'P': 1000, 'T': 350, 'flow': 1}], pressure=1000).
States "stream_1", "stream_2", ..., "outlet"; figure "outlet_flow".)" TULO_PROCESS_NOTES;

constexpr const char* kDesuperheatDoc = R"(A spray attemperator: the spray water flow for a target outlet.

steam: a state with its flow under 'flow'; water: the spray water's state; one of
target_temperature and target_enthalpy. The outlet is at the steam's pressure. States "steam",
"water", "outlet"; figures "water_flow", "outlet_flow".)" TULO_PROCESS_NOTES;

constexpr const char* kFlashDoc = R"(A flash tank: the inlet throttled to `pressure` and separated.

inlet: a state with its flow under 'flow'. States "inlet", "vapour", "liquid" (saturated at the
tank pressure); figures "vapour_flow", "liquid_flow", "vapour_fraction".)" TULO_PROCESS_NOTES;

constexpr const char* kHeatDoc = R"(A heater, cooler, boiler or condenser on one stream.

heat(inlet=..., outlet=..., flow=None): the heat per kg between two states, or
heat(inlet=..., outlet_pressure=..., heat=..., flow=None): the outlet after adding `heat` per kg
(negative to cool). States "inlet", "outlet"; figures "heat" (into the stream, per kg) and
"duty" (with a flow).)" TULO_PROCESS_NOTES;

constexpr const char* kRankineDoc = R"(The Rankine cycle.

rankine(boiler_pressure=..., turbine_inlet_temperature=None, condenser_pressure=...,
turbine_efficiency=100, pump_efficiency=100, reheat_pressure=None, reheat_temperature=None,
feedwater_heater_pressure=None, net_power=None): the turbine inlet saturated vapour when no
temperature is given; reheat needs its pressure and temperature; feedwater_heater_pressure adds
one open feedwater heater; net_power gives the steam flow.

Returns "states", a list of dicts {'name', 'T', 'P', 'h', 's', 'x'} in the order the water goes
round, and "turbine_work", "pump_work", "net_work", "heat_in", "heat_out" (per kg of steam
through the boiler), "efficiency", "back_work_ratio" (percent), "heat_rate" (kJ/kWh in every
unit system), "steam_flow" (with net_power), and "units".)" TULO_PROCESS_NOTES;

#undef TULO_PROCESS_NOTES

// --- The lines of the charts ----------------------------------------------------------------------

constexpr const char* kDiagramLinesDoc = R"(The lines the charts draw, as data to plot.

diagram_lines(kind, standard='builtin', units='SI'): kind is 'ts', 'hs', 'ph' or 'pt' (the
x-y order of the axes). The points are in the units chosen, except that a gauge pressure unit
gives way to the absolute one of the same scale (a logarithmic axis needs absolute pressure).

Returns a dict: "kind", "title"; "x" and "y", the axes, each a dict {"quantity": 'T', 'P', 'h'
or 's', "unit", "title", "range": (lowest, highest) of the chart's frame, "log": whether the
axis is logarithmic}; "lines", a list of dicts {"family": 'saturated_liquid',
'saturated_vapour', 'saturation' (the vapour pressure curve of the P-T chart), 'quality',
'isobar', 'isotherm', 'melting' or 'sublimation'; "value": the pressure, temperature or quality
(percent) held along the line, 0 for the others; "label": its text as the chart writes it, ''
for the others; "pieces": a list of float64 arrays of shape (n, 2), columns x and y, the line
broken where the standard has no valid value}; "critical": the critical point (x, y) or None;
"pressure_unit", "temperature_unit": the units of the values of the isobars and isotherms.)";

std::string_view FamilyKey(LineRole role) {
  switch (role) {
    case LineRole::kSaturatedLiquid:
      return "saturated_liquid";
    case LineRole::kSaturatedVapour:
      return "saturated_vapour";
    case LineRole::kSaturation:
      return "saturation";
    case LineRole::kQuality:
      return "quality";
    case LineRole::kIsobar:
      return "isobar";
    case LineRole::kIsotherm:
      return "isotherm";
    case LineRole::kMelting:
      return "melting";
    case LineRole::kSublimation:
      return "sublimation";
  }
  return "";
}

std::string_view QuantityKey(Quantity q) {
  switch (q) {
    case kTemperature:
      return "T";
    case kPressure:
      return "P";
    case kEnthalpyQ:
      return "h";
    default:
      return "s";
  }
}

py::dict AxisDict(const DiagramAxis& axis, DiagramUnits& units) {
  py::dict d;
  d["quantity"] = QuantityKey(axis.quantity);
  d["unit"] = units.UnitText(axis.quantity);
  d["title"] = axis.title;
  d["range"] = py::make_tuple(axis.lowest, axis.highest);
  d["log"] = axis.logarithmic;
  return d;
}

py::array_t<double> PieceArray(const std::vector<DiagramPoint>& piece) {
  py::array_t<double> points({static_cast<py::ssize_t>(piece.size()), py::ssize_t{2}});
  auto out = points.mutable_unchecked<2>();
  for (py::ssize_t i = 0; i < out.shape(0); ++i) {
    out(i, 0) = piece[static_cast<std::size_t>(i)].x;
    out(i, 1) = piece[static_cast<std::size_t>(i)].y;
  }
  return points;
}

py::dict DiagramLinesCall(const std::string& kind, const std::string& standard, const std::string& units) {
  const std::optional<DiagramKind> diagram = DiagramKindNamed(kind);
  if (!diagram) throw InputError("kind: expected one of ts, hs, ph, pt, not '" + kind + "'");
  const CorrelationSet& set = StandardArg(standard);
  UnitSettings settings;
  settings.InitUnits(UnitsArg(units));
  const DiagramLines built = BuildDiagramLines(*diagram, set, settings);
  DiagramUnits shown(settings);
  py::list lines;
  for (const DiagramLine& line : built.lines) {
    py::list pieces;
    for (const auto& piece : line.pieces) pieces.append(PieceArray(piece));
    py::dict l;
    l["family"] = FamilyKey(line.role);
    l["value"] = line.value;
    l["label"] = line.label;
    l["pieces"] = pieces;
    lines.append(l);
  }
  py::dict d;
  d["kind"] = DiagramKindKey(built.kind);
  d["title"] = DiagramTitle(built.kind);
  d["x"] = AxisDict(built.x, shown);
  d["y"] = AxisDict(built.y, shown);
  d["lines"] = lines;
  d["critical"] =
      built.critical ? py::object(py::make_tuple(built.critical->x, built.critical->y)) : py::none();
  d["pressure_unit"] = built.pressureUnit;
  d["temperature_unit"] = built.temperatureUnit;
  return d;
}
}  // namespace
}  // namespace tulo::python

PYBIND11_MODULE(tulo, m) {
  using namespace tulo::python;
  m.doc() = "Properties of water and steam.";
  m.attr("__version__") = TULO_VERSION;
  m.def("state", &State, kStateDoc, "T"_a = py::none(), "P"_a = py::none(), py::kw_only(), "units"_a = "SI",
        "standard"_a = "builtin", "quality"_a = py::none(), "h"_a = py::none(), "s"_a = py::none(),
        "x"_a = py::none());
  m.def("property", &Property, kPropertyDoc, "name"_a, "T"_a = py::none(), "P"_a = py::none(),
        "phase"_a = py::none(), py::kw_only(), "standard"_a = "builtin", "units"_a = "SI", "quality"_a = 0.0,
        "h"_a = py::none(), "s"_a = py::none(), "x"_a = py::none());
  m.def("property_status", &PropertyStatus, kStatusDoc, "name"_a, "T"_a = py::none(), "P"_a = py::none(),
        "phase"_a = py::none(), py::kw_only(), "standard"_a = "builtin", "units"_a = "SI", "quality"_a = 0.0,
        "h"_a = py::none(), "s"_a = py::none(), "x"_a = py::none());
  m.def("properties", &Properties, kPropertiesDoc, "names"_a, "T"_a, "P"_a, py::kw_only(),
        "standard"_a = "builtin", "units"_a = "SI", "threads"_a = py::none());
  m.def("items", &Items, "The property names property() takes, in catalogue order.");
  m.def("standards", &StandardKeys, "The property standards, the default first.");

  // The unit operations and the cycle take keywords only, with the units of state() and the
  // units of flow and power.
  const auto none = py::none();
  m.def("turbine", &Turbine, kTurbineDoc, py::kw_only(), "inlet"_a = none, "outlet_pressure"_a = none,
        "efficiency"_a = none, "flow"_a = none, "outlet"_a = none, "standard"_a = "builtin", "units"_a = "SI",
        "flow_unit"_a = "kg/s", "power_unit"_a = "kW");
  m.def("pump", &Pump, kPumpDoc, py::kw_only(), "inlet"_a = none, "outlet_pressure"_a = none,
        "efficiency"_a = none, "flow"_a = none, "outlet"_a = none, "standard"_a = "builtin", "units"_a = "SI",
        "flow_unit"_a = "kg/s", "power_unit"_a = "kW");
  m.def("throttle", &Throttle, kThrottleDoc, py::kw_only(), "inlet"_a = none, "outlet_pressure"_a = none,
        "standard"_a = "builtin", "units"_a = "SI", "flow_unit"_a = "kg/s", "power_unit"_a = "kW");
  m.def("calorimeter", &Calorimeter, kCalorimeterDoc, py::kw_only(), "outlet"_a = none,
        "inlet_pressure"_a = none, "standard"_a = "builtin", "units"_a = "SI", "flow_unit"_a = "kg/s",
        "power_unit"_a = "kW");
  m.def("mix", &MixCall, kMixDoc, py::kw_only(), "streams"_a = none, "pressure"_a = none,
        "standard"_a = "builtin", "units"_a = "SI", "flow_unit"_a = "kg/s", "power_unit"_a = "kW");
  m.def("desuperheat", &DesuperheatCall, kDesuperheatDoc, py::kw_only(), "steam"_a = none, "water"_a = none,
        "target_temperature"_a = none, "target_enthalpy"_a = none, "standard"_a = "builtin", "units"_a = "SI",
        "flow_unit"_a = "kg/s", "power_unit"_a = "kW");
  m.def("flash", &FlashCall, kFlashDoc, py::kw_only(), "inlet"_a = none, "pressure"_a = none,
        "standard"_a = "builtin", "units"_a = "SI", "flow_unit"_a = "kg/s", "power_unit"_a = "kW");
  m.def("heat", &HeatCall, kHeatDoc, py::kw_only(), "inlet"_a = none, "outlet"_a = none,
        "outlet_pressure"_a = none, "heat"_a = none, "flow"_a = none, "standard"_a = "builtin",
        "units"_a = "SI", "flow_unit"_a = "kg/s", "power_unit"_a = "kW");
  m.def("rankine", &RankineCall, kRankineDoc, py::kw_only(), "boiler_pressure"_a = none,
        "turbine_inlet_temperature"_a = none, "condenser_pressure"_a = none, "turbine_efficiency"_a = 100.0,
        "pump_efficiency"_a = 100.0, "reheat_pressure"_a = none, "reheat_temperature"_a = none,
        "feedwater_heater_pressure"_a = none, "net_power"_a = none, "standard"_a = "builtin",
        "units"_a = "SI", "flow_unit"_a = "kg/s", "power_unit"_a = "kW");

  m.def("diagram_lines", &DiagramLinesCall, kDiagramLinesDoc, "kind"_a, py::kw_only(),
        "standard"_a = "builtin", "units"_a = "SI");
}
