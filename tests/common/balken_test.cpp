#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <vector>

#include "common/balken.h"
#include "common/farben.h"

namespace {

// Two pixels per percent: unit u of the scale covers columns 2u and 2u + 1.
constexpr int kBreite = 200;
const QColor kKnopf(192, 192, 192);
const QColor kGruen(0, 255, 0);
const QColor kGelb(255, 255, 0);
const QColor kRot(255, 0, 0);
const QColor kLeer(1, 2, 3);  // what the picture held before

QImage neuesBild() {
  QImage bild(kBreite, 6, QImage::Format_RGB32);
  bild.fill(kLeer);
  return bild;
}

void pegel(QImage& bild, float wert) {
  QPainter maler(&bild);
  Tolvek::PegelMalen(maler, bild.rect(), wert, kKnopf);
}

// The colour of the bar in the percent unit u (checked in every row).
QColor einheit(const QImage& bild, int u) {
  const QColor oben = bild.pixelColor(2 * u, 0);
  for (int y = 1; y < bild.height(); ++y) EXPECT_EQ(bild.pixelColor(2 * u, y), oben) << "unit " << u;
  return oben;
}

struct PegelFall {
  const char* name;
  float wert;
  std::vector<std::pair<int, QColor>> erwartet;  // unit -> colour
};

TEST(PegelMalen, ZonenAnDenGrenzen) {
  const std::vector<PegelFall> faelle = {
      {"null_ist_ganz_knopfflaeche", 0, {{0, kKnopf}, {50, kKnopf}, {99, kKnopf}}},
      {"halb_gruen", 50, {{0, kGruen}, {49, kGruen}, {50, kKnopf}}},
      {"neunzig_nur_gruen", 90, {{87, kGruen}, {89, kGruen}, {90, kKnopf}}},
      {"ueber_neunzig_rampe_ab_88",
       90.5f,
       {{86, kGruen}, {88, kGruen}, {89, QColor(51, 255, 0)}, {90, QColor(102, 255, 0)}, {91, kKnopf}}},
      {"fuenfundneunzig_gelb_ohne_rot",
       95,
       {{91, QColor(153, 255, 0)}, {92, QColor(204, 255, 0)}, {93, kGelb}, {94, kGelb}, {95, kKnopf}}},
      {"ueber_fuenfundneunzig_rotband_ab_95",
       95.5f,
       {{89, QColor(51, 255, 0)}, {94, kGelb}, {95, kGelb}, {96, kKnopf}}},
      {"rotrampe",
       98.5f,
       {{86, kGruen}, {96, QColor(255, 204, 0)}, {97, QColor(255, 153, 0)}, {98, QColor(255, 102, 0)},
        {99, kKnopf}}},
      {"oberste_grenze_99_99", 99.99f, {{98, QColor(255, 102, 0)}, {99, QColor(255, 51, 0)}}},
      {"hundert_ganz_rot", 100, {{0, kRot}, {99, kRot}}},
      {"negativ_ganz_rot", -0.01f, {{0, kRot}, {99, kRot}}},
      {"weit_darueber_ganz_rot", 1e30f, {{0, kRot}, {99, kRot}}},
  };
  for (const auto& fall : faelle) {
    SCOPED_TRACE(fall.name);
    QImage bild = neuesBild();
    pegel(bild, fall.wert);
    for (const auto& [u, farbe] : fall.erwartet) EXPECT_EQ(einheit(bild, u), farbe) << "unit " << u;
  }
}

TEST(PegelMalen, StreifenVor88HaengtNichtVomVorigenWertAb) {
  // Coming from a low value, the strip from 85 to 88 must not keep the
  // button face the earlier call left there.
  QImage bild = neuesBild();
  pegel(bild, 20);
  pegel(bild, 91);
  for (int u = 84; u <= 88; ++u) EXPECT_EQ(einheit(bild, u), kGruen) << "unit " << u;
}

TEST(FortschrittMalen, VorderUndHintergrund) {
  const QColor vorn(0, 0, 128), hinten(255, 255, 255);
  struct Fall {
    const char* name;
    float wert;
    int ersteHinten;  // first unit in the background colour (100: none)
  };
  const std::vector<Fall> faelle = {
      {"null_nur_hintergrund", 0, 0},        {"vierzig", 40, 40},
      {"hundert_nur_vordergrund", 100, 100}, {"ueber_hundert_nur_vordergrund", 150, 100},
      {"negativ_nur_hintergrund", -5, 0},
  };
  for (const auto& fall : faelle) {
    SCOPED_TRACE(fall.name);
    QImage bild = neuesBild();
    QPainter maler(&bild);
    Tolvek::FortschrittMalen(maler, bild.rect(), fall.wert, vorn, hinten);
    maler.end();
    for (int u = 0; u < 100; ++u)
      ASSERT_EQ(einheit(bild, u), u < fall.ersteHinten ? vorn : hinten) << "unit " << u;
  }
}

TEST(Balkenanzeige, ZeichnetInsBildUndMerktDenWert) {
  pv::Balkenanzeige box;
  box.resize(kBreite, 8);
  Tolvek::PegelZeigen(&box, 92.5f, u',');
  EXPECT_EQ(box.Tag(), QStringLiteral("92,5"));
  EXPECT_FLOAT_EQ(box.Wert(), 92.5f);
  EXPECT_EQ(einheit(box.bild(), 10), kGruen);
  EXPECT_EQ(einheit(box.bild(), 93), box.Knopfflaeche());

  box.VordergrundSetzen(pv::farbe(0x00800000));  // dark blue
  Tolvek::FortschrittZeigen(&box, 30, u'.');
  EXPECT_EQ(box.Tag(), QStringLiteral("30"));
  EXPECT_EQ(einheit(box.bild(), 29), QColor(0, 0, 128));
  EXPECT_EQ(einheit(box.bild(), 30), box.Hintergrund());

  // The widget shows its picture.
  QImage bildschirm(box.size(), QImage::Format_RGB32);
  box.render(&bildschirm);
  EXPECT_EQ(bildschirm.pixelColor(10, 4), QColor(0, 0, 128));
}

TEST(Balkenanzeige, OhneBoxOderFlaecheGeschiehtNichts) {
  Tolvek::PegelZeigen(nullptr, 50, u',');
  Tolvek::FortschrittZeigen(nullptr, 50, u',');
  pv::Balkenanzeige box;
  box.resize(0, 0);
  Tolvek::PegelZeigen(&box, 12.25f, u',');
  EXPECT_TRUE(box.bild().isNull());
  EXPECT_EQ(box.Tag(), QStringLiteral("12,25"));
}

}  // namespace
