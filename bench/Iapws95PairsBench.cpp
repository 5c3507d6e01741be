// IAPWS-95 states from pairs on the 4096 benchmark states (T in K, P in kPa): h and s of each
// state are computed once from (T, p) by IAPWS-95, then the state is solved back from (p, h),
// (p, s), (h, s), (T, h) and (T, s) (the last two whether or not the value is unique on the
// isotherm). Time per state is the time of one pass divided by the number of states. The file is
// read from TULO_BENCH_STATES, else from the shared folder beside the project.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "iapws/Iapws95.h"

namespace {

using namespace tulo::iapws95;

struct Given {
  double T;  // K
  double p;  // MPa
  double h;  // kJ/kg
  double s;  // kJ/(kg K)
};

std::vector<Given> LoadGiven() {
  const char* env = std::getenv("TULO_BENCH_STATES");
  std::ifstream in(env != nullptr ? env : TULO_SOURCE_DIR "/../shared/bench/states-4096.tsv");
  std::vector<Given> given;
  std::string header;
  std::getline(in, header);
  double T = 0, P = 0;
  while (in >> T >> P) {
    const FluidProps f = StateTP(T, P / 1000);
    if (f.region != Region::kNone) given.push_back({T, P / 1000, f.h, f.s});
  }
  return given;
}

const std::vector<Given>& AllGiven() {
  static const std::vector<Given> given = LoadGiven();
  return given;
}

template <class Solve>
void PerState(benchmark::State& state, Solve solve) {
  const auto& given = AllGiven();
  if (given.empty()) {
    state.SkipWithError("no benchmark states");
    return;
  }
  for (auto _ : state) {
    for (const Given& g : given) benchmark::DoNotOptimize(solve(g));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(given.size()));
}

void BM_Iapws95StateFromPH(benchmark::State& state) {
  PerState(state, [](const Given& g) { return StateFromPH(g.p, g.h); });
}

void BM_Iapws95StateFromPS(benchmark::State& state) {
  PerState(state, [](const Given& g) { return StateFromPS(g.p, g.s); });
}

void BM_Iapws95StateFromHS(benchmark::State& state) {
  PerState(state, [](const Given& g) { return StateFromHS(g.h, g.s); });
}

void BM_Iapws95StateFromTH(benchmark::State& state) {
  PerState(state, [](const Given& g) { return StateFromTH(g.T, g.h); });
}

void BM_Iapws95StateFromTS(benchmark::State& state) {
  PerState(state, [](const Given& g) { return StateFromTS(g.T, g.s); });
}

}  // namespace

BENCHMARK(BM_Iapws95StateFromPH)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Iapws95StateFromPS)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Iapws95StateFromHS)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Iapws95StateFromTH)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Iapws95StateFromTS)->Unit(benchmark::kMillisecond);
