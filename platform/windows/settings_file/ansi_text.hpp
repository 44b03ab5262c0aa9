#pragma once

// Text at the boundary between the core, which keeps UTF-8, and Windows: wide strings for the
// "W" functions and the system's ANSI code page (932 on a Japanese system) for settings files
// without a byte-order mark, as the Windows profile functions keep them.

#include <optional>
#include <string>
#include <string_view>

namespace nwmp::windows {

// Nothing when text is not well-formed UTF-8.
std::optional<std::wstring> wideFromUtf8(std::string_view text);
std::string utf8FromWide(std::wstring_view text);

// Bytes in the ANSI code page as UTF-8. Bytes the code page does not define come out as some
// replacement; ansiFromUtf8 will then not give the same bytes back.
std::string utf8FromAnsi(std::string_view bytes);

// Nothing when the code page cannot hold every character exactly: no best-fit look-alikes and
// no question marks, so that nothing is stored garbled.
std::optional<std::string> ansiFromUtf8(std::string_view text);

}  // namespace nwmp::windows
