// The backward equations v(p, T) of region 3 (IAPWS SR5-05(2016)): the release's check values of
// every subregion equation and of every subregion boundary, and the choice of subregion.

#include <gtest/gtest.h>

#include "iapws/IF97.h"
#include "iapws/IF97Region3Backward.h"
#include "iapws/IF97Region3Internal.h"
#include "iapws/IF97TestSupport.h"

namespace tulo::iapws::detail {
namespace {

using enum Subregion3;

// SR5-05(2016), Table 5 and the check values of the auxiliary equations: T in K, p in MPa, v in
// m3/kg, printed to ten significant digits. Each state lies in the subregion of its row.
struct VolumeRow {
  Subregion3 subregion;
  double T, p, v;
};
constexpr VolumeRow kCheckVolumes[] = {
    {kA, 630, 50, 0.001470853100},      {kA, 670, 80, 0.001503831359},
    {kB, 710, 50, 0.002204728587},      {kB, 750, 80, 0.001973692940},
    {kC, 630, 20, 0.001761696406},      {kC, 650, 30, 0.001819560617},
    {kD, 656, 26, 0.002245587720},      {kD, 670, 30, 0.002506897702},
    {kE, 661, 26, 0.002970225962},      {kE, 675, 30, 0.003004627086},
    {kF, 671, 26, 0.005019029401},      {kF, 690, 30, 0.004656470142},
    {kG, 649, 23.6, 0.002163198378},    {kG, 650, 24, 0.002166044161},
    {kH, 652, 23.6, 0.002651081407},    {kH, 654, 24, 0.002967802335},
    {kI, 653, 23.6, 0.003273916816},    {kI, 655, 24, 0.003550329864},
    {kJ, 655, 23.5, 0.004545001142},    {kJ, 660, 24, 0.005100267704},
    {kK, 660, 23, 0.006109525997},      {kK, 670, 24, 0.006427325645},
    {kL, 646, 22.6, 0.002117860851},    {kL, 646, 23, 0.002062374674},
    {kM, 648.6, 22.6, 0.002533063780},  {kM, 649.3, 22.8, 0.002572971781},
    {kN, 649, 22.6, 0.002923432711},    {kN, 649.7, 22.8, 0.002913311494},
    {kO, 649.1, 22.6, 0.003131208996},  {kO, 649.9, 22.8, 0.003221160278},
    {kP, 649.4, 22.6, 0.003715596186},  {kP, 650.2, 22.8, 0.003664754790},
    {kQ, 640, 21.1, 0.001970999272},    {kQ, 643, 21.8, 0.002043919161},
    {kR, 644, 21.1, 0.005251009921},    {kR, 648, 21.8, 0.005256844741},
    {kS, 635, 19.1, 0.001932829079},    {kS, 638, 20, 0.001985387227},
    {kT, 626, 17, 0.008483262001},      {kT, 640, 20, 0.006227528101},
    {kU, 644.6, 21.5, 0.002268366647},  {kU, 646.1, 22, 0.002296350553},
    {kV, 648.6, 22.5, 0.002832373260},  {kV, 647.9, 22.3, 0.002811424405},
    {kW, 647.5, 22.15, 0.003694032281}, {kW, 648.1, 22.3, 0.003622226305},
    {kX, 648, 22.11, 0.004528072649},   {kX, 649, 22.3, 0.004556905799},
    {kY, 646.84, 22, 0.002698354719},   {kY, 647.05, 22.064, 0.002717655648},
    {kZ, 646.89, 22, 0.003798732962},   {kZ, 647.15, 22.064, 0.003701940009},
};

TEST(IF97Region3Backward, CheckVolumesOfEverySubregion) {
  for (const VolumeRow& row : kCheckVolumes) {
    SCOPED_TRACE(::testing::Message()
                 << "subregion " << static_cast<char>('a' + static_cast<int>(row.subregion)) << " T " << row.T
                 << " p " << row.p);
    EXPECT_TRUE(AgreesToPrintedDigits(Region3SubregionVolume(row.subregion, row.T, row.p), row.v, 10));
    EXPECT_EQ(Region3SubregionOf(row.T, row.p), row.subregion);
    EXPECT_TRUE(AgreesToPrintedDigits(Region3BackwardVolume(row.T, row.p), row.v, 10));
  }
}

// SR5-05(2016): the check values of the boundary equations, T in K to ten digits.
TEST(IF97Region3Backward, CheckTemperaturesOfTheBoundaries) {
  const struct {
    Boundary3 boundary;
    double p, T;
  } rows[] = {
      {Boundary3::kAB, 40, 693.0341408},   {Boundary3::kCD, 25, 649.3659208},
      {Boundary3::kEF, 40, 713.9593992},   {Boundary3::kGH, 23, 649.8873759},
      {Boundary3::kIJ, 23, 651.5778091},   {Boundary3::kJK, 23, 655.8338344},
      {Boundary3::kMN, 22.8, 649.6054133}, {Boundary3::kOP, 22.8, 650.0106943},
      {Boundary3::kQU, 22, 645.6355027},   {Boundary3::kRX, 22, 648.2622754},
      {Boundary3::kUV, 22.3, 647.7996121}, {Boundary3::kWX, 22.3, 648.2049480},
  };
  for (const auto& row : rows) {
    EXPECT_TRUE(AgreesToPrintedDigits(Region3BoundaryTemperature(row.boundary, row.p), row.T, 10))
        << "boundary " << static_cast<int>(row.boundary);
  }
}

// The choice of subregion on both sides of the pressure limits of Tables 2 and 10 (1 Pa above
// the limit, and on it), where a wrong comparison picks an equation outside its range. The
// expected letters agree with an independent implementation of the same tables.
TEST(IF97Region3Backward, SubregionsAcrossThePressureLimits) {
  const double pSat643 = SaturationPressure(643.15);
  const struct {
    double T, pLimit;
    Subregion3 above, at;
  } rows[] = {
      {690, 40, kA, kD},     {700, 40, kB, kE},       {653, 25, kD, kG},      {659, 25, kF, kI},
      {647, 23.5, kG, kL},   {650, 23, kH, kM},       {650.7, 23, kI, kO},    {644, 22.5, kL, kQ},
      {647.3, 22.5, kL, kU}, {648.5, 22.5, kM, kV},   {648.8, 22.5, kO, kW},  {649.2, 22.5, kP, kX},
      {650, 22.5, kJ, kX},   {647.22, 22.11, kV, kY}, {647.3, 22.11, kW, kZ}, {641, pSat643, kQ, kS},
      {641.5, 20.5, kK, kT},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Region3SubregionOf(row.T, row.pLimit + 1e-6), row.above)
        << "T " << row.T << " p " << row.pLimit;
    EXPECT_EQ(Region3SubregionOf(row.T, row.pLimit), row.at) << "T " << row.T << " p " << row.pLimit;
  }
}

// The saturated volumes start the saturation solver close to the converged phases: within 0.1 %
// away from the critical point, within 3 % in the last kelvin below it, where the volumes at
// Eq. 30's pressure move fast with the small difference between Eq. 30 and Eq. 28's own
// saturation pressure.
TEST(IF97Region3Backward, SaturatedVolumesStartCloseToTheSaturatedStates) {
  const struct {
    double T, tolerance;
  } rows[] = {{623.5, 1e-3}, {630, 1e-3},   {640, 1e-3}, {643, 1e-3},   {644, 1e-3},
              {646, 1e-3},   {646.5, 3e-2}, {647, 3e-2}, {647.09, 3e-2}};
  for (const auto& row : rows) {
    const double p = SaturationPressure(row.T);
    const FluidProps liquid = SaturatedLiquid(row.T), vapour = SaturatedVapour(row.T);
    EXPECT_NEAR(Region3SaturatedLiquidVolume(row.T, p), liquid.v, row.tolerance * liquid.v) << "T " << row.T;
    EXPECT_NEAR(Region3SaturatedVapourVolume(row.T, p), vapour.v, row.tolerance * vapour.v) << "T " << row.T;
  }
}

}  // namespace
}  // namespace tulo::iapws::detail
