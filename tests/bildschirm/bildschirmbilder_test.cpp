// The pictures the program draws for the screen, on a screen of device pixel
// ratio 2 (the offscreen platform configured by verhaeltnis2.json): each is
// drawn at the ratio, in the logical size of an ordinary screen and with
// the ratio's detail, never as a ratio-1 picture enlarged. A bitmap to
// export keeps the size in pixels it was asked for.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <cmath>
#include <functional>

#include "common/balken.h"
#include "common/bildschirmbild.h"
#include "common/leds.h"
#include "common/plotten.h"
#include "devices/kennlinienbild.h"
#include "devices/sensordatei.h"
#include "main/form1.h"
#include "main/kastenfeld.h"
#include "main/startform.h"
#include "views/ansichten_testhilfe.h"
#include "views/druckfenster.h"
#include "views/grafikbild.h"
#include "views/grafikfenster.h"

namespace {

constexpr qreal kVerhaeltnis = 2;

int zaehlen(const QImage& bild, const std::function<bool(const QColor&)>& tinte) {
  int n = 0;
  for (int y = 0; y < bild.height(); ++y)
    for (int x = 0; x < bild.width(); ++x) n += tinte(bild.pixelColor(x, y));
  return n;
}

bool dunkel(const QColor& c) { return c.alpha() > 0 && c.lightness() < 100; }

// Pixels in which two pictures of one size differ.
int unterschiede(const QImage& a, const QImage& b) {
  const QImage a32 = a.convertToFormat(QImage::Format_ARGB32), b32 = b.convertToFormat(QImage::Format_ARGB32);
  int n = 0;
  for (int y = 0; y < a32.height(); ++y)
    for (int x = 0; x < a32.width(); ++x) n += a32.pixel(x, y) != b32.pixel(x, y);
  return n;
}

QImage grafik(qreal verhaeltnis) {
  pv::Bildflaeche b(QSize(400, 300), verhaeltnis);
  pv::GrafikEinstellungen e = pv::kennlinieGrafik(QStringLiteral("Abkühlung"), QStringLiteral("t (s)"),
                                                  QStringLiteral("T (°C)"));
  e.LiniendickeAchsen = 1;
  e.MesspunkteAnzeigen = 1;
  e.Messpunktgroesse = 3;
  std::vector<float> x{0}, y{0};
  for (int i = 0; i <= 40; ++i) {
    x.push_back(float(i));
    y.push_back(float(20 + 60 * std::exp(-i / 15.0)));
  }
  float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  Tolvek::GrafikZeichnen(b.flaeche(), x1, x2, y1, y2, x, y, e, u',');
  return b.bild();
}

QImage kennlinie(qreal verhaeltnis) {
  pv::Kennlinie k;
  k.X = {0, 18.52f, 100, 175.86f, 280.98f};
  k.Y = {0, -200, 0, 200, 500};
  return pv::kennlinieMalen(k, pv::kennlinieGrafik(QStringLiteral("PT100"), QStringLiteral("R"), QStringLiteral("T")),
                            u',', QSize(300, 220), verhaeltnis);
}

QImage pegel(qreal verhaeltnis) {
  QImage bild;
  pv::balkenbildAnpassen(bild, QSize(200, 8), verhaeltnis, Qt::white);
  QPainter maler(&bild);
  Tolvek::PegelMalen(maler, pv::logischeFlaeche(bild), 90.25f, Qt::lightGray);
  return bild;
}

QImage geraetebild(qreal verhaeltnis) {
  // A picture of fine stripes, larger than its box at either ratio.
  QImage quelle(600, 440, QImage::Format_RGB32);
  for (int y = 0; y < quelle.height(); ++y)
    for (int x = 0; x < quelle.width(); ++x) quelle.setPixelColor(x, y, (x / 3 + y / 5) % 2 ? Qt::black : Qt::white);
  return pv::bildEingepasst(quelle, QSize(150, 110), verhaeltnis).toImage();
}

bool gruen(const QColor& c) { return c == QColor(0, 255, 0); }
bool schwarz(const QColor& c) { return c.alpha() == 255 && c.rgb() == qRgb(0, 0, 0); }
bool weiss(const QColor& c) { return c.lightness() > 200; }

TEST(Bildschirmbilder, DrawnAtTheRatioNotEnlarged) {
  struct Fall {
    const char* name;
    QSize logisch;
    std::function<QImage(qreal)> malen;
    std::function<bool(const QColor&)> tinte;  // what counts as drawn
  };
  const std::vector<Fall> faelle = {
      {"graph", {400, 300}, grafik, dunkel},
      {"characteristic", {300, 220}, kennlinie, dunkel},
      {"level_bar", {200, 8}, pegel, gruen},
      {"lamp", {11, 11}, [](qreal v) { return pv::LEDBildMalen(0, v); }, schwarz},
      {"device_picture", {150, 110}, geraetebild, dunkel},
      {"splash", {420, 240}, [](qreal v) { return pv::startbild(420, v).toImage(); }, weiss},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    const QImage eins = f.malen(1);
    const QImage zwei = f.malen(kVerhaeltnis);
    ASSERT_EQ(eins.size(), f.logisch);
    ASSERT_EQ(zwei.size(), f.logisch * kVerhaeltnis);
    EXPECT_EQ(zwei.devicePixelRatio(), kVerhaeltnis);
    // Lines as wide and texts as large as at ratio 1: four times the pixels.
    const int n1 = zaehlen(eins, f.tinte);
    ASSERT_GT(n1, 0);
    EXPECT_NEAR(double(zaehlen(zwei, f.tinte)) / n1, 4.0, 0.6);
    // The detail of the ratio: not the ratio-1 picture with its pixels doubled.
    EXPECT_GT(unterschiede(zwei, eins.scaled(zwei.size())), 0);
  }
}

class Bildschirmfenster : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(qApp->devicePixelRatio(), kVerhaeltnis) << "runs on the offscreen screen of verhaeltnis2.json";
  }
  pvtest::Ansichtenumgebung umgebung;
};

TEST_F(Bildschirmfenster, TheWindowsDrawAtTheirScreensRatioAndTheExportKeepsItsPixels) {
  pvtest::Ansichtenumgebung::messungMit(50);
  pv::FormGRAFIK fenster;
  fenster.Zeigen();
  fenster.NeuButton_Click();
  const QImage& bild = fenster.GRAF->bild();
  EXPECT_EQ(bild.devicePixelRatio(), kVerhaeltnis);
  EXPECT_EQ(bild.size(), fenster.GRAF->size() * kVerhaeltnis);
  umgebung.programm.eingaben.antworten = {QStringLiteral("300;200")};
  fenster.mnuGrafikExp[1]->trigger();
  EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(300, 200));

  pv::FormDrucken druck;
  druck.GrafikVorschauDrucken(0);
  EXPECT_EQ(druck.vorschaubild().devicePixelRatio(), kVerhaeltnis);

  pv::Balkenanzeige balken;
  balken.resize(200, 8);
  Tolvek::PegelZeigen(&balken, 50, u',');
  EXPECT_EQ(balken.bild().size(), QSize(400, 16));

  pv::LEDs lampe;
  EXPECT_EQ(lampe.Bild().devicePixelRatio(), kVerhaeltnis);
  EXPECT_EQ(lampe.size(), QSize(11, 11));
}

// The picture box's frame and the status boxes' sunken frame are one pixel
// wide on every side.
TEST_F(Bildschirmfenster, FramedBoxesShowTheirFrameWholeOnEverySide) {
  for (const auto rand : {pv::Kastenfeld::Rand::Flach, pv::Kastenfeld::Rand::Vertieft}) {
    pv::Kastenfeld feld(rand);
    feld.setAutoFillBackground(true);
    feld.resize(24, 18);
    QPalette p = feld.palette();
    p.setColor(QPalette::Window, Qt::green);
    feld.setPalette(p);
    QImage bild = pv::bildschirmbild(feld.size(), kVerhaeltnis, Qt::magenta);
    feld.render(&bild);
    const int w = bild.width(), h = bild.height();
    for (int i = 0; i < 2; ++i) {
      SCOPED_TRACE(i);
      for (const QPoint pixel : {QPoint(w / 2, i), QPoint(i, h / 2), QPoint(w / 2, h - 1 - i), QPoint(w - 1 - i, h / 2)})
        EXPECT_NE(bild.pixelColor(pixel), QColor(Qt::green)) << pixel.x() << "," << pixel.y();
    }
    EXPECT_EQ(bild.pixelColor(2, h / 2), QColor(Qt::green)) << "the frame is one pixel wide";
  }
}

}  // namespace
