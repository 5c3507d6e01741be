#pragma once
// A read-only string grid: a table of text cells whose row 0 is the heading row, drawn as part of
// the grid (bold on the button colour) rather than as a separate header. It mirrors a
// StringGrid of the core.

#include <QTableWidget>
#include <string>
#include <vector>

#include "results/Grid.h"

namespace tulo::gui {

class GridView : public QTableWidget {
 public:
  GridView(int cols, int rows, QWidget* parent = nullptr);

  // Column widths are the form's design widths (pixels at the 8-point dialog font they were laid out for)
  // times `scale`; the view is sized to show every row and column without scrolling.
  void SetColumnLayout(const std::vector<int>& designWidths, double scale);

  // Copies cells and the enabled flag; a cell is only touched when its text differs.
  void Mirror(const StringGrid& grid);

  // The text of a cell as shown.
  QString CellText(int col, int row) const;

  // What a column must show: its design width, the texts of its cells and of its heading.
  struct Column {
    int designWidth;
    std::vector<std::string> texts;
    std::vector<std::string> headings;  // drawn bold
  };
  static std::vector<int> DesignWidths(const std::vector<Column>& columns);
  // The scale at which every text of every column fits its column; never below 1.
  static double ScaleToFit(const QFont& font, const std::vector<Column>& columns);

 private:
  int RowHeight() const;
};

}  // namespace tulo::gui
