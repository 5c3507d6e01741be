#pragma once
// The one evaluator of the IAPWS power series  f(x, y) = sum_i n_i x^I_i y^J_i  and of its first and
// second partial derivatives, from coefficient tables kept in the releases' own layout (one row
// per term: I, J, n).
//
// Speed: every integer power of x and y comes from a small table of powers built once per call by
// products of smaller powers (no std::pow per term, no allocation). Terms of equal I are summed
// together in y first, so each distinct power of x costs one product per derivative. The layout
// of a table (exponent ranges, groups, the factors I, J(J-1), ... of the derivatives) is worked
// out at compile time.
//
// A power that a derivative multiplies by zero (x^(I-1) for I = 0, say) is never formed, so a base
// of exactly zero gives exact derivatives instead of 0 * inf.

#include <array>
#include <cstddef>
#include <stdexcept>
#include <type_traits>

namespace tulo::iapws {

// One term n x^I y^J, as printed in the coefficient tables of the releases.
struct Term {
  int I;
  int J;
  double n;
};

// A term of a table with columns J and n only (the ideal-gas parts of IF97 regions 2 and 5).
struct TermJ {
  int J;
  double n;
};

// A term whose exponent I is a multiple of 1/4 (IF97 Table 25). It is evaluated with x^(1/4) as
// the base and 4 I as the integer exponent.
struct TermQuarterI {
  double I;
  int J;
  double n;
};

template <std::size_t N>
constexpr std::array<Term, N> AsTerms(const std::array<TermJ, N>& table) {
  std::array<Term, N> terms{};
  for (std::size_t k = 0; k < N; ++k) terms[k] = Term{0, table[k].J, table[k].n};
  return terms;
}

template <std::size_t N>
constexpr std::array<Term, N> AsTerms(const std::array<TermQuarterI, N>& table) {
  std::array<Term, N> terms{};
  for (std::size_t k = 0; k < N; ++k) {
    const double quarters = table[k].I * 4;
    const int whole = static_cast<int>(quarters);
    if (whole != quarters) throw std::logic_error("exponent is not a multiple of 1/4");
    terms[k] = Term{whole, table[k].J, table[k].n};
  }
  return terms;
}

// Which of the sum and its derivatives to evaluate, a set of bits. Each one is summed in the same
// order whatever else is asked, from the same powers, so it is bitwise the same in every set: a
// caller that needs only f_y (the enthalpy of a Gibbs equation) pays for f_y alone.
enum class SeriesOrder : unsigned {
  kValue = 1,  // f
  kDx = 2,
  kDxx = 4,
  kDy = 8,
  kDyy = 16,
  kDxy = 32,
  kSecond = 63,  // f and every first and second derivative
};

constexpr SeriesOrder operator|(SeriesOrder a, SeriesOrder b) {
  return static_cast<SeriesOrder>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool Has(SeriesOrder set, SeriesOrder part) {
  return (static_cast<unsigned>(set) & static_cast<unsigned>(part)) != 0;
}

// The sum and its partial derivatives; those not asked for stay 0. V is double, or a vector of
// doubles (GCC's vector extension) for several points at once, lane by lane the same operations
// in the same order, so each lane is bitwise the double evaluation at its point.
template <class V>
struct SeriesDerivativesOf {
  V f{};
  V fx{};
  V fxx{};
  V fy{};
  V fyy{};
  V fxy{};
};
using SeriesDerivatives = SeriesDerivativesOf<double>;

namespace series_detail {

// The powers x^kLo .. x^kHi (kLo <= 0 <= kHi). x^k = x^(k/2) x^(k - k/2): each entry needs two
// earlier ones, so the chain is short (log2 k products deep) and the products run in parallel.
template <int kLo, int kHi, class V = double>
class Powers {
 public:
  explicit Powers(V x) {
    static_assert(kLo <= 0 && kHi >= 0);
    at(0) = V{} + 1.0;
    if constexpr (kHi >= 1) {
      at(1) = x;
#pragma GCC unroll 128
      for (int k = 2; k <= kHi; ++k) at(k) = at(k / 2) * at(k - k / 2);
    }
    if constexpr (kLo <= -1) {
      at(-1) = 1.0 / x;
#pragma GCC unroll 128
      for (int k = 2; k <= -kLo; ++k) at(-k) = at(-(k / 2)) * at(-(k - k / 2));
    }
  }
  V operator()(int k) const {
    return values_[k - kLo];
  }

 private:
  V& at(int k) {
    return values_[k - kLo];
  }
  std::array<V, kHi - kLo + 1> values_;
};

// The compile-time layout of a table: groups of consecutive terms with equal I, the exponents each
// derivative needs, and the constant factors of the derivatives.
template <std::size_t N>
struct Plan {
  int loX = 0, hiX = 0, loY = 0, hiY = 0;
  int groups = 0;
  std::array<int, N + 1> begin{};          // first term of each group
  std::array<int, N> x0{}, x1{}, x2{};     // exponents of x in f, fx, fxx of the group
  std::array<double, N> cI{}, cII{};       // I and I (I - 1) of the group
  std::array<int, N> y0{}, y1{}, y2{};     // exponents of y in f, fy, fyy of each term
  std::array<double, N> n{}, nJ{}, nJJ{};  // n, n J, n J (J - 1) of each term
};

template <std::size_t N>
constexpr Plan<N> MakePlan(const std::array<Term, N>& table, SeriesOrder order) {
  using enum SeriesOrder;
  // The powers of each derivative asked for; the others stay at x^0 (never formed).
  const bool dx = Has(order, kDx | kDxy), dxx = Has(order, kDxx);
  const bool dy = Has(order, kDy | kDxy), dyy = Has(order, kDyy);
  Plan<N> plan;
  auto widenX = [&plan](int e) {
    if (e < plan.loX) plan.loX = e;
    if (e > plan.hiX) plan.hiX = e;
  };
  auto widenY = [&plan](int e) {
    if (e < plan.loY) plan.loY = e;
    if (e > plan.hiY) plan.hiY = e;
  };
  for (std::size_t k = 0; k < N; ++k) {
    const Term& t = table[k];
    if (k == 0 || t.I != table[k - 1].I) {
      const int g = plan.groups++;
      plan.begin[g] = static_cast<int>(k);
      plan.x0[g] = t.I;
      plan.x1[g] = dx && t.I != 0 ? t.I - 1 : 0;
      plan.x2[g] = dxx && t.I != 0 && t.I != 1 ? t.I - 2 : 0;
      plan.cI[g] = t.I;
      plan.cII[g] = static_cast<double>(t.I) * (t.I - 1);
      widenX(plan.x0[g]);
      widenX(plan.x1[g]);
      widenX(plan.x2[g]);
    }
    plan.y0[k] = t.J;
    plan.y1[k] = dy && t.J != 0 ? t.J - 1 : 0;
    plan.y2[k] = dyy && t.J != 0 && t.J != 1 ? t.J - 2 : 0;
    plan.n[k] = t.n;
    plan.nJ[k] = t.n * t.J;
    plan.nJJ[k] = t.n * (static_cast<double>(t.J) * (t.J - 1));
    widenY(plan.y0[k]);
    widenY(plan.y1[k]);
    widenY(plan.y2[k]);
  }
  plan.begin[plan.groups] = static_cast<int>(N);
  return plan;
}

}  // namespace series_detail

// f = sum n x^I y^J over kTable (a constexpr std::array<Term, N>) and those of fx, fxx, fy, fyy
// and fxy that kOrder asks for; at several points at once when V is a vector of doubles.
template <const auto& kTable, SeriesOrder kOrder, class V = double>
SeriesDerivativesOf<V> EvaluateSeries(std::type_identity_t<V> x, std::type_identity_t<V> y) {
  using enum SeriesOrder;
  static constexpr auto kPlan = series_detail::MakePlan(kTable, kOrder);
  // The sums in y each derivative needs: a0 for f, fx, fxx; a1 for fy, fxy; a2 for fyy.
  constexpr bool kF = Has(kOrder, kValue), kFx = Has(kOrder, kDx), kFxx = Has(kOrder, kDxx);
  constexpr bool kFy = Has(kOrder, kDy), kFyy = Has(kOrder, kDyy), kFxy = Has(kOrder, kDxy);
  constexpr bool kA0 = kF || kFx || kFxx, kA1 = kFy || kFxy;
  const series_detail::Powers<kPlan.loX, kPlan.hiX, V> px(x);
  const series_detail::Powers<kPlan.loY, kPlan.hiY, V> py(y);
  SeriesDerivativesOf<V> d;
  // One flat loop over the terms: unrolled, every index and group end is a constant.
  V a0{}, a1{}, a2{};  // the sums over the current group's terms, in y only
  int g = 0;
#pragma GCC unroll 128
  for (std::size_t k = 0; k < kTable.size(); ++k) {
    // (Factors that are zero, J = 0 or 1 or I = 0 or 1, are constants once unrolled: their
    // products drop out.)
    if constexpr (kA0) a0 += kPlan.n[k] * py(kPlan.y0[k]);
    if constexpr (kA1) {
      if (kPlan.nJ[k] != 0) a1 += kPlan.nJ[k] * py(kPlan.y1[k]);
    }
    if constexpr (kFyy) {
      if (kPlan.nJJ[k] != 0) a2 += kPlan.nJJ[k] * py(kPlan.y2[k]);
    }
    if (static_cast<int>(k) + 1 == kPlan.begin[g + 1]) {
      const V x0 = px(kPlan.x0[g]);
      if constexpr (kF) d.f += x0 * a0;
      if constexpr (kFy) d.fy += x0 * a1;
      if constexpr (kFyy) d.fyy += x0 * a2;
      if (kPlan.cI[g] != 0) {
        const V x1 = kPlan.cI[g] * px(kPlan.x1[g]);
        if constexpr (kFx) d.fx += x1 * a0;
        if constexpr (kFxy) d.fxy += x1 * a1;
      }
      if constexpr (kFxx) {
        if (kPlan.cII[g] != 0) d.fxx += kPlan.cII[g] * px(kPlan.x2[g]) * a0;
      }
      a0 = a1 = a2 = V{};
      ++g;
    }
  }
  return d;
}

// The value alone, sum n x^I y^J: what a backward equation needs.
template <const auto& kTable>
double SeriesValue(double x, double y) {
  return EvaluateSeries<kTable, SeriesOrder::kValue>(x, y).f;
}

}  // namespace tulo::iapws
