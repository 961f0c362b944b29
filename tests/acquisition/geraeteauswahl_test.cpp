// Selecting a device: summary texts, unit label fitting and the selection
// procedure with real device files and a fake main window.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <map>
#include <utility>
#include <vector>

#include "acquisition/geraeteauswahl.h"
#include "acquisition/seriellerport.h"
#include "common/laufzeitfehler.h"
#include "common/textdatei.h"
#include "devices/geraetedefinition.h"
#include "devices/geraetetabelle.h"
#include "support/testhilfe.h"
#include "tests/acquisition/mitgeliefertegeraete.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// --- Summary ---

TEST(Zusammenfassung, ShowsInterfaceModeRangeAndFormat) {
  pv::Erfassungszustand seriell;
  seriell.Schnittstellenparameter = QStringLiteral("9600,n,8,1");
  seriell.DTR = 1;
  seriell.RTS = 0;
  seriell.GeraetAktiv = true;
  seriell.MessbereichAutomatisch = false;
  EXPECT_EQ(pv::geraeteZusammenfassung(seriell, u','),
            QStringLiteral("COM: 9600,n,8,1 DTR=1 RTS=0\r\n"
                           "Messgerät sendet eigenständig\r\n"
                           "Messbereichangabe manuell\r\n"));

  pv::Erfassungszustand usb;
  usb.USBGeraet = true;
  usb.Schnittstellenparameter = QStringLiteral("2400,o,7,2");  // left from before, not shown
  usb.GeraetAktiv = false;
  usb.Datenanforderungszeichen = QStringLiteral("D{CR}");
  usb.Abfrageintervall = 2.5f;
  usb.MessbereichAutomatisch = true;
  usb.AutoFormat = true;
  EXPECT_EQ(pv::geraeteZusammenfassung(usb, u','),
            QStringLiteral("USB-Gerät\r\n"
                           "Daten werden angefordert:\r\n"
                           "    Zeichen: 'D{CR}'\r\n"
                           "    Pause: 2,5 Sekunde(n)\r\n"
                           "Messbereicherkennung aktiviert\r\n"
                           "automatische Datenformaterkennung aktiviert"));
  EXPECT_TRUE(pv::geraeteZusammenfassung(usb, u'.').contains(QStringLiteral("Pause: 2.5 Sekunde(n)")));
}

// --- Unit label fitting ---

TEST(EinheitenSchrift, FitsFieldsLongerThanOneCharacter) {
  using Pos = std::array<int16_t, 2>;
  struct Fall {
    const char* name;
    Pos pos1, pos2;
    pv::EinheitLabelMass l1, l2;
    std::array<double, 2> erwartet;
  };
  const Fall faelle[] = {
      {"one character each keeps both sizes", {3, 3}, {5, 5},
       {10, 40, 20, 5, 10}, {12, 40, 20, 5, 10}, {10, 12}},
      {"no unit fields keeps both sizes", {0, 0}, {0, 0},
       {10, 40, 20, 5, 10}, {12, 40, 20, 5, 10}, {10, 12}},
      {"field 1 grows, then both take the smaller", {1, 2}, {0, 0},
       {10, 40, 20, 20, 10}, {12, 1, 1, 0, 0}, {12, 12}},
      {"height limits field 1", {1, 3}, {0, 0},
       {10, 60, 20, 30, 40}, {12, 1, 1, 0, 0}, {5, 5}},
      {"both fitted, smaller wins", {1, 3}, {5, 6},
       {10, 30, 20, 30, 10}, {8, 40, 20, 20, 20}, {8, 8}},
      {"a reversed field keeps its size but still equalises", {3, 0}, {0, 0},
       {10, 0, 0, 0, 0}, {12, 0, 0, 0, 0}, {10, 10}},
      {"a label without width keeps its size", {1, 2}, {0, 0},
       {10, 0, 20, 20, 10}, {12, 1, 1, 0, 0}, {10, 10}},
  };
  for (const auto& f : faelle) {
    const auto g = pv::einheitenSchriftgroessen(f.pos1, f.pos2, f.l1, f.l2);
    EXPECT_DOUBLE_EQ(g[0], f.erwartet[0]) << f.name;
    EXPECT_DOUBLE_EQ(g[1], f.erwartet[1]) << f.name;
  }
  EXPECT_EQ(pv::einheitBreitenText({10, 12}), QStringLiteral("000"));
  EXPECT_EQ(pv::einheitBreitenText({4, 4}), QString());
  EXPECT_THROW(pv::einheitenSchriftgroessen({1, 2}, {0, 0}, {10, 40, 20, 0, 10}, {}),
               pv::Laufzeitfehler);
}

// --- The selection ---

class FakeFenster : public pv::GeraeteauswahlFenster {
 public:
  QString MenuepunktText(int16_t index) override { return menue.count(index) ? menue[index] : QString(); }
  void GeraetBearbeiten(const QString& name) override { editor.push_back(name); }
  pv::EinheitLabelMass EinheitLabelMessen(int label, const QString& breitenText,
                                          const QString& hoehenText) override {
    gemessen.push_back({label, breitenText, hoehenText});
    // 10 units per character, labels 30 wide and 20 high, text 10 high.
    return {label == 1 ? 10.0 : 12.0, 30, 20, 10.0 * breitenText.size(), 10};
  }
  void EinheitSchriftgroessenSetzen(double g1, double g2) override {
    schrift = {g1, g2};
    effekte.push_back(QStringLiteral("Schrift"));
  }
  void MessbereichRahmenSetzen(const QString& titel, bool aktiv) override {
    rahmen = {titel, aktiv};
    effekte.push_back(QStringLiteral("Rahmen"));
  }
  int16_t BildLaden(const QString& datei, const QString& ausrichtung, int32_t x, int32_t y, int32_t hMax,
                    int32_t wMax) override {
    bild = {datei, ausrichtung, x, y, hMax, wMax};
    effekte.push_back(QStringLiteral("Bild"));
    return !datei.isEmpty() && QFile::exists(datei) ? 1 : 0;
  }
  void BildPlatzhalterZeigen(bool zeigen) override {
    platzhalter = zeigen;
    effekte.push_back(QStringLiteral("Platzhalter"));
  }
  void StatuszeileSetzen(const QString& text) override { status = text; }
  void GeraetAnzeigen(const QString& bezeichnung, const QString& zusammenfassung) override {
    angezeigt = {bezeichnung, zusammenfassung};
    effekte.push_back(QStringLiteral("Anzeige"));
  }
  void MenueAuswahlSetzen(int16_t index, const QString& text) override {
    haken = {index, text};
    effekte.push_back(QStringLiteral("Haken"));
  }

  struct Messung {
    int label;
    QString breite, hoehe;
  };
  struct Bild {
    QString datei, ausrichtung;
    int32_t x = 0, y = 0, hMax = 0, wMax = 0;
  };
  std::map<int16_t, QString> menue;
  std::vector<QString> editor;
  std::vector<Messung> gemessen;
  std::array<double, 2> schrift{};
  std::pair<QString, bool> rahmen;
  Bild bild;
  std::optional<bool> platzhalter;
  QString status;
  std::pair<QString, QString> angezeigt;
  std::pair<int16_t, QString> haken{0, QString()};
  std::vector<QString> effekte;
};

// A device file of the current generation; `aenderungen` replace values by
// key, a value of nullptr drops the line.
QByteArray geraetedatei(const std::vector<std::pair<const char*, const char*>>& aenderungen) {
  std::vector<std::pair<QString, QString>> zeilen = {
      {"Bezeichnung", "Testgerät"},
      {"Geräteart", "0"},
      {"Datenstringlänge", "14"},
      {"Messwertbeginn", "2"},
      {"Messwertende", "6"},
      {"Vorzeichenstelle", "1"},
      {"Einheit1 Beginn", "10"},
      {"Einheit1 Ende", "12"},
      {"Einheit2 Beginn", "0"},
      {"Einheit2 Ende", "0"},
      {"Datenstringabschlusszeichen", "R"},
      {"Skala Maximum", "19990"},
      {"Schnittstellenparameter", "2400,n,7,2"},
      {"RTS", "0"},
      {"DTR", "1"},
      {"Gerät aktiv", "0"},
      {"Datenanforderungszeichen", "D{CR}"},
      {"Wartezeit", "1,5"},
      {"Bilddatei", ""},
      {"Messbereich manuell", "0"},
      {"Messbereich Erkennung", "1"},
      {"Messbereich Zeichenposition", ""},
      {"Messbereich Zeichen 0", "M"},
      {"Messbereich Zeichen 1", "k"},
      {"Messbereich Zeichen 2", "m"},
      {"Messbereich Zeichen 3", "u"},
      {"Messbereich Zeichen 4", "n"},
      {"Messbereich Zeichen 5", "p"},
      {"Spezial", ""},
      {"Menü", "1"},
  };
  pv::CrLfText text;
  text.zeile(QStringLiteral("[Pelvaron Gerätedatei Version 3.1]"));
  for (auto& [schluessel, wert] : zeilen) {
    bool weglassen = false;
    for (const auto& [s, w] : aenderungen) {
      if (schluessel == QString::fromUtf8(s)) {
        if (w == nullptr) weglassen = true;
        else wert = QString::fromUtf8(w);
      }
    }
    if (!weglassen) text.zeile(schluessel + u'=' + wert);
  }
  text.zeile(QString());
  return text.bytes();
}

class Geraeteauswahl : public ::testing::Test {
 protected:
  Geraeteauswahl() {
    pv::geraeteZustand() = pv::GeraeteZustand{};
    modul.MessgeraetBildWMax = 301;
    modul.MessgeraetBildHMax = 203;
  }
  ~Geraeteauswahl() override { pv::geraeteZustand() = pv::GeraeteZustand{}; }

  // Writes the file, enters it in the device table and in the menu.
  int16_t geraet(const char* name, const char* datei,
                 std::vector<std::pair<const char*, const char*>> aenderungen = {}) {
    aenderungen.insert(aenderungen.begin(), {"Bezeichnung", name});
    umgebung.schreibe(QString::fromUtf8(datei), geraetedatei(aenderungen));
    return eintragen(name, datei);
  }
  int16_t eintragen(const char* name, const char* datei) {
    auto& tabelle = pv::geraeteZustand().Geraete;
    const auto nr = static_cast<int16_t>(tabelle.size());
    tabelle.push_back({nr, umgebung.pfad(QString::fromUtf8(datei)), QString::fromUtf8(name), true});
    fenster.menue[nr] = QString::fromUtf8(name);
    return nr;
  }

  bool waehlen(int16_t index) {
    pv::GeraeteauswahlUmgebung u{fenster, port, definition, modul, u','};
    return pv::mnuMessgeraete_Click(index, u);
  }

  const std::vector<pvtest::FakeMeldungen::Box>& boxen() const { return umgebung.meldungen.boxen; }

  pvtest::Programmumgebung umgebung;
  FakeFenster fenster;
  pv::SeriellerPort port{QProcessEnvironment()};
  pv::Geraetedefinition definition;
  pv::Erfassungsmodul modul;
};

TEST_F(Geraeteauswahl, CopiesTheDefinitionIntoTheState) {
  const int16_t nr = geraet("Tischmultimeter", "volt.ger",
                            {{"Geräteart", "4"},
                             {"Einheit2 Beginn", "13"},
                             {"Einheit2 Ende", "13"},
                             {"Datenstringabschlusszeichen", "10"},
                             {"Skala Maximum", "99999"},
                             {"RTS", "1"},
                             {"DTR", "0"},
                             {"Messbereich Erkennung", "3"},
                             {"Messbereich Zeichenposition", "9"},
                             {"Spezial", "VC820"}});
  fenster.menue[nr] = QStringLiteral("Tischmultimeter");
  modul.zustand.DataCol = QByteArrayLiteral("alt");
  modul.zustand.Verbunden = true;

  ASSERT_TRUE(waehlen(nr));
  EXPECT_TRUE(boxen().empty());
  const auto& z = modul.zustand;
  EXPECT_EQ(z.MessgeraetBezeichnung, QStringLiteral("Tischmultimeter"));
  EXPECT_EQ(z.Geraeteart, 4);
  EXPECT_EQ(z.Messwertbeginn, 2);
  EXPECT_EQ(z.Messwertende, 6);
  EXPECT_EQ(z.Datenstringlaenge, 14);
  EXPECT_EQ(z.Vorzeichenstelle, 1);
  EXPECT_EQ(z.Einheit1Pos, (std::array<int16_t, 2>{10, 12}));
  EXPECT_EQ(z.Einheit2Pos, (std::array<int16_t, 2>{13, 13}));
  EXPECT_FALSE(z.AutoFormat);
  EXPECT_EQ(z.LZAscii, 10);
  EXPECT_FLOAT_EQ(z.SkalaMaximumGeraet, 99999.0f);
  EXPECT_FALSE(z.USBGeraet);
  EXPECT_EQ(z.Schnittstellenparameter, QStringLiteral("2400,n,7,2"));
  EXPECT_EQ(z.RTS, 1);
  EXPECT_EQ(z.DTR, 0);
  EXPECT_FALSE(z.GeraetAktiv);
  EXPECT_EQ(z.Datenanforderungszeichen, QStringLiteral("D{CR}"));
  EXPECT_EQ(z.Datenanforderung, QStringLiteral("D\r"));
  EXPECT_FLOAT_EQ(z.Abfrageintervall, 1.5f);
  EXPECT_TRUE(z.MessbereichAutomatisch);
  EXPECT_EQ(z.MessbereichErkennung, 3);
  EXPECT_EQ(z.MessbereichZeichenposition, 9);
  EXPECT_EQ(z.MessbereichZeichen,
            (std::array<QString, 7>{"M", "k", "m", "u", "n", "p", ""}));
  EXPECT_EQ(z.Spezial, QStringLiteral("VC820"));
  // What the connection and the receiver own is kept.
  EXPECT_EQ(z.DataCol, QByteArrayLiteral("alt"));
  EXPECT_TRUE(z.Verbunden);

  EXPECT_EQ(pv::geraeteZustand().AktuellesMessgeraet, QStringLiteral("Tischmultimeter"));
  EXPECT_EQ(port.Settings(), QStringLiteral("2400,n,7,2"));
  EXPECT_EQ(port.port().baudRate(), 2400);
  EXPECT_TRUE(port.RTSEnable());
  EXPECT_FALSE(port.DTREnable());
  EXPECT_EQ(port.InputMode(), 0);
  EXPECT_FALSE(port.PortOpen());

  // Unit field 1 is fitted to "000" (30 wide): 10 * min(30/30, 20/10) = 10;
  // field 2 keeps 12; both take the smaller.
  ASSERT_EQ(fenster.gemessen.size(), 2u);
  EXPECT_EQ(fenster.gemessen[0].breite, QStringLiteral("000"));
  EXPECT_EQ(fenster.gemessen[0].hoehe, QStringLiteral("g0°"));
  EXPECT_EQ(fenster.schrift, (std::array<double, 2>{10, 10}));
  EXPECT_EQ(fenster.rahmen, std::make_pair(QStringLiteral("Größenordnung: automatisch"), false));
  EXPECT_EQ(fenster.angezeigt.first, QStringLiteral("Tischmultimeter"));
  EXPECT_EQ(fenster.angezeigt.second,
            QStringLiteral("COM: 2400,n,7,2 DTR=0 RTS=1\r\n"
                           "Daten werden angefordert:\r\n"
                           "    Zeichen: 'D{CR}'\r\n"
                           "    Pause: 1,5 Sekunde(n)\r\n"
                           "Messbereicherkennung aktiviert\r\n"));
  EXPECT_EQ(fenster.haken, std::make_pair(nr, QStringLiteral("Tischmultimeter")));
  EXPECT_EQ(fenster.effekte,
            (std::vector<QString>{"Schrift", "Rahmen", "Bild", "Platzhalter", "Anzeige", "Haken"}));
}

TEST_F(Geraeteauswahl, PictureIsCentredOrReplacedByThePlaceholder) {
  umgebung.schreibe(QStringLiteral("dmm.gif"), "GIF89a");
  const QString bild = umgebung.pfad(QStringLiteral("dmm.gif"));
  const QByteArray bildUtf8 = bild.toUtf8();
  const int16_t mitBild = geraet("Mit Bild", "a.ger", {{"Bilddatei", bildUtf8.constData()}});
  const int16_t ohneBild = geraet("Ohne Bild", "b.ger", {{"Bilddatei", ""}});

  ASSERT_TRUE(waehlen(mitBild));
  EXPECT_EQ(fenster.bild.datei, bild);
  // Centred on half of 301 and of 203, rounded half to even.
  EXPECT_EQ(fenster.bild.ausrichtung, "ZM");
  EXPECT_EQ(fenster.bild.x, 150);
  EXPECT_EQ(fenster.bild.y, 102);
  EXPECT_EQ(fenster.bild.hMax, 203);
  EXPECT_EQ(fenster.bild.wMax, 301);
  EXPECT_EQ(fenster.platzhalter, false);
  EXPECT_TRUE(fenster.status.isEmpty());

  ASSERT_TRUE(waehlen(ohneBild));
  EXPECT_EQ(fenster.platzhalter, true);
  EXPECT_EQ(fenster.status, QStringLiteral("Die Messgerät-Bilddatei wurde nicht gefunden!"));
  EXPECT_EQ(pv::geraeteZustand().AktuellesMessgeraet, QStringLiteral("Ohne Bild"));
}

TEST_F(Geraeteauswahl, AllPositionsZeroMeansAutomaticFormat) {
  const int16_t automatisch = geraet("Auto", "auto.ger",
                                     {{"Messwertbeginn", "0"}, {"Messwertende", "0"},
                                      {"Vorzeichenstelle", "0"}, {"Einheit1 Beginn", "0"},
                                      {"Einheit1 Ende", "0"}, {"Gerät aktiv", "1"},
                                      {"Messbereich manuell", "1"}});
  ASSERT_TRUE(waehlen(automatisch));
  EXPECT_TRUE(modul.zustand.AutoFormat);
  EXPECT_EQ(fenster.angezeigt.second,
            QStringLiteral("COM: 2400,n,7,2 DTR=1 RTS=0\r\n"
                           "Messgerät sendet eigenständig\r\n"
                           "Messbereichangabe manuell\r\n"
                           "automatische Datenformaterkennung aktiviert"));
  EXPECT_EQ(fenster.rahmen, std::make_pair(QStringLiteral("Größenordnung: manuell"), true));
  // No unit fields: the label fonts stay.
  EXPECT_EQ(fenster.schrift, (std::array<double, 2>{10, 12}));

  // A single position that is not 0 clears it.
  pv::Geraetedefinition nurVorzeichen;
  nurVorzeichen.VorzeichenStellePub = 1;
  nurVorzeichen.ComSettingPub = QStringLiteral("USB");
  EXPECT_FALSE(pvtest::erfassungszustand(nurVorzeichen).AutoFormat);
}

TEST_F(Geraeteauswahl, UsbDeviceKeepsTheSerialSettings) {
  const int16_t seriell = geraet("Seriell", "s.ger", {{"RTS", "1"}, {"DTR", "1"}});
  const int16_t usb = geraet("USB-Meter", "u.ger",
                             {{"Schnittstellenparameter", "USB"}, {"RTS", "0"}, {"DTR", "0"},
                              {"Spezial", "SANWAPC5x0"}});
  ASSERT_TRUE(waehlen(seriell));
  ASSERT_TRUE(waehlen(usb));
  EXPECT_TRUE(modul.zustand.USBGeraet);
  EXPECT_EQ(modul.zustand.Schnittstellenparameter, QStringLiteral("2400,n,7,2"));
  EXPECT_EQ(modul.zustand.RTS, 1);
  EXPECT_EQ(modul.zustand.DTR, 1);
  EXPECT_EQ(port.Settings(), QStringLiteral("2400,n,7,2"));
  EXPECT_TRUE(port.RTSEnable());
  EXPECT_TRUE(port.DTREnable());
  // The input mode is set for USB devices too.
  EXPECT_EQ(port.InputMode(), 1);
  EXPECT_TRUE(fenster.angezeigt.second.startsWith(QStringLiteral("USB-Gerät\r\n")));
}

TEST_F(Geraeteauswahl, BinaryInputForSanwaTagsOnly) {
  struct Fall {
    const char* spezial;
    int16_t modus;
  };
  const Fall faelle[] = {
      {"SANWAPC5x0", 1}, {"SANWAPC5x0 *// PC510", 1}, {"SANWAPC5x0X", 1},
      {"sanwapc5x0", 0}, {" SANWAPC5x0", 0},          {"VC820", 0},
      {"", 0},
  };
  int i = 0;
  for (const auto& f : faelle) {
    const QByteArray name = QStringLiteral("Gerät %1").arg(++i).toUtf8();
    const QByteArray datei = QStringLiteral("g%1.ger").arg(i).toUtf8();
    const int16_t nr = geraet(name.constData(), datei.constData(), {{"Spezial", f.spezial}});
    ASSERT_TRUE(waehlen(nr)) << f.spezial;
    EXPECT_EQ(port.InputMode(), f.modus) << f.spezial;
  }
}

TEST_F(Geraeteauswahl, SpecialRequestSendsTheSanwaFrame) {
  const int16_t nr = geraet("Sanwa", "sanwa.ger",
                            {{"Datenanforderungszeichen", "special"},
                             {"Spezial", "SANWAPC5x0 *// Sanwa PC500"}});
  ASSERT_TRUE(waehlen(nr));
  const QString rahmen = QString::fromLatin1("\x10\x02\x42\x00\x00\x67\x10\x03", 8);
  EXPECT_EQ(modul.zustand.Datenanforderungszeichen, rahmen);
  EXPECT_EQ(modul.zustand.Datenanforderung, rahmen);
}

TEST_F(Geraeteauswahl, UnknownDeviceChangesNothing) {
  const int16_t vorher = geraet("Da", "da.ger");
  ASSERT_TRUE(waehlen(vorher));
  const pv::Erfassungszustand zustand = modul.zustand;
  fenster.menue[7] = QStringLiteral("Fehlt");
  fenster.effekte.clear();

  EXPECT_FALSE(waehlen(7));
  ASSERT_EQ(boxen().size(), 1u);
  EXPECT_EQ(boxen()[0].text, QStringLiteral("Die zum Messgerät 'Fehlt' gehörende Gerätedatei\r\n"
                                            "konnte nicht gefunden werden!"));
  EXPECT_EQ(boxen()[0].knoepfe, pv::Knoepfe::Ok);
  EXPECT_EQ(modul.zustand, zustand);
  EXPECT_EQ(modul.GeraetMenueIndex, 0);
  EXPECT_TRUE(fenster.editor.empty());
  EXPECT_TRUE(fenster.effekte.empty());
  EXPECT_EQ(pv::geraeteZustand().AktuellesMessgeraet, QStringLiteral("Da"));
}

TEST_F(Geraeteauswahl, UnreadableOrRefusedFileOpensTheEditor) {
  const int16_t vorher = geraet("Da", "da.ger");
  // A 3.1 file without its RTS line does not read; the other file is gone.
  std::vector<std::pair<int16_t, QString>> faelle = {
      {geraet("Ohne RTS", "ohne.ger", {{"RTS", nullptr}}), QStringLiteral("Ohne RTS")},
      {eintragen("Ohne Datei", "fehlt.ger"), QStringLiteral("Ohne Datei")}};
  // Files that read, but that the device editor would refuse to save: one for
  // each check of the record format (length 14, value 2..6, sign 1, unit 10..12).
  const std::pair<const char*, const char*> format[] = {
      {"Datenstringlänge", "0"},  {"Messwertbeginn", "0"},   {"Messwertbeginn", "12"}, {"Messwertende", "200"},
      {"Vorzeichenstelle", "99"}, {"Einheit1 Beginn", "-5"}, {"Einheit1 Ende", "300"}};
  for (const auto& [schluessel, wert] : format) {
    const QString name = QString::fromUtf8(schluessel) + u' ' + QString::fromUtf8(wert);
    const QByteArray n = name.toUtf8();
    const QByteArray datei = QStringLiteral("f%1.ger").arg(faelle.size()).toUtf8();
    faelle.emplace_back(geraet(n.constData(), datei.constData(), {{schluessel, wert}}), name);
  }
  ASSERT_TRUE(waehlen(vorher));
  const pv::Erfassungszustand zustand = modul.zustand;
  const pv::Geraetedefinition davor = definition;
  fenster.effekte.clear();

  for (const auto& [nr, name] : faelle) {
    SCOPED_TRACE(name.toStdString());
    umgebung.meldungen.boxen.clear();
    fenster.editor.clear();
    EXPECT_FALSE(waehlen(nr));
    ASSERT_EQ(boxen().size(), 1u);
    EXPECT_EQ(boxen()[0].text, QStringLiteral("Die Parameter des Messgerätes\r\n'") + name +
                                   QStringLiteral("'\r\nkonnten nicht gelesen werden!\r\n"
                                                  "Bitte prüfen Sie die Angaben."));
    EXPECT_EQ(fenster.editor, std::vector<QString>{name});
    EXPECT_EQ(modul.GeraetMenueIndex, nr);
    EXPECT_EQ(modul.zustand, zustand);
    EXPECT_EQ(definition, davor);
    EXPECT_TRUE(fenster.effekte.empty());
    EXPECT_EQ(pv::geraeteZustand().AktuellesMessgeraet, QStringLiteral("Da"));
  }
}

// Every device the program ships is taken as it stands.
TEST_F(Geraeteauswahl, EveryShippedDeviceIsTaken) {
  const QDir daten(pvtest::kMitgeliefert);
  const QStringList dateien = daten.entryList({QStringLiteral("*.ger")}, QDir::Files);
  ASSERT_GE(dateien.size(), 10);
  for (const QString& datei : dateien) {
    SCOPED_TRACE(datei.toStdString());
    ASSERT_TRUE(QFile::copy(daten.filePath(datei), umgebung.pfad(datei)));
    const QByteArray name = pvtest::mitgeliefertLesen(datei).GeraeteNamePub.toUtf8();
    EXPECT_TRUE(waehlen(eintragen(name.constData(), datei.toUtf8().constData())));
    EXPECT_EQ(pv::geraeteZustand().AktuellesMessgeraet, QString::fromUtf8(name));
  }
  EXPECT_TRUE(boxen().empty());
}

TEST_F(Geraeteauswahl, FailureAfterReadingKeepsThePreviousDevice) {
  struct Fall {
    const char* name;
    std::vector<std::pair<const char*, const char*>> aenderungen;
    const char* fehler;
  };
  const std::vector<Fall> faelle = {
      {"brace code 300", {{"Datenanforderungszeichen", "{300}"}},
       "Fehler 5: Ungültiger Prozeduraufruf oder ungültiges Argument"},
      {"settings text refused", {{"Schnittstellenparameter", "9600,x,8,1"}},
       "Fehler 380: Ungültiger Eigenschaftswert"},
      {"four data bits", {{"Schnittstellenparameter", "9600,n,4,1"}},
       "Fehler 380: Ungültiger Eigenschaftswert"},
  };
  const int16_t vorher = geraet("Vorher", "vorher.ger",
                                {{"Schnittstellenparameter", "4800,e,7,1"}, {"RTS", "1"}});
  int i = 0;
  for (const auto& f : faelle) {
    const QByteArray datei = QStringLiteral("neu%1.ger").arg(++i).toUtf8();
    const int16_t neu = geraet(f.name, datei.constData(), f.aenderungen);
    ASSERT_TRUE(waehlen(vorher)) << f.name;
    const pv::Erfassungszustand zustand = modul.zustand;
    umgebung.meldungen.boxen.clear();
    fenster.effekte.clear();

    EXPECT_FALSE(waehlen(neu)) << f.name;
    ASSERT_EQ(boxen().size(), 1u) << f.name;
    EXPECT_EQ(boxen()[0].text,
              QStringLiteral("Beim Einlesen des Gerätes ist folgender Fehler aufgetreten:\r\n") +
                  QString::fromUtf8(f.fehler) +
                  QStringLiteral("\r\nDas Programm kann eventuell nicht korrekt ausgeführt werden.\r\n"
                                 "Überprüfen Sie die Gerätedatei und versuchen sie erneut die \r\n"
                                 "Parameter einzulesen!"))
        << f.name;
    EXPECT_EQ(modul.zustand, zustand) << f.name;
    EXPECT_EQ(pv::geraeteZustand().AktuellesMessgeraet, QStringLiteral("Vorher")) << f.name;
    EXPECT_EQ(port.Settings(), QStringLiteral("4800,e,7,1")) << f.name;
    EXPECT_TRUE(port.RTSEnable()) << f.name;
    EXPECT_TRUE(fenster.effekte.empty()) << f.name;
    EXPECT_EQ(modul.GeraetMenueIndex, 0) << f.name;
    EXPECT_TRUE(fenster.editor.empty()) << f.name;
  }
}

}  // namespace
