#pragma once

// Which window system the player's windows live in. In a Wayland session the player runs as an
// X11 client of the session's XWayland: there a window can be placed where its stored place
// says, kept above other windows, and given an empty title, none of which a Wayland client can
// do. Where no X server is at hand, or the user chose Qt's platform, Qt decides as usual.

namespace nwmp::linux_platform {

// Call before the QApplication is made.
void preferXWayland();

}  // namespace nwmp::linux_platform
