#pragma once
// The twelve quantities, their display units, and the conversions between a display value and
// the internal unit (K, kPa absolute, kg/m3, kJ/kg, kJ/kg.K, debye, Pa.s, kW/m.K, N/m, 1/K, 1/kPa).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tulo {

enum Quantity : std::uint8_t {
  kTemperature = 0,
  kPressure = 1,
  kDensity = 2,
  kEnthalpyQ = 3,
  kEntropyQ = 4,
  kDipoleMoment = 5,
  kViscosityQ = 6,
  kHeatCapacityQ = 7,
  kConductivityQ = 8,
  kSurfaceTensionQ = 9,
  kExpansionQ = 10,
  kCompressibilityQ = 11,
  kDimensionless = 12,
  // Quantities with one fixed unit, for the properties only the IAPWS standard gives.
  kSpeedQ = 13,               // m/s
  kSpecificVolumeQ = 14,      // m3/kg
  kKinematicViscosityQ = 15,  // m2/s
  kJouleThomsonQ = 16,        // K/MPa
};

constexpr int kQuantityCount = 12;  // quantities with a chosen unit
using UnitSelection = std::array<std::uint8_t, kQuantityCount>;

// Number of units offered for quantity q (0..12); 0 for other codes.
int UnitCount(int q);
// Text of unit n (1-based) of quantity q; unit 1 when n is outside 1..count.
std::string UnitTextOf(int q, int n);

struct UnitRecord {
  std::string_view text;  // the unit table's own text
  long double factor = 1.0L;  // Real6 values: the program's conversion
  long double offset = 0.0L;
  // The table's values, unrounded: the conversion of a standard computed in double precision.
  long double exactFactor = 1.0L;
  long double exactOffset = 0.0L;
  bool reciprocal = false;
};

// The unit selection in force. Every conversion is const: a change of units is a new selection.
class UnitSettings {
 public:
  UnitSettings();

  void InitUnits(const UnitSelection& selection);
  void SetUnitSelection(const UnitSelection& selection);
  UnitSelection GetUnitSelection() const { return selection_; }

  // The record of the chosen unit of q; a unit number outside 1..count uses unit 1, a code that
  // is no quantity the identity with no text.
  UnitRecord Record(int q) const;

  // display = (internal + offset) * factor, then its reciprocal for reciprocal units; each step
  // stored as a Real6. NaN when the value cannot be stored (beyond the Real6 range). The
  // reciprocal of zero is taken as zero: there is no finite specific volume to show for it.
  long double ToDisplay(int q, long double x) const;
  long double ToInternal(int q, long double y) const;
  std::string UnitText(int q) const;

 private:
  UnitSelection selection_{};
  std::array<std::uint8_t, kQuantityCount> counts_{};
};

}  // namespace tulo
