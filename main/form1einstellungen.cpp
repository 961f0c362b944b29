#include "form1einstellungen.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>

#include "acquisition/erfassungszustand.h"
#include "common/zahlen.h"
#include "main/form1.h"

namespace pv {

void einstellungenAnwenden(Form1& f, const Einstellungen& e, QChar dezimal) {
  f.LetzteDateienZeigen(e.LetzteDateien);
  f.TextAufzPause->setText(singleText(e.Wartezeit, dezimal));
  f.CommandMB_Click(e.Messbereich);
  f.TextM->setText(e.TextM);
  f.TextT->setText(e.TextT);
  f.LabelFuehler->setText(e.Sensorname);
  switch (e.Messwertverarbeitung) {
    case 2: f.OptionLinear->setChecked(true); break;
    case 3: f.OptionFuehler->setChecked(true); break;
    default: f.OptionMWMessgeraet->setChecked(true); break;
  }
  f.TextMessBezeichnung->setText(e.TextMessBezeichnung);
  f.TextPhysGr->setText(e.TextPhysGr);
  f.TextZeichen->setText(e.TextZeichen);
  f.TextEinheit->setText(e.TextEinheit);
  f.FrameOptional->setCurrentIndex(e.OptionalerFrame == 1 ? 1 : 0);
  (e.DisplayanzeigeAuswahl == 1 ? f.OptionWert1 : f.OptionWert2)->setChecked(true);
}

void einstellungenSammeln(const Form1& f, Einstellungen& e, QChar dezimal) {
  e.ComPortNummer = f.ComPortNummer();
  e.Messbereich = erfassungsmodul().Messbereich;
  // The waiting time box holds what the user typed; an entry that is not
  // an allowed number keeps the value in force.
  if (const auto w = zahlLesen(f.TextAufzPause->text(), dezimal); w && *w >= 0 && *w <= 86400) {
    e.Wartezeit = static_cast<float>(*w);
  }
  e.TextM = f.TextM->text();
  e.TextT = f.TextT->text();
  e.Messwertverarbeitung = std::max<int16_t>(f.Messwertverarbeitung(), 1);
  e.TextMessBezeichnung = f.TextMessBezeichnung->text();
  e.TextPhysGr = f.TextPhysGr->text();
  e.TextZeichen = f.TextZeichen->text();
  e.TextEinheit = f.TextEinheit->text();
  e.OptionalerFrame = static_cast<int16_t>(f.FrameOptional->currentIndex());
  e.DisplayanzeigeAuswahl = f.OptionWert1->isChecked() ? 1 : 0;
}

}  // namespace pv
