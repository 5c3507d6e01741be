#include "app/FieldText.h"

#include <cmath>

#include "common/NumberReader.h"
#include "common/Text.h"
#include "results/DisplayValue.h"
#include "units/Format.h"

namespace tulo {
namespace {

// True when `text`, read in the display unit of q, gives `internal` back to within `relative`.
bool Denotes(UnitSettings& units, Quantity q, const std::string& text, long double internal,
             long double relative) {
  auto shown = ReadNumber(text);
  if (!shown) return false;
  long double back = units.ToInternal(q, *shown);
  return std::fabs(back - internal) <= relative * std::fabs(internal);
}

}  // namespace

// Three decimals can say nothing of a small value (1e-5 kPa is "0.000"), and in a gauge unit
// five digits round a low absolute pressure to below zero: written back, such a text would be
// another state, or none. When the field notation is more than 1 per cent off, the exponent form
// carries as many digits (5 to 12) as it takes to give the value back to 5 significant digits.
std::string InputText(UnitSettings& units, Quantity quantity, long double internal) {
  long double shown = units.ToDisplay(quantity, internal);
  std::string text = FormatFieldNumber(shown);
  if (!std::isfinite(shown) || Denotes(units, quantity, text, internal, 0.01L)) return text;
  for (int digits = 5; digits <= 12; ++digits) {
    text = FormatReal(digits + 8, -1, true, shown);
    if (Denotes(units, quantity, text, internal, 5e-5L)) break;
  }
  return text;
}

std::string StateFieldText(Session& s, Quantity quantity, long double internal, bool trimZeros) {
  if (s.Set().Storage().RoundsToReal6()) {
    std::string text = InputText(s.units, quantity, internal);
    return trimZeros ? TrimZeros(text) : text;
  }
  const long double shown = UnitConversion(s.units, s.Set(), quantity).ToDisplay(internal);
  if (!std::isfinite(shown)) return InputText(s.units, quantity, internal);  // never "inf" in a field
  return GeneralText(static_cast<double>(shown), 15);
}

}  // namespace tulo
