// The graph window's evaluations over a long recording: minimum and
// maximum, mean, smoothing and the integral of 1,000,000 values.
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdint>
#include <vector>

#include "views/grafikauswertung.h"
#include "messreihe.h"

namespace {

using pvbench::kWerte;
using pvbench::Messreihe;
using pvbench::reihe;

void MinimumUndMaximum(benchmark::State& state) {
  const Messreihe& r = reihe();
  for (auto _ : state) {
    const auto b = pv::sichtbarerBereich(r.x, kWerte, 0, 1e9f);
    benchmark::DoNotOptimize(pv::extremwerteSuchen(r.x, r.y, *b));
  }
  state.SetItemsProcessed(state.iterations() * kWerte);
}
BENCHMARK(MinimumUndMaximum)->Unit(benchmark::kMillisecond);

void Mittelwert(benchmark::State& state) {
  const Messreihe& r = reihe();
  for (auto _ : state) {
    const auto b = pv::sichtbarerBereich(r.x, kWerte, 0, 1e9f);
    benchmark::DoNotOptimize(pv::mittelwert(r.y, *b));
  }
  state.SetItemsProcessed(state.iterations() * kWerte);
}
BENCHMARK(Mittelwert)->Unit(benchmark::kMillisecond);

// The neighbours on each side: the cost must not grow with them.
void Glaetten(benchmark::State& state) {
  const Messreihe& r = reihe();
  const auto n = static_cast<int32_t>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(pv::geglaettet(r.y, kWerte, n));
  state.SetItemsProcessed(state.iterations() * kWerte);
}
BENCHMARK(Glaetten)->Arg(1)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

void Integral(benchmark::State& state) {
  const Messreihe& r = reihe();
  for (auto _ : state) benchmark::DoNotOptimize(pv::integral(r.x, r.y, 1, kWerte));
  state.SetItemsProcessed(state.iterations() * kWerte);
}
BENCHMARK(Integral)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
