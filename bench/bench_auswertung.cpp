// Record evaluation: records turned into shown values per second, for a
// device whose record format is found automatically and for one with fixed
// field positions (range recognition on, limits on, formatted display).
#include <QByteArray>
#include <benchmark/benchmark.h>

#include "acquisition/auswertung.h"

namespace {

pv::Auswertungseinstellungen einstellungen() {
  pv::Auswertungseinstellungen e;
  e.Dezimaltrennzeichen = u',';
  e.Verarbeitung = pv::Messwertverarbeitung::Linear;
  e.LinearM = 2;
  e.LinearT = 0.5f;
  e.CheckMinON = 1;
  e.CheckMin = -1e6f;
  e.CheckMaxON = 1;
  e.CheckMax = 1e6f;
  e.BarGraphAktiviert = 2;
  e.YZahlenformatnummer = 0;
  e.YNachkommastellen = 3;
  e.Einheit = QStringLiteral("V");
  return e;
}

void auswerten(benchmark::State& state, const pv::Erfassungszustand& geraet, const QByteArray (&saetze)[4]) {
  pv::Auswertung auswertung;
  pv::Erfassungsmodul modul;
  const pv::Auswertungseinstellungen e = einstellungen();
  std::size_t i = 0;
  for (auto _ : state) {
    pv::Auswertungsergebnis r = auswertung.auswerten(saetze[i++ & 3], geraet, modul, e);
    benchmark::DoNotOptimize(r);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_AutomatischesFormat(benchmark::State& state) {
  pv::Erfassungszustand g;
  g.AutoFormat = true;
  g.LZAscii = 13;
  g.Geraeteart = 0;
  const QByteArray saetze[4] = {"DC -1.234 V\r", "DC 12.345 V\r", "DC  0.001 V\r", "AC 199.9 mV\r"};
  auswerten(state, g, saetze);
}
BENCHMARK(BM_AutomatischesFormat);

void BM_FestePositionen(benchmark::State& state) {
  // "DC -1.999 mV" + CR
  pv::Erfassungszustand g;
  g.Einheit1Pos = {1, 2};
  g.Vorzeichenstelle = 4;
  g.Messwertbeginn = 5;
  g.Messwertende = 9;
  g.Einheit2Pos = {11, 12};
  g.Datenstringlaenge = 13;
  g.LZAscii = 13;
  g.Geraeteart = 1;
  g.MessbereichAutomatisch = true;
  g.MessbereichErkennung = 2;
  const char* zeichen[] = {"M", "k", "m", "u", "n", "p"};
  for (size_t i = 0; i < 6; ++i) g.MessbereichZeichen[i] = QString::fromLatin1(zeichen[i]);
  const QByteArray saetze[4] = {"DC -1.999 mV\r", "DC  39.99 V \r", "DC  0.500 kV\r", "AC  12.34 mV\r"};
  auswerten(state, g, saetze);
}
BENCHMARK(BM_FestePositionen);

}  // namespace

BENCHMARK_MAIN();
