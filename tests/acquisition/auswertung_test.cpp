// Record evaluation: automatic format, fixed positions, bad records, range
// recognition and factor, processing, limits, level bar, and how a result
// reaches the windows.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "acquisition/ansichten.h"
#include "acquisition/auswertung.h"
#include "acquisition/empfang.h"
#include "common/laufzeitfehler.h"
#include "common/tolvek.h"
#include "common/zahlen.h"
#include "devices/geraetedefinition.h"
#include "tests/acquisition/decoderbeispiele.h"

namespace {

using A = pv::Auswertungsausgang;
using Art = pv::Pegelanzeige::Art;
using V = pv::Messwertverarbeitung;
using Aendern = std::function<void(pv::Erfassungszustand&)>;

// Fixed positions for records like "DC -1.999 mV" + CR: unit 1 at 1-2,
// sign at 4, value at 5-9, unit 2 at 11-12, 13 characters.
pv::Erfassungszustand geraet(const Aendern& aendern = {}) {
  pv::Erfassungszustand g;
  g.Einheit1Pos = {1, 2};
  g.Vorzeichenstelle = 4;
  g.Messwertbeginn = 5;
  g.Messwertende = 9;
  g.Einheit2Pos = {11, 12};
  g.Datenstringlaenge = 13;
  g.LZAscii = 13;
  for (size_t i = 0; i < 6; ++i) g.MessbereichZeichen[i] = pv::standardMBZeichen()[i];
  if (aendern) aendern(g);
  return g;
}

pv::Erfassungszustand autoGeraet(const QString& spezial = {}) {
  return geraet([&](pv::Erfassungszustand& g) {
    g.Einheit1Pos = g.Einheit2Pos = {0, 0};
    g.Vorzeichenstelle = g.Messwertbeginn = g.Messwertende = g.Datenstringlaenge = 0;
    g.AutoFormat = true;
    g.Spezial = spezial;
  });
}

struct Lauf {
  pv::Auswertung auswertung;
  pv::Erfassungsmodul modul;  // Standard, factor 1
  pv::Auswertungseinstellungen einst;
  pv::Auswertungsergebnis los(const QByteArray& satz, const pv::Erfassungszustand& g) {
    return auswertung.auswerten(satz, g, modul, einst);
  }
};

TEST(Auswertung, AutomaticFormatSplitsUnitsAndValue) {
  struct Fall {
    const char* name;
    QByteArray satz;
    int16_t lz;
    QByteArray erwartet;
    pv::Datensatzlayout layout;  // unit 1, sign, value begin, end, unit 2, length
  };
  const Fall faelle[] = {
      {"unit, signed value, unit", "DC -1.234 V\r", 13, "DC-1.234V\r", {{1, 2}, 0, 3, 8, {9, 9}, 10}},
      {"digits after the unit join the number", "12V3\r", 13, "123V\r", {{0, 0}, 0, 1, 3, {4, 4}, 5}},
      {"a minus after digits is no sign", "12-3 V\r", 13, "123- V\r", {{0, 0}, 0, 1, 3, {4, 6}, 7}},
      {"no digits: empty value", "OL\r", 13, "OL\r", {{1, 2}, 0, 3, 2, {0, 0}, 3}},
      {"LF ends the record too", "5 kg\nrest", 13, "5kg\r", {{0, 0}, 0, 1, 1, {2, 3}, 4}},
      {"other terminator stays in unit 2", "7 V#", 35, "7V##", {{0, 0}, 0, 1, 1, {2, 3}, 4}},
      {"rebuilt length beyond 16 bits", QByteArray(32767, '1'), 13, "FEHLER", {}},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    const pv::ZerlegterDatensatz z = pv::DatensatzZerlegen(f.satz, f.lz);
    EXPECT_EQ(z.datensatz, f.erwartet);
    EXPECT_EQ(z.layout, f.layout);
  }
  Lauf lauf;
  lauf.einst.AnzeigeMessgeraet = true;
  const auto r = lauf.los("DC -1.234 V\r", autoGeraet());
  EXPECT_FLOAT_EQ(*r.geraetewert, -1.234f);
  EXPECT_EQ(r.umgeschrieben, QByteArray("DC-1.234V\r"));
  EXPECT_EQ(r.hauptanzeige(), (pv::Anzeigetexte{"-1,234", "DC", "V"}));
  EXPECT_EQ(lauf.los("OL\r", autoGeraet()).statustext(), pv::kKeinAuswertbarerMesswert);
}

TEST(Auswertung, RecordsByFixedPositions) {
  const QString ok = pv::kDatenWerdenEmpfangen;
  const QString keinWert = pv::kKeinAuswertbarerMesswert;
  const QString fehler9 = pv::verarbeitungsfehlerText(9);
  struct Fall {
    const char* name;
    QByteArray satz;
    A ausgang;
    QString status;
    QString wertText;  // as far as it was built
    float wert = 0;
    QChar dezimal = u',';
    Aendern aendern = {};
  };
  const Fall faelle[] = {
      {"point becomes comma", "DC  1.234 V \r", A::Messwert, ok,  " 1,234", 1.234f},
      {"comma becomes point", "DC  1,234 V \r", A::Messwert, ok, " 1.234", 1.234f, u'.'},
      {"sign position", "DC -0.500 V \r", A::Messwert, ok, "-0,500", -0.5f},
      {"blanks between sign and digits", "DC -  0.5 V \r", A::Messwert, ok, "-  0,5", -0.5f},
      {"empty record changes nothing", "", A::Leer, "", ""},
      {"FEHLER anywhere", "DC FEHLER mV\r", A::Abgewiesen, pv::kDatensatzNichtAuswertbar, ""},
      {"small 'Fehler' in the value", "DC Fehler mV\r", A::KeinMesswert, keinWert, "Fehler"},
      {"one character short", "DC 1.999 mV\r", A::Abgewiesen, pv::kDatensatzlaengeFalsch, ""},
      {"wrong terminator", "DC -1.999 mV\n", A::Abgewiesen, pv::kAbschlusszeichenFalsch, ""},
      {"value field of dashes", "DC ------ mV\r", A::KeinMesswert, keinWert, "------"},
      {"beyond single precision", "DC  9E99  mV\r", A::KeinMesswert, keinWert, " 9E99 "},
      {"unit field beyond the record", "DC -1.999 mV\r", A::Verarbeitungsfehler, fehler9, "", 0, u',',
       [](auto& g) { g.Einheit2Pos = {11, 14}; }},
      {"value field beyond the record", "DC -1.999 mV\r", A::Verarbeitungsfehler, fehler9, "-1,999 mV\r", 0, u',',
       [](auto& g) { g.Messwertende = 20; }},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    Lauf lauf;
    lauf.einst.Dezimaltrennzeichen = f.dezimal;
    const auto r = lauf.los(f.satz, geraet(f.aendern));
    EXPECT_EQ(r.ausgang, f.ausgang);
    EXPECT_EQ(r.statustext(), f.status);
    EXPECT_EQ(r.messwertText, f.wertText);
    EXPECT_EQ(r.debugZeile(), f.ausgang != A::Abgewiesen && f.ausgang != A::Verarbeitungsfehler);
    EXPECT_EQ(r.speicherbar(), f.ausgang == A::Messwert);
    if (f.ausgang == A::Messwert) {
      EXPECT_FLOAT_EQ(*r.geraetewert, f.wert);
    }
  }
}

TEST(Auswertung, RangeRecognitionPicksTheButton) {
  const auto mit = [](int16_t erkennung, const Aendern& mehr = {}) {
    return geraet([&](pv::Erfassungszustand& g) {
      g.MessbereichAutomatisch = true;
      g.MessbereichErkennung = erkennung;
      if (mehr) mehr(g);
    });
  };
  struct Fall {
    const char* name;
    pv::Erfassungszustand g;
    QString einheit1, einheit2;
    QChar zeichen;
    std::optional<int16_t> bereich;
  };
  const Fall faelle[] = {
      {"milli after blanks", mit(1), "  mV", "", {}, 2},
      {"mega", mit(1), "MOhm", "", {}, 0},
      {"no prefix letter: Standard", mit(1), "V", "", {}, 6},
      {"empty unit never matches an empty range slot", mit(1, [](auto& g) { g.MessbereichZeichen[0].clear(); }),
       "", "", {}, 6},
      {"G is Giga on APPA107", mit(1, [](auto& g) { g.Spezial = QStringLiteral("APPA107N"); }), "GOhm", "", {}, 7},
      {"unit 2", mit(2), "DC", "nA", {}, 4},
      {"fixed position", mit(3), "DC", "V", u'k', 1},
      {"position outside the record: Standard", mit(3), "DC", "V", QChar(), 6},
      {"windows-1252 micro sign", mit(1, [](auto& g) { g.MessbereichZeichen[3] = QStringLiteral("µ"); }), "µA", "",
       {}, 3},
      {"recognition off", geraet(), "mV", "", {}, std::nullopt},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(pv::MessbereichErkennen(f.g, f.einheit1, f.einheit2, f.zeichen), f.bereich);
  }
  // Through the evaluation: the button's factor applies before processing,
  // and an unchanged range is not chosen again.
  const auto appa = mit(2, [](auto& g) { g.Spezial = QStringLiteral("APPA107"); });
  const std::pair<QByteArray, double> faktoren[] = {{"MV", 1e6},   {"kV", 1e3},   {"mV", 1e-3}, {"uV", 1e-6},
                                                    {"nV", 1e-9},  {"pV", 1e-12}, {"V ", 1},    {"GV", 1e9}};
  Lauf lauf;
  for (const auto& [einheit, faktor] : faktoren) {
    SCOPED_TRACE(einheit.constData());
    EXPECT_TRUE(lauf.los("DC  2.500 " + einheit + "\r", appa).messbereich.has_value());
    EXPECT_FLOAT_EQ(static_cast<float>(lauf.modul.Faktor), static_cast<float>(faktor));
    const auto r = lauf.los("DC  2.500 " + einheit + "\r", appa);
    EXPECT_FALSE(r.messbereich.has_value());
    EXPECT_FLOAT_EQ(r.verarbeitet, 2.5f * static_cast<float>(faktor));
  }
  // A recognition position past the record is Standard, not an error.
  const auto hinten = mit(3, [](auto& g) { g.MessbereichZeichenposition = 40; });
  EXPECT_EQ(lauf.los("DC -1.999 mV\r", hinten).messbereich, std::optional<int16_t>(6));
}

TEST(Auswertung, ProcessingLimitsAndSensor) {
  struct Fall {
    const char* name;
    float wert = 0;  // processed value
    QString text = {};
    QString status = pv::kDatenWerdenEmpfangen;
    double faktor = 1;
    V art = V::Messgeraet;
    std::optional<float> min = {}, max = {};
    const char* sensor = nullptr;  // its answer; none: no characteristic loaded
    QByteArray satz = "DC  2.500 V \r";
  };
  const QString hoch = pv::kWertebereichUeberschritten;
  const Fall faelle[] = {
      {.name = "device value x factor", .wert = 0.0025f, .faktor = 1e-3},
      {.name = "Standard", .wert = 2.5f, .text = "2,500"},
      {.name = "overflow after scaling", .status = pv::verarbeitungsfehlerText(6), .faktor = 1e9,
       .satz = "DC 9E35   V \r"},
      {.name = "overflow of the linear function", .status = pv::verarbeitungsfehlerText(6), .faktor = 1e3,
       .art = V::Linear, .satz = "DC 9E37   V \r"},
      {.name = "linear y = 2x + 1 with Kilo", .wert = 5001, .faktor = 1e3, .art = V::Linear},
      {.name = "no option chosen", .wert = 0, .art = V::Keine},
      {.name = "below the minimum", .wert = -0.1f, .text = "<< low <<", .status = pv::kWertebereichUnterschritten,
       .min = 0, .satz = "DC -0.100 V \r"},
      {.name = "equal to the maximum is inside", .wert = 2.5f, .text = "2,500", .min = 0, .max = 2.5f},
      {.name = "above the maximum", .wert = 2.5f, .text = ">> high >>", .status = hoch, .max = 2},
      {.name = "min above max: maximum wins", .wert = 2.5f, .text = ">> high >>", .status = hoch, .min = 5, .max = 1},
      {.name = "no characteristic loaded", .text = "## ??? ##", .status = pv::kSensorNichtAuswertbar, .art = V::Sensor},
      {.name = "below the table", .text = "## ??? ##", .status = pv::kSensorUnterschritten, .art = V::Sensor,
       .sensor = "OutOfRange_Low"},
      {.name = "above the table", .text = "## ??? ##", .status = pv::kSensorUeberschritten, .art = V::Sensor,
       .sensor = "OutOfRange_High"},
      {.name = "sensor value", .wert = 25.5f, .text = "25,500", .faktor = 1e3, .art = V::Sensor, .sensor = "25,5"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    Lauf lauf;
    lauf.modul.Faktor = f.faktor;
    pv::Auswertungseinstellungen& e = lauf.einst;
    e.Verarbeitung = f.art;
    e.LinearM = 2;
    e.LinearT = 1;
    e.CheckMinON = f.min ? 1 : 0;
    e.CheckMin = f.min.value_or(0);
    e.CheckMaxON = f.max ? 1 : 0;
    e.CheckMax = f.max.value_or(0);
    e.BarGraphAktiviert = 1;
    e.YNachkommastellen = 3;
    float gefragt = 0;
    if (f.sensor) lauf.auswertung.sensor = [&](float w) { gefragt = w; return QString::fromUtf8(f.sensor); };
    const auto r = lauf.los(f.satz, geraet());
    EXPECT_FLOAT_EQ(r.verarbeitet, f.wert);
    if (!f.text.isEmpty()) {
      EXPECT_EQ(r.verarbeitetAnzeige().wert, f.text);
    }
    EXPECT_EQ(r.statustext(), f.status);
    if (f.sensor) {
      EXPECT_FLOAT_EQ(gefragt, 2.5f * static_cast<float>(f.faktor));
    }
    // Values beyond a limit are still stored; a sensor failure or an overflow
    // is not, and leaves the level bar alone.
    EXPECT_EQ(r.speicherbar(), r.ausgang == A::Messwert);
    EXPECT_EQ(r.pegel.art == Art::Unveraendert, r.ausgang != A::Messwert);
  }
}

// Which evaluations end with a debug line, and its middle pieces: the
// rewritten record, the cut fields and the device value as far as it came.
TEST(Auswertung, DebugLine) {
  struct Fall {
    const char* name;
    QByteArray satz;
    pv::Erfassungszustand g;
    bool zeile;
    QString mitte = {};
    V art = V::Messgeraet;
    QChar dezimal = u',';
  };
  const Fall faelle[] = {
      {"value", "DC -1.999 mV\r", geraet(), true, "E1:'DC'\tE2:'mV'\tMWStr:'-1,999'\tMW_MG:'-1,999'\t"},
      {"system separator point", "DC -1,999 mV\r", geraet(), true,
       "E1:'DC'\tE2:'mV'\tMWStr:'-1.999'\tMW_MG:'-1.999'\t", V::Messgeraet, u'.'},
      {"automatic format", "DC -1.234 V\r", autoGeraet(), true,
       "Dta$(1)'DC-1.234V\r'\tE1:'DC'\tE2:'V'\tMWStr:'-1,234'\tMW_MG:'-1,234'\t"},
      {"no conversion: no device value", "DC ------ mV\r", geraet(), true, "E1:'DC'\tE2:'mV'\tMWStr:'------'\t"},
      {"automatic format, no conversion", "OL\r", autoGeraet(), true, "Dta$(1)'OL\r'\tE1:'OL'\tE2:''\tMWStr:''\t"},
      {"sensor failure", "DC -1.999 mV\r", geraet(), true, "E1:'DC'\tE2:'mV'\tMWStr:'-1,999'\tMW_MG:'-1,999'\t",
       V::Sensor},
      {"empty record: start and end only", "", autoGeraet(), true, ""},
      // Rejected records and run-time errors: RecordsByFixedPositions.
      {"FEHLER after rewriting", "\x01", autoGeraet(QStringLiteral("SKINTALK")), false},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    Lauf lauf;
    lauf.einst.Verarbeitung = f.art;
    lauf.einst.Dezimaltrennzeichen = f.dezimal;
    const auto r = lauf.los(f.satz, f.g);
    EXPECT_EQ(r.debugZeile(), f.zeile);
    if (f.zeile) {
      EXPECT_EQ(r.debugMitte(f.dezimal), f.mitte);
    }
  }
}

TEST(Auswertung, FullScaleAndLevelBar) {
  struct Fall {
    const char* name;
    int16_t art;  // device kind
    float skalaGeraet;
    QByteArray satz;
    float skala;
    int16_t modus;
    Art pegel;
    float zeichenwert = 0;
    QString beschriftung = {};
  };
  const Fall faelle[] = {
      {"3 1/2 digits, separator at 2 of 5", 0, 0, "DC  1.999 V \r", 1.999f, 1, Art::Zeigen, 100},
      {"no separator", 0, 0, "DC  1999  V \r", 1999, 1, Art::Zeigen, 100},
      {"3 3/4 digits, separator at 3 of 5", 1, 0, "DC  39.99 V \r", 39.99f, 0, Art::Zuruecksetzen},
      {"exponent: the base itself", 0, 0, "DC 1.5E-3 V \r", 19990, 0, Art::Zuruecksetzen},
      {"unknown kind keeps the previous", 9, 0, "DC  1.999 V \r", 123, 0, Art::Zuruecksetzen},
      {"percent label", 5, 19990, "DC  500   V \r", 1999, 3, Art::Zeigen, 25.0125f, "25,0 %"},
      {"value and full scale", 5, 19990, "DC -500   V \r", 1999, 2, Art::Zeigen, 25.0125f, "-500 / 1999"},
      {"above full scale draws 100", 5, 19990, "DC  4000  V \r", 1999, 3, Art::Zeigen, 100, "100,0 %"},
      {"full scale 0 resets", 5, 0, "DC  500   V \r", 0, 3, Art::Zuruecksetzen},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    Lauf lauf;
    lauf.auswertung.SkalaMaximum = 123;
    lauf.einst.BarGraphAktiviert = f.modus;
    const auto r = lauf.los(f.satz, geraet([&](auto& g) {
      g.Geraeteart = f.art;
      g.SkalaMaximumGeraet = f.skalaGeraet;
    }));
    EXPECT_FLOAT_EQ(lauf.auswertung.SkalaMaximum, f.skala);
    ASSERT_EQ(r.pegel.art, f.pegel);
    if (f.pegel != Art::Zeigen) continue;
    EXPECT_NEAR(r.pegel.zeichenwert(), f.zeichenwert, 1e-4);
    EXPECT_EQ(r.pegel.beschriftung(), f.beschriftung);
  }
  // The binary-reply meters count from the separator of the value written
  // back, so a leading zero of the field does not count, under either
  // system separator.
  for (const QChar dezimal : {QChar(u','), QChar(u'.')}) {
    SCOPED_TRACE(QString(dezimal).toStdString());
    Lauf lauf;
    lauf.einst.Dezimaltrennzeichen = dezimal;
    lauf.los("DC  01.99 V \r", geraet([](auto& g) { g.Spezial = QStringLiteral("SANWAPC5x0"); }));
    EXPECT_FLOAT_EQ(lauf.auswertung.SkalaMaximum, 1.999f);
  }
}

TEST(Auswertung, ModelDecodersAndContinuousPieces) {
  Lauf lauf;
  lauf.einst.AnzeigeMessgeraet = true;
  auto r = lauf.los(pvtest::kM980TMinusVolt.satz.toByteArray(), autoGeraet(QStringLiteral("M980T")));
  EXPECT_EQ(r.hauptanzeige(), (pv::Anzeigetexte{"- 1,234", "  DC ", "  V "}));
  r = lauf.los("\x01", autoGeraet(QStringLiteral("SKINTALK")));
  EXPECT_EQ(r.statustext(), pv::kDatensatzNichtAuswertbar);
  EXPECT_FALSE(r.angenommen);
  EXPECT_FLOAT_EQ(*lauf.los("U= 4,5V\r", autoGeraet(QStringLiteral("XY"))).geraetewert, 4.5f);

  // Continuous framing: a display-segment record caught in the middle is dropped.
  struct Fall {
    const char* name;
    pv::Erfassungszustand g;
    qsizetype laenge;
    bool auswerten;
  };
  const Fall faelle[] = {
      {"segment record cut in the middle", autoGeraet(QStringLiteral("vc820")), 9, false},
      {"complete segment record", autoGeraet(QStringLiteral("DT4000ZC")), 14, true},
      {"other automatic-format device: any length", autoGeraet(), 3, true},
      {"fixed record too short", geraet(), 12, false},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(pv::stueckAuswerten(f.laenge, f.g), f.auswerten);
  }
}

// The main window's side, logging every effect; the graph and the large
// display (showing the instrument's value) log into the same list.
struct Protokoll : pv::Messwertanzeige {
  std::vector<QString> ablauf;
  QString tag, beschriftung;
  void StatusSetzen(const QString& t) override { ablauf.push_back("status " + t); }
  void DatensatzAngenommen(bool w, bool a) override {
    ablauf.push_back(QStringLiteral("angenommen %1 %2").arg(int(w)).arg(int(a)));
  }
  void MessbereichAnzeigen(int16_t i) override { ablauf.push_back(QStringLiteral("bereich %1").arg(i)); }
  void MesswertAnzeigen(const QString& w, const QString& e1, const QString& e2) override {
    ablauf.push_back("haupt " + w + "|" + e1 + "|" + e2);
  }
  void MesswerttextSetzen(const QString& w) override { ablauf.push_back("wert " + w); }
  QString PegelTag() const override { return tag; }
  void PegelZeigen(float w) override { ablauf.push_back("pegel " + (tag = pv::singleText(w, u','))); }
  QString PegelBeschriftung() const override { return beschriftung; }
  void PegelBeschriftungSetzen(const QString& t) override { ablauf.push_back("label " + (beschriftung = t)); }
};

struct Grafik : pv::GrafikAnsicht {
  explicit Grafik(std::vector<QString>* a) : ablauf(a) {}
  std::vector<QString>* ablauf;
  bool offen = true;
  bool Offen() const override { return offen; }
  void MesswertAnzeigen(const QString& w, const QString& e1, const QString& e2) override {
    ablauf->push_back("grafik " + w + "|" + e1 + "|" + e2);
  }
  void Init() override {}
  void NeuButton_Click() override {}
  bool MinMaxAutoX() const override { return true; }
  bool MinMaxAutoY() const override { return true; }
  void PunktZeichnen(float, float, int, uint32_t) override {}
  void LinieZeichnen(float, float, float, float, int, uint32_t) override {}
};

struct Grossanzeige : pv::GrossanzeigeAnsicht {
  explicit Grossanzeige(std::vector<QString>* a) : ablauf(a) {}
  std::vector<QString>* ablauf;
  bool Offen() const override { return true; }
  bool MessgeraetGewaehlt() const override { return true; }
  void MesswertAnzeigen(const QString& w, const QString& e1, const QString& e2) override {
    ablauf->push_back("gross " + w + "|" + e1 + "|" + e2);
  }
};

TEST(Auswertung, ResultReachesWindowsInOrder) {
  Tolvek::zustand().Einheitenvorsatz.clear();
  const auto g = geraet([](auto& g) {
    g.GeraetAktiv = true;
    g.MessbereichAutomatisch = true;
    g.MessbereichErkennung = 2;
    g.Geraeteart = 5;
    g.SkalaMaximumGeraet = 19990;
  });
  Lauf lauf;
  lauf.einst = {.CheckMaxON = 1, .CheckMax = 0.1f, .TimeOutON = 1, .BarGraphAktiviert = 3, .Einheit = "V"};
  Protokoll p;
  Grafik grafik(&p.ablauf);
  Grossanzeige gross(&p.ablauf);
  const pv::Ansichten ansichten{&grafik, &gross, nullptr};
  const auto anzeigen = [&](const QByteArray& satz, const pv::Erfassungszustand& d) {
    p.ablauf.clear();
    pv::ergebnisAnzeigen(lauf.los(satz, d), p, ansichten);
    return p.ablauf;
  };
  using Log = std::vector<QString>;
  const QString empfangen = "status " + pv::kDatenWerdenEmpfangen;
  const QString hoch = "status " + pv::kWertebereichUeberschritten;
  EXPECT_EQ(anzeigen("DC  500   mV\r", g), (Log{empfangen, "angenommen 1 0", "bereich 2", hoch,
                                                 "haupt >> high >>||V", "grafik >> high >>||V",
                                                 "gross  500  |DC|mV", "pegel 25,01251", "label 25,0 %"}));
  // Same level again: neither the bar nor its label is redrawn.
  EXPECT_EQ(anzeigen("DC  500   mV\r", g).back(), "gross  500  |DC|mV");
  // No value: the graph keeps its labels, the large display shows the failure.
  EXPECT_EQ(anzeigen("DC  ---   mV\r", g),
            (Log{empfangen, "angenommen 1 0", "haupt ## ??? ##||", "status " + pv::kKeinAuswertbarerMesswert,
                 "gross ## ??? ##||", "pegel 100", "label !!! Achtung !!!"}));
  // A closed graph gets nothing; with the bar off a bar below 1 % is reset too.
  grafik.offen = false;
  p.tag = QStringLiteral("0,5");
  lauf.einst.BarGraphAktiviert = 0;
  EXPECT_EQ(anzeigen("DC  500   mV\r", g), (Log{empfangen, "angenommen 1 0", hoch, "haupt >> high >>||V",
                                                 "gross  500  |DC|mV", "pegel 0", "label "}));
  EXPECT_EQ(anzeigen("DC\r", g), (Log{"status " + pv::kDatensatzlaengeFalsch}));
}

}  // namespace
