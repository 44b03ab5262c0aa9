#include "platform/linux/association/mimeapps_list.hpp"

#include <algorithm>

#include "platform/linux/association/desktop_entry_format.hpp"

namespace nwmp::xdg {
namespace {

constexpr std::string_view kDefaultGroup = "Default Applications";
constexpr std::string_view kAddedGroup = "Added Associations";
constexpr std::string_view kRemovedGroup = "Removed Associations";

void setOrRemove(KeyFileText& list, std::string_view group, std::string_view mimeType,
                 const std::string& value) {
    if (value.empty()) {
        list.removeKey(group, mimeType);
    } else {
        list.setValue(group, mimeType, value);
    }
}

}  // namespace

void makeDefault(KeyFileText& list, std::string_view mimeType, std::string_view desktopId) {
    for (const std::string_view group : {kDefaultGroup, kAddedGroup}) {
        list.setValue(group, mimeType,
                      prependToList(list.value(group, mimeType).value_or(""), desktopId));
    }
    if (const auto removed = list.value(kRemovedGroup, mimeType)) {
        setOrRemove(list, kRemovedGroup, mimeType,
                    removeFromList(*removed,
                                   [desktopId](const std::string& id) { return id == desktopId; }));
    }
}

void dropOwnIds(KeyFileText& list, std::string_view mimeType,
                const std::function<bool(const std::string&)>& keep) {
    for (const std::string_view group : {kDefaultGroup, kAddedGroup}) {
        const auto value = list.value(group, mimeType);
        if (!value) {
            continue;
        }
        const std::string rest = removeFromList(*value, [&keep](const std::string& id) {
            return id.starts_with(kOwnPrefix) && !keep(id);
        });
        if (rest != *value) {
            setOrRemove(list, group, mimeType, rest);
        }
    }
}

std::optional<std::string> firstDefault(const KeyFileText& list, std::string_view mimeType) {
    const auto ids = splitList(list.value(kDefaultGroup, mimeType).value_or(""));
    if (ids.empty()) {
        return std::nullopt;
    }
    return ids.front();
}

bool listsAdded(const KeyFileText& list, std::string_view mimeType, std::string_view desktopId) {
    const auto ids = splitList(list.value(kAddedGroup, mimeType).value_or(""));
    return std::find(ids.begin(), ids.end(), desktopId) != ids.end();
}

}  // namespace nwmp::xdg
