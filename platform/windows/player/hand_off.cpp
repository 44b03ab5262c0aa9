#include "platform/windows/player/hand_off.hpp"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/windows/player/application_window.hpp"
#include "platform/windows/player/player_window_classes.hpp"
#include "platform/windows/shared/wide_text.hpp"
#include "player/hand_off_search.hpp"

namespace nwmp::windows_platform {

namespace {

std::wstring windowText(HWND window) {
    // Another process's title is read from the system's copy: a hung player cannot stall this.
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text;
}

// The players of other processes, each once, in the z-order of its topmost window: what the
// shared search rule reads, and per player the window to send the close request to.
struct Players {
    std::vector<RunningPlayer> players;
    std::vector<HWND> windows;
    std::vector<bool> hasStartTitle, hasCaption;
};

BOOL CALLBACK visit(HWND window, LPARAM context) {
    auto& found = *reinterpret_cast<Players*>(context);
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
    auto at = std::find_if(found.players.begin(), found.players.end(),
                           [process](const RunningPlayer& p) { return p.processId == process; });
    if (at == found.players.end()) {
        found.players.push_back({.processId = process, .startTitle = {}, .caption = {}});
        found.windows.push_back(window);
        found.hasStartTitle.push_back(false);
        found.hasCaption.push_back(false);
        at = found.players.end() - 1;
    }
    const auto index = static_cast<std::size_t>(at - found.players.begin());
    const std::string text = narrow(windowText(window));
    if (std::wstring_view(className) == kApplicationWindowClass) {
        at->startTitle = narrow(applicationStartTitle(window).value_or(widen(text)));
        found.hasStartTitle[index] = true;
        found.windows[index] = window;  // its close request closes the whole player
    } else {
        at->caption = text;
        found.hasCaption[index] = true;
    }
    return TRUE;
}

}  // namespace

bool closeRunningPlayer(std::wstring_view title, std::chrono::milliseconds wait) {
    Players found;
    EnumWindows(visit, reinterpret_cast<LPARAM>(&found));
    // A player seen by one window only answers by that window's title either way.
    for (std::size_t i = 0; i < found.players.size(); ++i) {
        if (!found.hasStartTitle[i]) {
            found.players[i].startTitle = found.players[i].caption;
        } else if (!found.hasCaption[i]) {
            found.players[i].caption = found.players[i].startTitle;
        }
    }
    const auto target = handOffTarget(found.players, narrow(title), GetCurrentProcessId());
    if (!target) {
        return false;
    }
    const HWND player = found.windows[*target];
    const auto deadline = std::chrono::steady_clock::now() + wait;
    DWORD processId = 0;
    GetWindowThreadProcessId(player, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);

    DWORD_PTR answer = 0;
    const auto bound = static_cast<UINT>(std::clamp<long long>(wait.count(), 0, 0x7fffffff));
    const LRESULT sent =
        SendMessageTimeoutW(player, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, bound, &answer);

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
