#pragma once
// A calculator's answer as a number in the display unit of its item: what a grid cell shows
// before it is formatted, for the front ends that hand numbers on (the batch runs, the Python
// module).

#include <span>
#include <string>

#include "props/CalcResult.h"
#include "props/CorrelationSet.h"
#include "units/Units.h"

namespace tulo {

// A value in its display unit, NaN unless the status is valid.
struct DisplayValue {
  double value;
  Status status;
};

// The conversions of one quantity between its display unit and the internal unit. The built-in
// standard's values take the program's conversion, each step a Real6, as a grid cell shows them;
// a standard computed in double precision is converted in double precision, so that no digit of
// its values is lost on the way.
class UnitConversion {
 public:
  // units and set must outlive the conversion.
  UnitConversion(const UnitSettings& units, const CorrelationSet& set, Quantity q);

  long double ToInternal(long double y) const;
  // An internal value in the display unit, as its standard stores it: a Real6 in the built-in
  // standard, NaN when it cannot be stored.
  long double ToDisplay(long double x) const;
  // A calculator's answer in the display unit, as its standard stores it; a value the unit cannot
  // hold is out of range.
  DisplayValue Display(const CalcResult& r) const;
  // The same over many values at once, each bitwise what the call for one gives (ToInternal's
  // value as a double): a unit of factor 1 without offset, which leaves every double of a
  // standard computed in double precision as it is (but -0 as +0 on the way out), is skipped.
  void ToInternalAll(std::span<const double> display, std::span<double> internal) const;
  void DisplayAll(std::span<const double> value, std::span<const Status> status, std::span<double> shown,
                  std::span<Status> shownStatus) const;

 private:
  const UnitSettings* units_;
  Quantity q_;
  const CorrelationSet* set_;
  long double factor_;  // the unit table's own values, not rounded to Real6
  long double offset_;
  bool reciprocal_;
  // Neither a Real6 standard nor a factor, offset or reciprocal: the conversion changes no double.
  bool Identity() const;
};

// The shortest decimal text, of at most 12 significant digits where that is enough, that the
// number reader reads back as the Real6 x ("0.1", "2675.57134372", "1e-05").
std::string ShortestText(double x);

// Every digit a standard stores of a display value, in the fewest characters: a Real6 as
// ShortestText gives it, a double of a standard computed in double precision as the shortest text
// that reads back as the same double.
std::string StoredValueText(double x, const CorrelationSet& set);
// StoredValueText's text appended to out, which keeps its storage (a batch cell per value would
// otherwise allocate a string for every 16 characters or more).
void AppendStoredValueText(double x, const CorrelationSet& set, std::string& out);

}  // namespace tulo
