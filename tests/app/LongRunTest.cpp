// A main window left open all day: one form driven through many random valid states, in random
// units (changed now and then through the units dialog), with wet-steam qualities and occasional
// searches. Every state must show well-formed results, and the heap must not grow once the
// first tenth of the run has warmed the caches and the strings up.

#include <gtest/gtest.h>
#include <malloc.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include "app/FormInvariants.h"
#include "app/MainForm.h"
#include "app/UnitsForm.h"

#ifdef TULO_SANITIZED
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace tulo {
namespace {

#ifdef TULO_SANITIZED
constexpr int kStates = 50000;  // the sanitizers slow every state about sevenfold
#else
constexpr int kStates = 100000;
#endif
constexpr int kWindow = kStates / 10;
constexpr std::size_t kHeapAllowance = std::size_t{64} * 1024;  // bytes
constexpr long kResidentAllowance = 2L * 1024 * 1024;           // bytes

// Bytes the program has allocated and not freed (under the sanitizers their allocator's count,
// which leaves out the quarantine of freed blocks).
std::size_t HeapInUse() {
#ifdef TULO_SANITIZED
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

long ResidentBytes() {
  long pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

// Platform services that keep nothing: a day of messages must not pile up in the test's own log.
class QuietPlatform : public PlatformServices {
 public:
  int messages = 0;
  void ShowMessage(const std::string&) override { ++messages; }
  Answer Confirm(const std::string&, bool) override { return Answer::kNo; }
  void ShowError(const std::string&, const std::string&) override { ++messages; }
  void Beep() override {}
  void SetClipboardText(const std::string& text) override { clipboardSize = text.size(); }
  bool OpenHelp(const std::string&, int) override { return true; }
  bool StartMail(const std::string&) override { return true; }
  bool OpenWebPage(const std::string&) override { return true; }
  std::size_t clipboardSize = 0;
};

class Driver {
 public:
  Driver() {
    form.InitialiseWithoutFile();
    form.FormActivate();
  }

  // One step of the day; every step leaves a valid state typed.
  void Step() {
    int action = Pick(0, 199);
    if (action < 80) {
      TypeState(Uniform(170.0, 1270.0), LogUniform(1e-5, 99000.0));
    } else if (action < 120) {
      Type(Field::kTemperature, kTemperature, Uniform(170.0, 645.0));
      form.WriteField(Field::kPressure, "");
    } else if (action < 160) {
      form.WriteField(Field::kTemperature, "");
      Type(Field::kPressure, kPressure, LogUniform(1e-5, 22000.0));
    } else if (action < 176) {
      form.WriteField(Field::kWetSteam, Text(Uniform(0.0, 100.0)));
    } else if (action < 180) {
      ChangeUnits();
    } else if (action < 181) {
      // Searching from the preloaded boxes finds the state shown again.
      form.SelectSearchItem(Pick(0, 2));
      form.SelectTempOrPressItem(Pick(0, 1));
      form.GoSearchClick();
      ++searches;
    } else if (action < 186) {
      form.UseWetSteamClick(!form.UseWetSteam.checked);
    } else if (action < 192) {
      form.SetActivePage(Pick(0, 3));
    } else {
      if (action % 2 == 0)
        form.WithTabs1Click();
      else
        form.WithSpaces1Click();
    }
  }

  // What is wrong with the window now; empty when nothing is.
  std::string Problem() const {
    std::string p = testing::FormProblem(form);
    if (!p.empty()) return p;
    if (!form.FormError.caption.empty())
      return "FormError \"" + form.FormError.caption + "\" for a valid state";
    if (form.ConditionText.caption.empty()) return "no condition shown for a valid state";
    return testing::SearchBoxesProblem(form);
  }

  std::string Inputs() const {
    return "T \"" + form.TemperatureInput.text + "\", P \"" + form.PressureInput.text + "\", quality \"" +
           form.WetSteamInput.text + "\", units " + form.UnitT.caption + " " + form.UnitP.caption;
  }

  QuietPlatform platform;
  MainForm form{platform};
  int searches = 0;

 private:
  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
  double Uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random_); }
  double LogUniform(double lo, double hi) { return std::exp(Uniform(std::log(lo), std::log(hi))); }

  static std::string Text(double value) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.12g", value);
    return buf;
  }
  // The value in internal units, typed in the unit in use.
  void Type(Field field, int quantity, double internal) {
    form.WriteField(field, Text(static_cast<double>(form.session().units.ToDisplay(quantity, internal))));
  }
  void TypeState(double kelvin, double kPa) {
    Type(Field::kTemperature, kTemperature, kelvin);
    Type(Field::kPressure, kPressure, kPa);
  }

  void ChangeUnits() {
    UnitsForm dialog(form);
    dialog.Show();
    if (Pick(0, 2) == 0) {
      dialog.SelectOverall(Pick(1, 5));
    } else {
      for (int q = 0; q < kQuantityCount; ++q) dialog.SelectUnit(q, Pick(0, UnitCount(q) - 1));
    }
    dialog.UnitsOkClick();
    form.FormActivate();
    // A state typed in the old units may not be one in the new (a "T" state now of either
    // field), so a valid state is typed again.
    TypeState(Uniform(170.0, 1270.0), LogUniform(1e-5, 99000.0));
  }

  std::mt19937 random_{20240601};
};

TEST(LongRun, ManyStatesShowWellFormedResultsInFlatMemory) {
  Driver d;
  std::size_t heapAfterWarmUp = 0;
  long residentAfterWarmUp = 0;
  for (int i = 1; i <= kStates; ++i) {
    d.Step();
    std::string problem = d.Problem();
    ASSERT_TRUE(problem.empty()) << "state " << i << ": " << problem << "\n  " << d.Inputs();
    if (i == kWindow) {
      heapAfterWarmUp = HeapInUse();
      residentAfterWarmUp = ResidentBytes();
    }
  }
  const std::size_t heapAtEnd = HeapInUse();
  const long residentAtEnd = ResidentBytes();
  RecordProperty("states", kStates);
  RecordProperty("searches", d.searches);
  RecordProperty("heap_after_warm_up", static_cast<int>(heapAfterWarmUp));
  RecordProperty("heap_at_end", static_cast<int>(heapAtEnd));
  RecordProperty("resident_after_warm_up", static_cast<int>(residentAfterWarmUp));
  RecordProperty("resident_at_end", static_cast<int>(residentAtEnd));
  std::printf("%d states, %d searches, %d messages; heap %zu -> %zu bytes, resident %ld -> %ld bytes\n",
              kStates, d.searches, d.platform.messages, heapAfterWarmUp, heapAtEnd, residentAfterWarmUp,
              residentAtEnd);
  EXPECT_LE(heapAtEnd, heapAfterWarmUp + kHeapAllowance);
#ifndef TULO_SANITIZED
  EXPECT_LE(residentAtEnd, residentAfterWarmUp + kResidentAllowance);
#endif
}

}  // namespace
}  // namespace tulo
