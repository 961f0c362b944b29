#include "auswertung.h"

#include "acquisition/modelle.h"

#include <QVarLengthArray>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "acquisition/ansichten.h"
#include "acquisition/groessenordnung.h"
#include "common/cp1252.h"
#include "common/laufzeitfehler.h"
#include "common/tolvek.h"
#include "common/zahlen.h"
#include "common/zahlenformat.h"

namespace pv {

namespace {

// Run-time error numbers of the evaluation.
constexpr int kIndexAusserhalb = 9;  // a field position outside the record

using Puffer = QVarLengthArray<char, 64>;

// Windows-1252 byte -> character, built once; the evaluation converts its
// few short texts without going through a QByteArray.
const std::array<char16_t, 256>& zeichentabelle() {
  static const std::array<char16_t, 256> tabelle = [] {
    QByteArray alle(256, '\0');
    for (int i = 0; i < 256; ++i) alle[i] = static_cast<char>(i);
    const QString text = vonCp1252(alle);
    std::array<char16_t, 256> t{};
    for (int i = 0; i < 256; ++i) t[static_cast<size_t>(i)] = text.at(i).unicode();
    return t;
  }();
  return tabelle;
}

QChar zeichen1252(char c) { return QChar(zeichentabelle()[static_cast<unsigned char>(c)]); }

QString text1252(const char* p, qsizetype n) {
  if (n <= 0) return QString();
  const auto& t = zeichentabelle();
  QString s(n, Qt::Uninitialized);
  QChar* ziel = s.data();
  for (qsizetype i = 0; i < n; ++i) ziel[i] = QChar(t[static_cast<unsigned char>(p[i])]);
  return s;
}

QString text1252(const Puffer& p) { return text1252(p.data(), p.size()); }

// Blanks at both ends cut off (spaces only).
QByteArrayView ohneBlanks(QByteArrayView t) {
  qsizetype a = 0;
  qsizetype e = t.size();
  while (a < e && t[a] == ' ') ++a;
  while (e > a && t[e - 1] == ' ') --e;
  return t.sliced(a, e - a);
}

// The value text as a number: blanks around it, a sign (blanks may follow
// it, as in a sign position before a right-aligned value field), digits
// with at most one decimal separator, an optional exponent. Empty when it is
// no such number or lies beyond single precision.
std::optional<float> wertLesen(const char* p, qsizetype n, char dezimal) {
  qsizetype i = 0;
  while (i < n && (p[i] == ' ' || p[i] == '\t')) ++i;
  while (n > i && (p[n - 1] == ' ' || p[n - 1] == '\t')) --n;
  QVarLengthArray<char, 64> puffer;
  if (i < n && (p[i] == '-' || p[i] == '+')) {
    if (p[i] == '-') puffer.append('-');
    ++i;
    while (i < n && p[i] == ' ') ++i;
  }
  // The decimal magnitude of the first significant digit tells an overflow
  // from an underflow when the number lies beyond double precision.
  int ziffern = 0;
  int ganzeStellen = 0;   // significant digits before the separator
  int fuehrendeNullen = 0; // zeros after the separator before the first significant digit
  bool komma = false;
  bool signifikant = false;
  for (; i < n; ++i) {
    const char c = p[i];
    if (c >= '0' && c <= '9') {
      ++ziffern;
      if (c != '0') signifikant = true;
      if (!komma && signifikant) ++ganzeStellen;
      if (komma && !signifikant) ++fuehrendeNullen;
      puffer.append(c);
    } else if (c == dezimal && !komma) {
      komma = true;
      puffer.append('.');
    } else {
      break;
    }
  }
  if (ziffern == 0) return std::nullopt;
  long exponent = 0;
  if (i < n && (p[i] == 'E' || p[i] == 'e')) {
    ++i;
    puffer.append('e');
    bool negativ = false;
    if (i < n && (p[i] == '-' || p[i] == '+')) {
      negativ = p[i] == '-';
      puffer.append(p[i++]);
    }
    int exponentZiffern = 0;
    for (; i < n && p[i] >= '0' && p[i] <= '9'; ++i) {
      puffer.append(p[i]);
      exponent = std::min(exponent * 10 + (p[i] - '0'), 1000000L);
      ++exponentZiffern;
    }
    if (exponentZiffern == 0) return std::nullopt;
    if (negativ) exponent = -exponent;
  }
  if (i != n) return std::nullopt;
  double wert = 0;
  const auto r = std::from_chars(puffer.data(), puffer.data() + puffer.size(), wert);
  if (r.ec == std::errc::result_out_of_range) {
    const long groesse = (ganzeStellen > 0 ? ganzeStellen : -fuehrendeNullen) + exponent;
    if (groesse > 0) return std::nullopt;
    return 0.0f;
  }
  if (r.ec != std::errc() || r.ptr != puffer.data() + puffer.size()) return std::nullopt;
  return alsSingle(wert);
}

char getauscht(char c, char dezimal) {
  if (c == '.' && dezimal == ',') return ',';
  if (c == ',' && dezimal == '.') return '.';
  return c;
}

bool beginntMit(const QString& text, QLatin1StringView anfang, Qt::CaseSensitivity fall = Qt::CaseSensitive) {
  return text.startsWith(anfang, fall);
}

}  // namespace

QString verarbeitungsfehlerText(int nummer) {
  return QStringLiteral("!!! Fehler (") + QString::number(nummer) + QStringLiteral(") in der Datenverarbeitung !!!");
}

std::optional<Modelldatensatz> eingebauteModelle(const QByteArray& datensatz, const Erfassungszustand& geraet) {
  Modellergebnis m = ModellDispatch(datensatz, geraet);
  if (m.modell == Modell::Keins) return std::nullopt;
  return Modelldatensatz{std::move(m.datensatz), m.layout};
}

bool IstZahlzeichen(char c) { return (c >= '0' && c <= '9') || c == ',' || c == '.'; }

ZerlegterDatensatz DatensatzZerlegen(QByteArrayView datensatz, int16_t lzAscii) {
  ZerlegterDatensatz z;
  constexpr qsizetype kGrenze = std::numeric_limits<int16_t>::max();
  if (datensatz.size() > kGrenze) {
    z.datensatz = QByteArrayLiteral("FEHLER");
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
    z.datensatz = QByteArrayLiteral("FEHLER");
    return z;
  }
  QByteArray& d = z.datensatz;
  d.reserve(laenge);
  d.append(einheit1);
  if (minus) d.append('-');
  d.append(zahl.data(), zahl.size());
  d.append(einheit2);
  d.append(static_cast<char>(static_cast<unsigned char>(lzAscii)));

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

bool stueckAuswerten(qsizetype laenge, const Erfassungszustand& g) {
  const bool segmentEnde = beginntMit(g.Spezial, QLatin1StringView("VC820"), Qt::CaseInsensitive) ||
                           beginntMit(g.Spezial, QLatin1StringView("DT4000ZC"), Qt::CaseInsensitive);
  if (!g.AutoFormat) return laenge == g.Datenstringlaenge;
  return !segmentEnde || laenge == kSegmentDatensatzLaenge;
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
  if (beginntMit(g.Spezial, QLatin1StringView("APPA107")) && zeichen == u'G') return int16_t{7};
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

Auswertungsergebnis Auswertung::auswerten(const QByteArray& eingang, const Erfassungszustand& g,
                                          Erfassungsmodul& modul, const Auswertungseinstellungen& e) {
  Auswertungsergebnis r;
  r.anzeigeMessgeraet = e.AnzeigeMessgeraet;
  r.einheit = e.Einheit;
  r.pegel.modus = e.BarGraphAktiviert;
  r.pegel.dezimal = e.Dezimaltrennzeichen;
  if (eingang.isEmpty()) return r;

  const char dezimal = e.Dezimaltrennzeichen == u'.' ? '.' : ',';
  const auto fehler = [&r](int nummer) {
    r.ausgang = Auswertungsausgang::Verarbeitungsfehler;
    r.fehlernummer = nummer;
    r.meldung = verarbeitungsfehlerText(nummer);
    return r;
  };

  // Model decoder or automatic format.
  QByteArray satz = eingang;
  r.layout = geraeteLayout(g);
  if (g.AutoFormat) {
    std::optional<Modelldatensatz> modell;
    try {
      if (modelle) modell = modelle(satz, g);
    } catch (const Laufzeitfehler& f) {
      return fehler(f.nummer());
    } catch (const std::exception&) {
      return fehler(Laufzeitfehler::kInternerFehler);
    }
    if (modell) {
      satz = std::move(modell->datensatz);
      r.layout = modell->layout;
      r.modelldecoder = true;
    } else {
      ZerlegterDatensatz z = DatensatzZerlegen(satz, g.LZAscii);
      satz = std::move(z.datensatz);
      if (satz != "FEHLER") r.layout = z.layout;
    }
    r.umgeschrieben = satz;
  }

  // Checks of the record.
  r.ausgang = Auswertungsausgang::Abgewiesen;
  if (satz.contains("FEHLER")) {
    r.meldung = kDatensatzNichtAuswertbar;
    return r;
  }
  if (satz.size() != r.layout.DatensatzLaenge) {
    r.meldung = kDatensatzlaengeFalsch;
    return r;
  }
  if (static_cast<unsigned char>(satz.back()) != g.LZAscii) {
    r.meldung = kAbschlusszeichenFalsch;
    return r;
  }
  r.angenommen = true;
  r.wachhundNeuStarten = g.GeraetAktiv && e.TimeOutON == 1;
  r.datenlinieAnimieren = e.DatenlinieAnimation;

  // Cutting the fields. Element 0 of the record is the empty text; a position
  // outside the record is a run-time error.
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
  if (!feld(l.Einheit1Pos, einheit1) || !feld(l.Einheit2Pos, einheit2)) return fehler(kIndexAusserhalb);
  r.einheit1 = text1252(einheit1);
  r.einheit2 = text1252(einheit2);

  Puffer wert;
  int kommaPosition = l.Messwertende;
  if (l.Vorzeichenstelle > 0) {
    if (l.Vorzeichenstelle > laenge) return fehler(kIndexAusserhalb);
    wert.append(daten[l.Vorzeichenstelle - 1]);
  }
  for (int i = l.Messwertbeginn; i <= l.Messwertende; ++i) {
    if (i == 0) continue;
    if (i < 0 || i > laenge) {
      r.messwertText = text1252(wert);
      return fehler(kIndexAusserhalb);
    }
    const char c = getauscht(daten[i - 1], dezimal);
    if (c == dezimal) kommaPosition = i;
    wert.append(c);
  }
  const bool exponent = std::any_of(wert.begin(), wert.end(), [](char c) { return c == 'E' || c == 'e'; });
  if (exponent) kommaPosition = l.Messwertende + 1;
  r.messwertText = text1252(wert);
  r.felderGeschnitten = true;

  // Conversion.
  const std::optional<float> geraetewert = wertLesen(wert.data(), wert.size(), dezimal);
  if (!geraetewert) {
    r.ausgang = Auswertungsausgang::KeinMesswert;
    r.meldung = kKeinAuswertbarerMesswert;
    r.kommaPosition = static_cast<int16_t>(kommaPosition);
    if (SkalaMaximum > 0 && e.BarGraphAktiviert >= 1) r.pegel.art = Pegelanzeige::Art::Achtung;
    return r;
  }
  const float v = *geraetewert;
  r.geraetewert = v;

  // For this meter family the full scale counts from the comma of the value
  // as written back as text (leading zeros of its field do not count).
  if (beginntMit(g.Spezial, QLatin1StringView("SANWAPC5x0"))) {
    const qsizetype k = singleText(v, e.Dezimaltrennzeichen).indexOf(u',') + 1;
    if (k > 0) kommaPosition = exponent ? l.Messwertbeginn + k + 2 : l.Messwertbeginn + k - 1;
  }
  r.kommaPosition = static_cast<int16_t>(std::clamp(kommaPosition, -32768, 32767));

  // Range recognition and full scale.
  QChar positionsZeichen;
  if (g.MessbereichAutomatisch && g.MessbereichErkennung == 3) {
    const int p = g.MessbereichZeichenposition;
    if (p >= 1 && p <= laenge) {
      char c = daten[p - 1];
      if (p >= l.Messwertbeginn && p <= l.Messwertende) c = getauscht(c, dezimal);
      positionsZeichen = zeichen1252(c);
    }
  }
  if (const auto bereich = MessbereichErkennen(g, r.einheit1, r.einheit2, positionsZeichen);
      bereich && *bereich != modul.Messbereich) {
    modul.Messbereich = *bereich;
    if (const auto gr = groessenordnung(*bereich)) modul.Faktor = gr->faktor;
    r.messbereich = *bereich;
  }
  if (const auto basis = skalaBasis(g)) {
    const int stellen = l.Messwertende + 1 - kommaPosition;
    SkalaMaximum = static_cast<float>(*basis / std::pow(10.0, stellen));
  }

  // Processing. The factor is a single-precision value; an overflow beyond
  // single precision is a run-time error, never a value shown as infinite.
  const double faktor = static_cast<float>(modul.Faktor);
  const auto skaliert = alsSingle(static_cast<double>(v) * faktor);
  bool sensorfehler = false;
  float p = 0;
  switch (e.Verarbeitung) {
    case Messwertverarbeitung::Messgeraet:
      if (!skaliert) return fehler(Laufzeitfehler::kUeberlauf);
      p = *skaliert;
      break;
    case Messwertverarbeitung::Linear: {
      const auto linear = alsSingle(static_cast<double>(v) * faktor * static_cast<double>(e.LinearM) +
                                    static_cast<double>(e.LinearT));
      if (!linear) return fehler(Laufzeitfehler::kUeberlauf);
      p = *linear;
      break;
    }
    case Messwertverarbeitung::Sensor: {
      if (!skaliert) return fehler(Laufzeitfehler::kUeberlauf);
      const QString antwort = sensor ? sensor(*skaliert) : QStringLiteral("FEHLER");
      if (antwort == QLatin1StringView("OutOfRange_Low")) {
        r.meldung = kSensorUnterschritten;
        sensorfehler = true;
      } else if (antwort == QLatin1StringView("OutOfRange_High")) {
        r.meldung = kSensorUeberschritten;
        sensorfehler = true;
      } else if (antwort == QLatin1StringView("FEHLER")) {
        r.meldung = kSensorNichtAuswertbar;
        sensorfehler = true;
      } else {
        const auto zahl = zahlLesen(antwort, e.Dezimaltrennzeichen);
        if (!zahl) return fehler(Laufzeitfehler::kTypenUnvertraeglich);
        const auto einfach = alsSingle(*zahl);
        if (!einfach) return fehler(Laufzeitfehler::kUeberlauf);
        p = *einfach;
      }
      break;
    }
    case Messwertverarbeitung::Keine: break;
  }
  r.verarbeitet = p;

  // Limits and the processed value's text.
  Tolvek::Zustand& tolvek = Tolvek::zustand();
  if (sensorfehler) {
    r.ausgang = Auswertungsausgang::Sensorfehler;
    r.anzeigetext = kKeinWert;
    r.vorsatz = tolvek.Einheitenvorsatz;
    return r;
  }
  if (e.CheckMinON == 1 && !(p >= e.CheckMin)) {
    r.meldung = kWertebereichUnterschritten;
    r.grenzzustand = -1;
  }
  if (e.CheckMaxON == 1 && p > e.CheckMax) {
    r.meldung = kWertebereichUeberschritten;
    r.grenzzustand = 1;
  }
  if (r.grenzzustand == -1) {
    r.anzeigetext = kUnterMinimum;
  } else if (r.grenzzustand == 1) {
    r.anzeigetext = kUeberMaximum;
  } else {
    Tolvek::Formatiert f = Tolvek::zahlFormatieren(p, e.YZahlenformatnummer, e.YNachkommastellen,
                                                   e.Dezimaltrennzeichen, tolvek.MessStartDatumZeit);
    r.anzeigetext = std::move(f.text);
    tolvek.Einheitenvorsatz = std::move(f.vorsatz);
  }
  // The prefix the last formatting left, also when this text was not formatted.
  r.vorsatz = tolvek.Einheitenvorsatz;
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
