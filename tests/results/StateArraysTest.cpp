// The array path against the state evaluator, bitwise: every item, or the enthalpy alone, or h, s
// and rho, over random states across every IF97 region, ice, the band beside the saturation line,
// beyond the range and NaN, in both standards.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "iapws/IF97.h"
#include "props/BuiltInSet.h"
#include "props/Catalogue.h"
#include "results/IapwsSet.h"
#include "results/StateArrays.h"
#include "results/StateEvaluator.h"

namespace tulo {
namespace {

// The same double, NaN included.
bool Same(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

// T in K, P in kPa: 30 K to 2400 K and 0.01 Pa to 120 MPa (log-spaced), so beyond every end; one
// state in eight next to the saturation line (a few ulps to 1 mK either side); a few NaN.
std::vector<std::pair<double, double>> States(std::size_t n) {
  std::mt19937_64 rng(97);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<std::pair<double, double>> states;
  for (std::size_t i = 0; i < n; ++i) {
    const double P = std::pow(10.0, -5.0 + 13.0 * unit(rng)) / 100.0;  // 1e-7 .. 1.2e5 kPa
    double T = 30.0 + 2370.0 * unit(rng);
    if (i % 8 == 1) {
      const double Tsat = iapws::SaturationTemperature(P / 1000.0);
      if (Tsat > 0)
        T = i % 16 == 1 ? std::nextafter(Tsat, i % 32 == 1 ? 0.0 : 1e9) : Tsat + 2e-3 * (unit(rng) - 0.5);
    }
    if (i % 997 == 5) T = std::numeric_limits<double>::quiet_NaN();
    states.emplace_back(T, i % 991 == 7 ? std::numeric_limits<double>::infinity() : P);
  }
  return states;
}

struct Case {
  const char* name;
  const CorrelationSet& (*set)();
  std::vector<Item> items;  // empty: every variable item
  std::size_t states;
};

class StateArraysTest : public ::testing::TestWithParam<Case> {};

TEST_P(StateArraysTest, IsBitwiseTheSingleStatePath) {
  const Case& c = GetParam();
  std::vector<Item> items = c.items;
  if (items.empty()) items.assign(VariableItems().begin(), VariableItems().end());
  const auto states = States(c.states);
  std::vector<double> T, P;
  for (auto [t, p] : states) T.push_back(t), P.push_back(p);
  const std::size_t n = T.size();
  std::vector<double> value(items.size() * n);
  std::vector<Status> status(items.size() * n);
  StateEvaluator arrays(c.set());
  ComputeArraysTP(arrays, items, T, P, value, status);

  StateEvaluator single(c.set());
  std::size_t mismatches = 0, valid = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const Evaluation e = single.Evaluate({InputPair::kTP, T[i], P[i]});
    for (std::size_t k = 0; k < items.size(); ++k) {
      const CalcResult r = e.state ? single.StateValue(*e.state, items[k]) : CalcResult::OutOfRange();
      const double want =
          r.status == Status::kValid ? static_cast<double>(c.set().Storage().Store(r.value)) : std::nan("");
      valid += r.status == Status::kValid;
      if (r.status == status[k * n + i] && Same(want, value[k * n + i])) continue;
      if (++mismatches <= 5)
        ADD_FAILURE() << ItemKey(items[k]) << " at T=" << T[i] << " K, P=" << P[i] << " kPa: " << want << " ("
                      << int(r.status) << ") vs " << value[k * n + i] << " (" << int(status[k * n + i])
                      << ")";
    }
  }
  EXPECT_EQ(mismatches, 0u);
  EXPECT_GT(valid, items.size() * n / 8);  // many of the values are in range
}

INSTANTIATE_TEST_SUITE_P(
    Standards, StateArraysTest,
    ::testing::Values(
        Case{"IapwsEvery", &IapwsCorrelations, {}, 20000},
        Case{"IapwsEnthalpy", &IapwsCorrelations, {Item::kEnthalpy}, 100000},
        Case{"IapwsHSRho", &IapwsCorrelations, {Item::kEnthalpy, Item::kEntropy, Item::kDensity}, 100000},
        Case{"IapwsMixed",
             &IapwsCorrelations,
             {Item::kViscosity, Item::kEnthalpy, Item::kSurfaceTension, Item::kSaturationPressure},
             20000},
        Case{"BuiltIn", &BuiltInCorrelations, {Item::kEnthalpy, Item::kDensity}, 5000}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace tulo
