#include "props/BuiltInSet.h"

#include "common/Real6.h"
#include "props/Calculators.h"
#include "props/WaterConstants.h"

namespace tulo {
namespace {

// Creation order: the saturation pressure and temperature first, then the other variable items
// in catalogue order.
constexpr CalculatorFactory kFactories[] = {
    MakeSatPressureCalc,
    MakeSatTemperatureCalc,
    MakeEnthalpyCalc,
    MakeEntropyCalc,
    MakeInternalEnergyCalc,
    MakeDensityCalc,
    MakeVaporisationEnthalpyCalc,
    MakeViscosityCalc,
    MakeHeatCapacityCalc,
    MakeThermalConductivityCalc,
    MakeSurfaceTensionCalc,
    MakeThermalExpansionCalc,
    MakeIsothermalCompressibilityCalc,
    MakeIsentropicCoeffCalc,
    MakeCompressibilityFactorCalc,
    MakeDielectricConstantCalc,
    MakeRefractiveIndexCalc,
    MakeMeltingPointCalc,
    MakeBoilingPointCalc,
};

// Fixed properties in internal units; shown as their nearest Real6.
struct FixedProperty {
  Item item;
  long double value;
};
constexpr FixedProperty kFixedValues[] = {
    {Item::kMolecularWeight, 18.015L},
    {Item::kNormalMeltingPoint, 273.15L},
    {Item::kNormalBoilingPoint, 373.15L},
    {Item::kCriticalTemperature, 647.29L},
    {Item::kCriticalPressure, 22090.0L},
    {Item::kCriticalDensity, 315.45L},
    {Item::kCriticalCompressibility, 0.2344L},
    {Item::kEnthalpyOfFormation, -13420.0L},
    {Item::kGibbsEnergyOfFormation, -12690.0L},
    {Item::kAcentricFactor, 0.344L},
    {Item::kDipoleMoment, 1.8L},
    {Item::kTriplePointTemperature, 273.16L},
    {Item::kTriplePointPressure, 0.6113L},
    {Item::kEnthalpyOfFusion, 333.4L},
    {Item::kIceRefractiveIndex, 1.309L},
};

// The row sets, in catalogue order.
namespace rows {
using enum Item;
constexpr Item kSolidFull[] = {kEnthalpy,           kEntropy,      kInternalEnergy,      kDensity,
                               kSaturationPressure, kHeatCapacity, kThermalConductivity, kThermalExpansion,
                               kMeltingPoint};
constexpr Item kSolidShort[] = {kEnthalpy, kEntropy, kDensity, kSaturationPressure, kHeatCapacity};
constexpr Item kLiquidFull[] = {kEnthalpy,
                                kEntropy,
                                kInternalEnergy,
                                kDensity,
                                kSaturationPressure,
                                kViscosity,
                                kHeatCapacity,
                                kThermalConductivity,
                                kSurfaceTension,
                                kThermalExpansion,
                                kIsothermalCompressibility,
                                kDielectricConstant,
                                kRefractiveIndex,
                                kMeltingPoint,
                                kBoilingPoint};
constexpr Item kLiquidShort[] = {kEnthalpy,  kEntropy,      kDensity,     kSaturationPressure,
                                 kViscosity, kHeatCapacity, kBoilingPoint};
constexpr Item kVapourFull[] = {kEnthalpy,
                                kEntropy,
                                kInternalEnergy,
                                kDensity,
                                kSaturationPressure,
                                kViscosity,
                                kHeatCapacity,
                                kThermalConductivity,
                                kIsentropicCoefficient,
                                kCompressibilityFactor,
                                kBoilingPoint};
constexpr Item kVapourShort[] = {kEnthalpy,  kEntropy,      kDensity,     kSaturationPressure,
                                 kViscosity, kHeatCapacity, kBoilingPoint};
constexpr Item kSolidVapourFull[] = {kEnthalpy,
                                     kEntropy,
                                     kInternalEnergy,
                                     kDensity,
                                     kVaporisationEnthalpy,
                                     kViscosity,
                                     kHeatCapacity,
                                     kThermalConductivity,
                                     kThermalExpansion,
                                     kIsentropicCoefficient,
                                     kCompressibilityFactor,
                                     kMeltingPoint};
constexpr Item kSolidVapourShort[] = {kEnthalpy,  kEntropy,     kDensity, kVaporisationEnthalpy,
                                      kViscosity, kHeatCapacity};
constexpr Item kLiquidVapourFull[] = {kEnthalpy,
                                      kEntropy,
                                      kInternalEnergy,
                                      kDensity,
                                      kVaporisationEnthalpy,
                                      kViscosity,
                                      kHeatCapacity,
                                      kThermalConductivity,
                                      kSurfaceTension,
                                      kThermalExpansion,
                                      kIsothermalCompressibility,
                                      kIsentropicCoefficient,
                                      kCompressibilityFactor,
                                      kDielectricConstant,
                                      kRefractiveIndex,
                                      kMeltingPoint};
constexpr Item kLiquidVapourShort[] = {kEnthalpy,  kEntropy,     kDensity, kVaporisationEnthalpy,
                                       kViscosity, kHeatCapacity};
}  // namespace rows

constexpr GridRows kFullRows{rows::kSolidFull, rows::kSolidVapourFull, rows::kLiquidFull,
                             rows::kLiquidVapourFull, rows::kVapourFull};
constexpr GridRows kShortRows{rows::kSolidShort, rows::kSolidVapourShort, rows::kLiquidShort,
                              rows::kLiquidVapourShort, rows::kVapourShort};
// The wet-steam grid lists the short rows of saturated liquid and vapour.
constexpr GridLayout kLayout{kFullRows, kShortRows, rows::kLiquidVapourShort};

// Compared with stored values, so held as Real6.
const long double kSaturationBand = R6(0.1L);  // K either side of Tsat that counts as saturated

// The melting line: 273.152518 K at 101.325 kPa, falling 7.42901e-5 K per kPa above it. Its
// constants are stored values too: a typed 273.152518 K at a typed 101.325 kPa lies on it.
const long double kMeltingAtReference = R6(273.152518L);
const long double kMeltingReferenceP = R6(101.325L);
const long double kMeltingSlope = R6(7.42901e-5L);

// The steam search's liquid side starts just above the melting point.
const long double kSearchLiquidTemperature = R6(273.2L);

// The saturation limits of the input checks are exact decimals, not stored values.
constexpr long double kSaturationTemperatureLimit = 647.29L;  // K
constexpr long double kSaturationPressureLimit = 22090.0L;    // kPa

// The seams of the enthalpy and entropy correlations, in ascending order.
const long double kTemperatureSeams[] = {kEnthalpyVapourSeam, kEntropyVapourSeam};
const long double kPressureSeams[] = {kSuperCriticalSeam};

class BuiltInSet final : public CorrelationSet {
 public:
  BuiltInSet() : CorrelationSet(true) {}

  std::string Name() const override { return "Built-in correlations"; }

  std::unique_ptr<CalculatorTable> MakeCalculators(CalcContext& ctx) const override {
    auto table = std::make_unique<CalculatorTable>(*this, ctx);
    for (CalculatorFactory make : kFactories) table->Add(make(*table, ctx));
    return table;
  }

  CriticalPoint Critical() const override { return {kCriticalTemperature, kCriticalPressure}; }
  long double SaturationBand() const override { return kSaturationBand; }
  long double MeltingTemperature(long double P) const override {
    return kMeltingAtReference - (P - kMeltingReferenceP) * kMeltingSlope;
  }
  long double SublimationTop() const override { return kSublimationTop; }

  InputRange InputLimits(Quantity quantity) const override {
    if (quantity == kTemperature)
      return {kLowestTemperature, kHighestTemperature, kSaturationTemperatureLimit};
    return {kLowestPressure, kHighestPressure, kSaturationPressureLimit};
  }
  InputRange PhaseLimits(Quantity quantity) const override {
    InputRange range = InputLimits(quantity);
    if (quantity == kTemperature) range.highest = kHighestVapourTemperature;
    return range;
  }
  SearchRanges Search() const override {
    return {kSublimationTop, kSearchLiquidTemperature, kHighestTemperature, kLowestPressure,
            kHighestPressure};
  }

  std::span<const long double> TemperatureSeams() const override { return kTemperatureSeams; }
  std::span<const long double> PressureSeams() const override { return kPressureSeams; }

  double FixedValue(Item item) const override {
    for (const FixedProperty& f : kFixedValues)
      if (f.item == item) return Real6::From(f.value)->Value();
    return 0.0;
  }
  const GridLayout& Layout() const override { return kLayout; }
};

}  // namespace

const CorrelationSet& BuiltInCorrelations() {
  static const BuiltInSet kSet;
  return kSet;
}

}  // namespace tulo
