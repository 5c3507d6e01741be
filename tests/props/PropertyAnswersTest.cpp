// `tulo-calc property` answers for every variable property item: status and cell text.

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
      {"15 1 373.15 0", "0|418.87"},
      {"15 7 473.15 101.325", "0|2874.7"},
      {"15 9 373.15 101.325 --quality 50", "0|1546.9"},
      {"15 4 373.15 101.325", "1| -"},
      {"16 2 373.15 0", "0|7.3539"},
      {"17 1 373.15 101.325", "0|418.77"},
      {"18 1 373.15 0", "0|958.37"},
      {"18 5 300 101.325 --units 1,1,5,1,1,1,1,1,1,1,1,1", "0|0.001006"},  // m3/kg
      {"18 7 1300 101.325", "2|Out of Range"},
      {"19 1 373.15 0", "0|2256.0"},
      {"19 2 373.15 0", "1| -"},
      {"20 10 373.15 0", "0|101.33"},
      {"20 10 647.3 0", "1| -"},
      {"25 3 273.15 101.325", "0|1.612e-4"},
      {"28 7 400 100", "0|0.9884"},
      {"31 5 300 101.325", "0|273.15"},
      {"31 7 300 101.325", "1| -"},
      {"32 5 300 101.325", "0|373.15"},
      {"32 8 700 25000", "1| -"},
      {"33 10 0 101.325", "0|373.15"},
      {"33 10 0 3.4e-7", "2|Out of Range"},
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
