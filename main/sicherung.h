#pragma once

#include <QString>
#include <QByteArray>
#include <QStringList>
#include <memory>
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

// The file that this copy's last rescue made in a fallback folder, held
// open: while it is, no other file gets its inode, so the name still holds
// this copy's file exactly when it names that inode.
struct Ersatzdatei {
  QString pfad;
  std::shared_ptr<const int> offen;
};

// The names a rescue into a fallback folder takes: "pvsave-1.tmp",
// "pvsave-2.tmp", ..., never the safety file's nor an intermediate save's
// (which refuses them), so that no copy's own saves replace a rescue.
QString rettungsname(qint64 nummer);
bool istRettungsname(const QString& name);

// Where the safety file goes when the folder of this copy's saves does not
// take it, tried in this order:
struct Ersatzorte {
  // The user's application data folder, made when missing; passed over
  // where it is the folder of the saves.
  QString anwendungsdaten;
  // A folder that every user may write and that keeps its files across a
  // logout and a reboot: the rescue goes to a folder of this user's own in
  // it, "Pelvaron-<user id>", made when missing. One of that name that is
  // no real folder of this user's or that others may write is never used;
  // a new one of unique name beside it is.
  QString gemeinsam;
};

struct Rettung {
  QString datei;       // the file written; empty when no folder took it
  QStringList ordner;  // the folders tried in order, the last one that of `datei`
};

// The safety file at an end without a box (a signal, the session's end, the
// display gone) and at the session's checkpoint: `inhalt` written as
// "pvsave.tmp" into the folder of this copy's saves, and where that folder
// does not take it (read-only, full, failed or gone) into the fallback
// folders `orte`. There it replaces only `vorige`, this copy's own rescue,
// while the name still holds that file, and no other file: copies that end
// together each keep their values under a rescue name of their own.
Rettung sicherheitsdateiAblegen(const QByteArray& inhalt, const Ersatzorte& orte, Ersatzdatei& vorige);

// The line on standard error and in the error log when the safety file did
// not go into the folder of this copy's saves: the folders that did not
// take it, and the file it went to instead or that it went nowhere.
QString sicherheitsdateiAusweichText(const Rettung& rettung);

}  // namespace pv
