// The array path against the state evaluator, bitwise: every item, or the enthalpy alone, or h, s
// and rho, over random states across every IF97 region, ice, the band beside the saturation line,
// the ends of the range and of the regions, the bounds of the saturation bracket, beyond the
// range and NaN, in both standards: a million states for the enthalpy and for h, s and rho (a
// tenth of that under the sanitizers).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
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

// x moved by a few ulps, or by a relative step about the margins of the fast classification
// (the 1e-9 of the saturation bracket) and the limit tolerance (2^-37).
double Jitter(double x, std::mt19937_64& rng) {
  constexpr double kSteps[] = {0.0, 1e-15, 7e-12, 1e-9, 1.2e-9, 1e-7, 1e-4};
  const double sign = rng() % 2 == 0 ? 1.0 : -1.0;
  if (rng() % 3 == 0) {
    for (auto ulps = rng() % 4; ulps > 0; --ulps) x = std::nextafter(x, sign * 1e300);
    return x;
  }
  return x * (1.0 + sign * kSteps[rng() % std::size(kSteps)]);
}

// T in K, P in kPa, in eight kinds by i % 8: 30 K to 2400 K and 0.01 Pa to 120 MPa (log-spaced),
// so beyond every end; next to the saturation line (a few ulps to 1 mK either side); the IF97
// range alone (three in eight: regions 1, 2, 3 and 5); the ends of the range and of the regions,
// the critical point and the triple point, combined and jittered; the B23 line; the knots of the
// saturation bracket and its bounds. A few NaN and infinite.
std::vector<std::pair<double, double>> States(std::size_t n) {
  constexpr double kTemperatures[] = {50.0,  273.15, 273.16, 298.15,  623.15,       iapws::kTc,
                                      647.1, 863.15, 900.0,  1073.15, iapws::kTmax, 2400.0};
  const double pressures[] = {static_cast<double>(IapwsCorrelations().InputLimits(kPressure).lowest),
                              0.611657,
                              1.0,
                              16529.1642526,
                              iapws::kPc * 1000,
                              50000.0,
                              100000.0};
  std::mt19937_64 rng(97);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<std::pair<double, double>> states;
  for (std::size_t i = 0; i < n; ++i) {
    double P = std::pow(10.0, -5.0 + 13.0 * unit(rng)) / 100.0;  // 1e-7 .. 1.2e5 kPa
    double T = 30.0 + 2370.0 * unit(rng);
    switch (i % 8) {
      case 1: {
        const double Tsat = iapws::SaturationTemperature(P / 1000.0);
        if (Tsat > 0)
          T = i % 16 == 1 ? std::nextafter(Tsat, i % 32 == 1 ? 0.0 : 1e9) : Tsat + 2e-3 * (unit(rng) - 0.5);
        break;
      }
      case 2:
      case 3:
      case 4:
        T = 273.16 + 2000.0 * unit(rng);
        P = std::pow(10.0, 5.0 * unit(rng));  // 1 kPa .. 100 MPa
        break;
      case 5:
        T = Jitter(kTemperatures[rng() % std::size(kTemperatures)], rng);
        if (rng() % 2 == 0) P = Jitter(pressures[rng() % std::size(pressures)], rng);
        break;
      case 6:
        T = 623.15 + 240.0 * unit(rng);
        P = Jitter(iapws::B23Pressure(T) * 1000.0, rng);
        break;
      case 7: {
        T = Jitter(std::min(273.15 + 25.0 * static_cast<double>(rng() % 16), iapws::kTc), rng);
        const iapws::PressureBracket psat = iapws::SaturationPressureBracket(T);
        P = Jitter((rng() % 2 == 0 ? psat.low : psat.high) * 1000.0, rng);
        break;
      }
      default:
        break;
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

// The sanitizers slow the single-state path about tenfold.
#ifdef TULO_SANITIZED
constexpr std::size_t kMany = 100000;
#else
constexpr std::size_t kMany = 1000000;
#endif

INSTANTIATE_TEST_SUITE_P(
    Standards, StateArraysTest,
    ::testing::Values(
        Case{"IapwsEvery", &IapwsCorrelations, {}, kMany / 50},
        Case{"IapwsEnthalpy", &IapwsCorrelations, {Item::kEnthalpy}, kMany},
        Case{"IapwsHSRho", &IapwsCorrelations, {Item::kEnthalpy, Item::kEntropy, Item::kDensity}, kMany},
        Case{"IapwsRhoSCp",
             &IapwsCorrelations,
             {Item::kDensity, Item::kEntropy, Item::kHeatCapacity},
             kMany / 10},
        // The surface tension is given for liquid states alone: a condition taken wrongly shows.
        Case{"IapwsCondition", &IapwsCorrelations, {Item::kSurfaceTension, Item::kEnthalpy}, kMany / 2},
        Case{"IapwsMixed",
             &IapwsCorrelations,
             {Item::kViscosity, Item::kEnthalpy, Item::kSurfaceTension, Item::kSaturationPressure},
             kMany / 50},
        Case{"BuiltIn", &BuiltInCorrelations, {Item::kEnthalpy, Item::kDensity}, 5000}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace tulo
