#pragma once
// IAPWS R14-08(2011): Revised Release on the Pressure along the Melting and Sublimation Curves of
// Ordinary Water Substance. The melting curves of ice Ih (the ice the program knows, R10-06), and of
// ices III, V and VI up to 1000 MPa, where the fluid range of IAPWS-95 ends; the sublimation curve.
// T in K, p in MPa.

namespace tulo::iapws {

// The ice Ih melting curve runs from the triple point (273.16 K, 611.657 Pa) down to the
// ice Ih - ice III - liquid triple point (251.165 K, 208.566 MPa); the sublimation curve from the
// triple point down to 50 K.
constexpr double kMeltingIhTMin = 251.165;     // K
constexpr double kMeltingIhTMax = 273.16;      // K
constexpr double kMeltingIhPMin = 611.657e-6;  // MPa, the triple-point pressure
constexpr double kMeltingIhPMax = 208.566;     // MPa
constexpr double kSublimationTMin = 50.0;      // K
constexpr double kSublimationTMax = 273.16;    // K

// Melting pressure of ice Ih, Eq. 1; 251.165 K <= T <= 273.16 K.
double MeltingPressureIh(double T);
// The melting temperature of ice Ih at p, the inverse of Eq. 1; 611.657 Pa <= p <= 208.566 MPa.
// Inputs outside are clamped to the ends of the curve.
double MeltingTemperatureIh(double p);

// Melting pressures of ice III, V and VI, Eqs. 2-4, each between its triple points with the liquid:
// III 251.165 .. 256.164 K, V 256.164 .. 273.31 K, VI 273.31 .. 355 K.
double MeltingPressureIII(double T);
double MeltingPressureV(double T);
double MeltingPressureVI(double T);
// The melting pressure at T of the ice that bounds the liquid from above: III, V or VI by T,
// 251.165 .. 355 K.
double MeltingPressureHighIce(double T);
// The melting temperature at p of the ice stable there: Ih up to 208.566 MPa, III up to 350.1 MPa,
// V up to 632.4 MPa, VI above (its curve runs to 2216 MPa). Inputs below 611.657 Pa give 273.16 K.
double MeltingTemperature(double p);

// Sublimation pressure, Eq. 6; 50 K <= T <= 273.16 K.
double SublimationPressure(double T);
// Its slope dp_sub/dT in MPa/K, the analytic derivative of Eq. 6; same range.
double SublimationPressureSlope(double T);
// The sublimation temperature at p, the inverse of Eq. 6; p_sub(50 K) <= p <= 611.657 Pa.
// Inputs outside are clamped to the ends of the curve.
double SublimationTemperature(double p);

}  // namespace tulo::iapws
