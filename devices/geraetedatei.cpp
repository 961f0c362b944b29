#include "geraetedatei.h"

#include <QDir>
#include <QStringList>
#include <cfloat>
#include <cmath>
#include <optional>

#include "common/cp1252.h"
#include "common/meldungen.h"
#include "common/parameter.h"
#include "common/textdatei.h"
#include "common/zahlen.h"
#include "devices/feldleser.h"
#include "devices/geraetepruefung.h"

namespace pv {

const std::array<QString, 30>& geraetedateiSchluessel() {
  static const std::array<QString, 30> schluessel = {
      QStringLiteral("Bezeichnung"),
      QStringLiteral("Geräteart"),
      QStringLiteral("Datenstringlänge"),
      QStringLiteral("Messwertbeginn"),
      QStringLiteral("Messwertende"),
      QStringLiteral("Vorzeichenstelle"),
      QStringLiteral("Einheit1 Beginn"),
      QStringLiteral("Einheit1 Ende"),
      QStringLiteral("Einheit2 Beginn"),
      QStringLiteral("Einheit2 Ende"),
      QStringLiteral("Datenstringabschlusszeichen"),
      QStringLiteral("Skala Maximum"),
      QStringLiteral("Schnittstellenparameter"),
      QStringLiteral("RTS"),
      QStringLiteral("DTR"),
      QStringLiteral("Gerät aktiv"),
      QStringLiteral("Datenanforderungszeichen"),
      QStringLiteral("Wartezeit"),
      QStringLiteral("Bilddatei"),
      QStringLiteral("Messbereich manuell"),
      QStringLiteral("Messbereich Erkennung"),
      QStringLiteral("Messbereich Zeichenposition"),
      QStringLiteral("Messbereich Zeichen 0"),
      QStringLiteral("Messbereich Zeichen 1"),
      QStringLiteral("Messbereich Zeichen 2"),
      QStringLiteral("Messbereich Zeichen 3"),
      QStringLiteral("Messbereich Zeichen 4"),
      QStringLiteral("Messbereich Zeichen 5"),
      QStringLiteral("Spezial"),
      QStringLiteral("Menü"),
  };
  return schluessel;
}

namespace {

// The RTS and DTR lines of a file that does not name them (3.0 and older).
constexpr int16_t kRtsOhneAngabe = 0;
constexpr int16_t kDtrOhneAngabe = 1;

// ---- writing -------------------------------------------------------------

// The file text from the thirty values in key order.
QString dateiTextAus(const QStringList& werte) {
  const auto& schluessel = geraetedateiSchluessel();
  QString text = kGeraetedateiKopf31 + QStringLiteral("\r\n");
  for (size_t i = 0; i < schluessel.size(); ++i) {
    text += schluessel[i] + u'=' + werte.value(qsizetype(i)) + QStringLiteral("\r\n");
  }
  text += QStringLiteral("\r\n");
  return text;
}


QStringList werteAus(const Geraetedefinition& d, const GeraeteEingabetexte& t, QChar dezimal) {
  const auto zahl = [](int16_t n) { return QString::number(n); };
  QStringList w;
  w << d.GeraeteNamePub << zahl(d.GeraeteArtIndexPub) << zahl(d.DatenstringLaengePub)
    << zahl(d.DatenAnfangPub) << zahl(d.DatenEndePub) << zahl(d.VorzeichenStellePub)
    << zahl(d.Einheit1_0Pub) << zahl(d.Einheit1_1Pub) << zahl(d.Einheit2_0Pub)
    << zahl(d.Einheit2_1Pub) << t.abschlusszeichen << singleText(d.MBVollPub, dezimal)
    << d.ComSettingPub << zahl(d.ComRTSPub) << zahl(d.ComDTRPub)
    << QString(d.GeraetAktivPub ? u'1' : u'0') << d.DatenTransferZeichenPub << t.wartezeit
    << d.BildDateiPub << QString(d.MBAutoPub ? u'0' : u'1') << zahl(d.ZeichenStelleOptionPub)
    << t.zeichenposition;
  for (const QString& zeichen : d.MBZeichenPub) w << zeichen;
  w << d.SpezialPub << zahl(d.ImMenue);
  return w;
}

// The file text, or none when a value holds a line end (it would break the
// file into other lines) or the code page cannot hold the text (a name would
// come back as another name).
std::optional<QString> speicherbarerText(const Geraetedefinition& d, const GeraeteEingabetexte& t,
                                         QChar dezimal) {
  const QStringList werte = werteAus(d, t, dezimal);
  for (const QString& w : werte) {
    if (w.contains(u'\r') || w.contains(u'\n')) return std::nullopt;
  }
  QString text = dateiTextAus(werte);
  if (!istCp1252(text)) return std::nullopt;
  return text;
}

// ---- reading, current generation -----------------------------------------

// Reads the key=value lines. Every numeric key must be present and a number
// in the system's format (either separator is accepted); integers must fit
// 16 bits after rounding.
bool schluesselLesen(const QString& text, bool version31, QChar dezimal, Geraetedefinition& d,
                     GeraeteEingabetexte& t) {
  const auto wert = [&](const QString& schluessel) {
    return Tolvek::ParameterLesen(text, QString(), schluessel);
  };
  const auto ganz = [&](const QString& schluessel) { return geraetedateiGanzzahl(wert(schluessel), dezimal); };
  const auto einlesen = [&](const QString& schluessel, int16_t& ziel) {
    const auto z = ganz(schluessel);
    if (z) ziel = *z;
    return z.has_value();
  };

  d.GeraeteNamePub = wert(QStringLiteral("Bezeichnung"));
  if (!einlesen(QStringLiteral("Geräteart"), d.GeraeteArtIndexPub) ||
      !einlesen(QStringLiteral("Datenstringlänge"), d.DatenstringLaengePub) ||
      !einlesen(QStringLiteral("Messwertbeginn"), d.DatenAnfangPub) ||
      !einlesen(QStringLiteral("Messwertende"), d.DatenEndePub) ||
      !einlesen(QStringLiteral("Vorzeichenstelle"), d.VorzeichenStellePub) ||
      !einlesen(QStringLiteral("Einheit1 Beginn"), d.Einheit1_0Pub) ||
      !einlesen(QStringLiteral("Einheit1 Ende"), d.Einheit1_1Pub) ||
      !einlesen(QStringLiteral("Einheit2 Beginn"), d.Einheit2_0Pub) ||
      !einlesen(QStringLiteral("Einheit2 Ende"), d.Einheit2_1Pub)) {
    return false;
  }

  t.abschlusszeichen = wert(QStringLiteral("Datenstringabschlusszeichen"));
  const auto code = abschlusscodeLesen(t.abschlusszeichen, dezimal);
  if (!code) return false;
  d.LZAsciiPub = *code;

  const auto skalaSingle = singleLesen(wert(QStringLiteral("Skala Maximum")), dezimal);
  if (!skalaSingle) return false;
  d.MBVollPub = *skalaSingle;

  d.ComSettingPub = wert(QStringLiteral("Schnittstellenparameter"));
  if (version31) {
    if (!einlesen(QStringLiteral("RTS"), d.ComRTSPub) || !einlesen(QStringLiteral("DTR"), d.ComDTRPub)) {
      return false;
    }
  } else {
    d.ComRTSPub = kRtsOhneAngabe;
    d.ComDTRPub = kDtrOhneAngabe;
  }

  const auto aktiv = ganz(QStringLiteral("Gerät aktiv"));
  if (!aktiv) return false;
  d.GeraetAktivPub = *aktiv == 1;

  d.DatenTransferZeichenPub = wert(QStringLiteral("Datenanforderungszeichen"));

  t.wartezeit = wert(QStringLiteral("Wartezeit"));
  if (t.wartezeit.isEmpty()) {
    d.DatenTransferZeitPub = 0;
  } else {
    const auto s = singleLesen(t.wartezeit, dezimal);
    if (!s) return false;
    d.DatenTransferZeitPub = *s;
  }

  d.BildDateiPub = wert(QStringLiteral("Bilddatei"));

  const auto manuell = ganz(QStringLiteral("Messbereich manuell"));
  if (!manuell) return false;
  d.MBAutoPub = *manuell != 1;

  if (!einlesen(QStringLiteral("Messbereich Erkennung"), d.ZeichenStelleOptionPub)) return false;

  t.zeichenposition = wert(QStringLiteral("Messbereich Zeichenposition"));
  if (t.zeichenposition.isEmpty()) {
    d.ZeichenStellePub = 0;
  } else if (!einlesen(QStringLiteral("Messbereich Zeichenposition"), d.ZeichenStellePub)) {
    return false;
  }

  for (int i = 0; i < 6; ++i) d.MBZeichenPub[i] = wert(QStringLiteral("Messbereich Zeichen %1").arg(i));
  d.SpezialPub = wert(QStringLiteral("Spezial"));
  return einlesen(QStringLiteral("Menü"), d.ImMenue);
}

// ---- reading, old generations --------------------------------------------

bool positionellLesen(FeldLeser& f, Geraetedefinition& d) {
  const auto name = f.text();
  const auto art = f.ganzzahl();
  const auto anfang = f.ganzzahl();
  const auto ende = f.ganzzahl();
  const auto laenge = f.ganzzahl();
  const auto vorzeichen = f.ganzzahl();
  const auto e10 = f.ganzzahl();
  const auto e11 = f.ganzzahl();
  const auto e20 = f.ganzzahl();
  const auto e21 = f.ganzzahl();
  const auto lz = f.ganzzahl();
  const auto voll = f.zahl();
  const auto com = f.text();
  const auto aktiv = f.wahrheitswert();
  const auto passiv = f.wahrheitswert();  // the complement of `aktiv`; not needed
  const auto anforderung = f.text();
  const auto zeit = f.zahl();
  const auto bild = f.text();
  const auto manuell = f.wahrheitswert();  // the complement of `automatisch`; not needed
  const auto automatisch = f.wahrheitswert();
  const auto perEinheit1 = f.wahrheitswert();
  const auto perEinheit2 = f.wahrheitswert();
  const auto perStelle = f.wahrheitswert();
  const auto stelle = f.ganzzahl();
  std::array<std::optional<QString>, 6> zeichen;
  for (auto& z : zeichen) z = f.text();

  // Fields are read in order, so a missing one leaves all after it missing.
  if (!name || !art || !anfang || !ende || !laenge || !vorzeichen || !e10 || !e11 || !e20 || !e21 ||
      !lz || !voll || !com || !aktiv || !passiv || !anforderung || !zeit || !bild || !manuell ||
      !automatisch || !perEinheit1 || !perEinheit2 || !perStelle || !stelle) {
    return false;
  }
  for (const auto& z : zeichen) {
    if (!z) return false;
  }

  d.GeraeteNamePub = *name;
  d.GeraeteArtIndexPub = *art;
  d.DatenAnfangPub = *anfang;
  d.DatenEndePub = *ende;
  d.DatenstringLaengePub = *laenge;
  d.VorzeichenStellePub = *vorzeichen;
  d.Einheit1_0Pub = *e10;
  d.Einheit1_1Pub = *e11;
  d.Einheit2_0Pub = *e20;
  d.Einheit2_1Pub = *e21;
  d.LZAsciiPub = *lz;
  d.MBVollPub = *voll;
  d.ComSettingPub = *com;
  d.GeraetAktivPub = *aktiv;
  d.DatenTransferZeichenPub = *anforderung;
  d.DatenTransferZeitPub = *zeit;
  d.BildDateiPub = *bild;
  d.MBAutoPub = *automatisch;
  d.ZeichenStelleOptionPub = *perEinheit1 ? 1 : *perStelle ? 3 : 2;
  d.ZeichenStellePub = *stelle;
  for (int i = 0; i < 6; ++i) d.MBZeichenPub[i] = *zeichen[i];
  d.ComRTSPub = kRtsOhneAngabe;
  d.ComDTRPub = kDtrOhneAngabe;
  d.SpezialPub.clear();
  d.ImMenue = 1;
  return true;
}

// The twelve fields of a one-line file.
struct EinzeilerFelder {
  QString name;
  QString typ;
  int16_t anfang = 0, ende = 0, laenge = 0, vorzeichen = 0;
  int16_t e10 = 0, e11 = 0, e20 = 0, e21 = 0;
  int16_t lz = 0;
  QString com;
};

bool einzeilerFelderLesen(FeldLeser& f, EinzeilerFelder& e) {
  const auto name = f.text();
  const auto typ = f.text();
  if (!name || !typ) return false;
  e.name = *name;
  e.typ = *typ;
  for (int16_t* ziel : {&e.anfang, &e.ende, &e.laenge, &e.vorzeichen, &e.e10, &e.e11, &e.e20, &e.e21, &e.lz}) {
    const auto z = f.ganzzahl();
    if (!z) return false;
    *ziel = *z;
  }
  const auto com = f.text();
  if (!com) return false;
  e.com = *com;
  return true;
}

// Kind of a one-line file: a DMM with a six-character value field is a
// 4 1/2-digit meter, any other DMM a 3 1/2-digit one. No value for an
// unknown type (compared exactly).
std::optional<int16_t> einzeilerArt(const EinzeilerFelder& e) {
  if (e.typ == u"DMM") return int(e.ende) - int(e.anfang) == 5 ? kDmm4_5 : kDmm3_5;
  if (e.typ == u"Waage") return kWaage;
  return std::nullopt;
}

// A scale's full scale is its value field's width in nines (five characters:
// 99999). No value when the width is not positive or too large for a single.
std::optional<int> neunerBreite(const EinzeilerFelder& e) {
  const int breite = int(e.ende) - int(e.anfang) + 1;
  if (breite < 1 || breite > 38) return std::nullopt;
  return breite;
}

QString bildpfad(const QString& programmordner, int16_t art) {
  return QDir(programmordner).filePath(art == kWaage ? QStringLiteral("Waage.gif") : QStringLiteral("DMM.gif"));
}

enum class Einzeiler { Gelesen, UnbekannterTyp, Fehler };

Einzeiler einzeilerLesen(FeldLeser& f, const QString& programmordner, Geraetedefinition& d) {
  EinzeilerFelder e;
  if (!einzeilerFelderLesen(f, e)) return Einzeiler::Fehler;
  const auto art = einzeilerArt(e);
  if (!art) return Einzeiler::UnbekannterTyp;

  if (*art == kWaage) {
    const auto breite = neunerBreite(e);
    if (!breite) return Einzeiler::Fehler;
    d.MBVollPub = static_cast<float>(std::pow(10.0, *breite) - 1);
  } else {
    d.MBVollPub = dmmSkala(*art).value_or(0);
  }
  d.GeraeteNamePub = e.name;
  d.GeraeteArtIndexPub = *art;
  d.DatenAnfangPub = e.anfang;
  d.DatenEndePub = e.ende;
  d.DatenstringLaengePub = e.laenge;
  d.VorzeichenStellePub = e.vorzeichen;
  d.Einheit1_0Pub = e.e10;
  d.Einheit1_1Pub = e.e11;
  d.Einheit2_0Pub = e.e20;
  d.Einheit2_1Pub = e.e21;
  d.LZAsciiPub = e.lz;
  d.ComSettingPub = e.com;
  d.ComRTSPub = kRtsOhneAngabe;
  d.ComDTRPub = kDtrOhneAngabe;
  d.GeraetAktivPub = true;
  d.DatenTransferZeichenPub.clear();
  d.DatenTransferZeitPub = 1;
  d.BildDateiPub = bildpfad(programmordner, *art);
  d.MBAutoPub = true;
  d.ZeichenStelleOptionPub = 2;
  d.ZeichenStellePub = 0;
  d.MBZeichenPub = standardMBZeichen();
  d.SpezialPub.clear();
  d.ImMenue = 1;
  return Einzeiler::Gelesen;
}

// Reads an old-generation file (`kopf` its first field) into `d`. A
// terminator code outside 0..255 fails as in the current generation, so
// that no conversion writes a file that cannot be read again.
Einzeiler altLesen(FeldLeser& f, const QString& kopf, const QString& programmordner, Geraetedefinition& d) {
  Einzeiler e = Einzeiler::Fehler;
  if (kopf == kGeraetedateiKopfPositionell) {
    if (positionellLesen(f, d)) e = Einzeiler::Gelesen;
  } else {
    f.vonVorn();
    e = einzeilerLesen(f, programmordner, d);
  }
  if (e == Einzeiler::Gelesen && !istAbschlusscode(d.LZAsciiPub)) return Einzeiler::Fehler;
  return e;
}

// The three typed texts a converted file gets: a positional file names its
// terminator in braces, a one-line file leaves the waiting time empty. Numbers
// keep the old files' decimal mark.
GeraeteEingabetexte konvertierteTexte(const Geraetedefinition& d, bool positionell) {
  GeraeteEingabetexte t = eingabetexteAus(d, u'.');
  if (positionell) {
    if (d.LZAsciiPub == 13) t.abschlusszeichen = QStringLiteral("{CR}");
    if (d.LZAsciiPub == 10) t.abschlusszeichen = QStringLiteral("{LF}");
  } else {
    t.wartezeit.clear();
  }
  return t;
}

}  // namespace

std::optional<int16_t> geraetedateiGanzzahl(const QString& wert, QChar dezimal) {
  const auto z = zahlLesen(wert, dezimal);
  return z ? ganzzahl16(*z) : std::nullopt;
}

std::optional<int16_t> abschlusscodeLesen(const QString& wert, QChar dezimal) {
  if (const auto code = zahlLesen(wert, dezimal)) {
    if (!istAbschlusscode(*code)) return std::nullopt;
    return static_cast<int16_t>(rundeHalbGerade(*code));
  }
  const QString gross = wert.toUpper();
  if (gross == u"L" || gross == u"{LF}") return 10;
  if (gross == u"R" || gross == u"{CR}") return 13;
  return std::nullopt;
}

QMap<QString, QString> geraetedateiTexte(const QString& datei) {
  QMap<QString, QString> texte;
  QString inhalt;
  if (!textdateiLesen(datei, inhalt)) return texte;
  const auto kopf = erstesFeld(inhalt);
  if (kopf != kGeraetedateiKopf31 && kopf != kGeraetedateiKopf30) return texte;
  for (const QString& schluessel : geraetedateiSchluessel()) {
    if (const auto wert = Tolvek::ParameterFinden(inhalt, schluessel)) texte.insert(schluessel, *wert);
  }
  if (kopf == kGeraetedateiKopf30) {
    texte.insert(QStringLiteral("RTS"), QString::number(kRtsOhneAngabe));
    texte.insert(QStringLiteral("DTR"), QString::number(kDtrOhneAngabe));
  }
  return texte;
}

int16_t GeraeteDatenLesen(const QString& datei, QChar dezimal, const QString& programmordner,
                          Geraetedefinition& def, GeraeteEingabetexte* texte) {
  QString inhalt;
  if (!textdateiLesen(datei, inhalt)) return 0;
  FeldLeser felder(inhalt);
  const auto kopf = felder.text();
  if (!kopf) return 0;

  // Read into a fresh record and hand it over only when the whole file read.
  Geraetedefinition neu;
  GeraeteEingabetexte neueTexte;
  if (*kopf == kGeraetedateiKopf31 || *kopf == kGeraetedateiKopf30) {
    if (!schluesselLesen(inhalt, *kopf == kGeraetedateiKopf31, dezimal, neu, neueTexte)) return 0;
  } else {
    if (altLesen(felder, *kopf, programmordner, neu) != Einzeiler::Gelesen) return 0;
    neueTexte = eingabetexteAus(neu, dezimal);
  }
  def = std::move(neu);
  if (texte) *texte = std::move(neueTexte);
  return 1;
}

QString GeraetedateiText(const Geraetedefinition& def, const GeraeteEingabetexte& texte, QChar dezimal) {
  return dateiTextAus(werteAus(def, texte, dezimal));
}

bool GeraetedateiSpeicherbar(const Geraetedefinition& def, const GeraeteEingabetexte& texte, QChar dezimal) {
  return speicherbarerText(def, texte, dezimal).has_value();
}

bool GeraetedateiSchreiben(const QString& pfad, const Geraetedefinition& def,
                           const GeraeteEingabetexte& texte, QChar dezimal) {
  const auto text = speicherbarerText(def, texte, dezimal);
  return text && dateiErsetzen(pfad, zuCp1252(*text));
}

int16_t GeraetKonvertierenZuVer3(const QString& datei, const QString& programmordner,
                                 Meldungen& meldungen) {
  const auto fehler = [&]() -> int16_t {
    meldungen.hinweis(QStringLiteral("Beim Konvertieren der Gerätedatei\r\n") + datei +
                      QStringLiteral("\r\nist ein Fehler aufgetreten."));
    return 0;
  };

  const QString pfad = QDir(programmordner).filePath(datei);
  QString inhalt;
  if (!textdateiLesen(pfad, inhalt)) return fehler();
  FeldLeser felder(inhalt);
  const auto kopf = felder.text();
  if (!kopf) return fehler();

  Geraetedefinition def;
  switch (altLesen(felder, *kopf, programmordner, def)) {
    case Einzeiler::Gelesen:
      break;
    case Einzeiler::UnbekannterTyp:
      return 0;
    case Einzeiler::Fehler:
      return fehler();
  }
  const bool positionell = *kopf == kGeraetedateiKopfPositionell;
  // The writer refuses a quoted old field that spans lines: it cannot become
  // a key=value line.
  if (!GeraetedateiSchreiben(pfad, def, konvertierteTexte(def, positionell), u'.')) return fehler();
  return 1;
}

}  // namespace pv
