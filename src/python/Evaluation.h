#pragma once
// What the Python module computes, without Python: one state as the window shows it, and one
// property over arrays of temperatures and pressures. Every call makes its own session, so calls
// may run at the same time on several threads.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "props/CalcResult.h"
#include "props/Catalogue.h"
#include "props/CorrelationSet.h"
#include "props/Phase.h"
#include "results/DisplayValue.h"
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

struct StateRequest {
  const CorrelationSet* set;
  UnitSelection units;
  std::optional<double> T;        // in the temperature unit chosen; nothing: saturated at P
  std::optional<double> P;        // in the pressure unit chosen; nothing: saturated at T
  std::optional<double> quality;  // percent by mass, for the wet-steam values
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
  std::string unitT, unitP;
  std::vector<StateRow> rows;  // the rows of the variable-results grid, in its order
};

// The state typed into the window: the same input checks (InputError with the window's message
// when one fails), the same phase condition, the rows of the full property list.
StateAnswer EvaluateState(const StateRequest& request);

struct PropertyRequest {
  const CorrelationSet* set;
  UnitSelection units;
  Item item;
  std::optional<Phase> phase;  // nothing: the phase condition of each (T, P)
  double quality = 0.0;        // percent by mass, for the wet-steam phase
};

// Asked between rows of a long call whether to go on; false ends the call there.
using KeepGoing = std::function<bool()>;

// The item at each (T[i], P[i]) in the units chosen, into value[i] and status[i]. A state on the
// saturation line without a phase named has no single value: kNotGiven. The spans have one size.
// keepGoing (when given) is asked about every kKeepGoingInterval of computing, never before the
// first row nor after the last. Returns the number of rows computed: all of them unless
// keepGoing said no.
std::size_t EvaluateProperty(const PropertyRequest& request, std::span<const double> T,
                             std::span<const double> P, std::span<double> value,
                             std::span<std::int8_t> status, const KeepGoing& keepGoing = {});

// Often enough that Ctrl-C ends a call of millions of rows within a quarter of a second; seldom
// enough that taking the interpreter's lock to ask costs nothing that shows.
inline constexpr std::chrono::milliseconds kKeepGoingInterval{50};

}  // namespace tulo::python
