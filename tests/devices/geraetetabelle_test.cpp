// The device table: folder scan, unique names, lookup and writing the menu.
#include <gtest/gtest.h>


#include "devices/geraetetabelle.h"
#include "geraetetabelle_testhilfe.h"

namespace {

using pv::geraeteZustand;
using pvtest::FakeGeraeteMenue;
using pvtest::Geraeteordner;

const QChar kKomma(u',');
const QString kBitteWaehlen = QStringLiteral("Bitte wählen Sie im Menü 'Messgerät' ein Gerät aus!");
const QString kScanFrage = QStringLiteral(
    "Beim Initialisieren eines Gerätes ist ein Fehler aufgetreten!\r\n"
    "Möchten Sie mit dem nächsten Gerät fortfahren?");

QString s(const char* t) { return QString::fromUtf8(t); }

TEST(GeraeteTabelle, EmptyFolderGivesEmptyTableAndAsksForADevice) {
  Geraeteordner ordner;
  ordner.schreibe(QStringLiteral("keingeraet.txt"), "Bezeichnung=X\r\nMen\xFC=1\r\n");
  geraeteZustand().AktuellesMessgeraet = QStringLiteral("DMM");
  FakeGeraeteMenue menue;

  pv::GeraeteLesen(menue, kKomma);

  EXPECT_EQ(geraeteZustand().Geraete.size(), 1u);
  ASSERT_EQ(menue.aufbauten.size(), 1u);
  EXPECT_TRUE(menue.aufbauten[0].isEmpty());
  EXPECT_TRUE(menue.klicks.empty());
  EXPECT_EQ(ordner.texte(), QStringList{kBitteWaehlen});
  EXPECT_TRUE(geraeteZustand().AktuellesMessgeraet.isEmpty());
}

// Files are scanned in file-name order; a name taken by any earlier entry
// gets "+" until it is free, in the table and in its file.
TEST(GeraeteTabelle, NamesAreMadeUniqueAgainstAllEarlierEntries) {
  struct Fall {
    const char* name;
    std::vector<const char*> namen;  // a.ger, b.ger, ... in this order
    QStringList erwartet;
  };
  const Fall faelle[] = {
      {"three equal names", {"N", "N", "N"}, {"N", "N+", "N++"}},
      {"a taken plus name is skipped", {"N+", "N", "N"}, {"N+", "N", "N++"}},
      {"letter case makes names differ", {"dmm", "DMM", "Dmm"}, {"dmm", "DMM", "Dmm"}},
      {"umlauts and blanks kept", {"Waage ä", "Waage ä"}, {s("Waage ä"), s("Waage ä+")}},
  };
  for (const auto& f : faelle) {
    Geraeteordner ordner;
    for (size_t i = 0; i < f.namen.size(); ++i) {
      ordner.geraet(QString(QChar(u'a' + int(i))) + QStringLiteral(".ger"), s(f.namen[i]));
    }
    pv::Initialisieren(kKomma);
    EXPECT_EQ(ordner.tabellenNamen(), f.erwartet) << f.name;
    for (size_t i = 0; i < f.namen.size(); ++i) {
      const QString datei = QString(QChar(u'a' + int(i))) + QStringLiteral(".ger");
      EXPECT_EQ(ordner.wert(datei, QStringLiteral("Bezeichnung")), f.erwartet[qsizetype(i)])
          << f.name << " " << datei.toStdString();
    }
    EXPECT_TRUE(ordner.meldungen.boxen.empty()) << f.name;
  }
}

TEST(GeraeteTabelle, RenamingChangesOnlyTheNameLine) {
  Geraeteordner ordner;
  ordner.geraet(QStringLiteral("a.ger"), QStringLiteral("N"));
  const QByteArray unveraendert = pvtest::geraetedatei(QStringLiteral("N"), QStringLiteral("0"));
  // "Bezeichnung=" inside another key must not take the "+".
  ordner.schreibe(QStringLiteral("b.ger"),
                  "[Pelvaron Ger\xE4tedatei Version 3.1]\r\nAlte Bezeichnung=N\r\nBezeichnung=N\r\nMen\xFC=1\r\n");
  // A name line that is the last line, without line end.
  ordner.schreibe(QStringLiteral("c.ger"), "[Pelvaron Ger\xE4tedatei Version 3.0]\r\nMen\xFC=0\r\nBezeichnung=N");

  pv::Initialisieren(kKomma);

  EXPECT_EQ(ordner.tabellenNamen(), (QStringList{"N", "N+", "N++"}));
  EXPECT_EQ(ordner.lies(QStringLiteral("a.ger")), unveraendert);
  EXPECT_EQ(ordner.lies(QStringLiteral("b.ger")),
            QByteArray("[Pelvaron Ger\xE4tedatei Version 3.1]\r\nAlte Bezeichnung=N\r\nBezeichnung=N+\r\nMen\xFC=1\r\n\r\n"));
  EXPECT_EQ(ordner.lies(QStringLiteral("c.ger")),
            QByteArray("[Pelvaron Ger\xE4tedatei Version 3.0]\r\nMen\xFC=0\r\nBezeichnung=N++\r\n"));

  // A second scan finds the names unique and writes nothing.
  const QByteArray b = ordner.lies(QStringLiteral("b.ger"));
  pv::Initialisieren(kKomma);
  EXPECT_EQ(ordner.tabellenNamen(), (QStringList{"N", "N+", "N++"}));
  EXPECT_EQ(ordner.lies(QStringLiteral("b.ger")), b);
}

TEST(GeraeteTabelle, MenueValueDecidesTheList) {
  Geraeteordner ordner;
  ordner.geraet(QStringLiteral("a.ger"), QStringLiteral("Eins"), QStringLiteral("1"));
  ordner.geraet(QStringLiteral("b.ger"), QStringLiteral("Null"), QStringLiteral("0"));
  ordner.geraet(QStringLiteral("c.ger"), QStringLiteral("Zwei"), QStringLiteral("2"));
  ordner.geraet(QStringLiteral("d.ger"), QStringLiteral("EinsKomma"), QStringLiteral("1,0"));
  ordner.geraet(QStringLiteral("e.ger"), QStringLiteral("Minus"), QStringLiteral("-1"));

  const pv::GeraeteListen listen = pv::Initialisieren(kKomma);

  EXPECT_EQ(listen.lstMenu, (QStringList{"Eins", "EinsKomma"}));
  EXPECT_EQ(listen.lstAll, (QStringList{"Null", "Zwei", "Minus"}));
  const auto& g = geraeteZustand().Geraete;
  ASSERT_EQ(g.size(), 6u);
  EXPECT_EQ(g[3], (pv::GeraetEintrag{3, ordner.pfad(QStringLiteral("c.ger")), QStringLiteral("Zwei"), false}));
}

// "Gerät speichern unter ..." accepts a name that begins with a dot.
TEST(GeraeteTabelle, FileNameWithALeadingDotIsListed) {
  Geraeteordner ordner;
  ordner.geraet(QStringLiteral(".Waage.ger"), QStringLiteral("Waage"), QStringLiteral("1"));
  EXPECT_EQ(pv::geraetedateienIn(ordner.pfad()), QStringList{QStringLiteral(".Waage.ger")});
  EXPECT_EQ(pv::Initialisieren(kKomma).lstMenu, QStringList{QStringLiteral("Waage")});
}

// A failing file is left out after a question; Yes goes on, No stops with the
// devices read so far.
TEST(GeraeteTabelle, FailingFileAsksWhetherToGoOn) {
  struct Fall {
    const char* name;
    QByteArray fehlerhaft;
    pv::Antwort antwort;
    QStringList erwartet;
  };
  const QByteArray kopf = "[Pelvaron Ger\xE4tedatei Version 3.1]\r\n";
  const Fall faelle[] = {
      {"Menü not a number, Yes", kopf + "Bezeichnung=B\r\nMen\xFC=ja\r\n", pv::Antwort::Ja, {"A", "C"}},
      {"Menü not a number, No", kopf + "Bezeichnung=B\r\nMen\xFC=ja\r\n", pv::Antwort::Nein, {"A"}},
      {"Menü missing", kopf + "Bezeichnung=B\r\n", pv::Antwort::Ja, {"A", "C"}},
      {"Menü empty", kopf + "Bezeichnung=B\r\nMen\xFC=\r\n", pv::Antwort::Ja, {"A", "C"}},
      {"name missing", kopf + "Men\xFC=1\r\n", pv::Antwort::Ja, {"A", "C"}},
      {"empty file", "", pv::Antwort::Nein, {"A"}},
  };
  for (const auto& f : faelle) {
    Geraeteordner ordner;
    ordner.geraet(QStringLiteral("a.ger"), QStringLiteral("A"));
    ordner.schreibe(QStringLiteral("b.ger"), f.fehlerhaft);
    ordner.geraet(QStringLiteral("c.ger"), QStringLiteral("C"));
    ordner.meldungen.antworten.push_back(f.antwort);

    const pv::GeraeteListen listen = pv::Initialisieren(kKomma);

    EXPECT_EQ(ordner.tabellenNamen(), f.erwartet) << f.name;
    EXPECT_EQ(listen.lstAll, f.erwartet) << f.name;
    ASSERT_EQ(ordner.meldungen.boxen.size(), 1u) << f.name;
    const auto& box = ordner.meldungen.boxen[0];
    EXPECT_EQ(box.text, kScanFrage);
    EXPECT_EQ(box.knoepfe, pv::Knoepfe::JaNein);
    EXPECT_EQ(box.titel, pv::kAnwendungstitel);
    EXPECT_EQ(ordner.lies(QStringLiteral("b.ger")), f.fehlerhaft) << f.name;
  }
}

TEST(GeraeteTabelle, OldGenerationFilesAreConvertedDuringTheScan) {
  Geraeteordner ordner;
  ordner.schreibe(QStringLiteral("alt.ger"), "DMM Alt,DMM,2,6,14,1,9,10,11,12,13,\"1200,n,7,2\"\r\n");
  const QByteArray fremd = "Fremd,Oszi,2,6,14,1,9,10,11,12,13,\"1200,n,7,2\"\r\n";
  ordner.schreibe(QStringLiteral("fremd.ger"), fremd);
  ordner.geraet(QStringLiteral("neu.ger"), QStringLiteral("DMM Alt"));
  ordner.schreibe(QStringLiteral("kurz.ger"), "Kurz,DMM,2,6,14,1,9,10,11,12,13\r\n");

  const pv::GeraeteListen listen = pv::Initialisieren(kKomma);

  // The unknown type is left out without a word and its file kept; a file
  // that fails is named as the user knows it, without the folder.
  ASSERT_EQ(ordner.meldungen.boxen.size(), 1u);
  EXPECT_EQ(ordner.meldungen.boxen[0].text,
            QStringLiteral("Beim Konvertieren der Gerätedatei\r\nkurz.ger\r\nist ein Fehler aufgetreten."));
  EXPECT_EQ(ordner.lies(QStringLiteral("fremd.ger")), fremd);
  EXPECT_EQ(ordner.tabellenNamen(), (QStringList{"DMM Alt", "DMM Alt+"}));
  EXPECT_EQ(listen.lstMenu, QStringList{"DMM Alt"});
  EXPECT_TRUE(ordner.lies(QStringLiteral("alt.ger")).startsWith("[Pelvaron Ger\xE4tedatei Version 3.1]\r\n"));
  EXPECT_EQ(ordner.wert(QStringLiteral("alt.ger"), QStringLiteral("Menü")), QStringLiteral("1"));
  EXPECT_EQ(ordner.wert(QStringLiteral("alt.ger"), QStringLiteral("Skala Maximum")), QStringLiteral("19990"));
}

TEST(GeraetIndexSuchen, FindsByExactNameOrByPath) {
  Geraeteordner ordner;
  EXPECT_EQ(pv::GeraetIndexSuchen(QStringLiteral("A"), QString()), -1) << "empty table";
  ordner.geraet(QStringLiteral("a.ger"), QStringLiteral("DMM"));
  ordner.geraet(QStringLiteral("b.ger"), QStringLiteral("Waage"));
  pv::Initialisieren(kKomma);

  struct Fall {
    const char* name;
    QString bezeichnung;
    QString datei;
    int16_t erwartet;
  };
  const Fall faelle[] = {
      {"name", QStringLiteral("Waage"), QString(), 2},
      {"name wins over path", QStringLiteral("DMM"), ordner.pfad(QStringLiteral("b.ger")), 1},
      {"letter case differs", QStringLiteral("waage"), QString(), -1},
      {"trailing blank", QStringLiteral("DMM "), QString(), -1},
      {"path when name empty", QString(), ordner.pfad(QStringLiteral("b.ger")), 2},
      {"unknown path", QString(), ordner.pfad(QStringLiteral("c.ger")), -1},
      {"both empty", QString(), QString(), -1},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(pv::GeraetIndexSuchen(f.bezeichnung, f.datei), f.erwartet) << f.name;
  }
}

class MenueSchreiben : public ::testing::Test {
 protected:
  void SetUp() override {
    ordner.geraet(QStringLiteral("a.ger"), QStringLiteral("A"), QStringLiteral("0"));
    ordner.geraet(QStringLiteral("b.ger"), QStringLiteral("B"), QStringLiteral("1"));
    ordner.geraet(QStringLiteral("c.ger"), QStringLiteral("C"), QStringLiteral("2"));
    ordner.geraet(QStringLiteral("d.ger"), QStringLiteral("D"), QStringLiteral("1"));
    listen = pv::Initialisieren(kKomma);
  }
  Geraeteordner ordner;
  pv::GeraeteListen listen;
  FakeGeraeteMenue menue;
};

TEST_F(MenueSchreiben, WritesOnlyWhatDiffersAndSelectsTheCurrentDevice) {
  const QByteArray b = ordner.lies(QStringLiteral("b.ger"));
  const QByteArray vorherA = ordner.lies(QStringLiteral("a.ger"));
  listen.lstMenu.removeAll(QStringLiteral("D"));
  listen.lstAll = QStringList{"C", "D"};
  listen.lstMenu.append(QStringLiteral("A"));
  geraeteZustand().AktuellesMessgeraet = QStringLiteral("A");

  pv::MenueNeuSchreiben(listen, menue, kKomma);

  EXPECT_EQ(ordner.wert(QStringLiteral("a.ger"), QStringLiteral("Menü")), QStringLiteral("1"));
  EXPECT_EQ(ordner.wert(QStringLiteral("c.ger"), QStringLiteral("Menü")), QStringLiteral("0"));
  EXPECT_EQ(ordner.wert(QStringLiteral("d.ger"), QStringLiteral("Menü")), QStringLiteral("0"));
  EXPECT_EQ(ordner.lies(QStringLiteral("b.ger")), b) << "already 1: not rewritten";
  EXPECT_NE(ordner.lies(QStringLiteral("a.ger")), vorherA);
  ASSERT_EQ(menue.aufbauten.size(), 1u);
  EXPECT_EQ(menue.aufbauten[0], (QStringList{"B", "A"}));
  EXPECT_EQ(menue.klicks, std::vector<int16_t>{2});
  EXPECT_TRUE(ordner.meldungen.boxen.empty());
  EXPECT_TRUE(geraeteZustand().Geraete[1].ImMenue);
  EXPECT_FALSE(geraeteZustand().Geraete[4].ImMenue);

  // The start-up's second pass over the same files writes nothing more.
  const QByteArray a = ordner.lies(QStringLiteral("a.ger"));
  const QByteArray c = ordner.lies(QStringLiteral("c.ger"));
  pv::GeraeteLesen(menue, kKomma);
  EXPECT_EQ(ordner.lies(QStringLiteral("a.ger")), a);
  EXPECT_EQ(ordner.lies(QStringLiteral("c.ger")), c);
  EXPECT_EQ(menue.aufbauten.back(), (QStringList{"A", "B"}));
  EXPECT_EQ(menue.klicks.back(), 1);
}

TEST_F(MenueSchreiben, CurrentDeviceOutsideTheMenuIsCleared) {
  geraeteZustand().AktuellesMessgeraet = QStringLiteral("C");
  pv::MenueNeuSchreiben(listen, menue, kKomma);
  EXPECT_EQ(menue.aufbauten.at(0), (QStringList{"B", "D"}));
  EXPECT_TRUE(menue.klicks.empty());
  EXPECT_EQ(ordner.texte(), QStringList{kBitteWaehlen});
  EXPECT_TRUE(geraeteZustand().AktuellesMessgeraet.isEmpty());
}

TEST_F(MenueSchreiben, InvalidMenueValueIsReportedAndTheFileKept) {
  geraeteZustand().AktuellesMessgeraet = QStringLiteral("B");
  // The file changed after the scan.
  const QByteArray kaputt = pvtest::geraetedatei(QStringLiteral("D"), QStringLiteral("x"));
  ordner.schreibe(QStringLiteral("d.ger"), kaputt);
  ordner.schreibe(QStringLiteral("a.ger"), pvtest::geraetedatei(QStringLiteral("A"), QString()));

  pv::MenueNeuSchreiben(listen, menue, kKomma);

  EXPECT_EQ(ordner.texte(),
            (QStringList{QStringLiteral("Folgende Gerätedatei ist ungültig:\r\n") + ordner.pfad(QStringLiteral("a.ger")),
                         QStringLiteral("Folgende Gerätedatei ist ungültig:\r\n") + ordner.pfad(QStringLiteral("d.ger"))}));
  EXPECT_EQ(ordner.lies(QStringLiteral("d.ger")), kaputt);
  EXPECT_EQ(menue.aufbauten.at(0), (QStringList{"B", "D"}));
  EXPECT_EQ(menue.klicks, std::vector<int16_t>{1});
}

TEST_F(MenueSchreiben, NameMissingFromTheTableStopsWithAMessage) {
  geraeteZustand().AktuellesMessgeraet = QStringLiteral("B");
  listen.lstAll.prepend(QStringLiteral("Unbekannt"));
  pv::MenueNeuSchreiben(listen, menue, kKomma);
  EXPECT_EQ(ordner.texte(),
            QStringList{QStringLiteral("Beim Schreiben der Einträge im Menü 'Messgerät' \r\n"
                                       "ist ein Fehler aufgetreten. Überprüfen Sie Ihre\r\n"
                                       "Geräteeinstellungen und starten Sie das Programm neu!")});
  EXPECT_TRUE(menue.aufbauten.empty());
  EXPECT_TRUE(menue.klicks.empty());
  EXPECT_EQ(geraeteZustand().AktuellesMessgeraet, QStringLiteral("B"));
}

}  // namespace

namespace {

// "Bearbeiten...": a save of the current device's own file renames the
// current device and writes the menu again; a save of another device only
// rescans, and nothing saved changes nothing.
TEST_F(MenueSchreiben, EditingTheCurrentDeviceFollowsItsNewName) {
  geraeteZustand().AktuellesMessgeraet = QStringLiteral("B");
  pv::GeraeteAuswahl auswahl(menue, kKomma);
  auswahl.Initialisieren();
  QString bearbeitet;
  menue.editor = [&](const QString& name) {
    bearbeitet = name;
    const QString datei = name == u"B" ? QStringLiteral("b.ger") : QStringLiteral("a.ger");
    const QString neu = name + QStringLiteral(" neu");
    Tolvek::ParameterSchreiben(ordner.pfad(datei), QStringLiteral("Bezeichnung"), neu);
    return pv::GeraeteMenue::Bearbeitet{ordner.pfad(datei), neu};
  };

  EXPECT_TRUE(auswahl.bearbeiten(0, -1));  // A, not the current device
  EXPECT_EQ(bearbeitet, QStringLiteral("A"));
  EXPECT_EQ(auswahl.listen().lstAll.first(), QStringLiteral("A neu"));
  EXPECT_TRUE(menue.aufbauten.empty());

  EXPECT_TRUE(auswahl.bearbeiten(-1, 0));  // B, the current device
  EXPECT_EQ(geraeteZustand().AktuellesMessgeraet, QStringLiteral("B neu"));
  ASSERT_EQ(menue.aufbauten.size(), 1u);
  EXPECT_EQ(menue.aufbauten[0], (QStringList{"B neu", "D"}));
  EXPECT_EQ(menue.klicks, std::vector<int16_t>{1});

  menue.editor = [](const QString&) { return pv::GeraeteMenue::Bearbeitet{}; };
  EXPECT_FALSE(auswahl.neu());
  EXPECT_EQ(menue.aufbauten.size(), 1u);
}

}  // namespace
