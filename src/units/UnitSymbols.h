#pragma once
// Units named by their symbols, as the header of a plant-historian export writes them in brackets
// ("T [degC]", "P [barg]", "P [bar(a)]"), mapped onto the program's own unit lists.

#include <optional>
#include <string>
#include <string_view>

#include "units/Units.h"

namespace tulo {

// The unit number (1-based, in the list of q) that symbol names, compared without case and
// blanks around it; nothing for a symbol the program does not know. Temperature: K, degC, °C,
// C, degF, °F, F, R, degR, °R and the unit names of the list. Pressure: kPa, MPa, Pa, bar, mbar,
// atm, psi, inH2O, inHg, mmHg, kgf/cm2, lbf/ft2 and the names of the list; absolute, or gauge
// (atmospheric pressure, 101.325 kPa, taken off as the program's gauge units do) with a suffix
// g, (g) or " gauge": barg, psig, bar(g). Enthalpy: kJ/kg, Btu/lb, cal/g, Chu/lb, kcal/kg,
// kJ/kmol. Entropy: those per degree, as kJ/kg.K, kJ/(kg K), kJ/kg K, kJ/kg/K, Btu/lb.F (per kelvin
// or degree Celsius, per degree Fahrenheit or Rankine for Btu), and the names of the lists.
std::optional<int> UnitFromSymbol(Quantity q, std::string_view symbol);

// The symbols UnitFromSymbol reads for q, for a message about one it does not know.
std::string KnownUnitSymbols(Quantity q);

}  // namespace tulo
