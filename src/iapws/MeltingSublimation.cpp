// IAPWS R14-08(2011), the melting curves of ices Ih, III, V and VI and the sublimation curve.

#include "iapws/MeltingSublimation.h"

#include <cmath>

namespace tulo::iapws {
namespace {

// Both curves are reduced by the triple point.
constexpr double kCurveTt = 273.16;      // K
constexpr double kCurvePt = 611.657e-6;  // MPa

struct CurveTerm {
  double a;
  double b;
};

// R14-08 Table 1: ice Ih melting pressure, pi = 1 + sum a_i (1 - theta^b_i).
constexpr CurveTerm kMeltIh[] = {
    {0.119539337e7, 0.300000e1},
    {0.808183159e5, 0.257500e2},
    {0.333826860e4, 0.103750e3},
};

// R14-08 Table 2: sublimation pressure, ln pi = theta^-1 sum a_i theta^b_i.
constexpr CurveTerm kSublimation[] = {
    {-0.212144006e2, 0.333333333e-2},
    {0.273203819e2, 0.120666667e1},
    {-0.610598130e1, 0.170333333e1},
};

// R14-08 Eqs. 2-4: the melting pressures of ices III, V and VI, pi = 1 - a (1 - theta^b), each
// reduced by its triple point with the liquid and the ice below it.
struct MeltingCurve {
  double Tn;  // K
  double pn;  // MPa
  double a;
  double b;
};
constexpr MeltingCurve kMeltIII{251.165, 208.566, 0.299948, 60};
constexpr MeltingCurve kMeltV{256.164, 350.100, 1.18721, 8};
constexpr MeltingCurve kMeltVI{273.31, 632.400, 1.07476, 4.6};

double Pressure(const MeltingCurve& curve, double T) {
  return curve.pn * (1.0 - curve.a * (1.0 - std::pow(T / curve.Tn, curve.b)));
}
// The inverse: theta^b = 1 + (pi - 1) / a.
double Temperature(const MeltingCurve& curve, double p) {
  return curve.Tn * std::pow(1.0 + (p / curve.pn - 1.0) / curve.a, 1.0 / curve.b);
}

struct ValueSlope {
  double value;
  double slope;  // d value / d theta
};

// Reduced melting pressure of ice Ih and its theta derivative.
ValueSlope MeltPi(double theta) {
  ValueSlope r{1.0, 0.0};
  for (const CurveTerm& term : kMeltIh) {
    const double thetaB = term.b == 3.0 ? theta * theta * theta : std::pow(theta, term.b);
    r.value += term.a * (1.0 - thetaB);
    r.slope -= term.a * term.b * thetaB / theta;
  }
  return r;
}

// ln of the reduced sublimation pressure and its theta derivative.
ValueSlope SublimationLnPi(double theta) {
  double sum = 0, sumSlope = 0;
  for (const CurveTerm& term : kSublimation) {
    const double thetaB = std::pow(theta, term.b);
    sum += term.a * thetaB;
    sumSlope += term.a * (term.b - 1.0) * thetaB;
  }
  return {sum / theta, sumSlope / (theta * theta)};
}

// The theta in [lo, hi] where curve(theta).value == target, curve monotone on the interval.
// Newton steps that would leave the current bracket are replaced by bisection, so the result stays
// in [lo, hi] whatever the target; a target beyond the curve's ends gives the nearer end.
template <class Curve>
double SolveMonotone(Curve curve, double target, double lo, double hi) {
  const double fLo = curve(lo).value - target;
  const double fHi = curve(hi).value - target;
  if (fLo == 0) return lo;
  if (fHi == 0) return hi;
  if ((fLo > 0) == (fHi > 0)) return std::abs(fLo) < std::abs(fHi) ? lo : hi;
  const bool rising = fHi > 0;
  double x = lo + (hi - lo) * (fLo / (fLo - fHi));  // secant start
  for (int iter = 0; iter < 200; ++iter) {
    const ValueSlope r = curve(x);
    const double f = r.value - target;
    if (f == 0) return x;
    if ((f > 0) == rising) {
      hi = x;
    } else {
      lo = x;
    }
    double next = r.slope != 0 ? x - f / r.slope : lo;
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    if (std::abs(next - x) <= 4e-16 * x || hi - lo <= 4e-16 * x) return next;
    x = next;
  }
  return x;
}

}  // namespace

double MeltingPressureIh(double T) {
  return MeltPi(T / kCurveTt).value * kCurvePt;
}

double MeltingTemperatureIh(double p) {
  const double theta =
      SolveMonotone(MeltPi, p / kCurvePt, kMeltingIhTMin / kCurveTt, kMeltingIhTMax / kCurveTt);
  return theta * kCurveTt;
}

double MeltingPressureIII(double T) {
  return Pressure(kMeltIII, T);
}
double MeltingPressureV(double T) {
  return Pressure(kMeltV, T);
}
double MeltingPressureVI(double T) {
  return Pressure(kMeltVI, T);
}

double MeltingPressureHighIce(double T) {
  if (T < kMeltV.Tn) return Pressure(kMeltIII, T);
  if (T < kMeltVI.Tn) return Pressure(kMeltV, T);
  return Pressure(kMeltVI, T);
}

double MeltingTemperature(double p) {
  if (p <= kMeltIII.pn) return MeltingTemperatureIh(p);
  if (p <= kMeltV.pn) return Temperature(kMeltIII, p);
  if (p <= kMeltVI.pn) return Temperature(kMeltV, p);
  return Temperature(kMeltVI, p);
}

double SublimationPressure(double T) {
  return std::exp(SublimationLnPi(T / kCurveTt).value) * kCurvePt;
}

double SublimationPressureSlope(double T) {
  const ValueSlope r = SublimationLnPi(T / kCurveTt);
  return std::exp(r.value) * kCurvePt * r.slope / kCurveTt;
}

double SublimationTemperature(double p) {
  if (!(p > 0)) return kSublimationTMin;
  const double theta = SolveMonotone(SublimationLnPi, std::log(p / kCurvePt), kSublimationTMin / kCurveTt,
                                     kSublimationTMax / kCurveTt);
  return theta * kCurveTt;
}

}  // namespace tulo::iapws
