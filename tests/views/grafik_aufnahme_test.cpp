// The graph window follows a recording of a pseudo-terminal instrument.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QElapsedTimer>
#include <QTimer>
#include <cmath>

#include "acquisition/ansichten.h"
#include "common/farben.h"
#include "main/programm_mit_geraet.h"
#include "views/grafikfenster.h"
#include "views/verdrahtung.h"

namespace {

using pvtest::warteBis;

class GrafikAufnahme : public pvtest::ProgrammMitGeraet {};

// Pixels of the curve's colour in the picture.
int kurvenpunkte(const QImage& bild, QRgb farbe) {
  int n = 0;
  for (int y = 0; y < bild.height(); ++y) {
    for (int x = 0; x < bild.width(); ++x) n += (bild.pixel(x, y) & 0xFFFFFF) == (farbe & 0xFFFFFF);
  }
  return n;
}

TEST_F(GrafikAufnahme, GraphGrowsWhileTheInstrumentSends) {
  mitschreiben = false;
  starten(QStringLiteral("Fortlaufend"), pvtest::kAutomatisch);
  pv::ansichtenAnschliessen(*programm);
  f().MGrafik->trigger();
  auto* grafik = dynamic_cast<pv::FormGRAFIK*>(pv::ansichten().grafik);
  ASSERT_NE(grafik, nullptr);
  grafik->resize(800, 600);

  int wert = 0;
  QTimer takt;
  QObject::connect(&takt, &QTimer::timeout, [&] {
    pty.senden(QStringLiteral("DC %1.000 V\r").arg(++wert % 5).toLatin1());
  });
  takt.start(40);
  QElapsedTimer uhr;
  uhr.start();
  ui().StartButton->click();
  ASSERT_TRUE(warteBis([&] { return pv::hauptmodul().messdaten.m >= 10; }, 5000));
  takt.stop();
  ui().StopButton->click();
  const double dauer = uhr.elapsed() / 1000.0;
  pvtest::ereignisseFuer(300);

  // Every record sent while recording is stored once, in order, at the time
  // it came: the values count on by one (modulo 5), the times rise.
  const pv::Messdaten& d = pv::hauptmodul().messdaten;
  for (int32_t i = 1; i <= d.m; ++i) {
    EXPECT_GE(d.x[i], 0.0f) << i;
    EXPECT_LE(d.x[i], dauer) << i;
    if (i == 1) continue;
    EXPECT_EQ(d.y[i], std::fmod(d.y[i - 1] + 1.0f, 5.0f)) << i;
    EXPECT_GT(d.x[i], d.x[i - 1]) << i;
    EXPECT_LT(d.x[i] - d.x[i - 1], 1.0f) << i;
  }

  EXPECT_FALSE(grafik->lblMesswert->text().isEmpty());
  const pv::Einstellungen& e = pv::hauptmodul().einstellungen;
  const QColor kurve = pv::farbe(e.Schemata[e.AktuellesSchema].FarbeMesskurve);
  EXPECT_GT(kurvenpunkte(grafik->GRAF->bild(), kurve.rgb()), 10);
  // Each stored value is in the curve's colour where the graph puts it.
  const QImage bild = grafik->GRAF->bild();
  for (int32_t i = 1; i <= d.m; ++i) {
    const QPoint p = grafik->GRAF->flaeche().zuPixel(d.x[i], d.y[i]).toPoint();
    EXPECT_GT(kurvenpunkte(bild.copy(p.x() - 1, p.y() - 1, 3, 3), kurve.rgb()), 0) << i;
  }
  // The running x range starts at the recording's first extent.
  EXPECT_EQ(pv::hauptmodul().aufzeichnung.AutoXMax, 300.0f);
}

}  // namespace
