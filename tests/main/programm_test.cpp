// Start-up and exit of the whole program against a real program folder.
#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QRadioButton>
#include <QApplication>
#include <QKeyEvent>
#include <QTextEdit>
#include <gtest/gtest.h>

#include "acquisition/erfassungszustand.h"
#include "common/cp1252.h"
#include "common/programmordner.h"
#include "common/textdatei.h"
#include "devices/geraetetabelle.h"
#include "main/aufnahme.h"
#include "main/dateimenue.h"
#include "main/einstellungsdatei.h"
#include "main/messdatei.h"
#include "main/form1.h"
#include "main/hauptzustand.h"
#include "main/programm.h"
#include "main/startlogik.h"
#include "main/werkseinstellungen.h"
#include "acquisition/seriellerport.h"
#include "support/kleinesdateisystem.h"
#include "support/testhilfe.h"

namespace {

using pv::Antwort;

const QString kGeraetWaehlen = QStringLiteral("Bitte wählen Sie im Menü 'Messgerät' ein Gerät aus!");

// The shipped device files, copied into the test's program folder.
void geraeteKopieren(const pvtest::Programmumgebung& u) {
  const QDir daten(QStringLiteral(PELVARON_DATEN));
  for (const QString& name : daten.entryList({QStringLiteral("*.ger"), QStringLiteral("*.gif")}, QDir::Files)) {
    ASSERT_TRUE(QFile::copy(daten.filePath(name), u.pfad(name)));
  }
}

class ProgrammTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pv::hauptmodul() = pv::Hauptmodul{};
    pv::geraeteZustand() = pv::GeraeteZustand{};
    pv::erfassungsmodul() = pv::Erfassungsmodul{};
  }

  std::unique_ptr<pv::Programm> neuesProgramm() {
    return std::make_unique<pv::Programm>(QStringList{QStringLiteral("pelvaron")}, QLocale(QLocale::German),
                                          [this] { ++beendet; });
  }

  // Factory settings naming `geraet` as the current device, stored.
  bool einstellungenMitGeraet(const QString& geraet) {
    pv::Einstellungen e;
    pv::Standardparameter(e, u.pfad());
    e.AktuellesMessgeraet = geraet;
    return pv::iniSichern(u.pfad(), u',', e);
  }

  QStringList boxTexte() const {
    QStringList texte;
    for (const auto& b : u.meldungen.boxen) texte << b.text;
    return texte;
  }

  pvtest::Programmumgebung u;
  int beendet = 0;
};

TEST_F(ProgrammTest, FirstStartUsesFactoryDefaultsAndExitWritesThemBack) {
  auto programm = neuesProgramm();
  ASSERT_TRUE(programm->FormLaden());
  // Missing settings file: asked for the defaults; no device: asked to choose one.
  ASSERT_EQ(u.meldungen.boxen.size(), 2u);
  EXPECT_TRUE(boxTexte()[0].startsWith(QStringLiteral("Die Pelvaron-Initialisierungsdatei konnte nicht gefunden werden.")));
  EXPECT_EQ(boxTexte()[1], kGeraetWaehlen);
  EXPECT_EQ(pv::erfassungsmodul().Faktor, 1.0);  // "Standard", not "Mega"
  EXPECT_TRUE(programm->form1().MCom[2]->isChecked());
  EXPECT_TRUE(programm->form1().mnuMessgeraeteNamen().isEmpty());

  programm->ProgrammBeenden();
  EXPECT_EQ(beendet, 1);
  QByteArray golden;
  ASSERT_TRUE(pv::dateiLesen(pvtest::testdatei(QStringLiteral("pelvaron_werkseinstellungen.ini")), golden));
  // No measurement folder chosen yet: not the hidden program folder.
  golden.replace("Ordner Messungen=C:\\Pelvaron", "Ordner Messungen=");
  EXPECT_EQ(u.lies(QStringLiteral("Pelvaron.ini")), golden);
}

TEST_F(ProgrammTest, SecondStartReadsTheWrittenSettingsBack) {
  {
    auto erstes = neuesProgramm();
    ASSERT_TRUE(erstes->FormLaden());
    pv::Form1& f = erstes->form1();
    pv::steuerelemente(f).TextMessBezeichnung->setText(QStringLiteral("Temperaturverlauf"));
    pv::steuerelemente(f).TextAufzPause->setText(QStringLiteral("2,5"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(pv::steuerelemente(f).TextAufzPause, &enter);  // taken over: the exit stores it
    pv::steuerelemente(f).OptionLinear->setChecked(true);
    pv::steuerelemente(f).OptionWert2->setChecked(true);
    f.CommandMB_Click(3);
    f.MCom_Click(5);
    erstes->ProgrammBeenden();
  }
  const pv::Einstellungen geschrieben = pv::hauptmodul().einstellungen;
  const QByteArray datei = u.lies(QStringLiteral("Pelvaron.ini"));
  SetUp();
  u.meldungen.boxen.clear();

  auto zweites = neuesProgramm();
  ASSERT_TRUE(zweites->FormLaden());
  // Every stored key comes back as it was written.
  EXPECT_EQ(pv::iniText(pv::hauptmodul().einstellungen, u','), pv::iniText(geschrieben, u','));
  pv::Form1& f = zweites->form1();
  EXPECT_EQ(pv::steuerelemente(f).TextMessBezeichnung->text(), QStringLiteral("Temperaturverlauf"));
  EXPECT_EQ(pv::steuerelemente(f).TextAufzPause->text(), QStringLiteral("2,5"));
  EXPECT_TRUE(pv::steuerelemente(f).OptionLinear->isChecked());
  EXPECT_TRUE(pv::steuerelemente(f).OptionWert2->isChecked());
  EXPECT_EQ(pv::erfassungsmodul().Messbereich, 3);
  EXPECT_TRUE(f.MCom[5]->isChecked());
  // Only the device question; the settings file needed none.
  EXPECT_EQ(boxTexte(), QStringList{kGeraetWaehlen});
  zweites->ProgrammBeenden();
  EXPECT_EQ(u.lies(QStringLiteral("Pelvaron.ini")), datei);
}

TEST_F(ProgrammTest, OldSettingsFileIsConvertedOnceAndMovedAside) {
  u.schreibe(QStringLiteral("Pelvar.ini"), "0,\"\",\"C:\\Messungen\",3\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
  auto programm = neuesProgramm();
  ASSERT_TRUE(programm->FormLaden());
  EXPECT_FALSE(QFileInfo::exists(u.pfad(QStringLiteral("Pelvar.ini"))));
  EXPECT_TRUE(QFileInfo::exists(u.pfad(QStringLiteral("Pelvar.old"))));
  EXPECT_TRUE(programm->form1().MCom[3]->isChecked());
  EXPECT_EQ(pv::erfassungsmodul().Messbereich, 6);
  programm->ProgrammBeenden();
  EXPECT_TRUE(QFileInfo::exists(u.pfad(QStringLiteral("Pelvaron.ini"))));
}

TEST_F(ProgrammTest, StoredDeviceIsSelectedFromTheDeviceFiles) {
  geraeteKopieren(u);
  ASSERT_TRUE(einstellungenMitGeraet(QStringLiteral("Waage (Abfrage)")));

  auto programm = neuesProgramm();
  ASSERT_TRUE(programm->FormLaden());
  EXPECT_TRUE(u.meldungen.boxen.empty()) << boxTexte().join(QStringLiteral(" | ")).toStdString();
  pv::Form1& f = programm->form1();
  const QStringList namen = f.mnuMessgeraeteNamen();
  EXPECT_TRUE(namen.contains(QStringLiteral("Multimeter (sendet selbst)")));
  EXPECT_TRUE(namen.contains(QStringLiteral("Waage (Abfrage)")));
  EXPECT_EQ(pv::steuerelemente(f).LabelMGBezeichnung->text(), QStringLiteral("Waage (Abfrage)"));
  EXPECT_TRUE(pv::steuerelemente(f).LabelMessgeraet->text().startsWith(QStringLiteral("COM: 9600,n,8,1 DTR=1 RTS=0\r\nDaten werden angefordert:")));
  EXPECT_EQ(pv::erfassungsmodul().zustand.Datenanforderung, QStringLiteral("P\r\n"));
  EXPECT_EQ(f.MSComm1->Settings(), QStringLiteral("9600,n,8,1"));
  EXPECT_EQ(pv::geraeteZustand().AktuellesMessgeraet, QStringLiteral("Waage (Abfrage)"));

  // Choosing the other device from the menu sets it up instead.
  programm->mnuMessgeraete_Click(static_cast<int16_t>(namen.indexOf(QStringLiteral("Multimeter (sendet selbst)")) + 1));
  EXPECT_EQ(pv::steuerelemente(f).LabelMGBezeichnung->text(), QStringLiteral("Multimeter (sendet selbst)"));
  EXPECT_EQ(f.MSComm1->Settings(), QStringLiteral("2400,n,8,1"));
  EXPECT_EQ(pv::steuerelemente(f).FrameMBmanuell->title(), QStringLiteral("Größenordnung: automatisch"));
  programm->ProgrammBeenden();
  EXPECT_TRUE(pv::vonCp1252(u.lies(QStringLiteral("Pelvaron.ini")))
                  .contains(QStringLiteral("\r\nAktuelles Messgerät=Multimeter (sendet selbst)\r\n")));
}

TEST_F(ProgrammTest, UnitFontsFitTheirLabelsWhileTheWindowIsStillHidden) {
  geraeteKopieren(u);
  QByteArray geraet = u.lies(QStringLiteral("Multimeter.ger"));
  geraet.replace("Einheit2 Beginn=0\r\nEinheit2 Ende=0", "Einheit2 Beginn=12\r\nEinheit2 Ende=13");
  u.schreibe(QStringLiteral("Multimeter.ger"), geraet);
  ASSERT_TRUE(einstellungenMitGeraet(QStringLiteral("Multimeter (sendet selbst)")));

  auto programm = neuesProgramm();
  ASSERT_TRUE(programm->FormLaden());
  const QLabel* einheit1 = pv::steuerelemente(programm->form1()).LabelEinheit1;
  const QLabel* einheit2 = pv::steuerelemente(programm->form1()).LabelEinheit2;
  EXPECT_EQ(einheit1->font().pointSizeF(), einheit2->font().pointSizeF());
  // Fitted to a box of a few characters, not to a window not laid out yet.
  EXPECT_LE(einheit1->font().pointSizeF(), 40.0);
  EXPECT_LE(QFontMetrics(einheit1->font()).height(), einheit1->height() * 2);
}

TEST_F(ProgrammTest, VanishedDeviceIsClearedWithOneMessage) {
  ASSERT_TRUE(einstellungenMitGeraet(QStringLiteral("Fort")));

  auto programm = neuesProgramm();
  ASSERT_TRUE(programm->FormLaden());
  EXPECT_EQ(boxTexte(), QStringList{kGeraetWaehlen});
  EXPECT_TRUE(pv::geraeteZustand().AktuellesMessgeraet.isEmpty());
  EXPECT_FALSE(pv::steuerelemente(programm->form1()).picNoPic->isHidden());
  programm->ProgrammBeenden();
  EXPECT_TRUE(pv::vonCp1252(u.lies(QStringLiteral("Pelvaron.ini"))).contains(QStringLiteral("\r\nAktuelles Messgerät=\r\n")));
}

TEST_F(ProgrammTest, RefusingTheDefaultsEndsTheStartUp) {
  u.meldungen.antworten = {Antwort::Nein};
  auto programm = neuesProgramm();
  EXPECT_FALSE(programm->FormLaden());
  EXPECT_FALSE(QFileInfo::exists(u.pfad(QStringLiteral("Pelvaron.ini"))));
}

// A settings file that cannot be read stops the program before anything
// could write over it.
TEST_F(ProgrammTest, UnreadableSettingsEndTheStartAndStayAsTheyWere) {
  ASSERT_TRUE(einstellungenMitGeraet(QString()));
  QByteArray datei = u.lies(QStringLiteral("Pelvaron.ini"));
  datei.replace("Serielle Schnittstelle=2\r\n", "Serielle Schnittstelle=zwei\r\n");
  ASSERT_TRUE(datei.contains("=zwei"));
  u.schreibe(QStringLiteral("Pelvaron.ini"), datei);
  {
    auto programm = neuesProgramm();
    EXPECT_FALSE(programm->FormLaden());
  }
  EXPECT_EQ(boxTexte(), QStringList{QStringLiteral("Fehler beim Lesen der Initialisierungsdatei.\r\n"
                                                   "Pelvaron kann nicht ausgeführt werden!")});
  EXPECT_EQ(beendet, 0);  // no exit procedure: it would write the settings
  EXPECT_EQ(u.lies(QStringLiteral("Pelvaron.ini")), datei);
}

TEST_F(ProgrammTest, ExitRefusesWhileRecordingAndAsksBeforeLosingValues) {
  auto programm = neuesProgramm();
  ASSERT_TRUE(programm->FormLaden());
  u.meldungen.boxen.clear();
  pv::Hauptmodul& h = pv::hauptmodul();

  h.MessungLaeuft = true;
  programm->form1().close();  // closing the window runs the exit procedure
  ASSERT_EQ(u.meldungen.boxen.size(), 1u);
  EXPECT_EQ(u.meldungen.boxen[0].text, QStringLiteral("Die Messung wurde noch nicht gestoppt!\n"
                                                      "Beenden Sie die Messung bevor Sie das Programm beenden!"));
  EXPECT_EQ(beendet, 0);

  h.MessungLaeuft = false;
  h.MessungGespeichert = false;
  h.messdaten.anhaengen(1.0f, 2.0f);
  u.meldungen.antworten = {Antwort::Nein};
  programm->ProgrammBeenden();
  ASSERT_EQ(u.meldungen.boxen.size(), 2u);
  EXPECT_EQ(u.meldungen.boxen[1].titel, QStringLiteral("Achtung"));
  EXPECT_EQ(beendet, 0);
  EXPECT_FALSE(QFileInfo::exists(u.pfad(QStringLiteral("Pelvaron.ini"))));

  u.meldungen.antworten = {Antwort::Ja};
  programm->ProgrammBeenden();
  EXPECT_EQ(beendet, 1);
  EXPECT_TRUE(QFileInfo::exists(u.pfad(QStringLiteral("Pelvaron.ini"))));
}

TEST_F(ProgrammTest, FinishedRecordingWithoutValuesEndsWithoutAQuestion) {
  auto programm = neuesProgramm();
  ASSERT_TRUE(programm->FormLaden());
  u.meldungen.boxen.clear();
  pv::hauptmodul().MessungGespeichert = false;
  programm->ProgrammBeenden();
  EXPECT_TRUE(u.meldungen.boxen.empty());
  EXPECT_EQ(beendet, 1);
}

// A second copy on the folder of a running one asks first, before it reads
// or writes anything; going on, it saves into a folder of its own.
TEST_F(ProgrammTest, ASecondCopyAsksFirstAndSavesApart) {
  ASSERT_TRUE(einstellungenMitGeraet(QString()));
  auto erstes = neuesProgramm();
  ASSERT_TRUE(erstes->FormLaden());
  const QStringList vorher = QDir(u.pfad()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
  u.meldungen.boxen.clear();

  u.meldungen.antworten = {Antwort::Nein};
  auto zweites = neuesProgramm();
  EXPECT_FALSE(zweites->FormLaden());
  ASSERT_EQ(u.meldungen.boxen.size(), 1u);
  EXPECT_TRUE(u.meldungen.boxen[0].text.startsWith(QStringLiteral("Pelvaron läuft bereits mit dem Programmordner\r\n") +
                                                   u.pfad()));
  zweites.reset();
  EXPECT_EQ(QDir(u.pfad()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), vorher);

  u.meldungen.antworten = {Antwort::Ja};
  zweites = neuesProgramm();
  ASSERT_TRUE(zweites->FormLaden());
  pv::hauptmodul().messdaten.anhaengen(0, 1);
  ASSERT_TRUE(zweites->aufnahme().Sicherheitsdatei());
  ASSERT_TRUE(zweites->aufnahme().ZwischenSpeichern());
  for (const QString& name : {QStringLiteral("pvsave.tmp"), QStringLiteral("pvsavezs.mes")}) {
    EXPECT_FALSE(QFile::exists(u.pfad(name))) << name.toStdString();
    EXPECT_TRUE(QFile::exists(u.pfad(QStringLiteral("Kopie 2/") + name))) << name.toStdString();
  }
}

// A program folder that cannot be written is told once, first, by name:
// a read-only one and one that cannot be made.
TEST_F(ProgrammTest, AFolderThatCannotBeWrittenIsToldOnceAtTheStart) {
  ASSERT_TRUE(QDir().mkpath(u.pfad(QStringLiteral("nurlesen"))));
  pvtest::KleinesDateisystem platte(u.pfad(QStringLiteral("nurlesen")));
  if (!platte.bereit()) GTEST_SKIP() << platte.grund().toStdString();
  platte.nurLesen();
  u.schreibe(QStringLiteral("datei"), "keine Ordner");
  const struct {
    QString ordner, grund;
  } faelle[] = {{platte.pfad(), QStringLiteral("kann nicht beschrieben werden.")},
                {u.pfad(QStringLiteral("datei/Pelvaron")), QStringLiteral("kann nicht angelegt werden.")}};
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.grund.toStdString());
    SetUp();
    u.meldungen.boxen.clear();
    pv::Programmordner::setzen(f.ordner);
    EXPECT_FALSE(pv::Programmordner::beschreibbar(f.ordner));
    neuesProgramm()->FormLaden();
    const QString text = QStringLiteral("Der Programmordner\r\n%1\r\n%2\r\n").arg(f.ordner, f.grund);
    ASSERT_FALSE(u.meldungen.boxen.empty());
    EXPECT_TRUE(u.meldungen.boxen[0].text.startsWith(text)) << u.meldungen.boxen[0].text.toStdString();
    EXPECT_EQ(boxTexte().filter(QStringLiteral("Der Programmordner")).size(), 1);
  }
}

TEST_F(ProgrammTest, MeasurementNamedOnTheCommandLineIsOpenedAndShown) {
  pv::Messdaten d;
  d.anhaengen(1, 2);
  d.anhaengen(2, 3);
  d.MesBeg = QStringLiteral("05.03.2004 14:07:09");
  d.MesEnd = QStringLiteral("05.03.2004 14:08:09");
  pv::Messtexte t;
  t.Einheit = QStringLiteral("mV");
  // Named as a shell passes it: quoted and relative to the folder the
  // program starts in, which is not the program folder.
  QTemporaryDir arbeitsordner;
  const QString datei = QDir(arbeitsordner.path()).canonicalPath() + QStringLiteral("/Mit Blank.MES");
  ASSERT_TRUE(pv::MessungSpeichern(datei, d, t, QStringLiteral("Daten des Messgerätes")));
  ASSERT_TRUE(QDir::setCurrent(arbeitsordner.path()));

  pv::Programm programm({QStringLiteral("pelvaron"), QStringLiteral("\"Mit Blank.MES\"")}, QLocale(QLocale::German),
                        [this] { ++beendet; });
  ASSERT_TRUE(programm.FormLaden());
  const pv::Hauptmodul& h = pv::hauptmodul();
  EXPECT_EQ(h.messdaten.m, 2);
  EXPECT_EQ(h.messdaten.MessDateiName, datei);
  EXPECT_TRUE(h.MessungGespeichert);
  pv::Form1& f = programm.form1();
  EXPECT_EQ(pv::steuerelemente(f).MessungLabel->text(), pv::messungLabelText(datei));
  EXPECT_EQ(pv::steuerelemente(f).MesBegLabel->text(), QStringLiteral("05.03.2004, 14:07:09"));
  EXPECT_EQ(pv::steuerelemente(f).MesEndLabel->text(), QStringLiteral("05.03.2004, 14:08:09"));
  EXPECT_EQ(pv::steuerelemente(f).TextEinheit->text(), QStringLiteral("mV"));
}

TEST_F(ProgrammTest, PathLabelShowsTheLastFileAsToolTipWhileToolTipsAreOn) {
  auto programm = neuesProgramm();
  ASSERT_TRUE(programm->FormLaden());
  QLabel* label = pv::steuerelemente(programm->form1()).MessungLabel;
  programm->dateimenue().AktuelleDatei = QStringLiteral("/messungen/a.MES");
  QEvent hinein(QEvent::Enter);
  QCoreApplication::sendEvent(label, &hinein);
  EXPECT_EQ(label->toolTip(), QStringLiteral("/messungen/a.MES"));
  pv::hauptmodul().einstellungen.Tooltipps = false;
  QCoreApplication::sendEvent(label, &hinein);
  EXPECT_TRUE(label->toolTip().isEmpty());
}

TEST_F(ProgrammTest, StoredTextBoxesRefuseWhatTheFilesCannotHold) {
  auto programm = neuesProgramm();
  ASSERT_TRUE(programm->FormLaden());
  pv::Form1Steuerelemente& ui = pv::steuerelemente(programm->form1());
  for (QLineEdit* feld : {ui.TextMessBezeichnung, ui.TextPhysGr, ui.TextZeichen, ui.TextEinheit, ui.TextM, ui.TextT}) {
    const QString vorher = feld->text();
    feld->insert(QStringLiteral("Ω"));
    EXPECT_EQ(feld->text(), vorher);
  }
  ui.TextKommentar->insertPlainText(QStringLiteral("≥"));
  EXPECT_TRUE(ui.TextKommentar->toPlainText().isEmpty());
  EXPECT_EQ(ui.Label1->text(), QStringLiteral("Das Zeichen „≥“ kann in der Datei nicht gespeichert werden."));
}

TEST(Startlogik, CommandLinePathLosesEnclosingQuotesOnlyAsAPair) {
  const QString prog = QStringLiteral("pelvaron");
  EXPECT_EQ(pv::kommandozeilenPfad({prog}), QString());
  EXPECT_EQ(pv::kommandozeilenPfad({prog, QStringLiteral("\"/tmp/a b.MES\"")}), QStringLiteral("/tmp/a b.MES"));
  EXPECT_EQ(pv::kommandozeilenPfad({prog, QStringLiteral("/tmp/a"), QStringLiteral("b.MES")}), QStringLiteral("/tmp/a b.MES"));
  EXPECT_EQ(pv::kommandozeilenPfad({prog, QStringLiteral("\"/tmp/a.MES")}), QStringLiteral("\"/tmp/a.MES"));
  EXPECT_EQ(pv::kommandozeilenPfad({prog, QStringLiteral("\"")}), QStringLiteral("\""));
}

TEST(Startlogik, HelpFileAndDecimalSeparator) {
  pvtest::Programmumgebung u;
  EXPECT_EQ(pv::hilfedateiWaehlen(u.pfad()), QString());
  u.schreibe(QStringLiteral("Pelvaron_ob.hlp"), "x");
  EXPECT_EQ(pv::hilfedateiWaehlen(u.pfad()), u.pfad(QStringLiteral("Pelvaron_ob.hlp")));
  u.schreibe(QStringLiteral("Pelvaron.hlp"), "x");
  EXPECT_EQ(pv::hilfedateiWaehlen(u.pfad()), u.pfad(QStringLiteral("Pelvaron.hlp")));
  EXPECT_EQ(pv::dezimaltrennzeichenAusLocale(QLocale(QLocale::German)), QStringLiteral(","));
  EXPECT_EQ(pv::dezimaltrennzeichenAusLocale(QLocale(QLocale::English)), QStringLiteral("."));
}

}  // namespace
