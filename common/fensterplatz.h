#pragma once

#include <QRect>
#include <QSize>

class QWidget;

// Where the program's windows go on the screen. A window manager puts a
// frame (caption, borders) around each window, and the frame, not only the
// window's inside, must lie on the work area: the part of the screen that
// panels and task bars leave free.
namespace Tolvek {

// Where a window wants its frame each time the program shows it.
enum class Fensterplatz {
  Behalten,        // where the window system or its last position puts it
  Mitte,           // centred on the work area
  Arbeitsbereich,  // covering the whole work area
};

// The frame rectangle for a window whose frame is `rahmen` now: placed as
// `platz` wants it, no larger than the work area `bereich` (but not smaller
// than the frame of the window's minimum size, `mindestens`), and moved in
// where it sticks out. A frame larger than the work area keeps its top left
// corner on it, so the caption stays visible.
QRect RahmenImArbeitsbereich(const QRect& rahmen, Fensterplatz platz, const QRect& bereich,
                             const QSize& mindestens);

// Keeps the window's frame on the work area of its screen, placed as
// `platz` wants it: now when the window is shown, each time the program
// shows it, and once more when the window is on the screen after a showing
// and the window manager has told the frame it put around it (its size is
// known only then), in whatever order these come. Between showings the
// user places the window. A second call changes the wish.
void FensterEinpassen(QWidget& fenster, Fensterplatz platz = Fensterplatz::Behalten);

}  // namespace Tolvek
