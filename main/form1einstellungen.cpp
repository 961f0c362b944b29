#include "form1einstellungen.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>

#include "acquisition/erfassungszustand.h"
#include "common/zahlen.h"
#include "main/zahlenfeld.h"
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

void einstellungenSammeln(const Form1& f, Einstellungen& e, QChar) {
  e.ComPortNummer = f.ComPortNummer();
  e.Messbereich = erfassungsmodul().Messbereich;
  // The waiting time in force is e.Wartezeit itself; the factor boxes keep
  // their text as last taken over, not an entry still being typed.
  e.TextM = festerText(f.TextM);
  e.TextT = festerText(f.TextT);
  e.Messwertverarbeitung = std::max<int16_t>(f.Messwertverarbeitung(), 1);
  e.TextMessBezeichnung = f.TextMessBezeichnung->text();
  e.TextPhysGr = f.TextPhysGr->text();
  e.TextZeichen = f.TextZeichen->text();
  e.TextEinheit = f.TextEinheit->text();
  e.OptionalerFrame = static_cast<int16_t>(f.FrameOptional->currentIndex());
  e.DisplayanzeigeAuswahl = f.OptionWert1->isChecked() ? 1 : 0;
}

}  // namespace pv
