// The player's windows under Wine: the main window's make-up for every edition at 96 and at 144
// dots per inch (the second in a child process started after setting the prefix's LogPixels),
// and, for the standard edition against a real NWMP with fakes, Label1, drops, Timer1, the URL
// dialog, activation and the close request.

#include <gtest/gtest.h>

// windows.h comes before the other Windows headers.
// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/numbers.hpp"
#include "fakes/fake_media_engine.hpp"
#include "fakes/fake_open_file_dialog.hpp"
#include "fakes/fake_platform_services.hpp"
#include "fakes/memory_settings_file.hpp"
#include "platform/windows/player/player_window_classes.hpp"
#include "platform/windows/player/win_main_window.hpp"
#include "platform/windows/player/win_url_dialog.hpp"
#include "platform/windows/shared/display_units.hpp"
#include "platform/windows/shared/wide_text.hpp"
#include "platform/windows/support/pump_until.hpp"
#include "player/editions/editions.hpp"
#include "player/nwmp.hpp"

namespace nwmp::windows_platform {
namespace {

using testing::FakeMediaEngine;
using Member = FakeMediaEngine::Member;

// The dots per inch this process must run at; the child process is told 144.
int expectedDotsPerInch = 96;
constexpr char kDotsPerInchArgument[] = "--dots-per-inch=";

using windows_testing::pumpUntil;

int pixels(double twips, double twipsPerPixel) {
    return static_cast<int>(roundHalfEven(twips / twipsPerPixel));
}

std::string className(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return narrow(name);
}

std::string windowText(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return narrow(text);
}

// A drop as the shell hands it over: DROPFILES followed by the wide paths, each ended, and one
// more end.
HDROP makeDrop(const std::vector<std::string>& files) {
    std::wstring list;
    for (const std::string& file : files) {
        list += widen(file);
        list.push_back(L'\0');
    }
    list.push_back(L'\0');
    const SIZE_T bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(),
           list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// --- Make-up -------------------------------------------------------------------------------

struct FrameCase {
    const EditionProfile* profile;
    bool caption, thickFrame, minimiseBox, maximiseBox, popup, toolWindow, topmost;
};

const FrameCase kFrames[] = {
    {&editions::kStandard, true, true, true, true, false, false, false},
    {&editions::kKovex, true, true, false, false, false, true, false},
    {&editions::kPemra, true, true, true, true, false, false, false},
    {&editions::kDask, false, false, false, false, true, true, true},
};

class WindowMakeup : public ::testing::TestWithParam<FrameCase> {};

TEST_P(WindowMakeup, FrameClientAreaAndOuterGeometry) {
    const FrameCase& expected = GetParam();
    const EditionProfile& profile = *expected.profile;
    const double perPixel = 1440.0 / expectedDotsPerInch;
    ASSERT_DOUBLE_EQ(twipsPerPixelX(), perPixel) << "the display runs at another resolution";
    ASSERT_DOUBLE_EQ(twipsPerPixelY(), perPixel);

    WinMainWindow window(profile);
    const HWND handle = window.handle();
    EXPECT_EQ(className(handle), narrow(kMainWindowClass));
    EXPECT_FALSE(IsWindowVisible(handle));
    EXPECT_EQ(window.Handle(), reinterpret_cast<WindowId>(handle));
    EXPECT_EQ(windowText(handle), profile.window.caption);
    EXPECT_EQ(window.applicationTitle(), profile.applicationTitle);

    const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_EXSTYLE));
    EXPECT_EQ((style & WS_CAPTION) == WS_CAPTION, expected.caption);
    EXPECT_EQ((style & WS_THICKFRAME) != 0, expected.thickFrame);
    EXPECT_EQ((style & WS_MINIMIZEBOX) != 0, expected.minimiseBox);
    EXPECT_EQ((style & WS_MAXIMIZEBOX) != 0, expected.maximiseBox);
    EXPECT_EQ((style & WS_POPUP) != 0, expected.popup);
    EXPECT_EQ((exStyle & WS_EX_TOOLWINDOW) != 0, expected.toolWindow);
    EXPECT_EQ((exStyle & WS_EX_APPWINDOW) != 0, profile.window.inTaskbar);
    EXPECT_EQ((exStyle & WS_EX_TOPMOST) != 0, expected.topmost);
    EXPECT_EQ((exStyle & WS_EX_ACCEPTFILES) != 0, profile.window.acceptsDrops);

    // The client area lies exactly where it was designed; the frame goes around it.
    const TwipsRect& design = profile.window.client;
    RECT client{};
    GetClientRect(handle, &client);
    POINT origin{0, 0};
    ClientToScreen(handle, &origin);
    EXPECT_EQ(client.right, pixels(design.width, perPixel));
    EXPECT_EQ(client.bottom, pixels(design.height, perPixel));
    EXPECT_EQ(origin.x, pixels(design.left, perPixel));
    EXPECT_EQ(origin.y, pixels(design.top, perPixel));

    // Label1: a child at 0, 0 that takes drops where the window does.
    if (profile.window.hasLabel1) {
        ASSERT_NE(window.label1(), nullptr);
        EXPECT_EQ(GetParent(window.label1()), handle);
        const auto labelEx = static_cast<DWORD>(GetWindowLongPtrW(window.label1(), GWL_EXSTYLE));
        // Windows' hit-testing passes over a transparent child (Wine's does not).
        EXPECT_EQ(labelEx & WS_EX_TRANSPARENT, 0u);
        EXPECT_EQ((labelEx & WS_EX_ACCEPTFILES) != 0, profile.window.acceptsDrops);
        window.SetLabel1Size(3000, 1500);
        RECT label{};
        GetWindowRect(window.label1(), &label);
        EXPECT_EQ(label.left, origin.x);
        EXPECT_EQ(label.top, origin.y);
        EXPECT_EQ(label.right - label.left, pixels(3000, perPixel));
        EXPECT_EQ(label.bottom - label.top, pixels(1500, perPixel));
    } else {
        EXPECT_EQ(window.label1(), nullptr);
    }

    // Geometry in twips is the outer rectangle, set and read back to the pixel.
    window.SetLeft(1500);
    window.SetTop(1200);
    window.SetWidth(7200);
    window.SetHeight(5400);
    RECT outer{};
    GetWindowRect(handle, &outer);
    EXPECT_EQ(outer.left, pixels(1500, perPixel));
    EXPECT_EQ(outer.top, pixels(1200, perPixel));
    EXPECT_EQ(outer.right - outer.left, pixels(7200, perPixel));
    EXPECT_EQ(outer.bottom - outer.top, pixels(5400, perPixel));
    EXPECT_NEAR(window.Left(), 1500, perPixel / 2);
    EXPECT_NEAR(window.Top(), 1200, perPixel / 2);
    EXPECT_NEAR(window.Width(), 7200, perPixel / 2);
    EXPECT_NEAR(window.Height(), 5400, perPixel / 2);

    // Work areas in twips: the test display has no panels, so each is its whole screen.
    const std::vector<TwipsArea> areas = window.ScreenAreas();
    ASSERT_EQ(areas.size(), 1u);
    EXPECT_DOUBLE_EQ(areas.front().width, screenWidthPixels() * perPixel);
    EXPECT_DOUBLE_EQ(areas.front().height, screenHeightPixels() * perPixel);
}

INSTANTIATE_TEST_SUITE_P(Editions, WindowMakeup, ::testing::ValuesIn(kFrames),
                         [](const auto& param) {
                             return std::string(param.param.profile->version.programName);
                         });

// The same make-up with the prefix at 144 dots per inch, in a child process: Wine reads the
// resolution once as a process starts.
TEST(WindowMakeupAt144, EveryEditionInAChildProcess) {
    if (expectedDotsPerInch != 96) {
        GTEST_SKIP() << "the child itself";
    }
    HKEY desktop = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                              KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &desktop, nullptr),
              ERROR_SUCCESS);
    DWORD before = 0;
    DWORD size = sizeof(before);
    const bool hadValue =
        RegQueryValueExW(desktop, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&before),
                         &size) == ERROR_SUCCESS;
    const DWORD wanted = 144;
    ASSERT_EQ(RegSetValueExW(desktop, L"LogPixels", 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&wanted), sizeof(wanted)),
              ERROR_SUCCESS);

    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\" " +
                               widen(kDotsPerInchArgument) +
                               L"144 --gtest_filter=Editions/*:UrlDialogMakeup.*";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child{};
    const bool started = CreateProcessW(program, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &child) != FALSE;
    DWORD exitCode = 1;
    DWORD waited = WAIT_FAILED;
    if (started) {
        waited = WaitForSingleObject(child.hProcess, 120000);
        if (waited != WAIT_OBJECT_0) {
            TerminateProcess(child.hProcess, 1);
        }
        GetExitCodeProcess(child.hProcess, &exitCode);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
    }

    // The prefix gets its own resolution back whatever happened.
    if (hadValue) {
        RegSetValueExW(desktop, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&before),
                       sizeof(before));
    } else {
        RegDeleteValueW(desktop, L"LogPixels");
    }
    RegCloseKey(desktop);

    ASSERT_TRUE(started);
    EXPECT_EQ(waited, WAIT_OBJECT_0);
    EXPECT_EQ(exitCode, 0u);
}

TEST(UrlDialogMakeup, MadeAtFirstUseWithItsDesignClientArea) {
    WinUrlDialog dialog;
    EXPECT_EQ(dialog.handle(), nullptr);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(dialog.Text1Text(), kUrlPrompt);
    const HWND handle = dialog.handle();
    ASSERT_NE(handle, nullptr);
    EXPECT_FALSE(IsWindowVisible(handle));
    EXPECT_EQ(windowText(handle), "");
    EXPECT_EQ(GetWindow(handle, GW_OWNER), nullptr);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_EXSTYLE));
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
    EXPECT_NE(exStyle & WS_EX_DLGMODALFRAME, 0u);
    EXPECT_NE(exStyle & WS_EX_TOOLWINDOW, 0u);
    RECT client{};
    GetClientRect(handle, &client);
    EXPECT_EQ(client.right, pixels(kUrlDialogClientWidth, twipsPerPixelX()));
    EXPECT_EQ(client.bottom, pixels(kUrlDialogClientHeight, twipsPerPixelY()));
    EXPECT_EQ(windowText(dialog.command1()), kCommand1Caption);
    EXPECT_EQ(GetWindow(handle, GW_CHILD), dialog.command1()) << "Command1 comes first";
    dialog.Unload();
    EXPECT_EQ(dialog.handle(), nullptr);
}

// --- Events, against a real NWMP ----------------------------------------------------------

struct Player {
    const EditionProfile& profile = editions::kStandard;
    FakeMediaEngine engine;
    testing::MemorySettingsFile settings;
    testing::FakePlatformServices platform;
    testing::FakeOpenFileDialog openDialog;
    WinUrlDialog dialog;
    WinMainWindow window{profile};
    NWMP core{profile, PlayerPorts{engine, settings, window, platform, &dialog, &openDialog}};
    int closings = 0;

    Player() {
        window.setCore(&core);
        window.setUrlDialog(&dialog);
        window.setOnClosed([this] { ++closings; });
        dialog.setCore(core.Url());
    }

    std::vector<std::string> fileNames() const {
        std::vector<std::string> names;
        for (const auto& call : engine.callsOf(Member::SetFileName)) {
            names.push_back(call.argument);
        }
        return names;
    }
};

// Each case has a player of its own, so that it passes alone and in any order.
class StandardPlayer : public ::testing::Test {
  protected:
    void TearDown() override {
        player.reset();
        DestroyWindow(engineHost);  // the window lets it go; nothing when there is none
    }

    // Shows the window as the program does and waits for its first activation, which makes the
    // URL dialog.
    void show() {
        player->window.show();
        ASSERT_TRUE(pumpUntil([&] { return player->dialog.handle() != nullptr; }))
            << "the first activation makes the URL dialog";
    }

    // A stand-in for the engine's window, made last so that it lies above Label1 until the
    // window takes it.
    HWND addEngineHost() {
        engineHost = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 40,
                                     30, 200, 150, player->window.handle(), nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
        player->window.setEngineWindow(engineHost);
        return engineHost;
    }

    std::unique_ptr<Player> player = std::make_unique<Player>();
    HWND engineHost = nullptr;
};

TEST_F(StandardPlayer, Label1ClickAndDropsReachTheCoreInDropOrder) {
    const HWND label1 = player->window.label1();
    SendMessageW(label1, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(label1, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(player->engine.callsOf(Member::Play).size(), 1u);
    // A press on Label1 released elsewhere is no click.
    SendMessageW(label1, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(label1, WM_LBUTTONUP, 0,
                 MAKELPARAM(static_cast<WORD>(-40), static_cast<WORD>(-40)));
    EXPECT_EQ(player->engine.callsOf(Member::Play).size(), 1u);

    const std::vector<std::string> onLabel = {"C:\\メディア\\最初の曲.wma",
                                              "C:\\media\\second.wmv"};
    PostMessageW(label1, WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop(onLabel)), 0);
    ASSERT_TRUE(pumpUntil([&] { return player->fileNames().size() == 2; }));
    EXPECT_EQ(player->fileNames(), onLabel);

    PostMessageW(player->window.handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(makeDrop({"D:\\動画.asf"})), 0);
    ASSERT_TRUE(pumpUntil([&] { return player->fileNames().size() == 3; }));
    EXPECT_EQ(player->fileNames().back(), "D:\\動画.asf");
}

TEST_F(StandardPlayer, EngineHostAtTheOriginBelowLabel1) {
    const HWND host = addEngineHost();
    ASSERT_NE(host, nullptr);
    RECT place{};
    GetWindowRect(host, &place);
    MapWindowPoints(nullptr, player->window.handle(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 0);
    EXPECT_EQ(place.top, 0);
    EXPECT_EQ(GetWindow(player->window.label1(), GW_HWNDNEXT), host);
    EXPECT_EQ(GetWindowLongPtrW(host, GWL_STYLE) & WS_CLIPSIBLINGS, 0);
    // A click below Label1 reaches the engine's window, not Label1.
    POINT below{5, 0};
    const HWND label1 = player->window.label1();
    RECT label{};
    GetClientRect(label1, &label);
    below.y = label.bottom + 5;
    EXPECT_EQ(ChildWindowFromPoint(player->window.handle(), below), host);
    EXPECT_EQ(ChildWindowFromPoint(player->window.handle(), POINT{5, 5}), label1);
}

TEST_F(StandardPlayer, Timer1TicksOnlyWhileEnabled) {
    // Disabled at first.
    EXPECT_FALSE(
        pumpUntil([&] { return !player->engine.callsOf(Member::FileName).empty(); }, 1500));
    player->window.SetTimer1Enabled(true);
    player->window.SetTimer1Enabled(true);
    ASSERT_TRUE(pumpUntil([&] { return !player->engine.callsOf(Member::FileName).empty(); }, 3000));
    player->window.SetTimer1Enabled(false);
    player->engine.clearCalls();
    EXPECT_FALSE(
        pumpUntil([&] { return !player->engine.callsOf(Member::FileName).empty(); }, 1500));
}

TEST_F(StandardPlayer, FirstShowResizesOnceAndSizeChangesResizeAgain) {
    player->window.show();
    ASSERT_TRUE(player->window.Visible());
    // Form_Resize gives the engine the focus, once for the first showing.
    EXPECT_EQ(player->engine.callsOf(Member::SetFocus).size(), 1u);
    player->window.SetWidth(player->window.Width() + 300);
    EXPECT_GE(player->engine.callsOf(Member::SetFocus).size(), 2u);
}

TEST_F(StandardPlayer, WindowStateAndStacking) {
    ASSERT_NO_FATAL_FAILURE(show());
    WinMainWindow& window = player->window;
    const HWND handle = window.handle();
    window.SetWindowState(kWindowMaximised);
    EXPECT_TRUE(pumpUntil([&] { return IsZoomed(handle) != FALSE; }));
    EXPECT_EQ(window.WindowState(), kWindowMaximised);
    window.SetWindowState(kWindowNormal);
    EXPECT_TRUE(pumpUntil([&] { return IsZoomed(handle) == FALSE; }));
    EXPECT_EQ(window.WindowState(), kWindowNormal);

    for (const bool topmost : {true, false}) {
        window.ApplyStacking(topmost, PixelRect{60, 50, 500, 400});
        EXPECT_EQ((GetWindowLongPtrW(handle, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, topmost);
        RECT outer{};
        GetWindowRect(handle, &outer);
        EXPECT_EQ(outer.left, 60);
        EXPECT_EQ(outer.top, 50);
        EXPECT_EQ(outer.right - outer.left, 500);
        EXPECT_EQ(outer.bottom - outer.top, 400);
    }
}

TEST_F(StandardPlayer, UrlDialogEvents) {
    ASSERT_NO_FATAL_FAILURE(show());
    WinUrlDialog& dialog = player->dialog;
    const HWND handle = dialog.handle();
    player->engine.fileName.clear();
    dialog.SetText1Text(kUrlPrompt);
    dialog.Show();
    ASSERT_TRUE(pumpUntil([&] { return GetActiveWindow() == handle; }));
    EXPECT_EQ(GetFocus(), dialog.command1()) << "first in tab order";
    // Text1 taking the focus places the dialog below the main window and clears the prompt.
    SendMessageW(dialog.command1(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), dialog.text1());
    EXPECT_EQ(dialog.Text1Text(), "");
    RECT outer{};
    GetWindowRect(handle, &outer);
    RECT main{};
    GetWindowRect(player->window.handle(), &main);
    EXPECT_EQ(outer.left, main.left);
    EXPECT_EQ(outer.top, main.bottom);
    EXPECT_EQ(outer.right - outer.left, main.right - main.left);
    SendMessageW(dialog.text1(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), dialog.command1());

    // Enter plays the typed text and hides the dialog; the text box gets no Enter of its own.
    dialog.SetText1Text("http://example.invalid/live.asx");
    SendMessageW(dialog.text1(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    SendMessageW(dialog.text1(), WM_CHAR, L'\r', 0x001C0001);
    EXPECT_EQ(player->fileNames(), std::vector<std::string>{"http://example.invalid/live.asx"});
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(dialog.Text1Text(), "http://example.invalid/live.asx");

    SendMessageW(dialog.command1(), BM_CLICK, 0, 0);
    EXPECT_EQ(player->fileNames().size(), 2u);
}

TEST_F(StandardPlayer, FocusBackFromTheUrlDialogActivatesTheForm) {
    ASSERT_NO_FATAL_FAILURE(show());
    ASSERT_NE(addEngineHost(), nullptr);
    WinUrlDialog& dialog = player->dialog;
    const HWND main = player->window.handle();
    SetActiveWindow(main);
    SetFocus(engineHost);
    ASSERT_EQ(GetFocus(), engineHost);
    dialog.Show();
    ASSERT_TRUE(pumpUntil([&] { return GetActiveWindow() == dialog.handle(); }));
    // Form_Activate hides the URL dialog.
    SetActiveWindow(main);
    EXPECT_TRUE(pumpUntil([&] { return !dialog.Visible(); }));
    // The keys reach the engine again, as before the dialog took them.
    EXPECT_EQ(GetFocus(), engineHost);
}

BOOL CALLBACK findApplicationWindow(HWND window, LPARAM found) {
    if (className(window) == narrow(kApplicationWindowClass)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

TEST_F(StandardPlayer, CloseRequestsRunTheShutDownOnce) {
    ASSERT_NO_FATAL_FAILURE(show());
    SendMessageW(player->window.handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(player->closings, 1);
    // Form_Unload unloaded the URL dialog.
    EXPECT_EQ(player->dialog.handle(), nullptr);

    // The application window's close request comes to the same end, once.
    HWND application = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findApplicationWindow,
                      reinterpret_cast<LPARAM>(&application));
    ASSERT_NE(application, nullptr);
    SendMessageW(application, WM_CLOSE, 0, 0);
    SendMessageW(player->window.handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(player->closings, 1);
    EXPECT_TRUE(IsWindow(player->window.handle()));
}

}  // namespace
}  // namespace nwmp::windows_platform

int main(int argc, char** argv) {
    // As the programs declare in their manifests.
    SetProcessDPIAware();
    const std::string prefix = nwmp::windows_platform::kDotsPerInchArgument;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind(prefix, 0) == 0) {
            nwmp::windows_platform::expectedDotsPerInch = std::stoi(argument.substr(prefix.size()));
        }
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
