// IAPWS-95 on the 4096 benchmark states (T in K, P in kPa; half compressed liquid, half
// superheated vapour): every property at (T, rho), the state at (T, p) on each branch, and the
// saturation line by T and by p. The densities for (T, rho) are IF97's at the benchmark states.
// The file is read from TULO_BENCH_STATES, else from the shared folder beside the project.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "iapws/IF97.h"
#include "iapws/Iapws95.h"

namespace {

using namespace tulo;

struct BenchState {
  double T, p, rho;  // K, MPa, kg/m3
  bool liquid;
};

std::vector<BenchState> LoadStates() {
  const char* env = std::getenv("TULO_BENCH_STATES");
  std::ifstream in(env != nullptr ? env : TULO_SOURCE_DIR "/../shared/bench/states-4096.tsv");
  std::vector<BenchState> states;
  std::string header;
  std::getline(in, header);
  double T = 0, P = 0;
  while (in >> T >> P) {
    const iapws::FluidProps st = iapws::StateTP(T, P / 1000);
    if (st.region != iapws::Region::kNone) states.push_back({T, P / 1000, st.rho, st.rho > iapws::kRhoc});
  }
  return states;
}

const std::vector<BenchState>& States() {
  static const std::vector<BenchState> states = LoadStates();
  return states;
}

template <class PerState>
void OverStates(benchmark::State& state, PerState perState) {
  const auto& states = States();
  if (states.empty()) {
    state.SkipWithError("no benchmark states");
    return;
  }
  long count = 0;
  for (auto _ : state) {
    count = 0;
    for (const BenchState& s : states) count += perState(s) ? 1 : 0;
  }
  state.SetItemsProcessed(state.iterations() * count);
}

void BM_Iapws95StateTRho(benchmark::State& state) {
  OverStates(state, [](const BenchState& s) {
    benchmark::DoNotOptimize(iapws95::StateTRho(s.T, s.rho).w);
    return true;
  });
}

void BM_Iapws95StateTP(benchmark::State& state, bool liquid) {
  OverStates(state, [liquid](const BenchState& s) {
    if (s.liquid != liquid) return false;
    benchmark::DoNotOptimize(iapws95::StateTP(s.T, s.p).rho);
    return true;
  });
}

// 4096 temperatures or pressures across the saturation line.
void BM_Iapws95SaturationAtT(benchmark::State& state) {
  constexpr int kCount = 4096;
  for (auto _ : state) {
    for (int k = 0; k < kCount; ++k) {
      const double T = iapws95::kTt + (iapws95::kTc - 0.01 - iapws95::kTt) * k / kCount;
      benchmark::DoNotOptimize(iapws95::SaturationAtT(T));
    }
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

void BM_Iapws95SaturationAtP(benchmark::State& state) {
  constexpr int kCount = 4096;
  const double pt = iapws95::TriplePointPressure();
  for (auto _ : state) {
    for (int k = 0; k < kCount; ++k) {
      const double p = pt * std::pow(21.9 / pt, static_cast<double>(k) / kCount);
      benchmark::DoNotOptimize(iapws95::SaturationAtP(p));
    }
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

BENCHMARK(BM_Iapws95StateTRho)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Iapws95StateTP, liquid, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Iapws95StateTP, vapour, false)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Iapws95SaturationAtT)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Iapws95SaturationAtP)->Unit(benchmark::kMillisecond);

}  // namespace
