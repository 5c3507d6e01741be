#pragma once
// How far the values the window shows for a state are from another standard at the same state:
// the state frame's warning where the built-in correlations stray from IAPWS-IF97.

#include <optional>
#include <string>

#include "props/Catalogue.h"
#include "results/Session.h"

namespace tulo {

// The items compared: the principal properties of the state, those the steam search and the
// diagrams work with. The built-in transport and derivative properties differ from IAPWS by a few
// per cent almost everywhere (docs/accuracy.md: 5 % in the compressibility of water at 300 K), so
// a warning on them would single out no state.
inline constexpr Item kDeviationItems[] = {Item::kEnthalpy, Item::kEntropy, Item::kDensity};

// Above this difference, in per cent of the other standard's value, the window warns.
inline constexpr double kDeviationLimit = 1.0;

struct Deviation {
  Item item;
  double percent;  // 100 |shown - reference| / |reference|
};

// The largest difference over the compared items in shown's grid for its state (each phase
// column), between shown and reference. Reference takes shown's typed state (T and P, or one of
// them alone on its own saturation line) and is evaluated in the phases of shown's condition.
// Nothing when shown has no state or no item has a value in both.
std::optional<Deviation> LargestDeviation(Session& shown, Session& reference);

// "differs from <reference> by up to 6.2 % here: enthalpy" above kDeviationLimit; empty otherwise.
std::string DeviationWarning(const std::optional<Deviation>& deviation, const std::string& referenceName);

}  // namespace tulo
