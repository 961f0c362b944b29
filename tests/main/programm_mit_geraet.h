#pragma once
// A started program whose COM 3 is a pseudo-terminal, with one device file
// of the test's making chosen: the test plays the instrument.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>

#include "acquisition/erfassungszustand.h"
#include "common/cp1252.h"
#include "devices/geraetetabelle.h"
#include "main/einstellungsdatei.h"
#include "main/form1.h"
#include "main/hauptzustand.h"
#include "main/programm.h"
#include "main/verbindung.h"
#include "main/werkseinstellungen.h"
#include "support/pseudoterminal.h"
#include "support/testhilfe.h"

namespace pvtest {

// A device file from the shipped one with some keys changed.
inline QByteArray geraetedatei(const QString& name, const QList<std::pair<QString, QString>>& werte) {
  QFile f(QStringLiteral(PELVARON_DATEN) + QStringLiteral("/Multimeter.ger"));
  EXPECT_TRUE(f.open(QIODevice::ReadOnly));
  QStringList zeilen = pv::vonCp1252(f.readAll()).split(QStringLiteral("\r\n"));
  auto setzen = [&](const QString& schluessel, const QString& wert) {
    for (QString& z : zeilen) {
      if (z.startsWith(schluessel + u'=')) z = schluessel + u'=' + wert;
    }
  };
  setzen(QStringLiteral("Bezeichnung"), name);
  for (const auto& [s, w] : werte) setzen(s, w);
  return pv::zuCp1252(zeilen.join(QStringLiteral("\r\n")));
}

// Positions all 0: the record format is found automatically.
inline const QList<std::pair<QString, QString>> kAutomatisch = {
    {QStringLiteral("Messwertbeginn"), QStringLiteral("0")}, {QStringLiteral("Messwertende"), QStringLiteral("0")},
    {QStringLiteral("Vorzeichenstelle"), QStringLiteral("0")}, {QStringLiteral("Einheit1 Beginn"), QStringLiteral("0")},
    {QStringLiteral("Einheit1 Ende"), QStringLiteral("0")},
};

class ProgrammMitGeraet : public ::testing::Test {
 protected:
  void SetUp() override {
    pv::hauptmodul() = pv::Hauptmodul{};
    pv::geraeteZustand() = pv::GeraeteZustand{};
    pv::erfassungsmodul() = pv::Erfassungsmodul{};
    ASSERT_TRUE(pty.ok());
    qputenv("PELVARON_COM3", pty.slave().toLocal8Bit());
  }
  void TearDown() override { qunsetenv("PELVARON_COM3"); }

  // Starts the program with this device chosen on COM 3.
  void starten(const QString& name, QList<std::pair<QString, QString>> werte, float timeOut = 1,
               const std::function<void(pv::Einstellungen&)>& einstellen = {}) {
    u.schreibe(QStringLiteral("Test.ger"), geraetedatei(name, werte));
    pv::Einstellungen e;
    pv::Standardparameter(e, u.pfad());
    e.AktuellesMessgeraet = name;
    e.ComPortNummer = 3;
    e.TimeOutON = 1;
    e.TimeOutTime = timeOut;
    if (einstellen) einstellen(e);
    ASSERT_TRUE(pv::iniSichern(u.pfad(), u',', e));
    programm = std::make_unique<pv::Programm>(QStringList{QStringLiteral("pelvaron")}, QLocale(QLocale::German),
                                              [this] { ++beendet; });
    ASSERT_TRUE(programm->FormLaden());
    ASSERT_EQ(pv::geraeteZustand().AktuellesMessgeraet, name);
    if (mitschreiben) programm->verbindung().DatensatzAuswerten = [this](const QByteArray& s) { saetze << s; };
  }
  pv::Form1& f() { return programm->form1(); }
  // The main window's controls.
  pv::Form1Steuerelemente& ui() { return pv::steuerelemente(f()); }
  QString status() { return ui().Label1->text(); }

  pvtest::Programmumgebung u;
  pvtest::Pseudoterminal pty;
  std::unique_ptr<pv::Programm> programm;
  QList<QByteArray> saetze;
  bool mitschreiben = true;  // false: records go to the program's evaluation
  int beendet = 0;           // the calls to end the event loops
};

}  // namespace pvtest
