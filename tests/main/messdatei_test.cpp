// Measurement files: the 3.0.2 layout byte for byte, reading the three
// formats, refusing damaged files without touching the current measurement,
// and the name and label derived from the path.
#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <vector>

#include "common/cp1252.h"
#include "common/textdatei.h"
#include "common/tolvek.h"
#include "main/messdatei.h"
#include "main/messdatei_testhilfe.h"
#include "support/testhilfe.h"

namespace {

using pv::Lesestatus;
using pv::Messdaten;
using pv::Messtexte;
using pvtest::lies;
using pvtest::Roh;

const QString kGolden = QStringLiteral("messung_113_bytes.mes");
const QString kAltText = QStringLiteral("messung_alt_text.mes");

// The measurement of the golden file: three values, no texts.
Messdaten goldenDaten() {
  Messdaten d;
  d.m = 3;
  d.x = {0.0f, 1.0f, 2.0f, 3.5f};
  d.y = {0.0f, 1.25f, -2.5f, 1000.0f};
  return d;
}
const QString kGeraeteInfo = QStringLiteral("Daten des Messgerätes");

// A current measurement that a refused or failed read must leave alone.
struct Bestand {
  Messdaten daten;
  Messtexte texte;
  Bestand() {
    daten.anhaengen(1.0f, 42.0f);
    daten.anhaengen(2.0f, 43.0f);
    daten.MesBeg = QStringLiteral("01.02.2003 04:05:06");
    daten.MesEnd = QStringLiteral("01.02.2003 04:06:00");
    daten.Messung = QStringLiteral("Bisher");
    daten.MessDateiName = QStringLiteral("/alt/Bisher.MES");
    texte = {QStringLiteral("Titel"), QStringLiteral("Spannung"), QStringLiteral("U"), QStringLiteral("V"),
             QStringLiteral("Kommentar")};
  }
  void erwarteUnveraendert(const Messdaten& d, const Messtexte& t) const {
    EXPECT_EQ(d.m, daten.m);
    EXPECT_EQ(d.x, daten.x);
    EXPECT_EQ(d.y, daten.y);
    EXPECT_EQ(d.MesBeg, daten.MesBeg);
    EXPECT_EQ(d.MesEnd, daten.MesEnd);
    EXPECT_EQ(d.Messung, daten.Messung);
    EXPECT_EQ(d.MessDateiName, daten.MessDateiName);
    EXPECT_EQ(t, texte);
  }
};

// ------------------------------------------------------------------ writing

TEST(MessdateiSchreiben, ExampleWritesTheGoldenFileByteForByte) {
  const QByteArray golden = lies(pvtest::testdatei(kGolden));
  ASSERT_EQ(golden.size(), 113);
  EXPECT_EQ(pv::messdateiBytes(goldenDaten(), Messtexte{}, kGeraeteInfo), golden);

  // Exactly m + 1 elements: arrays that grew past m do not leak into the file.
  Messdaten laenger = goldenDaten();
  laenger.x.insert(laenger.x.end(), {9.0f, 9.0f, 9.0f});
  laenger.y.push_back(7.0f);
  EXPECT_EQ(pv::messdateiBytes(laenger, Messtexte{}, kGeraeteInfo), golden);

  // A longer file under the name is replaced completely.
  pvtest::Programmumgebung u;
  u.schreibe(QStringLiteral("a.MES"), QByteArray(5000, 'x'));
  ASSERT_TRUE(pv::MessungSpeichern(u.pfad(QStringLiteral("a.MES")), goldenDaten(), Messtexte{}, kGeraeteInfo));
  EXPECT_EQ(u.lies(QStringLiteral("a.MES")), golden);
  EXPECT_TRUE(u.meldungen.boxen.empty());
}

TEST(MessdateiSchreiben, FailedSavesLeaveThePreviousFile) {
  struct Fall {
    const char* name;
    Messdaten daten;
    QString datei;
    Messtexte texte = {};
  };
  Messdaten kurzX = goldenDaten();
  kurzX.x.pop_back();
  Messdaten kurzY = goldenDaten();
  kurzY.y.resize(1);
  Messdaten negativ = goldenDaten();
  negativ.m = -1;
  Messtexte omega;
  omega.Einheit = QStringLiteral("Ω");
  const Fall faelle[] = {{"x shorter than m + 1", kurzX, "v.MES"},
                         {"y shorter than m + 1", kurzY, "v.MES"},
                         {"negative count", negativ, "v.MES"},
                         {"missing folder", goldenDaten(), "fehlt/v.MES"},
                         {"unit the code page cannot hold", goldenDaten(), "v.MES", omega}};
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    pvtest::Programmumgebung u;
    u.schreibe(QStringLiteral("v.MES"), QByteArrayLiteral("vorher"));
    EXPECT_FALSE(pv::MessungSpeichern(u.pfad(f.datei), f.daten, f.texte, kGeraeteInfo));
    EXPECT_EQ(u.lies(QStringLiteral("v.MES")), QByteArrayLiteral("vorher"));
    EXPECT_FALSE(QFile::exists(u.pfad(QStringLiteral("fehlt"))));
  }
}

TEST(MessdateiSchreiben, TextsRoundTripAsWindows1252WithCrLfInTheComment) {
  Messdaten d = goldenDaten();
  d.MesBeg = QStringLiteral("05.03.2004 14:07:09");
  d.MesEnd = QStringLiteral("05.03.2004 15:00:00");
  const Messtexte t{QStringLiteral("Größe"), QStringLiteral("Spannung"), QStringLiteral("U"),
                    QStringLiteral("µV"), QStringLiteral("Zeile 1\nZeile 2")};
  const auto bytes = pv::messdateiBytes(d, t, QStringLiteral("Messfühler verwendet: PT100"));
  ASSERT_TRUE(bytes);
  EXPECT_TRUE(bytes->contains(QByteArray("Zeile 1\r\nZeile 2")));
  EXPECT_TRUE(bytes->contains(pv::zuCp1252(QStringLiteral("Größe"))));

  const pv::Leseergebnis e = pv::messdateiAuswerten(*bytes);
  ASSERT_TRUE(e.gelesen());
  EXPECT_EQ(e.inhalt.MessInfo, QStringLiteral("Messfühler verwendet: PT100"));
  EXPECT_EQ(e.inhalt.texte, t);
  EXPECT_EQ(e.inhalt.daten.MesBeg, d.MesBeg);
  EXPECT_EQ(e.inhalt.daten.MesEnd, d.MesEnd);
  EXPECT_EQ(e.inhalt.daten.x, d.x);
  EXPECT_EQ(e.inhalt.daten.y, d.y);

  // A measurement without values, as written, reads back too.
  const pv::Leseergebnis leer = pv::messdateiAuswerten(*pv::messdateiBytes(Messdaten{}, Messtexte{}, kGeraeteInfo));
  ASSERT_TRUE(leer.gelesen()) << leer.Schritt.toStdString();
  EXPECT_EQ(leer.inhalt.daten.m, 0);

  // A comment as long as a file takes reads back; one byte more (a line
  // break is two) is not written at all.
  Messtexte lang;
  lang.Kommentar = QString(pv::kMesstextHoechstlaenge - 2, u'a') + u'\n';
  const auto voll = pv::messdateiBytes(Messdaten{}, lang, kGeraeteInfo);
  ASSERT_TRUE(voll);
  EXPECT_EQ(pv::messdateiAuswerten(*voll).inhalt.texte, lang);
  lang.Kommentar += u'\n';
  EXPECT_FALSE(pv::messdateiBytes(Messdaten{}, lang, kGeraeteInfo));
}

TEST(MessdateiSchreiben, MessInfoFollowsTheProcessingChoice) {
  struct Fall {
    const char* name;
    int16_t verarbeitung;
    float m, t;
    QChar dezimal;
    QString erwartet;
  };
  const Fall faelle[] = {
      {"device value", 1, 1, 0, u',', QStringLiteral("Daten des Messgerätes")},
      {"linear, German separator", 2, 1.5f, 0, u',', QStringLiteral("Lineare Funktion verwendet: y=1,5*x+0")},
      {"linear, point separator", 2, -0.25f, 3, u'.', QStringLiteral("Lineare Funktion verwendet: y=-0.25*x+3")},
      {"sensor", 3, 0, 0, u',', QStringLiteral("Messfühler verwendet: PT100")},
      {"no option selected", 0, 0, 0, u',', QString()},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(pv::messInfoText(f.verarbeitung, f.m, f.t, QStringLiteral("PT100"), f.dezimal), f.erwartet);
  }
}

// ------------------------------------------------------------------ reading

TEST(MessdateiLesen, GoldenFileReadsItsValues) {
  const pv::Leseergebnis e = pv::messdateiLesen(pvtest::testdatei(kGolden), false);
  ASSERT_TRUE(e.gelesen()) << e.Schritt.toStdString();
  EXPECT_EQ(e.inhalt.format, pv::Messformat::Version302);
  EXPECT_EQ(e.inhalt.MessInfo, kGeraeteInfo);
  EXPECT_EQ(e.inhalt.texte, Messtexte{});
  EXPECT_EQ(e.inhalt.daten.m, 3);
  EXPECT_EQ(e.inhalt.daten.x, goldenDaten().x);
  EXPECT_EQ(e.inhalt.daten.y, goldenDaten().y);
  EXPECT_TRUE(e.inhalt.daten.MesBeg.isEmpty());
  EXPECT_TRUE(e.inhalt.daten.MesEnd.isEmpty());
  // Written without a start: no start time, rather than a refused file.
  EXPECT_FALSE(e.inhalt.MessStartDatumZeit.isValid());
}

TEST(MessdateiLesen, OlderFormatsRead) {
  // 3.0.1: a 16-bit count, element 0 supplied by the file and kept.
  const QByteArray v301 = Roh(pv::kMessdateiKopf301)
                              .text("Daten des Messgerates")
                              .text("Titel")
                              .leereTexte(4)
                              .text("05.03.2004, 14:07:09")
                              .text("")
                              .i16(5)
                              .singles({-1, 1, 2, 3, 4, 5})
                              .singles({-2, 10, 20, 30, 40, 50})
                              .b;
  pv::Leseergebnis e = pv::messdateiAuswerten(v301);
  ASSERT_TRUE(e.gelesen()) << e.Schritt.toStdString();
  EXPECT_EQ(e.inhalt.format, pv::Messformat::Version301);
  EXPECT_EQ(e.inhalt.daten.m, 5);
  EXPECT_EQ(e.inhalt.daten.x, (std::vector<float>{-1, 1, 2, 3, 4, 5}));
  EXPECT_EQ(e.inhalt.daten.y, (std::vector<float>{-2, 10, 20, 30, 40, 50}));
  EXPECT_EQ(e.inhalt.texte.MessBezeichnung, QStringLiteral("Titel"));
  EXPECT_EQ(e.inhalt.daten.MesBeg, QStringLiteral("05.03.2004 14:07:09"));
  EXPECT_EQ(e.inhalt.MessStartDatumZeit, QDateTime(QDate(2004, 3, 5), QTime(14, 7, 9), Qt::UTC));
  EXPECT_TRUE(e.inhalt.daten.MesEnd.isEmpty());

  // The old text format: count, five items, pairs; only the unit of the texts.
  e = pv::messdateiLesen(pvtest::testdatei(kAltText), false);
  ASSERT_TRUE(e.gelesen()) << e.fehlertext.toStdString();
  EXPECT_EQ(e.inhalt.format, pv::Messformat::Text);
  EXPECT_EQ(e.inhalt.daten.m, 3);
  EXPECT_EQ(e.inhalt.daten.x, (std::vector<float>{0, 0, 2.5f, 5}));
  EXPECT_EQ(e.inhalt.daten.y, (std::vector<float>{0, 1.5f, -3.25f, 1000}));
  EXPECT_EQ(e.inhalt.texte, (Messtexte{{}, {}, {}, QStringLiteral("mV"), {}}));
  EXPECT_EQ(e.inhalt.daten.MesBeg, QStringLiteral("05.03.2004 14:07:09"));
  EXPECT_EQ(e.inhalt.daten.MesEnd, QStringLiteral("05.03.2004 14:10:00"));
  EXPECT_EQ(e.inhalt.MessStartDatumZeit, QDateTime(QDate(2004, 3, 5), QTime(14, 7, 9), Qt::UTC));
}

TEST(MessdateiLesen, SuccessfulReadBecomesTheCurrentMeasurement) {
  pvtest::Programmumgebung u;
  Bestand b;
  Messdaten d = b.daten;
  Messtexte t = b.texte;
  const QString pfad = u.pfad(QStringLiteral("Versuch.v2.MES"));
  QFile::copy(pvtest::testdatei(kAltText), pfad);
  QString status;

  const pv::Leseergebnis e =
      pv::MessungEinlesen(pfad, false, d, t, [&](const QString& s) { status = s; });
  ASSERT_TRUE(e.gelesen());
  EXPECT_EQ(d.m, 3);
  EXPECT_EQ(d.y[3], 1000.0f);
  EXPECT_EQ(d.MesEnd, QStringLiteral("05.03.2004 14:10:00"));
  EXPECT_EQ(d.Messung, QStringLiteral("Versuch.v2"));
  EXPECT_EQ(d.MessDateiName, pfad);
  EXPECT_EQ(t, (Messtexte{{}, {}, {}, QStringLiteral("mV"), {}}));
  EXPECT_EQ(Tolvek::zustand().MessStartDatumZeit, QDateTime(QDate(2004, 3, 5), QTime(14, 7, 9), Qt::UTC));
  EXPECT_TRUE(u.meldungen.boxen.empty());
  EXPECT_TRUE(status.isEmpty());
}

TEST(MessdateiLesen, RefusalsShowTheirMessageAndChangeNothing) {
  struct Fall {
    const char* name;
    QByteArray inhalt;  // written to the file unless null
    bool messungLaeuft;
    bool ordner;  // the path names a folder
    Lesestatus status;
    QString meldung;
    pv::Symbol symbol;
    QByteArray datei = "f.MES";  // the file's name in bytes
  };
  const QString laeuft = QStringLiteral("Während einer Messung können Sie keine Datei öffnen!");
  const QString fehlt = QStringLiteral("Die angegebene Datei wurde nicht gefunden!");
  const QString unlesbar = QStringLiteral(
      "Der Name der angegebenen Datei enthält Zeichen, die nicht gelesen werden können!\r\n"
      "Bitte benennen Sie die Datei um.");
  const QString ungueltig = QStringLiteral("Die ausgewählte Datei ist keine gültige Pelvaron-Messung!");
  QByteArray kleinGeschrieben = lies(pvtest::testdatei(kGolden));
  kleinGeschrieben[1] = 'p';
  const Fall faelle[] = {
      {"recording runs", lies(pvtest::testdatei(kGolden)), true, false, Lesestatus::MessungLaeuft, laeuft,
       pv::Symbol::Keins},
      {"no such file", QByteArray(), false, false, Lesestatus::NichtGefunden, fehlt, pv::Symbol::Keins},
      {"a folder", QByteArray(), false, true, Lesestatus::NichtGefunden, fehlt, pv::Symbol::Keins},
      {"a name in bytes that are no UTF-8", lies(pvtest::testdatei(kGolden)), false, false,
       Lesestatus::NameUnlesbar, unlesbar, pv::Symbol::Keins, "M\xe4rz.MES"},
      {"text count 0", "0\r\n1,\"V\",0,\"\",\"\"\r\n", false, false, Lesestatus::KeineMessung, ungueltig,
       pv::Symbol::Kritisch},
      {"header differs in one letter", kleinGeschrieben, false, false, Lesestatus::KeineMessung, ungueltig,
       pv::Symbol::Kritisch},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    pvtest::Programmumgebung u;
    // The path as the command line and the file dialog hand it over.
    const QByteArray roh = QFile::encodeName(u.pfad()) + '/' + f.datei;
    const QString pfad = QFile::decodeName(roh);
    if (!f.inhalt.isNull()) {
      QFile datei(pfad);
      const int fd = ::open(roh.constData(), O_WRONLY | O_CREAT, 0644);
      ASSERT_TRUE(fd >= 0 && datei.open(fd, QIODevice::WriteOnly, QFile::AutoCloseHandle));
      datei.write(f.inhalt);
    }
    if (f.ordner) QDir(u.pfad()).mkdir(QStringLiteral("f.MES"));
    Bestand b;
    Messdaten d = b.daten;
    Messtexte t = b.texte;
    QString status;

    const pv::Leseergebnis e =
        pv::MessungEinlesen(pfad, f.messungLaeuft, d, t, [&](const QString& s) { status = s; });
    EXPECT_EQ(e.status, f.status);
    ASSERT_EQ(u.meldungen.boxen.size(), 1u);
    EXPECT_EQ(u.meldungen.boxen[0].text, f.meldung);
    EXPECT_EQ(u.meldungen.boxen[0].symbol, f.symbol);
    EXPECT_EQ(u.meldungen.boxen[0].knoepfe, pv::Knoepfe::Ok);
    EXPECT_TRUE(status.isEmpty());
    b.erwarteUnveraendert(d, t);
  }
}

TEST(MessdateiLesen, DamagedFilesFailAtTheirStepAndChangeNothing) {
  struct Fall {
    const char* name;
    QByteArray inhalt;
    QString schritt;
    int32_t nummer;
  };
  // Eight texts written up to the count.
  const auto bisAnzahl = [] { return Roh().text("Info").leereTexte(5).text("05.03.2004 14:07:09").text(""); };
  const Fall faelle[] = {
      {"cut inside the first length", Roh().roh("\x05\x00").b, "MessInfo", 62},
      {"MessInfo longer than the rest", Roh().i32(100).roh("abc").b, "MessInfo", 62},
      {"negative length", Roh().leereTexte(5).i32(-1).b, "Kommentar", 5},
      {"absurd length", Roh().leereTexte(6).i32(0x7fffffff).roh("05.03.2004").b, "MessBeginn einlesen", 62},
      {"start not a date", Roh().leereTexte(6).text("gestern").text("").i32(0).singles({0, 0}).b,
       "MessBeginn umwandelngestern", 13},
      {"count cut off", bisAnzahl().i16(1).b, "Messwertanzahl", 62},
      {"negative count", bisAnzahl().i32(-1).b, "Datenspeicher X reservieren", 9},
      {"absurd count", bisAnzahl().i32(0x7fffffff).singles({1, 2, 3}).b, "Daten X einlesen", 62},
      {"x complete, y cut off", bisAnzahl().i32(3).singles({0, 1, 2, 3, 0, 1}).b, "Daten Y einlesen", 62},
      // The arrays end the file: values left over mean a count too small.
      {"count 1 of 3 values", bisAnzahl().i32(1).singles({0, 1, 2, 3, 0, 10, 20, 30}).b, "Messwertanzahl", 321},
      {"bytes after the y array", lies(pvtest::testdatei(kGolden)) + QByteArray("Rest"), "Messwertanzahl", 321},
      {"3.0.1 count 0 with values following",
       Roh(pv::kMessdateiKopf301).leereTexte(8).i16(0).singles({0, 1, 0, 10}).b, "Messwertanzahl", 321},
      {"3.0.1 negative count",
       Roh(pv::kMessdateiKopf301).leereTexte(8).i16(-5).singles({0, 0}).b, "Datenspeicher X reservieren", 9},
      {"3.0.1 count above its arrays", Roh(pv::kMessdateiKopf301).leereTexte(8).i16(5).singles({0, 1, 2}).b,
       "Daten X einlesen", 62},
      {"text: empty file", QByteArray(""), "", 62},
      {"text: negative count", "-2\r\n1,\"V\",0,\"\",\"\"\r\n", "", 9},
      {"text: count above 32767", "40000\r\n1,\"V\",0,\"\",\"\"\r\n1,2\r\n", "", 6},
      {"text: pairs cut off", "3\r\n1,\"V\",0,\"\",\"\"\r\n1,2\r\n3\r\n", "", 62},
      {"text: start not a date", "1\r\n1,\"V\",0,\"morgen\",\"\"\r\n1,2\r\n", "", 13},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    pvtest::Programmumgebung u;
    const QString pfad = u.pfad(QStringLiteral("d.MES"));
    u.schreibe(QStringLiteral("d.MES"), f.inhalt);
    Bestand b;
    Messdaten d = b.daten;
    Messtexte t = b.texte;
    const QDateTime start(QDate(2003, 2, 1), QTime(4, 5, 6), Qt::UTC);
    Tolvek::zustand().MessStartDatumZeit = start;
    QString status;

    const pv::Leseergebnis e =
        pv::MessungEinlesen(pfad, false, d, t, [&](const QString& s) { status = s; });
    EXPECT_EQ(e.status, Lesestatus::Fehler);
    EXPECT_EQ(e.Schritt, f.schritt);
    EXPECT_EQ(e.fehlernummer, f.nummer);
    EXPECT_EQ(status, QStringLiteral("Fehler bei: ") + f.schritt);
    // Reported once through the common error handler under the reader's label.
    ASSERT_EQ(u.meldungen.boxen.size(), 1u);
    EXPECT_TRUE(u.meldungen.boxen[0].text.contains(QStringLiteral("'MessungEinlesen'")));
    b.erwarteUnveraendert(d, t);
    EXPECT_EQ(Tolvek::zustand().MessStartDatumZeit, start);
  }
}

// ------------------------------------------------------------------ helpers

TEST(MessdateiHilfen, StartAndEndTexts) {
  struct Fall {
    const char* name;
    QString gelesen, normalisiert, label;
  };
  const Fall faelle[] = {
      {"comma after the date", "05.03.2004, 14:07:09", "05.03.2004 14:07:09", "05.03.2004, 14:07:09"},
      {"without comma", "05.03.2004 14:07:09", "05.03.2004 14:07:09", "05.03.2004, 14:07:09"},
      {"empty", "", "", ","},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(pv::messzeitNormalisieren(f.gelesen), f.normalisiert);
    EXPECT_EQ(pv::messzeitText(f.normalisiert), f.label);
  }

  struct Datum {
    const char* name;
    QString text;
    std::optional<QDateTime> erwartet;
  };
  const auto utc = [](int j, int mo, int t, int h, int mi, int s) {
    return QDateTime(QDate(j, mo, t), QTime(h, mi, s), Qt::UTC);
  };
  const Datum daten[] = {
      {"plain", "05.03.2004 14:07:09", utc(2004, 3, 5, 14, 7, 9)},
      {"day beyond the month carries over", "32.01.2004 00:00:00", utc(2004, 2, 1, 0, 0, 0)},
      {"hour 24 is the next day", "31.12.2004 24:00:01", utc(2005, 1, 1, 0, 0, 1)},
      {"not a number", "gestern", std::nullopt},
      {"time missing", "05.03.2004", std::nullopt},
      {"year below 100", "05.03.0099 14:07:09", std::nullopt},
  };
  for (const Datum& f : daten) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(pv::messzeitUmwandeln(f.text), f.erwartet);
  }
}

TEST(MessdateiHilfen, NameFromThePathCutsOnlyARealExtension) {
  struct Fall {
    const char* name;
    QString pfad, erwartet;
  };
  const Fall faelle[] = {
      {"windows path", "C:\\Messungen\\Versuch.MES", "Versuch"},
      {"unix path", "/home/a/Versuch.mes", "Versuch"},
      {"point in a folder name", "/home/a.b/Versuch", "Versuch"},
      {"name without extension", "/home/a/Messung1", "Messung1"},
      {"short name", "/a/ab", "ab"},
      {"several points", "/a/Lauf.3.MES", "Lauf.3"},
      {"long extension", "/a/Lauf.messung", "Lauf"},
      {"hidden-file point is not an extension", "/a/.MES", ".MES"},
      {"no folder keeps the name", "Versuch.MES", "Bisher"},
      {"ends in a separator", "/a/b/", "Bisher"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(pv::messungAusPfad(f.pfad, QStringLiteral("Bisher")), f.erwartet);
  }
}

TEST(MessdateiHilfen, PathLabelKeepsTheFileNameReadable) {
  struct Fall {
    const char* name;
    QString pfad, erwartet;
  };
  const Fall faelle[] = {
      {"short path whole", "C:\\Messungen\\Versuch.MES", "C:\\Messungen\\Versuch.MES"},
      {"exactly 40 whole", QString(36, u'a') + ".MES", QString(36, u'a') + ".MES"},
      // 60 characters, file name of 12: first 28, "...", the last 13.
      {"60 characters, name of 12", QString(47, u'o') + "/Versuch1.MES",
       QString(28, u'o') + ".../Versuch1.MES"},
      {"file name longer than 40", "/a/" + QString(45, u'n') + ".MES",
       ("/a/" + QString(14, u'n')) + "..." + QString(16, u'n') + ".MES"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(pv::messungLabelText(f.pfad), f.erwartet);
  }
}

}  // namespace
