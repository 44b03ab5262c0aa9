#pragma once

// One copy of the settings tool per session: the first copy holds a named mutex for its whole
// run, and the system drops it however that copy ends (a crash cannot leave it behind). The name
// is the tool's own, so a running player never counts.

#include <windows.h>

#include "settings_tool/tool_process.hpp"

namespace nwmp::windows_platform {

inline constexpr wchar_t kSingleCopyName[] = L"Local\\NorvalentWMP3set.SingleCopy";

class WinSingleCopy final : public ToolProcess {
  public:
    WinSingleCopy();
    ~WinSingleCopy() override;
    WinSingleCopy(const WinSingleCopy&) = delete;
    WinSingleCopy& operator=(const WinSingleCopy&) = delete;

    bool anotherCopyRunning() override { return anotherCopy_; }
    void endNow() override;

  private:
    HANDLE mutex_ = nullptr;
    bool anotherCopy_ = false;
};

}  // namespace nwmp::windows_platform
