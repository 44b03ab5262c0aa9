#pragma once

// Keeps the screen saver and display sleep away while the player runs, without touching the
// user's own screen-saver setting: the hold is this thread's execution state, which the system
// drops by itself when the thread or the process ends, however it ends.

namespace nwmp::windows_platform {

class ScreenSaverHold {
  public:
    // Both run on the thread that owns the hold (the player's GUI thread).
    void hold();
    void release();
};

}  // namespace nwmp::windows_platform
