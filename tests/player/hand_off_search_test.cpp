// Which running player a new start replaces, as every platform's hand-off decides it.

#include "player/hand_off_search.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace nwmp::testing {
namespace {

constexpr std::int64_t kSelf = 100;

TEST(HandOffSearch, FindsByStartTitleOrCaptionNeverItself) {
    const std::vector<RunningPlayer> players = {
        {kSelf, "Norvalent WMP 3 TE", "Norvalent WMP 3-2 TE"},  // this start, mid hand-off
        {7, "Norvalent WMP 3 TE", "曲/歌手 [00:01/00:05]"},     // a replacement showing play info
        {8, "Norvalent WMP 3 TE", ""},                          // a resting KOVEX player
        {9, "Norvalent WMP 3 TE", "Norvalent WMP 3 SE"},        // Dask
    };
    const struct {
        const char* title;
        std::optional<std::size_t> expected;
    } cases[] = {
        {"Norvalent WMP 3 TE", 1},
        {"", 2},  // KOVEX searches its own resting caption
        {"Norvalent WMP 3 SE", 3},
        {"Norvalent WMP 3-2 TE", std::nullopt},  // only this start bears it
        {"Norvalent WMP 3 TE KOVEX", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(handOffTarget(players, c.title, kSelf), c.expected) << '"' << c.title << '"';
    }
    // KOVEX's empty search never reaches a player that shows play information.
    EXPECT_EQ(
        handOffTarget(std::vector<RunningPlayer>(players.begin(), players.begin() + 2), "", kSelf),
        std::nullopt);
}

TEST(HandOffSearch, AnyOtherPlayerOfAnyEditionCountsAsRunning) {
    EXPECT_FALSE(anotherPlayerRuns({}, kSelf));
    EXPECT_FALSE(anotherPlayerRuns(std::vector<RunningPlayer>{{kSelf, "", ""}}, kSelf));
    EXPECT_TRUE(anotherPlayerRuns(
        std::vector<RunningPlayer>{{kSelf, "", ""}, {5, "Norvalent WMP 3 TE", "x"}}, kSelf));
}

}  // namespace
}  // namespace nwmp::testing
