// The graph window's evaluations and mouse modes without the window.
#include "views/grafikauswertung.h"

#include <gtest/gtest.h>

#include <optional>

#include "common/laufzeitfehler.h"
#include "views/mausmodi.h"

namespace {

std::vector<float> reihe(std::initializer_list<float> werte) {
  std::vector<float> v{0.0f};
  v.insert(v.end(), werte);
  return v;
}

const pv::Zahlformat kSekunden{10, 2, u',', {}};
const pv::Zahlformat kFest{0, 0, u',', {}};

TEST(Grafikauswertung, EvaluationsCoverOnlyTheValuesInView) {
  const auto x = reihe({1, 2, 3, 4, 5});
  const auto y = reihe({3, 1, 4, 1, 5});
  const pv::Indexbereich alle = *pv::sichtbarerBereich(x, 5, 0, 10);
  EXPECT_EQ(pv::extremwerteText(pv::extremwerteSuchen(x, y, alle), kSekunden, kFest),
            QStringLiteral("Minimum: 1 an mehreren Stellen\r\nMaximum: 5 bei 5,00"));
  const pv::Indexbereich mitte = *pv::sichtbarerBereich(x, 5, 1.5f, 4);
  EXPECT_EQ(mitte.von, 2);
  EXPECT_EQ(mitte.bis, 4);
  EXPECT_FLOAT_EQ(pv::mittelwert(reihe({1, 2, 3, 4}), {1, 4}), 2.5f);
  // A view between two values, or beside all of them, holds none: no
  // evaluation of the whole measurement and no division by zero.
  EXPECT_FALSE(pv::sichtbarerBereich(x, 5, 2.2f, 2.8f));
  EXPECT_FALSE(pv::sichtbarerBereich(x, 5, 6, 9));
  EXPECT_FALSE(pv::sichtbarerBereich(x, 5, -3, 0.5f));
}

TEST(Grafikauswertung, SmoothingAveragesNeighboursAndShrinksAtTheEnds) {
  const auto y = reihe({1, 2, 3, 4, 5});
  EXPECT_EQ(pv::geglaettet(y, 5, 1), reihe({1.5f, 2, 3, 4, 4.5f}));
  EXPECT_EQ(pv::geglaettet(y, 5, 0), y);
  // Far beyond 16-bit indices.
  std::vector<float> lang(40001, 2.0f);
  lang[40000] = 8.0f;
  const std::vector<float> g = pv::geglaettet(lang, 40000, 1);
  EXPECT_FLOAT_EQ(g[40000], 5.0f);
  EXPECT_FLOAT_EQ(g[39999], 4.0f);
  // Small values after large ones keep their mean.
  EXPECT_FLOAT_EQ(pv::geglaettet(reihe({1e15f, 1e15f, 1e15f, 0.1f, 0.1f, 0.1f}), 6, 1)[5], 0.1f);
}

TEST(Grafikauswertung, AnswersOfTheInputBoxes) {
  EXPECT_EQ(pv::glaettungsbreiteLesen(QStringLiteral("2"), u','), 2);
  EXPECT_EQ(pv::glaettungsbreiteLesen(QStringLiteral("-1"), u','), std::nullopt);
  EXPECT_EQ(pv::glaettungsbreiteLesen(QStringLiteral("abc"), u','), std::nullopt);
  EXPECT_THROW(pv::glaettungsbreiteLesen(QStringLiteral("40000"), u','), pv::Laufzeitfehler);
  EXPECT_EQ(pv::schrittweiteLesen(QStringLiteral("2,6"), u','), 3);
  EXPECT_EQ(pv::schrittweiteLesen(QStringLiteral("abc"), u','), std::nullopt);

  struct Fall {
    const char* name;
    const char* text;
    std::optional<QSize> groesse;
  };
  const Fall faelle[] = {
      {"accepted", "800;600", QSize(800, 600)},
      {"rounded", "100,4;4000", QSize(100, 4000)},
      {"too narrow", "99;600", std::nullopt},
      {"too high", "800;4001", std::nullopt},
      {"no separator", "800", std::nullopt},
      {"no number", "800;x", std::nullopt},
      {"beyond 16 bits", "70000;600", std::nullopt},
  };
  for (const Fall& f : faelle)
    EXPECT_EQ(pv::bildgroesseLesen(QString::fromUtf8(f.text), u','), f.groesse) << f.name;
}

TEST(Grafikauswertung, IntegralInTheTimeUnitOfTheAxis) {
  const auto x = reihe({0, 1, 2});
  const auto y = reihe({1, 1, 3});
  const float s = pv::integral(x, y, 1, 3);
  EXPECT_FLOAT_EQ(s, 3.0f);
  EXPECT_FLOAT_EQ(pv::integral(x, y, 2, 2), 0.0f);
  EXPECT_EQ(pv::integralText(s, 10, 0, 2, QStringLiteral("V"), u',', {}), QStringLiteral("Integral: 3,00 V*s"));
  EXPECT_EQ(pv::integralText(s, 11, 0, 2, QStringLiteral("V"), u',', {}), QStringLiteral("Integral: 0,05 V*min"));
  EXPECT_EQ(pv::integralText(s * 3600, 15, 4, 1, QStringLiteral("V"), u',', {}),
            QStringLiteral("Integral: 3000,0 mV*h"));
}

// Values at 0, 2 and 4 s; the last drawing showed 0..4 by 0..10.
class Mausmodi : public ::testing::Test {
 protected:
  Mausmodi() {
    k.x = &x;
    k.y = &y;
    k.m = 3;
    k.gezeichnet = {0, 4, 0, 10};
    k.yMin = 0;
    k.yMax = 10;
    k.fx = kSekunden;
    k.fy = kFest;
    k.einheit = QStringLiteral("V");
    k.nachkommastellen = 2;
  }
  std::vector<float> x = reihe({0, 2, 4});
  std::vector<float> y = reihe({1, 5, 9});
  pv::Mauskontext k;
  pv::Mausmodi maus;
};

TEST_F(Mausmodi, TheZoomRectangleGrowsRightAndDownWhicheverWayItIsDragged) {
  maus.modusWaehlen(pv::Mausmodus::Zoom, 3);
  maus.druecken(pv::kMausLinks, {10, 5}, k);
  const pv::Mausergebnis e = maus.bewegen(pv::kMausLinks, {4, 2}, k);
  EXPECT_EQ(maus.zoom.x1, 10);
  EXPECT_EQ(maus.zoom.x2, 16);
  EXPECT_EQ(maus.zoom.y1, 5);
  EXPECT_EQ(maus.zoom.y2, 2);
  EXPECT_EQ(*e.meldung, QStringLiteral("Zoom-Bereich: (x1;y1)-(x2;y2) = (10,00; 5) - (16,00; 2)"));
  EXPECT_TRUE(maus.loslassen(pv::kMausLinks, k).zoomen);

  // Esc held at the release: no zoom, the rectangle goes.
  maus.druecken(pv::kMausLinks, {1, 1}, k);
  maus.EscGedrueckt = true;
  EXPECT_FALSE(maus.loslassen(pv::kMausLinks, k).zoomen);
  EXPECT_FALSE(maus.ueberlagerung.rechteckSichtbar);
}

TEST_F(Mausmodi, TheCrossHairSnapsToTheNextValueRightOfThePointer) {
  struct Fall {
    float klick;
    const char* text;
  };
  // Right of the last value it stays on the last value.
  for (const Fall& f : {Fall{2.0f, "(4,00; 9)"}, Fall{1.9f, "(2,00; 5)"}, Fall{7.0f, "(4,00; 9)"}}) {
    const pv::Mausergebnis e = maus.druecken(pv::kMausLinks, {f.klick, 3}, k);
    EXPECT_EQ(*e.meldung, QStringLiteral("Koordinaten: (x;y) = ") + QString::fromUtf8(f.text)) << f.klick;
  }
  maus.einrasten = false;
  maus.druecken(pv::kMausLinks, {1, -2}, k);
  EXPECT_EQ(maus.ueberlagerung.zeigerV, QLineF(1, -2, 1, 10));
}

TEST_F(Mausmodi, TheIntegralRunsFromTheFirstToTheSecondClick) {
  maus.modusWaehlen(pv::Mausmodus::Integral, 3);
  // A start right of the last value sets no start.
  maus.druecken(pv::kMausLinks, {5, 0}, k);
  EXPECT_EQ(maus.IntegralSchritt, 1);
  EXPECT_FALSE(maus.ueberlagerung.integralLinie);

  maus.druecken(pv::kMausLinks, {-1, 0}, k);
  EXPECT_EQ(maus.IntegralSchritt, 2);
  const pv::Mausergebnis e = maus.druecken(pv::kMausLinks, {9, 0}, k);
  EXPECT_EQ(*e.meldung, QStringLiteral("Integral: 20,00 V*s"));
  EXPECT_EQ(maus.ueberlagerung.schraffur.size(), 3u);
  // A second click left of the start computes nothing; the hatching is gone.
  maus.IntegralVon = 2;
  EXPECT_FALSE(maus.druecken(pv::kMausLinks, {1, 0}, k).meldung);
  EXPECT_TRUE(maus.ueberlagerung.schraffur.empty());
}

}  // namespace
