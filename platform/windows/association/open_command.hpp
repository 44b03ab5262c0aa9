#pragma once

// The open command as the registry gets it on Windows. The shell splits an unquoted command at
// its first blank, so "C:\Program Files\x.exe %1" would start "C:\Program" (or a program planted
// there): a program path holding a blank is quoted. "%1" stays as it is; the player takes the
// quotes off the file path itself.

#include <string>
#include <string_view>

namespace nwmp::windows_platform::association {

// The program path of a command made as "path %1" (the core's form); the whole text otherwise.
std::string programPathOf(std::string_view openCommand);

// The program path, quoted when it holds a blank or a tab and is not quoted yet, a blank, "%1".
std::string registryOpenCommand(std::string_view programPath);

}  // namespace nwmp::windows_platform::association
