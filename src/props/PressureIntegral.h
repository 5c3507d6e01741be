#pragma once
// The isothermal pressure integral of the compressed-liquid enthalpy and entropy: the integral of
// an integrand f(p) from the saturation pressure ps to the pressure P (kPa) by the trapezoidal
// rule, halving the step until the integral settles.

#include <functional>

namespace tulo {

// f(p) is the integrand at the pressure p (already rounded to Real6), itself rounded to Real6;
// NaN when an inner calculation failed, which ends the integration at once.
using Integrand = std::function<long double(long double p)>;

// Starts with 4 intervals and doubles them on each pass, reusing the points already evaluated;
// stops once a pass changes the integral by less than 0.01 percent or by less than
// absTolerance, or after the pass with 4096 intervals. Every pressure point, the step, the
// running sum of interior values and the integral are held as Real6. NaN when f failed.
long double PressureIntegral(long double ps, long double P, long double absTolerance, const Integrand& f);

}  // namespace tulo
