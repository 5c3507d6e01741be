#pragma once
// The recalculation after every change of an input: display values, phase condition, and the
// variable-results and wet-steam grids, with the reference values the steam search starts from.

#include <string_view>

#include "results/Grid.h"
#include "results/Session.h"

namespace tulo {

constexpr int kVarGridCols = 4, kVarGridRows = 17;
constexpr int kWetGridCols = 5, kWetGridRows = 7;

// The rows of the variable-results grid for a standard: the heading and its longest full list,
// and never fewer than the built-in standard's 17.
int VarGridRows(const CorrelationSet& set);

struct ResultGrids {
  StringGrid var{kVarGridCols, kVarGridRows};
  StringGrid wet{kWetGridCols, kWetGridRows};
};

// The steam quality the wet-steam grid uses for the quality field's text: 0 when empty, the
// number when it is one from 0 to 100 (read as the standard reads a typed number: a Real6 in the
// built-in standard, the nearest double in one computed in double precision), otherwise the last
// accepted quality (unchanged).
double QualityFromField(const CorrelationSet& set, std::string_view text, double lastAccepted);

// The reference value of the steam search kept for enthalpy, entropy or density; null for other items.
double* ReferenceOf(CalcState& state, Item item);

// The state part of Recalculate: the display and internal values of the temperature and
// pressure, and the phase condition of the state typed (with the saturation line's other
// quantity for one typed alone). False when nothing is typed: no input mode, no condition.
bool RecalculateState(Session& s);
// RecalculateState, then the grids of the state.
void Recalculate(Session& s, ResultGrids& grids, std::string_view wetSteamInput);
void RefreshQuantity(Session& s, Quantity q);
void ShowResults(Session& s, ResultGrids& grids, std::string_view wetSteamInput);
void FillSaturatedGrid(Session& s, StringGrid& grid);
void FillSinglePhaseGrid(Session& s, StringGrid& grid);
void FillWetGrid(Session& s, StringGrid& grid, std::string_view wetSteamInput);

}  // namespace tulo
