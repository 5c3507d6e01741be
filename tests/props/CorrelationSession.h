#pragma once
// One calculation session for calculator tests: SI units, a steam quality and a condition code
// that tests may change, and a full set of calculators.

#include <cstdint>
#include <string>

#include "props/CalculatorSet.h"
#include "units/Presets.h"
#include "units/Units.h"

namespace tulo::testing {

struct Outcome {
  std::uint8_t status;
  long double value;
};

class CorrelationSession {
 public:
  explicit CorrelationSession(std::uint8_t conditionCode = 5) : condition(conditionCode) {
    units.InitUnits(PresetSelection(UnitPreset::kSI));
  }

  PropertyCalculator& Calc(int item) { return *set.VarPropCalc(item); }

  Outcome Eval(int item, int phase, long double T, long double P) {
    std::uint8_t status = 0;
    long double v = Calc(item).Compute(static_cast<std::uint8_t>(phase), status, T, P);
    return {status, v};
  }

  std::string Text(int item, int phase, long double T, long double P) {
    std::string text;
    Calc(item).ComputeText(static_cast<std::uint8_t>(phase), text, T, P);
    return text;
  }

  UnitSettings units;
  double quality = 0.0;
  std::uint8_t condition;
  CalcContext ctx{units, quality, condition};
  CalculatorSet set{ctx};
};

// Items of the calculators in this family.
enum Item : int {
  kEnthalpyItem = 15,
  kEntropyItem = 16,
  kInternalEnergyItem = 17,
  kDensityItem = 18,
  kVaporisationItem = 19,
  kExpansionItem = 25,
  kZItem = 28,
};

// A value quoted to a given number of digits, checked to half a unit of its last digit.
struct Quoted {
  int item;
  int phase;
  long double T;
  long double P;
  long double value;
  long double halfUnit;
  const char* label;
};

}  // namespace tulo::testing
