#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QtCore/qtestsupport_core.h>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

#include <functional>

#include "ansichten_testhilfe.h"
#include "views/tabellenfenster.h"
#include "views/tabellenlogik.h"

namespace {

using pv::Eingabefeld;

const QString kKeineWerte = QStringLiteral("Es liegen keine Messwerte vor");
const QString kBereich = QStringLiteral("Geben Sie den gewünschten Messwertebereich an");
const QString kVonFalsch = QStringLiteral("Fehlerhafte Eingabe beim 'Von'-Wert");
const QString kBisFalsch = QStringLiteral("Fehlerhafte Eingabe beim 'Bis'-Wert");
const QString kVonKlein = QStringLiteral("Der 'Von'-Wert muss mindestens 1 sein");
const QString kVonBis = QStringLiteral("Der Wert 'Von' muss kleiner sein als der Wert 'Bis'");
const QString kSchrittFalsch = QStringLiteral("Fehlerhafte Eingabe bei der Schrittweite");

QString bisZuGross(int m) { return QStringLiteral("Der 'Bis'-Wert muss zwischen 2 und %1 liegen").arg(m); }
QString zuVieleZeilen(int s) {
  return QStringLiteral(
             "Es dürfen maximal 65535 Messwerte dargestellt werden.\r\n"
             "Setzen Sie dazu die Schrittweite mindestens auf %1\r\noder verkleinern Sie das darzustellende "
             "Intervall.")
      .arg(s);
}

// ---- the fields' check: each row shows one refusal or one accepted range ----

struct Pruefung {
  const char* name;
  const char* von;
  const char* bis;
  const char* schritt;
  int m;
  QString meldung;  // empty: accepted
  Eingabefeld fokus;
  pv::Bereich bereich;
};

TEST(TabellenBereich, RefusalsComeInTheirOrderAndRangesAreTakenAsTyped) {
  const Pruefung faelle[] = {
      {"no values at all", "1", "", "x", 0, kKeineWerte, Eingabefeld::Keins, {}},
      {"empty Von before unreadable fields", "", "x", "x", 5, kBereich, Eingabefeld::Keins, {}},
      {"empty Bis", "1", "", "1", 5, kBereich, Eingabefeld::Keins, {}},
      {"unreadable Von before unreadable Bis", "a", "b", "1", 5, kVonFalsch, Eingabefeld::Keins, {}},
      {"unreadable Bis before a Von below 1", "0", "b", "1", 5, kBisFalsch, Eingabefeld::Keins, {}},
      {"Von below 1 before Bis beyond m", "0", "99", "1", 5, kVonKlein, Eingabefeld::Von, {}},
      {"Bis beyond m", "1", "6", "1", 5, bisZuGross(5), Eingabefeld::Bis, {}},
      {"one value cannot form a range", "1", "1", "1", 1, kVonBis, Eingabefeld::Keins, {}},
      {"Von above Bis before a bad step", "4", "3", "x", 5, kVonBis, Eingabefeld::Keins, {}},
      {"unreadable step", "1", "5", "x", 5, kSchrittFalsch, Eingabefeld::Keins, {}},
      {"empty step", "1", "5", "", 5, kSchrittFalsch, Eingabefeld::Keins, {}},
      {"65536 rows need step 2", "1", "65536", "1", 70000, zuVieleZeilen(2), Eingabefeld::Schritt, {}},
      {"a larger span names a larger step", "1", "200000", "2", 200000, zuVieleZeilen(4), Eingabefeld::Schritt,
       {}},
      {"65535 rows are allowed", "1", "65535", "1", 70000, {}, Eingabefeld::Keins, {1, 65535, 1}},
      {"step 0 counts as 1", "2", "5", "0", 5, {}, Eingabefeld::Keins, {2, 5, 1}},
      {"negative step counts as 1", "2", "5", "-3", 5, {}, Eingabefeld::Keins, {2, 5, 1}},
      {"blanks and a decimal mark are read", " 2 ", "4,0", "1.0", 5, {}, Eingabefeld::Keins, {2, 4, 1}},
  };
  for (const Pruefung& f : faelle) {
    SCOPED_TRACE(f.name);
    const pv::Bereichspruefung p = pv::tabellenbereichPruefen(
        QString::fromUtf8(f.von), QString::fromUtf8(f.bis), QString::fromUtf8(f.schritt), f.m, u',');
    if (f.meldung.isEmpty()) {
      ASSERT_TRUE(p.gueltig()) << p.ablehnung.text.toStdString();
      EXPECT_EQ(p.bereich->von, f.bereich.von);
      EXPECT_EQ(p.bereich->bis, f.bereich.bis);
      EXPECT_EQ(p.bereich->schritt, f.bereich.schritt);
    } else {
      ASSERT_FALSE(p.gueltig());
      EXPECT_EQ(p.ablehnung.text, f.meldung);
      EXPECT_EQ(p.ablehnung.fokus, f.fokus);
      EXPECT_EQ(p.ablehnung.titel, pv::kAnwendungstitel);
    }
  }
}

TEST(TabellenBereich, StepsListEveryNthValueUpToBis) {
  struct Fall {
    const char* name;
    pv::Bereich bereich;
    std::vector<int> nummern;
  };
  const Fall faelle[] = {
      {"step 3 reaches Bis exactly", {1, 10, 3}, {1, 4, 7, 10}},
      {"step 4 ends below Bis", {1, 10, 4}, {1, 5, 9}},
      {"step 1 lists all", {3, 6, 1}, {3, 4, 5, 6}},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    std::vector<int> nummern;
    for (int r = 0; r < f.bereich.anzahl(); ++r) nummern.push_back(f.bereich.nummer(r));
    EXPECT_EQ(nummern, f.nummern);
  }
}

TEST(TabellenBereich, ProposedStepKeepsAboutTenThousandRows) {
  const std::pair<int, int> faelle[] = {{0, 1}, {1, 1}, {10000, 1}, {15000, 2}, {25000, 2}, {35000, 4},
                                        {1000000, 100}};
  for (const auto& [m, schritt] : faelle) EXPECT_EQ(pv::standardSchritt(m), schritt) << "m = " << m;
}

TEST(TabellenBereich, WholeNumberFieldsTakeBackATrailingDecimalMark) {
  const std::pair<const char*, const char*> faelle[] = {
      {"2,", "2"}, {"25.", "25"}, {"12", "12"}, {",", ","}, {"abc.", "abc."}, {"2,5", "2,5"}, {"", ""}};
  for (const auto& [eingabe, ergebnis] : faelle)
    EXPECT_EQ(pv::ganzzahlFilter(QString::fromUtf8(eingabe), u','), QString::fromUtf8(ergebnis)) << eingabe;
}

// ---- the window ----

class TabellenFensterTest : public ::testing::Test {
 protected:
  pvtest::Ansichtenumgebung umgebung;
  pv::TabellenFenster fenster;

  std::vector<QString> meldungen() const {
    std::vector<QString> texte;
    for (const auto& b : umgebung.programm.meldungen.boxen) texte.push_back(b.text);
    return texte;
  }

  // Stores a value through the recording's storing step, `sekunden` after
  // the recording's start, with the settings' number formats.
  void speichern(double sekunden, float wert) {
    pv::Hauptmodul& h = pv::hauptmodul();
    const pv::Einstellungen& e = h.einstellungen;
    pv::Speichereinstellungen s;
    s.XZahlenformatnummer = e.XZahlenformatnummer;
    s.XNachkommastellen = e.XNachkommastellen;
    s.YZahlenformatnummer = e.YZahlenformatnummer;
    s.YNachkommastellen = e.YNachkommastellen;
    s.Dezimaltrennzeichen = h.Dezimaltrennzeichen;
    pv::WertSpeichern(wert, start + int64_t(sekunden * 1000), h.messdaten, h.aufzeichnung, s, QString(),
                      aufnahme, pv::ansichten());
  }

  void SetUp() override { pv::hauptmodul().aufzeichnung.starten(start, 300); }

  const int64_t start = 5'000'000;  // the running clock at the start, ms
  pvtest::StilleAufnahme aufnahme;
};

TEST_F(TabellenFensterTest, ActivationListsTheMeasurementWithTheProposedStep) {
  pvtest::Ansichtenumgebung::messungMit(25000);
  fenster.Aktivieren();
  EXPECT_TRUE(pv::hauptmodul().TabelleOffen);
  EXPECT_EQ(fenster.txtStep->text(), QStringLiteral("2"));
  EXPECT_EQ(fenster.BisText->text(), QStringLiteral("25000"));
  const pv::Tabellenmodell& t = *fenster.modell();
  ASSERT_EQ(t.zeilen(), 12500);
  EXPECT_EQ(t.zelle(0, 0), QStringLiteral("Nr."));
  EXPECT_EQ(t.zelle(0, 1), QStringLiteral("Zeit (s)"));
  EXPECT_EQ(t.zelle(0, 2), QStringLiteral("Spannung (V)"));
  EXPECT_EQ(t.zelle(1, 0), QStringLiteral("1"));
  EXPECT_EQ(t.zelle(2, 0), QStringLiteral("3"));
  EXPECT_EQ(t.zelle(2, 1), QStringLiteral("1,00"));
  EXPECT_EQ(t.zelle(2, 2), QStringLiteral("30,000"));
  EXPECT_EQ(t.zelle(12500, 0), QStringLiteral("24999"));
  EXPECT_TRUE(meldungen().empty());
}

// Activation lists every measurement with values; a single value is refused
// as no range. Rows of the measurement shown before never stand for the
// current one's, while rows of the current one stay.
TEST_F(TabellenFensterTest, ActivationRefusesOneValueAndLeavesNoRowsOfAnotherMeasurement) {
  struct Fall {
    const char* name;
    int m;
    float y5;  // the value of number 5, when there is one
    const char* von;
    std::vector<QString> meldungen;
  };
  const Fall faelle[] = {
      {"one value", 1, 0, "1", {kVonBis}},
      {"no values: nothing to say", 0, 0, "1", {}},
      {"as many values, another one among them", 5, 99.0f, "5", {kVonBis}},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    pvtest::Ansichtenumgebung::messungMit(5);
    fenster.VonText->setText(QStringLiteral("1"));
    fenster.Aktivieren();
    ASSERT_EQ(fenster.modell()->zeilen(), 5);
    umgebung.programm.meldungen.boxen.clear();
    pvtest::Ansichtenumgebung::messungMit(f.m);
    if (f.m == 5) pv::hauptmodul().messdaten.y[5] = f.y5;
    fenster.VonText->setText(QString::fromUtf8(f.von));
    fenster.Aktivieren();
    EXPECT_EQ(meldungen(), f.meldungen);
    EXPECT_EQ(fenster.modell()->zeilen(), 0);
    EXPECT_EQ(fenster.BisText->text(), QString::number(f.m));
    EXPECT_TRUE(pv::hauptmodul().TabelleOffen);
  }
  // The one value a recording appended is this measurement's: it stays.
  pvtest::Ansichtenumgebung::messungMit(0);
  fenster.Leeren();
  speichern(0.5, 1.5f);
  umgebung.programm.meldungen.boxen.clear();
  fenster.Aktivieren();
  EXPECT_EQ(meldungen(), std::vector<QString>{kVonBis});
  EXPECT_EQ(fenster.modell()->zeilen(), 1);
}

// The window shown and active, its message boxes behaving as under a window
// manager: closing one activates the window again.
void zeigenMitFensterverwaltung(pv::TabellenFenster& fenster, pvtest::FakeMeldungen& meldungen) {
  meldungen.fensterverwaltung = true;
  fenster.Zeigen();
  ASSERT_TRUE(QTest::qWaitFor([&fenster] { return fenster.isActiveWindow(); }, 2000));
  QCoreApplication::sendPostedEvents();
}

void aktivieren(QWidget& fenster) {
  QEvent aktiviert(QEvent::WindowActivate);
  QApplication::sendEvent(&fenster, &aktiviert);
  QCoreApplication::sendPostedEvents();
}

TEST_F(TabellenFensterTest, ARefusedActivationIsNotRepeatedByTheActivationAfterItsMessage) {
  pvtest::Ansichtenumgebung::messungMit(3);
  fenster.VonText->setText(QStringLiteral("5"));
  zeigenMitFensterverwaltung(fenster, umgebung.programm.meldungen);
  EXPECT_EQ(meldungen(), std::vector<QString>{kVonBis});
  // The user's next activation tries again.
  aktivieren(fenster);
  EXPECT_EQ(meldungen().size(), 2u);
  EXPECT_EQ(fenster.modell()->zeilen(), 0);
}

TEST_F(TabellenFensterTest, ClosingItsOwnMessageKeepsTheFieldsAndTheRows) {
  pvtest::Ansichtenumgebung::messungMit(20);
  for (float& y : pv::hauptmodul().messdaten.y) y = 1.0f;  // no jump to compress from
  zeigenMitFensterverwaltung(fenster, umgebung.programm.meldungen);
  fenster.VonText->setText(QStringLiteral("5"));
  fenster.BisText->setText(QStringLiteral("10"));
  fenster.txtStep->setText(QStringLiteral("2"));
  fenster.Fuellen();
  ASSERT_EQ(fenster.modell()->zeilen(), 3);

  struct Fall {
    const char* von;
    const char* bis;
    std::function<void()> aktion;
    QString meldung;
  };
  const Fall faelle[] = {
      {"5", "99", [this] { fenster.AktuellButton->click(); }, bisZuGross(20)},
      {"0", "10", [this] { fenster.AktuellButton->click(); }, kVonKlein},
      {"5", "99", [this] { fenster.cmdZeitVerdichten->click(); }, QStringLiteral("Die Messung ist ohne Ergebnis.")},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.meldung.toStdString());
    umgebung.programm.meldungen.boxen.clear();
    fenster.VonText->setText(QString::fromUtf8(f.von));
    fenster.BisText->setText(QString::fromUtf8(f.bis));
    f.aktion();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(meldungen(), std::vector<QString>{f.meldung});
    EXPECT_EQ(fenster.VonText->text(), QString::fromUtf8(f.von));
    EXPECT_EQ(fenster.BisText->text(), QString::fromUtf8(f.bis));
    EXPECT_EQ(fenster.txtStep->text(), QStringLiteral("2"));
    EXPECT_EQ(fenster.modell()->zeilen(), 3);
  }
  // Coming back from another window lists the measurement anew.
  fenster.VonText->setText(QStringLiteral("1"));
  aktivieren(fenster);
  EXPECT_EQ(fenster.BisText->text(), QStringLiteral("20"));
  EXPECT_EQ(fenster.txtStep->text(), QStringLiteral("1"));
  EXPECT_EQ(fenster.modell()->zeilen(), 20);
}

TEST_F(TabellenFensterTest, ARefusedFillLeavesTheRowsAndFocusesTheField) {
  pvtest::Ansichtenumgebung::messungMit(10);
  fenster.Zeigen();
  ASSERT_TRUE(QTest::qWaitFor([this] { return fenster.isActiveWindow(); }, 2000));
  ASSERT_EQ(fenster.modell()->zeilen(), 10);  // the activation listed them
  fenster.BisText->setText(QStringLiteral("11"));
  fenster.Fuellen();
  EXPECT_EQ(meldungen(), std::vector<QString>{bisZuGross(10)});
  EXPECT_EQ(fenster.modell()->zeilen(), 10);
  EXPECT_EQ(QApplication::focusWidget(), fenster.BisText);
}

TEST_F(TabellenFensterTest, RecordingAppendsRowsAndANewRecordingClearsToTheHeader) {
  pvtest::Ansichtenumgebung::messungMit(2);
  fenster.Aktivieren();
  EXPECT_EQ(pv::ansichten().offeneTabelle(), &fenster);  // where the recording finds it
  speichern(7.5, 1.5f);
  const pv::Tabellenmodell& t = *fenster.modell();
  ASSERT_EQ(t.zeilen(), 3);
  EXPECT_EQ(t.zelle(3, 0), QStringLiteral("3"));
  EXPECT_EQ(t.zelle(3, 1), QStringLiteral("7,50"));
  EXPECT_EQ(t.zelle(3, 2), QStringLiteral("1,500"));
  EXPECT_EQ(fenster.BisText->text(), QStringLiteral("3"));
  // The view follows a moment later.
  EXPECT_TRUE(QTest::qWaitFor([this] { return fenster.FGridT->currentIndex().row() == 2; }, 2000));
  EXPECT_EQ(fenster.FGridT->currentIndex().column(), 1);

  // "automatisch" cleared, or the window closed: no rows.
  fenster.CheckAuto->setChecked(false);
  speichern(8.0, 2.0f);
  fenster.CheckAuto->setChecked(true);
  fenster.Ende();
  speichern(8.5, 2.5f);
  EXPECT_EQ(t.zeilen(), 3);
  EXPECT_EQ(pv::ansichten().offeneTabelle(), nullptr);

  umgebung.beschreibung.PhysGr = QStringLiteral("Strom");
  pv::hauptmodul().einstellungen.YBezeichnung = QStringLiteral("m");
  umgebung.beschreibung.Einheit = QStringLiteral("A");
  fenster.Leeren();
  EXPECT_EQ(t.zeilen(), 0);
  EXPECT_EQ(t.kopf(), (QStringList{QStringLiteral("Nr."), QStringLiteral("Zeit (s)"), QStringLiteral("Strom (mA)")}));
}

TEST_F(TabellenFensterTest, HoldsTheLargestFillAndKeepsGrowingWhileRecording) {
  pvtest::Ansichtenumgebung::messungMit(70000);
  fenster.Aktivieren();
  fenster.VonText->setText(QStringLiteral("2"));
  fenster.BisText->setText(QStringLiteral("65536"));
  fenster.txtStep->setText(QStringLiteral("1"));
  fenster.Fuellen();
  ASSERT_EQ(fenster.modell()->zeilen(), 65535);
  EXPECT_EQ(fenster.modell()->zelle(65535, 0), QStringLiteral("65536"));

  // Appending ignores the fill's limit.
  for (int i = 1; i <= 70000; ++i) speichern(i, static_cast<float>(i));
  EXPECT_EQ(fenster.modell()->zeilen(), 135535);
  EXPECT_EQ(fenster.modell()->zelle(135535, 0), QStringLiteral("140000"));
  EXPECT_TRUE(umgebung.programm.meldungen.boxen.empty());
}

TEST_F(TabellenFensterTest, TheUsersCloseBoxOnlyHidesTheWindow) {
  pvtest::Ansichtenumgebung::messungMit(4);
  fenster.show();
  fenster.Aktivieren();
  QCloseEvent schliessen;
  QSpontaneKeyEvent::setSpontaneous(&schliessen);  // as from the close box
  qApp->notify(&fenster, &schliessen);  // sendEvent would drop the spontaneous mark
  EXPECT_FALSE(schliessen.isAccepted());
  EXPECT_FALSE(fenster.isVisible());
  EXPECT_FALSE(pv::hauptmodul().TabelleOffen);
  EXPECT_EQ(fenster.modell()->zeilen(), 4);
}

}  // namespace

namespace {

QString ablage() { return QGuiApplication::clipboard()->text(); }

void strgC(QWidget* gitter, Qt::KeyboardModifiers weitere = {}, Qt::Key taste = Qt::Key_C) {
  QKeyEvent ereignis(QEvent::KeyPress, taste, Qt::ControlModifier | weitere);
  QApplication::sendEvent(gitter, &ereignis);
}

TEST_F(TabellenFensterTest, CopiesTheTableOrTheSelectionToTheClipboard) {
  pvtest::Ansichtenumgebung::messungMit(3);
  fenster.Aktivieren();
  fenster.CommandZA->click();
  EXPECT_EQ(ablage(), QStringLiteral("Nr.\tZeit (s)\tSpannung (V)\r\n1\t0,00\t10,000\r\n2\t0,50\t20,000\r\n"
                                     "3\t1,00\t30,000"));

  // Rows 2 and 3 dragged upwards; Ctrl+C copies them, other keys copy nothing.
  const QAbstractItemModel* m = fenster.FGridT->model();
  fenster.FGridT->selectionModel()->select(QItemSelection(m->index(2, 2), m->index(1, 1)),
                                           QItemSelectionModel::ClearAndSelect);
  QGuiApplication::clipboard()->setText(QStringLiteral("alt"));
  strgC(fenster.FGridT, Qt::ShiftModifier);
  strgC(fenster.FGridT, Qt::AltModifier);
  fenster.FGridT->selectionModel()->setCurrentIndex(m->index(1, 1), QItemSelectionModel::NoUpdate);
  strgC(fenster.FGridT, {}, Qt::Key_Insert);
  EXPECT_EQ(ablage(), QStringLiteral("alt"));
  strgC(fenster.FGridT);
  EXPECT_EQ(ablage(), QStringLiteral("0,50\t20,000\r\n1,00\t30,000"));

  // Clicking the first row's time and Ctrl-clicking the third's selects one
  // block: the copy holds no row that is not shown selected.
  fenster.resize(600, 400);
  for (const auto& [zeile, taste] : {std::pair{0, Qt::NoModifier}, std::pair{2, Qt::ControlModifier}}) {
    const QPointF punkt = fenster.FGridT->visualRect(m->index(zeile, 1)).center();
    for (const QEvent::Type art : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent maus(art, punkt, punkt, Qt::LeftButton, Qt::LeftButton, taste);
      QApplication::sendEvent(fenster.FGridT->viewport(), &maus);
    }
  }
  EXPECT_TRUE(fenster.FGridT->selectionModel()->isSelected(m->index(1, 1)));
  strgC(fenster.FGridT);
  EXPECT_EQ(ablage(), QStringLiteral("0,00\r\n0,50\r\n1,00"));
}

TEST_F(TabellenFensterTest, CtrlCWithoutASelectionCopiesTheCurrentCellWhichFollowsTheRecording) {
  pvtest::Ansichtenumgebung::messungMit(3);
  fenster.Aktivieren();
  QGuiApplication::clipboard()->setText(QStringLiteral("alt"));
  strgC(fenster.FGridT);
  EXPECT_EQ(ablage(), QStringLiteral("0,00"));
  // A selection made before the recording adds a row gives way to the new row.
  const QAbstractItemModel* m = fenster.FGridT->model();
  fenster.FGridT->selectionModel()->select(QItemSelection(m->index(0, 1), m->index(1, 2)),
                                           QItemSelectionModel::ClearAndSelect);
  speichern(7.5, 1.5f);
  strgC(fenster.FGridT);
  EXPECT_EQ(ablage(), QStringLiteral("7,50"));
}

TEST_F(TabellenFensterTest, TimeCompressionCopiesSixtyLinesOrSaysWhyNot) {
  pvtest::Ansichtenumgebung::messungMit(5);  // 10, 20, ...: every step a jump
  fenster.Aktivieren();
  fenster.cmdZeitVerdichten->click();
  EXPECT_EQ(ablage().count(QStringLiteral("\r\n")), 60);
  EXPECT_TRUE(ablage().startsWith(QStringLiteral("Zeit (s)\tSpannung (V)\r\n0\t10,000\r\n1\t30,000\r\n")));
  pv::hauptmodul().einstellungen.YNachkommastellen = 0;
  pv::Messdaten& d = pv::hauptmodul().messdaten;
  for (int i = 1; i <= 5; ++i) d.y[static_cast<size_t>(i)] = 1.0f;
  fenster.Fuellen();
  fenster.cmdZeitVerdichten->click();
  pvtest::Ansichtenumgebung::messungMit(5);
  pv::hauptmodul().einstellungen.XZahlenformatnummer = 15;  // hh:mm:ss reads as no number
  fenster.Fuellen();
  fenster.cmdZeitVerdichten->click();
  EXPECT_EQ(meldungen(), (std::vector<QString>{QStringLiteral("Die Messung ist ohne Ergebnis."),
                                               QStringLiteral("Makroausführung nicht erfolgreich!")}));
}

}  // namespace
