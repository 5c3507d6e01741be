#pragma once
// The twelve quantities, their display units, and the conversions between a display value and
// the internal unit (K, kPa absolute, kg/m3, kJ/kg, kJ/kg.K, debye, Pa.s, kW/m.K, N/m, 1/K, 1/kPa).

#include <array>
#include <cstdint>
#include <string>

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
  std::string text;
  long double factor = 1.0L;  // Real6 values: the program's conversion
  long double offset = 0.0L;
  // The table's values, unrounded: the conversion of a standard computed in double precision.
  long double exactFactor = 1.0L;
  long double exactOffset = 0.0L;
  bool reciprocal = false;
};

// The unit selection in force and the scratch record of the unit last selected.
class UnitSettings {
 public:
  UnitSettings();

  void InitUnits(const UnitSelection& selection);
  void SetUnitSelection(const UnitSelection& selection);
  UnitSelection GetUnitSelection() const { return selection_; }

  // Loads the current record for the chosen unit of q. Codes above 12 change only the offsets
  // and reciprocal; a unit number outside 1..count uses unit 1.
  void SelectUnit(int q);
  const UnitRecord& Current() const { return current_; }

  // display = (internal + offset) * factor, then its reciprocal for reciprocal units; each step
  // stored as a Real6. NaN when the value cannot be stored (beyond the Real6 range). The
  // reciprocal of zero is taken as zero: there is no finite specific volume to show for it.
  long double ToDisplay(int q, long double x);
  long double ToInternal(int q, long double y);
  std::string UnitText(int q);

 private:
  UnitSelection selection_{};
  std::array<std::uint8_t, kQuantityCount> counts_{};
  UnitRecord current_;
};

}  // namespace tulo
