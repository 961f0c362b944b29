#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

#include "acquisition/erfassungszustand.h"
#include "ansichten_testhilfe.h"
#include "main/programm_mit_geraet.h"
#include "views/displaylayout.h"
#include "views/displayneu.h"
#include "views/verdrahtung.h"

namespace {

using pv::Ausrichtung;

TEST(DisplayLayout, PanelBoxesAndStripStayInsideAnyWindow) {
  constexpr int kLeiste = 90;
  const struct {
    QSize innen;
    bool schmaler;  // the panel is narrower than the window allows
  } faelle[] = {{pv::displayMindestgroesse(), true}, {{1024, 738}, false}, {{1920, 400}, true},
                {{700, 1400}, false}, {{3000, 2000}, false}};
  for (const auto& [innen, schmaler] : faelle) {
    SCOPED_TRACE(QStringLiteral("%1x%2").arg(innen.width()).arg(innen.height()).toStdString());
    const pv::Displaygeometrie g = pv::displayLayout(innen, kLeiste);
    const QRect fenster(QPoint(0, 0), innen);
    EXPECT_TRUE(fenster.contains(g.leiste)) << "the strip and its close button stay on screen";
    EXPECT_LE(g.panel.bottom(), g.leiste.top() - 8);
    EXPECT_TRUE(fenster.contains(g.panel));
    EXPECT_EQ(g.panel.center().x(), g.wert.center().x()) << "value box centred in the panel";
    EXPECT_TRUE(g.panel.contains(g.wert));
    for (const QRect& e : {g.einheit1, g.einheit2}) {
      EXPECT_TRUE(g.panel.contains(e));
      EXPECT_GT(e.top(), g.wert.bottom());
    }
    EXPECT_LT(g.einheit1.right(), g.einheit2.left());
    EXPECT_NEAR(g.panel.height() * 7215.0 / g.panel.width(), 3495, 30) << "the panel keeps its proportions";
    // A low window narrows the panel; otherwise it spans the window.
    EXPECT_EQ(g.panel.width() < innen.width() - 2 * 16, schmaler);
  }
}

TEST(DisplayLayout, ValueFieldPlusSignIsTheReferenceWidth) {
  struct Fall {
    const char* name;
    int16_t beginn, ende;
    int zeichen;
  } faelle[] = {
      {"normalised record, value in 7..12", 7, 12, 7},
      {"five-character field", 1, 5, 6},
      {"positions found per record", 0, 0, 7},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    pv::Erfassungszustand z;
    z.Messwertbeginn = f.beginn;
    z.Messwertende = f.ende;
    EXPECT_EQ(pv::wertZeichenzahl(z), f.zeichen);
  }
}

QSizeF mass(QFont f, double groesse, const QString& text) {
  f.setPointSizeF(groesse);
  const QFontMetricsF m(f);
  return {m.horizontalAdvance(text), m.height()};
}

TEST(DisplayFitting, TheValueFillsItsBoxAndIsNeverCut) {
  const QFont arial(QStringLiteral("Arial"), 180);
  for (const QSize box : {QSize(560, 167), QSize(1800, 540), QSize(300, 300)}) {
    SCOPED_TRACE(box.width());
    const double groesse = pv::wertSchriftgroesse(arial, box, 7);
    const QSizeF n = mass(arial, groesse, QStringLiteral("0000000"));
    EXPECT_LE(n.width(), box.width() * 1.02);
    EXPECT_LE(n.height(), box.height() * 1.02);
    EXPECT_GT(std::max(n.width() / box.width(), n.height() / box.height()), 0.95) << "one direction is filled";
  }
  QFont wert = arial;
  wert.setPointSizeF(pv::wertSchriftgroesse(arial, {560, 167}, 7));
  const QString lang = QStringLiteral("-12345678,901");
  for (const Ausrichtung a : {Ausrichtung::Links, Ausrichtung::Rechts, Ausrichtung::Mitte}) {
    const pv::Textplatz p = pv::wertPlatzieren(wert, {560, 167}, lang, a);
    EXPECT_GE(p.x, 0);
    EXPECT_LE(p.x + mass(wert, p.groesse, lang).width(), 560 * 1.02);
  }
  const pv::Textplatz rechts = pv::wertPlatzieren(wert, {560, 167}, QStringLiteral("1,5"), Ausrichtung::Rechts);
  EXPECT_DOUBLE_EQ(rechts.groesse, wert.pointSizeF()) << "a short value keeps the fitted size";
  EXPECT_NEAR(rechts.x + mass(wert, rechts.groesse, QStringLiteral("1,5")).width(), 560, 1);
}

TEST(DisplayFitting, ShortUnitFieldsKeepTheHashSizeOnlyLongerOnesFollowTheWindow) {
  // "###" drawn into the designed box on opening shrinks the 180 pt font.
  QFont raute(QStringLiteral("Arial"), 180);
  const QSize entwurf = pv::displayEntwurf().einheit1.size();
  raute.setPointSizeF(pv::einheitPlatzieren(raute, entwurf, QStringLiteral("###")).groesse);
  ASSERT_LT(raute.pointSizeF(), 180);
  const pv::Displaygeometrie gross = pv::displayLayout({1900, 1100}, pv::displayEntwurf().leiste.height());
  const std::array<QSize, 2> boxen = {gross.einheit1.size(), gross.einheit2.size()};
  using Pos = std::array<int16_t, 2>;
  const struct {
    const char* name;
    Pos e1, e2;
    bool folgt;  // fitted to the larger box
  } faelle[] = {{"positions found per record", {0, 0}, {0, 0}, false},
                {"one character each", {3, 3}, {5, 5}, false},
                {"two characters beside none: the smaller size wins", {11, 12}, {0, 0}, false},
                {"two and four characters: the four fit", {1, 2}, {13, 16}, true}};
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    const auto g = pv::einheitSchriftgroessen({raute, raute}, boxen, f.e1, f.e2);
    EXPECT_DOUBLE_EQ(g[0], g[1]);
    if (!f.folgt) {
      EXPECT_DOUBLE_EQ(g[0], raute.pointSizeF());
      continue;
    }
    const QSizeF vier = mass(raute, g[0], QStringLiteral("0000"));
    EXPECT_LE(vier.width(), boxen[1].width() * 1.02);
    EXPECT_LE(vier.height(), boxen[1].height() * 1.02);
    EXPECT_GT(std::max(vier.width() / boxen[1].width(), vier.height() / boxen[1].height()), 0.95);
  }
  EXPECT_DOUBLE_EQ(pv::einheitPlatzieren(raute, boxen[0], QStringLiteral("mV")).groesse, raute.pointSizeF())
      << "a unit that fits is drawn at the kept size";
}

class DisplayFensterTest : public ::testing::Test {
 protected:
  DisplayFensterTest() {
    pv::Einstellungen& e = pv::hauptmodul().einstellungen;
    e.DisplayHell = true;
    e.DisplaySchriftDigitalfont = QStringLiteral("Digital SF");
    pv::erfassungsmodul().zustand = pv::Erfassungszustand{};
  }
  pvtest::Ansichtenumgebung umgebung;
};

TEST_F(DisplayFensterTest, OpensWithTheSettingsAndShowsWhatTheAcquisitionWrites) {
  pv::hauptmodul().einstellungen.LEDLCD = 9;  // outside 0..4: designed colours, kept
  QPointer<pv::DisplayNeu> d = new pv::DisplayNeu;
  EXPECT_TRUE(pv::hauptmodul().DisplayOffen);
  EXPECT_EQ(pv::ansichten().offeneGrossanzeige(), d.data());
  EXPECT_EQ(d->LabelMessBez->text(), QStringLiteral("Versuch"));
  EXPECT_TRUE(d->MessgeraetGewaehlt());
  EXPECT_EQ(d->picEinheit1->text(), QStringLiteral("###"));
  const QFont arial(QStringLiteral("Arial"), 180);
  EXPECT_DOUBLE_EQ(d->picEinheit1->font().pointSizeF(),
                   pv::einheitPlatzieren(arial, pv::displayEntwurf().einheit1.size(), QStringLiteral("###")).groesse)
      << "without unit fields the size \"###\" got in the designed box stays";
  EXPECT_EQ(pv::hauptmodul().einstellungen.LEDLCD, 9);

  d->MesswertAnzeigen(QStringLiteral("-1,234"), QStringLiteral(" DC  "), QStringLiteral(" mV "));
  EXPECT_EQ(d->PicMW->text(), QStringLiteral("-1,234"));
  EXPECT_EQ(d->picEinheit2->text(), QStringLiteral(" mV "));

  d->OptionMesswert->click();
  EXPECT_TRUE(pv::hauptmodul().einstellungen.OptionMesswert);
  EXPECT_FALSE(d->MessgeraetGewaehlt());
  d->OptionBGDunkel->click();
  EXPECT_FALSE(pv::hauptmodul().einstellungen.DisplayHell);
  d->CheckFett->click();
  EXPECT_EQ(pv::hauptmodul().einstellungen.DisplaySchriftFett, 1);
  EXPECT_TRUE(d->PicMW->font().bold());
  d->PicCmdLEDLCD_Click(3);
  EXPECT_EQ(pv::hauptmodul().einstellungen.LEDLCD, 3);

  d->CommandDisplAus->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(d.isNull());
  EXPECT_FALSE(pv::hauptmodul().DisplayOffen);
  EXPECT_EQ(pv::ansichten().grossanzeige, nullptr);
}

TEST_F(DisplayFensterTest, AStyleButtonActsOnTheClickNotOnThePress) {
  pv::hauptmodul().einstellungen.LEDLCD = 0;
  pv::DisplayNeu d;
  QWidget* rot = d.PicCmdLEDLCD[3];
  const auto maus = [rot](QEvent::Type art, QPoint wo) {
    QMouseEvent e(art, wo, rot->mapToGlobal(wo), Qt::LeftButton,
                  art == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(rot, &e);
  };
  const QPoint innen = rot->rect().center();
  const struct {
    QPoint loslassen;
    int16_t stil;
  } schritte[] = {{innen + QPoint(0, rot->height()), 0}, {innen, 3}};  // released beside it, then on it
  for (const auto& [loslassen, stil] : schritte) {
    maus(QEvent::MouseButtonPress, innen);
    EXPECT_EQ(pv::hauptmodul().einstellungen.LEDLCD, 0) << "the press alone switches nothing";
    maus(QEvent::MouseButtonRelease, loslassen);
    EXPECT_EQ(pv::hauptmodul().einstellungen.LEDLCD, stil);
  }
}

TEST_F(DisplayFensterTest, ShowingItAgainKeepsTheSizeTheUserGaveIt) {
  pv::DisplayNeu d;
  d.Zeigen();
  QCoreApplication::processEvents();
  EXPECT_EQ(d.frameGeometry().size(), d.screen()->availableGeometry().size()) << "first showing: the work area";
  d.resize(d.minimumSize() + QSize(20, 20));
  d.Zeigen();
  QCoreApplication::processEvents();
  EXPECT_EQ(d.size(), d.minimumSize() + QSize(20, 20));
}

TEST_F(DisplayFensterTest, ThreeDoubleClicksBringBackTheCentredValue) {
  pv::DisplayNeu d;
  d.resize(800, 600);
  d.LabelMesswertSetzen(QStringLiteral("1,5"));
  const double mitte = d.PicMW->platz().x;
  d.LabelMesswert_DblClick();
  EXPECT_EQ(d.PicMW->platz().x, mitte) << "the new alignment shows with the next value";
  d.LabelMesswertSetzen(QStringLiteral("1,5"));
  EXPECT_EQ(d.PicMW->platz().x, 0);
  d.LabelMesswert_DblClick();
  d.LabelMesswert_DblClick();
  d.LabelMesswertSetzen(QStringLiteral("1,5"));
  EXPECT_EQ(d.PicMW->platz().x, mitte);
}

TEST_F(DisplayFensterTest, AMissingDigitalFontHidesItsBoxAndChangesNoFont) {
  pv::hauptmodul().einstellungen.DisplaySchriftDigitalfont = QStringLiteral("Keine Solche Schrift");
  pv::hauptmodul().einstellungen.DisplaySchriftDigital = 1;
  pv::DisplayNeu d;
  EXPECT_TRUE(d.CheckDigital->isHidden());
  EXPECT_TRUE(d.CheckDigital->isChecked());
  EXPECT_EQ(d.PicMW->font().family(), QStringLiteral("Arial"));
  EXPECT_EQ(pv::hauptmodul().einstellungen.DisplaySchriftDigital, 1);
  const QString vorhanden = QFontDatabase::families().value(0);
  EXPECT_TRUE(pv::DisplayNeu::schriftInstalliert(vorhanden.toUpper()));
}

}  // namespace

namespace {

// The display follows a recording of a pseudo-terminal instrument.

class DisplayAufnahme : public pvtest::ProgrammMitGeraet {};

TEST_F(DisplayAufnahme, ShowsTheInstrumentsValuesWhileRecording) {
  mitschreiben = false;
  starten(QStringLiteral("Fortlaufend"), pvtest::kAutomatisch);
  pv::ansichtenAnschliessen(*programm);
  f().MDSPL->trigger();
  auto* display = dynamic_cast<pv::DisplayNeu*>(pv::ansichten().grossanzeige);
  ASSERT_NE(display, nullptr);
  display->resize(900, 650);

  QTimer takt;
  QObject::connect(&takt, &QTimer::timeout, [&] { pty.senden("DC -7.250 V\r"); });
  takt.start(40);
  ui().StartButton->click();
  ASSERT_TRUE(pvtest::warteBis([&] { return pv::hauptmodul().messdaten.m >= 3; }, 5000));
  takt.stop();
  ui().StopButton->click();
  EXPECT_EQ(QString(display->PicMW->text()).remove(u' '), QStringLiteral("-7,250"));
  EXPECT_EQ(display->picEinheit2->text().trimmed(), QStringLiteral("V"));
  EXPECT_GE(display->PicMW->platz().x, 0);
  display->close();
}

}  // namespace
