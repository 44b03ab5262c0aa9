// The hand-off reaches only other players' windows and never waits past its bound; the
// settings tool starts from the player's own folder.

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>

#include "platform/windows/player/player_presence.hpp"
#include "platform/windows/player/player_window_classes.hpp"
#include "platform/windows/player/win_platform_services.hpp"
#include "stand_in_names.hpp"
#include "stand_in_process.hpp"

namespace nwmp::windows_platform {
namespace {

using namespace std::chrono_literals;
using nwmp::testing::kStartBound;
using nwmp::testing::NamedEvent;
using nwmp::testing::StandIn;

constexpr char kTitle[] = "Norvalent WMP 3 TE";

// A window of another process, shown by a stand-in of the standard player.
struct RunningWindow {
    RunningWindow(const wchar_t* kind, const std::wstring& title, bool hung = false)
        : process(L"NorvalentWMP3TE", std::wstring(kind) + L" \"" + title + L"\" " + ready.name() +
                                          (hung ? L" hung" : L"")) {}
    bool isUp() const { return ready.signalledWithin(kStartBound); }

    NamedEvent ready;
    StandIn process;
};

TEST(HandOff, ClosesAPlayerAndWaitsUntilItHasEnded) {
    const struct {
        const wchar_t* window;
        const char* title;
        const wchar_t* wideTitle;
    } cases[] = {
        {L"window player", kTitle, L"Norvalent WMP 3 TE"},
        {L"window application", kTitle, L"Norvalent WMP 3 TE"},
        {L"window player", "", L""},  // KOVEX searches its empty resting caption
    };
    for (const auto& c : cases) {
        RunningWindow player(c.window, c.wideTitle);
        ASSERT_TRUE(player.isUp());
        WinPlatformServices services(true);
        EXPECT_TRUE(services.CloseRunningPlayer(c.title, 5000ms)) << c.title;
        EXPECT_TRUE(player.process.endsWithin(0ms)) << c.title;
        EXPECT_EQ(player.process.exitCode(), 0u);
    }
}

TEST(HandOff, NeverReachesAnotherProgramsWindowWithTheTitle) {
    RunningWindow named(L"window foreign", L"Norvalent WMP 3 TE");
    RunningWindow untitled(L"window foreign", L"");
    ASSERT_TRUE(named.isUp());
    ASSERT_TRUE(untitled.isUp());
    WinPlatformServices services(true);
    EXPECT_FALSE(services.CloseRunningPlayer(kTitle, 5000ms));
    EXPECT_FALSE(services.CloseRunningPlayer("", 5000ms));

    // Below the foreign windows in z-order, a player with the title is still found.
    RunningWindow player(L"window player", L"Norvalent WMP 3 TE");
    ASSERT_TRUE(player.isUp());
    EXPECT_TRUE(services.CloseRunningPlayer(kTitle, 5000ms));
    EXPECT_TRUE(player.process.endsWithin(0ms));
    EXPECT_FALSE(named.process.endsWithin(0ms));
    EXPECT_FALSE(untitled.process.endsWithin(0ms));
}

TEST(HandOff, NeverFindsThisPlayersOwnWindows) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kApplicationWindowClass;
    ASSERT_NE(RegisterClassW(&windowClass), 0);
    HWND own = CreateWindowExW(0, kApplicationWindowClass, L"Norvalent WMP 3 TE", WS_POPUP, 0, 0, 1,
                               1, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(own, nullptr);
    WinPlatformServices services(true);
    EXPECT_FALSE(services.CloseRunningPlayer(kTitle, 5000ms));
    EXPECT_TRUE(IsWindow(own));
    DestroyWindow(own);
    UnregisterClassW(kApplicationWindowClass, windowClass.hInstance);
}

TEST(HandOff, GivesUpOnAHungPlayerWithinTheBound) {
    RunningWindow hung(L"window player", L"Norvalent WMP 3 TE", true);
    ASSERT_TRUE(hung.isUp());
    WinPlatformServices services(true);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(services.CloseRunningPlayer(kTitle, 1000ms));
    // The bound and what a busy machine adds to one call; far less than a hang.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
    EXPECT_FALSE(hung.process.endsWithin(0ms));
}

TEST(PlayerPresence, AnotherPlayerOfAnyEditionCountsWhileItRuns) {
    {
        PlayerPresence running;
        EXPECT_FALSE(running.previousInstance());
        nwmp::testing::StandIn next(L"NorvalentWMP3TEDask", L"presence");
        running.startupDone();  // lets the next start go on
        ASSERT_TRUE(next.endsWithin(kStartBound));
        EXPECT_EQ(next.exitCode(), 1u);
    }
    EXPECT_EQ(nwmp::testing::runStandIn(L"NorvalentWMP3TEKOVEX", L"presence"), 0u);
}

TEST(StartProgram, StartsTheSettingsToolFromThePlayersFolder) {
    NamedEvent started(nwmp::testing::kStartedEvent);
    WinPlatformServices services(false);
    services.StartProgram("NorvalentWMP3set");
    EXPECT_TRUE(started.signalledWithin(kStartBound));
    EXPECT_THROW(services.StartProgram("NoSuchProgramAnywhere"), std::exception);
}

}  // namespace
}  // namespace nwmp::windows_platform
