#include "results/DisplayValue.h"

#include <cmath>
#include <limits>

#include "common/Real6.h"

namespace tulo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

UnitConversion::UnitConversion(UnitSettings& units, const CorrelationSet& set, Quantity q)
    : units_(&units), q_(q), set_(&set) {
  units.SelectUnit(q);
  const UnitRecord& unit = units.Current();
  factor_ = unit.factor;
  offset_ = unit.offset;
  reciprocal_ = unit.reciprocal;
}

long double UnitConversion::ToInternal(long double y) const {
  if (set_->RoundsToReal6()) return units_->ToInternal(q_, y);
  if (reciprocal_ && y != 0.0L) y = 1.0L / y;
  return y / factor_ - offset_;
}

DisplayValue UnitConversion::Display(const CalcResult& r) const {
  if (!r.Ok()) return {kNaN, r.status};
  const long double x = set_->Store(r.value);
  long double y;
  if (set_->RoundsToReal6()) {
    y = R6(units_->ToDisplay(q_, x));
  } else {
    // The reciprocal of zero is taken as zero, as in the program's conversion.
    y = (x + offset_) * factor_;
    if (reciprocal_ && y != 0.0L) y = 1.0L / y;
  }
  const double shown = static_cast<double>(y);
  if (!std::isfinite(shown)) return {kNaN, Status::kOutOfRange};
  return {shown, Status::kValid};
}

}  // namespace tulo
