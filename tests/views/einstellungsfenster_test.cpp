// The settings dialog: its checks, what OK stores, and an open graph
// window that follows a new number format.
#include "views/einstellungsfenster.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "ansichten_testhilfe.h"
#include "views/ansichtenzustand.h"
#include "views/grafikfenster.h"

namespace {

pv::Einstellungsfelder gueltig() {
  pv::Einstellungen e;
  for (size_t n = 1; n <= 5; ++n) e.Schemata[n] = {1, 3, 1, 1, 0xFFFFFF, 0xF0F0F0, 0, 0xFF};
  return pv::einstellungsfelderLaden(e, pv::GrafikEinstellungen{});
}

TEST(Einstellungslogik, TheFirstFailingFieldIsNamed) {
  struct Fall {
    const char* name;
    std::function<void(pv::Einstellungsfelder&)> aendern;
    const char* meldung;  // empty: accepted
  };
  const Fall faelle[] = {
      {"valid", [](auto&) {}, ""},
      {"half rounds to even", [](auto& f) { f.schemata[2].liniendicke = QStringLiteral("10,5"); }, ""},
      {"zero width", [](auto& f) { f.schemata[1].liniendicke = QStringLiteral("0"); },
       "Für die Liniendicke sind nur Werte von 1 bis 10 erlaubt"},
      {"empty width", [](auto& f) { f.schemata[1].liniendicke.clear(); },
       "Fehlende oder unzulässige Eingabe bei Liniendicke Schema 1"},
      {"grid of scheme 4", [](auto& f) { f.schemata[4].liniendickeGitter = QStringLiteral("11"); },
       "Für die Gitterliniendicke sind nur Werte von 1 bis 10 erlaubt"},
      {"decimals", [](auto& f) { f.nachkommastellenY = QStringLiteral("11"); },
       "Für die Nachkommastellen sind nur Werte von 0 bis 10 erlaubt"},
      {"title size typed", [](auto& f) {
         f.titelGroesseAuto = false;
         f.titelGroesse = QStringLiteral("2");
       },
       "Fehlende oder unzulässige Eingabe bei Schriftgröße Titel"},
  };
  for (const Fall& fall : faelle) {
    pv::Einstellungsfelder f = gueltig();
    fall.aendern(f);
    const std::optional<QString> m = pv::einstellungsfelderPruefen(f, u',');
    EXPECT_EQ(m.value_or(QString()), QString::fromUtf8(fall.meldung)) << fall.name;
  }
}

TEST(Einstellungslogik, StoredCodesOutOfRangeChooseTheNearestOption) {
  pv::Einstellungen e;
  e.XZahlenformatnummer = 3;
  e.YZahlenformatnummer = 42;
  e.BarGraphAktiviert = 3;
  const pv::Einstellungsfelder f = pv::einstellungsfelderLaden(e, pv::GrafikEinstellungen{});
  EXPECT_EQ(f.xFormat, 0);
  EXPECT_EQ(f.yFormat, 7);
  EXPECT_EQ(f.xBeschriftung, QStringLiteral("Zeit (s)"));
  EXPECT_TRUE(f.bargraphAktiviert && f.bargraphProzent && !f.bargraphWertMax);
}

class Einstellungsfenster : public ::testing::Test {
 protected:
  Einstellungsfenster() {
    pv::Einstellungen& e = pv::hauptmodul().einstellungen;
    for (size_t n = 1; n <= 5; ++n) e.Schemata[n] = {1, 3, 1, 1, 0xFFFFFF, 0xF0F0F0, 0, 0xFF};
    e.AktuellesSchema = 1;
    pv::grafikParameterAusEinstellungen(e);
  }
  ~Einstellungsfenster() override { pv::ansichtenzustand() = pv::Ansichtenzustand{}; }
  pvtest::Ansichtenumgebung umgebung;
};

TEST_F(Einstellungsfenster, MilliReformatsTheOpenGraphAndItsTitle) {
  pvtest::Ansichtenumgebung::messungMit(5);  // 10..50 V
  pv::FormGRAFIK grafik;
  grafik.Zeigen();
  grafik.NeuButton_Click();
  ASSERT_EQ(grafik.TextMaximumY->text(), QStringLiteral("50,000"));

  pv::FormEinstellungen dialog;
  dialog.laden();
  dialog.OptionZahlenformatY[4]->setChecked(true);
  dialog.OptionZahlenformatX[1]->setChecked(true);
  EXPECT_EQ(dialog.txtXBeschriftung->text(), QStringLiteral("Zeit (min)"));
  dialog.txtXBeschriftung->insert(QStringLiteral("Ω"));  // the settings file cannot hold it
  EXPECT_EQ(dialog.txtXBeschriftung->text(), QStringLiteral("Zeit (min)"));
  dialog.CommandOK_Click();
  const pv::Einstellungen& e = pv::hauptmodul().einstellungen;
  EXPECT_EQ(e.YZahlenformatnummer, 4);
  EXPECT_EQ(e.XZahlenformatnummer, 11);
  EXPECT_EQ(e.YBezeichnung, QStringLiteral("m"));
  EXPECT_EQ(pv::grafikParameter().YTitel, QStringLiteral("Spannung U (mV)"));
  EXPECT_EQ(grafik.TextMaximumY->text(), QStringLiteral("50000,000"));
  EXPECT_TRUE(umgebung.programm.meldungen.boxen.empty());

  // A typed x title is a manual one: the next opening keeps it.
  dialog.txtXBeschriftung->setText(QStringLiteral("Dauer"));
  dialog.txtXBeschriftung->textEdited(QStringLiteral("Dauer"));
  dialog.CommandOK_Click();
  pv::FormEinstellungen wieder;
  wieder.laden();
  EXPECT_EQ(wieder.txtXBeschriftung->text(), QStringLiteral("Dauer"));
}

TEST_F(Einstellungsfenster, ACancelledEditIsNotStoredByALaterOk) {
  pv::FormEinstellungen dialog;
  dialog.show();
  dialog.TextLD[3]->setText(QStringLiteral("7"));
  dialog.reject();
  dialog.show();
  EXPECT_EQ(dialog.TextLD[3]->text(), QStringLiteral("1"));
  dialog.CommandOK_Click();
  EXPECT_EQ(pv::hauptmodul().einstellungen.Schemata[3].Liniendicke, 1);

  dialog.laden();
  dialog.TextLD[3]->setText(QStringLiteral("0"));
  dialog.CommandOK_Click();
  ASSERT_EQ(umgebung.programm.meldungen.boxen.size(), 1u);
  EXPECT_EQ(pv::hauptmodul().einstellungen.Schemata[3].Liniendicke, 1);
}

// The bar-graph boxes and the stored level-bar mode, both ways: 0 off, 1 the
// bar alone, 2 with "Wert / Max", 3 with "x %".
TEST_F(Einstellungsfenster, BarGraphBoxesMapToTheirStoredCodes) {
  struct Fall {
    int16_t code;
    bool aktiviert, wertMax, prozent;
  };
  const Fall faelle[] = {{0, false, false, false}, {1, true, false, false}, {2, true, true, false}, {3, true, false, true}};
  pv::FormEinstellungen dialog;
  EXPECT_EQ(dialog.chkBargraphWertMax->text(), QStringLiteral("mit 'Wert / Max'"));
  EXPECT_EQ(dialog.chkBargraphProzent->text(), QStringLiteral("mit 'x %'"));
  int16_t& gespeichert = pv::hauptmodul().einstellungen.BarGraphAktiviert;
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.code);
    gespeichert = f.code;
    dialog.laden();
    EXPECT_EQ(dialog.chkBargraphAktiviert->isChecked(), f.aktiviert);
    EXPECT_EQ(dialog.chkBargraphWertMax->isChecked(), f.wertMax);
    EXPECT_EQ(dialog.chkBargraphProzent->isChecked(), f.prozent);
    gespeichert = -1;
    dialog.CommandOK_Click();
    EXPECT_EQ(gespeichert, f.code);
  }
}

}  // namespace
