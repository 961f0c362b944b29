// The script that plays the shipped multimeter on a pseudo-terminal, read as
// the program reads it.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QSerialPort>

#include "acquisition/auswertung.h"
#include "acquisition/empfang.h"
#include "acquisition/seriellerport.h"
#include "support/pseudoterminal.h"
#include "tests/acquisition/mitgeliefertegeraete.h"

namespace {

TEST(MultimeterSkript, PlaysRecordsTheShippedDeviceDecodes) {
  QProcess skript;
  skript.start(QDir(pvtest::kMitgeliefert).filePath(QStringLiteral("../scripts/multimeter.py")), {});
  ASSERT_TRUE(skript.waitForReadyRead(60000)) << skript.readAllStandardError().toStdString();
  const QString pfad = QString::fromLocal8Bit(skript.readLine()).trimmed();

  const pv::Geraetedefinition def = pvtest::mitgeliefertLesen(QStringLiteral("Multimeter.ger"));
  pv::Erfassungszustand z = pvtest::erfassungszustand(def);
  QProcessEnvironment umgebung;
  umgebung.insert(QStringLiteral("PELVARON_COM2"), pfad);
  pv::SeriellerPort port(umgebung);
  port.setCommPort(2);
  port.setSettings(def.ComSettingPub);
  port.setPortOpen(true);
  std::vector<QByteArray> saetze;
  pv::Empfang empfang(z, {[&saetze](const QByteArray& s) { saetze.push_back(s); }, {}, {}});
  QObject::connect(&port.port(), &QSerialPort::readyRead,
                   [&] { empfang.ereignis(pv::kEreignisEmpfang, port.port()); });
  EXPECT_TRUE(pvtest::warteBis([&saetze] { return saetze.size() >= 3; }));

  for (const QByteArray& satz : saetze) {
    SCOPED_TRACE(satz.toStdString());
    pv::Auswertung auswertung;
    pv::Erfassungsmodul modul;
    const pv::Auswertungsergebnis r = auswertung.auswerten(satz, z, modul, pv::Auswertungseinstellungen{});
    EXPECT_EQ(r.ausgang, pv::Auswertungsausgang::Messwert) << r.meldung.toStdString();
    EXPECT_EQ(r.einheit1.trimmed(), QStringLiteral("V"));
    ASSERT_TRUE(r.geraetewert.has_value());
    EXPECT_GE(*r.geraetewert, 0.2f);
    EXPECT_LE(*r.geraetewert, 1.8f);
  }
  skript.kill();
  skript.waitForFinished();
}

}  // namespace
