// Range tables: a 10 000-row isobar of the items of the variable-results grid (the union of the
// liquid and vapour rows), 300 to 800 K at 1 MPa (liquid, the boiling point, steam), in each
// standard, on one thread and on every core; and the text and CSV of that table.

#include <benchmark/benchmark.h>

#include "batch/TableOutput.h"
#include "props/BuiltInSet.h"
#include "results/IapwsSet.h"
#include "results/RangeTable.h"
#include "units/Presets.h"

namespace {

using namespace tulo;

TableRequest Isobar(const CorrelationSet& set) {
  return {TableKind::kIsobar, RangeByRows(300, 800, 10000), 1000, DefaultTableItems(set, TableKind::kIsobar)};
}

void IsobarTable(benchmark::State& state, const CorrelationSet& set) {
  const TableRequest request = Isobar(set);
  const UnitSelection si = PresetSelection(UnitPreset::kSI);
  for (auto _ : state) {
    auto table =
        ComputeRangeTable(request, set, si, TableControl{static_cast<unsigned>(state.range(0)), nullptr, {}});
    benchmark::DoNotOptimize(table);
  }
  state.SetItemsProcessed(state.iterations() * request.range.rows);
  state.counters["items"] = static_cast<double>(request.items.size());
}

void Written(benchmark::State& state, batch::TableFormat format) {
  const CorrelationSet& set = IapwsCorrelations();
  const auto table = ComputeRangeTable(Isobar(set), set, PresetSelection(UnitPreset::kSI));
  for (auto _ : state) benchmark::DoNotOptimize(batch::TableText(*table, format));
  state.SetItemsProcessed(state.iterations() * table->RowCount());
}

// Arg: the worker threads (0: one per core).
BENCHMARK_CAPTURE(IsobarTable, iapws, IapwsCorrelations())
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(IsobarTable, builtin, BuiltInCorrelations())
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(Written, text, batch::TableFormat::kText)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Written, csv, batch::TableFormat::kCsv)->Unit(benchmark::kMillisecond);

}  // namespace
