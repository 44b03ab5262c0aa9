#pragma once

// Waiting, with a bound, for something that the thread's windows or another process bring
// about: runs the thread's messages until the condition holds or the time is up, never sleeping
// a fixed time instead. Another process's doings send no message here, hence the short polls.

#include <windows.h>

#include <algorithm>
#include <functional>

namespace nwmp::windows_testing {

inline bool pumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!done()) {
        const ULONGLONG now = GetTickCount64();
        if (now >= end) {
            return false;
        }
        MsgWaitForMultipleObjects(
            0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 20)), QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

}  // namespace nwmp::windows_testing
