// Printing: the page layout, a PDF of the fixture graph, the graph window's
// own range, a full disk and a drawing that fails.
#include "views/druckfenster.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include "ansichten_testhilfe.h"
#include "common/farben.h"
#include "common/laufzeitfehler.h"
#include "common/textdatei.h"
#include "devices/kennlinienbild.h"
#include "devices/sensordatei.h"
#include "main/messdatei.h"
#include "support/kleinesdateisystem.h"
#include "views/ansichtenzustand.h"
#include "views/grafikfenster.h"

namespace {

TEST(Drucklayout, TheGraphSitsAtItsPlaceOnThePage) {
  pv::GrafikEinstellungen p;
  p.XMax = 10;
  p.YMax = 2;
  p.RandLinks = p.RandRechts = p.RandOben = p.RandUnten = 0.25f;
  const double k = 100 / 1.5;  // millimetres per axis span
  pv::Drucklayout l{100, 100, true, true, 0, 0};
  const QSizeF a4(210, 297);
  auto r = pv::druckeinstellungen(p, false, {}, l, a4);
  ASSERT_TRUE(r);
  EXPECT_NEAR(r->ZusatzLinks * k, 55, 1e-3);
  EXPECT_NEAR(r->ZusatzRechts * k, 55, 1e-3);
  EXPECT_NEAR(r->ZusatzOben * k, 98.5, 1e-3);
  l.horizontalZentriert = false;
  l.linkerRand = 20;
  r = pv::druckeinstellungen(p, false, {}, l, a4);
  EXPECT_NEAR(r->ZusatzLinks * k, 20, 1e-3);
  EXPECT_NEAR(r->ZusatzRechts * k, 90, 1e-3);

  // Scheme 5 for the printer.
  pv::DarstellungsSchema s5{4, 5, 6, 7, 1, 2, 3, 4};
  EXPECT_EQ(pv::druckeinstellungen(p, true, s5, l, a4)->Liniendicke, 4);
  // A graph without size, or a record without span, cannot be placed.
  EXPECT_FALSE(pv::druckeinstellungen(p, false, {}, {0, 100, true, true, 0, 0}, a4));
  EXPECT_FALSE(pv::druckeinstellungen(p, false, {}, {100, -5, true, true, 0, 0}, a4));
  p.YMax = 0;
  EXPECT_FALSE(pv::druckeinstellungen(p, false, {}, l, a4));

  EXPECT_EQ(pv::seitenfelder(false, {200, 280}), std::make_pair(QStringLiteral("200"), QStringLiteral("140")));
  EXPECT_EQ(pv::seitenfelder(true, {280, 200}), std::make_pair(QStringLiteral("280"), QStringLiteral("200")));
  EXPECT_EQ(pv::schriftgroesseSkaliert(0, 3, 0.5), 0);
  EXPECT_EQ(pv::schriftgroesseSkaliert(12, 3, 0.5), 18);
}

TEST(Drucklayout, ThePageBoxHasThePagesProportionsAndAPageWithoutSizeOverflows) {
  EXPECT_EQ(pv::seitenkasten(false, {200, 280}, 260), QSize(185, 260));
  EXPECT_EQ(pv::seitenkasten(true, {280, 200}, 260), QSize(260, 185));
  for (const bool quer : {false, true}) {
    try {
      pv::seitenkasten(quer, {0, 0}, 260);
      ADD_FAILURE() << "no overflow, across: " << quer;
    } catch (const pv::Laufzeitfehler& fehler) {
      EXPECT_EQ(fehler.nummer(), pv::Laufzeitfehler::kUeberlauf);
    }
  }
}

int pixelWie(const QImage& bild, const std::function<bool(QColor)>& passt) {
  int n = 0;
  for (int y = 0; y < bild.height(); ++y)
    for (int x = 0; x < bild.width(); ++x) n += passt(bild.pixelColor(x, y));
  return n;
}

// Where the picture's pixels of that kind lie.
QRect ausdehnung(const QImage& bild, const std::function<bool(QColor)>& passt) {
  QRect r;
  for (int y = 0; y < bild.height(); ++y)
    for (int x = 0; x < bild.width(); ++x)
      if (passt(bild.pixelColor(x, y))) r |= QRect(x, y, 1, 1);
  return r;
}

// Runs `aktion`; each modal dialog it opens is handed to `antwort`, which
// must close it. Returns how many opened.
int modaleDialoge(const std::function<void()>& aktion, const std::function<void(QDialog&)>& antwort) {
  int anzahl = 0;
  QTimer waechter;
  waechter.setInterval(10);
  QObject::connect(&waechter, &QTimer::timeout, [&] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      ++anzahl;
      antwort(*dialog);
    }
  });
  waechter.start();
  aktion();
  return anzahl;
}

// Ghostscript, a reader not written here, on a PDF file; its output.
QByteArray ghostscript(const QStringList& argumente) {
  QProcess gs;
  gs.start(QStringLiteral("gs"),
           QStringList{QStringLiteral("-q"), QStringLiteral("-dBATCH"), QStringLiteral("-dNOPAUSE")} + argumente);
  EXPECT_TRUE(gs.waitForFinished(30000));
  return gs.readAllStandardOutput();
}

bool rot(QColor c) { return c.red() > 200 && c.green() < 80 && c.blue() < 80; }
bool dunkel(QColor c) { return c.red() < 80 && c.green() < 80 && c.blue() < 80; }

class Drucken : public ::testing::Test {
 protected:
  Drucken() {
    pv::Einstellungen& e = pv::hauptmodul().einstellungen;
    for (size_t n = 1; n <= 5; ++n) e.Schemata[n] = {2, 3, 1, 1, 0xFFFFFF, 0xFFFFFF, 0x000000, 0x0000FF};
    e.AktuellesSchema = 1;
    e.MesswerteVerbunden = 1;
    pv::grafikParameterAusEinstellungen(e);
    auswahl.antwort = umgebung.programm.pfad(QStringLiteral("grafik.pdf"));
    pv::dateiauswahlSetzen(&auswahl);
  }
  ~Drucken() override {
    pv::dateiauswahlSetzen(nullptr);
    pv::ansichtenzustand() = pv::Ansichtenzustand{};
  }
  // 21 values and the graph's record spanning them: a page to lay out.
  static void kleineGrafik() {
    pvtest::Ansichtenumgebung::messungMit(21);
    pv::GrafikEinstellungen& p = pv::grafikParameter();
    p.XMax = 10;
    p.YMax = 210;
  }
  // The fixture measurement, the current one, in the graph window.
  static void fixtureZeigen(pv::FormGRAFIK& grafik) {
    pv::Messtexte texte;
    ASSERT_TRUE(pv::MessungEinlesen(pvtest::testdatei(QStringLiteral("messung_grafik.mes")), false,
                                    pv::hauptmodul().messdaten, texte)
                    .gelesen());
    grafik.Zeigen();
  }
  // As the user picks an entry of the printer box.
  static void eintragWaehlen(pv::FormDrucken& dialog, const QString& eintrag) {
    if (dialog.Combo1->findText(eintrag) < 0) dialog.Combo1->addItem(eintrag);
    dialog.Combo1->setCurrentText(eintrag);
    dialog.Combo1->activated(dialog.Combo1->currentIndex());
  }

  pvtest::Ansichtenumgebung umgebung;
  pvtest::FakeDateiauswahl auswahl;
};

// The fixture graph on one PDF page, read back by ghostscript. A sensor
// characteristic plotted since on another surface changes neither the
// printed axes nor the preview nor the cross-hair: they belong to the graph
// window's last drawing.
TEST_F(Drucken, TheFixtureGraphPrintsWithItsOwnAxesAfterACharacteristicWasDrawn) {
  const pv::Hauptmodul& h = pv::hauptmodul();
  pv::FormGRAFIK grafik;
  ASSERT_NO_FATAL_FAILURE(fixtureZeigen(grafik));
  grafik.NeuButton_Click();
  const pv::Grafikbereich gezeigt = grafik.GRAF->flaeche().letzteGrafik;

  pv::Kennlinie& fuehler = pv::sensorZustand().Fuehler;
  const pv::Kennlinie vorher = fuehler;
  fuehler.X = {0, 0, 3};
  fuehler.Y = {0, 20, 80};
  pv::KennlinienBild kennlinie;
  kennlinie.zeichnen(pv::kennlinieGrafik(QStringLiteral("Test"), QStringLiteral("x"), QStringLiteral("y")), u',');
  fuehler = vorher;

  grafik.CheckMWRasten->setChecked(false);
  const QPointF mitte((gezeigt.XMin + gezeigt.XMax) / 2, (gezeigt.YMin + gezeigt.YMax) / 2);
  grafik.GRAF_MouseDown(pv::kMausLinks, mitte);
  EXPECT_EQ(grafik.maus.ueberlagerung.zeigerV, QLineF(mitte.x(), gezeigt.YMin, mitte.x(), gezeigt.YMax));
  EXPECT_EQ(grafik.maus.ueberlagerung.zeigerH, QLineF(gezeigt.XMin, mitte.y(), gezeigt.XMax, mitte.y()));

  pv::FormDrucken dialog;
  eintragWaehlen(dialog, pv::FormDrucken::kPdfEintrag);
  EXPECT_GT(pixelWie(dialog.vorschaubild(), [](QColor c) { return c.red() > c.green() + 60; }), 0)
      << "the preview shows the curve, as thin as on paper";
  dialog.CommandOK_Click();
  EXPECT_TRUE(umgebung.programm.meldungen.boxen.empty());

  const QByteArray pdf = umgebung.programm.lies(QStringLiteral("grafik.pdf"));
  ASSERT_TRUE(pdf.startsWith("%PDF"));
  EXPECT_EQ(QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)"))), 1);

  const QString png = umgebung.programm.pfad(QStringLiteral("seite.png"));
  ghostscript({QStringLiteral("-sDEVICE=png16m"), QStringLiteral("-r40"), QStringLiteral("-sOutputFile=") + png,
               auswahl.antwort});
  const QImage seite(png);
  ASSERT_FALSE(seite.isNull());
  EXPECT_GT(pixelWie(seite, rot), 20) << "curve";
  EXPECT_GT(pixelWie(seite, dunkel), 200) << "title, labels and axes";
  const QString text = QString::fromUtf8(
      ghostscript({QStringLiteral("-sDEVICE=txtwrite"), QStringLiteral("-sOutputFile=-"), auswahl.antwort}));
  for (const float wert : {gezeigt.XMax, gezeigt.YMax}) {
    const QString label = QString::number(wert, 'f', 2).replace(u'.', h.Dezimaltrennzeichen);
    EXPECT_TRUE(text.contains(label)) << label.toStdString() << " in\n" << text.toStdString();
  }
}

// Ink of a picture on white, in pixels fully covered: the red curve's and
// that of grey and black.
std::pair<double, double> tinte(const QImage& bild) {
  double rotTinte = 0, dunkleTinte = 0;
  for (int y = 0; y < bild.height(); ++y)
    for (int x = 0; x < bild.width(); ++x) {
      const QRgb c = bild.pixel(x, y);
      rotTinte += std::max(0, qRed(c) - qGreen(c)) / 255.0;
      dunkleTinte += (255 - qRed(c)) / 255.0;
    }
  return {rotTinte, dunkleTinte};
}

// The fixture graph's page: its lines as wide on paper as the settings ask
// (widths in screen pixels, grown by the printer's resolution over the
// screen's), and the preview that page shrunk, with as much ink where the
// page has it.
TEST_F(Drucken, PrintedLinesKeepTheirWidthAndThePreviewShowsThePageAsPrinted) {
  pv::FormGRAFIK grafik;
  ASSERT_NO_FATAL_FAILURE(fixtureZeigen(grafik));
  pv::grafikParameter().MesspunkteAnzeigen = 0;  // the curve's line alone
  grafik.NeuButton_Click();
  pv::FormDrucken dialog;
  eintragWaehlen(dialog, pv::FormDrucken::kPdfEintrag);
  dialog.CommandOK_Click();
  const pv::GrafikEinstellungen& p = pv::grafikParameter();
  const QPrinter& drucker = dialog.drucker();

  const QString png = umgebung.programm.pfad(QStringLiteral("seite.png"));
  ghostscript({QStringLiteral("-sDEVICE=png16m"), QStringLiteral("-r300"), QStringLiteral("-sOutputFile=") + png,
               auswahl.antwort});
  const QImage seite(png);
  ASSERT_FALSE(seite.isNull());
  std::vector<int> dunkle(seite.width()), rote(seite.width());
  for (int y = 0; y < seite.height(); ++y)
    for (int x = 0; x < seite.width(); ++x) {
      dunkle[x] += dunkel(seite.pixelColor(x, y));
      rote[x] += rot(seite.pixelColor(x, y));
    }
  const double proPixel = std::nearbyint(drucker.resolution() / 96.0) * 300 / drucker.resolution();
  // The y axis: the darkest column and its neighbours nearly as dark.
  const auto achse = std::max_element(dunkle.begin(), dunkle.end());
  auto links = achse, rechts = achse;
  while (*(links - 1) > *achse * 0.8) --links;
  while (*(rechts + 1) > *achse * 0.8) ++rechts;
  EXPECT_NEAR(rechts - links + 1, p.LiniendickeAchsen * proPixel, 1) << "the y axis";
  // The curve: between its round ends no column holds less than its width.
  const double linie = p.Liniendicke * proPixel;
  const auto anfang = std::find_if(rote.begin(), rote.end(), [](int n) { return n > 0; }) + int(linie);
  const auto ende = std::find_if(rote.rbegin(), rote.rend(), [](int n) { return n > 0; }).base() - int(linie);
  ASSERT_GT(ende - anfang, 300);
  EXPECT_NEAR(*std::min_element(anfang, ende), linie, 1) << "the curve";

  // With point markers, the page rendered ten times finer than the preview,
  // its ink counted in preview pixels.
  pv::grafikParameter().MesspunkteAnzeigen = 1;
  grafik.NeuButton_Click();
  dialog.CommandOK_Click();
  dialog.GrafikVorschauDrucken(0);
  const QImage vorschau = dialog.vorschaubild();
  const double dpi = 10 * vorschau.width() / drucker.pageLayout().paintRect(QPageLayout::Inch).width();
  ghostscript({QStringLiteral("-sDEVICE=png16m"), QStringLiteral("-r") + QString::number(dpi, 'f', 3),
               QStringLiteral("-dGraphicsAlphaBits=4"), QStringLiteral("-dTextAlphaBits=4"),
               QStringLiteral("-sOutputFile=") + png, auswahl.antwort});
  const auto [rotFein, dunkelFein] = tinte(QImage(png));
  const auto [rotGezeigt, dunkelGezeigt] = tinte(vorschau);
  EXPECT_NEAR(rotGezeigt / (rotFein / 100), 1, 0.35) << "the curve";
  EXPECT_NEAR(dunkelGezeigt / (dunkelFein / 100), 1, 0.35) << "axes, grid and texts";
  // Each ink where the page has it: its extent in preview pixels.
  const QPoint rand = (drucker.pageLayout().paintRect(QPageLayout::Inch).topLeft() * dpi).toPoint();
  for (const auto art : {+[](QColor c) { return c.red() - c.green() > 40; },
                         +[](QColor c) { return c.red() < 200 && c.red() - c.green() <= 40; }}) {
    const QRect f = ausdehnung(QImage(png), art).translated(-rand), g = ausdehnung(vorschau, art);
    for (const auto& [gezeigt, fein] :
         {std::pair{g.left(), f.left()}, {g.top(), f.top()}, {g.right(), f.right()}, {g.bottom(), f.bottom()}})
      EXPECT_NEAR(gezeigt, fein / 10.0, 1) << "an edge of the preview's ink against the page's";
  }
}

TEST_F(Drucken, ASystemPrinterChosenAfterAPdfPrintsNoLongerIntoThatFile) {
  pv::FormDrucken dialog;
  eintragWaehlen(dialog, pv::FormDrucken::kPdfEintrag);
  EXPECT_EQ(dialog.drucker().outputFormat(), QPrinter::PdfFormat);
  dialog.drucker().setOutputFileName(auswahl.antwort);  // a file the printer still names
  eintragWaehlen(dialog, QStringLiteral("Laserdrucker"));
  EXPECT_EQ(dialog.drucker().outputFileName(), QString());
}

// The graph's PDF and bitmap exports start in the folder chosen last in
// either, else where the measurements are. A file put into the program
// folder is not remembered; the measurements' folder stays as it was.
TEST_F(Drucken, TheGraphExportsStartInTheFolderChosenLastInEither) {
  kleineGrafik();
  QTemporaryDir messungen, bilder;
  pv::hauptmodul().einstellungen.OrdnerMessungen = messungen.path();
  pv::FormGRAFIK grafik;
  grafik.Zeigen();
  pv::FormDrucken dialog;
  eintragWaehlen(dialog, pv::FormDrucken::kPdfEintrag);
  const std::function<void()> pdf = [&] { dialog.CommandOK_Click(); };
  const std::function<void()> bitmap = [&] {
    umgebung.programm.eingaben.antworten = {QStringLiteral("100;100")};
    grafik.mnuGrafikExp[0]->trigger();
  };
  // A folder chosen is remembered also where it is the one offered; "Ordner
  // Messungen" may change since (a measurement opened elsewhere).
  auswahl.antwort = messungen.filePath(QStringLiteral("0.pdf"));
  pdf();
  pv::hauptmodul().einstellungen.OrdnerMessungen = bilder.path();
  const struct {
    std::function<void()> exportieren;
    QString datei, start;
  } schritte[] = {{pdf, umgebung.programm.pfad(QStringLiteral("a.pdf")), messungen.path()},
                  {bitmap, bilder.filePath(QStringLiteral("b.BMP")), messungen.path()},
                  {pdf, bilder.filePath(QStringLiteral("c.pdf")), bilder.path()}};
  for (const auto& schritt : schritte) {
    auswahl.antwort = schritt.datei;
    schritt.exportieren();
    SCOPED_TRACE(schritt.datei.toStdString());
    EXPECT_TRUE(QFile::exists(schritt.datei));
    EXPECT_EQ(auswahl.gestartetIn.back().toStdString(), schritt.start.toStdString());
  }
  EXPECT_EQ(pv::hauptmodul().einstellungen.OrdnerMessungen.toStdString(), bilder.path().toStdString());
}

TEST_F(Drucken, ACopyCountBeyondAnyNumberIsRefusedAsOtherInputIs) {
  kleineGrafik();
  pv::grafikParameter().Schrittweite = 1;
  pv::FormDrucken dialog;
  eintragWaehlen(dialog, pv::FormDrucken::kPdfEintrag);
  umgebung.programm.meldungen.boxen.clear();
  dialog.Text2->setText(QStringLiteral("99999999999"));
  dialog.CommandOK_Click();
  ASSERT_EQ(umgebung.programm.meldungen.boxen.size(), 1u);
  EXPECT_EQ(umgebung.programm.meldungen.boxen[0].text, QStringLiteral("Es gab ein Problem bei der Vorschau der Grafik!"));
  EXPECT_FALSE(QFile::exists(auswahl.antwort));

  dialog.Text2->setText(QStringLiteral("2"));
  dialog.CommandOK_Click();
  EXPECT_EQ(umgebung.programm.meldungen.boxen.size(), 1u);
  EXPECT_TRUE(QFile::exists(auswahl.antwort));
}

TEST_F(Drucken, EnterInASizeFieldDrawsThePreviewAndPageSetUpKeepsTheLayout) {
  kleineGrafik();
  pv::FormDrucken dialog;
  eintragWaehlen(dialog, pv::FormDrucken::kPdfEintrag);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  dialog.CheckHor->setChecked(false);
  dialog.CheckVer->setChecked(false);
  const auto schliessen = [](QDialog& d) { d.reject(); };
  const QStringList layout{QStringLiteral("100"), QStringLiteral("80"), QStringLiteral("5"), QStringLiteral("6")};
  int n = 0;
  for (QLineEdit* feld : {dialog.TextBreite, dialog.TextHoehe, dialog.TextLR, dialog.TextOR}) {
    feld->setFocus();
    feld->setText(layout[n++]);
    const QImage vorher = dialog.vorschaubild();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(modaleDialoge([&] { QApplication::sendEvent(feld, &enter); }, schliessen), 0);
    EXPECT_NE(dialog.vorschaubild(), vorher) << "the preview is drawn anew";
  }
  EXPECT_TRUE(dialog.isVisible());

  // "Eigenschaften..." confirmed unchanged keeps the layout; a new
  // orientation there lays the page out as the option does.
  const auto bestaetigen = [](const QString& orientierung) {
    return [orientierung](QDialog& d) {
      if (!orientierung.isEmpty()) {
        auto* option = d.findChild<QRadioButton*>(orientierung);
        EXPECT_NE(option, nullptr) << "the page set-up's option " << orientierung.toStdString();
        if (option) option->click();
      }
      d.accept();
    };
  };
  const auto felder = [&] {
    return QStringList{dialog.TextBreite->text(), dialog.TextHoehe->text(), dialog.TextLR->text(),
                       dialog.TextOR->text()};
  };
  EXPECT_EQ(modaleDialoge([&] { dialog.CommandDrEig->click(); }, bestaetigen({})), 1);
  EXPECT_EQ(felder(), layout);
  EXPECT_EQ(modaleDialoge([&] { dialog.CommandDrEig->click(); }, bestaetigen(QStringLiteral("landscape"))), 1);
  EXPECT_TRUE(dialog.OptionPOQ->isChecked());
  EXPECT_EQ(pv::ansichtenzustand().Druckorientierung, 2);
  const QSizeF quer = dialog.drucker().pageLayout().paintRect(QPageLayout::Millimeter).size();
  const auto [breite, hoehe] = pv::seitenfelder(true, quer);
  EXPECT_EQ(felder(), (QStringList{breite, hoehe, QStringLiteral("0"), QStringLiteral("0")}));
}

// A PDF that a full disk cannot take leaves the file it would replace byte
// for byte and no file of its own, and says so. A file name not given goes
// back to the dialog.
TEST_F(Drucken, APdfThatDoesNotFitLeavesTheDiskAsItWasAndSaysSo) {
  pvtest::KleinesDateisystem platte;
  if (!platte.bereit()) GTEST_SKIP() << platte.grund().toStdString();
  kleineGrafik();
  pv::FormDrucken dialog;
  eintragWaehlen(dialog, pv::FormDrucken::kPdfEintrag);
  dialog.show();
  auto& boxen = umgebung.programm.meldungen.boxen;
  boxen.clear();
  auswahl.antwort.clear();
  dialog.CommandOK_Click();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(boxen.empty());

  const QByteArray alt("%PDF-1\n");
  ASSERT_TRUE(pv::dateiErsetzen(platte.pfad(QStringLiteral("alt.pdf")), alt));
  platte.fuellen();
  for (const QString& name : {QStringLiteral("alt.pdf"), QStringLiteral("neu.pdf")}) {
    SCOPED_TRACE(name.toStdString());
    auswahl.antwort = platte.pfad(name);
    boxen.clear();
    dialog.CommandOK_Click();
    EXPECT_EQ(boxen.size(), 1u);
    EXPECT_TRUE(!boxen.empty() && boxen[0].text.startsWith(QStringLiteral("Es gab ein Problem beim Drucken")));
  }
  QByteArray gelesen;
  EXPECT_TRUE(pv::dateiLesen(platte.pfad(QStringLiteral("alt.pdf")), gelesen) && gelesen == alt);
  EXPECT_EQ(QDir(platte.pfad()).entryList(QDir::Files | QDir::Hidden).join(u' ').toStdString(),
            ".fuellung alt.pdf");
}

// The printer's page set-up speaks millimetres as the dialog's fields do,
// also where the locale measures in inches.
TEST_F(Drucken, ThePageSetUpShowsMillimetresInAnyLocale) {
  const QLocale vorher;
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  pv::FormDrucken dialog;
  dialog.show();
  QStringList einheiten;
  modaleDialoge([&] { dialog.CommandDrEig->click(); },
                [&](QDialog& d) {
                  for (const QDoubleSpinBox* feld : d.findChildren<QDoubleSpinBox*>())
                    if (feld->isVisibleTo(&d)) einheiten << feld->suffix().trimmed();
                  d.reject();
                });
  QLocale::setDefault(vorher);
  einheiten.removeDuplicates();
  EXPECT_EQ(einheiten.join(u' ').toStdString(), "mm");
}

TEST_F(Drucken, ADrawingThatFailsCancelsTheJob) {
  // More values in view than a graph draws one by one: the plotting
  // routine ends with 6, everything but the values drawn.
  pvtest::Ansichtenumgebung::messungMit(20001);
  pv::GrafikEinstellungen& p = pv::grafikParameter();
  p.XMax = 10;
  p.YMax = 1;
  p.Schrittweite = 1;
  pv::FormDrucken dialog;
  eintragWaehlen(dialog, pv::FormDrucken::kPdfEintrag);
  umgebung.programm.meldungen.boxen.clear();
  dialog.CommandOK_Click();
  ASSERT_EQ(umgebung.programm.meldungen.boxen.size(), 1u);
  EXPECT_TRUE(umgebung.programm.meldungen.boxen[0].text.startsWith(QStringLiteral("Es gab ein Problem beim Drucken")));
  EXPECT_FALSE(QFile::exists(auswahl.antwort));

  // A size of 0 fails before anything is drawn, printed or previewed.
  dialog.TextBreite->setText(QStringLiteral("0"));
  for (int16_t vorDruck : {0, 1}) {
    dialog.GrafikVorschauDrucken(vorDruck);
    EXPECT_EQ(umgebung.programm.meldungen.boxen.back().text,
              QStringLiteral("Es gab ein Problem bei der Vorschau der Grafik!"));
  }
}

}  // namespace
