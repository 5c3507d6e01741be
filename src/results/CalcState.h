#pragma once
// The one calculation state of a session: the state typed, the state shown, its condition, and
// the reference values the steam search starts from. -3 marks a temperature or pressure not set.

#include <cstdint>
#include <string>

#include "props/Catalogue.h"
#include "props/Phase.h"

namespace tulo {

// How the typed state is given: nothing yet, the temperature alone or the pressure alone (a
// saturated state), or both.
enum class InputMode : std::uint8_t { kNone, kT, kP, kTP };

struct CalcState {
  double TempK = -3.0;       // K, Real6
  double PresKPa = -3.0;     // kPa absolute, Real6
  double TempDisplay = 0.0;  // in the temperature unit in use, Real6
  double PresDisplay = 0.0;  // in the pressure unit in use, Real6
  double PrevTempK = -3.0;   // the state whose results are shown
  double PrevPresKPa = -3.0;
  bool SatGivenTemperature = true;
  tulo::InputMode InputMode = tulo::InputMode::kNone;
  tulo::Condition Condition = tulo::Condition::kNone;
  std::string ConditionText;
  bool FirstCalc = true;
  bool FullPropertyList = true;
  double RefEnthalpy = 0.0;  // kJ/kg
  double RefEntropy = 0.0;   // kJ/kg.K
  double RefDensity = 1.0;   // kg/m3
  // The steam search's choices as the configuration record holds them (any code it holds is kept):
  // enthalpy, entropy or density; temperature or pressure.
  Item SearchItem = Item::kEnthalpy;
  Item SearchGivenItem = Item::kTemperature;
};

}  // namespace tulo
