// Measurement files of a long recording (1,000,000 values): the cost of
// every intermediate save and of opening such a file, and of the memory
// check an opening makes.
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdint>

#include "common/speichergrenze.h"
#include "main/messdatei.h"

namespace {

constexpr int32_t kAnzahl = 1'000'000;

pv::Messdaten langeMessung() {
  pv::Messdaten d;
  d.x.reserve(kAnzahl + 1);
  d.y.reserve(kAnzahl + 1);
  for (int32_t i = 1; i <= kAnzahl; ++i) d.anhaengen(0.5f * i, 230.0f + 0.001f * (i % 1000));
  d.MesBeg = QStringLiteral("05.03.2004 14:07:09");
  d.MesEnd = QStringLiteral("11.03.2004 04:53:49");
  return d;
}

const pv::Messtexte kTexte{QStringLiteral("Netzspannung"), QStringLiteral("Spannung"), QStringLiteral("U"),
                           QStringLiteral("V"), QStringLiteral("Langzeitmessung\nüber sechs Tage")};
const QString kInfo = QStringLiteral("Daten des Messgerätes");

void setzeDurchsatz(benchmark::State& state, qint64 bytes) {
  state.SetItemsProcessed(state.iterations() * kAnzahl);
  state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_MessdateiBytes(benchmark::State& state) {
  const pv::Messdaten d = langeMessung();
  qint64 groesse = 0;
  for (auto _ : state) {
    auto b = pv::messdateiBytes(d, kTexte, kInfo);
    groesse = b->size();
    benchmark::DoNotOptimize(b);
  }
  setzeDurchsatz(state, groesse);
}
BENCHMARK(BM_MessdateiBytes)->Unit(benchmark::kMillisecond);

void BM_MessdateiAuswerten(benchmark::State& state) {
  const QByteArray bytes = *pv::messdateiBytes(langeMessung(), kTexte, kInfo);
  for (auto _ : state) {
    pv::Leseergebnis e = pv::messdateiAuswerten(bytes);
    if (!e.gelesen()) {
      state.SkipWithError("not read");
      break;
    }
    benchmark::DoNotOptimize(e);
  }
  setzeDurchsatz(state, bytes.size());
}
BENCHMARK(BM_MessdateiAuswerten)->Unit(benchmark::kMillisecond);

// With the disk: the atomic replacement and the whole read from a file.
void BM_MessungSpeichern(benchmark::State& state) {
  const pv::Messdaten d = langeMessung();
  QTemporaryDir ordner;
  const QString pfad = QDir(ordner.path()).filePath(QStringLiteral("lang.MES"));
  for (auto _ : state) {
    if (!pv::MessungSpeichern(pfad, d, kTexte, kInfo)) {
      state.SkipWithError("not written");
      break;
    }
  }
  setzeDurchsatz(state, QFileInfo(pfad).size());
}
BENCHMARK(BM_MessungSpeichern)->Unit(benchmark::kMillisecond);

void BM_MessdateiLesen(benchmark::State& state) {
  QTemporaryDir ordner;
  const QString pfad = QDir(ordner.path()).filePath(QStringLiteral("lang.MES"));
  if (!pv::MessungSpeichern(pfad, langeMessung(), kTexte, kInfo)) {
    state.SkipWithError("not written");
    return;
  }
  for (auto _ : state) {
    pv::Leseergebnis e = pv::messdateiLesen(pfad, false);
    if (!e.gelesen()) {
      state.SkipWithError("not read");
      break;
    }
    benchmark::DoNotOptimize(e);
  }
  setzeDurchsatz(state, QFileInfo(pfad).size());
}
BENCHMARK(BM_MessdateiLesen)->Unit(benchmark::kMillisecond);

// The memory check of every opening: the system's files read each time,
// against the bound learnt once, for the need of 1,000,000 values.
void BM_SpeichergrenzeJedesMal(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(pv::nutzbarerSpeicher());
}
BENCHMARK(BM_SpeichergrenzeJedesMal)->Unit(benchmark::kMicrosecond);

void BM_SpeichergrenzeGelernt(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(pv::nutzbarerSpeicherFuer(uint64_t(kAnzahl + 1) * 16));
}
BENCHMARK(BM_SpeichergrenzeGelernt)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
