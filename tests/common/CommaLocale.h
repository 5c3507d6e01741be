#pragma once
// A test under a locale whose decimal separator is ",": de_DE.UTF-8 or fr_FR.UTF-8, as the build
// makes them with localedef into TULO_TEST_LOCALES, so that the machine's own locales play no
// part. The process locale is "C" again at the end of the scope.

#include <clocale>
#include <cstdlib>
#include <string>

namespace tulo::testing {

inline constexpr const char* kCommaLocales[] = {"de_DE.UTF-8", "fr_FR.UTF-8"};

class CommaLocale {
 public:
  explicit CommaLocale(const char* name) {
    setenv("LOCPATH", TULO_TEST_LOCALES, 1);
    active_ = std::setlocale(LC_ALL, name) != nullptr && std::string(std::localeconv()->decimal_point) == ",";
  }
  ~CommaLocale() { std::setlocale(LC_ALL, "C"); }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;

  // False when the locale could not be set: the test must fail then, never pass untested.
  bool Active() const { return active_; }

 private:
  bool active_ = false;
};

}  // namespace tulo::testing
