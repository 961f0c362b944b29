#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "ansichten_testhilfe.h"
#include "common/cp1252.h"
#include "common/textdatei.h"
#include "common/dateiauswahl.h"
#include "views/exportfenster.h"
#include "views/tabellenfenster.h"

namespace {

// Answers the save dialog with a fixed path and notes what it was offered.
class FakeDateiauswahl : public pv::Dateiauswahl {
 public:
  QString oeffnen(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
  QString speichern(QWidget*, const QString&, const QString& ordner, const QString& vorschlag, const QString& filter,
                    const QString& endung) override {
    ++aufrufe;
    this->ordner = ordner;
    this->vorschlag = vorschlag;
    this->filter = filter;
    this->endung = endung;
    return antwort;
  }
  QString antwort;
  int aufrufe = 0;
  QString ordner, vorschlag, filter, endung;
};

class ExportFensterTest : public ::testing::Test {
 protected:
  ExportFensterTest() {
    pvtest::Ansichtenumgebung::messungMit(5);
    pv::hauptmodul().messdaten.Messung = QStringLiteral("Lauf7");
    pv::hauptmodul().einstellungen.OrdnerMessungen = QDir::tempPath();
    auswahl.antwort = umgebung.programm.pfad(QStringLiteral("export.txt"));
  }

  QByteArray geschrieben() const { return umgebung.programm.lies(QStringLiteral("export.txt")); }
  QList<QByteArray> datenzeilen() const {
    const QByteArray d = geschrieben();
    QList<QByteArray> zeilen = d.mid(d.indexOf("Daten:\r\n") + 8).split('\n');
    zeilen.removeLast();
    for (QByteArray& z : zeilen) z.chop(1);
    return zeilen;
  }
  const std::vector<pvtest::FakeMeldungen::Box>& boxen() const { return umgebung.programm.meldungen.boxen; }

  pvtest::Ansichtenumgebung umgebung;
  FakeDateiauswahl auswahl;
};

TEST_F(ExportFensterTest, AllValuesGoToTheChosenFileAndTheDialogCloses) {
  pv::ExportFenster f(QStringLiteral("Datei"), nullptr, nullptr, &auswahl);
  EXPECT_TRUE(f.Option1->isChecked());
  f.txtStep->setText(QStringLiteral("5"));  // "alle" does not thin
  f.comboDezimalzeichen->setCurrentIndex(1);
  f.txtTrennzeichen->insert(QStringLiteral("→"));  // the file could not hold it
  EXPECT_TRUE(f.txtTrennzeichen->text().isEmpty());
  f.optTrennzeichen[1]->setChecked(true);
  f.OKButton_Click();
  EXPECT_EQ(auswahl.vorschlag, QStringLiteral("Lauf7"));
  EXPECT_EQ(auswahl.ordner, QDir::tempPath());
  EXPECT_EQ(auswahl.endung, QStringLiteral("txt"));
  EXPECT_TRUE(geschrieben().startsWith("[Pelvaron 3.1 Exportdatei]\r\n"));
  EXPECT_EQ(datenzeilen(), (QList<QByteArray>{"1;0.00;10.000", "2;0.50;20.000", "3;1.00;30.000", "4;1.50;40.000",
                                              "5;2.00;50.000"}));
  EXPECT_TRUE(f.entladen());
  EXPECT_TRUE(f.ExportZiel.isEmpty());
  EXPECT_EQ(f.txtBis->text(), QStringLiteral("5"));
  EXPECT_EQ(f.ProzLab->text(), QStringLiteral("100 %"));
  EXPECT_TRUE(boxen().empty());
}

TEST_F(ExportFensterTest, ARangeIsCheckedAndThinnedByTheStep) {
  pv::ExportFenster f(QStringLiteral("Datei"), nullptr, nullptr, &auswahl);
  f.Option2->setChecked(true);
  f.txtVon->setText(QStringLiteral("3"));
  f.txtBis->setText(QStringLiteral("3"));
  f.OKButton_Click();
  ASSERT_EQ(boxen().size(), 1u);
  EXPECT_EQ(boxen()[0].text, QStringLiteral("Der Wert 'Von' muss kleiner sein als der Wert 'Bis'"));
  EXPECT_FALSE(f.entladen());
  EXPECT_EQ(auswahl.aufrufe, 0);

  f.txtVon->setText(QStringLiteral("1"));
  f.txtBis->setText(QStringLiteral("5"));
  f.txtStep->setText(QStringLiteral("2"));
  f.OKButton_Click();
  EXPECT_EQ(datenzeilen(), (QList<QByteArray>{"1\t0,00\t10,000", "3\t1,00\t30,000", "5\t2,00\t50,000"}));
  EXPECT_TRUE(f.entladen());
}

TEST_F(ExportFensterTest, CancellingTheSaveDialogWritesNothingAndKeepsTheDialog) {
  auswahl.antwort.clear();
  pv::ExportFenster f(QStringLiteral("Datei"), nullptr, nullptr, &auswahl);
  f.OKButton_Click();
  EXPECT_EQ(auswahl.aufrufe, 1);
  EXPECT_TRUE(geschrieben().isEmpty());
  EXPECT_FALSE(f.entladen());
  EXPECT_TRUE(boxen().empty());
  EXPECT_EQ(f.ExportZiel, QStringLiteral("Datei"));
}

TEST_F(ExportFensterTest, AFileThatCannotBeWrittenIsReportedAsSuch) {
  auswahl.antwort = umgebung.programm.pfad(QStringLiteral("fehlt/export.txt"));
  pv::ExportFenster f(QStringLiteral("Datei"), nullptr, nullptr, &auswahl);
  f.OKButton_Click();
  ASSERT_EQ(boxen().size(), 1u);
  EXPECT_EQ(boxen()[0].text, pv::ExportFenster::schreibfehlerText(auswahl.antwort));
  EXPECT_FALSE(boxen()[0].text.contains(QStringLiteral("Excel")));
  EXPECT_EQ(boxen()[0].symbol, pv::Symbol::Kritisch);
  EXPECT_FALSE(f.entladen());
  EXPECT_TRUE(f.OKButton->isEnabled());  // the user may try again
  const QString log = pv::vonCp1252(umgebung.programm.lies(QStringLiteral("ErrLog.txt")));
  EXPECT_TRUE(log.contains(QStringLiteral("'TabExp -> OKButton'"))) << log.toStdString();
  EXPECT_TRUE(log.contains(auswahl.antwort)) << log.toStdString();
}

TEST_F(ExportFensterTest, DuringAnExportTheDialogStaysAndStopsCleanly) {
  pv::ExportFenster f(QStringLiteral("Datei"), nullptr, nullptr, &auswahl);
  f.show();
  bool okAus = false;
  f.ereignisseVerarbeiten = [&] {
    okAus = !f.OKButton->isEnabled() && f.exportLaeuft();
    f.OKButton_Click();  // a second click is not a second export
    QCloseEvent schliessen;
    QApplication::sendEvent(&f, &schliessen);
    EXPECT_FALSE(schliessen.isAccepted());
    f.reject();  // Esc
    EXPECT_FALSE(f.entladen());
    EXPECT_TRUE(f.isVisible());
    f.AbbrButton_Click();
    EXPECT_FALSE(f.entladen());
  };
  f.OKButton_Click();
  EXPECT_TRUE(okAus);
  EXPECT_EQ(auswahl.aufrufe, 1);
  // Stopped before the first value: the header block alone, then closed.
  EXPECT_TRUE(geschrieben().endsWith("Daten:\r\n"));
  EXPECT_TRUE(datenzeilen().isEmpty());
  EXPECT_TRUE(f.entladen());
  EXPECT_FALSE(f.exportLaeuft());
}

TEST_F(ExportFensterTest, TheOpenTablePresetsTheRange) {
  pv::TabellenFenster tabelle;
  tabelle.Aktivieren();
  tabelle.VonText->setText(QStringLiteral("2"));
  tabelle.txtStep->setText(QStringLiteral("3"));
  pv::ExportFenster mitTabelle(QStringLiteral("Datei"), &tabelle, nullptr, &auswahl);
  EXPECT_TRUE(mitTabelle.Option2->isChecked());
  EXPECT_EQ(mitTabelle.txtVon->text(), QStringLiteral("2"));
  EXPECT_EQ(mitTabelle.txtBis->text(), QStringLiteral("5"));
  EXPECT_EQ(mitTabelle.txtStep->text(), QStringLiteral("3"));

  tabelle.Ende();  // a hidden table is not asked
  pv::ExportFenster ohneTabelle(QStringLiteral("Datei"), &tabelle, nullptr, &auswahl);
  EXPECT_TRUE(ohneTabelle.Option1->isChecked());
  EXPECT_EQ(ohneTabelle.txtStep->text(), QStringLiteral("1"));
}

}  // namespace

namespace {

TEST_F(ExportFensterTest, ASpreadsheetExportWritesTheFileAndOpensItAlsoWhenCancelled) {
  pv::TabellenFenster tabelle;
  tabelle.Aktivieren();
  auswahl.antwort = umgebung.programm.pfad(QStringLiteral("export.xlsx"));
  for (const bool abbrechen : {false, true}) {
    SCOPED_TRACE(abbrechen);
    QFile::remove(auswahl.antwort);
    pv::ExportFenster f(QStringLiteral("Excel"), &tabelle, nullptr, &auswahl);
    EXPECT_FALSE(f.frameTrennzeichen->isEnabled());
    QStringList geoeffnet;
    f.dateiOeffnen = [&](const QString& pfad) {
      geoeffnet << pfad;
      return true;
    };
    if (abbrechen) f.ereignisseVerarbeiten = [&] { f.AbbrButton_Click(); };
    f.OKButton_Click();
    EXPECT_EQ(auswahl.endung, QStringLiteral("xlsx"));
    EXPECT_EQ(geoeffnet, QStringList{auswahl.antwort});
    EXPECT_TRUE(QFile::exists(auswahl.antwort));
    EXPECT_TRUE(f.entladen());
  }
  EXPECT_TRUE(boxen().empty());

  // No program takes the file: the message says where it was written.
  pv::ExportFenster f(QStringLiteral("Excel"), &tabelle, nullptr, &auswahl);
  f.dateiOeffnen = [](const QString&) { return false; };
  f.OKButton_Click();
  ASSERT_EQ(boxen().size(), 1u);
  EXPECT_TRUE(boxen()[0].text.contains(QDir::toNativeSeparators(auswahl.antwort)));
}

TEST_F(ExportFensterTest, TooManyValuesForASheetNameTheStepAndKeepTheDialog) {
  pvtest::Ansichtenumgebung::messungMit(70000);
  pv::ExportFenster f(QStringLiteral("Excel"), nullptr, nullptr, &auswahl);
  f.OKButton_Click();
  ASSERT_EQ(boxen().size(), 1u);
  EXPECT_EQ(boxen()[0].text, QStringLiteral("Es können maximal 65535 Messwerte exportiert werden.\r\n"
                                            "Setzen Sie dazu die Schrittweite mindestens auf 2"));
  EXPECT_EQ(auswahl.aufrufe, 0);
  EXPECT_FALSE(f.entladen());
}

}  // namespace
