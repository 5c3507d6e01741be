#include "results/DisplayValue.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "common/NumberReader.h"
#include "common/Real6.h"

namespace tulo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

UnitConversion::UnitConversion(const UnitSettings& units, const CorrelationSet& set, Quantity q)
    : units_(&units), q_(q), set_(&set) {
  const UnitRecord unit = units.Record(q);
  factor_ = unit.exactFactor;
  offset_ = unit.exactOffset;
  reciprocal_ = unit.reciprocal;
}

long double UnitConversion::ToInternal(long double y) const {
  if (set_->Storage().RoundsToReal6()) return units_->ToInternal(q_, y);
  if (reciprocal_ && y != 0.0L) y = 1.0L / y;
  return y / factor_ - offset_;
}

long double UnitConversion::ToDisplay(long double x) const {
  if (set_->Storage().RoundsToReal6()) return R6(units_->ToDisplay(q_, x));
  // The reciprocal of zero is taken as zero, as in the program's conversion.
  long double y = (x + offset_) * factor_;
  if (reciprocal_ && y != 0.0L) y = 1.0L / y;
  return y;
}

DisplayValue UnitConversion::Display(const CalcResult& r) const {
  if (!r.Ok()) return {kNaN, r.status};
  const double shown = static_cast<double>(ToDisplay(set_->Storage().Store(r.value)));
  if (!std::isfinite(shown)) return {kNaN, Status::kOutOfRange};
  return {shown, Status::kValid};
}

bool UnitConversion::Identity() const {
  return !set_->Storage().RoundsToReal6() && factor_ == 1.0L && offset_ == 0.0L && !reciprocal_;
}

// y / 1 - 0 is y; (x + 0) * 1 is x but for -0, which x + 0.0 turns into +0 as well.
void UnitConversion::ToInternalAll(std::span<const double> display, std::span<double> internal) const {
  const bool identity = Identity();
  for (std::size_t i = 0; i < display.size(); ++i)
    internal[i] = identity ? display[i] : static_cast<double>(ToInternal(display[i]));
}

void UnitConversion::DisplayAll(std::span<const double> value, std::span<const Status> status,
                                std::span<double> shown, std::span<Status> shownStatus) const {
  if (!Identity()) {
    for (std::size_t i = 0; i < value.size(); ++i) {
      const DisplayValue d = Display({value[i], status[i]});
      shown[i] = d.value;
      shownStatus[i] = d.status;
    }
    return;
  }
  for (std::size_t i = 0; i < value.size(); ++i) {
    const double x = value[i] + 0.0;
    const bool valid = status[i] == Status::kValid && std::isfinite(x);
    shown[i] = valid ? x : kNaN;
    shownStatus[i] = status[i] != Status::kValid ? status[i] : valid ? Status::kValid : Status::kOutOfRange;
  }
}

namespace {

// Whether the number reader reads `text` (the decimal of d) as the Real6 x. The reader rounds the
// text to extended precision, then to a Real6; d, the double nearest the text, tells the same
// unless the text lies near the middle between two Real6 values: when every value within 2^-50
// of d rounds to x, so does the reader's, else the text is read as the reader reads it.
bool ReadsAs(const char* text, double d, double x) {
  constexpr long double kNear = 0x1p-50L;
  const long double wide = d;
  if (R6(wide * (1.0L - kNear)) == x && R6(wide * (1.0L + kNear)) == x) return true;
  return ReadNumber(text) == x;
}

}  // namespace

std::string ShortestText(double x) {
  // Twelve significant digits give the short decimal of a value that has one (trailing zeros
  // dropped); fourteen always tell two neighbouring Real6 values apart (a 40-bit mantissa); 17
  // only guard the loop.
  char buf[40];
  for (int digits : {12, 13, 14, 17}) {
    const auto end = std::to_chars(buf, buf + sizeof buf - 1, x, std::chars_format::general, digits).ptr;
    *end = '\0';
    double d = 0.0;
    std::from_chars(buf, end, d);
    if (ReadsAs(buf, d, x)) break;
  }
  return buf;
}

std::string StoredValueText(double x, const CorrelationSet& set) {
  std::string text;
  AppendStoredValueText(x, set, text);
  return text;
}

void AppendStoredValueText(double x, const CorrelationSet& set, std::string& out) {
  if (set.Storage().RoundsToReal6()) {
    out += ShortestText(x);
    return;
  }
  char buf[32];
  const auto end = std::to_chars(buf, buf + sizeof buf, x).ptr;
  out.append(buf, end);
}

}  // namespace tulo
