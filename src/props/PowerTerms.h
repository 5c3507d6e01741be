#pragma once
// The integer powers of a correlation variable as successive products.

#include <cstddef>

#include "common/Real6.h"

namespace tulo {

// terms[0] = 1, terms[k] = Real6(terms[k - 1] * x): 1, x, x^2, ... for the Series evaluators.
// x itself is taken as given (round it first where it is stored).
template <std::size_t N>
void StoredPowers(long double x, long double (&terms)[N]) {
  terms[0] = 1.0L;
  for (std::size_t k = 1; k < N; ++k) terms[k] = R6(terms[k - 1] * x);
}

// terms[0] = 1, terms[k] = terms[k - 1] * x formed in extended precision and held in double
// precision, for the correlations that keep their intermediates in double.
template <std::size_t N>
void DoublePowers(double x, long double (&terms)[N]) {
  terms[0] = 1.0L;
  for (std::size_t k = 1; k < N; ++k) terms[k] = static_cast<double>(terms[k - 1] * x);
}

// terms[0] = 1, terms[k] = terms[k - 1] * x in extended precision, for powers that are not stored.
template <std::size_t N>
void ProductPowers(long double x, long double (&terms)[N]) {
  terms[0] = 1.0L;
  for (std::size_t k = 1; k < N; ++k) terms[k] = terms[k - 1] * x;
}

}  // namespace tulo
