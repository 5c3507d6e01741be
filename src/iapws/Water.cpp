#include "iapws/Water.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>

#include "common/RangeLimit.h"
#include "iapws/Dielectric.h"
#include "iapws/Formulation.h"
#include "iapws/IF97.h"
#include "iapws/IceIh.h"
#include "iapws/MeltingSublimation.h"
#include "iapws/RefractiveIndex.h"
#include "iapws/SurfaceTension.h"
#include "iapws/ThermalConductivity.h"
#include "iapws/Viscosity.h"

namespace tulo::iapws {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Range ends of the releases beyond IF97 (each release's own statement of validity), closed
// intervals met within the tolerance of common/RangeLimit.h.
constexpr double kSaturationTMin = 273.15;   // K, IF97 region 4
constexpr double kTransportTMax = 1173.15;   // K, R12-08 and R15-11
constexpr double kDielectricTMax = 873.15;   // K, R8-97
constexpr double kRefractiveTMin = 261.15;   // K, R9-97
constexpr double kRefractiveTMax = 773.15;   // K
constexpr double kRefractiveRhoMax = 1060.0;  // kg/m3

double NaNUnless(bool inRange, double x) {
  return inRange ? x : kNaN;
}

WaterState Invalid() {
  WaterState w;
  w.extras = Extra::kAll;
  for (double* f : {&w.T, &w.p, &w.rho, &w.v, &w.h, &w.u, &w.s, &w.cp, &w.cv, &w.w, &w.alphaV, &w.kappaT,
                    &w.isentropicExponent, &w.z, &w.jouleThomson, &w.mu, &w.lambda, &w.sigma, &w.epsilon,
                    &w.refractive, &w.nu, &w.prandtl})
    *f = kNaN;
  return w;
}

// The properties both kinds of state share once rho, T and p are known.
void FillCommon(WaterState& w) {
  w.valid = true;
  w.z = w.p * 1000.0 / (w.rho * kR * w.T);  // kPa m3 = kJ
}

WaterState FromFluid(const FluidProps& f) {
  if (f.region == Region::kNone) return Invalid();
  WaterState w;
  w.T = f.T;
  w.p = f.p;
  w.rho = f.rho;
  w.v = f.v;
  w.h = f.h;
  w.u = f.u;
  w.s = f.s;
  w.cp = f.cp;
  w.cv = f.cv;
  w.w = f.w;
  w.alphaV = f.alphaV;
  w.kappaT = f.kappaT;
  FillCommon(w);
  w.isentropicExponent = f.w * f.w * f.rho / (f.p * 1e6);
  // (dT/dp)_h = (T v alpha - v) / cp: K m3/kJ is K/kPa, times 1000 for K/MPa.
  w.jouleThomson = (f.T * f.v * f.alphaV - f.v) / f.cp * 1000.0;

  return w;
}

WaterState FromIce(const IceProps& ice) {
  WaterState w = Invalid();  // no release covers the transport of ice: those fields stay NaN
  w.T = ice.T;
  w.p = ice.p;
  w.rho = ice.rho;
  w.v = ice.v;
  w.h = ice.h;
  w.u = ice.u;
  w.s = ice.s;
  w.cp = ice.cp;
  w.alphaV = ice.alpha;
  w.kappaT = ice.kappaT;
  // cv = cp - T v alpha^2 / kappaT: K m3/kg K^-2 MPa = MJ/(kg K), times 1000 for kJ.
  w.cv = ice.cp - ice.T * ice.v * ice.alpha * ice.alpha / ice.kappaT * 1000.0;
  w.w = std::sqrt(1.0 / (ice.rho * ice.kappaS * 1e-6));
  FillCommon(w);
  w.isentropicExponent = 1.0 / (ice.p * ice.kappaS);
  return w;
}

// Ice Ih exists at (T, p) on or above the sublimation curve (defined from 50 K; below it every
// pressure is above the curve) and on or below the melting curve.
// The curves are met within the same tolerance as the range ends: a boundary computed by an
// inverse (Newton on a curve) may land a few ulps off the exact curve.
bool IceInRange(double T, double p) {
  if (!(T > 0.0 && AtMost(T, kTt) && p > 0.0 && AtMost(p, kMeltingIhPMax))) return false;
  // The sublimation curve ends at the triple point: a temperature a few ulps above it is on its end.
  const double onCurve = std::min(T, kTt);
  if (T >= kSublimationTMin && !AtLeast(p, SublimationPressure(onCurve))) return false;
  if (p > kPt && !AtMost(T, MeltingTemperatureIh(p))) return false;
  return true;
}

bool SaturationInRange(double T) {
  return InClosedRange(T, kSaturationTMin, kTc);
}

// A saturation temperature in range, onto the exact range when it lies a few ulps beyond an end:
// the saturation equations answer nothing outside it.
double OnSaturationRange(double T) {
  return std::clamp(T, kSaturationTMin, kTc);
}

bool SublimationInRange(double T) {
  return InClosedRange(T, kSublimationTMin, kSublimationTMax);
}

}  // namespace

void AddExtras(WaterState& w, Extra which) {
  auto has = [](Extra set, Extra part) {
    return (static_cast<unsigned>(set) & static_cast<unsigned>(part)) != 0;
  };
  if (has(which, Extra::kConductivity)) which = which | Extra::kViscosity;  // lambda and Pr use mu
  const auto missing = static_cast<Extra>(static_cast<unsigned>(which) & ~static_cast<unsigned>(w.extras));
  w.extras = w.extras | which;
  const bool transport = AtMost(w.T, kTransportTMax);
  if (has(missing, Extra::kViscosity)) {
    w.mu = NaNUnless(transport, Viscosity(w.rho, w.T));
    w.nu = w.mu / w.rho;
  }
  if (has(missing, Extra::kConductivity)) {
    w.lambda = NaNUnless(transport, ThermalConductivity({w.rho, w.T, w.cp, w.cv, w.rho * w.kappaT, w.mu}));
    w.prandtl = w.mu * w.cp * 1000.0 / w.lambda;
  }
  if (has(missing, Extra::kSurfaceTension))
    w.sigma = NaNUnless(InClosedRange(w.T, kSurfaceTensionTMin, kTc), SurfaceTension(std::min(w.T, kTc)));
  if (has(missing, Extra::kDielectric))
    w.epsilon = NaNUnless(AtMost(w.T, kDielectricTMax), DielectricConstant(w.rho, w.T));
  if (has(missing, Extra::kRefractive)) {
    w.refractive =
        NaNUnless(InClosedRange(w.T, kRefractiveTMin, kRefractiveTMax) && AtMost(w.rho, kRefractiveRhoMax),
                  RefractiveIndex(w.rho, w.T, kRefractiveWavelength));
  }
}

void AddTransport(WaterState& w) {
  AddExtras(w, Extra::kAll);
}

double Enthalpy(StateKind kind, double T, double p) {
  if (kind == StateKind::kFluid) return EnthalpyTP(T, p);
  return Evaluate(kind, T, p).h;
}

WaterState Evaluate(StateKind kind, double T, double p) {
  switch (kind) {
    case StateKind::kFluid:
      return FromFluid(StateTP(T, p));
    case StateKind::kSaturatedLiquid:
      return SaturationInRange(T) ? FromFluid(SaturatedLiquid(OnSaturationRange(T))) : Invalid();
    case StateKind::kSaturatedVapour:
      return SaturationInRange(T) ? FromFluid(SaturatedVapour(OnSaturationRange(T))) : Invalid();
    case StateKind::kIce:
      return IceInRange(T, p) ? FromIce(Ice(T, p)) : Invalid();
    case StateKind::kSaturatedSolid:
      return SublimationInRange(T) ? FromIce(Ice(T, SublimationPressure(T))) : Invalid();
  }
  return Invalid();
}

double SaturationPressureAt(double T) {
  if (AtLeast(T, kSublimationTMin) && T < kTt) return SublimationPressure(T);
  if (T >= kTt && AtMost(T, kTc)) return SaturationPressure(std::min(T, kTc));
  return kNaN;
}

// The sublimation temperature clamps its argument to the curve's ends itself.
double SaturationTemperatureAt(double p) {
  if (p >= kPt && AtMost(p, kPc)) return SaturationTemperature(std::min(p, kPc));
  if (AtLeast(p, SublimationPressure(kSublimationTMin)) && p < kPt) return SublimationTemperature(p);
  return kNaN;
}

double MeltingTemperatureAt(double p) {
  return InClosedRange(p, kMeltingIhPMin, kMeltingIhPMax) ? MeltingTemperatureIh(p) : kNaN;
}

double VaporisationEnthalpy(double T) {
  if (!SaturationInRange(T)) return kNaN;
  T = OnSaturationRange(T);
  return SaturatedVapour(T).h - SaturatedLiquid(T).h;
}

double SublimationEnthalpy(double T) {
  if (!SublimationInRange(T)) return kNaN;
  const double p = SublimationPressure(T);
  // Region 2's volume stays sound below 273.15 K although its heat capacity does not.
  const double vapourV = Region2(T, p).v;
  const double iceV = Ice(T, p).v;
  return T * (vapourV - iceV) * SublimationPressureSlope(T) * 1000.0;  // MJ/kg to kJ/kg
}

const Formulation& IF97Formulation() {
  static constexpr Formulation kIF97{
      .name = "IAPWS-IF97",
      .gasConstant = kR,
      .highestTemperature = kTmax,
      .highestPressure = kPmax,
      .lowestTemperatureAt = [](double) { return kTmin; },
      .highestTemperatureAt = [](double p) { return p > kPmax5 ? kT25 : kTmax; },
      .evaluate = Evaluate,
      .enthalpy = Enthalpy,
      .addExtras = AddExtras,
      .saturationPressureAt = SaturationPressureAt,
      .saturationTemperatureAt = SaturationTemperatureAt,
      .meltingTemperatureAt = MeltingTemperatureAt,
      // The melting curve of ice Ih falls from the triple point.
      .highestMeltingTemperature = std::max(kMeltingIhTMax, kTt),
      .vaporisationEnthalpy = VaporisationEnthalpy,
      .sublimationEnthalpy = SublimationEnthalpy,
      .stateFromPH = StateFromPH,
      .stateFromPS = StateFromPS,
      .stateFromHS = StateFromHS,
      .stateFromTH = StateFromTH,
      .stateFromTS = StateFromTS,
  };
  return kIF97;
}

}  // namespace tulo::iapws
