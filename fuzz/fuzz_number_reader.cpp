// ReadNumber on arbitrary text. Whatever it accepts must be a finite Real6 value, and every
// notation the program writes that value in (exact digits, the grids' FormatReal, the input
// fields' notation) must read back as a number close to it.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "common/NumberReader.h"
#include "common/Real6.h"
#include "common/Text.h"
#include "units/Format.h"

using tulo::fuzz::Fail;

namespace {

std::string Show(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

// `text`, written for v, reads back to within `relative` of |v| (plus `absolute`).
void ReadsBack(const std::string& text, double v, long double relative, long double absolute,
               const char* what) {
  auto back = tulo::ReadNumber(text);
  if (!back) Fail(std::string(what) + " \"" + text + "\" of " + Show(v) + " is not read back");
  long double error = std::fabs(static_cast<long double>(*back) - v);
  if (error > std::fabs(static_cast<long double>(v)) * relative + absolute)
    Fail(std::string(what) + " \"" + text + "\" of " + Show(v) + " reads back as " + Show(*back));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::optional<double> value = tulo::ReadNumber(text);
  if (!value) return 0;
  const double v = *value;
  if (!std::isfinite(v) || !tulo::FitsReal6(v) || tulo::R6(v) != v)
    Fail("\"" + std::string(text) + "\" read as " + Show(v) + ", not a Real6 value");

  // Seventeen digits name a Real6 value (40-bit mantissa) exactly enough to come back unchanged.
  ReadsBack(Show(v), v, 0.0L, 0.0L, "exact digits");
  // Twelve significant digits (the exponent form of a 20-wide field): within a few units of the
  // last place of a Real6 (2^-39 relative).
  ReadsBack(tulo::FormatReal(20, -1, true, v), v, 6e-12L, 0.0L, "12-digit form");

  // A grid cell: at most 12 characters, about five significant figures (four in exponent form).
  std::string cell = tulo::FormatReal(12, tulo::AutoDecimals(v), true, v);
  if (tulo::Utf8Length(cell) > 12) Fail("cell \"" + cell + "\" of " + Show(v) + " is longer than 12");
  ReadsBack(cell, v, 5e-4L, 0.0L, "cell");

  // An input field after a units change or a search: 5 significant digits, or 3 decimals for
  // values below 1, then trailing zeros trimmed.
  std::string field = tulo::TrimZeros(tulo::FormatFieldNumber(v));
  ReadsBack(field, v, 5e-5L, 5e-4L, "field");
  return 0;
}
