#pragma once
// The residual factor of the viscosity (R12-08, mu1 from its Table 2) and the thermal conductivity
// (R15-11, lambda1 from its Table 2) releases, one form in both:
// exp(rhobar sum_ij c_ij (1/Tbar - 1)^i (rhobar - 1)^j), from a table of the nonzero coefficients
// (i, j, c_ij) as the releases print them.

#include <cmath>
#include <cstddef>

namespace tulo::iapws {

struct TransportTerm {
  int i;
  int j;
  double c;
};

// kMaxI and kMaxJ: the largest exponents of the table. The powers come from running products and
// the terms are summed in table order.
template <int kMaxI, int kMaxJ, std::size_t N>
double TransportResidualFactor(const TransportTerm (&table)[N], double invTBar, double rhoBar) {
  double tPow[kMaxI + 1];
  double rPow[kMaxJ + 1];
  tPow[0] = rPow[0] = 1.0;
  for (int i = 1; i <= kMaxI; ++i) tPow[i] = tPow[i - 1] * (invTBar - 1.0);
  for (int j = 1; j <= kMaxJ; ++j) rPow[j] = rPow[j - 1] * (rhoBar - 1.0);
  double sum = 0;
  for (const TransportTerm& term : table) sum += term.c * tPow[term.i] * rPow[term.j];
  return std::exp(rhoBar * sum);
}

}  // namespace tulo::iapws
