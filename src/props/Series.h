#pragma once
// Evaluators of the correlations' coefficient tables, summed in extended precision in the order
// the tables are written (row by row, left to right). The terms may be a C array or the
// std::array of a power chain (PowerChain.h); the table fixes their number.

#include <cstddef>
#include <span>
#include <type_traits>

namespace tulo {

template <std::size_t N>
using Terms = std::type_identity_t<std::span<const long double, N>>;

// sum of c[j] * term[j].
template <std::size_t N>
long double Series(const long double (&c)[N], Terms<N> term) {
  long double sum = 0.0L;
  for (std::size_t j = 0; j < N; ++j) sum += c[j] * term[j];
  return sum;
}

// sum over rows i and columns j of c[i][j] * row[i] * col[j].
template <std::size_t R, std::size_t C>
long double DoubleSeries(const long double (&c)[R][C], Terms<R> row, Terms<C> col) {
  long double sum = 0.0L;
  for (std::size_t i = 0; i < R; ++i)
    for (std::size_t j = 0; j < C; ++j) sum += c[i][j] * row[i] * col[j];
  return sum;
}

}  // namespace tulo
