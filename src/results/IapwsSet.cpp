#include "results/IapwsSet.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <utility>

#include "common/RangeLimit.h"
#include "iapws/Formulation.h"
#include "iapws/IF97.h"
#include "iapws/MeltingSublimation.h"
#include "iapws/Water.h"
#include "props/BuiltInSet.h"

namespace tulo {
namespace {

using iapws::Extra;
using iapws::StateKind;
using iapws::WaterState;

constexpr double kKPaPerMPa = 1000.0;

// ---- Which phases give which items ------------------------------------------------------------

constexpr unsigned PhaseBit(Phase p) {
  return 1u << static_cast<unsigned>(p);
}
constexpr unsigned Phases(std::initializer_list<Phase> phases) {
  unsigned mask = 0;
  for (Phase p : phases) mask |= PhaseBit(p);
  return mask;
}

using enum Phase;
// Every phase of a single substance state, ice and fluid, saturated or not.
constexpr unsigned kAllStates =
    Phases({kSatSolid, kSatLiquid, kSatVapour, kSubCooledSolid, kSubCooledLiquid, kSuperheated, kSuperCritical});
// The same with wet steam, for the quantities that mix by mass.
constexpr unsigned kMixing = kAllStates | PhaseBit(kWetSteam);
// The fluid alone: no release covers the transport and optical properties of ice.
constexpr unsigned kFluid = Phases({kSatLiquid, kSatVapour, kSubCooledLiquid, kSuperheated, kSuperCritical});
constexpr unsigned kLiquid = Phases({kSatLiquid, kSubCooledLiquid});

// A property of the evaluated state, in the program's internal unit.
struct StateItem {
  Item item;
  unsigned phases;
  double (*value)(const WaterState&);
  Extra extra = Extra::kNone;  // the release beyond IF97 it needs (iapws::AddExtras)
};

constexpr StateItem kStateItems[] = {
    {Item::kEnthalpy, kMixing, [](const WaterState& w) { return w.h; }},
    {Item::kEntropy, kMixing, [](const WaterState& w) { return w.s; }},
    {Item::kInternalEnergy, kMixing, [](const WaterState& w) { return w.u; }},
    {Item::kDensity, kMixing, [](const WaterState& w) { return w.rho; }},
    {Item::kViscosity, kFluid, [](const WaterState& w) { return w.mu; }, Extra::kViscosity},  // Pa s
    {Item::kHeatCapacity, kAllStates, [](const WaterState& w) { return w.cp; }},
    {Item::kThermalConductivity, kFluid, [](const WaterState& w) { return w.lambda / 1000.0; },
     Extra::kConductivity},  // kW/(m K)
    {Item::kSurfaceTension, kLiquid, [](const WaterState& w) { return w.sigma; }, Extra::kSurfaceTension},
    {Item::kThermalExpansion, kAllStates, [](const WaterState& w) { return w.alphaV; }},
    {Item::kIsothermalCompressibility, kAllStates, [](const WaterState& w) { return w.kappaT / kKPaPerMPa; }},
    {Item::kIsentropicCoefficient, kAllStates, [](const WaterState& w) { return w.isentropicExponent; }},
    {Item::kCompressibilityFactor, kAllStates, [](const WaterState& w) { return w.z; }},
    {Item::kDielectricConstant, kFluid, [](const WaterState& w) { return w.epsilon; }, Extra::kDielectric},
    {Item::kRefractiveIndex, kFluid, [](const WaterState& w) { return w.refractive; }, Extra::kRefractive},
    {Item::kSpeedOfSound, kAllStates, [](const WaterState& w) { return w.w; }},
    {Item::kIsochoricHeatCapacity, kAllStates, [](const WaterState& w) { return w.cv; }},
    {Item::kSpecificVolume, kMixing, [](const WaterState& w) { return w.v; }},
    {Item::kKinematicViscosity, kFluid, [](const WaterState& w) { return w.nu; }, Extra::kViscosity},
    {Item::kPrandtlNumber, kFluid, [](const WaterState& w) { return w.prandtl; }, Extra::kConductivity},
    {Item::kJouleThomson, kFluid, [](const WaterState& w) { return w.jouleThomson; }},
};

bool Gives(unsigned phases, Phase phase) {
  return (phases & PhaseBit(phase)) != 0;
}

CalcResult FromNumber(double x) {
  return std::isfinite(x) ? CalcResult::Valid(x) : CalcResult::OutOfRange();
}

// ---- One evaluation per state ----------------------------------------------------------------

// The calculators of one session. Every calculator of a state item reads the same evaluation,
// kept per kind of state: a grid that alternates liquid and vapour columns costs two
// evaluations, not one per cell.
class IapwsTable final : public CalculatorTable {
 public:
  IapwsTable(const CorrelationSet& set, CalcContext& ctx, const iapws::Formulation& formulation)
      : CalculatorTable(set, ctx), formulation_(formulation) {}

  const iapws::Formulation& Formulation() const { return formulation_; }

  // T in K, P in kPa.
  const WaterState& State(StateKind kind, double T, double P, Extra extra = Extra::kNone) {
    // The saturated kinds depend on T alone.
    if (kind != StateKind::kFluid && kind != StateKind::kIce) P = 0.0;
    Slot& slot = SlotOf(kind);
    if (!Holds(slot, T, P)) {
      slot.state = formulation_.evaluate(kind, T, P / kKPaPerMPa);
      slot.T = T;
      slot.P = P;
      slot.filled = true;
    }
    if (kind == StateKind::kFluid) fluidInFull_ = true;
    if (extra != Extra::kNone) formulation_.addExtras(slot.state, extra);
    return slot.state;
  }

  // The enthalpy alone, kJ/kg: the same value as State(kind, T, P).h. A session that has asked
  // for nothing but the enthalpy of fluid states (a column, a search) evaluates gamma_tau alone;
  // once it has asked for more, every state is evaluated in full at once, so that the items of a
  // state share one evaluation.
  double Enthalpy(StateKind kind, double T, double P) {
    if (kind != StateKind::kFluid || fluidInFull_) return State(kind, T, P).h;
    const Slot& slot = SlotOf(kind);
    if (Holds(slot, T, P)) return slot.state.h;
    return formulation_.enthalpy(kind, T, P / kKPaPerMPa);
  }

 private:
  struct Slot {
    bool filled = false;
    double T = 0, P = 0;
    WaterState state;
  };
  Slot& SlotOf(StateKind kind) { return slots_[static_cast<std::size_t>(kind)]; }
  static bool Holds(const Slot& slot, double T, double P) {
    return slot.filled && slot.T == T && slot.P == P;
  }

  const iapws::Formulation& formulation_;
  std::array<Slot, 5> slots_;
  bool fluidInFull_ = false;
};

// How a phase code is evaluated; wet steam mixes the two saturated kinds.
std::optional<StateKind> KindOf(Phase phase) {
  switch (phase) {
    case kSatSolid:
      return StateKind::kSaturatedSolid;
    case kSatLiquid:
      return StateKind::kSaturatedLiquid;
    case kSatVapour:
      return StateKind::kSaturatedVapour;
    case kSubCooledSolid:
      return StateKind::kIce;
    case kSubCooledLiquid:
    case kSuperheated:
    case kSuperCritical:
      return StateKind::kFluid;
    default:
      return std::nullopt;
  }
}

class StateItemCalc final : public PropertyCalculator {
 public:
  StateItemCalc(IapwsTable& table, CalcContext& ctx, const StateItem& entry)
      : PropertyCalculator(table, ctx, entry.item, CacheKey::kAll), table_(table), entry_(entry) {}

 private:
  CalcResult Evaluate(Phase phase, long double T, long double P) override {
    if (!Gives(entry_.phases, phase)) return CalcResult::NotGiven();
    const double t = static_cast<double>(T), p = static_cast<double>(P);
    if (phase == kWetSteam) return Wet(t);
    if (GetItem() == Item::kEnthalpy) return FromNumber(table_.Enthalpy(*KindOf(phase), t, p));
    return FromNumber(entry_.value(table_.State(*KindOf(phase), t, p, entry_.extra)));
  }

  // Mixed by mass at the steam quality; the density through the specific volume.
  CalcResult Wet(double T) {
    const double x = ctx_.steamQuality / 100.0;
    const WaterState& liquid = table_.State(StateKind::kSaturatedLiquid, T, 0.0);
    const WaterState& vapour = table_.State(StateKind::kSaturatedVapour, T, 0.0);
    if (GetItem() == Item::kDensity) return FromNumber(1.0 / (x * vapour.v + (1.0 - x) * liquid.v));
    return FromNumber(x * entry_.value(vapour) + (1.0 - x) * entry_.value(liquid));
  }

  IapwsTable& table_;
  const StateItem& entry_;
};

// The items that depend on T alone or P alone, given for every phase code (or the listed ones).
class LineCalc final : public PropertyCalculator {
 public:
  LineCalc(IapwsTable& table, CalcContext& ctx, Item item, CacheKey key)
      : PropertyCalculator(table, ctx, item, key), f_(table.Formulation()) {}

 private:
  CalcResult Evaluate(Phase phase, long double T, long double P) override {
    const double t = static_cast<double>(T), p = static_cast<double>(P) / kKPaPerMPa;
    switch (GetItem()) {
      case Item::kSaturationPressure:
        if (!AtMost(t, iapws::kTc)) return CalcResult::NotGiven();
        return FromNumber(f_.saturationPressureAt(t) * kKPaPerMPa);
      case Item::kSaturationTemperature:
      case Item::kBoilingPoint:
        if (!AtMost(p, iapws::kPc)) return CalcResult::NotGiven();
        return FromNumber(f_.saturationTemperatureAt(p));
      case Item::kMeltingPoint:
        if (!Gives(Phases({kSatSolid, kSatLiquid, kSubCooledSolid, kSubCooledLiquid}), phase))
          return CalcResult::NotGiven();
        return FromNumber(f_.meltingTemperatureAt(p));
      case Item::kVaporisationEnthalpy:
        // Below the triple point the enthalpy of sublimation.
        if (phase == kSatSolid) return FromNumber(f_.sublimationEnthalpy(t));
        if (phase == kSatLiquid) return FromNumber(f_.vaporisationEnthalpy(t));
        return CalcResult::NotGiven();
      default:
        return CalcResult::NotGiven();
    }
  }

  const iapws::Formulation& f_;
};

// ---- The set ---------------------------------------------------------------------------------

// The band around the saturation temperature through which the diagrams and the steam search
// find saturated states, as in the built-in standard. A state given by T and P has the phase of
// its side of the line all the same (BandStatesAreSaturated): IF97 gives it one.
constexpr long double kSaturationBand = 0.1L;  // K

// The full grids: the built-in standard's rows, then the quantities only this standard gives.
// The short grids and the wet-steam grid are the built-in standard's.
namespace rows {
using enum Item;
constexpr Item kSolidFull[] = {kEnthalpy,        kEntropy,          kInternalEnergy,       kDensity,
                               kSaturationPressure, kHeatCapacity, kThermalConductivity, kThermalExpansion,
                               kMeltingPoint,    kSpeedOfSound,     kIsochoricHeatCapacity, kSpecificVolume};
constexpr Item kLiquidFull[] = {kEnthalpy,        kEntropy,          kInternalEnergy,
                                kDensity,         kSaturationPressure, kViscosity,
                                kHeatCapacity,    kThermalConductivity, kSurfaceTension,
                                kThermalExpansion, kIsothermalCompressibility, kDielectricConstant,
                                kRefractiveIndex, kMeltingPoint,     kBoilingPoint,
                                kSpeedOfSound,    kIsochoricHeatCapacity, kSpecificVolume,
                                kKinematicViscosity, kPrandtlNumber, kJouleThomson};
constexpr Item kVapourFull[] = {kEnthalpy,        kEntropy,           kInternalEnergy,    kDensity,
                                kSaturationPressure, kViscosity,      kHeatCapacity,      kThermalConductivity,
                                kIsentropicCoefficient, kCompressibilityFactor, kBoilingPoint, kSpeedOfSound,
                                kIsochoricHeatCapacity, kSpecificVolume, kKinematicViscosity, kPrandtlNumber,
                                kJouleThomson};
constexpr Item kSolidVapourFull[] = {kEnthalpy,         kEntropy,       kInternalEnergy,
                                     kDensity,          kVaporisationEnthalpy, kViscosity,
                                     kHeatCapacity,     kThermalConductivity, kThermalExpansion,
                                     kIsentropicCoefficient, kCompressibilityFactor, kMeltingPoint,
                                     kSpeedOfSound,     kIsochoricHeatCapacity, kSpecificVolume};
constexpr Item kLiquidVapourFull[] = {kEnthalpy,        kEntropy,          kInternalEnergy,
                                      kDensity,         kVaporisationEnthalpy, kViscosity,
                                      kHeatCapacity,    kThermalConductivity, kSurfaceTension,
                                      kThermalExpansion, kIsothermalCompressibility, kIsentropicCoefficient,
                                      kCompressibilityFactor, kDielectricConstant, kRefractiveIndex,
                                      kMeltingPoint,    kSpeedOfSound,     kIsochoricHeatCapacity,
                                      kSpecificVolume,  kKinematicViscosity, kPrandtlNumber,
                                      kJouleThomson};
}  // namespace rows

constexpr GridRows kFullRows{rows::kSolidFull, rows::kSolidVapourFull, rows::kLiquidFull,
                             rows::kLiquidVapourFull, rows::kVapourFull};

// Normal pressure, MPa, for the normal melting and boiling points.
constexpr double kNormalPressure = 0.101325;

class IapwsSet final : public CorrelationSet {
 public:
  explicit IapwsSet(const iapws::Formulation& formulation) : CorrelationSet(false), f_(formulation) {}

  const iapws::Formulation& Formulation() const { return f_; }

  std::string Name() const override { return std::string(f_.name); }

  std::unique_ptr<CalculatorTable> MakeCalculators(CalcContext& ctx) const override {
    auto table = std::make_unique<IapwsTable>(*this, ctx, f_);
    for (const StateItem& entry : kStateItems) table->Add(std::make_unique<StateItemCalc>(*table, ctx, entry));
    const std::pair<Item, CacheKey> lines[] = {
        {Item::kSaturationPressure, CacheKey::kTemperature},
        {Item::kSaturationTemperature, CacheKey::kPressure},
        {Item::kBoilingPoint, CacheKey::kPressure},
        {Item::kMeltingPoint, CacheKey::kAll},
        {Item::kVaporisationEnthalpy, CacheKey::kTemperatureAndPhase},
    };
    for (auto [item, key] : lines) table->Add(std::make_unique<LineCalc>(*table, ctx, item, key));
    return table;
  }

  CriticalPoint Critical() const override { return {iapws::kTc, iapws::kPc * kKPaPerMPa}; }
  long double SaturationBand() const override { return kSaturationBand; }
  bool BandStatesAreSaturated() const override { return false; }
  // Below the triple-point pressure a state colder than the sublimation line is ice.
  long double MeltingTemperature(long double P) const override {
    const double p = static_cast<double>(P) / kKPaPerMPa;
    const double t = f_.meltingTemperatureAt(p);
    return std::isfinite(t) ? t : iapws::kTt;
  }
  long double HighestMeltingTemperature() const override { return f_.highestMeltingTemperature; }
  long double SublimationTop() const override { return iapws::kTt; }

  InputRange InputLimits(Quantity quantity) const override {
    if (quantity == kTemperature) return {kLowestTemperature, f_.highestTemperature, iapws::kTc};
    return {LowestPressure(), HighestPressure(), iapws::kPc * kKPaPerMPa};
  }
  SearchRanges Search() const override {
    return {iapws::kTt, iapws::kTt, f_.highestTemperature, LowestPressure(), HighestPressure()};
  }
  // Along an isotherm up to the ice of high pressure, along an isobar from the melting curve when
  // it lies above the triple point (IAPWS-95 above 632.4 MPa; never in IF97's range).
  SearchRanges SearchAlong(Quantity given, long double value) const override {
    SearchRanges r = Search();
    if (given == kTemperature) {
      const double highest = f_.highestPressureAt(static_cast<double>(value)) * kKPaPerMPa;
      r.highPressure = std::min(r.highPressure, static_cast<long double>(highest));
    } else {
      const long double lowest = f_.lowestTemperatureAt(static_cast<double>(value) / kKPaPerMPa);
      r.lowTemperature = std::max(r.lowTemperature, lowest);
      r.liquidTemperature = std::max(r.liquidTemperature, lowest);
    }
    return r;
  }

  double FixedValue(Item item) const override;
  const GridLayout& Layout() const override {
    // The built-in standard's short and wet-steam rows with this standard's full rows.
    static const GridLayout layout = BuiltInCorrelations().Layout().WithFullRows(kFullRows);
    return layout;
  }

 private:
  // The whole range of the releases: the sublimation curve from 50 K, the fluid to the
  // formulation's highest temperature and pressure (IF97: 2273.15 K and 100 MPa, above 50 MPa only
  // to 1073.15 K; states beyond show "Out of Range").
  static constexpr long double kLowestTemperature = iapws::kSublimationTMin;  // K
  long double HighestPressure() const { return static_cast<long double>(f_.highestPressure) * kKPaPerMPa; }
  // Computed once: every value's limit check asks for it.
  static long double LowestPressure() {
    static const long double lowest = iapws::SublimationPressure(iapws::kSublimationTMin) * kKPaPerMPa;
    return lowest;
  }

  const iapws::Formulation& f_;
};

double IapwsSet::FixedValue(Item item) const {
  using enum Item;
  switch (item) {
    case kMolecularWeight:
      return 18.015268;  // kg/kmol, IAPWS R6-95 (2018)
    case kNormalMeltingPoint:
      return f_.meltingTemperatureAt(kNormalPressure);
    case kNormalBoilingPoint:
      return f_.saturationTemperatureAt(kNormalPressure);
    case kCriticalTemperature:
      return iapws::kTc;
    case kCriticalPressure:
      return iapws::kPc * kKPaPerMPa;
    case kCriticalDensity:
      return iapws::kRhoc;
    case kCriticalCompressibility:
      return iapws::kPc * kKPaPerMPa / (iapws::kRhoc * f_.gasConstant * iapws::kTc);
    case kAcentricFactor:  // -log10(psat(0.7 Tc)/pc) - 1, by its definition
      return -std::log10(f_.saturationPressureAt(0.7 * iapws::kTc) / iapws::kPc) - 1.0;
    case kTriplePointTemperature:
      return iapws::kTt;
    case kTriplePointPressure:
      return iapws::kPt * kKPaPerMPa;
    case kEnthalpyOfFusion: {  // liquid minus ice at the normal melting point
      const double t = f_.meltingTemperatureAt(kNormalPressure);
      return f_.evaluate(StateKind::kFluid, t, kNormalPressure).h - f_.evaluate(StateKind::kIce, t, kNormalPressure).h;
    }
    default:
      // No IAPWS release gives the rest (formation energies, dipole moment, the refractive index
      // of ice): the built-in standard's values.
      return BuiltInCorrelations().FixedValue(item);
  }
}

}  // namespace

WaterField IapwsFluidField(Item item) {
  for (const StateItem& entry : kStateItems)
    if (entry.item == item && entry.extra == Extra::kNone && (entry.phases & kFluid) == kFluid)
      return entry.value;
  return nullptr;
}

const CorrelationSet& IapwsCorrelations() {
  static const IapwsSet set(iapws::IF97Formulation());
  return set;
}

const CorrelationSet& Iapws95Correlations() {
  static const IapwsSet set(iapws::Iapws95Formulation());
  return set;
}

const iapws::Formulation* FormulationOf(const CorrelationSet& set) {
  const auto* iapws = dynamic_cast<const IapwsSet*>(&set);
  return iapws ? &iapws->Formulation() : nullptr;
}

}  // namespace tulo
