#pragma once

#include <QMargins>
#include <QWindow>
#include <cstdint>
#include <optional>

struct xcb_connection_t;

namespace Tolvek {

// The frame an X11 window manager announces for a window
// (_NET_FRAME_EXTENTS), read from the X server. Qt measures a frame itself
// as long as none is announced, and keeps a measurement taken while the
// window manager was still building the frame until the announcement
// comes; only the announcement itself is sure.
class X11Rahmen {
 public:
  // Nothing when the program does not run on X11.
  static std::optional<X11Rahmen> verbinden();

  // Whether the window manager announces the frames of its windows at all;
  // `fenster` names the screen it runs on.
  bool wirdGemeldet(WId fenster) const;
  // The frame announced for `fenster`; nothing while none is.
  std::optional<QMargins> rahmen(WId fenster) const;
  // Whether the X event `ereignis` tells of a new announcement for `fenster`.
  bool istMeldung(const void* ereignis, WId fenster) const;

 private:
  X11Rahmen(xcb_connection_t* verbindung, uint32_t ausmasse, uint32_t unterstuetzt)
      : verbindung_(verbindung), ausmasse_(ausmasse), unterstuetzt_(unterstuetzt) {}

  xcb_connection_t* verbindung_;
  uint32_t ausmasse_;      // _NET_FRAME_EXTENTS
  uint32_t unterstuetzt_;  // _NET_SUPPORTED
};

}  // namespace Tolvek
