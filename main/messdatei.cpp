#include "messdatei.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <new>

#include "common/cp1252.h"
#include "common/fehlerbehandlung.h"
#include "common/laufzeitfehler.h"
#include "common/meldungen.h"
#include "common/speichergrenze.h"
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

// The memory one value takes while a file is opened: x and y as read, and
// their copy when the measurement is taken over.
constexpr uint64_t kBytesJeWertBeimOeffnen = 4 * sizeof(float);

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
Laufzeitfehler zugriffsfehler() {
  return Laufzeitfehler(Laufzeitfehler::kPfadZugriff, QStringLiteral("Fehler beim Zugriff auf Pfad/Datei"));
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
  if (bytes.size() > kMesstextHoechstlaenge) return false;
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

// Walks through a binary file. Every read checks what it needs against the
// bytes the file has left, so a count or length from the file never decides
// an allocation or a read by itself.
class BinaerLeser {
 public:
  explicit BinaerLeser(QIODevice& quelle) : q_(quelle), groesse_(quelle.size()) {}

  void springen(qint64 pos) {
    if (!q_.seek(pos)) throw zugriffsfehler();
  }
  qint64 pos() const { return q_.pos(); }
  qint64 rest() const { return groesse_ - q_.pos(); }

  int32_t int32() { return zahl<int32_t>(); }
  int16_t int16() { return zahl<int16_t>(); }

  // A length-prefixed Windows-1252 text.
  QString text() { return vonCp1252(lesen(textLaenge())); }
  void textUeberspringen() {
    const int32_t n = textLaenge();
    springen(pos() + n);
  }

  // `ziel.size()` Singles.
  void singles(std::vector<float>& ziel) {
    const auto anzahl = static_cast<qint64>(ziel.size());
    char* daten = reinterpret_cast<char*>(ziel.data());
    if (q_.read(daten, 4 * anzahl) != 4 * anzahl) throw zugriffsfehler();
    qFromLittleEndian<float>(daten, anzahl, daten);
  }

 private:
  template <typename T>
  T zahl() {
    if (rest() < qint64(sizeof(T))) throw hinterDateiende();
    return qFromLittleEndian<T>(lesen(sizeof(T)).constData());
  }

  int32_t textLaenge() {
    const int32_t n = int32();
    if (n < 0) throw ungueltigesArgument();
    if (n > rest()) throw hinterDateiende();
    if (n > kMesstextHoechstlaenge) throw ungueltigesDateiformat();
    return n;
  }

  // Bytes the size says are there; a file that shrinks meanwhile or fails
  // to read is an access error.
  QByteArray lesen(qint64 n) {
    QByteArray b = q_.read(n);
    if (b.size() != n) throw zugriffsfehler();
    return b;
  }

  QIODevice& q_;
  qint64 groesse_;
};

// The texts of a binary file in their order, each with the step that reads it.
const char* const kTextSchritte[] = {"MessInfo", "MessBezeichnung", "PhysGr",
                                     "Zeichen", "Einheit", "Kommentar",
                                     "MessBeginn einlesen", "MessEnde einlesen"};

// The old text format as far as its largest measurement reaches: the count,
// five items and 32767 pairs, each item with room for far more characters
// than a number or a date needs. What lies beyond is never read, so a file
// of any size is refused or read in bounded time and memory.
QByteArray textformatBytes(QIODevice& quelle) {
  constexpr qint64 kZeichenJeFeld = 64;
  constexpr qint64 kHoechstlaenge = (1 + 5 + 2 * qint64(kTextHoechstanzahl)) * kZeichenJeFeld;
  if (!quelle.seek(0)) throw zugriffsfehler();
  QByteArray bytes = quelle.read(kHoechstlaenge);
  if (bytes.size() < std::min(kHoechstlaenge, quelle.size())) throw zugriffsfehler();
  // Cut off: the last item may be cut too, and is left out whole.
  if (bytes.size() < quelle.size()) {
    const qsizetype trenner = std::max({bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r'), bytes.lastIndexOf(',')});
    if (trenner >= 0) bytes.truncate(trenner + 1);
  }
  return bytes;
}

// Reading step by step; `schritt` names the step in progress for the message.
class Einleser {
 public:
  // `speicher` gives the memory at hand for a need of so many bytes.
  Einleser(QString& schritt, std::function<uint64_t(uint64_t)> speicher)
      : schritt_(schritt), speicher_(std::move(speicher)) {}

  void binaer(QIODevice& quelle, Messinhalt& inhalt) {
    BinaerLeser leser(quelle);
    Messdaten& d = inhalt.daten;
    const qint64 werteAnfang = layoutPruefen(leser, inhalt.format, d.m);

    // The layout fits the file: the texts are in it.
    leser.springen(kKopfLaenge);
    QString texte[std::size(kTextSchritte)];
    for (std::size_t i = 0; i < std::size(texte); ++i) {
      schritt_ = QString::fromUtf8(kTextSchritte[i]);
      texte[i] = leser.text();
    }
    inhalt.MessInfo = texte[0];
    inhalt.texte = {texte[1], texte[2], texte[3], texte[4],
                    texte[5].replace(QStringLiteral("\r\n"), QStringLiteral("\n"))};
    d.MesBeg = texte[6];
    schritt_ = QStringLiteral("MessBeginn formatieren: ") + d.MesBeg;
    d.MesBeg = messzeitNormalisieren(d.MesBeg);
    schritt_ = QStringLiteral("MessBeginn umwandeln") + d.MesBeg;
    inhalt.MessStartDatumZeit = start(d.MesBeg);
    d.MesEnd = messzeitNormalisieren(texte[7]);

    const qint64 elemente = static_cast<qint64>(d.m) + 1;
    schritt_ = QStringLiteral("Datenspeicher X reservieren");
    d.x = reservieren(elemente);
    schritt_ = QStringLiteral("Datenspeicher Y reservieren");
    d.y = reservieren(elemente);
    leser.springen(werteAnfang);
    schritt_ = QStringLiteral("Daten X einlesen");
    leser.singles(d.x);
    schritt_ = QStringLiteral("Daten Y einlesen");
    leser.singles(d.y);
  }

  // The old text format: the count, five items (a number read past, the
  // unit, a number read past, start, end), then the pairs.
  // Returns false when the count is 0: not a measurement.
  bool text(QIODevice& quelle, Messinhalt& inhalt) {
    schritt_.clear();
    FeldLeser leser(vonCp1252(textformatBytes(quelle)));
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

  // From the lengths alone, without reading a text or a value: every text
  // fits the file, and the two arrays of m + 1 Singles end it exactly
  // (bytes left over mean a count that does not fit the values, and y would
  // be read from the bytes of x). Sets the count; returns where x begins.
  qint64 layoutPruefen(BinaerLeser& leser, Messformat format, int32_t& m) {
    leser.springen(kKopfLaenge);
    for (const char* schritt : kTextSchritte) {
      schritt_ = QString::fromUtf8(schritt);
      leser.textUeberspringen();
    }
    schritt_ = QStringLiteral("Messwertanzahl");
    m = format == Messformat::Version301 ? leser.int16() : leser.int32();
    const qint64 elemente = static_cast<qint64>(m) + 1;
    if (m < 0) {
      schritt_ = QStringLiteral("Datenspeicher X reservieren");
      throw Laufzeitfehler::indexAusserhalb();
    }
    if (4 * elemente > leser.rest()) {
      schritt_ = QStringLiteral("Daten X einlesen");
      throw hinterDateiende();
    }
    if (8 * elemente > leser.rest()) {
      schritt_ = QStringLiteral("Daten Y einlesen");
      throw hinterDateiende();
    }
    if (8 * elemente < leser.rest()) throw ungueltigesDateiformat();
    // A count the process could not hold is refused before anything is
    // allocated: on a system that promises more memory than it has, the
    // allocation would succeed and filling it end the program.
    const uint64_t bedarf = static_cast<uint64_t>(elemente) * kBytesJeWertBeimOeffnen;
    if (static_cast<uint64_t>(elemente) > speicher_(bedarf) / kBytesJeWertBeimOeffnen) {
      schritt_ = QStringLiteral("Datenspeicher X reservieren");
      throw nichtGenugSpeicher();
    }
    return leser.pos();
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
  std::function<uint64_t(uint64_t)> speicher_;
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
                      const QString& messInfo, Verweise verweise) {
  if (datei.isEmpty()) return false;
  std::optional<QByteArray> bytes;
  try {
    bytes = messdateiBytes(daten, texte, messInfo);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return bytes && dateiErsetzen(datei, *bytes, verweise);
}

// ---------------------------------------------------------------- reading

QString Leseergebnis::meldung() const {
  switch (status) {
    case Lesestatus::MessungLaeuft:
      return QStringLiteral("Während einer Messung können Sie keine Datei öffnen!");
    case Lesestatus::NichtGefunden:
      return QStringLiteral("Die angegebene Datei wurde nicht gefunden!");
    case Lesestatus::NameUnlesbar:
      return QStringLiteral("Der Name der angegebenen Datei enthält Zeichen, die nicht gelesen werden können!\r\n"
                            "Bitte benennen Sie die Datei um.");
    case Lesestatus::KeineMessung:
      return QStringLiteral("Die ausgewählte Datei ist keine gültige Pelvaron-Messung!");
    default:
      return QString();
  }
}

namespace {

Leseergebnis auswerten(QIODevice& quelle, std::function<uint64_t(uint64_t)> speicher) {
  Leseergebnis e;
  Einleser einleser(e.Schritt, std::move(speicher));
  try {
    const QByteArray kopf = quelle.read(kKopfLaenge);
    if (kopf == kMessdateiKopf302 || kopf == kMessdateiKopf301) {
      e.inhalt.format = kopf == kMessdateiKopf301 ? Messformat::Version301 : Messformat::Version302;
      einleser.binaer(quelle, e.inhalt);
    } else {
      e.inhalt.format = Messformat::Text;
      if (!einleser.text(quelle, e.inhalt)) {
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

}  // namespace

Leseergebnis messdateiAuswerten(QIODevice& quelle) { return auswerten(quelle, nutzbarerSpeicherFuer); }

Leseergebnis messdateiAuswerten(QIODevice& quelle, uint64_t speicher) {
  return auswerten(quelle, [speicher](uint64_t) { return speicher; });
}

Leseergebnis messdateiAuswerten(const QByteArray& bytes) {
  QBuffer puffer;
  puffer.setData(bytes);
  puffer.open(QIODevice::ReadOnly);
  return messdateiAuswerten(puffer);
}

Leseergebnis messdateiLesen(const QString& datei, bool messungLaeuft) {
  Leseergebnis e;
  if (messungLaeuft) {
    e.status = Lesestatus::MessungLaeuft;
    return e;
  }
  if (datei.isEmpty() || !QFileInfo(datei).isFile()) {
    // A name whose bytes are no text in the system's encoding (a file
    // named on another system) comes with replacement characters, and
    // those name no file.
    e.status = datei.contains(QChar::ReplacementCharacter) ? Lesestatus::NameUnlesbar : Lesestatus::NichtGefunden;
    return e;
  }
  QFile quelle(datei);
  if (!quelle.open(QIODevice::ReadOnly)) {
    fehlgeschlagen(e, zugriffsfehler());
    return e;
  }
  return messdateiAuswerten(quelle);
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
    case Lesestatus::NameUnlesbar:
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
