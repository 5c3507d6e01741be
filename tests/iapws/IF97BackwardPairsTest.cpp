// The backward and boundary equations of IAPWS SR3-03, SR2-01 and SR4-04 against the check values
// of the releases (ten significant digits): a typo in any coefficient table shows up here.

#include <gtest/gtest.h>

#include <iterator>

#include "iapws/IF97BackwardPairs.h"
#include "iapws/IF97TestSupport.h"

namespace tulo::iapws::detail {
namespace {

constexpr int kDigits = 10;

// A function of two variables at one point, and its printed value.
struct Check2 {
  double (*function)(double, double);
  double x;
  double y;
  double printed;
};

// A function of one variable.
struct Check1 {
  double (*function)(double);
  double x;
  double printed;
};

void Expect(const Check2* begin, const Check2* end) {
  for (const Check2* c = begin; c != end; ++c)
    EXPECT_TRUE(AgreesToPrintedDigits(c->function(c->x, c->y), c->printed, kDigits))
        << "at " << c->x << ", " << c->y << " (case " << c - begin << ")";
}

void Expect(const Check1* begin, const Check1* end) {
  for (const Check1* c = begin; c != end; ++c)
    EXPECT_TRUE(AgreesToPrintedDigits(c->function(c->x), c->printed, kDigits)) << "at " << c->x;
}

// SR3-03: T and v from (p, h) (Tables 5 and 8) and from (p, s) (Tables 12 and 15), in 3a and 3b.
TEST(IF97BackwardPairs, Region3FromPressureAndEnthalpyOrEntropy) {
  const Check2 table[] = {
      {Region3TPH, 20, 1700, 629.3083892},     {Region3TPH, 50, 2000, 690.5718338},
      {Region3TPH, 100, 2100, 733.6163014},    {Region3TPH, 20, 2500, 641.8418053},
      {Region3TPH, 50, 2400, 735.1848618},     {Region3TPH, 100, 2700, 842.0460876},
      {Region3VPH, 20, 1700, 1.749903962e-3},  {Region3VPH, 50, 2000, 1.908139035e-3},
      {Region3VPH, 100, 2100, 1.676229776e-3}, {Region3VPH, 20, 2500, 6.670547043e-3},
      {Region3VPH, 50, 2400, 2.801244590e-3},  {Region3VPH, 100, 2700, 2.404234998e-3},
      {Region3TPS, 20, 3.8, 628.2959869},      {Region3TPS, 50, 3.6, 629.7158726},
      {Region3TPS, 100, 4.0, 705.6880237},     {Region3TPS, 20, 5.0, 640.1176443},
      {Region3TPS, 50, 4.5, 716.3687517},      {Region3TPS, 100, 5.0, 847.4332825},
      {Region3VPS, 20, 3.8, 1.733791463e-3},   {Region3VPS, 50, 3.6, 1.469680170e-3},
      {Region3VPS, 100, 4.0, 1.555893131e-3},  {Region3VPS, 20, 5.0, 6.262101987e-3},
      {Region3VPS, 50, 4.5, 2.332634294e-3},   {Region3VPS, 100, 5.0, 2.449610757e-3},
  };
  Expect(std::begin(table), std::end(table));
}

// SR3-03: the 3a/3b boundary h3ab(p) and the region-3 saturation pressures p3sat(h), p3sat(s).
TEST(IF97BackwardPairs, Region3BoundaryAndSaturationPressure) {
  const Check1 table[] = {
      {Region3abEnthalpy, 25, 2095.936454},
      {Region3SaturationPressureH, 1700, 17.24175718},
      {Region3SaturationPressureH, 2000, 21.93442957},
      {Region3SaturationPressureH, 2400, 20.18090839},
      {Region3SaturationPressureS, 3.8, 16.87755057},
      {Region3SaturationPressureS, 4.2, 21.64451789},
      {Region3SaturationPressureS, 5.2, 16.68968482},
  };
  Expect(std::begin(table), std::end(table));
}

// SR2-01 Tables 3 and 9, the 2a/2b boundary h2ab(s); SR4-04 Table 5 (region 3) and Table 17
// (Tsat(h, s)): p(h, s) in every subregion.
TEST(IF97BackwardPairs, PressureAndSaturationTemperatureFromEnthalpyAndEntropy) {
  const Check2 table[] = {
      {Region1PHS, 0.001, 0, 9.800980612e-4},
      {Region1PHS, 90, 0, 91.92954727},
      {Region1PHS, 1500, 3.4, 58.68294423},
      {Region2PHS, 2800, 6.5, 1.371012767},
      {Region2PHS, 2800, 9.5, 1.879743844e-3},
      {Region2PHS, 4100, 9.5, 0.1024788997},
      {Region2PHS, 2800, 6, 4.793911442},
      {Region2PHS, 3600, 6, 83.95519209},
      {Region2PHS, 3600, 7, 7.527161441},
      {Region2PHS, 2800, 5.1, 94.39202060},
      {Region2PHS, 2800, 5.8, 8.414574124},
      {Region2PHS, 3400, 5.8, 83.76903879},
      {Region3PHS, 1700, 3.8, 25.55703246},
      {Region3PHS, 2000, 4.2, 45.40873468},
      {Region3PHS, 2100, 4.3, 60.78123340},
      {Region3PHS, 2600, 5.1, 34.34999263},
      {Region3PHS, 2400, 4.7, 63.63924887},
      {Region3PHS, 2700, 5.0, 88.39043281},
      {SaturationTemperatureHS, 1800, 5.3, 346.8475498},
      {SaturationTemperatureHS, 2400, 6.0, 425.1373305},
      {SaturationTemperatureHS, 2500, 5.5, 522.5579013},
      {B23TemperatureHS, 2600, 5.1, 713.5259364},
      {B23TemperatureHS, 2700, 5.15, 768.5345532},
      {B23TemperatureHS, 2800, 5.2, 817.6202120},
  };
  Expect(std::begin(table), std::end(table));
}

// SR2-01 Eq. 2 and SR4-04 Tables 10 and 12: the boundaries as functions of s.
TEST(IF97BackwardPairs, BoundaryEnthalpiesFromEntropy) {
  const Check1 table[] = {
      {Region2abEnthalpy, 7, 3376.437884},
      {SaturatedLiquidEnthalpy1, 1, 308.5509647},
      {SaturatedLiquidEnthalpy1, 2, 700.6304472},
      {SaturatedLiquidEnthalpy1, 3, 1198.359754},
      {SaturatedLiquidEnthalpy3a, 3.8, 1685.025565},
      {SaturatedLiquidEnthalpy3a, 4, 1816.891476},
      {SaturatedLiquidEnthalpy3a, 4.2, 1949.352563},
      {SaturatedVapourEnthalpy2ab, 7, 2723.729985},
      {SaturatedVapourEnthalpy2ab, 8, 2599.047210},
      {SaturatedVapourEnthalpy2ab, 9, 2511.861477},
      {SaturatedVapourEnthalpy2c3b, 5.5, 2687.693850},
      {SaturatedVapourEnthalpy2c3b, 5, 2451.623609},
      {SaturatedVapourEnthalpy2c3b, 4.5, 2144.360448},
      {B13Enthalpy, 3.7, 1632.525047},
      {B13Enthalpy, 3.6, 1593.027214},
      {B13Enthalpy, 3.5, 1566.104611},
  };
  Expect(std::begin(table), std::end(table));
}

}  // namespace
}  // namespace tulo::iapws::detail
