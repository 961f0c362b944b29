// The end without questions (a signal, the end of the session, "Ja" to the
// error handler's offer): nothing a recording holds is lost, no box waits.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <functional>
#include <utility>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "acquisition/speichern.h"
#include "common/beendensignale.h"
#include "common/fehlerbehandlung.h"
#include "common/tolvek.h"
#include "main/einstellungsdatei.h"
#include "main/messdatei.h"
#include "main/sicherung.h"
#include "programm_mit_geraet.h"

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

}  // namespace

// Rescues that go to the fallback folder never replace a file there but
// the copy's own last one: copies that end together each keep their values,
// and where that folder is the program folder, the name "pvsave.tmp" stays
// its own copy's.
TEST(Sicherheitsdatei, RescuesIntoTheFallbackFolderReplaceNoOtherFile) {
  pvtest::Programmumgebung u;
  u.schreibe(QStringLiteral("datei"), {});
  pv::hauptmodul().Sicherungsordner = u.pfad(QStringLiteral("datei/Kopie 2"));  // takes no file
  const QString ersatz = u.pfad(QStringLiteral("ersatz"));
  pv::Ersatzdatei erste, zweite, dritte;
  EXPECT_EQ(pv::sicherheitsdateiAblegen("eins", ersatz, erste), u.pfad(QStringLiteral("ersatz/pvsave.tmp")));
  EXPECT_EQ(pv::sicherheitsdateiAblegen("zwei", ersatz, zweite), u.pfad(QStringLiteral("ersatz/pvsave-2.tmp")));
  EXPECT_EQ(pv::sicherheitsdateiAblegen("Eins", ersatz, erste), u.pfad(QStringLiteral("ersatz/pvsave.tmp")));
  // Its file replaced by another in the meantime, the copy takes a new name.
  QFile::remove(u.pfad(QStringLiteral("ersatz/pvsave-2.tmp")));
  u.schreibe(QStringLiteral("ersatz/pvsave-2.tmp"), "fremd");
  EXPECT_EQ(pv::sicherheitsdateiAblegen("Zwei", ersatz, zweite), u.pfad(QStringLiteral("ersatz/pvsave-3.tmp")));
  EXPECT_EQ(pv::sicherheitsdateiAblegen("drei", u.pfad(), dritte), u.pfad(QStringLiteral("pvsave-2.tmp")));
  pv::hauptmodul().Sicherungsordner.clear();
  QByteArray inhalte;
  for (const char* name : {"ersatz/pvsave.tmp", "ersatz/pvsave-2.tmp", "ersatz/pvsave-3.tmp", "pvsave-2.tmp"})
    inhalte += u.lies(QString::fromUtf8(name)) + ' ';
  EXPECT_EQ(inhalte, "Eins fremd Zwei drei ");
}

// The program's own files in its folder follow no link that another user
// planted there: the file it links to stays as it was.
TEST(Programmdateien, FollowNoOtherUsersLink) {
  const passwd* niemand = getpwnam("nobody");
  if (geteuid() != 0 || !niemand) GTEST_SKIP() << "needs root and a user nobody to make another user's link";
  pvtest::Programmumgebung u;
  const std::pair<const char*, std::function<void()>> schreiber[] = {
      {"pvsave.tmp", [] {
         pv::Ersatzdatei keine;
         pv::sicherheitsdateiAblegen("werte", {}, keine);
       }},
      {"Pelvaron.ini", [&] { pv::iniSichern(u.pfad(), u',', pv::Einstellungen{}); }},
      {"ErrLog.txt", [] { Tolvek::FehlerProtokollieren(QStringLiteral("Test"), 5, QStringLiteral("x")); }},
      {"DebugData.txt", [&] { pv::debugSchreiben(u.pfad(), QStringLiteral("x")); }},
  };
  u.schreibe(QStringLiteral("opfer"), "alt");
  for (const auto& [name, schreiben] : schreiber) {
    const QByteArray verweis = QFile::encodeName(u.pfad(QString::fromUtf8(name)));
    ASSERT_EQ(symlink(QFile::encodeName(u.pfad(QStringLiteral("opfer"))).constData(), verweis.constData()), 0);
    ASSERT_EQ(lchown(verweis.constData(), niemand->pw_uid, gid_t(-1)), 0);
    schreiben();
    EXPECT_EQ(u.lies(QStringLiteral("opfer")), "alt") << name;
  }
}
