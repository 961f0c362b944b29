#include "modelle.h"

#include <array>

#include "acquisition/funktionsdecoder.h"
#include "acquisition/segmentdecoder.h"

namespace pv {

namespace {

Datensatzlayout normLayout(QByteArrayView) { return kNormLayout; }

Datensatzlayout zaehlerLayout(QByteArrayView ergebnis) {
  if (ergebnis.size() < 2) return skintalkLayout();
  return skintalkLayout(static_cast<int16_t>(ergebnis.size() - 1));
}

constexpr std::array<Modelleintrag, 7> kModelle{{
    {u"VC608", &VC608Auswerten, &normLayout},
    {u"VC820", &VC820Auswerten, &normLayout},
    {u"DT4000ZC", &DT4000ZCAuswerten, &normLayout},
    {u"M980T", &M980TAuswerten, &normLayout},
    {u"APPA107", &APPA107Auswerten, &normLayout},
    {u"SKINTALK", &SKINTALKAuswerten, &zaehlerLayout},
    {u"VC960", &VC960Auswerten, &normLayout},
}};

}  // namespace

std::span<const Modelleintrag> modelle() { return kModelle; }

const Modelleintrag* modellZuKennung(QStringView spezial) {
  for (const Modelleintrag& m : kModelle) {
    if (spezialBeginnt(spezial, m.kennung)) return &m;
  }
  return nullptr;
}

std::optional<Modelldatensatz> modellDekodieren(const QByteArray& datensatz, const Erfassungszustand& g) {
  if (datensatz.isEmpty() || !g.AutoFormat) return std::nullopt;
  const Modelleintrag* m = modellZuKennung(g.Spezial);
  if (!m) return std::nullopt;
  Modelldatensatz d{m->decoder(datensatz, g.LZAscii), {}};
  d.layout = m->layout(d.datensatz);
  return d;
}

QByteArray SKINTALKAuswerten(QByteArrayView satz, int16_t) {
  if (satz.size() < 3) return kFEHLER.toByteArray();
  const int a = static_cast<uint8_t>(satz[1]) - 128;
  const int b = static_cast<uint8_t>(satz[2]) - 128;
  QByteArray ergebnis = rechtsbuendig(QByteArray::number(b * 128 + a), 5);
  ergebnis += kSkintalkAbschluss;
  return ergebnis;
}

Datensatzlayout geraeteLayout(const Erfassungszustand& z) {
  return {z.Einheit1Pos, z.Vorzeichenstelle, z.Messwertbeginn, z.Messwertende, z.Einheit2Pos,
          z.Datenstringlaenge};
}

}  // namespace pv
