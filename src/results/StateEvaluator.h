#pragma once
// The one path from a state given by two properties to its values: a StateInput (a pair and two
// values in internal units) in, the checked state out (its condition, T, P and, for wet steam,
// the quality), then the value of any item in any phase column of it, with its status. Every
// front end turns what the user gave into a StateInput and formats what comes back; none picks a
// phase, a column or a limit of its own.
//
// Internal units: T in K, P in kPa absolute, h in kJ/kg, s in kJ/(kg K), x in percent by mass.
//
// One evaluator holds one set of calculators (it is not shared between threads: make one per
// thread). Their kept calls are keyed on the point, the phase and, for wet steam, the quality, so
// one evaluator serves any sequence of states.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "props/CalcResult.h"
#include "props/Catalogue.h"
#include "props/CorrelationSet.h"
#include "props/Phase.h"
#include "results/InputPair.h"
#include "results/Session.h"

namespace tulo {

// The quantities a pair is made of, by the names tulo-calc point, batch headers and the Python
// module use: T, P, h, s, x.
enum class PairName : std::uint8_t { kT, kP, kH, kS, kX };

struct PairInfo {
  InputPair pair;
  PairName first, second;
  std::string_view label;  // the window's pair chooser: "Temperature and pressure"
};
// Every pair of two quantities, in the order of the window's chooser (T and P first).
std::span<const PairInfo> InputPairs();
const PairInfo& InfoOf(InputPair pair);
// The pair of two names in either order ("P", "h" and "h", "P" are P-h); nothing for a name
// given twice or a pair the program does not solve (h and x).
std::optional<InputPair> PairOf(PairName a, PairName b);
// "T", "P", "h", "s", "x" (case as written; "p", "H" and the like are not names).
std::optional<PairName> PairNamed(std::string_view name);
std::string_view NameText(PairName name);
// The unit quantity of a name (kTemperature, kPressure, kEnthalpyQ, kEntropyQ); nothing for x,
// which is always in percent.
std::optional<Quantity> QuantityOf(PairName name);

struct StateInput {
  InputPair pair = InputPair::kTP;
  double first = 0.0;   // the pair's first quantity (InfoOf(pair).first), internal units
  double second = 0.0;  // unused for kT and kP
};

struct Evaluated {
  Condition condition = Condition::kNone;
  double T = 0.0;  // K, as the standard stores it (a Real6 in the built-in standard)
  double P = 0.0;  // kPa absolute, as stored
  // Percent by mass for saturated liquid and vapour given by or found at a quality (T-x, P-x,
  // a P-h, P-s, h-s, T-h or T-s state in the wet region); nothing for a single-phase state and
  // for a saturated state given by T or P alone.
  std::optional<double> quality;

  bool Saturated() const { return IsSaturated(condition); }
  // The phase columns of the state's grid: the condensed phase and the vapour for a saturated
  // state, the phase of the state otherwise.
  std::span<const Phase> Columns() const;
  // The phase of the state as one value: its own for a single phase, wet steam for a saturated
  // state with a quality; nothing for one without.
  std::optional<Phase> StatePhase() const;
  // The phase of a view with one value per state (a table's column, a diagram's mark): the
  // state's own, the saturated vapour on the saturation line.
  Phase OneColumn() const { return StatePhase().value_or(Phase::kSatVapour); }
};

// The name of a phase column as the front ends name it: "solid", "liquid" or "vapour" for the
// columns of a saturated state; "" for the one column of a single phase.
std::string_view ColumnName(Phase phase);

// The state, or why there is none (a message in internal units naming the pair and the range).
struct Evaluation {
  std::optional<Evaluated> state;
  std::string error;
};

class StateEvaluator {
 public:
  // `set` must outlive the evaluator.
  explicit StateEvaluator(const CorrelationSet& set);
  // An evaluator over the calculators of a session (the window's), which must outlive it. It sets
  // the session's condition as it classifies states; the steam quality only for a wet-steam value,
  // to the quality of the state asked.
  explicit StateEvaluator(Session& session);
  StateEvaluator(const StateEvaluator&) = delete;
  StateEvaluator& operator=(const StateEvaluator&) = delete;

  const CorrelationSet& Set() const { return session_.Set(); }

  // The state given by `input`. T and P (kTP, kT, kP) are checked against the standard's input
  // limits and classified as the window classifies them; every other pair is solved with the
  // standard's own equations and reproduces the given values (see PairSolve.h, IF97Pairs.h).
  Evaluation Evaluate(const StateInput& input);

  // The value of `item` in `phase` at the state, internal units, with its status: out of range
  // where an input it rests on lies beyond the standard's limits. Wet steam is mixed at the
  // state's quality (0 when it has none).
  CalcResult Value(const Evaluated& state, Item item, Phase phase);
  // The value in StatePhase(); kNotGiven for a saturated state without a quality.
  CalcResult StateValue(const Evaluated& state, Item item);

 private:
  std::unique_ptr<Session> owned_;
  Session& session_;
  // The limit checks of the last state asked for values (StateLimits), with its T, P and quality.
  std::optional<StateLimits> limits_;
  double limitsT_ = 0.0, limitsP_ = 0.0, limitsQuality_ = 0.0;
};

}  // namespace tulo
