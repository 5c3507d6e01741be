#pragma once
// What the Python module computes, without Python: one state, and one property over arrays of
// states, each given by T and P or by another pair and found by the state evaluator. Every call
// makes its own evaluator, so calls may run at the same time on several threads.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "process/ProcessReport.h"
#include "process/Processes.h"
#include "props/CalcResult.h"
#include "props/Catalogue.h"
#include "props/CorrelationSet.h"
#include "props/Phase.h"
#include "results/DisplayValue.h"
#include "results/StateEvaluator.h"
#include "units/Units.h"

namespace tulo::python {

// A bad argument, with the message the program gives for it.
class InputError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// The Python names of the phase codes ("sat_liquid", "superheated").
struct PhaseName {
  std::string_view key;
  Phase phase;
};
std::span<const PhaseName> PhaseNames();
std::optional<Phase> PhaseNamed(std::string_view key);

// A steam quality in percent by mass as the wet-steam field of the standard takes it (rounded to
// Real6 in the built-in standard, kept as it is in one computed in double precision); InputError
// with the window's message outside 0..100.
double CheckedQuality(const CorrelationSet& set, double quality);

// A value given for a state, in the unit chosen for its quantity (x: percent by mass).
struct GivenValue {
  PairName name;
  double value;
};

struct StateRequest {
  const CorrelationSet* set;
  UnitSelection units;
  // None: nothing typed; T or P alone: saturated at it; two: the state of that pair.
  std::vector<GivenValue> given;
  std::optional<double> quality;  // percent by mass, for the wet-steam values of T and P
};

// One row of a state: the values of one item by column ("liquid", "vapour", "wet"; a single
// unnamed column for a single-phase state).
struct StateRow {
  Item item;
  std::string unit;
  std::vector<std::pair<std::string_view, DisplayValue>> columns;
};

struct StateAnswer {
  Condition condition = Condition::kNone;
  std::string conditionText;
  double T = 0.0, P = 0.0;  // in the units chosen: a number given as read, the other one computed
  std::optional<double> x;  // the quality in percent of a state found at one (wet steam)
  bool pair = false;        // given by a pair other than T and P: the answer names x
  std::string unitT, unitP;
  std::vector<StateRow> rows;  // the rows of the variable-results grid, in its order
};

// The state of the values given, as the state evaluator finds it (InputError with its message when
// there is none, or with the number that cannot be read), and the rows of the full property list of
// its condition. A state given by T, P or both is the window's: the same checks and condition.
StateAnswer EvaluateState(const StateRequest& request);

// What property() computes at each state: an item, or a quantity of the state itself.
enum class Wanted : std::uint8_t { kItem, kTemperature, kPressure, kQuality };

struct PropertyRequest {
  const CorrelationSet* set;
  UnitSelection units;
  Item item = Item::kEnthalpy;
  std::optional<Phase> phase;       // nothing: the phase condition of each state (T and P only)
  double quality = 0.0;             // percent by mass, for the wet-steam phase
  InputPair pair = InputPair::kTP;  // the states' pair: first and second are its quantities
  Wanted wanted = Wanted::kItem;
};

// Asked between rows of a long call whether to go on; false ends the call there.
using KeepGoing = std::function<bool()>;

// The item (or T, P, x) at each state (first[i], second[i]) of the pair, in the units chosen, into
// value[i] and status[i]. A state on the saturation line without a phase named or a quality has no
// single value: kNotGiven, as has x for a single phase; a pair without a state gives kOutOfRange.
// The spans have one size.
// keepGoing (when given) is asked about every kKeepGoingInterval of computing, never before the
// first row nor after the last. Returns the number of rows computed: all of them unless
// keepGoing said no.
std::size_t EvaluateProperty(const PropertyRequest& request, std::span<const double> first,
                             std::span<const double> second, std::span<double> value,
                             std::span<std::int8_t> status, const KeepGoing& keepGoing = {});

// Several items at states given by T and P (properties()).
struct PropertiesRequest {
  const CorrelationSet* set;
  UnitSelection units;
  std::vector<Item> items;
  unsigned threads = 1;  // the states are split in that many blocks, one thread and evaluator each
};

// The items at the states (T[i], P[i]) in the units chosen, item k into values[k][i] and, when
// status is not empty, status[k * n + i] (n = T.size(), each values[k] as long): for each item what
// EvaluateProperty gives it alone at T and P with no phase named, bitwise, through
// ComputeArraysTP. Not to be stopped between rows.
void EvaluateProperties(const PropertiesRequest& request, std::span<const double> T,
                        std::span<const double> P, std::span<const std::span<double>> values,
                        std::span<std::int8_t> status = {});

// ---- unit operations and the Rankine cycle ----

// The units of a process call: the units of state() for T, P, h, s and specific work or heat, and
// one unit each for mass flows and power.
struct ProcessUnits {
  const CorrelationSet* set;
  UnitSelection units;
  std::string flowUnit = "kg/s";  // kg/s, kg/h, t/h, lb/h
  std::string powerUnit = "kW";   // kW, MW
};

// A state of a process result in the units chosen (x in percent, nothing for a single phase).
struct ShownState {
  std::string name;
  double T = 0.0, P = 0.0, h = 0.0, s = 0.0;
  std::optional<double> x;
};

struct ShownFigure {
  std::string_view name;  // the result's own name: "work", "power", "heat_rate", ...
  double value = 0.0;
  std::string unit;
};

struct ProcessAnswer {
  std::vector<ShownState> states;
  bool stateList = false;  // a cycle: its states are a list
  std::vector<ShownFigure> figures;
  std::vector<std::pair<std::string, std::string>> units;  // "T", "P", "h", "s", "x" and their unit texts
};

// The arguments of a process call in internal units, and its result in the units chosen. Every
// InputError names the argument (its text `arg`: "inlet", "streams[1]", "efficiency").
class ProcessConverter {
 public:
  // InputError for a flow or power unit the program does not have.
  explicit ProcessConverter(const ProcessUnits& units);
  const CorrelationSet& Set() const { return *set_; }

  // A state given by two of T, P, h, s, x, as state() reads them.
  StateInput State(const std::string& arg, const std::vector<GivenValue>& given);
  // A temperature, pressure or specific energy in the unit chosen for its quantity.
  double Internal(const std::string& arg, double value, Quantity q);
  // A number without a unit (an efficiency in percent), as given.
  double Number(const std::string& arg, double value);
  double Flow(const std::string& arg, double value);   // to kg/s
  double Power(const std::string& arg, double value);  // to kW

  // The result in the units chosen; InputError with the process's message when there is none.
  ProcessAnswer Shown(const ProcessOutcome& outcome) const;

 private:
  const CorrelationSet* set_;
  UnitSettings units_;
  FlowUnit flow_;
  PowerUnit power_;
};

// Often enough that Ctrl-C ends a call of millions of rows within a quarter of a second; seldom
// enough that taking the interpreter's lock to ask costs nothing that shows.
inline constexpr std::chrono::milliseconds kKeepGoingInterval{50};

}  // namespace tulo::python
