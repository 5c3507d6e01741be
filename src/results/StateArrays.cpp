#include "results/StateArrays.h"

#include <cmath>
#include <limits>
#include <optional>

#include "common/Real6.h"
#include "iapws/Water.h"
#include "props/CorrelationSet.h"
#include "results/IapwsSet.h"

namespace tulo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kKPaPerMPa = 1000.0;

bool SingleFluid(Condition c) {
  return c == Condition::kSubCooledLiquid || c == Condition::kSuperheated || c == Condition::kSuperCritical;
}

// The outputs of one state: item k at value[k * n + i].
struct StateOut {
  const ValueStorage& storage;
  std::span<double> value;
  std::span<Status> status;
  std::size_t n, i;
  void Put(std::size_t k, const CalcResult& r) const {
    status[k * n + i] = r.status;
    value[k * n + i] = r.status == Status::kValid ? static_cast<double>(storage.Store(r.value)) : kNaN;
  }
};

// A value the set's calculators compute from one IF97 field: as StateItemCalc and
// PropertyCalculator::Compute make it, out of range unless finite and within Real6.
CalcResult FromField(double x) {
  if (!std::isfinite(x) || !FitsReal6(x)) return CalcResult::OutOfRange();
  return CalcResult::Valid(x);
}

// The IF97 items of a single-phase fluid state from one evaluation (from gamma_tau alone when the
// enthalpy is the only item), the limits checked as StateEvaluator::Value checks them; the rest
// through the evaluator.
void FluidState(StateEvaluator& evaluator, std::span<const Item> items, const Evaluated& state,
                const StateOut& out) {
  const Phase phase = *state.StatePhase();
  const StateLimits limits(evaluator.Set(), state.T, state.P, 0.0);
  const double p = state.P / kKPaPerMPa;
  std::optional<iapws::WaterState> water;
  for (std::size_t k = 0; k < items.size(); ++k) {
    const WaterField field = IapwsFluidField(items[k]);
    if (field == nullptr) {
      out.Put(k, evaluator.Value(state, items[k], phase));
    } else if (!limits.InLimits(items[k], phase)) {
      out.Put(k, CalcResult::OutOfRange());
    } else if (items.size() == 1 && items[k] == Item::kEnthalpy) {
      // Bitwise Evaluate(kFluid, T, p).h (iapws::Enthalpy).
      out.Put(k, FromField(iapws::Enthalpy(iapws::StateKind::kFluid, state.T, p)));
    } else {
      if (!water) water = iapws::Evaluate(iapws::StateKind::kFluid, state.T, p);
      out.Put(k, FromField(field(*water)));
    }
  }
}

}  // namespace

void ComputeArraysTP(StateEvaluator& evaluator, std::span<const Item> items, std::span<const double> T,
                     std::span<const double> P, std::span<double> value, std::span<Status> status) {
  const std::size_t n = T.size();
  const bool iapws = &evaluator.Set() == &IapwsCorrelations();
  for (std::size_t i = 0; i < n; ++i) {
    const StateOut out{evaluator.Set().Storage(), value, status, n, i};
    // The classification is the evaluator's own, so the condition (and the phase of the values)
    // cannot differ from the single-state path.
    const Evaluation evaluation = evaluator.Evaluate({InputPair::kTP, T[i], P[i]});
    if (!evaluation.state) {
      for (std::size_t k = 0; k < items.size(); ++k) out.Put(k, CalcResult::OutOfRange());
    } else if (iapws && SingleFluid(evaluation.state->condition)) {
      FluidState(evaluator, items, *evaluation.state, out);
    } else {
      for (std::size_t k = 0; k < items.size(); ++k)
        out.Put(k, evaluator.StateValue(*evaluation.state, items[k]));
    }
  }
}

}  // namespace tulo
