// IAPWS R1-76(2014), surface tension.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "iapws/PrintedValue.h"
#include "iapws/SurfaceTension.h"

namespace tulo::testing {
namespace {

struct TensionCheck {
  double T;             // K
  const char* printed;  // mN/m
};

// R1-76(2014) Table 1, values of sigma on the saturation curve (a selection over the whole range).
const std::vector<TensionCheck> kTable1 = {
    {273.16, "75.65"}, {283.15, "74.22"}, {293.15, "72.74"}, {303.15, "71.19"}, {313.15, "69.60"},
    {323.15, "67.94"}, {333.15, "66.24"}, {343.15, "64.48"}, {353.15, "62.67"}, {363.15, "60.82"},
    {373.15, "58.91"}, {393.15, "54.97"}, {413.15, "50.86"}, {433.15, "46.59"}, {453.15, "42.19"},
    {473.15, "37.67"}, {523.15, "26.04"}, {573.15, "14.36"}, {623.15, "3.67"},  {643.15, "0.39"},
};

TEST(SurfaceTensionTest, ReleaseTable1) {
  for (const TensionCheck& c : kTable1) {
    EXPECT_TRUE(MatchesPrinted(iapws::SurfaceTension(c.T) * 1e3, c.printed)) << c.T;
  }
}

TEST(SurfaceTensionTest, RangeEnds) {
  // The supercooled extension to -25 C continues the same curve upwards.
  const double cold = iapws::SurfaceTension(iapws::kSurfaceTensionTMin);
  EXPECT_GT(cold, iapws::SurfaceTension(273.16));
  EXPECT_LT(cold, 0.080);
  EXPECT_EQ(iapws::SurfaceTension(647.096), 0.0);
  EXPECT_EQ(iapws::SurfaceTension(700), 0.0);
  EXPECT_GT(iapws::SurfaceTension(647.0), 0.0);
  // Monotone over the whole range.
  for (double T = 248.15; T < 647.0; T += 1.0)
    EXPECT_GT(iapws::SurfaceTension(T), iapws::SurfaceTension(T + 1.0));
}

}  // namespace
}  // namespace tulo::testing
