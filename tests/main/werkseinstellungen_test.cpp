// Converting the old settings file "Pelvar.ini" and reading its items.
#include <QFileInfo>
#include <gtest/gtest.h>

#include "common/cp1252.h"
#include "main/einstellungsdatei.h"
#include "main/werkseinstellungen.h"
#include "support/testhilfe.h"

namespace {

using pv::Antwort;
using pv::Einstellungen;

TEST(AltIniKonvertieren, ConvertsOnceAndMovesTheOldFileAside) {
  pvtest::Programmumgebung u;
  u.schreibe(QStringLiteral("Pelvar.ini"),
             "3,\"alt\",\"C:\\Messungen\",4\r\n\"&1 C:\\A.MES\"\r\n\"\"\r\n\"ab\"\r\n\"&2 C:\\B, C.MES\"\r\n");
  u.schreibe(QStringLiteral("Pelvarn3.ger"), "\"Multimeter 3\",\"9600,n,8,1\"\r\n");

  Einstellungen e;
  e.Messdauer = 42;  // not converted: keeps its value
  e.BarGraphAktiviert = 2;
  ASSERT_EQ(pv::iniLesen(u.pfad(), u',', e), pv::kIniGelesen);
  EXPECT_FALSE(QFileInfo::exists(u.pfad(QStringLiteral("Pelvar.ini"))));
  EXPECT_TRUE(QFileInfo::exists(u.pfad(QStringLiteral("Pelvar.old"))));
  EXPECT_TRUE(u.meldungen.boxen.empty());

  EXPECT_EQ(e.StandardGeraetNr, 3);
  EXPECT_EQ(e.AktuellesMessgeraet, QStringLiteral("Multimeter 3"));
  EXPECT_EQ(e.OrdnerMessungen, QStringLiteral("C:\\Messungen"));
  EXPECT_EQ(e.ComPortNummer, 4);
  EXPECT_EQ(e.LetzteDateienAnzahl, 4);
  EXPECT_EQ(e.LetzteDateien, (QStringList{QStringLiteral("&1 C:\\A.MES"), QStringLiteral("&2 C:\\B, C.MES")}));
  EXPECT_EQ(e.Schemata[5].LiniendickeAchsen, 2);
  EXPECT_FALSE(e.SchriftbildFett);
  EXPECT_TRUE(e.Tooltipps);
  EXPECT_FALSE(e.ToolTippsSetzen);  // the texts wait for the next start
  EXPECT_EQ(e.Messbereich, 6);
  EXPECT_EQ(e.Messdauer, 42.0f);
  EXPECT_EQ(e.BarGraphAktiviert, 2);

  // The next start reads the file written at the end of this run.
  ASSERT_TRUE(pv::iniSichern(u.pfad(), u',', e));
  Einstellungen danach;
  EXPECT_EQ(pv::iniLesen(u.pfad(), u',', danach), pv::kIniGelesen);
  EXPECT_EQ(danach.AktuellesMessgeraet, QStringLiteral("Multimeter 3"));
  EXPECT_TRUE(QFileInfo::exists(u.pfad(QStringLiteral("Pelvar.old"))));
}

TEST(AltIniKonvertieren, UnchangedFirstFileAfterAConversion) {
  pvtest::Programmumgebung u;
  u.schreibe(QStringLiteral("Pelvar.ini"), "0,\"\",\"C:\\M\",1\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
  Einstellungen e;
  ASSERT_EQ(pv::iniKonvertierenZuVer3(u.pfad(), QStringLiteral("Pelvar.ini"), e), 0);
  const QString text = pv::vonCp1252(pv::iniText(e, u','));
  for (const char* zeile : {"Messdauer=0", "Zwischenspeichern Zeit=0", "Zwischenspeichern Datei=",
                            "1:  Liniendicke Achsen=2", "Schriftbild Fett=0", "Messbereich=6",
                            "Aktuelles Messgerät=M 3610 D"}) {
    EXPECT_TRUE(text.contains(QStringLiteral("\r\n") + QString::fromUtf8(zeile) + QStringLiteral("\r\n"))) << zeile;
  }
}

TEST(AltIniKonvertieren, OldDeviceNumbersGiveTheirNames) {
  const struct {
    const char* nummer;
    const char* name;
  } faelle[] = {
      {"0", "M 3610 D"}, {"1", "M 4650 CR"}, {"2", "Waage PT 210"},
      {"7", "Eigenbau"},  // from Pelvarn7.ger
      {"4", ""},          // Pelvarn4.ger missing
      {"8", ""},          {"-1", ""},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.nummer);
    pvtest::Programmumgebung u;
    u.schreibe(QStringLiteral("Pelvarn7.ger"), "Eigenbau\r\n");
    u.schreibe(QStringLiteral("Pelvar.ini"), QByteArray(f.nummer) + ",x,y,2\r\n,,,\r\n");
    Einstellungen e;
    ASSERT_EQ(pv::iniKonvertierenZuVer3(u.pfad(), QStringLiteral("Pelvar.ini"), e), 0);
    EXPECT_EQ(e.AktuellesMessgeraet, QString::fromUtf8(f.name));
  }
}

TEST(AltIniKonvertieren, OldFileIsIgnoredBesideACurrentOne) {
  pvtest::Programmumgebung u;
  u.schreibe(QStringLiteral("Pelvar.ini"), "2,x,y,2\r\na\r\nb\r\nc\r\nd\r\n");
  Einstellungen w;
  pv::Standardparameter(w, u.pfad());
  ASSERT_TRUE(pv::iniSichern(u.pfad(), u',', w));
  Einstellungen e;
  EXPECT_EQ(pv::iniLesen(u.pfad(), u',', e), pv::kIniGelesen);
  EXPECT_TRUE(e.AktuellesMessgeraet.isEmpty());
  EXPECT_TRUE(QFileInfo::exists(u.pfad(QStringLiteral("Pelvar.ini"))));
}

TEST(AltIniKonvertieren, FailedConversionReportsAndOffersTheDefaults) {
  for (Antwort antwort : {Antwort::Ja, Antwort::Nein}) {
    pvtest::Programmumgebung u;
    // Only seven of the eight items.
    u.schreibe(QStringLiteral("Pelvar.ini"), "1,\"x\",\"C:\\M\",3\r\n\"a.mes\"\r\n\"b.mes\"\r\n\"c.mes\"\r\n");
    u.meldungen.antworten = {Antwort::Ok, antwort};
    Einstellungen e;
    EXPECT_EQ(pv::iniLesen(u.pfad(), u',', e), antwort == Antwort::Ja ? pv::kIniStandard : pv::kIniBeenden);
    ASSERT_EQ(u.meldungen.boxen.size(), 2u);
    EXPECT_TRUE(u.meldungen.boxen[0].text.contains(QStringLiteral("ini-Konvertieren")));
    EXPECT_EQ(u.meldungen.boxen[1].text,
              QStringLiteral("Probleme bei der Konvertierung der Datei 'Pelvar.ini'\r\n"
                             "Soll eine Standardkonfiguration geladen werden?"));
    EXPECT_EQ(u.meldungen.boxen[1].symbol, pv::Symbol::Kritisch);
    EXPECT_TRUE(QFileInfo::exists(u.pfad(QStringLiteral("Pelvar.ini"))));
    EXPECT_FALSE(QFileInfo::exists(u.pfad(QStringLiteral("Pelvar.old"))));
    // What was read before the failure stays.
    EXPECT_EQ(e.ComPortNummer, 3);
  }
}

TEST(Einstellungsdatei, UnwritableFolderIsReportedAndReturnsFalse) {
  pvtest::Programmumgebung u;
  EXPECT_FALSE(pv::iniSichern(u.pfad(QStringLiteral("fehlt/nicht/da")), u',', Einstellungen{}));
  ASSERT_EQ(u.meldungen.boxen.size(), 1u);
  EXPECT_TRUE(u.meldungen.boxen[0].text.contains(QStringLiteral("Form1 -> iniSichern")));
}

}  // namespace
