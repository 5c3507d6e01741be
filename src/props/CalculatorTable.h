#pragma once
// The calculators of one session, found by catalogue item. A correlation set fills the table
// (CorrelationSet::MakeCalculators); the calculators ask each other through it.

#include <array>
#include <memory>

#include "props/CalcResult.h"
#include "props/Catalogue.h"
#include "props/PropertyCalculator.h"

namespace tulo {

class CorrelationSet;

class CalculatorTable {
 public:
  // set and ctx must outlive the table.
  CalculatorTable(const CorrelationSet& set, CalcContext& ctx);
  // A standard may keep more per-session state (an evaluation shared by its calculators) in a
  // table of its own derived from this one.
  virtual ~CalculatorTable();
  CalculatorTable(const CalculatorTable&) = delete;
  CalculatorTable& operator=(const CalculatorTable&) = delete;

  // Takes a calculator into the slot of its item (replacing one there).
  void Add(std::unique_ptr<PropertyCalculator> calc);

  // The calculator of a variable item; null for other items or an absent calculator.
  PropertyCalculator* VarPropCalc(Item item) const;
  // The answer of that calculator; kNotGiven when it is absent.
  CalcResult Compute(Item item, Phase phase, long double T, long double P) const;

  const CorrelationSet& Set() const { return set_; }
  CalcContext& Context() const { return ctx_; }

 private:
  const CorrelationSet& set_;
  CalcContext& ctx_;
  std::array<std::unique_ptr<PropertyCalculator>, kItemCount> calculators_;  // by item code
};

}  // namespace tulo
