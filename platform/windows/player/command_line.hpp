#pragma once

// The player's command line as the shell hands it over.

#include <string>
#include <string_view>

namespace nwmp::windows_platform {

// The text after the program name: the name is the leading quoted part, or everything up to
// the first blank or tab; the blanks and tabs after it go too. The rest stays as it is, quotes
// and all, since the player itself decides what one path is.
std::wstring argumentText(std::wstring_view commandLine);

// The text without one pair of double quotes enclosing all of it, as the shell's own
// PathUnquoteSpaces does it.
std::wstring unquoted(std::wstring_view text);

}  // namespace nwmp::windows_platform
