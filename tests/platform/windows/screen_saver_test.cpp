// The screen-saver hold: this thread's execution state, never the user's own setting.

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/windows/player/screen_saver_hold.hpp"

namespace nwmp::windows_platform {
namespace {

// The thread's execution state, read by setting it to what it was.
EXECUTION_STATE currentState() {
    const EXECUTION_STATE state = SetThreadExecutionState(ES_CONTINUOUS);
    SetThreadExecutionState(state);
    return state;
}

BOOL screenSaverActive() {
    BOOL active = FALSE;
    SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
    return active;
}

TEST(ScreenSaverHold, HoldsTheDisplayOnAndLetsGoWithoutTouchingTheSetting) {
    for (const BOOL userSetting : {TRUE, FALSE}) {
        SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, userSetting, nullptr, 0);
        ScreenSaverHold hold;
        hold.hold();
        EXPECT_EQ(currentState() & (ES_CONTINUOUS | ES_DISPLAY_REQUIRED),
                  static_cast<EXECUTION_STATE>(ES_CONTINUOUS | ES_DISPLAY_REQUIRED));
        EXPECT_EQ(screenSaverActive(), userSetting);
        hold.release();
        EXPECT_EQ(currentState() & ES_DISPLAY_REQUIRED, 0u);
        EXPECT_EQ(screenSaverActive(), userSetting);
    }
}

}  // namespace
}  // namespace nwmp::windows_platform
