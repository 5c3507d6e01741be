#include "results/ResultsReport.h"

#include <algorithm>

#include "common/Text.h"

namespace tulo {
namespace {

constexpr std::size_t kFirstColumn = 30;  // characters
constexpr std::size_t kOtherColumns = 13;

}  // namespace

std::string ReportLine(std::string_view label, std::string_view value, ReportLayout layout) {
  std::string line =
      layout == ReportLayout::kTabs ? std::string(label) + "\t" : PadRight(label, kFirstColumn);
  return line.append(value);
}

std::string GridReport(const StringGrid& grid, ReportLayout layout, std::string_view eol, std::size_t minGap) {
  std::string s;
  for (int r = 0; r < grid.RowCount(); ++r) {
    for (int c = 0; c < grid.ColCount(); ++c) {
      const std::string& cell = grid.Cell(c, r);
      const bool last = c == grid.ColCount() - 1;
      if (layout == ReportLayout::kTabs) {
        s += cell;
        if (!last || r > 0) s += "\t";
      } else {
        const std::size_t width = c == 0 ? kFirstColumn : kOtherColumns;
        s += last ? cell : PadRight(cell, std::max(width, Utf8Length(cell) + minGap));
      }
    }
    s += eol;
  }
  return s;
}

std::string ResultsReport(const StateCaptions& state, const StringGrid& grid, ReportLayout layout,
                          std::string_view eol) {
  std::string s = "Tulo Calculation Results";
  s.append(eol);
  s.append(ReportLine("Temperature=", state.temperature, layout)).append(eol);
  s.append(ReportLine("Pressure=", state.pressure, layout)).append(eol);
  s.append(ReportLine("Condition=", state.condition, layout)).append(eol);
  if (!state.standard.empty()) s.append(ReportLine("Standard=", state.standard, layout)).append(eol);
  s.append(eol);
  return s + GridReport(grid, layout, eol);
}

}  // namespace tulo
