// The device editor window: what it is filled with comes back out of its
// controls, and its switches between controls.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>

#include "devices/gereigen.h"
#include "geraetetabelle_testhilfe.h"

namespace {

TEST(GerEigenFenster, ShowsTheFileAndGivesItsValuesBackUnchanged) {
  pvtest::Geraeteordner u;
  QFile f(QStringLiteral(PELVARON_DATEN "/Waage.ger"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  u.schreibe(QStringLiteral("Waage.ger"), f.readAll());
  pv::Initialisieren(u',');
  const QString name = pv::geraeteZustand().Geraete.at(1).Bezeichnung;
  pv::Geraetedefinition def;
  QString letzte;
  int16_t menueIndex = -1;
  pv::GeraeteEditor logik({def, letzte, menueIndex, u','});
  const pv::EditorAnsicht erwartet = logik.GeraetBearbeiten(name);

  pv::GerEigen fenster({def, letzte, menueIndex, u','}, QSize(200, 100));
  fenster.GeraetBearbeiten(name);
  EXPECT_EQ(fenster.eingaben(), erwartet.eingaben);
  EXPECT_TRUE(fenster.TextMBVoll->isEnabled());

  // A DMM kind fixes the full scale; the scale keeps that value, editable.
  fenster.OptionGeraet[pv::kDmm3_5]->click();
  EXPECT_FALSE(fenster.TextMBVoll->isEnabled());
  fenster.OptionGeraet[pv::kWaage]->click();
  EXPECT_EQ(fenster.TextMBVoll->text(), QStringLiteral("19990"));
  EXPECT_TRUE(fenster.TextMBVoll->isEnabled());

  // Automatic format shows seven 0 and gives the typed positions back.
  fenster.txtVorzeichenStelle->setText(QStringLiteral("x"));
  const pv::GeraeteEingaben vorher = fenster.eingaben();
  fenster.chkDatenformatAutomatischErkennen->click();
  EXPECT_EQ(fenster.txtMesswertStart->text(), QStringLiteral("0"));
  EXPECT_FALSE(fenster.txtEinheit2_1->isEnabled());
  fenster.chkDatenformatAutomatischErkennen->click();
  EXPECT_EQ(fenster.eingaben(), vorher);

  fenster.OptionMBManuell->click();
  EXPECT_FALSE(fenster.TextMBZeichen[5]->isEnabled());
  menueIndex = 3;  // opened for the current device
  fenster.reject();
  EXPECT_EQ(menueIndex, -1);
}

}  // namespace
