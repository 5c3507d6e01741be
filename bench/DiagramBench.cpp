// The charts' core: building every line of a chart (after a change of standard, units or kind),
// the mark of a state (after every key), and the state under a point (hover and click).

#include <benchmark/benchmark.h>

#include "results/DiagramPick.h"
#include "results/IapwsSet.h"
#include "units/Presets.h"

namespace {

using namespace tulo;

const CorrelationSet& SetNamed(bool iapws) {
  return iapws ? IapwsCorrelations() : BuiltInCorrelations();
}

UnitSettings Si() {
  UnitSettings u;
  u.InitUnits(PresetSelection(UnitPreset::kSI));
  return u;
}

void BM_BuildLines(benchmark::State& state, DiagramKind kind, bool iapws) {
  const UnitSettings units = Si();
  for (auto _ : state) {
    DiagramLines lines = BuildDiagramLines(kind, SetNamed(iapws), units);
    benchmark::DoNotOptimize(lines.lines.data());
  }
}
BENCHMARK_CAPTURE(BM_BuildLines, ts_builtin, DiagramKind::kTs, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BuildLines, hs_builtin, DiagramKind::kHs, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BuildLines, ph_builtin, DiagramKind::kPh, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BuildLines, pt_builtin, DiagramKind::kPt, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BuildLines, ts_iapws, DiagramKind::kTs, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BuildLines, hs_iapws, DiagramKind::kHs, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BuildLines, ph_iapws, DiagramKind::kPh, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BuildLines, pt_iapws, DiagramKind::kPt, true)->Unit(benchmark::kMillisecond);

// The mark of a superheated state whose temperature changes at every key.
void BM_MarkOfState(benchmark::State& state, bool iapws) {
  DiagramPicker picker(DiagramKind::kHs, SetNamed(iapws), Si());
  long double T = 700.0L;
  for (auto _ : state) {
    T = T < 800.0L ? T + 0.5L : 700.0L;
    benchmark::DoNotOptimize(picker.PointOf(T, 4000.0L, Condition::kSuperheated, 0.0));
  }
}
BENCHMARK_CAPTURE(BM_MarkOfState, builtin, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MarkOfState, iapws, true)->Unit(benchmark::kMicrosecond);

// The state under a point: superheated steam near 500 C and 40 bar, wet steam at 150 C.
void BM_StateAt(benchmark::State& state, DiagramKind kind, bool iapws, double x, double y) {
  DiagramPicker picker(kind, SetNamed(iapws), Si());
  double dx = 0;
  for (auto _ : state) {
    dx = dx < 0.01 ? dx + 0.001 : 0;  // a new point each time: no kept call answers it
    benchmark::DoNotOptimize(picker.StateAt({x + dx * x, y}));
  }
}
BENCHMARK_CAPTURE(BM_StateAt, ts_superheated_builtin, DiagramKind::kTs, false, 7.0, 773.15)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_StateAt, hs_superheated_builtin, DiagramKind::kHs, false, 7.0, 3440.0)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_StateAt, hs_wet_builtin, DiagramKind::kHs, false, 4.0, 1500.0)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_StateAt, hs_superheated_iapws, DiagramKind::kHs, true, 7.0, 3440.0)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_StateAt, hs_wet_iapws, DiagramKind::kHs, true, 4.0, 1500.0)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_StateAt, ph_superheated_iapws, DiagramKind::kPh, true, 3440.0, 4000.0)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
