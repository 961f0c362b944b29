// Recordings end to end: a pseudo-terminal instrument sends values while the
// recording control stores, pauses, stops, saves and opens them.
#include "main/aufnahme.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPort>
#include <QTimer>

#include "acquisition/abfrage.h"
#include "acquisition/seriellerport.h"
#include "common/dateiauswahl.h"
#include "common/uhr.h"
#include "main/dateimenue.h"
#include "main/datenauswertung.h"
#include "main/messdatei.h"
#include "main/sicherung.h"
#include "programm_mit_geraet.h"
#include "support/kleinesdateisystem.h"

namespace {

using pvtest::kAutomatisch;
using pvtest::warteBis;

// Answers the file dialogs from a queue; an empty answer cancels.
struct FakeDateiauswahl : pv::Dateiauswahl {
  std::deque<QString> antworten;
  QStringList vorschlaege;
  QString naechste() {
    if (antworten.empty()) return {};
    QString a = antworten.front();
    antworten.pop_front();
    return a;
  }
  QString oeffnen(QWidget*, const QString&, const QString&, const QString&) override { return naechste(); }
  QString speichern(QWidget*, const QString&, const QString&, const QString& vorschlag, const QString&,
                    const QString&) override {
    vorschlaege << vorschlag;
    return naechste();
  }
};

class AufnahmeTest : public pvtest::ProgrammMitGeraet {
 protected:
  void SetUp() override {
    ProgrammMitGeraet::SetUp();
    mitschreiben = false;
    pv::dateiauswahlSetzen(&dialoge);
    connect_ = QObject::connect(&takt, &QTimer::timeout, [this] { pty.senden("DC  1.500 V\r"); });
  }
  void TearDown() override {
    takt.stop();
    pv::uhren() = pv::Uhren{};
    pv::dateiauswahlSetzen(nullptr);
    ProgrammMitGeraet::TearDown();
  }
  pv::Aufnahme& aufnahme() { return programm->aufnahme(); }
  pv::Hauptmodul& h() { return pv::hauptmodul(); }

  FakeDateiauswahl dialoge;
  QTimer takt;  // the instrument sends every 50 ms while it runs
  QMetaObject::Connection connect_;
};

TEST_F(AufnahmeTest, TimedRecordingWaitsEndsSavesAndReadsBackEqual) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch, 5, [](pv::Einstellungen& e) {
    e.Wartezeit = 0.3f;
    e.MessendeAutomatisch = true;
    e.Messdauer = 1.6f;
    e.ZwischenspeichernAutomatisch = true;
    e.ZwischenspeichernZeit = 0.5f;
    e.ZwischenspeichernDatei = QStringLiteral("zwischen.mes");
  });
  takt.start(50);
  ui().StartButton->click();
  ASSERT_TRUE(h().MessungLaeuft);
  EXPECT_EQ(ui().CommandPort->text(), QStringLiteral("Trennen"));
  EXPECT_FALSE(ui().StartButton->isEnabled());
  EXPECT_EQ(pv::feldFarbe(ui().PicStatStart), 0x00FF00u);

  ASSERT_TRUE(warteBis([&] { return !h().MessungLaeuft; }));
  takt.stop();
  const pv::Messdaten& d = h().messdaten;
  // About every 0.3 s from 0 to 1.6 s: at most six values (fewer on a busy
  // machine), never closer together.
  EXPECT_GE(d.m, 2);
  EXPECT_LE(d.m, 6);
  for (int i = 2; i <= d.m; ++i) EXPECT_GE(d.x[i] - d.x[i - 1], 0.3f - 1e-4f) << i;
  EXPECT_LT(d.x[d.m], 1.6f);
  EXPECT_EQ(d.y[1], 1.5f);
  ASSERT_FALSE(u.meldungen.boxen.empty());
  EXPECT_EQ(u.meldungen.boxen.back().text, QStringLiteral("Die Messung ist beendet!"));
  // The start had connected the device: the end disconnects it.
  EXPECT_EQ(ui().CommandPort->text(), QStringLiteral("Verbinden"));
  EXPECT_TRUE(ui().StartButton->isEnabled());
  EXPECT_EQ(pv::feldFarbe(ui().PicStatStop), 0x0000FFu);

  for (const QString& name : {QStringLiteral("pvsave.tmp"), QStringLiteral("zwischen.mes")}) {
    const pv::Leseergebnis r = pv::messdateiLesen(u.pfad(name), false);
    ASSERT_TRUE(r.gelesen()) << name.toStdString();
    EXPECT_EQ(r.inhalt.daten.m, d.m);
    EXPECT_EQ(r.inhalt.daten.x, d.x);
    EXPECT_EQ(r.inhalt.daten.y, d.y);
    EXPECT_EQ(r.inhalt.daten.MesBeg, d.MesBeg);
  }
  // The safety file was written last and names the measurement.
  EXPECT_EQ(d.Messung, QStringLiteral("pvsave"));
  EXPECT_FALSE(h().MessungGespeichert);
}

// The wall clock set back an hour and forward a day while recording (by
// hand, by the network after boot, a virtual machine that resumes): the
// values' times, the waiting time, the intermediate save, the remaining time,
// the automatic end and the end text keep to the running clock; only the
// start text reads the wall clock.
TEST_F(AufnahmeTest, SettingTheWallClockLosesNoValueAndEndsOnTime) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch, 5, [](pv::Einstellungen& e) {
    e.Wartezeit = 2;
    e.ZwischenspeichernAutomatisch = true;
    e.ZwischenspeichernZeit = 60;
    e.ZwischenspeichernDatei = QStringLiteral("zwischen.mes");
    e.MessendeAutomatisch = true;
    e.Messdauer = 600;
  });
  const QDateTime beginn(QDate(2026, 3, 1), QTime(12, 0, 0));
  double laufzeit = 0;   // seconds on the running clock since the start
  int64_t gestellt = 0;  // seconds the wall clock has been set by
  pv::uhren().laufzeitMs = [&] { return int64_t(7'000'000 + laufzeit * 1000); };
  pv::uhren().jetzt = [&] { return beginn.addSecs(gestellt).addMSecs(int64_t(laufzeit * 1000)); };
  ui().StartButton->click();
  ASSERT_TRUE(h().MessungLaeuft);

  constexpr int64_t kStunde = 3600, kTag = 86400;
  struct Schritt {
    double laufzeit;
    int64_t gestellt;
    int32_t m;
    int32_t zwischen;  // values in the intermediate save; 0: none yet
    std::string ende;  // the end label
  };
  const Schritt schritte[] = {
      {0, 0, 1, 0, "verbleibend: 00:10:00"},
      {1, -kStunde, 1, 0, "verbleibend: 00:09:59"},
      {2, -kStunde, 2, 0, "verbleibend: 00:09:58"},
      {3, kTag, 2, 0, "verbleibend: 00:09:57"},
      {4, kTag, 3, 0, "verbleibend: 00:09:56"},
      {58, -kStunde, 4, 0, "verbleibend: 00:09:02"},
      {60, kTag, 5, 5, "verbleibend: 00:09:00"},
      {119, -kStunde, 6, 5, "verbleibend: 00:08:01"},
      {600, kTag, 6, 6, "01.03.2026, 12:10:00"},
  };
  for (const Schritt& s : schritte) {
    SCOPED_TRACE(s.laufzeit);
    laufzeit = s.laufzeit;
    gestellt = s.gestellt;
    programm->datenauswertung().DatensatzAuswerten("DC  1.500 V\r");
    EXPECT_EQ(h().messdaten.m, s.m);
    const pv::Leseergebnis r = pv::messdateiLesen(u.pfad(QStringLiteral("zwischen.mes")), false);
    EXPECT_EQ(r.gelesen() ? r.inhalt.daten.m : 0, s.zwischen);
    EXPECT_EQ(ui().MesEndLabel->text().toStdString(), s.ende);
    EXPECT_EQ(h().MessungLaeuft, s.laufzeit < 600);
  }
  EXPECT_EQ(h().messdaten.x, (std::vector<float>{0, 0, 2, 4, 58, 60, 119}));
  EXPECT_EQ(u.meldungen.boxen.back().text, QStringLiteral("Die Messung ist beendet!"));
  EXPECT_EQ(h().messdaten.MesBeg, QStringLiteral("01.03.2026 12:00:00"));
  // A stop after the end (the program's end) leaves the end time alone.
  laufzeit = 700;
  aufnahme().anhaltenOhneMeldung();
  aufnahme().anhaltenOhneFenster();
  EXPECT_EQ(h().messdaten.MesEnd.toStdString(), "01.03.2026 12:10:00");
}

TEST_F(AufnahmeTest, PauseStopsStoringAndStopKeepsAConnectionMadeBefore) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch);
  ui().CommandPort->click();  // connected before the start
  takt.start(50);
  ui().StartButton->click();
  ASSERT_TRUE(warteBis([&] { return h().messdaten.m >= 2; }));
  ui().PauseButton->click();
  EXPECT_EQ(ui().PauseButton->text(), QStringLiteral("&Weiter"));
  EXPECT_FALSE(h().AufzeichnungAktiv);
  const int32_t angehalten = h().messdaten.m;
  pvtest::ereignisseFuer(200);
  EXPECT_EQ(h().messdaten.m, angehalten);
  // Values are still shown while paused.
  EXPECT_FALSE(ui().LabelMesswert->text().isEmpty());
  ui().PauseButton->click();
  ASSERT_TRUE(warteBis([&] { return h().messdaten.m > angehalten; }));
  ui().StopButton->click();
  EXPECT_FALSE(h().MessungLaeuft);
  EXPECT_EQ(ui().CommandPort->text(), QStringLiteral("Trennen"));
  EXPECT_FALSE(h().messdaten.MesEnd.isEmpty());
  ui().CommandPort->click();
}

TEST_F(AufnahmeTest, StartAsksBeforeUnsavedValuesAreLostAndNeedsAConnection) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch);
  h().messdaten.anhaengen(0, 1);
  h().MessungGespeichert = false;
  u.meldungen.antworten.push_back(pv::Antwort::Nein);
  ui().StartButton->click();
  EXPECT_FALSE(h().MessungLaeuft);
  EXPECT_EQ(h().messdaten.m, 1);
  EXPECT_EQ(ui().CommandPort->text(), QStringLiteral("Verbinden"));

  // No device: the connect button only says so, and nothing starts.
  pv::geraeteZustand().AktuellesMessgeraet.clear();
  u.meldungen.antworten.push_back(pv::Antwort::Ja);
  ui().StartButton->click();
  EXPECT_EQ(u.meldungen.boxen.back().text, QStringLiteral("Es ist kein Messgerät ausgewählt!"));
  EXPECT_FALSE(h().MessungLaeuft);
  EXPECT_FALSE(ui().PauseButton->isEnabled());
}

// A factor beyond single precision would make every value infinite: the
// recording would store nothing.
TEST_F(AufnahmeTest, StartRefusesALinearFactorBeyondSinglePrecision) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch);
  ui().OptionLinear->setChecked(true);
  for (QLineEdit* feld : {ui().TextM, ui().TextT}) {
    ui().TextM->setText(QStringLiteral("2"));
    ui().TextT->setText(QStringLiteral("0"));
    feld->setText(QStringLiteral("1e39"));
    u.meldungen.boxen.clear();
    ui().StartButton->click();
    ASSERT_EQ(u.meldungen.boxen.size(), 1u) << feld->objectName().toStdString();
    EXPECT_EQ(u.meldungen.boxen[0].text, QStringLiteral("Ungültige Eingabe bei der Formel für die Lineare Funktion!"));
    EXPECT_FALSE(h().MessungLaeuft);
    EXPECT_EQ(ui().CommandPort->text(), QStringLiteral("Verbinden"));
  }
}

// Memory running out while recording: the values so far go to the safety
// file, the user is told why, and nothing more is stored.
TEST_F(AufnahmeTest, SeriesThatCannotGrowAbortsIntoTheSafetyFile) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch);
  h().messdaten.Hoechstzahl = 2;
  takt.start(50);
  ui().StartButton->click();
  ASSERT_TRUE(warteBis([&] { return !h().MessungLaeuft; }));
  ASSERT_FALSE(u.meldungen.boxen.empty());
  EXPECT_EQ(u.meldungen.boxen.back().text, QStringLiteral("Die Messung musste Aufgrund eines Problems beendet werden.\r\n"
                                                          "Fehlercode: 7\r\nFehlerbeschreibung: Nicht genügend Speicher"));
  EXPECT_EQ(u.meldungen.boxen.back().titel, QStringLiteral("Achtung"));
  pvtest::ereignisseFuer(200);
  takt.stop();
  EXPECT_EQ(h().messdaten.m, 2);
  EXPECT_FALSE(h().AufzeichnungAktiv);
  const pv::Leseergebnis r = pv::messdateiLesen(u.pfad(QStringLiteral("pvsave.tmp")), false);
  ASSERT_TRUE(r.gelesen());
  EXPECT_EQ(r.inhalt.daten.y, h().messdaten.y);
}

// The debug file keeps a line for every record evaluated to its end, stored
// or not, but none for the record that could not be stored any more.
TEST_F(AufnahmeTest, TheRecordThatAbortsTheRecordingLeavesNoDebugLine) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch);
  h().messdaten.Hoechstzahl = 2;
  h().DebugDatei = true;
  ui().StartButton->click();
  for (int i = 0; i < 4; ++i) programm->datenauswertung().DatensatzAuswerten("DC  1.500 V\r");
  ASSERT_FALSE(h().MessungLaeuft);
  const QList<QByteArray> zeilen = u.lies(QStringLiteral("DebugData.txt")).split('\n');
  // Each line is followed by an empty one.
  ASSERT_EQ(zeilen.size(), 7);
  EXPECT_TRUE(zeilen[0].contains("m:'1'"));
  EXPECT_TRUE(zeilen[2].contains("m:'2'"));
  EXPECT_FALSE(zeilen[4].contains("m:'")) << "the record after the abort";
}

// A save that cannot be written (below a "folder" that is a file, which not
// even an administrator can write to) leaves the measurement unsaved: the
// user is told, and the exit still asks.
TEST_F(AufnahmeTest, FailedSaveLeavesTheMeasurementUnsaved) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch);
  pv::Dateimenue& menue = programm->dateimenue();
  h().messdaten.anhaengen(0, 1);
  h().MessungGespeichert = false;
  u.schreibe(QStringLiteral("keinOrdner"), "x");
  const QString ziel = u.pfad(QStringLiteral("keinOrdner/a.mes"));
  dialoge.antworten = {ziel};
  EXPECT_FALSE(menue.MMesSpUn_Click());
  EXPECT_TRUE(u.meldungen.boxen.back().text.startsWith(QStringLiteral("Beim Speichern der Daten ist ein Fehler aufgetreten!")));
  EXPECT_FALSE(h().MessungGespeichert);
  EXPECT_TRUE(h().messdaten.MessDateiName.isEmpty());

  h().messdaten.MessDateiName = ziel;
  menue.MSpeichern_Click();
  EXPECT_EQ(u.meldungen.boxen.back().text, QStringLiteral("Es traten Probleme beim Speichern der Datei auf!"));
  EXPECT_FALSE(h().MessungGespeichert);

  u.meldungen.antworten = {pv::Antwort::Nein};
  programm->ProgrammBeenden();
  EXPECT_TRUE(u.meldungen.boxen.back().text.startsWith(QStringLiteral("Die Messung wurde noch nicht gespeichert!")));
}

// The program folder on a disk that is full: every save keeps the file it
// would replace byte for byte and says so as for any failed save; the
// measurement stays unsaved, and the exit still asks, then reports the
// settings file it could not write.
TEST_F(AufnahmeTest, AFullDiskKeepsEveryFileAndSaysSo) {
  pvtest::KleinesDateisystem platte(u.pfad(), 128);
  if (!platte.bereit()) GTEST_SKIP() << platte.grund().toStdString();
  starten(QStringLiteral("Fortlaufend"), kAutomatisch);
  pv::Dateimenue& menue = programm->dateimenue();
  h().messdaten.anhaengen(0, 1);
  h().messdaten.anhaengen(1, 2);
  const QString a = u.pfad(QStringLiteral("a.mes"));
  dialoge.antworten = {a};
  ASSERT_TRUE(menue.MMesSpUn_Click());
  aufnahme().ZwischenSpeichern();
  aufnahme().Sicherheitsdatei();
  const QStringList dateien{QStringLiteral("a.mes"), QStringLiteral("pvsavezs.mes"), QStringLiteral("pvsave.tmp"),
                            QStringLiteral("Pelvaron.ini")};
  QList<QByteArray> vorher;
  for (const QString& d : dateien) {
    vorher << u.lies(d);
    ASSERT_FALSE(vorher.back().isEmpty()) << d.toStdString();
  }
  h().messdaten.anhaengen(2, 3);
  h().MessungGespeichert = false;
  platte.fuellen();

  // The texts of the boxes each step shows.
  auto boxen = [&, gezeigt = size_t{0}]() mutable {
    QStringList texte;
    for (; gezeigt < u.meldungen.boxen.size(); ++gezeigt) texte << u.meldungen.boxen[gezeigt].text;
    return texte;
  };
  boxen();
  dialoge.antworten = {a};
  EXPECT_FALSE(menue.MMesSpUn_Click());
  EXPECT_TRUE(boxen().join(u'|').startsWith(QStringLiteral("Beim Speichern der Daten ist ein Fehler aufgetreten!")));
  menue.MSpeichern_Click();
  EXPECT_EQ(boxen(), QStringList{QStringLiteral("Es traten Probleme beim Speichern der Datei auf!")});
  EXPECT_FALSE(h().MessungGespeichert);
  EXPECT_FALSE(aufnahme().ZwischenSpeichern());
  EXPECT_EQ(status(), QStringLiteral("Fehler beim Zwischenspeichern! Neue Datei: pvsavezs.mes"));
  EXPECT_FALSE(aufnahme().Sicherheitsdatei());
  aufnahme().MessungAbbrechen(QStringLiteral("pv_Abbruch"), 7, QStringLiteral("Nicht genügend Speicher"));
  EXPECT_EQ(boxen(), QStringList{QStringLiteral("Die Messung musste Aufgrund eines Problems beendet werden.\r\n"
                                                "Fehlercode: 7\r\nFehlerbeschreibung: Nicht genügend Speicher\r\n\r\n") +
                                 pv::nichtGeschriebenText(QStringLiteral("Die Sicherheitsdatei konnte"), u.pfad())});

  u.meldungen.antworten = {pv::Antwort::Ja};
  programm->ProgrammBeenden();
  const QStringList ende = boxen();
  ASSERT_EQ(ende.size(), 2);
  EXPECT_TRUE(ende[0].startsWith(QStringLiteral("Die Messung wurde noch nicht gespeichert!")));
  EXPECT_TRUE(ende[1].startsWith(QStringLiteral("In der Prozedur 'Form1 -> iniSichern'")));
  for (qsizetype i = 0; i < dateien.size(); ++i) EXPECT_TRUE(u.lies(dateien[i]) == vorher[i]) << dateien[i].toStdString();
}

TEST_F(AufnahmeTest, SaveAsOpenAndRecentFiles) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch);
  pv::Dateimenue& menue = programm->dateimenue();
  h().messdaten.anhaengen(0, 1);
  h().messdaten.anhaengen(1, 2);
  h().MessungGespeichert = false;
  ui().TextEinheit->setText(QStringLiteral("V"));

  const QString a = u.pfad(QStringLiteral("a.mes"));
  dialoge.antworten = {a};
  ASSERT_TRUE(menue.MMesSpUn_Click());
  EXPECT_EQ(dialoge.vorschlaege.back(), QStringLiteral("Messung1"));
  EXPECT_TRUE(h().MessungGespeichert);
  EXPECT_EQ(h().messdaten.MessDateiName, a);
  EXPECT_EQ(h().messdaten.Messung, QStringLiteral("a"));
  EXPECT_EQ(h().einstellungen.LetzteDateien.front(), QStringLiteral("&1 ") + a);

  // An open table is cut back to its header whenever a file replaces the
  // measurement: no row of the old one stands beside the new one.
  int geleert = 0;
  programm->aufnahme().tabelleLeeren = [&geleert] { ++geleert; };
  h().TabelleOffen = true;

  // An unsaved measurement is asked about; Yes with a cancelled save keeps it.
  h().messdaten.anhaengen(2, 3);
  h().MessungGespeichert = false;
  u.meldungen.antworten = {pv::Antwort::Ja};
  dialoge.antworten = {QString()};
  menue.MLetzte4_Click(1);
  EXPECT_EQ(h().messdaten.m, 3);
  // No: the file replaces it.
  u.meldungen.antworten = {pv::Antwort::Nein};
  ui().TextEinheit->clear();
  menue.MLetzte4_Click(1);
  EXPECT_EQ(h().messdaten.m, 2);
  EXPECT_EQ(ui().TextEinheit->text(), QStringLiteral("V"));
  EXPECT_TRUE(h().MessungGespeichert);

  // Yes and a save first: the entry clicked is opened, not the file saved.
  const QString b = u.pfad(QStringLiteral("b.mes"));
  h().messdaten.anhaengen(2, 3);
  h().MessungGespeichert = false;
  u.meldungen.antworten = {pv::Antwort::Ja};
  dialoge.antworten = {b};
  menue.MLetzte4_Click(1);
  EXPECT_EQ(h().messdaten.MessDateiName, a);
  EXPECT_EQ(h().messdaten.m, 2);
  EXPECT_EQ(h().einstellungen.LetzteDateien.front(), QStringLiteral("&1 ") + a);

  // A recent file that is gone is reported and nothing changes.
  h().einstellungen.LetzteDateien.prepend(QStringLiteral("&1 ") + u.pfad(QStringLiteral("weg.mes")));
  menue.MLetzte4_Click(1);
  EXPECT_EQ(u.meldungen.boxen.back().text, QStringLiteral("Die angegebene Datei wurde nicht gefunden!"));
  EXPECT_EQ(h().messdaten.m, 2);
  EXPECT_EQ(geleert, 2);
}

// How many of the values a file holds, for the line of a forced end: all
// at a save that succeeded, at an intermediate save, of a file read; none
// at a new start.
TEST_F(AufnahmeTest, TheValuesAFileHoldsFollowSavesReadsAndStarts) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch);
  h().messdaten.anhaengen(0, 1);
  h().messdaten.anhaengen(1, 2);
  const QString a = u.pfad(QStringLiteral("a.mes"));
  dialoge.antworten = {a};
  ASSERT_TRUE(programm->dateimenue().MMesSpUn_Click());
  h().messdaten.anhaengen(2, 3);
  dialoge.antworten = {u.pfad(QStringLiteral("keinOrdner/b.mes"))};
  EXPECT_FALSE(programm->dateimenue().MMesSpUn_Click());
  EXPECT_EQ(h().WerteGesichert, 2);
  ASSERT_TRUE(aufnahme().ZwischenSpeichern());
  EXPECT_EQ(h().WerteGesichert, 3);
  programm->dateimenue().MessungEinlesen(a);
  EXPECT_EQ(h().WerteGesichert, 2);
  ui().StartButton->click();
  ASSERT_TRUE(h().MessungLaeuft);
  EXPECT_EQ(h().WerteGesichert, 0);
  ui().StopButton->click();
}

// Any name is written to but a program file's: no name, or a stored name
// of a program file, writes nothing, and the next save goes to the default
// file. A failure stays marked beside the status line, which the values
// coming in write over, until an intermediate save succeeds.
TEST_F(AufnahmeTest, IntermediateSaveTakesAnyNameButAProgramFilesAndMarksAFailure) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch);
  h().messdaten.anhaengen(0, 1);
  QLabel* marke = ui().LabelSicherungFehler;
  h().einstellungen.ZwischenspeichernDatei = QStringLiteral("sicherung.dat");
  EXPECT_TRUE(aufnahme().ZwischenSpeichern());
  EXPECT_TRUE(pv::messdateiLesen(u.pfad(QStringLiteral("sicherung.dat")), false).gelesen());
  EXPECT_EQ(h().einstellungen.ZwischenspeichernDatei, QStringLiteral("sicherung.dat"));
  EXPECT_TRUE(marke->isHidden());
  for (const QString& name :
       {QString(), QStringLiteral("Test.ger"), QStringLiteral("Pelvaron.ini"), QStringLiteral("PVSAVE-3.tmp")}) {
    QFile::remove(u.pfad(QStringLiteral("pvsavezs.mes")));
    const QByteArray vorher = name.isEmpty() ? QByteArray() : u.lies(name);
    h().einstellungen.ZwischenspeichernDatei = name;
    EXPECT_FALSE(aufnahme().ZwischenSpeichern());
    EXPECT_EQ(status(), QStringLiteral("Fehler beim Zwischenspeichern! Neue Datei: pvsavezs.mes")) << name.toStdString();
    if (!name.isEmpty()) {
      EXPECT_EQ(u.lies(name), vorher) << name.toStdString();
    }
    EXPECT_EQ(h().einstellungen.ZwischenspeichernDatei, QStringLiteral("pvsavezs.mes"));
    programm->datenauswertung().DatensatzAuswerten("DC  1.500 V\r");
    EXPECT_NE(status(), QStringLiteral("Fehler beim Zwischenspeichern! Neue Datei: pvsavezs.mes"));
    EXPECT_FALSE(marke->isHidden()) << name.toStdString();
    EXPECT_TRUE(marke->text().startsWith(QStringLiteral("Zwischenspeichern um "))) << marke->text().toStdString();
    EXPECT_TRUE(aufnahme().ZwischenSpeichern());
    EXPECT_EQ(status(), QStringLiteral("Zwischenspeichern erfolgreich beendet"));
    EXPECT_TRUE(pv::messdateiLesen(u.pfad(QStringLiteral("pvsavezs.mes")), false).gelesen());
    EXPECT_TRUE(marke->isHidden());
  }
}

// An automatic end on a full disk: the message says that neither the
// intermediate save nor the safety file could be written, and where.
TEST_F(AufnahmeTest, AutomaticEndOnAFullDiskSaysWhichSavesAreMissing) {
  pvtest::KleinesDateisystem platte(u.pfad(), 128);
  if (!platte.bereit()) GTEST_SKIP() << platte.grund().toStdString();
  starten(QStringLiteral("Fortlaufend"), kAutomatisch, 5, [](pv::Einstellungen& e) {
    e.MessendeAutomatisch = true;
    e.Messdauer = 0;
  });
  platte.fuellen();
  ui().StartButton->click();
  ASSERT_TRUE(h().MessungLaeuft);
  programm->datenauswertung().DatensatzAuswerten("DC  1.500 V\r");
  EXPECT_FALSE(h().MessungLaeuft);
  ASSERT_EQ(u.meldungen.boxen.size(), 1u);
  const QString text = u.meldungen.boxen[0].text;
  EXPECT_TRUE(text.startsWith(QStringLiteral("Die Messung ist beendet!\r\n\r\n"
                                             "Die Zwischenspeicherung und die Sicherheitsdatei konnten im Ordner\r\n") +
                              u.pfad() + QStringLiteral("\r\nnicht geschrieben werden.")))
      << text.toStdString();
  EXPECT_FALSE(ui().LabelSicherungFehler->isHidden());
  EXPECT_FALSE(QFile::exists(u.pfad(QStringLiteral("pvsave.tmp"))));
}

// The instrument's port goes away during a recording (its far end closes,
// as a pulled cable leaves it): the connection ends with one message and no
// further read, the recording keeps its values, and once the port is back,
// "Anhalten", "Verbinden", "Weiter" go on with the same recording.
TEST_F(AufnahmeTest, VanishedPortEndsTheConnectionOnceAndTheRecordingGoesOn) {
  for (const bool abfrage : {false, true}) {
    SCOPED_TRACE(abfrage ? "polled" : "sends by itself");
    // COM 3 names a link, so that the port comes back under its name.
    const QString link = u.pfad(QStringLiteral("com3"));
    auto instrument = std::make_unique<pvtest::Pseudoterminal>();
    const auto anschliessen = [&] {
      QFile::remove(link);
      EXPECT_TRUE(QFile::link(instrument->slave(), link));
    };
    anschliessen();
    qputenv("PELVARON_COM3", link.toLocal8Bit());
    auto werte = kAutomatisch;
    if (abfrage) {
      werte << std::pair{QStringLiteral("Gerät aktiv"), QStringLiteral("0")}
            << std::pair{QStringLiteral("Datenanforderungszeichen"), QStringLiteral("P")}
            << std::pair{QStringLiteral("Wartezeit"), QStringLiteral("0.02")};
    }
    starten(QStringLiteral("Verschwindet"), werte);
    QTimer sender;  // a record every 20 ms; polled, only once asked
    QObject::connect(&sender, &QTimer::timeout, [&] {
      if (instrument && (!abfrage || !instrument->empfangen().isEmpty())) instrument->senden("DC  1.500 V\r");
    });
    sender.start(20);
    ui().StartButton->click();
    ASSERT_TRUE(warteBis([&] { return h().messdaten.m >= 2; }));
    int portFehler = 0;
    QObject::connect(&f().MSComm1->port(), &QSerialPort::errorOccurred, [&] { ++portFehler; });

    instrument.reset();
    ASSERT_TRUE(warteBis([&] { return !u.meldungen.boxen.empty(); }));
    const int gemeldet = portFehler;
    const pv::Messdaten gespeichert = h().messdaten;
    pvtest::ereignisseFuer(100);
    EXPECT_EQ(portFehler, gemeldet);
    EXPECT_FALSE(f().MSComm1->PortOpen());
    ASSERT_EQ(u.meldungen.boxen.size(), 1u);
    EXPECT_EQ(u.meldungen.boxen[0].text, pv::verbindungVerlorenText(3, link));
    EXPECT_EQ(ui().CommandPort->text(), QStringLiteral("Verbinden"));
    EXPECT_TRUE(ui().CommandPort->isEnabled());
    EXPECT_EQ(pv::feldFarbe(ui().PicVerbindungStatus), 0x008000u);
    EXPECT_TRUE(h().MessungLaeuft);
    EXPECT_EQ(h().messdaten.m, gespeichert.m);

    instrument = std::make_unique<pvtest::Pseudoterminal>();
    anschliessen();
    ui().PauseButton->click();
    ui().CommandPort->click();
    ui().PauseButton->click();
    ASSERT_TRUE(warteBis([&] { return h().messdaten.m > gespeichert.m; }));
    const auto anfang = [&](const std::vector<float>& v) {
      return std::vector<float>(v.begin(), v.begin() + gespeichert.m + 1);
    };
    EXPECT_EQ(anfang(h().messdaten.x), gespeichert.x);
    EXPECT_EQ(anfang(h().messdaten.y), gespeichert.y);
    EXPECT_FALSE(ui().CommandPort->isEnabled());
    ui().StopButton->click();
    sender.stop();
    programm.reset();
    u.meldungen.boxen.clear();
  }
}

TEST(LetzteDateien, ListMovesUpAndKeepsItsLength) {
  const auto liste = [](std::initializer_list<const char*> pfade) {
    QStringList l;
    int n = 0;
    for (const char* p : pfade) l << QStringLiteral("&%1 %2").arg(++n).arg(QString::fromUtf8(p));
    return l;
  };
  const QStringList abcd = liste({"c:\\A", "c:\\path\\b", "c:\\C", "c:\\D"});
  const QStringList eabc = pv::letzteDateienVerwalten(abcd, "c:\\E", 4);
  EXPECT_EQ(eabc, liste({"c:\\E", "c:\\A", "c:\\path\\b", "c:\\C"}));
  EXPECT_EQ(pv::letzteDateienVerwalten(eabc, "c:\\PATH\\B", 4), liste({"c:\\PATH\\B", "c:\\E", "c:\\A", "c:\\C"}));
  EXPECT_EQ(pv::letzteDateienVerwalten({}, "x", 4), liste({"x"}));
  EXPECT_EQ(pv::letzteDateiPfad("&10 c:\\mit blank\\x.mes"), "c:\\mit blank\\x.mes");
}

}  // namespace
