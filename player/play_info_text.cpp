#include "player/play_info_text.hpp"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace nwmp {

bool hasUrlScheme(std::string_view media) {
    const std::size_t marker = media.find("://");
    if (marker == std::string_view::npos || marker == 0) {
        return false;
    }
    const auto isSchemeChar = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '+' || c == '-' || c == '.';
    };
    if (std::isalpha(static_cast<unsigned char>(media.front())) == 0) {
        return false;
    }
    for (std::size_t i = 1; i < marker; ++i) {
        if (!isSchemeChar(media[i])) {
            return false;
        }
    }
    return true;
}

std::optional<std::string> nameAfterLastSeparator(std::string_view media,
                                                  std::string_view separators) {
    if (hasUrlScheme(media)) {
        return std::nullopt;
    }
    const std::size_t last = media.find_last_of(separators);
    if (last == std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(media.substr(last + 1));
}

std::string fileNameOf(std::string_view media, std::string_view separators) {
    return nameAfterLastSeparator(media, separators).value_or(std::string());
}

bool asksClipInfo(std::string_view displayName) {
    return displayName.ends_with("mp3") || displayName.ends_with("m3u");
}

std::string clipInfoName(std::string_view title, std::string_view author) {
    std::string name(title);
    name += '/';
    name += author;
    return name;
}

std::string minutesSeconds(double seconds) {
    std::int64_t whole = 0;
    if (std::isfinite(seconds) && seconds > 0.0 && seconds < 9.0e15) {
        whole = static_cast<std::int64_t>(std::floor(seconds));
    }
    char text[48];
    std::snprintf(text, sizeof text, "%02lld:%02lld", static_cast<long long>(whole / 60),
                  static_cast<long long>(whole % 60));
    return text;
}

std::string playInfoCaption(const PlayInfo& info) {
    std::string caption = info.displayName;
    caption += " [";
    caption += minutesSeconds(info.position);
    caption += '/';
    caption += minutesSeconds(info.duration);
    caption += ']';
    if (info.repeat) {
        caption += " R";
    }
    if (info.exitAtEnd) {
        caption += " E";
    }
    return caption;
}

}  // namespace nwmp
