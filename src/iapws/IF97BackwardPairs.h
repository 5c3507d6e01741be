#pragma once
// Backward and boundary equations of IAPWS-IF97 for the pairs (p, h), (p, s) and (h, s) beyond
// those of the release itself. They give the starts of the iterations on the basic equations
// and are accurate only to the releases' permissible inconsistencies (millikelvin, 1e-4 relative
// in v, 1e-4 relative in p). Internal to the iapws layer. T in K, p in MPa, v in m3/kg, h in
// kJ/kg, s in kJ/(kg K).

namespace tulo::iapws::detail {

// ---- IAPWS SR3-03 (revised 2014): region 3 from (p, h) and (p, s) (IF97Region3BackwardPHS.cpp) ---
// The boundary between subregions 3a (h below) and 3b, Eq. 1.
double Region3abEnthalpy(double p);
// The entropy of the critical point, dividing 3a (s at or below) from 3b.
constexpr double kRegion3abEntropy = 4.41202148223476;
// Eqs. 2 to 9, in the subregion of (p, h) or (p, s).
double Region3TPH(double p, double h);
double Region3VPH(double p, double h);
double Region3TPS(double p, double s);
double Region3VPS(double p, double s);
// The saturation pressure of region 3 from h (Eq. 10) and from s (Eq. 11).
double Region3SaturationPressureH(double h);
double Region3SaturationPressureS(double s);

// ---- IAPWS SR2-01 (revised 2014): regions 1 and 2 from (h, s) (IF97BackwardHS12.cpp) -----------
double Region1PHS(double h, double s);  // Eq. 1
// The boundary between subregions 2a (h below) and 2b or 2c, Eq. 2.
double Region2abEnthalpy(double s);
// Eqs. 3 to 5: subregion 2a below Eq. 2, 2b at s >= 5.85 kJ/(kg K), 2c below.
double Region2PHS(double h, double s);

// ---- IAPWS SR4-04 (revised 2014): region 3, the boundaries and region 4 from (h, s) ------------
// (IF97BackwardHS3.cpp)
double Region3PHS(double h, double s);               // Eqs. 1 and 2, 3a at s <= kRegion3abEntropy
double SaturatedLiquidEnthalpy1(double s);           // h'1(s), Eq. 3, region 1 side of the saturation line
double SaturatedLiquidEnthalpy3a(double s);          // h'3a(s), Eq. 4
double SaturatedVapourEnthalpy2ab(double s);         // h''2ab(s), Eq. 5
double SaturatedVapourEnthalpy2c3b(double s);        // h''2c3b(s), Eq. 6
double B13Enthalpy(double s);                        // hB13(s), Eq. 7
double B23TemperatureHS(double h, double s);         // TB23(h, s), Eq. 8
double SaturationTemperatureHS(double h, double s);  // Tsat(h, s), Eq. 9

}  // namespace tulo::iapws::detail
