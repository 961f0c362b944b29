// The main window's own behaviour in the started program: service keys,
// processing choice, tool tips, computer picture, measurement settings.
#include "main/bedienung.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include "common/leds.h"
#include "main/datenauswertung.h"
#include "main/einstlzm.h"
#include "programm_mit_geraet.h"

namespace {

using pvtest::kAutomatisch;
using pvtest::warteBis;
using BedienungTest = pvtest::ProgrammMitGeraet;

void tasten(QWidget* ziel, int taste, Qt::KeyboardModifiers umschalter) {
  QKeyEvent druck(QEvent::KeyPress, taste, umschalter);
  QApplication::sendEvent(ziel, &druck);
}

QList<std::pair<QString, QString>> abfragegeraet() {
  auto werte = kAutomatisch;
  werte << std::pair{QStringLiteral("Gerät aktiv"), QStringLiteral("0")}
        << std::pair{QStringLiteral("Datenanforderungszeichen"), QStringLiteral("P")}
        << std::pair{QStringLiteral("Wartezeit"), QStringLiteral("0.1")};
  return werte;
}

TEST_F(BedienungTest, ServiceKeysFromAnyControlOfTheWindow) {
  starten(QStringLiteral("Abfrage"), abfragegeraet(), 2, [](pv::Einstellungen& e) {
    e.DatenlinieAnimation = true;
    e.Animationsart = 3;
  });
  const auto ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
  EXPECT_EQ(ui().LEDAniPC[5]->Style(), 1);
  tasten(ui().TextT, Qt::Key_A, ctrlAlt);
  EXPECT_EQ(pv::hauptmodul().einstellungen.Animationsart, 4);
  EXPECT_EQ(ui().LEDAniPC[5]->Style(), 2);
  EXPECT_EQ(ui().LEDAniMessgeraet[5]->Style(), 3);

  tasten(ui().TextT, Qt::Key_D, ctrlAlt);
  EXPECT_TRUE(f().MDebugDateiAnzeigen->isVisible());
  EXPECT_FALSE(f().MDebugGeraetedatenAnzeigen->isVisible());
  EXPECT_EQ(status(), "## DebugModus an ##");
  tasten(ui().TextT, Qt::Key_D, ctrlAlt);
  EXPECT_FALSE(f().MDebugDateiAnzeigen->isVisible());

  tasten(ui().TextT, Qt::Key_S, ctrlAlt | Qt::ShiftModifier);
  EXPECT_FALSE(pv::hauptmodul().Simulation);
  // Simulated values on a connected request device, the instrument asked nothing.
  mitschreiben = false;
  programm->verbindung().DatensatzAuswerten = [this](const QByteArray& s) {
    programm->datenauswertung().DatensatzAuswerten(s);
  };
  ui().CommandPort->click();
  tasten(ui().CommandPort, Qt::Key_S, ctrlAlt);
  EXPECT_TRUE(pv::hauptmodul().Simulation);
  EXPECT_EQ(status(), "## Simulation an ##");
  ui().LabelMesswert->clear();
  ASSERT_TRUE(warteBis([&] { return !ui().LabelMesswert->text().isEmpty(); }));
  // The status line clears 3 s after its last change.
  EXPECT_EQ(ui().timerStatusLoeschen->interval(), 3000);
  ui().CommandPort->click();
}

TEST_F(BedienungTest, RefusedLinearFunctionFallsBackToTheDeviceValue) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch);
  ui().TextM->setText(QStringLiteral("2,50"));
  ui().TextT->setText(QStringLiteral("b"));
  ui().OptionLinear->click();
  ASSERT_EQ(u.meldungen.boxen.size(), 1u);
  EXPECT_TRUE(u.meldungen.boxen[0].text.contains(QStringLiteral("den Achsenabschnitt")));
  EXPECT_TRUE(ui().OptionMWMessgeraet->isChecked());
  EXPECT_EQ(ui().TextM->text(), "2,5");
  EXPECT_EQ(pv::hauptmodul().einstellungen.LinearM, 2.5f);
  // Even with no option at all the evaluation takes the device value.
  ui().OptionMWMessgeraet->setAutoExclusive(false);
  ui().OptionMWMessgeraet->setChecked(false);
  EXPECT_EQ(programm->datenauswertung().einstellungen().Verarbeitung, pv::Messwertverarbeitung::Messgeraet);
}

TEST_F(BedienungTest, ToolTipsFromTheSettingsFileAndTheMenuItem) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch, 1, [](pv::Einstellungen& e) { e.Tooltipps = true; });
  EXPECT_TRUE(f().MToolTipps->isChecked());
  EXPECT_EQ(ui().CommandPort->toolTip(), "Herstellen/Trennen der Verbindung zwischen PC und Messgerät");
  f().MToolTipps->trigger();
  EXPECT_FALSE(f().MToolTipps->isChecked());
  EXPECT_FALSE(pv::hauptmodul().einstellungen.Tooltipps);
  EXPECT_TRUE(ui().CommandPort->toolTip().isEmpty());
  f().MToolTipps->trigger();
  EXPECT_FALSE(f().findChild<QWidget*>(QStringLiteral("Label24"))->toolTip().isEmpty());
}

TEST_F(BedienungTest, ComputerPictureFromAnyStoredNumber) {
  for (const char* name : {"PC0.gif", "PC2.gif"}) {
    QFile::copy(QStringLiteral(PELVARON_DATEN "/") + QLatin1String(name), u.pfad(QLatin1String(name)));
  }
  starten(QStringLiteral("Fortlaufend"), kAutomatisch, 1, [](pv::Einstellungen& e) { e.Computerbild = -1; });
  EXPECT_EQ(pv::hauptmodul().einstellungen.Computerbild, 2);
  EXPECT_FALSE(ui().picPC->pixmap().isNull());
  EXPECT_LE(ui().picPC->pixmap().height(), ui().picPC->height());
  QMouseEvent doppel(QEvent::MouseButtonDblClick, QPointF(5, 5), ui().picPC->mapToGlobal(QPointF(5, 5)),
                     Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(ui().picPC, &doppel);
  EXPECT_EQ(pv::hauptmodul().einstellungen.Computerbild, 0);
  QApplication::sendEvent(ui().picPC, &doppel);
  EXPECT_EQ(status(), "!! Computerbild 'PC1.gif nicht gefunden !!");
  EXPECT_TRUE(ui().picPC->pixmap().isNull());
}

// The dialog as a user drives it: calculator, copy, time-out, OK.
TEST_F(BedienungTest, MeasurementSettingsCopyTheWaitingTimeAndArmTheWatchdog) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch, 1, [](pv::Einstellungen& e) { e.TimeOutON = 0; });
  ui().CommandPort->click();
  EXPECT_FALSE(programm->verbindung().timerTimeOut->isActive());
  QTimer::singleShot(0, [] {
    auto* d = qobject_cast<pv::EinstLZM*>(QApplication::activeModalWidget());
    ASSERT_NE(d, nullptr);
    d->MD[6]->setChecked(true);
    d->MW[5]->setChecked(true);
    d->CommandBerechnen->click();
    d->CommandWIPUe->click();
    d->chkTimeOut->setChecked(true);
    d->CheckMessEndeAuto->setChecked(true);
    const QString datei = d->TextZSDatei->text();
    d->TextZSDatei->insert(QStringLiteral("Ω"));  // the settings file cannot hold it
    EXPECT_EQ(d->TextZSDatei->text(), datei);
    d->OKButton->click();
  });
  f().MMessung->trigger();
  EXPECT_TRUE(u.meldungen.boxen.empty());
  EXPECT_EQ(ui().TextAufzPause->text(), "2,9");
  EXPECT_EQ(pv::hauptmodul().einstellungen.Wartezeit, 2.9f);
  EXPECT_EQ(pv::hauptmodul().einstellungen.Messdauer, 60.0f);
  EXPECT_TRUE(programm->verbindung().timerTimeOut->isActive());
  ui().CommandPort->click();
}

// The chosen tab's caption is blue, the other dark blue.
TEST_F(BedienungTest, TabCaptionColours) {
  starten(QStringLiteral("Fortlaufend"), kAutomatisch, 1, [](pv::Einstellungen& e) { e.OptionalerFrame = 1; });
  const QTabBar* reiter = ui().FrameOptional->tabBar();
  const QColor blau(0, 0, 255), dunkelblau(0, 0, 128);
  EXPECT_EQ(reiter->tabTextColor(1), blau);
  EXPECT_EQ(reiter->tabTextColor(0), dunkelblau);
  ui().FrameOptional->setCurrentIndex(0);
  EXPECT_EQ(reiter->tabTextColor(0), blau);
  EXPECT_EQ(reiter->tabTextColor(1), dunkelblau);
}

}  // namespace
