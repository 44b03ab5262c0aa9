#pragma once

// A desktop-entry style key file (a desktop entry, mimeapps.list) kept as its own lines, so that
// changing one key leaves every other line, comment, group and key order exactly as it was.
// Other programs and the user edit these files too; a round trip through a general parser would
// reorder, re-escape or drop what they wrote.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nwmp::xdg {

class KeyFileText {
  public:
    explicit KeyFileText(std::string_view text = {});

    std::string text() const;

    // The raw value of the first line "key=value" in the group (blanks around '=' ignored).
    std::optional<std::string> value(std::string_view group, std::string_view key) const;

    // Replaces the first such line, or adds the key at the end of the group, or adds the group
    // at the end of the file.
    void setValue(std::string_view group, std::string_view key, std::string_view value);

    // Removes every line of the key in the group (a file may repeat a group or a key).
    void removeKey(std::string_view group, std::string_view key);

  private:
    std::vector<std::string> lines_;
};

// Lists in values ("a;b;c;"): elements as written, escapes kept, empty elements dropped.
std::vector<std::string> splitList(std::string_view value);

// The list with `element` first and nowhere else; the rest keeps its text and separators.
std::string prependToList(std::string_view value, std::string_view element);

// The list without the elements `drop` names; the rest keeps its text and separators.
template <typename Predicate>
std::string removeFromList(std::string_view value, Predicate drop) {
    std::string kept;
    for (const std::string& element : splitList(value)) {
        if (!drop(element)) {
            kept += element;
            kept += ';';
        }
    }
    const bool hadTrailingSeparator = !value.empty() && value.back() == ';';
    if (!kept.empty() && !hadTrailingSeparator) {
        kept.pop_back();
    }
    return kept;
}

}  // namespace nwmp::xdg
