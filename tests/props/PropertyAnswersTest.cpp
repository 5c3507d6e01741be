// `tulo-calc property` answers for the closed-form property items: status and cell text.

#include <gtest/gtest.h>

#include <string>

#include "cli/RunCalc.h"

namespace tulo::testing {
namespace {

// Status and cell text of the answer line "status <TAB> value <TAB> text".
std::string StatusAndText(const std::string& line) {
  const auto first = line.find('\t');
  const auto second = line.find('\t', first + 1);
  if (first == std::string::npos || second == std::string::npos) return "<bad line: " + line + ">";
  std::string text = line.substr(second + 1);
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return line.substr(0, first) + "|" + text;
}

TEST(PropertyAnswers, CorrelationItems) {
  struct Case {
    const char* args;
    const char* expected;
  };
  const Case cases[] = {
      {"21 5 300 101.325", "0|8.540e-4"},
      {"21 2 190 0", "2|Out of Range"},
      {"21 9 373.15 101.325", "1| -"},
      {"22 5 300 101.325", "0|4.2087"},
      {"22 2 373.15 0", "0|2.0542"},
      {"23 5 300 101.325", "0|6.142e-4"},
      {"24 1 293.15 0", "0|0.07280"},
      {"24 2 373.15 0", "1| -"},
      {"26 5 298.15 101.325", "0|4.730e-7"},
      {"27 7 400 100", "0|1.3183"},
      {"27 5 300 101.325", "1| -"},
      {"29 5 298.15 101.325", "0|78.418"},
      {"30 5 298.15 101.325", "0|1.3328"},
      {"30 5 373.2 101.325", "2|Out of Range"},
      {"21 5 300 101.325 --units Imperial", "0|2.0659"},  // lb/ft.h
  };
  for (const auto& c : cases)
    EXPECT_EQ(StatusAndText(RunCalc(std::string("property ") + c.args).out), c.expected) << c.args;
}

}  // namespace
}  // namespace tulo::testing
