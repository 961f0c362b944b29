// Where "Öffnen" and "Speichern unter" start, and the folder they remember.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "common/dateiauswahl.h"
#include "common/programmordner.h"
#include "main/dateimenue.h"
#include "main/hauptzustand.h"
#include "main/programm.h"
#include "support/testhilfe.h"

namespace {

class Dateidialoge : public ::testing::Test {
 protected:
  void SetUp() override {
    pv::hauptmodul() = pv::Hauptmodul{};
    ASSERT_TRUE(programm.FormLaden());
    pv::dateiauswahlSetzen(&dialoge);
  }
  void TearDown() override { pv::dateiauswahlSetzen(nullptr); }

  pvtest::Programmumgebung u;
  pvtest::FakeDateiauswahl dialoge;
  pv::Programm programm{QStringList{QStringLiteral("pelvaron")}, QLocale(QLocale::German), [] {}};
};

// The folder remembered while it exists, else the documents folder (else
// home), never the hidden program folder; a file opened from there (the
// safety file) leaves the remembered folder as it was.
TEST_F(Dateidialoge, OpenStartsInTheRememberedFolderNeverInTheProgramFolder) {
  QTemporaryDir messungen;
  const QString a = messungen.filePath(QStringLiteral("a.mes"));
  const QString gerettet = u.pfad(QStringLiteral("pvsave.tmp"));
  QTemporaryDir gemeinsam;
  pv::Programmordner::rettungsbasisSetzen(gemeinsam.path());
  ASSERT_TRUE(QDir().mkdir(pv::Programmordner::rettungsordner(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
  const QString rettung = QDir(pv::Programmordner::rettungsordner()).filePath(QStringLiteral("pvsave-1.tmp"));
  for (const QString& datei : {a, gerettet, rettung})
    ASSERT_TRUE(QFile::copy(pvtest::testdatei(QStringLiteral("messung_grafik.mes")), datei));
  const QString ersatz = pv::startordner(QString());
  const struct {
    QString gemerkt, datei, start, danach;
  } faelle[] = {
      {messungen.path(), gerettet, messungen.path(), messungen.path()},
      {messungen.path(), rettung, messungen.path(), messungen.path()},
      {messungen.filePath(QStringLiteral("weg")), a, ersatz, messungen.path()},
      {u.pfad(), QString(), ersatz, u.pfad()},  // cancelled
  };
  pv::Einstellungen& e = pv::hauptmodul().einstellungen;
  for (const auto& fall : faelle) {
    SCOPED_TRACE(fall.gemerkt.toStdString());
    e.OrdnerMessungen = fall.gemerkt;
    dialoge.antwort = fall.datei;
    programm.dateimenue().MMesOeff_Click();
    EXPECT_EQ(dialoge.gestartetIn.back().toStdString(), fall.start.toStdString());
    EXPECT_EQ(e.OrdnerMessungen.toStdString(), fall.danach.toStdString());
  }
  EXPECT_EQ(programm.dateimenue().AktuelleDatei, a);
  pv::Programmordner::rettungsbasisSetzen(QStringLiteral("/var/tmp"));

  // Saved into the program folder: the next dialog starts where it did.
  e.OrdnerMessungen = messungen.path();
  dialoge.antwort = u.pfad(QStringLiteral("b.mes"));
  ASSERT_TRUE(programm.dateimenue().MMesSpUn_Click());
  dialoge.antwort.clear();
  programm.dateimenue().MMesOeff_Click();
  EXPECT_EQ(dialoge.gestartetIn.last(2).join(u'|').toStdString(),
            QStringList(2, messungen.path()).join(u'|').toStdString());
}

}  // namespace
