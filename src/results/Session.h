#pragma once
// Everything one calculation needs: the unit selection, the calculation state, the steam quality
// of the configuration record, the correlation set in use and its calculators, which read the
// steam quality and the condition by reference. Sessions are independent: a test may hold as
// many as it likes.

#include <memory>

#include "props/BuiltInSet.h"
#include "props/CalculatorTable.h"
#include "props/CorrelationSet.h"
#include "results/CalcState.h"
#include "units/Units.h"

namespace tulo {

class Session {
 public:
  // `set` must outlive the session (the built-in set lives as long as the program).
  explicit Session(const CorrelationSet& set = BuiltInCorrelations())
      : set_(&set), calculators_(set.MakeCalculators(ctx_)) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  UnitSettings units;
  CalcState state;
  double steamQuality = 0.0;  // percent by mass, as the standard stores it (Real6 or double)

  const CorrelationSet& Set() const { return *set_; }
  CalculatorTable& Calculators() { return *calculators_; }
  const CalculatorTable& Calculators() const { return *calculators_; }

  // Replaces the standard in use with fresh calculators of `set` (nothing kept from the old
  // ones). The units, the state and the steam quality stay as they are.
  void UseCorrelationSet(const CorrelationSet& set) {
    calculators_ = set.MakeCalculators(ctx_);
    set_ = &set;
  }

 private:
  CalcContext ctx_{steamQuality, state.Condition};
  const CorrelationSet* set_;
  std::unique_ptr<CalculatorTable> calculators_;
};

}  // namespace tulo
