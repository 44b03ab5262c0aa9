#pragma once

// How a settings file's bytes become the text the private-profile rules work on, and back.
//
// A file that starts with a byte-order mark is read and written in that encoding, as the Windows
// profile functions do: UTF-8, UTF-16LE or UTF-16BE, with the mark kept. Any other file is "plain":
// its bytes are the platform's own text (UTF-8 on Linux; the ANSI code page on Windows, which the
// Windows settings file converts itself). Text handed out is UTF-8 for every marked encoding.

#include <optional>
#include <string>
#include <string_view>

namespace nwmp::ini {

enum class FileEncoding { Plain, Utf8WithMark, Utf16LeWithMark, Utf16BeWithMark };

struct DecodedFile {
    FileEncoding encoding = FileEncoding::Plain;
    // Without the byte-order mark. UTF-16 that is not whole (half a surrogate pair, an odd last
    // byte) reads as U+FFFD or is dropped, so a damaged file still gives what it can.
    std::string text;
    // Whether encode gives the file's bytes back exactly from text. A file that cannot is never
    // written: that would change lines the write was not about.
    bool roundTrips = true;
};

DecodedFile decode(std::string_view bytes);

// The file's bytes for text in the encoding, mark included. Nothing when text cannot be held by
// the encoding (bytes that are not UTF-8, for a UTF-16 file).
std::optional<std::string> encode(FileEncoding encoding, std::string_view text);

}  // namespace nwmp::ini
