#include "devices/geraetedatei.h"

#include <gtest/gtest.h>

#include <QDir>
#include <functional>
#include <optional>

#include "common/meldungen.h"
#include "support/testhilfe.h"
#include "tests/devices/geraetetesthilfe.h"

namespace {

using pv::Geraetedefinition;
using pv::GeraeteEingabetexte;
using pvtest::zeilenBytes;

// The same instrument as every generation describes it.
Geraetedefinition referenz(const QString& ordner) {
  Geraetedefinition d;
  d.GeraeteNamePub = QStringLiteral("Tischmultimeter, Typ A");
  d.GeraeteArtIndexPub = 2;
  d.DatenstringLaengePub = 14;
  d.DatenAnfangPub = 2;
  d.DatenEndePub = 7;
  d.VorzeichenStellePub = 1;
  d.Einheit1_0Pub = 9;
  d.Einheit1_1Pub = 10;
  d.Einheit2_0Pub = 11;
  d.Einheit2_1Pub = 12;
  d.LZAsciiPub = 13;
  d.MBVollPub = 199990;
  d.ComSettingPub = QStringLiteral("9600,n,8,1");
  d.ComRTSPub = 0;
  d.ComDTRPub = 1;
  d.GeraetAktivPub = true;
  d.DatenTransferZeitPub = 1;
  d.BildDateiPub = QDir(ordner).filePath(QStringLiteral("DMM.gif"));
  d.MBAutoPub = true;
  d.ZeichenStelleOptionPub = 2;
  d.ZeichenStellePub = 0;
  d.MBZeichenPub = pv::standardMBZeichen();
  d.ImMenue = 1;
  return d;
}

// Current generation of the reference; the last, empty entry gives the
// empty last line.
QStringList zeilen31(const QString& ordner, const QString& kopf = pv::kGeraetedateiKopf31) {
  return {kopf,
          QStringLiteral("Bezeichnung=Tischmultimeter, Typ A"),
          QStringLiteral("Geräteart=2"),
          QStringLiteral("Datenstringlänge=14"),
          QStringLiteral("Messwertbeginn=2"),
          QStringLiteral("Messwertende=7"),
          QStringLiteral("Vorzeichenstelle=1"),
          QStringLiteral("Einheit1 Beginn=9"),
          QStringLiteral("Einheit1 Ende=10"),
          QStringLiteral("Einheit2 Beginn=11"),
          QStringLiteral("Einheit2 Ende=12"),
          QStringLiteral("Datenstringabschlusszeichen=R"),
          QStringLiteral("Skala Maximum=199990"),
          QStringLiteral("Schnittstellenparameter=9600,n,8,1"),
          QStringLiteral("RTS=0"),
          QStringLiteral("DTR=1"),
          QStringLiteral("Gerät aktiv=1"),
          QStringLiteral("Datenanforderungszeichen="),
          QStringLiteral("Wartezeit=1"),
          QStringLiteral("Bilddatei=") + QDir(ordner).filePath(QStringLiteral("DMM.gif")),
          QStringLiteral("Messbereich manuell=0"),
          QStringLiteral("Messbereich Erkennung=2"),
          QStringLiteral("Messbereich Zeichenposition="),
          QStringLiteral("Messbereich Zeichen 0=M"),
          QStringLiteral("Messbereich Zeichen 1=k"),
          QStringLiteral("Messbereich Zeichen 2=m"),
          QStringLiteral("Messbereich Zeichen 3=u"),
          QStringLiteral("Messbereich Zeichen 4=n"),
          QStringLiteral("Messbereich Zeichen 5=p"),
          QStringLiteral("Spezial="),
          QStringLiteral("Menü=1"),
          QString()};
}

// Replaces the line of `schluessel` by `zeile`, or removes it when none.
QStringList mitZeile(QStringList zeilen, const QString& schluessel, const std::optional<QString>& zeile) {
  for (qsizetype i = 1; i < zeilen.size(); ++i) {
    if (zeilen[i].startsWith(schluessel + u'=')) {
      if (zeile) {
        zeilen[i] = *zeile;
      } else {
        zeilen.removeAt(i);
      }
      return zeilen;
    }
  }
  ADD_FAILURE() << "no line " << schluessel.toStdString();
  return zeilen;
}

QStringList zeilenPositionell(const QString& ordner) {
  return {QStringLiteral("\"[VER3.0]\""),
          QStringLiteral("\"Tischmultimeter, Typ A\",2,2,7,14,1,9,10,11,12,13,199990,\"9600,n,8,1\""),
          QStringLiteral("#TRUE#,#FALSE#,\"\",1,\"") + QDir(ordner).filePath(QStringLiteral("DMM.gif")) +
              u'"',
          QStringLiteral("#FALSE#,#TRUE#,#FALSE#,#TRUE#,#FALSE#,0,\"M\",\"k\",\"m\",\"u\",\"n\",\"p\"")};
}

QStringList zeilenEinzeilig() {
  return {QStringLiteral("\"Tischmultimeter, Typ A\",\"DMM\",2,7,14,1,9,10,11,12,13,\"9600,n,8,1\"")};
}

// A one-line file with the given type, value field and terminator.
QByteArray einzeiler(const QString& typ, int anfang, int ende, int abschluss) {
  return zeilenBytes({QStringLiteral("\"Gerät\",\"%1\",%2,%3,14,0,9,10,11,12,%4,\"2400,e,7,2\"")
                          .arg(typ)
                          .arg(anfang)
                          .arg(ende)
                          .arg(abschluss)});
}

class GeraeteDatei : public ::testing::Test {
 protected:
  struct Gelesen {
    int16_t ergebnis = 0;
    Geraetedefinition def;
    GeraeteEingabetexte texte;
  };

  QString ordner() const { return umgebung.pfad(); }

  Gelesen lies(const QByteArray& bytes, QChar dezimal = u',') {
    umgebung.schreibe(QStringLiteral("geraet.ger"), bytes);
    return liesDatei(umgebung.pfad(QStringLiteral("geraet.ger")), dezimal);
  }

  Gelesen liesDatei(const QString& pfad, QChar dezimal = u',') {
    Gelesen g;
    g.ergebnis = pv::GeraeteDatenLesen(pfad, dezimal, ordner(), g.def, &g.texte);
    return g;
  }

  int16_t konvertiere(const QByteArray& bytes) {
    umgebung.schreibe(QStringLiteral("alt.ger"), bytes);
    return pv::GeraetKonvertierenZuVer3(umgebung.pfad(QStringLiteral("alt.ger")), ordner(), umgebung.meldungen);
  }

  pvtest::Programmumgebung umgebung;
};

// ---- reading ---------------------------------------------------------------

TEST_F(GeraeteDatei, AlleGenerationenErgebenDieselbeDefinition) {
  const struct {
    const char* was;
    QByteArray bytes;
  } faelle[] = {
      {"version 3.1", zeilenBytes(zeilen31(ordner()))},
      {"version 3.0", zeilenBytes(zeilen31(ordner(), pv::kGeraetedateiKopf30))},
      {"positional", zeilenBytes(zeilenPositionell(ordner()))},
      {"one line", zeilenBytes(zeilenEinzeilig())},
  };
  const GeraeteEingabetexte texte{QStringLiteral("R"), QStringLiteral("1"), QString()};
  for (const auto& f : faelle) {
    const Gelesen g = lies(f.bytes);
    EXPECT_EQ(g.ergebnis, 1) << f.was;
    EXPECT_EQ(g.def, referenz(ordner())) << f.was;
    EXPECT_EQ(g.texte, texte) << f.was;
  }
}

TEST_F(GeraeteDatei, RtsUndDtrNurAusVersion31) {
  QStringList v31 = zeilen31(ordner());
  v31 = mitZeile(v31, QStringLiteral("RTS"), QStringLiteral("RTS=1"));
  v31 = mitZeile(v31, QStringLiteral("DTR"), QStringLiteral("DTR=0"));
  Gelesen g = lies(zeilenBytes(v31));
  ASSERT_EQ(g.ergebnis, 1);
  EXPECT_EQ(g.def.ComRTSPub, 1);
  EXPECT_EQ(g.def.ComDTRPub, 0);

  QStringList v30 = v31;
  v30[0] = pv::kGeraetedateiKopf30;
  g = lies(zeilenBytes(v30));
  ASSERT_EQ(g.ergebnis, 1);
  EXPECT_EQ(g.def.ComRTSPub, 0) << "3.0 files do not know RTS";
  EXPECT_EQ(g.def.ComDTRPub, 1);

  const QStringList ohneRts = mitZeile(zeilen31(ordner()), QStringLiteral("RTS"), std::nullopt);
  EXPECT_EQ(lies(zeilenBytes(ohneRts)).ergebnis, 0);
  QStringList ohneRts30 = ohneRts;
  ohneRts30[0] = pv::kGeraetedateiKopf30;
  g = lies(zeilenBytes(ohneRts30));
  EXPECT_EQ(g.ergebnis, 1);
  EXPECT_EQ(g.def.ComRTSPub, 0);
  EXPECT_EQ(g.def.ComDTRPub, 1);
}

TEST_F(GeraeteDatei, Abschlusszeichen) {
  const struct {
    const char* wert;
    std::optional<int16_t> code;  // none: the file does not read
  } faelle[] = {
      {"13", 13},          {"R", 13},           {"r", 13},           {"{CR}", 13},
      {"{cr}", 13},        {"{Cr}", 13},        {"10", 10},          {"L", 10},
      {"l", 10},           {"{LF}", 10},        {"{lf}", 10},        {"0", 0},
      {"255", 255},        {"3", 3},            {"254,6", 255},      {"256", std::nullopt},
      {"-1", std::nullopt}, {"CR", std::nullopt}, {"", std::nullopt}, {"x", std::nullopt},
      {" R", std::nullopt},
  };
  for (const auto& f : faelle) {
    const QString wert = QString::fromUtf8(f.wert);
    const Gelesen g = lies(zeilenBytes(mitZeile(zeilen31(ordner()), QStringLiteral("Datenstringabschlusszeichen"),
                                                QStringLiteral("Datenstringabschlusszeichen=") + wert)));
    if (!f.code) {
      EXPECT_EQ(g.ergebnis, 0) << f.wert;
      continue;
    }
    EXPECT_EQ(g.ergebnis, 1) << f.wert;
    EXPECT_EQ(g.def.LZAsciiPub, *f.code) << f.wert;
    EXPECT_EQ(g.texte.abschlusszeichen, wert) << "kept as typed: " << f.wert;
  }
}

TEST_F(GeraeteDatei, UmwandlungDerSchluesselwerte) {
  using Pruefung = std::function<void(const Geraetedefinition&, const GeraeteEingabetexte&)>;
  const struct {
    const char* was;
    QString schluessel;
    std::optional<QString> zeile;  // none: the line is removed
    bool gelesen;
    Pruefung pruefen;
  } faelle[] = {
      {"empty waiting time is 0", "Wartezeit", "Wartezeit=", true,
       [](auto& d, auto& t) { EXPECT_EQ(d.DatenTransferZeitPub, 0.0f); EXPECT_EQ(t.wartezeit, ""); }},
      {"waiting time with comma", "Wartezeit", "Wartezeit=2,5", true,
       [](auto& d, auto& t) { EXPECT_EQ(d.DatenTransferZeitPub, 2.5f); EXPECT_EQ(t.wartezeit, "2,5"); }},
      {"waiting time with point", "Wartezeit", "Wartezeit=0.5", true,
       [](auto& d, auto&) { EXPECT_EQ(d.DatenTransferZeitPub, 0.5f); }},
      {"waiting time of letters", "Wartezeit", "Wartezeit=abc", false, {}},
      {"empty full scale", "Skala Maximum", "Skala Maximum=", false, {}},
      {"full scale with fraction", "Skala Maximum", "Skala Maximum=2000,5", true,
       [](auto& d, auto&) { EXPECT_EQ(d.MBVollPub, 2000.5f); }},
      {"manual range 1", "Messbereich manuell", "Messbereich manuell=1", true,
       [](auto& d, auto&) { EXPECT_FALSE(d.MBAutoPub); }},
      {"manual range 0 is recognised", "Messbereich manuell", "Messbereich manuell=0", true,
       [](auto& d, auto&) { EXPECT_TRUE(d.MBAutoPub); }},
      {"manual range 2 is recognised", "Messbereich manuell", "Messbereich manuell=2", true,
       [](auto& d, auto&) { EXPECT_TRUE(d.MBAutoPub); }},
      {"manual range not a number", "Messbereich manuell", "Messbereich manuell=ja", false, {}},
      {"active 1 sends by itself", "Gerät aktiv", "Gerät aktiv=1", true,
       [](auto& d, auto&) { EXPECT_TRUE(d.GeraetAktivPub); }},
      {"active 2 is polled", "Gerät aktiv", "Gerät aktiv=2", true,
       [](auto& d, auto&) { EXPECT_FALSE(d.GeraetAktivPub); }},
      {"active empty", "Gerät aktiv", "Gerät aktiv=", false, {}},
      {"empty range position is 0", "Messbereich Zeichenposition", "Messbereich Zeichenposition=", true,
       [](auto& d, auto&) { EXPECT_EQ(d.ZeichenStellePub, 0); }},
      {"range position", "Messbereich Zeichenposition", "Messbereich Zeichenposition=5", true,
       [](auto& d, auto& t) { EXPECT_EQ(d.ZeichenStellePub, 5); EXPECT_EQ(t.zeichenposition, "5"); }},
      {"range position of letters", "Messbereich Zeichenposition", "Messbereich Zeichenposition=x", false, {}},
      {"integer rounded half to even", "Messwertbeginn", "Messwertbeginn=2,5", true,
       [](auto& d, auto&) { EXPECT_EQ(d.DatenAnfangPub, 2); }},
      {"integer beyond 16 bits", "Datenstringlänge", "Datenstringlänge=40000", false, {}},
      {"missing numeric key", "Einheit2 Ende", std::nullopt, false, {}},
      {"missing last key", "Menü", std::nullopt, false, {}},
      {"missing range character reads empty", "Messbereich Zeichen 3", std::nullopt, true,
       [](auto& d, auto&) {
         EXPECT_EQ(d.MBZeichenPub[3], "");
         EXPECT_EQ(d.MBZeichenPub[4], "n");
       }},
      {"blank before = hides a numeric key", "Geräteart", "Geräteart =2", false, {}},
      {"blank before = hides a text key", "Bezeichnung", "Bezeichnung =Tischmultimeter", true,
       [](auto& d, auto&) { EXPECT_EQ(d.GeraeteNamePub, ""); }},
      {"key in other letter case not found", "Spezial", "spezial=AB", true,
       [](auto& d, auto&) { EXPECT_EQ(d.SpezialPub, ""); }},
      {"text value kept unchanged", "Datenanforderungszeichen", "Datenanforderungszeichen= D{CR} ", true,
       [](auto& d, auto&) { EXPECT_EQ(d.DatenTransferZeichenPub, " D{CR} "); }},
  };
  for (const auto& f : faelle) {
    const Gelesen g = lies(zeilenBytes(mitZeile(zeilen31(ordner()), f.schluessel, f.zeile)));
    EXPECT_EQ(g.ergebnis, f.gelesen ? 1 : 0) << f.was;
    if (f.gelesen && g.ergebnis == 1) {
      SCOPED_TRACE(f.was);
      f.pruefen(g.def, g.texte);
    }
  }
}

TEST_F(GeraeteDatei, ZeilenendenNurLfOderOhneLetztesZeilenende) {
  QStringList ohneLeerzeile = zeilen31(ordner());
  ohneLeerzeile.removeLast();
  QByteArray ohneEnde = zeilenBytes(ohneLeerzeile);
  ohneEnde.chop(2);
  QByteArray einzeiligOhneEnde = zeilenBytes(zeilenEinzeilig());
  einzeiligOhneEnde.chop(2);

  const struct {
    const char* was;
    QByteArray bytes;
  } faelle[] = {
      {"LF only", zeilenBytes(zeilen31(ordner()), "\n")},
      {"no line end after the last line", ohneEnde},
      {"positional with LF only", zeilenBytes(zeilenPositionell(ordner()), "\n")},
      {"one line without line end", einzeiligOhneEnde},
  };
  for (const auto& f : faelle) {
    const Gelesen g = lies(f.bytes);
    EXPECT_EQ(g.ergebnis, 1) << f.was;
    EXPECT_EQ(g.def, referenz(ordner())) << f.was;
  }
}

TEST_F(GeraeteDatei, EinzeiligeDateienArtUndSkala) {
  const struct {
    const char* was;
    QString typ;
    int anfang, ende;
    std::optional<int16_t> art;  // none: not read
    float skala;
    const char* bild;
  } faelle[] = {
      {"DMM with six value characters", "DMM", 2, 7, 2, 199990, "DMM.gif"},
      {"DMM with five value characters", "DMM", 2, 6, 0, 19990, "DMM.gif"},
      {"scale with six characters", "Waage", 1, 6, 4, 999999, "Waage.gif"},
      {"scale with five characters", "Waage", 3, 7, 4, 99999, "Waage.gif"},
      {"scale without a value field", "Waage", 5, 4, std::nullopt, 0, ""},
      {"type in other letter case", "dmm", 2, 7, std::nullopt, 0, ""},
      {"unknown type", "Multimeter", 2, 7, std::nullopt, 0, ""},
  };
  for (const auto& f : faelle) {
    const Gelesen g = lies(einzeiler(f.typ, f.anfang, f.ende, 13));
    EXPECT_EQ(g.ergebnis, f.art ? 1 : 0) << f.was;
    if (!f.art || g.ergebnis != 1) continue;
    EXPECT_EQ(g.def.GeraeteArtIndexPub, *f.art) << f.was;
    EXPECT_EQ(g.def.MBVollPub, f.skala) << f.was;
    EXPECT_EQ(g.def.BildDateiPub, QDir(ordner()).filePath(QString::fromUtf8(f.bild))) << f.was;
    EXPECT_EQ(g.def.GeraeteNamePub, QStringLiteral("Gerät")) << f.was;
    EXPECT_EQ(g.def.ComSettingPub, QStringLiteral("2400,e,7,2")) << f.was;
  }
}

TEST_F(GeraeteDatei, FehlgeschlagenesLesenLaesstDieDefinitionUnveraendert) {
  QStringList menueFehlt = zeilen31(ordner());
  menueFehlt = mitZeile(menueFehlt, QStringLiteral("Bezeichnung"), QStringLiteral("Bezeichnung=Anderes Gerät"));
  menueFehlt = mitZeile(menueFehlt, QStringLiteral("Menü"), QStringLiteral("Menü=ja"));
  QStringList positionellKurz = zeilenPositionell(ordner());
  positionellKurz.removeLast();

  const struct {
    const char* was;
    std::optional<QByteArray> bytes;  // none: the file does not exist
  } faelle[] = {
      {"current file failing at its last key", zeilenBytes(menueFehlt)},
      {"positional file ending early", zeilenBytes(positionellKurz)},
      {"one-line file of unknown type", einzeiler(QStringLiteral("Waage2"), 1, 5, 13)},
      {"empty file", QByteArray()},
      {"missing file", std::nullopt},
  };
  Geraetedefinition vorher = referenz(ordner());
  vorher.SpezialPub = QStringLiteral("vorher");
  const GeraeteEingabetexte textevorher{QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")};
  for (const auto& f : faelle) {
    Geraetedefinition d = vorher;
    GeraeteEingabetexte t = textevorher;
    QString pfad = umgebung.pfad(QStringLiteral("fehlt.ger"));
    if (f.bytes) {
      umgebung.schreibe(QStringLiteral("kaputt.ger"), *f.bytes);
      pfad = umgebung.pfad(QStringLiteral("kaputt.ger"));
    }
    EXPECT_EQ(pv::GeraeteDatenLesen(pfad, u',', ordner(), d, &t), 0) << f.was;
    EXPECT_EQ(d, vorher) << f.was;
    EXPECT_EQ(t, textevorher) << f.was;
  }
}

// ---- writing ---------------------------------------------------------------

TEST_F(GeraeteDatei, SchreibenLesenSchreibenIstByteGleich) {
  for (const QChar dezimal : {QChar(u','), QChar(u'.')}) {
    for (const float skala : {2.5f, 19990.0f, 0.1f, 12345678.0f}) {
      SCOPED_TRACE(QStringLiteral("%1 %2").arg(dezimal).arg(double(skala)).toStdString());
      Geraetedefinition d = referenz(ordner());
      d.GeraeteNamePub = QStringLiteral("Küchenwaage µ");
      d.GeraeteArtIndexPub = 4;
      d.MBVollPub = skala;
      d.LZAsciiPub = 13;
      d.ComRTSPub = 1;
      d.ComDTRPub = 0;
      d.GeraetAktivPub = false;
      d.DatenTransferZeichenPub = QStringLiteral("D{CR}");
      d.DatenTransferZeitPub = 0.25f;
      d.MBAutoPub = false;
      d.ZeichenStelleOptionPub = 3;
      d.ZeichenStellePub = 7;
      d.SpezialPub = QStringLiteral("XY");
      d.ImMenue = 0;
      const GeraeteEingabetexte texte{QStringLiteral("r"), QStringLiteral("0") + dezimal + QStringLiteral("25"),
                                      QStringLiteral("7")};

      const QString erste = umgebung.pfad(QStringLiteral("erste.ger"));
      const QString zweite = umgebung.pfad(QStringLiteral("zweite.ger"));
      ASSERT_TRUE(pv::GeraetedateiSchreiben(erste, d, texte, dezimal));
      const Gelesen g = liesDatei(erste, dezimal);
      ASSERT_EQ(g.ergebnis, 1);
      EXPECT_EQ(g.texte, texte);
      if (skala != 12345678.0f) {  // 12345678 is written with seven digits
        EXPECT_EQ(g.def, d);
      }
      ASSERT_TRUE(pv::GeraetedateiSchreiben(zweite, g.def, g.texte, dezimal));
      EXPECT_EQ(umgebung.lies(QStringLiteral("zweite.ger")), umgebung.lies(QStringLiteral("erste.ger")));
    }
  }
}

TEST_F(GeraeteDatei, GeschriebeneDateiHatDasFesteFormat) {
  const Geraetedefinition d = referenz(ordner());
  const QByteArray bytes = pv::zuCp1252(pv::GeraetedateiText(d, pv::eingabetexteAus(d, u','), u','));
  EXPECT_EQ(bytes, zeilenBytes(zeilen31(ordner())));
  EXPECT_TRUE(bytes.startsWith("[Pelvaron Ger\xE4tedatei Version 3.1]\r\n")) << "Windows-1252";

  Geraetedefinition komma = d;
  komma.MBVollPub = 1234.5f;
  EXPECT_TRUE(pv::GeraetedateiText(komma, {}, u',').contains(QStringLiteral("\r\nSkala Maximum=1234,5\r\n")));
  EXPECT_TRUE(pv::GeraetedateiText(komma, {}, u'.').contains(QStringLiteral("\r\nSkala Maximum=1234.5\r\n")));
}

TEST_F(GeraeteDatei, WertMitZeilenendeWirdNichtGeschrieben) {
  const QString pfad = umgebung.pfad(QStringLiteral("geraet.ger"));
  umgebung.schreibe(QStringLiteral("geraet.ger"), "alt");
  Geraetedefinition d = referenz(ordner());
  d.GeraeteNamePub = QStringLiteral("zwei\r\nZeilen");
  EXPECT_FALSE(pv::GeraetedateiSchreiben(pfad, d, pv::eingabetexteAus(d, u','), u','));
  EXPECT_EQ(umgebung.lies(QStringLiteral("geraet.ger")), QByteArray("alt"));
}

TEST(Eingabetexte, AusDerDefinitionAbgeleitet) {
  const struct {
    int16_t abschluss;
    float wartezeit;
    int16_t stelle;
    QChar dezimal;
    GeraeteEingabetexte texte;
  } faelle[] = {
      {13, 1.5f, 0, u',', {"R", "1,5", ""}},
      {10, 0.0f, 4, u'.', {"L", "0", "4"}},
      {3, 65.0f, 12, u',', {"3", "65", "12"}},
  };
  for (const auto& f : faelle) {
    Geraetedefinition d;
    d.LZAsciiPub = f.abschluss;
    d.DatenTransferZeitPub = f.wartezeit;
    d.ZeichenStellePub = f.stelle;
    EXPECT_EQ(pv::eingabetexteAus(d, f.dezimal), f.texte);
  }
}

// ---- converting ------------------------------------------------------------

TEST_F(GeraeteDatei, KonvertierteEinzeiligeDatei) {
  ASSERT_EQ(konvertiere(zeilenBytes(zeilenEinzeilig())), 1);
  EXPECT_TRUE(umgebung.meldungen.boxen.empty());

  QStringList erwartet = zeilen31(ordner());
  erwartet = mitZeile(erwartet, QStringLiteral("Wartezeit"), QStringLiteral("Wartezeit="));
  EXPECT_EQ(umgebung.lies(QStringLiteral("alt.ger")), zeilenBytes(erwartet));
}

TEST_F(GeraeteDatei, KonvertierenUndLesenWieDirektesLesen) {
  // What a converted one-line file reads differently from the file itself:
  // the waiting time becomes 0.
  const struct {
    const char* was;
    QString typ;
    int anfang, ende, abschluss;
    float skalaNachher;
    const char* abschlussText;
  } faelle[] = {
      {"4 1/2-digit DMM", "DMM", 2, 7, 13, 199990, "R"},
      {"3 1/2-digit DMM", "DMM", 2, 6, 10, 19990, "L"},
      {"scale keeps its nines", "Waage", 1, 5, 13, 99999, "R"},
      {"other terminator survives", "DMM", 2, 7, 3, 199990, "3"},
  };
  for (const auto& f : faelle) {
    const QByteArray alt = einzeiler(f.typ, f.anfang, f.ende, f.abschluss);
    const Gelesen direkt = lies(alt);
    ASSERT_EQ(direkt.ergebnis, 1) << f.was;
    ASSERT_EQ(konvertiere(alt), 1) << f.was;
    const QString text = pv::vonCp1252(umgebung.lies(QStringLiteral("alt.ger")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nDatenstringabschlusszeichen=%1\r\n").arg(f.abschlussText)))
        << f.was;

    const Gelesen nachher = liesDatei(umgebung.pfad(QStringLiteral("alt.ger")));
    ASSERT_EQ(nachher.ergebnis, 1) << f.was;
    Geraetedefinition erwartet = direkt.def;
    erwartet.MBVollPub = f.skalaNachher;
    erwartet.DatenTransferZeitPub = 0;
    EXPECT_EQ(nachher.def, erwartet) << f.was;
    EXPECT_EQ(nachher.def.LZAsciiPub, f.abschluss) << f.was;
  }
  EXPECT_TRUE(umgebung.meldungen.boxen.empty());
}

TEST_F(GeraeteDatei, KonvertiertePositionelleDateiLiestWieDasOriginal) {
  QStringList manuell = {
      QStringLiteral("\"[VER3.0]\",\"Waage, Labor\",5,1,6,9,0,7,8,0,0,3,1234.5,\"USB\""),
      QStringLiteral("#FALSE#,#TRUE#,\"D{CR}\",2.5,\"\""),
      QStringLiteral("#true#,#false#,#FALSE#,#FALSE#,#TRUE#,5,\"A\",\"B\",\"C\",\"D\",\"E\",\"F\"")};
  QStringList lf = zeilenPositionell(ordner());
  lf[1].replace(QStringLiteral(",13,"), QStringLiteral(",10,"));

  const struct {
    const char* was;
    QStringList zeilen;
    const char* abschlussText;
  } faelle[] = {
      {"reference (CR)", zeilenPositionell(ordner()), "{CR}"},
      {"LF terminator", lf, "{LF}"},
      {"polled, manual range, position, terminator 3", manuell, "3"},
  };
  for (const auto& f : faelle) {
    const Gelesen direkt = lies(zeilenBytes(f.zeilen));
    ASSERT_EQ(direkt.ergebnis, 1) << f.was;
    ASSERT_EQ(konvertiere(zeilenBytes(f.zeilen)), 1) << f.was;
    const QString text = pv::vonCp1252(umgebung.lies(QStringLiteral("alt.ger")));
    EXPECT_TRUE(text.startsWith(pv::kGeraetedateiKopf31 + QStringLiteral("\r\n"))) << f.was;
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nDatenstringabschlusszeichen=%1\r\n").arg(f.abschlussText)))
        << f.was;
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\nSpezial=\r\nMenü=1\r\n\r\n"))) << f.was;

    const Gelesen nachher = liesDatei(umgebung.pfad(QStringLiteral("alt.ger")));
    ASSERT_EQ(nachher.ergebnis, 1) << f.was;
    EXPECT_EQ(nachher.def, direkt.def) << f.was;
  }
  const Gelesen letzte = liesDatei(umgebung.pfad(QStringLiteral("alt.ger")));
  EXPECT_EQ(letzte.def.GeraeteArtIndexPub, 5);
  EXPECT_EQ(letzte.def.MBVollPub, 1234.5f);
  EXPECT_FALSE(letzte.def.GeraetAktivPub);
  EXPECT_FALSE(letzte.def.MBAutoPub);
  EXPECT_EQ(letzte.def.ZeichenStelleOptionPub, 3);
  EXPECT_EQ(letzte.def.ZeichenStellePub, 5);
  EXPECT_EQ(letzte.texte.wartezeit, QStringLiteral("2.5")) << "kept as written";
  EXPECT_EQ(letzte.def.MBZeichenPub[5], QStringLiteral("F"));
  EXPECT_TRUE(umgebung.meldungen.boxen.empty());
}

TEST_F(GeraeteDatei, UnbekannterTypWirdStillNichtKonvertiert) {
  for (const QString& typ : {QStringLiteral("dmm"), QStringLiteral("WAAGE"), QStringLiteral("Zähler")}) {
    const QByteArray alt = einzeiler(typ, 2, 7, 13);
    EXPECT_EQ(konvertiere(alt), 0) << typ.toStdString();
    EXPECT_EQ(umgebung.lies(QStringLiteral("alt.ger")), alt) << typ.toStdString();
  }
  EXPECT_TRUE(umgebung.meldungen.boxen.empty());
}

TEST_F(GeraeteDatei, FehlerBeimKonvertierenMitMeldung) {
  QStringList kurz = zeilenPositionell(ordner());
  kurz.removeLast();
  QStringList schlechterWahrheitswert = zeilenPositionell(ordner());
  schlechterWahrheitswert[2].replace(QStringLiteral("#TRUE#"), QStringLiteral("#JA#"));
  // A terminator code outside 0..255 does not read, in no generation.
  QStringList code300 = zeilenPositionell(ordner());
  code300[1].replace(QStringLiteral(",13,"), QStringLiteral(",300,"));
  const QByteArray unlesbar[] = {zeilenBytes(code300), einzeiler(QStringLiteral("DMM"), 2, 7, 300)};
  for (const QByteArray& bytes : unlesbar) EXPECT_EQ(lies(bytes).ergebnis, 0);

  const struct {
    const char* was;
    std::optional<QByteArray> bytes;
  } faelle[] = {
      {"positional file ending early", zeilenBytes(kurz)},
      {"positional file with a bad Boolean", zeilenBytes(schlechterWahrheitswert)},
      {"positional file with terminator 300", unlesbar[0]},
      {"one-line file with terminator 300", unlesbar[1]},
      {"one-line file with eleven fields", zeilenBytes({QStringLiteral("\"A\",\"DMM\",2,7,14,0,0,0,0,0,13")})},
      {"scale without a value field", einzeiler(QStringLiteral("Waage"), 5, 3, 13)},
      {"quoted name spanning two lines", zeilenBytes({QStringLiteral("\"A"),
                                                       QStringLiteral("B\",\"DMM\",2,7,14,0,0,0,0,0,13,\"x\"")})},
      {"missing file", std::nullopt},
  };
  for (const auto& f : faelle) {
    umgebung.meldungen.boxen.clear();
    QString pfad = umgebung.pfad(QStringLiteral("fehlt.ger"));
    if (f.bytes) {
      umgebung.schreibe(QStringLiteral("alt.ger"), *f.bytes);
      pfad = umgebung.pfad(QStringLiteral("alt.ger"));
    }
    EXPECT_EQ(pv::GeraetKonvertierenZuVer3(pfad, ordner(), umgebung.meldungen), 0) << f.was;
    ASSERT_EQ(umgebung.meldungen.boxen.size(), 1u) << f.was;
    const auto& box = umgebung.meldungen.boxen.front();
    EXPECT_EQ(box.text, QStringLiteral("Beim Konvertieren der Gerätedatei\r\n") + pfad +
                            QStringLiteral("\r\nist ein Fehler aufgetreten."))
        << f.was;
    EXPECT_EQ(box.titel, pv::kAnwendungstitel);
    EXPECT_EQ(box.knoepfe, pv::Knoepfe::Ok);
    if (f.bytes) {
      EXPECT_EQ(umgebung.lies(QStringLiteral("alt.ger")), *f.bytes) << "unchanged: " << f.was;
    }
  }
}

}  // namespace
