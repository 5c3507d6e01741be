// tulo-calc batch without the process: the 4096 benchmark states (T in K, P in kPa, SI units)
// repeated to 204 800 CSV rows, computed by the command's row computer (the window's checks and
// phase condition, seven items h, s, u, rho, cp, mu, lambda, or h, s and rho alone) and written
// as CSV. The P-h case gives the single-phase states of one pass by P and their enthalpy, each a
// P-h solve first (the built-in standard's solve takes milliseconds a row: 50 passes would take a
// quarter of an hour).
// Time is wall-clock, rates per wall-clock second; the CPU column is the whole process's. The
// states file is read from TULO_BENCH_STATES, else from the shared folder beside the project.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "DiscardBuffer.h"
#include "batch/BatchReader.h"
#include "batch/BatchRun.h"
#include "cli/BatchComputer.h"
#include "props/BuiltInSet.h"
#include "results/IapwsSet.h"
#include "units/Presets.h"

namespace {

using namespace tulo;

constexpr int kRepeats = 50;

// The states as a CSV file, kRepeats times over; empty when the states file is missing.
std::string BenchInput(long& rows) {
  const char* env = std::getenv("TULO_BENCH_STATES");
  std::ifstream in(env != nullptr ? env : TULO_SOURCE_DIR "/../shared/bench/states-4096.tsv");
  std::string header, line, states;
  std::getline(in, header);
  rows = 0;
  while (std::getline(in, line)) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    states.append(line, 0, tab).append(",").append(line, tab + 1).append("\n");
    ++rows;
  }
  std::string input = "T,P\n";
  for (int i = 0; i < kRepeats; ++i) input += states;
  rows *= kRepeats;
  return rows > 0 ? input : std::string();
}

// Seven items, or the three of a plant's heat balance (h, s, rho).
cli::BatchRequest BenchRequest(const CorrelationSet* set, bool threeItems) {
  cli::BatchRequest request;
  request.set = set;
  request.units = PresetSelection(UnitPreset::kSI);
  if (threeItems)
    request.items = {Item::kEnthalpy, Item::kEntropy, Item::kDensity};
  else
    request.items = {Item::kEnthalpy,     Item::kEntropy,   Item::kInternalEnergy,     Item::kDensity,
                     Item::kHeatCapacity, Item::kViscosity, Item::kThermalConductivity};
  return request;
}

// The single-phase rows of the first pass of a T and P input as P and h, every digit of the
// forward enthalpy.
std::string PHInput(const std::string& tp, const CorrelationSet* set, long& rows) {
  const long pass = rows / kRepeats;
  const cli::BatchRequest request{set, PresetSelection(UnitPreset::kSI), {Item::kEnthalpy}};
  cli::BatchComputer forward(request);
  std::istringstream in(tp);
  batch::BatchReader reader(in);
  reader.ReadHeader();
  std::string input = "P,h\n";
  rows = 0;
  batch::BatchResult result;
  long read = 0;
  for (batch::BatchRow row; read < pass && reader.Next(row); ++read) {
    result.status.clear();
    forward.Compute(row, result);
    // condition, T, P, h (single phase), h_liquid, h_vapour
    if (!result.status.empty() || result.cells.size() < 4 || result.cells[3].empty()) continue;
    input.append(result.cells[2]).append(",").append(result.cells[3]).append("\n");
    ++rows;
  }
  return input;
}

void BM_BatchCommand(benchmark::State& state, const CorrelationSet* set, bool ph, bool threeItems) {
  long rows = 0;
  std::string input = BenchInput(rows);
  if (input.empty()) {
    state.SkipWithError("no benchmark states");
    return;
  }
  if (ph) input = PHInput(input, set, rows);
  const cli::BatchRequest request = BenchRequest(set, threeItems);
  batch::BatchHeader header;
  if (ph) header.pair = InputPair::kPH;
  batch::BatchOptions options;
  options.columns = cli::BatchColumns(request, header);
  options.threads = static_cast<unsigned>(state.range(0));
  const batch::RowComputerFactory factory = [&request, &header]() -> batch::RowComputer {
    auto computer = std::make_shared<cli::BatchComputer>(request, header);
    return [computer](const batch::BatchRow& row, batch::BatchResult& result) {
      computer->Compute(row, result);
    };
  };
  std::size_t bytes = 0;
  std::uint64_t badRows = 0;
  for (auto _ : state) {
    std::istringstream in(input);
    DiscardBuffer sink;
    std::ostream out(&sink);
    const batch::BatchReport report = batch::RunBatch(in, out, options, factory);
    if (report.rows != static_cast<std::uint64_t>(rows)) state.SkipWithError("rows lost");
    bytes += sink.bytes;
    badRows += report.badRows;
  }
  const auto runRows = static_cast<double>(state.iterations() * rows);
  state.SetItemsProcessed(state.iterations() * rows);
  state.counters["out_bytes_per_row"] = static_cast<double>(bytes) / runRows;
  // Rows with a status: the built-in standard's viscosity and conductivity end below some states.
  state.counters["bad_row_share"] = static_cast<double>(badRows) / runRows;
}

BENCHMARK_CAPTURE(BM_BatchCommand, iapws, &IapwsCorrelations(), false, false)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_BatchCommand, builtin, &BuiltInCorrelations(), false, false)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
// h, s and rho only: the rows a second of the command's usual use.
BENCHMARK_CAPTURE(BM_BatchCommand, iapws_hsrho, &IapwsCorrelations(), false, true)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_BatchCommand, builtin_hsrho, &BuiltInCorrelations(), false, true)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_BatchCommand, iapws_ph, &IapwsCorrelations(), true, false)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_BatchCommand, builtin_ph, &BuiltInCorrelations(), true, false)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace
