// The IAPWS standard on the 4096 benchmark states (T in K, P in kPa; half compressed liquid, half
// superheated vapour): the set h, s, u, rho, cp, mu, lambda per state, h alone, and a full grid
// of a state with its cell texts. Each state is a new (T, P), so nothing is kept between states.
// The file is read from TULO_BENCH_STATES, else from the shared folder beside the project.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "props/Catalogue.h"
#include "results/CellText.h"
#include "results/IapwsSet.h"
#include "units/Presets.h"
#include "units/Units.h"

namespace {

using namespace tulo;

std::vector<std::pair<double, double>> LoadStates() {
  const char* env = std::getenv("TULO_BENCH_STATES");
  std::ifstream in(env != nullptr ? env : TULO_SOURCE_DIR "/../shared/bench/states-4096.tsv");
  std::vector<std::pair<double, double>> states;
  std::string header;
  std::getline(in, header);
  double T = 0, P = 0;
  while (in >> T >> P) states.emplace_back(T, P);
  return states;
}

const std::vector<std::pair<double, double>>& States() {
  static const std::vector<std::pair<double, double>> states = LoadStates();
  return states;
}

struct Calc {
  double quality = 0.0;
  Condition condition = Condition::kSuperheated;
  CalcContext ctx{quality, condition};
  std::unique_ptr<CalculatorTable> table = IapwsCorrelations().MakeCalculators(ctx);
};

void PerState(benchmark::State& state, std::initializer_list<Item> items) {
  const auto& states = States();
  if (states.empty()) {
    state.SkipWithError("no benchmark states");
    return;
  }
  Calc c;
  for (auto _ : state) {
    for (auto [T, P] : states)
      for (Item item : items) benchmark::DoNotOptimize(c.table->Compute(item, Phase::kSuperheated, T, P).value);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(states.size()));
}

void BM_IapwsSevenItems(benchmark::State& state) {
  PerState(state, {Item::kEnthalpy, Item::kEntropy, Item::kInternalEnergy, Item::kDensity, Item::kHeatCapacity,
                   Item::kViscosity, Item::kThermalConductivity});
}
void BM_IapwsEnthalpyAlone(benchmark::State& state) {
  PerState(state, {Item::kEnthalpy});
}

// Every variable item of the standard with its cell text, as a grid fill asks.
void BM_IapwsGridTexts(benchmark::State& state) {
  const auto& states = States();
  if (states.empty()) {
    state.SkipWithError("no benchmark states");
    return;
  }
  UnitSettings units;
  units.InitUnits(PresetSelection(UnitPreset::kSI));
  Calc c;
  std::string text;
  for (auto _ : state) {
    for (auto [T, P] : states)
      for (Item item : VariableItems())
        if (PropertyCalculator* calc = c.table->VarPropCalc(item)) {
          ComputeText(*calc, Phase::kSuperheated, text, T, P, units);
          benchmark::DoNotOptimize(text.data());
        }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(states.size()));
}

BENCHMARK(BM_IapwsSevenItems)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IapwsEnthalpyAlone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IapwsGridTexts)->Unit(benchmark::kMillisecond);

}  // namespace
