// The places of the labels on the drawing: on every chart of both standards, at the sizes of the
// window and of a small one, zoomed or not, no label covers another, each lies in the plot area
// beside its own line, and no isobar or isotherm runs through a quality label.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "props/BuiltInSet.h"
#include "results/DiagramLabels.h"
#include "results/IapwsSet.h"
#include "units/Presets.h"

namespace tulo {
namespace {

// Texts about as wide and high as the labels' small font draws them.
constexpr double kCharWidth = 6.0, kTextHeight = 11.0;

std::vector<TextSize> SizesOf(const DiagramLines& lines) {
  std::vector<TextSize> sizes;
  for (const DiagramLine& line : lines.lines)
    sizes.push_back({kCharWidth * static_cast<double>(line.label.size()), kTextHeight});
  return sizes;
}

PlotArea AreaOf(const DiagramLines& lines, PixelBox box) {
  return {box, lines.x, lines.y};
}

// Points every half pixel along a line on the drawing.
std::vector<DiagramPoint> Trace(const DiagramLine& line, const PlotArea& area) {
  std::vector<DiagramPoint> points;
  for (const auto& piece : line.pieces)
    for (std::size_t i = 1; i < piece.size(); ++i) {
      const DiagramPoint a = PixelOf(area, piece[i - 1]), b = PixelOf(area, piece[i]);
      const int n = 1 + static_cast<int>(2.0 * std::hypot(b.x - a.x, b.y - a.y));
      for (int k = 0; k <= n; ++k) {
        const double t = static_cast<double>(k) / n;
        points.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
      }
    }
  return points;
}

bool Within(const PixelBox& box, const DiagramPoint& p, double margin) {
  return p.x >= box.left - margin && p.x <= box.Right() + margin && p.y >= box.top - margin &&
         p.y <= box.Bottom() + margin;
}

struct Frame {
  const char* name;
  PixelBox box;
  int shareShown;  // at least 1/shareShown of the labels find a place
};

TEST(DiagramLabels, PlacedLabelsNeverCollide) {
  // The plot areas of the diagram window at its first size and at its smallest.
  const Frame frames[] = {{"window", {70, 40, 760, 470}, 2}, {"smallest", {50, 30, 540, 340}, 3}};
  UnitSettings european;
  european.InitUnits(PresetSelection(UnitPreset::kEuropean));
  for (const CorrelationSet* set : {&BuiltInCorrelations(), &IapwsCorrelations()})
    for (DiagramKind kind : kDiagramKinds) {
      const DiagramLines lines = BuildDiagramLines(kind, *set, european);
      for (const Frame& frame : frames) {
        const std::string where = set->Name() + " " + std::string(DiagramKindKey(kind)) + " " + frame.name;
        const PlotArea area = AreaOf(lines, frame.box);
        const std::vector<std::optional<PixelBox>> boxes = PlaceLabels(lines, area, SizesOf(lines));
        ASSERT_EQ(boxes.size(), lines.lines.size()) << where;
        int labelled = 0, placed = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
          const DiagramLine& line = lines.lines[i];
          labelled += line.label.empty() ? 0 : 1;
          if (!boxes[i]) continue;
          ++placed;
          const PixelBox& box = *boxes[i];
          EXPECT_FALSE(line.label.empty()) << where;
          EXPECT_GE(box.left, frame.box.left) << where << " " << line.label;
          EXPECT_LE(box.Right(), frame.box.Right()) << where << " " << line.label;
          EXPECT_GE(box.top, frame.box.top) << where << " " << line.label;
          EXPECT_LE(box.Bottom(), frame.box.Bottom()) << where << " " << line.label;
          for (std::size_t j = 0; j < i; ++j)
            if (boxes[j]) {
              EXPECT_FALSE(Overlaps(box, *boxes[j]))
                  << where << ": " << line.label << " on " << lines.lines[j].label;
            }
          // Beside its own line: a point of it within a few pixels of the box.
          const std::vector<DiagramPoint> own = Trace(line, area);
          EXPECT_TRUE(
              std::any_of(own.begin(), own.end(), [&](const DiagramPoint& p) { return Within(box, p, 3.0); }))
              << where << " " << line.label;
          if (line.role != LineRole::kQuality) continue;
          for (const DiagramLine& other : lines.lines) {
            if (other.role != LineRole::kIsobar && other.role != LineRole::kIsotherm) continue;
            for (const DiagramPoint& p : Trace(other, area))
              ASSERT_FALSE(Within(box, p, 0.0)) << where << ": " << other.label << " through " << line.label;
          }
        }
        // Something to read on every chart but the P-T one, which has no labelled lines.
        if (kind == DiagramKind::kPt) {
          EXPECT_EQ(labelled, 0) << where;
        } else {
          EXPECT_GE(placed, labelled / frame.shareShown)
              << where << " placed " << placed << " of " << labelled;
        }
      }
    }
}

// Zoomed into the top right of the T-s chart the isobar labels move to the part of their line
// the view shows; zoomed into a corner with no lines nothing is placed.
TEST(DiagramLabels, ZoomedViewLabelsWhatItShows) {
  UnitSettings si;
  si.InitUnits(PresetSelection(UnitPreset::kSI));
  const DiagramLines lines = BuildDiagramLines(DiagramKind::kTs, IapwsCorrelations(), si);
  struct Case {
    const char* name;
    double xLow, xHigh, yLow, yHigh;  // kJ/kg.K, K
    bool someIsobar;
  };
  const Case cases[] = {{"top right", 8, 11, 800, 1000, true}, {"empty corner", 0, 1, 900, 1200, false}};
  for (const Case& c : cases) {
    PlotArea area = AreaOf(lines, {60, 40, 700, 460});
    area.x.lowest = c.xLow, area.x.highest = c.xHigh;
    area.y.lowest = c.yLow, area.y.highest = c.yHigh;
    const std::vector<std::optional<PixelBox>> boxes = PlaceLabels(lines, area, SizesOf(lines));
    int isobars = 0;
    for (std::size_t i = 0; i < boxes.size(); ++i)
      if (boxes[i]) {
        EXPECT_TRUE(Within(area.box, {boxes[i]->left, boxes[i]->top}, 0.0)) << c.name;
        isobars += lines.lines[i].role == LineRole::kIsobar ? 1 : 0;
      }
    EXPECT_EQ(isobars > 0, c.someIsobar) << c.name;
  }
}

TEST(DiagramLabels, PixelsOfValues) {
  DiagramAxis linear;
  linear.lowest = -10, linear.highest = 10;
  DiagramAxis log;
  log.logarithmic = true, log.lowest = 0.1, log.highest = 1000;
  const PlotArea area{{100, 50, 400, 200}, linear, log};
  struct Case {
    DiagramPoint value, pixel;
  };
  const Case cases[] = {
      {{-10, 0.1}, {100, 250}},  // bottom left
      {{10, 1000}, {500, 50}},   // top right
      {{0, 10}, {300, 150}},     // two decades of four up: half way
      {{5, 1}, {400, 200}},
  };
  for (const Case& c : cases) {
    const DiagramPoint p = PixelOf(area, c.value);
    EXPECT_NEAR(p.x, c.pixel.x, 1e-9) << c.value.x;
    EXPECT_NEAR(p.y, c.pixel.y, 1e-9) << c.value.y;
  }
  struct Pair {
    PixelBox a, b;
    bool overlap;
  };
  const Pair pairs[] = {
      {{0, 0, 10, 10}, {5, 5, 10, 10}, true},
      {{0, 0, 10, 10}, {10, 0, 10, 10}, false},  // sharing an edge
      {{0, 0, 10, 10}, {2, 2, 3, 3}, true},      // one inside the other
      {{0, 0, 10, 10}, {0, 11, 10, 10}, false},
  };
  for (const Pair& p : pairs) {
    EXPECT_EQ(Overlaps(p.a, p.b), p.overlap) << p.b.left << "," << p.b.top;
    EXPECT_EQ(Overlaps(p.b, p.a), p.overlap) << p.b.left << "," << p.b.top;
  }
}

}  // namespace
}  // namespace tulo
