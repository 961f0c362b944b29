// The graph window itself: its start-up after a failure, a running recording
// that draws into it, and its connection to the main window.
#include "views/grafikfenster.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <stdexcept>

#include "acquisition/speichern.h"
#include "ansichten_testhilfe.h"
#include "common/farben.h"
#include "main/datenauswertung.h"
#include "main/form1.h"
#include "main/programm.h"
#include "views/ansichtenzustand.h"
#include "views/verdrahtung.h"

namespace {

constexpr uint32_t kRot = 0x0000FF;  // 0x00BBGGRR

// The recording control, as far as storing a value calls it.
struct StilleAufnahme : pv::Aufzeichnungsziel {
  void StopButton_Click() override {}
  void ZwischenSpeichern() override {}
  void Sicherheitsdatei() override {}
  void MessungBeendetMelden() override {}
  void MessungAbbrechen(const QString&, int, const QString&) override {}
  void AnzahlSetzen(const QString&) override {}
  QString EndeText() const override { return {}; }
  void EndeTextSetzen(const QString&) override {}
};

int pixelDerFarbe(const QImage& bild, QRgb farbe) {
  int n = 0;
  for (int y = 0; y < bild.height(); ++y)
    for (int x = 0; x < bild.width(); ++x) n += bild.pixel(x, y) == farbe;
  return n;
}

class Grafikfenster : public ::testing::Test {
 protected:
  Grafikfenster() {
    pv::Einstellungen& e = pv::hauptmodul().einstellungen;
    pv::DarstellungsSchema& s = e.Schemata[1];
    s = {1, 3, 1, 1, 0xFFFFFF, 0xF0F0F0, 0x000000, kRot};
    e.AktuellesSchema = 1;
    e.MesswerteVerbunden = e.MesspunkteAnzeigen = 1;
    pv::grafikParameterAusEinstellungen(e);
  }
  ~Grafikfenster() override { pv::ansichtenzustand() = pv::Ansichtenzustand{}; }

  pvtest::Ansichtenumgebung umgebung;
};

TEST_F(Grafikfenster, AFailedStartUpIsReportedAndTheWindowStillDraws) {
  pv::FormGRAFIK fenster;
  fenster.ladeschritt = [](int schritt) {
    if (schritt == 5) throw std::runtime_error("Testfehler");
  };
  fenster.Zeigen();
  ASSERT_EQ(umgebung.programm.meldungen.boxen.size(), 1u);
  EXPECT_TRUE(umgebung.programm.meldungen.boxen[0].text.contains(QStringLiteral("'FormGrafik -> FormLoad ID:5'")));
  EXPECT_FALSE(fenster.ladenLaeuft());
  EXPECT_TRUE(fenster.Offen());
  EXPECT_TRUE(fenster.isVisible());

  pvtest::Ansichtenumgebung::messungMit(20);
  fenster.NeuButton_Click();
  EXPECT_EQ(fenster.LabelMultiF->text(), QString());
  EXPECT_EQ(fenster.TextMaximumX->text(), QStringLiteral("10,00"));
  EXPECT_TRUE(fenster.GRAF->flaeche().hatSkala());
  EXPECT_GT(pixelDerFarbe(fenster.GRAF->bild(), pv::farbe(kRot).rgb()), 0);
}

TEST_F(Grafikfenster, ARunningRecordingWidensTheXRangeAndAddsItsPoints) {
  pv::FormGRAFIK fenster;
  ASSERT_EQ(pv::ansichten().grafik, &fenster);
  pv::Hauptmodul& h = pv::hauptmodul();
  const QDateTime start(QDate(2024, 3, 5), QTime(14, 0, 0));
  h.MessungLaeuft = h.AufzeichnungAktiv = true;
  h.aufzeichnung.starten(start, h.XMaxStart);
  fenster.Zeigen();

  StilleAufnahme aufnahme;
  const auto speichern = [&](int sekunden, float wert) {
    pv::Speichereinstellungen e;
    e.XZahlenformatnummer = 10;
    e.XNachkommastellen = 2;
    pv::grafikWerteUebernehmen(e);
    pv::WertSpeichern(wert, start.addSecs(sekunden), h.messdaten, h.aufzeichnung, e, QString(), aufnahme,
                      pv::ansichten());
  };
  speichern(0, 1.5f);
  EXPECT_EQ(fenster.TextMaximumX->text(), QStringLiteral("300,00"));
  EXPECT_EQ(pv::grafikParameter().XMax, 300.0f);

  // Inside the drawn range the value is added without a redraw, as a red dot
  // where the last drawing put that value.
  const QImage vorher = fenster.GRAF->bild();
  speichern(150, 1.0f);
  const QImage& bild = fenster.GRAF->bild();
  EXPECT_NE(bild, vorher);
  const QPoint punkt = fenster.GRAF->flaeche().zuPixel(150, 1.0).toPoint();
  EXPECT_EQ(bild.pixel(punkt), pv::farbe(kRot).rgb());

  speichern(301, 1.2f);
  EXPECT_EQ(h.aufzeichnung.AutoXMax, 360.0f);
  EXPECT_EQ(fenster.TextMaximumX->text(), QStringLiteral("360,00"));
  EXPECT_EQ(pv::grafikParameter().XMax, 360.0f);
  EXPECT_EQ(h.aufzeichnung.GrafikNeuZeichnen, 0);
  EXPECT_GT(pixelDerFarbe(fenster.GRAF->bild(), pv::farbe(kRot).rgb()), 10);
  EXPECT_GT(pixelDerFarbe(fenster.GRAF->bild(), qRgb(0, 0, 0)), 100);  // texts, axes, grid
}

TEST_F(Grafikfenster, TheMainWindowOpensItAndTheSettingsGetItsRecordBack) {
  pv::Programm programm(QStringList{QStringLiteral("pelvaron")}, QLocale(QLocale::German), [] {});
  pv::Form1& f = programm.form1();
  pv::steuerelemente(f).TextMessBezeichnung->setText(QStringLiteral("Abkühlung"));
  pv::ansichtenAnschliessen(programm);
  ASSERT_TRUE(f.MGrafik->isEnabled());

  pvtest::Ansichtenumgebung::messungMit(4);
  f.MGrafik->trigger();
  auto* fenster = dynamic_cast<pv::FormGRAFIK*>(pv::ansichten().grafik);
  ASSERT_NE(fenster, nullptr);
  EXPECT_TRUE(fenster->isVisible());
  fenster->NeuButton_Click();
  EXPECT_EQ(pv::grafikParameter().Titel, QStringLiteral("Abkühlung"));
  EXPECT_EQ(programm.datenauswertung().speichereinstellungen().XMax, pv::grafikParameter().XMax);

  pv::grafikParameter().MinMaxAutoX = false;
  pv::grafikParameter().XMin = 7;
  f.ProgrammBeenden();
  EXPECT_FALSE(pv::hauptmodul().einstellungen.MinMaxAutoX);
  EXPECT_EQ(pv::hauptmodul().einstellungen.XMin, 7.0f);
}

}  // namespace
