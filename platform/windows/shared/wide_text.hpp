#pragma once

// The core keeps text in UTF-8; every Win32 call here is a "W" function taking UTF-16.

#include <string>
#include <string_view>

namespace nwmp::windows_platform {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace nwmp::windows_platform
