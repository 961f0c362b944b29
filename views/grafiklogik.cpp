#include "grafiklogik.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "common/laufzeitfehler.h"
#include "common/zahlen.h"
#include "common/zahlenformat.h"

namespace pv {

namespace {

const QString kKeineMesswerte = QStringLiteral("Es sind keine Messwerte vorhanden.");
const QString kNichtErstellt = QStringLiteral("Die Grafik konnte nicht erstellt werden!");
const QString kZoomNichtMoeglich = QStringLiteral("Zoomen nicht möglich!");

// The redraw's steps, as a failure names them.
const QString kXMinimum = QStringLiteral("x-Achse Minimum");
const QString kXMaximum = QStringLiteral("x-Achse Maximum");
const QString kXIntervall = QStringLiteral("x-Achse Intervall");
const QString kYMinimum = QStringLiteral("y-Achse Minimum");
const QString kYMaximum = QStringLiteral("y-Achse Maximum");
const QString kYIntervall = QStringLiteral("y-Achse Intervall");
const QString kTitel = QStringLiteral("Titel setzen");
const QString kXTitel = QStringLiteral("Achsenbeschriftung x-Achse");
const QString kYTitel = QStringLiteral("Achsenbeschriftung y-Achse");
const QString kOffset = QStringLiteral("Offset definieren");
const QString kVorherige = QStringLiteral("Vorherige Parameter setzen");
const QString kRoutine = QStringLiteral("Grafik-Routine");
const QString kXEintragen = QStringLiteral("Parameter eintragen x-Achse");
const QString kYEintragen = QStringLiteral("Parameter eintragen y-Achse");
const QString kSchrittweiteEintragen = QStringLiteral("Parameter eintragen Schrittweite");

// A field that cannot be read is a failure of the step that reads it.
float lesen(const QString& text, int16_t code, const Feldumgebung& u) {
  const std::optional<float> wert = feldWert(text, code, u.dezimaltrennzeichen, u.messStart);
  if (!wert) throw Laufzeitfehler(Laufzeitfehler::kTypenUnvertraeglich, QStringLiteral("Typen unverträglich"));
  return *wert;
}

void achseSchreiben(Achsenfelder& f, float min, float max, float abstand, const Achsenformat& a,
                    const Feldumgebung& u) {
  f.minimum = feldText(min, a, u);
  f.maximum = feldText(max, a, u);
  f.intervall = feldText(abstand, a, u, true);
}

QString schrittweiteText(const GrafikEinstellungen& p) {
  return QStringLiteral("Schrittweite: ") + QString::number(p.Schrittweite);
}

int schrittweiteMarke(const GrafikEinstellungen& p) {
  if (p.SchrittweiteAutomatisch) return 0;
  return p.Schrittweite == 1 ? 1 : 2;
}

QString zeichenfehlerGrund(int16_t r) {
  switch (r) {
    case Tolvek::kGrafikNichts:
      return QStringLiteral("allgemeiner Fehler");
    case Tolvek::kGrafikZuVieleWerte:
      return QStringLiteral("zu viele darzustellende Messwerte!");
    default:
      return QStringLiteral("FehlerID=") + QString::number(r);
  }
}

}  // namespace

int16_t intervallCode(int16_t code) { return std::min<int16_t>(code, 15); }

QString breitesterFeldtext(int16_t code, int16_t nachkommastellen, QChar dezimaltrennzeichen) {
  switch (code) {
    case 13: return QStringLiteral("8888:88");
    case 14: return QStringLiteral("88:88");
    case 15: return QStringLiteral("88:88:88");
    case 16: return QStringLiteral("88.88.8888 88:88:88");
    default: break;
  }
  QString text = QStringLiteral("-88888");
  if (nachkommastellen > 0) text += dezimaltrennzeichen + QString(std::min<int>(nachkommastellen, 15), u'8');
  return text;
}

QString feldText(float wert, int16_t code, int16_t nachkommastellen, QChar dezimaltrennzeichen,
                 const QDateTime& messStart) {
  return Tolvek::zahlFormatieren(wert, code, nachkommastellen, dezimaltrennzeichen, messStart).text;
}

QString feldText(float wert, const Achsenformat& format, const Feldumgebung& u, bool intervall) {
  return feldText(wert, intervall ? intervallCode(format.code) : format.code, format.nachkommastellen,
                  u.dezimaltrennzeichen, u.messStart);
}

std::optional<float> feldWert(const QString& text, int16_t code, QChar dezimaltrennzeichen,
                              const QDateTime& messStart) {
  const QString gelesen = Tolvek::ZahlEinlesen(text, code, dezimaltrennzeichen, messStart);
  const std::optional<double> zahl = zahlLesen(gelesen, dezimaltrennzeichen);
  if (!zahl) return std::nullopt;
  const float wert = static_cast<float>(*zahl);
  if (!std::isfinite(wert)) return std::nullopt;
  return wert;
}

Ansicht ansichtAus(const GrafikEinstellungen& p) { return {p.XMin, p.XMax, p.YMin, p.YMax}; }

void ansichtSetzen(GrafikEinstellungen& p, const Ansicht& a) {
  p.XMin = a.XMin;
  p.XMax = a.XMax;
  p.YMin = a.YMin;
  p.YMax = a.YMax;
}

QString yTitel(const QString& physGr, const QString& zeichen, const QString& einheit,
               const QString& yBezeichnung) {
  QString titel = physGr;
  if (!zeichen.isEmpty()) titel += u' ' + zeichen;
  if (!einheit.isEmpty()) titel += QStringLiteral(" (") + yBezeichnung + einheit + u')';
  return titel;
}

Zeichenergebnis neuZeichnen(Grafikfelder& felder, GrafikEinstellungen& p, Ansicht& vorherige,
                            const Neuzeichenlage& lage, const Zeichnen& zeichnen) {
  Zeichenergebnis e;
  const Feldumgebung& u = lage.format;
  if (lage.m == 0 && (felder.x.minMaxAuto || felder.y.minMaxAuto)) {
    e.meldung = kKeineMesswerte;
    return e;
  }

  // Every failure beeps. Only a failed drawing can have touched the record's
  // range; it goes back to the view before, which is the last one drawn.
  const auto scheitern = [&](const QString& text) {
    if (e.aufgerufen && !e.gezeichnet) ansichtSetzen(p, vorherige);
    e.piepen = true;
    e.meldung = text;
    return e;
  };

  QString schritt;
  try {
    float XMin = 0, XMax = 0, YMin = 0, YMax = 0;
    if (felder.x.minMaxAuto) {
      // From the data, or the running extent while recording.
      if (lage.messungLaeuft) XMax = lage.autoXMax;
    } else {
      schritt = kXMinimum;
      XMin = lesen(felder.x.minimum, u.x.code, u);
      schritt = kXMaximum;
      XMax = lesen(felder.x.maximum, u.x.code, u);
      if (XMin >= XMax) return scheitern(kNichtErstellt);
    }
    if (felder.x.intervallAuto) {
      p.GitterabstandAutoX = true;
    } else {
      schritt = kXIntervall;
      p.GitterabstandAutoX = false;
      p.GitterabstandX = lesen(felder.x.intervall, intervallCode(u.x.code), u);
    }

    if (felder.y.minMaxAuto) {
      if (lage.messungLaeuft) {
        YMin = lage.autoYMin;
        YMax = lage.autoYMax;
      }
    } else {
      schritt = kYMinimum;
      YMin = lesen(felder.y.minimum, u.y.code, u);
      schritt = kYMaximum;
      YMax = lesen(felder.y.maximum, u.y.code, u);
      if (YMin >= YMax) return scheitern(kNichtErstellt);
    }
    if (felder.y.intervallAuto) {
      p.GitterabstandAutoY = true;
    } else {
      schritt = kYIntervall;
      p.GitterabstandAutoY = false;
      p.GitterabstandY = lesen(felder.y.intervall, intervallCode(u.y.code), u);
    }

    schritt = kTitel;
    p.Titel = lage.beschreibung.Titel;
    schritt = kXTitel;
    p.XTitel = lage.xBezeichnung;
    schritt = kYTitel;
    p.YTitel = yTitel(lage.beschreibung.PhysGr, lage.beschreibung.Zeichen, lage.beschreibung.Einheit,
                      lage.yBezeichnung);
    schritt = kOffset;
    p.ZusatzLinks = p.ZusatzRechts = p.ZusatzOben = p.ZusatzUnten = 0;
    schritt = kVorherige;
    vorherige = ansichtAus(p);
    e.meldung = QString();

    schritt = kRoutine;
    p.Druckausgabe = false;
    e.aufgerufen = true;
    const int16_t r = zeichnen(XMin, XMax, YMin, YMax, p);
    if (r != Tolvek::kGrafikFertig) {
      achseSchreiben(felder.x, p.XMin, p.XMax, p.GitterabstandX, u.x, u);
      return scheitern(QStringLiteral("Fehler beim Erstellen der Grafik: ") + zeichenfehlerGrund(r));
    }
    e.gezeichnet = true;

    schritt = kXEintragen;
    achseSchreiben(felder.x, p.XMin, p.XMax, p.GitterabstandX, u.x, u);
    felder.x.intervallAuto = p.GitterabstandAutoX;
    schritt = kYEintragen;
    achseSchreiben(felder.y, p.YMin, p.YMax, p.GitterabstandY, u.y, u);
    felder.y.intervallAuto = p.GitterabstandAutoY;
    schritt = kSchrittweiteEintragen;
    e.schrittweiteText = schrittweiteText(p);
    e.schrittweiteMarke = schrittweiteMarke(p);
    e.meldung = QString();
    return e;
  } catch (const std::exception&) {
    return scheitern(QStringLiteral("Fehler bei '") + schritt + QStringLiteral("'. ") + kNichtErstellt);
  }
}

Zeichenergebnis zoomen(const Zoomrechteck& r, Grafikfelder& felder, GrafikEinstellungen& p, Ansicht& vorherige,
                       const Feldumgebung& format, const Zeichnen& zeichnen) {
  Zeichenergebnis e;
  const auto scheitern = [&] {
    e.piepen = true;
    e.meldung = kZoomNichtMoeglich;
    return e;
  };
  if (r.x1 == r.x2 || r.y1 == r.y2) return scheitern();
  try {
    vorherige = ansichtAus(p);
    p.Druckausgabe = false;
    float XMin = r.x1, XMax = r.x2, YMin = r.y2, YMax = r.y1;
    e.aufgerufen = true;
    if (zeichnen(XMin, XMax, YMin, YMax, p) != Tolvek::kGrafikFertig) return scheitern();
    e.gezeichnet = true;
    Grafikfelder neu = felder;
    achseSchreiben(neu.x, p.XMin, p.XMax, p.GitterabstandX, format.x, format);
    achseSchreiben(neu.y, p.YMin, p.YMax, p.GitterabstandY, format.y, format);
    // Typed ranges from now on, so that later redraws keep the zoomed view.
    neu.x.minMaxAuto = false;
    neu.y.minMaxAuto = false;
    p.MinMaxAutoX = false;
    p.MinMaxAutoY = false;
    felder = neu;
    e.schrittweiteText = schrittweiteText(p);
    return e;
  } catch (const std::exception&) {
    return scheitern();
  }
}

bool zahlenformatAendern(Achsenfelder& felder, int16_t alt, int16_t neu, int16_t nachkommastellen,
                         QChar dezimaltrennzeichen, const QDateTime& messStart) {
  if (alt == neu) return false;
  bool geaendert = false;
  const auto umschreiben = [&](QString& text, int16_t von, int16_t nach) {
    const std::optional<float> wert = feldWert(text, von, dezimaltrennzeichen, messStart);
    if (!wert) return;
    const QString neuerText = feldText(*wert, nach, nachkommastellen, dezimaltrennzeichen, messStart);
    if (neuerText == text) return;
    text = neuerText;
    geaendert = true;
  };
  umschreiben(felder.minimum, alt, neu);
  umschreiben(felder.maximum, alt, neu);
  umschreiben(felder.intervall, intervallCode(alt), intervallCode(neu));
  return geaendert;
}

void schemaAnwenden(GrafikEinstellungen& p, const DarstellungsSchema& s) {
  p.FarbeHintergrund = s.FarbeHintergrund;
  p.FarbeMesskurve = s.FarbeMesskurve;
  p.LiniendickeAchsen = s.LiniendickeAchsen;
  p.LiniendickeGitter = s.LiniendickeGitter;
  p.FarbeTextLinien = s.FarbeTextLinien;
  p.FarbeZeichnungsflaeche = s.FarbeZeichnungsflaeche;
  p.Messpunktgroesse = s.Messpunktgroesse;
  p.Liniendicke = s.Liniendicke;
}

void ladebereicheSetzen(GrafikEinstellungen& p, bool messungLaeuft, float autoXMax, float autoYMin,
                        float autoYMax) {
  if (messungLaeuft) {
    p.XMin = 0;
    p.XMax = autoXMax;
    p.YMin = autoYMin;
    p.YMax = autoYMax;
    return;
  }
  if (p.XMax == p.XMin) {
    p.XMax = p.XMin + 300;
    p.GitterabstandX = 60;
  }
  if (p.YMin == p.YMax) {
    p.YMin = 0;
    p.YMax = 1;
    p.GitterabstandY = 0.2f;
  }
}

bool messStartNeuSetzen(const QDateTime& messStart, int32_t m, bool messungLaeuft) {
  return !messungLaeuft && (!messStart.isValid() || m == 0);
}

void felderLaden(Grafikfelder& felder, const GrafikEinstellungen& p, const Feldumgebung& u) {
  const auto laden = [&](Achsenfelder& f, bool minMaxAuto, float min, float max, bool abstandAuto, float abstand,
                         const Achsenformat& a) {
    f.minMaxAuto = minMaxAuto;
    f.minimum = feldText(min, a, u);
    f.maximum = feldText(max, a, u);
    f.intervallAuto = abstandAuto;
    if (abstand > 0) f.intervall = feldText(abstand, a, u, true);
  };
  laden(felder.x, p.MinMaxAutoX, p.XMin, p.XMax, p.GitterabstandAutoX, p.GitterabstandX, u.x);
  laden(felder.y, p.MinMaxAutoY, p.YMin, p.YMax, p.GitterabstandAutoY, p.GitterabstandY, u.y);
}

}  // namespace pv
