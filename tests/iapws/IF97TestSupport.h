#pragma once

#include <gtest/gtest.h>

#include <cmath>

namespace tulo::iapws {

// The verification tables of the IAPWS releases print nine significant digits. A computed value
// reproduces a printed one when it rounds to it: it lies within half a unit of the last digit.
inline ::testing::AssertionResult AgreesToPrintedDigits(double computed, double printed, int digits = 9) {
  const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(printed))) - (digits - 1));
  const double off = std::fabs(computed - printed);
  if (off <= 0.5 * unit) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "computed " << computed << " is " << off / unit
                                       << " units of the last digit from the printed " << printed;
}

}  // namespace tulo::iapws
