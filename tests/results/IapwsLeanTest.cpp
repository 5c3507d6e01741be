// The lean paths against the general one, bitwise: h, s, cp and rho of regions 1, 2 and 5 from
// the derivatives they need alone, state by state and over arrays, the enthalpy of any state,
// the side of the saturation line settled without Eq. 30, the releases beyond IF97 filled one at a time, and
// every item of the IAPWS standard asked alone or with all the others, over states spread across regions 1,
// 2, 3 and 5, the saturation line, ice and outside the range.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "iapws/IF97.h"
#include "iapws/Water.h"
#include "props/Catalogue.h"
#include "results/IapwsSet.h"

namespace tulo {
namespace {

using iapws::Region;

// The same double, NaN included.
bool Same(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

// T in K, p in MPa over the whole range and a little beyond: every region, its boundaries
// (623.15 K, B23 at 863.15 K and 100 MPa, 1073.15 K, 50 MPa) and the critical point.
std::vector<std::pair<double, double>> Grid() {
  const double temperatures[] = {273.15, 280,     300,     350,     400,  450,  500,     550, 600,
                                 623.15, 630,     640,     647.096, 650,  660,  700,     800, 863.15,
                                 900,    1073.15, 1073.16, 1200,    1500, 2000, 2273.15, 2300};
  const double pressures[] = {0.0006, 0.001, 0.01, 0.1, 1,  5,  10, 16.5, 20,
                              22.064, 25,    30,   40,  50, 60, 80, 100,  101};
  std::vector<std::pair<double, double>> states;
  for (double T : temperatures)
    for (double p : pressures) states.emplace_back(T, p);
  return states;
}

TEST(IapwsLean, CaloricPropertiesAreThoseOfTheFullEvaluation) {
  using enum iapws::Caloric;
  const struct {
    Region region;
    iapws::CaloricProps (*lean)(double, double, iapws::Caloric);
  } regions[] = {{Region::k1, iapws::Region1Caloric},
                 {Region::k2, iapws::Region2Caloric},
                 {Region::k5, iapws::Region5Caloric}};
  const iapws::Caloric asked[] = {kH,      kH | kCp,  kS | kCp,       kH | kS | kCp, kS,
                                  kH | kS, kH | kRho, kH | kS | kRho, kRho};
  int regionsSeen[6] = {};
  for (auto [T, p] : Grid()) {
    const iapws::FluidProps full = iapws::StateTP(T, p);
    ++regionsSeen[static_cast<int>(full.region)];
    if (full.region == Region::kNone) {
      EXPECT_TRUE(std::isnan(iapws::EnthalpyTP(T, p))) << T << " K " << p << " MPa";
      continue;
    }
    EXPECT_TRUE(Same(iapws::EnthalpyTP(T, p), full.h)) << T << " K " << p << " MPa";
    for (const auto& r : regions) {
      if (r.region != full.region) continue;
      for (iapws::Caloric which : asked) {
        const iapws::CaloricProps c = r.lean(T, p, which);
        const auto has = [which](iapws::Caloric part) {
          return (static_cast<unsigned>(which) & static_cast<unsigned>(part)) != 0;
        };
        EXPECT_TRUE(!has(kH) || Same(c.h, full.h)) << T << " K " << p << " MPa";
        EXPECT_TRUE(!has(kS) || Same(c.s, full.s)) << T << " K " << p << " MPa";
        EXPECT_TRUE(!has(kCp) || Same(c.cp, full.cp)) << T << " K " << p << " MPa";
        EXPECT_TRUE(!has(kRho) || Same(c.rho, full.rho)) << T << " K " << p << " MPa";
      }
    }
  }
  for (Region r : {Region::k1, Region::k2, Region::k3, Region::k5, Region::kNone})
    EXPECT_GT(regionsSeen[static_cast<int>(r)], 3) << static_cast<int>(r);
}

// The loops over arrays of states of one region (four states to a vector, the rest one by one)
// give each state's single-state values.
TEST(IapwsLean, CaloricArraysAreTheSingleStateValues) {
  using enum iapws::Caloric;
  const struct {
    Region region;
    iapws::CaloricProps (*single)(double, double, iapws::Caloric);
    void (*arrays)(std::span<const double>, std::span<const double>, iapws::Caloric,
                   const iapws::CaloricArrays&);
  } regions[] = {{Region::k1, iapws::Region1Caloric, iapws::Region1CaloricArrays},
                 {Region::k2, iapws::Region2Caloric, iapws::Region2CaloricArrays},
                 {Region::k5, iapws::Region5Caloric, iapws::Region5CaloricArrays}};
  for (const auto& r : regions) {
    std::vector<double> T, p;
    for (auto [t, pp] : Grid())
      if (iapws::RegionOf(t, pp) == r.region) T.push_back(t), p.push_back(pp);
    ASSERT_GT(T.size(), 3u);
    for (iapws::Caloric which : {kH, kH | kS | kRho, kS | kRho, kH | kCp}) {
      const std::size_t n = T.size();
      std::vector<double> h(n, -1), s(n, -1), cp(n, -1), rho(n, -1);
      r.arrays(T, p, which, {h, s, cp, rho});
      const auto has = [which](iapws::Caloric part) {
        return (static_cast<unsigned>(which) & static_cast<unsigned>(part)) != 0;
      };
      for (std::size_t i = 0; i < n; ++i) {
        const iapws::CaloricProps c = r.single(T[i], p[i], which);
        EXPECT_TRUE(has(kH) ? Same(h[i], c.h) : h[i] == -1) << T[i] << " K " << p[i] << " MPa";
        EXPECT_TRUE(has(kS) ? Same(s[i], c.s) : s[i] == -1) << T[i] << " K " << p[i] << " MPa";
        EXPECT_TRUE(has(kCp) ? Same(cp[i], c.cp) : cp[i] == -1) << T[i] << " K " << p[i] << " MPa";
        EXPECT_TRUE(has(kRho) ? Same(rho[i], c.rho) : rho[i] == -1) << T[i] << " K " << p[i] << " MPa";
      }
    }
  }
}

// Below 623.15 K the side of the line is that of Eq. 30 itself, however close the pressure.
TEST(IapwsLean, RegionOfFollowsTheSaturationEquation) {
  const double offsets[] = {-1e-4, -1e-8, -1e-11, -1e-14, 0, 1e-14, 1e-11, 1e-8, 1e-4};
  for (double T = 273.15; T <= 623.15; T += 0.35) {
    for (double knot : {T, std::min(623.15, 273.15 + 25 * std::floor((T - 273.15) / 25 + 0.5))}) {
      const double ps = iapws::SaturationPressure(knot);
      for (double offset : offsets) {
        const double p = ps * (1 + offset);
        EXPECT_EQ(iapws::RegionOf(knot, p), p >= ps ? Region::k1 : Region::k2)
            << knot << " K " << p << " MPa";
      }
    }
  }
}

// The releases beyond IF97, one at a time and then the rest, are those filled all at once.
TEST(IapwsLean, ExtrasFilledOneAtATimeAreThoseFilledAtOnce) {
  using enum iapws::Extra;
  std::vector<std::pair<iapws::StateKind, std::pair<double, double>>> states;
  for (auto state : Grid()) states.push_back({iapws::StateKind::kFluid, state});
  for (double T : {273.16, 300.0, 500.0, 647.0}) {
    states.push_back({iapws::StateKind::kSaturatedLiquid, {T, 0.0}});
    states.push_back({iapws::StateKind::kSaturatedVapour, {T, 0.0}});
  }
  states.push_back({iapws::StateKind::kIce, {250.0, 0.1}});
  for (auto [kind, Tp] : states) {
    iapws::WaterState all = iapws::Evaluate(kind, Tp.first, Tp.second);
    iapws::AddTransport(all);
    for (iapws::Extra first : {kViscosity, kConductivity, kSurfaceTension, kDielectric, kRefractive}) {
      iapws::WaterState w = iapws::Evaluate(kind, Tp.first, Tp.second);
      iapws::AddExtras(w, first);
      iapws::AddExtras(w, kAll);
      for (auto field : {&iapws::WaterState::mu, &iapws::WaterState::lambda, &iapws::WaterState::nu,
                         &iapws::WaterState::prandtl, &iapws::WaterState::sigma, &iapws::WaterState::epsilon,
                         &iapws::WaterState::refractive})
        EXPECT_TRUE(Same(w.*field, all.*field)) << Tp.first << " K " << Tp.second << " MPa";
    }
  }
}

struct Session {
  double quality = 40.0;
  Condition condition = Condition::kSuperheated;
  CalcContext ctx{quality, condition};
  std::unique_ptr<CalculatorTable> table = IapwsCorrelations().MakeCalculators(ctx);
};

// Every item asked alone (the enthalpy by its lean path, each release beyond IF97 alone) is the
// value and status a session asking for every item of the state gives. T in K, P in kPa.
TEST(IapwsLean, EachItemAloneIsThatOfTheWholeState) {
  std::vector<std::pair<Phase, std::pair<double, double>>> states;
  for (auto [T, p] : Grid()) {
    const Region region = iapws::RegionOf(T, p);
    const Phase phase = region == Region::k1   ? Phase::kSubCooledLiquid
                        : region == Region::k2 ? Phase::kSuperheated
                                               : Phase::kSuperCritical;
    states.push_back({phase, {T, p * 1000}});
  }
  for (double T : {273.16, 400.0, 640.0}) {
    for (Phase phase : {Phase::kSatLiquid, Phase::kSatVapour, Phase::kWetSteam})
      states.push_back({phase, {T, iapws::SaturationPressure(T) * 1000}});
  }
  states.push_back({Phase::kSubCooledSolid, {260.0, 101.325}});
  states.push_back({Phase::kSatSolid, {260.0, 0.2}});

  Session whole, enthalpyOnly;
  for (auto [phase, TP] : states) {
    const auto [T, P] = TP;
    const CalcResult leanH = enthalpyOnly.table->Compute(Item::kEnthalpy, phase, T, P);
    std::vector<CalcResult> all;
    for (Item item : VariableItems()) all.push_back(whole.table->Compute(item, phase, T, P));
    std::size_t k = 0;
    for (Item item : VariableItems()) {
      Session alone;
      const CalcResult a = alone.table->Compute(item, phase, T, P);
      EXPECT_EQ(a.status, all[k].status) << ItemCode(item) << " at " << T << " K " << P << " kPa";
      EXPECT_EQ(a.value, all[k].value) << ItemCode(item) << " at " << T << " K " << P << " kPa";
      if (item == Item::kEnthalpy) {
        EXPECT_EQ(leanH.status, a.status);
        EXPECT_EQ(leanH.value, a.value) << T << " K " << P << " kPa";
      }
      ++k;
    }
  }
}

}  // namespace
}  // namespace tulo
