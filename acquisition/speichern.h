#pragma once

#include <QDateTime>
#include <QString>
#include <array>
#include <functional>
#include <cstdint>

#include "acquisition/messdaten.h"

namespace pv {

struct Ansichten;

// The running recording's time base and the extents of the live graph.
// The start button sets them; storing values moves them on.
struct Aufzeichnungsstand {
  // The running clock at the start (uhren().laufzeitMs()). A value's time
  // is the time elapsed since then, so midnight, a pause over a day or a
  // wall clock that was set while recording cannot give a wrong or negative
  // time.
  int64_t StartMs = 0;
  float LetzteZwischenspeicherung = 0;  // time of the value at the last intermediate save
  float AutoXMax = 300;
  float AutoYMin = 0;
  float AutoYMax = 0;
  int16_t GrafikNeuZeichnen = 0;        // 1: draw the graph anew before the next point

  void starten(int64_t laufzeitMs, float xMaxStart);
  // Seconds since the start, single precision, for a reading of the
  // running clock.
  float vergangen(int64_t laufzeitMs) const;
};

// The settings the storing step reads.
struct Speichereinstellungen {
  bool MessendeAutomatisch = false;
  float Messdauer = 0;
  float Wartezeit = 0;
  bool ZwischenspeichernAutomatisch = false;
  float ZwischenspeichernZeit = 0;
  int16_t XZahlenformatnummer = 0;
  int16_t XNachkommastellen = 0;
  int16_t YZahlenformatnummer = 0;
  int16_t YNachkommastellen = 0;
  // Of the graph's settings: the range of the last drawing and the curve's look.
  float XMin = 0, XMax = 0, YMin = 0, YMax = 0;
  // The range of the last drawing as it is when the new point is drawn, so a
  // redraw this value caused counts; unset: the four fields above.
  std::function<std::array<float, 4>()> gezeichneterBereich;
  int16_t MesspunkteAnzeigen = 0;
  int16_t Messpunktgroesse = 0;
  int16_t MesswerteVerbunden = 1;
  int16_t Liniendicke = 1;
  uint32_t FarbeMesskurve = 0;
  QChar Dezimaltrennzeichen = u',';
};

// What the storing step needs of the recording control and the main window.
class Aufzeichnungsziel {
 public:
  virtual ~Aufzeichnungsziel() = default;
  virtual void StopButton_Click() = 0;
  // The intermediate save; true when the file was written.
  virtual bool ZwischenSpeichern() = 0;
  // Writes the measurement to the safety file "pvsave.tmp"; true when written.
  virtual bool Sicherheitsdatei() = 0;
  // "Die Messung ist beendet!", and which of the two saves at the end failed.
  virtual void MessungBeendetMelden(bool zwischenGespeichert, bool sicherheitGespeichert) = 0;
  virtual void MessungAbbrechen(const QString& grund, int nummer, const QString& text) = 0;
  virtual void AnzahlSetzen(const QString& text) = 0;   // LabelNumMW
  virtual QString EndeText() const = 0;                 // MesEndLabel
  virtual void EndeTextSetzen(const QString& text) = 0;
};

enum class Speicherausgang {
  Gespeichert,   // the value was appended
  Uebersprungen, // too early after the last value (waiting time)
  ZuDicht,       // the model's minimum spacing
  Beendet,       // the set duration has passed: the recording ended, value not stored
  Abgebrochen,   // the series could not grow: the recording was aborted
};

struct Speicherergebnis {
  Speicherausgang ausgang = Speicherausgang::Uebersprungen;
  // For the debug line of a stored value: "m:'..'\tx(m):'..'\ty(m):'..'\t".
  QString debugStueck;

  // The evaluation goes on to its debug line: not after the automatic end
  // or an aborted recording.
  bool debugZeile() const {
    return ausgang != Speicherausgang::Beendet && ausgang != Speicherausgang::Abgebrochen;
  }
};

// Stores one evaluated value of the running recording: the automatic end,
// the waiting time, the append, the intermediate save, the table row and
// the live graph. `laufzeitMs` is the running clock when the value came;
// `spezial` is the device's model tag.
Speicherergebnis WertSpeichern(float wert, int64_t laufzeitMs, Messdaten& messung, Aufzeichnungsstand& stand,
                               const Speichereinstellungen& e, const QString& spezial, Aufzeichnungsziel& ziel,
                               const Ansichten& ansichten);

// The x extent's next step for a value at time x (seconds).
float xSchritt(float x);

// The debug line's start and end pieces, and appending a line to the debug
// file "DebugData.txt" in `ordner` (followed by an empty line).
QString debugAnfang(const QDateTime& jetzt, qsizetype pufferlaenge, const QByteArray& datensatz);
QString debugEnde(const QDateTime& jetzt);
bool debugSchreiben(const QString& ordner, const QString& zeile);

}  // namespace pv
