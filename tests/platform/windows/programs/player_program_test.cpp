// The four player programs end to end under Wine: the real programs copied into folders of
// their own with their own nwmpset.ini, the stand-in engine control registered in the test
// prefix, keys sent to the control's window as the user's keys reach it. Every wait is bounded.

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "platform/windows/engine/control_media_engine.hpp"
#include "platform/windows/player/player_window_classes.hpp"
#include "platform/windows/programs/run_player.hpp"
#include "platform/windows/settings_tool/run_settings_tool.hpp"
#include "platform/windows/shared/wide_text.hpp"
#include "stand_in_control.h"
#include "stand_in_names.hpp"
#include "tests/platform/windows/support/pump_until.hpp"
#include "tests/platform/windows/support/running_program.hpp"

namespace nwmp::windows_platform {
namespace {

constexpr DWORD kBound = 30000;

bool waitUntil(const std::function<bool()>& condition) {
    return windows_testing::pumpUntil(condition, kBound);
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        std::max(GetWindowTextW(window, text.data(), static_cast<int>(text.size())), 0)));
    return text;
}

bool pointerShowing() {
    CURSORINFO info{};
    info.cbSize = sizeof(info);
    return GetCursorInfo(&info) && (info.flags & CURSOR_SHOWING) != 0;
}

// A folder as an installation leaves it: the program, its settings file, the media the
// stand-in control knows (the control plays them by name; the files only have to exist).
struct Installation {
    explicit Installation(const std::wstring& name, const std::wstring& settings)
        : place(name), folder(place.path()) {
        for (const wchar_t* media : {L"tagged.mp3", L"tagged.avi", L"untagged.avi", L"tone.wav"}) {
            HANDLE file = CreateFileW((folder + L"\\" + media).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, 0, nullptr);
            CloseHandle(file);
        }
        writeSettings(settings);
    }
    void writeSettings(const std::wstring& text) const {
        DeleteFileW(ini().c_str());
        if (!text.empty()) {
            const std::string bytes = narrow(text);
            HANDLE file =
                CreateFileW(ini().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            DWORD written = 0;
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
            CloseHandle(file);
        }
    }
    std::wstring program(const char* built, const wchar_t* name) const {
        const std::wstring path = place.copy(built, std::wstring(name) + L".exe");
        EXPECT_FALSE(path.empty());
        return path;
    }
    std::wstring ini() const { return place.settingsFile(); }
    std::wstring read(const wchar_t* section, const wchar_t* key) const {
        wchar_t value[1024] = {};
        GetPrivateProfileStringW(section, key, L"<none>", value, 1024, ini().c_str());
        return value;
    }
    bool settingsExist() const {
        return GetFileAttributesW(ini().c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    const windows_testing::InstallFolder place;
    const std::wstring folder;
};

BOOL CALLBACK findEngineWindow(HWND child, LPARAM found) {
    wchar_t name[64] = {};
    GetClassNameW(child, name, 64);
    if (std::wstring_view(name) == L"NwmpStandInEngine") {
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
    }
    return TRUE;
}

// A running player program.
class Player : public windows_testing::RunningProgram {
  public:
    Player(const std::wstring& program, const std::wstring& arguments)
        : RunningProgram(L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments)) {}

    bool ended() const { return endsWithin(std::chrono::milliseconds(kBound)); }

    // The first top-level window of this process of the class, once it exists.
    HWND window(const wchar_t* windowClass = kMainWindowClass) const {
        HWND found = nullptr;
        waitUntil([&] { return (found = topWindow(windowClass)) != nullptr; });
        return found;
    }

    // Whether the caption comes to match pattern; caption() is the last one seen.
    bool shows(const std::string& pattern) {
        const HWND main = window();
        const std::regex wanted(pattern);
        return waitUntil([&] {
            caption_ = narrow(windowText(main));
            return std::regex_match(caption_, wanted);
        });
    }
    const std::string& caption() const { return caption_; }

    // A key as the engine control reports it: the control has the keyboard focus. The main
    // window, with its first caption, exists before the control is hosted in it.
    void press(WORD key) const {
        HWND control = nullptr;
        const HWND main = window();
        waitUntil([&] {
            EnumChildWindows(main, findEngineWindow, reinterpret_cast<LPARAM>(&control));
            return control != nullptr;
        });
        ASSERT_NE(control, nullptr);
        PostMessageW(control, WM_KEYDOWN, key, 1);
    }

    // The text of the message box the program shows, which is then dismissed.
    std::string message() const {
        const HWND box = window(L"#32770");
        wchar_t text[1024] = {};
        // The box's text is set once the box exists.
        waitUntil([&] { return GetDlgItemTextW(box, 0xFFFF, text, 1024) > 0; });
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return narrow(text);
    }

  private:
    std::string caption_;
};

class PlayerPrograms : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_EQ(DllRegisterServer(), S_OK); }
    static void TearDownTestSuite() { DllUnregisterServer(); }
};

constexpr wchar_t kSaveEverything[] = L"[Norvalent WMP 3]\r\nScreenInfoSave=1\r\nResumePlay=1\r\n";

TEST_F(PlayerPrograms, PemraShowsPlayInformationAndStoresWhereItWasOnEsc) {
    Installation installation(L"nwmp pemra 再生", kSaveEverything);
    const auto program = installation.program(NWMP_PEMRA_EXE, L"NorvalentWMP3TEPemra");

    {
        Player player(program, L"\"" + installation.folder + L"\\tagged.mp3\"");
        // An mp3 is named by its clip information, a position that runs with the clock.
        EXPECT_TRUE(player.shows(R"(テストの歌/試験 演奏者 \[00:0[1-9]/00:08\])"))
            << player.caption();
        player.press(VK_ESCAPE);
        ASSERT_TRUE(player.ended());
        EXPECT_EQ(player.exitCode(), 0u);
    }
    EXPECT_EQ(installation.read(L"ResumeInfo", L"FilePath"), installation.folder + L"\\tagged.mp3");
    EXPECT_NE(installation.read(L"ResumeInfo", L"Position"), L"<none>");
    EXPECT_EQ(installation.read(L"Screen", L"Height"), L"409");  // the default outer size
    EXPECT_EQ(installation.read(L"Screen", L"Width"), L"480");

    {
        // Any other file is named by its file name; X adds the end-of-play mark.
        Player player(program, L"\"" + installation.folder + L"\\tagged.avi\"");
        EXPECT_TRUE(player.shows(R"(tagged\.avi \[00:0\d/00:08\])")) << player.caption();
        player.press('X');
        EXPECT_TRUE(player.shows(R"(tagged\.avi \[00:0\d/00:08\] E)")) << player.caption();
        player.press(VK_ESCAPE);
        ASSERT_TRUE(player.ended());
    }
}

TEST_F(PlayerPrograms, EachStartReplacesTheRunningPlayerWhichSavesItsPlaceFirst) {
    Installation installation(L"nwmp hand-off",
                              L"[Norvalent WMP 3]\r\nNotMultiStart=1\r\nResumePlay=1\r\n");
    const auto standard = installation.program(NWMP_STANDARD_EXE, L"NorvalentWMP3TE");
    const auto pemra = installation.program(NWMP_PEMRA_EXE, L"NorvalentWMP3TEPemra");

    Player first(standard, L"\"" + installation.folder + L"\\untagged.avi\"");
    ASSERT_TRUE(first.shows(R"(untagged\.avi \[00:0[1-9]/00:08\])")) << first.caption();
    // The replacement resumes what the first player played, where it stopped.
    Player second(pemra, L"");
    ASSERT_TRUE(first.ended());
    EXPECT_EQ(installation.read(L"ResumeInfo", L"FilePath"),
              installation.folder + L"\\untagged.avi");
    EXPECT_TRUE(second.shows(R"(untagged\.avi \[00:0[1-9]/00:08\])")) << second.caption();
    // A replacement that shows play information is replaced in turn.
    Player third(standard, L"");
    ASSERT_TRUE(second.ended());
    EXPECT_TRUE(third.shows(R"(untagged\.avi \[00:0[1-9]/00:08\])")) << third.caption();
    third.press(VK_ESCAPE);
    EXPECT_TRUE(third.ended());
}

TEST_F(PlayerPrograms, DaskCoversTheScreenOnTopWithoutAPointer) {
    Installation installation(L"nwmp dask", L"");
    const auto program = installation.program(NWMP_DASK_EXE, L"NorvalentWMP3TEDask");

    Player player(program, L"\"" + installation.folder + L"\\tone.wav\"");
    const HWND window = player.window();
    RECT expected{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT actual{};
    EXPECT_TRUE(waitUntil([&] {
        GetWindowRect(window, &actual);
        return EqualRect(&actual, &expected) && IsWindowVisible(window);
    })) << actual.right
        << "x" << actual.bottom;
    EXPECT_NE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    EXPECT_TRUE(waitUntil([] { return !pointerShowing(); }));
    player.press(VK_ESCAPE);
    ASSERT_TRUE(player.ended());
    // Nothing to store without its switches; the settings file stays as it was (none).
    EXPECT_FALSE(installation.settingsExist());
    EXPECT_TRUE(waitUntil(pointerShowing));
}

TEST_F(PlayerPrograms, TStartsTheSettingsToolFromThePlayersFolder) {
    Installation installation(L"nwmp tool", L"");
    const auto program = installation.program(NWMP_STANDARD_EXE, L"NorvalentWMP3TE");
    installation.program(NWMP_TOOL_STAND_IN_EXE, L"NorvalentWMP3set");
    HANDLE started = CreateEventW(nullptr, TRUE, FALSE, nwmp::testing::kStartedEvent);
    ASSERT_NE(started, nullptr);

    Player player(program, L"");
    EXPECT_TRUE(player.shows("Norvalent WMP 3 TE")) << player.caption();
    player.press('T');
    EXPECT_EQ(WaitForSingleObject(started, 30000), WAIT_OBJECT_0);
    CloseHandle(started);
    player.press(VK_ESCAPE);
    EXPECT_TRUE(player.ended());
}

TEST_F(PlayerPrograms, WithoutTheEngineControlThePlayerSaysSoAndWritesNothing) {
    Installation installation(L"nwmp missing", L"");
    const auto program = installation.program(NWMP_KOVEX_EXE, L"NorvalentWMP3TEKOVEX");
    DllUnregisterServer();
    Player player(program, L"\"" + installation.folder + L"\\tone.wav\"");
    EXPECT_EQ(player.message(), windows::kEngineMissingMessage);
    ASSERT_TRUE(player.ended());
    EXPECT_EQ(player.exitCode(), 1u);
    EXPECT_FALSE(installation.settingsExist());
    ASSERT_EQ(DllRegisterServer(), S_OK);
}

// A window that cannot be made: the program says so, ends with 1 and writes nothing.
TEST_F(PlayerPrograms, AStartWithoutItsWindowsSaysSoAndEndsWithOne) {
    Installation installation(L"nwmp refused", L"");
    const auto program = installation.program(NWMP_REFUSED_WINDOWS_EXE, L"refused_windows");
    for (const auto& [which, expected] : {std::pair{L"player-main", kWindowFailedMessage},
                                          std::pair{L"player-application", kWindowFailedMessage},
                                          std::pair{L"tool", kToolWindowFailedMessage}}) {
        Player player(program, which);
        EXPECT_EQ(player.message(), expected) << narrow(which);
        ASSERT_TRUE(player.ended());
        EXPECT_EQ(player.exitCode(), 1u) << narrow(which);
        EXPECT_FALSE(installation.settingsExist());
    }
}

}  // namespace
}  // namespace nwmp::windows_platform

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
