#pragma once

// Window titles exactly as the program sets them. On X11, Qt writes the program's name in place
// of an empty title, so a window whose caption is meant to be empty (the KOVEX player's, the
// engine's entire-screen window) would show "NorvalentWMP3TEKOVEX" and the like in its title bar
// and taskbar. Once installed, every top-level window of the program carries its own title on
// the display, the empty one included. Elsewhere (Wayland) nothing changes.

namespace nwmp::linux_platform {

// Installs the watch on the application; later calls do nothing. Needs a QGuiApplication.
void keepExactWindowTitles();

}  // namespace nwmp::linux_platform
