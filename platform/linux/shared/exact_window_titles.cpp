#include "platform/linux/shared/exact_window_titles.hpp"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace nwmp::linux_platform {

namespace {

xcb_atom_t atomNamed(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

// Both names a window manager may show, as empty text.
void writeEmptyTitle(xcb_connection_t* connection, xcb_window_t window) {
    static const xcb_atom_t netWmName = atomNamed(connection, "_NET_WM_NAME");
    static const xcb_atom_t utf8String = atomNamed(connection, "UTF8_STRING");
    if (netWmName != XCB_ATOM_NONE && utf8String != XCB_ATOM_NONE) {
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, netWmName, utf8String, 8, 0,
                            nullptr);
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME,
                        XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(connection);
}

class ExactTitles final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Qt writes the title when it makes the native window, when it shows it and when the
        // title changes; each time the empty title is put back right after.
        switch (event->type()) {
            case QEvent::WinIdChange:
            case QEvent::Show:
            case QEvent::WindowTitleChange:
                break;
            default:
                return false;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr || !widget->isWindow() || !widget->windowTitle().isEmpty() ||
            !widget->testAttribute(Qt::WA_WState_Created)) {
            return false;
        }
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (x11 != nullptr && x11->connection() != nullptr) {
            writeEmptyTitle(x11->connection(), static_cast<xcb_window_t>(widget->winId()));
        }
        return false;
    }
};

}  // namespace

void keepExactWindowTitles() {
    // Owned by the application, so a new application gets a watch of its own.
    const QString name = QStringLiteral("nwmp-exact-window-titles");
    if (qGuiApp == nullptr ||
        qGuiApp->findChild<QObject*>(name, Qt::FindDirectChildrenOnly) != nullptr) {
        return;
    }
    auto* watch = new ExactTitles(qGuiApp);
    watch->setObjectName(name);
    qGuiApp->installEventFilter(watch);
}

}  // namespace nwmp::linux_platform
