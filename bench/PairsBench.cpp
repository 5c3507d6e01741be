// States from pairs on the 4096 benchmark states (T in K, P in kPa), in IAPWS-IF97 and in
// IAPWS-95: h and s of each state are computed once from (T, p) by the formulation, then the
// state is solved back from (p, h), (p, s), (h, s), (T, h) and (T, s) (the last two whether or not
// the value is unique on the isotherm). Time per state is the time of one pass divided by the
// number of states. The file is read from TULO_BENCH_STATES, else from the shared folder beside
// the project.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "iapws/Formulation.h"
#include "results/IapwsSet.h"
#include "results/StateEvaluator.h"

namespace {

using tulo::iapws::Formulation;

struct Given {
  double T;  // K
  double p;  // MPa
  double h;  // kJ/kg
  double s;  // kJ/(kg K)
};

std::vector<Given> LoadGiven(const Formulation& f) {
  const char* env = std::getenv("TULO_BENCH_STATES");
  std::ifstream in(env != nullptr ? env : TULO_SOURCE_DIR "/../shared/bench/states-4096.tsv");
  std::vector<Given> given;
  std::string header;
  std::getline(in, header);
  double T = 0, P = 0;
  while (in >> T >> P) {
    const tulo::iapws::WaterState w = f.evaluate(tulo::iapws::StateKind::kFluid, T, P / 1000);
    if (w.valid) given.push_back({T, P / 1000, w.h, w.s});
  }
  return given;
}

template <const Formulation& (*kFormulation)()>
const std::vector<Given>& AllGiven() {
  static const std::vector<Given> given = LoadGiven(kFormulation());
  return given;
}

template <class Solve>
void PerState(benchmark::State& state, const std::vector<Given>& given, Solve solve) {
  if (given.empty()) {
    state.SkipWithError("no benchmark states");
    return;
  }
  for (auto _ : state) {
    for (const Given& g : given) benchmark::DoNotOptimize(solve(g));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(given.size()));
}

enum class Pair { kPH, kPS, kHS, kTH, kTS };

// The formulation's own solution of a pair.
template <const Formulation& (*kFormulation)(), Pair kPair>
void BM_StateFrom(benchmark::State& state) {
  const Formulation& f = kFormulation();
  PerState(state, AllGiven<kFormulation>(), [&f](const Given& g) {
    switch (kPair) {
      case Pair::kPH:
        return f.stateFromPH(g.p, g.h);
      case Pair::kPS:
        return f.stateFromPS(g.p, g.s);
      case Pair::kHS:
        return f.stateFromHS(g.h, g.s);
      case Pair::kTH:
        return f.stateFromTH(g.T, g.h).state;
      case Pair::kTS:
        return f.stateFromTS(g.T, g.s).state;
    }
    return std::optional<tulo::iapws::PairState>();
  });
}

// The same pairs through the state evaluator of the IAPWS standard (internal units: kPa), with the
// state's enthalpy, entropy and density read back as every front end reads them.
void ThroughEvaluator(benchmark::State& state, tulo::InputPair pair) {
  tulo::StateEvaluator evaluator(tulo::IapwsCorrelations());
  PerState(state, AllGiven<tulo::iapws::IF97Formulation>(), [&](const Given& g) {
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

// Each formulation's five pairs, named BM_IF97StateFromPH, BM_Iapws95StateFromPH, ...
template <const Formulation& (*kFormulation)()>
int RegisterPairs(const std::string& prefix) {
  const std::pair<const char*, void (*)(benchmark::State&)> pairs[] = {
      {"StateFromPH", BM_StateFrom<kFormulation, Pair::kPH>},
      {"StateFromPS", BM_StateFrom<kFormulation, Pair::kPS>},
      {"StateFromHS", BM_StateFrom<kFormulation, Pair::kHS>},
      {"StateFromTH", BM_StateFrom<kFormulation, Pair::kTH>},
      {"StateFromTS", BM_StateFrom<kFormulation, Pair::kTS>}};
  for (const auto& [name, run] : pairs)
    benchmark::RegisterBenchmark((prefix + name).c_str(), run)->Unit(benchmark::kMillisecond);
  return 0;
}

const int kPairsRegistered = RegisterPairs<tulo::iapws::IF97Formulation>("BM_IF97") +
                             RegisterPairs<tulo::iapws::Iapws95Formulation>("BM_Iapws95");

}  // namespace

BENCHMARK(BM_EvaluatorPH)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluatorPS)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluatorHS)->Unit(benchmark::kMillisecond);
