// The long-term measurement settings: loading, checking, the calculator.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include "main/langzeit.h"
#include "support/kleinesdateisystem.h"
#include "support/testhilfe.h"

namespace {

using pv::Antwort;
using pv::Einstellungen;
using pv::Langzeitfelder;

TEST(Langzeit, LoadingShowsMinutesOrHoursAndCorrectsTwoSettings) {
  struct Fall {
    const char* name;
    float messdauer;
    const char* text;
    bool stunden;
    float danach;
  };
  for (const Fall& f : {Fall{"below a minute becomes one", 30, "1", false, 60},
                        Fall{"an hour still in minutes", 3600, "60", false, 3600},
                        Fall{"above an hour in hours", 5400, "1,5", true, 5400}}) {
    Einstellungen e;
    e.Messdauer = f.messdauer;
    const Langzeitfelder l = pv::langzeitfelderLaden(e, u',');
    EXPECT_EQ(l.messDauer, f.text) << f.name;
    EXPECT_EQ(l.stunden, f.stunden) << f.name;
    EXPECT_EQ(e.Messdauer, f.danach) << f.name;
    EXPECT_EQ(e.ZwischenspeichernDatei, "pvsavezs.mes") << f.name;
    EXPECT_TRUE(l.zwischenspeichernMinuten.isEmpty()) << f.name;
  }
}

Langzeitfelder gueltig() {
  Langzeitfelder f;
  f.messEndeAuto = true;
  f.messDauer = QStringLiteral("1");
  f.zwischenspeichernMinuten = QStringLiteral("5");
  f.zsDatei = QStringLiteral("zs.mes");
  f.timeOutZeit = QStringLiteral("10");
  f.minWert = QStringLiteral("0");
  f.maxWert = QStringLiteral("0");
  return f;
}

// Each row changes one entry of a valid set; `meldung` is the start of the
// message expected, empty when accepted.
TEST(Langzeit, ChecksEachEntryInTurn) {
  const QString fehlt = QStringLiteral("Fehlende oder unzulässige Eingabe bei ");
  struct Fall {
    const char* name;
    std::function<void(Langzeitfelder&)> aendern;
    QString meldung;
  };
  const std::vector<Fall> faelle = {
      {"one minute accepted", [](Langzeitfelder&) {}, {}},
      {"half a minute refused", [](Langzeitfelder& f) { f.messDauer = QStringLiteral("0,5"); },
       QStringLiteral("Die eingegebene Messdauer")},
      {"60000 minutes accepted", [](Langzeitfelder& f) { f.messDauer = QStringLiteral("60000"); }, {}},
      {"1000.5 hours refused",
       [](Langzeitfelder& f) {
         f.messDauer = QStringLiteral("1000,5");
         f.stunden = true;
       },
       QStringLiteral("Die eingegebene Messdauer")},
      {"unchecked end reads no duration",
       [](Langzeitfelder& f) {
         f.messEndeAuto = false;
         f.messDauer = QStringLiteral("x");
       },
       {}},
      {"save every half minute accepted",
       [](Langzeitfelder& f) {
         f.zwischenspeichern = true;
         f.zwischenspeichernMinuten = QStringLiteral("0,5");
       },
       {}},
      {"save every 1440 minutes refused",
       [](Langzeitfelder& f) {
         f.zwischenspeichern = true;
         f.zwischenspeichernMinuten = QStringLiteral("1440");
       },
       QStringLiteral("Die Zwischenspeicherungs-Zeit")},
      {"empty save interval", [](Langzeitfelder& f) { f.zwischenspeichernMinuten.clear(); },
       fehlt + QStringLiteral("Zwischenspeichern-Intervall")},
      {"empty file name", [](Langzeitfelder& f) { f.zsDatei.clear(); },
       fehlt + QStringLiteral("Datei für Zwischenspeicherung")},
      {"file name with a folder", [](Langzeitfelder& f) { f.zsDatei = QStringLiteral("../weg.mes"); },
       fehlt + QStringLiteral("Datei für Zwischenspeicherung")},
      {"file name going up", [](Langzeitfelder& f) { f.zsDatei = QStringLiteral(".."); },
       fehlt + QStringLiteral("Datei für Zwischenspeicherung")},
      {"a device file's name", [](Langzeitfelder& f) { f.zsDatei = QStringLiteral("Waage.ger"); },
       fehlt + QStringLiteral("Datei für Zwischenspeicherung")},
      {"negative time-out", [](Langzeitfelder& f) { f.timeOutZeit = QStringLiteral("-1"); },
       fehlt + QStringLiteral("'Time Out'-Zeit")},
      {"equal limits accepted",
       [](Langzeitfelder& f) {
         f.minWert = QStringLiteral("5");
         f.maxWert = QStringLiteral("5");
       },
       {}},
      {"minimum above maximum, boxes unchecked",
       [](Langzeitfelder& f) {
         f.minWert = QStringLiteral("6");
         f.maxWert = QStringLiteral("5");
       },
       QStringLiteral("Messbereich-Maximum muss")},
  };
  for (const Fall& fall : faelle) {
    pvtest::Programmumgebung u;
    Langzeitfelder f = gueltig();
    fall.aendern(f);
    Einstellungen e;
    e.Messdauer = 123;
    const bool ok = pv::langzeitfelderUebernehmen(f, u.pfad(), u',', e, u.meldungen);
    EXPECT_EQ(ok, fall.meldung.isEmpty()) << fall.name;
    if (fall.meldung.isEmpty()) {
      EXPECT_TRUE(u.meldungen.boxen.empty()) << fall.name;
    } else {
      ASSERT_EQ(u.meldungen.boxen.size(), 1u) << fall.name;
      EXPECT_TRUE(u.meldungen.boxen[0].text.startsWith(fall.meldung)) << fall.name << " " << u.meldungen.boxen[0].text.toStdString();
      EXPECT_EQ(e.Messdauer, 123.0f) << fall.name << ": nothing stored";
    }
  }
}

// Any name is a save file but one of the program's own files, which an
// intermediate save would overwrite, or one leading out of its folder.
TEST(Langzeit, ASaveFileMayHaveAnyNameButAProgramFilesOne) {
  pvtest::Programmumgebung u;
  ASSERT_TRUE(QFile::copy(QStringLiteral(PELVARON_DATEN "/Waage.ger"), u.pfad(QStringLiteral("Waage.ger"))));
  u.schreibe(QStringLiteral("Eigen.ger"), "[Pelvaron Ger\xe4tedatei Version 3.1]\r\nBilddatei=C:\\Bilder\\Eigen.jpg\r\n");
  for (const char* name : {"pvsavezs.mes", "A.MES", "Messung 1.Mes", "backup.dat", "zs", "Sensor.sen", "a:b", "PC3.gif"}) {
    EXPECT_TRUE(pv::zwischenspeicherDateiErlaubt(QString::fromUtf8(name))) << name;
  }
  const QString programm = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  for (const QString& name : {QStringLiteral(""), QStringLiteral(" "), QStringLiteral("."), QStringLiteral(".."),
                              QStringLiteral("Pelvaron.ini"), QStringLiteral("PELVARON.INI"), QStringLiteral("Pelvar.ini"),
                              QStringLiteral("Waage.ger"), QStringLiteral("a.mes.GER"), QStringLiteral("PT100.pvf"),
                              QStringLiteral("ErrLog.txt"), QStringLiteral("DebugData.txt"), QStringLiteral("pvsave.tmp"),
                              QStringLiteral("Pelvaron.lock"), QStringLiteral("pelvaron"), programm,
                              QStringLiteral("PC0.gif"), QStringLiteral("pc2.GIF"), QStringLiteral("Waage.gif"),
                              QStringLiteral("eigen.JPG"),
                              QStringLiteral("../a.mes"), QStringLiteral("sub/a.mes"), QStringLiteral("..\\a.mes")}) {
    EXPECT_FALSE(pv::zwischenspeicherDateiErlaubt(name)) << name.toStdString();
  }
}

TEST(Langzeit, StoresAndLeavesTheFolderAsItWas) {
  pvtest::Programmumgebung u;
  u.schreibe(QStringLiteral("zs.mes"), "alte Messung");
  Langzeitfelder f = gueltig();
  f.messDauer = QStringLiteral("2");
  f.zwischenspeichern = true;
  f.timeOut = true;
  f.max = true;
  f.maxWert = QStringLiteral("7,5");
  Einstellungen e;
  ASSERT_TRUE(pv::langzeitfelderUebernehmen(f, u.pfad(), u',', e, u.meldungen));
  EXPECT_EQ(u.lies(QStringLiteral("zs.mes")), "alte Messung");
  EXPECT_TRUE(e.MessendeAutomatisch);
  EXPECT_EQ(e.Messdauer, 120.0f);
  EXPECT_EQ(e.ZwischenspeichernZeit, 300.0f);
  EXPECT_EQ(e.TimeOutON, 1);
  EXPECT_EQ(e.TimeOutTime, 10.0f);
  EXPECT_EQ(e.CheckMaxON, 1);
  EXPECT_EQ(e.CheckMax, 7.5f);

  // A new name is checked without a file being made.
  const auto inhalt = [&] { return QDir(u.pfad()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); };
  const QStringList vorher = inhalt();
  f.messEndeAuto = false;
  f.zsDatei = QStringLiteral("neu.mes");
  ASSERT_TRUE(pv::langzeitfelderUebernehmen(f, u.pfad(), u',', e, u.meldungen));
  EXPECT_EQ(e.Messdauer, 0.0f);
  EXPECT_EQ(e.ZwischenspeichernDatei, QStringLiteral("neu.mes"));
  EXPECT_EQ(inhalt(), vorher);
}

// A read-only program folder: an intermediate save there is refused as what
// it is, naming the folder; without intermediate saving the dialog stores.
TEST(Langzeit, AReadOnlyFolderBlocksOnlyAnIntermediateSave) {
  pvtest::Programmumgebung u;
  ASSERT_TRUE(QDir(u.pfad()).mkdir(QStringLiteral("nurlesen")));
  pvtest::KleinesDateisystem platte(u.pfad(QStringLiteral("nurlesen")));
  if (!platte.bereit()) GTEST_SKIP() << platte.grund().toStdString();
  platte.nurLesen();
  Langzeitfelder f = gueltig();
  f.zwischenspeichern = true;
  Einstellungen e;
  EXPECT_FALSE(pv::langzeitfelderUebernehmen(f, platte.pfad(), u',', e, u.meldungen));
  ASSERT_EQ(u.meldungen.boxen.size(), 1u);
  EXPECT_TRUE(u.meldungen.boxen[0].text.startsWith(QStringLiteral("Die Datei \"zs.mes\" für die Zwischenspeicherung kann "
                                                                  "im Ordner\r\n") +
                                                   platte.pfad() + QStringLiteral("\r\nnicht geschrieben werden.")));
  EXPECT_EQ(e.Messdauer, 0.0f) << "nothing stored";

  f.zwischenspeichern = false;
  EXPECT_TRUE(pv::langzeitfelderUebernehmen(f, platte.pfad(), u',', e, u.meldungen));
  EXPECT_EQ(e.Messdauer, 60.0f);
}

TEST(Langzeit, WaitingTimeCalculator) {
  const QString unmoeglich = QStringLiteral("Mit diesen Angaben");
  struct Fall {
    const char* name;
    pv::Wartezeitwahl wahl;
    std::deque<Antwort> antworten;
    QString ergebnis;  // label text, empty when the calculation ended early
    QString meldung;   // start of the first message, empty for none
  };
  const std::vector<Fall> faelle = {
      {"24 h, 1000 values", {6, {}, 1, {}}, {}, QStringLiteral("86,4"), {}},
      {"24 h, 30000 values", {6, {}, 5, {}}, {}, QStringLiteral("2,9"), {}},
      {"free count of 0", {1, {}, 0, QStringLiteral("0")}, {}, {}, unmoeglich},
      {"negative count", {1, {}, 0, QStringLiteral("-5")}, {}, QStringLiteral("0"), {}},
      {"free hours of 0", {0, QStringLiteral("0"), 1, {}}, {}, QStringLiteral("0"), {}},
      {"no duration chosen", {-1, {}, 1, {}}, {}, {}, unmoeglich},
      {"48 h and one value", {0, QStringLiteral("48"), 0, QStringLiteral("1")}, {}, {},
       QStringLiteral("Bei dieser Messdauer müssen Sie mindestens 3 Messwerte")},
      {"1001 h declined", {0, QStringLiteral("1001"), 5, {}}, {Antwort::Nein}, {},
       QStringLiteral("Ihre Messung erstreckt")},
      {"1001 h confirmed", {0, QStringLiteral("1001"), 5, {}}, {Antwort::Ja}, QStringLiteral("120,1"),
       QStringLiteral("Ihre Messung erstreckt")},
      {"10001 h never asked", {0, QStringLiteral("10001"), 5, {}}, {}, {}, QStringLiteral("Bis Sie diese")},
      // A count of 0 fails at the division, after the questions about the duration.
      {"10001 h and a count of 0", {0, QStringLiteral("10001"), 0, QStringLiteral("0")}, {}, {},
       QStringLiteral("Bis Sie diese")},
      {"1001 h and a count of 0 confirmed", {0, QStringLiteral("1001"), 0, QStringLiteral("0")}, {Antwort::Ja}, {},
       QStringLiteral("Ihre Messung erstreckt")},
  };
  for (const Fall& f : faelle) {
    pvtest::FakeMeldungen m;
    m.antworten = f.antworten;
    const auto w = pv::wartezeitBerechnen(f.wahl, u',', m);
    EXPECT_EQ(w ? pv::wartezeitText(*w, u',') : QString(), f.ergebnis) << f.name;
    if (f.meldung.isEmpty()) {
      EXPECT_TRUE(m.boxen.empty()) << f.name;
    } else {
      ASSERT_FALSE(m.boxen.empty()) << f.name;
      EXPECT_TRUE(m.boxen[0].text.startsWith(f.meldung)) << f.name;
    }
  }
}

}  // namespace
