// The device list window: moves between the lists, deleting, OK and
// Abbrechen.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QListWidget>
#include <QPushButton>

#include "devices/geraeteliste.h"
#include "geraetetabelle_testhilfe.h"

namespace {

using pv::geraeteZustand;
using pvtest::FakeGeraeteMenue;

QStringList eintraege(const QListWidget* liste) {
  QStringList t;
  for (int i = 0; i < liste->count(); ++i) t << liste->item(i)->text();
  return t;
}

void waehle(QListWidget* liste, const QString& text) {
  const auto treffer = liste->findItems(text, Qt::MatchExactly);
  ASSERT_EQ(treffer.size(), 1) << text.toStdString();
  treffer.first()->setSelected(true);
}

// Three devices: A and C outside the menu, B (the current one) in it.
class GeraeteListeFenster : public ::testing::Test {
 protected:
  void SetUp() override {
    ordner.geraet(QStringLiteral("a.ger"), QStringLiteral("A"), QStringLiteral("0"));
    ordner.geraet(QStringLiteral("b.ger"), QStringLiteral("B"), QStringLiteral("1"));
    ordner.geraet(QStringLiteral("c.ger"), QStringLiteral("C"), QStringLiteral("0"));
    geraeteZustand().AktuellesMessgeraet = QStringLiteral("B");
    fenster = std::make_unique<pv::frmGeraeteListe>(menue, QChar(u','));
  }
  QByteArray dateien() const {
    return ordner.lies(QStringLiteral("a.ger")) + ordner.lies(QStringLiteral("b.ger")) +
           ordner.lies(QStringLiteral("c.ger"));
  }

  pvtest::Geraeteordner ordner;
  FakeGeraeteMenue menue;
  std::unique_ptr<pv::frmGeraeteListe> fenster;
};

TEST_F(GeraeteListeFenster, MovesBetweenTheListsAndOkWritesThem) {
  EXPECT_EQ(eintraege(fenster->lstAll), (QStringList{"A", "C"}));
  EXPECT_EQ(eintraege(fenster->lstMenu), QStringList{"B"});

  fenster->cmdNachMenue->click();  // no selection: nothing happens
  EXPECT_EQ(eintraege(fenster->lstMenu), QStringList{"B"});

  waehle(fenster->lstAll, QStringLiteral("C"));
  fenster->cmdNachMenue->click();
  EXPECT_EQ(eintraege(fenster->lstAll), QStringList{"A"});
  EXPECT_EQ(eintraege(fenster->lstMenu), (QStringList{"B", "C"}));
  EXPECT_EQ(ordner.wert(QStringLiteral("c.ger"), QStringLiteral("Menü")), QStringLiteral("0"))
      << "moves write nothing";

  waehle(fenster->lstAll, QStringLiteral("A"));
  fenster->cmdNachMenue->click();
  waehle(fenster->lstMenu, QStringLiteral("A"));
  fenster->cmdAusMenue->click();
  EXPECT_EQ(eintraege(fenster->lstAll), QStringList{"A"});
  EXPECT_EQ(eintraege(fenster->lstMenu), (QStringList{"B", "C"}));

  fenster->cmdOK->click();
  EXPECT_EQ(fenster->result(), QDialog::Accepted);
  EXPECT_EQ(ordner.wert(QStringLiteral("c.ger"), QStringLiteral("Menü")), QStringLiteral("1"));
  EXPECT_EQ(ordner.wert(QStringLiteral("a.ger"), QStringLiteral("Menü")), QStringLiteral("0"));
  ASSERT_EQ(menue.aufbauten.size(), 1u);
  EXPECT_EQ(menue.aufbauten[0], (QStringList{"B", "C"}));
  EXPECT_EQ(menue.klicks, std::vector<int16_t>{1});
  EXPECT_TRUE(ordner.meldungen.boxen.empty());
}

TEST_F(GeraeteListeFenster, CurrentDeviceStaysInTheMenu) {
  waehle(fenster->lstMenu, QStringLiteral("B"));
  fenster->cmdAusMenue->click();
  EXPECT_EQ(eintraege(fenster->lstMenu), QStringList{"B"});
  EXPECT_EQ(eintraege(fenster->lstAll), (QStringList{"A", "C"}));

  fenster->cmdLoeschen->click();
  EXPECT_TRUE(QFileInfo::exists(ordner.pfad(QStringLiteral("b.ger"))));
  EXPECT_EQ(ordner.texte(),
            (QStringList{QStringLiteral("Das im Menü aktuell ausgewählte Messgerät kann nicht verschoben werden!"),
                         QStringLiteral("Das aktuell im Menü 'Messgerät' ausgewählte Gerät \r\n"
                                        "kann nicht gelöscht werden!")}));
}

TEST_F(GeraeteListeFenster, AbbrechenWritesNothing) {
  const QByteArray vorher = dateien();
  waehle(fenster->lstAll, QStringLiteral("A"));
  fenster->cmdNachMenue->click();
  fenster->cmdAbbrechen->click();
  EXPECT_EQ(fenster->result(), QDialog::Rejected);
  EXPECT_EQ(dateien(), vorher);
  EXPECT_TRUE(menue.aufbauten.empty());
  EXPECT_EQ(geraeteZustand().AktuellesMessgeraet, QStringLiteral("B"));
}

TEST_F(GeraeteListeFenster, FocusingOneListDeselectsTheOther) {
  waehle(fenster->lstAll, QStringLiteral("A"));
  QFocusEvent fokus(QEvent::FocusIn);
  QCoreApplication::sendEvent(fenster->lstMenu, &fokus);
  EXPECT_TRUE(fenster->lstAll->selectedItems().isEmpty());

  waehle(fenster->lstMenu, QStringLiteral("B"));
  QCoreApplication::sendEvent(fenster->lstAll, &fokus);
  EXPECT_TRUE(fenster->lstMenu->selectedItems().isEmpty());
}

TEST_F(GeraeteListeFenster, LoeschenAsksAndYesDeletesAndRescans) {
  // Nothing selected.
  fenster->cmdLoeschen->click();
  ASSERT_EQ(ordner.texte(), QStringList{QStringLiteral("Es wurde kein Gerät ausgewählt!")});

  // No keeps the file (No is also the box's default).
  waehle(fenster->lstAll, QStringLiteral("A"));
  fenster->cmdLoeschen->click();
  ASSERT_EQ(ordner.meldungen.boxen.size(), 2u);
  const auto& frage = ordner.meldungen.boxen[1];
  EXPECT_EQ(frage.text, QStringLiteral("Sind Sie sicher, dass Sie folgendes Messgerät löschen wollen?\r\n"
                                       "Messgerät: A\r\nDateiname: ") +
                            ordner.pfad(QStringLiteral("a.ger")));
  EXPECT_EQ(frage.titel, QStringLiteral("Löschen bestätigen"));
  EXPECT_EQ(frage.knoepfe, pv::Knoepfe::JaNein);
  EXPECT_EQ(frage.symbol, pv::Symbol::Kritisch);
  EXPECT_EQ(frage.standard, pv::Antwort::Nein);
  EXPECT_TRUE(QFileInfo::exists(ordner.pfad(QStringLiteral("a.ger"))));

  // An unconfirmed move is undone by the rescan that follows a deletion.
  waehle(fenster->lstAll, QStringLiteral("C"));
  fenster->cmdNachMenue->click();
  waehle(fenster->lstAll, QStringLiteral("A"));
  ordner.meldungen.antworten.push_back(pv::Antwort::Ja);
  fenster->cmdLoeschen->click();
  EXPECT_FALSE(QFileInfo::exists(ordner.pfad(QStringLiteral("a.ger"))));
  EXPECT_EQ(eintraege(fenster->lstAll), QStringList{"C"});
  EXPECT_EQ(eintraege(fenster->lstMenu), QStringList{"B"});
  EXPECT_EQ(ordner.tabellenNamen(), (QStringList{"B", "C"}));
  ASSERT_EQ(menue.aufbauten.size(), 1u);
  EXPECT_EQ(menue.aufbauten[0], QStringList{"B"});
  EXPECT_EQ(menue.klicks, std::vector<int16_t>{1});
}

TEST_F(GeraeteListeFenster, LoeschenOfAVanishedFileIsRefused) {
  QFile::remove(ordner.pfad(QStringLiteral("c.ger")));
  waehle(fenster->lstAll, QStringLiteral("C"));
  fenster->cmdLoeschen->click();
  EXPECT_EQ(ordner.texte(), QStringList{QStringLiteral("Die Gerätedatei wurde nicht gefunden.\r\n"
                                                       "Das Gerät kann nicht gelöscht werden!")});
  EXPECT_EQ(eintraege(fenster->lstAll), (QStringList{"A", "C"}));
}

}  // namespace
