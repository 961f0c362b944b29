#include "sensorwahl.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "common/fehlerbehandlung.h"
#include "common/programmordner.h"
#include "devices/formmessfuehler.h"
#include "devices/sensordatei.h"
#include "main/form1.h"
#include "main/hauptzustand.h"

namespace pv {

Sensorwahl::Sensorwahl(Form1& form) : f_(form) {
  editorZeigen = [this](const QString& labelFuehler) {
    FormMessfuehler fenster(labelFuehler, hauptmodul().Dezimaltrennzeichen, &f_);
    fenster.exec();
    return fenster.uebernommen();
  };
  QObject::connect(f_.OptionFuehler, &QRadioButton::toggled, &f_, [this](bool gewaehlt) {
    if (gewaehlt && !uebernehmen_) OptionFuehler_Click();
  });
  QObject::connect(f_.CommandMessfuehlerAendern, &QPushButton::clicked, &f_,
                   [this] { CommandMessfuehlerAendern_Click(); });
}

void Sensorwahl::OptionFuehler_Click() {
  uebergehen([&] {
    std::optional<QString> geladen;
    const QString ergebnis = SensorDateiLaden(Programmordner::datei(sensorZustand().Sensordatei),
                                              hauptmodul().Dezimaltrennzeichen, &geladen);
    // The label names the characteristic in force, even by an empty name.
    if (geladen) f_.LabelFuehler->setText(*geladen);
    if (ergebnis == QStringLiteral("FEHLER")) CommandMessfuehlerAendern_Click();
  });
}

void Sensorwahl::CommandMessfuehlerAendern_Click() {
  if (!editorZeigen(f_.LabelFuehler->text())) return;
  f_.LabelFuehler->setText(sensorZustand().Sensorname);
  uebernehmen_ = true;
  f_.OptionFuehler->setChecked(true);
  uebernehmen_ = false;
}

}  // namespace pv
