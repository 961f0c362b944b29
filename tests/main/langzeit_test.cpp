// The long-term measurement settings: loading, checking, the calculator.
#include <QFile>
#include <gtest/gtest.h>

#include "main/langzeit.h"
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

// Whatever else lies in the program folder must never be overwritten by
// an intermediate save.
TEST(Langzeit, OnlyAPlainMeasurementFileNameIsASaveFile) {
  for (const char* name : {"pvsavezs.mes", "A.MES", "Messung 1.Mes"}) {
    EXPECT_TRUE(pv::zwischenspeicherDateiErlaubt(QString::fromUtf8(name))) << name;
  }
  for (const char* name : {"", "Waage.ger", "Pelvaron.ini", "pvsave.tmp", "Sensor.sen", "DebugData.txt", "a.mes.ger",
                           "a.mes ", ".mes", " .mes", "..", "../a.mes", "sub/a.mes", "..\\a.mes", "C:a.mes"}) {
    EXPECT_FALSE(pv::zwischenspeicherDateiErlaubt(QString::fromUtf8(name))) << name;
  }
}

TEST(Langzeit, StoresAndKeepsAnExistingSaveFile) {
  pvtest::Programmumgebung u;
  u.schreibe(QStringLiteral("zs.mes"), "alte Messung");
  Langzeitfelder f = gueltig();
  f.messDauer = QStringLiteral("2");
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

  f.messEndeAuto = false;
  f.zsDatei = QStringLiteral("neu.mes");
  ASSERT_TRUE(pv::langzeitfelderUebernehmen(f, u.pfad(), u',', e, u.meldungen));
  EXPECT_EQ(e.Messdauer, 0.0f);
  EXPECT_TRUE(QFile::exists(u.pfad(QStringLiteral("neu.mes"))));
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
