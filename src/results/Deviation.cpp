#include "results/Deviation.h"

#include <algorithm>
#include <cmath>

#include "results/PhaseCondition.h"
#include "results/StateEvaluator.h"
#include "units/Format.h"

namespace tulo {
namespace {

// Places reference at the state typed into shown and classifies it on reference's own lines.
bool PlaceState(const CalcState& from, Session& reference) {
  CalcState& st = reference.state;
  st.TempK = from.TempK;
  st.PresKPa = from.PresKPa;
  st.InputMode = from.InputMode;
  st.SatGivenTemperature = from.SatGivenTemperature;
  if (st.InputMode == InputMode::kTP) {
    DetermineCondition(st, reference.Calculators(), st.TempK, st.PresKPa);
  } else if (st.InputMode == InputMode::kT || st.InputMode == InputMode::kP) {
    SaturationCondition(st, reference.Calculators(), reference.units);
  } else {
    return false;
  }
  return st.Condition != Condition::kNone;
}

}  // namespace

std::optional<Deviation> LargestDeviation(Session& shown, Session& reference) {
  const CalcState& st = shown.state;
  if (st.Condition == Condition::kNone || !PlaceState(st, reference)) return std::nullopt;
  const auto rows = shown.Set().Layout().RowSet(st.Condition, st.FullPropertyList);
  // Both grids' columns and values as the evaluator gives them (saturated columns need no quality).
  StateEvaluator shownValues(shown), referenceValues(reference);
  const Evaluated shownState{st.Condition, st.TempK, st.PresKPa, std::nullopt};
  const Evaluated referenceState{reference.state.Condition, reference.state.TempK, reference.state.PresKPa,
                                 std::nullopt};
  std::optional<Deviation> largest;
  for (Item item : kDeviationItems) {
    if (std::find(rows.begin(), rows.end(), item) == rows.end()) continue;
    for (Phase phase : shownState.Columns()) {
      const CalcResult a = shownValues.Value(shownState, item, phase);
      const CalcResult b = referenceValues.Value(referenceState, item, phase);
      if (!a.Ok() || !b.Ok() || b.value == 0) continue;
      const double percent = static_cast<double>(100 * std::fabs(a.value - b.value) / std::fabs(b.value));
      if (!largest || percent > largest->percent) largest = Deviation{item, percent};
    }
  }
  return largest;
}

std::string DeviationWarning(const std::optional<Deviation>& deviation, const std::string& referenceName) {
  if (!deviation || !(deviation->percent > kDeviationLimit)) return "";
  return "differs from " + referenceName + " by up to " + FormatReal(20, 1, true, deviation->percent) +
         " % here: " + ItemKey(deviation->item);
}

}  // namespace tulo
