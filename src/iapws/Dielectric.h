#pragma once
// IAPWS R8-97: Release on the Static Dielectric Constant of Ordinary Water Substance for
// Temperatures from 238 K to 873 K and Pressures up to 1000 MPa: a Kirkwood-type expression in
// the density with the Harris-Alder g factor.
//
// Range of the release: 238 K <= T <= 873 K, p <= 1000 MPa (with the density of IAPWS-95 or, for
// industrial use, IAPWS-IF97). Finite for T > 228 K (a term of g has a pole at 228 K) and
// rho >= 0; the caller checks the state against the range.

namespace tulo::iapws {

// Static dielectric constant (relative permittivity), dimensionless; rho in kg/m3, T in K.
double DielectricConstant(double rho, double T);

}  // namespace tulo::iapws
