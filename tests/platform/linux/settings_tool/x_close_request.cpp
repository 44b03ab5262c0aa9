// The close request of the title bar's close box, sent as a window manager sends it. Kept apart
// from Qt's headers, which Xlib's macros would clash with.

#include "x_close_request.hpp"

#include <X11/Xlib.h>

namespace nwmp::linux_platform::testing {

bool requestClose(unsigned long window) {
    const ::Window id = window;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = id;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, id, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return sent != 0;
}

}  // namespace nwmp::linux_platform::testing
