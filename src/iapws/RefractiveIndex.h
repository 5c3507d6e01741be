#pragma once
// IAPWS R9-97: Release on the Refractive Index of Ordinary Water Substance as a Function of
// Wavelength, Temperature and Pressure. The Lorentz-Lorenz expression with the
// coefficients of Table 1.
//
// Range of the release: 261.15 K <= T <= 773.15 K, 0 <= rho <= 1060 kg/m3, wavelengths from
// 0.2 to 1.1 micrometres. Finite in that range; the caller checks the state against it.

namespace tulo::iapws {

// The wavelength the program reports the refractive index at: the sodium D line, micrometres.
constexpr double kRefractiveWavelength = 0.5893;

// Refractive index, dimensionless; rho in kg/m3, T in K, wavelength in micrometres.
double RefractiveIndex(double rho, double T, double wavelength);

}  // namespace tulo::iapws
