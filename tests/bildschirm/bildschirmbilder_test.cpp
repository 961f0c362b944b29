// The pictures the program draws for the screen: each is drawn at the
// ratio, in the logical size of an ordinary screen and with the ratio's
// detail, never as a ratio-1 picture enlarged. A bitmap to export keeps the
// size in pixels it was asked for. The windows are tested on an offscreen
// screen of ratio 2, of 1.5 and of 1.25 (verhaeltnis*.json), where a
// widget's origin may lie between two device pixels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <cmath>
#include <functional>
#include <numbers>

#include "common/balken.h"
#include "common/bildschirmbild.h"
#include "common/leds.h"
#include "common/plotten.h"
#include "devices/kennlinienbild.h"
#include "devices/sensordatei.h"
#include "main/datenlinie.h"
#include "main/form1.h"
#include "main/form1steuerelemente.h"
#include "main/kastenfeld.h"
#include "main/startform.h"
#include "support/pseudoterminal.h"
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
    ASSERT_GT(v, 1) << "runs on an offscreen screen of a ratio above 1 (verhaeltnis*.json)";
  }
  const qreal v = qApp->devicePixelRatio();
  pvtest::Ansichtenumgebung umgebung;
};

// The widget as the screen shows it, in device pixels.
QImage gezeigt(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

TEST_F(Bildschirmfenster, TheWindowsDrawAtTheirScreensRatioAndTheExportKeepsItsPixels) {
  pvtest::Ansichtenumgebung::messungMit(50);
  pv::FormGRAFIK fenster;
  fenster.Zeigen();
  fenster.NeuButton_Click();
  const QImage& bild = fenster.GRAF->bild();
  EXPECT_EQ(bild.devicePixelRatio(), v);
  EXPECT_EQ(bild.size(), pv::geraetegroesse(fenster.GRAF->size(), v));
  umgebung.programm.eingaben.antworten = {QStringLiteral("300;200")};
  fenster.mnuGrafikExp[1]->trigger();
  EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(300, 200));

  pv::FormDrucken druck;
  druck.GrafikVorschauDrucken(0);
  EXPECT_EQ(druck.vorschaubild().devicePixelRatio(), v);

  pv::Balkenanzeige balken;
  balken.resize(200, 8);
  Tolvek::PegelZeigen(&balken, 50, u',');
  EXPECT_EQ(balken.bild().size(), pv::geraetegroesse({200, 8}, v));

  pv::LEDs lampe;
  EXPECT_EQ(lampe.Bild().devicePixelRatio(), v);
  EXPECT_EQ(lampe.size(), QSize(11, 11));

  pv::StartForm start(QStringLiteral("3.1"));
  EXPECT_EQ(start.Picture1->pixmap().devicePixelRatio(), v);
  EXPECT_EQ(start.Picture1->pixmap().size(), pv::geraetegroesse({420, 240}, v));

  pv::Form1 form;
  ASSERT_TRUE(form.GeraetebildLaden(QStringLiteral(PELVARON_DATEN "/Waage.gif"), QStringLiteral("ZM"), {74, 54}, 108, 148));
  const QPixmap geraet = pv::steuerelemente(form).imgGeraeteBild->pixmap();
  EXPECT_EQ(geraet.devicePixelRatio(), v);
  EXPECT_EQ(geraet.size(), pv::geraetegroesse({130, 100}, v));
}

// The sensor editor shows the characteristic as drawn at the ratio.
TEST_F(Bildschirmfenster, TheSensorEditorShowsTheCharacteristicDrawnAtTheRatio) {
  pv::Kennlinie& k = pv::sensorZustand().Fuehler;
  k.X = {0, 18.52f, 100, 175.86f, 280.98f};
  k.Y = {0, -200, 0, 200, 500};
  const pv::GrafikEinstellungen g = pv::kennlinieGrafik(QStringLiteral("PT100"), QStringLiteral("R"), QStringLiteral("T"));
  pv::KennlinienBild bild;
  bild.resize(300, 220);
  bild.zeichnen(g, u',');
  const QImage erwartet = pv::kennlinieMalen(k, g, u',', {300, 220}, v).convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(unterschiede(gezeigt(bild), erwartet), 0);
  pv::sensorZustand().Fuehler = {};
}

// The data line's lamps touch on whole device pixels, whatever the ratio and
// where the line's origin lies between two (at (1, 1) at 1.5 and 1.25):
// lamp i of the PC row starts 5 - i picture widths right of the first whole
// device pixel, lamp i of the device row i widths, right below the PC row.
// A lamp's change shows on the screen at once, so the line's animation runs.
TEST_F(Bildschirmfenster, TheDataLineLampsTouchEvenly) {
  QWidget traeger;
  auto* linie = new pv::Datenlinienbild(&traeger);
  linie->move(1, 1);
  for (pv::LEDs* lampe : linie->messgeraetReihe()) lampe->Init(1, 1, 1, true);
  for (pv::LEDs* lampe : linie->pcReihe()) lampe->Init(0, 0, 0, true);
  linie->resize(linie->sizeHint());
  traeger.resize(linie->sizeHint() + QSize(1, 1));
  const QImage bild = gezeigt(traeger);
  const QSize g = linie->pcReihe()[0]->Bild().size();
  const int ecke = int(std::ceil(v));
  for (int i = 0; i < 6; ++i) {
    for (auto [lampe, ort] : {std::pair{linie->pcReihe()[i], QPoint((5 - i) * g.width(), 0)},
                              std::pair{linie->messgeraetReihe()[i], QPoint(i * g.width(), g.height())}}) {
      const QImage& soll = lampe->Bild();
      int falsch = 0;
      for (int y = 0; y < soll.height(); ++y)
        for (int x = 0; x < soll.width(); ++x)
          if (qAlpha(soll.pixel(x, y)) == 255) falsch += bild.pixel(ort + QPoint(x + ecke, y + ecke)) != soll.pixel(x, y);
      EXPECT_EQ(falsch, 0) << "lamp " << i << " at " << ort.x() << "," << ort.y();
    }
  }

  struct Malzaehler : QObject {
    int n = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      n += e->type() == QEvent::Paint;
      return false;
    }
  } gemalt;
  linie->installEventFilter(&gemalt);
  traeger.show();
  ASSERT_TRUE(pvtest::warteBis([&] { return gemalt.n > 0; }, 60000));
  QCoreApplication::processEvents();
  gemalt.n = 0;
  linie->pcReihe()[0]->StatusSetzen(1);
  EXPECT_TRUE(pvtest::warteBis([&] { return gemalt.n > 0; }, 60000)) << "the line repainted";
}

// The graph area's dots are round and as large as on an ordinary screen;
// the cross-hair and the zoom rectangle are one logical pixel wide.
TEST_F(Bildschirmfenster, TheGraphAreaDrawsDotsAndLinesAtTheRatio) {
  pv::GrafikBild graf;
  graf.resize(200, 160);
  graf.show();
  QCoreApplication::processEvents();
  pv::Zeichenflaeche& f = graf.flaeche();
  f.skalieren(0, 0, 200, 160);  // values are logical pixels
  const QColor blau(0, 0, 255);
  f.punktWert(50, 50, blau, 9);
  pv::Ueberlagerung u;
  u.zeigerSichtbar = true;
  u.zeigerV = QLineF(150, 0, 150, 160);
  u.zeigerH = QLineF(0, 140, 200, 140);
  u.rechteckSichtbar = true;
  u.rechteck = QRectF(100, 20, 40, 40);
  graf.ueberlagerungZeigen(&u);
  const QImage bild = gezeigt(graf);

  // The dot's area in device pixels, a smoothed edge pixel by its share of blue over white.
  double flaeche = 0;
  for (int y = int(40 * v); y < int(60 * v); ++y)
    for (int x = int(40 * v); x < int(60 * v); ++x) flaeche += 1 - bild.pixelColor(x, y).redF();
  EXPECT_NEAR(flaeche / (std::numbers::pi * std::pow(9 * v / 2, 2)), 1.0, 0.15);
  // Widths in device pixels across the vertical line of the cross-hair, and
  // across the zoom rectangle's left side where it is drawn.
  const auto breite = [&](int y, int von, int bis, const std::function<bool(const QColor&)>& tinte) {
    int n = 0;
    for (int x = von; x < bis; ++x) n += tinte(bild.pixelColor(x, y));
    return n;
  };
  const auto rot = [](const QColor& c) { return c == QColor(Qt::red); };
  EXPECT_EQ(breite(int(100 * v), int(140 * v), int(160 * v), rot), pv::haarlinienbreite(v));
  int rechteck = 0;
  for (int y = int(25 * v); y < int(55 * v); ++y)
    rechteck = std::max(rechteck, breite(y, int(90 * v), int(110 * v), schwarz));
  EXPECT_EQ(rechteck, pv::haarlinienbreite(v));
}

// The picture box's frame and the status boxes' sunken frame are one
// logical pixel wide on every side, wherever the box lies.
TEST_F(Bildschirmfenster, FramedBoxesShowTheirFrameWholeOnEverySide) {
  const auto fuellen = [](QWidget& w, const QColor& farbe) {
    w.setAutoFillBackground(true);
    QPalette p = w.palette();
    p.setColor(QPalette::Window, farbe);
    w.setPalette(p);
  };
  for (const auto rand : {pv::Kastenfeld::Rand::Flach, pv::Kastenfeld::Rand::Vertieft}) {
    for (const QPoint ort : {QPoint(2, 2), QPoint(3, 3)}) {  // at 1.5 on and between device pixels
      QWidget traeger;
      fuellen(traeger, Qt::magenta);
      traeger.resize(30, 24);
      auto* feld = new pv::Kastenfeld(rand, &traeger);
      fuellen(*feld, Qt::green);
      feld->setGeometry(QRect(ort, QSize(24, 18)));
      const QImage bild = gezeigt(traeger);
      // The frame's device pixels on the middle row and column, from the
      // outside to the green inside.
      const auto rahmen = [&](QPoint p, QPoint schritt) {
        while (bild.pixelColor(p) == QColor(Qt::magenta)) p += schritt;
        int n = 0;
        for (; bild.pixelColor(p) != QColor(Qt::green); p += schritt) ++n;
        return n;
      };
      const int mx = int((ort.x() + 12) * v), my = int((ort.y() + 9) * v);
      const int d = pv::haarlinienbreite(v);
      SCOPED_TRACE(ort.x());
      EXPECT_EQ(rahmen({mx, 0}, {0, 1}), d) << "top";
      EXPECT_EQ(rahmen({0, my}, {1, 0}), d) << "left";
      EXPECT_EQ(rahmen({mx, bild.height() - 1}, {0, -1}), d) << "bottom";
      EXPECT_EQ(rahmen({bild.width() - 1, my}, {-1, 0}), d) << "right";
    }
  }
}

}  // namespace
