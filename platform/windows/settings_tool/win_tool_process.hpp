#pragma once

// The settings tool's single copy on Windows: a named kernel object per session that the
// first copy holds for its whole run; the system drops it however the copy ends.

#include <windows.h>

#include "settings_tool/tool_process.hpp"

namespace nwmp::windows_platform {

class WinToolProcess : public ToolProcess {
  public:
    WinToolProcess();
    ~WinToolProcess() override;
    WinToolProcess(const WinToolProcess&) = delete;
    WinToolProcess& operator=(const WinToolProcess&) = delete;

    bool anotherCopyRunning() override { return anotherCopy_; }
    void endNow() override;

  private:
    HANDLE copy_ = nullptr;
    bool anotherCopy_ = false;
};

}  // namespace nwmp::windows_platform
