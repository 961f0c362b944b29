#pragma once

#include <QString>
#include <QByteArray>
#include <QTime>

namespace pv {

// This copy's saves of a running recording: the intermediate save and the
// safety file written when a recording ends by itself or is aborted. They go
// to the program folder, or, for a further copy started on a program folder
// that a running copy holds, to a folder of its own (Ordnersperre).
inline const QString kSicherheitsdatei = QStringLiteral("pvsave.tmp");

// The folder of this copy's saves, and a file in it.
QString sicherungsordner();
QString sicherungsdatei(const QString& name);

// What the main window keeps showing after an intermediate save failed at
// `zeit`, until one succeeds.
QString zwischenspeicherFehlerText(const QTime& zeit);

// Says that `was` ("Die Sicherheitsdatei konnte", ...) could not be written
// into `ordner` and how the user keeps the measurement all the same.
QString nichtGeschriebenText(const QString& was, const QString& ordner);

// The message of an automatic end: "Die Messung ist beendet!", and which of
// the two saves made at the end could not be written into `ordner`.
QString messungBeendetText(bool zwischenGespeichert, bool sicherheitGespeichert, const QString& ordner);

// The file that this copy's last rescue made in the fallback folder, held
// open: while it is, no other file gets its inode, so the name still holds
// this copy's file exactly when it names that inode.
struct Ersatzdatei {
  QString pfad;
  std::shared_ptr<const int> offen;
};

// The safety file at an end without a box (a signal, the session's end, the
// display gone) and at the session's checkpoint: `inhalt` written into the
// folder of this copy's saves, and where that folder does not take it
// (read-only, full, failed or gone) into `ersatzordner`, made when missing.
// There it replaces only `vorige`, this copy's own rescue, while the name
// still holds that file, and no other file: copies that end together each
// keep their values, in "pvsave.tmp", "pvsave-2.tmp", ... (from
// "pvsave-2.tmp" on where the folder is the program folder, whose copy
// writes "pvsave.tmp" itself). The path written; empty when neither folder
// took it.
QString sicherheitsdateiAblegen(const QByteArray& inhalt, const QString& ersatzordner, Ersatzdatei& vorige);

// The line on standard error and in the error log when the safety file did
// not go into `ordner`: the file it went to instead (`geschrieben`), or
// that it went nowhere (`geschrieben` empty) and to which folders it could not go.
QString sicherheitsdateiAusweichText(const QString& ordner, const QString& ersatzordner, const QString& geschrieben);

}  // namespace pv
