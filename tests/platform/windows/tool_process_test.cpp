// The settings tool's single copy: a second copy sees the first for as long as it runs.

#include <gtest/gtest.h>

#include "platform/windows/settings_tool/win_tool_process.hpp"

namespace nwmp::windows_platform {
namespace {

TEST(ToolProcess, ASecondCopySeesTheFirstWhileItRuns) {
    {
        WinToolProcess first;
        EXPECT_FALSE(first.anotherCopyRunning());
        WinToolProcess second;
        EXPECT_TRUE(second.anotherCopyRunning());
    }
    EXPECT_FALSE(WinToolProcess().anotherCopyRunning());
}

}  // namespace
}  // namespace nwmp::windows_platform
