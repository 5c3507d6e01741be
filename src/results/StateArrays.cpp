#include "results/StateArrays.h"

#include <array>
#include <cmath>
#include <limits>
#include <optional>

#include "common/RangeLimit.h"
#include "common/Real6.h"
#include "iapws/IF97.h"
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
  // A state without one: what a failed Evaluate gives every item.
  void NoState(std::size_t items) const {
    for (std::size_t k = 0; k < items; ++k) Put(k, CalcResult::OutOfRange());
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

// The state classified by the evaluator itself, then its values.
void ThroughEvaluator(StateEvaluator& evaluator, std::span<const Item> items, double T, double P, bool iapws,
                      const StateOut& out) {
  const Evaluation evaluation = evaluator.Evaluate({InputPair::kTP, T, P});
  if (!evaluation.state) {
    out.NoState(items.size());
  } else if (iapws && SingleFluid(evaluation.state->condition)) {
    FluidState(evaluator, items, *evaluation.state, out);
  } else {
    for (std::size_t k = 0; k < items.size(); ++k)
      out.Put(k, evaluator.StateValue(*evaluation.state, items[k]));
  }
}

// ---- The IAPWS standard's states classified without the evaluator --------------------------------

// The lines of DetermineValueCondition and the limits of StateEvaluator::Evaluate and Value, read
// from the set once per call.
struct IapwsLines {
  explicit IapwsLines(const CorrelationSet& set)
      : typedT(set.InputLimits(kTemperature)),
        typedP(set.InputLimits(kPressure)),
        phaseT(set.PhaseLimits(kTemperature)),
        phaseP(set.PhaseLimits(kPressure)),
        critical(set.Critical()),
        highestMelting(set.HighestMeltingTemperature()) {}
  InputRange typedT, typedP, phaseT, phaseP;
  CriticalPoint critical;
  long double highestMelting;
};

// Above this temperature every saturation temperature of Eq. 31 (at most Tc, up to pc) lies
// below, whatever its rounding.
constexpr double kAboveEverySaturation = iapws::kTc + 1e-6;  // K

// Whether T lies above the saturation temperature at p (MPa, at most pc within the limit
// tolerance) as the standard's saturation temperature calculator gives it (SaturationTemperatureAt,
// kept only when finite and within Real6). The bracket of psat(T) settles most states; those
// between its bounds, and those below the triple-point pressure, take the calculator's own value.
bool AboveSaturation(double T, double p) {
  if (p >= iapws::kPt) {
    if (T > kAboveEverySaturation) return true;
    const iapws::PressureBracket psat = iapws::SaturationPressureBracket(T);
    if (p < psat.low) return true;                       // Tsat(p) below the knot under T
    if (p > psat.high && T <= iapws::kTc) return false;  // Tsat(p) above the knot over T
  }
  const double Tsat = iapws::SaturationTemperatureAt(p);
  return std::isfinite(Tsat) && FitsReal6(Tsat) && T > Tsat;
}

// The condition DetermineValueCondition gives a state above the highest melting temperature (no
// band: IAPWS states beside the saturation line keep their side). Without a saturation
// temperature (above pc) it is liquid, being above the melting temperature.
Condition FluidCondition(const IapwsLines& lines, double T, double P) {
  if (T > lines.critical.temperature && P > lines.critical.pressure) return Condition::kSuperCritical;
  const double p = P / kKPaPerMPa;  // as the saturation temperature calculator divides it
  if (!AtMost(p, iapws::kPc)) return Condition::kSubCooledLiquid;
  return AboveSaturation(T, p) ? Condition::kSuperheated : Condition::kSubCooledLiquid;
}

// How the array path takes a state of the IAPWS standard.
enum class Route : unsigned char {
  kNoState,    // not finite or beyond the input limits: Evaluate fails, every item out of range
  kEvaluator,  // ice, the triple point, the sublimation line, outside IF97: the evaluator decides
  kFluid,      // a single-phase fluid state of an IF97 region, its condition and region known
};

struct Classified {
  Route route = Route::kEvaluator;
  Condition condition = Condition::kNone;
  iapws::Region region = iapws::Region::kNone;
};

// The state (T K, P kPa) as the evaluator classifies it, by the same comparisons with the same
// limits and lines: the input limits (Evaluate), the phase limits (Value's StateLimits), the
// highest melting temperature, the critical point and the saturation temperature at P; the
// region is RegionOf's, which the values of the state are computed in. A state above the highest
// melting temperature is fluid (never ice, never saturated); the rest goes to the evaluator.
Classified Classify(const IapwsLines& lines, double T, double P) {
  if (!std::isfinite(T) || !std::isfinite(P)) return {Route::kNoState};
  if (!InClosedRange(T, lines.typedT.lowest, lines.typedT.highest) ||
      !InClosedRange(P, lines.typedP.lowest, lines.typedP.highest))
    return {Route::kNoState};
  if (!(T > lines.highestMelting) || !InClosedRange(T, lines.phaseT.lowest, lines.phaseT.highest) ||
      !InClosedRange(P, lines.phaseP.lowest, lines.phaseP.highest))
    return {Route::kEvaluator};
  const iapws::Region region = iapws::RegionOf(T, P / kKPaPerMPa);
  if (region == iapws::Region::kNone || region == iapws::Region::k4) return {Route::kEvaluator};
  return {Route::kFluid, FluidCondition(lines, T, P), region};
}

// The items the region blocks compute (bits of iapws::Caloric), or nothing when an item asked is
// not one of them: then each fluid state is evaluated in full (FluidState).
std::optional<iapws::Caloric> BlockItems(std::span<const Item> items) {
  unsigned bits = 0;
  for (Item item : items) {
    switch (item) {
      case Item::kEnthalpy:
        bits |= static_cast<unsigned>(iapws::Caloric::kH);
        break;
      case Item::kEntropy:
        bits |= static_cast<unsigned>(iapws::Caloric::kS);
        break;
      case Item::kHeatCapacity:
        bits |= static_cast<unsigned>(iapws::Caloric::kCp);
        break;
      case Item::kDensity:
        bits |= static_cast<unsigned>(iapws::Caloric::kRho);
        break;
      default:
        return std::nullopt;
    }
  }
  if (bits == 0) return std::nullopt;
  return static_cast<iapws::Caloric>(bits);
}

// Up to kBlock states at a time: each region's states gathered, then computed in one loop.
constexpr std::size_t kBlock = 256;

struct RegionBlock {
  std::size_t count = 0;
  std::array<std::size_t, kBlock> at;  // the state's index in the call
  std::array<double, kBlock> T, p;     // K, MPa
  void Add(std::size_t i, double t, double P) {
    at[count] = i;
    T[count] = t;
    p[count] = P / kKPaPerMPa;
    ++count;
  }
};

using CaloricArraysFn = void (*)(std::span<const double>, std::span<const double>, iapws::Caloric,
                                 const iapws::CaloricArrays&);

// The block's states computed by `compute` and put out item by item; the limits of each were met
// in Classify, so only finiteness and Real6 remain (FromField).
void PutBlock(RegionBlock& block, CaloricArraysFn compute, iapws::Caloric which, std::span<const Item> items,
              const ValueStorage& storage, std::span<double> value, std::span<Status> status) {
  const std::size_t m = block.count, n = status.size() / items.size();
  std::array<double, kBlock> h, s, cp, rho;
  compute(std::span(block.T).first(m), std::span(block.p).first(m), which,
          {std::span(h).first(m), std::span(s).first(m), std::span(cp).first(m), std::span(rho).first(m)});
  for (std::size_t k = 0; k < items.size(); ++k) {
    const std::array<double, kBlock>& field = items[k] == Item::kEnthalpy  ? h
                                              : items[k] == Item::kEntropy ? s
                                              : items[k] == Item::kDensity ? rho
                                                                           : cp;
    for (std::size_t j = 0; j < m; ++j)
      StateOut{storage, value, status, n, block.at[j]}.Put(k, FromField(field[j]));
  }
  block.count = 0;
}

void IapwsArrays(StateEvaluator& evaluator, std::span<const Item> items, std::span<const double> T,
                 std::span<const double> P, std::span<double> value, std::span<Status> status) {
  const std::size_t n = T.size();
  const IapwsLines lines(evaluator.Set());
  const ValueStorage& storage = evaluator.Set().Storage();
  const std::optional<iapws::Caloric> blockItems = BlockItems(items);
  RegionBlock r1, r2, r5;
  for (std::size_t begin = 0; begin < n; begin += kBlock) {
    const std::size_t end = std::min(n, begin + kBlock);
    for (std::size_t i = begin; i < end; ++i) {
      const StateOut out{storage, value, status, n, i};
      const Classified c = Classify(lines, T[i], P[i]);
      if (c.route == Route::kNoState) {
        out.NoState(items.size());
      } else if (c.route == Route::kEvaluator) {
        ThroughEvaluator(evaluator, items, T[i], P[i], true, out);
      } else if (blockItems && c.region == iapws::Region::k1) {
        r1.Add(i, T[i], P[i]);
      } else if (blockItems && c.region == iapws::Region::k2) {
        r2.Add(i, T[i], P[i]);
      } else if (blockItems && c.region == iapws::Region::k5) {
        r5.Add(i, T[i], P[i]);
      } else {
        FluidState(evaluator, items, Evaluated{c.condition, T[i], P[i], std::nullopt}, out);
      }
    }
    if (!blockItems) continue;
    PutBlock(r1, iapws::Region1CaloricArrays, *blockItems, items, storage, value, status);
    PutBlock(r2, iapws::Region2CaloricArrays, *blockItems, items, storage, value, status);
    PutBlock(r5, iapws::Region5CaloricArrays, *blockItems, items, storage, value, status);
  }
}

}  // namespace

void ComputeArraysTP(StateEvaluator& evaluator, std::span<const Item> items, std::span<const double> T,
                     std::span<const double> P, std::span<double> value, std::span<Status> status) {
  if (items.empty()) return;
  if (&evaluator.Set() == &IapwsCorrelations()) return IapwsArrays(evaluator, items, T, P, value, status);
  for (std::size_t i = 0; i < T.size(); ++i)
    ThroughEvaluator(evaluator, items, T[i], P[i], false,
                     {evaluator.Set().Storage(), value, status, T.size(), i});
}

}  // namespace tulo
