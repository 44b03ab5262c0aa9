#pragma once

// Waiting, with a bound, for something that the thread's windows bring about: runs their
// messages until the condition holds or the time is up, never sleeping a fixed time instead.

#include <windows.h>

#include <functional>

namespace nwmp::windows_testing {

inline bool pumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!done()) {
        const ULONGLONG now = GetTickCount64();
        if (now >= end) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

}  // namespace nwmp::windows_testing
