// The IAPWS standard on the 4096 benchmark states (T in K, P in kPa; half compressed liquid, half
// superheated vapour): the set h, s, u, rho, cp, mu, lambda per state and h alone, through the
// calculators, through the state evaluator (T-P) and directly on the IF97 layer, and a full grid
// of a state with its cell texts. Each state is a new (T, P), so nothing is kept between states.
// The file is read from TULO_BENCH_STATES, else from the shared folder beside the project.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "iapws/IF97.h"
#include "iapws/Water.h"
#include "props/Catalogue.h"
#include "results/CellText.h"
#include "results/IapwsSet.h"
#include "results/StateEvaluator.h"
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

constexpr Item kSeven[] = {Item::kEnthalpy,     Item::kEntropy,   Item::kInternalEnergy,     Item::kDensity,
                           Item::kHeatCapacity, Item::kViscosity, Item::kThermalConductivity};

// The same through the state evaluator from T and P, as the front ends ask.
void ThroughEvaluator(benchmark::State& state, std::span<const Item> items) {
  const auto& states = States();
  if (states.empty()) {
    state.SkipWithError("no benchmark states");
    return;
  }
  StateEvaluator evaluator(IapwsCorrelations());
  for (auto _ : state) {
    for (auto [T, P] : states) {
      const Evaluation e = evaluator.Evaluate({InputPair::kTP, T, P});
      if (e.state)
        for (Item item : items) benchmark::DoNotOptimize(evaluator.StateValue(*e.state, item).value);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(states.size()));
}

void BM_EvaluatorTPSevenItems(benchmark::State& state) {
  ThroughEvaluator(state, kSeven);
}
void BM_EvaluatorTPEnthalpyAlone(benchmark::State& state) {
  const Item h[] = {Item::kEnthalpy};
  ThroughEvaluator(state, h);
}

// Directly on the IF97 layer (T in K, p in MPa): the state with its viscosity and conductivity,
// and the enthalpy alone.
template <class PerPoint>
void Direct(benchmark::State& state, PerPoint perPoint) {
  const auto& states = States();
  if (states.empty()) {
    state.SkipWithError("no benchmark states");
    return;
  }
  for (auto _ : state) {
    for (auto [T, P] : states) benchmark::DoNotOptimize(perPoint(T, P / 1000));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(states.size()));
}

void BM_IF97SevenDirect(benchmark::State& state) {
  Direct(state, [](double T, double p) {
    iapws::WaterState w = iapws::Evaluate(iapws::StateKind::kFluid, T, p);
    iapws::AddExtras(w, iapws::Extra::kConductivity);
    return w.h + w.s + w.u + w.rho + w.cp + w.mu + w.lambda;
  });
}
void BM_IF97EnthalpyDirect(benchmark::State& state) {
  Direct(state, [](double T, double p) { return iapws::EnthalpyTP(T, p); });
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
BENCHMARK(BM_EvaluatorTPSevenItems)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluatorTPEnthalpyAlone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IF97SevenDirect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IF97EnthalpyDirect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IapwsGridTexts)->Unit(benchmark::kMillisecond);

}  // namespace
