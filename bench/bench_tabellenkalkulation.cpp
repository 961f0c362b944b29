// The spreadsheet export of the most values one export takes: every row
// formatted, its cells read back as numbers, the .xlsx file written.
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdint>

#include "views/tabellenkalkulation.h"

namespace {

constexpr int32_t kWerte = pv::kTabellenkalkulationMaxWerte;

const pv::Messdaten& messung() {
  static const pv::Messdaten daten = [] {
    pv::Messdaten d;
    for (int32_t i = 1; i <= kWerte; ++i)
      d.anhaengen(static_cast<float>(i) * 0.5f, 230.0f + static_cast<float>(i % 1000) * 0.0137f - 6.85f);
    return d;
  }();
  return daten;
}

// Time in seconds (code 10) as numbers; the value as numbers with the
// system's decimal sign, as texts with the other one.
void BM_TabellenkalkulationExport(benchmark::State& state) {
  QTemporaryDir ordner;
  pv::TabellenkalkulationOptionen o;
  o.bereich = {1, kWerte, 1};
  o.systemDezimalzeichen = u',';
  o.dezimalzeichen = state.range(0) ? u'.' : u',';
  o.xCode = 10;
  o.xNachkommastellen = 1;
  o.yNachkommastellen = 3;
  o.zeitKopf = QStringLiteral("Zeit (s)");
  o.wertKopf = QStringLiteral("Spannung (V)");
  for (auto _ : state) {
    pv::TabellenkalkulationLauf lauf(ordner.filePath(QStringLiteral("export.xlsx")), messung(), o);
    while (!lauf.fertig()) lauf.weiter();
    if (!lauf.schliessen()) state.SkipWithError("the file could not be written");
  }
  state.SetItemsProcessed(state.iterations() * kWerte);
}
BENCHMARK(BM_TabellenkalkulationExport)->ArgNames({"punkt"})->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
