#pragma once
// IAPWS-95 inside the iapws layer: what the iterations for states need beyond Iapws95.h.

#include "iapws/Iapws95.h"

namespace tulo::iapws95 {

// The residual part with f and its delta derivatives only (fields t, tt and dt 0): what a search
// along an isotherm needs, for about two thirds of the work of ResidualPart. Each field is bitwise
// that of ResidualPart.
Phi ResidualDeltaPart(double delta, double tau);

}  // namespace tulo::iapws95
