#include "units/Presets.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace tulo {

UnitSelection PresetSelection(UnitPreset preset) {
  // Unit numbers by quantity code: T, P, density, enthalpy, entropy, dipole, viscosity,
  // heat capacity, conductivity, surface tension, expansion, compressibility.
  switch (preset) {
    case UnitPreset::kSI:
      return {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    case UnitPreset::kImperial:
      return {3, 11, 4, 2, 2, 1, 4, 2, 3, 3, 2, 2};
    case UnitPreset::kCustomary:
      return {3, 11, 4, 2, 2, 1, 2, 2, 3, 2, 2, 2};
    case UnitPreset::kEuropean:
      return {2, 2, 1, 5, 5, 1, 3, 5, 5, 2, 4, 3};
  }
  return {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
}

std::optional<UnitSelection> ParseUnitsArgument(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  if (lower == "si") return PresetSelection(UnitPreset::kSI);
  if (lower == "imperial") return PresetSelection(UnitPreset::kImperial);
  if (lower == "customary") return PresetSelection(UnitPreset::kCustomary);
  if (lower == "european") return PresetSelection(UnitPreset::kEuropean);
  UnitSelection selection{};
  std::size_t pos = 0;
  for (int q = 0; q < kQuantityCount; ++q) {
    std::size_t end = text.find(',', pos);
    if (q < kQuantityCount - 1 && end == std::string_view::npos) return std::nullopt;
    if (q == kQuantityCount - 1) end = text.size();
    std::string_view field = text.substr(pos, end - pos);
    if (field.empty() || field.size() > 2) return std::nullopt;
    int n = 0;
    for (char c : field) {
      if (c < '0' || c > '9') return std::nullopt;
      n = n * 10 + (c - '0');
    }
    if (n < 1 || n > UnitCount(q)) return std::nullopt;
    selection[q] = static_cast<std::uint8_t>(n);
    pos = end + 1;
  }
  return selection;
}

}  // namespace tulo
