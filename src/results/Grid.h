#pragma once
// A grid of text cells, as a string grid of the window shows it; row 0 is the heading row.

#include <string>
#include <vector>

namespace tulo {

struct StringGrid {
  StringGrid(int cols, int rows) : cells(rows, std::vector<std::string>(cols)), colWidths(cols, 64) {}

  int ColCount() const { return cells.empty() ? 0 : static_cast<int>(cells[0].size()); }
  int RowCount() const { return static_cast<int>(cells.size()); }
  const std::string& Cell(int col, int row) const { return cells[row][col]; }
  void SetCell(int col, int row, std::string text) { cells[row][col] = std::move(text); }
  // New rows come empty; rows beyond `rows` go.
  void ResizeRows(int rows) { cells.resize(static_cast<std::size_t>(rows), std::vector<std::string>(colWidths.size())); }
  void Clear() {
    for (auto& row : cells)
      for (auto& cell : row) cell.clear();
  }

  std::vector<std::vector<std::string>> cells;  // [row][col]
  std::vector<int> colWidths;                   // pixels
  bool enabled = true;
};

}  // namespace tulo
