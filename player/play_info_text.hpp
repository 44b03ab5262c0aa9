#pragma once

// The title-bar play information: display name, times and marks, as pure functions so every
// rule is testable without a window.

#include <optional>
#include <string>
#include <string_view>

namespace nwmp {

// True for text that starts with a URL scheme ("http://", "mms://" ...). Such a media has no
// file name: the caption rules treat it as "no separator", so a URL shows no name on platforms
// whose path separator "/" also appears in URLs.
bool hasUrlScheme(std::string_view media);

// Everything after the last of `separators` in `media` (empty text for a path that ends in
// one); nothing when there is none or when the media is a URL.
std::optional<std::string> nameAfterLastSeparator(std::string_view media,
                                                  std::string_view separators);

// nameAfterLastSeparator, with empty text where there is none.
std::string fileNameOf(std::string_view media, std::string_view separators);

// Whether the display name's last three characters are exactly "mp3" or "m3u" (case matters).
bool asksClipInfo(std::string_view displayName);

// Title "/" author.
std::string clipInfoName(std::string_view title, std::string_view author);

// "mm:ss" of the whole seconds of t: minutes and seconds at least two digits each (100 minutes
// or more give three). A time that is not a finite number, or negative, reads as 0.
std::string minutesSeconds(double seconds);

struct PlayInfo {
    std::string displayName;
    double position = 0.0;
    double duration = 0.0;
    bool repeat = false;     // " R"
    bool exitAtEnd = false;  // " E"
};

// display name, " [", position, "/", duration, "]", repeat mark, end mark.
std::string playInfoCaption(const PlayInfo& info);

}  // namespace nwmp
