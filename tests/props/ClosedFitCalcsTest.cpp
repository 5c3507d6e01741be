// The closed fits: thermal conductivity (23), surface tension (24), isothermal compressibility
// (26), isentropic expansion coefficient (27), dielectric constant (29) and refractive index (30).

#include "props/CorrelationSession.h"

namespace tulo::testing {
namespace {

constexpr int kK = 23, kSigma = 24, kKappa = 26, kIsentropic = 27, kEps = 29, kN = 30;

TEST(ClosedFitCalcsTest, ThermalConductivity) {
  ExpectValues({
      {kK, 3, 223, 101.325, 0.00225, 1e-15},
      {kK, 0, 273.15, 0.6, 0.00225, 1e-15},
      {kK, 5, 300, 101.325, 0.000614, 0.0000005},
      {kK, 2, 373.15, 0, 2.52e-05, 0.005e-05},
      {kK, 7, 400, 100, 2.68e-05, 0.005e-05},
  });
  ExpectReferences({
      {kK, 5, 350, 10000, 6.7491978199996083e-4},
      {kK, 1, 273.16, 0.6112, 5.6803330563948151e-4},
      {kK, 2, 500, 0, 4.5208138021224364e-5},
      {kK, 7, 700, 20000, 1.0797556998587421e-4},
      {kK, 8, 900, 30000, 1.1597093781823276e-4},
  });
  ExpectStatuses({
      {kK, 3, 222.9, 101.325, 2},
      {kK, 5, 300, 52000, 0},
      {kK, 5, 300, 52001, 2},
      {kK, 2, 646.16, 0, 0},
      {kK, 2, 646.2, 0, 2},
      {kK, 7, 273, 100, 0},
      {kK, 7, 272.9, 100, 2},
      {kK, 8, 1088, 100, 0},
      {kK, 8, 1088.1, 100, 2},
      {kK, 8, 700, 52000, 0},
      {kK, 8, 700, 52000.1, 2},
  });
  ExpectNotGiven(kK, {4, 6, 9, 10});
}

TEST(ClosedFitCalcsTest, SurfaceTension) {
  ExpectValues({
      {kSigma, 1, 293.15, 0, 0.0728, 0.00005},
      {kSigma, 1, 373.15, 0, 0.0589, 0.00005},
  });
  ExpectReferences({
      {kSigma, 1, 293.15, 0, 7.2796072092046415e-2},
      {kSigma, 1, 400, 0, 5.3481607001458542e-2},
      {kSigma, 5, 600, 15000, 8.3558435660080477e-3},
  });
  CorrelationSession s;
  const Outcome nearCritical = s.Eval(kSigma, 5, 646.15, 21000);
  EXPECT_EQ(nearCritical.status, 0);
  EXPECT_GT(nearCritical.value, 0.0L);
  EXPECT_LT(nearCritical.value, 1e-4L);
  ExpectStatuses({{kSigma, 5, 646.2, 21000, 2}, {kSigma, 5, 300, 25000, 0}, {kSigma, 5, 300, 25001, 2}});
  ExpectNotGiven(kSigma, {0, 2, 3, 4, 6, 7, 8, 9, 10});
}

TEST(ClosedFitCalcsTest, IsothermalCompressibility) {
  ExpectValues({{kKappa, 5, 298.15, 101.325, 4.730e-07, 0.0005e-07}});
  ExpectReferences({
      {kKappa, 5, 298.15, 101.325, 4.7301726586708795e-7},
      {kKappa, 5, 350, 20000, 4.4717536483830991e-7},
      {kKappa, 1, 500, 90000, 6.2599386984035083e-7},
      {kKappa, 5, 300, 100, 4.7331009404936314e-7},
  });
  // Below 100 kPa the series is evaluated at 100 kPa.
  CorrelationSession s;
  const long double at100 = s.Eval(kKappa, 5, 300, 100).value;
  for (double p : {0.001, 50.0, 99.99}) EXPECT_EQ(s.Eval(kKappa, 5, 300, p).value, at100) << p;
  EXPECT_NE(s.Eval(kKappa, 5, 300, 100.01).value, at100);
  ExpectStatuses({
      {kKappa, 5, 273, 101.325, 0},
      {kKappa, 5, 272.9, 101.325, 2},
      {kKappa, 5, 640, 30000, 0},
      {kKappa, 5, 640.1, 30000, 2},
      {kKappa, 5, 300, 100000, 0},
      {kKappa, 5, 300, 100000.1, 2},
  });
  ExpectNotGiven(kKappa, {0, 2, 3, 4, 6, 7, 8, 9, 10});
}

TEST(ClosedFitCalcsTest, IsentropicExpansionCoefficient) {
  ExpectValues(
      {{kIsentropic, 2, 373.15, 101.325, 1.3205, 0.00005}, {kIsentropic, 7, 400, 100, 1.3183, 0.00005}});
  ExpectReferences({
      {kIsentropic, 7, 500, 2000, 1.2922757425458258},
      {kIsentropic, 8, 1200, 20000, 1.2566967592956644},
  });
  ExpectStatuses({
      {kIsentropic, 8, 1473, 25000, 0},
      {kIsentropic, 7, 1473.1, 100, 2},
      {kIsentropic, 8, 700, 25000.1, 2},
      {kIsentropic, 2, 200, 0.0001, 0},  // no lower limit
  });
  ExpectNotGiven(kIsentropic, {0, 1, 3, 4, 5, 6, 9, 10});
}

TEST(ClosedFitCalcsTest, DielectricConstant) {
  ExpectValues({
      {kEps, 5, 298.15, 101.325, 78.42, 0.005},
      {kEps, 5, 273.15, 101.325, 87.85, 0.005},
      {kEps, 5, 373.15, 101.325, 55.44, 0.005},
  });
  ExpectReferences({
      {kEps, 5, 400, 5000, 49.123173059837427},
      {kEps, 5, 550, 30000, 24.87265242182184},
  });
  ExpectStatuses({{kEps, 5, 624, 20000, 0}, {kEps, 5, 624.1, 20000, 2}, {kEps, 1, 200, 500000, 0}});
  ExpectNotGiven(kEps, {0, 2, 3, 4, 6, 7, 8, 9, 10});
}

TEST(ClosedFitCalcsTest, RefractiveIndex) {
  ExpectValues({{kN, 5, 298.15, 101.325, 1.3328, 0.00005}, {kN, 5, 288, 101.325, 1.3338, 0.00005}});
  ExpectReferences({{kN, 5, 330, 300, 1.3280840354182146}});
  ExpectStatuses({
      {kN, 5, 288, 500, 0},
      {kN, 1, 373.15, 101.325, 0},
      {kN, 5, 287.9, 101.325, 2},
      {kN, 5, 373.2, 101.325, 2},
      {kN, 1, 400, 245.6, 2},
      {kN, 5, 300, 500.1, 2},
  });
  ExpectNotGiven(kN, {0, 2, 3, 4, 6, 7, 8, 9, 10});
}

}  // namespace
}  // namespace tulo::testing
