#include "aufnahme.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include "acquisition/erfassungszustand.h"
#include "acquisition/seriellerport.h"
#include "common/fehlerbehandlung.h"
#include "common/laufzeitfehler.h"
#include "common/meldungen.h"
#include "common/tolvek.h"
#include "common/uhr.h"
#include "common/zahlen.h"
#include "main/form1.h"
#include "main/hauptzustand.h"
#include "main/langzeit.h"
#include "main/sicherung.h"
#include "main/verbindung.h"

namespace pv {

namespace {

const QString kAnhalten = QStringLiteral("&Anhalten");
const QString kWeiter = QStringLiteral("&Weiter");
constexpr uint32_t kPauseAn = 0x007FFF;
constexpr uint32_t kStopAn = 0x0000FF;

}  // namespace

Aufnahme::Aufnahme(Form1& form, Verbindung& verbindung) : QObject(&form), f_(form), verbindung_(verbindung) {
  f_.StartButton->setEnabled(true);
  connect(f_.StartButton, &QPushButton::clicked, this, &Aufnahme::StartButton_Click);
  connect(f_.PauseButton, &QPushButton::clicked, this, &Aufnahme::PauseButton_Click);
  connect(f_.StopButton, &QPushButton::clicked, this, &Aufnahme::StopButton_Click);
}

void Aufnahme::farben(uint32_t start, uint32_t pause, std::optional<uint32_t> stop) {
  feldFarbeSetzen(f_.PicStatStart, start);
  feldFarbeSetzen(f_.PicStatPause, pause);
  if (stop) feldFarbeSetzen(f_.PicStatStop, *stop);
}

void Aufnahme::StartButton_Click() {
  Hauptmodul& h = hauptmodul();
  Erfassungszustand& z = erfassungsmodul().zustand;
  try {
    if (!h.MessungGespeichert && h.messdaten.m >= 1) {
      const Antwort a = Tolvek::meldungen().zeigen(
          QStringLiteral("Die vorhergehende Messung wurde noch nicht gespeichert!\n"
                         "Möchten Sie trotzdem eine neue Messung starten?\n"
                         "(Achtung - Die alten Messwerte gehen dadurch verloren!)"),
          QStringLiteral("Achtung"), Knoepfe::JaNein, Symbol::Keins, Antwort::Nein);
      if (a != Antwort::Ja) return;
    }
    if (f_.OptionLinear->isChecked()) {
      // Both factors are kept in single precision: a number beyond it is
      // as invalid as no number at all.
      const auto lesen = [&](const QString& text) -> std::optional<float> {
        if (text.isEmpty()) return 0.0f;
        return singleLesen(text, h.Dezimaltrennzeichen);
      };
      const auto m = lesen(f_.TextM->text());
      const auto t = lesen(f_.TextT->text());
      if (!m || !t) {
        Tolvek::meldungen().hinweis(QStringLiteral("Ungültige Eingabe bei der Formel für die Lineare Funktion!"));
        return;
      }
      h.einstellungen.LinearM = *m;
      h.einstellungen.LinearT = *t;
    }
    if (!z.Verbunden) {
      h.VorStartVerbunden = false;
      verbindung_.CommandPort_Click();
    } else {
      h.VorStartVerbunden = true;
    }
    // Only an open connection brings values; without one nothing would be
    // recorded while the buttons said otherwise.
    if (z.VerbindungFehlgeschlagen || !z.Verbunden) return;

    f_.CommandPort->setEnabled(false);
    f_.EinstellungenErmoeglichen(false);
    f_.StopButton->setEnabled(true);
    f_.PauseButton->setEnabled(true);
    f_.PauseButton->setText(kAnhalten);
    f_.StartButton->setEnabled(false);
    if (h.TabelleOffen && tabelleLeeren) tabelleLeeren();

    Messdaten& d = h.messdaten;
    d.MessDateiName.clear();
    f_.MessungLabel->setText(QStringLiteral("unbenannt"));
    const QDateTime jetzt = uhren().jetzt();
    beginn_ = jetzt;
    d.MesBeg = jetzt.toString(kMesszeitFormat);
    f_.MesBegLabel->setText(messzeitText(d.MesBeg));
    d.MesEnd.clear();
    f_.MesEndLabel->clear();
    Tolvek::zustand().MessStartDatumZeit = jetzt;
    h.aufzeichnung.starten(uhren().laufzeitMs(), h.XMaxStart);
    d.m = 0;
    h.WerteGesichert = 0;
    f_.LabelNumMW->clear();

    farben(kStatusGruenHell, kStatusPauseRuhe, std::nullopt);
    h.AufzeichnungAktiv = true;
    h.MessungLaeuft = true;
    h.MessungGespeichert = false;
  } catch (const Laufzeitfehler& fehler) {
    if (fehler.nummer() == 68 || fehler.nummer() == SeriellerPort::kUngueltigePortnummer) {
      Tolvek::meldungen().zeigen(
          fehler.nummer() == 68 ? QStringLiteral("Es können keine Daten empfangen werden.\r\n"
                                                 "Überprüfen Sie Ihre Comport-Einstellung.")
                                : QStringLiteral("Ungültige Comport-Einstellung.\r\n"
                                                 "Ändern Sie den Comport im Menü 'Einstellungen'."),
          kAnwendungstitel, Knoepfe::Ok, Symbol::Kritisch, Antwort::Ok);
      StopButton_Click();
    } else {
      Tolvek::Fehlerbehandlung(QStringLiteral("StartButton_Click"), fehler);
    }
  } catch (const std::exception& fehler) {
    Tolvek::Fehlerbehandlung(QStringLiteral("StartButton_Click"), fehler);
  }
}

void Aufnahme::PauseButton_Click() {
  Hauptmodul& h = hauptmodul();
  const Erfassungszustand& z = erfassungsmodul().zustand;
  if (f_.PauseButton->text() == kAnhalten) {
    h.AufzeichnungAktiv = false;
    uebergehen([&] { f_.PauseButton->setText(kWeiter); });
    uebergehen([&] { farben(kStatusGruenDunkel, kPauseAn, std::nullopt); });
    if (!z.Verbunden) uebergehen([&] { f_.EinstellungenErmoeglichen(true); });
  } else {
    // Only a serial device that should be connected gets its port back.
    uebergehen([&] {
      if (z.Verbunden && !z.USBGeraet && !f_.MSComm1->PortOpen()) f_.MSComm1->setPortOpen(true);
    });
    h.AufzeichnungAktiv = true;
    uebergehen([&] { f_.PauseButton->setText(kAnhalten); });
    uebergehen([&] { farben(kStatusGruenHell, kStatusPauseRuhe, std::nullopt); });
    uebergehen([&] { f_.EinstellungenErmoeglichen(false); });
  }
  f_.StatusSetzen(QString());
}

void Aufnahme::StopButton_Click() {
  Hauptmodul& h = hauptmodul();
  h.AufzeichnungAktiv = false;
  uebergehen([&] { f_.CommandPort->setEnabled(true); });
  if (!h.VorStartVerbunden && erfassungsmodul().zustand.Verbunden) {
    uebergehen([&] { verbindung_.CommandPort_Click(); });
  }
  uebergehen([&] {
    f_.StartButton->setEnabled(true);
    f_.StartButton->setFocus();
    f_.StopButton->setEnabled(false);
    f_.PauseButton->setEnabled(false);
    f_.MEinstell->setEnabled(true);
  });
  uebergehen([&] {
    if (endzeitSetzen()) f_.MesEndLabel->setText(messzeitText(h.messdaten.MesEnd));
  });
  f_.StatusSetzen(QString());
  h.MessungLaeuft = false;
  uebergehen([&] { farben(kStatusGruenDunkel, kStatusPauseRuhe, kStopAn); });
  uebergehen([&] { f_.EinstellungenErmoeglichen(!erfassungsmodul().zustand.Verbunden); });
}

bool Aufnahme::MessungSpeichern(const QString& datei, Verweise verweise) {
  Messdaten& d = hauptmodul().messdaten;
  if (!pv::MessungSpeichern(datei, d, messtexte(), messInfo(), verweise)) return false;
  hauptmodul().WerteGesichert = d.m;
  d.Messung = messungAusPfad(datei, d.Messung);
  f_.MessungLabel->setText(messungLabelText(datei));
  return true;
}

bool Aufnahme::Sicherheitsdatei() {
  return MessungSpeichern(sicherungsdatei(kSicherheitsdatei), Verweise::NurEigene);
}

std::optional<QByteArray> Aufnahme::sicherheitsdateiInhalt() const {
  try {
    return messdateiBytes(hauptmodul().messdaten, messtexte(), messInfo());
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

bool Aufnahme::endzeitSetzen() {
  Hauptmodul& h = hauptmodul();
  if (!h.MessungLaeuft || !beginn_.isValid()) return false;
  h.messdaten.MesEnd = beginn_.addMSecs(uhren().laufzeitMs() - h.aufzeichnung.StartMs).toString(kMesszeitFormat);
  return true;
}

void Aufnahme::MessungBeendetMelden(bool zwischenGespeichert, bool sicherheitGespeichert) {
  const bool gespeichert = zwischenGespeichert && sicherheitGespeichert;
  Tolvek::meldungen().hinweis(messungBeendetText(zwischenGespeichert, sicherheitGespeichert, sicherungsordner()),
                              gespeichert ? Symbol::Keins : Symbol::Ausruf);
}

bool Aufnahme::ZwischenSpeichern() {
  QString& datei = hauptmodul().einstellungen.ZwischenspeichernDatei;
  bool erfolg = false;
  try {
    // A name of one of the program's own files (only a settings file edited
    // by hand holds one) is never written; the default name takes over.
    if (zwischenspeicherDateiErlaubt(datei)) {
      f_.StatusSetzen(QStringLiteral("Zwischenspeichern..."));
      f_.Label1->repaint();
      erfolg = MessungSpeichern(sicherungsdatei(datei), Verweise::NurEigene);
    }
  } catch (...) {
    erfolg = false;
  }
  // The status line is soon written over by the values coming in; the mark
  // beside it stays until an intermediate save succeeds.
  if (erfolg) {
    f_.StatusSetzen(QStringLiteral("Zwischenspeichern erfolgreich beendet"));
    f_.LabelSicherungFehler->clear();
  } else {
    f_.StatusSetzen(QStringLiteral("Fehler beim Zwischenspeichern! Neue Datei: pvsavezs.mes"));
    f_.LabelSicherungFehler->setText(zwischenspeicherFehlerText(QTime::currentTime()));
    datei = kStandardZsDatei;
  }
  f_.LabelSicherungFehler->setVisible(!erfolg);
  f_.Label1->repaint();
  return erfolg;
}

void Aufnahme::anhaltenOhneMeldung() {
  uebergehen([&] { StopButton_Click(); });
  hauptmodul().MessungLaeuft = false;
}

void Aufnahme::anhaltenOhneFenster() {
  Hauptmodul& h = hauptmodul();
  h.AufzeichnungAktiv = false;
  uebergehen([&] { endzeitSetzen(); });
  h.MessungLaeuft = false;
}

bool Aufnahme::AbbrechenOhneMeldung() {
  anhaltenOhneMeldung();
  bool gesichert = false;
  uebergehen([&] { gesichert = Sicherheitsdatei(); });
  return gesichert;
}

void Aufnahme::MessungAbbrechen(const QString& grund, int nummer, const QString& text) {
  const bool gesichert = AbbrechenOhneMeldung();
  QString meldung;
  if (grund == QStringLiteral("pv_Abbruch")) {
    meldung = QStringLiteral("Die Messung musste Aufgrund eines Problems beendet werden.\r\n");
    if (nummer > 0) {
      meldung += QStringLiteral("Fehlercode: ") + QString::number(nummer) + QStringLiteral("\r\nFehlerbeschreibung: ") +
                 text;
    }
  }
  if (!gesichert) {
    // Set apart from the cause by an empty line.
    if (!meldung.isEmpty()) meldung += meldung.endsWith(QStringLiteral("\r\n")) ? QStringLiteral("\r\n") : QStringLiteral("\r\n\r\n");
    meldung += nichtGeschriebenText(QStringLiteral("Die Sicherheitsdatei konnte"), sicherungsordner());
  }
  Tolvek::meldungen().zeigen(meldung, QStringLiteral("Achtung"), Knoepfe::Ok, Symbol::Ausruf, Antwort::Ok);
}

void Aufnahme::AnzahlSetzen(const QString& text) { f_.LabelNumMW->setText(text); }
QString Aufnahme::EndeText() const { return f_.MesEndLabel->text(); }
void Aufnahme::EndeTextSetzen(const QString& text) { f_.MesEndLabel->setText(text); }

Messtexte Aufnahme::messtexte() const { return f_.messtexte(); }

void Aufnahme::messtexteSetzen(const Messtexte& t) { f_.messtexteSetzen(t); }

QString Aufnahme::messInfo() const {
  const Hauptmodul& h = hauptmodul();
  return messInfoText(f_.Messwertverarbeitung(), h.einstellungen.LinearM, h.einstellungen.LinearT, f_.LabelFuehler->text(),
                      h.Dezimaltrennzeichen);
}

}  // namespace pv
