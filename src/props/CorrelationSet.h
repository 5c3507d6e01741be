#pragma once
// One property standard behind the program: how its calculators are made, and what the phase
// condition, the input checks, the steam search and the grids read from it. The program holds
// one set at a time (the session's) and can replace it while it runs.
//
// To plug in a standard, derive from CorrelationSet and give:
//   - MakeCalculators: a CalculatorTable holding a PropertyCalculator for every variable item
//     the standard answers (an item without one shows blank cells);
//   - the critical point, the melting line and the top of the sublimation line as the phase
//     condition compares with them (the saturation line is the standard's saturation temperature
//     and pressure calculators unless SaturationTemperature/SaturationPressure are overridden);
//   - the input limits, the search ranges, the fixed-property values and the grid layout;
//   - whether its stored values are rounded to Real6 (the constructor's argument).
// Every temperature is in K and every pressure in kPa absolute, as everywhere in the core.

#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "props/CalcResult.h"
#include "props/CalculatorTable.h"
#include "props/Catalogue.h"
#include "props/Phase.h"
#include "units/Units.h"

namespace tulo {

// The critical point as states are compared with it: above both is super critical.
struct CriticalPoint {
  long double temperature;  // K
  long double pressure;     // kPa
};

// The range a typed temperature or pressure must lie in, and the highest value a saturated
// state may be given by (quoted in the messages of the input checks).
struct InputRange {
  long double lowest;
  long double highest;
  long double saturation;
};

// The intervals of the steam search.
struct SearchRanges {
  long double lowTemperature;     // K: below it only the vapour side over the solid is searched
  long double liquidTemperature;  // K: where the liquid side starts at a fixed pressure
  long double highTemperature;    // K
  long double lowPressure;        // kPa
  long double highPressure;       // kPa
};

// The rows a standard's result grids list for each kind of condition, full or short.
struct GridRows {
  std::span<const Item> solid, solidVapour, liquid, liquidVapour;
  std::span<const Item> vapour;  // superheated and super critical alike
};

// Whether the inputs a value of `item` in `phase` rests on lie in the input limits of `set`:
// the temperature and the pressure of a single-phase state (or of no phase named), the
// temperature alone on the saturation line (its pressure is the saturation pressure there), the
// steam quality (0 to 100 percent) of wet steam too; an item of the temperature alone or of the
// pressure alone (saturation pressure, boiling point...) that one only. A value resting on an
// input beyond the limits is out of range, whatever its correlation would answer. A named phase
// (not kNoPhase) is held to the range of its correlations (PhaseLimits).
bool InputsInLimits(const CorrelationSet& set, Item item, Phase phase, long double T, long double P,
                    double quality);

// InputsInLimits for the values of one state: the range checks of its T, P and quality made once,
// each item and phase then only choosing among them.
class StateLimits {
 public:
  StateLimits(const CorrelationSet& set, long double T, long double P, double quality);
  bool InLimits(Item item, Phase phase) const;

 private:
  bool typedT_, typedP_;  // within the input limits (no phase named)
  bool phaseT_, phaseP_;  // within the range of the named phases' correlations (PhaseLimits)
  bool quality_;          // 0 to 100 percent
};

// The rows of `rows` for `condition`; empty for kNone.
std::span<const Item> RowsFor(const GridRows& rows, Condition condition);

// What a standard's result grids list: its rows for each kind of condition, full and short, and
// the rows of the wet-steam grid. Layout, not physics: a small object chosen with the standard
// (CorrelationSet::Layout), so that the standard itself answers states and nothing of windows.
class GridLayout {
 public:
  constexpr GridLayout(GridRows full, GridRows brief, std::span<const Item> wet)
      : full_(full), brief_(brief), wet_(wet) {}
  // The items a result grid lists for a condition, full or short; empty for kNone.
  std::span<const Item> RowSet(Condition condition, bool full) const {
    return RowsFor(full ? full_ : brief_, condition);
  }
  // The rows of the wet-steam grid.
  std::span<const Item> WetRowSet() const { return wet_; }
  // The same layout with other full rows.
  constexpr GridLayout WithFullRows(GridRows full) const { return {full, brief_, wet_}; }

 private:
  GridRows full_, brief_;
  std::span<const Item> wet_;
};

// How a standard stores its values, apart from its physics: rounded to Real6 (the built-in
// correlations, whose values have always been stored so) or as doubles (a standard computed in
// double precision, nothing rounded on the way).
class ValueStorage {
 public:
  explicit constexpr ValueStorage(bool roundsToReal6) : roundsToReal6_(roundsToReal6) {}
  // True when values are stored as Real6.
  bool RoundsToReal6() const { return roundsToReal6_; }
  // A value as stored: the nearest Real6 (NaN when it cannot be stored) or the nearest double.
  long double Store(long double x) const;
  // A typed number as taken: read to the nearest Real6 or to the nearest double. Nothing for a
  // text that is no number (ReadNumber's form and range).
  std::optional<double> ReadTyped(std::string_view text) const;
  // A number handed over as a double (an argument of the Python module) as a typed one is taken:
  // rounded to Real6 or kept as it is. Nothing when it is not finite or too large for a Real6, as
  // ReadTyped refuses such a text.
  std::optional<double> TakeTyped(double x) const;

 private:
  bool roundsToReal6_;
};

class CorrelationSet {
 public:
  virtual ~CorrelationSet() = default;
  CorrelationSet(const CorrelationSet&) = delete;
  CorrelationSet& operator=(const CorrelationSet&) = delete;

  // The name a menu shows.
  virtual std::string Name() const = 0;

  // The calculators of one session; they read the steam quality and the condition through ctx,
  // which must outlive them.
  virtual std::unique_ptr<CalculatorTable> MakeCalculators(CalcContext& ctx) const = 0;

  // ---- The lines of the phase condition ----
  virtual CriticalPoint Critical() const = 0;
  // K either side of the saturation temperature that still counts as saturated.
  virtual long double SaturationBand() const = 0;
  // Whether a state given by T and P within the band is saturated, with two phases and no single
  // value (the built-in standard), or has one phase, that of the side of the saturation line it
  // lies on (the IAPWS standard). The curves of the diagrams and the steam search find the
  // saturated states through the band either way.
  virtual bool BandStatesAreSaturated() const { return true; }
  // The melting temperature at P: below it a state that is not saturated is solid.
  virtual long double MeltingTemperature(long double P) const = 0;
  // No melting temperature is above this one, at any pressure: the phase condition does not ask
  // MeltingTemperature for a warmer state. Infinite by default (always asked).
  virtual long double HighestMeltingTemperature() const {
    return std::numeric_limits<long double>::infinity();
  }
  // The saturation line is the sublimation line (solid and vapour) up to this temperature.
  virtual long double SublimationTop() const = 0;
  // The saturation temperature at P and the saturation pressure at T, as the phase condition and
  // the steam search read them. By default the session's calculators of the two items answer
  // (with their kept calls).
  virtual CalcResult SaturationTemperature(const CalculatorTable& calculators, long double P) const;
  virtual CalcResult SaturationPressure(const CalculatorTable& calculators, long double T) const;

  // ---- Limits ----
  // The typed temperature (kTemperature) or pressure (kPressure) the input checks accept.
  virtual InputRange InputLimits(Quantity quantity) const = 0;
  virtual SearchRanges Search() const = 0;
  // The intervals of the search along one line: the isotherm at `value` K (given kTemperature)
  // or the isobar at `value` kPa (given kPressure). Search() unless the standard's fluid ends
  // before its ends on that line (a high-pressure ice of the IAPWS-95 range).
  virtual SearchRanges SearchAlong(Quantity given, long double value) const;
  // Whether an internal temperature or pressure lies in InputLimits, both ends closed
  // (common/RangeLimit.h): the one check of the window, the batch runs and the single values.
  bool InInputRange(Quantity quantity, long double internal) const;
  // The range of a named phase's correlations: the input limits, or wider where the standard's
  // correlations are defined beyond them and have always answered there.
  virtual InputRange PhaseLimits(Quantity quantity) const { return InputLimits(quantity); }

  // ---- Seams ----
  // Where the enthalpy or entropy correlation changes formula inside a phase, as a state crosses
  // them: the temperatures met along an isobar and the pressures met along an isotherm. The pair
  // solves sample each side apart, since values may overlap across a seam. None by default.
  virtual std::span<const long double> TemperatureSeams() const { return {}; }
  virtual std::span<const long double> PressureSeams() const { return {}; }

  // ---- Grids ----
  // The value of a fixed property in internal units (as stored); 0 for other items.
  virtual double FixedValue(Item item) const = 0;
  // The rows its grids list (GridLayout).
  virtual const GridLayout& Layout() const = 0;

  // ---- Stored values ----
  // How its values are stored (ValueStorage).
  const ValueStorage& Storage() const { return storage_; }

 protected:
  explicit CorrelationSet(bool roundsToReal6) : storage_(roundsToReal6) {}

 private:
  ValueStorage storage_;
};

}  // namespace tulo
