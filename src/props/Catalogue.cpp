#include "props/Catalogue.h"

#include <algorithm>
#include <charconv>

namespace tulo {
namespace {

struct Entry {
  const char* name;
  Quantity quantity;
  // Lower case, words joined by underscores: as typed on the command line and in scripts.
  std::string_view key;
};

// Indexed by item code.
constexpr Entry kEntries[kItemCount] = {
    {"Molecular Weight", kDimensionless, "molecular_weight"},
    {"Normal Melting Point", kTemperature, "normal_melting_point"},
    {"Normal Boiling Point", kTemperature, "normal_boiling_point"},
    {"Critical Temperature", kTemperature, "critical_temperature"},
    {"Critical Pressure", kPressure, "critical_pressure"},
    {"Critical Density / Volume", kDensity, "critical_density"},
    {"Critical Compress. Factor \"Z\"", kDimensionless, "critical_compressibility"},
    {"Standard Enthalpy of Formation", kEnthalpyQ, "enthalpy_of_formation"},
    {"Std Gibbs Energy of Formation", kEnthalpyQ, "gibbs_energy_of_formation"},
    {"Pitzers Acentric Factor", kDimensionless, "acentric_factor"},
    {"Dipole Moment", kDipoleMoment, "dipole_moment"},
    {"Triple Point Temperature", kTemperature, "triple_point_temperature"},
    {"Triple Point Pressure", kPressure, "triple_point_pressure"},
    {"Enthalpy of Fusion at NMP", kEnthalpyQ, "enthalpy_of_fusion"},
    {"Refractive Index of Ice at NMP", kDimensionless, "ice_refractive_index"},
    {"Enthalpy", kEnthalpyQ, "enthalpy"},
    {"Entropy", kEntropyQ, "entropy"},
    {"Internal Energy", kEnthalpyQ, "internal_energy"},
    {"Density / Volume", kDensity, "density"},
    {"Enthalpy of Vapourisation", kEnthalpyQ, "vaporisation_enthalpy"},
    {"Saturation Pressure", kPressure, "saturation_pressure"},
    {"Viscosity", kViscosityQ, "viscosity"},
    {"Heat Capacity @ Const Press", kHeatCapacityQ, "heat_capacity"},
    {"Thermal Conductivity", kConductivityQ, "thermal_conductivity"},
    {"Surface Tension", kSurfaceTensionQ, "surface_tension"},
    {"Thermal Expansion Coefficient", kExpansionQ, "thermal_expansion"},
    {"Isothermal Compressibility", kCompressibilityQ, "isothermal_compressibility"},
    {"Isentropic Expansion Coeff", kDimensionless, "isentropic_coefficient"},
    {"Compressibility Factor \"Z\"", kDimensionless, "compressibility_factor"},
    {"Dielectric Constant", kDimensionless, "dielectric_constant"},
    {"Refractive Index", kDimensionless, "refractive_index"},
    {"Melting Point (@ pressure)", kTemperature, "melting_point"},
    {"Boiling Point (@ pressure)", kTemperature, "boiling_point"},
    {"Saturation Temperature", kTemperature, "saturation_temperature"},
    {"Temperature", kTemperature, "temperature"},
    {"Pressure", kPressure, "pressure"},
    {"Speed of Sound", kSpeedQ, "speed_of_sound"},
    {"Heat Capacity @ Const Volume", kHeatCapacityQ, "isochoric_heat_capacity"},
    {"Specific Volume", kSpecificVolumeQ, "specific_volume"},
    {"Kinematic Viscosity", kKinematicViscosityQ, "kinematic_viscosity"},
    {"Prandtl Number", kDimensionless, "prandtl_number"},
    {"Joule-Thomson Coefficient", kJouleThomsonQ, "joule_thomson"},
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

// A typed key against a stored one: letters in any case, '-' for '_'.
bool SameKey(std::string_view typed, std::string_view key) {
  if (typed.size() != key.size()) return false;
  for (std::size_t i = 0; i < key.size(); ++i) {
    char c = typed[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c == '-') c = '_';
    if (c != key[i]) return false;
  }
  return true;
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

std::string ItemKey(Item item) {
  const Entry* e = EntryOf(item);
  return e != nullptr ? std::string(e->key) : std::string();
}

std::optional<Item> ItemFromKey(std::string_view text) {
  if (!text.empty() && text.size() <= 2 &&
      std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    int code = 0;
    std::from_chars(text.data(), text.data() + text.size(), code);
    return ItemFromCode(code);
  }
  for (int code = 0; code < kItemCount; ++code)
    if (SameKey(text, kEntries[code].key)) return static_cast<Item>(code);
  return std::nullopt;
}

Quantity PropQuantity(Item item) {
  const Entry* e = EntryOf(item);
  return e != nullptr ? e->quantity : kDimensionless;
}

}  // namespace tulo
