#include "auswertung.h"

#include "acquisition/modelle.h"

#include <QVarLengthArray>
#include <algorithm>
#include <cmath>
#include <limits>

#include "acquisition/ansichten.h"
#include "acquisition/groessenordnung.h"
#include "acquisition/sensorinterpolation.h"
#include "common/cp1252.h"
#include "common/laufzeitfehler.h"
#include "common/tolvek.h"
#include "common/zahlen.h"
#include "common/zahlenformat.h"

namespace pv {

namespace {

using Puffer = QVarLengthArray<char, 64>;

QString text1252(const Puffer& p) { return vonCp1252(p.data(), p.size()); }

// Blanks at both ends cut off (spaces only).
QByteArrayView ohneBlanks(QByteArrayView t) {
  qsizetype a = 0;
  qsizetype e = t.size();
  while (a < e && t[a] == ' ') ++a;
  while (e > a && t[e - 1] == ' ') --e;
  return t.sliced(a, e - a);
}

// The value text as a number. The sign of a sign position may stand apart
// from a right-aligned value field ("-  0,5"). Empty when it is no number or
// lies beyond single precision.
std::optional<float> wertLesen(const Puffer& wert, QChar dezimal) {
  Puffer t;
  const QByteArrayView roh(wert.data(), wert.size());
  // Leading white space as the number reader trims it, then the sign.
  auto leer = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\xA0'; };
  qsizetype i = 0;
  while (i < roh.size() && leer(roh[i])) ++i;
  if (i < roh.size() && (roh[i] == '-' || roh[i] == '+')) {
    t.append(roh[i++]);
    while (i < roh.size() && roh[i] == ' ') ++i;
  }
  t.append(roh.data() + i, roh.size() - i);
  const std::optional<double> zahl = zahlLesen(QByteArrayView(t.data(), t.size()), dezimal);
  if (!zahl) return std::nullopt;
  return alsSingle(*zahl);
}

char getauscht(char c, char dezimal) {
  if (c == '.' && dezimal == ',') return ',';
  if (c == ',' && dezimal == '.') return '.';
  return c;
}

}  // namespace

QString verarbeitungsfehlerText(int nummer) {
  return QStringLiteral("!!! Fehler (") + QString::number(nummer) + QStringLiteral(") in der Datenverarbeitung !!!");
}

bool IstZahlzeichen(char c) { return (c >= '0' && c <= '9') || c == ',' || c == '.'; }

ZerlegterDatensatz DatensatzZerlegen(QByteArrayView datensatz, int16_t lzAscii) {
  ZerlegterDatensatz z;
  constexpr qsizetype kGrenze = std::numeric_limits<int16_t>::max();
  if (datensatz.size() > kGrenze) {
    z.datensatz = kFEHLER.toByteArray();
    return z;
  }
  Puffer vorne;
  Puffer zahl;
  Puffer hinten;
  bool minus = false;
  for (const char c : datensatz) {
    if (c == '\r' || c == '\n') break;
    if (c == '-' && zahl.isEmpty()) {
      minus = true;
    } else if (IstZahlzeichen(c)) {
      zahl.append(c);
    } else if (!zahl.isEmpty()) {
      hinten.append(c);
    } else {
      vorne.append(c);
    }
  }
  const QByteArrayView einheit1 = ohneBlanks(QByteArrayView(vorne.data(), vorne.size()));
  const QByteArrayView einheit2 = ohneBlanks(QByteArrayView(hinten.data(), hinten.size()));
  const qsizetype zahlLaenge = zahl.size() + (minus ? 1 : 0);
  const qsizetype laenge = einheit1.size() + zahlLaenge + einheit2.size() + 1;
  if (laenge > kGrenze) {
    z.datensatz = kFEHLER.toByteArray();
    return z;
  }
  QByteArray& d = z.datensatz;
  d.reserve(laenge);
  d.append(einheit1);
  if (minus) d.append('-');
  d.append(zahl.data(), zahl.size());
  d.append(einheit2);
  d.append(abschlusszeichen(lzAscii));

  Datensatzlayout& l = z.layout;
  l.Einheit1Pos = einheit1.isEmpty() ? std::array<int16_t, 2>{0, 0}
                                     : std::array<int16_t, 2>{1, static_cast<int16_t>(einheit1.size())};
  l.Messwertbeginn = static_cast<int16_t>(l.Einheit1Pos[1] + 1);
  l.Messwertende = static_cast<int16_t>(l.Messwertbeginn + zahlLaenge - 1);
  l.Einheit2Pos = einheit2.isEmpty()
                      ? std::array<int16_t, 2>{0, 0}
                      : std::array<int16_t, 2>{static_cast<int16_t>(l.Messwertende + 1),
                                               static_cast<int16_t>(l.Messwertende + einheit2.size())};
  l.Vorzeichenstelle = 0;
  l.DatensatzLaenge = static_cast<int16_t>(laenge);
  return z;
}

std::optional<int16_t> MessbereichErkennen(const Erfassungszustand& g, const QString& einheit1,
                                           const QString& einheit2, QChar positionsZeichen) {
  if (!g.MessbereichAutomatisch) return std::nullopt;
  QChar zeichen;  // null: no range character
  const auto ersterNachBlanks = [](const QString& t) {
    for (const QChar c : t) {
      if (c != u' ') return c;
    }
    return QChar();
  };
  switch (g.MessbereichErkennung) {
    case 1: zeichen = ersterNachBlanks(einheit1); break;
    case 2: zeichen = ersterNachBlanks(einheit2); break;
    case 3: zeichen = positionsZeichen == u' ' ? QChar() : positionsZeichen; break;
    default: break;
  }
  // No range character: the value carries no prefix. It must not match a
  // range whose character the device leaves empty.
  if (zeichen.isNull()) return int16_t{6};
  for (size_t i = 0; i < g.MessbereichZeichen.size(); ++i) {
    const QString& z = g.MessbereichZeichen[i];
    if (z.size() == 1 && z.at(0) == zeichen) return static_cast<int16_t>(i);
  }
  if (spezialBeginnt(g.Spezial, u"APPA107") && zeichen == u'G') return int16_t{7};
  return int16_t{6};
}

std::optional<double> skalaBasis(const Erfassungszustand& g) {
  switch (g.Geraeteart) {
    case 0: return 19990.0;
    case 1: return 39990.0;
    case 2: return 199990.0;
    case 3: return 399990.0;
    case 4:
    case 5: return static_cast<double>(g.SkalaMaximumGeraet);
    default: return std::nullopt;
  }
}

// --- Level bar ---

float Pegelanzeige::zeichenwert() const { return std::min(pegel, 100.0f); }

QString Pegelanzeige::pegelText() const { return singleText(pegel, dezimal); }

QString Pegelanzeige::beschriftung() const {
  switch (modus) {
    case 2: return singleText(geraetewert, dezimal) + QStringLiteral(" / ") + singleText(skalaMaximum, dezimal);
    case 3:
      return Tolvek::zahlFormatieren(zeichenwert(), 0, 1, dezimal, QDateTime()).text + QStringLiteral(" %");
    default: return QString();
  }
}

// --- Result ---

bool Auswertungsergebnis::debugZeile() const {
  return ausgang == Auswertungsausgang::Leer || ausgang == Auswertungsausgang::KeinMesswert ||
         ausgang == Auswertungsausgang::Sensorfehler || ausgang == Auswertungsausgang::Messwert;
}

QString Auswertungsergebnis::debugMitte(QChar dez) const {
  QString text;
  if (umgeschrieben) text += QStringLiteral("Dta$(1)'") + vonCp1252(*umgeschrieben) + QStringLiteral("'\t");
  if (felderGeschnitten) {
    text += QStringLiteral("E1:'") + einheit1 + QStringLiteral("'\tE2:'") + einheit2 + QStringLiteral("'\tMWStr:'") +
            messwertText + QStringLiteral("'\t");
  }
  if (geraetewert) text += QStringLiteral("MW_MG:'") + singleText(*geraetewert, dez) + QStringLiteral("'\t");
  return text;
}

QString Auswertungsergebnis::statustext() const {
  if (!meldung.isEmpty()) return meldung;
  return angenommen ? kDatenWerdenEmpfangen : QString();
}

Anzeigetexte Auswertungsergebnis::geraeteanzeige() const {
  if (ausgang == Auswertungsausgang::KeinMesswert) return {kKeinWert, QString(), QString()};
  return {messwertText, einheit1, einheit2};
}

Anzeigetexte Auswertungsergebnis::verarbeitetAnzeige() const {
  if (ausgang == Auswertungsausgang::KeinMesswert) return {kKeinWert, QString(), QString()};
  return {anzeigetext, QString(), vorsatz + einheit};
}

Anzeigetexte Auswertungsergebnis::hauptanzeige() const {
  return anzeigeMessgeraet ? geraeteanzeige() : verarbeitetAnzeige();
}

// --- The evaluation ---

namespace {

void verarbeitungsfehler(Auswertungsergebnis& r, int nummer) {
  r.ausgang = Auswertungsausgang::Verarbeitungsfehler;
  r.fehlernummer = nummer;
  r.meldung = verarbeitungsfehlerText(nummer);
}

// The model decoder or the automatic format rewrites the record of a device
// without field positions; then the record is checked. False: the
// evaluation ends with `r` as it stands.
bool satzPruefen(QByteArray& satz, const Erfassungszustand& g, Auswertungsergebnis& r) {
  r.layout = geraeteLayout(g);
  if (g.AutoFormat) {
    std::optional<Modelldatensatz> modell;
    try {
      modell = modellDekodieren(satz, g);
    } catch (const std::exception&) {
      verarbeitungsfehler(r, Laufzeitfehler::kInternerFehler);
      return false;
    }
    if (modell) {
      satz = std::move(modell->datensatz);
      r.layout = modell->layout;
      r.modelldecoder = true;
    } else {
      ZerlegterDatensatz z = DatensatzZerlegen(satz, g.LZAscii);
      satz = std::move(z.datensatz);
      if (satz != kFEHLER) r.layout = z.layout;
    }
    r.umgeschrieben = satz;
  }
  r.ausgang = Auswertungsausgang::Abgewiesen;
  if (satz.contains(kFEHLER)) {
    r.meldung = kDatensatzNichtAuswertbar;
  } else if (satz.size() != r.layout.DatensatzLaenge) {
    r.meldung = kDatensatzlaengeFalsch;
  } else if (static_cast<unsigned char>(satz.back()) != g.LZAscii) {
    r.meldung = kAbschlusszeichenFalsch;
  } else {
    return true;
  }
  return false;
}

// The value field as cut: sign and value characters, the decimal mark
// swapped to the system's, and the record position of the mark.
struct Wertfeld {
  Puffer zeichen;
  int kommaPosition = 0;
  bool exponent = false;
};

// Cuts the unit fields and the value field by the layout. Element 0 of the
// record is the empty text; a position outside the record is a run-time
// error (false).
bool felderSchneiden(const QByteArray& satz, char dezimal, Auswertungsergebnis& r, Wertfeld& w) {
  const Datensatzlayout& l = r.layout;
  const char* daten = satz.constData();
  const int laenge = static_cast<int>(satz.size());
  const auto feld = [&](const std::array<int16_t, 2>& pos, Puffer& ziel) {
    for (int i = pos[0]; i <= pos[1]; ++i) {
      if (i == 0) continue;
      if (i < 0 || i > laenge) return false;
      ziel.append(daten[i - 1]);
    }
    return true;
  };
  Puffer einheit1;
  Puffer einheit2;
  if (!feld(l.Einheit1Pos, einheit1) || !feld(l.Einheit2Pos, einheit2)) return false;
  r.einheit1 = text1252(einheit1);
  r.einheit2 = text1252(einheit2);

  w.kommaPosition = l.Messwertende;
  if (l.Vorzeichenstelle > 0) {
    if (l.Vorzeichenstelle > laenge) return false;
    w.zeichen.append(daten[l.Vorzeichenstelle - 1]);
  }
  for (int i = l.Messwertbeginn; i <= l.Messwertende; ++i) {
    if (i == 0) continue;
    if (i < 0 || i > laenge) {
      r.messwertText = text1252(w.zeichen);
      return false;
    }
    const char c = getauscht(daten[i - 1], dezimal);
    if (c == dezimal) w.kommaPosition = i;
    w.zeichen.append(c);
  }
  w.exponent = std::any_of(w.zeichen.begin(), w.zeichen.end(), [](char c) { return c == 'E' || c == 'e'; });
  if (w.exponent) w.kommaPosition = l.Messwertende + 1;
  r.messwertText = text1252(w.zeichen);
  r.felderGeschnitten = true;
  return true;
}

// The character at the range recognition's position (the value field's
// decimal mark swapped), null when the position lies outside the record.
QChar positionsZeichen(const QByteArray& satz, const Erfassungszustand& g, const Datensatzlayout& l, char dezimal) {
  if (!g.MessbereichAutomatisch || g.MessbereichErkennung != 3) return {};
  const int p = g.MessbereichZeichenposition;
  if (p < 1 || p > satz.size()) return {};
  char c = satz[p - 1];
  if (p >= l.Messwertbeginn && p <= l.Messwertende) c = getauscht(c, dezimal);
  return cp1252Zeichen(c);
}

// The processed value. The factor is a single-precision value; an overflow
// beyond single precision is a run-time error, never a value shown as
// infinite. None after a run-time error or a sensor failure (`r` says which).
std::optional<float> verarbeiten(float v, const Erfassungsmodul& modul, const Auswertungseinstellungen& e,
                                 const std::function<QString(float)>& sensor, Auswertungsergebnis& r) {
  const double faktor = static_cast<float>(modul.Faktor);
  const auto skaliert = alsSingle(static_cast<double>(v) * faktor);
  const auto ueberlauf = [&r] {
    verarbeitungsfehler(r, Laufzeitfehler::kUeberlauf);
    return std::nullopt;
  };
  switch (e.Verarbeitung) {
    case Messwertverarbeitung::Messgeraet:
      if (!skaliert) return ueberlauf();
      return *skaliert;
    case Messwertverarbeitung::Linear: {
      const auto linear = alsSingle(static_cast<double>(v) * faktor * static_cast<double>(e.LinearM) +
                                    static_cast<double>(e.LinearT));
      if (!linear) return ueberlauf();
      return *linear;
    }
    case Messwertverarbeitung::Sensor: {
      if (!skaliert) return ueberlauf();
      const QString antwort = sensor ? sensor(*skaliert) : kSensorFehler;
      if (antwort == kSensorUnterhalb) {
        r.meldung = kSensorUnterschritten;
      } else if (antwort == kSensorOberhalb) {
        r.meldung = kSensorUeberschritten;
      } else if (antwort == kSensorFehler) {
        r.meldung = kSensorNichtAuswertbar;
      } else {
        const auto zahl = zahlLesen(antwort, e.Dezimaltrennzeichen);
        if (!zahl) {
          verarbeitungsfehler(r, Laufzeitfehler::kTypenUnvertraeglich);
          return std::nullopt;
        }
        const auto einfach = alsSingle(*zahl);
        if (!einfach) return ueberlauf();
        return *einfach;
      }
      r.ausgang = Auswertungsausgang::Sensorfehler;
      r.anzeigetext = kKeinWert;
      r.vorsatz = Tolvek::zustand().Einheitenvorsatz;
      return std::nullopt;
    }
    case Messwertverarbeitung::Keine: break;
  }
  return 0.0f;
}

// The limits and the processed value's text.
void grenzenPruefen(float p, const Auswertungseinstellungen& e, Auswertungsergebnis& r) {
  Tolvek::Zustand& tolvek = Tolvek::zustand();
  int grenze = 0;  // -1 below CheckMin, 1 above CheckMax
  if (e.CheckMinON == 1 && !(p >= e.CheckMin)) {
    r.meldung = kWertebereichUnterschritten;
    grenze = -1;
  }
  if (e.CheckMaxON == 1 && p > e.CheckMax) {
    r.meldung = kWertebereichUeberschritten;
    grenze = 1;
  }
  if (grenze == -1) {
    r.anzeigetext = kUnterMinimum;
  } else if (grenze == 1) {
    r.anzeigetext = kUeberMaximum;
  } else {
    Tolvek::Formatiert f = Tolvek::zahlFormatieren(p, e.YZahlenformatnummer, e.YNachkommastellen,
                                                   e.Dezimaltrennzeichen, tolvek.MessStartDatumZeit);
    r.anzeigetext = std::move(f.text);
    tolvek.Einheitenvorsatz = std::move(f.vorsatz);
  }
  // The prefix the last formatting left, also when this text was not formatted.
  r.vorsatz = tolvek.Einheitenvorsatz;
}

}  // namespace

Auswertungsergebnis Auswertung::auswerten(const QByteArray& eingang, const Erfassungszustand& g,
                                          Erfassungsmodul& modul, const Auswertungseinstellungen& e) {
  Auswertungsergebnis r;
  r.anzeigeMessgeraet = e.AnzeigeMessgeraet;
  r.einheit = e.Einheit;
  r.pegel.modus = e.BarGraphAktiviert;
  r.pegel.dezimal = e.Dezimaltrennzeichen;
  if (eingang.isEmpty()) return r;

  QByteArray satz = eingang;
  if (!satzPruefen(satz, g, r)) return r;
  r.angenommen = true;
  r.wachhundNeuStarten = g.GeraetAktiv && e.TimeOutON == 1;
  r.datenlinieAnimieren = e.DatenlinieAnimation;

  const char dezimal = e.Dezimaltrennzeichen == u'.' ? '.' : ',';
  Wertfeld w;
  if (!felderSchneiden(satz, dezimal, r, w)) {
    verarbeitungsfehler(r, Laufzeitfehler::kIndexAusserhalb);  // a field position outside the record
    return r;
  }
  const Datensatzlayout& l = r.layout;
  int kommaPosition = w.kommaPosition;

  // Conversion.
  const std::optional<float> geraetewert = wertLesen(w.zeichen, e.Dezimaltrennzeichen);
  if (!geraetewert) {
    r.ausgang = Auswertungsausgang::KeinMesswert;
    r.meldung = kKeinAuswertbarerMesswert;
    if (SkalaMaximum > 0 && e.BarGraphAktiviert >= 1) r.pegel.art = Pegelanzeige::Art::Achtung;
    return r;
  }
  const float v = *geraetewert;
  r.geraetewert = v;

  // For this meter family the full scale counts from the separator of the
  // value as written back as text (leading zeros of its field do not count).
  // The text carries the system's separator, so that is the one looked for.
  if (spezialBeginnt(g.Spezial, u"SANWAPC5x0")) {
    const qsizetype k = singleText(v, e.Dezimaltrennzeichen).indexOf(e.Dezimaltrennzeichen) + 1;
    if (k > 0) kommaPosition = w.exponent ? l.Messwertbeginn + k + 2 : l.Messwertbeginn + k - 1;
  }

  // Range recognition and full scale.
  if (const auto bereich =
          MessbereichErkennen(g, r.einheit1, r.einheit2, positionsZeichen(satz, g, l, dezimal));
      bereich && *bereich != modul.Messbereich) {
    modul.Messbereich = *bereich;
    if (const auto gr = groessenordnung(*bereich)) modul.Faktor = gr->faktor;
    r.messbereich = *bereich;
  }
  if (const auto basis = skalaBasis(g)) {
    const int stellen = l.Messwertende + 1 - kommaPosition;
    SkalaMaximum = static_cast<float>(*basis / std::pow(10.0, stellen));
  }

  const std::optional<float> p = verarbeiten(v, modul, e, sensor, r);
  if (!p) return r;
  r.verarbeitet = *p;
  grenzenPruefen(*p, e, r);
  r.ausgang = Auswertungsausgang::Messwert;

  // Level bar: the device value against the full scale.
  r.pegel.geraetewert = v;
  r.pegel.skalaMaximum = SkalaMaximum;
  if (SkalaMaximum > 0 && e.BarGraphAktiviert >= 1) {
    const double pegel = std::abs(static_cast<double>(v) / SkalaMaximum * 100.0);
    r.pegel.pegel = static_cast<float>(std::min(pegel, static_cast<double>(std::numeric_limits<float>::max())));
    r.pegel.art = Pegelanzeige::Art::Zeigen;
  } else {
    r.pegel.art = Pegelanzeige::Art::Zuruecksetzen;
  }
  return r;
}

// --- Applying the result ---

namespace {

void pegelAnwenden(const Pegelanzeige& p, Messwertanzeige& fenster) {
  switch (p.art) {
    case Pegelanzeige::Art::Unveraendert: return;
    case Pegelanzeige::Art::Zeigen: {
      if (fenster.PegelTag() != p.pegelText()) fenster.PegelZeigen(p.zeichenwert());
      const QString beschriftung = p.beschriftung();
      if (fenster.PegelBeschriftung() != beschriftung) fenster.PegelBeschriftungSetzen(beschriftung);
      return;
    }
    case Pegelanzeige::Art::Zuruecksetzen: {
      // The tag holds the last level as written, with the system's separator.
      const QString tag = fenster.PegelTag();
      const auto zahl = zahlLesen(tag, p.dezimal);
      if ((zahl ? *zahl : val(tag)) != 0) fenster.PegelZeigen(0);
      if (!fenster.PegelBeschriftung().isEmpty()) fenster.PegelBeschriftungSetzen(QString());
      return;
    }
    case Pegelanzeige::Art::Achtung:
      fenster.PegelZeigen(100);
      fenster.PegelBeschriftungSetzen(kPegelAchtung);
      return;
  }
}

}  // namespace

void ergebnisAnzeigen(const Auswertungsergebnis& r, Messwertanzeige& fenster, const Ansichten& ansichten) {
  if (r.ausgang == Auswertungsausgang::Leer) return;
  if (r.ausgang == Auswertungsausgang::Abgewiesen) {
    fenster.StatusSetzen(r.meldung);
    return;
  }
  if (r.angenommen) {
    fenster.StatusSetzen(kDatenWerdenEmpfangen);
    fenster.DatensatzAngenommen(r.wachhundNeuStarten, r.datenlinieAnimieren);
  }
  if (r.messbereich) fenster.MessbereichAnzeigen(*r.messbereich);

  if (r.ausgang == Auswertungsausgang::Verarbeitungsfehler) {
    fenster.StatusSetzen(r.meldung);
    fenster.MesswerttextSetzen(r.messwertText);
    return;
  }
  if (r.ausgang == Auswertungsausgang::KeinMesswert) {
    // The graph window keeps its labels.
    fenster.MesswertAnzeigen(kKeinWert, QString(), QString());
    fenster.StatusSetzen(r.meldung);
    if (GrossanzeigeAnsicht* gross = ansichten.offeneGrossanzeige())
      gross->MesswertAnzeigen(kKeinWert, QString(), QString());
    pegelAnwenden(r.pegel, fenster);
    return;
  }

  if (!r.meldung.isEmpty()) fenster.StatusSetzen(r.meldung);
  const Anzeigetexte haupt = r.hauptanzeige();
  fenster.MesswertAnzeigen(haupt.wert, haupt.einheit1, haupt.einheit2);
  if (GrafikAnsicht* grafik = ansichten.offeneGrafik())
    grafik->MesswertAnzeigen(haupt.wert, haupt.einheit1, haupt.einheit2);
  if (GrossanzeigeAnsicht* gross = ansichten.offeneGrossanzeige()) {
    const Anzeigetexte t = gross->MessgeraetGewaehlt() ? r.geraeteanzeige() : r.verarbeitetAnzeige();
    gross->MesswertAnzeigen(t.wert, t.einheit1, t.einheit2);
  }
  pegelAnwenden(r.pegel, fenster);
}

}  // namespace pv
