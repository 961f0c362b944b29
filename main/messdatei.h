#pragma once

#include <QByteArray>
#include <QChar>
#include <QDateTime>
#include <QIODevice>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "acquisition/messdaten.h"
#include "common/textdatei.h"

namespace pv {

// Measurement files (*.MES): one measurement with its descriptive texts, its
// start and end times and the stored series. Version 3.0.2 is written;
// versions 3.0.2, 3.0.1 and the old text format are read.
//
// Binary layout (little endian, no padding):
//   24 bytes header "[Pelvaron-Messung 3.0.2]"
//   8 strings, each a signed 32-bit byte count and that many Windows-1252
//   bytes: MessInfo, MessBezeichnung, PhysGr, Zeichen, Einheit, Kommentar,
//   MessBeginn, MessEnde
//   the count m (signed 32-bit; 16-bit in version 3.0.1)
//   x(0)..x(m), then y(0)..y(m), IEEE single precision each.

// The longest text a measurement file holds, in bytes as stored (a line
// break of the comment takes two): far more than anyone types, so that a
// damaged length is refused before anything is read or allocated. The
// comment box keeps to it too, so that every measurement can be saved.
inline constexpr qsizetype kMesstextHoechstlaenge = qsizetype(1) << 20;

inline const QByteArray kMessdateiKopf302 = QByteArrayLiteral("[Pelvaron-Messung 3.0.2]");
inline const QByteArray kMessdateiKopf301 = QByteArrayLiteral("[Pelvaron-Messung 3.0.1]");

// The texts that describe a measurement, as the main window's text boxes
// hold them. Line breaks in the comment are "\n" here and CR LF in the file.
struct Messtexte {
  QString MessBezeichnung;  // TextMessBezeichnung: title
  QString PhysGr;           // TextPhysGr: physical quantity
  QString Zeichen;          // TextZeichen: symbol
  QString Einheit;          // TextEinheit: unit
  QString Kommentar;        // TextKommentar

  bool operator==(const Messtexte&) const = default;
};

// The processing choice of the main window, as the settings store it
// (Messwertverarbeitung): 1 device value, 2 linear function, 3 sensor.
// Any other value means no option is selected.
// The MessInfo text for it; numbers in the given decimal notation
// ("Lineare Funktion verwendet: y=1,5*x+0"). Without a selected option it
// is empty: no reader shows MessInfo.
QString messInfoText(int16_t verarbeitung, float linearM, float linearT, const QString& sensorname,
                     QChar dezimal);

// The whole file in version 3.0.2. Exactly m + 1 elements of x and y are
// written (element 0 included). Empty when the measurement cannot be
// written: m negative, an array shorter than m + 1, a text holding a
// character Windows-1252 cannot hold, or one longer than
// kMesstextHoechstlaenge.
std::optional<QByteArray> messdateiBytes(const Messdaten& daten, const Messtexte& texte,
                                         const QString& messInfo);

// Writes the measurement to `datei` in version 3.0.2 by atomic replacement:
// a failure (folder missing, file locked, disk full, arrays too short)
// leaves the file that stood there before as it was. True when written
// (MessungSpeichern's 1). No message; the caller then updates the name and
// the path label (messungAusPfad, messungLabelText). `verweise` as for
// dateiErsetzen: the program's own saves follow no other user's link.
bool MessungSpeichern(const QString& datei, const Messdaten& daten, const Messtexte& texte,
                      const QString& messInfo, Verweise verweise = Verweise::Folgen);

// ---------------------------------------------------------------- reading

enum class Messformat { Version302, Version301, Text };

// Everything a file holds, once read completely.
struct Messinhalt {
  Messformat format = Messformat::Version302;
  QString MessInfo;  // empty for the text format
  Messtexte texte;   // the text format has only the unit
  // x, y, m, MesBeg and MesEnd (normalised to "dd.mm.yyyy hh:mm:ss" when
  // written with a comma after the date); Messung and MessDateiName empty.
  Messdaten daten;
  // The start as wall-clock date and time (UTC, no zone applied); invalid
  // when the file has no start text.
  QDateTime MessStartDatumZeit;
};

enum class Lesestatus {
  Gelesen,        // the file is read; the measurement can be taken over
  MessungLaeuft,  // refused: a recording runs or is paused
  NichtGefunden,  // refused: no such file
  NameUnlesbar,   // refused: no such file, and its name came with bytes the system could not decode
  KeineMessung,   // refused: the text format's count is 0 (or no number)
  Fehler,         // the read failed (truncated, bad length or count, bad date, ...)
};

struct Leseergebnis {
  Lesestatus status = Lesestatus::Fehler;
  Messinhalt inhalt;  // complete only when status is Gelesen
  // For Fehler: the step in progress (empty in the text format) and the
  // run-time error that ended it.
  QString Schritt;
  int32_t fehlernummer = 0;
  QString fehlertext;

  bool gelesen() const { return status == Lesestatus::Gelesen; }
  // The message box text of the four refusals; empty otherwise.
  QString meldung() const;
  // The status-line text of a failure: "Fehler bei: " and the step.
  QString statustext() const { return QStringLiteral("Fehler bei: ") + Schritt; }
};

// Reads a measurement in any of the three formats from `quelle`, positioned
// at its start. A header exactly "[Pelvaron-Messung 3.0.2]" or "...3.0.1]"
// means binary, anything else the text format. Before a value is read or
// room is made for it, the binary layout is checked from its lengths and
// the count alone: the texts must fit the file and be no longer than
// kMesstextHoechstlaenge (else "Ungültiges Dateiformat" at the text's step),
// and the two arrays must end it exactly. Values left over (a count too small for the file) fail at
// "Messwertanzahl", a count too large at "Daten X/Y einlesen". A count
// whose values would not fit in `speicher` bytes, as they are read and once
// more as they are taken over, fails at "Datenspeicher X reservieren" with
// "Nicht genügend Speicher" before anything is allocated; without
// `speicher`, the memory the process may use (nutzbarerSpeicherFuer). The text
// format is read only as far as its largest measurement (32767 pairs) can
// reach; what lies beyond is never read.
Leseergebnis messdateiAuswerten(QIODevice& quelle);
Leseergebnis messdateiAuswerten(QIODevice& quelle, uint64_t speicher);
Leseergebnis messdateiAuswerten(const QByteArray& bytes);

// Reads the file `datei`: refused while a recording runs, or when it is not
// an existing file; otherwise messdateiAuswerten of the file. Nothing is
// shown and nothing outside the result changes.
Leseergebnis messdateiLesen(const QString& datei, bool messungLaeuft);

// Makes a read measurement the current one: x, y, m, MesBeg, MesEnd, the
// texts, Messung (from the path), MessDateiName := datei and the shared
// MessStartDatumZeit.
void messungUebernehmen(const Messinhalt& inhalt, const QString& datei, Messdaten& daten,
                        Messtexte& texte);

// The main window's MessungEinlesen without its widgets: reads `datei`,
// and only when the whole file has been read takes it over
// (messungUebernehmen). A refusal shows its message through
// Tolvek::meldungen(); a failure first shows "Fehler bei: " and the step
// through `statuszeile`, then goes to Tolvek::Fehlerbehandlung with the
// label "MessungEinlesen". In both cases `daten` and `texte` stay as they
// were. On success the caller shows the labels (LabelNumMW := m,
// messzeitText of MesBeg and MesEnd, messungLabelText of the path), puts
// the texts into the text boxes and enters the path in the recent files.
Leseergebnis MessungEinlesen(const QString& datei, bool messungLaeuft, Messdaten& daten,
                             Messtexte& texte,
                             const std::function<void(const QString&)>& statuszeile = {});

// ---------------------------------------------------------------- helpers

// A start or end text as read: with a "," anywhere, the 11th character is
// dropped ("05.03.2004, 14:07:09" -> "05.03.2004 14:07:09").
QString messzeitNormalisieren(const QString& text);

// The start as wall-clock date and time from "dd.mm.yyyy hh:mm:ss" (fields
// at their fixed positions; a field out of range carries over, 32.01. is
// 01.02.). Empty when a field is not a number or the date lies outside the
// years 100 to 9999.
std::optional<QDateTime> messzeitUmwandeln(const QString& text);

// The start or end text as MesBegLabel and MesEndLabel show it: its first
// 10 characters, "," and the rest ("05.03.2004, 14:07:09"; "," alone for an
// empty text).
QString messzeitText(const QString& text);

// The measurement's name from a file path: the file name without folder and
// without its extension. Only a real extension is cut (the part after the
// file name's last point, not a point in a folder name); a name without one
// stays whole. A path without a folder, or ending in a separator, leaves
// `bisher`. Both "/" and "\" separate folders.
QString messungAusPfad(const QString& pfad, const QString& bisher);

// The path as MessungLabel shows it: whole up to 40 characters; otherwise
// shortened around "..." so that the file name stays readable.
QString messungLabelText(const QString& pfad);

}  // namespace pv
