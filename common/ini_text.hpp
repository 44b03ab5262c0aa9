#pragma once

// The private-profile format over the text of a whole file: finding a key's value and producing
// the file's text with one key written. Both the real settings file and the in-memory one used
// by tests go through these functions, so they cannot drift apart.
//
// The format, as the Windows profile functions read and write it:
// - "[name]" opens a section (the name runs to the line's last ']'); a line "key=value" holds one
//   value; a name alone on its line is that key without a value, which reads as missing and takes
//   the value when the key is written. Other lines are kept as they are and otherwise ignored.
// - Section and key names are compared without regard to ASCII letter case; other bytes (such
//   as Japanese text) compare exactly. Blanks around names and values are ignored, and so is one
//   pair of matching double or single quotes around a value.
// - A line whose first non-blank character is ';' is a comment.
// - CR LF, LF and CR alone all end a line, also inside one file.
// - Where a section or key appears twice, the first occurrence counts, for reads and writes.
//
// These functions work on the file's text; ini_encoding turns the file's bytes into that text.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nwmp::ini {

// The key's value as stored (blanks around it removed, quotes kept), or nothing when the key is
// missing or has no value.
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
// file already uses (CR LF in a file without any). A value with blanks around it, or enclosed in
// quotes, is stored inside one more pair of double quotes so that it reads back unchanged. Nothing
// when canStore refuses.
std::optional<std::string> withValue(std::string_view fileText, std::string_view section,
                                     std::string_view key, std::string_view value);

// The same over a whole file's bytes, where plain files hold UTF-8 (see ini_encoding.hpp).
std::optional<std::string> findValueInFile(std::string_view fileBytes, std::string_view section,
                                           std::string_view key);
// Nothing also when the file could not be written back as it was read.
std::optional<std::string> fileWithValue(std::string_view fileBytes, std::string_view section,
                                         std::string_view key, std::string_view value);

}  // namespace nwmp::ini
