// A random sequence of user actions on the main window and the units dialog: typing arbitrary
// text and plausible numbers into every field, picking list entries, units and presets, OK and
// Cancel, searching, copying both layouts, clearing, activating, changing pages, closing. After
// every action the window must show only well-formed texts (FormProblem).

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzPlatform.h"
#include "MemoryConfigFile.h"
#include "app/FormInvariants.h"
#include "app/MainForm.h"
#include "app/UnitsForm.h"
#include "common/Real6.h"
#include "units/Format.h"
#include "units/Presets.h"

using tulo::Field;
using tulo::fuzz::Fail;

namespace {

constexpr int kMaxActions = 48;

// Texts at the edges of what the program accepts, mixed in with generated numbers.
const char* const kEdgeTexts[] = {
    "0",      "-0",      "1e38",     "1.7e38", "1.8e38",  "-1.7e38",   "1e-38",   "3e-39",    "3.41e-7",
    "3.4e-7", "22090",   "22090.01", "647.29", "647.28",  "1273.15",   "1273.16", "166",      "165.99",
    "100000", "100001",  "273.15",   "273.16", "273.2",   "373.15",    "101.325", "-101.325", "100",
    "100.01", "-0.01",   ".5",       "5.",     "1E+0",    " 7 ",       "\t42",    "+1",       "1e",
    "1,5",    "inf",     "nan",      "0x10",   "",        " ",         "-",       ".",        "1e-400",
    "1e400",  "-273.15", "-459.67",  "0.000",  "99999.5", "1.2346E+05"};

std::string Format(FuzzedDataProvider& in, double value) {
  char buf[96];
  int precision = in.ConsumeIntegralInRange(0, 14);
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
      std::snprintf(buf, sizeof buf, "%.*g", precision, value);
      break;
    case 1:
      std::snprintf(buf, sizeof buf, "%.*f", precision % 7, value);
      break;
    case 2:
      std::snprintf(buf, sizeof buf, "%.*E", precision % 9, value);
      break;
    default:
      return tulo::TrimZeros(tulo::FormatFieldNumber(value));
  }
  std::string text = buf;
  if (in.ConsumeBool()) text = " " + text + " ";
  return text;
}

// Log-uniform magnitude between lo and hi (both > 0).
double LogUniform(FuzzedDataProvider& in, double lo, double hi) {
  return std::exp(in.ConsumeFloatingPointInRange(std::log(lo), std::log(hi)));
}

// A number for `field` in the units in use: mostly near the ranges the program accepts.
std::string PlausibleNumber(FuzzedDataProvider& in, tulo::MainForm& form, Field field) {
  tulo::UnitSettings& units = form.session().units;
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return kEdgeTexts[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kEdgeTexts) - 1)];
    case 1:
      return Format(in, in.ConsumeFloatingPoint<double>());
    default:
      break;
  }
  double value = 0.0;
  switch (field) {
    case Field::kTemperature:
      value = static_cast<double>(
          units.ToDisplay(tulo::kTemperature, in.ConsumeFloatingPointInRange(150.0, 1300.0)));
      break;
    case Field::kPressure:
      value = static_cast<double>(units.ToDisplay(tulo::kPressure, LogUniform(in, 1e-8, 2e5)));
      break;
    case Field::kWetSteam:
      value = in.ConsumeFloatingPointInRange(-5.0, 105.0);
      break;
    case Field::kSearchBox: {
      int q = in.PickValueInArray({tulo::kEnthalpyQ, tulo::kEntropyQ, tulo::kDensity});
      double internal = q == tulo::kEnthalpyQ  ? in.ConsumeFloatingPointInRange(-200.0, 5000.0)
                        : q == tulo::kEntropyQ ? in.ConsumeFloatingPointInRange(-1.0, 15.0)
                                               : LogUniform(in, 1e-9, 1200.0);
      value = static_cast<double>(units.ToDisplay(q, internal));
      break;
    }
    case Field::kTempOrPressBox:
      value = in.ConsumeBool()
                  ? static_cast<double>(
                        units.ToDisplay(tulo::kTemperature, in.ConsumeFloatingPointInRange(150.0, 1300.0)))
                  : static_cast<double>(units.ToDisplay(tulo::kPressure, LogUniform(in, 1e-8, 2e5)));
      break;
  }
  if (!std::isfinite(value)) value = 0.0;
  return Format(in, value);
}

class Session {
 public:
  explicit Session(FuzzedDataProvider& in) : in_(in) {
    platform_.answer = [this](bool withCancel) {
      int n = in_.ConsumeIntegralInRange(0, withCancel ? 2 : 1);
      return n == 0 ? tulo::Answer::kYes : n == 1 ? tulo::Answer::kNo : tulo::Answer::kCancel;
    };
    // A configuration file with valid saved units, so that "Use Last Saved Units" and the close
    // questions have something to work with.
    tulo::ConfigRecord record = tulo::ConfigRecord::Fresh();
    for (int q = 0; q < tulo::kQuantityCount; ++q)
      record.SavedUnits[q] = static_cast<std::uint8_t>(in_.ConsumeIntegralInRange(1, tulo::UnitCount(q)));
    tulo::ConfigBytes bytes = record.Serialise();
    disk_.assign(bytes.begin(), bytes.end());
    auto file = std::make_unique<tulo::fuzz::MemoryConfigFile>(disk_);
    form_ = std::make_unique<tulo::MainForm>(platform_, std::make_unique<tulo::ConfigStore>(std::move(file)));
    if (!form_->InitialiseClick()) Fail("a valid configuration file was refused");
    units_ = std::make_unique<tulo::UnitsForm>(*form_);
    form_->FormActivate();
    Verify("start-up");
  }

  void Run() {
    for (int i = 0; i < kMaxActions && in_.remaining_bytes() > 0 && !closed_; ++i) Act();
  }

 private:
  void Type(Field field) {
    std::string text =
        in_.ConsumeBool() ? in_.ConsumeRandomLengthString(24) : PlausibleNumber(in_, *form_, field);
    if (field == Field::kSearchBox) typedSearch_ = text;
    if (field == Field::kTempOrPressBox) typedGiven_ = text;
    form_->WriteField(field, text);
    Verify("typing \"" + text + "\"");
  }

  void UnitsDialog() {
    units_->Show();
    int picks = in_.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < picks; ++i) {
      if (in_.ConsumeBool()) {
        units_->SelectOverall(in_.ConsumeIntegralInRange(-1, 6));
      } else {
        int q = in_.ConsumeIntegralInRange(-1, tulo::kQuantityCount);
        units_->SelectUnit(q, in_.ConsumeIntegralInRange(-1, tulo::UnitCount(tulo::kPressure)));
      }
    }
    const std::string t = form_->TemperatureInput.text;
    const std::string p = form_->PressureInput.text;
    tulo::UnitSettings before;
    before.SetUnitSelection(form_->session().units.GetUnitSelection());
    if (in_.ConsumeBool()) {
      units_->UnitsOkClick();
      tulo::UnitSettings& after = form_->session().units;
      // A typed number is rewritten as the same value in the new unit (to the 5 digits written);
      // anything else, and a number whose value cannot be held, stays as typed.
      const std::pair<const std::string*, int> fields[] = {{&t, tulo::kTemperature}, {&p, tulo::kPressure}};
      for (auto [typed, q] : fields) {
        const std::string& now =
            q == tulo::kTemperature ? form_->TemperatureInput.text : form_->PressureInput.text;
        auto number = tulo::ReadNumber(*typed);
        long double internal = number ? before.ToInternal(q, *number) : 0.0L;
        if (!number || !tulo::FitsReal6(internal)) {
          if (now != *typed) Fail("units OK replaced \"" + *typed + "\" by \"" + now + "\"");
          continue;
        }
        long double expected = after.ToDisplay(q, internal);
        if (!std::isfinite(expected)) {  // beyond what the new unit can hold
          if (now != *typed) Fail("units OK replaced \"" + *typed + "\" by \"" + now + "\"");
          continue;
        }
        auto shown = tulo::ReadNumber(now);
        if (!shown || !(std::fabs(*shown - expected) <= std::fabs(expected) * 1e-4L + 1e-3L))
          Fail("units OK turned \"" + *typed + "\" into \"" + now + "\"");
      }
      for (int q = 0; q < tulo::kQuantityCount; ++q)
        if (form_->session().units.GetUnitSelection()[q] < 1 ||
            form_->session().units.GetUnitSelection()[q] > tulo::UnitCount(q))
          Fail("units OK installed unit number " +
               std::to_string(form_->session().units.GetUnitSelection()[q]));
      Verify("units OK");
    } else {
      units_->UnitsCancelClick();
      Verify("units Cancel");
    }
    form_->FormActivate();  // the main window comes to the front again
    Verify("activation after the units dialog");
  }

  void Copy(bool tabs) {
    if (tabs)
      form_->WithTabs1Click();
    else
      form_->WithSpaces1Click();
    const std::string& text = platform_.clipboard;
    if (tulo::testing::HasNanOrInf(text)) Fail("copied text holds nan or inf");
    for (std::size_t i = 0; i < text.size(); ++i)
      if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) Fail("copied text has a bare LF");
  }

  void Act() {
    switch (in_.ConsumeIntegralInRange(0, 16)) {
      case 0:
        return Type(Field::kTemperature);
      case 1:
        return Type(Field::kPressure);
      case 2:
        return Type(Field::kWetSteam);
      case 3:
        return Type(Field::kSearchBox);
      case 4:
        return Type(Field::kTempOrPressBox);
      case 5:
        form_->ClearInputsClick();
        return Verify("clear");
      case 6:
        form_->UseWetSteamClick(in_.ConsumeBool());
        return Verify("wet-steam check box");
      case 7:
        form_->SelectSearchItem(in_.ConsumeIntegralInRange(-1, 3));
        return Verify("search property picked");
      case 8:
        form_->SelectTempOrPressItem(in_.ConsumeIntegralInRange(-1, 2));
        return Verify("given quantity picked");
      case 9:
        form_->GoSearchClick();
        return Verify("search");
      case 10:
        return Copy(true);
      case 11:
        return Copy(false);
      case 12:
        form_->FormActivate();
        return Verify("activation");
      case 13:
        form_->SetActivePage(in_.ConsumeIntegralInRange(-1, 4));
        if (form_->ActivePage < 0 || form_->ActivePage > 3) Fail("page " + std::to_string(form_->ActivePage));
        return;
      case 14:
        return UnitsDialog();
      case 15: {
        // Typing both fields at once, as a state that most often passes the checks.
        form_->WriteField(Field::kTemperature, PlausibleNumber(in_, *form_, Field::kTemperature));
        form_->WriteField(Field::kPressure, PlausibleNumber(in_, *form_, Field::kPressure));
        return Verify("typing a state");
      }
      default:
        closed_ = form_->FormCloseQuery();
        return Verify("close request");
    }
  }

  void Verify(const std::string& after) {
    if (trace_)
      std::fprintf(stderr, "%s: T=\"%s\" P=\"%s\" W=\"%s\" error=\"%s\" units=%s\n", after.c_str(),
                   form_->TemperatureInput.text.c_str(), form_->PressureInput.text.c_str(),
                   form_->WetSteamInput.text.c_str(), form_->FormError.caption.c_str(),
                   form_->UnitT.caption.c_str());
    std::string problem = tulo::testing::FormProblem(*form_);
    if (problem.empty()) {
      // The search boxes hold the program's numbers unless the user's own text is still there.
      tulo::MainForm& f = *form_;
      bool ownTarget = !typedSearch_.empty() && f.SearchBox.text == typedSearch_;
      bool ownGiven = !typedGiven_.empty() && f.TempOrPressBox.text == typedGiven_;
      std::string saveTarget = f.SearchBox.text, saveGiven = f.TempOrPressBox.text;
      if (ownTarget) f.SearchBox.text.clear();
      if (ownGiven) f.TempOrPressBox.text.clear();
      problem = tulo::testing::SearchBoxesProblem(f);
      f.SearchBox.text = saveTarget;
      f.TempOrPressBox.text = saveGiven;
    }
    if (!problem.empty()) Fail("after " + after + ": " + problem);
  }

  FuzzedDataProvider& in_;
  tulo::fuzz::FuzzPlatform platform_;
  std::vector<std::uint8_t> disk_;
  std::unique_ptr<tulo::MainForm> form_;
  std::unique_ptr<tulo::UnitsForm> units_;
  std::string typedSearch_, typedGiven_;
  bool closed_ = false;
  // TULO_FUZZ_TRACE=1 prints every action when an input is replayed.
  const bool trace_ = std::getenv("TULO_FUZZ_TRACE") != nullptr;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  Session session(in);
  session.Run();
  return 0;
}
