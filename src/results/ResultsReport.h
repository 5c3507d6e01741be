#pragma once
// The results as text: the layouts of the two copy commands ("with tabs" for spreadsheets, "with
// spaces" for text files), used by the window's clipboard and by tulo-calc alike.

#include <string>
#include <string_view>

#include "results/Grid.h"

namespace tulo {

enum class ReportLayout { kTabs, kSpaces };

// "label<TAB>value", or the label padded with blanks to 30 characters and the value.
std::string ReportLine(std::string_view label, std::string_view value, ReportLayout layout);

// Every row of a grid, each ended by eol. With tabs: the cells joined by tabs, every data row ended
// by a tab too, the heading row not. With spaces: the first column padded to 30 characters, the
// others but the last to 13, and at least minGap blanks after a cell (the copy menu: none, so a
// 30-character name runs into its unit).
std::string GridReport(const StringGrid& grid, ReportLayout layout, std::string_view eol,
                       std::size_t minGap = 0);

// The captions of the state shown.
struct StateCaptions {
  std::string temperature, pressure, condition;
  std::string standard;  // empty for the built-in correlations, whose report has no such line
};

// "Tulo Calculation Results", the temperature, pressure and condition lines (and the standard's
// line when there is one), a blank line and the results grid.
std::string ResultsReport(const StateCaptions& state, const StringGrid& grid, ReportLayout layout,
                          std::string_view eol);

}  // namespace tulo
