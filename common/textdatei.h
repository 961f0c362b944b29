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

// How a link at a file's path is taken. The program's own files of fixed
// name in its folder (the safety file, the settings, the logs) may lie in a
// folder that other users write too: there a link that another user made
// (running as root: anyone but root) is never followed. Such a link is
// replaced by the file itself, or, where the folder does not allow that,
// the write fails and the error log names the link. A file the user named
// is written through any link.
enum class Verweise { Folgen, NurEigene };

// Whether `pfad` is such a link of another user.
bool fremderVerweis(const QString& pfad);

// Replaces the file's contents atomically (creates it when missing). True
// once every byte is on disk under the file's name; on any failure before
// the new file takes the old one's place (a full disk) the old file stays
// as it was. The folder is synced afterwards, so that the new name survives
// a power loss: a folder that cannot be opened or whose file system has no
// folder sync leaves the save as it is, and another failure there is told
// in the error log, as a file saved that may not survive a power loss.
bool dateiErsetzen(const QString& pfad, const QByteArray& inhalt, Verweise verweise = Verweise::Folgen);

// Puts a new file at `pfad` where no file, folder or link bears that name,
// and never replaces one, even one made meanwhile by another process.
enum class Neuanlage { Angelegt, NameBelegt, Fehlgeschlagen };
Neuanlage dateiNeuAnlegen(const QString& pfad, const QByteArray& inhalt);

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
// it was (a file it created is removed again). Where `verweise` is
// NurEigene, another user's link fails the append, and the error log names it.
bool dateiAnhaengen(const QString& pfad, const QByteArray& inhalt, Verweise verweise = Verweise::Folgen);

// The call that syncs a folder after a rename (::fsync), replaceable so that
// a file system that cannot sync folders, or fails doing it, can be tried.
// Returns the one before.
using OrdnerSync = int (*)(int fd);
OrdnerSync ordnerSyncSetzen(OrdnerSync sync);

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
