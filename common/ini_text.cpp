#include "common/ini_text.hpp"

#include <algorithm>
#include <limits>

namespace nwmp::ini {

namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool isBlank(char c) {
    return kBlanks.find(c) != std::string_view::npos;
}

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// A value read from the file ends at a NUL byte, as the C string the profile functions hand out.
std::string_view beforeNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

std::string_view unquote(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

struct Line {
    std::size_t begin;  // first byte
    std::size_t end;    // one past the last byte before the line ending
    std::size_t next;   // first byte of the following line
};

Line lineAt(std::string_view text, std::size_t begin) {
    const std::size_t newline = text.find('\n', begin);
    Line line{begin, newline == std::string_view::npos ? text.size() : newline, text.size()};
    if (newline != std::string_view::npos) {
        line.next = newline + 1;
    }
    if (line.end > line.begin && text[line.end - 1] == '\r') {
        --line.end;
    }
    return line;
}

enum class LineKind { Blank, Comment, Section, Entry, Other };

struct ParsedLine {
    LineKind kind = LineKind::Blank;
    std::string_view name;       // section or key name, blanks removed
    std::size_t valueBegin = 0;  // the entry's value in the file text, blanks removed
    std::size_t valueEnd = 0;
};

ParsedLine parse(std::string_view text, const Line& line) {
    const std::string_view body = text.substr(line.begin, line.end - line.begin);
    const std::size_t lead = body.find_first_not_of(kBlanks);
    if (lead == std::string_view::npos) {
        return {};
    }
    if (body[lead] == ';') {
        return {LineKind::Comment, {}};
    }
    if (body[lead] == '[') {
        const std::string_view rest = body.substr(lead + 1);
        return {LineKind::Section, trim(rest.substr(0, rest.find(']')))};
    }
    const std::size_t equals = body.find('=');
    if (equals == std::string_view::npos) {
        return {LineKind::Other, {}};
    }
    const std::string_view value = trim(body.substr(equals + 1));
    const std::size_t valueBegin =
        value.empty() ? line.end : static_cast<std::size_t>(value.data() - text.data());
    return {LineKind::Entry, trim(body.substr(0, equals)), valueBegin, valueBegin + value.size()};
}

struct Location {
    std::optional<ParsedLine> entry;  // the key's line, when the key exists
    std::optional<Line> anchor;       // the line a new key of the section goes after
};

Location locate(std::string_view text, std::string_view section, std::string_view key) {
    Location found;
    bool inSection = false;
    bool inFirstSection = false;
    std::size_t pos = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    while (pos < text.size()) {
        const Line line = lineAt(text, pos);
        pos = line.next;
        const ParsedLine parsed = parse(text, line);
        switch (parsed.kind) {
            case LineKind::Section:
                inSection = sameName(parsed.name, section);
                inFirstSection = inSection && !found.anchor;
                if (inFirstSection) {
                    found.anchor = line;
                }
                break;
            case LineKind::Entry:
                if (inSection && sameName(parsed.name, key)) {
                    found.entry = parsed;
                    return found;
                }
                [[fallthrough]];
            case LineKind::Other:
                if (inFirstSection) {
                    found.anchor = line;
                }
                break;
            case LineKind::Blank:
            case LineKind::Comment:
                break;
        }
    }
    return found;
}

std::string_view lineEndingOf(std::string_view text) {
    const std::size_t newline = text.find('\n');
    return (newline != std::string_view::npos && newline > 0 && text[newline - 1] == '\r') ? "\r\n"
                                                                                           : "\n";
}

std::string storedForm(std::string_view value) {
    const bool needsQuotes =
        !value.empty() && (isBlank(value.front()) || isBlank(value.back()) ||
                           (value.size() >= 2 && value.front() == '"' && value.back() == '"'));
    if (!needsQuotes) {
        return std::string(value);
    }
    std::string quoted;
    quoted.reserve(value.size() + 2);
    quoted.append("\"").append(value).append("\"");
    return quoted;
}

std::size_t sequenceLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    }
    if (at + length > text.size()) {
        return 1;
    }
    for (std::size_t i = at + 1; i < at + length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return length;
}

}  // namespace

std::optional<std::string_view> findValue(std::string_view fileText, std::string_view section,
                                          std::string_view key) {
    const Location found = locate(fileText, section, key);
    if (!found.entry) {
        return std::nullopt;
    }
    return fileText.substr(found.entry->valueBegin,
                           found.entry->valueEnd - found.entry->valueBegin);
}

std::int32_t intValue(std::optional<std::string_view> stored, std::int32_t defaultValue) {
    if (!stored) {
        return defaultValue;
    }
    std::string_view value = trim(unquote(trim(beforeNul(*stored))));
    if (value.empty()) {
        return defaultValue;
    }
    bool negative = false;
    if (value.front() == '-' || value.front() == '+') {
        negative = value.front() == '-';
        value.remove_prefix(1);
    }
    // Digits beyond the 32-bit range stay at its end rather than wrapping to a far-off number.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (const char c : value) {
        if (c < '0' || c > '9') {
            break;
        }
        magnitude = std::min(magnitude * 10 + (c - '0'), kLimit);
    }
    if (negative) {
        return static_cast<std::int32_t>(-magnitude);
    }
    return static_cast<std::int32_t>(std::min(magnitude, kLimit - 1));
}

std::string textValue(std::optional<std::string_view> stored, std::string_view defaultText,
                      std::size_t bufferLength) {
    if (bufferLength == 0) {
        return {};
    }
    const std::string_view text =
        stored ? unquote(trim(beforeNul(*stored))) : beforeNul(defaultText);
    return std::string(text.substr(0, characterPrefixLength(text, bufferLength - 1)));
}

std::size_t characterPrefixLength(std::string_view text, std::size_t limit) {
    std::size_t length = 0;
    while (length < text.size()) {
        const std::size_t next = length + sequenceLength(text, length);
        if (next > limit) {
            break;
        }
        length = next;
    }
    return length;
}

bool canStore(std::string_view section, std::string_view key, std::string_view value) {
    constexpr std::string_view kBreaks{"\r\n\0", 3};
    for (const std::string_view part : {section, key, value}) {
        if (part.find_first_of(kBreaks) != std::string_view::npos) {
            return false;
        }
    }
    if (section.empty() || section.find(']') != std::string_view::npos ||
        trim(section) != section) {
        return false;
    }
    if (key.find('=') != std::string_view::npos || trim(key) != key) {
        return false;
    }
    return key.empty() || (key.front() != ';' && key.front() != '[');
}

std::optional<std::string> withValue(std::string_view fileText, std::string_view section,
                                     std::string_view key, std::string_view value) {
    if (!canStore(section, key, value)) {
        return std::nullopt;
    }
    const std::string stored = storedForm(value);
    const Location found = locate(fileText, section, key);
    std::string result(fileText);
    if (found.entry) {
        result.replace(found.entry->valueBegin, found.entry->valueEnd - found.entry->valueBegin,
                       stored);
        return result;
    }
    const std::string_view ending = lineEndingOf(fileText);
    std::string added;
    std::size_t at = fileText.size();
    if (found.anchor) {
        at = found.anchor->next;
        if (at == fileText.size() && !fileText.ends_with('\n')) {
            added.append(ending);  // the section's last line is the file's last, without ending
        }
    } else {
        if (!fileText.empty() && !fileText.ends_with('\n')) {
            added.append(ending);
        }
        added.append("[").append(section).append("]").append(ending);
    }
    added.append(key).append("=").append(stored).append(ending);
    result.insert(at, added);
    return result;
}

}  // namespace nwmp::ini
