// Drawing a graph of a long recording into a full-HD picture: the cost of
// every redraw of the graph window and every bitmap export.
#include <QImage>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdint>
#include <vector>

#include "bench_gui.h"
#include "common/plotten.h"
#include "common/plotten_achsen.h"
#include "messreihe.h"

namespace {

using pvbench::kWerte;
using pvbench::Messreihe;
using pvbench::reihe;

pv::GrafikEinstellungen einstellungen() {
  pv::GrafikEinstellungen e;
  e.Titel = QStringLiteral("Temperatur");
  e.XTitel = QStringLiteral("Zeit");
  e.YTitel = QStringLiteral("Wert");
  e.FarbeHintergrund = 0xC0C0C0;
  e.FarbeZeichnungsflaeche = 0xFFFFFF;
  e.FarbeMesskurve = 0x0000FF;
  e.MesswerteVerbunden = 1;
  e.Liniendicke = 1;
  e.GitterX = e.GitterY = true;
  e.GitterabstandAutoX = e.GitterabstandAutoY = true;
  e.SchrittweiteAutomatisch = true;
  return e;
}

void zeichnen(benchmark::State& state, pv::GrafikEinstellungen e, float xmin, float xmax, float ymin, float ymax) {
  const Messreihe& r = reihe();
  QImage bild(1920, 1080, QImage::Format_RGB32);
  pv::Zeichenflaeche flaeche(bild);
  for (auto _ : state) {
    float x0 = xmin, x1 = xmax, y0 = ymin, y1 = ymax;
    const int16_t ergebnis = Tolvek::GrafikZeichnen(flaeche, x0, x1, y0, y1, r.x, r.y, e, u',');
    if (ergebnis != Tolvek::kGrafikFertig) state.SkipWithError("graph not drawn");
    benchmark::DoNotOptimize(bild.constBits());
  }
  state.counters["Schrittweite"] = e.Schrittweite;
  state.SetItemsProcessed(state.iterations() * kWerte);
}

// The whole recording with automatic ranges and step: the graph window's
// usual redraw.
void BM_GanzeMessung(benchmark::State& state) { zeichnen(state, einstellungen(), 0, 0, 0, 0); }
BENCHMARK(BM_GanzeMessung)->Unit(benchmark::kMillisecond);

// Every value of the recording's last 10000 in view, with point markers:
// the most the drawing accepts (10001 values) in few pixel columns each.
void BM_ZehntausendWerteMitPunkten(benchmark::State& state) {
  auto e = einstellungen();
  e.SchrittweiteAutomatisch = false;
  e.Schrittweite = 1;
  e.MesspunkteAnzeigen = 1;
  e.Messpunktgroesse = 3;
  zeichnen(state, e, 99000.1f, 100000.1f, 10, 30);
}
BENCHMARK(BM_ZehntausendWerteMitPunkten)->Unit(benchmark::kMillisecond);

// A view beside all values: background, grid, labels and titles only.
void BM_NurRahmen(benchmark::State& state) {
  auto e = einstellungen();
  zeichnen(state, e, 200000, 300000, 10, 30);
}
BENCHMARK(BM_NurRahmen)->Unit(benchmark::kMillisecond);

// A zoom of half a second at 10^5 s: grid steps below single precision.
void BM_TieferZoom(benchmark::State& state) {
  auto e = einstellungen();
  e.SchrittweiteAutomatisch = false;
  e.Schrittweite = 1;
  zeichnen(state, e, 50000.0f, 50000.5f, 10, 30);
}
BENCHMARK(BM_TieferZoom)->Unit(benchmark::kMillisecond);

// The range scan alone, over all values.
void BM_AutomatischerBereich(benchmark::State& state) {
  const Messreihe& r = reihe();
  for (auto _ : state) benchmark::DoNotOptimize(pv::automatischerBereich(r.y, kWerte));
  state.SetItemsProcessed(state.iterations() * kWerte);
}
BENCHMARK(BM_AutomatischerBereich)->Unit(benchmark::kMicrosecond);

}  // namespace

PELVARON_GUI_BENCHMARK_MAIN()
