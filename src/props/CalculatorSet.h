#pragma once
// The calculators of one session, created once in creation order and found by catalogue item.

#include <array>
#include <memory>

#include "props/Catalogue.h"
#include "props/PropertyCalculator.h"

namespace tulo {

class CalculatorSet {
 public:
  // ctx must outlive the set. Calculators not built yet are absent (null), never stand-ins.
  explicit CalculatorSet(CalcContext& ctx);
  ~CalculatorSet();
  CalculatorSet(const CalculatorSet&) = delete;
  CalculatorSet& operator=(const CalculatorSet&) = delete;

  // The calculator of a variable item; null for other items or an absent calculator.
  PropertyCalculator* VarPropCalc(Item item) const;
  // The answer of that calculator; kNotGiven when it is absent.
  CalcResult Compute(Item item, Phase phase, long double T, long double P) const;

  CalcContext& Context() const { return ctx_; }

 private:
  CalcContext& ctx_;
  std::array<std::unique_ptr<PropertyCalculator>, kItemCount> calculators_;  // by item code
};

// Factories, one per calculator, defined beside each correlation.
using CalculatorFactory = std::unique_ptr<PropertyCalculator> (*)(CalculatorSet&, CalcContext&);

}  // namespace tulo
