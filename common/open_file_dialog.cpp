#include "common/open_file_dialog.hpp"

namespace nwmp {

std::string buildFilterText(const std::vector<FileFilter>& filters) {
    std::string text;
    for (const FileFilter& filter : filters) {
        text.append(filter.description);
        text.push_back('\0');
        text.append(filter.pattern);
        text.push_back('\0');
    }
    text.push_back('\0');
    return text;
}

namespace {

std::vector<std::string> splitPatterns(std::string_view patterns) {
    std::vector<std::string> result;
    while (!patterns.empty()) {
        const std::size_t semicolon = patterns.find(';');
        const std::string_view one = patterns.substr(0, semicolon);
        if (!one.empty()) {
            result.emplace_back(one);
        }
        if (semicolon == std::string_view::npos) {
            break;
        }
        patterns.remove_prefix(semicolon + 1);
    }
    return result;
}

// The item at the front of text, up to its NUL; empty view and text cleared at the end.
std::string_view takeItem(std::string_view& text) {
    const std::size_t nul = text.find('\0');
    const std::string_view item = text.substr(0, nul);
    text.remove_prefix(nul == std::string_view::npos ? text.size() : nul + 1);
    return item;
}

}  // namespace

std::vector<ParsedFileFilter> parseFilterText(std::string_view filterText) {
    std::vector<ParsedFileFilter> result;
    while (!filterText.empty()) {
        const std::string_view description = takeItem(filterText);
        if (description.empty() || filterText.empty()) {
            break;  // the closing NUL, or a description without its pattern
        }
        const std::string_view pattern = takeItem(filterText);
        result.push_back({std::string(description), splitPatterns(pattern)});
    }
    return result;
}

}  // namespace nwmp
