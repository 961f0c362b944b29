// The graph drawn into pictures: where its pixels fall, at every device
// pixel ratio and on the printer.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "common/plotten.h"
#include "common/tolvek.h"
#include "tests/common/plotten_testhilfe.h"

namespace {

using pvtest::einstellungen;
using pvtest::reihe;

int kurvenPixel(const QImage& bild, int spalte, int yVon, int yBis) {
  const QRgb rot = qRgb(255, 0, 0);
  int n = 0;
  for (int y = std::max(0, yVon); y <= std::min(bild.height() - 1, yBis); ++y)
    if (bild.pixel(spalte, y) == rot) ++n;
  return n;
}

TEST(GrafikZeichnenTest, RenderedCurveLiesWhereTheValuesAre) {
  QImage bild(600, 400, QImage::Format_RGB32);
  pv::Zeichenflaeche z(bild);
  auto e = einstellungen();
  e.SchrittweiteAutomatisch = true;
  // A dense diagonal with noise: many values per pixel column.
  const int n = 9000;
  std::vector<float> x(n + 1), y(n + 1);
  for (int i = 1; i <= n; ++i) {
    x[i] = float(i);
    y[i] = float(i) / n * 7 + 1.5f + ((i % 7) - 3) * 0.15f;
  }
  float x0 = 0, x1 = 0, y0 = 0, y1 = 0;
  ASSERT_EQ(Tolvek::GrafikZeichnen(z, x0, x1, y0, y1, x, y, e, u','), Tolvek::kGrafikFertig);
  // The values drawn are every Schrittweite-th from the first.
  for (int k : {30, 140, 320, 500, 620}) {
    const int i = 1 + k * e.Schrittweite;
    ASSERT_LE(i, n);
    const QPointF p = z.zuPixel(x[i], y[i]);
    EXPECT_GT(kurvenPixel(bild, int(p.x()), int(p.y()) - 3, int(p.y()) + 3), 0) << "value " << i;
  }
  // Nothing red far from the curve: the plotting area's top left corner.
  const QPointF ecke = z.zuPixel(x0, y1);
  EXPECT_EQ(kurvenPixel(bild, int(ecke.x()) + 5, int(ecke.y()) + 1, int(ecke.y()) + 40), 0);

  // Drawn with every value (step 1) the merged columns look like all the
  // single segments drawn one by one.
  QImage alle(600, 400, QImage::Format_RGB32);
  pv::Zeichenflaeche za(alle);
  e.SchrittweiteAutomatisch = false;
  e.Schrittweite = 1;
  ASSERT_EQ(Tolvek::GrafikZeichnen(za, x0, x1, y0, y1, x, y, e, u','), Tolvek::kGrafikFertig);
  QImage einzeln(600, 400, QImage::Format_RGB32);
  pv::Zeichenflaeche ze(einzeln);
  e.MesswerteVerbunden = 0;
  ASSERT_EQ(Tolvek::GrafikZeichnen(ze, x0, x1, y0, y1, x, y, e, u','), Tolvek::kGrafikFertig);
  {
    QPainter p(&einzeln);
    p.setPen(QPen(Qt::red, 0));
    for (int i = 2; i <= n; ++i) p.drawLine(ze.zuPixel(x[i - 1], y[i - 1]), ze.zuPixel(x[i], y[i]));
  }
  // Red pixels of one picture without red next to them in the other: the
  // two may differ only in where a line's last pixel falls.
  int rot = 0, anders = 0;
  for (int py = 1; py + 1 < alle.height(); ++py)
    for (int px = 1; px + 1 < alle.width(); ++px) {
      rot += kurvenPixel(alle, px, py, py);
      anders += kurvenPixel(alle, px, py, py) && !kurvenPixel(einzeln, px - 1, py - 1, py + 1) &&
                !kurvenPixel(einzeln, px, py - 1, py + 1) && !kurvenPixel(einzeln, px + 1, py - 1, py + 1);
      anders += kurvenPixel(einzeln, px, py, py) && !kurvenPixel(alle, px - 1, py - 1, py + 1) &&
                !kurvenPixel(alle, px, py - 1, py + 1) && !kurvenPixel(alle, px + 1, py - 1, py + 1);
    }
  EXPECT_GT(rot, 400);
  EXPECT_EQ(anders, 0);
}

// A curve that leaves the view on every side, wide and with markers, stays
// inside the plotting area and its axes' lines on the screen at any ratio
// and on the printer, but for the dots of values on the area's edge, which
// are whole; its lines reach the edge, and a run along the bottom edge
// shows. So do a live line and dots (blue): a dot outside the range is cut.
TEST(GrafikZeichnenTest, TheCurveStaysInsideThePlottingArea) {
  const auto roetlich = [](QRgb c) { return qRed(c) > qGreen(c) + 60 && qRed(c) > qBlue(c) + 60; };
  const auto blaeulich = [](QRgb c) { return qBlue(c) > qGreen(c) + 60 && qBlue(c) > qRed(c) + 60; };
  for (const auto& [v, drucker] : {std::pair{1.0, false}, {1.5, false}, {2.0, false}, {1.0, true}}) {
    SCOPED_TRACE(testing::Message() << "ratio " << v << (drucker ? ", printer" : ""));
    QImage bild(int(600 * v), int(400 * v), QImage::Format_RGB32);
    bild.setDevicePixelRatio(v);
    bild.setDotsPerMeterX(drucker ? 23622 : 3780);  // 600 dpi: line widths times 6
    bild.setDotsPerMeterY(bild.dotsPerMeterX());
    pv::Zeichenflaeche z(bild);
    z.drucker = drucker;
    bild.fill(Qt::white);
    auto e = einstellungen();
    e.Liniendicke = 3;
    e.MesspunkteAnzeigen = 1;
    e.Messpunktgroesse = 6;
    e.GitterX = e.GitterY = false;
    float x0 = 0, x1 = 10, y0 = 0, y1 = 10;
    ASSERT_EQ(Tolvek::GrafikZeichnen(z, x0, x1, y0, y1, reihe({-2, 0, 3, 6, 9, 12}), reihe({5, 5, 0, 0, 15, 5}), e,
                                     u','),
              Tolvek::kGrafikFertig);
    const double d = 6 * (drucker ? 6 : 1) + 1;  // the dots' diameter
    z.linieWert(5, 5, 15, 12, Qt::blue, 3);
    z.punktWert(0, 8, Qt::blue, d);
    z.punktWert(-0.15, 2, Qt::blue, d);
    // The area and the axes' outer edges in device pixels, one pixel of
    // rounding allowed, and the dots of the values on its edges.
    const double achse = (drucker ? 6 : 1) * v / 2;
    const QRectF flaeche(z.zuPixel(0, 10) * v, z.zuPixel(10, 0) * v);
    const QRectF erlaubt = flaeche.adjusted(-achse - 1, -1, 1, achse + 1);
    const double r = d * v / 2;
    const QPointF punkte[] = {z.zuPixel(0, 5) * v, z.zuPixel(3, 0) * v, z.zuPixel(6, 0) * v, z.zuPixel(0, 8) * v};
    const auto aufPunkt = [&](QPointF p) {
      return std::any_of(std::begin(punkte), std::end(punkte), [&](QPointF m) { return QLineF(m, p).length() < r + 1; });
    };
    QRect rot, blau;
    for (int y = 0; y < bild.height(); ++y)
      for (int x = 0; x < bild.width(); ++x) {
        const QRgb c = bild.pixel(x, y);
        if (!roetlich(c) && !blaeulich(c)) continue;
        (roetlich(c) ? rot : blau) |= QRect(x, y, 1, 1);
        ASSERT_TRUE(erlaubt.contains(x + 0.5, y + 0.5) || aufPunkt({x + 0.5, y + 0.5})) << "ink at " << x << "," << y;
      }
    EXPECT_LE(rot.left(), flaeche.left() + 1) << "the line from the left reaches the y axis";
    EXPECT_GE(rot.bottom(), flaeche.bottom() - 1) << "the run along the bottom edge";
    EXPECT_LE(rot.left(), punkte[0].x() - r + 1) << "the dot on the y axis is whole";
    EXPECT_GE(rot.bottom(), punkte[1].y() + r - 1.5) << "the dots on the x axis are whole";
    EXPECT_LE(blau.left(), punkte[3].x() - r + 1) << "the live dot on the y axis is whole";
    EXPECT_GE(blau.right(), flaeche.right() - 1) << "the live line reaches the right edge";
    EXPECT_LE(rot.top(), flaeche.top() + 1) << "the line to a value above reaches the top";
  }
}

// Point markers are round at every ratio: wherever a dot falls between
// device pixels it carries the ink of a circle of its size, no more, no less.
TEST(GrafikZeichnenTest, MarkersAreRoundAtEveryRatio) {
  for (const double v : {1.0, 1.5, 2.0})
    for (const double d : {3.0, 6.0}) {
      SCOPED_TRACE(testing::Message() << "ratio " << v << ", diameter " << d);
      QImage bild(int(220 * v), int(40 * v), QImage::Format_RGB32);
      bild.setDevicePixelRatio(v);
      bild.fill(Qt::white);
      pv::Zeichenflaeche z(bild);
      std::vector<QPointF> punkte;
      for (int k = 0; k < 10; ++k) punkte.emplace_back(10 + 20 * k + 0.13 * k, 20 + 0.07 * k);
      z.punkte(punkte, Qt::black, d);
      const double kreis = M_PI * d * v * d * v / 4;
      for (const QPointF& m : punkte) {
        double tinte = 0;
        for (int y = 0; y < bild.height(); ++y)
          for (int x = int((m.x() - 10) * v); x < int((m.x() + 10) * v); ++x) tinte += 1 - qGray(bild.pixel(x, y)) / 255.0;
        EXPECT_NEAR(tinte, kreis, 0.1 * kreis) << "dot at " << m.x();
      }
    }
}

// A page drawn shrunk smooths its lines: one 0.6 pixels wide across the
// border of two columns leaves half its ink in each, as the printer's
// finer pixels show it.
TEST(GrafikZeichnenTest, AShrunkPageDrawsThinLinesSmoothed) {
  QImage bild(100, 100, QImage::Format_RGB32);
  bild.fill(Qt::white);
  pv::Zeichenflaeche z(bild, QSizeF(1000, 1000), 600);
  const QLineF linie(500, 100, 500, 900);
  z.linien(std::span(&linie, 1), Qt::black, 6);
  for (const int x : {49, 50}) EXPECT_NEAR(1 - qGray(bild.pixel(x, 50)) / 255.0, 0.3, 0.1) << "column " << x;
}

// Where two pictures differ: the ink of what only one of them holds.
QRect unterschied(const QImage& a, const QImage& b) {
  QRect r;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) r |= QRect(x, y, 1, 1);
  return r;
}

TEST(GrafikZeichnenTest, YTitleReadsUpwardsLeftOfTheYLabels) {
  // An empty graph from 20 to 30, drawn with and without a y title.
  const auto zeichnen = [](const QString& yTitel, QImage& bild) {
    pv::Zeichenflaeche z(bild);
    auto e = einstellungen();
    e.YTitel = yTitel;
    float x0 = 0, x1 = 300, y0 = 20, y1 = 30;
    const std::vector<float> leer(1, 0.0f);
    EXPECT_EQ(Tolvek::GrafikZeichnen(z, x0, x1, y0, y1, leer, leer, e, u','), Tolvek::kGrafikFertig);
    return std::pair(int(z.zuPixel(0, y1).y()), int(z.zuPixel(0, y0).y()));
  };
  QImage mit(800, 500, QImage::Format_RGB32), ohne(800, 500, QImage::Format_RGB32);
  // A title heavy at its start and light at its end.
  zeichnen(QStringLiteral("WWW.........."), mit);
  const auto [oben, unten] = zeichnen(QString(), ohne);
  const QRect titel = unterschied(mit, ohne);
  ASSERT_FALSE(titel.isEmpty());
  EXPECT_GT(titel.height(), 3 * titel.width()) << "turned by 90 degrees";
  int untereHaelfte = 0, obereHaelfte = 0;
  for (int y = titel.top(); y <= titel.bottom(); ++y)
    for (int x = titel.left(); x <= titel.right(); ++x)
      if (mit.pixel(x, y) != ohne.pixel(x, y)) ++(y > titel.center().y() ? untereHaelfte : obereHaelfte);
  EXPECT_GT(untereHaelfte, 2 * obereHaelfte) << "counter-clockwise: read from bottom to top";
  // The y labels' left edge: the first ink on the background in their rows.
  const QRgb hintergrund = ohne.pixel(0, 0);
  int labels = ohne.width();
  for (int y = oben; y <= unten; ++y)
    for (int x = 0; x < labels; ++x)
      if (ohne.pixel(x, y) != hintergrund) labels = x;
  EXPECT_LT(titel.right(), labels);
}

}  // namespace
