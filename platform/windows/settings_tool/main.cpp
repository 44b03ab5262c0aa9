// NorvalentWMP3set: the settings tool. One window over the settings file beside the program.

#include <windows.h>

#include "platform/windows/settings_tool/run_settings_tool.hpp"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    return nwmp::windows_platform::runSettingsTool(instance);
}
