#include "platform/windows/settings_tool/win_single_copy.hpp"

namespace nwmp::windows_platform {

WinSingleCopy::WinSingleCopy() {
    mutex_ = CreateMutexW(nullptr, FALSE, kSingleCopyName);
    // Made by a copy running under another user's rights, the object may not open at all:
    // that too is another copy.
    const DWORD error = GetLastError();
    anotherCopy_ =
        error == ERROR_ALREADY_EXISTS || (mutex_ == nullptr && error == ERROR_ACCESS_DENIED);
}

WinSingleCopy::~WinSingleCopy() {
    if (mutex_ != nullptr) {
        CloseHandle(mutex_);
    }
}

void WinSingleCopy::endNow() {
    ExitProcess(0);
}

}  // namespace nwmp::windows_platform
