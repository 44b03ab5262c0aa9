#pragma once

// Which running player a new start replaces. Shared by every platform's hand-off, so that a
// player of any edition, and one that was itself a replacement, is replaced the same way
// everywhere.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace nwmp {

// A running player as the hand-off sees it.
struct RunningPlayer {
    std::int64_t processId = 0;
    std::string startTitle;  // the application title it started with, whatever it is now
    std::string caption;     // its main window's caption now
};

// Whether a player of any edition other than the process `self` runs.
bool anotherPlayerRuns(std::span<const RunningPlayer> players, std::int64_t self);

// Whether a search for `title` reaches the player: by the application title it started with, so
// a replacement whose own title changed during its hand-off still answers while it shows play
// information, or by its caption (the empty caption of a resting KOVEX player). A player that is
// asked by a search answers this itself.
bool answersSearch(const RunningPlayer& player, std::string_view title);

// The first of `players` (given most recently active first) that a search for `title` reaches:
// a player answers by the application title it started with, so a replacement whose own title
// changed during its hand-off still answers while it shows play information, or by its caption
// (the empty caption of a resting KOVEX player). The process `self` never answers.
std::optional<std::size_t> handOffTarget(std::span<const RunningPlayer> players,
                                         std::string_view title, std::int64_t self);

}  // namespace nwmp
