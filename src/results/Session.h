#pragma once
// Everything one calculation needs: the unit selection, the calculation state, the steam quality
// of the configuration record, and the nineteen calculators reading the last two by reference.
// Sessions are independent: a test may hold as many as it likes.

#include "props/CalculatorSet.h"
#include "results/CalcState.h"
#include "units/Units.h"

namespace tulo {

struct Session {
  UnitSettings units;
  CalcState state;
  double steamQuality = 0.0;  // percent by mass, a Real6 value
  CalcContext ctx{units, steamQuality, state.Condition};
  CalculatorSet calculators{ctx};

  Session() = default;
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
};

}  // namespace tulo
