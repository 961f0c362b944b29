// The graph window itself: its start-up after a failure, a running recording
// that draws into it, and its connection to the main window.
#include "views/grafikfenster.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QLineEdit>
#include <QTextEdit>
#include <QWindow>
#include <QtCore/qtestsupport_core.h>
#include <QtTest/qtestkeyboard.h>
#include <cmath>
#include <stdexcept>

#include "acquisition/speichern.h"
#include "ansichten_testhilfe.h"
#include "common/allgemein.h"
#include "common/farben.h"
#include "common/tolvek.h"
#include "main/datenauswertung.h"
#include "main/form1.h"
#include "main/messdatei.h"
#include "main/programm.h"
#include "views/ansichtenzustand.h"
#include "views/einstellungsfenster.h"
#include "views/tabellenfenster.h"
#include "views/verdrahtung.h"
#include "common/textdatei.h"
#include "support/kleinesdateisystem.h"
#include "support/pseudoterminal.h"

namespace {

constexpr uint32_t kRot = 0x0000FF;  // 0x00BBGGRR

// The recording control, as far as storing a value calls it.
int pixelDerFarbe(const QImage& bild, QRgb farbe) {
  int n = 0;
  for (int y = 0; y < bild.height(); ++y)
    for (int x = 0; x < bild.width(); ++x) n += bild.pixel(x, y) == farbe;
  return n;
}

// A mouse event on the plot area at the pixel of a value.
void maus(pv::GrafikBild* graf, QEvent::Type art, Qt::MouseButton taste, Qt::MouseButtons tasten, QPointF wert) {
  const QPointF pixel = graf->flaeche().zuPixel(wert.x(), wert.y());
  QMouseEvent e(art, pixel, graf->mapToGlobal(pixel), taste, tasten, Qt::NoModifier);
  QApplication::sendEvent(graf, &e);
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

TEST_F(Grafikfenster, TheXRangeFieldsShowAWholeDateOnA1024PixelScreen) {
  pv::hauptmodul().einstellungen.XZahlenformatnummer = 16;
  pv::grafikParameter().XZahlenformat = 16;
  Tolvek::zustand().MessStartDatumZeit = QDateTime(QDate(2024, 3, 5), QTime(14, 0, 0));
  pvtest::Ansichtenumgebung::messungMit(20);
  pv::FormGRAFIK fenster;
  fenster.Zeigen();
  // Resized once it is on the screen and placed there.
  ASSERT_TRUE(pvtest::warteBis([&] { return fenster.windowHandle()->isExposed(); }));
  QCoreApplication::processEvents();
  fenster.resize(1024, 700);
  fenster.NeuButton_Click();
  pvtest::ereignisseFuer(50);
  for (QLineEdit* feld : {fenster.TextMinimumX, fenster.TextMaximumX}) {
    ASSERT_EQ(feld->text().size(), 19) << feld->text().toStdString();
    // The cursor stands at the end; the first character is still in view.
    EXPECT_EQ(feld->cursorPosition(), 19);
    EXPECT_EQ(feld->cursorPositionAt(QPoint(1, feld->height() / 2)), 0) << feld->text().toStdString();
  }
  EXPECT_LE(fenster.TextMinimumX->geometry().right(), fenster.TextMaximumX->geometry().left()) << "no overlap";
  Tolvek::zustand().MessStartDatumZeit = QDateTime();
}

TEST_F(Grafikfenster, ARunningRecordingWidensTheXRangeAndAddsItsPoints) {
  pv::FormGRAFIK fenster;
  ASSERT_EQ(pv::ansichten().grafik, &fenster);
  pv::Hauptmodul& h = pv::hauptmodul();
  const int64_t start = 5'000'000;  // the running clock at the start, ms
  h.MessungLaeuft = h.AufzeichnungAktiv = true;
  h.aufzeichnung.starten(start, h.XMaxStart);
  fenster.Zeigen();

  pvtest::StilleAufnahme aufnahme;
  const auto speichern = [&](int sekunden, float wert) {
    pv::Speichereinstellungen e;
    e.XZahlenformatnummer = 10;
    e.XNachkommastellen = 2;
    pv::grafikWerteUebernehmen(e);
    pv::WertSpeichern(wert, start + sekunden * 1000, h.messdaten, h.aufzeichnung, e, QString(), aufnahme,
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
  const QPointF ort = fenster.GRAF->flaeche().zuPixel(150, 1.0);
  EXPECT_EQ(bild.pixel(int(std::floor(ort.x())), int(std::floor(ort.y()))), pv::farbe(kRot).rgb());

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

  // The settings dialog's choice reaches the settings file at the exit.
  EXPECT_TRUE(f.MOptionen->isEnabled());
  for (size_t n = 2; n <= 5; ++n) pv::hauptmodul().einstellungen.Schemata[n] = pv::hauptmodul().einstellungen.Schemata[1];
  pv::FormEinstellungen optionen;
  optionen.laden();
  optionen.OptionZahlenformatY[4]->setChecked(true);
  optionen.CommandOK_Click();

  pv::grafikParameter().MinMaxAutoX = false;
  pv::grafikParameter().XMin = 7;
  f.ProgrammBeenden();
  EXPECT_FALSE(pv::hauptmodul().einstellungen.MinMaxAutoX);
  EXPECT_EQ(pv::hauptmodul().einstellungen.XMin, 7.0f);
  EXPECT_TRUE(umgebung.programm.lies(QStringLiteral("Pelvaron.ini")).contains("\r\ny-Zahlenformatnummer=4\r\n"));
}

TEST_F(Grafikfenster, ADragZoomsAndThePreviousViewComesBack) {
  pvtest::Ansichtenumgebung::messungMit(21);  // 0..10 s, 10..210
  pv::FormGRAFIK fenster;
  fenster.Zeigen();
  fenster.NeuButton_Click();
  const QString vorherMax = fenster.TextMaximumX->text();
  fenster.OptionZoom->click();
  maus(fenster.GRAF, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {2, 150});
  maus(fenster.GRAF, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {6, 50});
  EXPECT_TRUE(fenster.LabelMultiF->text().startsWith(QStringLiteral("Zoom-Bereich: ")));
  maus(fenster.GRAF, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {6, 50});
  EXPECT_FALSE(fenster.CheckMinMaxAutoX->isChecked());
  EXPECT_FALSE(fenster.CheckMinMaxAutoY->isChecked());
  EXPECT_NEAR(pv::grafikParameter().XMin, 2.0, 0.1);
  EXPECT_NEAR(pv::grafikParameter().XMax, 6.0, 0.1);
  EXPECT_NE(fenster.TextMaximumX->text(), vorherMax);

  fenster.MVorhAns->trigger();
  EXPECT_EQ(fenster.TextMaximumX->text(), vorherMax);

  // Typing into a field switches its automatic box off.
  fenster.MNeuzeichnen->trigger();
  EXPECT_TRUE(fenster.CheckIntervallAutoY->isChecked());
  fenster.TextIntervallY->textEdited(QStringLiteral("5"));
  EXPECT_FALSE(fenster.CheckIntervallAutoY->isChecked());
}

TEST_F(Grafikfenster, ShownAgainAfterClosingItDrawsTheMeasurementNowOpenAsIfFreshlyLoaded) {
  pvtest::Ansichtenumgebung::messungMit(21);
  pv::FormGRAFIK fenster;
  fenster.Zeigen();
  fenster.close();
  fenster.Zeigen();  // with its frame known: from now on shown at one size
  fenster.NeuButton_Click();
  fenster.MesswertAnzeigen(QStringLiteral("1,5"), QStringLiteral("m"), QStringLiteral("V"));
  const QString vorherMax = fenster.TextMaximumX->text();
  fenster.OptionFlaecheninhalt->click();
  fenster.CheckMWRasten->setChecked(false);
  maus(fenster.GRAF, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {2, 100});
  ASSERT_TRUE(fenster.maus.ueberlagerung.integralLinie);
  fenster.close();

  pv::Messtexte texte;
  ASSERT_TRUE(pv::MessungEinlesen(pvtest::testdatei(QStringLiteral("messung_grafik.mes")), false,
                                  pv::hauptmodul().messdaten, texte)
                  .gelesen());
  fenster.Zeigen();
  const QString gezeigtMax = fenster.TextMaximumX->text();
  const float gezeichnetMax = fenster.GRAF->flaeche().letzteGrafik.XMax;
  EXPECT_NE(gezeigtMax, vorherMax);
  fenster.NeuButton_Click();
  EXPECT_EQ(gezeigtMax, fenster.TextMaximumX->text()) << "as \"Aktualisieren\" draws it";
  EXPECT_EQ(gezeichnetMax, fenster.GRAF->flaeche().letzteGrafik.XMax);

  EXPECT_TRUE(fenster.OptionKoordinaten->isChecked());
  EXPECT_TRUE(fenster.CheckMWRasten->isChecked());
  EXPECT_EQ(fenster.maus.modus, pv::Mausmodus::Koordinaten);
  EXPECT_TRUE(fenster.maus.einrasten);
  EXPECT_FALSE(fenster.maus.ueberlagerung.integralLinie);
  for (const QLabel* l : {fenster.lblMesswert, fenster.lblEinheit1, fenster.lblEinheit2})
    EXPECT_TRUE(l->text().isEmpty());
}

TEST_F(Grafikfenster, SmoothingAsksPreviewsAndMarksTheMeasurementUnsaved) {
  pvtest::Ansichtenumgebung::messungMit(3);  // 10, 20, 30
  pv::FormGRAFIK fenster;
  fenster.Zeigen();
  auto& eingaben = umgebung.programm.eingaben;
  auto& meldungen = umgebung.programm.meldungen;
  pv::Hauptmodul& h = pv::hauptmodul();

  eingaben.antworten = {QStringLiteral("-1")};
  fenster.mnuKurveGlaetten->trigger();
  EXPECT_TRUE(meldungen.boxen.empty());
  EXPECT_EQ(h.messdaten.y[1], 10.0f);

  eingaben.antworten = {QStringLiteral("1")};
  meldungen.antworten = {pv::Antwort::Nein};
  fenster.mnuKurveGlaetten->trigger();
  EXPECT_EQ(h.messdaten.y[1], 10.0f);
  EXPECT_TRUE(h.MessungGespeichert);

  eingaben.antworten = {QStringLiteral("1")};
  meldungen.antworten = {pv::Antwort::Ja};
  fenster.mnuKurveGlaetten->trigger();
  EXPECT_EQ(h.messdaten.y[1], 15.0f);
  EXPECT_EQ(h.messdaten.y[2], 20.0f);
  EXPECT_FALSE(h.MessungGespeichert);
}

TEST_F(Grafikfenster, EvaluationsOfAViewWithoutValuesSaySo) {
  pvtest::Ansichtenumgebung::messungMit(5);  // 0..2 s
  pv::FormGRAFIK fenster;
  fenster.Zeigen();
  fenster.CheckMinMaxAutoX->setChecked(false);
  fenster.TextMinimumX->setText(QStringLiteral("0,60"));
  fenster.TextMaximumX->setText(QStringLiteral("0,90"));
  fenster.NeuButton_Click();
  fenster.MMittelArithm->trigger();
  fenster.MMinMax->trigger();
  auto& boxen = umgebung.programm.meldungen.boxen;
  ASSERT_EQ(boxen.size(), 2u);
  EXPECT_EQ(boxen[0].text, pv::keineWerteImBereichText());
  EXPECT_EQ(boxen[1].text, pv::keineWerteImBereichText());
}

TEST_F(Grafikfenster, ThePictureGoesToABitmapOfTheAskedSizeAndToTheClipboard) {
  pvtest::Ansichtenumgebung::messungMit(5);
  pv::FormGRAFIK fenster;
  fenster.Zeigen();
  pvtest::FakeDateiauswahl auswahl;
  auswahl.antwort = umgebung.programm.pfad(QStringLiteral("bild.bmp"));
  pv::dateiauswahlSetzen(&auswahl);
  umgebung.programm.eingaben.antworten = {QStringLiteral("70000;600"), QStringLiteral("800;600")};
  fenster.mnuGrafikExp[0]->trigger();
  pv::dateiauswahlSetzen(nullptr);
  ASSERT_EQ(umgebung.programm.meldungen.boxen.size(), 1u);
  EXPECT_EQ(umgebung.programm.eingaben.fragen_[1].vorgabe, QStringLiteral("70000;600"));
  EXPECT_EQ(auswahl.vorschlaege, QStringList{QStringLiteral("Bild1.BMP")});
  const QImage bild(auswahl.antwort, "BMP");
  EXPECT_EQ(bild.size(), QSize(800, 600));
  EXPECT_GT(pixelDerFarbe(bild, pv::farbe(kRot).rgb()), 0);

  const QImage vorher = fenster.GRAF->bild();
  umgebung.programm.eingaben.antworten = {QStringLiteral("300;200")};
  fenster.mnuGrafikExp[1]->trigger();
  EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(300, 200));
  EXPECT_EQ(fenster.GRAF->bild(), vorher);
}

// A bitmap that a full disk cannot take keeps the file it would replace
// byte for byte; the error handler says so.
TEST_F(Grafikfenster, AFullDiskKeepsTheBitmapFileItWouldReplace) {
  pvtest::KleinesDateisystem platte;
  if (!platte.bereit()) GTEST_SKIP() << platte.grund().toStdString();
  pvtest::Ansichtenumgebung::messungMit(5);
  pv::FormGRAFIK fenster;
  fenster.Zeigen();
  pvtest::FakeDateiauswahl auswahl;
  auswahl.antwort = platte.pfad(QStringLiteral("bild.bmp"));
  const QByteArray alt(3000, 'a');
  ASSERT_TRUE(pv::dateiErsetzen(auswahl.antwort, alt));
  platte.fuellen();
  pv::dateiauswahlSetzen(&auswahl);
  umgebung.programm.eingaben.antworten = {QStringLiteral("800;600")};
  fenster.mnuGrafikExp[0]->trigger();
  pv::dateiauswahlSetzen(nullptr);
  ASSERT_EQ(umgebung.programm.meldungen.boxen.size(), 1u);
  EXPECT_TRUE(umgebung.programm.meldungen.boxen[0].text.startsWith(QStringLiteral("In der Prozedur 'FehlerMMGrafikBMP'")));
  QByteArray gelesen;
  EXPECT_TRUE(pv::dateiLesen(auswahl.antwort, gelesen) && gelesen == alt);
}

}  // namespace

namespace {

// The help item of the graph and the table window names F1 once, and F1
// pressed in the window opens the help (without a help file: the box that
// says so).
TEST_F(Grafikfenster, HelpItemShowsF1OnceAndF1OpensTheHelp) {
  pv::FormGRAFIK grafik;
  pv::TabellenFenster tabelle;
  const std::pair<QWidget*, QAction*> fenster[] = {{&grafik, grafik.mnuHilfe}, {&tabelle, tabelle.mnuHilfe}};
  for (const auto& [f, hilfe] : fenster) {
    SCOPED_TRACE(f->metaObject()->className());
    EXPECT_EQ((hilfe->text() + u'\t' + hilfe->shortcut().toString()).count(QStringLiteral("F1")), 1);
    umgebung.programm.meldungen.boxen.clear();
    f->show();
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([f] { return f->isActiveWindow(); }, 2000));
    // As the window system hands a key over: shortcuts first.
    qt_sendShortcutOverrideEvent(f, 0, Qt::Key_F1, Qt::NoModifier);
    ASSERT_EQ(umgebung.programm.meldungen.boxen.size(), 1u);
    EXPECT_EQ(umgebung.programm.meldungen.boxen[0].text, Tolvek::KeineHilfedateiText());
    f->hide();
  }
}

}  // namespace
