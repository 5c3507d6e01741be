// The replay of the compressed liquid's pressure integrals (IntegrandMemo) and the density's kept
// sub-cooled values answer exactly as computing again would: the same values, statuses and kept
// calls, whichever of enthalpy, entropy and density comes first.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "props/CorrelationSession.h"

namespace tulo::testing {
namespace {

struct Answer {
  CalcResult result;
  std::optional<PropertyCalculator::KeptCall> expansion, density;
};

bool SameBits(long double a, long double b) {
  return std::memcmp(&a, &b, 10) == 0;  // the 80 bits of the x87 value, padding left out
}

// Each item in turn at (T, P); forget: the memo is emptied before every call, so that every
// integral computes all of its points.
std::vector<Answer> AnswersOf(const std::vector<Item>& items, long double T, long double P, bool forget) {
  CorrelationSession s(Condition::kSubCooledLiquid);
  std::vector<Answer> answers;
  for (Item item : items) {
    if (forget) s.table->Integrands().points.clear();
    Answer a;
    a.result = s.Eval(item, Phase::kSubCooledLiquid, T, P);
    a.expansion = s.Calc(Item::kThermalExpansion).Kept();
    a.density = s.Calc(Item::kDensity).Kept();
    answers.push_back(a);
  }
  return answers;
}

TEST(IntegrandMemo, ReplaysExactlyWhatComputingAgainGives) {
  struct State {
    long double T, P;
    const char* label;
  };
  // The thermal expansion's polynomial (below 323 K and 500 kPa) and its one-kelvin difference;
  // near the saturation line (few points) and far above it (many).
  const State states[] = {{300.0L, 400.0L, "polynomial"},          {300.0L, 50000.0L, "difference, 300 K"},
                          {350.0L, 30000.0L, "difference, 350 K"}, {450.0L, 1000.0L, "near saturation"},
                          {600.0L, 90000.0L, "hot, far above"},    {280.0L, 100000.0L, "cold, far above"}};
  const std::vector<std::vector<Item>> orders = {
      {Item::kEnthalpy, Item::kEntropy, Item::kDensity},
      {Item::kEntropy, Item::kEnthalpy, Item::kEnthalpy, Item::kDensity},
      {Item::kDensity, Item::kThermalExpansion, Item::kEntropy, Item::kEnthalpy}};
  for (const State& state : states) {
    for (const auto& order : orders) {
      SCOPED_TRACE(state.label);
      const std::vector<Answer> replayed = AnswersOf(order, state.T, state.P, false);
      const std::vector<Answer> computed = AnswersOf(order, state.T, state.P, true);
      for (std::size_t i = 0; i < order.size(); ++i) {
        SCOPED_TRACE("call " + std::to_string(i) + ": " + PropName(order[i]));
        EXPECT_EQ(replayed[i].result.status, computed[i].result.status);
        EXPECT_TRUE(SameBits(replayed[i].result.value, computed[i].result.value))
            << static_cast<double>(replayed[i].result.value) << " "
            << static_cast<double>(computed[i].result.value);
        EXPECT_EQ(replayed[i].expansion, computed[i].expansion);
        EXPECT_EQ(replayed[i].density, computed[i].density);
      }
    }
  }
}

TEST(IntegrandMemo, EntropyAfterEnthalpyReplaysThePoints) {
  // The memo must actually serve the second integral: the entropy after the enthalpy at the
  // same state asks the thermal expansion far fewer times than the enthalpy did.
  CorrelationSession s(Condition::kSubCooledLiquid);
  PropertyCalculator& beta = s.Calc(Item::kThermalExpansion);
  s.Eval(Item::kEnthalpy, Phase::kSubCooledLiquid, 350.0L, 30000.0L);
  const long first = beta.Evaluations();
  s.Eval(Item::kEntropy, Phase::kSubCooledLiquid, 350.0L, 30000.0L);
  const long second = beta.Evaluations() - first;
  EXPECT_GT(first, 8);
  EXPECT_LT(second, 4);
}

}  // namespace
}  // namespace tulo::testing
