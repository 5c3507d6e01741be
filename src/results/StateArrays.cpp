#include "results/StateArrays.h"

#include <algorithm>
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
// from the set once per call, as doubles that compare as the long doubles do (each line is a
// double; each range's ends are DoubleClosedRange's).
struct IapwsLines {
  explicit IapwsLines(const CorrelationSet& set)
      : typedT(Doubles(set.InputLimits(kTemperature))),
        typedP(Doubles(set.InputLimits(kPressure))),
        fluidT(Doubles(set.PhaseLimits(kTemperature))),
        phaseP(Doubles(set.PhaseLimits(kPressure))),
        saturationP(DoubleClosedRange(-HUGE_VAL, iapws::kPc)),
        criticalT(static_cast<double>(set.Critical().temperature)),
        criticalP(static_cast<double>(set.Critical().pressure)) {
    // Above the highest melting temperature: never ice.
    const double highestMelting = static_cast<double>(set.HighestMeltingTemperature());
    fluidT.lowest = std::max(fluidT.lowest, std::nextafter(highestMelting, HUGE_VAL));
  }
  static DoubleRange Doubles(const InputRange& range) {
    return DoubleClosedRange(range.lowest, range.highest);
  }
  DoubleRange typedT, typedP;  // the input limits (false for NaN and infinity)
  DoubleRange fluidT, phaseP;  // the phase limits, T above the highest melting temperature
  DoubleRange saturationP;     // MPa: where the saturation temperature calculator answers (AtMost pc)
  double criticalT, criticalP;
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
  if (T > lines.criticalT && P > lines.criticalP) return Condition::kSuperCritical;
  const double p = P / kKPaPerMPa;  // as the saturation temperature calculator divides it
  if (!lines.saturationP.Holds(p)) return Condition::kSubCooledLiquid;
  return AboveSaturation(T, p) ? Condition::kSuperheated : Condition::kSubCooledLiquid;
}

// How the array path takes a state of the IAPWS standard.
enum class Route : unsigned char {
  kNoState,    // not finite or beyond the input limits: Evaluate fails, every item out of range
  kEvaluator,  // ice, the triple point, the sublimation line, outside IF97: the evaluator decides
  kFluid,      // a single-phase fluid state (liquid, superheated or super critical) of an IF97 region
};

struct Classified {
  Route route = Route::kEvaluator;
  iapws::Region region = iapws::Region::kNone;
  double p = 0.0;  // MPa
};

// The state (T K, P kPa; p = P / 1000 in MPa) as the evaluator classifies it, by the same
// comparisons with the same limits and lines: the input limits (Evaluate), the phase limits
// (Value's StateLimits) and the highest melting temperature; the region is RegionOf's, which the
// values of the state are computed in. A state above the highest melting temperature is a
// single-phase fluid, never ice nor saturated (FluidCondition tells which); the rest goes to the
// evaluator.
Classified Classify(const IapwsLines& lines, double T, double P, double p) {
  if (!lines.typedT.Holds(T) || !lines.typedP.Holds(P)) return {Route::kNoState};  // NaN, infinity too
  if (!lines.fluidT.Holds(T) || !lines.phaseP.Holds(P)) return {Route::kEvaluator};
  const iapws::Region region = iapws::RegionOf(T, p);
  if (region == iapws::Region::kNone || region == iapws::Region::k4) return {Route::kEvaluator};
  return {Route::kFluid, region, p};
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
  void Add(std::size_t i, double t, double pressure) {
    at[count] = i;
    T[count] = t;
    p[count] = pressure;
    ++count;
  }
};

using CaloricArraysFn = void (*)(std::span<const double>, std::span<const double>, iapws::Caloric,
                                 const iapws::CaloricArrays&);

// The block's states computed by `compute` and put out item by item. The limits of each were met
// in Classify; what remains of FromField and Put is the finiteness and the Real6 range, the value
// stored as the double itself (the IAPWS standard's ValueStorage).
void PutBlock(RegionBlock& block, CaloricArraysFn compute, iapws::Caloric which, std::span<const Item> items,
              std::span<double> value, std::span<Status> status) {
  const std::size_t m = block.count, n = status.size() / items.size();
  std::array<double, kBlock> h, s, cp, rho;
  compute(std::span(block.T).first(m), std::span(block.p).first(m), which,
          {std::span(h).first(m), std::span(s).first(m), std::span(cp).first(m), std::span(rho).first(m)});
  for (std::size_t k = 0; k < items.size(); ++k) {
    const std::array<double, kBlock>& field = items[k] == Item::kEnthalpy  ? h
                                              : items[k] == Item::kEntropy ? s
                                              : items[k] == Item::kDensity ? rho
                                                                           : cp;
    for (std::size_t j = 0; j < m; ++j) {
      const std::size_t at = k * n + block.at[j];
      const bool valid = DoubleFitsReal6(field[j]);  // false for NaN and infinity
      status[at] = valid ? Status::kValid : Status::kOutOfRange;
      value[at] = valid ? field[j] : kNaN;
    }
  }
  block.count = 0;
}

void IapwsArrays(StateEvaluator& evaluator, std::span<const Item> items, std::span<const double> T,
                 std::span<const double> P, std::span<double> value, std::span<Status> status) {
  const std::size_t n = T.size();
  const IapwsLines lines(evaluator.Set());
  const ValueStorage& storage = evaluator.Set().Storage();
  const std::optional<iapws::Caloric> blockItems = BlockItems(items);
  // The blocks of regions 1, 2 and 5, by region number (h, s, cp and rho are the same in every
  // fluid condition: a state in a block needs no condition).
  constexpr std::array<CaloricArraysFn, 6> kCompute = {
      nullptr, iapws::Region1CaloricArrays, iapws::Region2CaloricArrays, nullptr,
      nullptr, iapws::Region5CaloricArrays};
  std::array<RegionBlock, 6> blocks;
  for (std::size_t begin = 0; begin < n; begin += kBlock) {
    const std::size_t end = std::min(n, begin + kBlock);
    // The pressures in MPa first, in a loop of their own: the divisions overlap.
    std::array<double, kBlock> pressures;
    for (std::size_t i = begin; i < end; ++i) pressures[i - begin] = P[i] / kKPaPerMPa;
    for (std::size_t i = begin; i < end; ++i) {
      const StateOut out{storage, value, status, n, i};
      const Classified c = Classify(lines, T[i], P[i], pressures[i - begin]);
      const auto r = static_cast<std::size_t>(c.region);
      if (c.route == Route::kNoState) {
        out.NoState(items.size());
      } else if (c.route == Route::kEvaluator) {
        ThroughEvaluator(evaluator, items, T[i], P[i], true, out);
      } else if (blockItems && kCompute[r] != nullptr) {
        blocks[r].Add(i, T[i], c.p);
      } else {
        FluidState(evaluator, items, Evaluated{FluidCondition(lines, T[i], P[i]), T[i], P[i], std::nullopt},
                   out);
      }
    }
    if (!blockItems) continue;
    for (std::size_t r = 0; r < blocks.size(); ++r)
      if (blocks[r].count > 0) PutBlock(blocks[r], kCompute[r], *blockItems, items, value, status);
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
