#pragma once

// The running program's own file and folder (both programs keep their settings beside it).

#include <string>

namespace nwmp::windows_platform {

// The full path of the running program's file.
std::wstring programFilePath();

// Its folder, without a closing backslash (a drive's root keeps its "C:" form).
std::wstring programFolder();

}  // namespace nwmp::windows_platform
