#pragma once

// The private-profile format over the text of a whole file: finding a key's value and producing
// the file's text with one key written. Both the real settings file and the in-memory one used
// by tests go through these functions, so they cannot drift apart.
//
// The format, as the Windows profile functions read and write it:
// - "[name]" opens a section; a line "key=value" holds one value; other lines are kept as they
//   are and otherwise ignored.
// - Section and key names are compared without regard to ASCII letter case; other bytes (such
//   as Japanese text) compare exactly. Blanks around names and values are ignored.
// - A line whose first non-blank character is ';' is a comment.
// - LF and CRLF line endings are read alike; a UTF-8 byte order mark at the start is skipped.
// - Where a section or key appears twice, the first occurrence counts.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nwmp::ini {

// The key's value as stored (blanks around it removed, quotes kept), or nothing when the key is
// missing.
std::optional<std::string_view> findValue(std::string_view fileText, std::string_view section,
                                          std::string_view key);

// The integer rule of readInt (see SettingsFile) applied to a stored value.
std::int32_t intValue(std::optional<std::string_view> stored, std::int32_t defaultValue);

// The text rule of readText (see SettingsFile) applied to a stored value.
std::string textValue(std::optional<std::string_view> stored, std::string_view defaultText,
                      std::size_t bufferLength);

// The longest start of text that has at most limit bytes and does not split a UTF-8 sequence.
// Bytes that are not part of a valid sequence count as characters of their own.
std::size_t characterPrefixLength(std::string_view text, std::size_t limit);

// Whether a write of this section, key and value can be stored so that it reads back as written
// and leaves every other line alone. Refused: line breaks or NUL anywhere; an empty section name
// or one holding ']'; a key holding '=' or starting with ';' or '['; names with blanks around
// them.
bool canStore(std::string_view section, std::string_view key, std::string_view value);

// fileText with the key set to value: the value replaced in place, or the key added after the
// last entry of its section, or the section added at the end. New lines take the line ending the
// file already uses. A value with blanks around it, or enclosed in quotes, is stored inside one
// more pair of quotes so that it reads back unchanged. Nothing when canStore refuses.
std::optional<std::string> withValue(std::string_view fileText, std::string_view section,
                                     std::string_view key, std::string_view value);

}  // namespace nwmp::ini
