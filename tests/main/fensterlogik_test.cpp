// Rules of the main window: data line styles, computer pictures, picture
// placement, hidden keys and the tool tips.
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "main/datenlinie.h"
#include "main/fensterlogik.h"
#include "main/form1.h"
#include "main/tooltipps.h"
#include "views/tabellenfenster.h"

namespace {

TEST(Fensterlogik, DataLineStylesByAnimationStyle) {
  struct Fall {
    int16_t art;
    pv::Datenlinienstil stil;
  };
  for (const Fall& f : {Fall{0, {0, 0, 0, 0}}, Fall{1, {0, 0, 0, 1}}, Fall{3, {1, 0, 1, 1}}, Fall{4, {2, 0, 3, 0}},
                        Fall{5, {2, 0, 3, 1}}, Fall{7, {4, 0, 4, 1}}, Fall{9, {0, 0, 0, 0}}, Fall{-1, {0, 0, 0, 0}}}) {
    const pv::Datenlinienstil s = pv::datenlinienstil(f.art);
    EXPECT_EQ(s.pcStyle, f.stil.pcStyle) << f.art;
    EXPECT_EQ(s.pcColor, f.stil.pcColor) << f.art;
    EXPECT_EQ(s.messgeraetStyle, f.stil.messgeraetStyle) << f.art;
    EXPECT_EQ(s.messgeraetColor, f.stil.messgeraetColor) << f.art;
  }
  int16_t art = 5;
  for (int i = 0; i < 8; ++i) art = pv::naechsteAnimationsart(art);
  EXPECT_EQ(art, 5);
}

TEST(Fensterlogik, ComputerPictureNumberStaysInRange) {
  for (int16_t gespeichert = -7; gespeichert <= 7; ++gespeichert) {
    const int16_t bild = pv::naechstesComputerbild(static_cast<int16_t>(gespeichert - 1));
    EXPECT_GE(bild, 0) << gespeichert;
    EXPECT_LE(bild, 2) << gespeichert;
  }
  EXPECT_EQ(pv::naechstesComputerbild(-1), 0);
  int16_t b = 1;
  for (int i = 0; i < 3; ++i) b = pv::naechstesComputerbild(b);
  EXPECT_EQ(b, 1);
  EXPECT_EQ(pv::computerbildFehlt(1), "!! Computerbild 'PC1.gif nicht gefunden !!");
}

TEST(Fensterlogik, PicturePlacement) {
  struct Fall {
    const char* name;
    QSize bild;
    const char* code;
    int hMax, wMax;
    QRect erwartet;
  };
  const QPoint punkt(3000, 2000);
  const QRect bisher(10, 20, 5, 5);
  for (const Fall& f : {
           Fall{"wide picture limited by width", {6000, 4500}, "", -1, 1500, {10, 20, 1500, 1125}},
           Fall{"centred on the point", {1000, 600}, "ZM", -1, -1, {2500, 1700, 1000, 600}},
           Fall{"left edge, centred vertically", {1000, 600}, "LM", -1, -1, {3000, 1700, 1000, 600}},
           Fall{"lower right corner", {1000, 600}, "RU", -1, -1, {2000, 1400, 1000, 600}},
           Fall{"near-square wide picture fits its height too", {1000, 900}, "", 450, 900, {10, 20, 500, 450}},
           Fall{"never enlarged", {100, 80}, "", 500, 500, {10, 20, 100, 80}},
       }) {
    EXPECT_EQ(pv::bildPlatzieren(f.bild, QLatin1String(f.code), punkt, bisher, f.hMax, f.wMax), f.erwartet)
        << f.name;
  }
  // The device picture follows the same fit: the scale (130 x 100) is not
  // blown up to its 150 x 110 area, the multimeter (90 x 140) shrinks to it.
  pv::Form1 form;
  EXPECT_TRUE(form.GeraetebildLaden(QStringLiteral(PELVARON_DATEN "/Waage.gif"), {150, 110}));
  EXPECT_EQ(pv::steuerelemente(form).picMessgeraet->pixmap().size(), QSize(130, 100));
  EXPECT_TRUE(form.GeraetebildLaden(QStringLiteral(PELVARON_DATEN "/DMM.gif"), {150, 110}));
  EXPECT_EQ(pv::steuerelemente(form).picMessgeraet->pixmap().height(), 110);
}

TEST(Fensterlogik, HiddenKeysNeedExactlyCtrlAlt) {
  const auto ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
  EXPECT_EQ(pv::diensttaste(Qt::Key_S, ctrlAlt), pv::Diensttaste::Simulation);
  EXPECT_EQ(pv::diensttaste(Qt::Key_A, ctrlAlt | Qt::KeypadModifier), pv::Diensttaste::Animation);
  EXPECT_EQ(pv::diensttaste(Qt::Key_D, ctrlAlt), pv::Diensttaste::Debug);
  EXPECT_EQ(pv::diensttaste(Qt::Key_S, ctrlAlt | Qt::ShiftModifier), pv::Diensttaste::Keine);
  EXPECT_EQ(pv::diensttaste(Qt::Key_S, Qt::ControlModifier), pv::Diensttaste::Keine);
  EXPECT_EQ(pv::diensttaste(Qt::Key_X, ctrlAlt), pv::Diensttaste::Keine);
}

TEST(ToolTipps, SetOnlyWithOneAndClearedEverywhere) {
  EXPECT_EQ(pv::toolTippTabelle().size(), 34u);
  QWidget haupt, tabelle;
  auto* port = new QPushButton(&haupt);
  port->setObjectName(QStringLiteral("CommandPort"));
  auto* ohneTipp = new QLabel(&haupt);
  ohneTipp->setToolTip(QStringLiteral("alt"));
  auto* reiter = new QTabWidget(&haupt);
  reiter->setObjectName(QStringLiteral("FrameOptional"));
  reiter->addTab(new QWidget, QStringLiteral("Messgerät"));
  reiter->addTab(new QWidget, QStringLiteral("Kommentar"));
  auto* auto_ = new QPushButton(&tabelle);
  auto_->setObjectName(QStringLiteral("CheckAuto"));

  pv::ToolTippsSetzen(-1, &haupt, &tabelle);
  EXPECT_TRUE(ohneTipp->toolTip().isEmpty());
  pv::ToolTippsSetzen(1, &haupt, &tabelle);
  EXPECT_EQ(port->toolTip(), "Herstellen/Trennen der Verbindung zwischen PC und Messgerät");
  EXPECT_EQ(reiter->tabToolTip(1), "Klicken Sie hier, um einen Kommentar zur Messung einzugeben bzw. anzuzeigen");
  EXPECT_TRUE(auto_->toolTip().startsWith(QStringLiteral("legt fest")));
  pv::ToolTippsSetzen(0, &haupt, &tabelle);
  EXPECT_TRUE(port->toolTip().isEmpty());
  EXPECT_TRUE(reiter->tabToolTip(1).isEmpty());
  EXPECT_TRUE(auto_->toolTip().isEmpty());
}

// A control renamed in its window would lose its tip without a word.
TEST(ToolTipps, EveryTipReachesItsControlInTheRealWindows) {
  pv::Form1 haupt;
  pv::TabellenFenster tabelle;
  const std::array<QWidget*, 2> fenster{&haupt, &tabelle};
  pv::ToolTippsSetzen(1, &haupt, &tabelle);
  for (const pv::ToolTipp& t : pv::toolTippTabelle()) {
    const QStringList teile = t.name.split(u'#');
    QString gesetzt;
    if (teile.size() == 2) {
      if (auto* reiter = fenster[t.fenster]->findChild<QTabWidget*>(teile[0])) gesetzt = reiter->tabToolTip(teile[1].toInt());
    } else if (auto* w = fenster[t.fenster]->findChild<QWidget*>(t.name)) {
      gesetzt = w->toolTip();
    }
    EXPECT_EQ(gesetzt, t.text) << t.name.toStdString();
  }
}

}  // namespace
