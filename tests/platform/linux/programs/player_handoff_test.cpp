// The hand-off between real player programs that share one user's runtime folder: starts in a
// row, each replacing the one before even when that one was itself a replacement and shows
// play information, and two starts at the same moment, which must also end with one player.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QRegularExpression>

#include "player_install.hpp"

namespace nwmp::linux_platform::testing {
namespace {

const QString kStandard = QStringLiteral(STANDARD_PROGRAM);
const QString kPemra = QStringLiteral(PEMRA_PROGRAM);
const std::string kHandOff = "[Norvalent WMP 3]\nNotMultiStart=1\n";

std::string diagnosis(PlayerInstall& player) {
    return ("last title: " + player.lastTitle() + "\nerrors:\n" + player.errorOutput())
        .toStdString();
}

// Starts players count times in a row, standard and Pemra by turns, each start once the one
// before shows its window, or its play information with playInfo: each start must replace the
// one before it.
void startInARow(int count, bool playInfo) {
    auto folders = std::make_shared<UserFolders>();
    PlayerInstall standard(kStandard, kHandOff, folders);
    PlayerInstall pemra(kPemra, kHandOff, folders);
    PlayerInstall* players[] = {&standard, &pemra};
    const QRegularExpression playing(QStringLiteral("^sample\\.mkv \\[\\d\\d:\\d\\d/"));
    for (int i = 0; i < count; ++i) {
        PlayerInstall& player = *players[i % 2];
        PlayerInstall& before = *players[(i + 1) % 2];
        // This copy's previous run was replaced a start ago.
        ASSERT_TRUE(player.waitForEnd(15s)) << "start " << i - 1 << " still runs";
        player.start({media("sample.mkv")});
        if (playInfo) {
            ASSERT_TRUE(player.waitForTitle(playing)) << "start " << i << "\n" << diagnosis(player);
        } else {
            ASSERT_TRUE(player.window()) << "start " << i << "\n" << diagnosis(player);
        }
        if (i > 0) {
            ASSERT_TRUE(before.waitForEnd(15s)) << "start " << i << " left start " << i - 1;
            EXPECT_TRUE(before.endedNormally()) << "start " << i - 1;
        }
    }
    PlayerInstall& last = *players[(count - 1) % 2];
    EXPECT_FALSE(last.waitForEnd(300ms));
    last.press(QStringLiteral("Escape"));
    EXPECT_TRUE(last.waitForEnd(10s));
}

TEST(PlayerHandOff, ThreeStartsInARowEndWithTheNewest) {
    startInARow(3, false);
}

TEST(PlayerHandOff, TenStartsInARowEndWithTheNewestAlsoWhenEachShowsPlayInformation) {
    startInARow(10, true);
}

TEST(PlayerHandOff, TwoStartsAtTheSameMomentEndWithOnePlayer) {
    for (int round = 0; round < 3; ++round) {
        auto folders = std::make_shared<UserFolders>();
        PlayerInstall standard(kStandard, kHandOff, folders);
        PlayerInstall pemra(kPemra, kHandOff, folders);
        standard.start({media("sample.mkv")});
        pemra.start({media("sample.mkv")});

        QElapsedTimer timer;
        timer.start();
        PlayerInstall* ended = nullptr;
        while (ended == nullptr && timer.elapsed() < 20000) {
            if (standard.waitForEnd(50ms)) {
                ended = &standard;
            } else if (pemra.waitForEnd(50ms)) {
                ended = &pemra;
            }
        }
        ASSERT_NE(ended, nullptr) << "round " << round << ": both players still run";
        EXPECT_TRUE(ended->endedNormally()) << "round " << round << "\n" << diagnosis(*ended);
        PlayerInstall& survivor = ended == &standard ? pemra : standard;
        ASSERT_TRUE(survivor.window()) << "round " << round << "\n" << diagnosis(survivor);
        EXPECT_FALSE(survivor.waitForEnd(300ms)) << "round " << round;
        survivor.press(QStringLiteral("Escape"));
        EXPECT_TRUE(survivor.waitForEnd(10s));
    }
}

}  // namespace
}  // namespace nwmp::linux_platform::testing
