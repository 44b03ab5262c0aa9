#include "platform/windows/settings_tool/win_tool_process.hpp"

namespace nwmp::windows_platform {

namespace {

constexpr wchar_t kCopyName[] = L"Local\\NorvalentWMP3set.Copy";

}  // namespace

WinToolProcess::WinToolProcess() {
    copy_ = CreateMutexW(nullptr, FALSE, kCopyName);
    anotherCopy_ = copy_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
}

WinToolProcess::~WinToolProcess() {
    if (copy_ != nullptr) {
        CloseHandle(copy_);
    }
}

void WinToolProcess::endNow() {
    ExitProcess(0);
}

}  // namespace nwmp::windows_platform
