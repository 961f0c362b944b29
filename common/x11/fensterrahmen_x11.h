#pragma once

// On X11, the windows placed from now on take their frames from the window
// manager's announcements (_NET_FRAME_EXTENTS). Called once the application
// exists; does nothing when the program does not run on X11. Returns the
// announcements the windows go by (nothing off X11).
namespace Tolvek {

class Rahmenmeldungen;

Rahmenmeldungen* X11RahmenmeldungenSetzen();

}  // namespace Tolvek
