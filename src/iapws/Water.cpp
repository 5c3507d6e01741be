#include "iapws/Water.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <limits>
#include <optional>

#include "common/RangeLimit.h"
#include "iapws/Dielectric.h"
#include "iapws/Formulation.h"
#include "iapws/IF97.h"
#include "iapws/Iapws95.h"
#include "iapws/IceIh.h"
#include "iapws/MeltingSublimation.h"
#include "iapws/RefractiveIndex.h"
#include "iapws/SurfaceTension.h"
#include "iapws/ThermalConductivity.h"
#include "iapws/Transport95.h"
#include "iapws/Viscosity.h"

namespace tulo::iapws {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Range ends of the releases beyond IF97 (each release's own statement of validity), closed
// intervals met within the tolerance of common/RangeLimit.h.
constexpr double kSaturationTMin = 273.15;  // K, IF97 region 4
// R12-08 and R15-11 hold to 1173.15 K at the lower pressures and to lower temperatures above:
// bands of pressure (MPa, each up to its top) with the highest temperature (K) of each.
struct PressureBand {
  double pTop, tMax;
};
constexpr PressureBand kViscosityBands[] = {{300, 1173.15}, {350, 873.15}, {500, 433.15}, {1000, 373.15}};
constexpr PressureBand kConductivityBands[] = {
    {100, 1173.15}, {250, 874}, {687, 573}, {785, 403}, {1000, 348}};
constexpr double kDielectricTMax = 873.15;    // K, R8-97
constexpr double kRefractiveTMin = 261.15;    // K, R9-97
constexpr double kRefractiveTMax = 773.15;    // K
constexpr double kRefractiveRhoMax = 1060.0;  // kg/m3

double NaNUnless(bool inRange, double x) {
  return inRange ? x : kNaN;
}

// Whether (T, p) lies in the bands of a release.
template <std::size_t N>
bool InBands(const PressureBand (&bands)[N], double T, double p) {
  for (const PressureBand& band : bands)
    if (AtMost(p, band.pTop)) return AtMost(T, band.tMax);
  return false;
}

WaterState Invalid() {
  WaterState w;
  w.extras = Extra::kAll;
  for (double* f : {&w.T,
                    &w.p,
                    &w.rho,
                    &w.v,
                    &w.h,
                    &w.u,
                    &w.s,
                    &w.cp,
                    &w.cv,
                    &w.w,
                    &w.alphaV,
                    &w.kappaT,
                    &w.isentropicExponent,
                    &w.z,
                    &w.jouleThomson,
                    &w.mu,
                    &w.lambda,
                    &w.sigma,
                    &w.epsilon,
                    &w.refractive,
                    &w.nu,
                    &w.prandtl})
    *f = kNaN;
  return w;
}

// The properties both kinds of state share once rho, T and p are known; R of the formulation.
void FillCommon(WaterState& w, double R = kR) {
  w.valid = true;
  w.z = w.p * 1000.0 / (w.rho * R * w.T);  // kPa m3 = kJ
}

WaterState FromFluid(const FluidProps& f, double R = kR) {
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
  FillCommon(w, R);
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

namespace {

// mu (Pa s) and lambda (W/(m K)) of a fluid state, given mu for lambda's use.
struct TransportPair {
  double mu, lambda;
};
using TransportRule = TransportPair (*)(const WaterState& w, bool withLambda);

// IF97: R12-08 and R15-11 in their industrial forms (mu2 = 1; lambda2 from IF97 quantities).
TransportPair IndustrialTransport(const WaterState& w, bool withLambda) {
  const double mu = Viscosity(w.rho, w.T);
  return {mu, withLambda ? ThermalConductivity({w.rho, w.T, w.cp, w.cv, w.rho * w.kappaT, mu}) : 0.0};
}

// IAPWS-95: both releases in their scientific forms, from the state's IAPWS-95 quantities.
TransportPair ScientificTransport(const WaterState& w, bool) {
  const iapws95::Transport t = iapws95::TransportProperties({w.rho, w.T, w.cp, w.cv, w.kappaT});
  return {t.mu, t.lambda};
}

void AddExtrasBy(TransportRule transport, WaterState& w, Extra which) {
  auto has = [](Extra set, Extra part) {
    return (static_cast<unsigned>(set) & static_cast<unsigned>(part)) != 0;
  };
  if (has(which, Extra::kConductivity)) which = which | Extra::kViscosity;  // lambda and Pr use mu
  const auto missing = static_cast<Extra>(static_cast<unsigned>(which) & ~static_cast<unsigned>(w.extras));
  w.extras = w.extras | which;
  if (has(missing, Extra::kViscosity) || has(missing, Extra::kConductivity)) {
    const TransportPair t = transport(w, has(missing, Extra::kConductivity));
    if (has(missing, Extra::kViscosity)) {
      w.mu = NaNUnless(InBands(kViscosityBands, w.T, w.p), t.mu);
      w.nu = w.mu / w.rho;
    }
    if (has(missing, Extra::kConductivity)) {
      w.lambda = NaNUnless(InBands(kConductivityBands, w.T, w.p), t.lambda);
      w.prandtl = w.mu * w.cp * 1000.0 / w.lambda;
    }
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

}  // namespace

void AddExtras(WaterState& w, Extra which) {
  AddExtrasBy(IndustrialTransport, w, which);
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

// ---- IAPWS-95 ----------------------------------------------------------------------------------
// The fluid from IAPWS-95 (Iapws95.h), ice Ih and the curves as above, the transport releases in
// their scientific forms.
namespace {

bool Saturation95InRange(double T) {
  return InClosedRange(T, iapws95::kTt, kTc);
}

WaterState Evaluate95(StateKind kind, double T, double p) {
  switch (kind) {
    case StateKind::kFluid:
      return FromFluid(iapws95::StateTP(T, p), iapws95::kR);
    case StateKind::kSaturatedLiquid:
    case StateKind::kSaturatedVapour: {
      if (!Saturation95InRange(T)) return Invalid();
      const std::optional<iapws95::Saturation> sat = iapws95::SaturationAtT(std::clamp(T, iapws95::kTt, kTc));
      if (!sat) return Invalid();
      return FromFluid(kind == StateKind::kSaturatedLiquid ? sat->liquid : sat->vapour, iapws95::kR);
    }
    case StateKind::kIce:
    case StateKind::kSaturatedSolid:
      return Evaluate(kind, T, p);  // the ice Ih equation and the sublimation curve
  }
  return Invalid();
}

double Enthalpy95(StateKind kind, double T, double p) {
  return Evaluate95(kind, T, p).h;
}

void AddExtras95(WaterState& w, Extra which) {
  AddExtrasBy(ScientificTransport, w, which);
}

// The sublimation curve below the triple point, IAPWS-95's saturation line above it; the lines
// meet at 273.16 K, where the formulation's own triple-point pressure (611.6548 Pa) lies 2 mPa
// below that of R14-08.
double SaturationPressure95(double T) {
  if (AtLeast(T, kSublimationTMin) && T < iapws95::kTt) return SublimationPressure(T);
  if (!Saturation95InRange(T)) return kNaN;
  const std::optional<iapws95::Saturation> sat = iapws95::SaturationAtT(std::clamp(T, iapws95::kTt, kTc));
  return sat ? sat->p : kNaN;
}

double SaturationTemperature95(double p) {
  if (p >= iapws95::TriplePointPressure() && AtMost(p, kPc)) {
    const std::optional<iapws95::Saturation> sat = iapws95::SaturationAtP(std::min(p, kPc));
    return sat ? sat->T : kNaN;
  }
  if (AtLeast(p, SublimationPressure(kSublimationTMin)) && p < iapws95::TriplePointPressure())
    return SublimationTemperature(p);
  return kNaN;
}

// The melting curves of ices Ih, III, V and VI up to the top of the range.
double MeltingTemperature95(double p) {
  return InClosedRange(p, kMeltingIhPMin, iapws95::kPmax) ? MeltingTemperature(p) : kNaN;
}

double VaporisationEnthalpy95(double T) {
  if (!Saturation95InRange(T)) return kNaN;
  const std::optional<iapws95::Saturation> sat = iapws95::SaturationAtT(std::clamp(T, iapws95::kTt, kTc));
  return sat ? sat->vapour.h - sat->liquid.h : kNaN;
}

// The vapour's volume on the sublimation curve, m3/kg: at these pressures (below 611.657 Pa) the
// virial form v = R T / p (1 + delta phir_delta) with delta from the ideal gas, corrected twice,
// is exact to far below the last digit, and it holds down to 50 K, below the range of StateTP.
double SublimationVapourVolume(double T, double p) {
  double rho = p * 1000.0 / (iapws95::kR * T);  // kPa / (kJ/(kg K) K) = kg/m3
  for (int i = 0; i < 2; ++i) {
    const double delta = rho / iapws95::kRhoc;
    rho = p * 1000.0 / (iapws95::kR * T * (1.0 + delta * iapws95::ResidualPart(delta, iapws95::kTc / T).d));
  }
  return 1.0 / rho;
}

double SublimationEnthalpy95(double T) {
  if (!SublimationInRange(T)) return kNaN;
  const double p = SublimationPressure(T);
  return T * (SublimationVapourVolume(T, p) - Ice(T, p).v) * SublimationPressureSlope(T) * 1000.0;  // kJ/kg
}

double LowestTemperature95(double p) {
  if (p < kMeltingIhPMin) return std::max(iapws95::kTminVapour, SublimationTemperature(p));
  return MeltingTemperature(p);
}

}  // namespace

const Formulation& Iapws95Formulation() {
  static const Formulation k95{
      .name = "IAPWS-95",
      .gasConstant = iapws95::kR,
      .highestTemperature = iapws95::kTmax,
      .highestPressure = iapws95::kPmax,
      .lowestTemperatureAt = LowestTemperature95,
      .highestTemperatureAt = [](double) { return iapws95::kTmax; },
      .highestPressureAt =
          [](double T) {
            return T < MeltingTemperature(iapws95::kPmax)
                       ? std::min(iapws95::kPmax, MeltingPressureHighIce(T))
                       : iapws95::kPmax;
          },
      .evaluate = Evaluate95,
      .enthalpy = Enthalpy95,
      .addExtras = AddExtras95,
      .saturationPressureAt = SaturationPressure95,
      .saturationTemperatureAt = SaturationTemperature95,
      .meltingTemperatureAt = MeltingTemperature95,
      // Above the ice Ih - III - liquid point the melting temperature rises with p (ices III, V, VI).
      .highestMeltingTemperature = std::max(kTt, MeltingTemperature(iapws95::kPmax)),
      .vaporisationEnthalpy = VaporisationEnthalpy95,
      .sublimationEnthalpy = SublimationEnthalpy95,
      .stateFromPH = iapws95::StateFromPH,
      .stateFromPS = iapws95::StateFromPS,
      .stateFromHS = iapws95::StateFromHS,
      .stateFromTH = iapws95::StateFromTH,
      .stateFromTS = iapws95::StateFromTS,
  };
  return k95;
}

const Formulation& IF97Formulation() {
  static constexpr Formulation kIF97{
      .name = "IAPWS-IF97",
      .gasConstant = kR,
      .highestTemperature = 2273.15L,  // kTmax
      .highestPressure = kPmax,
      .lowestTemperatureAt = [](double) { return kTmin; },
      .highestTemperatureAt = [](double p) { return p > kPmax5 ? kT25 : kTmax; },
      .highestPressureAt = [](double) { return kPmax; },
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
