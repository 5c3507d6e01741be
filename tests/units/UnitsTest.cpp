#include <gtest/gtest.h>

#include <cmath>

#include "common/Real6.h"
#include "units/Units.h"

namespace tulo {
namespace {

UnitSettings WithUnit(int q, int n) {
  UnitSettings u;
  UnitSelection sel = u.GetUnitSelection();
  if (q < kQuantityCount) sel[q] = static_cast<std::uint8_t>(n);
  u.InitUnits(sel);
  return u;
}

TEST(Units, WorkedConversions) {
  struct Case {
    int q, n;
    long double display, internal, tol;
  };
  const Case cases[] = {
      {kTemperature, 2, 100.0L, 373.15L, 1e-9L},    // Celsius
      {kTemperature, 3, 212.0L, 373.1498L, 5e-5L},  // Fahrenheit offset is -255.372, not -459.67/1.8
      {kTemperature, 4, 0.0L, 0.0L, 0.0L},          // Rankine has no offset
      {kPressure, 12, 0.0L, 101.325L, 1e-9L},       // kPa gauge
      {kPressure, 22, 14.504L, 201.325L, 1e-7L},    // PSI gauge
      {kPressure, 23, 1.0L, 1000.0L, 1e-7L},        // MPa abs, appended after the old units
      {kPressure, 24, 1.0L, 1101.325L, 1e-7L},      // MPa gauge
      {kDensity, 5, 0.001L, 1000.0L, 1e-7L},        // m3/kg
      {kDensity, 6, 1.0L, 1000.0L, 1e-7L},          // cm3/g
      {kDensity, 7, 0.0180151L, 1000.0L, 1e-3L},    // m3/kmol
      {kEnthalpyQ, 2, 43.011L, 100.0L, 1e-9L},      // Btu/lb
  };
  for (const auto& c : cases) {
    UnitSettings u = WithUnit(c.q, c.n);
    EXPECT_NEAR(static_cast<double>(u.ToInternal(c.q, c.display)), static_cast<double>(c.internal),
                static_cast<double>(c.tol))
        << u.UnitText(c.q);
    EXPECT_NEAR(static_cast<double>(u.ToDisplay(c.q, c.internal)), static_cast<double>(c.display),
                static_cast<double>(c.tol + 1e-6L * std::fabs(c.display)))
        << u.UnitText(c.q);
  }
}

TEST(Units, GaugeUnitsShowMinusAtmosphereForZeroAbsolute) {
  for (int n = 12; n <= 22; ++n) {
    UnitSettings gauge = WithUnit(kPressure, n);
    UnitSettings absolute = WithUnit(kPressure, n - 11);
    long double atm = absolute.ToDisplay(kPressure, 101.325L);
    EXPECT_NEAR(static_cast<double>(gauge.ToDisplay(kPressure, 0.0L)), -static_cast<double>(atm),
                1e-9 * std::fabs(static_cast<double>(atm)));
    std::string text = gauge.UnitText(kPressure);
    EXPECT_EQ(text.substr(text.size() - 6), " gauge");
  }
  EXPECT_NEAR(static_cast<double>(WithUnit(kPressure, 22).ToDisplay(kPressure, 0.0L)), -14.696, 0.001);
}

TEST(Units, RoundTripEveryUnitWithinReal6Precision) {
  const long double values[] = {373.15L, 0.5L, 1234.5678L, 2.5e-5L};
  for (int q = 0; q < kQuantityCount; ++q) {
    for (int n = 1; n <= UnitCount(q); ++n) {
      UnitSettings u = WithUnit(q, n);
      for (long double x : values) {
        long double back = u.ToInternal(q, u.ToDisplay(q, x));
        EXPECT_NEAR(static_cast<double>(back), static_cast<double>(x), 1e-9 * static_cast<double>(x) + 1e-9)
            << "q=" << q << " n=" << n;
      }
    }
  }
}

TEST(Units, TextsCountsAndSharedLists) {
  const int counts[] = {4, 24, 8, 6, 6, 1, 8, 6, 6, 3, 4, 4, 1};
  for (int q = 0; q <= kDimensionless; ++q) EXPECT_EQ(UnitCount(q), counts[q]) << q;
  EXPECT_EQ(UnitTextOf(kEnthalpyQ, 3), "cal/g ");
  EXPECT_EQ(UnitTextOf(kEntropyQ, 2), "Btu/lb.\u00B0F");
  EXPECT_EQ(UnitTextOf(kConductivityQ, 2), "Btu.in/ft2.h.\u00B0F");
  EXPECT_EQ(UnitTextOf(kPressure, 15), "inch H2O gauge");
  EXPECT_EQ(UnitTextOf(kPressure, 23), "MPa abs");
  EXPECT_EQ(UnitTextOf(kPressure, 24), "MPa gauge");
  // Entropy and heat capacity share one list but keep separate selections.
  UnitSettings u;
  u.InitUnits({1, 1, 1, 1, 2, 1, 1, 6, 1, 1, 1, 1});
  EXPECT_EQ(u.UnitText(kEntropyQ), "Btu/lb.\u00B0F");
  EXPECT_EQ(u.UnitText(kHeatCapacityQ), "kJ/kmol.K");
}

TEST(Units, DipoleAndDimensionlessIgnoreSelection) {
  UnitSettings u;
  u.InitUnits({1, 1, 1, 1, 1, 7, 1, 1, 1, 1, 1, 1});
  EXPECT_EQ(u.UnitText(kDipoleMoment), "debye");
  EXPECT_EQ(u.ToDisplay(kDipoleMoment, 1.8L), R6(1.8L));
  EXPECT_EQ(u.UnitText(kDimensionless), "-");
}

TEST(Units, UnitNumberOutsideRangeUsesFirstUnit) {
  UnitSettings u;
  u.InitUnits({0, 25, 200, 1, 1, 1, 1, 1, 1, 1, 1, 1});
  EXPECT_EQ(u.UnitText(kTemperature), "Kelvin");
  EXPECT_EQ(u.UnitText(kPressure), "kPa abs");
  EXPECT_EQ(u.ToDisplay(kDensity, 1000.0L), 1000.0L);
}

TEST(Units, ReciprocalOfZeroIsZeroAndOverflowIsNaN) {
  UnitSettings u = WithUnit(kDensity, 5);
  EXPECT_EQ(u.ToDisplay(kDensity, 0.0L), 0.0L);
  EXPECT_EQ(u.ToInternal(kDensity, 0.0L), 0.0L);
  UnitSettings micro = WithUnit(kViscosityQ, 6);
  EXPECT_TRUE(std::isnan(micro.ToDisplay(kViscosityQ, 1e35L)));
}

}  // namespace
}  // namespace tulo
