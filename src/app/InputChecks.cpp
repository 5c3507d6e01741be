#include "app/InputChecks.h"

#include <algorithm>
#include <cmath>

#include "common/NumberReader.h"
#include "common/Real6.h"
#include "results/DisplayValue.h"
#include "results/Results.h"
#include "units/Format.h"

namespace tulo {
namespace {

// The name of a typed quantity in the messages.
std::string InputName(Quantity q) {
  return q == kTemperature ? "Temperature" : "Pressure";
}

double& InternalValue(CalcState& st, Quantity q) {
  return q == kTemperature ? st.TempK : st.PresKPa;
}

double& DisplayedValue(CalcState& st, Quantity q) {
  return q == kTemperature ? st.TempDisplay : st.PresDisplay;
}

// The decimals of a limit in a message: two, as the messages have always shown them, unless
// that leaves fewer than three significant digits; then as many as three need (-0.101325 MPa
// gauge shows as -0.101), and below 0.001 the exponent form (-1), as the grids show such values.
// Two decimals would show the lowest pressure, 3.41e-7 kPa, as 0, which is refused.
int LimitDecimals(long double x) {
  const long double size = std::fabs(x);
  if (size == 0.0L || size >= 1.0L) return 2;
  if (size < 0.001L) return -1;
  return 2 - static_cast<int>(std::floor(std::log10(size)));
}

}  // namespace

std::string InputChecks::LimitText(Quantity q, long double limit) const {
  const long double shown = UnitConversion(s_.units, s_.Set(), q).ToDisplay(limit);
  const int decimals = LimitDecimals(shown);
  // Width 11 gives the exponent form three significant digits ("3.41e-7").
  if (decimals < 0) return FormatReal(11, -1, true, shown);
  return TrimZeros(FormatReal(10, decimals, true, shown));
}

// Reads a filled field as a number in the quantity's display unit; false when it is not one
// (or its value in internal units cannot be stored). The built-in standard reads a Real6 and
// converts it a Real6 each step; a standard computed in double precision reads the double nearest
// the text and converts it with the unit table's unrounded factors.
bool InputChecks::ReadInput(const std::string& text, Quantity q) {
  const std::optional<double> value = s_.Set().Storage().ReadTyped(text);
  if (!value) return false;
  const long double inside = UnitConversion(s_.units, s_.Set(), q).ToInternal(*value);
  if (!FitsReal6(inside)) return false;
  DisplayedValue(s_.state, q) = *value;
  InternalValue(s_.state, q) = static_cast<double>(inside);
  return true;
}

bool InputChecks::BelowSaturationLimit(Quantity q, long double internal) const {
  return !(internal > s_.Set().InputLimits(q).saturation);
}

std::string InputChecks::SaturationLimitText(Quantity q) const {
  std::string name = InputName(q);
  name[0] = static_cast<char>(name[0] - 'A' + 'a');
  std::string text = "For saturation the ";
  text.append(name).append(" must be less than ").append(LimitText(q, s_.Set().InputLimits(q).saturation));
  text.append(" ").append(s_.units.UnitText(q));
  return text;
}

void InputChecks::CheckSaturationLimit(Quantity q, std::string& error, bool& failed) const {
  if (BelowSaturationLimit(q, InternalValue(s_.state, q))) return;
  failed = true;
  error = SaturationLimitText(q);
}

bool InputChecks::InRange(Quantity q, long double internal) const {
  return s_.Set().InInputRange(q, internal);
}

std::string InputChecks::RangeText(Quantity q) const {
  const InputRange l = s_.Set().InputLimits(q);
  return InputName(q) + " must be between " + LimitText(q, l.lowest) + " and " + LimitText(q, l.highest) +
         " " + s_.units.UnitText(q);
}

void InputChecks::CheckRange(Quantity q, std::string& error, bool& failed) const {
  if (InRange(q, InternalValue(s_.state, q))) return;
  failed = true;
  error = RangeText(q);
}

bool InputChecks::Validate(const std::string& temperatureText, const std::string& pressureText,
                           std::string& error) {
  CalcState& st = s_.state;
  bool hasT = !temperatureText.empty();
  bool hasP = !pressureText.empty();
  bool failed = false;
  if (!hasT && !hasP) {
    st.InputMode = InputMode::kNone;
  } else if (hasT != hasP) {
    // One quantity alone: saturated water, below the critical point.
    Quantity q = hasT ? kTemperature : kPressure;
    if (!ReadInput(hasT ? temperatureText : pressureText, q)) return false;
    // A string object: GCC 12 at -O3 warns falsely (-Wrestrict) on assigning the literal.
    st.InputMode = hasT ? InputMode::kT : InputMode::kP;
    CheckSaturationLimit(q, error, failed);
    CheckRange(q, error, failed);
  } else {
    if (!ReadInput(temperatureText, kTemperature) || !ReadInput(pressureText, kPressure)) return false;
    st.InputMode = InputMode::kTP;
    CheckRange(kPressure, error, failed);
    CheckRange(kTemperature, error, failed);
  }
  st.SatGivenTemperature = true;
  return !failed;
}

bool EnterState(Session& s, const std::string& temperatureText, const std::string& pressureText,
                std::string& error) {
  RecalculateState(s);
  const bool passed = InputChecks(s).Validate(temperatureText, pressureText, error);
  if (s.state.InputMode != InputMode::kNone) RecalculateState(s);
  return passed;
}

}  // namespace tulo
