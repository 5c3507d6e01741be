// The batch pipeline's own cost: rows read, handed to the workers, formatted and written in
// order, with a row computer that does no physics (seven constant-size cells per row). What is
// left of the budget per row goes to the calculation. Time is wall-clock, rates per wall-clock
// second; the CPU column is the whole process's (reader, writer and workers).

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "DiscardBuffer.h"
#include "batch/BatchRun.h"

namespace {

std::string BatchInput(int rows) {
  std::string input = "T,P\n";
  for (int i = 0; i < rows; ++i)
    input += std::to_string(273.16 + (i % 1000) * 0.5) + "," + std::to_string(100 + i % 977) + "\n";
  return input;
}

// Seven cells: the condition, the texts read and four figures as a grid would show them.
tulo::batch::RowComputerFactory TrivialComputer() {
  return [] {
    return [](const tulo::batch::BatchRow& row, tulo::batch::BatchResult& result) {
      result.cells.resize(7);
      result.cells[0] = "liquid";
      result.cells[1] = row.t;
      result.cells[2] = row.p;
      result.cells[3] = "1234.56";
      result.cells[4] = "0.98765";
      result.cells[5] = "4.1234";
      result.cells[6] = "998.21";
    };
  };
}

void BM_BatchPipeline(benchmark::State& state, tulo::batch::OutputFormat format) {
  constexpr int kRows = 200000;
  const std::string input = BatchInput(kRows);
  tulo::batch::BatchOptions options;
  options.format = format;
  options.columns = {"condition", "T", "P", "h", "s", "cp", "rho", "status"};
  options.threads = static_cast<unsigned>(state.range(0));
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::istringstream in(input);
    DiscardBuffer sink;
    std::ostream out(&sink);
    auto report = tulo::batch::RunBatch(in, out, options, TrivialComputer());
    if (report.rows != kRows) state.SkipWithError("rows lost");
    bytes += sink.bytes;
  }
  state.SetItemsProcessed(state.iterations() * kRows);
  state.counters["ns_per_row"] =
      benchmark::Counter(static_cast<double>(state.iterations() * kRows),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["out_bytes_per_row"] =
      static_cast<double>(bytes) / static_cast<double>(state.iterations() * kRows);
}
BENCHMARK_CAPTURE(BM_BatchPipeline, csv, tulo::batch::OutputFormat::kCsv)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_BatchPipeline, json, tulo::batch::OutputFormat::kJson)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace
