#pragma once

// The sending side of the hand-off between two players.

#include <chrono>
#include <string_view>

namespace nwmp::windows_platform {

// Walks the top-level windows in z-order, top first, for the first player of another process
// that a search for `title` reaches by the shared rule (player/hand_off_search.hpp: the
// application title it started with, or its caption), and sends its application window
// WM_CLOSE. The running player runs its
// shut-down and ends; this waits for that at most `wait` in all, and gives up at once on a
// player that no longer handles its messages. Returns whether a player was found.
bool closeRunningPlayer(std::wstring_view title, std::chrono::milliseconds wait);

}  // namespace nwmp::windows_platform
