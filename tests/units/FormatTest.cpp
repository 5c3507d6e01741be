#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "common/CommaLocale.h"
#include "common/Real6.h"
#include "units/Format.h"

namespace tulo {
namespace {

TEST(Format, AutoDecimalsTable) {
  struct Case {
    long double x;
    const char* text;
  };
  const Case cases[] = {
      {0.0L, "0.0000"},        {1.0L, "1.0000"},        {0.5L, "0.5000"},           {0.05L, "0.05000"},
      {0.0012L, "0.001200"},   {0.0005L, "5.000e-4"},   {2675.5L, "2675.5"},        {12345.678L, "12345.7"},
      {99999.99L, "100000.0"}, {123456.0L, "1.235e+5"}, {-2000000.0L, "-2.000e+6"}, {-5.5L, "-5.5000"},
      {418.87L, "418.87"},     {2.5e-5L, "2.500e-5"},   {1.0e20L, "1.000e+20"},     {-0.0005L, "-5.000e-4"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatReal(12, -2, true, R6(c.x)), c.text) << static_cast<double>(c.x);
}

TEST(Format, FixedWidthAndLimits) {
  EXPECT_EQ(FormatReal(10, 2, true, R6(647.29L)), "647.29");
  EXPECT_EQ(FormatReal(10, 2, true, R6(22090.0L)), "22090.00");
  EXPECT_EQ(FormatReal(10, 2, false, 5.0L), "      5.00");
  EXPECT_EQ(FormatReal(10, 2, true, R6(3.41e-7L)), "0.00");
  EXPECT_EQ(FormatReal(10, 2, true, 0.125L), "0.13");  // half away from zero
  EXPECT_EQ(FormatReal(10, 2, true, -0.125L), "-0.13");
  EXPECT_EQ(FormatReal(10, 0, true, 2.5L), "3");
  // Too wide for the field: the exponent form of the same width, keeping "E" and four digits.
  EXPECT_EQ(FormatReal(10, 2, true, 1.0e9L), "1.0E+0009");
  EXPECT_EQ(FormatReal(12, 1, true, 1.0e37L), "1.000e+37");
}

TEST(Format, Helpers) {
  EXPECT_EQ(TrimLeadingSpaces("   12.5 "), "12.5 ");
  EXPECT_EQ(TrimLeadingSpaces("    "), "");
  EXPECT_EQ(Spaces(-3), "");
  EXPECT_EQ(Spaces(5), "     ");
  EXPECT_EQ(Spaces(100).size(), 80u);
}

TEST(Format, TrimZeros) {
  const std::pair<const char*, const char*> cases[] = {
      {"100000.00", "100000"}, {"1273.15", "1273.15"}, {"2.50", "2.5"},
      {"5.00", "5.0"},         {"0.00", "0"},          {"7", "7"},
      {"10.00", "10"},         {"-5.00", "-5.0"},      {"166.00", "166"},
      {"abc", "abc"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(TrimZeros(in), out) << in;
}

TEST(Format, FieldNotation) {
  const std::pair<long double, const char*> cases[] = {
      {12.3456L, "12.346"},      {0.0012345L, "0.001"}, {R6(101.325L), "101.320"}, {100.0L, "100.000"},
      {123456.0L, "1.2346E+05"}, {-20.5L, "-20.500"},   {0.0L, "0.000"},           {99999.6L, "1.0000E+05"},
      {373.15L, "373.150"},      {1e-9L, "0.000"},      {-1.5e7L, "-1.5000E+07"},  {212.0L, "212.000"},
  };
  for (const auto& [x, text] : cases) EXPECT_EQ(FormatFieldNumber(x), text) << static_cast<double>(x);
}

// The decimals follow the digits of the value itself, not of the value rounded to a whole number:
// just below a power of ten no decimal is lost.
TEST(Format, FieldNotationJustBelowPowersOfTen) {
  const std::pair<long double, const char*> cases[] = {
      {9.99977L, "10.000"},     {99.7747L, "99.775"},   {999.7747L, "999.770"},     {9999.77L, "9999.800"},
      {99999.7L, "1.0000E+05"}, {-99.7747L, "-99.775"}, {R6(9999.77L), "9999.800"}, {0.99977L, "1.000"},
  };
  for (const auto& [x, text] : cases) EXPECT_EQ(FormatFieldNumber(x), text) << static_cast<double>(x);
}

// The state labels of a standard computed in double precision: the same layout, the value rounded
// to the 3 decimals shown (the built-in notation shows 179.886 as "179.890").
TEST(Format, FieldNotationRoundedToItsDecimals) {
  const std::pair<long double, const char*> cases[] = {
      {179.886L, "179.886"},      {179.8869L, "179.887"},      {-20.5L, "-20.500"},
      {12345.6789L, "12345.679"}, {99999.9996L, "1.0000E+05"}, {123456.0L, "1.2346E+05"},
      {0.0012345L, "0.001"},      {-0.0004L, "0.000"},
  };
  for (const auto& [x, text] : cases) EXPECT_EQ(FormatFieldNumber(x, true), text) << static_cast<double>(x);
}

// Every text of a value, in every layout the program writes.
std::vector<std::string> EveryLayout(long double x) {
  std::vector<std::string> texts = {FormatFieldNumber(x), FormatReal(12, -2, true, x),
                                    FormatReal(10, 2, false, x), FormatReal(20, -1, true, x),
                                    TrimZeros(FormatReal(10, 2, true, x))};
  for (int d = 0; d <= 6; ++d) texts.push_back(FormatReal(13, d, true, x));
  return texts;
}

// A locale whose decimal separator is "," changes no text: printf would write "2675,5", and the
// texts cut at the "." it looks for (the window ended on the first digit typed).
TEST(Format, TextsDoNotFollowTheProcessLocale) {
  std::vector<long double> values = {0.0L,     1.0L,   -5.5L,   0.125L,  2675.5L,
                                     99999.6L, 1.0e9L, 1.0e37L, -1.5e7L, 1e-9L};
  for (int i = -40; i <= 40; ++i) values.push_back(R6(std::pow(10.0L, i / 4.0L) * (i % 2 == 0 ? 1 : -1)));
  std::vector<std::vector<std::string>> classic;
  for (long double x : values) classic.push_back(EveryLayout(x));
  for (const char* name : testing::kCommaLocales) {
    testing::CommaLocale locale(name);
    ASSERT_TRUE(locale.Active()) << name;
    for (std::size_t i = 0; i < values.size(); ++i)
      EXPECT_EQ(EveryLayout(values[i]), classic[i]) << name << " " << static_cast<double>(values[i]);
    EXPECT_EQ(FormatReal(12, -2, true, 2675.5L), "2675.5");
    EXPECT_EQ(FormatReal(10, 2, true, 1.0e9L), "1.0E+0009");
    EXPECT_EQ(FormatFieldNumber(-1.5e7L), "-1.5000E+07");
    EXPECT_EQ(TrimZeros("2.50"), "2.5");
  }
}

}  // namespace
}  // namespace tulo
