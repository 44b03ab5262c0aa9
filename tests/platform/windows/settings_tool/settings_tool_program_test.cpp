// NorvalentWMP3set.exe end to end under Wine: the real program in a folder of its own (a blank
// and Japanese in its name), driven by window messages, its registry entries and settings file
// read afterwards. Every wait is bounded.

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/windows/settings_tool/win_settings_window.hpp"
#include "platform/windows/shared/wide_text.hpp"
#include "tests/platform/windows/support/pump_until.hpp"
#include "tests/platform/windows/support/running_program.hpp"

namespace nwmp::windows_platform {
namespace {

// Polls until the condition holds or the bound has passed; gives the last answer.
bool waitUntil(const std::function<bool()>& condition) {
    return windows_testing::pumpUntil(condition, 30000);
}

// A fresh folder holding a copy of the tool, as an installation would.
struct InstalledTool : windows_testing::InstallFolder {
    explicit InstalledTool(const std::wstring& name) : InstallFolder(name) {
        EXPECT_FALSE(copy(NWMP_SETTINGS_TOOL_EXE, L"NorvalentWMP3set.exe").empty());
    }
};

// The tool started from its folder, as Explorer starts it.
struct Running : windows_testing::RunningProgram {
    explicit Running(const std::wstring& folder)
        : RunningProgram(L"\"" + folder + L"\\NorvalentWMP3set.exe\"", folder) {}
    bool ended() const { return endsWithin(std::chrono::milliseconds(0)); }
};

HWND waitForWindow(const Running& running, const wchar_t* windowClass) {
    HWND found = nullptr;
    waitUntil([&] {
        found = running.topWindow(windowClass, true);
        return found != nullptr || running.ended();
    });
    return found;
}

// The text of the message box the program shows now; the box is then dismissed.
std::string dismissMessage(const Running& running) {
    const HWND box = waitForWindow(running, L"#32770");
    if (box == nullptr) {
        return "(no message box)";
    }
    wchar_t text[1024] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    waitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); });
    return narrow(text);
}

void click(HWND window, int id) {
    PostMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0);
}

// A click that shows no message box, finished when this returns.
void clickQuietly(HWND window, int id) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(GetDlgItem(window, id), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 10000, &result);
}

std::string iniText(const std::wstring& folder) {
    const HANDLE file =
        CreateFileW((folder + L"\\nwmpset.ini").c_str(), GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string text(64 * 1024, '\0');
    DWORD read = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(file);
    text.resize(read);
    std::string lines;
    for (char c : text) {
        if (c != '\r') {
            lines += c;
        }
    }
    return lines;
}

std::optional<std::string> classesValue(const std::string& key, const wchar_t* name = nullptr) {
    wchar_t buffer[1024];
    DWORD size = sizeof(buffer);
    const std::wstring path = L"Software\\Classes\\" + widen(key);
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer,
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return narrow(buffer);
}

bool classesKeyExists(const std::string& key) {
    HKEY handle = nullptr;
    const std::wstring path = L"Software\\Classes\\" + widen(key);
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(handle);
    return true;
}

TEST(SettingsToolProgram, AssociatesRemovesRefusesAndSavesThroughItsWindow) {
    const InstalledTool install(L"nwmp ツール e2e");
    const std::wstring& folder = install.path();
    const std::string folderText = narrow(folder);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\.mp3");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\mp3file");
    Running tool(folder);
    const HWND window = waitForWindow(tool, kSettingsWindowClass);
    ASSERT_NE(window, nullptr);

    // Tick mp3 and press "関連設定".
    clickQuietly(window, kKanrenId + 4);
    click(window, kCommandId + 3);
    EXPECT_EQ(dismissMessage(tool), "関連付け設定しました");
    EXPECT_EQ(classesValue(".mp3"), "mp3file");
    EXPECT_TRUE(classesKeyExists("mp3file"));
    EXPECT_EQ(classesValue("mp3file"), std::nullopt);
    EXPECT_EQ(classesValue("mp3file\\DefaultIcon"), folderText + "\\icon\\mp3.ico");
    EXPECT_EQ(classesValue("mp3file\\Shell"), "Open");
    EXPECT_EQ(classesValue("mp3file\\Shell\\Open"), "Open");
    EXPECT_EQ(classesValue("mp3file\\Shell\\Open\\Command"),
              "\"" + folderText + "\\NorvalentWMP3TE.exe\" %1");
    const std::string afterSet = iniText(folder);
    EXPECT_NE(afterSet.find("[KeepConnect]\n"), std::string::npos) << afterSet;
    EXPECT_NE(afterSet.find(".mp3=1\n"), std::string::npos) << afterSet;
    for (const char* zero : {".avi=0\n", ".asf=0\n", ".mov=0\n", ".mid=0\n", ".mpg=0\n", ".wav=0\n",
                             ".wma=0\n", ".wmv=0\n", ".wvx=0\n", ".asx=0\n", "\n=0\n"}) {
        EXPECT_NE(afterSet.find(zero), std::string::npos) << zero << afterSet;
    }

    // Another program's value under .mp3 outlives "関連解除".
    HKEY mp3 = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Classes\\.mp3", 0, KEY_SET_VALUE, &mp3),
              ERROR_SUCCESS);
    const std::wstring contentType = L"audio/mpeg";
    RegSetValueExW(mp3, L"Content Type", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(contentType.c_str()),
                   static_cast<DWORD>((contentType.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(mp3);
    click(window, kCommandId + 4);
    EXPECT_EQ(dismissMessage(tool), "関連付け解除しました");
    EXPECT_FALSE(classesKeyExists("mp3file"));
    EXPECT_EQ(classesValue(".mp3"), std::nullopt);
    EXPECT_EQ(classesValue(".mp3", L"Content Type"), "audio/mpeg");
    EXPECT_NE(iniText(folder).find(".mp3=0\n"), std::string::npos);

    // A program type typed as the user's own extension is refused before anything is written.
    clickQuietly(window, kKanrenId + 4);
    clickQuietly(window, kKanrenId + 11);
    SendMessageTimeoutW(GetDlgItem(window, kText2Id), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(L"exe"), SMTO_ABORTIFHUNG, 10000, nullptr);
    const std::string beforeRefusal = iniText(folder);
    click(window, kCommandId + 3);
    EXPECT_EQ(dismissMessage(tool).rfind("拡張子「exe」", 0), 0u);
    EXPECT_FALSE(classesKeyExists(".exe\\Shell"));
    EXPECT_FALSE(classesKeyExists("exefile"));
    EXPECT_EQ(iniText(folder), beforeRefusal);

    // "設定" writes the eight switches and the screen mode, then the tool ends.
    clickQuietly(window, kCheckId + 2);
    click(window, kCommandId + 1);
    ASSERT_TRUE(waitUntil([&] { return tool.ended(); }));
    const std::string saved = iniText(folder);
    for (const char* line : {"AlwaysFront=0\n", "OriginalFit=0\n", "ScreenSaverOFF=1\n",
                             "ScreenInfoSave=0\n", "NotMultiStart=0\n", "NotPlayInfoDisplay=0\n",
                             "ResumePlay=0\n", "PlayEndExitPlayer=0\n", "ScreenMode=0\n"}) {
        EXPECT_NE(saved.find(line), std::string::npos) << line << saved;
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\.mp3");
}

// Twips as pixels at the display's dots per inch, as the window is meant to convert them.
int pixels(int twips, int axis) {
    const HDC screen = GetDC(nullptr);
    const int dots = GetDeviceCaps(screen, axis);
    ReleaseDC(nullptr, screen);
    return MulDiv(twips, dots, 1440);
}

TEST(SettingsToolProgram, ASecondCopySaysSoAndEndsLeavingTheFirst) {
    const InstalledTool install(L"nwmp-single");
    const std::wstring& folder = install.path();
    Running first(folder);
    const HWND window = waitForWindow(first, kSettingsWindowClass);
    ASSERT_NE(window, nullptr);

    // The client area and a control at their design places, in tab order.
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    EXPECT_EQ(client.right, pixels(4665, LOGPIXELSX));
    EXPECT_EQ(client.bottom, pixels(4965, LOGPIXELSY));
    EXPECT_EQ(origin.x, pixels(3645, LOGPIXELSX));
    EXPECT_EQ(origin.y, pixels(2910, LOGPIXELSY));
    RECT box{};
    GetWindowRect(GetDlgItem(window, kKanrenId + 10), &box);  // "asx", third in its row
    EXPECT_EQ(box.left - origin.x, pixels(1560, LOGPIXELSX));
    EXPECT_EQ(box.top - origin.y, pixels(3900, LOGPIXELSY));
    const auto nextTab = [&](int id) {
        return GetDlgCtrlID(GetNextDlgTabItem(window, GetDlgItem(window, id), FALSE));
    };
    EXPECT_EQ(nextTab(kCheckId + 3), kCombo1Id);
    EXPECT_EQ(nextTab(kKanrenId + 1), kKanrenId + 10);
    EXPECT_EQ(nextTab(kCommandId + 2), kCheckId + 4);

    Running second(folder);
    EXPECT_EQ(dismissMessage(second), "既に起動されています。");
    ASSERT_TRUE(waitUntil([&] { return second.ended(); }));
    EXPECT_EQ(second.topWindow(kSettingsWindowClass, true), nullptr);
    EXPECT_FALSE(first.ended());
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(iniText(folder).empty());  // the second copy read and wrote nothing

    click(window, kCommandId + 2);
    EXPECT_TRUE(waitUntil([&] { return first.ended(); }));
}

// Later controls of the form lie over earlier ones. For every control, the window found at the
// centre of the part no later control covers is that control (or the combo's own text field).
TEST(SettingsToolProgram, EachControlAnswersAtTheCentreOfWhatShowsOfIt) {
    const InstalledTool install(L"nwmp-stacking");
    const std::wstring& folder = install.path();
    Running tool(folder);
    const HWND window = waitForWindow(tool, kSettingsWindowClass);
    ASSERT_NE(window, nullptr);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    std::vector<std::pair<std::string, int>> form;
    for (std::size_t i = 0; i < kOptionBoxCount; ++i) {
        form.emplace_back("Check" + std::to_string(i), kCheckId + static_cast<int>(i));
    }
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        form.emplace_back("kanren1 " + std::to_string(i), kKanrenId + static_cast<int>(i));
    }
    int labels = 0;
    for (const ControlLayout& layout : kOtherControls) {
        const std::string name(layout.name);
        const int id = layout.kind == ControlKind::Label ? kLabelId + labels++
                       : name == "Combo1"                ? kCombo1Id
                       : name == "Text1"                 ? kText1Id
                       : name == "Text2"                 ? kText2Id
                                                         : kCommandId + (name.back() - '0');
        form.emplace_back(name, id);
    }
    for (std::size_t i = 0; i < form.size(); ++i) {
        const HWND control = GetDlgItem(window, form[i].second);
        RECT shown{};
        GetWindowRect(control, &shown);
        for (std::size_t j = i + 1; j < form.size(); ++j) {
            RECT above{};
            RECT overlap{};
            GetWindowRect(GetDlgItem(window, form[j].second), &above);
            if (!IntersectRect(&overlap, &shown, &above)) {
                continue;
            }
            // Every overlap of this layout covers a strip along one side.
            const bool fullHeight = above.top <= shown.top && above.bottom >= shown.bottom;
            LONG& low = fullHeight ? shown.left : shown.top;
            LONG& high = fullHeight ? shown.right : shown.bottom;
            const LONG aboveNear = fullHeight ? above.left : above.top;
            const LONG aboveFar = fullHeight ? above.right : above.bottom;
            if (aboveNear > low) {
                high = aboveNear;
            } else {
                low = aboveFar;
            }
        }
        ASSERT_FALSE(IsRectEmpty(&shown)) << form[i].first << " is covered whole";
        const POINT centre{(shown.left + shown.right) / 2, (shown.top + shown.bottom) / 2};
        const HWND found = WindowFromPoint(centre);
        EXPECT_TRUE(found == control || GetParent(found) == control)
            << form[i].first << " gives way to control " << GetDlgCtrlID(found);
    }
    click(window, kCommandId + 2);
    EXPECT_TRUE(waitUntil([&] { return tool.ended(); }));
}

}  // namespace
}  // namespace nwmp::windows_platform
