#include "platform/linux/association/desktop_entry_format.hpp"

#include <cstdint>
#include <cstdio>

namespace nwmp::xdg {
namespace {

bool hasControlCharacter(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            return true;
        }
    }
    return false;
}

// FNV-1a: a fixed, documented hash, so an entry's name does not change between builds.
std::uint64_t stableHash(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string readableName(std::string_view program) {
    const auto slash = program.rfind('/');
    const std::string_view base =
        slash == std::string_view::npos ? program : program.substr(slash + 1);
    std::string name;
    for (const char c : base) {
        if (name.size() >= 24) {
            break;
        }
        if (c >= 'A' && c <= 'Z') {
            name += static_cast<char>(c - 'A' + 'a');
        } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            name += c;
        }
    }
    return name;
}

}  // namespace

std::optional<std::string> programPathFromOpenCommand(std::string_view openCommand) {
    constexpr std::string_view kPlaceholder = " %1";
    if (openCommand.size() <= kPlaceholder.size() || !openCommand.ends_with(kPlaceholder)) {
        return std::nullopt;
    }
    std::string_view program = openCommand.substr(0, openCommand.size() - kPlaceholder.size());
    if (program.size() >= 2 && program.front() == '"' && program.back() == '"') {
        program = program.substr(1, program.size() - 2);
    }
    // GLib-based desktops look for the program before they turn "%%" back into "%", so they
    // would never find one with '%' in its path.
    if (program.empty() || program.front() != '/' || program.back() == '/' ||
        hasControlCharacter(program) || program.find('%') != std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(program);
}

std::string escapeStringValue(std::string_view text) {
    std::string escaped;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\') {
            escaped += "\\\\";
        } else if (c == '\n') {
            escaped += "\\n";
        } else if (c == '\t') {
            escaped += "\\t";
        } else if (c == '\r') {
            escaped += "\\r";
        } else if (c == ' ' && i == 0) {
            escaped += "\\s";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string execLine(std::string_view program) {
    // Quoted only when needed: xdg-mime takes the first blank-separated word of Exec as the
    // program and would not find a quoted one.
    constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
    const bool needsQuotes = program.find_first_of(kReserved) != std::string_view::npos;
    std::string argument = needsQuotes ? "\"" : "";
    for (const char c : program) {
        if (needsQuotes && (c == '"' || c == '`' || c == '$' || c == '\\')) {
            argument += '\\';
            argument += c;
        } else if (c == '%') {
            argument += "%%";
        } else {
            argument += c;
        }
    }
    argument += needsQuotes ? "\" %f" : " %f";
    return escapeStringValue(argument);
}

std::string desktopFileNameFor(std::string_view program) {
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx",
                  static_cast<unsigned long long>(stableHash(program)));
    std::string name(kOwnPrefix);
    const std::string readable = readableName(program);
    if (!readable.empty()) {
        name += readable;
        name += '-';
    }
    name += hash;
    name += ".desktop";
    return name;
}

}  // namespace nwmp::xdg
