#include "gui/GridView.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <algorithm>
#include <cmath>

namespace tulo::gui {
namespace {

// Room a cell needs beside its text: the item view's text margins (3 pixels a side) and the grid
// line, with a pixel to spare.
constexpr int kCellPadding = 8;

}  // namespace

GridView::GridView(int cols, int rows, QWidget* parent) : QTableWidget(rows, cols, parent) {
  horizontalHeader()->hide();
  verticalHeader()->hide();
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::NoSelection);
  setFocusPolicy(Qt::NoFocus);
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

  QFont heading = font();
  heading.setBold(true);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      auto* item = new QTableWidgetItem;
      item->setFlags(Qt::ItemIsEnabled);
      if (r == 0) {
        item->setFont(heading);
        item->setBackground(palette().button());
        item->setForeground(palette().buttonText());
      }
      setItem(r, c, item);
    }
  }
}

int GridView::RowHeight() const {
  QFont heading = font();
  heading.setBold(true);
  return std::max(QFontMetrics(font()).height(), QFontMetrics(heading).height()) + 4;
}

void GridView::SetColumnLayout(const std::vector<int>& designWidths, double scale) {
  int width = 0;
  for (int c = 0; c < columnCount() && c < static_cast<int>(designWidths.size()); ++c) {
    int w = static_cast<int>(std::ceil(designWidths[c] * scale));
    setColumnWidth(c, w);
    width += w;
  }
  int height = 0;
  int rowHeight = RowHeight();
  for (int r = 0; r < rowCount(); ++r) {
    setRowHeight(r, rowHeight);
    height += rowHeight;
  }
  int frame = 2 * frameWidth();
  setFixedSize(width + frame + 1, height + frame + 1);
}

void GridView::Mirror(const StringGrid& grid) {
  // A standard with more rows (the IAPWS grids) lengthens the grid; the view keeps its size and
  // scrolls.
  if (grid.RowCount() != rowCount()) {
    const int before = rowCount();
    setRowCount(grid.RowCount());
    const int rowHeight = RowHeight();
    for (int r = before; r < rowCount(); ++r) {
      setRowHeight(r, rowHeight);
      for (int c = 0; c < columnCount(); ++c) {
        auto* cell = new QTableWidgetItem;
        cell->setFlags(Qt::ItemIsEnabled);
        setItem(r, c, cell);
      }
    }
  }
  int rows = std::min(rowCount(), grid.RowCount());
  int cols = std::min(columnCount(), grid.ColCount());
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      QString text = QString::fromStdString(grid.Cell(c, r));
      QTableWidgetItem* cell = item(r, c);
      if (cell->text() != text) cell->setText(text);
    }
  }
  setEnabled(grid.enabled);
}

QString GridView::CellText(int col, int row) const {
  const QTableWidgetItem* cell = item(row, col);
  return cell ? cell->text() : QString();
}

std::vector<int> GridView::DesignWidths(const std::vector<Column>& columns) {
  std::vector<int> widths;
  widths.reserve(columns.size());
  for (const Column& column : columns) widths.push_back(column.designWidth);
  return widths;
}

double GridView::ScaleToFit(const QFont& font, const std::vector<Column>& columns) {
  QFont heading = font;
  heading.setBold(true);
  QFontMetrics plain(font);
  QFontMetrics bold(heading);
  double scale = 1.0;
  auto fit = [&](const QFontMetrics& fm, const std::string& text, int designWidth) {
    int needed = fm.horizontalAdvance(QString::fromStdString(text)) + kCellPadding;
    scale = std::max(scale, static_cast<double>(needed) / designWidth);
  };
  for (const Column& column : columns) {
    for (const std::string& text : column.texts) fit(plain, text, column.designWidth);
    for (const std::string& text : column.headings) fit(bold, text, column.designWidth);
  }
  return scale;
}

}  // namespace tulo::gui
