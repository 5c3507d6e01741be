// The Python module `tulo`: states as the window shows them, and properties over NumPy arrays.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "python/Evaluation.h"
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

std::vector<std::string> StandardKeys() {
  std::vector<std::string> keys;
  for (const StandardEntry& s : Standards()) keys.emplace_back(s.key);
  return keys;
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

constexpr const char* kStatusDoc = R"(The statuses of property(...) with the same arguments, as int8:
0 valid, 1 not given for this phase, 2 out of range (a Python int for scalar T and P).)";

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
  m.def("items", &Items, "The property names property() takes, in catalogue order.");
  m.def("standards", &StandardKeys, "The property standards, the default first.");
}
