#pragma once
// The IAPWS standards as the program's second property standard: IAPWS-IF97 for the fluid, the
// 2006 ice Ih equation, the 2008/2011 melting and sublimation curves and the releases on
// transport and other properties. Computed in double precision; values are stored as doubles.

#include "props/CorrelationSet.h"

namespace tulo {

// The one IAPWS set; it holds no state (each session's calculators keep their own evaluations),
// so every session may share it.
const CorrelationSet& IapwsCorrelations();

}  // namespace tulo
