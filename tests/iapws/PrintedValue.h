#pragma once
// Checks a computed value against a number as a release prints it: the text fixes both the value
// and the precision, and the computed value must round to the printed digits (half a unit of the
// last printed digit, plus a few ulps for the rounding of the comparison itself).

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace tulo::testing {

// Half a unit of the last digit of a number printed as "[-]d.ddd[e+-x]" or "[-]0.ddd[e+-x]".
inline double HalfLastDigit(const std::string& printed) {
  const std::size_t ePos = printed.find_first_of("eE");
  const std::string mantissa = printed.substr(0, ePos);
  const int exponent = ePos == std::string::npos ? 0 : std::atoi(printed.c_str() + ePos + 1);
  const std::size_t dot = mantissa.find('.');
  const int decimals = dot == std::string::npos ? 0 : static_cast<int>(mantissa.size() - dot - 1);
  return 0.5 * std::pow(10.0, exponent - decimals);
}

inline ::testing::AssertionResult MatchesPrinted(double actual, const std::string& printed) {
  const double expected = std::strtod(printed.c_str(), nullptr);
  const double tolerance = HalfLastDigit(printed) + 4e-16 * std::abs(expected);
  if (std::isfinite(actual) && std::abs(actual - expected) <= tolerance) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "computed " << ::testing::PrintToString(actual) << " does not round to " << printed
         << " (difference " << actual - expected << ", allowed " << tolerance << ")";
}

}  // namespace tulo::testing
