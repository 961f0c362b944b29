// The graph window's decisions without a window: the redraw and its three
// kinds of failure, the zoom, the y title and the change of number formats.
#include "views/grafiklogik.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using pv::Achsenfelder;
using pv::Ansicht;
using pv::GrafikEinstellungen;
using pv::Grafikfelder;
using pv::Zeichenergebnis;

const QString kNichtErstellt = QStringLiteral("Die Grafik konnte nicht erstellt werden!");

QString fehlerBei(const char* schritt) {
  return QStringLiteral("Fehler bei '") + QString::fromUtf8(schritt) + QStringLiteral("'. ") + kNichtErstellt;
}

// x in seconds with 2 decimals, y fixed with 3 decimals, comma.
pv::Feldumgebung format() {
  pv::Feldumgebung u;
  u.x = {10, 2};
  u.y = {0, 3};
  u.dezimaltrennzeichen = u',';
  u.messStart = QDateTime(QDate(2024, 3, 5), QTime(14, 0, 0));
  return u;
}

// Stands in for the plotting routine: records the range it was given and,
// on success, writes back a range (the data's 0..50 and -2..2 for an
// automatic axis) and the spacings and step it "used".
struct Plotter {
  int16_t ergebnis = 1;
  std::optional<Ansicht> erhalten;

  pv::Zeichnen zeichnen() {
    return [this](float& x1, float& x2, float& y1, float& y2, GrafikEinstellungen& p) -> int16_t {
      erhalten = Ansicht{x1, x2, y1, y2};
      if (ergebnis != 1) return ergebnis;
      if (x1 == 0 && x2 == 0) x2 = 50;
      if (y1 == 0 && y2 == 0) y1 = -2, y2 = 2;
      pv::ansichtSetzen(p, {x1, x2, y1, y2});
      if (p.GitterabstandAutoX) p.GitterabstandX = 10;
      if (p.GitterabstandAutoY) p.GitterabstandY = 0.5f;
      p.Schrittweite = 1;
      return 1;
    };
  }
};

class Neuzeichnen : public ::testing::Test {
 protected:
  void SetUp() override {
    // The last successful drawing showed `zuletzt`; the one before, `davor`.
    pv::ansichtSetzen(p, zuletzt);
    lage.format = format();
    lage.m = 100;
    lage.beschreibung = {QStringLiteral("Versuch"), QStringLiteral("Spannung"), QStringLiteral("U"),
                         QStringLiteral("V"), QString()};
    lage.xBezeichnung = QStringLiteral("Zeit (s)");
    lage.yBezeichnung = QStringLiteral("m");
    felder.x = {QStringLiteral("0,00"), QStringLiteral("100,00"), QStringLiteral("20,00"), false, false};
    felder.y = {QStringLiteral("-1,000"), QStringLiteral("1,000"), QStringLiteral("0,500"), false, false};
  }
  Zeichenergebnis zeichnen() { return pv::neuZeichnen(felder, p, vorherige, lage, plotter.zeichnen()); }

  const Ansicht davor{0, 300, 0, 1};
  const Ansicht zuletzt{10, 20, -5, 5};
  GrafikEinstellungen p;
  Ansicht vorherige = davor;
  pv::Neuzeichenlage lage;
  Grafikfelder felder;
  Plotter plotter;
};

// Each row is one failure; every failure beeps and the record keeps the range
// of the last successful drawing.
TEST_F(Neuzeichnen, FailuresNameTheirCauseAndKeepTheLastDrawnRange) {
  struct Fall {
    const char* name;
    void (*aendern)(Grafikfelder&);
    int16_t ergebnis;  // of the plotting routine
    QString meldung;
  };
  const Fall faelle[] = {
      {"x range without width", [](Grafikfelder& f) { f.x.minimum = f.x.maximum = QStringLiteral("5,00"); }, 1,
       kNichtErstellt},
      {"y range upside down", [](Grafikfelder& f) { f.y.minimum = QStringLiteral("2,000"); }, 1, kNichtErstellt},
      {"empty x minimum", [](Grafikfelder& f) { f.x.minimum.clear(); }, 1, fehlerBei("x-Achse Minimum")},
      {"letters as x maximum", [](Grafikfelder& f) { f.x.maximum = QStringLiteral("abc"); }, 1,
       fehlerBei("x-Achse Maximum")},
      {"empty x interval", [](Grafikfelder& f) { f.x.intervall.clear(); }, 1, fehlerBei("x-Achse Intervall")},
      {"empty y minimum", [](Grafikfelder& f) { f.y.minimum.clear(); }, 1, fehlerBei("y-Achse Minimum")},
      {"empty y maximum", [](Grafikfelder& f) { f.y.maximum.clear(); }, 1, fehlerBei("y-Achse Maximum")},
      {"empty y interval", [](Grafikfelder& f) { f.y.intervall.clear(); }, 1, fehlerBei("y-Achse Intervall")},
      {"plotting failed", [](Grafikfelder&) {}, 0, QStringLiteral("Fehler beim Erstellen der Grafik: allgemeiner Fehler")},
      {"too many values", [](Grafikfelder&) {}, 6,
       QStringLiteral("Fehler beim Erstellen der Grafik: zu viele darzustellende Messwerte!")},
      {"plotting stage failed", [](Grafikfelder&) {}, 3, QStringLiteral("Fehler beim Erstellen der Grafik: FehlerID=3")},
  };
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.name);
    SetUp();
    p = GrafikEinstellungen{};
    pv::ansichtSetzen(p, zuletzt);
    vorherige = davor;
    plotter = Plotter{fall.ergebnis, std::nullopt};
    fall.aendern(felder);
    const Grafikfelder getippt = felder;

    const Zeichenergebnis r = zeichnen();
    EXPECT_EQ(r.meldung, fall.meldung);
    EXPECT_TRUE(r.piepen);
    EXPECT_FALSE(r.gezeichnet);
    EXPECT_EQ(pv::ansichtAus(p), zuletzt);
    EXPECT_EQ(plotter.erhalten.has_value(), fall.ergebnis != 1);
    if (fall.ergebnis == 1) {
      // Refused before drawing: the typed fields and the earlier view stay.
      EXPECT_EQ(felder, getippt);
      EXPECT_EQ(vorherige, davor);
    } else {
      // The x fields show the record's range again; the y fields stay typed.
      EXPECT_EQ(felder.x.minimum, QStringLiteral("10,00"));
      EXPECT_EQ(felder.x.maximum, QStringLiteral("20,00"));
      EXPECT_EQ(felder.y, getippt.y);
      EXPECT_EQ(vorherige, zuletzt);
    }
  }
}

TEST_F(Neuzeichnen, SuccessWritesTheDrawnRangeBackAndKeepsTheViewBefore) {
  felder.x.intervallAuto = true;
  const Zeichenergebnis r = zeichnen();
  ASSERT_TRUE(r.gezeichnet);
  EXPECT_FALSE(r.piepen);
  EXPECT_EQ(r.meldung, QString());
  EXPECT_EQ(*plotter.erhalten, (Ansicht{0, 100, -1, 1}));
  EXPECT_EQ(vorherige, zuletzt);
  EXPECT_EQ(felder.x, (Achsenfelder{QStringLiteral("0,00"), QStringLiteral("100,00"), QStringLiteral("10,00"), false, true}));
  EXPECT_EQ(felder.y.intervall, QStringLiteral("0,500"));
  EXPECT_FALSE(p.GitterabstandAutoY);
  EXPECT_EQ(p.Titel, QStringLiteral("Versuch"));
  EXPECT_EQ(p.XTitel, QStringLiteral("Zeit (s)"));
  EXPECT_EQ(p.YTitel, QStringLiteral("Spannung U (mV)"));
  EXPECT_EQ(r.schrittweiteText, QStringLiteral("Schrittweite: 1"));
  EXPECT_EQ(r.schrittweiteMarke, 1);

  // A second drawing remembers the first one's range as the view before.
  felder.x.maximum = QStringLiteral("40,00");
  zeichnen();
  EXPECT_EQ(vorherige, (Ansicht{0, 100, -1, 1}));
}

TEST_F(Neuzeichnen, AutomaticRangesComeFromTheDataOrTheRunningRecording) {
  felder.x.minMaxAuto = felder.y.minMaxAuto = true;
  ASSERT_TRUE(zeichnen().gezeichnet);
  EXPECT_EQ(*plotter.erhalten, (Ansicht{0, 0, 0, 0}));
  EXPECT_EQ(felder.x.maximum, QStringLiteral("50,00"));

  lage.messungLaeuft = true;
  lage.autoXMax = 360;
  lage.autoYMin = -0.5f;
  lage.autoYMax = 2;
  ASSERT_TRUE(zeichnen().gezeichnet);
  EXPECT_EQ(*plotter.erhalten, (Ansicht{0, 360, -0.5f, 2}));
  EXPECT_EQ(felder.x.maximum, QStringLiteral("360,00"));
}

TEST_F(Neuzeichnen, AnEmptyMeasurementIsOnlyPlottedWithBothRangesTyped) {
  lage.m = 0;
  felder.y.minMaxAuto = true;
  const Zeichenergebnis r = zeichnen();
  EXPECT_EQ(r.meldung, QStringLiteral("Es sind keine Messwerte vorhanden."));
  EXPECT_FALSE(r.piepen);
  EXPECT_FALSE(plotter.erhalten);

  felder.y.minMaxAuto = false;
  EXPECT_TRUE(zeichnen().gezeichnet);
  EXPECT_TRUE(plotter.erhalten);
}

TEST(GrafikTitel, YTitleJoinsQuantitySymbolPrefixAndUnit) {
  struct Fall {
    const char* name;
    const char* physGr;
    const char* zeichen;
    const char* einheit;
    const char* vorsatz;
    const char* titel;
  };
  const Fall faelle[] = {
      {"all parts with a milli format", "Spannung", "U", "V", "m", "Spannung U (mV)"},
      {"no symbol", "Spannung", "", "V", "", "Spannung (V)"},
      {"no unit drops the prefix too", "Spannung", "U", "", "m", "Spannung U"},
      {"nothing at all", "", "", "", "k", ""},
  };
  for (const Fall& f : faelle) {
    EXPECT_EQ(pv::yTitel(QString::fromUtf8(f.physGr), QString::fromUtf8(f.zeichen), QString::fromUtf8(f.einheit),
                         QString::fromUtf8(f.vorsatz)),
              QString::fromUtf8(f.titel))
        << f.name;
  }
}

class Zoom : public Neuzeichnen {
 protected:
  Zeichenergebnis zoomen(pv::Zoomrechteck r) {
    return pv::zoomen(r, felder, p, vorherige, format(), plotter.zeichnen());
  }
};

TEST_F(Zoom, ADegenerateRectangleOrAFailedDrawingChangesNothing) {
  felder.x.minMaxAuto = felder.y.minMaxAuto = true;
  const Grafikfelder vorher = felder;
  for (const pv::Zoomrechteck r : {pv::Zoomrechteck{5, 5, 1, 0}, pv::Zoomrechteck{5, 8, 1, 1}}) {
    const Zeichenergebnis e = zoomen(r);
    EXPECT_EQ(e.meldung, QStringLiteral("Zoomen nicht möglich!"));
    EXPECT_TRUE(e.piepen);
    EXPECT_FALSE(plotter.erhalten);
    EXPECT_EQ(vorherige, davor);
  }
  plotter.ergebnis = 0;
  const Zeichenergebnis e = zoomen({5, 8, 1, 0});
  EXPECT_EQ(e.meldung, QStringLiteral("Zoomen nicht möglich!"));
  EXPECT_EQ(felder, vorher);
  EXPECT_EQ(pv::ansichtAus(p), zuletzt);
  EXPECT_EQ(vorherige, zuletzt);  // the view already held before the zoom
}

TEST_F(Zoom, TheRectangleBecomesATypedViewAndTheViewBeforeIsKept) {
  felder.x.minMaxAuto = felder.y.minMaxAuto = true;
  p.MinMaxAutoX = p.MinMaxAutoY = true;
  const Zeichenergebnis e = zoomen({12, 16, 3, -1});
  ASSERT_TRUE(e.gezeichnet);
  EXPECT_FALSE(e.meldung);
  // y runs from the bottom corner to the top one.
  EXPECT_EQ(*plotter.erhalten, (Ansicht{12, 16, -1, 3}));
  EXPECT_EQ(felder.x.minimum, QStringLiteral("12,00"));
  EXPECT_EQ(felder.y.maximum, QStringLiteral("3,000"));
  EXPECT_FALSE(felder.x.minMaxAuto);
  EXPECT_FALSE(felder.y.minMaxAuto);
  EXPECT_FALSE(p.MinMaxAutoX);
  EXPECT_FALSE(p.MinMaxAutoY);
  EXPECT_EQ(vorherige, zuletzt);

  zoomen({13, 14, 2, 0});
  EXPECT_EQ(vorherige, (Ansicht{12, 16, -1, 3}));
}

TEST(Zahlenformatwechsel, AxisFieldsAreRewrittenAndUnreadableOnesKept) {
  const pv::Feldumgebung u = format();
  struct Fall {
    const char* name;
    int16_t alt;
    int16_t neu;
    Achsenfelder vorher;
    Achsenfelder nachher;
    bool geaendert;
  };
  const Fall faelle[] = {
      {"seconds to minutes",
       10,
       11,
       {QStringLiteral("0,00"), QStringLiteral("300,00"), QStringLiteral("60,00")},
       {QStringLiteral("0,00"), QStringLiteral("5,00"), QStringLiteral("1,00")},
       true},
      {"date and time, the interval as hh:mm:ss",
       10,
       16,
       {QStringLiteral("0,00"), QStringLiteral("300,00"), QStringLiteral("60,00")},
       {QStringLiteral("05.03.2024 14:00:00"), QStringLiteral("05.03.2024 14:05:00"), QStringLiteral("00:01:00")},
       true},
      {"the same code",
       12,
       12,
       {QStringLiteral("1,00"), QStringLiteral("2,00"), QStringLiteral("x")},
       {QStringLiteral("1,00"), QStringLiteral("2,00"), QStringLiteral("x")},
       false},
      {"an unreadable field keeps its text",
       10,
       11,
       {QString(), QStringLiteral("120,00"), QStringLiteral("zwei")},
       {QString(), QStringLiteral("2,00"), QStringLiteral("zwei")},
       true},
  };
  for (const Fall& f : faelle) {
    Achsenfelder felder = f.vorher;
    EXPECT_EQ(pv::zahlenformatAendern(felder, f.alt, f.neu, 2, u.dezimaltrennzeichen, u.messStart), f.geaendert)
        << f.name;
    EXPECT_EQ(felder, f.nachher) << f.name;
  }
}

}  // namespace
