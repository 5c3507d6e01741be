#include "app/InputChecks.h"

#include "common/NumberReader.h"
#include "common/Real6.h"
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

double& DisplayValue(CalcState& st, Quantity q) {
  return q == kTemperature ? st.TempDisplay : st.PresDisplay;
}

}  // namespace

std::string InputChecks::LimitText(Quantity q, long double limit) const {
  return TrimZeros(FormatReal(10, 2, true, s_.units.ToDisplay(q, limit)));
}

// Reads a filled field as a number in the quantity's display unit; false when it is not one
// (or its value in internal units cannot be stored).
bool InputChecks::ReadInput(const std::string& text, Quantity q) {
  auto value = ReadNumber(text);
  if (!value) return false;
  long double inside = s_.units.ToInternal(q, *value);
  if (!FitsReal6(inside)) return false;
  DisplayValue(s_.state, q) = *value;
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
    st.InputMode.clear();
  } else if (hasT != hasP) {
    // One quantity alone: saturated water, below the critical point.
    Quantity q = hasT ? kTemperature : kPressure;
    if (!ReadInput(hasT ? temperatureText : pressureText, q)) return false;
    // A string object: GCC 12 at -O3 warns falsely (-Wrestrict) on assigning the literal.
    st.InputMode = std::string(hasT ? "T" : "P");
    CheckSaturationLimit(q, error, failed);
    CheckRange(q, error, failed);
  } else {
    if (!ReadInput(temperatureText, kTemperature) || !ReadInput(pressureText, kPressure)) return false;
    st.InputMode = "TP";
    CheckRange(kPressure, error, failed);
    CheckRange(kTemperature, error, failed);
  }
  st.SatGivenTemperature = true;
  return !failed;
}

}  // namespace tulo
