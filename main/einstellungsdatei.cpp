#include "einstellungsdatei.h"


#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>
#include <variant>

#include "common/cp1252.h"
#include "common/fehlerbehandlung.h"
#include "common/laufzeitfehler.h"
#include "common/meldungen.h"
#include "common/parameter.h"
#include "common/textdatei.h"
#include "common/tolvek.h"
#include "common/zahlen.h"
#include "devices/feldleser.h"
#include "main/dateimenue.h"
#include "main/werkseinstellungen.h"

namespace pv {
namespace {

QString S(const char* utf8) { return QString::fromUtf8(utf8); }

// ---------------------------------------------------------------- the keys

// How a key's value is read and written.
enum class Art : uint8_t {
  Abschnitt,      // no key: an empty line and the section header
  T,              // text as it is; missing gives ""
  I,              // 16-bit integer; missing or not a number is a read error
  L,              // colour, 32-bit integer; likewise
  B,              // I, then True exactly for 1; written 1/0
  V,              // the leading number ("." as the mark), 0 when there is none
  BV,             // V, then True exactly for 1; written 1/0
  S,              // single; missing or not a number is a read error
  SN,             // single, taken only when the text is a number
  SE,             // single, `leer` when the value is empty
  LetzteDateien,  // "Anzahl" and its "Datei n" slots
  Schemata,       // the five display schemes, each by the scheme table
};

// Which start without a usable settings file gives a key its factory value:
// only the defaults, or the conversion of the old file too.
enum class Werk : uint8_t { Keiner, NurStandard, Immer };

template <class R>
using Feld = std::variant<std::monostate, QString R::*, int16_t R::*, uint32_t R::*, bool R::*, float R::*>;

template <class R>
struct Zeile {
  const char* schluessel;  // the key, or the section header
  Art art;
  Feld<R> feld = {};
  const char* werk = nullptr;  // the factory value, written as the file holds it
  Werk umfang = Werk::Keiner;
  float leer = 0;                         // SE: the value of an empty key
  int16_t (*auswahl)(int16_t) = nullptr;  // I: the choice a number stands for
};

using E = Einstellungen;
using D = DarstellungsSchema;

int16_t verarbeitung(int16_t n) { return n == 2 || n == 3 ? n : int16_t(1); }
int16_t displayanzeige(int16_t n) { return n == 1 ? 1 : 0; }

constexpr Werk W = Werk::Immer;
constexpr Werk WS = Werk::NurStandard;

// The file in the order it is written. The reader finds every key anywhere
// in the file, so the order does not matter to it.
const Zeile<E> kSchluessel[] = {
    {"Aktuelles Messgerät", Art::T, &E::AktuellesMessgeraet},
    {"Serielle Schnittstelle", Art::I, &E::ComPortNummer, "2", WS},
    {"Ordner Messungen", Art::T, &E::OrdnerMessungen},
    {"[Zuletzt geöffnete Dateien]", Art::Abschnitt},
    {"Anzahl", Art::LetzteDateien},
    {"Drucker", Art::T, &E::DruckerName, "", W},
    {"Computerbild", Art::I, &E::Computerbild, "0", W},  // picture 2 stepped once: 0
    {"Animation", Art::B, &E::DatenlinieAnimation, "1", W},
    {"Animationsart", Art::V, &E::Animationsart},
    {"Bargraphanzeige", Art::I, &E::BarGraphAktiviert, "3", WS},
    {"[Darstellungs-Schemata]", Art::Abschnitt},
    {"", Art::Schemata},
    {"SchemaDrucker", Art::V, &E::SchemaDrucker},
    {"[Grafikeinstellungen]", Art::Abschnitt},
    {"Aktuelles Schema", Art::I, &E::AktuellesSchema, "1", W},
    {"Messwerte verbunden", Art::I, &E::MesswerteVerbunden, "1", W},
    {"Messpunkte anzeigen", Art::I, &E::MesspunkteAnzeigen, "1", W},
    {"Gitter x", Art::B, &E::GitterX, "1", W},
    {"MinMaxAutoX", Art::BV, &E::MinMaxAutoX},
    {"xmin", Art::SN, &E::XMin},
    {"xmax", Art::SN, &E::XMax},
    {"Gitterabstand auto x", Art::BV, &E::GitterabstandAutoX},
    {"Gitterabstand x", Art::SN, &E::GitterabstandX},
    {"Gitter y", Art::B, &E::GitterY, "1", W},
    {"MinMaxAutoY", Art::BV, &E::MinMaxAutoY},
    {"Gitterabstand auto y", Art::BV, &E::GitterabstandAutoY},
    {"Gitterabstand y", Art::SN, &E::GitterabstandY},
    {"ymin", Art::SN, &E::YMin},
    {"ymax", Art::SN, &E::YMax},
    {"Schriftart", Art::T, &E::Schriftart, "Arial", W},
    {"Schriftbild Fett", Art::B, &E::SchriftbildFett, "1", WS},
    {"Schriftgrösse Titel", Art::I, &E::SchriftgroesseTitel},
    {"Schriftgrösse Achsen", Art::I, &E::SchriftgroesseAchsen},
    {"[Messung]", Art::Abschnitt},
    {"Messende automatisch", Art::B, &E::MessendeAutomatisch, "0", WS},
    {"Messdauer", Art::S, &E::Messdauer, "60", WS},
    {"Zwischenspeichern automatisch", Art::B, &E::ZwischenspeichernAutomatisch, "0", WS},
    {"Zwischenspeichern Zeit", Art::S, &E::ZwischenspeichernZeit, "300", WS},
    {"Zwischenspeichern Datei", Art::T, &E::ZwischenspeichernDatei, "pvsavezs.mes", WS},
    {"TimeOutON", Art::V, &E::TimeOutON},
    {"TimeOutTime", Art::SE, &E::TimeOutTime, nullptr, Werk::Keiner, 1},
    {"CheckMinON", Art::V, &E::CheckMinON},
    {"CheckMin", Art::SE, &E::CheckMin},
    {"CheckMaxON", Art::V, &E::CheckMaxON},
    {"CheckMax", Art::SE, &E::CheckMax},
    {"[Zahlenformat]", Art::Abschnitt},
    {"x-Zahlenformatnummer", Art::I, &E::XZahlenformatnummer, "10", W},
    {"x-Nachkommastellen", Art::I, &E::XNachkommastellen, "1", W},
    {"x-Bezeichnung", Art::T, &E::XBezeichnung, "Zeit (s)", W},
    {"x-BeschriftungManuell", Art::V, &E::XBeschriftungManuell},
    {"y-Zahlenformatnummer", Art::I, &E::YZahlenformatnummer, "1", W},
    {"y-Nachkommastellen", Art::I, &E::YNachkommastellen, "2", W},
    {"y-Bezeichnung", Art::T, &E::YBezeichnung, "", W},
    {"[Programmeinstellungen]", Art::Abschnitt},
    {"Wartezeit", Art::S, &E::Wartezeit, "0", W},
    // Left at 0 the "Mega" button would multiply every value by a million;
    // the neutral button is the sound start.
    {"Messbereich", Art::I, &E::Messbereich, "6", W},
    {"Messwertverarbeitung", Art::I, &E::Messwertverarbeitung, "1", W, 0, verarbeitung},
    {"Linear m", Art::T, &E::TextM, "1", W},
    {"Linear t", Art::T, &E::TextT, "0", W},
    {"Sensordatei", Art::T, &E::Sensordatei, "", W},
    {"Sensorname", Art::T, &E::Sensorname, "", W},
    {"Bezeichnung", Art::T, &E::TextMessBezeichnung, "Spannungsmessung", W},
    {"Physikalische Größe", Art::T, &E::TextPhysGr, "Spannung", W},
    {"Zeichen", Art::T, &E::TextZeichen, "U", W},
    {"Einheit", Art::T, &E::TextEinheit, "V", W},
    {"Optionaler Frame", Art::I, &E::OptionalerFrame, "0", W},
    {"Displayanzeige Auswahl", Art::I, &E::DisplayanzeigeAuswahl, "1", W, 0, displayanzeige},
    {"Tooltipps", Art::B, &E::Tooltipps, "1", W},
    {"[Einstellungen Display]", Art::Abschnitt},
    {"Option Messwert", Art::B, &E::OptionMesswert, "0", W},
    {"LED/LCD", Art::I, &E::LEDLCD, "0", W},
    {"Display Schrift Fett", Art::I, &E::DisplaySchriftFett, "0", W},
    {"Display Schrift Digital", Art::I, &E::DisplaySchriftDigital, "0", W},
    {"Display Schrift Digitalfont", Art::T, &E::DisplaySchriftDigitalfont, "Digital SF", W},
    {"Display hell", Art::B, &E::DisplayHell, "1", W},
};

// The keys of scheme n are n followed by these. Every new installation
// starts with a blue curve on a light grey plotting area inside a white
// window, black text and lines.
const Zeile<D> kSchemaSchluessel[] = {
    {":  Liniendicke", Art::I, &D::Liniendicke, "1", W},
    {":  Messpunktgröße", Art::I, &D::Messpunktgroesse, "3", W},
    {":  Liniendicke Achsen", Art::I, &D::LiniendickeAchsen, "1", W},
    {":  Liniendicke Gitter", Art::I, &D::LiniendickeGitter, "1", W},
    {":  Farbe Hintergrund", Art::L, &D::FarbeHintergrund, "0xFFFFFF", W},
    {":  Farbe Zeichnungsfläche", Art::L, &D::FarbeZeichnungsflaeche, "0xE0E0E0", W},
    {":  Farbe Text/Linien", Art::L, &D::FarbeTextLinien, "0x000000", W},
    {":  Farbe Messkurve", Art::L, &D::FarbeMesskurve, "0xFF0000", W},
};

QString schemaSchluessel(int n, const Zeile<D>& z) { return QString::number(n) + S(z.schluessel); }

template <class T, class R>
T& feld(R& r, const Zeile<R>& z) {
  return r.*std::get<T R::*>(z.feld);
}
template <class T, class R>
const T& feld(const R& r, const Zeile<R>& z) {
  return r.*std::get<T R::*>(z.feld);
}

// ---------------------------------------------------------------- reading

// Looks up keys in the settings text and converts their values. A value that
// the key's kind cannot take leaves the variable as it was and marks the
// reading as failed; the remaining keys are still applied.
class Leser {
 public:
  Leser(const QString& text, QChar dezimal) : text_(text), dezimal_(dezimal) {}

  int16_t status() const { return fehler_ ? kIniLesefehler : kIniGelesen; }

  QString wert(const QString& schluessel) const {
    // An empty text would make the lookup read a file instead.
    if (text_.isEmpty()) return QString();
    return Tolvek::ParameterLesen(text_, QString(), schluessel);
  }

  template <class R>
  void lesen(const QString& schluessel, const Zeile<R>& z, R& r) {
    switch (z.art) {
      case Art::T: feld<QString>(r, z) = wert(schluessel); break;
      case Art::I: {
        int16_t n = 0;
        if (I(schluessel, n)) feld<int16_t>(r, z) = z.auswahl ? z.auswahl(n) : n;
        break;
      }
      case Art::L: L(schluessel, feld<uint32_t>(r, z)); break;
      case Art::B: {
        int16_t n = 0;
        if (I(schluessel, n)) feld<bool>(r, z) = n == 1;
        break;
      }
      // A number too large for the variable is no usable value: 0, as for
      // a missing key. These keys never stop the start.
      case Art::V: feld<int16_t>(r, z) = ganzzahl16(val(wert(schluessel))).value_or(0); break;
      case Art::BV: feld<bool>(r, z) = val(wert(schluessel)) == 1.0; break;
      case Art::S: S(schluessel, feld<float>(r, z)); break;
      case Art::SN:
        if (const std::optional<float> f = single(wert(schluessel))) feld<float>(r, z) = *f;
        break;
      case Art::SE:
        if (wert(schluessel).isEmpty()) {
          feld<float>(r, z) = z.leer;
        } else {
          S(schluessel, feld<float>(r, z));
        }
        break;
      default: break;
    }
  }

  // I: a 16-bit integer; empty, non-numeric or too large is an error.
  bool I(const QString& schluessel, int16_t& ziel) {
    const std::optional<double> z = zahlLesen(wert(schluessel), dezimal_);
    const std::optional<int16_t> g = z ? ganzzahl16(*z) : std::nullopt;
    if (!g) return fehler();
    ziel = *g;
    return true;
  }

 private:
  void L(const QString& schluessel, uint32_t& ziel) {
    const std::optional<double> z = zahlLesen(wert(schluessel), dezimal_);
    const std::optional<int32_t> g = z ? ganzzahl32(*z) : std::nullopt;
    if (!g) {
      fehler();
      return;
    }
    ziel = static_cast<uint32_t>(*g);
  }

  void S(const QString& schluessel, float& ziel) {
    const std::optional<float> f = single(wert(schluessel));
    if (!f) {
      fehler();
      return;
    }
    ziel = *f;
  }

  bool fehler() {
    fehler_ = true;
    return false;
  }

  std::optional<float> single(const QString& w) const {
    return singleLesen(w, dezimal_);
  }

  const QString& text_;
  QChar dezimal_;
  bool fehler_ = false;
};

// ---------------------------------------------------------------- writing

// Builds the file line by line. Text values lose CR and LF, which would
// otherwise end the line early and leave the rest to be taken for a key.
// Keys whose text the code page cannot hold are noted.
class Schreiber {
 public:
  explicit Schreiber(QChar dezimal) : dezimal_(dezimal) {}

  void zeile(const QString& text) { text_.zeile(text); }
  void T(const QString& schluessel, QString wert) {
    wert.remove(u'\r');
    wert.remove(u'\n');
    if (!istCp1252(wert)) nichtDarstellbar_ << schluessel;
    zeile(schluessel + u'=' + wert);
  }
  void I(const QString& schluessel, int32_t wert) { zeile(schluessel + u'=' + QString::number(wert)); }

  template <class R>
  void schreiben(const QString& schluessel, const Zeile<R>& z, const R& r) {
    switch (z.art) {
      case Art::Abschnitt:
        zeile(QString());
        zeile(S(z.schluessel));
        break;
      case Art::T: T(schluessel, feld<QString>(r, z)); break;
      case Art::I:
      case Art::V: {
        const int16_t n = feld<int16_t>(r, z);
        I(schluessel, z.auswahl ? z.auswahl(n) : n);
        break;
      }
      case Art::L: I(schluessel, static_cast<int32_t>(feld<uint32_t>(r, z))); break;
      case Art::B:
      case Art::BV: I(schluessel, feld<bool>(r, z) ? 1 : 0); break;
      case Art::S:
      case Art::SN:
      case Art::SE: zeile(schluessel + u'=' + singleText(feld<float>(r, z), dezimal_)); break;
      default: break;
    }
  }

  // The file ends with one more line end (an empty last line).
  QByteArray bytes() const { return text_.bytes() + "\r\n"; }
  const QStringList& nichtDarstellbar() const { return nichtDarstellbar_; }

 private:
  CrLfText text_;
  QChar dezimal_;
  QStringList nichtDarstellbar_;
};

// ---------------------------------------------------------------- factory values

template <class R>
void werkswertSetzen(const Zeile<R>& z, R& r) {
  const QByteArray werk(z.werk);
  std::visit(
      [&](auto zeiger) {
        using Zeiger = decltype(zeiger);
        if constexpr (std::is_same_v<Zeiger, QString R::*>) {
          r.*zeiger = QString::fromUtf8(werk);
        } else if constexpr (std::is_same_v<Zeiger, int16_t R::*>) {
          r.*zeiger = werk.toShort();
        } else if constexpr (std::is_same_v<Zeiger, uint32_t R::*>) {
          r.*zeiger = werk.toUInt(nullptr, 0);
        } else if constexpr (std::is_same_v<Zeiger, bool R::*>) {
          r.*zeiger = werk == "1";
        } else if constexpr (std::is_same_v<Zeiger, float R::*>) {
          r.*zeiger = werk.toFloat();
        }
      },
      z.feld);
}

template <class R>
bool hatWerkswert(const Zeile<R>& z, bool standard) {
  return z.werk && (z.umfang == Werk::Immer || (standard && z.umfang == Werk::NurStandard));
}

}  // namespace

void werkswerteSetzen(Einstellungen& e, bool standard) {
  for (const Zeile<E>& z : kSchluessel) {
    if (z.art == Art::Schemata) {
      for (int n = 1; n <= 5; ++n) {
        for (const Zeile<D>& s : kSchemaSchluessel) {
          if (hatWerkswert(s, standard)) werkswertSetzen(s, e.Schemata[n]);
        }
      }
    } else if (hatWerkswert(z, standard)) {
      werkswertSetzen(z, e);
    }
  }
}

// ---------------------------------------------------------------- iniTextLesen

int16_t iniTextLesen(const QString& text, QChar dezimal, Einstellungen& e) {
  Leser l(text, dezimal);
  for (const Zeile<E>& z : kSchluessel) {
    if (z.art == Art::LetzteDateien) {
      l.I(S(z.schluessel), e.LetzteDateienAnzahl);
      e.LetzteDateienAnzahl = std::clamp<int16_t>(e.LetzteDateienAnzahl, 1, 16);
      // Empty slots are skipped so that the menu entries stay contiguous.
      e.LetzteDateien.clear();
      for (int n = 1; n <= e.LetzteDateienAnzahl; ++n) {
        const QString datei = l.wert(S("Datei ") + QString::number(n));
        if (!datei.isEmpty()) e.LetzteDateien.append(datei);
      }
    } else if (z.art == Art::Schemata) {
      for (int n = 1; n <= 5; ++n) {
        for (const Zeile<D>& s : kSchemaSchluessel) l.lesen(schemaSchluessel(n, s), s, e.Schemata[n]);
      }
    } else if (z.art != Art::Abschnitt) {
      l.lesen(S(z.schluessel), z, e);
    }
  }
  e.ToolTippsSetzen = e.Tooltipps;
  return l.status();
}

// ---------------------------------------------------------------- iniLesen

int16_t iniLesen(const QString& programmordner, QChar dezimal, Einstellungen& e) {
  e.ToolTippsSetzen = false;
  const QDir ordner(programmordner);
  const QString datei = ordner.filePath(kIniDatei);
  const QString alteDatei = ordner.filePath(kAlteIniDatei);
  Meldungen& meldungen = Tolvek::meldungen();

  if (QFileInfo::exists(alteDatei) && !QFileInfo::exists(datei)) {
    if (iniKonvertierenZuVer3(programmordner, kAlteIniDatei, e) != 1) {
      // Renamed so that the conversion runs once; a failed rename is ignored.
      QFile::rename(alteDatei, ordner.filePath(kAlteIniDateiUmbenannt));
      return kIniGelesen;
    }
    const Antwort a = meldungen.zeigen(
        S("Probleme bei der Konvertierung der Datei 'Pelvar.ini'\r\n"
          "Soll eine Standardkonfiguration geladen werden?"),
        kAnwendungstitel, Knoepfe::JaNein, Symbol::Kritisch, Antwort::Ja);
    return a == Antwort::Ja ? kIniStandard : kIniBeenden;
  }

  QString inhalt;
  if (!textdateiLesen(datei, inhalt)) {
    // One that is there but cannot be read (no permission, a folder) says so.
    const QString fehler = QFileInfo::exists(datei)
                               ? S("Die Pelvaron-Initialisierungsdatei konnte nicht gelesen werden.\n")
                               : S("Die Pelvaron-Initialisierungsdatei konnte nicht gefunden werden.\n");
    const Antwort a = meldungen.zeigen(
        fehler + S("Soll eine Standardkonfiguration geladen werden?"),
        S("Fehler beim Laden der Initialisierungsdatei"), Knoepfe::JaNein, Symbol::Keins,
        Antwort::Ja);
    return a == Antwort::Nein ? kIniBeenden : kIniStandard;
  }

  FeldLeser leser(inhalt);
  const std::optional<QString> kopf = leser.text();
  if (!kopf || *kopf != kIniKopf) {
    const Antwort a = meldungen.zeigen(
        S("Die Datei 'Pelvaron.ini' ist ungültig!\r\n"
          "Möchten Sie eine Standardkonfiguration laden?"),
        kAnwendungstitel, Knoepfe::JaNein, Symbol::Kritisch, Antwort::Ja);
    if (a != Antwort::Ja) return kIniBeenden;
    e.ToolTippsSetzen = e.Tooltipps;
    return kIniStandard;
  }
  return iniTextLesen(leser.rest(), dezimal, e);
}

// ---------------------------------------------------------------- writing

namespace {

Schreiber schreiben(const Einstellungen& e, QChar dezimal) {
  Schreiber w(dezimal);
  w.zeile(kIniKopf);
  for (const Zeile<E>& z : kSchluessel) {
    if (z.art == Art::LetzteDateien) {
      w.I(S(z.schluessel), std::max<int32_t>(4, e.LetzteDateienAnzahl));
      const QStringList dateien = letzteDateienSpeicherbar(e.LetzteDateien);
      for (int n = 1; n <= e.LetzteDateienAnzahl; ++n) {
        w.T(S("Datei ") + QString::number(n), n <= dateien.size() ? dateien[n - 1] : QString());
      }
    } else if (z.art == Art::Schemata) {
      for (int n = 1; n <= 5; ++n) {
        for (const Zeile<D>& s : kSchemaSchluessel) w.schreiben(schemaSchluessel(n, s), s, e.Schemata[n]);
      }
    } else {
      w.schreiben(S(z.schluessel), z, e);
    }
  }
  return w;
}

}  // namespace

QByteArray iniText(const Einstellungen& e, QChar dezimal) { return schreiben(e, dezimal).bytes(); }

bool iniSichern(const QString& programmordner, QChar dezimal, const Einstellungen& e) {
  const Schreiber w = schreiben(e, dezimal);
  if (!dateiErsetzen(QDir(programmordner).filePath(kIniDatei), w.bytes(), Verweise::NurEigene)) {
    Tolvek::Fehlerbehandlung(S("Form1 -> iniSichern"), Laufzeitfehler::kPfadZugriff,
                             S("Fehler beim Zugriff auf Pfad/Datei"));
    return false;
  }
  // The other settings are kept; the user is told which texts lost
  // characters the file cannot hold ("?" in their place).
  if (!w.nichtDarstellbar().isEmpty()) {
    Tolvek::Fehlerbehandlung(S("Form1 -> iniSichern"), Laufzeitfehler::kUngueltigerAufruf,
                             S("Zeichen nicht speicherbar bei: ") + w.nichtDarstellbar().join(S(", ")));
  }
  return true;
}

}  // namespace pv
