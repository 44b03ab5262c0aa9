#pragma once

// Waiting for something to happen, with a bound: polls the condition and lets Qt's events run in
// between, never sleeping a fixed time in place of the wait.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <chrono>

namespace nwmp::linux_platform::testing {

template <typename Condition>
bool waitFor(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeout.count()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

}  // namespace nwmp::linux_platform::testing
