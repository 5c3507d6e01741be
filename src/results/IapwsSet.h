#pragma once
// The IAPWS standards, the program's second and third property standards: IAPWS-IF97 or IAPWS-95
// for the fluid (iapws/Formulation.h), the 2006 ice Ih equation, the 2008/2011 melting and
// sublimation curves and the releases on transport and other properties. Computed in double
// precision; values are stored as doubles.

#include "iapws/Formulation.h"
#include "iapws/Water.h"
#include "props/Catalogue.h"
#include "props/CorrelationSet.h"

namespace tulo {

// The one IAPWS-IF97 set; it holds no state (each session's calculators keep their own
// evaluations), so every session may share it.
const CorrelationSet& IapwsCorrelations();
// The same rules over IAPWS-95 (to 1273 K and 1000 MPa).
const CorrelationSet& Iapws95Correlations();
// The formulation behind an IAPWS set; null for any other set (the built-in correlations).
const iapws::Formulation* FormulationOf(const CorrelationSet& set);

// How the set's calculators take `item` of a single-phase fluid state from its evaluation
// (iapws::Evaluate(kFluid, T, P / 1000)), in the internal unit: the IF97 items, whose value in
// every fluid phase is this field alone. nullptr for the others (the transport and other
// releases, surface tension, the items of T or P alone), which only the calculators compute.
using WaterField = double (*)(const iapws::WaterState&);
WaterField IapwsFluidField(Item item);

}  // namespace tulo
