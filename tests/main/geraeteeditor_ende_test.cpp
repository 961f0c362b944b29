// The device editor as a user reaches it: from the settings menu on the
// current device, from the device list for a new one, and after a device file
// that cannot be read was chosen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "acquisition/seriellerport.h"
#include "devices/dateinamedialog.h"
#include "devices/geraeteliste.h"
#include "devices/gereigen.h"
#include "programm_mit_geraet.h"
#include "support/kleinesdateisystem.h"

namespace {

using pvtest::warteBis;

// Runs `aktion` on the next modal window of type W once it is open; a window
// the action leaves open (a failed expectation) is closed so the test ends.
template <typename W>
void imNaechstenFenster(std::function<void(W&)> aktion) {
  auto* takt = new QTimer;
  QObject::connect(takt, &QTimer::timeout, [takt, aktion] {
    auto* fenster = qobject_cast<W*>(QApplication::activeModalWidget());
    if (!fenster) return;
    takt->stop();
    takt->deleteLater();
    QPointer<W> offen(fenster);
    aktion(*fenster);
    if (offen && offen->isVisible()) offen->reject();
  });
  takt->start(10);
}

// A new sending device of this kind with the automatic record format and a
// range set by hand.
void neuesGeraet(pv::GerEigen& editor, const QString& name, int art) {
  editor.GerBezText->setText(name);
  editor.OptionGeraet[art]->click();
  editor.txtDatenStringLaenge->setText(QStringLiteral("12"));
  for (QLineEdit* feld : {editor.txtMesswertStart, editor.txtMesswertStop, editor.txtVorzeichenStelle,
                          editor.txtEinheit1_0, editor.txtEinheit1_1, editor.txtEinheit2_0, editor.txtEinheit2_1}) {
    feld->setText(QStringLiteral("0"));
  }
  editor.txtLetzteZeichen->setText(QStringLiteral("L"));
  editor.OptionTransferAktiv->click();
  editor.OptionMBManuell->click();
}

class GeraeteeditorEnde : public pvtest::ProgrammMitGeraet {};

// "M&essgerät..." on the current device: a shorter value field and a new
// name take effect at once, and a record that decodes only with the new
// positions is shown.
TEST_F(GeraeteeditorEnde, CurrentDeviceChangedFromTheSettingsMenu) {
  mitschreiben = false;
  starten(QStringLiteral("Prüfmultimeter"), {});
  imNaechstenFenster<pv::GerEigen>([](pv::GerEigen& editor) {
    EXPECT_FALSE(editor.UebernButton[0]->isVisible());
    editor.GerBezText->setText(QStringLiteral("Tischmultimeter"));
    editor.txtMesswertStop->setText(QStringLiteral("8"));
    editor.UebernButton[1]->click();
  });
  f().MMessgeraet->trigger();

  const QByteArray datei = u.lies(QStringLiteral("Test.ger"));
  EXPECT_TRUE(datei.contains("\r\nBezeichnung=Tischmultimeter\r\n"));
  EXPECT_TRUE(datei.contains("\r\nMesswertende=8\r\n"));
  EXPECT_EQ(f().mnuMessgeraeteNamen(), QStringList{QStringLiteral("Tischmultimeter")});
  EXPECT_EQ(pv::geraeteZustand().AktuellesMessgeraet, QStringLiteral("Tischmultimeter"));
  EXPECT_EQ(pv::erfassungsmodul().GeraetMenueIndex, -1);

  ui().OptionWert1->setChecked(true);
  ui().CommandPort->click();
  ASSERT_EQ(ui().CommandPort->text(), QStringLiteral("Trennen"));
  // Characters 4..8 hold the value; the old field 4..9 would take the "X".
  pty.senden("DC-1,234X  mV\r");
  ASSERT_TRUE(warteBis([&] { return !ui().LabelMesswert->text().isEmpty(); }));
  EXPECT_EQ(ui().LabelMesswert->text().remove(u' '), QStringLiteral("-1,234"));
  ui().CommandPort->click();
}

// Device list "Neu...": the saved device is listed in the menu, can be
// moved, and is selected from the menu.
TEST_F(GeraeteeditorEnde, NewDeviceFromTheDeviceList) {
  starten(QStringLiteral("Prüfmultimeter"), {});
  imNaechstenFenster<pv::frmGeraeteListe>([](pv::frmGeraeteListe& liste) {
    imNaechstenFenster<pv::GerEigen>([](pv::GerEigen& editor) {
      neuesGeraet(editor, QStringLiteral("Waage im Labor"), pv::kWaage);
      editor.TextMBVoll->setText(QStringLiteral("2000"));
      imNaechstenFenster<pv::frmtqFileDlg>([](pv::frmtqFileDlg& dialog) {
        EXPECT_EQ(dialog.lstDateiNamen->count(), 1);  // Test.ger
        EXPECT_EQ(dialog.txtDateiName->text(), QStringLiteral("Waage im Labor"));
        dialog.cmdOK->click();
      });
      editor.UebernButton[0]->click();
    });
    liste.cmdNeu->click();
    // Saved as a new device, it comes into the menu; out and in again.
    for (auto [von, knopf] : {std::pair{liste.lstMenu, liste.cmdAusMenue}, std::pair{liste.lstAll, liste.cmdNachMenue}}) {
      const auto neu = von->findItems(QStringLiteral("Waage im Labor"), Qt::MatchExactly);
      ASSERT_EQ(neu.size(), 1);
      neu.first()->setSelected(true);
      knopf->click();
    }
    liste.cmdOK->click();
  });
  programm->MGerHinLoe_Click();

  EXPECT_TRUE(QFile::exists(u.pfad(QStringLiteral("Waage im Labor.ger"))));
  const QStringList menue = f().mnuMessgeraeteNamen();
  ASSERT_TRUE(menue.contains(QStringLiteral("Waage im Labor")));
  programm->mnuMessgeraete_Click(static_cast<int16_t>(menue.indexOf(QStringLiteral("Waage im Labor")) + 1));
  EXPECT_EQ(pv::geraeteZustand().AktuellesMessgeraet, QStringLiteral("Waage im Labor"));
  EXPECT_EQ(pv::erfassungsmodul().zustand.SkalaMaximumGeraet, 2000.0f);
}

// The editor checks a serial settings text without handing it to the port
// the connection uses: a new device's settings, saved or not, leave it alone.
TEST_F(GeraeteeditorEnde, SerialCheckLeavesTheConnectionsPortAlone) {
  starten(QStringLiteral("Prüfmultimeter"), {});
  const QString vorher = f().MSComm1->Settings();
  imNaechstenFenster<pv::frmGeraeteListe>([](pv::frmGeraeteListe& liste) {
    imNaechstenFenster<pv::GerEigen>([](pv::GerEigen& editor) {
      neuesGeraet(editor, QStringLiteral("Anderes"), pv::kDmm3_5);
      editor.Baud->setEditText(QStringLiteral("19200"));
      imNaechstenFenster<pv::frmtqFileDlg>([](pv::frmtqFileDlg& dialog) { dialog.cmdCancel->click(); });
      editor.UebernButton[0]->click();
      EXPECT_TRUE(editor.isVisible());
      editor.CommandAbbrechen->click();
    });
    liste.cmdNeu->click();
    liste.cmdAbbrechen->click();
  });
  programm->MGerHinLoe_Click();
  EXPECT_EQ(f().MSComm1->Settings(), vorher);
  EXPECT_FALSE(QFile::exists(u.pfad(QStringLiteral("Anderes.ger"))));
}

// "Änderungen speichern" on a full disk: the device file stays byte for
// byte, the error handler says so, and the editor stays open.
TEST_F(GeraeteeditorEnde, AFullDiskKeepsTheDeviceFile) {
  pvtest::KleinesDateisystem platte(u.pfad());
  if (!platte.bereit()) GTEST_SKIP() << platte.grund().toStdString();
  starten(QStringLiteral("Prüfmultimeter"), {});
  const QByteArray vorher = u.lies(QStringLiteral("Test.ger"));
  platte.fuellen();
  bool offen = false;
  imNaechstenFenster<pv::GerEigen>([&](pv::GerEigen& editor) {
    editor.txtMesswertStop->setText(QStringLiteral("8"));
    editor.UebernButton[1]->click();
    offen = editor.isVisible();
  });
  f().MMessgeraet->trigger();
  EXPECT_TRUE(offen);
  ASSERT_FALSE(u.meldungen.boxen.empty());
  EXPECT_TRUE(u.meldungen.boxen.back().text.startsWith(QStringLiteral("In der Prozedur 'GerEigen -> ÜbernButton'")));
  EXPECT_TRUE(u.lies(QStringLiteral("Test.ger")) == vorher);
}

// A device file that cannot be read any more: its message, then the editor
// on it, once.
TEST_F(GeraeteeditorEnde, UnreadableDeviceOpensTheEditor) {
  starten(QStringLiteral("Prüfmultimeter"), {});
  u.schreibe(QStringLiteral("Test.ger"), pvtest::geraetedatei(QStringLiteral("Prüfmultimeter"),
                                                              {{QStringLiteral("Messwertbeginn"), QStringLiteral("x")}}));
  int editoren = 0;
  imNaechstenFenster<pv::GerEigen>([&](pv::GerEigen& editor) {
    ++editoren;
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("Messgerät 'Prüfmultimeter' bearbeiten"));
    EXPECT_EQ(editor.GerBezText->text(), QStringLiteral("Prüfmultimeter"));
    editor.CommandAbbrechen->click();
  });
  programm->mnuMessgeraete_Click(1);
  EXPECT_EQ(editoren, 1);
  ASSERT_GE(u.meldungen.boxen.size(), 2u);
  EXPECT_TRUE(u.meldungen.boxen[0].text.startsWith(QStringLiteral("Die Parameter des Messgerätes")));
  EXPECT_TRUE(u.meldungen.boxen[1].text.startsWith(QStringLiteral("Beim Lesen der Geräteparameter")));
  EXPECT_EQ(pv::erfassungsmodul().GeraetMenueIndex, -1);

  // Selecting it again while its editor is open opens no second editor on top.
  imNaechstenFenster<pv::GerEigen>([&](pv::GerEigen& editor) {
    QObject waechter;
    QTimer::singleShot(0, &waechter, [&] {
      auto* zweiter = qobject_cast<pv::GerEigen*>(QApplication::activeModalWidget());
      if (zweiter && zweiter != &editor) {
        ++editoren;
        zweiter->reject();
      }
    });
    programm->mnuMessgeraete_Click(1);
    editor.CommandAbbrechen->click();
  });
  programm->mnuMessgeraete_Click(1);
  EXPECT_EQ(editoren, 1);
}

// A device file that reads but that the editor would refuse to save takes the
// same path: the editor shows the file's own values and names the fault on
// saving, and the acquisition keeps the device it had.
TEST_F(GeraeteeditorEnde, DeviceTheEditorRefusesOpensTheEditorOnItsValues) {
  starten(QStringLiteral("Prüfmultimeter"), {});
  const pv::Erfassungszustand vorher = pv::erfassungsmodul().zustand;
  u.schreibe(QStringLiteral("Test.ger"), pvtest::geraetedatei(QStringLiteral("Prüfmultimeter"),
                                                              {{QStringLiteral("Datenstringlänge"), QStringLiteral("0")}}));
  const QByteArray datei = u.lies(QStringLiteral("Test.ger"));
  int editoren = 0;
  imNaechstenFenster<pv::GerEigen>([&](pv::GerEigen& editor) {
    ++editoren;
    EXPECT_EQ(editor.txtDatenStringLaenge->text(), QStringLiteral("0"));
    editor.UebernButton[1]->click();
    EXPECT_TRUE(editor.isVisible());
    editor.CommandAbbrechen->click();
  });
  programm->mnuMessgeraete_Click(1);
  EXPECT_EQ(editoren, 1);
  const QStringList texte = {QStringLiteral("Die Parameter des Messgerätes\r\n'Prüfmultimeter'\r\n"
                                            "konnten nicht gelesen werden!\r\nBitte prüfen Sie die Angaben."),
                             QStringLiteral("Die Länge des Datensatzes muss mindestens zwei\r\n"
                                            "und darf höchstens 200 Zeichen haben!")};
  ASSERT_EQ(u.meldungen.boxen.size(), 2u);
  EXPECT_EQ(u.meldungen.boxen[0].text, texte[0]);
  EXPECT_EQ(u.meldungen.boxen[1].text, texte[1]);
  EXPECT_EQ(u.lies(QStringLiteral("Test.ger")), datei);
  EXPECT_EQ(pv::erfassungsmodul().zustand, vorher);
}

}  // namespace
