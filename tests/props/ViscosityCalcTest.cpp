// Viscosity (item 21), Pa.s.

#include "props/CorrelationSession.h"

namespace tulo::testing {
namespace {

constexpr Item kMu = Item::kViscosity;

TEST(ViscosityCalcTest, PublishedValues) {
  ExpectValues({
      {kMu, Phase::kSatLiquid, 273.16, 0, 1.7904e-3, 0.00005e-3},
      {kMu, Phase::kSatLiquid, 373.15, 0, 2.8240e-4, 0.00005e-4},
      {kMu, Phase::kSatLiquid, 573.15, 0, 8.5887e-5, 0.00005e-5},
      {kMu, Phase::kSatVapour, 273.16, 0, 8.6789e-6, 0.00005e-6},  // dilute formula
      {kMu, Phase::kSatVapour, 373.15, 0, 1.2040e-5, 0.00005e-5},
      {kMu, Phase::kSubCooledLiquid, 300, 101.325, 8.5400e-4, 0.00005e-4},
      {kMu, Phase::kSubCooledLiquid, 300, 50000, 8.5050e-4, 0.00005e-4},
      {kMu, Phase::kSuperheated, 473.15, 101.325, 1.6084e-5, 0.00005e-5},
      {kMu, Phase::kSuperheated, 700, 101.325, 2.5740e-5, 0.00005e-5},  // K = 0
      {kMu, Phase::kSuperCritical, 700, 25000, 3.2511e-5, 0.00005e-5},
  });
}

TEST(ViscosityCalcTest, IndependentReferenceValues) {
  ExpectReferences({
      {kMu, Phase::kSatLiquid, 450, 0, 1.5219137391067112e-4},
      {kMu, Phase::kSatVapour, 500, 0, 1.6637681749701937e-5},
      {kMu, Phase::kSatVapour, 250, 0, 7.93827359375e-6},
      {kMu, Phase::kSubCooledLiquid, 350, 30000, 3.7737213092718272e-4},
      {kMu, Phase::kSubCooledLiquid, 500, 5000, 1.179495556920272e-4},
      {kMu, Phase::kSuperheated, 500, 1000, 1.71677775e-5},
      {kMu, Phase::kSuperheated, 700, 3000, 2.5635593270169928e-5},     // K = 0 up to 3500 kPa
      {kMu, Phase::kSuperCritical, 800, 10000, 3.0331302008771464e-5},  // q below 20000 kPa
      {kMu, Phase::kSuperCritical, 900, 30000, 3.7061059997987903e-5},  // q from 20000 to 40000 kPa
      {kMu, Phase::kSuperCritical, 800, 40000, 3.6898310738026018e-5},  // q from 40000 kPa
  });
}

TEST(ViscosityCalcTest, RangeLimits) {
  ExpectStatuses({
      {kMu, Phase::kSatVapour, 195, 0, 0},
      {kMu, Phase::kSatVapour, 194.99, 0, 2},
      {kMu, Phase::kSatVapour, 190, 0, 2},
      {kMu, Phase::kSubCooledLiquid, 300, 100000, 0},
      {kMu, Phase::kSubCooledLiquid, 300, 100000.1, 2},
      {kMu, Phase::kSuperCritical, 974, 25000, 0},
      {kMu, Phase::kSuperCritical, 974.1, 25000, 2},
      {kMu, Phase::kSuperCritical, 1000, 25000, 2},
      {kMu, Phase::kSuperCritical, 800, 80000, 0},
      {kMu, Phase::kSuperCritical, 800, 80000.1, 2},
      {kMu, Phase::kSuperheated, 647.2, 90000, 0},  // dilute below 647.3 K
      {kMu, Phase::kSatLiquid, 648, 0, 2},
      {kMu, Phase::kSubCooledLiquid, 649, 101.325, 2},  // negative base of a power
  });
  ExpectNotGiven(kMu, {Phase::kSatSolid, Phase::kSubCooledSolid, Phase::kSatSolidVapour,
                       Phase::kSatLiquidVapour, Phase::kWetSteam, Phase::kNoPhase});
}

TEST(ViscosityCalcTest, DiluteFormulaBelowCriticalIgnoresPressure) {
  CorrelationSession s;
  const Outcome low = s.Eval(kMu, Phase::kSuperheated, 600, 101.325);
  const Outcome high = s.Eval(kMu, Phase::kSuperCritical, 600, 60000);
  ASSERT_EQ(low.status, Status::kValid);
  ASSERT_EQ(high.status, Status::kValid);
  EXPECT_EQ(low.value, high.value);
}

// The D row of the sub-cooled liquid fit has a pole at 22090 kPa. Outside a band of about
// +-460..+-890 kPa (depending on T) its term stays below 0.001; inside, the state is out of range.
// Band ends are from an independent evaluation of D * sum of the D row.
TEST(ViscosityCalcTest, PoleOfTheLiquidFitIsOutOfRange) {
  struct Band {
    double T, low, high;  // band ends, kPa
  };
  const Band bands[] = {{280, 21449.6, 22730.4}, {300, 21466.0, 22714.0}, {640, 21204.7, 22975.3}};
  for (const auto& b : bands) {
    ExpectStatuses({
        {kMu, Phase::kSubCooledLiquid, b.T, b.low - 1, 0},
        {kMu, Phase::kSubCooledLiquid, b.T, b.low + 1, 2},
        {kMu, Phase::kSubCooledLiquid, b.T, 22000, 2},
        {kMu, Phase::kSubCooledLiquid, b.T, 22089.99, 2},
        {kMu, Phase::kSubCooledLiquid, b.T, 22090, 0},  // D = 0 exactly: the fit without the D row
        {kMu, Phase::kSubCooledLiquid, b.T, 22090.01, 2},
        {kMu, Phase::kSubCooledLiquid, b.T, b.high - 1, 2},
        {kMu, Phase::kSubCooledLiquid, b.T, b.high + 1, 0},
    });
  }
  ExpectReferences({{kMu, Phase::kSubCooledLiquid, 300, 22090, 8.51184500326e-4}});
}

}  // namespace
}  // namespace tulo::testing
