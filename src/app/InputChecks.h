#pragma once
// The checks of the typed temperature and pressure before a calculation: numbers in the display
// units, inside the input limits of the correlation set in use, and below its saturation limits
// when one of them alone is typed (a saturated state).

#include <cstddef>
#include <string>

#include "results/Session.h"

namespace tulo {

// The window's messages about what is typed: no state, a steam quality for a state that is not
// saturated liquid and vapour, a steam quality outside 0 to 100.
inline constexpr const char* kNothingTypedText = "Please enter either temperature or pressure or both.";
inline constexpr const char* kWetSteamOnlySaturatedText =
    "Wet Steam Calculations are only possible for saturated steam.";
inline constexpr const char* kQualityRangeText = "Percentage Wet Steam can only be between 0% and 100%";
// The window's error label holds this many characters of a message.
inline constexpr std::size_t kErrorTextLength = 80;

class InputChecks {
 public:
  explicit InputChecks(Session& session) : s_(session) {}

  // Reads the fields into the session's state (display and internal values, input mode) and
  // checks them. True when they pass, or when both are empty (no input mode then). A failing
  // check leaves its text in `error` (the later one wins); a text that is not a number ends the
  // checks with no text.
  bool Validate(const std::string& temperatureText, const std::string& pressureText, std::string& error);

  // A limit in the display unit of q, as the messages quote it.
  std::string LimitText(Quantity q, long double limit) const;

  // Whether an internal temperature or pressure lies in the input range of the set in use, and
  // the message that names the range. The steam search's fixed value has the same limits.
  bool InRange(Quantity q, long double internal) const;
  std::string RangeText(Quantity q) const;
  // Whether a saturated state may be given by this internal temperature or pressure, and the
  // message that names its limit.
  bool BelowSaturationLimit(Quantity q, long double internal) const;
  std::string SaturationLimitText(Quantity q) const;

 private:
  bool ReadInput(const std::string& text, Quantity q);
  void CheckSaturationLimit(Quantity q, std::string& error, bool& failed) const;
  void CheckRange(Quantity q, std::string& error, bool& failed) const;

  Session& s_;
};

// What the window does with a typed temperature and pressure in a fresh session: its first
// calculation with nothing typed, the checks (Validate's result and message), then the
// recalculation of the state, whose input mode says whether a saturated state is given by its
// temperature or its pressure. The state is recalculated whenever the numbers were read, also
// outside the limits; the caller decides what a failed check means.
bool EnterState(Session& s, const std::string& temperatureText, const std::string& pressureText,
                std::string& error);

}  // namespace tulo
