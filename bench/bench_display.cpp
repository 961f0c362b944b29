// The large display's work per received value: the value and both units
// measured in their fonts and placed in their boxes; and the fitting of all
// fonts after a size change.
#include <benchmark/benchmark.h>

#include "bench_gui.h"
#include "views/displaylayout.h"

namespace {

const QSize kWertbox(1240, 370);
const QSize kEinheitbox(560, 190);

QFont schrift(double groesse) {
  QFont f(QStringLiteral("Arial"), 180);
  f.setPointSizeF(groesse);
  return f;
}

void BM_DisplayWertZeichnen(benchmark::State& state) {
  const QFont wert = schrift(pv::wertSchriftgroesse(schrift(180), kWertbox, 7));
  const QFont einheit = schrift(40);
  const QString werte[] = {QStringLiteral("-12,345"), QStringLiteral("0,001"), QStringLiteral("1234,5")};
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(pv::wertPlatzieren(wert, kWertbox, werte[i++ % 3], pv::Ausrichtung::Mitte));
    benchmark::DoNotOptimize(pv::einheitPlatzieren(einheit, kEinheitbox, QStringLiteral(" DC  ")));
    benchmark::DoNotOptimize(pv::einheitPlatzieren(einheit, kEinheitbox, QStringLiteral(" mV ")));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DisplayWertZeichnen)->Unit(benchmark::kMicrosecond);

void BM_DisplayLayout(benchmark::State& state) {
  int breite = 900;
  for (auto _ : state) {
    breite = breite >= 1900 ? 900 : breite + 10;
    const pv::Displaygeometrie g = pv::displayLayout({breite, 700}, 90);
    benchmark::DoNotOptimize(pv::wertSchriftgroesse(schrift(180), g.wert.size(), 7));
    benchmark::DoNotOptimize(
        pv::einheitSchriftgroessen({schrift(40), schrift(40)}, {g.einheit1.size(), g.einheit2.size()}, {1, 5},
                                   {13, 16}));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DisplayLayout)->Unit(benchmark::kMicrosecond);

}  // namespace

PELVARON_GUI_BENCHMARK_MAIN()
