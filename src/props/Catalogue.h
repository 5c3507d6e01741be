#pragma once
// The property catalogue: the fixed properties, the variable properties (the rows of the result
// grids) and the two given quantities of the steam search. The codes are data: the configuration
// file stores the steam search's items by them, and tulo-calc takes them as arguments.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "units/Units.h"

namespace tulo {

enum class Item : std::uint8_t {
  // Fixed properties.
  kMolecularWeight = 0,
  kNormalMeltingPoint = 1,
  kNormalBoilingPoint = 2,
  kCriticalTemperature = 3,
  kCriticalPressure = 4,
  kCriticalDensity = 5,
  kCriticalCompressibility = 6,
  kEnthalpyOfFormation = 7,
  kGibbsEnergyOfFormation = 8,
  kAcentricFactor = 9,
  kDipoleMoment = 10,
  kTriplePointTemperature = 11,
  kTriplePointPressure = 12,
  kEnthalpyOfFusion = 13,
  kIceRefractiveIndex = 14,
  // Variable properties.
  kEnthalpy = 15,
  kEntropy = 16,
  kInternalEnergy = 17,
  kDensity = 18,
  kVaporisationEnthalpy = 19,
  kSaturationPressure = 20,
  kViscosity = 21,
  kHeatCapacity = 22,
  kThermalConductivity = 23,
  kSurfaceTension = 24,
  kThermalExpansion = 25,
  kIsothermalCompressibility = 26,
  kIsentropicCoefficient = 27,
  kCompressibilityFactor = 28,
  kDielectricConstant = 29,
  kRefractiveIndex = 30,
  kMeltingPoint = 31,
  kBoilingPoint = 32,
  kSaturationTemperature = 33,
  // The given quantities of the steam search.
  kTemperature = 34,
  kPressure = 35,
  // Variable properties that only the IAPWS standard gives (appended: the codes above are data).
  kSpeedOfSound = 36,
  kIsochoricHeatCapacity = 37,
  kSpecificVolume = 38,
  kKinematicViscosity = 39,
  kPrandtlNumber = 40,
  kJouleThomson = 41,
};

constexpr int kItemCount = 42;

constexpr int ItemCode(Item item) {
  return static_cast<int>(item);
}

// The item of a code, as stored or typed; nothing outside the catalogue.
constexpr std::optional<Item> ItemFromCode(int code) {
  if (code < 0 || code >= kItemCount) return std::nullopt;
  return static_cast<Item>(code);
}

// The fixed properties and the variable properties, each in catalogue order.
std::span<const Item> FixedItems();
std::span<const Item> VariableItems();
bool IsVariableItem(Item item);

// Display name, at most 30 characters; empty for a code outside the catalogue.
std::string PropName(Item item);
// The name scripts give an item (tulo-calc batch --items, the Python module, the range tables):
// lower case, words joined by underscores ("enthalpy", "internal_energy", "joule_thomson"); every
// catalogue item has one. Empty for a code outside the catalogue.
std::string ItemKey(Item item);
// The item a script names: its key or one of the usual symbols (h, s, u, rho, v, cp, cv, mu, nu,
// lambda, sigma, w, pr, z, psat, tsat), letters in any case and '-' for '_' ("Enthalpy",
// "speed-of-sound"), or its catalogue code in decimal ("15"); blanks around it are ignored.
// Nothing for any other text. Which items fit is the caller's matter (IsVariableItem).
std::optional<Item> ItemFromKey(std::string_view text);
// The quantity selecting the units of the item; dimensionless outside the catalogue.
Quantity PropQuantity(Item item);

}  // namespace tulo
