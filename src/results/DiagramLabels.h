#pragma once
// Where the labels of a chart's lines go on the drawing: beside their line, inside the plot area,
// never over another label, and crossed by no line where a place like that exists. Decided in
// pixels, for the plot area and the range of values the view shows at the time (zoomed or not),
// with the sizes of the texts as the toolkit measures them.

#include <optional>
#include <span>
#include <vector>

#include "results/DiagramLines.h"

namespace tulo {

// A rectangle on the drawing in pixels; y grows downwards, as on a screen.
struct PixelBox {
  double left = 0.0;
  double top = 0.0;
  double width = 0.0;
  double height = 0.0;

  double Right() const { return left + width; }
  double Bottom() const { return top + height; }
};

// Whether two boxes share more than an edge.
bool Overlaps(const PixelBox& a, const PixelBox& b);

// The plot area on the drawing and the values it shows from edge to edge (those of the lines'
// frame, or less where the view is zoomed in).
struct PlotArea {
  PixelBox box;
  DiagramAxis x, y;
};

// The position on the drawing of a value of the chart; logarithmic axes by the logarithm.
DiagramPoint PixelOf(const PlotArea& area, const DiagramPoint& value);

struct TextSize {
  double width = 0.0;
  double height = 0.0;
};

// For each line of `lines`, in their order, the box of its label (its text of sizes[i]), or
// nothing for a line without a label or one that finds no free place. The quality labels are
// placed first, then those of the isobars and the isotherms: a label that would cover one placed
// before it is moved along its line or left out. Each label tries places beside its line from the
// labelled end inwards, first where no line crosses it, then (isobars and isotherms only) where
// no line of its own kind and no saturation line does.
std::vector<std::optional<PixelBox>> PlaceLabels(const DiagramLines& lines, const PlotArea& area,
                                                 std::span<const TextSize> sizes);

}  // namespace tulo
