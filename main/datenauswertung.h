#pragma once

#include <QByteArray>
#include <functional>

#include "acquisition/auswertung.h"
#include "acquisition/speichern.h"

namespace pv {

class Aufnahme;
class Form1;
class Verbindung;

// Every received record ends here: it is evaluated, the result is shown on
// the main window and the open views, the value is stored while a
// recording stores values, and the debug line is written while debugging.
class Datenauswertung : public Messwertanzeige {
 public:
  Datenauswertung(Form1& form, Verbindung& verbindung, Aufnahme& aufnahme);

  void DatensatzAuswerten(const QByteArray& datensatz);

  // The evaluator, with the model decoders and the sensor characteristic.
  Auswertung auswertung;

  // What one evaluation reads of the settings and the main window.
  Auswertungseinstellungen einstellungen() const;
  Speichereinstellungen speichereinstellungen() const;
  // Fills the graph's range and look into the storing step's settings; set
  // by the views, which own the graph's settings.
  std::function<void(Speichereinstellungen&)> grafikWerte;

  // Messwertanzeige on the main window.
  void StatusSetzen(const QString& text) override;
  void DatensatzAngenommen(bool wachhundNeuStarten, bool datenlinieAnimieren) override;
  void MessbereichAnzeigen(int16_t index) override;
  void MesswertAnzeigen(const QString& wert, const QString& einheit1, const QString& einheit2) override;
  void MesswerttextSetzen(const QString& wert) override;
  QString PegelTag() const override;
  void PegelZeigen(float wert) override;
  QString PegelBeschriftung() const override;
  void PegelBeschriftungSetzen(const QString& text) override;

 private:
  Form1& f_;
  Verbindung& verbindung_;
  Aufnahme& aufnahme_;
};

}  // namespace pv
