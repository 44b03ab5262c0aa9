#include "platform/linux/engine/asx_playlist.hpp"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace nwmp::engine {

namespace {

std::string lower(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        cp = 0xFFFD;
    }
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// UTF-16 (by its byte-order mark) becomes UTF-8; UTF-8 loses its mark; anything else is kept.
std::string fromUnicodeMarks(std::string_view doc, bool& marked) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(doc[i]); };
    marked = true;
    if (doc.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF) {
        return std::string(doc.substr(3));
    }
    const bool le = doc.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE;
    const bool be = doc.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF;
    if (!le && !be) {
        marked = false;
        return std::string(doc);
    }
    std::string out;
    auto unit = [&](std::size_t i) -> std::uint32_t {
        return le ? (byte(i) | (byte(i + 1) << 8)) : ((byte(i) << 8) | byte(i + 1));
    };
    for (std::size_t i = 2; i + 1 < doc.size(); i += 2) {
        std::uint32_t cp = unit(i);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < doc.size()) {
            const std::uint32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        appendUtf8(out, cp);
    }
    return out;
}

bool isUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80                           ? 1
                                   : (lead >> 5) == 0x6 && lead >= 0xC2  ? 2
                                   : (lead >> 4) == 0xE                  ? 3
                                   : (lead >> 3) == 0x1E && lead <= 0xF4 ? 4
                                                                         : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        std::uint32_t cp = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (next & 0x3F);
        }
        const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < least[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

// The encoding named by an XML declaration at the start, in lower case; empty without one.
std::string declaredEncoding(std::string_view doc) {
    const std::size_t start = doc.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos || doc.compare(start, 5, "<?xml") != 0) {
        return {};
    }
    const std::string_view declaration =
        doc.substr(start, std::min(doc.find("?>", start), doc.size()) - start);
    const std::string text = lower(declaration);
    std::size_t at = text.find("encoding");
    if (at == std::string::npos) {
        return {};
    }
    at = text.find_first_not_of(" \t\r\n=", at + 8);
    if (at == std::string::npos || (text[at] != '"' && text[at] != '\'')) {
        return {};
    }
    const std::size_t end = text.find(text[at], at + 1);
    return end == std::string::npos ? std::string() : text.substr(at + 1, end - at - 1);
}

// iconv's name for an encoding. Windows writes its own code page 932 under all of Shift_JIS's
// names; the plain Shift_JIS table would turn the backslashes of paths into yen signs.
std::string iconvName(const std::string& encoding) {
    for (const char* alias : {"shift_jis", "shift-jis", "sjis", "x-sjis", "ms_kanji", "windows-31j",
                              "csshiftjis", "cp932", "windows-932"}) {
        if (encoding == alias) {
            return "CP932";
        }
    }
    return encoding;
}

// The text converted to UTF-8; bytes that are no character of the encoding become U+FFFD.
// Nothing when iconv does not know the encoding.
std::optional<std::string> convertToUtf8(std::string_view text, const std::string& encoding) {
    iconv_t converter = iconv_open("UTF-8", encoding.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string out;
    char buffer[4096];
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    while (inLeft > 0) {
        char* next = buffer;
        std::size_t room = sizeof buffer;
        const std::size_t done = iconv(converter, &in, &inLeft, &next, &room);
        out.append(buffer, static_cast<std::size_t>(next - buffer));
        if (done != static_cast<std::size_t>(-1) || errno == E2BIG) {
            continue;
        }
        appendUtf8(out, 0xFFFD);  // EILSEQ, or EINVAL for a character cut off at the end
        const std::size_t skip = errno == EINVAL ? inLeft : 1;
        in += skip;
        inLeft -= skip;
    }
    char* next = buffer;
    std::size_t room = sizeof buffer;
    iconv(converter, nullptr, nullptr, &next, &room);
    out.append(buffer, static_cast<std::size_t>(next - buffer));
    iconv_close(converter);
    return out;
}

// The document as UTF-8. A byte-order mark decides first, then an XML declaration; a document
// with neither that is not valid UTF-8 was written on a Japanese Windows, in code page 932.
std::string toUtf8(std::string_view doc) {
    bool marked = false;
    std::string text = fromUnicodeMarks(doc, marked);
    if (marked) {
        return text;
    }
    const std::string declared = declaredEncoding(text);
    if (declared == "utf-8" || declared == "utf8") {
        return text;
    }
    if (!declared.empty()) {
        if (auto converted = convertToUtf8(text, iconvName(declared))) {
            return std::move(*converted);
        }
    }
    if (isUtf8(text)) {
        return text;
    }
    return convertToUtf8(text, "CP932").value_or(text);
}

// Character references and the five named entities; an unknown entity stays as written.
std::string decodeEntities(std::string_view text) {
    static const std::map<std::string, char, std::less<>> named = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t semi = text[i] == '&' ? text.find(';', i) : std::string_view::npos;
        if (semi == std::string_view::npos || semi - i > 10) {
            out += text[i++];
            continue;
        }
        const std::string_view name = text.substr(i + 1, semi - i - 1);
        if (auto it = named.find(lower(name)); it != named.end()) {
            out += it->second;
        } else if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x' || name[1] == 'X';
            const std::string digits(name.substr(hex ? 2 : 1));
            try {
                std::size_t used = 0;
                const unsigned long cp = std::stoul(digits, &used, hex ? 16 : 10);
                if (used != digits.size()) {
                    throw std::invalid_argument("not a number");
                }
                appendUtf8(out, static_cast<std::uint32_t>(std::min(cp, 0x110000ul)));
            } catch (const std::logic_error&) {
                out.append(text.substr(i, semi - i + 1));
            }
        } else {
            out.append(text.substr(i, semi - i + 1));
        }
        i = semi + 1;
    }
    return out;
}

struct Tag {
    std::string name;  // lower case
    bool closing = false;
    std::map<std::string, std::string> attributes;  // names in lower case
};

// Reads the tag starting at doc[pos] == '<'; pos ends just after its '>'.
Tag readTag(std::string_view doc, std::size_t& pos) {
    Tag tag;
    std::size_t i = pos + 1;
    if (i < doc.size() && doc[i] == '/') {
        tag.closing = true;
        ++i;
    }
    const std::size_t nameStart = i;
    while (i < doc.size() && !isSpace(doc[i]) && doc[i] != '>' && doc[i] != '/') {
        ++i;
    }
    tag.name = lower(doc.substr(nameStart, i - nameStart));
    while (i < doc.size() && doc[i] != '>') {
        if (isSpace(doc[i]) || doc[i] == '/') {
            ++i;
            continue;
        }
        const std::size_t attrStart = i;
        while (i < doc.size() && !isSpace(doc[i]) && doc[i] != '=' && doc[i] != '>') {
            ++i;
        }
        std::string attrName = lower(doc.substr(attrStart, i - attrStart));
        while (i < doc.size() && isSpace(doc[i])) {
            ++i;
        }
        std::string value;
        if (i < doc.size() && doc[i] == '=') {
            ++i;
            while (i < doc.size() && isSpace(doc[i])) {
                ++i;
            }
            if (i < doc.size() && (doc[i] == '"' || doc[i] == '\'')) {
                const char quote = doc[i++];
                const std::size_t end = std::min(doc.find(quote, i), doc.size());
                value = decodeEntities(doc.substr(i, end - i));
                i = std::min(end + 1, doc.size());
            } else {
                const std::size_t valueStart = i;
                while (i < doc.size() && !isSpace(doc[i]) && doc[i] != '>') {
                    ++i;
                }
                std::string_view raw = doc.substr(valueStart, i - valueStart);
                // <Ref href=a.wav/> : the slash closes the element, it is not part of the value.
                if (i < doc.size() && doc[i] == '>' && !raw.empty() && raw.back() == '/') {
                    raw.remove_suffix(1);
                }
                value = decodeEntities(raw);
            }
        }
        tag.attributes.try_emplace(std::move(attrName), std::move(value));
    }
    pos = std::min(i + 1, doc.size());
    return tag;
}

bool hasScheme(std::string_view ref) {
    const std::size_t colon = ref.find(':');
    if (colon == std::string_view::npos || colon < 2) {  // "C:" is a drive, not a scheme
        return false;
    }
    return std::all_of(ref.begin(), ref.begin() + static_cast<std::ptrdiff_t>(colon), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
    });
}

// A metafile comes from anywhere; its entries may name network streams and files, but none of
// libmpv's own protocols that read descriptors, run filters or open other players' inputs.
bool isSafeReference(std::string_view ref) {
    if (!hasScheme(ref)) {
        return true;
    }
    const std::string scheme = lower(ref.substr(0, ref.find(':')));
    for (const char* allowed : {"http", "https", "mms", "mmsh", "mmst", "rtsp", "rtmp", "file"}) {
        if (scheme == allowed) {
            return true;
        }
    }
    return false;
}

// A reference against the URL of a metafile's folder ("http://host/dir/"): a path from the root
// keeps the scheme and host, a path without scheme the scheme.
std::string resolveAgainstUrl(const std::string& relative, std::string_view baseUrl) {
    const std::size_t schemeEnd = baseUrl.find("://");
    if (relative.starts_with("//")) {
        return std::string(baseUrl.substr(0, schemeEnd + 1)) + relative;
    }
    if (relative.starts_with("/")) {
        const std::size_t pathStart = baseUrl.find('/', schemeEnd + 3);
        return std::string(baseUrl.substr(0, pathStart)) + relative;
    }
    std::string result(baseUrl);
    if (!result.ends_with('/')) {
        result += '/';
    }
    return result + relative;
}

std::string resolve(std::string_view ref, std::string_view baseFolder) {
    const std::string_view trimmed = trim(ref);
    if (trimmed.empty() || hasScheme(trimmed)) {
        return std::string(trimmed);
    }
    // Metafiles written on Windows separate folders with backslashes.
    std::string relative(trimmed);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    const bool drive = trimmed.size() > 1 && trimmed[1] == ':';
    if (!drive && baseFolder.find("://") != std::string_view::npos && hasScheme(baseFolder)) {
        return resolveAgainstUrl(relative, baseFolder);
    }
    if (trimmed.front() == '/' || drive) {
        return std::string(trimmed);
    }
    if (baseFolder.empty()) {
        return relative;
    }
    return (std::filesystem::path(baseFolder) / relative).lexically_normal().string();
}

}  // namespace

bool isAsxFileName(std::string_view path) {
    if (path.size() < 4) {
        return false;
    }
    const std::string ext = lower(path.substr(path.size() - 4));
    return ext == ".asx" || ext == ".wvx" || ext == ".wax";
}

AsxPlaylist parseAsx(std::string_view document, std::string_view baseFolder) {
    const std::string doc = toUtf8(document);
    AsxPlaylist list;
    // The entry being read; a plain value rather than an optional, which GCC 12 misjudges as
    // used uninitialised when optimising.
    AsxEntry entry;
    bool inEntry = false;
    std::string* textTarget = nullptr;  // the TITLE or AUTHOR whose text comes next
    bool inAsx = false;

    auto finishEntry = [&] {
        if (inEntry && !entry.href.empty()) {
            list.entries.push_back(std::move(entry));
        }
        entry = {};
        inEntry = false;
    };

    std::size_t pos = 0;
    while (pos < doc.size()) {
        const std::size_t lt = doc.find('<', pos);
        const std::size_t textEnd = lt == std::string::npos ? doc.size() : lt;
        if (textTarget != nullptr && textTarget->empty()) {
            *textTarget = decodeEntities(trim(std::string_view(doc).substr(pos, textEnd - pos)));
        }
        if (lt == std::string::npos) {
            break;
        }
        if (doc.compare(lt, 4, "<!--") == 0) {
            const std::size_t end = doc.find("-->", lt + 4);
            pos = end == std::string::npos ? doc.size() : end + 3;
            continue;
        }
        if (doc.compare(lt, 2, "<?") == 0 || doc.compare(lt, 2, "<!") == 0) {
            const std::size_t end = doc.find('>', lt);
            pos = end == std::string::npos ? doc.size() : end + 1;
            continue;
        }
        pos = lt;
        const Tag tag = readTag(doc, pos);
        textTarget = nullptr;
        if (tag.name == "asx") {
            inAsx = !tag.closing;
            if (tag.closing) {
                finishEntry();
            }
        } else if (!inAsx) {
            continue;  // everything outside the root element is ignored
        } else if (tag.name == "entry") {
            finishEntry();  // an entry left open ends where the next one starts
            if (!tag.closing) {
                inEntry = true;
            }
        } else if (tag.closing) {
            continue;
        } else if (tag.name == "ref" && inEntry && entry.href.empty()) {
            if (auto href = tag.attributes.find("href");
                href != tag.attributes.end() && isSafeReference(trim(href->second))) {
                entry.href = resolve(href->second, baseFolder);
            }
        } else if (tag.name == "title") {
            textTarget = inEntry ? &entry.title : &list.title;
        } else if (tag.name == "author") {
            textTarget = inEntry ? &entry.author : &list.author;
        }
    }
    finishEntry();
    return list;
}

std::optional<AsxPlaylist> loadAsxFile(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > kMaxMetafileBytes) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return parseAsx(text, std::filesystem::path(path).parent_path().string());
}

}  // namespace nwmp::engine
