// The main window's menu bar: building the menus and keeping the items
// that change at run time (COM port, device list, recent files).
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "acquisition/comports.h"
#include "acquisition/seriellerport.h"
#include "common/allgemein.h"
#include "common/meldungen.h"
#include "common/tolvek.h"
#include "main/form1.h"

namespace pv {

void Form1::menuesAnlegen() {
  QMenuBar* leiste = menuBar();

  QMenu* datei = MDatei_ = leiste->addMenu(QStringLiteral("&Datei"));
  MMesOeff = datei->addAction(QStringLiteral("&Öffnen"));
  MSpeichern = datei->addAction(QStringLiteral("&Speichern"));
  MMesSpUn = datei->addAction(QStringLiteral("Speichern &unter..."));
  MExport = datei->addAction(QStringLiteral("E&xportieren..."));
  MLetzte4Trenner_ = datei->addSeparator();
  MLetzte4Trenner_->setVisible(false);
  MEnde = datei->addAction(QStringLiteral("&Ende"));
  connect(MEnde, &QAction::triggered, this, [this] { ProgrammBeenden(); });
  // Enabled by the file menu's handlers when they are attached.
  for (QAction* a : {MMesOeff, MSpeichern, MMesSpUn, MExport}) a->setEnabled(false);

  MGeraet = leiste->addMenu(QStringLiteral("&Messgerät"));
  mnuMessgeraete_.append(nullptr);
  mnuMessgeraeteTrenner_ = MGeraet->addSeparator();
  MGerHinLoe = MGeraet->addAction(QStringLiteral("Gerät &hinzufügen/bearbeiten/entfernen"));
  connect(MGerHinLoe, &QAction::triggered, this, [this] {
    if (geraetelisteOeffnen) geraetelisteOeffnen();
  });

  QMenu* ansicht = leiste->addMenu(QStringLiteral("&Ansicht"));
  MDSPL = ansicht->addAction(QStringLiteral("&Display"));
  MTabelle = ansicht->addAction(QStringLiteral("&Tabelle"));
  MGrafik = ansicht->addAction(QStringLiteral("&Grafik"));
  // Enabled by the windows attached to the menu; the large display is not
  // built yet.
  for (QAction* a : {MDSPL, MTabelle, MGrafik}) a->setEnabled(false);
  MLineDebug = ansicht->addSeparator();
  MDebugDateiAnzeigen = ansicht->addAction(QStringLiteral("Debug-Datei anzeigen"));
  MDebugGeraetedatenAnzeigen = ansicht->addAction(QStringLiteral("Gerätedaten anzeigen"));
  for (QAction* a : {MLineDebug, MDebugDateiAnzeigen, MDebugGeraetedatenAnzeigen}) a->setVisible(false);

  MEinstell = leiste->addMenu(QStringLiteral("&Einstellungen"));
  MMessung = MEinstell->addAction(QStringLiteral("&Messung..."));
  MMessgeraet = MEinstell->addAction(QStringLiteral("M&essgerät..."));
  connect(MMessgeraet, &QAction::triggered, this, [this] {
    if (messgeraetBearbeiten) messgeraetBearbeiten();
  });
  MComport = MEinstell->addMenu(QStringLiteral("&COM-Port"));
  auto* comGruppe = new QActionGroup(this);
  for (int16_t i = 1; i <= 10; ++i) {
    // Each item names the system port the number stands for.
    MCom[i] = MComport->addAction(QStringLiteral("COM %1\t%2").arg(i).arg(comPortPfad(i)));
    MCom[i]->setCheckable(true);
    comGruppe->addAction(MCom[i]);
    connect(MCom[i], &QAction::triggered, this, [this, i] { MCom_Click(i); });
  }
  MOptionen = MEinstell->addAction(QStringLiteral("&Optionen..."));
  MAnimation = MEinstell->addAction(QStringLiteral("&Animation"));
  MAnimation->setCheckable(true);
  MToolTipps = MEinstell->addAction(QStringLiteral("&ToolTipps"));
  MToolTipps->setCheckable(true);
  // Enabled by the handlers attached to them: the main window's own
  // (measurement settings, animation, tool tips) and the options dialog's.
  for (QAction* a : {MMessung, MOptionen, MAnimation, MToolTipps}) a->setEnabled(false);

  QMenu* hilfe = leiste->addMenu(QStringLiteral("&?"));
  MHilfe = hilfe->addAction(QStringLiteral("Hilfe..."));
  MWhatsThis = hilfe->addAction(QStringLiteral("Hilfe zu..."));
  MInfo = hilfe->addAction(QStringLiteral("&Info..."));
  connect(MHilfe, &QAction::triggered, this, [] { Tolvek::HilfeAnzeigen(0); });
  connect(MWhatsThis, &QAction::triggered, this, [] { Tolvek::HilfeAnzeigen(100); });
  MInfo->setEnabled(false);
}

void Form1::MCom_Click(int16_t index) {
  if (index < 1 || index > 10) return;
  if (MSComm1->PortOpen()) {
    Tolvek::meldungen().hinweis(QStringLiteral("Die gewählte Schnittstelle ist momentan geöffnet. \r\n"
                                               "Beenden Sie zuerst die Verbindung."));
    MCom[MSComm1->CommPort()]->setChecked(true);
    return;
  }
  MSComm1->setCommPort(index);
  for (int16_t i = 1; i <= 10; ++i) MCom[i]->setChecked(i == index);
}

int16_t Form1::ComPortNummer() const { return MSComm1->CommPort(); }

void Form1::mnuMessgeraeteNeuAufbauen(const QStringList& namen) {
  // Later: the rebuild may run inside the click of one of these items.
  for (qsizetype i = 1; i < mnuMessgeraete_.size(); ++i) {
    MGeraet->removeAction(mnuMessgeraete_[i]);
    mnuMessgeraete_[i]->deleteLater();
  }
  mnuMessgeraete_.resize(1);
  mnuHaken_ = -1;
  for (qsizetype i = 0; i < namen.size(); ++i) {
    auto* eintrag = new QAction(namen[i], MGeraet);
    eintrag->setCheckable(true);
    const auto index = static_cast<int16_t>(i + 1);
    connect(eintrag, &QAction::triggered, this, [this, index] {
      // The click toggled the item; only a successful selection ticks it.
      mnuMessgeraeteHaken(mnuHaken_);
      if (geraetGewaehlt) geraetGewaehlt(index);
    });
    MGeraet->insertAction(mnuMessgeraeteTrenner_, eintrag);
    mnuMessgeraete_.append(eintrag);
  }
}

QStringList Form1::mnuMessgeraeteNamen() const {
  QStringList namen;
  for (qsizetype i = 1; i < mnuMessgeraete_.size(); ++i) namen << mnuMessgeraete_[i]->text();
  return namen;
}

void Form1::mnuMessgeraeteHaken(int16_t index) {
  mnuHaken_ = index;
  for (qsizetype i = 1; i < mnuMessgeraete_.size(); ++i) mnuMessgeraete_[i]->setChecked(i == index);
}

void Form1::mnuMessgeraeteBeschriftung(int16_t index, const QString& name) {
  if (index >= 1 && index < mnuMessgeraete_.size()) mnuMessgeraete_[index]->setText(name);
}

void Form1::LetzteDateienZeigen(const QStringList& beschriftungen) {
  // An entry may be rebuilding the list from its own click: let it finish.
  for (QAction* alt : MLetzte4_) {
    MDatei_->removeAction(alt);
    alt->deleteLater();
  }
  MLetzte4_.clear();
  for (const QString& beschriftung : beschriftungen) {
    auto* eintrag = new QAction(beschriftung, MDatei_);
    const int index = static_cast<int>(MLetzte4_.size()) + 1;
    connect(eintrag, &QAction::triggered, this, [this, index] {
      if (letzteDateiGewaehlt) letzteDateiGewaehlt(index);
    });
    MDatei_->insertAction(MLetzte4Trenner_, eintrag);
    MLetzte4_.append(eintrag);
  }
  MLetzte4Trenner_->setVisible(!beschriftungen.isEmpty());
}

}  // namespace pv
