// The graph window follows a recording of a pseudo-terminal instrument.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

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
  ui().StartButton->click();
  ASSERT_TRUE(warteBis([&] { return pv::hauptmodul().messdaten.m >= 10; }, 5000));
  takt.stop();
  ui().StopButton->click();
  pvtest::ereignisseFuer(300);

  EXPECT_FALSE(grafik->lblMesswert->text().isEmpty());
  const pv::Einstellungen& e = pv::hauptmodul().einstellungen;
  const QColor kurve = pv::farbe(e.Schemata[e.AktuellesSchema].FarbeMesskurve);
  EXPECT_GT(kurvenpunkte(grafik->GRAF->bild(), kurve.rgb()), 10);
  // The running x range starts at the recording's first extent.
  EXPECT_EQ(pv::hauptmodul().aufzeichnung.AutoXMax, 300.0f);
}

}  // namespace
