// The device editor without its window: filling the controls from a device
// file, saving into it, and the file name asked for a new device.
#include <gtest/gtest.h>

#include <QFile>
#include <QMap>

#include "devices/geraetedatei.h"
#include "devices/geraeteeditor.h"
#include "geraetetabelle_testhilfe.h"
#include "geraetetesthilfe.h"

namespace {

using pv::geraeteZustand;
using pvtest::Geraeteordner;

const QChar kKomma(u',');
const QString kMultimeter = QStringLiteral("Multimeter (sendet selbst)");

QByteArray mitgeliefert(const QString& name) {
  QFile f(QStringLiteral(PELVARON_DATEN "/") + name);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly));
  return f.readAll();
}

// The editor on a program folder, recording what it asks of the program.
struct Editorumgebung : Geraeteordner {
  pv::Geraetedefinition def;
  QString letzteDatei;
  int16_t menueIndex = -1;
  QString dateiname;  // the file-name dialog's answer
  std::vector<std::pair<int16_t, QString>> beschriftet;
  std::vector<int16_t> gewaehlt;

  pv::GeraeteEditor editor() {
    pv::GerEigenUmfeld u{def, letzteDatei, menueIndex, kKomma};
    u.dateinameWaehlen = [this](const QString&, const QString&) { return dateiname; };
    u.menuepunktBeschriften = [this](int16_t i, const QString& t) { beschriftet.emplace_back(i, t); };
    u.mnuMessgeraete_Click = [this](int16_t i) { gewaehlt.push_back(i); };
    return pv::GeraeteEditor(u);
  }
};

TEST(GeraeteEditor, SerialSettingsAndFullScaleFillTheirControls) {
  struct Fall {
    const char* com;
    const char* paritaet;
    const char* datenbits;
    const char* stopbits;
    bool vollstaendig;
  };
  const Fall faelle[] = {
      {"9600,n,8,1", "none (keine)", "8", "1", true},
      {"9600,e,7,2", "even (gerade)", "7", "2", true},
      {"9600,N,8,1", "none (keine)", "8", "1", true},   // either letter case
      {"9600,x,8,1", "none (keine)", "8", "1", false},  // unknown letter keeps the default
      {"9600,o,8,1.5", "odd (ungerade)", "8", "2", false},
      {"USB", "", "", "", true},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.com);
    pv::Geraetedefinition d;
    d.ComSettingPub = QString::fromLatin1(f.com);
    bool vollstaendig = false;
    const pv::EditorAnsicht a = pv::ansichtAus(d, kKomma, vollstaendig);
    EXPECT_EQ(a.eingaben.Paritaet, QString::fromUtf8(f.paritaet));
    EXPECT_EQ(a.eingaben.Datenbits, QString::fromLatin1(f.datenbits));
    EXPECT_EQ(a.eingaben.Stopbits, QString::fromLatin1(f.stopbits));
    EXPECT_EQ(vollstaendig, f.vollstaendig);
    EXPECT_EQ(a.usb, d.ComSettingPub == u"USB");
  }

  pv::Geraetedefinition waage;
  waage.GeraeteArtIndexPub = pv::kWaage;
  waage.MBVollPub = 500;
  waage.DatenAnfangPub = 3;
  waage.DatenEndePub = 8;
  waage.ComSettingPub = QStringLiteral("9600,n,8,1");
  bool vollstaendig = false;
  EXPECT_EQ(pv::ansichtAus(waage, kKomma, vollstaendig).eingaben.TextMBVoll, QStringLiteral("000500"));
  waage.MBVollPub = 1999.5f;
  waage.DatenEndePub = 4;
  EXPECT_EQ(pv::ansichtAus(waage, kKomma, vollstaendig).eingaben.TextMBVoll, QStringLiteral("1999,5"));

  EXPECT_EQ(pv::spezialTitel(QStringLiteral("SANWAPC5x0 *// binär")), QStringLiteral(" (Special: SANWAPC5x0)"));
  // Pictures keep their proportions and are never enlarged.
  EXPECT_EQ(pv::vorschauGroesse(QSize(100, 400), QSize(180, 135)), QSize(34, 135));
  EXPECT_EQ(pv::vorschauGroesse(QSize(100, 60), QSize(180, 135)), QSize(100, 60));
  EXPECT_EQ(pv::vorschauGroesse(QSize(360, 100), QSize(180, 135)), QSize(180, 50));
  EXPECT_EQ(pv::spezialTitel(QStringLiteral("VC820")), QString());
}

// Saving the current device from the main window: the file keeps its layout
// with the changed lines, the table and menu take the new name, and the
// device is selected again. Without a table entry nothing is renamed.
TEST(GeraeteEditor, SavingTheCurrentDeviceRenamesItAndSelectsItAgain) {
  Editorumgebung u;
  const QByteArray original = mitgeliefert(QStringLiteral("Multimeter.ger"));
  u.schreibe(QStringLiteral("Multimeter.ger"), original);
  u.schreibe(QStringLiteral("DMM.gif"), mitgeliefert(QStringLiteral("DMM.gif")));
  pv::Initialisieren(kKomma);
  u.menueIndex = 2;
  pv::GeraeteEditor editor = u.editor();

  const pv::EditorAnsicht a = editor.GeraetBearbeiten(kMultimeter);
  EXPECT_EQ(a.titel, QStringLiteral("Messgerät 'Multimeter (sendet selbst)' bearbeiten"));
  EXPECT_FALSE(a.speichernUnterSichtbar);
  EXPECT_TRUE(u.texte().isEmpty());
  pv::GeraeteEingaben e = a.eingaben;
  e.GerBezText = QStringLiteral("Tischmultimeter");
  e.txtMesswertStop = QStringLiteral("8");

  ASSERT_TRUE(editor.UebernButton_Click(1, e).gespeichert);
  QByteArray erwartet = original;
  erwartet.replace("Bezeichnung=Multimeter (sendet selbst)", "Bezeichnung=Tischmultimeter");
  erwartet.replace("Messwertende=9", "Messwertende=8");
  // The boxes show the numbers read, and are saved as they show them.
  erwartet.replace("Wartezeit=\r", "Wartezeit=0\r").replace("Zeichenposition=\r", "Zeichenposition=0\r");
  EXPECT_EQ(u.lies(QStringLiteral("Multimeter.ger")), erwartet);
  EXPECT_EQ(u.letzteDatei, u.pfad(QStringLiteral("Multimeter.ger")));
  EXPECT_EQ(u.tabellenNamen(), QStringList{QStringLiteral("Tischmultimeter")});
  EXPECT_EQ(u.beschriftet, (std::vector<std::pair<int16_t, QString>>{{2, QStringLiteral("Tischmultimeter")}}));
  EXPECT_EQ(u.gewaehlt, std::vector<int16_t>{2});

  geraeteZustand().Geraete.resize(1);
  ASSERT_TRUE(editor.UebernButton_Click(1, e).gespeichert);
  EXPECT_EQ(u.gewaehlt.size(), 1u);
}

// A device file that fails to read opens with its own key texts, the broken
// one included, while the record holds another device. Corrected and saved,
// it keeps every other key; a 3.0 file gains the RTS and DTR it reads with,
// and a key it lacks gets the new device's value.
TEST(GeraeteEditor, UnreadableFileShowsItsOwnTextsAndSavesThemBack) {
  const QStringList schluessel = {
      "Bezeichnung", "Datenstringlänge", "Messwertbeginn", "Messwertende", "Vorzeichenstelle",
      "Einheit1 Beginn", "Einheit1 Ende", "Einheit2 Beginn", "Einheit2 Ende", "Datenstringabschlusszeichen",
      "Skala Maximum", "Datenanforderungszeichen", "Wartezeit", "Bilddatei", "Messbereich Zeichenposition",
      "Messbereich Zeichen 0", "Messbereich Zeichen 1", "Messbereich Zeichen 2", "Messbereich Zeichen 3",
      "Messbereich Zeichen 4", "Messbereich Zeichen 5"};
  const auto boxen = [](const pv::GeraeteEingaben& e) {
    return QStringList{e.GerBezText, e.txtDatenStringLaenge, e.txtMesswertStart, e.txtMesswertStop,
                       e.txtVorzeichenStelle, e.txtEinheit1_0, e.txtEinheit1_1, e.txtEinheit2_0,
                       e.txtEinheit2_1, e.txtLetzteZeichen, e.TextMBVoll, e.TextTransferzeichen,
                       e.TextDatenTransferZeit, e.TextBildDateiEigenGeraet, e.TextZeichenStelle}
           << QStringList(e.TextMBZeichen.begin(), e.TextMBZeichen.end());
  };
  const QStringList waage = {
      "Bezeichnung=Defekte Waage", "Geräteart=4", "Datenstringlänge=16", "Messwertbeginn=2", "Messwertende=10",
      "Vorzeichenstelle=1", "Einheit1 Beginn=12", "Einheit1 Ende=13", "Einheit2 Beginn=0", "Einheit2 Ende=0",
      "Datenstringabschlusszeichen=10", "Skala Maximum=abc", "Schnittstellenparameter=9600,e,7,2",
      "RTS=1", "DTR=0", "Gerät aktiv=0", "Datenanforderungszeichen=W{CR}", "Wartezeit=1", "Bilddatei=",
      "Messbereich manuell=0", "Messbereich Erkennung=3", "Messbereich Zeichenposition=14",
      "Messbereich Zeichen 0=M", "Messbereich Zeichen 1=K", "Messbereich Zeichen 2=m", "Messbereich Zeichen 3=u",
      "Messbereich Zeichen 4=n", "Messbereich Zeichen 5=P", "Spezial=Waage *// eigene", "Menü=1"};
  QStringList v30 = waage;
  v30.replace(1, QStringLiteral("Geräteart=5"));
  v30.replace(11, QStringLiteral("Skala Maximum=2500"));
  v30.replace(17, QStringLiteral("Wartezeit=x"));
  v30.removeAt(27);  // "Messbereich Zeichen 5"
  v30.removeAt(14);  // "DTR"
  v30.removeAt(13);  // "RTS"
  // A sending device with the range set by hand and the terminator in braces,
  // which the box shows as it takes it.
  QStringList aktiv = waage;
  aktiv.replace(10, QStringLiteral("Datenstringabschlusszeichen={CR}"));
  aktiv.replace(15, QStringLiteral("Gerät aktiv=1"));
  aktiv.replace(19, QStringLiteral("Messbereich manuell=1"));
  struct Fall {
    const char* kopf;
    QStringList zeilen;
    QString pv::GeraeteEingaben::*box;
    QString schluessel, korrigiert, meldung;
    QMap<QString, QString> neu;  // what the keys become that the file lacks or the box shows otherwise
  };
  // The full scale's check takes the leading number of "abc" without a
  // message; the waiting time's check refuses "x".
  const Fall faelle[] = {
      {"Version 3.1", waage, &pv::GeraeteEingaben::TextMBVoll, "Skala Maximum", "5000", {}, {}},
      {"Version 3.0", v30, &pv::GeraeteEingaben::TextDatenTransferZeit, "Wartezeit", "2",
       "Unzulässige Eingabe im Feld Wartezeit",
       {{"RTS", "0"}, {"DTR", "1"}, {"Messbereich Zeichen 5", "p"}}},
      {"Version 3.1", aktiv, &pv::GeraeteEingaben::TextMBVoll, "Skala Maximum", "5000", {},
       {{"Datenstringabschlusszeichen", "R"}}},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.kopf);
    Editorumgebung u;
    const QString datei = QStringLiteral("Defekte Waage.ger");
    u.schreibe(QStringLiteral("Multimeter.ger"), mitgeliefert(QStringLiteral("Multimeter.ger")));
    const QByteArray original = pvtest::zeilenBytes(
        QStringList{QStringLiteral("[Pelvaron Gerätedatei %1]").arg(QString::fromLatin1(f.kopf))} << f.zeilen);
    u.schreibe(datei, original);
    pv::Initialisieren(kKomma);
    ASSERT_EQ(pv::GeraeteDatenLesen(u.pfad(QStringLiteral("Multimeter.ger")), kKomma, u.pfad(), u.def), 1);
    pv::GeraeteEditor editor = u.editor();

    const pv::EditorAnsicht a = editor.GeraetBearbeiten(QStringLiteral("Defekte Waage"));
    EXPECT_EQ(u.texte(), QStringList{QStringLiteral("Beim Lesen der Geräteparameter ist ein Fehler aufgetreten!\r\n"
                                                    "Die angezeigten Werte sind möglicherweise nicht korrekt!")});
    QMap<QString, QString> vorher;
    for (const QString& k : pv::geraetedateiSchluessel()) vorher.insert(k, f.neu.value(k, u.wert(datei, k)));
    QStringList erwartet;
    for (const QString& k : schluessel) erwartet << vorher.value(k);
    EXPECT_EQ(boxen(a.eingaben), erwartet);

    pv::GeraeteEingaben e = a.eingaben;
    if (!f.meldung.isEmpty()) {
      EXPECT_FALSE(editor.UebernButton_Click(1, e).gespeichert);
      EXPECT_EQ(u.texte().last(), f.meldung);
      EXPECT_EQ(u.lies(datei), original);
    }
    e.*f.box = f.korrigiert;
    ASSERT_TRUE(editor.UebernButton_Click(1, e).gespeichert);
    vorher.insert(f.schluessel, f.korrigiert);
    for (const QString& k : pv::geraetedateiSchluessel()) {
      EXPECT_EQ(u.wert(datei, k), vorher.value(k)) << k.toStdString();
    }
  }
}

// A device file of any generation, converted by the folder scan where old,
// shows its terminator as the box takes it and the numbers read (an empty
// waiting time or range position as 0), and saves unchanged; a range
// position of 0 is refused as outside the record.
TEST(GeraeteEditor, EveryGenerationSavesUnchanged) {
  Editorumgebung u;
  QByteArray v30 = mitgeliefert(QStringLiteral("Multimeter.ger"));
  v30.replace("Version 3.1]", "Version 3.0]").replace("abschlusszeichen=R", "abschlusszeichen={cr}");
  u.schreibe(QStringLiteral("v30.ger"), v30);
  u.schreibe(QStringLiteral("v31.ger"), mitgeliefert(QStringLiteral("Waage.ger")));
  u.schreibe(QStringLiteral("positionell.ger"),
             "\"[VER3.0]\",\"Positionell\",2,2,7,14,1,9,10,11,12,13,199990,\"9600,n,8,1\",#TRUE#,#FALSE#,"
             "\"\",1,\"\",#FALSE#,#TRUE#,#FALSE#,#TRUE#,#FALSE#,0,\"M\",\"k\",\"m\",\"u\",\"n\",\"p\"\r\n");
  u.schreibe(QStringLiteral("einzeilig.ger"), "\"Einzeilig\",\"Waage\",2,7,14,1,9,10,0,0,3,\"9600,n,8,1\"\r\n");
  QByteArray abfrage = mitgeliefert(QStringLiteral("Multimeter_Abfrage.ger"));
  u.schreibe(QStringLiteral("abfrage.ger"), QByteArray(abfrage).replace("Wartezeit=1", "Wartezeit="));
  u.schreibe(QStringLiteral("stelle.ger"),
             abfrage.replace("(Abfrage)", "(Stelle)").replace("Messbereich Erkennung=1", "Messbereich Erkennung=3"));
  pv::Initialisieren(kKomma);
  struct Fall {
    const char* name;
    const char* abschluss;
    const char* wartezeit;
    QString meldung;  // empty: saved
  };
  const Fall faelle[] = {
      {"Multimeter (sendet selbst)", "R", "0", {}},
      {"Waage (Abfrage)", "L", "1", {}},
      {"Positionell", "R", "1", {}},
      {"Einzeilig", "3", "0", {}},
      {"Multimeter (Abfrage)", "R", "0", {}},
      {"Multimeter (Stelle)", "R", "1",
       QStringLiteral("Sie haben eine ungültige Stelle für das Messbereich-Erkennungszeichen angegeben.\n"
                      "Erlaubter Bereich: 1 bis 13")},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    u.meldungen.boxen.clear();
    pv::GeraeteEditor editor = u.editor();
    const pv::EditorAnsicht a = editor.GeraetBearbeiten(QString::fromUtf8(f.name));
    EXPECT_EQ(a.eingaben.txtLetzteZeichen, QString::fromLatin1(f.abschluss));
    EXPECT_EQ(a.eingaben.TextDatenTransferZeit, QString::fromLatin1(f.wartezeit));
    EXPECT_EQ(a.eingaben.TextZeichenStelle, QStringLiteral("0"));
    EXPECT_EQ(editor.UebernButton_Click(1, a.eingaben).gespeichert, f.meldung.isEmpty());
    EXPECT_EQ(u.texte(), f.meldung.isEmpty() ? QStringList() : QStringList{f.meldung});
  }
}

TEST(GeraeteEditor, NewDeviceIsSavedUnderTheChosenNameOnly) {
  Editorumgebung u;
  pv::GeraeteEditor editor = u.editor();
  const pv::EditorAnsicht a = editor.GeraetBearbeiten(QString());
  EXPECT_EQ(a.titel, QStringLiteral("Neues Messgerät definieren"));
  EXPECT_FALSE(a.aenderungenSichtbar);
  pv::GeraeteEingaben e = a.eingaben;
  e.GerBezText = QStringLiteral("Neu");
  e.OptionGeraet = pv::kSonstiges;
  e.txtDatenStringLaenge = QStringLiteral("10");
  e.txtMesswertStart = e.txtMesswertStop = QStringLiteral("0");
  e.txtLetzteZeichen = QStringLiteral("L");
  e.transfer = pv::GeraeteEingaben::Transfer::Aktiv;
  e.messbereich = pv::GeraeteEingaben::Messbereich::Manuell;

  EXPECT_FALSE(editor.UebernButton_Click(0, e).gespeichert);  // dialog cancelled
  EXPECT_TRUE(u.letzteDatei.isEmpty());
  EXPECT_EQ(pv::geraetedateienIn(u.pfad()), QStringList());

  // A value the device file cannot hold goes to the error handler.
  u.dateiname = QStringLiteral("Neu.ger");
  pv::GeraeteEingaben fremd = e;
  fremd.TextTransferzeichen = QStringLiteral("Ω");
  EXPECT_FALSE(editor.UebernButton_Click(0, fremd).gespeichert);
  EXPECT_TRUE(u.texte().last().contains(QStringLiteral("GerEigen -> ÜbernButton")));
  EXPECT_EQ(pv::geraetedateienIn(u.pfad()), QStringList());

  ASSERT_TRUE(editor.UebernButton_Click(0, e).gespeichert);
  EXPECT_EQ(u.letzteDatei, u.pfad(QStringLiteral("Neu.ger")));
  EXPECT_EQ(u.wert(QStringLiteral("Neu.ger"), QStringLiteral("Menü")), QStringLiteral("1"));
}

TEST(GeraeteEditor, FileNameRules) {
  Geraeteordner u;
  u.geraet(QStringLiteral("Da.ger"), QStringLiteral("Da"));
  const QString kFehler = QStringLiteral("Ein Fehler ist aufgetreten! Überprüfen Sie Ihre Eingaben.");
  struct Fall {
    const char* eingabe;
    std::optional<QString> datei;
    QString meldung;
    pv::Antwort antwort = pv::Antwort::Ja;
  };
  const Fall faelle[] = {
      {"", std::nullopt, QStringLiteral("Geben Sie bitte einen Dateinamen ein!")},
      {"Neu", QStringLiteral("Neu.ger"), {}},
      {"NEU.GER", QStringLiteral("NEU.GER"), {}},
      {"Neu.ge", QStringLiteral("Neu.ge.ger"), {}},
      {"../Neu", std::nullopt, kFehler},
      {"a\\b", std::nullopt, kFehler},
      {"a:b?", std::nullopt, kFehler},
      {".ger", std::nullopt, kFehler},
      {"Da", QStringLiteral("Da.ger"), QStringLiteral("Die Datei ist bereits vorhanden! Überschreiben?")},
      {"Da.ger", std::nullopt, QStringLiteral("Die Datei ist bereits vorhanden! Überschreiben?"), pv::Antwort::Nein},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.eingabe);
    u.meldungen.boxen.clear();
    u.meldungen.antworten = {f.antwort};
    EXPECT_EQ(pv::dateinameAnnehmen(QString::fromUtf8(f.eingabe), u.pfad(), u.meldungen), f.datei);
    EXPECT_EQ(u.texte(), f.meldung.isEmpty() ? QStringList() : QStringList{f.meldung});
  }
  EXPECT_EQ(pv::geraetedateienIn(u.pfad()), QStringList{QStringLiteral("Da.ger")});
}

}  // namespace
