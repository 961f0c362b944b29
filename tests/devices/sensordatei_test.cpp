// Sensor files: the writer, the readers and loading into the active
// characteristic.
#include <gtest/gtest.h>

#include "common/zahlen.h"
#include "devices/sensordatei.h"
#include "support/testhilfe.h"

namespace {

using pv::SensorZellen;
using pv::sensorZustand;

const QByteArray kPt100 =
    "[Pelvaron Sensordatei]\r\nPT100 \xB0" "C\r\nWiderstand (\xC4)\tTemperatur\r\n0\t0\r\n10\t100\r\n";

class Sensordatei : public ::testing::Test {
 protected:
  void SetUp() override { sensorZustand() = pv::SensorZustand{}; }
  pvtest::Programmumgebung u;
};

TEST_F(Sensordatei, WrittenBytesReadBackAndWriteAgainUnchanged) {
  const auto text = pv::sensordateiText(QStringLiteral("PT100 °C"), QStringLiteral("Widerstand (Ä)"),
                                        QStringLiteral("Temperatur"),
                                        {{"0", "0,0"}, {"", ""}, {"1E1", "100"}}, u',');
  ASSERT_TRUE(text);
  EXPECT_EQ(*text, kPt100);

  const pv::SensordateiInhalt i = pv::sensordateiLesen(*text, u',');
  ASSERT_TRUE(i.gelesen()) << i.fehler.toStdString();
  EXPECT_EQ(*i.bezeichnung, QStringLiteral("PT100 °C"));
  EXPECT_EQ(i.xAchse, QStringLiteral("Widerstand (Ä)"));
  EXPECT_EQ(i.yAchse, QStringLiteral("Temperatur"));
  EXPECT_EQ(i.x, (std::vector<float>{0, 0, 10}));
  EXPECT_EQ(i.y, (std::vector<float>{0, 0, 100}));

  std::vector<SensorZellen> zellen;
  for (int k = 1; k <= i.paare(); ++k) {
    zellen.push_back({pv::singleText(i.x[k], u','), pv::singleText(i.y[k], u',')});
  }
  EXPECT_EQ(pv::sensordateiText(*i.bezeichnung, i.xAchse, i.yAchse, zellen, u','), kPt100);
}

TEST_F(Sensordatei, BlanksInNamesAndLabelsReadBackAsWritten) {
  struct Fall {
    QString bez, x, y;
  };
  const Fall faelle[] = {
      {"S", "U", "   "},     // a y label of blanks
      {"S", "mV ", "T "},    // trailing blanks
      {"S ", "U", " T"},     // the y label starts after the TAB
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE((f.bez + u'|' + f.x + u'|' + f.y).toStdString());
    const auto text = pv::sensordateiText(f.bez, f.x, f.y, {{"1", "2"}}, u',');
    ASSERT_TRUE(text);
    const pv::SensordateiInhalt i = pv::sensordateiLesen(*text, u',');
    ASSERT_TRUE(i.gelesen()) << i.fehler.toStdString();
    EXPECT_EQ(*i.bezeichnung, f.bez);
    EXPECT_EQ(i.xAchse, f.x);
    EXPECT_EQ(i.yAchse, f.y);
    EXPECT_EQ(pv::sensordateiKopfLesen(*text).bezeichnung, f.bez) << "the editor's list";
  }
}

TEST_F(Sensordatei, WriterRefusesWhatWouldNotReadBack) {
  const auto schreibe = [](const QString& name, const QString& x) {
    return pv::sensordateiText(name, QStringLiteral("x"), QStringLiteral("y"), {{x, "1"}}, u',');
  };
  EXPECT_TRUE(schreibe("a", "3,4E+38"));
  EXPECT_FALSE(schreibe("a", "1E39")) << "beyond single precision";
  EXPECT_FALSE(schreibe("a", "zwei")) << "no number";
  EXPECT_FALSE(schreibe(QStringLiteral("Ω-Sensor"), "1")) << "not in Windows-1252";
}

TEST_F(Sensordatei, ReaderOutcomes) {
  struct Fall {
    const char* name;
    QByteArray bytes;
    bool gelesen;
    int paare;
    bool kopfPasst = true;
    bool kopfGenau = true;
  };
  const QByteArray k = "[Pelvaron Sensordatei]\r\nS\r\nx\ty\r\n";
  const Fall faelle[] = {
      {"header, name and labels only", k, true, 0},
      {"last pair line without CR LF", k + "1\t2\r\n3\t4", true, 2},
      {"pair lines ended by LF or CR alone", k + "1\t2\n3\t4\r5\t6\r\n", true, 3},
      {"longer header: read, not listed", "[Pelvaron Sensordatei]1\r\nS\r\nx\ty\r\n1\t2\r\n", true, 1, true, false},
      {"decimal point under a comma locale", k + "1.5\t2,5\r\n", true, 1},
      {"wrong header", "[Pelvaron Sensor]\r\nS\r\nx\ty\r\n1\t2\r\n", false, 0, false, false},
      {"empty file", "", false, 0, false, false},
      {"designation missing", "[Pelvaron Sensordatei]\r\n", false, 0},
      {"label line without TAB", "[Pelvaron Sensordatei]\r\nS\r\nxy\r\n1\t2\r\n", false, 0},
      {"pair line without TAB", k + "1\t2\r\n3 4\r\n", false, 1},
      {"empty line after the last pair", k + "1\t2\r\n\r\n", false, 1},
      {"second TAB in the y text", k + "1,5\t2,5\t3\r\n", false, 0},
      {"value beyond single precision", k + "1\t1E39\r\n", false, 0},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    const pv::SensordateiInhalt i = pv::sensordateiLesen(f.bytes, u',');
    EXPECT_EQ(i.gelesen(), f.gelesen);
    EXPECT_EQ(i.paare(), f.paare);
    EXPECT_EQ(i.kopfPasst(), f.kopfPasst);
    EXPECT_EQ(i.kopfGenau(), f.kopfGenau);
  }

  // A comma in the designation (only an old file can hold one) splits it
  // into fields: the rest of the line becomes the label field.
  const pv::SensordateiInhalt komma =
      pv::sensordateiLesen("[Pelvaron Sensordatei]\r\nA,B\tC\r\n1\t2\r\n", u',');
  EXPECT_TRUE(komma.gelesen());
  EXPECT_EQ(*komma.bezeichnung, QStringLiteral("A"));
  EXPECT_EQ(komma.xAchse, QStringLiteral("B"));
}

TEST_F(Sensordatei, LoadingReplacesTheActiveCharacteristicWhole) {
  pv::SensorZustand& s = sensorZustand();
  u.schreibe(QStringLiteral("drei.pvf"), "[Pelvaron Sensordatei]\r\nDrei\r\nx\ty\r\n1\t10\r\n2\t20\r\n3\t30\r\n");
  u.schreibe(QStringLiteral("zwei.pvf"), "[Pelvaron Sensordatei]\r\nZwei\r\nu\tv\r\n5\t6\r\n7\t8");
  u.schreibe(QStringLiteral("leer.pvf"), "[Pelvaron Sensordatei]\r\nLeer\r\nLx\tLy\r\n");
  u.schreibe(QStringLiteral("kaputt.pvf"), "[Pelvaron Sensordatei]\r\nKaputt\r\nKx\tKy\r\n1\t2\r\nx\r\n");
  u.schreibe(QStringLiteral("fremd.pvf"), "[Anderes]\r\n");

  std::optional<QString> name;
  EXPECT_EQ(pv::SensorDateiLaden(u.pfad("drei.pvf"), u',', &name), QString());
  EXPECT_EQ(name, QStringLiteral("Drei"));
  EXPECT_EQ(pv::SensorDateiLaden(u.pfad("zwei.pvf"), u','), QString());
  EXPECT_EQ(s.Sensor.Anzahl, 2);
  EXPECT_EQ(s.Sensor.X, (std::vector<float>{0, 5, 7}));
  EXPECT_EQ(s.Sensor.Y, (std::vector<float>{0, 6, 8}));
  EXPECT_EQ(s.Sensor.XAchse, QStringLiteral("u"));
  EXPECT_EQ(s.Sensorname, QStringLiteral("Zwei"));

  // Nothing active changes after a file without pairs, a broken one, a
  // foreign one or a missing one; only the editing labels take the file's.
  name.reset();
  EXPECT_EQ(pv::SensorDateiLaden(u.pfad("leer.pvf"), u',', &name), QString());
  EXPECT_FALSE(name);
  EXPECT_EQ(s.Fuehler.XAchse, QStringLiteral("Lx"));
  EXPECT_EQ(pv::SensorDateiLaden(u.pfad("kaputt.pvf"), u','), QStringLiteral("FEHLER"));
  EXPECT_EQ(pv::SensorDateiLaden(u.pfad("fremd.pvf"), u','), QStringLiteral("UNGÜLTIGE DATEI"));
  EXPECT_EQ(pv::SensorDateiLaden(u.pfad("fehlt.pvf"), u','), QStringLiteral("FEHLER"));
  EXPECT_EQ(s.Sensor.X, (std::vector<float>{0, 5, 7}));
  EXPECT_EQ(s.Sensorname, QStringLiteral("Zwei"));
}

}  // namespace
