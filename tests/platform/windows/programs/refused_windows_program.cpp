// A player or the settings tool whose window class is taken, before it starts, by one that
// refuses every window, as when the system can make no more windows. Test code only.
//
//   refused_windows player-main | player-application | tool

#include <windows.h>
// After windows.h:
#include <shellapi.h>

#include <string>

#include "platform/windows/player/player_window_classes.hpp"
#include "platform/windows/programs/run_player.hpp"
#include "platform/windows/settings_tool/run_settings_tool.hpp"
#include "platform/windows/settings_tool/win_settings_window.hpp"
#include "player/editions/standard_edition.hpp"

namespace {

LRESULT CALLBACK refuse(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == WM_NCCREATE ? FALSE : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int main() {
    using namespace nwmp::windows_platform;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const std::wstring which = count > 1 ? arguments[1] : L"";
    WNDCLASSEXW taken{};
    taken.cbSize = sizeof(taken);
    taken.lpfnWndProc = refuse;
    taken.hInstance = GetModuleHandleW(nullptr);
    taken.lpszClassName = which == L"player-main"          ? kMainWindowClass
                          : which == L"player-application" ? kApplicationWindowClass
                                                           : kSettingsWindowClass;
    if (RegisterClassExW(&taken) == 0) {
        return 90;
    }
    return which == L"tool" ? runSettingsTool(taken.hInstance)
                            : runPlayer(nwmp::editions::kStandard);
}
