#pragma once

// UTF-8 (the core's text) to and from UTF-16 (the "W" functions' text) for the association.

#include <string>
#include <string_view>

namespace nwmp::windows_platform::association {

std::wstring toUtf16(std::string_view utf8);
std::string toUtf8(std::wstring_view utf16);

}  // namespace nwmp::windows_platform::association
