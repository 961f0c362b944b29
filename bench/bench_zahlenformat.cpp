// Formatting by number format code: the cost of every value shown in the
// main window, the table and the graph's labels.
#include <QDateTime>
#include <benchmark/benchmark.h>
#include <cstdint>

#include "common/zahlenformat.h"

namespace {

// A spread of magnitudes and signs, as a measurement brings them.
constexpr float kWerte[] = {0.0f, 12.6f, -3.14159f, 1234.5678f, 0.000123f, 98765.4f, -5e-7f, 2.5e6f};

void BM_ZahlFormatieren(benchmark::State& state) {
  const auto code = static_cast<int16_t>(state.range(0));
  const QDateTime start(QDate(2026, 12, 8), QTime(10, 0, 0));
  std::size_t i = 0;
  for (auto _ : state) {
    const float x = kWerte[i++ % std::size(kWerte)] + (code >= 13 ? 4000.0f : 0.0f);
    benchmark::DoNotOptimize(Tolvek::zahlFormatieren(x, code, 3, u',', start));
  }
  state.SetItemsProcessed(state.iterations());
}
// Fixed, exponent, a prefix code, hh:mm:ss and the date.
BENCHMARK(BM_ZahlFormatieren)->ArgName("code")->Arg(0)->Arg(1)->Arg(4)->Arg(15)->Arg(16);

void BM_ZahlEinlesen(benchmark::State& state) {
  const QString text = QStringLiteral("1,235E+03");
  const QDateTime start(QDate(2026, 12, 8), QTime(10, 0, 0));
  for (auto _ : state) benchmark::DoNotOptimize(Tolvek::ZahlEinlesen(text, 1, u',', start));
}
BENCHMARK(BM_ZahlEinlesen);

}  // namespace

BENCHMARK_MAIN();
