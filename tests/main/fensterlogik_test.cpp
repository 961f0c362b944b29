// Rules of the main window: data line styles, computer pictures, picture
// placement, hidden keys and the tool tips.
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include "acquisition/auswertung.h"

#include "main/datenlinie.h"
#include "main/fensterlogik.h"
#include "main/form1.h"
#include "main/messdatei.h"
#include "main/tooltipps.h"
#include "support/pseudoterminal.h"
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
  // The device picture takes that place inside its area: the scale
  // (130 x 100) is not blown up to its 148 x 108 area, the multimeter
  // (90 x 140) shrinks to it.
  pv::Form1 form;
  const QLabel* geraetebild = pv::steuerelemente(form).imgGeraeteBild;
  const QString waage = QStringLiteral(PELVARON_DATEN "/Waage.gif");
  EXPECT_TRUE(form.GeraetebildLaden(waage, QStringLiteral("RU"), {148, 108}, 108, 148));
  EXPECT_EQ(geraetebild->geometry(), QRect(18, 8, 130, 100));
  EXPECT_TRUE(form.GeraetebildLaden(waage, QStringLiteral("LM"), {0, 54}, 108, 148));
  EXPECT_EQ(geraetebild->geometry(), QRect(0, 4, 130, 100));
  EXPECT_TRUE(form.GeraetebildLaden(QStringLiteral(PELVARON_DATEN "/DMM.gif"), QStringLiteral("ZM"), {74, 54}, 108, 148));
  EXPECT_EQ(geraetebild->pixmap().height(), 108);
  EXPECT_EQ(geraetebild->geometry().center().x(), 74);
  EXPECT_FALSE(form.GeraetebildLaden(QString(), QStringLiteral("ZM"), {74, 54}, 108, 148));
  EXPECT_TRUE(geraetebild->isHidden());
}

// Every write restarts the status line's 3-second clearing, the same text
// too: "Daten werden empfangen" stays while records keep arriving.
TEST(Fensterlogik, EveryStatusWriteRestartsItsClearing) {
  pv::Form1 form;
  const QTimer* uhr = pv::steuerelemente(form).timerStatusLoeschen;
  form.StatusSetzen(pv::kDatenWerdenEmpfangen);
  ASSERT_TRUE(uhr->isActive());
  ASSERT_TRUE(pvtest::warteBis([&] { return uhr->remainingTime() < 2000; }));
  form.StatusSetzen(pv::kDatenWerdenEmpfangen);
  EXPECT_GT(uhr->remainingTime(), 2000);
  EXPECT_EQ(pv::steuerelemente(form).Label1->text(), pv::kDatenWerdenEmpfangen);
}

// A comment pasted beyond what a measurement file takes is cut in the box,
// so that every later save, the safety file's too, can still write it.
TEST(Fensterlogik, TheCommentBoxKeepsToWhatAMeasurementFileTakes) {
  pv::Form1 form;
  pv::steuerelemente(form).TextKommentar->insertPlainText(QString(pv::kMesstextHoechstlaenge, u'a') + u'\n');
  EXPECT_TRUE(pv::messdateiBytes(pv::Messdaten{}, form.messtexte(), QString()));
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

// The texts as the user reads them, written out here rather than taken from
// the program's table: a changed text or a control renamed in its window
// (which would lose its tip without a word) fails.
TEST(ToolTipps, EveryTipReachesItsControlInTheRealWindows) {
  struct Tipp {
    int fenster;
    const char* name;
    const char* text;
  };
  const Tipp tipps[] = {
      {0, "CommandPort", "Herstellen/Trennen der Verbindung zwischen PC und Messgerät"},
      {0, "StartButton", "Startet die Aufzeichnung von Messwerten"},
      {0, "PauseButton", "Unterbrechen/Fortsetzen die Aufzeichnung der Messwerte"},
      {0, "StopButton", "Beendet die Aufzeichnung der Messwerte"},
      {0, "OptionWert1", "Im Display wird der vom Messgerät übertragene Messwert angezeigt"},
      {0, "OptionWert2",
       "Im Display wird der - entsprechend der Einstellung im Rahmen 'Messwertverarbeitung' - verarbeitete Messwert "
       "angezeigt"},
      {0, "TextAufzPause", "Zeit, die zwischen der Aufzeichnung zweier Messwerte liegt (mindestens)"},
      {0, "Label24", "Zeit, die zwischen der Aufzeichnung zweier Messwerte liegt (mindestens)"},
      {0, "LabelNumMW", "Anzahl der aufgezeichneten Messwerte"},
      {0, "Label20", "Anzahl der aufgezeichneten Messwerte"},
      {0, "OptionMWMessgeraet", "Der vom Messgerät übertragene Messwert wird unverändert übernommen."},
      {0, "OptionLinear", "Der vom Messgerät übertragene Messwert wird in einer linearen Funktion verarbeitet."},
      {0, "lblMVVM", "verarbeiteter Messwert"},
      {0, "TextM", "Steigung der Geradengleichung (Proportionalitätsfaktor)"},
      {0, "lblMVMM", "vom Messgerät übertragener Messwert"},
      {0, "TextT", "Achsenabschnitt der Geradengleichung (Offset)"},
      {0, "OptionFuehler",
       "Der vom Messgerät übertragene Messwert wird durch Interpolation zwischen Datenpunkten eines Sensors "
       "ausgewertet."},
      {0, "CommandMessfuehlerAendern", "ändern des eingestellten Sensors"},
      {0, "FrameMBmanuell", "am Messgerät eingestellter Messbereich"},
      {0, "CommandMB0", "Mega..."},
      {0, "CommandMB1", "Kilo..."},
      {0, "CommandMB2", "Milli..."},
      {0, "CommandMB3", "Mikro..."},
      {0, "CommandMB4", "Nano..."},
      {0, "CommandMB5", "Piko..."},
      {0, "CommandMB6", "Standard"},
      {0, "FrameOptional#0", "Klicken Sie hier, um Informationen über das aktuelle Messgerät anzuzeigen."},
      {0, "FrameOptional#1", "Klicken Sie hier, um einen Kommentar zur Messung einzugeben bzw. anzuzeigen"},
      {1, "VonText", "Nummer des ersten anzuzeigenden Messwertes"},
      {1, "BisText", "Nummer des letzten anzuzeigenden Messwertes"},
      {1, "txtStep", "Schrittweite zwischen den Messwerten"},
      {1, "CommandZA", "Kopiert den Inhalt der Tabelle in die Zwischenablage"},
      {1, "CheckAuto", "legt fest, ob bei laufender Messung die Tabelle automatisch aktualisiert wird."},
      {1, "AktuellButton", "Aktualisiert die Tabelle"},
  };
  static_assert(std::size(tipps) == 34);
  pv::Form1 haupt;
  pv::TabellenFenster tabelle;
  const std::array<QWidget*, 2> fenster{&haupt, &tabelle};
  pv::ToolTippsSetzen(1, &haupt, &tabelle);
  for (const Tipp& t : tipps) {
    const QStringList teile = QString::fromUtf8(t.name).split(u'#');
    QString gesetzt;
    if (teile.size() == 2) {
      if (auto* reiter = fenster[t.fenster]->findChild<QTabWidget*>(teile[0])) gesetzt = reiter->tabToolTip(teile[1].toInt());
    } else if (auto* w = fenster[t.fenster]->findChild<QWidget*>(teile[0])) {
      gesetzt = w->toolTip();
    }
    EXPECT_EQ(gesetzt, QString::fromUtf8(t.text)) << t.name;
  }
}

}  // namespace
