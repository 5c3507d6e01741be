#pragma once
// IAPWS R1-76(2014): Revised Release on Surface Tension of Ordinary Water Substance.
// sigma = B tau^mu (1 + b tau), tau = 1 - T/Tc.
//
// Range of the release: the vapour-liquid saturation curve from the triple point to the critical
// temperature, with the extension into supercooled liquid down to 248.15 K that the release
// endorses. Finite for every T >= 0; 0 at and above Tc.

namespace tulo::iapws {

constexpr double kSurfaceTensionTMin = 248.15;  // K

// Surface tension of water against its vapour, N/m; T in K.
double SurfaceTension(double T);

}  // namespace tulo::iapws
