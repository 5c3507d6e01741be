#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <locale>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "common/CommaLocale.h"
#include "common/NumberReader.h"
#include "common/Real6.h"

namespace tulo {
namespace {

TEST(NumberReader, AcceptsDecimalsWithBlanksSignAndExponent) {
  const std::pair<const char*, double> cases[] = {
      {"100", 100.0},  {"  -20.5 ", -20.5}, {"7.", 7.0},    {".5", 0.5},
      {"1E-3", 0.001}, {"+2e2", 200.0},     {"\t3\t", 3.0}, {"1e-60", 0.0},
  };
  for (const auto& [text, value] : cases) {
    auto v = ReadNumber(text);
    ASSERT_TRUE(v.has_value()) << text;
    EXPECT_NEAR(*v, value, 1e-12 * (1 + std::fabs(value))) << text;
  }
}

TEST(NumberReader, RejectsEverythingElse) {
  const char* cases[] = {"",  " ", "inf",   "nan", "0x10",  "1,5",  "1e",  "e5",
                         ".", "-", "1.2.3", "12a", "1e400", "2e38", "- 1", "1 2"};
  for (const char* text : cases) EXPECT_FALSE(ReadNumber(text).has_value()) << text;
}

// The value read is the one a classic-locale stream reads, rounded to Real6: bit for bit, at the
// ends of the range, for long digit strings and halfway cases as well.
TEST(NumberReader, ReadsAsAClassicStreamDoes) {
  std::vector<std::string> texts = {
      "0.1", "101.325", "-273.15", "1e-38", "2.9e-39", "1e-4950", "1e-5000", "1.7e38", "1.70141183460469e38",
      "0.30000000000000004", "1.00000000000045474735088646411895751953125",
      "1.000000000000454747350886464118957519531251", std::string(70, '9'),
      "0." + std::string(80, '0') + "1e80", std::string(200, '1') + "e-199",
      // At the ends of the exact path: 19 and 20 significant
      // digits, powers of ten 27 and 28, leading zeros, signs.
      "9999999999999999999", "18446744073709551615", "1234567890123456789e27", "1234567890123456789e-27",
      "1e28", "1e-28", "-0.000000000000000000000000001234567890123456789",
      "000000000000000000000000000123.456", "+.5e+0", "-0", "7.e-0000", "3e00010"};
  std::mt19937_64 random(13);
  for (int i = 0; i < 2000; ++i) {
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-40, 38);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*fe%d", i % 22, mantissa(random), exponent(random));
    texts.push_back(buf);
  }
  for (const std::string& text : texts) {
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    long double streamed = 0.0L;
    in >> streamed;
    const std::optional<Real6> expected = Real6::From(streamed);
    const std::optional<double> read = ReadNumber(text);
    ASSERT_EQ(read.has_value(), expected.has_value()) << text;
    if (read) {
      EXPECT_EQ(*read, expected->Value()) << text;
    }
  }
}

// The typed numbers of a standard computed in double precision: the double nearest the text, not
// a Real6 (0.01 as a Real6 is 0.010000000000005116), with the reader's form and range.
TEST(NumberReader, ReadDoubleKeepsEveryDigitOfTheText) {
  const struct {
    const char* text;
    std::optional<double> value;
  } cases[] = {
      {"0.01", 0.01},
      {" 273.16\t", 273.16},
      {"+2.5e2", 250.0},
      {".5", 0.5},
      {"7.", 7.0},
      {"0.1234567890123456789", 0.1234567890123456789},
      {"1e-320", 1e-320},
      {"1e-400", 0.0},
      {"1.7e38", 1.7e38},
      {"-3e-5", -3e-5},
      {"2e38", std::nullopt},
      {"1e400", std::nullopt},
      {"1,5", std::nullopt},
      {"inf", std::nullopt},
      {"0x10", std::nullopt},
      {"", std::nullopt},
      {"- 1", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadDouble(c.text), c.value) << '"' << c.text << '"';
  EXPECT_FALSE(std::signbit(*ReadDouble("-0")));
  EXPECT_NE(ReadNumber("0.01"), 0.01);  // the built-in standard's reader does round
}

// Both readers take "." and refuse "," whatever the process locale.
TEST(NumberReader, ReadsTheSameUnderACommaLocale) {
  for (const char* name : testing::kCommaLocales) {
    testing::CommaLocale locale(name);
    ASSERT_TRUE(locale.Active()) << name;
    // Beyond the exact path of ReadNumber, which reads other texts through the C library.
    const char* longText = "300.50000000000000000000000001";
    EXPECT_EQ(ReadNumber(longText), R6(300.5L)) << name;
    EXPECT_EQ(ReadDouble(longText), 300.5) << name;
    EXPECT_EQ(ReadDouble("0.01"), 0.01) << name;
    EXPECT_EQ(ReadNumber("300,5"), std::nullopt) << name;
    EXPECT_EQ(ReadDouble("300,5"), std::nullopt) << name;
  }
}

}  // namespace
}  // namespace tulo
