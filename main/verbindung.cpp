#include "verbindung.h"

#include <QLabel>
#include <QPushButton>
#include <QSerialPort>
#include <QTimer>

#include "acquisition/abfrage.h"
#include "acquisition/erfassungszustand.h"
#include "acquisition/seriellerport.h"
#include "common/balken.h"
#include "common/cp1252.h"
#include "common/farben.h"
#include "common/fehlerbehandlung.h"
#include "common/laufzeitfehler.h"
#include "common/leds.h"
#include "common/meldungen.h"
#include "common/tolvek.h"
#include "devices/geraetetabelle.h"
#include "main/form1.h"
#include "main/hauptzustand.h"

namespace pv {

namespace {

constexpr int kLampenDauer = 300;
constexpr int kDatenlinieDauer = 1500;
const QString kVerbinden = QStringLiteral("Verbinden");
const QString kTrennen = QStringLiteral("Trennen");

QTimer* einmalTimer(QObject* eltern, int ms) {
  auto* t = new QTimer(eltern);
  t->setSingleShot(true);
  t->setInterval(ms);
  return t;
}

}  // namespace

Verbindung::Verbindung(Form1& form) : QObject(&form), f_(form) {
  Timer2 = new QTimer(this);
  timerDA = einmalTimer(this, 0);
  timerTimeOut = new QTimer(this);
  timerLEDPC = einmalTimer(this, kLampenDauer);
  timerLEDMessgeraet = einmalTimer(this, kLampenDauer);
  timerDatenliniePC = einmalTimer(this, kDatenlinieDauer);
  timerDatenlinieMessgeraet = einmalTimer(this, kDatenlinieDauer);
  datenliniePC = new Datenlinie(f_.LEDAniPC, this);
  datenlinieMessgeraet = new Datenlinie(f_.LEDAniMessgeraet, this);

  connect(Timer2, &QTimer::timeout, this, &Verbindung::Timer2_Timer);
  connect(timerDA, &QTimer::timeout, this, &Verbindung::timerDA_Timer);
  connect(timerTimeOut, &QTimer::timeout, this, &Verbindung::timerTimeOut_Timer);
  connect(timerLEDPC, &QTimer::timeout, this, [this] { f_.LEDPC->StatusSetzen(0); });
  connect(timerLEDMessgeraet, &QTimer::timeout, this, [this] { f_.LEDMessgeraet->StatusSetzen(0); });
  connect(timerDatenliniePC, &QTimer::timeout, this, [this] { datenliniePC->animieren(0); });
  connect(timerDatenlinieMessgeraet, &QTimer::timeout, this,
          [this] { datenlinieMessgeraet->animieren(0); });

  Empfang::Ziel ziel;
  ziel.auswerten = [this](const QByteArray& satz) { auswerten(satz); };
  ziel.antwortzeitStoppen = [this] { timerDA->stop(); };
  ziel.status = [this](const QString& text) { f_.StatusSetzen(text); };
  empfang_ = std::make_unique<Empfang>(erfassungsmodul().zustand, std::move(ziel));

  QSerialPort& port = f_.MSComm1->port();
  empfang_->zaehlerLesen = [&port] { return zeilenfehlerLesen(port.isOpen() ? port.handle() : -1); };
  // Wherever the port opens ("Verbinden", "Weiter"), the line error counters
  // start from there.
  f_.MSComm1->geoeffnet = [this] { empfang_->portGeoeffnet(); };
  connect(&port, &QSerialPort::readyRead, this,
          [this, &port] { empfang_->ereignis(kEreignisEmpfang, port); });
  f_.MSComm1->verloren = [this] { verbindungVerloren(); };

  f_.CommandPort->setEnabled(true);
  connect(f_.CommandPort, &QPushButton::clicked, this, &Verbindung::CommandPort_Click);
}

Verbindung::~Verbindung() = default;

void Verbindung::auswerten(const QByteArray& satz) {
  if (DatensatzAuswerten) DatensatzAuswerten(satz);
}

void Verbindung::CommandPort_Click() {
  Erfassungszustand& z = erfassungsmodul().zustand;
  if (geraeteZustand().AktuellesMessgeraet.isEmpty()) {
    Tolvek::meldungen().hinweis(QStringLiteral("Es ist kein Messgerät ausgewählt!"));
    return;
  }
  z.VerbindungFehlgeschlagen = false;
  const auto fehlgeschlagen = [&] {
    z.VerbindungFehlgeschlagen = true;
    f_.CommandPort->setEnabled(true);
  };
  try {
    if (f_.CommandPort->text() == kVerbinden) {
      verbinden();
    } else {
      trennen();
    }
  } catch (const Portfehler& fehler) {
    fehlgeschlagen();
    Tolvek::meldungen().hinweis(fehler.text());
  } catch (const Laufzeitfehler& fehler) {
    fehlgeschlagen();
    Tolvek::Fehlerbehandlung(QStringLiteral("CommandPort"), fehler);
  } catch (const std::exception& fehler) {
    fehlgeschlagen();
    Tolvek::Fehlerbehandlung(QStringLiteral("CommandPort"), fehler);
  }
}

void Verbindung::anzeigeLeeren(const QString& platzhalter) {
  f_.LabelEinheit1->setText(platzhalter.isEmpty() ? QString() : QStringLiteral("---"));
  f_.LabelMesswert->setText(platzhalter);
  f_.LabelEinheit2->setText(platzhalter.isEmpty() ? QString() : QStringLiteral("---"));
  Tolvek::PegelZeigen(f_.PBar2, 0, hauptmodul().Dezimaltrennzeichen);
  f_.lblPbar->setText(platzhalter.isEmpty() ? QString() : QStringLiteral("---"));
}

void Verbindung::verbinden() {
  Erfassungszustand& z = erfassungsmodul().zustand;
  const Einstellungen& e = hauptmodul().einstellungen;
  f_.CommandPort->setEnabled(false);
  if (!z.USBGeraet) {
    try {
      f_.MSComm1->setPortOpen(true);
    } catch (...) {
      f_.CommandPort->setEnabled(true);
      throw;
    }
  }
  f_.EinstellungenErmoeglichen(false);
  z.DataCol.clear();
  z.EmpfangAktiv = false;
  empfang_->anfrageBeginnt();
  z.Verbunden = true;
  feldFarbeSetzen(f_.PicVerbindungStatus, kStatusGruenHell);
  f_.StatusSetzen(QString());
  anzeigeLeeren(QString());
  f_.CommandPort->setText(kTrennen);
  // Made again while a recording runs (after a lost connection), the
  // button stays off as the recording's start left it.
  f_.CommandPort->setEnabled(!hauptmodul().MessungLaeuft);

  if (!z.GeraetAktiv) {
    Timer2->setInterval(abfrageintervallMs(z.Abfrageintervall, 0.01));
    Timer2_Timer();
    Timer2->start();
  } else {
    Timer2->stop();
    timerTimeOut->setInterval(zeitueberwachungMs(e.TimeOutTime));
    if (wachhundAn()) timerTimeOut->start(); else timerTimeOut->stop();
  }
}

bool Verbindung::wachhundAn() const {
  // A time-out of 0 would report on every turn of the event loop: off.
  return erfassungsmodul().zustand.GeraetAktiv && hauptmodul().einstellungen.TimeOutON == 1 &&
         timerTimeOut->interval() > 0;
}

void Verbindung::trennen() {
  Erfassungszustand& z = erfassungsmodul().zustand;
  if (!z.USBGeraet && f_.MSComm1->PortOpen()) f_.MSComm1->setPortOpen(false);
  f_.EinstellungenErmoeglichen(true);
  // Every timer of the connection stops, whatever mode the device had.
  Timer2->stop();
  timerDA->stop();
  timerTimeOut->stop();
  f_.CommandPort->setText(kVerbinden);
  z.Verbunden = false;
  feldFarbeSetzen(f_.PicVerbindungStatus, kStatusGruenDunkel);
  f_.LEDPC->StatusSetzen(0);
  timerDatenliniePC->stop();
  datenliniePC->animieren(0);
  f_.LEDMessgeraet->StatusSetzen(0);
  timerDatenlinieMessgeraet->stop();
  datenlinieMessgeraet->animieren(0);
}

void Verbindung::Timer2_Timer() {
  Erfassungszustand& z = erfassungsmodul().zustand;
  Hauptmodul& h = hauptmodul();
  uebergehen([&] {
    if (Timer2->interval() != static_cast<double>(z.Abfrageintervall) * 1000.0) {
      Timer2->setInterval(abfrageintervallMs(z.Abfrageintervall, 0.001));
    }
  });
  uebergehen([&] {
    if (!timerLEDPC->isActive()) f_.LEDPC->StatusSetzen(1);
    timerLEDPC->start();
  });
  if (h.einstellungen.DatenlinieAnimation) {
    uebergehen([&] {
      datenliniePC->animieren(1);
      timerDatenliniePC->start();
    });
  }
  uebergehen([&] {
    if (h.Simulation) {
      if (z.Verbunden) {
        auswerten(simulierteDatensaetze(simulationPhase_, h.einstellungen.StandardGeraetNr,
                                        h.Dezimaltrennzeichen));
      }
      return;
    }
    if (z.USBGeraet) {
      QByteArray satz;
      if (!spezialBeginnt(z.Spezial, u"VCxxxUSB") && usbLesen) satz = usbLesen();
      if (satz == zuCp1252(kUsbNichtGefunden)) {
        f_.StatusSetzen(kUsbNichtGefunden);
      } else {
        auswerten(satz);
      }
      return;
    }
    SeriellerPort& port = *f_.MSComm1;
    // Whatever came before the request, read or still in the port, is old.
    if (port.PortOpen()) port.port().clear(QSerialPort::Input);
    z.DataCol.clear();
    empfang_->anfrageBeginnt();
    if (port.PortOpen()) port.port().write(zuCp1252(z.Datenanforderung));
    timerDA->setInterval(antwortzeitMs(port.Settings(), z.Datenstringlaenge, h.einstellungen.TimeOutTime));
    timerDA->start();
  });
}

void Verbindung::timerDA_Timer() {
  const bool anfrage = !erfassungsmodul().zustand.GeraetAktiv;
  f_.StatusSetzen(anfrage ? kZeitueberschreitungAnfrage : kGeraetSendetNicht);
  anzeigeLeeren(QStringLiteral("------"));
  timerDA->stop();
}

void Verbindung::timerTimeOut_Timer() {
  timerDA->setInterval(1);
  timerDA->start();
}

void Verbindung::zeitueberwachungSetzen() {
  const Einstellungen& e = hauptmodul().einstellungen;
  timerTimeOut->setInterval(zeitueberwachungMs(e.TimeOutTime));
  if (f_.CommandPort->text() != kTrennen) return;
  if (wachhundAn()) timerTimeOut->start(); else timerTimeOut->stop();
}

void Verbindung::datensatzAusgewertet(bool wachhundNeuStarten, bool datenlinieAnimieren) {
  // A record cut after the connection closed (the recording ended inside
  // the same read) does not wake the watchdog again.
  if (wachhundNeuStarten && erfassungsmodul().zustand.Verbunden && timerTimeOut->interval() > 0) {
    timerTimeOut->start();
  }
  if (!timerLEDMessgeraet->isActive()) f_.LEDMessgeraet->StatusSetzen(1);
  timerLEDMessgeraet->start();
  if (datenlinieAnimieren) {
    datenlinieMessgeraet->animieren(1);
    timerDatenlinieMessgeraet->start();
  }
}

void Verbindung::verbindungVerloren() {
  // The port went away under the open connection and is closed already.
  // The connection ends as "Trennen" ends it; a recording goes on with every
  // value it has and its settings locked, and the button is free, so the
  // connection can be made again once the port is back.
  if (!erfassungsmodul().zustand.Verbunden) return;
  uebergehen([this] { trennen(); });
  if (hauptmodul().MessungLaeuft) f_.EinstellungenErmoeglichen(false);
  f_.CommandPort->setEnabled(true);
  f_.StatusSetzen(kUebertragungsfehler);
  // The box opens once the port's own signal has returned.
  const QString text = verbindungVerlorenText(f_.MSComm1->CommPort(), f_.MSComm1->pfad());
  QTimer::singleShot(0, this, [text] { Tolvek::meldungen().hinweis(text, Symbol::Ausruf); });
}

}  // namespace pv
