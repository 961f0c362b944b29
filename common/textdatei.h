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

// Replaces the file's contents atomically (creates it when missing).
bool dateiErsetzen(const QString& pfad, const QByteArray& inhalt);

// Appends to a file, creating it when missing.
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
