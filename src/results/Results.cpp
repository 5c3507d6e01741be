#include "results/Results.h"

#include <algorithm>
#include <optional>

#include "common/NumberReader.h"
#include "props/Catalogue.h"
#include "results/CellText.h"
#include "results/DisplayValue.h"
#include "results/PhaseCondition.h"
#include "results/StateEvaluator.h"

namespace tulo {
namespace {

// An internal temperature or pressure in its display unit, as the state holds it: a Real6 in the
// built-in standard, every digit of the double in a standard computed in double precision.
double DisplayFrom(Session& s, Quantity q, double internal) {
  return static_cast<double>(UnitConversion(s.units, s.Set(), q).ToDisplay(internal));
}

// The internal and display value of quantity q (0 temperature, 1 pressure).
double& InternalOf(CalcState& st, Quantity q) {
  return q == kTemperature ? st.TempK : st.PresKPa;
}
double& DisplayOf(CalcState& st, Quantity q) {
  return q == kTemperature ? st.TempDisplay : st.PresDisplay;
}
double& PreviousOf(CalcState& st, Quantity q) {
  return q == kTemperature ? st.PrevTempK : st.PrevPresKPa;
}

// The state the session shows, as the evaluator hands it on; wet steam at the quality accepted.
Evaluated ShownState(const Session& s) {
  Evaluated st{s.state.Condition, s.state.TempK, s.state.PresKPa, std::nullopt};
  if (st.Saturated()) st.quality = s.steamQuality;
  return st;
}

// Blank for an item the standard in use has no calculator of.
std::string CellText(Session& s, StateEvaluator& evaluator, const Evaluated& st, Item item, Phase phase) {
  const PropertyCalculator* calc = s.Calculators().VarPropCalc(item);
  return calc == nullptr ? "" : CellText(*calc, evaluator.Value(st, item, phase), s.units);
}

// The reference values of the steam search: enthalpy, entropy and density of the state shown,
// whatever the calculators' status (a failed value is 0).
void KeepReference(Session& s, StateEvaluator& evaluator, const Evaluated& st, Item item, Phase phase) {
  double* ref = ReferenceOf(s.state, item);
  if (ref == nullptr || s.Calculators().VarPropCalc(item) == nullptr) return;
  *ref = static_cast<double>(s.Set().Storage().Store(evaluator.Value(st, item, phase).value));
}

// The rows of `items` in the phase columns `phases`; the reference values from referencePhase.
void FillRows(Session& s, StringGrid& grid, std::span<const Item> items, std::span<const Phase> phases,
              std::optional<Phase> referencePhase) {
  StateEvaluator evaluator(s);
  const Evaluated st = ShownState(s);
  int row = 1;
  for (Item item : items) {
    if (row >= grid.RowCount()) break;
    grid.SetCell(0, row, PropName(item));
    grid.SetCell(1, row, s.units.UnitText(PropQuantity(item)));
    for (std::size_t i = 0; i < phases.size(); ++i)
      grid.SetCell(2 + static_cast<int>(i), row, CellText(s, evaluator, st, item, phases[i]));
    if (referencePhase) KeepReference(s, evaluator, st, item, *referencePhase);
    ++row;
  }
}

}  // namespace

int VarGridRows(const CorrelationSet& set) {
  std::size_t longest = 0;
  for (Condition c : kConditions) longest = std::max(longest, set.Layout().RowSet(c, true).size());
  return std::max(kVarGridRows, 1 + static_cast<int>(longest));
}

double* ReferenceOf(CalcState& state, Item item) {
  switch (item) {
    case Item::kEnthalpy:
      return &state.RefEnthalpy;
    case Item::kEntropy:
      return &state.RefEntropy;
    case Item::kDensity:
      return &state.RefDensity;
    default:
      return nullptr;
  }
}

double QualityFromField(const CorrelationSet& set, std::string_view text, double lastAccepted) {
  if (text.empty()) return 0.0;
  auto q = set.Storage().ReadTyped(text);
  if (q && *q >= 0.0 && *q <= 100.0) return *q;
  return lastAccepted;
}

void RefreshQuantity(Session& s, Quantity q) {
  CalcState& st = s.state;
  const double v = InternalOf(st, q);
  const double d = v < 0.0 ? 0.0 : DisplayFrom(s, q, v);
  DisplayOf(st, q) = d;
  // The internal value becomes what the display value denotes: in the built-in standard (each
  // step a Real6), and for a quantity not set yet. A standard computed in double precision keeps
  // the value it has; the round trip could move its last digit.
  if (v < 0.0 || s.Set().Storage().RoundsToReal6())
    InternalOf(st, q) = static_cast<double>(UnitConversion(s.units, s.Set(), q).ToInternal(d));
  PreviousOf(st, q) = InternalOf(st, q);
}

bool RecalculateState(Session& s) {
  CalcState& st = s.state;
  bool firstRun = false;
  if (st.FirstCalc) {
    st.TempK = st.PresKPa = st.PrevTempK = st.PrevPresKPa = -3.0;
    st.FirstCalc = false;
    firstRun = true;
  }
  // A change of units shows the same physical state in the new units, and the internal values
  // become what the displayed texts denote.
  Quantity given = st.SatGivenTemperature ? kTemperature : kPressure;
  Quantity derived = st.SatGivenTemperature ? kPressure : kTemperature;
  if (InternalOf(st, derived) > 0.0)
    DisplayOf(st, derived) = DisplayFrom(s, derived, InternalOf(st, derived));
  if (firstRun) {
    RefreshQuantity(s, given);
  } else {
    DisplayOf(st, given) = DisplayFrom(s, given, InternalOf(st, given));
    RefreshQuantity(s, derived);
  }
  if (st.InputMode == InputMode::kT || st.InputMode == InputMode::kP) {
    st.SatGivenTemperature = st.InputMode == InputMode::kT;
    SaturationCondition(st, s.Calculators(), s.units);
    return true;
  }
  if (st.InputMode == InputMode::kTP) {
    DetermineValueCondition(st, s.Calculators(), st.TempK, st.PresKPa);
    return true;
  }
  return false;
}

void Recalculate(Session& s, ResultGrids& grids, std::string_view wetSteamInput) {
  if (RecalculateState(s)) ShowResults(s, grids, wetSteamInput);
}

void ShowResults(Session& s, ResultGrids& grids, std::string_view wetSteamInput) {
  grids.var.ResizeRows(VarGridRows(s.Set()));
  switch (s.state.Condition) {
    case Condition::kSatSolidVapour:
    case Condition::kSatLiquidVapour:
      FillSaturatedGrid(s, grids.var);
      FillWetGrid(s, grids.wet, wetSteamInput);
      break;
    case Condition::kSubCooledSolid:
    case Condition::kSubCooledLiquid:
    case Condition::kSuperheated:
    case Condition::kSuperCritical:
      FillSinglePhaseGrid(s, grids.var);
      break;
    case Condition::kNone:
      break;
  }
  s.state.PrevTempK = s.state.TempK;
  s.state.PrevPresKPa = s.state.PresKPa;
}

// The columns of the state's grid and the phase of its reference values are the evaluator's.
void FillSaturatedGrid(Session& s, StringGrid& grid) {
  const Evaluated st = ShownState(s);
  FillRows(s, grid, s.Set().Layout().RowSet(st.condition, s.state.FullPropertyList), st.Columns(), st.Columns().back());
}

void FillSinglePhaseGrid(Session& s, StringGrid& grid) {
  const Evaluated st = ShownState(s);
  FillRows(s, grid, s.Set().Layout().RowSet(st.condition, s.state.FullPropertyList), st.Columns(), st.OneColumn());
}

void FillWetGrid(Session& s, StringGrid& grid, std::string_view wetSteamInput) {
  s.steamQuality = QualityFromField(s.Set(), wetSteamInput, s.steamQuality);
  const char* headings[] = {"Property", "Units", "Liquid", "Vapour", "Wet St'm"};
  for (int c = 0; c < kWetGridCols; ++c) grid.SetCell(c, 0, headings[c]);
  const Phase phases[] = {Phase::kSatLiquid, Phase::kSatVapour, Phase::kWetSteam};
  FillRows(s, grid, s.Set().Layout().WetRowSet(), phases, std::nullopt);
}

}  // namespace tulo
