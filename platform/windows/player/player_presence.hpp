#pragma once

// Whether another player of any edition runs, decided once at start. Starts are taken one at a
// time: a player that starts while another is still starting waits (a bounded time) until that
// one has its windows and has handed off, so two starts at the same moment end with one player.

#include <windows.h>

namespace nwmp::windows_platform {

class PlayerPresence {
  public:
    // Waits for the start-up of any other starting player, then marks this player running.
    PlayerPresence();
    ~PlayerPresence();
    PlayerPresence(const PlayerPresence&) = delete;
    PlayerPresence& operator=(const PlayerPresence&) = delete;

    // Whether a player was already running when this one started.
    bool previousInstance() const { return previousInstance_; }

    // This player's windows exist and its hand-off is done: the next start may go on.
    void startupDone();

  private:
    HANDLE startupLock_ = nullptr;
    bool startupLockOwned_ = false;
    HANDLE running_ = nullptr;
    bool previousInstance_ = false;
};

}  // namespace nwmp::windows_platform
