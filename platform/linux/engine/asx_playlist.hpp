#pragma once

// Reading ASX metafiles (.asx, .wvx, .wax) into a play list. libmpv does not read them, so the
// engine does. Such files are written by hand and by many tools, and seldom valid XML: tags come
// in any case, attributes go unquoted, elements are left open. The reader takes what a browser
// would take and skips what it cannot understand; it never fails, an unreadable document simply
// has no entries.
//
// Pure standard C++: no Qt and no libmpv, so that it is tested on its own.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nwmp::engine {

struct AsxEntry {
    std::string href;    // the first usable REF of the entry, resolved against the metafile
    std::string title;   // the entry's TITLE, empty when it has none
    std::string author;  // the entry's AUTHOR, empty when it has none
    bool operator==(const AsxEntry&) const = default;
};

struct AsxPlaylist {
    std::string title;   // the play list's own TITLE
    std::string author;  // the play list's own AUTHOR
    std::vector<AsxEntry> entries;
};

// True for names ending in .asx, .wvx or .wax, in any case.
bool isAsxFileName(std::string_view path);

// Reads a metafile's text. Relative references are resolved against baseFolder: the metafile's
// own folder, or for a metafile from the network the URL of its folder ("http://host/dir/").
// Absolute paths and URLs are kept as they are. The text may be UTF-16 or UTF-8 by its
// byte-order mark, in the encoding its XML declaration names, or else UTF-8; text that is not
// valid UTF-8 is read as Windows code page 932 (Shift_JIS), as Japanese Windows writes it.
AsxPlaylist parseAsx(std::string_view document, std::string_view baseFolder);

// The largest metafile read, from a file or from the network; anything larger is a mislabelled
// media file.
inline constexpr std::size_t kMaxMetafileBytes = 1024 * 1024;

// Reads and parses the metafile at path; nothing when it cannot be read or is too large to be
// a metafile.
std::optional<AsxPlaylist> loadAsxFile(const std::string& path);

}  // namespace nwmp::engine
