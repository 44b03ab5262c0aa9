#include "common/ini_encoding.hpp"

#include <cstdint>

namespace nwmp::ini {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void appendUnit(std::string& out, std::uint16_t unit, bool bigEndian) {
    const auto high = static_cast<char>(unit >> 8);
    const auto low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

bool isHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    const auto unitAt = [&](std::size_t i) -> char32_t {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        return bigEndian ? (first << 8) | second : (second << 8) | first;
    };
    const std::size_t units = bytes.size() / 2;
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < units; ++i) {
        char32_t c = unitAt(i);
        if (isHighSurrogate(c) && i + 1 < units && isLowSurrogate(unitAt(i + 1))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unitAt(++i) - 0xDC00);
        } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
            c = kReplacement;
        }
        appendUtf8(text, c);
    }
    return text;
}

// The code point of the UTF-8 sequence at text[at], advancing at; nothing for bytes that are not
// well-formed UTF-8.
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    char32_t c = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (at + length > text.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        c = (c << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return std::nullopt;
    }
    at += length;
    return c;
}

std::optional<std::string> utf8ToUtf16(std::string_view text, bool bigEndian) {
    std::string bytes;
    bytes.reserve(text.size() * 2 + 2);
    bytes.append(bigEndian ? kUtf16BeMark : kUtf16LeMark);
    for (std::size_t at = 0; at < text.size();) {
        const std::optional<char32_t> c = nextCodePoint(text, at);
        if (!c) {
            return std::nullopt;
        }
        if (*c < 0x10000) {
            appendUnit(bytes, static_cast<std::uint16_t>(*c), bigEndian);
        } else {
            const char32_t offset = *c - 0x10000;
            appendUnit(bytes, static_cast<std::uint16_t>(0xD800 + (offset >> 10)), bigEndian);
            appendUnit(bytes, static_cast<std::uint16_t>(0xDC00 + (offset & 0x3FF)), bigEndian);
        }
    }
    return bytes;
}

}  // namespace

DecodedFile decode(std::string_view bytes) {
    DecodedFile decoded;
    if (bytes.starts_with(kUtf8Mark)) {
        decoded.encoding = FileEncoding::Utf8WithMark;
        decoded.text = bytes.substr(kUtf8Mark.size());
        return decoded;
    }
    const bool littleEndian = bytes.starts_with(kUtf16LeMark);
    if (!littleEndian && !bytes.starts_with(kUtf16BeMark)) {
        decoded.text = bytes;
        return decoded;
    }
    decoded.encoding = littleEndian ? FileEncoding::Utf16LeWithMark : FileEncoding::Utf16BeWithMark;
    decoded.text = utf16ToUtf8(bytes.substr(2), !littleEndian);
    const std::optional<std::string> again = encode(decoded.encoding, decoded.text);
    decoded.roundTrips = again && *again == bytes;
    return decoded;
}

std::optional<std::string> encode(FileEncoding encoding, std::string_view text) {
    switch (encoding) {
        case FileEncoding::Plain:
            return std::string(text);
        case FileEncoding::Utf8WithMark:
            return std::string(kUtf8Mark).append(text);
        case FileEncoding::Utf16LeWithMark:
            return utf8ToUtf16(text, false);
        case FileEncoding::Utf16BeWithMark:
            return utf8ToUtf16(text, true);
    }
    return std::nullopt;
}

}  // namespace nwmp::ini
