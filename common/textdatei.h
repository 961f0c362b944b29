#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

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

// Whether `pfad` is a real folder, no link, of this user's, that no one else
// may write into: one that a folder every user may write can hold safely.
bool eigenerOrdner(const QString& pfad);

// Replaces the file's contents atomically (creates it when missing). True
// once every byte is on disk under the file's name; on any failure before
// the new file takes the old one's place (a full disk) the old file stays
// as it was. Following links, an existing file this user may not write is
// not replaced. The new file keeps the old one's permissions where this user
// owns it; one of another user's (planted in a folder that anyone may write)
// is not copied: the file gets what a new file gets. The folder that holds
// the new name is synced afterwards, so that it survives a power loss: a
// file system without folder sync and a folder this user may not read leave
// the save as it is; any other failure there is told on standard error and
// in the error log, as a file saved that may not survive a power loss.
bool dateiErsetzen(const QString& pfad, const QByteArray& inhalt, Verweise verweise = Verweise::Folgen);

// The path a write through `pfad` puts its file at: where `pfad` is a link,
// its target, followed to the end as the system follows it (a target still
// missing too); else `pfad`. With NurEigene the way stops at another user's
// link, which is returned.
QString verweisZiel(const QString& pfad, Verweise verweise = Verweise::Folgen);

// Puts a new file holding `inhalt` into `ordner` under the first of the
// names `name(1)`, `name(2)`, ... that no file, folder or link bears, and
// never replaces one, even one made meanwhile by another process. The
// contents are written once and then given a name; on a file system that
// can neither rename without replacing nor make a second name for a file,
// the name is created exclusively and written into. The path; empty on
// failure, with nothing left behind.
QString dateiUnterFreiemNamen(const QString& ordner, const std::function<QString(qint64)>& name,
                              const QByteArray& inhalt);

// Whether dateiErsetzen could put a file at `pfad` now: the folder takes a
// new file and an existing one may be replaced. Tried the way the writer
// goes, following links; nothing is left behind.
bool dateiSchreibbar(const QString& pfad);

// Puts a complete file that another writer made (a library that writes to a
// path itself) in the place of `ziel`, once it is on disk, as dateiErsetzen
// does: through a link, keeping permissions only of a file this user owns,
// syncing the folder. It must lie in the folder of verweisZiel(ziel). On
// failure it is removed and `ziel` stays as it was.
bool dateiUebernehmen(const QString& zwischendatei, const QString& ziel);

// Appends to a file, creating it when missing. On failure the file stays as
// it was (a file it created is removed again). Where `verweise` is
// NurEigene, another user's link fails the append, and the error log names it.
bool dateiAnhaengen(const QString& pfad, const QByteArray& inhalt, Verweise verweise = Verweise::Folgen);

// The system calls that a file system may lack or fail in, replaceable so
// that tests can try such a file system; each left empty is the real one.
struct Dateisystemaufrufe {
  int (*ordnerOeffnen)(const char* pfad) = nullptr;  // open(O_RDONLY | O_DIRECTORY)
  int (*ordnerSync)(int fd) = nullptr;               // fsync of that folder
  int (*umbenennenOhneErsetzen)(const char* alt, const char* neu) = nullptr;  // renameat2(RENAME_NOREPLACE)
  int (*verknuepfen)(const char* alt, const char* neu) = nullptr;             // link
};
// Returns the ones before.
Dateisystemaufrufe dateisystemaufrufeSetzen(const Dateisystemaufrufe& aufrufe);

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
