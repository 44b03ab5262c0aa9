#pragma once

// What NorvalentWMP3set.exe runs: the core's NWMPset in its Win32 window, over the settings
// file beside the program.

#include <windows.h>

namespace nwmp::windows_platform {

// What the tool shows before it ends when its window cannot be made.
inline constexpr char kToolWindowFailedMessage[] =
    "設定ツールのウィンドウを作成できませんでした。設定ツールを終了します。";

// Runs the tool until it ends; returns the program's exit status.
int runSettingsTool(HINSTANCE instance);

}  // namespace nwmp::windows_platform
