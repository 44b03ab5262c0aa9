#pragma once

// What a user does on the X display, for tests that drive the real program: find a program's
// window by its title, click into it, close it by its title bar. Every wait is bounded.

#include <QString>
#include <chrono>
#include <optional>

#include "settings_tool/nwmpset_layout.hpp"

namespace nwmp::linux_platform::testing {

using namespace std::chrono_literals;

// The first visible window of process pid whose whole title is title.
std::optional<QString> findWindow(qint64 pid, const QString& title,
                                  std::chrono::milliseconds timeout = 15s);

// Whether the window is gone (closed or hidden) within the timeout.
bool waitUntilGone(qint64 pid, const QString& title, std::chrono::milliseconds timeout = 15s);

// A left click in the middle of the control at this design place in the window.
void clickControl(const QString& window, const TwipRect& place);

// The window manager's close request, as the title bar's close box sends it.
bool requestClose(const QString& window);

}  // namespace nwmp::linux_platform::testing
