#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QtGui/qwindowdefs.h>
#include <optional>

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

// The frames as the window manager announces them, where the window system
// lets it (X11: `_NET_FRAME_EXTENTS`). Qt measures a frame itself too, but
// may keep a measurement taken while the window manager was still building
// the frame; only an announcement is sure.
class Rahmenmeldungen : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;
  // Whether the window manager of the screen `fenster` is on announces the
  // frames of its windows at all.
  virtual bool werdenGemeldet(WId fenster) = 0;
  // The frame announced for `fenster`, in the window system's device
  // pixels; nothing while none is.
  virtual std::optional<QMargins> rahmen(WId fenster) = 0;

 signals:
  // A frame was announced for `fenster`, or taken back.
  void gemeldet(WId fenster);
};

// Where the windows placed from now on learn their frames. Without it (or
// once it is gone) they go by Qt's measurement.
void RahmenmeldungenSetzen(Rahmenmeldungen* meldungen);

// Whether a window just shown is to be placed by its frame now: once it is
// on the screen and the frame around it is known, whichever comes last.
// Both come with events, in either order: the window's exposure (or its
// move or resize), and the announcement of its frame. Where the window
// manager announces no frames, none will come: the frame Qt measures once
// the window is on the screen is all there is (none without a window
// manager).
class Rahmenwarten {
 public:
  // The window is shown; `rahmen` is the frame announced for it already.
  void gezeigt(bool werdenGemeldet, std::optional<QMargins> rahmen);
  // The window is hidden: it waits no more.
  void versteckt() { wartet_ = false; }
  bool wartet() const { return wartet_; }

  // Each returns the frame to place the window by when the wait ends now.
  // The window moved, changed size or was exposed; `erschienen` tells
  // whether it is on the screen, `gemessen` is the frame Qt measures.
  std::optional<QMargins> fensterGeaendert(bool erschienen, const QMargins& gemessen);
  // The window manager announced the frame `rahmen` (nothing: took it back).
  std::optional<QMargins> rahmenGemeldet(std::optional<QMargins> rahmen);

 private:
  std::optional<QMargins> fertig();

  bool wartet_ = false;
  bool werdenGemeldet_ = false;
  bool erschienen_ = false;
  std::optional<QMargins> rahmen_;
};

}  // namespace Tolvek
