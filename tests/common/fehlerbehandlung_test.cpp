#include "common/fehlerbehandlung.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <gtest/gtest.h>

#include <stdexcept>

#include "common/laufzeitfehler.h"
#include "common/tolvek.h"
#include "support/testhilfe.h"

namespace {

using Tolvek::Fehlerbehandlung;
using Tolvek::zustand;

const QString kFrageAnfang = QStringLiteral("Das Programm hatte inzwischen mehr als 20 Fehler.");

int fragen(const pvtest::FakeMeldungen& m) {
  int n = 0;
  for (const auto& b : m.boxen) n += b.text.startsWith(kFrageAnfang) ? 1 : 0;
  return n;
}

QList<QByteArray> logZeilen(const pvtest::Programmumgebung& u) {
  QList<QByteArray> zeilen = u.lies(QStringLiteral("ErrLog.txt")).split('\n');
  if (!zeilen.isEmpty() && zeilen.last().isEmpty()) zeilen.removeLast();
  return zeilen;
}

void fehler(int anzahl) {
  for (int i = 0; i < anzahl; ++i) Fehlerbehandlung(QStringLiteral("Test"), 5, QStringLiteral("x"));
}

TEST(Fehlerbehandlung, NummerNullTutNichts) {
  pvtest::Programmumgebung u;
  Fehlerbehandlung(QStringLiteral("Form1 -> Test"), 0, QStringLiteral("kein Fehler"));
  Fehlerbehandlung(QStringLiteral("Form1 -> Test"), pv::Laufzeitfehler(0, QStringLiteral("x")));
  EXPECT_TRUE(u.meldungen.boxen.empty());
  EXPECT_FALSE(QFile::exists(u.pfad(QStringLiteral("ErrLog.txt"))));
  EXPECT_EQ(zustand().Fehlerzaehler, 0);
}

TEST(Fehlerbehandlung, BoxUndLogzeileTragenLabelNummerUndText) {
  pvtest::Programmumgebung u;
  // Labels are plain text: apostrophes and arrows are kept as they are.
  const QString label = QStringLiteral("GerEigen -> Übern'Button -> Schritt 2");
  Fehlerbehandlung(label, -2147221504, QStringLiteral("Überlauf"));

  ASSERT_EQ(u.meldungen.boxen.size(), 1u);
  const auto& box = u.meldungen.boxen[0];
  EXPECT_EQ(box.text, QStringLiteral("In der Prozedur 'GerEigen -> Übern'Button -> Schritt 2' ist "
                                     "folgender Fehler aufgetreten:\r\nFehler -2147221504: Überlauf"));
  EXPECT_EQ(box.titel, pv::kAnwendungstitel);
  EXPECT_EQ(box.knoepfe, pv::Knoepfe::Ok);
  EXPECT_EQ(box.symbol, pv::Symbol::Keins);

  const QByteArray log = u.lies(QStringLiteral("ErrLog.txt"));
  // One Windows-1252 line ended by CR LF: "Ü" is the single byte 0xDC.
  ASSERT_TRUE(log.endsWith("\r\n"));
  EXPECT_EQ(log.count('\n'), 1);
  EXPECT_TRUE(log.endsWith(QByteArray("; Prozedur 'GerEigen -> \xDC" "bern'Button -> Schritt 2': "
                                      "Fehler -2147221504: \xDC" "berlauf\r\n")))
      << log.toStdString();
  EXPECT_FALSE(log.contains("\xC3"));  // no UTF-8
  EXPECT_EQ(zustand().Fehlerzaehler, 1);
}

TEST(Fehlerbehandlung, LogzeileBeginntMitDatumUndZeit) {
  EXPECT_EQ(Tolvek::FehlerLogZeile(QStringLiteral("24.12.25"), QStringLiteral("23:59:58"),
                                   QStringLiteral("Warten"), 6, QStringLiteral("Überlauf")),
            QStringLiteral("24.12.25, 23:59:58; Prozedur 'Warten': Fehler 6: Überlauf"));
  // The zone some systems append to their long time format is left out.
  EXPECT_EQ(Tolvek::ZeitformatOhneZone(QStringLiteral("HH:mm:ss t")), QStringLiteral("HH:mm:ss"));
  EXPECT_EQ(Tolvek::ZeitformatOhneZone(QStringLiteral("h:mm:ss 'at' AP tttt")),
            QStringLiteral("h:mm:ss 'at' AP"));
}

TEST(Fehlerbehandlung, LogWirdAngehaengtNichtErsetzt) {
  pvtest::Programmumgebung u;
  u.schreibe(QStringLiteral("ErrLog.txt"), "alte Zeile\r\n");
  fehler(2);
  const QList<QByteArray> zeilen = logZeilen(u);
  ASSERT_EQ(zeilen.size(), 3);
  EXPECT_EQ(zeilen[0], "alte Zeile\r");
  EXPECT_TRUE(zeilen[2].endsWith("; Prozedur 'Test': Fehler 5: x\r"));
}

TEST(Fehlerbehandlung, StdExceptionUndLaufzeitfehler) {
  pvtest::Programmumgebung u;
  try {
    throw std::runtime_error("kaputt");
  } catch (const std::exception& e) {
    Fehlerbehandlung(QStringLiteral("A"), e);
  }
  try {
    throw pv::Laufzeitfehler(53, QStringLiteral("Datei nicht gefunden"));
  } catch (const std::exception& e) {  // caught as std::exception, keeps its number
    Fehlerbehandlung(QStringLiteral("B"), e);
  }
  ASSERT_EQ(u.meldungen.boxen.size(), 2u);
  EXPECT_TRUE(u.meldungen.boxen[0].text.endsWith(QStringLiteral("Fehler 51: kaputt")));
  EXPECT_TRUE(u.meldungen.boxen[1].text.endsWith(QStringLiteral("Fehler 53: Datei nicht gefunden")));
}

TEST(Fehlerbehandlung, Der21FehlerFragtNeinSetztZurueck) {
  pvtest::Programmumgebung u;
  fehler(20);
  EXPECT_EQ(u.meldungen.boxen.size(), 20u);
  EXPECT_EQ(fragen(u.meldungen), 0);
  EXPECT_EQ(logZeilen(u).size(), 20);
  EXPECT_EQ(zustand().Fehlerzaehler, 20);

  fehler(1);  // the 21st: its own box, then the question; default No
  ASSERT_EQ(u.meldungen.boxen.size(), 22u);
  const auto& frage = u.meldungen.boxen.back();
  EXPECT_EQ(frage.text, Tolvek::FehlerFrageText());
  EXPECT_EQ(frage.text.split(QStringLiteral("\r\n")).size(), 10);
  EXPECT_TRUE(frage.text.contains(QStringLiteral("\r\n'") + u.pfad(QStringLiteral("ErrLog.txt")) + u'\''));
  EXPECT_EQ(frage.knoepfe, pv::Knoepfe::JaNein);
  EXPECT_EQ(frage.standard, pv::Antwort::Nein);
  EXPECT_EQ(frage.symbol, pv::Symbol::Keins);
  EXPECT_EQ(frage.titel, pv::kAnwendungstitel);
  EXPECT_EQ(zustand().Fehlerzaehler, 0);
  EXPECT_EQ(u.hauptfenster.aufrufe, 0);
  EXPECT_EQ(u.hauptfenster.sofortBeendet, 0);

  fehler(20);
  EXPECT_EQ(fragen(u.meldungen), 1);
  fehler(1);  // the 42nd error of the run asks again
  EXPECT_EQ(fragen(u.meldungen), 2);
  EXPECT_EQ(logZeilen(u).size(), 42);
}

TEST(Fehlerbehandlung, JaRuftBeendenUndEndetAuchWennEsAblehnt) {
  pvtest::Programmumgebung u;
  fehler(20);
  u.meldungen.antworten = {pv::Antwort::Ok, pv::Antwort::Ja};
  fehler(1);
  // The fake exit procedure declines like one with a running recording:
  // the program ends at once all the same.
  EXPECT_EQ(u.hauptfenster.aufrufe, 1);
  EXPECT_EQ(u.hauptfenster.sofortBeendet, 1);
  EXPECT_FALSE(zustand().FehlermeldungOffen);
}

TEST(Fehlerbehandlung, FehlerWaehrendOffenerBoxNurGezaehltUndProtokolliert) {
  pvtest::Programmumgebung u;
  u.meldungen.waehrendBox = [] {
    EXPECT_TRUE(zustand().FehlermeldungOffen);
    Fehlerbehandlung(QStringLiteral("Timer"), 8, QStringLiteral("innen"));
  };
  Fehlerbehandlung(QStringLiteral("Aussen"), 7, QStringLiteral("aussen"));

  ASSERT_EQ(u.meldungen.boxen.size(), 1u);
  EXPECT_TRUE(u.meldungen.boxen[0].text.contains(QStringLiteral("'Aussen'")));
  EXPECT_EQ(zustand().Fehlerzaehler, 2);
  EXPECT_FALSE(zustand().FehlermeldungOffen);
  const QList<QByteArray> zeilen = logZeilen(u);
  ASSERT_EQ(zeilen.size(), 2);
  EXPECT_TRUE(zeilen[0].contains("'Aussen'"));
  EXPECT_TRUE(zeilen[1].contains("'Timer': Fehler 8: innen"));
}

TEST(Fehlerbehandlung, FehlerWaehrendDerBoxenHaltenDenZaehlerBei21) {
  pvtest::Programmumgebung u;
  fehler(20);
  // While the 21st error's own box is open one more error comes in, while
  // the question is open two more: all are logged, the count stops at 21,
  // the question comes once and its No starts the count again.
  u.meldungen.waehrendBox = [&u] {
    fehler(1);
    EXPECT_EQ(zustand().Fehlerzaehler, 21);
    u.meldungen.waehrendBox = [] {
      fehler(2);
      EXPECT_EQ(zustand().Fehlerzaehler, 21);
    };
  };
  fehler(1);
  EXPECT_EQ(fragen(u.meldungen), 1);
  EXPECT_EQ(u.meldungen.boxen.size(), 22u);
  EXPECT_EQ(zustand().Fehlerzaehler, 0);
  EXPECT_EQ(logZeilen(u).size(), 24);
}

TEST(Fehlerbehandlung, FehlerImBeendenZeigtKeineZweiteFrage) {
  pvtest::Programmumgebung u;
  struct Beenden : pv::Hauptfenster {
    int aufrufe = 0;
    void ProgrammBeenden() override {
      ++aufrufe;
      Fehlerbehandlung(QStringLiteral("Form1 -> ProgrammBeenden"), 75, QStringLiteral("Pfad"));
    }
    void SofortBeenden() override {}
  } beenden;
  zustand().hauptfenster = &beenden;
  fehler(20);
  u.meldungen.antworten = {pv::Antwort::Ok, pv::Antwort::Ja};
  fehler(1);
  EXPECT_EQ(beenden.aufrufe, 1);
  EXPECT_EQ(fragen(u.meldungen), 1);
  EXPECT_EQ(u.meldungen.boxen.size(), 22u);
  EXPECT_EQ(zustand().Fehlerzaehler, 21);
  EXPECT_TRUE(logZeilen(u).last().contains("'Form1 -> ProgrammBeenden': Fehler 75"));
}

TEST(Fehlerbehandlung, LogNichtSchreibbarFehlerWirdTrotzdemGezeigtUndGezaehlt) {
  pvtest::Programmumgebung u;
  // A folder in place of the log cannot be opened for appending by anyone.
  ASSERT_TRUE(QDir(u.pfad()).mkdir(QStringLiteral("ErrLog.txt")));
  fehler(21);
  EXPECT_EQ(u.meldungen.boxen.size(), 22u);
  EXPECT_EQ(fragen(u.meldungen), 1);
}

TEST(Fehlerbehandlung, SchreibgeschuetzterProgrammordner) {
  pvtest::Programmumgebung u;
  const QString ordner = u.pfad();
  const auto rechte = QFile::permissions(ordner);
  ASSERT_TRUE(QFile::setPermissions(ordner, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
  // The superuser writes into read-only folders all the same; there the
  // missing log cannot be checked.
  QFile probe(QDir(ordner).filePath(QStringLiteral("probe")));
  const bool rechteGelten = !probe.open(QIODevice::WriteOnly);
  probe.close();
  if (!rechteGelten) probe.remove();

  fehler(1);
  EXPECT_EQ(u.meldungen.boxen.size(), 1u);
  EXPECT_EQ(zustand().Fehlerzaehler, 1);
  if (rechteGelten) {
    EXPECT_FALSE(QFile::exists(u.pfad(QStringLiteral("ErrLog.txt"))));
  }
  QFile::setPermissions(ordner, rechte);
}

}  // namespace
