#pragma once
// The calculators of one session, found by catalogue item. A correlation set fills the table
// (CorrelationSet::MakeCalculators); the calculators ask each other through it.

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "props/CalcResult.h"
#include "props/Catalogue.h"
#include "props/PropertyCalculator.h"

namespace tulo {

class CorrelationSet;

// The inner values of the pressure integrals along one isotherm (CaloricPropertyCalc), kept for
// the next integral of the same isotherm: the compressed liquid's enthalpy and entropy integrate
// over the same pressure points, each point asking the thermal expansion and the density. A point
// is replayed only when those two calculators hold the kept calls they held when it was recorded:
// their answers are then the same (an answer depends on its arguments and on the kept calls, a
// kept one being the stored value), and the kept calls they were left with are put back.
struct IntegrandMemo {
  struct Point {
    long double p = 0.0L;
    std::optional<PropertyCalculator::KeptCall> betaBefore, rhoBefore, betaAfter, rhoAfter;
    CalcResult beta, rho;  // rho not asked (not given) when beta failed
  };
  Phase phase = Phase::kNoPhase;
  long double T = 0.0L;
  double quality = 0.0;       // of the context: a kept call holds it
  std::vector<Point> points;  // in the order the integral asks them
  // The points kept: those of the first six passes of an integral (4 * 2^6 intervals). The room
  // is taken once, with the table, so that a long session's heap does not grow with the rare
  // isotherm that needs more passes; its further points are asked, not kept.
  static constexpr std::size_t kCapacity = 257;
};

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
  IntegrandMemo& Integrands() { return integrands_; }
  CalcContext& Context() const { return ctx_; }

 private:
  const CorrelationSet& set_;
  CalcContext& ctx_;
  std::array<std::unique_ptr<PropertyCalculator>, kItemCount> calculators_;  // by item code
  IntegrandMemo integrands_;
};

}  // namespace tulo
