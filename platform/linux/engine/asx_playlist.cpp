#include "platform/linux/engine/asx_playlist.hpp"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace nwmp::engine {

namespace {

// A metafile is a few kilobytes; anything much larger is a mislabelled media file.
constexpr std::uintmax_t kMaxMetafileBytes = 1024 * 1024;

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
std::string toUtf8(std::string_view doc) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(doc[i]); };
    if (doc.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF) {
        return std::string(doc.substr(3));
    }
    const bool le = doc.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE;
    const bool be = doc.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF;
    if (!le && !be) {
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

std::string resolve(std::string_view ref, std::string_view baseFolder) {
    const std::string_view trimmed = trim(ref);
    if (trimmed.empty() || hasScheme(trimmed) || trimmed.front() == '/' ||
        (trimmed.size() > 1 && trimmed[1] == ':')) {
        return std::string(trimmed);
    }
    // Metafiles written on Windows separate folders with backslashes.
    std::string relative(trimmed);
    std::replace(relative.begin(), relative.end(), '\\', '/');
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
