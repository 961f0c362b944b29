// Storing values while a recording runs: times, waiting time, the automatic
// end, intermediate saves, the live graph's extents and the table rows.
#include "acquisition/speichern.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLineF>
#include <QPointF>
#include <QTemporaryDir>

#include "acquisition/ansichten.h"
#include "common/textdatei.h"

namespace {

using pv::Speicherausgang;

struct Ziel : pv::Aufzeichnungsziel {
  QStringList aufrufe;
  QString ende;
  QString anzahl;
  void StopButton_Click() override { aufrufe << "stop"; }
  bool ZwischenSpeichern() override {
    aufrufe << "zwischen";
    return true;
  }
  bool Sicherheitsdatei() override {
    aufrufe << "sicherheit";
    return true;
  }
  void MessungBeendetMelden(bool, bool) override { aufrufe << "beendet"; }
  void MessungAbbrechen(const QString& g, int, const QString&) override { aufrufe << "abbruch " + g; }
  void AnzahlSetzen(const QString& t) override { anzahl = t; }
  QString EndeText() const override { return ende; }
  void EndeTextSetzen(const QString& t) override { ende = t; }
};

struct Grafik : pv::GrafikAnsicht {
  bool autoX = true, autoY = true;
  int inits = 0, neu = 0;
  QList<QPointF> punkte;
  QList<QLineF> linien;
  bool Offen() const override { return true; }
  void MesswertAnzeigen(const QString&, const QString&, const QString&) override {}
  void Init() override { ++inits; }
  void NeuButton_Click() override { ++neu; }
  bool MinMaxAutoX() const override { return autoX; }
  bool MinMaxAutoY() const override { return autoY; }
  void PunktZeichnen(float x, float y, int, uint32_t) override { punkte << QPointF(x, y); }
  void LinieZeichnen(float x1, float y1, float x2, float y2, int, uint32_t) override {
    linien << QLineF(x1, y1, x2, y2);
  }
};

struct Tabelle : pv::TabellenAnsicht {
  bool autoAnhaengen = true;
  QList<QStringList> zeilen{{"Nr.", "t", "y"}};
  QString bis;
  int oben = -1;
  bool Offen() const override { return true; }
  bool AutoAnhaengen() const override { return autoAnhaengen; }
  void BisTextSetzen(const QString& t) override { bis = t; }
  void ZeileAnhaengen(const QString& erste) override { zeilen << QStringList{erste, "", ""}; }
  int Zeilenzahl() const override { return static_cast<int>(zeilen.size()); }
  void ZelleSetzen(int z, int s, const QString& t) override { zeilen[z][s] = t; }
  void AktuelleZelleSetzen(int, int) override {}
  void ObersteZeileSetzen(int z) override { oben = z; }
};

class Speichern : public ::testing::Test {
 protected:
  void SetUp() override { stand.starten(start, 300); }
  pv::Speicherergebnis speichern(double sekunden, float y, const QString& spezial = {}) {
    return pv::WertSpeichern(y, start + int64_t(sekunden * 1000), messung, stand, e, spezial, ziel,
                             ansichten);
  }
  Speicherausgang wert(double sekunden, float y, const QString& spezial = {}) {
    return speichern(sekunden, y, spezial).ausgang;
  }
  int64_t start = 5'000'000;  // the running clock at the start, ms
  pv::Messdaten messung;
  pv::Aufzeichnungsstand stand;
  pv::Speichereinstellungen e;
  Ziel ziel;
  pv::Ansichten ansichten;
};

TEST_F(Speichern, WaitingTimeCountsFromTheLastStoredValue) {
  e.Wartezeit = 5;
  for (int s = 0; s <= 12; ++s) wert(s, float(s));
  ASSERT_EQ(messung.m, 3);
  EXPECT_EQ(messung.x, (std::vector<float>{0, 0, 5, 10}));
  EXPECT_EQ(messung.y.size(), 4u);
  EXPECT_EQ(ziel.anzahl, "3");
  // Later values just go on counting from the start.
  EXPECT_EQ(wert(120, 7), Speicherausgang::Gespeichert);
  EXPECT_FLOAT_EQ(messung.x[4], 120);
}

TEST_F(Speichern, ModelWithMinimumSpacingAndWaitingTimeZero) {
  EXPECT_EQ(wert(0, 1, "M980T"), Speicherausgang::Gespeichert);
  EXPECT_EQ(wert(0.1, 1, "M980T"), Speicherausgang::ZuDicht);
  EXPECT_EQ(wert(0.25, 1, "M980T"), Speicherausgang::Gespeichert);
  EXPECT_EQ(wert(0.3, 1), Speicherausgang::Gespeichert);
}

TEST_F(Speichern, AutomaticEndStopsSavesAndDoesNotStoreTheValue) {
  e.MessendeAutomatisch = true;
  e.Messdauer = 60;
  EXPECT_EQ(wert(30, 1), Speicherausgang::Gespeichert);
  EXPECT_EQ(ziel.ende, "verbleibend: 00:00:30");
  EXPECT_EQ(wert(60, 2), Speicherausgang::Beendet);
  EXPECT_EQ(ziel.aufrufe, (QStringList{"stop", "zwischen", "sicherheit", "beendet"}));
  EXPECT_EQ(messung.m, 1);
  // Without the automatic end the label is emptied.
  e.MessendeAutomatisch = false;
  wert(61, 3);
  EXPECT_TRUE(ziel.ende.isEmpty());
}

TEST_F(Speichern, IntermediateSaveAfterItsInterval) {
  e.ZwischenspeichernAutomatisch = true;
  e.ZwischenspeichernZeit = 10;
  for (int s = 0; s <= 25; s += 5) wert(s, 1);
  EXPECT_EQ(ziel.aufrufe, (QStringList{"zwischen", "zwischen"}));
  EXPECT_FLOAT_EQ(stand.LetzteZwischenspeicherung, 20);
}

TEST_F(Speichern, GraphExtentsGrowAndTheGraphFollows) {
  Grafik g;
  ansichten.grafik = &g;
  e.XMax = 300;
  e.YMin = -5;
  e.YMax = 5;
  stand.GrafikNeuZeichnen = 0;
  wert(0, -2.5f);
  EXPECT_EQ(stand.AutoYMin, -2.5f);
  EXPECT_EQ(stand.AutoYMax, 0);
  EXPECT_EQ(g.inits, 1);
  EXPECT_EQ(g.punkte.size(), 1);
  wert(301, 3);
  EXPECT_EQ(stand.AutoXMax, 360);
  EXPECT_EQ(g.neu, 1);
  EXPECT_EQ(stand.GrafikNeuZeichnen, 0);
  // Outside the last drawing: not drawn now.
  EXPECT_EQ(g.punkte.size(), 1);
  // The range the graph holds when the point is drawn counts.
  e.gezeichneterBereich = [] { return std::array<float, 4>{0, 400, -5, 5}; };
  wert(302, 4);
  EXPECT_EQ(g.punkte.size(), 2);
  EXPECT_EQ(g.linien.size(), 1);

  EXPECT_EQ(pv::xSchritt(900), 60);
  EXPECT_EQ(pv::xSchritt(1000), 300);
  EXPECT_EQ(pv::xSchritt(3600), 600);
  EXPECT_EQ(pv::xSchritt(21600), 1800);
  EXPECT_EQ(pv::xSchritt(21601), 3600);
  EXPECT_EQ(pv::xSchritt(-1), 3600);
}

TEST_F(Speichern, TableRowsOnlyWhileAppendingIsChecked) {
  Tabelle t;
  ansichten.tabelle = &t;
  // Time in minutes:seconds, values in kilo with two decimals.
  e.XZahlenformatnummer = 13;
  e.YZahlenformatnummer = 3;
  e.YNachkommastellen = 2;
  wert(0, 1500);
  wert(61, -2500);
  ASSERT_EQ(t.zeilen.size(), 3);
  EXPECT_EQ(t.zeilen[1], (QStringList{"1", "00:00", "1,50"}));
  EXPECT_EQ(t.zeilen[2], (QStringList{"2", "01:01", "-2,50"}));
  EXPECT_EQ(t.bis, "2");
  EXPECT_EQ(t.oben, 1);
  t.autoAnhaengen = false;
  wert(2, 3);
  EXPECT_EQ(t.zeilen.size(), 3);
}

// Stored or passed over, the evaluation goes on to its debug line, and a
// stored value adds its piece; the automatic end writes no line.
TEST_F(Speichern, DebugLineAfterEveryOutcomeButTheEnd) {
  e.MessendeAutomatisch = true;
  e.Messdauer = 60;
  struct Schritt {
    double sekunden;
    float wartezeit;
    Speicherausgang ausgang;
    bool zeile;
    QString stueck = {};
  };
  const Schritt schritte[] = {
      {0, 0, Speicherausgang::Gespeichert, true, "m:'1'\tx(m):'0'\ty(m):'1,5'\t"},
      {0.1, 0, Speicherausgang::ZuDicht, true},
      {1, 5, Speicherausgang::Uebersprungen, true},
      {5.5, 5, Speicherausgang::Gespeichert, true, "m:'2'\tx(m):'5,5'\ty(m):'1,5'\t"},
      {60, 5, Speicherausgang::Beendet, false},
  };
  for (const auto& s : schritte) {
    SCOPED_TRACE(s.sekunden);
    e.Wartezeit = s.wartezeit;
    const pv::Speicherergebnis r = speichern(s.sekunden, 1.5f, "M980T");
    EXPECT_EQ(r.ausgang, s.ausgang);
    EXPECT_EQ(r.debugZeile(), s.zeile);
    EXPECT_EQ(r.debugStueck, s.stueck);
  }
}

TEST_F(Speichern, NewStartCutsOldValuesAtTheFirstAppend) {
  wert(0, 1);
  wert(1, 2);
  messung.m = 0;
  stand.starten(start, 300);
  wert(0, 9);
  EXPECT_EQ(messung.y, (std::vector<float>{0, 9}));
}

TEST(Debugdatei, LinesAreAppendedWithAnEmptyLineAfterEach) {
  QTemporaryDir ordner;
  const QDateTime t(QDate(2026, 1, 2), QTime(3, 4, 5));
  const QString zeile = pv::debugAnfang(t, 3, "DC\r") + pv::debugEnde(t);
  ASSERT_TRUE(pv::debugSchreiben(ordner.path(), zeile));
  ASSERT_TRUE(pv::debugSchreiben(ordner.path(), zeile));
  QByteArray inhalt;
  ASSERT_TRUE(pv::dateiLesen(QDir(ordner.path()).filePath("DebugData.txt"), inhalt));
  const QByteArray eine = "02.01.2026 03:04:05\tLen(DataCol):3\tDta$:'DC\r'\t02.01.2026 03:04:05\r\n\r\n";
  EXPECT_EQ(inhalt, eine + eine);
}

}  // namespace
