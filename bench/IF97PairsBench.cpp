// IAPWS-IF97 states from pairs on the 4096 benchmark states (T in K, P in kPa): h and s of each
// state are computed once from (T, p), then the state is solved back from (p, h), (p, s),
// (h, s), (T, h) and (T, s) (the last two whether or not the value is unique on the isotherm). Time per state
// is the time of one pass divided by the number of states. The file is read from TULO_BENCH_STATES, else from
// the shared folder beside the project.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "iapws/IF97.h"
#include "iapws/IF97Pairs.h"
#include "results/IapwsSet.h"
#include "results/StateEvaluator.h"

namespace {

using namespace tulo::iapws;

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

void BM_IF97StateFromPH(benchmark::State& state) {
  PerState(state, [](const Given& g) { return StateFromPH(g.p, g.h); });
}

void BM_IF97StateFromPS(benchmark::State& state) {
  PerState(state, [](const Given& g) { return StateFromPS(g.p, g.s); });
}

void BM_IF97StateFromHS(benchmark::State& state) {
  PerState(state, [](const Given& g) { return StateFromHS(g.h, g.s); });
}

void BM_IF97StateFromTH(benchmark::State& state) {
  PerState(state, [](const Given& g) { return StateFromTH(g.T, g.h); });
}

void BM_IF97StateFromTS(benchmark::State& state) {
  PerState(state, [](const Given& g) { return StateFromTS(g.T, g.s); });
}

// The same pairs through the state evaluator of the IAPWS standard (internal units: kPa), with the
// state's enthalpy, entropy and density read back as every front end reads them.
void ThroughEvaluator(benchmark::State& state, tulo::InputPair pair) {
  tulo::StateEvaluator evaluator(tulo::IapwsCorrelations());
  PerState(state, [&](const Given& g) {
    tulo::StateInput in{pair, g.p * 1000, g.h};
    if (pair == tulo::InputPair::kPS) in.second = g.s;
    if (pair == tulo::InputPair::kHS) in = {pair, g.h, g.s};
    const tulo::Evaluation e = evaluator.Evaluate(in);
    long double sum = 0;
    if (e.state)
      for (tulo::Item item : {tulo::Item::kEnthalpy, tulo::Item::kEntropy, tulo::Item::kDensity})
        sum += evaluator.StateValue(*e.state, item).value;
    return sum;
  });
}

void BM_EvaluatorPH(benchmark::State& state) {
  ThroughEvaluator(state, tulo::InputPair::kPH);
}
void BM_EvaluatorPS(benchmark::State& state) {
  ThroughEvaluator(state, tulo::InputPair::kPS);
}
void BM_EvaluatorHS(benchmark::State& state) {
  ThroughEvaluator(state, tulo::InputPair::kHS);
}

}  // namespace

BENCHMARK(BM_EvaluatorPH)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluatorPS)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluatorHS)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IF97StateFromPH)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IF97StateFromPS)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IF97StateFromHS)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IF97StateFromTH)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IF97StateFromTS)->Unit(benchmark::kMillisecond);
