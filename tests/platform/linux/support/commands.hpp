#pragma once

// Other programs the display tests run and read: xdotool, xprop, xwininfo, xdg-mime. Every run
// is bounded; one that does not finish in time is killed.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>

namespace nwmp::linux_platform::testing {

using namespace std::chrono_literals;

// The program's standard output; nothing when it did not finish within the timeout.
std::optional<QString> runCommand(
    const QString& program, const QStringList& arguments, std::chrono::milliseconds timeout = 10s,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

// xdotool's output, or empty text when it failed, found nothing or hung.
QString xdotool(const QStringList& arguments);

// Presses a key (xdotool's name) with the keyboard focus on the window.
void pressKey(const QString& window, const QString& key);

}  // namespace nwmp::linux_platform::testing
