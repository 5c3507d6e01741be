#pragma once
// Integer powers formed by successive multiplication, x^i = x^(i-1) * x, the way the correlations
// are fitted. Which precision each power is held in matters to the last digit shown.

#include <array>
#include <cstddef>

#include "common/Real6.h"

namespace tulo {

// {1, x, x^2, ..., x^N}, each power rounded to Real6 as it is formed (x itself as given).
template <std::size_t N>
std::array<long double, N + 1> R6Powers(long double x) {
  std::array<long double, N + 1> p{};
  p[0] = 1.0L;
  if constexpr (N >= 1) p[1] = x;
  for (std::size_t i = 2; i <= N; ++i) p[i] = R6(p[i - 1] * x);
  return p;
}

// The same, each power held in double precision (the product itself formed in extended).
template <std::size_t N>
std::array<long double, N + 1> DoublePowers(double x) {
  std::array<long double, N + 1> p{};
  p[0] = 1.0L;
  if constexpr (N >= 1) p[1] = x;
  for (std::size_t i = 2; i <= N; ++i) p[i] = static_cast<double>(p[i - 1] * x);
  return p;
}

}  // namespace tulo
