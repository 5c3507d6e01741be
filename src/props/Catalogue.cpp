#include "props/Catalogue.h"

#include <algorithm>

#include "common/Real6.h"

namespace tulo {
namespace {

struct Entry {
  const char* name;
  Quantity quantity;
  long double fixedValue;  // internal units; fixed properties only
};

// Indexed by item code.
constexpr Entry kEntries[kItemCount] = {
    {"Molecular Weight", kDimensionless, 18.015L},
    {"Normal Melting Point", kTemperature, 273.15L},
    {"Normal Boiling Point", kTemperature, 373.15L},
    {"Critical Temperature", kTemperature, 647.29L},
    {"Critical Pressure", kPressure, 22090.0L},
    {"Critical Density / Volume", kDensity, 315.45L},
    {"Critical Compress. Factor \"Z\"", kDimensionless, 0.2344L},
    {"Standard Enthalpy of Formation", kEnthalpyQ, -13420.0L},
    {"Std Gibbs Energy of Formation", kEnthalpyQ, -12690.0L},
    {"Pitzers Acentric Factor", kDimensionless, 0.344L},
    {"Dipole Moment", kDipoleMoment, 1.8L},
    {"Triple Point Temperature", kTemperature, 273.16L},
    {"Triple Point Pressure", kPressure, 0.6113L},
    {"Enthalpy of Fusion at NMP", kEnthalpyQ, 333.4L},
    {"Refractive Index of Ice at NMP", kDimensionless, 1.309L},
    {"Enthalpy", kEnthalpyQ, 0},
    {"Entropy", kEntropyQ, 0},
    {"Internal Energy", kEnthalpyQ, 0},
    {"Density / Volume", kDensity, 0},
    {"Enthalpy of Vapourisation", kEnthalpyQ, 0},
    {"Saturation Pressure", kPressure, 0},
    {"Viscosity", kViscosityQ, 0},
    {"Heat Capacity @ Const Press", kHeatCapacityQ, 0},
    {"Thermal Conductivity", kConductivityQ, 0},
    {"Surface Tension", kSurfaceTensionQ, 0},
    {"Thermal Expansion Coefficient", kExpansionQ, 0},
    {"Isothermal Compressibility", kCompressibilityQ, 0},
    {"Isentropic Expansion Coeff", kDimensionless, 0},
    {"Compressibility Factor \"Z\"", kDimensionless, 0},
    {"Dielectric Constant", kDimensionless, 0},
    {"Refractive Index", kDimensionless, 0},
    {"Melting Point (@ pressure)", kTemperature, 0},
    {"Boiling Point (@ pressure)", kTemperature, 0},
    {"Saturation Temperature", kTemperature, 0},
    {"Temperature", kTemperature, 0},
    {"Pressure", kPressure, 0},
};

constexpr Item kFixedItems[] = {
    Item::kMolecularWeight,         Item::kNormalMeltingPoint,  Item::kNormalBoilingPoint,
    Item::kCriticalTemperature,     Item::kCriticalPressure,    Item::kCriticalDensity,
    Item::kCriticalCompressibility, Item::kEnthalpyOfFormation, Item::kGibbsEnergyOfFormation,
    Item::kAcentricFactor,          Item::kDipoleMoment,        Item::kTriplePointTemperature,
    Item::kTriplePointPressure,     Item::kEnthalpyOfFusion,    Item::kIceRefractiveIndex,
};

constexpr Item kVariableItems[] = {
    Item::kEnthalpy,
    Item::kEntropy,
    Item::kInternalEnergy,
    Item::kDensity,
    Item::kVaporisationEnthalpy,
    Item::kSaturationPressure,
    Item::kViscosity,
    Item::kHeatCapacity,
    Item::kThermalConductivity,
    Item::kSurfaceTension,
    Item::kThermalExpansion,
    Item::kIsothermalCompressibility,
    Item::kIsentropicCoefficient,
    Item::kCompressibilityFactor,
    Item::kDielectricConstant,
    Item::kRefractiveIndex,
    Item::kMeltingPoint,
    Item::kBoilingPoint,
    Item::kSaturationTemperature,
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

const Entry* EntryOf(Item item) {
  int code = ItemCode(item);
  return code >= 0 && code < kItemCount ? &kEntries[code] : nullptr;
}

}  // namespace

std::span<const Item> FixedItems() {
  return kFixedItems;
}

std::span<const Item> VariableItems() {
  return kVariableItems;
}

bool IsVariableItem(Item item) {
  return std::find(std::begin(kVariableItems), std::end(kVariableItems), item) != std::end(kVariableItems);
}

std::string PropName(Item item) {
  const Entry* e = EntryOf(item);
  return e != nullptr ? e->name : "";
}

Quantity PropQuantity(Item item) {
  const Entry* e = EntryOf(item);
  return e != nullptr ? e->quantity : kDimensionless;
}

double FixPropValue(Item item) {
  if (std::find(std::begin(kFixedItems), std::end(kFixedItems), item) == std::end(kFixedItems)) return 0.0;
  return Real6::From(EntryOf(item)->fixedValue)->Value();
}

std::span<const Item> RowSet(Condition condition, bool full) {
  switch (condition) {
    case Condition::kSubCooledSolid:
      return full ? std::span<const Item>(rows::kSolidFull) : rows::kSolidShort;
    case Condition::kSatSolidVapour:
      return full ? std::span<const Item>(rows::kSolidVapourFull) : rows::kSolidVapourShort;
    case Condition::kSubCooledLiquid:
      return full ? std::span<const Item>(rows::kLiquidFull) : rows::kLiquidShort;
    case Condition::kSatLiquidVapour:
      return full ? std::span<const Item>(rows::kLiquidVapourFull) : rows::kLiquidVapourShort;
    case Condition::kSuperheated:
    case Condition::kSuperCritical:
      return full ? std::span<const Item>(rows::kVapourFull) : rows::kVapourShort;
    case Condition::kNone:
      break;
  }
  return {};
}

std::span<const Item> WetRowSet() {
  return rows::kLiquidVapourShort;
}

}  // namespace tulo
