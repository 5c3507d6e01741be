// The closed fits: thermal conductivity, surface tension, isothermal compressibility, isentropic
// expansion coefficient, dielectric constant and refractive index.

#include "props/CorrelationSession.h"

namespace tulo::testing {
namespace {

constexpr Item kK = Item::kThermalConductivity, kSigma = Item::kSurfaceTension,
               kKappa = Item::kIsothermalCompressibility, kIsentropic = Item::kIsentropicCoefficient,
               kEps = Item::kDielectricConstant, kN = Item::kRefractiveIndex;

TEST(ClosedFitCalcsTest, ThermalConductivity) {
  ExpectValues({
      {kK, Phase::kSubCooledSolid, 223, 101.325, 0.00225, 1e-15},
      {kK, Phase::kSatSolid, 273.15, 0.6, 0.00225, 1e-15},
      {kK, Phase::kSubCooledLiquid, 300, 101.325, 0.000614, 0.0000005},
      {kK, Phase::kSatVapour, 373.15, 0, 2.52e-05, 0.005e-05},
      {kK, Phase::kSuperheated, 400, 100, 2.68e-05, 0.005e-05},
  });
  ExpectReferences({
      {kK, Phase::kSubCooledLiquid, 350, 10000, 6.7491978199996083e-4},
      {kK, Phase::kSatLiquid, 273.16, 0.6112, 5.6803330563948151e-4},
      {kK, Phase::kSatVapour, 500, 0, 4.5208138021224364e-5},
      {kK, Phase::kSuperheated, 700, 20000, 1.0797556998587421e-4},
      {kK, Phase::kSuperCritical, 900, 30000, 1.1597093781823276e-4},
  });
  ExpectStatuses({
      {kK, Phase::kSubCooledSolid, 222.9, 101.325, 2},
      {kK, Phase::kSubCooledLiquid, 300, 52000, 0},
      {kK, Phase::kSubCooledLiquid, 300, 52001, 2},
      {kK, Phase::kSatVapour, 646.16, 0, 0},
      {kK, Phase::kSatVapour, 646.2, 0, 2},
      {kK, Phase::kSuperheated, 273, 100, 0},
      {kK, Phase::kSuperheated, 272.9, 100, 2},
      {kK, Phase::kSuperCritical, 1088, 100, 0},
      {kK, Phase::kSuperCritical, 1088.1, 100, 2},
      {kK, Phase::kSuperCritical, 700, 52000, 0},
      {kK, Phase::kSuperCritical, 700, 52000.1, 2},
  });
  ExpectNotGiven(kK, {Phase::kSatSolidVapour, Phase::kSatLiquidVapour, Phase::kWetSteam, Phase::kNoPhase});
}

TEST(ClosedFitCalcsTest, SurfaceTension) {
  ExpectValues({
      {kSigma, Phase::kSatLiquid, 293.15, 0, 0.0728, 0.00005},
      {kSigma, Phase::kSatLiquid, 373.15, 0, 0.0589, 0.00005},
  });
  ExpectReferences({
      {kSigma, Phase::kSatLiquid, 293.15, 0, 7.2796072092046415e-2},
      {kSigma, Phase::kSatLiquid, 400, 0, 5.3481607001458542e-2},
      {kSigma, Phase::kSubCooledLiquid, 600, 15000, 8.3558435660080477e-3},
  });
  CorrelationSession s;
  const Outcome nearCritical = s.Eval(kSigma, Phase::kSubCooledLiquid, 646.15, 21000);
  EXPECT_EQ(nearCritical.status, Status::kValid);
  EXPECT_GT(nearCritical.value, 0.0L);
  EXPECT_LT(nearCritical.value, 1e-4L);
  ExpectStatuses({{kSigma, Phase::kSubCooledLiquid, 646.2, 21000, 2},
                  {kSigma, Phase::kSubCooledLiquid, 300, 25000, 0},
                  {kSigma, Phase::kSubCooledLiquid, 300, 25001, 2}});
  ExpectNotGiven(kSigma, {Phase::kSatSolid, Phase::kSatVapour, Phase::kSubCooledSolid, Phase::kSatSolidVapour,
                          Phase::kSatLiquidVapour, Phase::kSuperheated, Phase::kSuperCritical,
                          Phase::kWetSteam, Phase::kNoPhase});
}

TEST(ClosedFitCalcsTest, IsothermalCompressibility) {
  ExpectValues({{kKappa, Phase::kSubCooledLiquid, 298.15, 101.325, 4.730e-07, 0.0005e-07}});
  ExpectReferences({
      {kKappa, Phase::kSubCooledLiquid, 298.15, 101.325, 4.7301726586708795e-7},
      {kKappa, Phase::kSubCooledLiquid, 350, 20000, 4.4717536483830991e-7},
      {kKappa, Phase::kSatLiquid, 500, 90000, 6.2599386984035083e-7},
      {kKappa, Phase::kSubCooledLiquid, 300, 100, 4.7331009404936314e-7},
  });
  // Below 100 kPa the series is evaluated at 100 kPa.
  CorrelationSession s;
  const long double at100 = s.Eval(kKappa, Phase::kSubCooledLiquid, 300, 100).value;
  for (double p : {0.001, 50.0, 99.99})
    EXPECT_EQ(s.Eval(kKappa, Phase::kSubCooledLiquid, 300, p).value, at100) << p;
  EXPECT_NE(s.Eval(kKappa, Phase::kSubCooledLiquid, 300, 100.01).value, at100);
  ExpectStatuses({
      {kKappa, Phase::kSubCooledLiquid, 273, 101.325, 0},
      {kKappa, Phase::kSubCooledLiquid, 272.9, 101.325, 2},
      {kKappa, Phase::kSubCooledLiquid, 640, 30000, 0},
      {kKappa, Phase::kSubCooledLiquid, 640.1, 30000, 2},
      {kKappa, Phase::kSubCooledLiquid, 300, 100000, 0},
      {kKappa, Phase::kSubCooledLiquid, 300, 100000.1, 2},
  });
  ExpectNotGiven(kKappa, {Phase::kSatSolid, Phase::kSatVapour, Phase::kSubCooledSolid, Phase::kSatSolidVapour,
                          Phase::kSatLiquidVapour, Phase::kSuperheated, Phase::kSuperCritical,
                          Phase::kWetSteam, Phase::kNoPhase});
}

TEST(ClosedFitCalcsTest, IsentropicExpansionCoefficient) {
  ExpectValues({{kIsentropic, Phase::kSatVapour, 373.15, 101.325, 1.3205, 0.00005},
                {kIsentropic, Phase::kSuperheated, 400, 100, 1.3183, 0.00005}});
  ExpectReferences({
      {kIsentropic, Phase::kSuperheated, 500, 2000, 1.2922757425458258},
      {kIsentropic, Phase::kSuperCritical, 1200, 20000, 1.2566967592956644},
  });
  ExpectStatuses({
      {kIsentropic, Phase::kSuperCritical, 1473, 25000, 0},
      {kIsentropic, Phase::kSuperheated, 1473.1, 100, 2},
      {kIsentropic, Phase::kSuperCritical, 700, 25000.1, 2},
      {kIsentropic, Phase::kSatVapour, 200, 0.0001, 0},  // no lower limit
  });
  ExpectNotGiven(kIsentropic,
                 {Phase::kSatSolid, Phase::kSatLiquid, Phase::kSubCooledSolid, Phase::kSatSolidVapour,
                  Phase::kSubCooledLiquid, Phase::kSatLiquidVapour, Phase::kWetSteam, Phase::kNoPhase});
}

TEST(ClosedFitCalcsTest, DielectricConstant) {
  ExpectValues({
      {kEps, Phase::kSubCooledLiquid, 298.15, 101.325, 78.42, 0.005},
      {kEps, Phase::kSubCooledLiquid, 273.15, 101.325, 87.85, 0.005},
      {kEps, Phase::kSubCooledLiquid, 373.15, 101.325, 55.44, 0.005},
  });
  ExpectReferences({
      {kEps, Phase::kSubCooledLiquid, 400, 5000, 49.123173059837427},
      {kEps, Phase::kSubCooledLiquid, 550, 30000, 24.87265242182184},
  });
  ExpectStatuses({{kEps, Phase::kSubCooledLiquid, 624, 20000, 0},
                  {kEps, Phase::kSubCooledLiquid, 624.1, 20000, 2},
                  {kEps, Phase::kSatLiquid, 200, 500000, 0}});
  ExpectNotGiven(kEps, {Phase::kSatSolid, Phase::kSatVapour, Phase::kSubCooledSolid, Phase::kSatSolidVapour,
                        Phase::kSatLiquidVapour, Phase::kSuperheated, Phase::kSuperCritical, Phase::kWetSteam,
                        Phase::kNoPhase});
}

TEST(ClosedFitCalcsTest, RefractiveIndex) {
  ExpectValues({{kN, Phase::kSubCooledLiquid, 298.15, 101.325, 1.3328, 0.00005},
                {kN, Phase::kSubCooledLiquid, 288, 101.325, 1.3338, 0.00005}});
  ExpectReferences({{kN, Phase::kSubCooledLiquid, 330, 300, 1.3280840354182146}});
  ExpectStatuses({
      {kN, Phase::kSubCooledLiquid, 288, 500, 0},
      {kN, Phase::kSatLiquid, 373.15, 101.325, 0},
      {kN, Phase::kSubCooledLiquid, 287.9, 101.325, 2},
      {kN, Phase::kSubCooledLiquid, 373.2, 101.325, 2},
      {kN, Phase::kSatLiquid, 400, 245.6, 2},
      {kN, Phase::kSubCooledLiquid, 300, 500.1, 2},
  });
  ExpectNotGiven(kN, {Phase::kSatSolid, Phase::kSatVapour, Phase::kSubCooledSolid, Phase::kSatSolidVapour,
                      Phase::kSatLiquidVapour, Phase::kSuperheated, Phase::kSuperCritical, Phase::kWetSteam,
                      Phase::kNoPhase});
}

}  // namespace
}  // namespace tulo::testing
