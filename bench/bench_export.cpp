// Export of a long measurement to a text file: the header, one line per
// value with its time and value formatted, the file replaced in one piece.
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdint>

#include "common/textdatei.h"
#include "views/textexport.h"

namespace {

constexpr int32_t kWerte = 1000000;

// A recording of one value every 0.1 s with a varying signal.
const pv::Messdaten& messung() {
  static const pv::Messdaten daten = [] {
    pv::Messdaten d;
    d.x.reserve(kWerte + 1);
    d.y.reserve(kWerte + 1);
    for (int32_t i = 1; i <= kWerte; ++i)
      d.anhaengen(static_cast<float>(i) * 0.1f, 230.0f + static_cast<float>(i % 1000) * 0.0137f - 6.85f);
    d.MesBeg = QStringLiteral("08.12.2026 10:00:00");
    d.MesEnd = QStringLiteral("09.12.2026 13:46:40");
    return d;
  }();
  return daten;
}

pv::ExportOptionen optionen(int16_t xCode, QChar dezimal) {
  pv::ExportOptionen o;
  o.bereich = {1, kWerte, 1};
  o.trennzeichen = QStringLiteral("\t");
  o.dezimalzeichen = dezimal;
  o.systemDezimalzeichen = u',';
  o.xCode = xCode;
  o.xNachkommastellen = 1;
  o.yCode = 0;
  o.yNachkommastellen = 3;
  return o;
}

const pv::Messbeschreibung kBeschreibung{QStringLiteral("Netzspannung"), QStringLiteral("Spannung"),
                                         QStringLiteral("U"), QStringLiteral("V"), QStringLiteral("Dauerlauf")};

// Building the file's bytes; x in seconds (code 10) or as hh:mm:ss (15),
// with the system's decimal sign or the other one.
void BM_ExportText(benchmark::State& state) {
  const pv::ExportOptionen o = optionen(static_cast<int16_t>(state.range(0)), state.range(1) ? u'.' : u',');
  const pv::Messdaten& d = messung();
  int64_t bytes = 0;
  for (auto _ : state) {
    const QByteArray text = pv::exportText(d, kBeschreibung, o);
    bytes += text.size();
    benchmark::DoNotOptimize(text.constData());
  }
  state.SetItemsProcessed(state.iterations() * kWerte);
  state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_ExportText)->ArgNames({"xcode", "punkt"})->Args({10, 0})->Args({10, 1})->Args({15, 0})
    ->Unit(benchmark::kMillisecond);

// The whole export as the dialog runs it: bytes built, file written.
void BM_ExportDatei(benchmark::State& state) {
  QTemporaryDir ordner;
  const QString pfad = ordner.filePath(QStringLiteral("export.txt"));
  const pv::ExportOptionen o = optionen(10, u',');
  const pv::Messdaten& d = messung();
  for (auto _ : state) {
    const bool ok = pv::dateiErsetzen(pfad, pv::exportText(d, kBeschreibung, o));
    if (!ok) state.SkipWithError("the file could not be written");
  }
  state.SetItemsProcessed(state.iterations() * kWerte);
}
BENCHMARK(BM_ExportDatei)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
