#include <fcntl.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "ansichten_testhilfe.h"
#include "main/messdatei.h"
#include "common/textdatei.h"
#include "support/kleinesdateisystem.h"
#include "views/tabellenkalkulation.h"

namespace {

using pv::Tabellenzelle;

// The sheet's XML, unpacked from the written file.
QString blattXml(const QString& datei) {
  QProcess unzip;
  unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), datei, QStringLiteral("xl/worksheets/sheet1.xml")});
  unzip.waitForFinished();
  return QString::fromUtf8(unzip.readAllStandardOutput());
}

// The cell at a reference ("B2") as the sheet holds it: "n:<number>" for a
// number, "s:<text>" for an inline text, "" when the cell is not there.
QString zelle(const QString& xml, const QString& ref) {
  const QRegularExpression c(QStringLiteral("<c r=\"%1\"([^>]*)>(.*?)</c>").arg(ref));
  const QRegularExpressionMatch m = c.match(xml);
  if (!m.hasMatch()) return {};
  const QString inhalt = m.captured(2);
  if (m.captured(1).contains(QStringLiteral("inlineStr")))
    return QStringLiteral("s:") + QRegularExpression(QStringLiteral("<t[^>]*>(.*)</t>")).match(inhalt).captured(1);
  return QStringLiteral("n:") + QRegularExpression(QStringLiteral("<v>(.*)</v>")).match(inhalt).captured(1);
}

pv::TabellenkalkulationOptionen optionen(int16_t xCode, QChar gewaehlt) {
  pv::TabellenkalkulationOptionen o;
  o.systemDezimalzeichen = u',';
  o.dezimalzeichen = gewaehlt;
  o.xCode = xCode;
  o.xNachkommastellen = 2;
  o.yCode = 0;
  o.yNachkommastellen = 1;
  o.zeitKopf = QStringLiteral("Zeit (s)");
  o.wertKopf = QStringLiteral("Spannung (V)");
  return o;
}

TEST(Tabellenkalkulation, CellsAreNumbersOrTextsAsShown) {
  pv::Messdaten d;
  d.anhaengen(0.5f, 0.1f);
  d.anhaengen(3725.0f, -12.26f);
  struct Fall {
    const char* name;
    int16_t xCode;
    QChar zeichen;
    int32_t i;
    std::array<Tabellenzelle, 3> zellen;
  } faelle[] = {
      // 0,1 shown as "0,1" becomes 0.1 exactly as double, not 0.100000001.
      {"seconds and the system's sign give numbers", 10, u',', 1, {{{1.0, "1"}, {0.5, "0,50"}, {0.1, "0,1"}}}},
      {"another sign makes the value a text", 10, u'.', 2,
       {{{2.0, "2"}, {3725.0, "3725,00"}, {std::nullopt, "-12.3"}}}},
      {"a clock time stays text", 15, u',', 2, {{{2.0, "2"}, {std::nullopt, "01:02:05"}, {-12.3, "-12,3"}}}},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(pv::tabellenkalkulationZeile(d, f.i, optionen(f.xCode, f.zeichen)), f.zellen);
  }
}

TEST(Tabellenkalkulation, RangesBeyondTheSheetNameTheStepThatFits) {
  const auto grenze = [](int32_t von, int32_t bis, int32_t schritt) {
    const auto a = pv::tabellenkalkulationGrenzePruefen({von, bis, schritt});
    return a ? a->text : QString();
  };
  EXPECT_EQ(grenze(1, 70000, 1), QStringLiteral("Es können maximal 65535 Messwerte exportiert werden.\r\n"
                                                "Setzen Sie dazu die Schrittweite mindestens auf 2"));
  EXPECT_EQ(pv::tabellenkalkulationGrenzePruefen({1, 70000, 1})->fokus, pv::Eingabefeld::Schritt);
  EXPECT_TRUE(grenze(1, 65535, 1).isEmpty());
  EXPECT_TRUE(grenze(1, 70000, 2).isEmpty());
}

// The sheet's cell as a cell of a row: the number read back ("." being the
// decimal mark, as the file format has it), or the text; a number cell that
// does not read keeps its whole text.
Tabellenzelle gelesen(const QString& zelle) {
  if (!zelle.startsWith(QStringLiteral("n:"))) return {std::nullopt, zelle.mid(2)};
  bool ok = false;
  const double zahl = zelle.mid(2).toDouble(&ok);
  return ok ? Tabellenzelle{zahl, {}} : Tabellenzelle{std::nullopt, zelle};
}
// A row's cell as the sheet holds it (a number's text is not kept).
Tabellenzelle erwartet(Tabellenzelle z) {
  if (z.zahl) z.text.clear();
  return z;
}

// Under a German user's locale, as the program runs for one.
TEST(Tabellenkalkulation, TheFixtureMeasurementReadsBackFromTheSheet) {
  const pvtest::DeutschesGebietsschema deutsch;
  if (!deutsch.gesetzt()) GTEST_SKIP() << "German locale not installed";
  pvtest::Programmumgebung umgebung;
  pv::Messdaten d;
  pv::Messtexte texte;
  ASSERT_TRUE(pv::MessungEinlesen(pvtest::testdatei(QStringLiteral("messung_grafik.mes")), false, d, texte).gelesen());
  ASSERT_GE(d.m, 3);
  // The system's sign gives value numbers, the other one value texts.
  for (const QChar zeichen : {u',', u'.'}) {
    SCOPED_TRACE(QString(zeichen).toStdString());
    pv::TabellenkalkulationOptionen o = optionen(10, zeichen);
    o.bereich = {1, d.m, 1};
    const QString datei = umgebung.pfad(QStringLiteral("messung.xlsx"));
    {
      pv::TabellenkalkulationLauf lauf(datei, d, o);
      while (!lauf.fertig()) lauf.weiter();
      EXPECT_TRUE(lauf.schliessen());
    }
    const QString xml = blattXml(datei);
    EXPECT_EQ(zelle(xml, QStringLiteral("A1")), QStringLiteral("s:Nummer"));
    EXPECT_EQ(zelle(xml, QStringLiteral("B1")), QStringLiteral("s:Zeit (s)"));
    EXPECT_EQ(zelle(xml, QStringLiteral("C1")), QStringLiteral("s:Spannung (V)"));
    for (int32_t i = 1; i <= d.m; ++i) {
      SCOPED_TRACE(i);
      const auto z = pv::tabellenkalkulationZeile(d, i, o);
      const QString r = QString::number(i + 1);
      EXPECT_EQ(zelle(xml, u'A' + r), QStringLiteral("n:%1").arg(i));
      EXPECT_TRUE(z[1].zahl.has_value());
      EXPECT_EQ(gelesen(zelle(xml, u'B' + r)), erwartet(z[1]));
      EXPECT_EQ(z[2].zahl.has_value(), zeichen == u',');
      EXPECT_EQ(gelesen(zelle(xml, u'C' + r)), erwartet(z[2]));
    }
    EXPECT_EQ(zelle(xml, QStringLiteral("A%1").arg(d.m + 2)), QString());
  }
}

TEST(Tabellenkalkulation, ACancelledRunStillWritesTheRowsDone) {
  pvtest::Programmumgebung umgebung;
  pvtest::Ansichtenumgebung::messungMit(10);
  pv::TabellenkalkulationOptionen o = optionen(10, u',');
  o.bereich = {1, 10, 1};
  const QString datei = umgebung.pfad(QStringLiteral("abbruch.xlsx"));
  {
    pv::TabellenkalkulationLauf lauf(datei, pv::hauptmodul().messdaten, o);
    lauf.weiter();
    lauf.weiter();
  }  // dropped without schliessen(), as when the dialog goes
  const QString xml = blattXml(datei);
  EXPECT_EQ(zelle(xml, QStringLiteral("A3")), QStringLiteral("n:2"));
  EXPECT_EQ(zelle(xml, QStringLiteral("A4")), QString());
}

// The library writes the whole sheet when it is closed: on a full disk
// that fails, and the file it would replace stays byte for byte, with
// nothing left beside it.
TEST(Tabellenkalkulation, AFullDiskKeepsTheFileItWouldReplace) {
  pvtest::KleinesDateisystem platte;
  if (!platte.bereit()) GTEST_SKIP() << platte.grund().toStdString();
  pvtest::Programmumgebung umgebung;
  pvtest::Ansichtenumgebung::messungMit(10);
  const QString datei = platte.pfad(QStringLiteral("alt.xlsx"));
  const QByteArray alt(3000, 'a');
  ASSERT_TRUE(pv::dateiErsetzen(datei, alt));
  platte.fuellen();
  pv::TabellenkalkulationOptionen o = optionen(10, u',');
  o.bereich = {1, 10, 1};
  {
    pv::TabellenkalkulationLauf lauf(datei, pv::hauptmodul().messdaten, o);
    while (!lauf.fertig()) lauf.weiter();
    EXPECT_FALSE(lauf.schliessen());
  }
  QByteArray gelesen;
  EXPECT_TRUE(pv::dateiLesen(datei, gelesen) && gelesen == alt);
  EXPECT_EQ(QDir(platte.pfad()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
            (QStringList{QStringLiteral(".fuellung"), QStringLiteral("alt.xlsx")}));
}

// A name that is the user's link to a file on another disk is written
// through: the link stays, the sheet takes the target's place, and the
// folder synced is the one whose entry changed.
QStringList synchronisiert;
TEST(Tabellenkalkulation, ANameThatIsALinkIsWrittenThrough) {
  pvtest::KleinesDateisystem platte;
  if (!platte.bereit()) GTEST_SKIP() << platte.grund().toStdString();
  pvtest::Programmumgebung umgebung;
  pvtest::Ansichtenumgebung::messungMit(10);
  const QString verweis = umgebung.pfad(QStringLiteral("verweis.xlsx"));
  ASSERT_TRUE(pv::dateiErsetzen(platte.pfad(QStringLiteral("ziel.xlsx")), "alt"));
  ASSERT_TRUE(QFile::link(platte.pfad(QStringLiteral("ziel.xlsx")), verweis));
  pv::Dateisystemaufrufe aufrufe;
  aufrufe.ordnerOeffnen = [](const char* pfad) {
    synchronisiert << QFile::decodeName(pfad);
    return ::open(pfad, O_RDONLY | O_DIRECTORY);
  };
  const pv::Dateisystemaufrufe vorher = pv::dateisystemaufrufeSetzen(aufrufe);
  pv::TabellenkalkulationOptionen o = optionen(10, u',');
  o.bereich = {1, 10, 1};
  {
    pv::TabellenkalkulationLauf lauf(verweis, pv::hauptmodul().messdaten, o);
    while (!lauf.fertig()) lauf.weiter();
    EXPECT_TRUE(lauf.schliessen());
  }
  pv::dateisystemaufrufeSetzen(vorher);
  EXPECT_TRUE(QFileInfo(verweis).isSymLink());
  EXPECT_EQ(zelle(blattXml(platte.pfad(QStringLiteral("ziel.xlsx"))), QStringLiteral("A11")), QStringLiteral("n:10"));
  EXPECT_EQ(synchronisiert, QStringList{platte.pfad()});
}

}  // namespace
