#include "datenauswertung.h"

#include <QDateTime>
#include <algorithm>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "acquisition/ansichten.h"
#include "acquisition/erfassungszustand.h"
#include "acquisition/sensorinterpolation.h"
#include "devices/sensordatei.h"
#include "common/balken.h"
#include "common/laufzeitfehler.h"
#include "common/programmordner.h"
#include "common/uhr.h"
#include "main/aufnahme.h"
#include "main/form1.h"
#include "main/hauptzustand.h"
#include "main/verbindung.h"

namespace pv {

Datenauswertung::Datenauswertung(Form1& form, Verbindung& verbindung, Aufnahme& aufnahme)
    : f_(form), verbindung_(verbindung), aufnahme_(aufnahme) {
  auswertung.sensor = [](float wert) {
    const Kennlinie& aktiv = sensorZustand().Sensor;
    return Sensor(wert, aktiv.X, aktiv.Y, hauptmodul().Dezimaltrennzeichen);
  };
}

Auswertungseinstellungen Datenauswertung::einstellungen() const {
  const Hauptmodul& h = hauptmodul();
  const Einstellungen& e = h.einstellungen;
  Auswertungseinstellungen a;
  a.Dezimaltrennzeichen = h.Dezimaltrennzeichen;
  // No option chosen means the device value, never a processed value of 0.
  a.Verarbeitung = static_cast<Messwertverarbeitung>(std::max<int16_t>(f_.Messwertverarbeitung(), 1));
  a.LinearM = e.LinearM;
  a.LinearT = e.LinearT;
  a.CheckMinON = e.CheckMinON;
  a.CheckMin = e.CheckMin;
  a.CheckMaxON = e.CheckMaxON;
  a.CheckMax = e.CheckMax;
  a.TimeOutON = e.TimeOutON;
  a.DatenlinieAnimation = e.DatenlinieAnimation;
  a.BarGraphAktiviert = e.BarGraphAktiviert;
  a.YZahlenformatnummer = e.YZahlenformatnummer;
  a.YNachkommastellen = e.YNachkommastellen;
  a.AnzeigeMessgeraet = f_.OptionWert1->isChecked();
  a.Einheit = f_.TextEinheit->text();
  return a;
}

Speichereinstellungen Datenauswertung::speichereinstellungen() const {
  const Hauptmodul& h = hauptmodul();
  const Einstellungen& e = h.einstellungen;
  Speichereinstellungen s;
  s.MessendeAutomatisch = e.MessendeAutomatisch;
  s.Messdauer = e.Messdauer;
  s.Wartezeit = e.Wartezeit;
  s.ZwischenspeichernAutomatisch = e.ZwischenspeichernAutomatisch;
  s.ZwischenspeichernZeit = e.ZwischenspeichernZeit;
  s.XZahlenformatnummer = e.XZahlenformatnummer;
  s.XNachkommastellen = e.XNachkommastellen;
  s.YZahlenformatnummer = e.YZahlenformatnummer;
  s.YNachkommastellen = e.YNachkommastellen;
  s.Dezimaltrennzeichen = h.Dezimaltrennzeichen;
  if (grafikWerte) grafikWerte(s);
  return s;
}

void Datenauswertung::DatensatzAuswerten(const QByteArray& datensatz) {
  Hauptmodul& h = hauptmodul();
  Erfassungsmodul& modul = erfassungsmodul();
  const int64_t laufzeitMs = uhren().laufzeitMs();
  const QDateTime jetzt = uhren().jetzt();
  const QString anfang = debugAnfang(jetzt, modul.zustand.DataCol.size(), datensatz);
  const Auswertungsergebnis r = auswertung.auswerten(datensatz, modul.zustand, modul, einstellungen());
  if (r.modelldecoder) feldpositionenUebernehmen(r.layout, modul.zustand);
  ergebnisAnzeigen(r, *this, ansichten());
  if (!r.debugZeile()) return;

  QString gespeichert;
  // A debug file that cannot be written is passed over after a value that
  // did not convert or was too close to the last one.
  bool debugFehlerMelden = r.ausgang != Auswertungsausgang::KeinMesswert;
  try {
    if (r.speicherbar() && h.AufzeichnungAktiv) {
      const Speicherergebnis s = WertSpeichern(r.verarbeitet, laufzeitMs, h.messdaten, h.aufzeichnung,
                                               speichereinstellungen(), modul.zustand.Spezial, aufnahme_, ansichten());
      if (!s.debugZeile()) return;
      // Values recorded after a save are not in the file yet.
      if (s.ausgang == Speicherausgang::Gespeichert) h.MessungGespeichert = false;
      if (s.ausgang == Speicherausgang::ZuDicht) debugFehlerMelden = false;
      gespeichert = s.debugStueck;
    }
    if (h.DebugDatei) {
      const QString zeile = anfang + r.debugMitte(h.Dezimaltrennzeichen) + gespeichert +
                            debugEnde(uhren().jetzt());
      if (!debugSchreiben(Programmordner::pfad(), zeile) && debugFehlerMelden) {
        throw Laufzeitfehler(75, QStringLiteral("Fehler beim Zugriff auf Pfad/Datei"));
      }
    }
  } catch (const Laufzeitfehler& fehler) {
    f_.StatusSetzen(verarbeitungsfehlerText(fehler.nummer()));
  } catch (const std::exception&) {
    f_.StatusSetzen(verarbeitungsfehlerText(5));
  }
}

void Datenauswertung::StatusSetzen(const QString& text) { f_.StatusSetzen(text); }

void Datenauswertung::DatensatzAngenommen(bool wachhundNeuStarten, bool datenlinieAnimieren) {
  verbindung_.datensatzAusgewertet(wachhundNeuStarten, datenlinieAnimieren);
}

void Datenauswertung::MessbereichAnzeigen(int16_t index) { f_.CommandMB_Click(index); }

void Datenauswertung::MesswertAnzeigen(const QString& wert, const QString& einheit1, const QString& einheit2) {
  f_.LabelMesswert->setText(wert);
  f_.LabelEinheit1->setText(einheit1);
  f_.LabelEinheit2->setText(einheit2);
}

void Datenauswertung::MesswerttextSetzen(const QString& wert) { f_.LabelMesswert->setText(wert); }

QString Datenauswertung::PegelTag() const { return f_.PBar2->Tag(); }

void Datenauswertung::PegelZeigen(float wert) { Tolvek::PegelZeigen(f_.PBar2, wert, hauptmodul().Dezimaltrennzeichen); }

QString Datenauswertung::PegelBeschriftung() const { return f_.lblPbar->text(); }

void Datenauswertung::PegelBeschriftungSetzen(const QString& text) { f_.lblPbar->setText(text); }

}  // namespace pv
