#include "units/Units.h"

#include <span>

#include "common/Real6.h"

namespace tulo {
namespace {

struct UnitDef {
  const char* text;
  long double factor;
  long double offset;
  bool reciprocal;
};

constexpr UnitDef kTemperatureUnits[] = {
    {"Kelvin", 1.0L, 0.0L, false},
    {"Celsius", 1.0L, -273.15L, false},
    {"Fahrenheit", 1.8L, -255.372L, false},
    {"Rankine", 1.8L, 0.0L, false},
};

// Gauge units repeat the absolute ones with atmospheric pressure (101.325 kPa) taken off first.
// MPa came later: appended as units 23 and 24, so that every stored unit number keeps its meaning.
constexpr UnitDef kPressureUnits[] = {
    {"kPa abs", 1.0L, 0.0L, false},
    {"atm abs", 0.0098692L, 0.0L, false},
    {"bar abs", 0.01L, 0.0L, false},
    {"inch H2O abs", 4.015L, 0.0L, false},
    {"inch Hg abs", 0.2953L, 0.0L, false},
    {"kgf/cm2 abs", 0.010197L, 0.0L, false},
    {"lbf/ft2 abs", 20.886L, 0.0L, false},
    {"mbar abs", 10.0L, 0.0L, false},
    {"mm Hg abs", 7.501L, 0.0L, false},
    {"Pa abs", 1000.0L, 0.0L, false},
    {"PSI abs", 0.14504L, 0.0L, false},
    {"kPa gauge", 1.0L, -101.325L, false},
    {"atm gauge", 0.0098692L, -101.325L, false},
    {"bar gauge", 0.01L, -101.325L, false},
    {"inch H2O gauge", 4.015L, -101.325L, false},
    {"inch Hg gauge", 0.2953L, -101.325L, false},
    {"kgf/cm2 gauge", 0.010197L, -101.325L, false},
    {"lbf/ft2 gauge", 20.886L, -101.325L, false},
    {"mbar gauge", 10.0L, -101.325L, false},
    {"mm Hg gauge", 7.501L, -101.325L, false},
    {"Pa gauge", 1000.0L, -101.325L, false},
    {"PSI gauge", 0.14504L, -101.325L, false},
    {"MPa abs", 0.001L, 0.0L, false},
    {"MPa gauge", 0.001L, -101.325L, false},
};

// Specific volume is the reciprocal of density; molar units use 18.015 kg/kmol.
constexpr UnitDef kDensityUnits[] = {
    {"kg/m3", 1.0L, 0.0L, false},        {"g/cm3", 0.001L, 0.0L, false},
    {"kmol/m3", 0.055509L, 0.0L, false}, {"lb/ft3", 0.06242796L, 0.0L, false},
    {"m3/kg", 1.0L, 0.0L, true},         {"cm3/g", 0.001L, 0.0L, true},
    {"m3/kmol", 0.055509L, 0.0L, true},  {"ft3/lb", 0.06242796L, 0.0L, true},
};

constexpr UnitDef kEnthalpyUnits[] = {
    {"kJ/kg", 1.0L, 0.0L, false},      {"Btu/lb", 0.43011L, 0.0L, false},  {"cal/g ", 0.23889L, 0.0L, false},
    {"Chu/lb", 0.23889L, 0.0L, false}, {"kcal/kg", 0.23889L, 0.0L, false}, {"kJ/kmol", 18.015L, 0.0L, false},
};

// Per-kelvin quantities: a degree Celsius is a kelvin, a degree Fahrenheit or Rankine 5/9 K.
constexpr UnitDef kEntropyUnits[] = {
    {"kJ/kg.K", 1.0L, 0.0L, false},
    {"Btu/lb.\u00B0F", 0.23889L, 0.0L, false},
    {"cal/g.\u00B0C", 0.23889L, 0.0L, false},
    {"Chu/lb.\u00B0C", 0.23889L, 0.0L, false},
    {"kcal/kg.\u00B0C", 0.23889L, 0.0L, false},
    {"kJ/kmol.K", 18.015L, 0.0L, false},
};

constexpr UnitDef kDipoleUnits[] = {{"debye", 1.0L, 0.0L, false}};

constexpr UnitDef kViscosityUnits[] = {
    {"Pa.s", 1.0L, 0.0L, false},        {"centipoise", 1000.0L, 0.0L, false},
    {"kg/m.s", 1.0L, 0.0L, false},      {"lb/ft.h", 2419.1L, 0.0L, false},
    {"lb/ft.s", 0.67197L, 0.0L, false}, {"micropoise", 10000000.0L, 0.0L, false},
    {"N.s/m2", 1.0L, 0.0L, false},      {"Poise", 10.0L, 0.0L, false},
};

constexpr UnitDef kConductivityUnits[] = {
    {"kW/m.K", 1.0L, 0.0L, false},
    {"Btu.in/ft2.h.\u00B0F", 6936.5L, 0.0L, false},
    {"Btu/ft.h.\u00B0F", 578.04L, 0.0L, false},
    {"cal/cm.s.\u00B0C", 2.3889L, 0.0L, false},
    {"kcal/m.s.\u00B0C", 0.23889L, 0.0L, false},
    {"W/m.K", 1000.0L, 0.0L, false},
};

constexpr UnitDef kSurfaceTensionUnits[] = {
    {"N/m", 1.0L, 0.0L, false}, {"dyne/cm", 1000.0L, 0.0L, false}, {"Poundals/in", 0.18372L, 0.0L, false}};

constexpr UnitDef kExpansionUnits[] = {
    {"m3/m3.K", 1.0L, 0.0L, false},
    {"ft3/ft3.\u00B0F", 0.55556L, 0.0L, false},
    {"ft3/ft3.\u00B0R", 0.55556L, 0.0L, false},
    {"m3/m3.\u00B0C", 1.0L, 0.0L, false},
};

constexpr UnitDef kCompressibilityUnits[] = {
    {"m3/m3.kPa", 1.0L, 0.0L, false},
    {"ft3/ft3.PSI", 6.8947L, 0.0L, false},
    {"m3/m3.atm", 101.325L, 0.0L, false},
    {"m3/m3.bar", 100.0L, 0.0L, false},
};

constexpr UnitDef kNoUnit[] = {{"-", 1.0L, 0.0L, false}};
constexpr UnitDef kSpeedUnits[] = {{"m/s", 1.0L, 0.0L, false}};
constexpr UnitDef kSpecificVolumeUnits[] = {{"m3/kg", 1.0L, 0.0L, false}};
constexpr UnitDef kKinematicViscosityUnits[] = {{"m2/s", 1.0L, 0.0L, false}};
constexpr UnitDef kJouleThomsonUnits[] = {{"K/MPa", 1.0L, 0.0L, false}};

std::span<const UnitDef> UnitsOf(int q) {
  switch (q) {
    case kTemperature:
      return kTemperatureUnits;
    case kPressure:
      return kPressureUnits;
    case kDensity:
      return kDensityUnits;
    case kEnthalpyQ:
      return kEnthalpyUnits;
    case kEntropyQ:
    case kHeatCapacityQ:
      return kEntropyUnits;
    case kDipoleMoment:
      return kDipoleUnits;
    case kViscosityQ:
      return kViscosityUnits;
    case kConductivityQ:
      return kConductivityUnits;
    case kSurfaceTensionQ:
      return kSurfaceTensionUnits;
    case kExpansionQ:
      return kExpansionUnits;
    case kCompressibilityQ:
      return kCompressibilityUnits;
    case kDimensionless:
      return kNoUnit;
    case kSpeedQ:
      return kSpeedUnits;
    case kSpecificVolumeQ:
      return kSpecificVolumeUnits;
    case kKinematicViscosityQ:
      return kKinematicViscosityUnits;
    case kJouleThomsonQ:
      return kJouleThomsonUnits;
    default:
      return {};
  }
}

const UnitDef& UnitAt(int q, int n) {
  auto units = UnitsOf(q);
  if (n < 1 || n > static_cast<int>(units.size())) n = 1;
  return units[n - 1];
}

}  // namespace

int UnitCount(int q) {
  return static_cast<int>(UnitsOf(q).size());
}

std::string UnitTextOf(int q, int n) {
  if (UnitsOf(q).empty()) return "";
  return UnitAt(q, n).text;
}

UnitSettings::UnitSettings() {
  UnitSelection first;
  first.fill(1);
  InitUnits(first);
}

void UnitSettings::InitUnits(const UnitSelection& selection) {
  selection_ = selection;
  for (int q = 0; q < kQuantityCount; ++q) counts_[q] = static_cast<std::uint8_t>(UnitCount(q));
}

void UnitSettings::SetUnitSelection(const UnitSelection& selection) {
  selection_ = selection;
}

UnitRecord UnitSettings::Record(int q) const {
  UnitRecord record;
  if (q < 0 || q > kJouleThomsonQ) return record;
  // The dipole moment and the quantities without a choice have one unit whatever the selection.
  int n = (q == kDipoleMoment || q >= kDimensionless) ? 1 : selection_[q];
  const UnitDef& def = UnitAt(q, n);
  record.text = def.text;
  record.factor = R6(def.factor);
  record.offset = R6(def.offset);
  record.exactFactor = def.factor;
  record.exactOffset = def.offset;
  record.reciprocal = def.reciprocal;
  return record;
}

long double UnitSettings::ToDisplay(int q, long double x) const {
  const UnitRecord unit = Record(q);
  long double y = R6((x + unit.offset) * unit.factor);
  if (unit.reciprocal && y != 0.0L) y = R6(1.0L / y);
  return y;
}

long double UnitSettings::ToInternal(int q, long double y) const {
  const UnitRecord unit = Record(q);
  if (unit.reciprocal && y != 0.0L) y = R6(1.0L / y);
  return R6(y / unit.factor - unit.offset);
}

std::string UnitSettings::UnitText(int q) const {
  return std::string(Record(q).text);
}

}  // namespace tulo
