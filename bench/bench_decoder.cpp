// Model decoders: records decoded per second. A meter sends a few records a
// second, so this is the headroom left for noise bursts and slow machines.
#include <QByteArray>
#include <benchmark/benchmark.h>

#include "acquisition/funktionsdecoder.h"
#include "acquisition/modelle.h"
#include "acquisition/segmentdecoder.h"

namespace {

// "-12.34 mV" DC as the 14 display-segment bytes.
const QByteArray kSegmentSatz("\x14\x28\x35\x45\x5B\x69\x7F\x82\x97\xA0\xB8\xC0\xD4\xE0", 14);

// "UU" frame of 1.234 V DC.
const QByteArray kUUSatz("UU\x00\x0E\x01\x01\x00\x01\xD2\x04\x00\x00\x00\x00\x00\x00\x00\x00\x00", 19);

void BM_VC820Auswerten(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(pv::VC820Auswerten(kSegmentSatz, 13));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_VC820Auswerten);

void BM_APPA107Auswerten(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(pv::APPA107Auswerten(kUUSatz, 13));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_APPA107Auswerten);

// The same record through the tag comparison of the dispatch.
void BM_ModellDekodieren(benchmark::State& state) {
  pv::Erfassungszustand z;
  z.AutoFormat = true;
  z.Spezial = QStringLiteral("APPA107");
  z.LZAscii = 13;
  for (auto _ : state) benchmark::DoNotOptimize(pv::modellDekodieren(kUUSatz, z));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ModellDekodieren);

}  // namespace

BENCHMARK_MAIN();
