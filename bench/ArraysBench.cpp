// The IAPWS array path (ComputeArraysTP) over 1 000 000 states on one thread: the enthalpy alone,
// and h, s and rho. The states cover regions 1, 2, 3 and 5 (280 K to 2000 K, 10 kPa to 50 MPa,
// log-spaced pressures); each is a new (T, P), so nothing is kept between states.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "props/Catalogue.h"
#include "results/IapwsSet.h"
#include "results/StateArrays.h"
#include "results/StateEvaluator.h"

namespace {

using namespace tulo;

constexpr std::size_t kStates = 1'000'000;

void Arrays(benchmark::State& state, std::vector<Item> items) {
  std::vector<double> T(kStates), P(kStates);
  for (std::size_t i = 0; i < kStates; ++i) {
    T[i] = 280.0 + 1720.0 * static_cast<double>((i * 7919) % kStates) / kStates;
    P[i] = 10.0 * std::pow(5000.0, static_cast<double>(i) / kStates);
  }
  std::vector<double> value(items.size() * kStates);
  std::vector<Status> status(items.size() * kStates);
  StateEvaluator evaluator(IapwsCorrelations());
  for (auto _ : state) {
    ComputeArraysTP(evaluator, items, T, P, value, status);
    benchmark::DoNotOptimize(value.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(kStates));
}

void BM_ArraysEnthalpy(benchmark::State& state) {
  Arrays(state, {Item::kEnthalpy});
}
void BM_ArraysHSRho(benchmark::State& state) {
  Arrays(state, {Item::kEnthalpy, Item::kEntropy, Item::kDensity});
}
BENCHMARK(BM_ArraysEnthalpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArraysHSRho)->Unit(benchmark::kMillisecond);

}  // namespace
