#include "modelle.h"

#include <array>

#include "acquisition/funktionsdecoder.h"
#include "acquisition/segmentdecoder.h"

namespace pv {

namespace {

constexpr std::array<Modelleintrag, 7> kModelle{{
    {u"VC608", Modell::VC608, &VC608Auswerten},
    {u"VC820", Modell::VC820, &VC820Auswerten},
    {u"DT4000ZC", Modell::DT4000ZC, &DT4000ZCAuswerten},
    {u"M980T", Modell::M980T, &M980TAuswerten},
    {u"APPA107", Modell::APPA107, &APPA107Auswerten},
    {u"SKINTALK", Modell::SKINTALK, &SKINTALKAuswerten},
    {u"VC960", Modell::VC960, &VC960Auswerten},
}};

Modellergebnis dispatch(const QByteArray& datensatz, QStringView spezial, bool autoFormat,
                        int16_t lzAscii, const Datensatzlayout& eigenes,
                        const Formaterkennung& erkennen) {
  Modellergebnis e{datensatz, eigenes};
  if (datensatz.isEmpty() || !autoFormat) return e;
  if (const Modelleintrag* m = modellZuKennung(spezial)) {
    e.modell = m->modell;
    e.datensatz = m->decoder(datensatz, lzAscii);
    e.layout = modellLayout(m->modell, e.datensatz);
    return e;
  }
  e.formaterkennung = true;
  if (erkennen) e.datensatz = erkennen(datensatz, e.layout);
  return e;
}

}  // namespace

std::span<const Modelleintrag> modelle() { return kModelle; }

const Modelleintrag* modellZuKennung(QStringView spezial) {
  for (const Modelleintrag& m : kModelle) {
    if (spezial.startsWith(m.kennung, Qt::CaseSensitive)) return &m;
  }
  return nullptr;
}

QByteArray SKINTALKAuswerten(QByteArrayView satz, int16_t) {
  if (satz.size() < 3) return kFEHLER.toByteArray();
  const int a = static_cast<uint8_t>(satz[1]) - 128;
  const int b = static_cast<uint8_t>(satz[2]) - 128;
  QByteArray ergebnis = rechtsbuendig(QByteArray::number(b * 128 + a), 5);
  ergebnis += kSkintalkAbschluss;
  return ergebnis;
}

Datensatzlayout modellLayout(Modell modell, QByteArrayView ergebnis) {
  if (modell != Modell::SKINTALK) return kNormLayout;
  if (ergebnis.size() < 2) return skintalkLayout();
  return skintalkLayout(static_cast<int16_t>(ergebnis.size() - 1));
}

Datensatzlayout geraeteLayout(const Erfassungszustand& z) {
  return {z.Einheit1Pos, z.Vorzeichenstelle, z.Messwertbeginn, z.Messwertende, z.Einheit2Pos,
          z.Datenstringlaenge};
}

Datensatzlayout geraeteLayout(const Geraetedefinition& def) {
  return {{def.Einheit1_0Pub, def.Einheit1_1Pub},
          def.VorzeichenStellePub,
          def.DatenAnfangPub,
          def.DatenEndePub,
          {def.Einheit2_0Pub, def.Einheit2_1Pub},
          def.DatenstringLaengePub};
}

Modellergebnis ModellDispatch(const QByteArray& datensatz, const Erfassungszustand& z,
                              const Formaterkennung& erkennen) {
  return dispatch(datensatz, z.Spezial, z.AutoFormat, z.LZAscii, geraeteLayout(z), erkennen);
}

Modellergebnis ModellDispatch(const QByteArray& datensatz, const Geraetedefinition& def,
                              const Formaterkennung& erkennen) {
  return dispatch(datensatz, def.SpezialPub, def.autoFormat(), def.LZAsciiPub, geraeteLayout(def),
                  erkennen);
}

}  // namespace pv
