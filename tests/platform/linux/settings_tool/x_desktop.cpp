#include "x_desktop.hpp"

#include <QRegularExpression>

#include "platform/linux/shared/qt_units.hpp"
#include "tests/platform/linux/support/commands.hpp"
#include "tests/platform/linux/support/wait_for.hpp"
#include "x_close_request.hpp"

namespace nwmp::linux_platform::testing {

namespace {

QString exactly(const QString& title) {
    return QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$');
}

std::optional<QString> visibleWindow(qint64 pid, const QString& title) {
    const QString found = xdotool({"search", "--all", "--onlyvisible", "--pid",
                                   QString::number(pid), "--name", exactly(title)});
    if (found.isEmpty()) {
        return std::nullopt;
    }
    return found.split(QLatin1Char('\n')).front();
}

}  // namespace

std::optional<QString> findWindow(qint64 pid, const QString& title,
                                  std::chrono::milliseconds timeout) {
    std::optional<QString> window;
    waitFor([&] { return (window = visibleWindow(pid, title)).has_value(); }, timeout);
    return window;
}

bool waitUntilGone(qint64 pid, const QString& title, std::chrono::milliseconds timeout) {
    return waitFor([&] { return !visibleWindow(pid, title); }, timeout);
}

void clickControl(const QString& window, const TwipRect& place) {
    const int x = pixelsX(place.left + place.width / 2.0);
    const int y = pixelsY(place.top + place.height / 2.0);
    // Raised first: another test's window may lie over this one on the shared display.
    xdotool({"windowraise", window, "mousemove", "--window", window, QString::number(x),
             QString::number(y), "click", "1"});
}

bool requestClose(const QString& window) {
    bool ok = false;
    const unsigned long id = window.toULong(&ok);
    return ok && requestClose(id);
}

}  // namespace nwmp::linux_platform::testing
