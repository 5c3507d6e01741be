// One cold evaluation (a fresh set of calculators, nothing kept) of every property a result grid
// asks for, with the cell texts, for a sub-cooled liquid and a superheated vapour state.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "props/BuiltInSet.h"
#include "props/Catalogue.h"
#include "results/CellText.h"
#include "units/Presets.h"
#include "units/Units.h"

namespace {

using namespace tulo;

void ColdGrid(benchmark::State& state, Condition condition, long double T, long double P) {
  UnitSettings units;
  units.InitUnits(PresetSelection(UnitPreset::kSI));
  double quality = 0.0;
  Condition cond = condition;
  CalcContext ctx{quality, cond};
  long evaluations = 0;
  for (auto _ : state) {
    std::unique_ptr<CalculatorTable> set = BuiltInCorrelations().MakeCalculators(ctx);
    std::string text;
    // Every variable item, in the phase of the state, as the full grid asks (with the items a
    // grid would leave out for this condition, which cost little).
    for (Item item : VariableItems()) {
      PropertyCalculator* calc = set->VarPropCalc(item);
      if (calc == nullptr) continue;
      ComputeText(*calc, PhaseOf(condition), text, T, P, units);
      benchmark::DoNotOptimize(text.data());
    }
    for (Item item : VariableItems())
      if (const PropertyCalculator* calc = set->VarPropCalc(item)) evaluations += calc->Evaluations();
  }
  state.counters["evaluations"] =
      benchmark::Counter(static_cast<double>(evaluations), benchmark::Counter::kAvgIterations);
}

void BM_SubCooledLiquid300K50000kPa(benchmark::State& state) {
  ColdGrid(state, Condition::kSubCooledLiquid, 300.0L, 50000.0L);
}
void BM_SuperheatedVapour600K1000kPa(benchmark::State& state) {
  ColdGrid(state, Condition::kSuperheated, 600.0L, 1000.0L);
}

BENCHMARK(BM_SubCooledLiquid300K50000kPa)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SuperheatedVapour600K1000kPa)->Unit(benchmark::kMicrosecond);

}  // namespace
