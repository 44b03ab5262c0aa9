#include "platform/windows/player/screen_saver_hold.hpp"

#include <windows.h>

#include <stdexcept>

namespace nwmp::windows_platform {

void ScreenSaverHold::hold() {
    if (SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED) == 0) {
        throw std::runtime_error("the screen saver cannot be held off");
    }
}

void ScreenSaverHold::release() {
    if (SetThreadExecutionState(ES_CONTINUOUS) == 0) {
        throw std::runtime_error("the screen-saver hold cannot be released");
    }
}

}  // namespace nwmp::windows_platform
