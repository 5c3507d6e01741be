// IAPWS-95, the residual part of the dimensionless Helmholtz energy: Eq. 6.6 of IAPWS R6-95(2018)
// with the coefficients and exponents of its Table 6.2, and the derivatives of Table 6.5.
//
// Speed: one pass gives phir and its five derivatives. The powers of delta and tau come from
// small tables built once per call by products (tau^(1/8) by three square roots: every t of the
// release is a multiple of 1/8), each distinct tau^t of the rows formed once; exp(-delta^c) once
// per distinct c; the terms accumulate delta^k tau^l times their derivative, divided by
// delta^k tau^l once at the end. No std::pow, no allocation.

#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "iapws/Iapws95.h"
#include "iapws/Iapws95Internal.h"

namespace tulo::iapws95 {
namespace {

// Table 6.2, i = 1 .. 51: the polynomial terms n delta^d tau^t (c blank in the release, 0 here)
// and the exponential terms n delta^d tau^t exp(-delta^c).
struct PowerRow {
  int i;
  int c;
  int d;
  double t;
  double n;
};
constexpr PowerRow kPowerRows[] = {
    {1, 0, 1, -0.5, 0.12533547935523e-1},   {2, 0, 1, 0.875, 0.78957634722828e1},
    {3, 0, 1, 1.0, -0.87803203303561e1},    {4, 0, 2, 0.5, 0.31802509345418},
    {5, 0, 2, 0.75, -0.26145533859358},     {6, 0, 3, 0.375, -0.78199751687981e-2},
    {7, 0, 4, 1.0, 0.88089493102134e-2},    {8, 1, 1, 4, -0.66856572307965},
    {9, 1, 1, 6, 0.20433810950965},         {10, 1, 1, 12, -0.66212605039687e-4},
    {11, 1, 2, 1, -0.19232721156002},       {12, 1, 2, 5, -0.25709043003438},
    {13, 1, 3, 4, 0.16074868486251},        {14, 1, 4, 2, -0.40092828925807e-1},
    {15, 1, 4, 13, 0.39343422603254e-6},    {16, 1, 5, 9, -0.75941377088144e-5},
    {17, 1, 7, 3, 0.56250979351888e-3},     {18, 1, 9, 4, -0.15608652257135e-4},
    {19, 1, 10, 11, 0.11537996422951e-8},   {20, 1, 11, 4, 0.36582165144204e-6},
    {21, 1, 13, 13, -0.13251180074668e-11}, {22, 1, 15, 1, -0.62639586912454e-9},
    {23, 2, 1, 7, -0.10793600908932},       {24, 2, 2, 1, 0.17611491008752e-1},
    {25, 2, 2, 9, 0.22132295167546},        {26, 2, 2, 10, -0.40247669763528},
    {27, 2, 3, 10, 0.58083399985759},       {28, 2, 4, 3, 0.49969146990806e-2},
    {29, 2, 4, 7, -0.31358700712549e-1},    {30, 2, 4, 10, -0.74315929710341},
    {31, 2, 5, 10, 0.47807329915480},       {32, 2, 6, 6, 0.20527940895948e-1},
    {33, 2, 6, 10, -0.13636435110343},      {34, 2, 7, 10, 0.14180634400617e-1},
    {35, 2, 9, 1, 0.83326504880713e-2},     {36, 2, 9, 2, -0.29052336009585e-1},
    {37, 2, 9, 3, 0.38615085574206e-1},     {38, 2, 9, 4, -0.20393486513704e-1},
    {39, 2, 9, 8, -0.16554050063734e-2},    {40, 2, 10, 6, 0.19955571979541e-2},
    {41, 2, 10, 9, 0.15870308324157e-3},    {42, 2, 12, 8, -0.16388568342530e-4},
    {43, 3, 3, 16, 0.43613615723811e-1},    {44, 3, 4, 22, 0.34994005463765e-1},
    {45, 3, 4, 23, -0.76788197844621e-1},   {46, 3, 5, 23, 0.22446277332006e-1},
    {47, 4, 14, 10, -0.62689710414685e-4},  {48, 6, 3, 50, -0.55711118565645e-9},
    {49, 6, 6, 44, -0.19905718354408},      {50, 6, 6, 46, 0.31777497330738},
    {51, 6, 6, 50, -0.11841182425981},
};

// Table 6.2, i = 52 .. 54: the Gaussian terms
// n delta^d tau^t exp(-alpha (delta - epsilon)^2 - beta (tau - gamma)^2).
struct GaussianRow {
  int i;
  int d;
  int t;
  double n;
  double alpha;
  double beta;
  double gamma;
  double epsilon;
};
constexpr GaussianRow kGaussianRows[] = {
    {52, 3, 0, -0.31306260323435e2, 20, 150, 1.21, 1},
    {53, 3, 1, 0.31546140237781e2, 20, 150, 1.21, 1},
    {54, 3, 4, -0.25213154341695e4, 20, 250, 1.25, 1},
};

// Table 6.2, i = 55 .. 56: the non-analytic terms n Delta^b delta psi with
// Delta = theta^2 + B ((delta - 1)^2)^a, theta = (1 - tau) + A ((delta - 1)^2)^(1/(2 beta)),
// psi = exp(-C (delta - 1)^2 - D (tau - 1)^2).
struct NonAnalyticRow {
  int i;
  double a;
  double b;
  double B;
  double n;
  double C;
  double D;
  double A;
  double beta;
};
constexpr NonAnalyticRow kNonAnalyticRows[] = {
    {55, 3.5, 0.85, 0.2, -0.14874640856724, 28, 700, 0.32, 0.3},
    {56, 3.5, 0.95, 0.2, 0.31806110878444, 32, 800, 0.32, 0.3},
};
// Both rows share a, B, A and beta, hence theta and Delta: those are formed once per call.
constexpr const NonAnalyticRow& kShape = kNonAnalyticRows[0];
static_assert(kNonAnalyticRows[1].a == kShape.a && kNonAnalyticRows[1].B == kShape.B &&
              kNonAnalyticRows[1].A == kShape.A && kNonAnalyticRows[1].beta == kShape.beta);

// ---- The layout worked out at compile time ---------------------------------------------------

constexpr int kMaxD = 15;                // delta^d = high[d / 4] low[d % 4]
constexpr int kMaxEighths = 8 * 64 - 1;  // tau^(e/8) = tau^(8 a) tau^b tau^(c/8), e = 64 a + 8 b + c

// A row of Table 6.2 ready for the loop: the index of its tau^t among the distinct powers formed
// per call, and n times the factors the derivatives of delta^d tau^t bring: n, n d, n d (d - 1),
// n t, n t (t - 1), n t d (the first three are all the delta derivatives need).
struct PowerTerm {
  int d;
  int tauPower;
  std::array<double, 6> k;
};

// The rows of one c: exp(-delta^c) is a factor of the whole group.
struct PowerGroup {
  int c;
  std::size_t begin, end;
};

// t in eighths; a negative t is tau^-1 times tau^(t + 1).
constexpr int Eighths(double t) {
  const double scaled = t * 8;
  const int inEighths = static_cast<int>(scaled);
  if (inEighths != scaled) throw std::logic_error("t is not a multiple of 1/8");
  if (inEighths < -8 || inEighths > kMaxEighths) throw std::logic_error("t outside the tables of powers");
  return inEighths;
}

// The distinct t of the rows, in eighths.
struct TauPowers {
  std::array<int, std::size(kPowerRows)> eighths{};
  std::size_t count = 0;
};
constexpr TauPowers DistinctTauPowers() {
  TauPowers powers;
  for (const PowerRow& row : kPowerRows) {
    const int e = Eighths(row.t);
    bool seen = false;
    for (std::size_t k = 0; k < powers.count; ++k) seen = seen || powers.eighths[k] == e;
    if (!seen) powers.eighths[powers.count++] = e;
  }
  return powers;
}
constexpr TauPowers kTauPowers = DistinctTauPowers();

constexpr std::array<PowerTerm, std::size(kPowerRows)> PreparePowerTerms() {
  std::array<PowerTerm, std::size(kPowerRows)> terms{};
  for (std::size_t k = 0; k < terms.size(); ++k) {
    const PowerRow& row = kPowerRows[k];
    if (row.d < 0 || row.d > kMaxD || row.c < 0 || row.c > kMaxD)
      throw std::logic_error("d or c outside the table of powers");
    if (k > 0 && row.c < kPowerRows[k - 1].c) throw std::logic_error("rows not sorted by c");
    int index = 0;
    while (kTauPowers.eighths[static_cast<std::size_t>(index)] != Eighths(row.t)) ++index;
    const double d = row.d, t = row.t, n = row.n;
    terms[k] = PowerTerm{row.d, index, {n, n * d, n * d * (d - 1), n * t, n * t * (t - 1), n * t * d}};
  }
  return terms;
}
constexpr auto kPowerTerms = PreparePowerTerms();

constexpr std::size_t CountGroups() {
  std::size_t count = 1;
  for (std::size_t k = 1; k < std::size(kPowerRows); ++k) count += kPowerRows[k].c != kPowerRows[k - 1].c;
  return count;
}
constexpr std::array<PowerGroup, CountGroups()> PrepareGroups() {
  std::array<PowerGroup, CountGroups()> groups{};
  std::size_t g = 0;
  groups[0] = {kPowerRows[0].c, 0, 0};
  for (std::size_t k = 1; k < std::size(kPowerRows); ++k) {
    if (kPowerRows[k].c == kPowerRows[k - 1].c) continue;
    groups[g].end = k;
    groups[++g] = {kPowerRows[k].c, k, 0};
  }
  groups[g].end = std::size(kPowerRows);
  return groups;
}
constexpr auto kPowerGroups = PrepareGroups();

// x^0 .. x^(N-1) in table[0 .. N-1] for a small N, each by one product of two smaller powers.
template <std::size_t N>
std::array<double, N> Powers(double x) {
  std::array<double, N> table;
  table[0] = 1.0;
  table[1] = x;
  for (std::size_t k = 2; k < N; ++k) table[k] = table[k / 2] * table[k - k / 2];
  return table;
}

// delta^0 .. delta^kMaxD and the distinct tau^t of the rows, from three small tables each way.
struct PowerTables {
  std::array<double, kMaxD + 1> delta;
  std::array<double, kTauPowers.count> tau;
};
PowerTables MakePowerTables(double delta, double tau) {
  PowerTables p;
  const auto deltaLow = Powers<4>(delta);
  const auto deltaHigh = Powers<4>(deltaLow[3] * delta);
  for (std::size_t d = 0; d <= kMaxD; ++d) p.delta[d] = deltaHigh[d / 4] * deltaLow[d % 4];
  const auto eighth = Powers<8>(std::sqrt(std::sqrt(std::sqrt(tau))));
  const auto whole = Powers<8>(tau);
  const auto eights = Powers<8>(whole[7] * tau);
  const double inverse = 1.0 / tau;
  for (std::size_t k = 0; k < kTauPowers.count; ++k) {
    const int e = kTauPowers.eighths[k];
    const auto u = static_cast<std::size_t>(e < 0 ? e + 8 : e);
    const double power = eights[u / 64] * whole[u / 8 % 8] * eighth[u % 8];
    p.tau[k] = e < 0 ? power * inverse : power;
  }
  return p;
}

// The sums of delta^k tau^l times the partial derivatives of the analytic terms: f, delta f_d,
// delta^2 f_dd, tau f_t, tau^2 f_tt, delta tau f_dt.
struct Scaled {
  double f = 0, d = 0, dd = 0, t = 0, tt = 0, dt = 0;
};

// The polynomial and exponential terms. Within a group of one c, with g = delta^c and
// x = n delta^d tau^t, the term is x exp(-g), and delta d/ddelta of its logarithm is d - c g: the
// group sums x, x d, x d (d - 1), ... once, and exp(-g) and c g enter once per group.
template <bool kWithTau>
void AddPowerTerms(double delta, double tau, Scaled& s) {
  constexpr std::size_t kSums = kWithTau ? 6 : 3;
  const PowerTables powers = MakePowerTables(delta, tau);

  for (const PowerGroup& group : kPowerGroups) {
    std::array<double, kSums> sum{};
    for (std::size_t k = group.begin; k < group.end; ++k) {
      const PowerTerm& term = kPowerTerms[k];
      const double x = powers.delta[static_cast<std::size_t>(term.d)] *
                       powers.tau[static_cast<std::size_t>(term.tauPower)];
      for (std::size_t j = 0; j < kSums; ++j) sum[j] += term.k[j] * x;
    }
    const double c = group.c;
    const double g = group.c == 0 ? 0.0 : powers.delta[static_cast<std::size_t>(group.c)];
    const double e = group.c == 0 ? 1.0 : std::exp(-g);
    const double cg = c * g;
    s.f += e * sum[0];
    s.d += e * (sum[1] - cg * sum[0]);
    s.dd += e * (sum[2] - 2.0 * cg * sum[1] + (cg * cg + cg - c * cg) * sum[0]);
    if constexpr (kWithTau) {
      s.t += e * sum[3];
      s.tt += e * sum[4];
      s.dt += e * (sum[5] - cg * sum[3]);
    }
  }
}

template <bool kWithTau>
void AddGaussianTerms(double delta, double tau, Scaled& s) {
  const GaussianRow* shared = nullptr;  // the last row whose exponential is at hand
  double bell = 0;
  for (const GaussianRow& row : kGaussianRows) {
    const double de = delta - row.epsilon;
    const double tg = tau - row.gamma;
    // Rows 52 and 53 share alpha, beta, gamma and epsilon: one exponential for both.
    if (shared == nullptr || row.alpha != shared->alpha || row.beta != shared->beta ||
        row.gamma != shared->gamma || row.epsilon != shared->epsilon) {
      bell = std::exp(-row.alpha * de * de - row.beta * tg * tg);
      shared = &row;
    }
    double f = row.n * bell;
    for (int k = 0; k < row.d; ++k) f *= delta;
    for (int k = 0; k < row.t; ++k) f *= tau;
    const double a = row.d - 2.0 * row.alpha * delta * de;  // delta d/ddelta of ln f
    const double b = row.t - 2.0 * row.beta * tau * tg;     // tau d/dtau of ln f
    s.f += f;
    s.d += f * a;
    s.dd += f * (a * a - row.d - 2.0 * row.alpha * delta * delta);
    if constexpr (kWithTau) {
      s.t += f * b;
      s.tt += f * (b * b - row.t - 2.0 * row.beta * tau * tau);
      s.dt += f * a * b;
    }
  }
}

// The distance function Delta and its derivatives (Table 6.5), shared by both non-analytic rows.
// Every power of |delta - 1| is written with a positive exponent, so delta = 1 gives the finite
// limits (0 for the delta derivatives of Delta) instead of 0 * inf.
struct Distance {
  double theta, Delta, Delta_d, Delta_dd;
  double e;       // delta - 1
  double pTheta;  // |delta - 1|^(1/beta - 2)
};

Distance DistanceAt(double delta, double tau) {
  const double e = delta - 1.0;
  const double e2 = e * e;
  double pTheta = 0, pB = 0;  // |e|^(1/beta - 2), |e|^(2a - 2)
  if (e != 0) {
    const double logE = std::log(std::abs(e));
    pTheta = std::exp((1.0 / kShape.beta - 2.0) * logE);
    // 2a - 2 is a whole number in the release (5): a product then, else a power.
    constexpr double kExponentB = 2.0 * kShape.a - 2.0;
    constexpr int kWholeB = static_cast<int>(kExponentB);
    if constexpr (kWholeB == kExponentB && kWholeB >= 0) {
      pB = 1.0;
      for (int k = 0; k < kWholeB; ++k) pB *= std::abs(e);
    } else {
      pB = std::exp(kExponentB * logE);
    }
  }
  const double A = kShape.A, B = kShape.B, a = kShape.a, beta = kShape.beta;
  const double theta = (1.0 - tau) + A * pTheta * e2;
  const double inner = 2.0 * A * theta / beta * pTheta + 2.0 * B * a * pB;  // Delta_d / e
  Distance r{};
  r.theta = theta;
  r.Delta = theta * theta + B * pB * e2;
  r.Delta_d = e * inner;
  r.Delta_dd = inner + 2.0 * A * A / (beta * beta) * e2 * pTheta * pTheta +
               2.0 * A * theta / beta * (1.0 / beta - 2.0) * pTheta + 2.0 * B * a * (2.0 * a - 2.0) * pB;
  r.e = e;
  r.pTheta = pTheta;
  return r;
}

// The row whose Delta^(b-2) is the strongest singularity at the critical point.
constexpr const NonAnalyticRow& SmallestB() {
  const NonAnalyticRow* best = &kNonAnalyticRows[0];
  for (const NonAnalyticRow& row : kNonAnalyticRows)
    if (row.b < best->b) best = &row;
  return *best;
}

template <bool kWithTau>
void AddNonAnalyticTerms(double delta, double tau, Phi& r) {
  const Distance g = DistanceAt(delta, tau);
  if (g.Delta == 0) {
    // The critical point itself (delta = tau = 1): the limits along the critical isochore. Every
    // part vanishes but d2/dtau2, where n b (2b - 1) |1 - tau|^(2b - 2) of the smallest b diverges.
    constexpr const NonAnalyticRow& row = SmallestB();
    constexpr bool kRising = row.n * (2 * row.b - 1) > 0;
    if constexpr (kWithTau) r.tt = (kRising ? 1 : -1) * std::numeric_limits<double>::infinity();
    return;
  }
  const double logDelta = std::log(g.Delta);
  const double tm1 = tau - 1.0;
  for (const NonAnalyticRow& row : kNonAnalyticRows) {
    const double b = row.b;
    // Delta^b and its derivatives.
    const double Db = std::exp(b * logDelta);
    const double Db1 = Db / g.Delta;   // Delta^(b-1)
    const double Db2 = Db1 / g.Delta;  // Delta^(b-2)
    const double DB_d = b * Db1 * g.Delta_d;
    const double DB_dd = b * (Db1 * g.Delta_dd + (b - 1.0) * Db2 * g.Delta_d * g.Delta_d);
    // psi and its derivatives.
    const double psi = std::exp(-row.C * g.e * g.e - row.D * tm1 * tm1);
    const double psi_d = -2.0 * row.C * g.e * psi;
    const double psi_dd = (2.0 * row.C * g.e * g.e - 1.0) * 2.0 * row.C * psi;

    const double n = row.n;
    r.f += n * Db * delta * psi;
    r.d += n * (Db * (psi + delta * psi_d) + DB_d * delta * psi);
    r.dd +=
        n * (Db * (2.0 * psi_d + delta * psi_dd) + 2.0 * DB_d * (psi + delta * psi_d) + DB_dd * delta * psi);
    if constexpr (kWithTau) {
      const double DB_t = -2.0 * g.theta * b * Db1;
      const double DB_tt = 2.0 * b * Db1 + 4.0 * g.theta * g.theta * b * (b - 1.0) * Db2;
      const double DB_dt = -row.A * b * 2.0 / row.beta * Db1 * g.e * g.pTheta -
                           2.0 * g.theta * b * (b - 1.0) * Db2 * g.Delta_d;
      const double psi_t = -2.0 * row.D * tm1 * psi;
      const double psi_tt = (2.0 * row.D * tm1 * tm1 - 1.0) * 2.0 * row.D * psi;
      const double psi_dt = 4.0 * row.C * row.D * g.e * tm1 * psi;
      r.t += n * delta * (DB_t * psi + Db * psi_t);
      r.tt += n * delta * (DB_tt * psi + 2.0 * DB_t * psi_t + Db * psi_tt);
      r.dt += n * (Db * (psi_t + delta * psi_dt) + delta * DB_d * psi_t + DB_t * (psi + delta * psi_d) +
                   DB_dt * delta * psi);
    }
  }
}

template <bool kWithTau>
Phi Residual(double delta, double tau) {
  Scaled s;
  AddPowerTerms<kWithTau>(delta, tau, s);
  AddGaussianTerms<kWithTau>(delta, tau, s);
  const double invDelta = 1.0 / delta;
  Phi r;
  r.f = s.f;
  r.d = s.d * invDelta;
  r.dd = s.dd * invDelta * invDelta;
  if constexpr (kWithTau) {
    const double invTau = 1.0 / tau;
    r.t = s.t * invTau;
    r.tt = s.tt * invTau * invTau;
    r.dt = s.dt * invDelta * invTau;
  }
  AddNonAnalyticTerms<kWithTau>(delta, tau, r);
  return r;
}

}  // namespace

Phi ResidualPart(double delta, double tau) {
  return Residual<true>(delta, tau);
}

Phi ResidualDeltaPart(double delta, double tau) {
  return Residual<false>(delta, tau);
}

}  // namespace tulo::iapws95
