#pragma once
// Evaluators of the correlations' coefficient tables, summed in extended precision in the order
// the tables are written (row by row, left to right).

#include <cstddef>

namespace tulo {

// sum of c[j] * term[j].
template <std::size_t N>
long double Series(const long double (&c)[N], const long double (&term)[N]) {
  long double sum = 0.0L;
  for (std::size_t j = 0; j < N; ++j) sum += c[j] * term[j];
  return sum;
}

// sum over rows i and columns j of c[i][j] * row[i] * col[j].
template <std::size_t R, std::size_t C>
long double DoubleSeries(const long double (&c)[R][C], const long double (&row)[R],
                         const long double (&col)[C]) {
  long double sum = 0.0L;
  for (std::size_t i = 0; i < R; ++i)
    for (std::size_t j = 0; j < C; ++j) sum += c[i][j] * row[i] * col[j];
  return sum;
}

}  // namespace tulo
