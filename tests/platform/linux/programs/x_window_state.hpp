#pragma once

// What the X server knows of a player's windows beyond xdotool's view. Free of Qt, so that
// Xlib's macros stay in their own file.

namespace nwmp::linux_platform::testing {

// Whether the window asks to cover the entire screen (_NET_WM_STATE_FULLSCREEN): the engine's
// whole-screen window, never a player's main window.
bool coversTheEntireScreen(unsigned long window);

}  // namespace nwmp::linux_platform::testing
