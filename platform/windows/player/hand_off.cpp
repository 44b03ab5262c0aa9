#include "platform/windows/player/hand_off.hpp"

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/windows/player/player_window_classes.hpp"

namespace nwmp::windows_platform {

namespace {

struct Search {
    std::wstring_view title;
    HWND found = nullptr;
};

std::wstring windowText(HWND window) {
    // Another process's title is read from the system's copy: a hung player cannot stall this.
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text;
}

BOOL CALLBACK visit(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        return TRUE;  // this player's own windows never answer
    }
    wchar_t className[64] = {};
    if (GetClassNameW(window, className, static_cast<int>(std::size(className))) == 0 ||
        !isPlayerWindowClass(className)) {
        return TRUE;
    }
    if (windowText(window) != search.title) {
        return TRUE;
    }
    search.found = window;
    return FALSE;
}

}  // namespace

bool closeRunningPlayer(std::wstring_view title, std::chrono::milliseconds wait) {
    Search search{title};
    EnumWindows(visit, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) {
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    DWORD processId = 0;
    GetWindowThreadProcessId(search.found, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);

    DWORD_PTR answer = 0;
    const auto bound = static_cast<UINT>(std::clamp<long long>(wait.count(), 0, 0x7fffffff));
    const LRESULT sent =
        SendMessageTimeoutW(search.found, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, bound, &answer);

    // The close request has been handled; the player's shut-down may go on after it (its
    // window closing ends the process), and the resume data it saves must be on disk before
    // this player reads them. A player that did not answer is not waited for.
    if (process != nullptr) {
        if (sent != 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            WaitForSingleObject(process, static_cast<DWORD>(std::max<long long>(left.count(), 0)));
        }
        CloseHandle(process);
    }
    return true;
}

}  // namespace nwmp::windows_platform
