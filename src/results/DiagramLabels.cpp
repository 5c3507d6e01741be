#include "results/DiagramLabels.h"

#include <algorithm>
#include <cmath>

namespace tulo {
namespace {

constexpr double kGap = 2.0;   // px between the point labelled and its label
constexpr double kStep = 4.0;  // px between the points of a line where a label is tried
constexpr double kPad = 1.0;   // px kept free around a label
// A label moves along its line at most this share of the line's length inside the plot area: a
// quality label up to where the isobars across the dome leave room, an isobar's or isotherm's
// not so far that it reads as another line's.
constexpr double kFurthestQuality = 0.6, kFurthest = 0.3;
constexpr double kCriticalHalf = 5.0;  // px, half the side of the critical point's square

// A line on the drawing, piece by piece, with the box that holds it.
struct DrawnLine {
  LineRole role;
  std::vector<std::vector<DiagramPoint>> pieces;
  PixelBox bounds;
};

bool IsSaturation(LineRole role) {
  return role == LineRole::kSaturatedLiquid || role == LineRole::kSaturatedVapour ||
         role == LineRole::kSaturation;
}

// The order in which labels are placed: the quality labels have their places first.
int Rank(LineRole role) {
  return role == LineRole::kQuality ? 0 : role == LineRole::kIsobar ? 1 : 2;
}

double Along(const DiagramAxis& a, double v) {
  if (!a.logarithmic) return (v - a.lowest) / (a.highest - a.lowest);
  if (!(v > 0.0)) return -HUGE_VAL;
  return std::log(v / a.lowest) / std::log(a.highest / a.lowest);
}

bool Inside(const PixelBox& box, const DiagramPoint& p) {
  return p.x >= box.left && p.x <= box.Right() && p.y >= box.top && p.y <= box.Bottom();
}

bool Contains(const PixelBox& outer, const PixelBox& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.Right() <= outer.Right() &&
         inner.Bottom() <= outer.Bottom();
}

// Whether the segment from a to b passes through the box (Liang-Barsky clipping).
bool Crosses(const DiagramPoint& a, const DiagramPoint& b, const PixelBox& box) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x - box.left, box.Right() - a.x, a.y - box.top, box.Bottom() - a.y};
  double t0 = 0.0, t1 = 1.0;
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  return true;
}

bool Crosses(const DrawnLine& line, const PixelBox& box) {
  if (!Overlaps(line.bounds, box)) return false;
  for (const auto& piece : line.pieces)
    for (std::size_t i = 1; i < piece.size(); ++i)
      if (Crosses(piece[i - 1], piece[i], box)) return true;
  return false;
}

DrawnLine Draw(const DiagramLine& line, const PlotArea& area) {
  DrawnLine drawn{line.role, {}, {}};
  double left = HUGE_VAL, top = HUGE_VAL, right = -HUGE_VAL, bottom = -HUGE_VAL;
  for (const auto& piece : line.pieces) {
    std::vector<DiagramPoint>& out = drawn.pieces.emplace_back();
    for (const DiagramPoint& p : piece) {
      const DiagramPoint at = PixelOf(area, p);
      if (!std::isfinite(at.x) || !std::isfinite(at.y)) continue;
      out.push_back(at);
      left = std::min(left, at.x), right = std::max(right, at.x);
      top = std::min(top, at.y), bottom = std::max(bottom, at.y);
    }
  }
  if (left <= right) drawn.bounds = {left, top, right - left, bottom - top};
  return drawn;
}

// The points of a line where its label is tried: a step apart along the line from its labelled
// end (isobars the hot end, the others their first point), inside the plot area, up to
// kFurthest(Quality) of the line's length there.
std::vector<DiagramPoint> Anchors(const DiagramLine& line, const DrawnLine& drawn, const PlotArea& area) {
  std::vector<std::vector<DiagramPoint>> pieces = drawn.pieces;
  if (line.role == LineRole::kIsobar) {
    std::reverse(pieces.begin(), pieces.end());
    for (auto& piece : pieces) std::reverse(piece.begin(), piece.end());
  }
  double shown = 0.0;
  for (const auto& piece : pieces)
    for (std::size_t i = 1; i < piece.size(); ++i)
      if (Inside(area.box, piece[i - 1]) && Inside(area.box, piece[i]))
        shown += std::hypot(piece[i].x - piece[i - 1].x, piece[i].y - piece[i - 1].y);
  std::vector<DiagramPoint> anchors;
  double walked = 0.0;
  for (const auto& piece : pieces)
    for (std::size_t i = 0; i < piece.size(); ++i) {
      if (!Inside(area.box, piece[i])) continue;
      if (i == 0 || !Inside(area.box, piece[i - 1])) {
        anchors.push_back(piece[i]);
        continue;
      }
      const DiagramPoint a = piece[i - 1], b = piece[i];
      const double length = std::hypot(b.x - a.x, b.y - a.y);
      const int steps = std::max(1, static_cast<int>(std::ceil(length / kStep)));
      for (int k = 1; k <= steps; ++k) {
        const double t = static_cast<double>(k) / steps;
        anchors.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
      }
      walked += length;
      if (walked > (line.role == LineRole::kQuality ? kFurthestQuality : kFurthest) * shown) return anchors;
    }
  return anchors;
}

// The places of a label beside a point: right above (the first choice), right below, left above
// and left below.
std::vector<PixelBox> Beside(const DiagramPoint& at, const TextSize& size) {
  const double right = at.x + kGap, left = at.x - kGap - size.width;
  const double above = at.y - kGap - size.height, below = at.y + kGap;
  return {{right, above, size.width, size.height},
          {right, below, size.width, size.height},
          {left, above, size.width, size.height},
          {left, below, size.width, size.height}};
}

PixelBox Padded(const PixelBox& box) {
  return {box.left - kPad, box.top - kPad, box.width + 2 * kPad, box.height + 2 * kPad};
}

class Placer {
 public:
  Placer(const DiagramLines& lines, const PlotArea& area) : lines_(lines), area_(area) {
    for (const DiagramLine& line : lines.lines) drawn_.push_back(Draw(line, area));
    if (lines.critical) {
      const DiagramPoint c = PixelOf(area, *lines.critical);
      taken_.push_back({c.x - kCriticalHalf, c.y - kCriticalHalf, 2 * kCriticalHalf, 2 * kCriticalHalf});
    }
  }

  std::optional<PixelBox> Place(std::size_t index, const TextSize& size) {
    const DiagramLine& line = lines_.lines[index];
    const std::vector<DiagramPoint> anchors = Anchors(line, drawn_[index], area_);
    // The quality labels sit among isobars and isotherms: crossed by none, or not shown.
    const int passes = line.role == LineRole::kQuality ? 1 : 2;
    for (int pass = 0; pass < passes; ++pass)
      for (const DiagramPoint& at : anchors)
        for (const PixelBox& box : Beside(at, size))
          if (Free(box, line.role, pass == 1)) {
            taken_.push_back(box);
            return box;
          }
    return std::nullopt;
  }

 private:
  // Inside the plot area, clear of the labels placed, and crossed by no line (`ownKindOnly`: by
  // no line of the role's kind and no saturation line).
  bool Free(const PixelBox& box, LineRole role, bool ownKindOnly) const {
    if (!Contains(area_.box, box)) return false;
    const PixelBox padded = Padded(box);
    for (const PixelBox& other : taken_)
      if (Overlaps(padded, other)) return false;
    for (const DrawnLine& line : drawn_) {
      if (ownKindOnly && line.role != role && !IsSaturation(line.role)) continue;
      if (Crosses(line, box)) return false;
    }
    return true;
  }

  const DiagramLines& lines_;
  const PlotArea& area_;
  std::vector<DrawnLine> drawn_;
  std::vector<PixelBox> taken_;
};

}  // namespace

bool Overlaps(const PixelBox& a, const PixelBox& b) {
  return a.left < b.Right() && b.left < a.Right() && a.top < b.Bottom() && b.top < a.Bottom();
}

DiagramPoint PixelOf(const PlotArea& area, const DiagramPoint& value) {
  return {area.box.left + Along(area.x, value.x) * area.box.width,
          area.box.Bottom() - Along(area.y, value.y) * area.box.height};
}

std::vector<std::optional<PixelBox>> PlaceLabels(const DiagramLines& lines, const PlotArea& area,
                                                 std::span<const TextSize> sizes) {
  std::vector<std::optional<PixelBox>> boxes(lines.lines.size());
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < lines.lines.size() && i < sizes.size(); ++i)
    if (!lines.lines[i].label.empty() && !lines.lines[i].pieces.empty()) order.push_back(i);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return Rank(lines.lines[a].role) < Rank(lines.lines[b].role);
  });
  Placer placer(lines, area);
  for (std::size_t i : order) boxes[i] = placer.Place(i, sizes[i]);
  return boxes;
}

}  // namespace tulo
