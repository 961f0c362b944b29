// The sensor editor: listing, entering and saving a new sensor, editing,
// the floating cell editor, the grid's keys and "Übernehmen/Ende".
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QKeyEvent>

#include "devices/formmessfuehler.h"
#include "devices/messfuehlerlogik.h"
#include "support/testhilfe.h"

namespace {

using pv::FormMessfuehler;
using pv::sensorZustand;

const QByteArray kKopf = "[Pelvaron Sensordatei]\r\n";

void taste(QWidget* w, int key, Qt::KeyboardModifiers mod = Qt::NoModifier) {
  QKeyEvent druck(QEvent::KeyPress, key, mod);
  QApplication::sendEvent(w, &druck);
}

QString zelle(const QTableWidget* g, int zeile, int spalte) {
  const QTableWidgetItem* i = g->item(zeile - 1, spalte);
  return i ? i->text() : QString();
}

int gewaehlt(const FormMessfuehler& f) {
  const auto w = f.List1->selectedItems();
  return w.isEmpty() ? -1 : f.List1->row(w.first());
}

class Messfuehlereditor : public ::testing::Test {
 protected:
  void SetUp() override { sensorZustand() = pv::SensorZustand{}; }
  std::unique_ptr<FormMessfuehler> oeffnen(const QString& label = {}) {
    auto f = std::make_unique<FormMessfuehler>(label, u',');
    f->show();
    QApplication::setActiveWindow(f.get());
    return f;
  }
  // Types into the floating editor and presses a key.
  static void tippe(FormMessfuehler& f, const QString& text, int k = Qt::Key_Return) {
    ASSERT_TRUE(f.Text1->isVisible());
    f.Text1->setText(text);
    taste(f.Text1, k);
  }
  pvtest::Programmumgebung u;
};

TEST_F(Messfuehlereditor, NewSensorTypedSavedListedAndMadeActive) {
  u.schreibe(QStringLiteral("NTC.pvf"), kKopf + "Alt\r\nx\ty\r\n1\t2\r\n");
  auto f = oeffnen(QStringLiteral("nicht vorhanden"));
  ASSERT_EQ(f->List1->count(), 1);
  EXPECT_EQ(gewaehlt(*f), -1) << "no designation matches the label";
  EXPECT_FALSE(f->CommandAuswaehlen->isEnabled());

  f->CommandHinzufuegen->setFocus();
  f->CommandHinzufuegen->click();
  EXPECT_TRUE(f->ModusNeu());
  EXPECT_FALSE(f->List1->isEnabled());
  EXPECT_FALSE(f->FrameMFNeu->isHidden());
  EXPECT_TRUE(f->TextMFNeuBez->hasFocus()) << "typing goes to the designation";
  f->TextMFNeuBez->setText(QStringLiteral("NTC"));
  f->TextMFNeuXAchse->setText(QStringLiteral("R"));
  f->TextMFNeuYAchse->setText(QStringLiteral("T"));
  f->CommandMFNeuEingabe->click();
  EXPECT_EQ(f->FGrid->rowCount(), 999);
  EXPECT_EQ(f->FGrid->horizontalHeaderItem(0)->text(), QStringLiteral("R"));

  // Enter goes x -> y -> next row's x; arrows and Esc drop what was typed.
  tippe(*f, "0");
  tippe(*f, "0");
  tippe(*f, "10");
  tippe(*f, "100");
  tippe(*f, "99", Qt::Key_Up);
  tippe(*f, "77", Qt::Key_Escape);
  EXPECT_FALSE(f->Text1->isVisible());
  taste(f->FGrid, Qt::Key_Escape);
  EXPECT_TRUE(f->isVisible()) << "a second Esc keeps the window and the entry";
  EXPECT_EQ(zelle(f->FGrid, 2, 0), QStringLiteral("10"));
  EXPECT_EQ(zelle(f->FGrid, 3, 0), QString());

  // The designation is the default name; "NTC.pvf" exists, so it asks again.
  u.eingaben.antworten = {QStringLiteral("NTC"), QStringLiteral("ntc2.PVF")};
  f->CommandMFNeuEingabe->click();
  ASSERT_EQ(u.eingaben.fragen_.size(), 2u);
  EXPECT_EQ(u.eingaben.fragen_[0].vorgabe, QStringLiteral("NTC"));
  EXPECT_EQ(u.eingaben.fragen_[1].vorgabe, QStringLiteral("NTC.pvf"));
  EXPECT_EQ(u.lies("ntc2.PVF"), kKopf + "NTC\r\nR\tT\r\n0\t0\r\n10\t100\r\n");
  EXPECT_TRUE(f->FrameMFNeu->isHidden());
  EXPECT_EQ(gewaehlt(*f), 1);
  EXPECT_EQ(sensorZustand().Fuehler.Anzahl, 2) << "read back at once";
  EXPECT_TRUE(f->CommandAuswaehlen->isEnabled());

  f->CommandAuswaehlen->click();
  EXPECT_TRUE(f->uebernommen());
  EXPECT_EQ(sensorZustand().Sensordatei, QStringLiteral("ntc2.PVF"));
  EXPECT_EQ(sensorZustand().Sensor.Y, (std::vector<float>{0, 0, 100}));
  EXPECT_TRUE(u.meldungen.boxen.empty());
}

TEST_F(Messfuehlereditor, EntryChecks) {
  const QString z = QStringLiteral("Das Wertepaar in Zeile ");
  struct Fall {
    const char* name;
    QString bez, x, y;
    std::vector<pv::SensorZellen> zeilen;
    QString meldung;
  };
  const Fall faelle[] = {
      {"no designation", "", "x", "y", {}, QStringLiteral("Geben Sie eine Bezeichnung für den Sensor ein!")},
      {"no y label", "S", "x", "", {}, QStringLiteral("Geben Sie eine Bezeichnung für die y-Achse ein!")},
      {"designation of blanks", "  ", "x", "y", {}, QStringLiteral("Geben Sie eine Bezeichnung für den Sensor ein!")},
      {"x label of blanks", "S", " ", "y", {}, QStringLiteral("Geben Sie eine Bezeichnung für die x-Achse ein!")},
      {"y label of blanks", "S", "x", " ", {}, QStringLiteral("Geben Sie eine Bezeichnung für die y-Achse ein!")},
      {"leading blank in the x label", "S", " x", "y", {}, QStringLiteral("Bezeichnung und x-Achse dürfen nicht mit einem Leerzeichen beginnen!")},
      {"comma in the designation", "S,1", "x", "y", {}, "Bezeichnung und Achsenbeschriftungen dürfen keine Kommas (,), keine Anführungszeichen (\") und keine Tabulatoren enthalten!"},
      {"quote in a label", "S", "x\"", "y", {}, "Bezeichnung und Achsenbeschriftungen dürfen keine Kommas (,), keine Anführungszeichen (\") und keine Tabulatoren enthalten!"},
      {"tab in a label", "S", "x\ty", "y", {}, "Bezeichnung und Achsenbeschriftungen dürfen keine Kommas (,), keine Anführungszeichen (\") und keine Tabulatoren enthalten!"},
      {"half a pair in row 3", "S", "x", "y", {{"1", "2"}, {}, {"3", ""}, {"a", "b"}}, z + "3 ist unvollständig!"},
      {"no number in row 2", "S", "x", "y", {{"1", "2"}, {"1", "2a"}}, z + "2 enthält ungültige Zeichen!"},
      {"beyond single precision", "S", "x", "y", {{"1E39", "2"}}, z + "1 enthält ungültige Zeichen!"},
      {"no pair at all", "S", "x", "y", {{}, {}}, QString()},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(pv::sensorEingabePruefen(f.bez, f.x, f.y, f.zeilen, u','), f.meldung);
  }
}

TEST_F(Messfuehlereditor, EditWithNothingSelectedStartsFromTheLastReadAndSavesAsANewSensor) {
  sensorZustand().Sensorname = QStringLiteral("Alt");
  sensorZustand().Fuehler.XAchse = QStringLiteral("U");
  sensorZustand().Fuehler.YAchse = QStringLiteral("T");
  auto f = oeffnen(QStringLiteral("nicht vorhanden"));
  f->CommandAendern->click();
  EXPECT_TRUE(f->ModusBearbeiten());
  EXPECT_EQ(f->TextMFNeuBez->text(), QStringLiteral("Alt"));
  EXPECT_EQ(f->TextMFNeuXAchse->text(), QStringLiteral("U"));
  EXPECT_EQ(f->TextMFNeuYAchse->text(), QStringLiteral("T"));

  f->FGrid->setItem(0, 0, new QTableWidgetItem(QStringLiteral("1")));
  f->FGrid->setItem(0, 1, new QTableWidgetItem(QStringLiteral("2")));
  u.eingaben.antworten = {QStringLiteral("neu")};
  f->CommandMFNeuEingabe->click();
  ASSERT_EQ(u.eingaben.fragen_.size(), 1u);
  EXPECT_EQ(u.eingaben.fragen_[0].vorgabe, QStringLiteral("Alt"));
  EXPECT_EQ(u.lies("neu.pvf"), kKopf + "Alt\r\nU\tT\r\n1\t2\r\n");
  EXPECT_FALSE(f->ModusBearbeiten());
  EXPECT_EQ(f->FuehlerDateien(), QStringList{QStringLiteral("neu.pvf")});
  EXPECT_EQ(gewaehlt(*f), 0);
  EXPECT_EQ(sensorZustand().Fuehler.Anzahl, 1) << "read back at once";
  EXPECT_TRUE(u.meldungen.boxen.empty());
}

TEST_F(Messfuehlereditor, TakingOverNeedsASelectedSensorWithPairs) {
  u.schreibe(QStringLiteral("a.pvf"), kKopf + "A\r\nx\ty\r\n1\t2\r\n");
  u.schreibe(QStringLiteral("leer.pvf"), kKopf + "Leer\r\nx\ty\r\n");
  struct Fall {
    const char* name;
    QString label;
    bool abwaehlen, aktiv, offen;
  };
  const Fall faelle[] = {
      {"with pairs", "A", false, true, false},
      {"without pairs", "Leer", false, false, false},
      {"nothing selected (Ctrl+click)", "A", true, false, true},
  };
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.name);
    sensorZustand() = pv::SensorZustand{};
    u.meldungen.boxen.clear();
    auto f = oeffnen(fall.label);
    if (fall.abwaehlen) f->List1->clearSelection();
    f->CommandAuswaehlen->click();
    EXPECT_EQ(f->uebernommen(), fall.aktiv);
    EXPECT_EQ(sensorZustand().Sensor.Anzahl, fall.aktiv ? 1 : 0);
    EXPECT_EQ(f->isVisible(), fall.offen);
    EXPECT_EQ(u.meldungen.boxen.size(), fall.offen ? 1u : 0u) << "reported through the error handler";
  }
}

TEST_F(Messfuehlereditor, FileNamesOutsideTheFolderOrTheSettingsAreRefused) {
  u.schreibe(QStringLiteral(".versteckt.pvf"), kKopf + "V\r\nx\ty\r\n");
  auto f = oeffnen();
  EXPECT_EQ(f->List1->count(), 1) << "a name beginning with a dot is listed";
  f->CommandHinzufuegen->click();
  f->TextMFNeuBez->setText(QStringLiteral("S"));
  f->TextMFNeuXAchse->setText(QStringLiteral("x"));
  f->TextMFNeuYAchse->setText(QStringLiteral("y"));
  f->CommandMFNeuEingabe->click();
  for (const QString& name : {QStringLiteral("../S"), QStringLiteral("Ω-Fühler")}) {
    SCOPED_TRACE(name.toStdString());
    u.meldungen.boxen.clear();
    u.eingaben.antworten = {name};
    f->CommandMFNeuEingabe->click();
    ASSERT_EQ(u.meldungen.boxen.size(), 1u);
    EXPECT_EQ(u.meldungen.boxen[0].text, pv::kSensorSpeicherfehler);
    EXPECT_TRUE(f->ModusNeu()) << "the entry stays open";
    EXPECT_EQ(f->List1->count(), 1);
  }
}

TEST_F(Messfuehlereditor, FailedReadCannotBecomeActive) {
  u.schreibe(QStringLiteral("a.pvf"), kKopf + "A\r\nx\ty\r\n1\t2\r\n");
  u.schreibe(QStringLiteral("b.pvf"), kKopf + "B\r\nx\ty\r\n1\t2\r\nkaputt\r\n");
  sensorZustand().Sensordatei = QStringLiteral("a.pvf");
  auto f = oeffnen(QStringLiteral("B"));
  EXPECT_EQ(gewaehlt(*f), 1);
  ASSERT_EQ(u.meldungen.boxen.size(), 1u) << "the reader reports its failure";
  EXPECT_FALSE(f->CommandAuswaehlen->isEnabled());
  EXPECT_TRUE(f->CommandAendern->isEnabled());
  f->CommandAuswaehlen_Click();
  EXPECT_FALSE(f->uebernommen());
  EXPECT_EQ(sensorZustand().Sensordatei, QStringLiteral("a.pvf"));
  EXPECT_EQ(sensorZustand().Sensor.Anzahl, 0);
}

TEST_F(Messfuehlereditor, EditingALargeSensorKeepsEveryPair) {
  QByteArray text = kKopf + "Gross\r\nx\ty\r\n";
  for (int i = 1; i <= 1200; ++i) text += QByteArray::number(i) + "\t" + QByteArray::number(2 * i) + "\r\n";
  u.schreibe(QStringLiteral("gross.pvf"), text);
  auto f = oeffnen(QStringLiteral("Gross"));
  f->CommandAendern->click();
  EXPECT_TRUE(f->ModusBearbeiten());
  EXPECT_EQ(f->TextMFNeuBez->text(), QStringLiteral("Gross"));
  EXPECT_EQ(f->FGrid->rowCount(), 1200);
  f->FGrid->item(0, 1)->setText(QStringLiteral("2,50"));
  f->CommandMFNeuEingabe->click();
  EXPECT_EQ(u.lies("gross.pvf"), QByteArray(text).replace("1\t2\r\n2\t4", "1\t2,5\r\n2\t4"));
  EXPECT_FALSE(f->ModusBearbeiten());
}

TEST_F(Messfuehlereditor, GridCopiesAndDeletesItsSelection) {
  u.schreibe(QStringLiteral("a.pvf"), kKopf + "A\r\nx\ty\r\n1\t2\r\n3\t4\r\n5\t6\r\n");
  auto f = oeffnen(QStringLiteral("A"));
  f->FGrid->setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 1), true);
  taste(f->FGrid, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1\t2\r\n3\t4"));
  EXPECT_EQ(pv::sensorZwischenablage(QStringLiteral("a\r\nb\rc\r")), QStringLiteral("a\r\nb\r\nc\r"));
  taste(f->FGrid, Qt::Key_Delete);
  EXPECT_EQ(zelle(f->FGrid, 2, 1), QString());
  EXPECT_EQ(zelle(f->FGrid, 3, 0), QStringLiteral("5"));
}

}  // namespace
