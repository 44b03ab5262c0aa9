#include "platform/linux/shared/window_system.hpp"

#include <QByteArray>
#include <QtGlobal>

namespace nwmp::linux_platform {

void preferXWayland() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ||
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qEnvironmentVariableIsEmpty("DISPLAY")) {
        return;
    }
    // X11 first; Wayland when XWayland cannot be reached after all.
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb;wayland"));
}

}  // namespace nwmp::linux_platform
