#pragma once
// IAPWS-IF97 (Revised Release on the IAPWS Industrial Formulation 1997 for the Thermodynamic
// Properties of Water and Steam, 2012). Units as in the release: T in K, p in MPa, specific
// quantities per kg in kJ, density in kg/m3. Double precision throughout, no Real6 rounding.
//
// Every property of a state comes from one evaluation of the region's fundamental equation:
// the region function computes the dimensionless derivatives once and derives all of FluidProps
// from them.

#include <span>

namespace tulo::iapws {

// Constants of the release, Eqs. 1-4.
constexpr double kR = 0.461526;     // kJ/(kg K), specific gas constant
constexpr double kTc = 647.096;     // K, critical temperature
constexpr double kPc = 22.064;      // MPa, critical pressure
constexpr double kRhoc = 322.0;     // kg/m3, critical density
constexpr double kTt = 273.16;      // K, triple-point temperature
constexpr double kPt = 611.657e-6;  // MPa, triple-point pressure

// The range of validity of the release (Figure 1): 273.15 K to 1073.15 K up to 100 MPa (regions
// 1 to 4), 1073.15 K to 2273.15 K up to 50 MPa (region 5).
constexpr double kTmin = 273.15;   // K
constexpr double kT25 = 1073.15;   // K, regions 2 | 5: the highest temperature above 50 MPa
constexpr double kTmax = 2273.15;  // K
constexpr double kPmax = 100;      // MPa, regions 1 to 3
constexpr double kPmax5 = 50;      // MPa, region 5

// The regions of the release (Figure 1). kNone: outside the range of validity.
enum class Region { kNone = 0, k1 = 1, k2 = 2, k3 = 3, k4 = 4, k5 = 5 };

// Every property of one fluid state, from one evaluation.
struct FluidProps {
  Region region = Region::kNone;
  double T = 0;       // K
  double p = 0;       // MPa
  double rho = 0;     // kg/m3
  double v = 0;       // m3/kg
  double h = 0;       // kJ/kg
  double u = 0;       // kJ/kg
  double s = 0;       // kJ/(kg K)
  double g = 0;       // kJ/kg, specific Gibbs energy h - T s
  double cp = 0;      // kJ/(kg K)
  double cv = 0;      // kJ/(kg K)
  double w = 0;       // m/s, speed of sound
  double alphaV = 0;  // 1/K, isobaric cubic expansion coefficient (1/v)(dv/dT)_p
  double kappaT = 0;  // 1/MPa, isothermal compressibility -(1/v)(dv/dp)_T
};

// ---- Regions 1, 2 and 5 (IF97Regions125.cpp) -----------------------------------------------
FluidProps Region1(double T, double p);  // Eq. 7, Tables 2-4
FluidProps Region2(double T, double p);  // Eq. 15, Tables 10-12
FluidProps Region5(double T, double p);  // Eq. 32, Tables 37-39
// The same for only some of h, s, cp and rho (bits of Caloric), from only the derivatives they
// need: h alone is tau gamma_tau, s adds gamma, cp is tau^2 gamma_tautau, rho is pi gamma_pi.
// Each value is bitwise that of the full evaluation above; the fields not asked for are 0.
enum class Caloric : unsigned { kH = 1, kS = 2, kCp = 4, kRho = 8 };
constexpr Caloric operator|(Caloric a, Caloric b) {
  return static_cast<Caloric>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
struct CaloricProps {
  double h = 0;    // kJ/kg
  double s = 0;    // kJ/(kg K)
  double cp = 0;   // kJ/(kg K)
  double rho = 0;  // kg/m3
};
CaloricProps Region1Caloric(double T, double p, Caloric which);
CaloricProps Region2Caloric(double T, double p, Caloric which);
CaloricProps Region5Caloric(double T, double p, Caloric which);
// The same over many states of the region at once, (T[i], p[i]) into out.h[i], out.s[i],
// out.cp[i] and out.rho[i] for the bits of `which` (those spans T.size() long, the others not
// touched): one loop over the states, four at a time in the lanes of a vector on x86-64 (AVX2
// where the processor has it, chosen when the program starts; two SSE2 registers otherwise),
// each value bitwise that of RegionNCaloric(T[i], p[i], which): the same IEEE operations in the
// same order, never fused. Every state must lie in the region.
struct CaloricArrays {
  std::span<double> h, s, cp, rho;
};
void Region1CaloricArrays(std::span<const double> T, std::span<const double> p, Caloric which,
                          const CaloricArrays& out);
void Region2CaloricArrays(std::span<const double> T, std::span<const double> p, Caloric which,
                          const CaloricArrays& out);
void Region5CaloricArrays(std::span<const double> T, std::span<const double> p, Caloric which,
                          const CaloricArrays& out);
// The B23 boundary, Eqs. 5 and 6 (Table 1).
double B23Pressure(double T);     // MPa
double B23Temperature(double p);  // K
// The B2bc boundary between subregions 2b and 2c, Eq. 20 (Table 19), h in kJ/kg.
double B2bcPressure(double h);  // MPa
// Backward equations (Tables 6, 8, 20, 25). Region 2 subregion a, b or c by Eq. 20 and 2b/2c by
// the B2bc equation; s in kJ/(kg K).
double Region1TPH(double p, double h);
double Region1TPS(double p, double s);
double Region2TPH(double p, double h);
double Region2TPS(double p, double s);

// ---- Region 3 and region 4 (IF97Region3.cpp, IF97Region4.cpp) --------------------------------
// Region 3 from its basic equation f(rho, T), Eq. 28, Tables 30-32. Region kNone (every field 0)
// unless rho and T are positive and finite.
FluidProps Region3(double rho, double T);
// Region 3 at (T, p): start from the backward equations v(p, T) of the supplementary release
// (IAPWS SR5-05, revised 2016), then Newton on Eq. 28 to a relative pressure residual of 1e-12
// or better, on the liquid side of the saturation line when p >= psat(T) below Tc and on the
// vapour side otherwise. Field p is the given pressure. Region kNone if Newton finds no density.
FluidProps Region3TP(double T, double p);
// Saturation equation, Eqs. 30 and 31, Table 34; 0 outside the range.
double SaturationPressure(double T);     // MPa, 273.15 K .. Tc
double SaturationTemperature(double p);  // K, 611.213 Pa .. pc
// The two phases on the saturation line at T (273.15 K .. Tc), both at p = psat(T) of Eq. 30:
// regions 1/2 up to 623.15 K, region 3 above, the densities of Eq. 28 at psat(T) on the liquid
// (rho > rhoc) and vapour (rho < rhoc) branches to a relative pressure residual of 1e-12; field
// region names the equation used. Within 0.1 mK of Tc, where Eq. 28's vapour isotherm stays just
// below psat(T), the vapour is its spinodal. At Tc both are the critical state, with cp, alphaV
// and kappaT +infinity. Region kNone outside the range (or should the solution fail).
FluidProps SaturatedLiquid(double T);
FluidProps SaturatedVapour(double T);

// ---- The whole range (IF97.cpp) ---------------------------------------------------------------
// Where the saturation pressure of Eq. 30 lies at T, MPa, without Eq. 30: low < psat(T) < high,
// from its values every 25 K up to Tc (T beyond 273.15 K .. Tc is taken at the nearer end). The
// bounds stand 1e-9 (relative) beyond the knots, far beyond the rounding of Eq. 30 and of its
// inverse Eq. 31: a pressure outside them is on a settled side of the line by either equation.
struct PressureBracket {
  double low, high;
};
PressureBracket SaturationPressureBracket(double T);
// The region of (T, p) per Figure 1: 273.15..1073.15 K up to 100 MPa, 1073.15..2273.15 K up to
// 50 MPa. On a boundary the lower region: 623.15 K is region 1, the B23 line region 2,
// 1073.15 K region 2. A state exactly on the saturation line below 623.15 K is region 1. The
// ends of the range are met within the tolerance of common/RangeLimit.h.
Region RegionOf(double T, double p);
// The state at (T, p) in its region; region kNone (and every other field 0) outside the range.
FluidProps StateTP(double T, double p);
// Its enthalpy alone, kJ/kg (bitwise StateTP(T, p).h): the derivative gamma_tau in regions 1, 2
// and 5, region 3's state in full. NaN outside the range.
double EnthalpyTP(double T, double p);

}  // namespace tulo::iapws
