#pragma once
// Backward equations v(p, T) for region 3 of IAPWS-IF97: IAPWS SR5-05(2016), "Revised
// Supplementary Release on Backward Equations for Specific Volume as a Function of Pressure and
// Temperature v(p,T) for Region 3". They give the start of the Newton iteration on Eq. 28; their
// own accuracy is that of the release (about 1e-6 relative in v away from the critical point).
// Internal to the iapws layer. T in K, p in MPa, v in m3/kg.

namespace tulo::iapws::detail {

// The subregions 3a .. 3t and the auxiliary near-critical subregions 3u .. 3z.
enum class Subregion3 {
  kA,
  kB,
  kC,
  kD,
  kE,
  kF,
  kG,
  kH,
  kI,
  kJ,
  kK,
  kL,
  kM,
  kN,
  kO,
  kP,
  kQ,
  kR,
  kS,
  kT,
  kU,
  kV,
  kW,
  kX,
  kY,
  kZ
};

// The boundaries between subregions, Eqs. 1 to 3 of the release: T3xy(p) in K.
enum class Boundary3 { kAB, kCD, kEF, kGH, kIJ, kJK, kMN, kOP, kQU, kRX, kUV, kWX };
double Region3BoundaryTemperature(Boundary3 boundary, double p);

// The subregion of (T, p) in region 3 (Tables 2 and 10 of the release). On a boundary the
// subregion below it in temperature.
Subregion3 Region3SubregionOf(double T, double p);

// Eq. 4 (Eq. 5 for 3n) of one subregion at (T, p), whether or not (T, p) lies in it.
double Region3SubregionVolume(Subregion3 subregion, double T, double p);

// v(p, T) in the subregion of (T, p).
double Region3BackwardVolume(double T, double p);

// The saturated volumes above 623.15 K, from the subregions that the release names for the
// saturation line (3c, 3s, 3u, 3y for the liquid; 3t, 3r, 3x, 3z for the vapour), at the
// saturation temperature T and pressure p.
double Region3SaturatedLiquidVolume(double T, double p);
double Region3SaturatedVapourVolume(double T, double p);

}  // namespace tulo::iapws::detail
