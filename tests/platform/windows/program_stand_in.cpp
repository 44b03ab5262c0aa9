// Built once under the name of each of the five programs, with that program's icon, manifest
// and version block; the tests start it as a running player, as the settings tool, or to see
// what the platform tells a program with our manifest.
//
//   (no argument)                 signals kStartedEvent and ends
//   version                       ends with major * 100 + minor of the platform version
//   twips                         ends with twips per pixel (x) times 100
//   presence                      ends with 1 when a player was running when it started, else 0
//   window player|application|foreign TITLE EVENT [hung]
//                                 a hidden top-level window titled TITLE: a player's main window,
//                                 its application window, or another program's; signals EVENT
//                                 once it exists; ends with 0 on WM_CLOSE, or with "hung" never
//                                 reads a message

#include <windows.h>
// After windows.h:
#include <shellapi.h>

#include <memory>
#include <string>

#include "platform/windows/player/application_window.hpp"
#include "platform/windows/player/player_presence.hpp"
#include "platform/windows/player/player_window_classes.hpp"
#include "platform/windows/player/win_platform_services.hpp"
#include "platform/windows/shared/wide_text.hpp"
#include "stand_in_names.hpp"

namespace {

using namespace nwmp::windows_platform;

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND makeWindow(const std::wstring& kind, const std::wstring& title) {
    const wchar_t* className =
        kind == L"player" ? kMainWindowClass : nwmp::testing::kForeignWindowClass;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, className, title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                           nullptr, nullptr, windowClass.hInstance, nullptr);
}

int showWindow(const std::wstring& kind, const std::wstring& title, const std::wstring& event,
               bool hung) {
    std::unique_ptr<ApplicationWindow> application;
    if (kind == L"application") {
        application =
            std::make_unique<ApplicationWindow>(narrow(title), [] { PostQuitMessage(0); });
    } else if (makeWindow(kind, title) == nullptr) {
        return 91;
    }
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, event.c_str());
    if (ready == nullptr || !SetEvent(ready)) {
        return 92;
    }
    CloseHandle(ready);
    if (hung) {
        // A player stuck in a long call: the test ends this process itself.
        WaitForSingleObject(GetCurrentProcess(), INFINITE);
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const std::wstring mode = count > 1 ? arguments[1] : L"";
    WinPlatformServices services(false);
    if (mode.empty()) {
        HANDLE started = OpenEventW(EVENT_MODIFY_STATE, FALSE, nwmp::testing::kStartedEvent);
        return started != nullptr && SetEvent(started) ? 0 : 93;
    }
    if (mode == L"version") {
        const nwmp::PlatformVersion version = services.Version();
        return static_cast<int>(version.major * 100 + version.minor);
    }
    if (mode == L"presence") {
        return PlayerPresence().previousInstance() ? 1 : 0;
    }
    if (mode == L"twips") {
        return static_cast<int>(services.TwipsPerPixelX() * 100 + 0.5);
    }
    if (mode == L"window" && count >= 5) {
        return showWindow(arguments[2], arguments[3], arguments[4],
                          count > 5 && std::wstring(arguments[5]) == L"hung");
    }
    return 99;
}
