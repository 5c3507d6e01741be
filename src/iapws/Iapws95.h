#pragma once
// IAPWS R6-95(2018): Revised Release on the IAPWS Formulation 1995 for the Thermodynamic
// Properties of Ordinary Water Substance for General and Scientific Use. Units as in IF97.h:
// T in K, p in MPa, rho in kg/m3, specific quantities per kg in kJ.
//
// The Helmholtz energy f(rho, T)/(R T) = phi0(delta, tau) + phir(delta, tau) with
// delta = rho/rhoc and tau = Tc/T. Every property of a state comes from one evaluation of phi0
// and phir with their derivatives to second order (Iapws95Ideal.cpp, Iapws95Residual.cpp); the
// states at (T, p), on the saturation line and from the other input pairs are found by Newton
// iteration on those (Iapws95States.cpp, Iapws95Pairs.cpp), never by an auxiliary equation alone.
//
// Range offered: the stable fluid from the melting curves (ice Ih, III, V and VI of R14-08) and
// the sublimation curve up to 1273 K and 1000 MPa; vapour below the triple point down to 200 K,
// the lowest temperature to which the release says the gas may be extrapolated. Metastable
// states are not offered: at (T, p) the stable phase is taken.

#include <optional>

#include "iapws/IF97.h"
#include "iapws/IF97Pairs.h"

namespace tulo::iapws95 {

using iapws::FluidProps;
using iapws::IsothermAnswer;
using iapws::PairState;
using iapws::Region;

// Constants of the release (Eqs. 6.1-6.3; R is the value of the 2018 revision).
constexpr double kR = 0.46151805;  // kJ/(kg K), specific gas constant
constexpr double kTc = 647.096;    // K
constexpr double kRhoc = 322.0;    // kg/m3
constexpr double kPc = 22.064;     // MPa
constexpr double kTt = 273.16;     // K, triple point

// The range offered (see above).
constexpr double kTmax = 1273.0;       // K
constexpr double kPmax = 1000.0;       // MPa
constexpr double kTminVapour = 200.0;  // K
constexpr double kTminLiquid = 251.165;  // K, the ice Ih - ice III - liquid triple point

// A dimensionless part of the Helmholtz energy and its derivatives: f, df/ddelta, d2f/ddelta2,
// df/dtau, d2f/dtau2, d2f/ddelta dtau.
struct Phi {
  double f = 0, d = 0, dd = 0, t = 0, tt = 0, dt = 0;
};
// The ideal-gas part, Eq. 6.5 with Table 6.1; the residual part, Eq. 6.6 with Table 6.2 (the
// polynomial, exponential, Gaussian and non-analytic terms). delta > 0, tau > 0. At delta = 1
// (tau != 1) the non-analytic terms give their finite limits. At the critical point itself their
// second derivative in tau diverges: ResidualPart gives there the limits along the critical
// isochore, tt = -infinity and the other fields finite.
Phi IdealPart(double delta, double tau);
Phi ResidualPart(double delta, double tau);

// Every property of the fluid at (T, rho), from one evaluation of both parts; field g too. At the
// critical point itself cp, alphaV and kappaT are +infinity, w 0 (their limits).
// Field region labels the side: Region::k2 where rho < kRhoc, Region::k1 otherwise. No range
// check (T and rho positive and finite are the caller's); kNone only for a non-positive or
// non-finite argument.
FluidProps StateTRho(double T, double rho);

// Whether (T, p) lies in the range offered (both ends closed within common/RangeLimit.h).
bool InRange(double T, double p);

// The state of the stable phase at (T, p): Newton on rho for p(rho, T) = p, started from IF97's
// density where IF97 holds and from an auxiliary estimate elsewhere, on the liquid branch when
// p >= psat(T) below Tc and on the vapour branch otherwise. Field p is the given pressure
// (relative residual 1e-13 or better; for a liquid at low pressure, whose p is the small
// difference of terms of order rho R T, to the rounding of those, about 1e-13 of rho R T).
// Region kNone outside the range or should Newton fail.
FluidProps StateTP(double T, double p);

// The saturation state at T (kTt .. kTc): the densities rho' and rho'' for which both phases
// have equal pressure and equal Gibbs energy (Maxwell criterion), started from the auxiliary
// equations of the IAPWS supplementary release on saturation properties (SR1-86(1992)): g equal
// to 1e-12 R T or better, p to 1e-12 of rho' R T (the liquid's p is the small difference of terms
// of that size: near the triple point its last 8 digits are rounding). Within 2 mK of Tc the
// start comes from the solutions farther out and the power law of the coexistence curve, within
// 0.01 mK the densities are that power law's (Newton cannot resolve them there; p and g of both
// phases still agree). At kTc both phases are the critical state. Nothing outside the range.
struct Saturation {
  double T = 0;  // K
  double p = 0;  // MPa, the pressure of both phases (computed from the vapour, see above)
  FluidProps liquid;
  FluidProps vapour;
};
std::optional<Saturation> SaturationAtT(double T);
// The saturation state at p (the triple-point pressure .. kPc): Newton on T over SaturationAtT's
// solution. Nothing outside the range.
std::optional<Saturation> SaturationAtP(double p);
// The triple-point pressure of the formulation, MPa: the saturation pressure at kTt.
double TriplePointPressure();

// States given by other pairs, with the meaning and the region convention of IF97Pairs.h
// (region k4 for wet steam, k1 or k2 as in StateTRho for a single phase) over the range offered
// here; each found state reproduces its pair to a relative 1e-12 or better (x for wet steam by
// the lever rule between the saturated phases at its T). Nothing where no state of the range has
// the pair.
std::optional<PairState> StateFromPH(double p, double h);
std::optional<PairState> StateFromPS(double p, double s);
std::optional<PairState> StateFromHS(double h, double s);
IsothermAnswer StateFromTH(double T, double h);
IsothermAnswer StateFromTS(double T, double s);

}  // namespace tulo::iapws95
