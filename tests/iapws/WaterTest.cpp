// The combined state: IF97, ice and the transport releases put together, with each quantity's
// range. Reference values from python3-iapws (its IAPWS97 class below 623.15 K, where it is
// sound, and its ice and sublimation functions), computed once and pasted here.

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "iapws/IF97.h"
#include "iapws/MeltingSublimation.h"
#include "iapws/Water.h"

namespace tulo::iapws {
namespace {

struct FluidCase {
  double T, p, h, rho, cp, cv, w, mu, lambda, epsilon, refractive;
};

TEST(IapwsWater, FluidStatesAgreeWithAnIndependentImplementation) {
  const FluidCase cases[] = {
      {300, 1.0, 113.49230207645793, 996.9603203422387, 4.178572324566614, 4.127728062290078,
       1504.5575496751542, 0.0008536622646150848, 0.6100037027018231, 77.78077328858583, 1.3327880859803918},
      {500, 1.0, 2891.2765646355106, 4.532542418073724, 2.2819134617984442, 1.6718283010778041, 535.6667075595385,
       1.7053546177184406e-05, 0.03847291861608404, 1.0344317816679485, 1.0014318743684283},
      {800, 10.0, 3443.6958943774257, 29.10598723474691, 2.53239743053819, 1.8384627749356055, 662.46698662776,
       3.0100913774034334e-05, 0.07866404648674437, 1.1536378265586191, NAN},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.T << " K " << c.p << " MPa");
    WaterState w = Evaluate(StateKind::kFluid, c.T, c.p);
    ASSERT_TRUE(w.valid);
    AddTransport(w);
    for (auto [got, want] : {std::pair{w.h, c.h}, {w.rho, c.rho}, {w.cp, c.cp}, {w.cv, c.cv}, {w.w, c.w},
                             {w.mu, c.mu}, {w.lambda, c.lambda}, {w.epsilon, c.epsilon}})
      EXPECT_NEAR(got, want, 1e-9 * std::fabs(want));
    if (std::isnan(c.refractive))
      EXPECT_TRUE(std::isnan(w.refractive));  // 800 K is above R9-97's 773.15 K
    else
      EXPECT_NEAR(w.refractive, c.refractive, 1e-9);
    EXPECT_NEAR(w.z, c.p * 1000.0 / (c.rho * kR * c.T), 1e-12);
    EXPECT_NEAR(w.prandtl, w.mu * w.cp * 1000.0 / w.lambda, 1e-12);
    EXPECT_NEAR(w.isentropicExponent, w.w * w.w * w.rho / (c.p * 1e6), 1e-12);
  }
}

TEST(IapwsWater, SaturationQuantities) {
  EXPECT_NEAR(VaporisationEnthalpy(373.15), 2256.472874223131, 1e-8);
  WaterState liquid = Evaluate(StateKind::kSaturatedLiquid, 373.15, 0);
  AddTransport(liquid);
  EXPECT_NEAR(liquid.sigma, 0.058911868587664076, 1e-12);
  EXPECT_DOUBLE_EQ(VaporisationEnthalpy(kTc), 0.0);
  // The two branches of the saturation pressure meet at the triple point.
  EXPECT_NEAR(SaturationPressureAt(kTt - 1e-9), SaturationPressureAt(kTt), 1e-12);
  EXPECT_NEAR(SaturationTemperatureAt(SaturationPressureAt(250.0)), 250.0, 1e-9);
  EXPECT_NEAR(SaturationTemperatureAt(SaturationPressureAt(450.0)), 450.0, 1e-6);
  // Enthalpy of sublimation at the triple point: the enthalpy of fusion plus that of
  // vaporisation, 333.4 + 2500.9 kJ/kg, within the accuracy of the Clapeyron route.
  EXPECT_NEAR(SublimationEnthalpy(kTt), 2834.3, 1.0);
  EXPECT_NEAR(MeltingTemperatureAt(101.325e-3), 273.152519, 1e-6);
}

TEST(IapwsWater, IceStatesAndTheirRange) {
  WaterState ice = Evaluate(StateKind::kIce, 260.0, 0.1);
  ASSERT_TRUE(ice.valid);
  AddTransport(ice);
  EXPECT_NEAR(ice.h, -360.2965907072597, 1e-9);
  EXPECT_NEAR(ice.rho, 918.6113852070374, 1e-9);
  EXPECT_GT(ice.isentropicExponent, 0.0);
  EXPECT_TRUE(std::isnan(ice.mu));

  struct Case {
    StateKind kind;
    double T, p;
    bool valid;
  };
  const Case cases[] = {
      {StateKind::kIce, 260.0, 200.0, false},   // beyond the melting curve: liquid
      {StateKind::kIce, 260.0, 1e-6, false},    // below the sublimation curve: vapour
      {StateKind::kIce, 20.0, 1e-9, true},      // below 50 K every pressure is above the curve
      {StateKind::kIce, 273.17, 0.1, false},
      {StateKind::kSaturatedSolid, 49.0, 0, false},
      {StateKind::kSaturatedSolid, 200.0, 0, true},
      {StateKind::kSaturatedLiquid, 273.14, 0, false},
      {StateKind::kSaturatedVapour, kTc, 0, true},
      {StateKind::kFluid, 2273.15, 50.0, true},
      {StateKind::kFluid, 2273.16, 50.0, false},
      {StateKind::kFluid, 1500.0, 60.0, false},
      {StateKind::kFluid, 273.14, 1.0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.kind) << " " << c.T << " K " << c.p << " MPa");
    WaterState w = Evaluate(c.kind, c.T, c.p);
    EXPECT_EQ(w.valid, c.valid);
    if (!c.valid) {
      EXPECT_TRUE(std::isnan(w.h));
    }
  }
}

TEST(IapwsWater, EachReleaseStopsAtItsOwnRange) {
  WaterState hot = Evaluate(StateKind::kFluid, 1200.0, 10.0);  // region 5, above 1173.15 K
  ASSERT_TRUE(hot.valid);
  AddTransport(hot);
  EXPECT_TRUE(std::isnan(hot.mu) && std::isnan(hot.lambda) && std::isnan(hot.epsilon));
  WaterState warm = Evaluate(StateKind::kFluid, 900.0, 10.0);
  AddTransport(warm);
  EXPECT_FALSE(std::isnan(warm.mu));
  EXPECT_TRUE(std::isnan(warm.epsilon));  // R8-97 ends at 873.15 K
  WaterState dense = Evaluate(StateKind::kFluid, 700.0, 30.0);
  AddTransport(dense);
  EXPECT_TRUE(std::isnan(dense.sigma));  // above Tc
}

}  // namespace
}  // namespace tulo::iapws
