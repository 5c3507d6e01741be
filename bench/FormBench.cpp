// Whole-window work: one entry (validation, recalculation, every grid) with cold calculators,
// and a steam search.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "app/MainForm.h"
#include "props/BuiltInSet.h"
#include "results/IapwsSet.h"
#include "results/StateEvaluator.h"

namespace {

class QuietPlatform final : public tulo::PlatformServices {
 public:
  void ShowMessage(const std::string&) override {}
  tulo::Answer Confirm(const std::string&, bool) override { return tulo::Answer::kNo; }
  void ShowError(const std::string&, const std::string&) override {}
  void Beep() override {}
  void SetClipboardText(const std::string&) override {}
  bool OpenHelp(const std::string&, int) override { return false; }
  bool StartMail(const std::string&) override { return false; }
  bool OpenWebPage(const std::string&) override { return false; }
};

// T and P typed into a fresh form: every calculator starts cold.
void BM_EntryColdCalculators(benchmark::State& state, const char* temperature, const char* pressure) {
  QuietPlatform platform;
  for (auto _ : state) {
    state.PauseTiming();
    auto form = std::make_unique<tulo::MainForm>(platform);
    form->InitialiseWithoutFile();
    form->TemperatureInput.text = temperature;
    state.ResumeTiming();
    form->WriteField(tulo::Field::kPressure, pressure);
    benchmark::DoNotOptimize(form->VarPropGrid.cells);
  }
}
BENCHMARK_CAPTURE(BM_EntryColdCalculators, compressed_liquid_300K_99000kPa, "300", "99000")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EntryColdCalculators, compressed_liquid_640K_99000kPa, "640", "99000")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EntryColdCalculators, saturated_373K, "373.15", "")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EntryColdCalculators, superheated_600K_1000kPa, "600", "1000")
    ->Unit(benchmark::kMicrosecond);

// A steam search from the state shown, as the Search button runs it.
// One keystroke with a pair chosen: the second field written into a form that holds the first,
// the state solved and every grid filled again (warm calculators, as a user types).
void BM_PairKeystroke(benchmark::State& state, bool iapws, tulo::InputPair pair, const char* first,
                      const char* second) {
  QuietPlatform platform;
  tulo::MainForm form(platform);
  form.InitialiseWithoutFile();
  if (iapws) form.SelectCorrelationSet(tulo::IapwsCorrelations());
  form.SelectInputPair(pair);
  form.WriteField(tulo::Field::kTemperature, first);
  bool flip = false;
  for (auto _ : state) {
    // Alternate the last digit, so that each keystroke is a new state.
    form.WriteField(tulo::Field::kPressure, std::string(second) + (flip ? "1" : "2"));
    flip = !flip;
    benchmark::DoNotOptimize(form.VarPropGrid.cells);
  }
}
using tulo::InputPair;
BENCHMARK_CAPTURE(BM_PairKeystroke, iapws_TP, true, InputPair::kTP, "600", "100")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PairKeystroke, iapws_Ph, true, InputPair::kPH, "1000", "300")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PairKeystroke, iapws_Ps, true, InputPair::kPS, "1000", "7.")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PairKeystroke, iapws_hs, true, InputPair::kHS, "3000", "7.")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PairKeystroke, iapws_Th, true, InputPair::kTH, "700", "350")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PairKeystroke, iapws_Px, true, InputPair::kPx, "1000", "5")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PairKeystroke, builtin_TP, false, InputPair::kTP, "600", "100")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PairKeystroke, builtin_Ph, false, InputPair::kPH, "1000", "300")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PairKeystroke, builtin_Ps, false, InputPair::kPS, "1000", "7.")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PairKeystroke, builtin_hs, false, InputPair::kHS, "3000", "7.")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PairKeystroke, builtin_Px, false, InputPair::kPx, "1000", "5")->Unit(benchmark::kMicrosecond);

void BM_SteamSearch(benchmark::State& state, const char* temperature, const char* pressure, int property,
                    int given, const char* value) {
  QuietPlatform platform;
  for (auto _ : state) {
    state.PauseTiming();
    auto form = std::make_unique<tulo::MainForm>(platform);
    form->InitialiseWithoutFile();
    form->WriteField(tulo::Field::kTemperature, temperature);
    form->WriteField(tulo::Field::kPressure, pressure);
    form->SelectSearchItem(property);
    form->SelectTempOrPressItem(given);
    form->SearchBox.text = value;
    state.ResumeTiming();
    form->GoSearchClick();
    benchmark::DoNotOptimize(form->TemperatureInput.text);
  }
}
BENCHMARK_CAPTURE(BM_SteamSearch, enthalpy_at_101kPa_superheated, "300", "101.325", 0, 1, "3000")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SteamSearch, enthalpy_at_101kPa_wet, "300", "101.325", 0, 1, "1500")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SteamSearch, enthalpy_at_50000kPa_liquid, "300", "50000", 0, 1, "500")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SteamSearch, density_at_400K_liquid, "400", "20000", 2, 0, "950")
    ->Unit(benchmark::kMicrosecond);

}  // namespace
