// The connection end to end: a pseudo-terminal plays the instrument on the
// COM port the program is pointed at, and the main window shows what the
// program made of it.
#include "main/verbindung.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QProperty>
#include <QThread>
#include <QTimer>

#include "acquisition/abfrage.h"
#include "acquisition/empfang.h"
#include "acquisition/portpruefung.h"
#include "acquisition/seriellerport.h"
#include "common/balken.h"
#include "common/leds.h"
#include "programm_mit_geraet.h"

namespace {

using pvtest::kAutomatisch;
using pvtest::warteBis;
using VerbindungTest = pvtest::ProgrammMitGeraet;

TEST_F(VerbindungTest, ContinuousDeviceRecordsAreCutAsTheyArrive) {
  auto werte = kAutomatisch;
  starten(QStringLiteral("Fortlaufend"), werte);
  ui().CommandPort->click();
  ASSERT_EQ(ui().CommandPort->text(), QStringLiteral("Trennen"));
  EXPECT_TRUE(pv::erfassungsmodul().zustand.Verbunden);
  EXPECT_FALSE(f().MComport->isEnabled());
  EXPECT_EQ(pv::feldFarbe(ui().PicVerbindungStatus), 0x00FF00u);

  pty.senden("DC -1.234 V\rDC  2.000 V\rDC  3.");
  ASSERT_TRUE(warteBis([&] { return saetze.size() >= 2; }));
  pvtest::ereignisseFuer(50);
  EXPECT_EQ(saetze, (QList<QByteArray>{"DC -1.234 V\r", "DC  2.000 V\r"}));
  pty.senden("000 V\r");
  ASSERT_TRUE(warteBis([&] { return saetze.size() == 3; }));
  EXPECT_EQ(saetze[2], "DC  3.000 V\r");

  ui().CommandPort->click();
  EXPECT_EQ(ui().CommandPort->text(), QStringLiteral("Verbinden"));
  EXPECT_FALSE(f().MSComm1->PortOpen());
  EXPECT_TRUE(f().MComport->isEnabled());
  EXPECT_EQ(pv::feldFarbe(ui().PicVerbindungStatus), 0x008000u);
}

TEST_F(VerbindungTest, ContinuousAsciiDeviceShowsTheEvaluatedValue) {
  mitschreiben = false;
  starten(QStringLiteral("Fortlaufend"), kAutomatisch);
  ui().OptionWert1->setChecked(true);
  ui().CommandPort->click();
  pty.senden("DC -1.234 V\r");
  ASSERT_TRUE(warteBis([&] { return !ui().LabelMesswert->text().isEmpty(); }));
  // The record's point becomes the system's decimal separator (German here).
  EXPECT_EQ(ui().LabelMesswert->text(), QStringLiteral("-1,234"));
  EXPECT_EQ(ui().LabelEinheit1->text(), QStringLiteral("DC"));
  EXPECT_EQ(ui().LabelEinheit2->text(), QStringLiteral("V"));
  EXPECT_EQ(status(), QStringLiteral("Daten werden empfangen"));
  EXPECT_EQ(ui().LEDMessgeraet->Status(), 1);
  // The lamp goes out 300 ms after the last record.
  ASSERT_TRUE(warteBis([&] { return ui().LEDMessgeraet->Status() == 0; }));
  ui().CommandPort->click();
}

TEST_F(VerbindungTest, ContinuousDeviceWithoutEndMarkAndSilentDevice) {
  starten(QStringLiteral("Feste Länge"), {{QStringLiteral("Datenstringlänge"), QStringLiteral("14")}}, 0.2f);
  ui().CommandPort->click();
  pty.senden(QByteArray(43, 'x'));
  ASSERT_TRUE(warteBis([&] { return status() == pv::kDatenabschlussFehlt; }));
  EXPECT_TRUE(saetze.isEmpty());
  // Nothing more comes: the watchdog reports it.
  ASSERT_TRUE(warteBis([&] { return status() == pv::kGeraetSendetNicht; }));
  EXPECT_EQ(ui().LabelMesswert->text(), QStringLiteral("------"));
  EXPECT_EQ(ui().lblPbar->text(), QStringLiteral("---"));
}

TEST_F(VerbindungTest, RequestDeviceIsAskedAndItsSplitReplyEvaluatedOnce) {
  auto werte = kAutomatisch;
  werte << std::pair{QStringLiteral("Gerät aktiv"), QStringLiteral("0")}
        << std::pair{QStringLiteral("Datenanforderungszeichen"), QStringLiteral("P{CR}{LF}{65}")}
        << std::pair{QStringLiteral("Wartezeit"), QStringLiteral("5")};
  starten(QStringLiteral("Abfrage"), werte, 5);
  ui().CommandPort->click();
  ASSERT_EQ(ui().CommandPort->text(), QStringLiteral("Trennen"));
  QByteArray angefragt;
  ASSERT_TRUE(warteBis([&] { angefragt += pty.empfangen(); return angefragt.size() >= 4; }));
  EXPECT_EQ(angefragt, QByteArray("P\r\nA"));
  EXPECT_TRUE(programm->verbindung().timerDA->isActive());

  pty.senden("DC -1.2");
  pvtest::ereignisseFuer(50);
  EXPECT_TRUE(saetze.isEmpty());
  pty.senden("34 V\r");
  ASSERT_TRUE(warteBis([&] { return saetze.size() == 1; }));
  EXPECT_EQ(saetze[0], "DC -1.234 V\r");
  EXPECT_FALSE(programm->verbindung().timerDA->isActive());
  ui().CommandPort->click();
}

TEST_F(VerbindungTest, MissingReplyIsReportedAfterTheReplyTime) {
  auto werte = kAutomatisch;
  werte << std::pair{QStringLiteral("Gerät aktiv"), QStringLiteral("0")}
        << std::pair{QStringLiteral("Datenanforderungszeichen"), QStringLiteral("P{CR}")}
        << std::pair{QStringLiteral("Wartezeit"), QStringLiteral("10")};
  starten(QStringLiteral("Stumm"), werte, 0.1f);
  ui().CommandPort->click();
  ASSERT_TRUE(warteBis([&] { return status() == pv::kZeitueberschreitungAnfrage; }));
  EXPECT_EQ(ui().LabelEinheit1->text(), QStringLiteral("---"));
  EXPECT_EQ(ui().LabelMesswert->text(), QStringLiteral("------"));
}

// The port's line error counters count from each opening of the port on:
// the connect, and "Weiter" opening again a port closed meanwhile, whose
// counters may have started anew (an adapter plugged in again).
TEST_F(VerbindungTest, LineErrorsCountFromEachOpeningOfThePort) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch);
  pv::Zeilenfehlerzaehler stand{5, 5, 5, 5};
  programm->verbindung().empfang().zaehlerLesen = [&stand] { return std::optional(stand); };
  ui().CommandPort->click();
  stand.pufferUeberlauf = 6;
  pty.senden("DC -1.234 V\r");
  ASSERT_TRUE(warteBis([&] { return !saetze.isEmpty(); }));
  EXPECT_EQ(status().toStdString(), "Empfangspufferüberlauf");

  ui().StartButton->click();
  ui().PauseButton->click();
  f().MSComm1->setPortOpen(false);
  stand = {0, 0, 0, 0};
  ui().PauseButton->click();
  ASSERT_TRUE(f().MSComm1->PortOpen());
  const QStringList zeilenfehler{QStringLiteral("Frame-Fehler"), QStringLiteral("Überlauffehler"),
                                 QStringLiteral("Empfangspufferüberlauf"), QStringLiteral("Paritätsfehler")};
  pty.senden("DC -1.234 V\r");
  ASSERT_TRUE(warteBis([&] { return saetze.size() == 2 || zeilenfehler.contains(status()); }));
  EXPECT_FALSE(zeilenfehler.contains(status())) << status().toStdString();
  ui().StopButton->click();
  ui().CommandPort->click();
}

TEST_F(VerbindungTest, RefusedConnectsLeaveTheConnectionClosed) {
  starten(QStringLiteral("Belegt"), kAutomatisch);
  // Another program holds the port.
  pv::SeriellerPort anderer;
  anderer.setCommPort(3);
  anderer.setPortOpen(true);
  ui().CommandPort->click();
  EXPECT_EQ(ui().CommandPort->text(), QStringLiteral("Verbinden"));
  EXPECT_TRUE(ui().CommandPort->isEnabled());
  EXPECT_TRUE(pv::erfassungsmodul().zustand.VerbindungFehlgeschlagen);
  EXPECT_FALSE(pv::erfassungsmodul().zustand.Verbunden);
  ASSERT_EQ(u.meldungen.boxen.size(), 1u);
  const QString prozess = QStringLiteral("%1 (%2)").arg(QCoreApplication::applicationPid()).arg(
      QFileInfo(QCoreApplication::applicationFilePath()).fileName());
  EXPECT_EQ(u.meldungen.boxen[0].text,
            pv::portfehlerText(3, pty.slave(),
                               pv::Portbefund(pv::PortUrsache::Belegt, {}, {}, pv::sperrdateiPfad(pty.slave()), prozess)));
  EXPECT_FALSE(programm->verbindung().timerTimeOut->isActive());

  // The COM menu refuses a change while the program's port is open.
  anderer.setPortOpen(false);
  ui().CommandPort->click();
  ASSERT_TRUE(pv::erfassungsmodul().zustand.Verbunden);
  f().MCom_Click(4);
  EXPECT_EQ(f().MSComm1->CommPort(), 3);
  EXPECT_EQ(u.meldungen.boxen.size(), 2u);
  ui().CommandPort->click();

  // Without a device only the message comes.
  pv::geraeteZustand().AktuellesMessgeraet.clear();
  ui().CommandPort->click();
  EXPECT_EQ(u.meldungen.boxen.back().text, QStringLiteral("Es ist kein Messgerät ausgewählt!"));
  EXPECT_EQ(ui().CommandPort->text(), QStringLiteral("Verbinden"));
}

TEST_F(VerbindungTest, SimulationFeedsFourRecordsPerPollAndSendsNothing) {
  auto werte = kAutomatisch;
  werte << std::pair{QStringLiteral("Gerät aktiv"), QStringLiteral("0")}
        << std::pair{QStringLiteral("Datenanforderungszeichen"), QStringLiteral("P")}
        << std::pair{QStringLiteral("Wartezeit"), QStringLiteral("10")};
  starten(QStringLiteral("Simuliert"), werte);
  pv::hauptmodul().Simulation = true;
  ui().CommandPort->click();
  ASSERT_EQ(saetze.size(), 1);
  EXPECT_EQ(saetze[0].count('\r'), 4);
  EXPECT_EQ(saetze[0].size(), 4 * 14);
  pvtest::ereignisseFuer(30);
  EXPECT_TRUE(pty.empfangen().isEmpty());
  EXPECT_FALSE(programm->verbindung().timerDA->isActive());
  ui().CommandPort->click();
}

TEST(Abfrage, TimerIntervals) {
  EXPECT_EQ(pv::abfrageintervallMs(0, 0.01), 10);
  EXPECT_EQ(pv::abfrageintervallMs(0, 0.001), 1);
  EXPECT_EQ(pv::abfrageintervallMs(2.5f, 0.001), 2500);
  EXPECT_EQ(pv::antwortzeitMs(QStringLiteral("9600,n,8,1"), 14, 1), 1015);
  EXPECT_EQ(pv::antwortzeitMs(QStringLiteral("9600,n,8,1"), 14, 100), 60000);
  EXPECT_EQ(pv::antwortzeitMs(QStringLiteral("USB"), 14, 1), 60000);
}

TEST(Abfrage, SimulatedRecordsFollowTheSine) {
  double phase = std::asin(123.4 / 250.0) - 0.05;
  EXPECT_EQ(pv::simulierteDatensaetze(phase, 0, u','), QByteArray("DC  123,4 mV \r").repeated(4));
  phase = std::asin(-5.2 / 250.0) - 0.05;
  EXPECT_EQ(pv::simulierteDatensaetze(phase, 1, u'.'), QByteArray("DC-005.20 mV \r").repeated(4));
}

}  // namespace

namespace {

TEST_F(VerbindungTest, DisconnectStopsEveryTimerAndDarkensTheDataLine) {
  auto werte = kAutomatisch;
  werte << std::pair{QStringLiteral("Gerät aktiv"), QStringLiteral("0")}
        << std::pair{QStringLiteral("Datenanforderungszeichen"), QStringLiteral("P")}
        << std::pair{QStringLiteral("Wartezeit"), QStringLiteral("0.1")};
  starten(QStringLiteral("Abfrage"), werte, 2, [](pv::Einstellungen& e) { e.DatenlinieAnimation = true; });
  pv::Verbindung& v = programm->verbindung();
  ui().CommandPort->click();
  ASSERT_TRUE(v.Timer2->isActive());
  // The measurement settings dialog asks for the watchdog: a request device
  // has none, and a time-out of 0 switches it off for any device.
  v.zeitueberwachungSetzen();
  EXPECT_FALSE(v.timerTimeOut->isActive());
  // Disconnect while the PC side's data line is still lighting up.
  ASSERT_TRUE(v.datenliniePC->laeuft());
  ui().CommandPort->click();
  for (QTimer* t : {v.Timer2, v.timerDA, v.timerTimeOut, v.timerDatenliniePC}) EXPECT_FALSE(t->isActive());
  pvtest::ereignisseFuer(400);
  for (const pv::LEDs* lampe : ui().LEDAniPC) EXPECT_EQ(lampe->Status(), 0);
}

TEST_F(VerbindungTest, WatchdogOfAContinuousDeviceAndAZeroTimeOut) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch, 0);
  pv::Verbindung& v = programm->verbindung();
  ui().CommandPort->click();
  EXPECT_FALSE(v.timerTimeOut->isActive());
  pv::hauptmodul().einstellungen.TimeOutTime = 0.5f;
  v.zeitueberwachungSetzen();
  EXPECT_TRUE(v.timerTimeOut->isActive());
  EXPECT_EQ(v.timerTimeOut->interval(), 500);
  ui().CommandPort->click();
  EXPECT_FALSE(v.timerTimeOut->isActive());
}

}  // namespace

namespace {

using pvtest::ereignisseFuer;

// A request device answering with fixed-length records of 5 characters.
QList<std::pair<QString, QString>> anfrageGeraet(const QString& intervall, const QString& schnittstelle = {}) {
  QList<std::pair<QString, QString>> w = {
      {QStringLiteral("Gerät aktiv"), QStringLiteral("0")},
      {QStringLiteral("Datenanforderungszeichen"), QStringLiteral("P")},
      {QStringLiteral("Wartezeit"), intervall},
      {QStringLiteral("Datenstringlänge"), QStringLiteral("5")},
      {QStringLiteral("Messwertbeginn"), QStringLiteral("1")},
      {QStringLiteral("Messwertende"), QStringLiteral("4")},
      {QStringLiteral("Vorzeichenstelle"), QStringLiteral("0")},
      {QStringLiteral("Einheit1 Beginn"), QStringLiteral("0")},
      {QStringLiteral("Einheit1 Ende"), QStringLiteral("0")},
  };
  if (!schnittstelle.isEmpty()) w << std::pair{QStringLiteral("Schnittstellenparameter"), schnittstelle};
  return w;
}

TEST_F(VerbindungTest, BytesSentBeforeConnectingAreNeverRecords) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch);
  pty.senden("DC  9.999 V\r");
  ereignisseFuer(50);
  ui().CommandPort->click();
  pty.senden("DC  1.000 V\r");
  ASSERT_TRUE(warteBis([&] { return !saetze.isEmpty(); }));
  ereignisseFuer(50);
  EXPECT_EQ(saetze, QList<QByteArray>{"DC  1.000 V\r"});
  ui().CommandPort->click();
}

TEST_F(VerbindungTest, EveryRequestDiscardsWhatTheDeviceSentBefore) {
  starten(QStringLiteral("Abfrage"), anfrageGeraet(QStringLiteral("100")));
  pv::Verbindung& v = programm->verbindung();
  ui().CommandPort->click();
  ereignisseFuer(50);
  // A late reply lies in the port, not yet read, when the next request goes out.
  pty.senden("99\r");
  for (int i = 0; i < 60000 && pty.ungelesen() < 3; ++i) QThread::msleep(1);
  v.Timer2_Timer();
  pty.senden("1234\r");
  ASSERT_TRUE(warteBis([&] { return !saetze.isEmpty(); }));
  EXPECT_EQ(saetze, QList<QByteArray>{"1234\r"});
  ui().CommandPort->click();
}

TEST_F(VerbindungTest, PollingIntervalFloorsAndReplyTime) {
  struct Fall {
    const char* name;
    const char* intervall;
    const char* schnittstelle;
    QList<int> intervalle;  // Timer2 while connecting and its first poll
    int antwortzeit;        // 10 bit times per record character + 1 s
  };
  const Fall faelle[] = {
      {"no interval: 10 ms to connect, then 1 ms", "0", "9600,n,8,1", {10, 1}, 1005},
      {"2.5 s stays", "2.5", "9600,n,8,1", {2500}, 1005},
      {"slow line: the record length counts", "2.5", "300,n,8,1", {2500}, 1167},
  };
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.name);
    starten(QStringLiteral("Abfrage"),
            anfrageGeraet(QString::fromLatin1(fall.intervall), QString::fromLatin1(fall.schnittstelle)));
    pv::Verbindung& v = programm->verbindung();
    QList<int> gesehen;
    const QPropertyNotifier beobachter =
        v.Timer2->bindableInterval().addNotifier([&] { gesehen << v.Timer2->interval(); });
    ui().CommandPort->click();
    EXPECT_EQ(gesehen, fall.intervalle);
    EXPECT_EQ(v.timerDA->interval(), fall.antwortzeit);
    ui().CommandPort->click();
    programm.reset();
  }
}

TEST_F(VerbindungTest, ReplyTimeOutEmptiesTheDisplayAndTheBar) {
  starten(QStringLiteral("Abfrage"), anfrageGeraet(QStringLiteral("100")));
  Tolvek::PegelZeigen(ui().PBar2, 50, u',');
  ui().LabelMesswert->setText(QStringLiteral("1,234"));
  programm->verbindung().timerDA_Timer();
  EXPECT_EQ(status(), pv::kZeitueberschreitungAnfrage);
  EXPECT_EQ(ui().LabelMesswert->text(), QStringLiteral("------"));
  EXPECT_EQ(ui().PBar2->Wert(), 0.0f);
  EXPECT_EQ(ui().lblPbar->text(), QStringLiteral("---"));
}

TEST_F(VerbindungTest, EachRecordRestartsTheWatchdog) {
  mitschreiben = false;
  starten(QStringLiteral("Fortlaufend"), kAutomatisch, 0.6f);
  pv::Verbindung& v = programm->verbindung();
  ui().CommandPort->click();
  ereignisseFuer(300);
  pty.senden("DC -1.234 V\r");
  ASSERT_TRUE(warteBis([&] { return !ui().LabelMesswert->text().isEmpty(); }));
  EXPECT_GT(v.timerTimeOut->remainingTime(), 400);
  ui().CommandPort->click();
}

TEST_F(VerbindungTest, PollSourcesOfUsbAndSimulation) {
  starten(QStringLiteral("Abfrage"), anfrageGeraet(QStringLiteral("100")));
  pv::Verbindung& v = programm->verbindung();
  pv::Erfassungszustand& z = pv::erfassungsmodul().zustand;
  // Disconnected, the simulation makes no records.
  pv::hauptmodul().Simulation = true;
  v.Timer2_Timer();
  EXPECT_TRUE(saetze.isEmpty());
  pv::hauptmodul().Simulation = false;

  z.USBGeraet = true;
  QByteArray antwort = pv::zuCp1252(pv::kUsbNichtGefunden);
  v.usbLesen = [&] { return antwort; };
  v.Timer2_Timer();
  EXPECT_EQ(status(), pv::kUsbNichtGefunden);
  EXPECT_TRUE(saetze.isEmpty());
  antwort = "FEHLER";
  v.Timer2_Timer();
  EXPECT_EQ(saetze, QList<QByteArray>{"FEHLER"});
  // This tag reads nothing: the empty record.
  z.Spezial = QStringLiteral("VCxxxUSB");
  v.Timer2_Timer();
  EXPECT_EQ(saetze, (QList<QByteArray>{"FEHLER", QByteArray()}));
  EXPECT_FALSE(v.timerDA->isActive());
}

// COM 3 on an instrument whose far end can close, as a pulled cable leaves
// the port.
std::unique_ptr<pvtest::Pseudoterminal> abziehbaresGeraet() {
  auto geraet = std::make_unique<pvtest::Pseudoterminal>();
  qputenv("PELVARON_COM3", geraet->slave().toLocal8Bit());
  return geraet;
}

TEST_F(VerbindungTest, PortLostWithoutARecordingEndsTheConnectionOnce) {
  auto instrument = abziehbaresGeraet();
  const QString pfad = instrument->slave();
  mitschreiben = false;
  starten(QStringLiteral("Abfrage"), anfrageGeraet(QStringLiteral("0.02")));
  QTimer antwort;
  QObject::connect(&antwort, &QTimer::timeout, [&] {
    if (instrument && !instrument->empfangen().isEmpty()) instrument->senden("1234\r");
  });
  antwort.start(5);
  ui().CommandPort->click();
  ASSERT_TRUE(warteBis([&] { return ui().LEDPC->Status() == 1 && ui().LEDMessgeraet->Status() == 1; }));

  instrument.reset();
  ASSERT_TRUE(warteBis([&] { return !u.meldungen.boxen.empty(); }));
  // Dark at once, not when the lamps' own time runs out.
  EXPECT_EQ(ui().LEDPC->Status(), 0);
  EXPECT_EQ(ui().LEDMessgeraet->Status(), 0);
  ereignisseFuer(100);
  ASSERT_EQ(u.meldungen.boxen.size(), 1u);
  EXPECT_EQ(u.meldungen.boxen[0].text, pv::verbindungVerlorenText(3, pfad));
  EXPECT_EQ(ui().CommandPort->text(), QStringLiteral("Verbinden"));
  EXPECT_TRUE(ui().CommandPort->isEnabled());
  EXPECT_TRUE(f().MComport->isEnabled());  // another port can be chosen
  EXPECT_FALSE(programm->verbindung().Timer2->isActive());
}

TEST_F(VerbindungTest, PortLostDuringARecordingKeepsTheSettingsLockedUntilItEnds) {
  auto instrument = abziehbaresGeraet();
  starten(QStringLiteral("Fortlaufend"), kAutomatisch);
  ui().StartButton->click();
  ASSERT_TRUE(pv::hauptmodul().MessungLaeuft);
  instrument.reset();
  ASSERT_TRUE(warteBis([&] { return !u.meldungen.boxen.empty(); }));
  EXPECT_FALSE(ui().FrameMWVerarbeitung->isEnabled());
  EXPECT_FALSE(f().MGeraet->isEnabled());
  ui().StopButton->click();
  EXPECT_TRUE(ui().FrameMWVerarbeitung->isEnabled());
  EXPECT_TRUE(f().MGeraet->isEnabled());
}

}  // namespace
