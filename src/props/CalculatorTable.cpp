#include "props/CalculatorTable.h"

namespace tulo {

CalculatorTable::CalculatorTable(const CorrelationSet& set, CalcContext& ctx) : set_(set), ctx_(ctx) {
  integrands_.points.reserve(IntegrandMemo::kCapacity);
}

CalculatorTable::~CalculatorTable() = default;

void CalculatorTable::Add(std::unique_ptr<PropertyCalculator> calc) {
  auto code = static_cast<std::size_t>(ItemCode(calc->GetItem()));
  if (code < calculators_.size()) calculators_[code] = std::move(calc);
}

PropertyCalculator* CalculatorTable::VarPropCalc(Item item) const {
  auto code = static_cast<std::size_t>(ItemCode(item));
  return code < calculators_.size() ? calculators_[code].get() : nullptr;
}

CalcResult CalculatorTable::Compute(Item item, Phase phase, long double T, long double P) const {
  PropertyCalculator* calc = VarPropCalc(item);
  return calc != nullptr ? calc->Compute(phase, T, P) : CalcResult::NotGiven();
}

}  // namespace tulo
