#pragma once
// The nineteen calculators, created once in creation order, and the map from the variable items
// 15..33 of the property catalogue to them.

#include <array>
#include <memory>

#include "props/PropertyCalculator.h"

namespace tulo {

constexpr int kCalculatorCount = 19;

class CalculatorSet {
 public:
  // ctx must outlive the set. Calculators not built yet are absent (null), never stand-ins.
  explicit CalculatorSet(CalcContext& ctx);
  ~CalculatorSet();
  CalculatorSet(const CalculatorSet&) = delete;
  CalculatorSet& operator=(const CalculatorSet&) = delete;

  // The calculator of variable item 15..33; null for other items or an absent calculator.
  PropertyCalculator* VarPropCalc(int item) const;
  // The calculator at creation index 0..18; null outside that or when absent.
  PropertyCalculator* Created(int index) const;
  // Creation index of variable item 15..33, or -1.
  static int CreationIndexOf(int item);

  CalcContext& Context() const { return ctx_; }

 private:
  CalcContext& ctx_;
  std::array<std::unique_ptr<PropertyCalculator>, kCalculatorCount> calculators_;
};

// Factories, one per calculator, defined beside each correlation.
using CalculatorFactory = std::unique_ptr<PropertyCalculator> (*)(CalculatorSet&, CalcContext&);

}  // namespace tulo
