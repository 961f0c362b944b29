#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "acquisition/erfassungszustand.h"
#include "acquisition/normdatensatz.h"

namespace pv {

struct Ansichten;

// Evaluation of one received record: the record (one byte per character,
// Windows-1252) becomes a value with its units, scaled by the order of
// magnitude, processed, tested against the limits and prepared for the main
// window, the graph window, the large display and the level bar.
//
// The evaluation itself touches no window: Auswertung::auswerten computes an
// Auswertungsergebnis, and ergebnisAnzeigen applies it to the windows in the
// order the user sees the effects. The field positions, the record's
// characters and the decimal position are held per evaluation, so an
// evaluation nested inside another (events run during the data-line
// animation) cannot change them for the outer one.

// --- Texts of the status line ---

inline const QString kDatenWerdenEmpfangen = QStringLiteral("Daten werden empfangen");
inline const QString kDatensatzNichtAuswertbar = QStringLiteral("!! Datensatz nicht auswertbar !!");
inline const QString kDatensatzlaengeFalsch = QStringLiteral("!! Datensatzlänge nicht korrekt !!");
inline const QString kAbschlusszeichenFalsch =
    QStringLiteral("!! Datensatzabschlusszeichen nicht korrekt !!");
inline const QString kKeinAuswertbarerMesswert =
    QStringLiteral("!!! ACHTUNG kein auswertbarer Messwert !!!");
inline const QString kSensorUnterschritten = QStringLiteral("!! Sensor-Messbereich unterschritten !!");
inline const QString kSensorUeberschritten = QStringLiteral("!! Sensor-Messbereich überschritten !!");
inline const QString kSensorNichtAuswertbar = QStringLiteral("!! Sensor nicht auswertbar !!");
inline const QString kWertebereichUnterschritten =
    QStringLiteral("!! Zulässiger Wertebereich unterschritten !!");
inline const QString kWertebereichUeberschritten =
    QStringLiteral("!! Zulässiger Wertebereich überschritten !!");
// "!!! Fehler (" + number + ") in der Datenverarbeitung !!!"
QString verarbeitungsfehlerText(int nummer);

inline const QString kKeinWert = QStringLiteral("## ??? ##");
inline const QString kUnterMinimum = QStringLiteral("<< low <<");
inline const QString kUeberMaximum = QStringLiteral(">> high >>");
inline const QString kPegelAchtung = QStringLiteral("!!! Achtung !!!");

// --- Record layout ---


// "0".."9", "," and ".".
bool IstZahlzeichen(char c);

// A record rebuilt by the automatic format recognition.
struct ZerlegterDatensatz {
  QByteArray datensatz;  // "FEHLER" when the record cannot be rebuilt
  Datensatzlayout layout;
};

// Automatic format recognition for devices without field positions: the
// text before the number becomes unit 1, the number (a "-" before it is its
// sign) the value, the text after it unit 2, each without blanks around; a
// CR or LF ends the record. The result is the three joined and followed by
// the terminator character, with the layout that describes it. A record
// longer than 32767 characters gives "FEHLER".
ZerlegterDatensatz DatensatzZerlegen(QByteArrayView datensatz, int16_t lzAscii);

// The range button a record asks for (0..7), or none while range
// recognition is off. einheit1/einheit2 are the unit texts; positionsZeichen
// is the record's character at the recognition position (a character of the
// value field with the system's decimal separator), a null QChar when the
// position lies outside the record. The range character is compared with
// the device's range characters exactly; an empty or blank one means
// Standard (6), as does one that matches none (an APPA107 device's "G":
// Giga, 7).
std::optional<int16_t> MessbereichErkennen(const Erfassungszustand& geraet, const QString& einheit1,
                                           const QString& einheit2, QChar positionsZeichen);

// The full-scale base of a device kind; none for an unknown kind.
std::optional<double> skalaBasis(const Erfassungszustand& geraet);

// --- Inputs ---

// The processing option of the frame "Messwertverarbeitung".
enum class Messwertverarbeitung : int16_t {
  Keine = 0,       // none chosen: the processed value is 0
  Messgeraet = 1,  // device value x factor
  Linear = 2,      // device value x factor x m + t
  Sensor = 3,      // device value x factor through the sensor characteristic
};

// The settings and window choices one evaluation reads.
struct Auswertungseinstellungen {
  QChar Dezimaltrennzeichen = u',';
  Messwertverarbeitung Verarbeitung = Messwertverarbeitung::Messgeraet;
  float LinearM = 1;
  float LinearT = 0;
  int16_t CheckMinON = 0;  // 1 = the lower limit is on
  float CheckMin = 0;
  int16_t CheckMaxON = 0;  // 1 = the upper limit is on
  float CheckMax = 0;
  int16_t TimeOutON = 0;   // 1 = the no-data watchdog is on
  bool DatenlinieAnimation = false;
  int16_t BarGraphAktiviert = 0;  // 0 off, 1 bar, 2 bar with value / full scale, 3 with percent
  int16_t YZahlenformatnummer = 0;
  int16_t YNachkommastellen = 0;
  bool AnzeigeMessgeraet = false;  // main window shows the instrument's value ("Messgerät")
  QString Einheit;                 // the unit box of the measurement
};

// --- Result ---

enum class Auswertungsausgang {
  Leer,                // empty record: nothing changes on screen
  Abgewiesen,          // "FEHLER", wrong length or terminator: status text only
  Verarbeitungsfehler, // a run-time error: status text and the value label
  KeinMesswert,        // the value does not convert: failure display
  Sensorfehler,        // the sensor characteristic gave no value
  Messwert,            // a value: shown, level bar, stored while recording
};

struct Anzeigetexte {
  QString wert;
  QString einheit1;
  QString einheit2;

  bool operator==(const Anzeigetexte&) const = default;
};

// The level bar after a record.
struct Pegelanzeige {
  enum class Art {
    Unveraendert,   // keep the drawing and the label
    Zeigen,         // draw the level (when it changed) and write the label
    Zuruecksetzen,  // draw 0 unless the bar stands at 0; empty the label
    Achtung,        // draw a full bar and label it "!!! Achtung !!!"
  };
  Art art = Art::Unveraendert;
  int16_t modus = 0;        // BarGraphAktiviert
  float pegel = 0;          // |device value / full scale x 100|
  float geraetewert = 0;
  float skalaMaximum = 0;
  QChar dezimal = u',';

  // The value drawn: the level, at most 100.
  float zeichenwert() const;
  // The level as text: a bar whose last drawing left another text is drawn
  // anew.
  QString pegelText() const;
  // The label beside the bar.
  QString beschriftung() const;
};

struct Auswertungsergebnis {
  Auswertungsausgang ausgang = Auswertungsausgang::Leer;
  // The record passed its checks: the status line shows "Daten werden
  // empfangen" and the indicators run.
  bool angenommen = false;
  bool wachhundNeuStarten = false;   // device sends by itself and the watchdog is on
  bool datenlinieAnimieren = false;
  // The status text written after the acceptance (or instead of it for a
  // rejected record); empty when none.
  QString meldung;
  int fehlernummer = 0;  // Verarbeitungsfehler
  // The range button the record switched to, when it changed.
  std::optional<int16_t> messbereich;

  // For the debug line: the record as rewritten (automatic format or model
  // decoder), whether the fields were cut, the cut texts and the device value.
  std::optional<QByteArray> umgeschrieben;
  Datensatzlayout layout;
  // A built-in model decoder read the record; `layout` is its record's.
  bool modelldecoder = false;
  bool felderGeschnitten = false;
  QString einheit1;
  QString einheit2;
  QString messwertText;  // sign and value field, after the decimal swap
  std::optional<float> geraetewert;

  float verarbeitet = 0;  // processed value
  QString anzeigetext;    // the processed value as shown
  QString vorsatz;        // unit prefix shown before the unit box's text
  QString einheit;        // the unit box's text
  bool anzeigeMessgeraet = false;

  Pegelanzeige pegel;

  // The value goes to the storing step while a recording stores values.
  bool speicherbar() const { return ausgang == Auswertungsausgang::Messwert; }
  // The evaluation ends with the debug line (when not stored).
  bool debugZeile() const;
  // The debug line's middle pieces, as far as the evaluation came: the
  // record as rewritten, the cut fields, the device value.
  QString debugMitte(QChar dezimaltrennzeichen) const;
  // What the status line shows at the end; empty = unchanged.
  QString statustext() const;
  // The instrument's view, the processed view, and the main window's choice.
  Anzeigetexte geraeteanzeige() const;
  Anzeigetexte verarbeitetAnzeige() const;
  Anzeigetexte hauptanzeige() const;
};

// --- The evaluator ---

// Evaluates records: a device with the automatic format has them decoded by
// its built-in model (modelle.h) or rewritten by the automatic format
// recognition first.
class Auswertung {
 public:
  // The sensor characteristic: a value text (system decimal separator) or
  // "OutOfRange_Low", "OutOfRange_High", "FEHLER". Empty: none loaded, every
  // value fails as "FEHLER".
  std::function<QString(float wert)> sensor;

  // Full scale of the level bar; 0 until the first value converted.
  float SkalaMaximum = 0;

  // Evaluates one record. May switch the range of `modul` (Messbereich,
  // Faktor) by range recognition and updates SkalaMaximum.
  Auswertungsergebnis auswerten(const QByteArray& datensatz, const Erfassungszustand& geraet,
                                Erfassungsmodul& modul, const Auswertungseinstellungen& einstellungen);
};

// --- Applying the result ---

// What the evaluation needs of the main window.
class Messwertanzeige {
 public:
  virtual ~Messwertanzeige() = default;
  // Status line; it clears itself 3 seconds after its last change.
  virtual void StatusSetzen(const QString& text) = 0;
  // A record was accepted: the instrument LED lights (and goes out 300 ms
  // after the last record), the no-data watchdog restarts when asked, the
  // data-line animation runs when asked.
  virtual void DatensatzAngenommen(bool wachhundNeuStarten, bool datenlinieAnimieren) = 0;
  // A range button chosen by the recognition (the window's button handler:
  // bold button and label; factor and index are already set).
  virtual void MessbereichAnzeigen(int16_t index) = 0;
  virtual void MesswertAnzeigen(const QString& wert, const QString& einheit1, const QString& einheit2) = 0;
  // Only the value label (after a run-time error).
  virtual void MesswerttextSetzen(const QString& wert) = 0;
  // Level bar: the text its last drawing left, drawing a level, its label.
  virtual QString PegelTag() const = 0;
  virtual void PegelZeigen(float wert) = 0;
  virtual QString PegelBeschriftung() const = 0;
  virtual void PegelBeschriftungSetzen(const QString& text) = 0;
};

// Applies a result: status line and indicators, the range buttons, the
// value labels of the main window, of the open graph window and of the open
// large display, and the level bar. The storing step and the debug line are
// the caller's: speicherbar() and debugZeile() say which.
void ergebnisAnzeigen(const Auswertungsergebnis& ergebnis, Messwertanzeige& fenster, const Ansichten& ansichten);

}  // namespace pv
