#pragma once

// How our values are spelt in desktop entries: the escapes of string values, the quoting of a
// program in Exec, and the names of our own entries.

#include <optional>
#include <string>
#include <string_view>

namespace nwmp::xdg {

// The prefix of every desktop entry, MIME package and MIME type this service writes; removal
// touches only names that carry it.
inline constexpr std::string_view kOwnPrefix = "norvalent-wmp3-";

// The key that marks a desktop entry as ours and lists the extensions registered through it.
inline constexpr std::string_view kExtensionsKey = "X-Norvalent-WMP3-Extensions";

// The program of an open command "program %1"; nothing for a command of another form, a relative
// path or a path with control characters or '%'. One pair of enclosing quotes is taken off.
std::optional<std::string> programPathFromOpenCommand(std::string_view openCommand);

// A string value with backslash, line breaks, tab and a leading blank escaped.
std::string escapeStringValue(std::string_view text);

// The Exec value that runs `program` with one file: the program is quoted when it holds a blank
// or a character the shell would read, with '"', '`', '$' and '\' escaped inside the quotes and
// '%' doubled, then escaped as a string value.
std::string execLine(std::string_view program);

// "norvalent-wmp3-<name>-<hash>.desktop": stable for one program path, different for another,
// so that each edition keeps its own entry.
std::string desktopFileNameFor(std::string_view program);

}  // namespace nwmp::xdg
