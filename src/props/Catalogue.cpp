#include "props/Catalogue.h"

#include <algorithm>

namespace tulo {
namespace {

struct Entry {
  const char* name;
  Quantity quantity;
};

// Indexed by item code.
constexpr Entry kEntries[kItemCount] = {
    {"Molecular Weight", kDimensionless},
    {"Normal Melting Point", kTemperature},
    {"Normal Boiling Point", kTemperature},
    {"Critical Temperature", kTemperature},
    {"Critical Pressure", kPressure},
    {"Critical Density / Volume", kDensity},
    {"Critical Compress. Factor \"Z\"", kDimensionless},
    {"Standard Enthalpy of Formation", kEnthalpyQ},
    {"Std Gibbs Energy of Formation", kEnthalpyQ},
    {"Pitzers Acentric Factor", kDimensionless},
    {"Dipole Moment", kDipoleMoment},
    {"Triple Point Temperature", kTemperature},
    {"Triple Point Pressure", kPressure},
    {"Enthalpy of Fusion at NMP", kEnthalpyQ},
    {"Refractive Index of Ice at NMP", kDimensionless},
    {"Enthalpy", kEnthalpyQ},
    {"Entropy", kEntropyQ},
    {"Internal Energy", kEnthalpyQ},
    {"Density / Volume", kDensity},
    {"Enthalpy of Vapourisation", kEnthalpyQ},
    {"Saturation Pressure", kPressure},
    {"Viscosity", kViscosityQ},
    {"Heat Capacity @ Const Press", kHeatCapacityQ},
    {"Thermal Conductivity", kConductivityQ},
    {"Surface Tension", kSurfaceTensionQ},
    {"Thermal Expansion Coefficient", kExpansionQ},
    {"Isothermal Compressibility", kCompressibilityQ},
    {"Isentropic Expansion Coeff", kDimensionless},
    {"Compressibility Factor \"Z\"", kDimensionless},
    {"Dielectric Constant", kDimensionless},
    {"Refractive Index", kDimensionless},
    {"Melting Point (@ pressure)", kTemperature},
    {"Boiling Point (@ pressure)", kTemperature},
    {"Saturation Temperature", kTemperature},
    {"Temperature", kTemperature},
    {"Pressure", kPressure},
    {"Speed of Sound", kSpeedQ},
    {"Heat Capacity @ Const Volume", kHeatCapacityQ},
    {"Specific Volume", kSpecificVolumeQ},
    {"Kinematic Viscosity", kKinematicViscosityQ},
    {"Prandtl Number", kDimensionless},
    {"Joule-Thomson Coefficient", kJouleThomsonQ},
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
    Item::kSpeedOfSound,
    Item::kIsochoricHeatCapacity,
    Item::kSpecificVolume,
    Item::kKinematicViscosity,
    Item::kPrandtlNumber,
    Item::kJouleThomson,
};

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

}  // namespace tulo
