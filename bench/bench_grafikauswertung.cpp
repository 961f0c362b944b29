// The graph window's evaluations over a long recording: minimum and
// maximum, mean, smoothing and the integral of 1,000,000 values.
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdint>
#include <vector>

#include "views/grafikauswertung.h"

namespace {

constexpr int32_t kWerte = 1'000'000;

// One value every 0.1 s: a slow wave with measurement noise.
struct Messreihe {
  std::vector<float> x, y;
  Messreihe() : x(kWerte + 1), y(kWerte + 1) {
    for (int32_t i = 1; i <= kWerte; ++i) {
      x[i] = 0.1f * float(i);
      y[i] = 20.0f + 3.0f * std::sin(float(i) / 30000.0f) + float((int64_t(i) * 7919) % 13) * 0.05f;
    }
  }
};

const Messreihe& reihe() {
  static const Messreihe r;
  return r;
}

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
