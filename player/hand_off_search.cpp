#include "player/hand_off_search.hpp"

#include <algorithm>

namespace nwmp {

bool anotherPlayerRuns(std::span<const RunningPlayer> players, std::int64_t self) {
    return std::any_of(players.begin(), players.end(),
                       [self](const RunningPlayer& player) { return player.processId != self; });
}

bool answersSearch(const RunningPlayer& player, std::string_view title) {
    return player.startTitle == title || player.caption == title;
}

std::optional<std::size_t> handOffTarget(std::span<const RunningPlayer> players,
                                         std::string_view title, std::int64_t self) {
    for (std::size_t i = 0; i < players.size(); ++i) {
        const RunningPlayer& player = players[i];
        if (player.processId != self && answersSearch(player, title)) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace nwmp
