#pragma once

#include <QChar>
#include <QString>
#include <array>
#include <cstdint>

#include "acquisition/erfassungszustand.h"

namespace pv {

struct Geraetedefinition;
class SeriellerPort;

// Selecting a device of the "Messgerät" menu: its definition is read from
// its device file and becomes the acquisition state, the request string is
// prepared, the serial port is configured and the main window shows the
// device's name, picture and a summary.

// --- Request strings ---

// The built-in request of a decoder tag: a "*//" after the first character
// starts a comment that is cut off, blanks around are dropped; the tag
// "SANWAPC5x0" gives the 8-byte request frame DLE STX 0x42 0 0 0x67 DLE ETX,
// every other tag the empty string.
QString AnforderungAufbereiten(const QString& Anforderung);

// The request text of a device: its request string, or the built-in request
// of its decoder tag when the request string is "SPECIAL" in any case.
QString datenanforderungszeichenBilden(const QString& datenTransferZeichen,
                                       const QString& spezial);

// The request ready to send. The first "{CR}" becomes CR and then the first
// "{LF}" LF (exact case; later ones stay as text). Then every "{" that has a
// "}" after it, taken from the left, is looked at once: when the text up to
// that "}" is a number (either decimal mark), the braces and the number
// become the character of that code, rounded half to even; other contents
// stay. So "{13}{10}" gives CR LF and "{ab}" stays. Codes 128..255 give
// their Windows-1252 characters, so the request is sent byte for byte.
// A code outside 0..255 throws Laufzeitfehler 5, a number too large for an
// integer Laufzeitfehler 6.
QString anforderungErsetzen(const QString& datenanforderungszeichen, QChar dezimal);

// --- Summary and unit labels ---

// The device summary of the main window, lines joined by CR LF: the
// interface ("COM: 9600,n,8,1 DTR=1 RTS=0" or "USB-Gerät"), the transfer
// mode (continuous, or three lines for the request and its interval), the
// range recognition and, with automatic format only, a last line without
// CR LF; otherwise the text ends with CR LF.
QString geraeteZusammenfassung(const Erfassungszustand& z, QChar dezimal);

// A unit label's current font size and size, and the size of a measuring
// text in the label's font (widths and heights in the same unit).
struct EinheitLabelMass {
  double schriftgroesse = 0;
  double breite = 0;
  double hoehe = 0;
  double textBreite = 0;  // width of einheitBreitenText(field)
  double textHoehe = 0;   // height of kEinheitHoehenText
};

inline const QString kEinheitHoehenText = QStringLiteral("g0°");

// The text whose width a unit field of more than one character is fitted
// to: one "0" per character of the field; empty when end - begin <= 0.
QString einheitBreitenText(const std::array<int16_t, 2>& pos);

// The font sizes of the two unit labels. A field with end - begin > 0 scales
// its label's size by the smaller of label width / text width and label
// height / text height; other fields keep theirs. When the squares of both
// end - begin differences add up to more than 0, both labels take the
// smaller of the two sizes. A size that would come out 0 or less keeps the
// label's size. A text width or height of 0 throws Laufzeitfehler 11.
std::array<double, 2> einheitenSchriftgroessen(const std::array<int16_t, 2>& einheit1Pos,
                                               const std::array<int16_t, 2>& einheit2Pos,
                                               const EinheitLabelMass& label1,
                                               const EinheitLabelMass& label2);

// --- The selection ---

// Takes the device's part of the acquisition state from its definition:
// record layout, terminator, full scale, interface, request and range
// recognition. Serial settings the port cannot take raise their run-time
// error (einstellungenPruefen), leaving `zustand` partly set.
void definitionUebernehmen(const Geraetedefinition& def, QChar dezimal, Erfassungszustand& zustand);

// What the selection needs of the main window.
class GeraeteauswahlFenster {
 public:
  virtual ~GeraeteauswahlFenster() = default;
  // The caption of device item `index` of the "Messgerät" menu; empty when
  // there is no such item.
  virtual QString MenuepunktText(int16_t index) = 0;
  // Opens the device editor on the named device and waits until it closes.
  virtual void GeraetBearbeiten(const QString& name) = 0;
  // Unit label 1 or 2: its font size and size, and the width of
  // `breitenText` and the height of `hoehenText` in its font.
  virtual EinheitLabelMass EinheitLabelMessen(int label, const QString& breitenText,
                                              const QString& hoehenText) = 0;
  virtual void EinheitSchriftgroessenSetzen(double groesse1, double groesse2) = 0;
  // The frame of the range buttons: its caption and whether it is enabled.
  virtual void MessbereichRahmenSetzen(const QString& titel, bool aktiv) = 0;
  // Loads the device picture, fitted into hMax x wMax and placed against
  // (x, y) by the alignment code (bildPlatzieren); 0 when there is none or it
  // cannot be loaded.
  virtual int16_t BildLaden(const QString& datei, const QString& ausrichtung, int32_t x, int32_t y,
                            int32_t hMax, int32_t wMax) = 0;
  // true: the placeholder is shown and the device picture hidden; false: the
  // placeholder is hidden.
  virtual void BildPlatzhalterZeigen(bool zeigen) = 0;
  virtual void StatuszeileSetzen(const QString& text) = 0;
  // The device name and summary labels.
  virtual void GeraetAnzeigen(const QString& bezeichnung, const QString& zusammenfassung) = 0;
  // Sets the caption of device item `index`, ticks it and unticks the others.
  virtual void MenueAuswahlSetzen(int16_t index, const QString& text) = 0;
};

struct GeraeteauswahlUmgebung {
  GeraeteauswahlFenster& fenster;
  SeriellerPort& port;
  // The device editor's definition record: a file that is taken ends up in
  // it; one that is refused leaves it as it was.
  Geraetedefinition& definition;
  Erfassungsmodul& modul;
  QChar dezimal;
};

// Selects device item `Index` of the "Messgerät" menu and sets it up. The
// device is looked up by the item's caption in the device table
// (geraeteZustand()); one that is not there, or whose file cannot be read,
// gets its message (the latter also opens the device editor and sets
// GeraetMenueIndex). A file that reads but whose record length or positions
// the device editor refuses (datensatzformatFehler) is treated as one that
// cannot be read. Any other failure shows "Beim Einlesen des Gerätes ist
// folgender Fehler aufgetreten:" with the error's number and text.
//
// The new state is built in a copy and taken over only when every step
// succeeded: a failed selection leaves the previous device's acquisition
// state, AktuellesMessgeraet and the menu ticks as they were. Everything
// that can fail on the device's values (the request string, the serial
// settings, the unit label fitting) is worked out before the window or the
// port is touched. Returns true when the device was set up.
bool mnuMessgeraete_Click(int16_t Index, GeraeteauswahlUmgebung& umgebung);

}  // namespace pv
