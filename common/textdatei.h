#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace pv {

// File access shared by every file the program stores. Files are written by
// atomic replacement: the new contents go to a temporary file in the same
// folder, which then takes the place of the old one, so a failure on the way
// leaves the old file as it was.

// Reads a whole file. False when it does not exist or cannot be read.
bool dateiLesen(const QString& pfad, QByteArray& inhalt);

// Reads a whole Windows-1252 text file into a string.
bool textdateiLesen(const QString& pfad, QString& text);

// Replaces the file's contents atomically (creates it when missing). True
// only when every byte is on disk and so is the new name in its folder (the
// folder is synced too, so that the file survives a power loss); on any
// failure before the new file takes the old one's place (a full disk, a
// folder that cannot be opened to be synced) the old file stays as it was.
bool dateiErsetzen(const QString& pfad, const QByteArray& inhalt);

// Whether dateiErsetzen could put a file at `pfad` now: the folder takes a
// new file and an existing one may be replaced. Tried the way the writer
// goes; nothing is left behind.
bool dateiSchreibbar(const QString& pfad);

// Puts a complete file that another writer made (a library that writes to a
// path itself) in the place of `ziel`, once it is on disk; it must lie in the
// same folder, which is synced as dateiErsetzen does. On failure it is
// removed and `ziel` stays as it was.
bool dateiUebernehmen(const QString& zwischendatei, const QString& ziel);

// Appends to a file, creating it when missing. On failure the file stays as
// it was (a file it created is removed again).
bool dateiAnhaengen(const QString& pfad, const QByteArray& inhalt);

// The names of the files in `ordner` that match `muster` ("*.ger"), in
// file-name order, hidden ones included: a name the user saves may begin
// with a dot. Empty when none or the folder cannot be listed.
QStringList dateienIn(const QString& ordner, const QString& muster);

// Every kind of line break (CR LF, CR, LF) as CR LF, the line end of every
// text the program stores.
QString crLfZeilenenden(QString text);

// Collects Windows-1252 text lines, each ended by CR LF.
class CrLfText {
 public:
  CrLfText& zeile(const QString& text);
  CrLfText& zeilen(const QStringList& texte);
  const QByteArray& bytes() const { return bytes_; }

 private:
  QByteArray bytes_;
};

}  // namespace pv
