#pragma once
// The steam search: at a fixed temperature (or pressure), the pressure (or temperature) at which
// enthalpy, entropy or density takes a target value, region by region around the saturation line
// so that the property is monotonic on each interval searched. A target between the saturated
// liquid and vapour values is answered as wet steam with a quality.

#include "results/Session.h"

namespace tulo {

// min(a, b) <= x <= max(a, b).
bool Between(long double x, long double a, long double b);

struct SearchRequest {
  Item searchItem = Item::kEnthalpy;    // enthalpy, entropy or density
  Item givenItem = Item::kTemperature;  // temperature or pressure fixed
  long double target = 0;               // internal units
  long double fixedValue = 0;           // K or kPa
};

struct SearchAnswer {
  bool found = false;
  long double x = 0;  // the searched quantity, K or kPa
};

// Runs the regional search. Updates the condition of the session's state as it tries states
// (the last one is the answer's) and the session's steam quality for saturated answers.
SearchAnswer SearchRegion(Session& s, const SearchRequest& request);

// The steam search of the window: in the IAPWS standard, the enthalpy and
// entropy searches are the state evaluator's pairs (P-h, P-s, T-h, T-s), solved on the standard's
// own equations so that the state found reproduces its target to round-off; the density, and
// every search in the built-in standard, by SearchRegion. Sets the condition of the session's
// state and, for wet steam, its steam quality, as SearchRegion does.
SearchAnswer SearchState(Session& s, const SearchRequest& request);

}  // namespace tulo
