#pragma once
// Constants of the built-in correlations that several of them, and the built-in set's phase
// condition, input checks and search ranges, compare stored values with: held as Real6 values.
// Everything outside the built-in set reads them from the correlation set in use.

#include "common/Real6.h"

namespace tulo {

inline const long double kCriticalTemperature = R6(647.29L);  // K
inline const long double kCriticalPressure = R6(22090.0L);    // kPa
inline const long double kSublimationTop = R6(273.15L);  // K: the saturation line is solid-vapour up to here

// The states the program accepts: the input checks and the range of the steam search.
inline const long double kLowestPressure = R6(3.41e-7L);      // kPa
inline const long double kHighestPressure = R6(100000.0L);    // kPa
inline const long double kLowestTemperature = R6(166.0L);     // K
inline const long double kHighestTemperature = R6(1273.15L);  // K
// The vapour and super critical correlations answer up to 1274 K, the limit itself included.
inline const long double kHighestVapourTemperature = R6(1274.0L);  // K

// Where the enthalpy and entropy correlations change formula inside a phase: the superheated
// vapour at these temperatures (below: the low-temperature table), the super critical region at
// this pressure (below: the low-pressure table).
inline const long double kEnthalpyVapourSeam = R6(647.3L);   // K
inline const long double kEntropyVapourSeam = R6(648.15L);   // K
inline const long double kSuperCriticalSeam = R6(30000.0L);  // kPa

}  // namespace tulo
