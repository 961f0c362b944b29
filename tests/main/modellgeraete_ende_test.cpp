// Built-in instrument models end to end: their binary records arrive over a
// pseudo-terminal and come out as the values the main window shows.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>

#include "acquisition/decoderbeispiele.h"
#include "programm_mit_geraet.h"

namespace {

using pvtest::warteBis;

using Wert = std::pair<QString, QString>;

class ModellgeraetEnde : public pvtest::ProgrammMitGeraet {
 protected:
  // A device with the automatic format and the model's tag.
  void modell(const QString& spezial, int laenge, bool aktiv, const QString& anfrage = {}) {
    mitschreiben = false;
    auto werte = pvtest::kAutomatisch;
    werte << Wert{QStringLiteral("Spezial"), spezial}
          << Wert{QStringLiteral("Datenstringlänge"), QString::number(laenge)}
          << Wert{QStringLiteral("Gerät aktiv"), aktiv ? QStringLiteral("1") : QStringLiteral("0")}
          << Wert{QStringLiteral("Datenanforderungszeichen"), anfrage}
          << Wert{QStringLiteral("Wartezeit"), QStringLiteral("10")};
    starten(spezial, werte);
    ui().OptionWert1->setChecked(true);
    ui().CommandPort->click();
    ASSERT_EQ(ui().CommandPort->text(), QStringLiteral("Trennen"));
  }
  bool angezeigt() { return !ui().LabelMesswert->text().isEmpty(); }
  QString einheiten() { return ui().LabelEinheit1->text().trimmed() + u'|' + ui().LabelEinheit2->text().trimmed(); }
};

TEST_F(ModellgeraetEnde, DisplaySegmentRecordAfterACutOne) {
  modell(QStringLiteral("VC820"), 14, true);
  const QByteArray satz = pvtest::kVC820MinusMilliVolt.satz.toByteArray();
  // The tail of a record caught mid-stream comes first and is dropped.
  pty.senden(satz.right(4) + satz);
  ASSERT_TRUE(warteBis([&] { return angezeigt(); }));
  EXPECT_EQ(ui().LabelMesswert->text().remove(u' '), QStringLiteral("-12,34"));
  EXPECT_EQ(einheiten(), QStringLiteral("DC|mV"));
  // The decoder's record sets the field positions the large display fits to.
  const pv::Erfassungszustand& z = pv::erfassungsmodul().zustand;
  EXPECT_EQ(z.Einheit1Pos, (std::array<int16_t, 2>{1, 5}));
  EXPECT_EQ(z.Einheit2Pos, (std::array<int16_t, 2>{13, 16}));
  EXPECT_EQ(z.Messwertende - z.Messwertbeginn, 5);
  ui().CommandPort->click();
}

TEST_F(ModellgeraetEnde, FunctionCodeRecords) {
  modell(QStringLiteral("M980T"), 8, true);
  pty.senden(pvtest::kM980TMinusVolt.satz.toByteArray());
  ASSERT_TRUE(warteBis([&] { return angezeigt(); }));
  EXPECT_EQ(ui().LabelMesswert->text().remove(u' '), QStringLiteral("-1,234"));
  EXPECT_EQ(einheiten(), QStringLiteral("DC|V"));
  ui().CommandPort->click();
}

TEST_F(ModellgeraetEnde, RequestedUUFrame) {
  modell(QStringLiteral("APPA107"), 19, false, QStringLiteral("{85}{85}{0}{0}{170}"));
  QByteArray angefragt;
  ASSERT_TRUE(warteBis([&] {
    angefragt += pty.empfangen();
    return angefragt.size() >= 5;
  }));
  EXPECT_EQ(angefragt.left(5), QByteArray("\x55\x55\x00\x00\xAA", 5));
  pty.senden("\x01\x02" + pvtest::kAPPA107MinusVolt.satz.toByteArray());
  ASSERT_TRUE(warteBis([&] { return angezeigt(); }));
  EXPECT_EQ(ui().LabelMesswert->text().remove(u' '), QStringLiteral("-1,234"));
  EXPECT_EQ(einheiten(), QStringLiteral("DC|V"));
  ui().CommandPort->click();
}

}  // namespace
