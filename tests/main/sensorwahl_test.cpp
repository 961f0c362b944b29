// The sensor processing through the whole program: the stored choice is
// loaded at start-up, records are converted through the characteristic,
// the exit keeps the choice.
#include "main/sensorwahl.h"

#include <QPushButton>
#include <QRadioButton>

#include "acquisition/auswertung.h"
#include "devices/sensordatei.h"
#include "programm_mit_geraet.h"

namespace {

using pvtest::kAutomatisch;
using pvtest::warteBis;

const QByteArray kLinear = "[Pelvaron Sensordatei]\r\nLinear\r\nU\tT\r\n0\t0\r\n10\t100\r\n";

class Sensorwahl : public pvtest::ProgrammMitGeraet {
 protected:
  void SetUp() override {
    ProgrammMitGeraet::SetUp();
    pv::sensorZustand() = pv::SensorZustand{};
    mitschreiben = false;
    u.schreibe(QStringLiteral("lin.pvf"), kLinear);
  }
  static void sensorGewaehlt(pv::Einstellungen& e, const QString& datei) {
    e.Messwertverarbeitung = 3;
    e.Sensordatei = datei;
    e.Sensorname = QStringLiteral("alt");
    e.DisplayanzeigeAuswahl = 0;  // the processed value is shown
  }
  pv::Hauptmodul& h() { return pv::hauptmodul(); }
};

TEST_F(Sensorwahl, StoredSensorIsLoadedConvertsRecordsAndSurvivesARestart) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch, 5,
          [](pv::Einstellungen& e) { sensorGewaehlt(e, QStringLiteral("lin.pvf")); });
  EXPECT_TRUE(ui().OptionFuehler->isChecked());
  EXPECT_EQ(ui().LabelFuehler->text(), QStringLiteral("Linear"));
  EXPECT_EQ(pv::sensorZustand().Sensor.Anzahl, 2);

  ui().StartButton->click();
  ASSERT_TRUE(h().MessungLaeuft);
  pty.senden("DC  2.5 V\r");
  ASSERT_TRUE(warteBis([&] { return h().messdaten.m == 1; }));
  EXPECT_EQ(h().messdaten.y[1], 25.0f);
  pty.senden("DC  10.5 V\r");
  ASSERT_TRUE(warteBis([&] { return status() == pv::kSensorUeberschritten; }));
  EXPECT_EQ(ui().LabelMesswert->text(), pv::kKeinWert);
  EXPECT_EQ(h().messdaten.m, 1) << "nothing stored above the curve";
  ui().StopButton->click();

  u.meldungen.antworten.push_back(pv::Antwort::Ja);  // leave the unsaved value
  programm->ProgrammBeenden();
  const QByteArray ini = u.lies(QStringLiteral("Pelvaron.ini"));
  EXPECT_TRUE(ini.contains("\r\nSensordatei=lin.pvf\r\n")) << ini.constData();
  EXPECT_TRUE(ini.contains("\r\nSensorname=Linear\r\n"));

  pv::sensorZustand() = pv::SensorZustand{};
  programm = std::make_unique<pv::Programm>(QStringList{QStringLiteral("pelvaron")}, QLocale(QLocale::German), [] {});
  ASSERT_TRUE(programm->FormLaden());
  EXPECT_TRUE(ui().OptionFuehler->isChecked());
  EXPECT_EQ(ui().LabelFuehler->text(), QStringLiteral("Linear"));
  EXPECT_EQ(pv::sensorZustand().Sensor.Y, (std::vector<float>{0, 0, 100}));
}

TEST_F(Sensorwahl, LabelNamesTheLoadedSensorEvenWithoutADesignation) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch, 5,
          [](pv::Einstellungen& e) { sensorGewaehlt(e, QStringLiteral("lin.pvf")); });
  ASSERT_EQ(ui().LabelFuehler->text(), QStringLiteral("Linear"));
  u.schreibe(QStringLiteral("ohne.pvf"), "[Pelvaron Sensordatei]\r\n\r\nU\tT\r\n0\t0\r\n1\t2\r\n");
  pv::sensorZustand().Sensordatei = QStringLiteral("ohne.pvf");
  ui().OptionMWMessgeraet->setChecked(true);
  ui().OptionFuehler->setChecked(true);
  EXPECT_EQ(pv::sensorZustand().Sensor.Y, (std::vector<float>{0, 0, 2}));
  EXPECT_EQ(ui().LabelFuehler->text(), QString());
}

TEST_F(Sensorwahl, UnreadableFileOpensTheEditorWhichChoosesTheOption) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch);
  QStringList geoeffnet;
  bool uebernehmen = false;
  programm->sensorwahl().editorZeigen = [&](const QString& label) {
    geoeffnet << label;
    if (uebernehmen) pv::sensorZustand().Sensorname = QStringLiteral("Neu");
    return uebernehmen;
  };
  pv::sensorZustand().Sensordatei = QStringLiteral("weg.pvf");
  ui().OptionFuehler->setChecked(true);
  EXPECT_EQ(geoeffnet, QStringList{QString()}) << "the factory settings name no sensor";

  // A foreign file opens nothing.
  u.schreibe(QStringLiteral("fremd.pvf"), "[Fremd]\r\n");
  pv::sensorZustand().Sensordatei = QStringLiteral("fremd.pvf");
  ui().OptionMWMessgeraet->setChecked(true);
  ui().OptionFuehler->setChecked(true);
  EXPECT_EQ(geoeffnet.size(), 1);

  // "ändern": taking a sensor over shows it and chooses the option without
  // loading the file again.
  ui().OptionMWMessgeraet->setChecked(true);
  uebernehmen = true;
  ui().CommandMessfuehlerAendern->click();
  EXPECT_EQ(geoeffnet.size(), 2);
  EXPECT_EQ(ui().LabelFuehler->text(), QStringLiteral("Neu"));
  EXPECT_TRUE(ui().OptionFuehler->isChecked());
}

}  // namespace
