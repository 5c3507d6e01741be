// The IAPWS standard behind the program's seam: which phase codes give which items, the statuses
// at the ends of each release's range, the phase condition, and one evaluation per state.

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>
#include <memory>

#include "common/Real6.h"
#include "iapws/MeltingSublimation.h"
#include "iapws/IF97.h"
#include "results/CalcState.h"
#include "results/IapwsSet.h"
#include "results/PhaseCondition.h"

namespace tulo {
namespace {

struct Fixture {
  double quality = 50.0;
  Condition condition = Condition::kSatLiquidVapour;
  CalcContext ctx{quality, condition};
  std::unique_ptr<CalculatorTable> table = IapwsCorrelations().MakeCalculators(ctx);

  Status StatusOf(Item item, Phase phase, double T, double P) { return table->Compute(item, phase, T, P).status; }
};

// The phase codes each item is given for (bit n: phase n), at a state where every phase is in
// range: 273.155 K lies in both the saturated-fluid range (from 273.15 K) and the
// saturated-solid range (to 273.16 K), and 0.1 MPa holds liquid there, and ice just below.
TEST(IapwsSet, EachItemIsGivenForItsPhases) {
  constexpr unsigned kMixing = 0b1110101111, kStates = 0b0110101111, kFluid = 0b0110100110;
  const struct {
    Item item;
    unsigned phases;
  } cases[] = {
      {Item::kEnthalpy, kMixing},
      {Item::kDensity, kMixing},
      {Item::kSpecificVolume, kMixing},
      {Item::kHeatCapacity, kStates},
      {Item::kIsentropicCoefficient, kStates},
      {Item::kSpeedOfSound, kStates},
      {Item::kViscosity, kFluid},
      {Item::kRefractiveIndex, kFluid},
      {Item::kJouleThomson, kFluid},
      {Item::kSurfaceTension, 0b0000100010},
      {Item::kVaporisationEnthalpy, 0b0000000011},
      {Item::kMeltingPoint, 0b0000101011},
      {Item::kSaturationPressure, 0b1111111111},
      {Item::kBoilingPoint, 0b1111111111},
  };
  for (const auto& c : cases) {
    for (int code = 0; code <= 9; ++code) {
      const auto phase = static_cast<Phase>(code);
      // Ice and liquid need their own side of the melting line; the rest do not look at P.
      const double T = phase == Phase::kSubCooledSolid ? 273.0 : 273.155;
      const double P = phase == Phase::kSuperheated ? 0.5 : 101.325;
      Fixture f;
      const Status want = (c.phases >> code) & 1 ? Status::kValid : Status::kNotGiven;
      EXPECT_EQ(f.StatusOf(c.item, phase, phase == Phase::kSuperheated ? 300.0 : T, P), want)
          << "item " << ItemCode(c.item) << " phase " << code;
    }
  }
}

TEST(IapwsSet, OutOfRangeAtTheEndsOfEachRange) {
  const struct {
    Item item;
    Phase phase;
    double T, P;
    Status want;
  } cases[] = {
      {Item::kEnthalpy, Phase::kSatLiquid, 273.14, 0, Status::kOutOfRange},
      {Item::kEnthalpy, Phase::kSatVapour, 647.096, 0, Status::kValid},
      {Item::kEnthalpy, Phase::kSatVapour, 647.1, 0, Status::kOutOfRange},
      {Item::kHeatCapacity, Phase::kSatLiquid, 647.096, 0, Status::kOutOfRange},  // infinite at Tc
      {Item::kEnthalpy, Phase::kSatSolid, 49.9, 0, Status::kOutOfRange},
      {Item::kEnthalpy, Phase::kSubCooledSolid, 260.0, 200000.0, Status::kOutOfRange},  // liquid there
      {Item::kEnthalpy, Phase::kSubCooledLiquid, 1073.15, 100000.0, Status::kValid},
      {Item::kEnthalpy, Phase::kSuperheated, 1073.16, 60000.0, Status::kOutOfRange},
      {Item::kEnthalpy, Phase::kSuperCritical, 2273.15, 50000.0, Status::kValid},
      {Item::kViscosity, Phase::kSuperheated, 1173.15, 1000.0, Status::kValid},
      {Item::kViscosity, Phase::kSuperheated, 1173.2, 1000.0, Status::kOutOfRange},
      {Item::kDielectricConstant, Phase::kSuperheated, 873.2, 1000.0, Status::kOutOfRange},
      {Item::kRefractiveIndex, Phase::kSuperheated, 773.2, 1000.0, Status::kOutOfRange},
      {Item::kSurfaceTension, Phase::kSubCooledLiquid, 650.0, 30000.0, Status::kOutOfRange},
      {Item::kSaturationPressure, Phase::kNoPhase, 650.0, 0, Status::kNotGiven},
      {Item::kSaturationPressure, Phase::kNoPhase, 49.0, 0, Status::kOutOfRange},
      {Item::kSaturationTemperature, Phase::kNoPhase, 0, 22100.0, Status::kNotGiven},
      {Item::kMeltingPoint, Phase::kSubCooledLiquid, 300.0, 0.5, Status::kOutOfRange},  // below pt
      {Item::kMeltingPoint, Phase::kSubCooledLiquid, 300.0, 208566.0, Status::kValid},
      {Item::kVaporisationEnthalpy, Phase::kSatSolid, 273.17, 0, Status::kOutOfRange},
  };
  for (const auto& c : cases) {
    Fixture f;
    EXPECT_EQ(f.StatusOf(c.item, c.phase, c.T, c.P), c.want)
        << "item " << ItemCode(c.item) << " phase " << static_cast<int>(c.phase) << " at " << c.T << " K "
        << c.P << " kPa";
  }
}

// The ranges are closed, and an end holds for the values that reach it: stored as a Real6 by the
// window (1173.15 K becomes 1173.1500000003725, 273.15 K 273.14999999990687) or a few ulps off
// after a unit conversion. A step of 1e-9 beyond is outside.
TEST(IapwsSet, ClosedRangeEndsHoldForStoredAndConvertedValues) {
  const double pSub50 = iapws::SublimationPressure(iapws::kSublimationTMin) * 1000.0;  // kPa
  const struct {
    Item item;
    Phase phase;
    double T, P;
    bool limitOnT;
    double outward;  // +1 for an upper end, -1 for a lower one
  } cases[] = {
      {Item::kViscosity, Phase::kSuperheated, 1173.15, 1000.0, true, +1},
      {Item::kThermalConductivity, Phase::kSuperheated, 1173.15, 1000.0, true, +1},
      {Item::kEnthalpy, Phase::kSuperheated, 1073.15, 80000.0, true, +1},  // region 2 to 100 MPa
      {Item::kEnthalpy, Phase::kSuperheated, 273.15, 0.5, true, -1},
      {Item::kEnthalpy, Phase::kSubCooledLiquid, 273.15, 10000.0, true, -1},
      {Item::kEnthalpy, Phase::kSatLiquid, 273.15, 0, true, -1},
      {Item::kDensity, Phase::kSatVapour, 273.15, 0, true, -1},
      {Item::kEnthalpy, Phase::kSubCooledSolid, 273.16, 0.611657, true, +1},  // the triple point
      {Item::kEnthalpy, Phase::kSatSolid, 273.16, 0, true, +1},
      {Item::kDielectricConstant, Phase::kSuperheated, 873.15, 1000.0, true, +1},
      {Item::kRefractiveIndex, Phase::kSuperheated, 773.15, 1000.0, true, +1},
      {Item::kSaturationTemperature, Phase::kNoPhase, 0, pSub50, false, -1},
  };
  for (const auto& c : cases) {
    const double limit = c.limitOnT ? c.T : c.P;
    // A Real6 holds no pressure as low as p_sub(50 K), 1.9e-43 kPa: there the limit itself.
    const double stored = R6(limit) != 0 ? static_cast<double>(R6(limit)) : limit;
    const double inside[] = {limit, stored,
                             limit * (1.0 + c.outward * 4 * std::numeric_limits<double>::epsilon())};
    auto status = [&](double x) {
      Fixture f;
      return c.limitOnT ? f.StatusOf(c.item, c.phase, x, c.P) : f.StatusOf(c.item, c.phase, c.T, x);
    };
    for (double x : inside)
      EXPECT_EQ(status(x), Status::kValid)
          << "item " << ItemCode(c.item) << " at " << std::setprecision(17) << x;
    EXPECT_EQ(status(limit * (1.0 + c.outward * 1e-9)), Status::kOutOfRange) << "item " << ItemCode(c.item);
  }
}

TEST(IapwsSet, WetSteamMixesByMassAndDensityByVolume) {
  Fixture f;  // quality 50 %
  const double T = 400.0;
  auto at = [&](Item item, Phase phase) { return static_cast<double>(f.table->Compute(item, phase, T, 0).value); };
  EXPECT_NEAR(at(Item::kEnthalpy, Phase::kWetSteam),
              (at(Item::kEnthalpy, Phase::kSatLiquid) + at(Item::kEnthalpy, Phase::kSatVapour)) / 2, 1e-9);
  const double v = (1 / at(Item::kDensity, Phase::kSatLiquid) + 1 / at(Item::kDensity, Phase::kSatVapour)) / 2;
  EXPECT_NEAR(at(Item::kDensity, Phase::kWetSteam), 1 / v, 1e-12);
}

TEST(IapwsSet, PhaseConditionFollowsTheStandardsLines) {
  const struct {
    double T, P;
    Condition want;
  } cases[] = {
      {300.0, 101.325, Condition::kSubCooledLiquid},
      {373.12, 101.325, Condition::kSatLiquidVapour},  // IF97's Tsat is 373.124 K
      {400.0, 101.325, Condition::kSuperheated},
      {650.0, 22100.0, Condition::kSuperCritical},
      {647.2, 22100.0, Condition::kSuperCritical},  // the built-in standard: liquid below 647.29 K
      {273.0, 1000.0, Condition::kSubCooledSolid},
      {273.1, 10000.0, Condition::kSubCooledLiquid},  // the melting line falls with pressure
      {250.0, 0.0760, Condition::kSatSolidVapour},
      {250.0, 0.01, Condition::kSuperheated},
      {250.0, 0.5, Condition::kSubCooledSolid},  // below the triple-point pressure
  };
  for (const auto& c : cases) {
    Fixture f;
    CalcState state;
    DetermineCondition(state, *f.table, c.T, c.P);
    EXPECT_EQ(state.Condition, c.want) << c.T << " K " << c.P << " kPa";
  }
}

// The window and the front ends that hand values on: a state given by T and P has the phase of its
// side of the saturation line, the band of DetermineCondition notwithstanding.
TEST(IapwsSet, StatesInTheSaturationBandTakeTheirSide) {
  const double psub250 = iapws::SublimationPressure(250.0) * 1000.0;  // 0.0760 kPa
  const struct {
    double T, P;
    Condition band, side;
  } cases[] = {
      {373.12, 101.325, Condition::kSatLiquidVapour, Condition::kSubCooledLiquid},
      {373.2, 101.325, Condition::kSatLiquidVapour, Condition::kSuperheated},
      {249.95, psub250, Condition::kSatSolidVapour, Condition::kSubCooledSolid},
      {250.05, psub250, Condition::kSatSolidVapour, Condition::kSuperheated},
      {400.0, 101.325, Condition::kSuperheated, Condition::kSuperheated},
  };
  for (const auto& c : cases) {
    Fixture f;
    CalcState state;
    DetermineCondition(state, *f.table, c.T, c.P);
    EXPECT_EQ(state.Condition, c.band) << c.T << " K " << c.P << " kPa";
    DetermineValueCondition(state, *f.table, c.T, c.P);
    EXPECT_EQ(state.Condition, c.side) << c.T << " K " << c.P << " kPa";
    EXPECT_EQ(state.ConditionText, ConditionName(c.side));
  }
}

// The phase condition skips the melting curve above HighestMeltingTemperature: no pressure the
// input accepts, nor any beyond the curve's ends, melts warmer.
TEST(IapwsSet, NoMeltingTemperatureAboveTheHighest) {
  const CorrelationSet& set = IapwsCorrelations();
  const InputRange range = set.InputLimits(kPressure);
  const long double highest = set.HighestMeltingTemperature();
  EXPECT_EQ(highest, iapws::kTt);
  for (long double P = range.lowest / 2; P <= range.highest * 4; P *= 1.01L)
    ASSERT_LE(set.MeltingTemperature(P), highest) << P << " kPa";
  EXPECT_EQ(set.MeltingTemperature(iapws::kPt * 1000.0), highest);
}

TEST(IapwsSet, ValuesAreStoredAsDoublesNotRoundedToReal6) {
  Fixture f;
  const CalcResult h = f.table->Compute(Item::kEnthalpy, Phase::kSubCooledLiquid, 300.0, 1000.0);
  EXPECT_EQ(static_cast<double>(h.value), iapws::Region1(300.0, 1.0).h);
  EXPECT_EQ(f.table->VarPropCalc(Item::kEnthalpy)->LastResult(), iapws::Region1(300.0, 1.0).h);
}

}  // namespace
}  // namespace tulo
