#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace pv {

// A sensor characteristic: value pairs through which the instrument's value
// is evaluated by interpolation. X and Y are 1-based (element 0 unused) and
// hold exactly Anzahl pairs after every read or copy; empty vectors mean the
// characteristic was never filled.
struct Kennlinie {
  int16_t Anzahl = 0;
  std::vector<float> X;
  std::vector<float> Y;
  QString XAchse;
  QString YAchse;
};

// The sensor state of the whole run: the characteristic the sensor editor
// shows (Fuehler), the active one the interpolation uses (Sensor), the
// designation last read, saved or loaded, and the file name (without folder)
// of the active characteristic's file. Sensorname and Sensordatei are kept
// in the settings file.
struct SensorZustand {
  Kennlinie Fuehler;
  Kennlinie Sensor;
  QString Sensorname;
  QString Sensordatei;
};
SensorZustand& sensorZustand();

// The first line of every sensor file.
inline const QString kSensorKopf = QStringLiteral("[Pelvaron Sensordatei]");
// The most pairs a file may hold.
inline constexpr int kSensorMaxPaare = 32767;

// What a sensor file holds, as far as it could be read. Lines 1 to 3 are
// comma-delimited fields (a quoted field runs to the next quote, blanks
// before a field are skipped, a TAB and blanks after it are kept), so a
// designation or label with a comma or a double quote, or a designation or
// x label that begins with a blank, does not read back as written; the
// editor refuses such texts. Every line after the third is one pair: x, TAB,
// y, numbers with either decimal mark.
struct SensordateiInhalt {
  enum class Stand {
    Gelesen,     // the whole file was read
    Fehler,      // a field, the label line or a pair line was missing or bad
  };
  Stand stand = Stand::Fehler;
  std::optional<QString> kopf;         // field 1
  std::optional<QString> bezeichnung;  // field 2
  bool achsenGelesen = false;          // field 3 split at its TAB
  QString xAchse;
  QString yAchse;
  std::vector<float> x{0.0f};  // 1-based; the pairs read before a failure
  std::vector<float> y{0.0f};
  QString fehler;              // why the read failed

  bool gelesen() const { return stand == Stand::Gelesen; }
  int paare() const { return static_cast<int>(x.size()) - 1; }
  // The header test of the readers: the first 22 characters of field 1 (the
  // list of the editor asks for the exact text instead).
  bool kopfPasst() const { return kopf && kopf->left(kSensorKopf.size()) == kSensorKopf; }
  bool kopfGenau() const { return kopf && *kopf == kSensorKopf; }
};

// Reads the bytes of a sensor file (Windows-1252). Stops at the first
// failure, keeping what was read before it.
SensordateiInhalt sensordateiLesen(const QByteArray& bytes, QChar dezimaltrennzeichen);
// Only the header and the designation (the editor's list).
SensordateiInhalt sensordateiKopfLesen(const QByteArray& bytes);

// The text of a sensor file: header, designation, labels, then one line per
// pair, every line ended by CR LF. Each cell text is turned into a
// single-precision number and written back in its standard text, so "1,50"
// becomes "1,5" and "1E3" becomes "1000". Empty when a cell is no number or
// lies beyond single precision, or when a text holds a character that
// Windows-1252 cannot hold.
struct SensorZellen {
  QString x;
  QString y;
};
std::optional<QByteArray> sensordateiText(const QString& bezeichnung, const QString& xAchse, const QString& yAchse,
                                          const std::vector<SensorZellen>& paare, QChar dezimaltrennzeichen);

// Loads a sensor file into the active characteristic (the editing arrays and
// labels serve as the reading buffer). Returns the empty text when the file
// was loaded or holds no pair (then nothing but the editing labels
// changes), "UNGÜLTIGE DATEI" when its first line is no sensor header and
// "FEHLER" after any other failure; the active characteristic and
// Sensorname change only after a read with at least one pair. `geladen`
// receives the designation then, an empty one included; it stays without a
// value when nothing became active.
QString SensorDateiLaden(const QString& datei, QChar dezimaltrennzeichen,
                         std::optional<QString>* geladen = nullptr);

// A single-precision number from a cell or file text; empty when the text is
// no number or lies beyond single precision.
std::optional<float> sensorZahl(const QString& text, QChar dezimaltrennzeichen);

}  // namespace pv
