#include "x_window_state.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace nwmp::linux_platform::testing {

namespace {

// A window that has gone meanwhile is no error of the test; Xlib's own handler would end it.
int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

}  // namespace

bool coversTheEntireScreen(unsigned long window) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    const auto previousHandler = XSetErrorHandler(ignoreError);
    const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    const Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display, window, state, 0, 64, False, XA_ATOM, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && format == 32; ++i) {
            found = found || atoms[i] == fullScreen;
        }
        XFree(data);
    }
    XSync(display, False);
    XSetErrorHandler(previousHandler);
    XCloseDisplay(display);
    return found;
}

}  // namespace nwmp::linux_platform::testing
