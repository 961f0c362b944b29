#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// The device table: every device file (*.ger) in the program folder is one
// device the program knows. The folder scan builds the table, keeps the names
// unique and splits the devices into those the "Messgerät" menu offers and
// the others; writing the menu stores that choice in each file's "Menü" key,
// rebuilds the menu and selects the current device again.
namespace pv {

// One entry of the device table.
struct GeraetEintrag {
  int16_t Nr = 0;       // the entry's own index (1..n)
  QString Datei;        // full path of the device file
  QString Bezeichnung;  // the device's name, unique in the table
  bool ImMenue = false; // the file's "Menü" key is 1

  bool operator==(const GeraetEintrag&) const = default;
};

// The shared state of the device table, in one place for the whole run.
struct GeraeteZustand {
  // 1-based: element 0 is always present and empty; the devices stand at
  // 1..n in the order of the (name-sorted) folder listing.
  std::vector<GeraetEintrag> Geraete{GeraetEintrag{}};
  // The name of the device chosen in the "Messgerät" menu; empty when none.
  QString AktuellesMessgeraet;

  int16_t anzahl() const { return static_cast<int16_t>(Geraete.size() - 1); }
};

GeraeteZustand& geraeteZustand();

// What the device table needs of the main window's "Messgerät" menu.
class GeraeteMenue {
 public:
  virtual ~GeraeteMenue() = default;
  // Replaces the run-time items 1..k of the menu by one item per name, in
  // this order (the hidden item 0, the separator and "Gerät
  // &hinzufügen/bearbeiten/entfernen" stay).
  virtual void menueNeuAufbauen(const QStringList& namen) = 0;
  // Selects and sets up the device of menu item `index` (1-based), as a click
  // on the item does.
  virtual void mnuMessgeraete_Click(int16_t index) = 0;

  // The device editor, opened modally on the named device ("" for a new
  // one): the path of the file it saved, empty when it saved none, and the
  // name it saved.
  struct Bearbeitet {
    QString datei;
    QString name;
  };
  virtual Bearbeitet geraeteEditorOeffnen(const QString& name) {
    (void)name;
    return {};
  }
};

// The two lists of the device list window: the devices outside the menu and
// those in it, in menu order.
struct GeraeteListen {
  QStringList lstAll;
  QStringList lstMenu;
};

// The device files (*.ger) in a folder, in file-name order, a name that
// begins with a dot included; empty when none or the folder cannot be listed.
QStringList geraetedateienIn(const QString& ordner);

// The index (1..n) of the device with exactly this name (case-sensitive, no
// trimming) or, when the name is empty, with exactly this file path; -1 when
// there is none or both are empty.
int16_t GeraetIndexSuchen(const QString& bezeichnung, const QString& datei);

// Rebuilds the table from the device files of the program folder, listed in
// file-name order. Files of an older generation are converted first; a file
// that cannot be converted is left out silently (the conversion reports its
// own failures). A name already taken gets "+" appended, in the table and in
// its file, until it is unique. A file that cannot be read, has no name, or
// whose "Menü" value is missing or not a number is left out after the
// question "Beim Initialisieren eines Gerätes ist ein Fehler aufgetreten!";
// No ends the scan with the devices read so far. Numbers in the files use
// the given decimal separator.
GeraeteListen Initialisieren(QChar dezimaltrennzeichen);

// Writes "0" into the "Menü" key of every device of lstAll and "1" into that
// of every device of lstMenu, where the file's value differs; a file that
// cannot take its value is reported, and a device whose file cannot take
// its "1" is moved to lstAll. Then rebuilds the menu from
// lstMenu and selects the current device again, or shows "Bitte wählen Sie im
// Menü 'Messgerät' ein Gerät aus!" and clears it when the menu lacks it.
void MenueNeuSchreiben(GeraeteListen& listen, GeraeteMenue& menue, QChar dezimaltrennzeichen);

// The start-up's device reading: scan the folder, then write the menu.
void GeraeteLesen(GeraeteMenue& menue, QChar dezimaltrennzeichen);

// The working state of the device list window: the two lists, the moves
// between them and deleting a device. Rows are 0-based rows of the lists,
// -1 for no selection. Nothing is written until ok().
class GeraeteAuswahl {
 public:
  GeraeteAuswahl(GeraeteMenue& menue, QChar dezimaltrennzeichen);

  // Rescans the folder; moves not yet confirmed are undone.
  void Initialisieren();
  const GeraeteListen& listen() const { return listen_; }

  // "-->": moves the device of lstAll's row into the menu list.
  bool insMenue(int zeileAll);
  // "<--": moves the device of lstMenu's row out of the menu list; the
  // current device is refused with a message.
  bool ausMenue(int zeileMenu);

  // The device "Löschen" acts on: lstAll's selection, else lstMenu's; none
  // gives "Es wurde kein Gerät ausgewählt!" and an empty name.
  QString ausgewaehltesGeraet(int zeileAll, int zeileMenu) const;

  // "Neu...": the device editor on a new device; a saved file rescans the
  // folder. True when the lists were rebuilt.
  bool neu();
  // "Bearbeiten...": the device editor on the selected device; a saved file
  // rescans the folder, and when it is the current device's own file the
  // device takes the saved name and the menu is written again. True when the
  // lists were rebuilt.
  bool bearbeiten(int zeileAll, int zeileMenu);

  // "Löschen": refuses the current device and a device without file, else
  // asks; Yes deletes the file, rescans and writes the menu. True when the
  // lists were rebuilt.
  bool loeschen(int zeileAll, int zeileMenu);

  // "OK": writes the choice and rebuilds the menu.
  void ok();

 private:
  GeraeteMenue& menue_;
  QChar dezimal_;
  GeraeteListen listen_;
};

}  // namespace pv
