#include <gtest/gtest.h>

#include <QImage>
#include <QSet>
#include <vector>

#include "common/leds.h"

namespace {

// What the widget shows on a container filled with a marker colour.
const QColor kContainer(255, 0, 255);
QImage zeigen(pv::LEDs& led) {
  QImage bild(led.size(), QImage::Format_RGB32);
  bild.fill(kContainer);
  led.render(&bild, {}, {}, QWidget::DrawChildren);
  return bild;
}

TEST(LEDWertBegrenzen, TextZahlGrenzenRundung) {
  struct Fall {
    const char* name;
    QVariant wert;
    int16_t obergrenze;
    int16_t erwartet;
  };
  const std::vector<Fall> faelle = {
      {"style_7_wird_4", 7, pv::kLEDStyleMax, 4},
      {"style_minus_2_wird_0", -2, pv::kLEDStyleMax, 0},
      {"color_als_text", QStringLiteral("2"), pv::kLEDColorMax, 2},
      {"text_mit_fuehrender_zahl", QStringLiteral("3 Lampen"), pv::kLEDColorMax, 3},
      {"text_ohne_zahl_wird_0", QStringLiteral("rot"), pv::kLEDColorMax, 0},
      {"status_halb_wird_0", 0.5, pv::kLEDStatusMax, 0},
      {"status_1_5_erst_begrenzt", 1.5, pv::kLEDStatusMax, 1},
      {"zweieinhalb_zur_geraden", 2.5, pv::kLEDStyleMax, 2},
      {"dreieinhalb_zur_geraden", 3.5, pv::kLEDStyleMax, 4},
      {"riesig_mit_exponent", 1e20, pv::kLEDStyleMax, 4},
  };
  for (const auto& fall : faelle)
    EXPECT_EQ(pv::LEDWertBegrenzen(fall.wert, fall.obergrenze), fall.erwartet) << fall.name;
}

TEST(LEDBilder, VierzigEigeneBilderNachNummer) {
  const QList<QImage>& bilder = pv::LEDStandardbilder();
  ASSERT_EQ(bilder.size(), 40);
  const QSize groesse[5] = {{11, 11}, {11, 11}, {12, 11}, {12, 11}, {11, 12}};
  for (int s = 0; s <= 4; ++s)
    for (int c = 0; c <= 3; ++c)
      for (int st = 0; st <= 1; ++st) {
        const int n = pv::LEDBildnummer(s, c, st);
        ASSERT_EQ(n, s * 8 + c * 2 + st);
        EXPECT_EQ(bilder[n].size(), groesse[s]) << n;
      }
  for (int a = 0; a < 40; ++a)
    for (int b = a + 1; b < 40; ++b) EXPECT_NE(bilder[a], bilder[b]) << a << " " << b;
}

TEST(LEDBilder, HauptfarbenUndTransparenz) {
  struct Fall {
    const char* name;
    int nummer;
    QPoint punkt;
    QColor farbe;  // alpha 0: transparent
  };
  const std::vector<Fall> faelle = {
      {"rund_gruen_aus_mitte", 0, {5, 5}, QColor(0, 160, 0)},
      {"rund_gruen_an_mitte", 1, {5, 5}, QColor(32, 255, 32)},
      {"rund_ecke_transparent", 3, {0, 0}, QColor(0, 0, 0, 0)},
      {"eckig_orange_an", 15, {5, 5}, QColor(255, 153, 0)},
      {"dreieck_links_blau_aus", 20, {8, 5}, QColor(0, 0, 153)},
      {"dreieck_links_spitze_links", 20, {0, 0}, QColor(0, 0, 0, 0)},
      {"dreieck_rechts_spitze_rechts", 28, {11, 0}, QColor(0, 0, 0, 0)},
      {"balken_rahmen_weiss", 32, {0, 0}, QColor(Qt::white)},
      {"balken_oben_hell", 32, {5, 1}, QColor(40, 200, 40)},
      {"balken_unten_dunkel", 32, {5, 10}, QColor(16, 80, 16)},
      {"balken_rot_an_oben", 35, {5, 1}, QColor(255, 144, 144)},
  };
  for (const auto& fall : faelle) {
    const QColor ist = pv::LEDStandardbilder()[fall.nummer].pixelColor(fall.punkt);
    if (fall.farbe.alpha() == 0)
      EXPECT_EQ(ist.alpha(), 0) << fall.name;
    else
      EXPECT_EQ(ist, fall.farbe) << fall.name;
  }
}

TEST(LEDs, StatusWechseltDieHelligkeitNichtDieGroesse) {
  pv::LEDs led;
  led.Init(0, 0, 0, false);
  EXPECT_EQ(led.size(), QSize(11, 11));
  EXPECT_EQ(zeigen(led).pixelColor(5, 5), QColor(0, 160, 0));
  led.StatusSetzen(1);
  EXPECT_EQ(led.Status(), 1);
  EXPECT_EQ(led.size(), QSize(11, 11));
  EXPECT_EQ(zeigen(led).pixelColor(5, 5), QColor(32, 255, 32));
}

TEST(LEDs, PasstSichDerBildgroesseAn) {
  pv::LEDs led;
  led.StyleSetzen(1);
  EXPECT_EQ(led.size(), QSize(11, 11));
  led.StyleSetzen(2);
  EXPECT_EQ(led.size(), QSize(12, 11));
  led.StyleSetzen(QStringLiteral("9"));
  EXPECT_EQ(led.Style(), 4);
  EXPECT_EQ(led.size(), QSize(11, 12));
}

TEST(LEDs, TransparenzZeigtDenContainer) {
  pv::LEDs led;
  led.Init(0, 1, 1, true);
  EXPECT_EQ(zeigen(led).pixelColor(0, 0), kContainer);
  led.TransparentSetzen(false);
  EXPECT_EQ(zeigen(led).pixelColor(0, 0), led.palette().color(led.backgroundRole()));
  EXPECT_EQ(zeigen(led).pixelColor(5, 5), QColor(255, 0, 0));
}

TEST(LEDs, WertAusserhalbDesBereichsZeichntNichts) {
  struct Fall {
    const char* name;
    int16_t style, color, status;
  };
  const std::vector<Fall> faelle = {
      {"style_5", 5, 0, 0}, {"style_negativ", -1, 0, 0}, {"color_4", 0, 4, 0},
      {"status_2", 4, 3, 2}, {"status_negativ", 0, 0, -1},
  };
  for (const auto& fall : faelle) {
    pv::LEDs led;
    led.Init(fall.style, fall.color, fall.status, true);
    EXPECT_TRUE(led.Bild().isNull()) << fall.name;
    const QImage bild = zeigen(led);
    for (int y = 0; y < bild.height(); ++y)
      for (int x = 0; x < bild.width(); ++x) ASSERT_EQ(bild.pixelColor(x, y), kContainer) << fall.name;
  }
  // A picture set shorter than the table: the missing ones show nothing too.
  pv::LEDs led;
  led.BilderSetzen(pv::LEDStandardbilder().mid(0, 8));
  led.Init(0, 3, 1, false);
  EXPECT_FALSE(led.Bild().isNull());
  led.StyleSetzen(1);
  EXPECT_TRUE(led.Bild().isNull());
}

TEST(LEDs, Eigenschaftsbeutel) {
  pv::LEDs led;
  led.Init(0, 0, 0, true);
  QVariantMap beutel{{QStringLiteral("Style"), 3}};
  led.EigenschaftenSchreiben(beutel);
  EXPECT_TRUE(beutel.isEmpty()) << "defaults need not be stored";

  led.ColorSetzen(3);
  led.TransparentSetzen(false);
  led.EigenschaftenSchreiben(beutel);
  pv::LEDs neu;
  neu.EigenschaftenLesen(beutel);
  EXPECT_EQ(neu.Color(), 3);
  EXPECT_FALSE(neu.Transparent());
  EXPECT_EQ(zeigen(neu).pixelColor(5, 5), QColor(200, 136, 8));

  // Missing names read as their defaults; values are taken as stored.
  neu.EigenschaftenLesen({{QStringLiteral("Style"), 9}});
  EXPECT_EQ(neu.Style(), 9);
  EXPECT_EQ(neu.Color(), 0);
  EXPECT_TRUE(neu.Transparent());
  EXPECT_TRUE(neu.Bild().isNull());
}

}  // namespace
