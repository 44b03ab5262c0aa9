#pragma once

// Other programs the Linux tests run and read: xdotool, xprop, xwininfo, xdg-mime, gio. Every
// run is bounded; one that does not finish in time is killed.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <chrono>

namespace nwmp::linux_platform::testing {

using namespace std::chrono_literals;

struct CommandRun {
    bool finished = false;  // within the timeout
    int exitCode = -1;      // -1 also when it crashed
    QString output;         // standard output; its standard error goes to the test's
};

CommandRun runCommand(
    const QString& program, const QStringList& arguments, std::chrono::milliseconds timeout = 10s,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

// xdotool's output, or empty text when it failed, found nothing or hung.
QString xdotool(const QStringList& arguments);

// Presses a key (xdotool's name) with the keyboard focus on the window.
void pressKey(const QString& window, const QString& key);

}  // namespace nwmp::linux_platform::testing
