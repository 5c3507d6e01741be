#pragma once
// A fresh, independent set of calculators for a test.

#include <cstdint>
#include <string>

#include "props/CalculatorSet.h"
#include "units/Units.h"

namespace tulo::testing {

struct TestCalculators {
  UnitSettings units;
  double quality = 0.0;
  std::uint8_t condition = 6;
  CalcContext ctx{units, quality, condition};
  CalculatorSet set{ctx};

  struct Result {
    std::uint8_t status;
    long double value;
  };
  Result Eval(int item, int phase, long double T, long double P) {
    Result r{255, 0.0L};
    r.value = set.VarPropCalc(item)->Compute(static_cast<std::uint8_t>(phase), r.status, T, P);
    return r;
  }
  std::string Text(int item, int phase, long double T, long double P) {
    std::string text;
    set.VarPropCalc(item)->ComputeText(static_cast<std::uint8_t>(phase), text, T, P);
    return text;
  }
};

}  // namespace tulo::testing
