#include <gtest/gtest.h>

#include <cmath>

#include "common/NumberReader.h"

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

}  // namespace
}  // namespace tulo
