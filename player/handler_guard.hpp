#pragma once

// The one guard at the boundary of every handler: a handler "ends quietly at its first failing
// step" by letting the failure unwind to here. Nothing is shown and nothing escapes into the
// platform's callbacks, whatever was thrown (EngineError, OverflowError, the platform's own).

#include <exception>
#include <utility>

namespace nwmp {

template <typename Step>
void runQuietly(Step&& step) noexcept {
    try {
        std::forward<Step>(step)();
    } catch (const std::exception&) {
        // ends here by design: the player reports no failure to its user
    } catch (...) {
        // a platform error not derived from std::exception ends the handler just the same
    }
}

}  // namespace nwmp
