#pragma once

// The window manager's close request, as the title bar's close box sends it (WM_DELETE_WINDOW).
// Free of Qt, so that Xlib's macros stay in their own file.

namespace nwmp::linux_platform::testing {

bool requestClose(unsigned long window);

}  // namespace nwmp::linux_platform::testing
