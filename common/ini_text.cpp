#include "common/ini_text.hpp"

#include <algorithm>
#include <limits>

#include "common/ini_encoding.hpp"

namespace nwmp::ini {

namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";

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

bool isQuote(char c) {
    return c == '"' || c == '\'';
}

bool enclosedInQuotes(std::string_view value) {
    return value.size() >= 2 && isQuote(value.front()) && value.back() == value.front();
}

std::string_view unquote(std::string_view value) {
    return enclosedInQuotes(value) ? value.substr(1, value.size() - 2) : value;
}

// A digit's value in bases up to 16; 16 for anything else.
int digitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char lower = asciiLower(c);
    return (lower >= 'a' && lower <= 'f') ? lower - 'a' + 10 : 16;
}

struct Line {
    std::size_t begin;  // first byte
    std::size_t end;    // one past the last byte before the line ending
    std::size_t next;   // first byte of the following line
};

// A line ends at CR LF, at LF or at CR alone, as the Windows functions read it.
Line lineAt(std::string_view text, std::size_t begin) {
    const std::size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) {
        return {begin, text.size(), text.size()};
    }
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    return {begin, end, end + (crlf ? 2 : 1)};
}

// Bare: a name without '=', which the Windows functions take for the key without a value.
enum class LineKind { Blank, Comment, Section, Entry, Bare, Other };

struct ParsedLine {
    LineKind kind = LineKind::Blank;
    std::string_view name;       // section or key name, blanks removed
    std::size_t valueBegin = 0;  // the entry's value in the file text, blanks removed; for a bare
    std::size_t valueEnd = 0;    // name, the empty place right after the name
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
        // The name runs to the line's last ']'; without one the line opens no section.
        const std::size_t close = body.rfind(']');
        if (close == std::string_view::npos || close < lead) {
            return {LineKind::Other, {}};
        }
        return {LineKind::Section, trim(body.substr(lead + 1, close - lead - 1))};
    }
    const std::size_t equals = body.find('=');
    if (equals == std::string_view::npos) {
        const std::string_view name = trim(body);
        const std::size_t nameEnd =
            static_cast<std::size_t>(name.data() - text.data()) + name.size();
        return {LineKind::Bare, name, nameEnd, nameEnd};
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

// Only the first occurrence of a section counts, for reads and writes alike: the Windows
// functions never look at a later copy.
Location locate(std::string_view text, std::string_view section, std::string_view key) {
    Location found;
    bool inSection = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const Line line = lineAt(text, pos);
        pos = line.next;
        const ParsedLine parsed = parse(text, line);
        switch (parsed.kind) {
            case LineKind::Section:
                if (inSection) {
                    return found;
                }
                inSection = sameName(parsed.name, section);
                if (inSection) {
                    found.anchor = line;
                }
                break;
            case LineKind::Entry:
            case LineKind::Bare:
                if (inSection && sameName(parsed.name, key)) {
                    found.entry = parsed;
                    return found;
                }
                [[fallthrough]];
            case LineKind::Other:
                if (inSection) {
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

// New lines end as the file's first line does; a file without any gets CR LF, as Windows writes.
std::string_view lineEndingOf(std::string_view text) {
    const Line first = lineAt(text, 0);
    if (first.end == text.size()) {
        return "\r\n";
    }
    return text.substr(first.end, first.next - first.end);
}

bool endsWithLineEnd(std::string_view text) {
    return text.ends_with('\n') || text.ends_with('\r');
}

std::string storedForm(std::string_view value) {
    const bool needsQuotes = !value.empty() && (isBlank(value.front()) || isBlank(value.back()) ||
                                                enclosedInQuotes(value));
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
    if (!found.entry || found.entry->kind == LineKind::Bare) {
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
    // The Windows functions also take "0x", "0o" and "0b" numbers (lower case only).
    int base = 10;
    if (value.size() >= 2 && value[0] == '0') {
        base = value[1] == 'x' ? 16 : value[1] == 'o' ? 8 : value[1] == 'b' ? 2 : 10;
        if (base != 10) {
            value.remove_prefix(2);
        }
    }
    // Digits beyond the 32-bit range stay at its end rather than wrapping to a far-off number.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (const char c : value) {
        const int digit = digitValue(c);
        if (digit >= base) {
            break;
        }
        magnitude = std::min(magnitude * base + digit, kLimit);
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
        const bool bare = found.entry->kind == LineKind::Bare;
        result.replace(found.entry->valueBegin, found.entry->valueEnd - found.entry->valueBegin,
                       bare ? "=" + stored : stored);
        return result;
    }
    const std::string_view ending = lineEndingOf(fileText);
    std::string added;
    std::size_t at = fileText.size();
    if (found.anchor) {
        at = found.anchor->next;
        if (at == fileText.size() && !endsWithLineEnd(fileText)) {
            added.append(ending);  // the section's last line is the file's last, without ending
        }
    } else {
        if (!fileText.empty() && !endsWithLineEnd(fileText)) {
            added.append(ending);
        }
        added.append("[").append(section).append("]").append(ending);
    }
    added.append(key).append("=").append(stored).append(ending);
    result.insert(at, added);
    return result;
}

std::optional<std::string> findValueInFile(std::string_view fileBytes, std::string_view section,
                                           std::string_view key) {
    const DecodedFile file = decode(fileBytes);
    const std::optional<std::string_view> value = findValue(file.text, section, key);
    return value ? std::optional<std::string>(*value) : std::nullopt;
}

std::optional<std::string> fileWithValue(std::string_view fileBytes, std::string_view section,
                                         std::string_view key, std::string_view value) {
    const DecodedFile file = decode(fileBytes);
    if (!file.roundTrips) {
        return std::nullopt;
    }
    const std::optional<std::string> text = withValue(file.text, section, key, value);
    return text ? encode(file.encoding, *text) : std::nullopt;
}

}  // namespace nwmp::ini
