#pragma once

#include <QString>
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

// The message of an automatic end: "Die Messung ist beendet!", and which of
// the two saves made at the end could not be written into `ordner`.
QString messungBeendetText(bool zwischenGespeichert, bool sicherheitGespeichert, const QString& ordner);

}  // namespace pv
