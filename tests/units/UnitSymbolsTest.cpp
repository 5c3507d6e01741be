// Units named in the brackets of a column header, mapped onto the program's unit lists.

#include "units/UnitSymbols.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tulo {
namespace {

// Every unit of the temperature and pressure lists is read back from its own name, so that the
// gauge half of the pressure list and MPa, appended later, are where the symbols say.
TEST(UnitSymbols, TheProgramsUnitNamesReadBack) {
  for (Quantity q : {kTemperature, kPressure, kEnthalpyQ, kEntropyQ})
    for (int n = 1; n <= UnitCount(q); ++n)
      EXPECT_EQ(UnitFromSymbol(q, UnitTextOf(q, n)), n) << UnitTextOf(q, n);
}

TEST(UnitSymbols, SymbolsOfHistorianHeaders) {
  const struct {
    Quantity q;
    const char* symbol;
    std::optional<int> unit;
  } cases[] = {
      {kTemperature, "degC", 2},    {kTemperature, "\u00B0C", 2}, {kTemperature, "\260C", 2},
      {kTemperature, " C ", 2},     {kTemperature, "K", 1},       {kTemperature, "\u00B0F", 3},
      {kTemperature, "R", 4},       {kTemperature, "degK", {}},   {kTemperature, "bar", {}},
      {kPressure, "bar", 3},        {kPressure, "bar(a)", 3},     {kPressure, "BARA", 3},
      {kPressure, "barg", 14},      {kPressure, "bar(g)", 14},    {kPressure, "bar g", 14},
      {kPressure, "kPa", 1},        {kPressure, "kPag", 12},      {kPressure, "MPa", 23},
      {kPressure, "MPa(g)", 24},    {kPressure, "psi", 11},       {kPressure, "psia", 11},
      {kPressure, "psig", 22},      {kPressure, "atm", 2},        {kPressure, "mbar", 8},
      {kPressure, "Pa", 10},        {kPressure, "kg/cm2 g", 17},  {kPressure, "mmH2O", {}},
      {kPressure, "barx", {}},      {kPressure, "", {}},          {kPressure, "degC", {}},
      {kDensity, "kg/m3", {}},      {kEnthalpyQ, "kJ/kg", 1},     {kEnthalpyQ, "BTU/lbm", 2},
      {kEnthalpyQ, "kcal/kg", 5},   {kEnthalpyQ, "kJ/kg.K", {}},  {kEntropyQ, "kJ/kg.K", 1},
      {kEntropyQ, "kJ/(kg K)", 1},  {kEntropyQ, "kJ/kg/K", 1},    {kEntropyQ, "kJ/kg K", 1},
      {kEntropyQ, "kJ/kg.degC", 1}, {kEntropyQ, "Btu/lb.F", 2},   {kEntropyQ, "btu/(lb R)", 2},
      {kEntropyQ, "Btu/lb.K", {}},  {kEntropyQ, "kJ/kg.F", {}},   {kEntropyQ, "kJ/kg", {}},
      {kEntropyQ, "kcal/kg.C", 5},  {kEntropyQ, "kJ/kmol.K", 6},
  };
  for (const auto& c : cases) EXPECT_EQ(UnitFromSymbol(c.q, c.symbol), c.unit) << c.symbol;
}

}  // namespace
}  // namespace tulo
