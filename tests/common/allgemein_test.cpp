#include "common/allgemein.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

#include <limits>

#include "common/laufzeitfehler.h"
#include "common/tolvek.h"
#include "support/testhilfe.h"

namespace {

using namespace Tolvek;

// ---------------------------------------------------------------- IndexSuchen

struct SuchFall {
  const char* name;
  std::vector<float> a;  // element 0 unused
  float v;
  const char* vergleich;
  const char* richtung;
  std::optional<int32_t> erwartet;
};

void PrintTo(const SuchFall& f, std::ostream* os) { *os << f.name; }

class IndexSuchenTest : public ::testing::TestWithParam<SuchFall> {};

TEST_P(IndexSuchenTest, Tabelle) {
  const SuchFall& f = GetParam();
  EXPECT_EQ(IndexSuchen(f.a, f.v, QString::fromLatin1(f.vergleich), QString::fromLatin1(f.richtung)),
            f.erwartet);
}

const std::vector<float> kAuf = {99, 1, 2, 3, 4};
const std::vector<float> kAb = {-99, 4, 3, 2, 1};

INSTANTIATE_TEST_SUITE_P(
    Allgemein, IndexSuchenTest,
    ::testing::Values(
        SuchFall{"KleinerZwischenwertGibtDenNaechstGroesseren", kAuf, 2.5f, "<", "<", 3},
        SuchFall{"GroesserZwischenwertGibtDenNaechstKleineren", kAuf, 2.5f, ">", "<", 2},
        SuchFall{"GroesserTrefferGibtDenTreffer", kAuf, 2.0f, ">", "<", 2},
        SuchFall{"KleinerHinterDemEndeGibtEins", kAuf, 9.0f, "<", "<", 1},
        SuchFall{"GroesserHinterDemEndeGibtN", kAuf, 9.0f, ">", "<", 4},
        SuchFall{"GroesserVorDemAnfangGibtNull", kAuf, 0.0f, ">", "<", 0},
        SuchFall{"GleichOhneTrefferGibtNichts", kAuf, 2.5f, "=", "<", std::nullopt},
        SuchFall{"GleichMitTreffer", kAuf, 3.0f, "=", "<", 3},
        SuchFall{"ElementNullWirdNieAngesehen", kAuf, 99.0f, "=", "<", std::nullopt},
        SuchFall{"AbsteigendKleiner", kAb, 2.5f, "<", ">", 3},
        SuchFall{"AbsteigendGroesser", kAb, 2.5f, ">", ">", 2},
        SuchFall{"AbsteigendGroesserTreffer", kAb, 3.0f, ">", "", 2},
        SuchFall{"UnbekannterVergleichGibtNichts", kAuf, 2.0f, "<=", "<", std::nullopt},
        SuchFall{"NurElementNullKleinerGibtEins", {5}, 1.0f, "<", "<", 1},
        SuchFall{"NurElementNullGroesserGibtNull", {5}, 1.0f, ">", "<", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IndexSuchen, LeeresFeldWirftLaufzeitfehler) {
  try {
    IndexSuchen({}, 1.0f, QStringLiteral("<"), QStringLiteral("<"));
    FAIL() << "kein Fehler";
  } catch (const pv::Laufzeitfehler& e) {
    EXPECT_EQ(e.nummer(), 9);
  }
}

// ---------------------------------------------------------------- Maximum / Minimum

TEST(MaximumMinimum, Grenzfaelle) {
  EXPECT_EQ(Maximum(3, 3), 3.0f);
  EXPECT_EQ(Minimum(3, 3), 3.0f);
  EXPECT_EQ(Maximum(2, 7.5), 7.5f);
  EXPECT_EQ(Minimum(2, 7.5), 2.0f);
  EXPECT_EQ(Minimum(int16_t{-4}, -4.5f), -4.5f);
  // The result is single precision even for a double argument.
  EXPECT_EQ(Maximum(0.1, 0), 0.1f);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(Maximum(nan, 2), 2.0f);
  EXPECT_EQ(Minimum(2, nan), 2.0f);
}

// ---------------------------------------------------------------- TaskleisteAbfragen

TEST(TaskleisteAbfragen, SchluesselwortGetrimmtUndOhneGrossKlein) {
  const QRect unten(0, 738, 1024, 30);
  for (const char* wort : {"ALIGN", "align", "  Align ", "\talign"}) {
    EXPECT_EQ(TaskleisteAbfragen(QString::fromLatin1(wort), unten), 4) << wort;
  }
  EXPECT_EQ(TaskleisteAbfragen(QStringLiteral(" top"), unten), 738);
  EXPECT_EQ(TaskleisteAbfragen(QStringLiteral("height "), unten), 30);
  EXPECT_EQ(TaskleisteAbfragen(QStringLiteral("Width"), unten), 1024);
  EXPECT_EQ(TaskleisteAbfragen(QString(), unten), 0);
  EXPECT_EQ(TaskleisteAbfragen(QStringLiteral("BOTTOM"), unten), 0);
}

TEST(TaskleisteAbfragen, AlignNachLage) {
  struct Fall {
    const char* name;
    QRect leiste;
    int32_t align;
  };
  const Fall faelle[] = {
      {"links", QRect(0, 0, 60, 768), 1},
      {"rechts", QRect(964, 0, 60, 768), 2},
      {"oben", QRect(0, 0, 1024, 30), 3},
      {"unten", QRect(0, 738, 1024, 30), 4},
      {"quadratischInDerEcke", QRect(0, 0, 40, 40), 0},
      {"keine", QRect(), 0},
      {"schwebend", QRect(100, 100, 200, 30), 0},
      {"ausserhalbLinksOben", QRect(-2, -2, 1028, 32), 3},
  };
  for (const Fall& f : faelle) {
    EXPECT_EQ(TaskleisteAbfragen(QStringLiteral("ALIGN"), f.leiste), f.align) << f.name;
  }
}

TEST(TaskleisteAbfragen, LeisteAusBildschirmUndVerfuegbaremBereich) {
  const QRect bildschirm(0, 0, 1024, 768);
  struct Fall {
    const char* name;
    QRect verfuegbar;
    QRect leiste;
    int32_t align;
  };
  const Fall faelle[] = {
      {"unten", QRect(0, 0, 1024, 738), QRect(0, 738, 1024, 30), 4},
      {"oben", QRect(0, 30, 1024, 738), QRect(0, 0, 1024, 30), 3},
      {"links", QRect(60, 0, 964, 768), QRect(0, 0, 60, 768), 1},
      {"rechts", QRect(0, 0, 964, 768), QRect(964, 0, 60, 768), 2},
      {"keine", bildschirm, QRect(), 0},
  };
  for (const Fall& f : faelle) {
    const QRect leiste = TaskleisteAusBildschirm(bildschirm, f.verfuegbar);
    EXPECT_EQ(leiste, f.leiste) << f.name;
    EXPECT_EQ(TaskleisteAbfragen(QStringLiteral("ALIGN"), leiste), f.align) << f.name;
  }
  // A second screen to the right: positions count from its own corner.
  EXPECT_EQ(TaskleisteAusBildschirm(QRect(1024, 0, 800, 600), QRect(1024, 0, 800, 570)),
            QRect(0, 570, 800, 30));
}

TEST(ArbeitsbereichErmitteln, KommtVomPrimaerenBildschirm) {
  pvtest::Programmumgebung u;
  ArbeitsbereichErmitteln();
  const QScreen* bildschirm = QGuiApplication::primaryScreen();
  ASSERT_NE(bildschirm, nullptr);
  EXPECT_EQ(zustand().Arbeitsbereich, bildschirm->availableGeometry());
  EXPECT_FALSE(zustand().Arbeitsbereich.isEmpty());
}

// ---------------------------------------------------------------- Warten

TEST(Warten, NullUndNegativKehrenSofortZurueckOhneEreignisse) {
  bool gefeuert = false;
  QTimer::singleShot(0, [&] { gefeuert = true; });
  Warten(0);
  Warten(-5);
  Warten(std::numeric_limits<float>::quiet_NaN());
  EXPECT_FALSE(gefeuert);
  QCoreApplication::processEvents();  // leave no timer behind
  EXPECT_TRUE(gefeuert);
}

TEST(Warten, VerarbeitetEreignisseUndWartetMindestensDieZeit) {
  bool gefeuert = false;
  QTimer::singleShot(0, [&] { gefeuert = true; });
  QElapsedTimer uhr;
  uhr.start();
  Warten(50);
  EXPECT_TRUE(gefeuert);
  EXPECT_GE(uhr.elapsed(), 50);
  // Fractions of a millisecond are not cut off.
  uhr.restart();
  Warten(1.5f);
  EXPECT_GE(uhr.nsecsElapsed(), 1'500'000);
}

// ---------------------------------------------------------------- DateiOeffnen

TEST(DateiOeffnen, ErgebnisAusPfadUndErfolg) {
  pvtest::Programmumgebung u;
  u.schreibe(QStringLiteral("da.xyz"), "x");
  const QString da = u.pfad(QStringLiteral("da.xyz"));
  EXPECT_EQ(DateiOeffnenErgebnis(da, true), kDateiGeoeffnet);
  EXPECT_EQ(DateiOeffnenErgebnis(da, false), kDateiNichtZugeordnet);
  EXPECT_EQ(DateiOeffnenErgebnis(QString(), false), kDateiNichtGefunden);

  // Missing files never reach the desktop launcher; the box says why.
  EXPECT_EQ(DateiOeffnen(u.pfad(QStringLiteral("kein/Ordner/x.txt"))), kPfadNichtGefunden);
  EXPECT_EQ(DateiOeffnen(u.pfad(QStringLiteral("fehlt.txt"))), kDateiNichtGefunden);
  ASSERT_EQ(u.meldungen.boxen.size(), 2u);
  EXPECT_EQ(u.meldungen.boxen[0].text, QStringLiteral("Pfad wurde nicht gefunden"));
  EXPECT_EQ(u.meldungen.boxen[1].text, QStringLiteral("Datei wurde nicht gefunden"));
  EXPECT_EQ(u.meldungen.boxen[1].titel, QStringLiteral("Fehler"));
  EXPECT_EQ(u.meldungen.boxen[1].symbol, pv::Symbol::Information);
  EXPECT_EQ(DateiOeffnenMeldung(kDateiNichtZugeordnet), QStringLiteral("Datei ist nicht Assizoiert"));
}

// ---------------------------------------------------------------- Hilfe

TEST(HilfeAnzeigen, OhneHilfedateiFuenfZeilen) {
  pvtest::Programmumgebung u;
  HilfeAnzeigen(100);
  ASSERT_EQ(u.meldungen.boxen.size(), 1u);
  const auto& box = u.meldungen.boxen[0];
  const QStringList zeilen = box.text.split(QStringLiteral("\r\n"));
  ASSERT_EQ(zeilen.size(), 5);
  EXPECT_EQ(zeilen[0], QStringLiteral("Es wurde keine Hilfedatei gefunden!"));
  EXPECT_EQ(zeilen[2], QStringLiteral("   ") + kWebseite + QStringLiteral(" "));
  EXPECT_EQ(zeilen[4], QStringLiteral("   ") + kSupportEmail);
  EXPECT_EQ(box.titel, pv::kAnwendungstitel);
  EXPECT_EQ(box.knoepfe, pv::Knoepfe::Ok);
}

}  // namespace
