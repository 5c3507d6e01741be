#pragma once
// The lines of the charts of water and steam for a correlation set, in the display units chosen:
// T-s, h-s (Mollier), P-h and P-T, each with the saturation dome (on the P-T chart the vapour
// pressure curve) and the critical point; isobars and isotherms where they are not lines of the
// grid; lines of constant quality inside the dome; the melting and sublimation lines on the P-T
// chart. No toolkit here: the window and tulo-calc hand these points to their plotting library.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "props/CorrelationSet.h"
#include "units/Units.h"

namespace tulo {

enum class DiagramKind : std::uint8_t { kTs, kHs, kPh, kPt };

inline constexpr DiagramKind kDiagramKinds[] = {DiagramKind::kTs, DiagramKind::kHs, DiagramKind::kPh,
                                                DiagramKind::kPt};

// The short names tulo-calc takes ("ts", "hs", "ph", "pt"); nothing for another word.
std::optional<DiagramKind> DiagramKindNamed(std::string_view key);
std::string_view DiagramKindKey(DiagramKind kind);
// "T-s diagram", "h-s (Mollier) diagram", "P-h diagram", "P-T diagram".
std::string DiagramTitle(DiagramKind kind);
// Whether a click on the chart can name a state: every kind but P-T, whose axes are T and P.
constexpr bool ClickSetsState(DiagramKind kind) {
  return kind != DiagramKind::kPt;
}

// A point of a chart in display units: x along the horizontal axis, y up the vertical one.
struct DiagramPoint {
  double x = 0.0;
  double y = 0.0;
};

// The display units of a chart: those chosen, except that a gauge pressure unit gives way to the
// absolute unit of the same scale, since a logarithmic axis needs absolute pressure.
class DiagramUnits {
 public:
  explicit DiagramUnits(const UnitSettings& chosen);

  // Temperature, pressure, enthalpy or entropy between the internal and the chart's units; NaN
  // when the value cannot be shown (beyond the program's reals).
  long double ToDisplay(Quantity q, long double internal);
  long double ToInternal(Quantity q, long double display);
  std::string UnitText(Quantity q);

 private:
  UnitSettings units_;
};

struct DiagramAxis {
  Quantity quantity = kTemperature;  // kTemperature, kPressure, kEnthalpyQ or kEntropyQ
  std::string title;                 // "Entropy (kJ/kg.K)"
  bool logarithmic = false;          // pressure: whole decades from lowest to highest
  double lowest = 0.0;               // the frame, in display units
  double highest = 1.0;
  double tickInterval = 0.0;  // a linear axis's step between labelled ticks (at its multiples)
};

// A linear axis reaches beyond the content of the frame (the dome and the corners of the range
// charted) by at least half and at most all of this share of the content's span at each end,
// its ends rounded to a nice value.
inline constexpr double kAxisMargin = 0.02;

// The step between the labelled ticks of a linear axis from lowest to highest: 1, 2 or 5 times a
// power of ten, at most 12 of them.
double TickInterval(double lowest, double highest);

// The quantities along the axes of a kind: x first.
Quantity XQuantity(DiagramKind kind);
Quantity YQuantity(DiagramKind kind);
// Whether one of the axes of a kind is q.
bool UsesQuantity(DiagramKind kind, Quantity q);

enum class LineRole : std::uint8_t {
  kSaturatedLiquid,  // the left side of the dome, from the triple point to the critical point
  kSaturatedVapour,  // the right side
  kSaturation,       // P-T: the vapour pressure curve, triple point to critical point
  kQuality,          // inside the dome
  kIsobar,
  kIsotherm,
  kMelting,      // P-T
  kSublimation,  // P-T
};

struct DiagramLine {
  LineRole role = LineRole::kIsobar;
  // The value held along the line in display units (isobars: the chart's pressure unit), or the
  // quality in percent; 0 for the saturation lines.
  double value = 0.0;
  std::string label;  // "10", "50 %"; empty for the saturation lines
  // Where a correlation gives no valid value the line stops and takes up again after the gap.
  // Where the label goes is decided on the drawing (DiagramLabels.h).
  std::vector<std::vector<DiagramPoint>> pieces;
};

struct DiagramLines {
  DiagramKind kind = DiagramKind::kTs;
  DiagramAxis x, y;
  std::vector<DiagramLine> lines;
  std::optional<DiagramPoint> critical;
  // The unit of the values of the isobars and isotherms, for a legend.
  std::string pressureUnit, temperatureUnit;
};

// The charts cover the fluid from the triple point to this temperature (1000 °C) or the set's
// highest, whichever is lower; the P-T chart starts at its lowest temperature to show the
// sublimation line.
inline constexpr long double kDiagramTopTemperature = 1273.15L;  // K
inline constexpr long double kPtLowestTemperature = 200.0L;      // K

// Builds every line of the chart of `kind` from fresh calculators of `set`.
DiagramLines BuildDiagramLines(DiagramKind kind, const CorrelationSet& set, const UnitSettings& units);

// The point of a state of temperature T (K), pressure P (kPa), enthalpy h (kJ/kg) and entropy
// s (kJ/kg.K) on a chart of `kind`; only the two it needs are read. Nothing when one of them
// cannot be shown.
std::optional<DiagramPoint> PlaceState(DiagramKind kind, DiagramUnits& units, long double T, long double P,
                                       long double h, long double s);

// Round values from lowest to highest (inclusive), at most maxCount of them: on a linear scale
// multiples of 1, 2 or 5 times a power of ten; on a logarithmic one 1, 2 and 5, or 1 and 3, or 1
// times the powers of ten, the densest that fits.
std::vector<double> RoundLinearValues(double lowest, double highest, int maxCount);
std::vector<double> RoundLogValues(double lowest, double highest, int maxCount);
// A round value as a label shows it: "0.03", "250", "100000", "1e+06".
std::string RoundValueText(double value);

}  // namespace tulo
