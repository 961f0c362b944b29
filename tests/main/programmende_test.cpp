// The end without questions (a signal, the end of the session, "Ja" to the
// error handler's offer): nothing a recording holds is lost, no box waits.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <utility>

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "acquisition/speichern.h"
#include "common/beendensignale.h"
#include "common/fehlerbehandlung.h"
#include "common/tolvek.h"
#include "main/aufnahme.h"
#include "main/einstellungsdatei.h"
#include "main/messdatei.h"
#include "main/sicherung.h"
#include "programm_mit_geraet.h"
#include "support/kleinesdateisystem.h"

namespace {

using pvtest::kAutomatisch;
using pvtest::warteBis;

const QByteArray kAlteSicherung = "eine Sicherung von vorher";

struct Lage {
  const char* name;
  void (*herstellen)(pv::Form1Steuerelemente&);
  bool gesichert;  // the safety file gets the values
};
void PrintTo(const Lage& lage, std::ostream* os) { *os << lage.name; }

class ProgrammendeTest : public pvtest::ProgrammMitGeraet, public ::testing::WithParamInterface<Lage> {
 protected:
  void SetUp() override {
    ProgrammMitGeraet::SetUp();
    mitschreiben = false;
  }

  // A recording with a few values, the session's title changed.
  void aufnehmen() {
    starten(QStringLiteral("Fortlaufend"), kAutomatisch);
    u.schreibe(QStringLiteral("pvsave.tmp"), kAlteSicherung);
    QTimer takt;
    QObject::connect(&takt, &QTimer::timeout, [this] { pty.senden("DC  1.500 V\r"); });
    takt.start(20);
    ui().StartButton->click();
    ASSERT_TRUE(warteBis([] { return pv::hauptmodul().messdaten.m >= 3; }));
    ui().TextMessBezeichnung->setText(QStringLiteral("Nachtmessung"));
  }

  void sicherungPruefen() {
    const pv::Leseergebnis r = pv::messdateiLesen(u.pfad(QStringLiteral("pvsave.tmp")), false);
    ASSERT_TRUE(r.gelesen());
    const pv::Messdaten& d = pv::hauptmodul().messdaten;
    EXPECT_EQ(r.inhalt.daten.x, d.x);
    EXPECT_EQ(r.inhalt.daten.y, d.y);
    EXPECT_FALSE(r.inhalt.daten.MesEnd.isEmpty());
  }
};

TEST_P(ProgrammendeTest, KeepsWhatWouldBeLostAndWritesTheSettings) {
  aufnehmen();
  GetParam().herstellen(ui());
  const int32_t werte = pv::hauptmodul().messdaten.m;
  u.meldungen.boxen.clear();

  programm->OhneRueckfrageBeenden();
  EXPECT_TRUE(programm->beendet());
  EXPECT_TRUE(u.meldungen.boxen.empty());
  EXPECT_FALSE(pv::hauptmodul().MessungLaeuft);
  EXPECT_EQ(pv::hauptmodul().messdaten.m, werte);
  if (GetParam().gesichert) {
    sicherungPruefen();
  } else {
    EXPECT_EQ(u.lies(QStringLiteral("pvsave.tmp")), kAlteSicherung);
  }
  EXPECT_TRUE(u.lies(QStringLiteral("Pelvaron.ini")).contains("\r\nBezeichnung=Nachtmessung\r\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Lagen, ProgrammendeTest,
    ::testing::Values(Lage{"laeuft", [](pv::Form1Steuerelemente&) {}, true},
                      Lage{"angehalten", [](pv::Form1Steuerelemente& ui) { ui.PauseButton->click(); }, true},
                      Lage{"gestoppt", [](pv::Form1Steuerelemente& ui) { ui.StopButton->click(); }, true},
                      Lage{"gespeichert",
                           [](pv::Form1Steuerelemente& ui) {
                             ui.StopButton->click();
                             pv::hauptmodul().MessungGespeichert = true;
                           },
                           false}),
    [](const auto& info) { return std::string(info.param.name); });

// A settings file that cannot be written at that moment is only logged.
TEST_F(ProgrammendeTest, AFailedSettingsWriteShowsNoBox) {
  aufnehmen();
  ASSERT_TRUE(QFile::remove(u.pfad(QStringLiteral("Pelvaron.ini"))));
  ASSERT_TRUE(QDir(u.pfad()).mkdir(QStringLiteral("Pelvaron.ini")));
  u.meldungen.boxen.clear();

  programm->OhneRueckfrageBeenden();
  EXPECT_TRUE(programm->beendet());
  EXPECT_TRUE(u.meldungen.boxen.empty());
  EXPECT_TRUE(u.lies(QStringLiteral("ErrLog.txt")).contains("'Form1 -> iniSichern'"));
  sicherungPruefen();
}

// Told to end while the start-up runs, before the settings are read: they
// stay as they are, and the main window never comes.
TEST_F(ProgrammendeTest, AnEndDuringTheStartUpWritesNoSettingsAndStopsTheStart) {
  pv::Einstellungen e;
  pv::Standardparameter(e, u.pfad());
  e.TextMessBezeichnung = QStringLiteral("Nachtmessung");
  ASSERT_TRUE(pv::iniSichern(u.pfad(), u',', e));
  const QByteArray einstellungen = u.lies(QStringLiteral("Pelvaron.ini"));
  int beendet = 0;
  pv::Programm p({QStringLiteral("pelvaron")}, QLocale(QLocale::German), [&beendet] { ++beendet; });
  QTimer::singleShot(0, [&p] { p.OhneRueckfrageBeenden(); });

  EXPECT_FALSE(p.starten());
  EXPECT_EQ(beendet, 1);
  EXPECT_FALSE(p.form1().isVisible());
  EXPECT_EQ(u.lies(QStringLiteral("Pelvaron.ini")), einstellungen);
}

// "Ja" to the error handler's offer while a recording runs: the exit
// procedure declines, the program ends all the same, the values in the
// safety file, the settings file as it was.
TEST_F(ProgrammendeTest, YesToTheErrorHandlersOfferEndsARunningRecordingIntoTheSafetyFile) {
  aufnehmen();
  const QByteArray einstellungen = u.lies(QStringLiteral("Pelvaron.ini"));
  Tolvek::zustand().Fehlerzaehler = 20;
  u.meldungen.boxen.clear();
  u.meldungen.antworten = {pv::Antwort::Ok, pv::Antwort::Ja};

  Tolvek::Fehlerbehandlung(QStringLiteral("Test"), 5, QStringLiteral("x"));
  ASSERT_EQ(u.meldungen.boxen.size(), 3u);
  EXPECT_TRUE(u.meldungen.boxen[2].text.startsWith(QStringLiteral("Die Messung wurde noch nicht gestoppt!")));
  EXPECT_TRUE(programm->beendet());
  EXPECT_FALSE(pv::hauptmodul().MessungLaeuft);
  sicherungPruefen();
  EXPECT_EQ(u.lies(QStringLiteral("Pelvaron.ini")), einstellungen);
}

// The session keeps the data before it ends, or only as a checkpoint: the
// recording goes on, unchanged to the user's eye, and what it holds so far
// is in the safety file.
TEST_F(ProgrammendeTest, TheSessionsRequestToKeepTheDataLetsTheRecordingGoOn) {
  aufnehmen();
  u.meldungen.boxen.clear();
  const QString name = pv::hauptmodul().messdaten.Messung;

  programm->SitzungSichern();
  EXPECT_FALSE(programm->beendet());
  EXPECT_TRUE(pv::hauptmodul().AufzeichnungAktiv);
  EXPECT_TRUE(u.meldungen.boxen.empty());
  EXPECT_EQ(ui().MessungLabel->text(), QStringLiteral("unbenannt"));
  EXPECT_EQ(pv::hauptmodul().messdaten.Messung, name);
  const pv::Leseergebnis r = pv::messdateiLesen(u.pfad(QStringLiteral("pvsave.tmp")), false);
  ASSERT_TRUE(r.gelesen());
  EXPECT_GE(r.inhalt.daten.m, 3);
  EXPECT_EQ(pv::hauptmodul().WerteGesichert, r.inhalt.daten.m);
  EXPECT_TRUE(u.lies(QStringLiteral("Pelvaron.ini")).contains("\r\nBezeichnung=Nachtmessung\r\n"));
}

// Every end is under way before it writes anything: a repeated signal does
// not cut it short, however long its writing takes.
TEST_F(ProgrammendeTest, EveryEndIsUnderWayBeforeItWrites) {
  const std::pair<const char*, void (pv::Programm::*)()> enden[] = {
      {"Ende", &pv::Programm::ProgrammBeenden},
      {"signal, session", &pv::Programm::OhneRueckfrageBeenden},
      {"display gone", &pv::Programm::ProzessendeSichern},
  };
  for (const auto& [name, beenden] : enden) {
    starten(QStringLiteral("Fortlaufend"), kAutomatisch);
    bool imGange = false;
    programm->vorDemSichern = [&imGange](pv::Einstellungen&) { imGange = pv::endeBegonnen(); };
    (programm.get()->*beenden)();
    EXPECT_TRUE(imGange) << name;
  }
}

// An end that comes while "Ende" waits in a box (the settings not written)
// ends that box's event loop, so that the end under way goes on.
TEST_F(ProgrammendeTest, AnEndWhileEndeWaitsEndsItsEventLoop) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch);
  programm->vorDemSichern = [this](pv::Einstellungen&) { programm->OhneRueckfrageBeenden(); };
  programm->ProgrammBeenden();
  EXPECT_EQ(beendet, 2);
}

}  // namespace

// Rescues that go to a fallback folder never replace a file there but the
// copy's own last one: copies that end together each keep their values.
// Nor do they take the name of a copy's own safety file or intermediate
// save, which that copy would write over.
TEST(Sicherheitsdatei, RescuesIntoTheFallbackFolderReplaceNoOtherFile) {
  pvtest::Programmumgebung u;
  u.schreibe(QStringLiteral("datei"), {});
  ASSERT_TRUE(QDir(u.pfad()).mkdir(QStringLiteral("ersatz")));
  for (const char* name : {"ersatz/pvsave.tmp", "ersatz/pvsavezs.mes"}) u.schreibe(QString::fromUtf8(name), "Kopie");
  pv::hauptmodul().Sicherungsordner = u.pfad(QStringLiteral("datei/Kopie 2"));  // takes no file
  const pv::Ersatzorte ersatz{u.pfad(QStringLiteral("ersatz")), {}};
  pv::Ersatzdatei erste, zweite, dritte;
  const auto ablegen = [](const char* inhalt, const pv::Ersatzorte& orte, pv::Ersatzdatei& vorige) {
    return pv::sicherheitsdateiAblegen(inhalt, orte, vorige).datei;
  };
  EXPECT_EQ(ablegen("eins", ersatz, erste), u.pfad(QStringLiteral("ersatz/pvsave-1.tmp")));
  EXPECT_EQ(ablegen("zwei", ersatz, zweite), u.pfad(QStringLiteral("ersatz/pvsave-2.tmp")));
  EXPECT_EQ(ablegen("Eins", ersatz, erste), u.pfad(QStringLiteral("ersatz/pvsave-1.tmp")));
  // Its file replaced by another in the meantime, the copy takes a new name.
  QFile::remove(u.pfad(QStringLiteral("ersatz/pvsave-2.tmp")));
  u.schreibe(QStringLiteral("ersatz/pvsave-2.tmp"), "fremd");
  EXPECT_EQ(ablegen("Zwei", ersatz, zweite), u.pfad(QStringLiteral("ersatz/pvsave-3.tmp")));
  EXPECT_EQ(ablegen("drei", {u.pfad(), {}}, dritte), u.pfad(QStringLiteral("pvsave-1.tmp")));
  pv::hauptmodul().Sicherungsordner.clear();
  QByteArray inhalte;
  for (const char* name : {"ersatz/pvsave-1.tmp", "ersatz/pvsave-2.tmp", "ersatz/pvsave-3.tmp", "pvsave-1.tmp",
                           "ersatz/pvsave.tmp", "ersatz/pvsavezs.mes"})
    inhalte += u.lies(QString::fromUtf8(name)) + ' ';
  EXPECT_EQ(inhalte, "Eins fremd Zwei drei Kopie Kopie ");
}

// The program folder full, the application data folder the same or one
// that takes no file either: the rescue goes to a folder of this user's own
// in the shared folder that a reboot keeps. A name there that is another
// user's link or folder, or a folder others may write, is passed over for a
// new folder beside it. The line names the folders that refused and the
// file written, or every folder tried.
TEST(Sicherheitsdatei, AFullProgramFolderRescuesIntoAFolderOfTheUsersOwnInTheSharedFolder) {
  const passwd* niemand = getpwnam("nobody");
  if (!niemand) GTEST_SKIP() << "needs a user nobody to plant another user's folder";
  pvtest::Programmumgebung u;
  pvtest::KleinesDateisystem platte(u.pfad());
  if (!platte.bereit()) GTEST_SKIP() << platte.grund().toStdString();
  platte.fuellen();
  QTemporaryDir woanders;
  const auto fremd = [&](const QByteArray& pfad) { return lchown(pfad.constData(), niemand->pw_uid, gid_t(-1)) == 0; };
  struct Fall {
    const char* name;
    const char* anwendungsdaten;  // below the shared folder; empty: the program folder
    std::function<bool(const QByteArray&)> pflanzen;  // at the name of the user's own folder
    const char* ordner;  // where the file goes: the user's own, a new one ("-"), none ("")
  };
  const Fall faelle[] = {
      {"frei", "", [](const QByteArray&) { return true; }, "eigener"},
      {"Anwendungsdaten", "datei/daten", [](const QByteArray&) { return true; }, "eigener"},
      {"fremder Verweis", "", [&](const QByteArray& p) {
         return symlink(QFile::encodeName(woanders.path()).constData(), p.constData()) == 0 && fremd(p);
       }, "-"},
      {"fremder Ordner", "", [&](const QByteArray& p) { return mkdir(p.constData(), 0700) == 0 && fremd(p); }, "-"},
      {"beschreibbar", "", [](const QByteArray& p) { return mkdir(p.constData(), 0) == 0 && chmod(p.constData(), 0770) == 0; }, "-"},
      {"nirgends", "datei/daten", [](const QByteArray&) { return true; }, ""},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    QTemporaryDir gemeinsam;
    const QDir g(gemeinsam.path());
    ASSERT_TRUE(chmod(QFile::encodeName(g.path()).constData(), 01777) == 0 && QFile(g.filePath("datei")).open(QIODevice::WriteOnly));
    const QString eigener = g.filePath(QStringLiteral("Pelvaron-%1").arg(geteuid()));
    ASSERT_TRUE(f.pflanzen(QFile::encodeName(eigener)));
    const QString daten = *f.anwendungsdaten ? g.filePath(QString::fromUtf8(f.anwendungsdaten)) : u.pfad();
    const bool nirgends = !*f.ordner;
    const pv::Ersatzorte orte{daten, nirgends ? g.filePath(QStringLiteral("datei")) : g.path()};
    pv::Ersatzdatei vorige;
    const pv::Rettung r = pv::sicherheitsdateiAblegen("werte", orte, vorige);
    const QString ordner = QFileInfo(r.datei).path();
    const QString geweigert = *f.anwendungsdaten ? QStringLiteral("weder im Ordner %1 noch im Ordner %2").arg(u.pfad(), daten)
                                                 : QStringLiteral("im Ordner %1 nicht").arg(u.pfad());
    if (nirgends) {
      EXPECT_EQ(r.datei, QString());
      EXPECT_EQ(pv::sicherheitsdateiAusweichText(r),
                QStringLiteral("Die Sicherheitsdatei konnte %1 noch im Ordner %2/datei/Pelvaron-%3 geschrieben werden; "
                               "die nicht gespeicherten Messwerte sind verloren.")
                    .arg(geweigert, g.path())
                    .arg(geteuid()));
      continue;
    }
    EXPECT_EQ(r.datei, QDir(ordner).filePath(QStringLiteral("pvsave-1.tmp")));
    EXPECT_EQ(ordner == eigener, *f.ordner != '-') << ordner.toStdString();
    EXPECT_TRUE(ordner.startsWith(eigener)) << ordner.toStdString();
    EXPECT_EQ(pv::sicherheitsdateiAusweichText(r),
              QStringLiteral("Die Sicherheitsdatei konnte %1 geschrieben werden; die Messwerte sind in %2 gesichert.")
                  .arg(geweigert, r.datei));
    // The next rescue of this copy replaces its file there.
    EXPECT_EQ(pv::sicherheitsdateiAblegen("werte", orte, vorige).datei, r.datei);
    QByteArray inhalt;
    EXPECT_TRUE(pv::dateiLesen(r.datei, inhalt) && inhalt == "werte");
    struct stat st {};
    EXPECT_TRUE(lstat(QFile::encodeName(ordner).constData(), &st) == 0 && st.st_uid == geteuid() &&
                (st.st_mode & 07777) == 0700);
    EXPECT_TRUE(QDir(woanders.path()).isEmpty());
  }
}

// The program's own files in its folder follow no link that another user
// planted there: the file it links to stays as it was.
TEST(Programmdateien, FollowNoOtherUsersLink) {
  const passwd* niemand = getpwnam("nobody");
  if (geteuid() != 0 || !niemand) GTEST_SKIP() << "needs root and a user nobody to make another user's link";
  pvtest::Programmumgebung u;
  pv::Programm programm({QStringLiteral("pelvaron")}, QLocale(QLocale::German), [] {});
  pv::hauptmodul().einstellungen.ZwischenspeichernDatei = QStringLiteral("pvsavezs.mes");
  const std::pair<const char*, std::function<void()>> schreiber[] = {
      {"pvsave.tmp", [] {
         pv::Ersatzdatei keine;
         pv::sicherheitsdateiAblegen("werte", {}, keine);
       }},
      {"pvsave.tmp", [&] { programm.aufnahme().Sicherheitsdatei(); }},
      {"pvsavezs.mes", [&] { programm.aufnahme().ZwischenSpeichern(); }},
      {"Pelvaron.ini", [&] { pv::iniSichern(u.pfad(), u',', pv::Einstellungen{}); }},
      {"ErrLog.txt", [] { Tolvek::FehlerProtokollieren(QStringLiteral("Test"), 5, QStringLiteral("x")); }},
      {"DebugData.txt", [&] { pv::debugSchreiben(u.pfad(), QStringLiteral("x")); }},
  };
  u.schreibe(QStringLiteral("opfer"), "alt");
  for (const auto& [name, schreiben] : schreiber) {
    const QByteArray verweis = QFile::encodeName(u.pfad(QString::fromUtf8(name)));
    QFile::remove(QFile::decodeName(verweis));
    ASSERT_EQ(symlink(QFile::encodeName(u.pfad(QStringLiteral("opfer"))).constData(), verweis.constData()), 0);
    ASSERT_EQ(lchown(verweis.constData(), niemand->pw_uid, gid_t(-1)), 0);
    schreiben();
    EXPECT_EQ(u.lies(QStringLiteral("opfer")), "alt") << name;
  }
}
