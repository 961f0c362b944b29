// The settings file: layout, reading statuses, factory defaults and the
// conversion of the old settings file.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>

#include "common/cp1252.h"
#include "common/textdatei.h"
#include "main/einstellungsdatei.h"
#include "main/werkseinstellungen.h"
#include "support/testhilfe.h"

namespace {

using pv::Antwort;
using pv::Einstellungen;

QByteArray golden() {
  const QString name = QStringLiteral("pelvaron_werkseinstellungen.ini");
  const QString pfad = pvtest::testdatei(name);
  QByteArray b;
  EXPECT_TRUE(pv::dateiLesen(pfad, b)) << pfad.toStdString();
  return b;
}

Einstellungen werkseinstellungen() {
  Einstellungen e;
  pv::Standardparameter(e, QStringLiteral("C:\\Pelvaron"));
  return e;
}

// The golden text with the line of `schluessel` replaced by `ersatz`, or
// removed when `ersatz` is empty.
QByteArray mitZeile(const QString& schluessel, const QString& ersatz) {
  QString text = pv::vonCp1252(golden());
  const qsizetype p = text.indexOf(QStringLiteral("\r\n") + schluessel + u'=');
  EXPECT_GE(p, 0) << schluessel.toStdString();
  const qsizetype ende = text.indexOf(QStringLiteral("\r\n"), p + 2);
  text.replace(p + 2, ende - p, ersatz.isEmpty() ? QString() : ersatz + QStringLiteral("\r\n"));
  return pv::zuCp1252(text);
}

TEST(Einstellungsdatei, FactoryDefaultsWriteTheGoldenFileByteForByte) {
  const Einstellungen e = werkseinstellungen();
  const QByteArray erwartet = golden();
  ASSERT_FALSE(erwartet.isEmpty());
  EXPECT_EQ(pv::iniText(e, u','), erwartet);
  EXPECT_EQ(pv::iniText(e, u'.'), erwartet);  // the defaults hold no fractions

  pvtest::Programmumgebung u;
  ASSERT_TRUE(pv::iniSichern(u.pfad(), u',', e));
  EXPECT_EQ(u.lies(QStringLiteral("Pelvaron.ini")), erwartet);
  EXPECT_TRUE(u.meldungen.boxen.empty());
}

TEST(Einstellungsdatei, DefaultsAndConversionPressTheStandardRangeButton) {
  Einstellungen e = werkseinstellungen();
  EXPECT_EQ(e.Messbereich, 6);

  pvtest::Programmumgebung u;
  u.schreibe(QStringLiteral("Pelvar.ini"), "1,\"x\",\"C:\\M\",3\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
  Einstellungen k;
  k.Messbereich = 0;
  EXPECT_EQ(pv::iniKonvertierenZuVer3(u.pfad(), QStringLiteral("Pelvar.ini"), k), 0);
  EXPECT_EQ(k.Messbereich, 6);
}

// A record where every stored value differs from the start values.
Einstellungen vollerDatensatz() {
  Einstellungen e;
  e.AktuellesMessgeraet = QStringLiteral("Waage PT 210");
  e.ComPortNummer = 7;
  e.OrdnerMessungen = QStringLiteral("D:\\Messungen, Größen");
  e.LetzteDateienAnzahl = 6;
  e.LetzteDateien = {QStringLiteral("&1 C:\\a.mes"), QStringLiteral("&2 C:\\ä b.mes")};
  e.DruckerName = QStringLiteral("Drucker 2");
  e.Computerbild = 2;
  e.DatenlinieAnimation = true;
  e.Animationsart = 5;
  e.BarGraphAktiviert = 2;
  for (int n = 1; n <= 5; ++n) {
    e.Schemata[n] = {int16_t(n), int16_t(n + 1), int16_t(n + 2), int16_t(n + 3),
                     0xFFFFFFu - n, 0x00E0E0E0u + n, 0x00123456u * n, 0x000000FFu << n};
  }
  e.SchemaDrucker = 1;
  e.AktuellesSchema = 4;
  e.MesswerteVerbunden = 1;
  e.MesspunkteAnzeigen = 1;
  e.GitterX = true;
  e.MinMaxAutoX = false;
  e.XMin = -12.5f;
  e.XMax = 3600;
  e.GitterabstandAutoX = false;
  e.GitterabstandX = 0.25f;
  e.GitterY = true;
  e.MinMaxAutoY = false;
  e.GitterabstandAutoY = false;
  e.GitterabstandY = 1.5e-5f;
  e.YMin = -1.234568e+07f;
  e.YMax = 0.001f;
  e.Schriftart = QStringLiteral("Courier New");
  e.SchriftbildFett = true;
  e.SchriftgroesseTitel = 14;
  e.SchriftgroesseAchsen = 9;
  e.MessendeAutomatisch = true;
  e.Messdauer = 1.5f;
  e.ZwischenspeichernAutomatisch = true;
  e.ZwischenspeichernZeit = 90.75f;
  e.ZwischenspeichernDatei = QStringLiteral("zs.mes");
  e.TimeOutON = 1;
  e.TimeOutTime = 2.5f;
  e.CheckMinON = 1;
  e.CheckMin = -0.5f;
  e.CheckMaxON = 1;
  e.CheckMax = 99.9f;
  e.XZahlenformatnummer = 15;
  e.XNachkommastellen = 3;
  e.XBezeichnung = QStringLiteral("Zeit (h)");
  e.XBeschriftungManuell = 1;
  e.YZahlenformatnummer = 4;
  e.YNachkommastellen = 0;
  e.YBezeichnung = QStringLiteral("Strom (µA)");
  e.Wartezeit = 0.2f;
  e.Messbereich = 3;
  e.Messwertverarbeitung = 3;
  e.TextM = QStringLiteral("2,5");
  e.TextT = QStringLiteral("-1");
  e.Sensordatei = QStringLiteral("C:\\PT100.kfl");
  e.Sensorname = QStringLiteral("PT100");
  e.TextMessBezeichnung = QStringLiteral("Temperatur = Heizung");
  e.TextPhysGr = QStringLiteral("Temperatur");
  e.TextZeichen = QStringLiteral("ϑ");  // not in the code page: becomes "?"
  e.TextEinheit = QStringLiteral("°C");
  e.OptionalerFrame = 1;
  e.DisplayanzeigeAuswahl = 0;
  e.Tooltipps = true;
  e.OptionMesswert = true;
  e.LEDLCD = 1;
  e.DisplaySchriftFett = 1;
  e.DisplaySchriftDigital = 1;
  e.DisplaySchriftDigitalfont = QStringLiteral("LCD");
  e.DisplayHell = true;
  return e;
}

TEST(Einstellungsdatei, EveryKeyRoundTripsUnderEitherSeparator) {
  const QChar marken[] = {u',', u'.'};
  for (QChar schreiben : marken) {
    for (QChar lesen : marken) {
      SCOPED_TRACE(QStringLiteral("written with %1, read with %2").arg(schreiben, lesen).toStdString());
      pvtest::Programmumgebung u;
      const Einstellungen vorher = vollerDatensatz();
      ASSERT_TRUE(pv::iniSichern(u.pfad(), schreiben, vorher));

      Einstellungen nachher;
      ASSERT_EQ(pv::iniLesen(u.pfad(), lesen, nachher), pv::kIniGelesen);
      Einstellungen erwartet = vorher;
      erwartet.TextZeichen = QStringLiteral("?");
      erwartet.ToolTippsSetzen = true;
      EXPECT_EQ(nachher, erwartet);
      // The lost character is reported, naming its key.
      ASSERT_FALSE(u.meldungen.boxen.empty());
      EXPECT_TRUE(u.meldungen.boxen.front().text.contains(QStringLiteral("Zeichen nicht speicherbar bei: Zeichen")));
      // Six slots with two files: only the two filled ones come back.
      EXPECT_EQ(nachher.LetzteDateien.size(), 2);
    }
  }
}

TEST(Einstellungsdatei, TextValuesLoseLineBreaksBeforeWriting) {
  Einstellungen e = werkseinstellungen();
  e.TextMessBezeichnung = QStringLiteral("Teil 1\r\nMessbereich=0");
  e.Sensorname = QStringLiteral("A\nB\rC");
  const QString text = pv::vonCp1252(pv::iniText(e, u','));
  EXPECT_TRUE(text.contains(QStringLiteral("\r\nBezeichnung=Teil 1Messbereich=0\r\n")));
  EXPECT_TRUE(text.contains(QStringLiteral("\r\nSensorname=ABC\r\n")));
  EXPECT_EQ(text.count(u'\n'), pv::vonCp1252(golden()).count(u'\n'));

  pvtest::Programmumgebung u;
  ASSERT_TRUE(pv::iniSichern(u.pfad(), u',', e));
  Einstellungen gelesen;
  ASSERT_EQ(pv::iniLesen(u.pfad(), u',', gelesen), pv::kIniGelesen);
  EXPECT_EQ(gelesen.Messbereich, 6);
}

struct LeseFall {
  const char* name;
  const char* schluessel;
  const char* ersatz;  // "" removes the line
  QChar dezimal;
  int16_t status;
  std::function<bool(const Einstellungen&)> pruefen;
};

TEST(Einstellungsdatei, ReaderTakesEachKeyByItsKind) {
  const LeseFall faelle[] = {
      {"missing I key is a read error, later keys still applied", "Gitter x", "", u',', 1,
       [](const Einstellungen& e) { return e.TextEinheit == QStringLiteral("V") && e.DisplayHell; }},
      {"missing colour is a read error", "3:  Farbe Messkurve", "", u',', 1, nullptr},
      {"non-numeric single is a read error", "Messdauer", "Messdauer=abc", u',', 1, nullptr},
      {"integer too large for 16 bits is a read error", "Computerbild", "Computerbild=40000", u',', 1, nullptr},
      {"missing TimeOutTime gives 1 s", "TimeOutTime", "", u',', 0,
       [](const Einstellungen& e) { return e.TimeOutTime == 1.0f; }},
      {"missing CheckMin gives 0", "CheckMin", "", u',', 0,
       [](const Einstellungen& e) { return e.CheckMin == 0.0f; }},
      {"non-numeric SN key keeps the start value", "xmin", "xmin=abc", u',', 0,
       [](const Einstellungen& e) { return e.XMin == -7.0f; }},
      {"missing V key gives 0", "Animationsart", "", u',', 0,
       [](const Einstellungen& e) { return e.Animationsart == 0; }},
      {"V key too large for its variable gives 0 and no error", "Animationsart", "Animationsart=99999", u',', 0,
       [](const Einstellungen& e) { return e.Animationsart == 0; }},
      {"V key takes the leading number", "TimeOutON", "TimeOutON=1 (an)", u',', 0,
       [](const Einstellungen& e) { return e.TimeOutON == 1; }},
      {"Animation=2 is False", "Animation", "Animation=2", u',', 0,
       [](const Einstellungen& e) { return !e.DatenlinieAnimation; }},
      {"Messwertverarbeitung=7 is the device value", "Messwertverarbeitung", "Messwertverarbeitung=7", u',', 0,
       [](const Einstellungen& e) { return e.Messwertverarbeitung == 1; }},
      {"Messwertverarbeitung=2 is linear", "Messwertverarbeitung", "Messwertverarbeitung=2", u',', 0,
       [](const Einstellungen& e) { return e.Messwertverarbeitung == 2; }},
      {"Displayanzeige Auswahl=5 is OptionWert2", "Displayanzeige Auswahl", "Displayanzeige Auswahl=5", u',', 0,
       [](const Einstellungen& e) { return e.DisplayanzeigeAuswahl == 0; }},
      {"Anzahl=0 gives one slot", "Anzahl", "Anzahl=0", u',', 0,
       [](const Einstellungen& e) { return e.LetzteDateienAnzahl == 1; }},
      {"Anzahl=40 gives sixteen slots", "Anzahl", "Anzahl=40", u',', 0,
       [](const Einstellungen& e) { return e.LetzteDateienAnzahl == 16; }},
      {"point read under comma", "Messdauer", "Messdauer=1.5", u',', 0,
       [](const Einstellungen& e) { return e.Messdauer == 1.5f; }},
      {"comma read under point", "Messdauer", "Messdauer=1,5", u'.', 0,
       [](const Einstellungen& e) { return e.Messdauer == 1.5f; }},
      {"empty slots are skipped", "Datei 2", "Datei 2=&2 b.mes", u',', 0,
       [](const Einstellungen& e) { return e.LetzteDateien == QStringList{QStringLiteral("&2 b.mes")}; }},
      {"tool tips off: no texts set", "Tooltipps", "Tooltipps=0", u',', 0,
       [](const Einstellungen& e) { return !e.ToolTippsSetzen; }},
  };
  for (const LeseFall& f : faelle) {
    SCOPED_TRACE(f.name);
    pvtest::Programmumgebung u;
    u.schreibe(QStringLiteral("Pelvaron.ini"),
               mitZeile(QString::fromUtf8(f.schluessel), QString::fromUtf8(f.ersatz)));
    Einstellungen e;
    e.XMin = -7;
    EXPECT_EQ(pv::iniLesen(u.pfad(), f.dezimal, e), f.status);
    if (f.pruefen) {
      EXPECT_TRUE(f.pruefen(e));
    }
    EXPECT_TRUE(u.meldungen.boxen.empty());
  }
}

TEST(Einstellungsdatei, AnzahlNeverFallsBelowFourWhenWritten) {
  Einstellungen e = werkseinstellungen();
  e.LetzteDateienAnzahl = 2;
  e.LetzteDateien = {QStringLiteral("a.mes")};
  const QString text = pv::vonCp1252(pv::iniText(e, u','));
  EXPECT_TRUE(text.contains(QStringLiteral("\r\nAnzahl=4\r\nDatei 1=a.mes\r\nDatei 2=\r\nDrucker=\r\n")));
}

// A recent file whose path the code page or the line cannot hold (a line
// end would leave another file's path) is left out without a message, and
// the entries after it move up; any other text key still loses the
// characters and is reported.
TEST(Einstellungsdatei, RecentFilesTheCodePageCannotHoldAreLeftOut) {
  Einstellungen e = werkseinstellungen();
  e.LetzteDateien = {QStringLiteral("&1 /m/mess ä ö/a.MES"), QStringLiteral("&2 /m/Widerstand_Ω.MES"),
                     QStringLiteral("&3 /m/测量.MES"),       QStringLiteral("&4 /m/Mess\nung.MES"),
                     QStringLiteral("&5 /m/Mess\rung.MES"),  QStringLiteral("&6 /m/Mess\tung.MES"),
                     QStringLiteral("&7 /m/b.MES")};
  e.DruckerName = QStringLiteral("Drucker Ω");
  pvtest::Programmumgebung u;
  ASSERT_TRUE(pv::iniSichern(u.pfad(), u',', e));
  const QString text = pv::vonCp1252(u.lies(pv::kIniDatei));
  EXPECT_TRUE(text.contains(QStringLiteral("\r\nDatei 1=&1 /m/mess ä ö/a.MES\r\nDatei 2=&2 /m/b.MES\r\n"
                                           "Datei 3=\r\nDatei 4=\r\nDrucker=Drucker ?\r\n")))
      << text.toStdString();
  ASSERT_EQ(u.meldungen.boxen.size(), 1u);
  EXPECT_TRUE(u.meldungen.boxen[0].text.endsWith(QStringLiteral("Zeichen nicht speicherbar bei: Drucker")));
}

struct FrageFall {
  const char* name;
  bool vorhanden;
  QByteArray inhalt;
  Antwort antwort;
  int16_t status;
  const char* text;
  bool ordner = false;  // a folder in the file's place: there, but not readable
};

TEST(Einstellungsdatei, MissingOrInvalidFilesOfferTheDefaults) {
  const char* fehlt =
      "Die Pelvaron-Initialisierungsdatei konnte nicht gefunden werden.\n"
      "Soll eine Standardkonfiguration geladen werden?";
  const char* unlesbar =
      "Die Pelvaron-Initialisierungsdatei konnte nicht gelesen werden.\n"
      "Soll eine Standardkonfiguration geladen werden?";
  const char* ungueltig = "Die Datei 'Pelvaron.ini' ist ungültig!\r\nMöchten Sie eine Standardkonfiguration laden?";
  const QByteArray rest = golden().mid(golden().indexOf("\r\n"));
  const FrageFall faelle[] = {
      {"missing file, Yes", false, {}, Antwort::Ja, pv::kIniStandard, fehlt},
      {"missing file, No", false, {}, Antwort::Nein, pv::kIniBeenden, fehlt},
      {"unreadable file, No", false, {}, Antwort::Nein, pv::kIniBeenden, unlesbar, true},
      {"other version, Yes", true, "[Pelvaron-Initialisierungsdatei Version 3.0.1]" + rest, Antwort::Ja,
       pv::kIniStandard, ungueltig},
      {"header in other case, No", true, "[pelvaron-initialisierungsdatei version 3.0.2]" + rest,
       Antwort::Nein, pv::kIniBeenden, ungueltig},
      {"empty file, Yes", true, QByteArray(), Antwort::Ja, pv::kIniStandard, ungueltig},
  };
  for (const FrageFall& f : faelle) {
    SCOPED_TRACE(f.name);
    pvtest::Programmumgebung u;
    if (f.vorhanden) u.schreibe(QStringLiteral("Pelvaron.ini"), f.inhalt);
    if (f.ordner) {
      ASSERT_TRUE(QDir(u.pfad()).mkdir(QStringLiteral("Pelvaron.ini")));
    }
    u.meldungen.antworten.push_back(f.antwort);
    Einstellungen e;
    EXPECT_EQ(pv::iniLesen(u.pfad(), u',', e), f.status);
    ASSERT_EQ(u.meldungen.boxen.size(), 1u);
    EXPECT_EQ(u.meldungen.boxen[0].text, QString::fromUtf8(f.text));
    EXPECT_EQ(u.meldungen.boxen[0].knoepfe, pv::Knoepfe::JaNein);
    EXPECT_EQ(u.meldungen.boxen[0].titel, f.vorhanden ? pv::kAnwendungstitel
                                                      : QStringLiteral("Fehler beim Laden der Initialisierungsdatei"));
    EXPECT_EQ(e, Einstellungen{});  // nothing taken over
  }
}

}  // namespace
