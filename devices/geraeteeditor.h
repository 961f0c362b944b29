#pragma once

#include <QChar>
#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

#include "devices/geraetedefinition.h"
#include "devices/geraetepruefung.h"

namespace pv {

class Meldungen;

// The device editor without its window: bringing a definition into the
// controls' values, and saving the controls' values as a device file.

// The choices of the serial lists, in list order.
const QStringList& baudraten();
const QStringList& paritaeten();
const QStringList& datenbitsListe();
const QStringList& stopbitsListe();

// What the editor window shows for one definition.
struct EditorAnsicht {
  GeraeteEingaben eingaben;
  QString titel = QStringLiteral("Eigenes Gerät definieren/ändern");
  QString dateiNameGeraet;             // the edited file; empty for a new device
  bool speichernUnterSichtbar = true;  // "Gerät speichern unter ..."
  bool aenderungenSichtbar = true;     // "Änderungen speichern"
  bool usb = false;                    // serial lists emptied, their frame disabled
};

// The controls' values for a definition: the numbers that were read (a
// waiting time or recognition position the file left empty shows "0"), the
// terminator as "R", "L" or its code, the full scale of a scale or other
// device padded with "0" to the value's width, the serial settings split
// into the lists. False in `vollstaendig` when a value has no place in its
// control (an unknown kind, parity letter, data or stop bits); that control
// keeps its default.
EditorAnsicht ansichtAus(const Geraetedefinition& def, QChar dezimal, bool& vollstaendig);

// The editor's checks of the record format on a definition read from a
// device file, its positions shown as ansichtAus shows them: the message of
// the first fault, empty when the editor takes the format. A device whose
// record length or positions the editor refuses is one the acquisition can
// take no record from.
QString datensatzformatFehler(const Geraetedefinition& def, QChar dezimal);

// The " (Special: tag)" the caption of a device with a decoder tag followed
// by a "*//" comment gets; empty otherwise.
QString spezialTitel(const QString& spezial);

// The size a picture is previewed at in an area: a landscape or square
// picture takes the smaller of the area's and its own width, a portrait one
// the smaller of the heights; the other side follows the picture's
// proportions. A picture is never enlarged.
QSize vorschauGroesse(QSize bild, QSize flaeche);

// What the editor needs of the program around it.
struct GerEigenUmfeld {
  // The device editor's definition record; it outlives the window and the
  // device selection reads files into it as well.
  Geraetedefinition& definition;
  // The file saved last; callers empty it before and test it after.
  QString& LetzteDatei;
  // The "Messgerät" menu index of the device being edited when the editor
  // was opened for the current device; the editor sets -1 when it closes.
  int16_t& GeraetMenueIndex;
  QChar dezimal = u',';
  // The file-name dialog: a name in `ordner`, empty when cancelled.
  std::function<QString(const QString& ordner, const QString& vorschlag)> dateinameWaehlen = {};
  // Menu item i of "Messgerät": its caption, and selecting it again.
  std::function<void(int16_t, const QString&)> menuepunktBeschriften = {};
  std::function<void(int16_t)> mnuMessgeraete_Click = {};
};

class GeraeteEditor {
 public:
  explicit GeraeteEditor(GerEigenUmfeld umfeld) : u_(std::move(umfeld)) {}

  // Prepares the editor for the named device of the device table, or for a
  // new device when the name is empty. A file that cannot be read shows
  // "Beim Lesen der Geräteparameter ist ein Fehler aufgetreten!" and its own
  // key texts as they stand, the broken one included, so that it can be
  // corrected and saved with every other key as it was; the record, which
  // then holds another device, lends it nothing. Values without a place
  // show "Beim Eintragen der Geräteparameter sind Fehler aufgetreten.".
  EditorAnsicht GeraetBearbeiten(const QString& messgeraet);

  // A save button (0 "Gerät speichern unter ...", 1 "Änderungen speichern"):
  // checks, asks for a file name where needed, writes the device file, sets
  // LetzteDatei, renames the edited current device in the table and the menu
  // and selects it again. True when saved (the window then closes); false
  // with the box to focus when a check failed, the dialog was cancelled or
  // the file could not be written (reported through the error handler).
  struct Speichern {
    bool gespeichert = false;
    EditorFeld fokus = EditorFeld::Keins;
  };
  Speichern UebernButton_Click(int16_t index, const GeraeteEingaben& eingaben);

  // The window closes, saved or not.
  void entladen() { u_.GeraetMenueIndex = -1; }

  // Whether the picture box names an existing file (relative names are taken
  // from the program folder).
  static bool bildVorhanden(const QString& bild);

  const QString& dateiNameGeraet() const { return dateiNameGeraet_; }

 private:
  GerEigenUmfeld u_;
  QString dateiNameGeraet_;
};

// "OK" in the file-name dialog: the file name typed, with ".ger" appended
// when it does not end in it (in any letter case). No value, after the
// matching message, when the name is empty, holds a character a file name
// cannot hold or is ".ger" alone, or names an existing file whose
// overwriting the user declines.
std::optional<QString> dateinameAnnehmen(const QString& eingabe, const QString& ordner, Meldungen& meldungen);

}  // namespace pv
