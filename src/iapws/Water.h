#pragma once
// Every property the program shows for one state of water, from the IAPWS releases: IF97 for the
// fluid, the 2006 ice Ih equation for the solid, the 2008/2011 melting and sublimation curves,
// and the transport and other releases on top. One evaluation of the fundamental equation per
// state; the transport properties reuse its density and derivatives.
//
// Units as in IF97: T in K, p in MPa, kJ, kg, m3. A quantity outside the range of its release is
// NaN, so the caller turns it into its "out of range" status without a second range table.

namespace tulo::iapws {

// How the state at (T, p) is evaluated.
enum class StateKind : unsigned char {
  kFluid,            // IF97 at (T, p), the region chosen by (T, p)
  kSaturatedLiquid,  // IF97 on the saturation line at T; p is not used
  kSaturatedVapour,
  kIce,              // ice Ih at (T, p)
  kSaturatedSolid,   // ice Ih on the sublimation curve at T; p is not used
};

// The releases beyond IF97, each filled on demand (a set of bits): a state that shows only its
// viscosity never evaluates its dielectric constant.
enum class Extra : unsigned {
  kNone = 0,
  kViscosity = 1,       // mu and nu
  kConductivity = 2,    // lambda and the Prandtl number (with mu)
  kSurfaceTension = 4,  // sigma
  kDielectric = 8,      // epsilon
  kRefractive = 16,     // the refractive index
  kAll = 31,
};
constexpr Extra operator|(Extra a, Extra b) {
  return static_cast<Extra>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

struct WaterState {
  bool valid = false;  // the state lies in the range of its equation; otherwise every field is NaN
  double T = 0;        // K
  double p = 0;        // MPa
  double rho = 0;      // kg/m3
  double v = 0;        // m3/kg
  double h = 0;        // kJ/kg
  double u = 0;        // kJ/kg
  double s = 0;        // kJ/(kg K)
  double cp = 0;       // kJ/(kg K)
  double cv = 0;       // kJ/(kg K)
  double w = 0;        // m/s, speed of sound
  double alphaV = 0;   // 1/K, cubic expansion coefficient
  double kappaT = 0;   // 1/MPa, isothermal compressibility
  double isentropicExponent = 0;  // -(v/p)(dp/dv)_s, dimensionless
  double z = 0;                   // compressibility factor p/(rho R T)
  double jouleThomson = 0;        // K/MPa, (dT/dp)_h; NaN for ice
  // The transport and other releases, filled by AddExtras (they cost more than the state).
  Extra extras = Extra::kNone;    // those filled (or NaN for good)
  double mu = 0;      // Pa s, R12-08; NaN for ice and beyond its range (1173.15 K up to 300 MPa,
                      // 873.15 K to 350 MPa, 433.15 K to 500 MPa, 373.15 K to 1000 MPa)
  double lambda = 0;  // W/(m K), R15-11; NaN for ice and beyond its range (1173.15 K up to
                      // 100 MPa, 874 K to 250 MPa, 573 K to 687 MPa, 403 K to 785 MPa, 348 K above)
  double sigma = 0;               // N/m, R1-76 at T; NaN outside 248.15 K .. Tc
  double epsilon = 0;             // R8-97; NaN for ice and above 873.15 K
  double refractive = 0;          // R9-97 at 589.3 nm; NaN for ice and outside its range
  double nu = 0;                  // m2/s, kinematic viscosity mu/rho
  double prandtl = 0;             // mu cp / lambda
};

// The state of the given kind at (T, p); valid is false outside the range of the state:
// fluid within IF97 (273.15..1073.15 K up to 100 MPa, to 2273.15 K up to 50 MPa), saturated
// fluid 273.15 K..Tc, ice 0 K (exclusive)..273.16 K up to 208.566 MPa on or above the
// sublimation curve and on or below the melting curve, saturated solid 50..273.16 K.
// The transport and other releases are left for AddTransport.
WaterState Evaluate(StateKind kind, double T, double p);
// Fills those of mu, lambda, sigma, epsilon, refractive, nu and prandtl that `which` names and
// that are not filled yet, of an evaluated fluid state (NaN for ice and outside each release's
// range), and adds them to extras.
void AddExtras(WaterState& w, Extra which);
// All of them.
void AddTransport(WaterState& w);
// The enthalpy of the state, kJ/kg, bitwise Evaluate(kind, T, p).h (NaN where that is invalid);
// for the fluid from the derivative gamma_tau alone (iapws::EnthalpyTP).
double Enthalpy(StateKind kind, double T, double p);

// The saturation pressure at T: the sublimation curve from 50 K to below 273.16 K, IF97 from
// there to Tc. NaN outside 50 K..Tc.
double SaturationPressureAt(double T);
// Its inverse, the saturation (or sublimation) temperature at p; NaN outside psub(50 K)..pc.
double SaturationTemperatureAt(double p);
// The melting temperature of ice Ih at p; NaN off the curve (611.657 Pa..208.566 MPa).
double MeltingTemperatureAt(double p);
// The enthalpy of vaporisation h'' - h' at T (273.15 K..Tc), kJ/kg; NaN outside.
double VaporisationEnthalpy(double T);
// The enthalpy of sublimation at T (50..273.16 K) by the Clapeyron equation on the sublimation
// curve, T (v'' - v_ice) dp_sub/dT, kJ/kg; NaN outside.
double SublimationEnthalpy(double T);

}  // namespace tulo::iapws
