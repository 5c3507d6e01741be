#pragma once
// From a point of a chart to the state there, and from a state to its point: what the window
// shows under the cursor, what a click sets, and where the current state is marked. A picker
// has calculators of its own, so that nothing it tries disturbs the state of the window.

#include <memory>
#include <optional>

#include "props/Phase.h"
#include "results/DiagramLines.h"
#include "results/Session.h"

namespace tulo {

struct DiagramState {
  long double T = 0;  // K
  long double P = 0;  // kPa; inside the dome the saturation pressure
  // As the phase condition classifies (T, P); saturated on the saturation line and inside the dome.
  Condition condition = Condition::kNone;
  // Inside the dome (strictly between the saturated liquid and vapour): a wet mixture at the
  // saturation temperature T with this quality, percent by mass.
  bool wet = false;
  double quality = 0;
  // Enthalpy (kJ/kg) and entropy (kJ/kg.K) of the state; nothing on the saturation line of the
  // P-T chart, where the point does not tell liquid from vapour, or where a correlation fails.
  std::optional<long double> h, s;
};

class DiagramPicker {
 public:
  // `set` must outlive the picker.
  DiagramPicker(DiagramKind kind, const CorrelationSet& set, const UnitSettings& units);
  DiagramPicker(const DiagramPicker&) = delete;
  DiagramPicker& operator=(const DiagramPicker&) = delete;

  DiagramKind Kind() const { return kind_; }
  const CorrelationSet& Set() const { return session_->Set(); }

  // The state at point p of the chart (display units). T-s and P-h read the level (temperature,
  // pressure) off the chart and search for the other one at it, as the steam search does; h-s
  // searches the pressure along the isentrope, where enthalpy rises with pressure, solving for the
  // temperature at each trial pressure. Nothing outside the set's input limits or where no state
  // of the range answers.
  std::optional<DiagramState> StateAt(DiagramPoint p);

  // The point of a state as the grids show it: T (K), P (kPa) and its condition; a saturated
  // liquid and vapour is marked at `quality` (percent, the wet-steam grid's). Nothing for a state
  // the chart cannot show.
  std::optional<DiagramPoint> PointOf(long double T, long double P, Condition condition, double quality);

  DiagramUnits& Units() { return units_; }

 private:
  std::optional<DiagramState> Found(long double T, long double P);
  void Values(DiagramState& st, Condition c);
  std::optional<DiagramState> LevelSearch(Item item, Item given, long double target, long double fixed);
  std::optional<DiagramState> IsentropeSearch(long double h, long double s);
  bool InLimits(Quantity q, long double x) const;

  DiagramKind kind_;
  std::unique_ptr<Session> session_;
  DiagramUnits units_;
};

}  // namespace tulo
