#include "platform/linux/association/key_file_text.hpp"

#include <cstddef>

namespace nwmp::xdg {
namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// The group a header line opens, or nothing for any other line.
std::optional<std::string_view> groupOf(std::string_view line) {
    const std::string_view text = trimmed(line);
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
        return text.substr(1, text.size() - 2);
    }
    return std::nullopt;
}

// The key of a "key=value" line; comments and blank lines have none.
std::optional<std::string_view> keyOf(std::string_view line) {
    const std::string_view text = trimmed(line);
    if (text.empty() || text.front() == '#' || text.front() == '[') {
        return std::nullopt;
    }
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return trimmed(text.substr(0, equals));
}

std::string valueOf(std::string_view line) {
    std::string_view rest = line.substr(line.find('=') + 1);
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) {
        rest.remove_prefix(1);
    }
    if (!rest.empty() && rest.back() == '\r') {
        rest.remove_suffix(1);
    }
    return std::string(rest);
}

std::string keyLine(std::string_view key, std::string_view value) {
    std::string line(key);
    line += '=';
    line += value;
    return line;
}

}  // namespace

KeyFileText::KeyFileText(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        if (end == std::string_view::npos) {
            lines_.emplace_back(text.substr(start));
            break;
        }
        lines_.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
}

std::string KeyFileText::text() const {
    std::string result;
    for (const std::string& line : lines_) {
        result += line;
        result += '\n';
    }
    return result;
}

std::optional<std::string> KeyFileText::value(std::string_view group, std::string_view key) const {
    bool inGroup = false;
    for (const std::string& line : lines_) {
        if (const auto name = groupOf(line)) {
            inGroup = *name == group;
        } else if (inGroup && keyOf(line) == key) {
            return valueOf(line);
        }
    }
    return std::nullopt;
}

void KeyFileText::setValue(std::string_view group, std::string_view key, std::string_view value) {
    bool inGroup = false;
    std::optional<std::size_t> firstHeader;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (const auto name = groupOf(lines_[i])) {
            inGroup = *name == group;
            if (inGroup && !firstHeader) {
                firstHeader = i;
            }
        } else if (inGroup && keyOf(lines_[i]) == key) {
            lines_[i] = keyLine(key, value);
            return;
        }
    }
    if (firstHeader) {
        // After the group's last non-blank line, so the blank line before the next group stays
        // where it was.
        std::size_t insertAt = *firstHeader + 1;
        for (std::size_t j = insertAt; j < lines_.size() && !groupOf(lines_[j]); ++j) {
            if (!trimmed(lines_[j]).empty()) {
                insertAt = j + 1;
            }
        }
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), keyLine(key, value));
        return;
    }
    if (!lines_.empty() && !trimmed(lines_.back()).empty()) {
        lines_.emplace_back();
    }
    lines_.push_back(std::string("[").append(group).append("]"));
    lines_.push_back(keyLine(key, value));
}

void KeyFileText::removeKey(std::string_view group, std::string_view key) {
    bool inGroup = false;
    std::vector<std::string> kept;
    kept.reserve(lines_.size());
    for (std::string& line : lines_) {
        if (const auto name = groupOf(line)) {
            inGroup = *name == group;
        } else if (inGroup && keyOf(line) == key) {
            continue;
        }
        kept.push_back(std::move(line));
    }
    lines_ = std::move(kept);
}

std::vector<std::string> splitList(std::string_view value) {
    std::vector<std::string> elements;
    std::string current;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            current += value[i];
            current += value[++i];
        } else if (value[i] == ';') {
            if (!current.empty()) {
                elements.push_back(std::move(current));
            }
            current.clear();
        } else {
            current += value[i];
        }
    }
    if (!current.empty()) {
        elements.push_back(std::move(current));
    }
    return elements;
}

std::string prependToList(std::string_view value, std::string_view element) {
    const std::string rest =
        removeFromList(value, [element](const std::string& e) { return e == element; });
    std::string result(element);
    result += ';';
    result += rest;
    return result;
}

}  // namespace nwmp::xdg
