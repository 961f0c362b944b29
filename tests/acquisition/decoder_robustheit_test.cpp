// Arbitrary bytes - line noise, records cut in the wrong place - never crash
// a decoder or make it read outside the record; each answer is "FEHLER" or
// a record ended by its terminator. Built with PELVARON_ASAN, the same run
// checks every access.
#include <gtest/gtest.h>

#include <QByteArray>
#include <random>

#include "acquisition/modelle.h"

namespace {

bool zulaessig(const QByteArray& r, char ende, qsizetype hoechstens) {
  return r == pv::kFEHLER || (!r.isEmpty() && r.size() <= hoechstens && r.back() == ende);
}

TEST(DecoderRobustheit, RandomBytesOfEveryLength) {
  std::mt19937 zufall(20261208u);
  std::uniform_int_distribution<int> byte(0, 255);
  const auto modelle = pv::modelle();

  for (int i = 0; i < 100000; ++i) {
    QByteArray satz(i % 65, '\0');
    for (char& c : satz) c = static_cast<char>(byte(zufall));
    // Every other frame begins like a "UU" frame, to get past that first test.
    if (satz.size() >= 2 && (i & 1)) satz.replace(0, 2, "UU");
    const auto lz = static_cast<int16_t>(byte(zufall));

    for (const pv::Modelleintrag& m : modelle) {
      const QByteArray r = m.decoder(satz, lz);
      const bool zaehler = m.kennung == u"SKINTALK";
      ASSERT_TRUE(zulaessig(r, zaehler ? pv::kSkintalkAbschluss : pv::abschlusszeichen(lz), zaehler ? 7 : 17))
          << m.kennung.toString().toStdString() << " on " << satz.toHex(' ').toStdString() << " gave "
          << r.toHex(' ').toStdString();
    }

    pv::Erfassungszustand z;
    z.AutoFormat = true;
    z.LZAscii = lz;
    const auto wahl = static_cast<std::size_t>(byte(zufall)) % (modelle.size() + 1);
    if (wahl < modelle.size()) z.Spezial = modelle[wahl].kennung.toString();
    const auto e = pv::modellDekodieren(satz, z);
    ASSERT_TRUE(!e || e->datensatz == pv::kFEHLER || e->datensatz.size() <= e->layout.DatensatzLaenge);
  }
}

}  // namespace
