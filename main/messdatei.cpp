#include "messdatei.h"

#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <limits>
#include <new>

#include "common/cp1252.h"
#include "common/fehlerbehandlung.h"
#include "common/laufzeitfehler.h"
#include "common/meldungen.h"
#include "common/textdatei.h"
#include "common/tolvek.h"
#include "common/zahlen.h"
#include "devices/feldleser.h"

namespace pv {
namespace {

constexpr qsizetype kKopfLaenge = 24;
// The old text format counts its pairs with a 16-bit loop counter.
constexpr int32_t kTextHoechstanzahl = 32767;

// Run-time error numbers beyond those of Laufzeitfehler.
constexpr int kNichtGenugSpeicher = 7;
constexpr int kUngueltigesDateiformat = 321;

Laufzeitfehler hinterDateiende() {
  return Laufzeitfehler(Laufzeitfehler::kEingabeZuKurz, QStringLiteral("Einlesen hinter Dateiende"));
}
Laufzeitfehler ungueltigesArgument() {
  return Laufzeitfehler(Laufzeitfehler::kUngueltigerAufruf,
                        QStringLiteral("Unzulässiger Prozeduraufruf oder ungültiges Argument"));
}
Laufzeitfehler typenUnvertraeglich() {
  return Laufzeitfehler(Laufzeitfehler::kTypenUnvertraeglich, QStringLiteral("Typen unverträglich"));
}
Laufzeitfehler nichtGenugSpeicher() {
  return Laufzeitfehler(kNichtGenugSpeicher, QStringLiteral("Nicht genügend Speicher"));
}
Laufzeitfehler ungueltigesDateiformat() {
  return Laufzeitfehler(kUngueltigesDateiformat, QStringLiteral("Ungültiges Dateiformat"));
}

// ---------------------------------------------------------------- writing

void int32Anhaengen(QByteArray& b, int32_t wert) {
  char puffer[4];
  qToLittleEndian(wert, puffer);
  b.append(puffer, 4);
}

// A text the code page cannot hold is refused rather than stored changed.
bool textAnhaengen(QByteArray& b, const QString& text) {
  if (!istCp1252(text)) return false;
  const QByteArray bytes = zuCp1252(text);
  if (bytes.size() > std::numeric_limits<int32_t>::max()) return false;
  int32Anhaengen(b, static_cast<int32_t>(bytes.size()));
  b += bytes;
  return true;
}

void singlesAnhaengen(QByteArray& b, const std::vector<float>& werte, qsizetype anzahl) {
  const qsizetype anfang = b.size();
  b.resize(anfang + 4 * anzahl);
  qToLittleEndian<float>(werte.data(), anzahl, b.data() + anfang);
}

// ---------------------------------------------------------------- reading

// Walks through the bytes of a binary file. Every read checks what it needs
// against the bytes left, so a count or length from the file never decides
// an allocation by itself.
class BinaerLeser {
 public:
  explicit BinaerLeser(const QByteArray& bytes) : b_(bytes) {}

  void ueberspringen(qsizetype n) { pos_ += n; }
  qsizetype rest() const { return b_.size() - pos_; }

  int32_t int32() {
    if (rest() < 4) throw hinterDateiende();
    const auto wert = qFromLittleEndian<int32_t>(b_.constData() + pos_);
    pos_ += 4;
    return wert;
  }

  int16_t int16() {
    if (rest() < 2) throw hinterDateiende();
    const auto wert = qFromLittleEndian<int16_t>(b_.constData() + pos_);
    pos_ += 2;
    return wert;
  }

  // A length-prefixed Windows-1252 text.
  QString text() {
    const int32_t n = int32();
    if (n < 0) throw ungueltigesArgument();
    if (n > rest()) throw hinterDateiende();
    const QString t = vonCp1252(QByteArray::fromRawData(b_.constData() + pos_, n));
    pos_ += n;
    return t;
  }

  // `anzahl` Singles into `ziel`, whose size is `anzahl` already.
  void singles(std::vector<float>& ziel) {
    const auto anzahl = static_cast<qsizetype>(ziel.size());
    qFromLittleEndian<float>(b_.constData() + pos_, anzahl, ziel.data());
    pos_ += 4 * anzahl;
  }

 private:
  const QByteArray& b_;
  qsizetype pos_ = 0;
};

// Reading step by step; `schritt` names the step in progress for the message.
class Einleser {
 public:
  explicit Einleser(QString& schritt) : schritt_(schritt) {}

  void binaer(const QByteArray& bytes, Messinhalt& inhalt) {
    BinaerLeser leser(bytes);
    leser.ueberspringen(kKopfLaenge);
    schritt_ = QStringLiteral("MessInfo");
    inhalt.MessInfo = leser.text();
    schritt_ = QStringLiteral("MessBezeichnung");
    inhalt.texte.MessBezeichnung = leser.text();
    schritt_ = QStringLiteral("PhysGr");
    inhalt.texte.PhysGr = leser.text();
    schritt_ = QStringLiteral("Zeichen");
    inhalt.texte.Zeichen = leser.text();
    schritt_ = QStringLiteral("Einheit");
    inhalt.texte.Einheit = leser.text();
    schritt_ = QStringLiteral("Kommentar");
    inhalt.texte.Kommentar = leser.text().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

    Messdaten& d = inhalt.daten;
    schritt_ = QStringLiteral("MessBeginn einlesen");
    d.MesBeg = leser.text();
    schritt_ = QStringLiteral("MessBeginn formatieren: ") + d.MesBeg;
    d.MesBeg = messzeitNormalisieren(d.MesBeg);
    schritt_ = QStringLiteral("MessBeginn umwandeln") + d.MesBeg;
    inhalt.MessStartDatumZeit = start(d.MesBeg);
    schritt_ = QStringLiteral("MessEnde einlesen");
    d.MesEnd = messzeitNormalisieren(leser.text());

    schritt_ = QStringLiteral("Messwertanzahl");
    d.m = inhalt.format == Messformat::Version301 ? leser.int16() : leser.int32();

    // Each array holds m + 1 Singles, and the two end the file: both must be
    // in it before room is made for them, and bytes left over mean a count
    // that does not fit the values (y would be read from the bytes of x).
    const qint64 elemente = static_cast<qint64>(d.m) + 1;
    schritt_ = QStringLiteral("Datenspeicher X reservieren");
    if (d.m < 0) throw Laufzeitfehler::indexAusserhalb();
    if (4 * elemente > leser.rest()) {
      schritt_ = QStringLiteral("Daten X einlesen");
      throw hinterDateiende();
    }
    if (8 * elemente > leser.rest()) {
      schritt_ = QStringLiteral("Daten Y einlesen");
      throw hinterDateiende();
    }
    if (8 * elemente < leser.rest()) {
      schritt_ = QStringLiteral("Messwertanzahl");
      throw ungueltigesDateiformat();
    }
    d.x = reservieren(elemente);
    schritt_ = QStringLiteral("Datenspeicher Y reservieren");
    d.y = reservieren(elemente);
    schritt_ = QStringLiteral("Daten X einlesen");
    leser.singles(d.x);
    schritt_ = QStringLiteral("Daten Y einlesen");
    leser.singles(d.y);
  }

  // The old text format: the count, five items (a number read past, the
  // unit, a number read past, start, end), then the pairs.
  // Returns false when the count is 0: not a measurement.
  bool text(const QByteArray& bytes, Messinhalt& inhalt) {
    schritt_.clear();
    FeldLeser leser(vonCp1252(bytes));
    Messdaten& d = inhalt.daten;
    const std::optional<int32_t> m = ganzzahl32(val(feld(leser)));
    if (!m) throw Laufzeitfehler::ueberlauf();
    if (*m == 0) return false;
    if (*m < 0) throw Laufzeitfehler::indexAusserhalb();
    if (*m > kTextHoechstanzahl) throw Laufzeitfehler::ueberlauf();
    d.m = *m;

    feld(leser);
    inhalt.texte.Einheit = feld(leser);
    feld(leser);
    QString beginn = feld(leser);
    QString ende = feld(leser);

    d.x.assign(static_cast<std::size_t>(d.m) + 1, 0.0f);
    d.y.assign(static_cast<std::size_t>(d.m) + 1, 0.0f);
    for (int32_t i = 1; i <= d.m; ++i) {
      d.x[i] = zahl(leser);
      d.y[i] = zahl(leser);
    }

    d.MesBeg = messzeitNormalisieren(beginn);
    inhalt.MessStartDatumZeit = start(d.MesBeg);
    d.MesEnd = messzeitNormalisieren(ende);
    return true;
  }

 private:
  static QString feld(FeldLeser& leser) {
    std::optional<QString> f = leser.text();
    if (!f) throw hinterDateiende();
    return *f;
  }

  static float zahl(FeldLeser& leser) {
    const std::optional<float> z = alsSingle(val(feld(leser)));
    if (!z) throw Laufzeitfehler::ueberlauf();
    return *z;
  }

  // A file without a start text (none was set when it was written) reads
  // as a measurement without a start time; any other text must be a date.
  static QDateTime start(const QString& mesBeg) {
    if (mesBeg.isEmpty()) return QDateTime();
    const std::optional<QDateTime> s = messzeitUmwandeln(mesBeg);
    if (!s) throw typenUnvertraeglich();
    return *s;
  }

  static std::vector<float> reservieren(qint64 elemente) {
    try {
      return std::vector<float>(static_cast<std::size_t>(elemente), 0.0f);
    } catch (const std::bad_alloc&) {
      throw nichtGenugSpeicher();
    } catch (const std::length_error&) {
      throw nichtGenugSpeicher();
    }
  }

  QString& schritt_;
};

std::optional<int> feldZahl(const QString& text, qsizetype anfang, qsizetype laenge) {
  const QString feld = text.mid(anfang, laenge).trimmed();
  if (feld.isEmpty()) return std::nullopt;
  int wert = 0;
  for (QChar c : feld) {
    if (c < u'0' || c > u'9') return std::nullopt;
    wert = wert * 10 + (c.unicode() - u'0');
  }
  return wert;
}

// A failed read: what was read is dropped, the step it failed in is kept.
void fehlgeschlagen(Leseergebnis& e, const Laufzeitfehler& f) {
  e.status = Lesestatus::Fehler;
  e.fehlernummer = f.nummer();
  e.fehlertext = f.text();
  e.inhalt = Messinhalt{};
}

qsizetype letzterTrenner(const QString& pfad) {
  return std::max(pfad.lastIndexOf(u'/'), pfad.lastIndexOf(u'\\'));
}

}  // namespace

// ---------------------------------------------------------------- writing

QString messInfoText(int16_t verarbeitung, float linearM, float linearT, const QString& sensorname,
                     QChar dezimal) {
  switch (verarbeitung) {
    case 1:
      return QStringLiteral("Daten des Messgerätes");
    case 2:
      return QStringLiteral("Lineare Funktion verwendet: y=") + singleText(linearM, dezimal) +
             QStringLiteral("*x+") + singleText(linearT, dezimal);
    case 3:
      return QStringLiteral("Messfühler verwendet: ") + sensorname;
    default:
      return QString();
  }
}

std::optional<QByteArray> messdateiBytes(const Messdaten& daten, const Messtexte& texte,
                                         const QString& messInfo) {
  if (daten.m < 0) return std::nullopt;
  const qsizetype elemente = static_cast<qsizetype>(daten.m) + 1;
  if (static_cast<qsizetype>(daten.x.size()) < elemente || static_cast<qsizetype>(daten.y.size()) < elemente)
    return std::nullopt;

  QByteArray b;
  b.reserve(kKopfLaenge + 8 * 4 + 512 + 4 + 8 * elemente);
  b += kMessdateiKopf302;
  const QString texteInFolge[] = {messInfo,      texte.MessBezeichnung, texte.PhysGr,
                                  texte.Zeichen, texte.Einheit,         crLfZeilenenden(texte.Kommentar),
                                  daten.MesBeg,  daten.MesEnd};
  for (const QString& t : texteInFolge)
    if (!textAnhaengen(b, t)) return std::nullopt;
  int32Anhaengen(b, daten.m);
  singlesAnhaengen(b, daten.x, elemente);
  singlesAnhaengen(b, daten.y, elemente);
  return b;
}

bool MessungSpeichern(const QString& datei, const Messdaten& daten, const Messtexte& texte,
                      const QString& messInfo) {
  if (datei.isEmpty()) return false;
  std::optional<QByteArray> bytes;
  try {
    bytes = messdateiBytes(daten, texte, messInfo);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return bytes && dateiErsetzen(datei, *bytes);
}

// ---------------------------------------------------------------- reading

QString Leseergebnis::meldung() const {
  switch (status) {
    case Lesestatus::MessungLaeuft:
      return QStringLiteral("Während einer Messung können Sie keine Datei öffnen!");
    case Lesestatus::NichtGefunden:
      return QStringLiteral("Die angegebene Datei wurde nicht gefunden!");
    case Lesestatus::KeineMessung:
      return QStringLiteral("Die ausgewählte Datei ist keine gültige Pelvaron-Messung!");
    default:
      return QString();
  }
}

Leseergebnis messdateiAuswerten(const QByteArray& bytes) {
  Leseergebnis e;
  Einleser einleser(e.Schritt);
  const QByteArray kopf = bytes.left(kKopfLaenge);
  try {
    if (kopf == kMessdateiKopf302 || kopf == kMessdateiKopf301) {
      e.inhalt.format = kopf == kMessdateiKopf301 ? Messformat::Version301 : Messformat::Version302;
      einleser.binaer(bytes, e.inhalt);
    } else {
      e.inhalt.format = Messformat::Text;
      if (!einleser.text(bytes, e.inhalt)) {
        e.status = Lesestatus::KeineMessung;
        e.inhalt = Messinhalt{};
        return e;
      }
    }
  } catch (const Laufzeitfehler& f) {
    fehlgeschlagen(e, f);
    return e;
  } catch (const std::bad_alloc&) {
    fehlgeschlagen(e, nichtGenugSpeicher());
    return e;
  }
  e.status = Lesestatus::Gelesen;
  e.Schritt.clear();
  return e;
}

Leseergebnis messdateiLesen(const QString& datei, bool messungLaeuft) {
  Leseergebnis e;
  if (messungLaeuft) {
    e.status = Lesestatus::MessungLaeuft;
    return e;
  }
  if (datei.isEmpty() || !QFileInfo(datei).isFile()) {
    e.status = Lesestatus::NichtGefunden;
    return e;
  }
  QByteArray bytes;
  bool gelesen = false;
  try {
    gelesen = dateiLesen(datei, bytes);
  } catch (const std::bad_alloc&) {
    gelesen = false;
  }
  if (!gelesen) {
    fehlgeschlagen(e, Laufzeitfehler(Laufzeitfehler::kPfadZugriff,
                                     QStringLiteral("Fehler beim Zugriff auf Pfad/Datei")));
    return e;
  }
  return messdateiAuswerten(bytes);
}

void messungUebernehmen(const Messinhalt& inhalt, const QString& datei, Messdaten& daten,
                        Messtexte& texte) {
  daten.x = inhalt.daten.x;
  daten.y = inhalt.daten.y;
  daten.m = inhalt.daten.m;
  daten.MesBeg = inhalt.daten.MesBeg;
  daten.MesEnd = inhalt.daten.MesEnd;
  daten.Messung = messungAusPfad(datei, daten.Messung);
  daten.MessDateiName = datei;
  texte = inhalt.texte;
  Tolvek::zustand().MessStartDatumZeit = inhalt.MessStartDatumZeit;
}

Leseergebnis MessungEinlesen(const QString& datei, bool messungLaeuft, Messdaten& daten,
                             Messtexte& texte, const std::function<void(const QString&)>& statuszeile) {
  Leseergebnis e = messdateiLesen(datei, messungLaeuft);
  switch (e.status) {
    case Lesestatus::Gelesen:
      messungUebernehmen(e.inhalt, datei, daten, texte);
      break;
    case Lesestatus::MessungLaeuft:
    case Lesestatus::NichtGefunden:
      Tolvek::meldungen().hinweis(e.meldung());
      break;
    case Lesestatus::KeineMessung:
      Tolvek::meldungen().hinweis(e.meldung(), Symbol::Kritisch);
      break;
    case Lesestatus::Fehler:
      if (statuszeile) statuszeile(e.statustext());
      Tolvek::Fehlerbehandlung(QStringLiteral("MessungEinlesen"), e.fehlernummer, e.fehlertext);
      break;
  }
  return e;
}

// ---------------------------------------------------------------- helpers

QString messzeitNormalisieren(const QString& text) {
  if (!text.contains(u',')) return text;
  return text.left(10) + text.mid(11);
}

std::optional<QDateTime> messzeitUmwandeln(const QString& text) {
  const auto tag = feldZahl(text, 0, 2);
  const auto monat = feldZahl(text, 3, 2);
  const auto jahr = feldZahl(text, 6, 4);
  const auto stunde = feldZahl(text, 11, 2);
  const auto minute = feldZahl(text, 14, 2);
  const auto sekunde = feldZahl(text, 17, 2);
  if (!tag || !monat || !jahr || !stunde || !minute || !sekunde) return std::nullopt;
  if (*jahr < 100) return std::nullopt;
  // Months and days beyond their range carry over, as do the time's fields
  // into the days.
  const int sekunden = *stunde * 3600 + *minute * 60 + *sekunde;
  const QDate datum = QDate(*jahr, 1, 1).addMonths(*monat - 1).addDays(*tag - 1 + sekunden / 86400);
  if (!datum.isValid() || datum.year() < 100 || datum.year() > 9999) return std::nullopt;
  return QDateTime(datum, QTime(0, 0).addSecs(sekunden % 86400), Qt::UTC);
}

QString messzeitText(const QString& text) { return text.left(10) + u',' + text.mid(10); }

QString messungAusPfad(const QString& pfad, const QString& bisher) {
  if (pfad.size() < 2) return bisher;
  const qsizetype trenner = letzterTrenner(pfad);
  if (trenner < 0) return bisher;
  const QString name = pfad.mid(trenner + 1);
  if (name.isEmpty()) return bisher;
  const qsizetype punkt = name.lastIndexOf(u'.');
  return punkt > 0 ? name.left(punkt) : name;
}

QString messungLabelText(const QString& pfad) {
  constexpr qsizetype kBreite = 40;
  const qsizetype laenge = pfad.size();
  if (laenge <= kBreite) return pfad;
  // t: the file name's length, counted from the last separator.
  const qsizetype t = laenge - (letzterTrenner(pfad) + 1);
  if (t <= kBreite) return pfad.left(std::max<qsizetype>(1, kBreite - t)) + QStringLiteral("...") + pfad.right(t + 1);
  return pfad.left(17) + QStringLiteral("...") + pfad.right(20);
}

}  // namespace pv
