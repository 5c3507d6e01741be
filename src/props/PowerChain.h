#pragma once
// Integer powers formed by successive multiplication, x^i = x^(i-1) * x, the way the correlations
// are fitted. Which precision each power is held in matters to the last digit shown. Every chain
// starts {1, x, ...} with x itself as given (round it first where it is stored); the product of
// each step is formed in extended precision and then held as the chain says.

#include <array>
#include <cstddef>

#include "common/Real6.h"

namespace tulo {

// x held in double precision, for the correlations that keep intermediates in double.
inline double Dbl(long double x) {
  return static_cast<double>(x);
}

template <std::size_t N, typename Hold>
std::array<long double, N + 1> PowerChain(long double x, Hold hold) {
  std::array<long double, N + 1> p{};
  p[0] = 1.0L;
  if constexpr (N >= 1) p[1] = x;
  for (std::size_t i = 2; i <= N; ++i) p[i] = hold(p[i - 1] * x);
  return p;
}

// {1, x, x^2, ..., x^N}, each power from x^2 on rounded to Real6 as it is formed.
template <std::size_t N>
std::array<long double, N + 1> R6Powers(long double x) {
  return PowerChain<N>(x, [](long double v) { return R6(v); });
}

// The same, each power held in double precision.
template <std::size_t N>
std::array<long double, N + 1> DoublePowers(double x) {
  return PowerChain<N>(x, [](long double v) -> long double { return Dbl(v); });
}

// The same, each power kept in extended precision (powers that are not stored).
template <std::size_t N>
std::array<long double, N + 1> ExtendedPowers(long double x) {
  return PowerChain<N>(x, [](long double v) { return v; });
}

}  // namespace tulo
