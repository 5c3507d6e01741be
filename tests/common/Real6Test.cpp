#include <gtest/gtest.h>

#include <cmath>

#include "common/Real6.h"

namespace tulo {
namespace {

TEST(Real6, EncodesKnownPatterns) {
  struct Case {
    long double value;
    Real6Bytes bytes;
  };
  const Case cases[] = {
      {0.0L, {0, 0, 0, 0, 0, 0}},
      {1.0L, {129, 0, 0, 0, 0, 0}},
      {-1.0L, {129, 0, 0, 0, 0, 0x80}},
      {2.0L, {130, 0, 0, 0, 0, 0}},
      {0.5L, {128, 0, 0, 0, 0, 0}},
      {3.0L, {130, 0, 0, 0, 0, 0x40}},
      {-100.0L, {135, 0, 0, 0, 0, 0x80 | 0x48}},
  };
  for (const auto& c : cases) {
    auto r = Real6::From(c.value);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->Encode(), c.bytes) << static_cast<double>(c.value);
    EXPECT_EQ(Real6::Decode(c.bytes).Value(), static_cast<double>(c.value));
  }
}

TEST(Real6, RoundsToFortyBitsWithTiesAwayFromZero) {
  const long double ulp = std::ldexp(1.0L, -39);  // spacing of Real6 values in [1, 2)
  EXPECT_EQ(R6(1.0L + ulp / 2), 1.0L + ulp);      // tie goes away from zero
  EXPECT_EQ(R6(-(1.0L + ulp / 2)), -(1.0L + ulp));
  EXPECT_EQ(R6(1.0L + ulp / 2 - ulp / 1024), 1.0L);   // just below the tie goes down
  EXPECT_EQ(R6(1.0L + 3 * ulp / 2), 1.0L + 2 * ulp);  // tie away from zero, not to even
  EXPECT_EQ(R6(2.0L - ulp / 4), 2.0L);                // carry into the exponent
}

TEST(Real6, UnderflowsToZeroAndReportsOverflow) {
  EXPECT_EQ(R6(std::ldexp(1.0L, -129)), 0.0L);
  EXPECT_EQ(R6(std::ldexp(1.0L, -128)), std::ldexp(1.0L, -128));
  EXPECT_FALSE(Real6::From(std::ldexp(1.0L, 127)).has_value());
  EXPECT_TRUE(Real6::From(std::ldexp(1.0L, 126) * 1.5L).has_value());
  EXPECT_TRUE(std::isnan(R6(1e39L)));
  EXPECT_TRUE(std::isnan(R6(INFINITY)));
  EXPECT_FALSE(FitsReal6(NAN));
}

// The overflow test of every calculated value is the rounding's own verdict: 2^127 less half an
// ulp of the 40-bit mantissa is the first magnitude that rounds beyond the exponent byte.
TEST(Real6, FitsExactlyWhenTheRoundingFits) {
  const long double edge = std::ldexp(1.0L, 127) - std::ldexp(1.0L, 86);
  const long double below = std::nextafter(edge, 0.0L);
  for (long double x : {0.0L, -0.0L, std::ldexp(1.0L, -140), 1.0L, -1.0L, 1e38L, below, -below, edge, -edge,
                        std::ldexp(1.0L, 127), 1e39L, static_cast<long double>(INFINITY),
                        -static_cast<long double>(INFINITY), static_cast<long double>(NAN)}) {
    EXPECT_EQ(FitsReal6(x), Real6::From(x).has_value()) << static_cast<double>(x);
  }
  EXPECT_TRUE(FitsReal6(below));
  EXPECT_FALSE(FitsReal6(edge));
}

TEST(Real6, DecodeIgnoresOtherBytesWhenExponentIsZero) {
  EXPECT_EQ(Real6::Decode({0, 1, 2, 3, 4, 0xFF}).Value(), 0.0);
}

TEST(Real6, KnownDecimalRoundsBelow) {
  // A typed 101.325 is stored as the Real6 just below it.
  EXPECT_NEAR(static_cast<double>(R6(101.325L)), 101.3249999999534, 1e-12);
  EXPECT_LT(R6(101.325L), 101.325L);
}

TEST(Real6, FastRoundingAgreesWithTheStoredForm) {
  // R6 rounds on the bits of the extended value; Real6::From through frexp. They must agree
  // everywhere, ties and exponent edges included.
  std::uint64_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    return seed;
  };
  for (int i = 0; i < 200000; ++i) {
    long double m = 1.0L + static_cast<long double>(next() >> 1) / 9223372036854775808.0L;
    if (i % 7 == 0) m = 1.0L + std::ldexp(static_cast<long double>(next() % (1u << 20)) + 0.5L, -39);  // ties
    int e = static_cast<int>(next() % 300) - 150;
    long double x = std::ldexp(m, e) * ((next() & 1) ? -1.0L : 1.0L);
    auto stored = Real6::From(x);
    long double fast = R6(x);
    if (stored) {
      ASSERT_EQ(fast, static_cast<long double>(stored->Value())) << static_cast<double>(x);
    } else {
      ASSERT_TRUE(std::isnan(fast)) << static_cast<double>(x);
    }
  }
}

}  // namespace
}  // namespace tulo
