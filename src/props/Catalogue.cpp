#include "props/Catalogue.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace tulo {
namespace {

struct Entry {
  const char* name;
  const char* key;  // ItemKey: lower case, words joined by underscores
  Quantity quantity;
};

// Indexed by item code.
constexpr Entry kEntries[kItemCount] = {
    {"Molecular Weight", "molecular_weight", kDimensionless},
    {"Normal Melting Point", "normal_melting_point", kTemperature},
    {"Normal Boiling Point", "normal_boiling_point", kTemperature},
    {"Critical Temperature", "critical_temperature", kTemperature},
    {"Critical Pressure", "critical_pressure", kPressure},
    {"Critical Density / Volume", "critical_density", kDensity},
    {"Critical Compress. Factor \"Z\"", "critical_compressibility", kDimensionless},
    {"Standard Enthalpy of Formation", "enthalpy_of_formation", kEnthalpyQ},
    {"Std Gibbs Energy of Formation", "gibbs_energy_of_formation", kEnthalpyQ},
    {"Pitzers Acentric Factor", "acentric_factor", kDimensionless},
    {"Dipole Moment", "dipole_moment", kDipoleMoment},
    {"Triple Point Temperature", "triple_point_temperature", kTemperature},
    {"Triple Point Pressure", "triple_point_pressure", kPressure},
    {"Enthalpy of Fusion at NMP", "enthalpy_of_fusion", kEnthalpyQ},
    {"Refractive Index of Ice at NMP", "ice_refractive_index", kDimensionless},
    {"Enthalpy", "enthalpy", kEnthalpyQ},
    {"Entropy", "entropy", kEntropyQ},
    {"Internal Energy", "internal_energy", kEnthalpyQ},
    {"Density / Volume", "density", kDensity},
    {"Enthalpy of Vapourisation", "vaporisation_enthalpy", kEnthalpyQ},
    {"Saturation Pressure", "saturation_pressure", kPressure},
    {"Viscosity", "viscosity", kViscosityQ},
    {"Heat Capacity @ Const Press", "heat_capacity", kHeatCapacityQ},
    {"Thermal Conductivity", "thermal_conductivity", kConductivityQ},
    {"Surface Tension", "surface_tension", kSurfaceTensionQ},
    {"Thermal Expansion Coefficient", "thermal_expansion", kExpansionQ},
    {"Isothermal Compressibility", "isothermal_compressibility", kCompressibilityQ},
    {"Isentropic Expansion Coeff", "isentropic_coefficient", kDimensionless},
    {"Compressibility Factor \"Z\"", "compressibility_factor", kDimensionless},
    {"Dielectric Constant", "dielectric_constant", kDimensionless},
    {"Refractive Index", "refractive_index", kDimensionless},
    {"Melting Point (@ pressure)", "melting_point", kTemperature},
    {"Boiling Point (@ pressure)", "boiling_point", kTemperature},
    {"Saturation Temperature", "saturation_temperature", kTemperature},
    {"Temperature", "temperature", kTemperature},
    {"Pressure", "pressure", kPressure},
    {"Speed of Sound", "speed_of_sound", kSpeedQ},
    {"Heat Capacity @ Const Volume", "isochoric_heat_capacity", kHeatCapacityQ},
    {"Specific Volume", "specific_volume", kSpecificVolumeQ},
    {"Kinematic Viscosity", "kinematic_viscosity", kKinematicViscosityQ},
    {"Prandtl Number", "prandtl_number", kDimensionless},
    {"Joule-Thomson Coefficient", "joule_thomson", kJouleThomsonQ},
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

// The usual symbols, as a second way to name the items scripts ask for most.
struct Symbol {
  std::string_view symbol;
  Item item;
};
constexpr Symbol kSymbols[] = {
    {"h", Item::kEnthalpy},
    {"s", Item::kEntropy},
    {"u", Item::kInternalEnergy},
    {"rho", Item::kDensity},
    {"v", Item::kSpecificVolume},
    {"cp", Item::kHeatCapacity},
    {"cv", Item::kIsochoricHeatCapacity},
    {"mu", Item::kViscosity},
    {"nu", Item::kKinematicViscosity},
    {"lambda", Item::kThermalConductivity},
    {"sigma", Item::kSurfaceTension},
    {"w", Item::kSpeedOfSound},
    {"pr", Item::kPrandtlNumber},
    {"z", Item::kCompressibilityFactor},
    {"psat", Item::kSaturationPressure},
    {"tsat", Item::kSaturationTemperature},
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// A name as the keys and symbols are written: ASCII letters in lower case (not std::tolower, which
// follows the process locale), '_' for '-'.
std::string KeyForm(std::string_view text) {
  std::string key(text);
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c == '-') c = '_';
  }
  return key;
}

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

std::string ItemKey(Item item) {
  const Entry* e = EntryOf(item);
  return e != nullptr ? e->key : "";
}

std::optional<Item> ItemFromKey(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  if (text.front() >= '0' && text.front() <= '9') {
    int code = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), code);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return ItemFromCode(code);
  }
  const std::string key = KeyForm(text);
  for (int code = 0; code < kItemCount; ++code)
    if (key == kEntries[code].key) return static_cast<Item>(code);
  for (const Symbol& s : kSymbols)
    if (key == s.symbol) return s.item;
  return std::nullopt;
}

}  // namespace tulo
