#pragma once

namespace tulo {

// The general power x^y of every correlation, in extended precision: 1 when x = 0 and y = 0,
// 0 when x = 0 and y is not 0, otherwise exp(y ln x). A negative x is outside its domain and
// gives NaN, which the calculator base turns into "Out of Range".
long double GenPower(long double x, long double y);

}  // namespace tulo
