#pragma once
// The overall unit systems offered by the units dialog and the command line.

#include <optional>
#include <string_view>

#include "units/Units.h"

namespace tulo {

enum class UnitPreset { kSI, kImperial, kCustomary, kEuropean };

UnitSelection PresetSelection(UnitPreset preset);

// "SI", "Imperial", "Customary" or "European" (any case), or twelve unit numbers "U0,...,U11"
// each within its quantity's count. nullopt for anything else.
std::optional<UnitSelection> ParseUnitsArgument(std::string_view text);

}  // namespace tulo
