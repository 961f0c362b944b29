// The device editor's checks: every message with its focus box, in the order
// the checks run, and every accepted input written and read back unchanged.
#include <gtest/gtest.h>

#include <functional>

#include "devices/geraetedatei.h"
#include "devices/geraetepruefung.h"
#include "geraetetesthilfe.h"
#include "support/testhilfe.h"

namespace {

using pv::EditorFeld;
using pv::GeraeteEingaben;
using T = GeraeteEingaben::Transfer;
using M = GeraeteEingaben::Messbereich;

// A sending multimeter: value 4..9, sign 3, unit 11..13, record of 14.
GeraeteEingaben gueltig() {
  GeraeteEingaben e;
  e.GerBezText = QStringLiteral("Prüfgerät");
  e.OptionGeraet = 0;
  e.txtDatenStringLaenge = QStringLiteral("14");
  e.txtMesswertStart = QStringLiteral("4");
  e.txtMesswertStop = QStringLiteral("9");
  e.txtVorzeichenStelle = QStringLiteral("3");
  e.txtEinheit1_0 = QStringLiteral("11");
  e.txtEinheit1_1 = QStringLiteral("13");
  e.txtLetzteZeichen = QStringLiteral("R");
  e.Baud = QStringLiteral("9600");
  e.Paritaet = QStringLiteral("none (keine)");
  e.Datenbits = QStringLiteral("8");
  e.Stopbits = QStringLiteral("1");
  e.chkDTR = true;
  e.transfer = T::Aktiv;
  e.messbereich = M::Automatisch;
  e.OptionZeichenStelle = 1;
  return e;
}

struct Fall {
  const char* name;
  std::function<void(GeraeteEingaben&)> aendern;
  QString meldung;  // empty: accepted
  EditorFeld fokus = EditorFeld::Keins;
  int16_t index = 1;
  std::function<void(const pv::Geraetedefinition&)> dann = {};
};

QString unzulaessig(const char* feld) { return QStringLiteral("Unzulässige Eingabe im Feld ") + QString::fromUtf8(feld); }
const QString kWertErstes = QStringLiteral("Die Position des ersten Zeichens des Messwertes muss\r\ninnerhalb des Datensatzes liegen!");
const QString kWertLetztesKlein = QStringLiteral(
    "Die Position des letzten Zeichens des Messwertes muss mindestens\r\nso groß sein wie die Position des ersten Zeichens!");
const QString kWertLetztesLang = QStringLiteral(
    "Die Position des letzten Zeichens des Messwertes muss\r\nkleiner sein als die Länge des Datensatzes!");
const QString kLaenge = QStringLiteral("Die Länge des Datensatzes muss mindestens zwei\r\nund darf höchstens 200 Zeichen haben!");
const QString kVorzeichenAussen = QStringLiteral(
    "Die Position des Vorzeichens muss innerhalb des Datensatzes liegen\r\noder (wenn nicht erwünscht) auf 0 gesetzt werden.");
const QString kVorzeichenImWert = QStringLiteral("Die Position des Vorzeichens darf nicht innerhalb des Messwertes liegen!");
const QString kCode = QStringLiteral("Der ASCII-Code des Datenabschlusszeichens ist ungültig.");
const QString kNurRL = QStringLiteral(
    "Als letztes Zeichen ist nur\r\n'R' für ein Returnzeichen und\r\n'L' für das LineFeed-Zeichen\r\noder ein ASCII-Code erlaubt! ");
const QString kWartezeitBereich = QStringLiteral(
    "Die Wartezeit zwischen zwei Messwertabfragen muss \r\nzwischen 0 und 65 Sekunden liegen.");
const QString kUnterschiedlich = QStringLiteral("Die Messbereichs-Erkennungszeichen müssen alle unterschiedlich sein!");

void positionen(GeraeteEingaben& e, const char* start, const char* stop, const char* vz) {
  e.txtMesswertStart = QString::fromLatin1(start);
  e.txtMesswertStop = QString::fromLatin1(stop);
  e.txtVorzeichenStelle = QString::fromLatin1(vz);
}
void einheit1(GeraeteEingaben& e, const char* f, const char* l) {
  e.txtEinheit1_0 = QString::fromLatin1(f);
  e.txtEinheit1_1 = QString::fromLatin1(l);
}

TEST(GeraetPruefen, EveryMessageWithItsFocusAndEveryAcceptedSaveReadsBack) {
  using F = EditorFeld;
  const std::vector<Fall> faelle = {
      {"accepted as it stands", [](auto&) {}, {}},
      {"no name", [](auto& e) { e.GerBezText.clear(); }, QStringLiteral("Geben Sie eine Bezeichnung für das Gerät an")},
      {"name taken, saved as new", [](auto& e) { e.GerBezText = QStringLiteral("Vorhanden"); },
       QStringLiteral("Die Gerätebezeichnung existiert bereits für ein anderes Gerät.\r\nGeben Sie bitte eine andere Bezeichnung ein."),
       F::Keins, 0},
      {"name taken, saving changes", [](auto& e) { e.GerBezText = QStringLiteral("Vorhanden"); }, {}},
      {"no kind", [](auto& e) { e.OptionGeraet = -1; }, QStringLiteral("Geben Sie an, um welches Gerät es sich handelt")},
      {"empty length", [](auto& e) { e.txtDatenStringLaenge.clear(); }, unzulaessig("Datensatz-Länge")},
      {"value start not a number", [](auto& e) { e.txtMesswertStart = QStringLiteral("x"); },
       unzulaessig("Messwert: Position erstes Zeichen")},
      {"sign beyond 16 bits", [](auto& e) { e.txtVorzeichenStelle = QStringLiteral("40000"); }, unzulaessig("Vorzeichenposition")},
      {"unit 2 not a number", [](auto& e) { e.txtEinheit2_1 = QStringLiteral("a"); }, unzulaessig("Einheit 2")},
      {"length 1", [](auto& e) { e.txtDatenStringLaenge = QStringLiteral("1"); }, kLaenge, F::txtDatenStringLaenge},
      {"length 201", [](auto& e) { e.txtDatenStringLaenge = QStringLiteral("201"); }, kLaenge, F::txtDatenStringLaenge},
      {"length 2, all positions 0: automatic format",
       [](auto& e) {
         e.txtDatenStringLaenge = QStringLiteral("2");
         positionen(e, "0", "0", "");
         einheit1(e, "", "0");
       },
       {}},
      {"value start 0", [](auto& e) { positionen(e, "0", "9", "0"); }, kWertErstes, F::txtMesswertStart},
      {"value end before start", [](auto& e) { positionen(e, "5", "4", "0"); }, kWertLetztesKlein, F::txtMesswertStop},
      {"value end at the length", [](auto& e) { positionen(e, "1", "14", "0"); einheit1(e, "0", "0"); },
       kWertLetztesLang, F::txtMesswertStop},
      {"value end at length - 1", [](auto& e) { positionen(e, "1", "13", "0"); einheit1(e, "0", "0"); }, {}},
      {"sign at the length", [](auto& e) { e.txtVorzeichenStelle = QStringLiteral("14"); }, kVorzeichenAussen,
       F::txtVorzeichenStelle},
      {"sign on the value's last character", [](auto& e) { e.txtVorzeichenStelle = QStringLiteral("9"); },
       kVorzeichenImWert, F::txtVorzeichenStelle},
      {"unit 1 first without last", [](auto& e) { einheit1(e, "3", "0"); },
       QStringLiteral("Wenn Sie keine Einheit 1 darstellen möchten, müssen\r\nerste UND letzte Position auf 0 gesetzt werden"),
       F::txtEinheit1_0},
      {"unit 1 last without first", [](auto& e) { einheit1(e, "0", "3"); },
       QStringLiteral("Wenn Sie keine Einheit 1 darstellen möchten, müssen\r\nerste UND letzte Position auf 0 gesetzt werden"),
       F::txtEinheit1_1},
      {"unit 1 first at the length", [](auto& e) { einheit1(e, "14", "0"); },
       QStringLiteral("Die Position des ersten Zeichens bei Einheit 1\r\nmuss innerhalb des Datensatzes liegen!"), F::txtEinheit1_0},
      {"unit 1 last before first", [](auto& e) { einheit1(e, "12", "11"); },
       QStringLiteral("Die Position des letzten Zeichens bei Einheit 1 muss mindestens\r\nso groß sein wie die Position des ersten Zeichens!"),
       F::txtEinheit1_1},
      {"unit 2 last at the length",
       [](auto& e) {
         e.txtEinheit2_0 = QStringLiteral("12");
         e.txtEinheit2_1 = QStringLiteral("14");
       },
       QStringLiteral("Die Position des letzten Zeichens bei Einheit 2 \r\nmuss kleiner sein als die Länge des Datensatzes!"),
       F::txtEinheit2_1},
      {"terminator 256", [](auto& e) { e.txtLetzteZeichen = QStringLiteral("256"); }, kCode, F::txtLetzteZeichen},
      {"terminator -1", [](auto& e) { e.txtLetzteZeichen = QStringLiteral("-1"); }, kCode, F::txtLetzteZeichen},
      {"terminator just below 0", [](auto& e) { e.txtLetzteZeichen = QStringLiteral("-0,4"); }, kCode, F::txtLetzteZeichen},
      {"terminator just above 255", [](auto& e) { e.txtLetzteZeichen = QStringLiteral("255,4"); }, kCode,
       F::txtLetzteZeichen},
      {"terminator 255", [](auto& e) { e.txtLetzteZeichen = QStringLiteral("255"); }, {}},
      {"terminator 0", [](auto& e) { e.txtLetzteZeichen = QStringLiteral("0"); }, {}},
      {"terminator l", [](auto& e) { e.txtLetzteZeichen = QStringLiteral("l"); }, {}, F::Keins, 1,
       [](const auto& d) { EXPECT_EQ(d.LZAsciiPub, 10); }},
      {"terminator empty", [](auto& e) { e.txtLetzteZeichen.clear(); }, kNurRL, F::txtLetzteZeichen},
      {"terminator CR", [](auto& e) { e.txtLetzteZeichen = QStringLiteral("CR"); },
       QStringLiteral("Es kann nur ein Zeichen den Datensatz abschliessen!"), F::txtLetzteZeichen},
      {"DMM 3 3/4 keeps its fixed full scale", [](auto& e) { e.OptionGeraet = 1; e.TextMBVoll = QStringLiteral("5"); },
       {}, F::Keins, 1, [](const auto& d) { EXPECT_EQ(d.MBVollPub, 39990.0f); }},
      {"scale takes its box", [](auto& e) { e.OptionGeraet = 4; e.TextMBVoll = QStringLiteral("2000"); }, {}, F::Keins, 1,
       [](const auto& d) { EXPECT_EQ(d.MBVollPub, 2000.0f); }},
      {"scale box with a decimal comma", [](auto& e) { e.OptionGeraet = 5; e.TextMBVoll = QStringLiteral("1999,5"); }, {},
       F::Keins, 1, [](const auto& d) { EXPECT_EQ(d.MBVollPub, 1999.5f); }},
      {"parity list empty", [](auto& e) { e.Paritaet.clear(); }, unzulaessig("Schnittstellenparameter")},
      {"baud not a number", [](auto& e) { e.Baud = QStringLiteral("schnell"); }, unzulaessig("Schnittstellenparameter")},
      {"no transfer mode", [](auto& e) { e.transfer = T::Keiner; },
       QStringLiteral("Geben Sie an, ob das Gerät aktiv oder passiv ist")},
      {"polled serial device without request", [](auto& e) { e.transfer = T::Passiv; },
       QStringLiteral("Geben Sie ein, welches Zeichen an das Gerät gesendet werden soll")},
      {"polled USB device without request",
       [](auto& e) {
         e.transfer = T::Passiv;
         e.Baud = QStringLiteral("USB");
         e.TextDatenTransferZeit = QStringLiteral("1");
       },
       {}},
      {"polled without waiting time",
       [](auto& e) {
         e.transfer = T::Passiv;
         e.TextTransferzeichen = QStringLiteral("D");
       },
       QStringLiteral("Geben Sie die Wartezeit zwischen zwei Messwertabfragen an.")},
      {"waiting time 66",
       [](auto& e) {
         e.transfer = T::Passiv;
         e.TextTransferzeichen = QStringLiteral("D");
         e.TextDatenTransferZeit = QStringLiteral("66");
       },
       kWartezeitBereich},
      {"waiting time -1",
       [](auto& e) {
         e.transfer = T::Passiv;
         e.TextTransferzeichen = QStringLiteral("D");
         e.TextDatenTransferZeit = QStringLiteral("-1");
       },
       kWartezeitBereich},
      {"waiting time 65 and a half second",
       [](auto& e) {
         e.transfer = T::Passiv;
         e.TextTransferzeichen = QStringLiteral("{CR}");
         e.TextDatenTransferZeit = QStringLiteral("0,5");
       },
       {}, F::Keins, 1, [](const auto& d) { EXPECT_EQ(d.DatenTransferZeitPub, 0.5f); }},
      {"sending device: waiting time not range-checked", [](auto& e) { e.TextDatenTransferZeit = QStringLiteral("99"); }, {}},
      {"sending device: waiting time not a number", [](auto& e) { e.TextDatenTransferZeit = QStringLiteral("abc"); },
       unzulaessig("Wartezeit")},
      {"missing picture saved empty", [](auto& e) { e.TextBildDateiEigenGeraet = QStringLiteral("fehlt.gif"); }, {},
       F::Keins, 1, [](const auto& d) { EXPECT_TRUE(d.BildDateiPub.isEmpty()); }},
      {"no range mode", [](auto& e) { e.messbereich = M::Keiner; },
       QStringLiteral("Geben Sie an, ob der Messbereich manuell angegeben \noder automatisch erkannt werden soll.")},
      {"recognition at an empty position", [](auto& e) { e.OptionZeichenStelle = 3; },
       QStringLiteral("Geben Sie an, an welcher Stelle des Datenstrings \ndas Messbereich-Erkennungszeichen übertragen wird.")},
      {"recognition at the length",
       [](auto& e) {
         e.OptionZeichenStelle = 3;
         e.TextZeichenStelle = QStringLiteral("14");
       },
       QStringLiteral("Sie haben eine ungültige Stelle für das Messbereich-Erkennungszeichen angegeben.\nErlaubter Bereich: 1 bis 13")},
      {"recognition at a position that is no number",
       [](auto& e) {
         e.OptionZeichenStelle = 3;
         e.TextZeichenStelle = QStringLiteral("x");
       },
       QStringLiteral("Sie haben eine ungültige Stelle für das Messbereich-Erkennungszeichen angegeben.\nErlaubter Bereich: 1 bis 13")},
      {"recognition at length - 1",
       [](auto& e) {
         e.OptionZeichenStelle = 3;
         e.TextZeichenStelle = QStringLiteral("13");
       },
       {}},
      {"recognition at a fraction",
       [](auto& e) {
         e.OptionZeichenStelle = 3;
         e.TextZeichenStelle = QStringLiteral("2,5");
       },
       unzulaessig("Messbereich Zeichenposition")},
      {"manual range with a position that is no number",
       [](auto& e) {
         e.messbereich = M::Manuell;
         e.TextZeichenStelle = QStringLiteral("x");
       },
       unzulaessig("Messbereich Zeichenposition")},
      {"no recognition chosen", [](auto& e) { e.OptionZeichenStelle = 0; },
       QStringLiteral("Wählen Sie aus, wie der Messbereich erkannt werden soll.")},
      {"manual range skips the characters",
       [](auto& e) {
         e.messbereich = M::Manuell;
         e.TextMBZeichen[0].clear();
       },
       {}},
      {"a character missing", [](auto& e) { e.TextMBZeichen[2].clear(); },
       QStringLiteral("Sie haben nicht alle Zeichen angegeben")},
      {"two characters in one box", [](auto& e) { e.TextMBZeichen[1] = QStringLiteral("kk"); },
       QStringLiteral("Als Messbereich-Erkennungszeichen darf je nur ein einzelnes Zeichen angegeben werden. ")},
      {"characters not all different", [](auto& e) { e.TextMBZeichen[5] = QStringLiteral("m"); }, kUnterschiedlich},
      {"equal characters found before a later empty box",
       [](auto& e) {
         e.TextMBZeichen[3] = QStringLiteral("M");
         e.TextMBZeichen[5].clear();
       },
       kUnterschiedlich},
  };

  pvtest::Programmumgebung ordner;
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    GeraeteEingaben e = gueltig();
    f.aendern(e);
    pv::PruefUmfeld u;
    u.index = f.index;
    u.vorhandeneNamen = {QStringLiteral("Vorhanden")};
    u.bildVorhanden = false;
    const pv::GeraetePruefung p = pv::GeraetPruefen(e, u);
    EXPECT_EQ(p.meldung, f.meldung);
    EXPECT_EQ(p.fokus, f.fokus);
    if (!p.ok() || !f.meldung.isEmpty()) continue;
    if (f.dann) f.dann(p.definition);

    const QString datei = ordner.pfad(QStringLiteral("geraet.ger"));
    ASSERT_TRUE(pv::GeraetedateiSchreiben(datei, p.definition, p.texte, u.dezimal));
    pv::Geraetedefinition gelesen;
    pv::GeraeteEingabetexte texte;
    ASSERT_EQ(pv::GeraeteDatenLesen(datei, u.dezimal, ordner.pfad(), gelesen, &texte), 1);
    EXPECT_EQ(gelesen, p.definition);
    EXPECT_EQ(texte, p.texte);
  }
}

}  // namespace
