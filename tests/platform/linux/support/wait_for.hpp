#pragma once

// Waiting for something to happen, with a bound: lets Qt's events (deferred deletions included)
// run until the condition holds, never sleeping a fixed time in place of the wait.

#include <QtCore/qtestsupport_core.h>

#include <chrono>

namespace nwmp::linux_platform::testing {

template <typename Condition>
bool waitFor(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    return QTest::qWaitFor(condition, static_cast<int>(timeout.count()));
}

}  // namespace nwmp::linux_platform::testing
