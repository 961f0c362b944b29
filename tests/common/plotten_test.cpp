// The graph drawing: its arithmetic (ranges, spacings, positions, the values
// in view) and the drawing itself, on a surface that records what it is asked
// to draw and also paints it.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <limits>
#include <vector>

#include "common/plotten.h"
#include "common/plotten_achsen.h"
#include "common/tolvek.h"
#include "tests/common/plotten_testhilfe.h"

namespace {

using pvtest::einstellungen;
using pvtest::reihe;

using Werte = std::vector<float>;

std::vector<float> linear(int n, float start, float schritt) {
  std::vector<float> v(n + 1, 0.0f);
  for (int i = 1; i <= n; ++i) v[i] = start + (i - 1) * schritt;
  return v;
}

// ---------------------------------------------------------------- arithmetic

struct BereichFall {
  const char* name;
  std::vector<float> werte;
  float min, max, intervalle, gitter;
};

TEST(PlottenAchsen, AutomaticRangesGridAndNoCutOff) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const BereichFall faelle[] = {
      {"0 to 300: six intervals of 50", reihe({0, 120, 300}), 0, 300, 6, 50},
      {"0 to 12.3: up to 20, spacing 5", reihe({0, 12.3f}), 0, 20, 4, 5},
      {"0 to 150: up to 200, spacing 50", reihe({0, 150}), 0, 200, 4, 50},
      {"20.5 to 23.1: 20 to 30, spacing int16(2.5) = 2", reihe({20.5f, 23.1f}), 20, 30, 4, 2},
      {"single 5.3: 5 to 6, spacing 0.2", reihe({5.3f}), 5, 6, 4, 0.2f},
      {"flat series on a multiple keeps a height", reihe({5, 5, 5}), 4, 6, 4, 0.5f},
      {"all zero keeps a height", reihe({0, 0}), -1, 1, 4, 0.5f},
      {"noise just below zero is not cut off", reihe({-0.3f, 250}), -100, 300, 4, 100},
      {"maximum just above a multiple is not cut off", reihe({2, 5.005f}), 2, 6, 4, 1},
      {"minimum just below a multiple is not cut off", reihe({1.996f, 5}), 1, 5, 4, 1},
      {"single-precision tenths are not widened", reihe({0.3f, 0.7f}), 0.3f, 0.7f, 4, 0.1f},
      {"values that are no number are passed over", reihe({nan, 3, 9}), 3, 9, 6, 1},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    const int32_t n = static_cast<int32_t>(f.werte.size()) - 1;
    const pv::Achsenbereich b = pv::automatischerBereich(f.werte, n);
    EXPECT_FLOAT_EQ(b.min, f.min);
    EXPECT_FLOAT_EQ(b.max, f.max);
    EXPECT_FLOAT_EQ(b.intervalle, f.intervalle);
    for (int i = 1; i <= n; ++i) {
      if (!std::isfinite(f.werte[i])) continue;
      EXPECT_TRUE(b.min <= f.werte[i] && f.werte[i] <= b.max) << f.werte[i];
    }
    bool automatisch = false;
    EXPECT_FLOAT_EQ(pv::gitterabstandWaehlen(b.min, b.max, b.intervalle, 0, automatisch), f.gitter);
    EXPECT_TRUE(automatisch);
  }
}

TEST(PlottenAchsen, ExponentIntervalsAndGivenSpacing) {
  // The exponent as the one-digit exponent form writes it.
  const std::pair<float, int> exponenten[] = {{96, 2}, {94, 1}, {0.25f, -1}, {0, 0}, {-42, 1}, {1e-5f, -5}};
  for (const auto& [wert, e] : exponenten) EXPECT_EQ(pv::zehnerExponent(wert), e) << wert;
  EXPECT_THROW(pv::zehnerExponent(std::numeric_limits<float>::infinity()), std::exception);

  EXPECT_FLOAT_EQ(pv::intervalleAnpassen(19), 9.5f) << "halved once, may stay above 8";

  bool automatisch = false;
  EXPECT_FLOAT_EQ(pv::gitterabstandWaehlen(0, 300, 6, -7, automatisch), 7) << "the magnitude of a given spacing";
  EXPECT_FALSE(automatisch);
  automatisch = true;
  EXPECT_FLOAT_EQ(pv::gitterabstandWaehlen(0, 300, 6, 7, automatisch), 50) << "the flag overrides a given spacing";
}

TEST(PlottenAchsen, GridAndDashLoopsAlwaysEnd) {
  // 5 to 6 by the single-precision 0.2: the last line lands on 6 despite rounding.
  const auto zehntel = pv::rasterlinien(5, 0, 0.2f, 6);
  ASSERT_EQ(zehntel.size(), 6u);
  EXPECT_FLOAT_EQ(float(zehntel.back().wert), 6.0f);

  // A step below the resolution of single precision at 10^6 still advances.
  const auto tief = pv::rasterlinien(1e6, 0, 0.005, 1e6 + 0.5);
  EXPECT_EQ(tief.size(), 101u);
  EXPECT_EQ(pv::rasterlinien(0, 0, 1, 1e9, 50).size(), 50u) << "capped";
  EXPECT_EQ(pv::rasterlinien(1e12, 0, 1e-9, 2e12).size(), 1u) << "no progress left in double precision";
  EXPECT_TRUE(pv::rasterlinien(0, 0, -1, 10).empty());

  // y grid counters: whole multiples, 0 included.
  const auto y = pv::rasterlinien(0, -2, 2, 5);
  ASSERT_EQ(y.size(), 5u);
  EXPECT_EQ(y[2].j, 0);
  EXPECT_EQ(y[2].wert, 0.0);

  const auto striche = pv::strichabschnitte(0, 10, 1, 1);
  const std::vector<std::pair<double, double>> erwartet = {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {8, 9}};
  EXPECT_EQ(striche, erwartet);
  EXPECT_EQ(pv::strichabschnitte(1e6, 1e6 + 0.5, 0.5 / 150, 0.5 / 150).size(), 75u) << "deep zoom";
  EXPECT_EQ(pv::strichabschnitte(0, 1e9, 1, 1).size(), size_t(pv::kMaxStriche));
  EXPECT_TRUE(pv::strichabschnitte(10, 0, 1, 1).empty()) << "backwards";
  EXPECT_TRUE(pv::strichabschnitte(0, 10, 1, -1).empty()) << "no progress";
}

TEST(PlottenAchsen, VisibleValuesAndStep) {
  const auto x = linear(100, 1, 1);  // x[i] = i
  struct Fall {
    const char* name;
    float xmin, xmax;
    int32_t erster, letzter;
    bool leer;
  } faelle[] = {
      {"inside", 1.5f, 4, 2, 4, false},
      {"exact ends", 1, 5, 1, 5, false},
      {"far into a long series", 37.5f, 80, 38, 80, false},
      {"view right of all data", 170, 190, 0, 0, true},
      {"view left of all data", -9, 0, 0, 0, true},
      {"view between two values", 2.2f, 2.8f, 0, 0, true},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    const pv::SichtbareWerte s = pv::sichtbareWerte(x, 100, f.xmin, f.xmax);
    EXPECT_EQ(s.leer(), f.leer);
    if (!f.leer) {
      EXPECT_EQ(s.erster, f.erster);
      EXPECT_EQ(s.letzter, f.letzter);
    }
  }

  EXPECT_EQ(pv::schrittweiteWaehlen(true, 0, {1, 10'000'000}, 20), 499'999) << "beyond 16 bits";
  EXPECT_EQ(pv::schrittweiteWaehlen(false, 100'000, {1, 10}, 500), 100'000) << "beyond 16 bits";
  EXPECT_EQ(pv::schrittweiteWaehlen(false, 0, {1, 10}, 500), 1);
  EXPECT_FALSE(pv::zuVieleSchritte({1, 20001}, 2)) << "10000 steps are allowed";
}

// ---------------------------------------------------------------- drawing

struct Bildhalter {
  Bildhalter(int w, int h) : bild(w, h, QImage::Format_RGB32) { bild.fill(Qt::gray); }
  QImage bild;
};

// Paints like the real surface and records every call.
class Aufzeichnung : private Bildhalter, public pv::Zeichenflaeche {
 public:
  struct Text {
    QString text;
    QPointF ort;
  };
  struct Linien {
    std::vector<QLineF> linien;
    double breite;
  };

  Aufzeichnung(int w = 1000, int h = 600) : Bildhalter(w, h), pv::Zeichenflaeche(bild) {}
  QImage& bildchen() { return bild; }

  void leeren() override { ++geleert, Zeichenflaeche::leeren(); }
  void kasten(const QRectF& r, const QColor& f) override { ++kaesten, Zeichenflaeche::kasten(r, f); }
  void aktualisieren() override { ++aktualisiert, Zeichenflaeche::aktualisieren(); }
  void linien(std::span<const QLineF> l, const QColor& f, double b) override {
    linienAufrufe.push_back({{l.begin(), l.end()}, b});
    Zeichenflaeche::linien(l, f, b);
  }
  void linienzug(std::span<const QPointF> p, const QColor& f, double b) override {
    zuege.emplace_back(p.begin(), p.end());
    Zeichenflaeche::linienzug(p, f, b);
  }
  void punkte(std::span<const QPointF> p, const QColor& f, double d) override {
    punkteListe.insert(punkteListe.end(), p.begin(), p.end());
    Zeichenflaeche::punkte(p, f, d);
  }
  void text(const QPointF& o, const QString& t, const QFont& s, const QColor& f, double w) override {
    texte.push_back({t, o});
    Zeichenflaeche::text(o, t, s, f, w);
  }

  bool hatText(const QString& t) const {
    return std::any_of(texte.begin(), texte.end(), [&](const Text& x) { return x.text == t; });
  }
  // Horizontal lines lying on pixel row y.
  int horizontaleAuf(double y) const {
    int n = 0;
    for (const auto& a : linienAufrufe)
      for (const QLineF& l : a.linien) n += l.y1() == l.y2() && std::abs(l.y1() - y) < 0.5;
    return n;
  }
  int gezeichnet() const { return kaesten + int(linienAufrufe.size()) + int(texte.size()); }

  int geleert = 0, kaesten = 0, aktualisiert = 0;
  std::vector<Linien> linienAufrufe;
  std::vector<std::vector<QPointF>> zuege;
  std::vector<QPointF> punkteListe;
  std::vector<Text> texte;
};

TEST(GrafikZeichnenTest, EntryAndEmptyGraphs) {
  const std::vector<float> leer(1, 0.0f);
  {
    SCOPED_TRACE("x range 3 to 3: nothing, the surface untouched");
    Aufzeichnung z;
    auto e = einstellungen();
    float x0 = 3, x1 = 3, y0 = 0, y1 = 10;
    EXPECT_EQ(Tolvek::GrafikZeichnen(z, x0, x1, y0, y1, leer, leer, e, u','), Tolvek::kGrafikNichts);
    EXPECT_EQ(z.geleert + z.gezeichnet(), 0);
    EXPECT_FALSE(z.hatSkala());
  }
  {
    SCOPED_TRACE("no values, an automatic axis: cleared, nothing else");
    Aufzeichnung z;
    auto e = einstellungen();
    float x0 = 0, x1 = 0, y0 = 0, y1 = 10;
    EXPECT_EQ(Tolvek::GrafikZeichnen(z, x0, x1, y0, y1, leer, leer, e, u','), Tolvek::kGrafikNichts);
    EXPECT_GE(z.geleert, 1);
    EXPECT_EQ(z.gezeichnet(), 0);
  }
  {
    SCOPED_TRACE("no values, both ranges given: an empty graph and the full write-back");
    Aufzeichnung z;
    auto e = einstellungen();
    float x0 = 0, x1 = 300, y0 = 20, y1 = 30;
    EXPECT_EQ(Tolvek::GrafikZeichnen(z, x0, x1, y0, y1, leer, leer, e, u','), Tolvek::kGrafikFertig);
    EXPECT_TRUE(z.hatText(QStringLiteral("Temperatur")));
    EXPECT_TRUE(z.hatText(QStringLiteral("150")));
    EXPECT_TRUE(z.hatText(QStringLiteral("22")));
    EXPECT_EQ(z.aktualisiert, 1);
    EXPECT_TRUE(z.punkteListe.empty());
    EXPECT_EQ(Werte({e.RandLinks, e.RandRechts, e.RandOben, e.RandUnten}), Werte({0.2f, 0.1f, 0.2f, 0.2f}));
    EXPECT_EQ(Werte({e.XMin, e.XMax, e.YMin, e.YMax}), Werte({0, 300, 20, 30}));
    EXPECT_EQ(z.letzteGrafik.YMax, 30);
    // The scale stays: x from -60 to 330 over 1000 pixels, y from 32 down to 18.
    EXPECT_NEAR(z.zuPixel(0, 30).x(), 60.0 / 390 * 1000, 1e-4);
    EXPECT_NEAR(z.zuPixel(0, 30).y(), 2.0 / 14 * 600, 1e-4);
    EXPECT_NEAR(z.zuWert(z.zuPixel(123, 25)).x(), 123, 1e-9);
  }
}

TEST(GrafikZeichnenTest, AutomaticRangeAndWriteBack) {
  Aufzeichnung z;
  auto e = einstellungen();
  e.GitterabstandX = 0;
  e.GitterabstandY = 0.001f;  // below 1/100 of the span: raised
  const auto x = linear(301, 0, 1);
  const auto y = linear(301, 20.5f, 0.005f);
  float x0 = 0, x1 = 0, y0 = 0, y1 = 0;
  EXPECT_EQ(Tolvek::GrafikZeichnen(z, x0, x1, y0, y1, x, y, e, u','), Tolvek::kGrafikFertig);
  EXPECT_EQ(Werte({x0, x1, y0, y1}), Werte({0, 300, 20, 30})) << "the caller's range";
  EXPECT_EQ(Werte({e.GitterabstandX, e.GitterabstandY}), Werte({50, 0.1f}));
  EXPECT_TRUE(e.GitterabstandAutoX);
  EXPECT_FALSE(e.GitterabstandAutoY);
  EXPECT_EQ(z.letzteGrafik.XMax, 300);
}

TEST(GrafikZeichnenTest, ResultCodesAndSteps) {
  {
    SCOPED_TRACE("20003 values in view with a step of 2: result 6, frame only");
    Aufzeichnung z;
    auto e = einstellungen();
    e.Schrittweite = 2;
    z.letzteGrafik.XMax = 77;
    const auto x = linear(20003, 0, 1);
    float x0 = 0, x1 = 20002, y0 = -1, y1 = 1;
    EXPECT_EQ(Tolvek::GrafikZeichnen(z, x0, x1, y0, y1, x, std::vector<float>(20004, 0.0f), e, u','),
              Tolvek::kGrafikZuVieleWerte);
    EXPECT_EQ(e.Schrittweite, 2);
    EXPECT_EQ(z.letzteGrafik.XMax, 77);
    EXPECT_TRUE(z.hatText(QStringLiteral("Temperatur")));
    EXPECT_TRUE(z.punkteListe.empty());
    EXPECT_TRUE(z.zuege.empty());
  }
  {
    SCOPED_TRACE("automatic step on 500 pixels with 100000 values: 199");
    Aufzeichnung z(500, 300);
    auto e = einstellungen();
    e.SchrittweiteAutomatisch = true;
    const auto x = linear(100000, 0, 1);
    float x0 = 0, x1 = 99999, y0 = -1, y1 = 1;
    EXPECT_EQ(Tolvek::GrafikZeichnen(z, x0, x1, y0, y1, x, std::vector<float>(100001, 0.0f), e, u','),
              Tolvek::kGrafikFertig);
    EXPECT_EQ(e.Schrittweite, 199);
  }
  {
    SCOPED_TRACE("a view right of all data draws no values instead of counting all");
    Aufzeichnung z;
    auto e = einstellungen();
    const auto x = linear(30000, 0, 1);
    float x0 = 50000, x1 = 60000, y0 = -1, y1 = 1;
    EXPECT_EQ(Tolvek::GrafikZeichnen(z, x0, x1, y0, y1, x, x, e, u','), Tolvek::kGrafikFertig);
    EXPECT_TRUE(z.punkteListe.empty());
    EXPECT_TRUE(z.zuege.empty());
  }
  {
    SCOPED_TRACE("y shorter than x: the stage that first reads the missing value");
    const auto x = linear(10, 0, 1);
    const auto y = linear(5, 0, 1);
    const struct {
      float y0, y1;
      int16_t stufe;
    } faelle[] = {{0, 10, Tolvek::kGrafikFehlerWerte}, {0, 0, Tolvek::kGrafikFehlerBereich}};
    for (const auto& f : faelle) {
      Aufzeichnung z;
      auto e = einstellungen();
      float x0 = 0, x1 = 10, y0 = f.y0, y1 = f.y1;
      EXPECT_EQ(Tolvek::GrafikZeichnen(z, x0, x1, y0, y1, x, y, e, u','), f.stufe);
    }
  }
  {
    SCOPED_TRACE("a range that is no number fails in the range stage and clears");
    Aufzeichnung z;
    auto e = einstellungen();
    float x0 = 0, x1 = std::numeric_limits<float>::infinity(), y0 = 0, y1 = 1;
    const auto x = reihe({1});
    EXPECT_EQ(Tolvek::GrafikZeichnen(z, x0, x1, y0, y1, x, x, e, u','), Tolvek::kGrafikFehlerBereich);
    EXPECT_GE(z.geleert, 2);
    EXPECT_EQ(e.XMax, 0) << "no write-back after a failure";
  }
}

TEST(GrafikZeichnenTest, DeepZoomAtLargeXAndFlatSeriesDraw) {
  {
    SCOPED_TRACE("half a unit at 10^6: grid lines below single resolution still end");
    Aufzeichnung z;
    auto e = einstellungen();
    const auto x = linear(2001, 999000, 1);
    const auto y = linear(2001, 0, 0.001f);
    float x0 = 1e6f, x1 = 1000000.5f, y0 = 0, y1 = 2;
    EXPECT_EQ(Tolvek::GrafikZeichnen(z, x0, x1, y0, y1, x, y, e, u','), Tolvek::kGrafikFertig);
    EXPECT_FALSE(z.punkteListe.empty()) << "the value at 10^6 lies in view";
  }
  {
    SCOPED_TRACE("a flat series on an automatic y axis is drawn across the middle");
    Aufzeichnung z;
    auto e = einstellungen();
    const auto x = linear(11, 0, 1);
    const std::vector<float> y(12, 5.0f);
    float x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    EXPECT_EQ(Tolvek::GrafikZeichnen(z, x0, x1, y0, y1, x, y, e, u','), Tolvek::kGrafikFertig);
    EXPECT_EQ(y0, 4);
    EXPECT_EQ(y1, 6);
    ASSERT_EQ(z.zuege.size(), 1u);
    EXPECT_DOUBLE_EQ(z.zuege[0].front().y(), z.zuPixel(0, 5).y());
    EXPECT_EQ(z.punkteListe.size(), 11u);
  }
}

TEST(GrafikZeichnenTest, AxesCrossAtZeroAndTwoLineDateLabels) {
  {
    SCOPED_TRACE("y from -5 to 5: x labels hang below y = 0, no grid line at 0");
    Aufzeichnung z;
    auto e = einstellungen();
    float x0 = 0, x1 = 10, y0 = -5, y1 = 5;
    const std::vector<float> leer(1, 0.0f);
    ASSERT_EQ(Tolvek::GrafikZeichnen(z, x0, x1, y0, y1, leer, leer, e, u','), Tolvek::kGrafikFertig);
    const double null = z.zuPixel(0, 0).y();
    EXPECT_TRUE(z.hatText(QStringLiteral("0")));
    EXPECT_LE(z.horizontaleAuf(null), 2) << "tick and axis only";
    EXPECT_GT(z.horizontaleAuf(z.zuPixel(0, 2).y()), 10) << "dashes";
    for (const auto& t : z.texte) {
      if (t.text == QStringLiteral("4") && t.ort.y() > null) {
        EXPECT_LT(t.ort.y(), z.zuPixel(0, -5).y()) << "inside the plotting area";
      }
    }
  }
  {
    SCOPED_TRACE("format 16: date above time, one line apart");
    const QDateTime vorher = Tolvek::zustand().MessStartDatumZeit;
    Tolvek::zustand().MessStartDatumZeit = QDateTime(QDate(2026, 12, 8), QTime(10, 0, 0));
    Aufzeichnung z;
    auto e = einstellungen();
    e.XZahlenformat = 16;
    float x0 = 0, x1 = 3600, y0 = 0, y1 = 10;
    const std::vector<float> leer(1, 0.0f);
    EXPECT_EQ(Tolvek::GrafikZeichnen(z, x0, x1, y0, y1, leer, leer, e, u','), Tolvek::kGrafikFertig);
    Tolvek::zustand().MessStartDatumZeit = vorher;
    bool gefunden = false;
    for (std::size_t i = 0; i + 1 < z.texte.size(); ++i) {
      if (z.texte[i].text == QStringLiteral("08.12.2026") && z.texte[i + 1].text == QStringLiteral("10:30:00")) {
        gefunden = true;
        EXPECT_GT(z.texte[i + 1].ort.y(), z.texte[i].ort.y());
      }
    }
    EXPECT_TRUE(gefunden);
  }
}

TEST(GrafikZeichnenTest, DotsAndLinesAtTheRangeEdges) {
  struct Fall {
    const char* name;
    std::vector<float> x, y;
    std::size_t punkte;
    std::vector<QPointF> zug;  // in values; empty: no line
  };
  const Fall faelle[] = {
      {"a line from outside the x range is kept (cut at the edge); one to a value above is drawn to it",
       reihe({-1, 1, 2, 3}), reihe({1, 1, 20, 1}), 2, {{-1, 1}, {1, 1}, {2, 20}, {3, 1}}},
      {"both ends above or below: no line", reihe({1, 2, 3}), reihe({20, -30, 40}), 0, {}},
      {"both ends left of the range: no line", reihe({5, -1, -2}), reihe({1, 1, 1}), 1, {{5, 1}, {-1, 1}}},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    Aufzeichnung z;
    auto e = einstellungen();
    float x0 = 0, x1 = 10, y0 = 0, y1 = 10;
    ASSERT_EQ(Tolvek::GrafikZeichnen(z, x0, x1, y0, y1, f.x, f.y, e, u','), Tolvek::kGrafikFertig);
    EXPECT_EQ(z.punkteListe.size(), f.punkte);
    if (f.zug.empty()) {
      EXPECT_TRUE(z.zuege.empty());
      continue;
    }
    ASSERT_EQ(z.zuege.size(), 1u);
    ASSERT_EQ(z.zuege[0].size(), f.zug.size());
    for (std::size_t i = 0; i < f.zug.size(); ++i) {
      const QPointF p = z.zuPixel(f.zug[i].x(), f.zug[i].y());
      EXPECT_NEAR(z.zuege[0][i].x(), p.x(), 1e-6);
      EXPECT_NEAR(z.zuege[0][i].y(), p.y(), 1e-6);
    }
  }
}

TEST(GrafikZeichnenTest, PrintingWidensLinesAndNeitherClearsNorRefreshes) {
  Aufzeichnung z;
  QImage& bild = z.bildchen();
  bild.setDotsPerMeterX(23622);  // 600 dpi against the screen's 96: factor int16(6.25) = 6
  bild.setDotsPerMeterY(23622);
  z.drucker = true;
  auto e = einstellungen();
  e.LiniendickeAchsen = 1;
  float x0 = 0, x1 = 10, y0 = 0, y1 = 10;
  ASSERT_EQ(Tolvek::GrafikZeichnen(z, x0, x1, y0, y1, reihe({1, 2}), reihe({1, 2}), e, u','),
            Tolvek::kGrafikFertig);
  EXPECT_EQ(z.geleert, 0);
  EXPECT_EQ(z.aktualisiert, 0);
  // The axes are the last lines before the values.
  ASSERT_FALSE(z.linienAufrufe.empty());
  EXPECT_EQ(z.linienAufrufe.back().breite, 6);
  EXPECT_EQ(z.linienAufrufe.back().linien.size(), 2u);
}

}  // namespace
