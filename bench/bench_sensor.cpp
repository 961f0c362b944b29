// Sensor interpolation: values converted per second through characteristics
// of growing size (the search runs linearly from the first pair, so a value
// near the top is the slow case).
#include <benchmark/benchmark.h>

#include <vector>

#include "acquisition/sensorinterpolation.h"

namespace {

void interpolieren(benchmark::State& state) {
  const auto n = static_cast<size_t>(state.range(0));
  std::vector<float> x(n + 1), y(n + 1);
  for (size_t i = 1; i <= n; ++i) {
    x[i] = static_cast<float>(i);
    y[i] = static_cast<float>(i) * 2.5f;
  }
  const float wert = static_cast<float>(n) - 0.5f;
  for (auto _ : state) benchmark::DoNotOptimize(pv::Sensor(wert, x, y, u','));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(interpolieren)->Arg(10)->Arg(999)->Arg(32767);

}  // namespace

BENCHMARK_MAIN();
