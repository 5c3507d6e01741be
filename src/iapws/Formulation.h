#pragma once
// A formulation of the fluid as the program's IAPWS standards read it: IAPWS-IF97 (the industrial
// formulation) or IAPWS-95 (the scientific one), each with the 2006 ice Ih equation, the melting
// and sublimation curves and the releases on transport and other properties. The standards and
// the state evaluator ask a formulation only through this table of functions, so that both are
// one set of rules over two kinds of physics.
//
// Units as in Water.h: T in K, p in MPa, kJ, kg, m3; NaN outside a function's range.

#include <optional>
#include <string_view>

#include "iapws/IF97Pairs.h"
#include "iapws/Water.h"

namespace tulo::iapws {

struct Formulation {
  std::string_view name;  // "IAPWS-IF97", "IAPWS-95": the menu's text and the export's Standard= line
  double gasConstant;     // kJ/(kg K), the formulation's R

  // The range of the fluid: the highest temperature and pressure (K, MPa), as the input limits
  // quote them (long double: the limits are compared in it).
  long double highestTemperature;
  double highestPressure;
  // The temperatures of the fluid along an isobar: from the lowest (the melting or sublimation
  // line, or the formulation's own lower end) to the highest at p (IF97: 1073.15 K above 50 MPa).
  double (*lowestTemperatureAt)(double p);
  double (*highestTemperatureAt)(double p);
  // The highest pressure of the fluid along the isotherm T (MPa): highestPressure, or where an ice
  // of high pressure begins.
  double (*highestPressureAt)(double T);

  // Water.h's functions for this formulation.
  WaterState (*evaluate)(StateKind kind, double T, double p);
  double (*enthalpy)(StateKind kind, double T, double p);
  void (*addExtras)(WaterState& w, Extra which);
  double (*saturationPressureAt)(double T);
  double (*saturationTemperatureAt)(double p);
  // The melting temperature at p of the ice that bounds the fluid; NaN off the curves.
  double (*meltingTemperatureAt)(double p);
  // No melting temperature of the curves above is higher than this one (K).
  double highestMeltingTemperature;
  double (*vaporisationEnthalpy)(double T);
  double (*sublimationEnthalpy)(double T);

  // The input pairs (IF97Pairs.h for their meaning).
  std::optional<PairState> (*stateFromPH)(double p, double h);
  std::optional<PairState> (*stateFromPS)(double p, double s);
  std::optional<PairState> (*stateFromHS)(double h, double s);
  IsothermAnswer (*stateFromTH)(double T, double h);
  IsothermAnswer (*stateFromTS)(double T, double s);
};

const Formulation& IF97Formulation();
const Formulation& Iapws95Formulation();

}  // namespace tulo::iapws
