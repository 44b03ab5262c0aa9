// Fills a desktop entry template with the MIME types of the settings tool's association slots,
// so that the installed players open in the desktop exactly the types the tool can give them.
// Run at build time: desktop_entry_types TEMPLATE OUTPUT.

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/linux/association/extension_types.hpp"
#include "settings_tool/nwmpset_layout.hpp"

namespace {

constexpr std::string_view kPlaceholder = "{{MIME_TYPES}}";

std::string slotTypes() {
    std::vector<std::string> types;
    for (std::size_t slot = 0; slot < nwmp::kCustomSlot; ++slot) {
        for (std::string& type : nwmp::xdg::knownMimeTypes(nwmp::kAssociationSlots[slot].caption)) {
            if (std::find(types.begin(), types.end(), type) == types.end()) {
                types.push_back(std::move(type));
            }
        }
    }
    std::string list;
    for (const std::string& type : types) {
        list += type + ';';
    }
    return list;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::cerr << "usage: desktop_entry_types TEMPLATE OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    std::stringstream text;
    text << in.rdbuf();
    std::string entry = text.str();
    if (!in) {
        std::cerr << "cannot read " << argv[1] << '\n';
        return 1;
    }
    if (const auto at = entry.find(kPlaceholder); at != std::string::npos) {
        const std::string types = slotTypes();
        if (types.empty()) {
            std::cerr << "the MIME database knows none of the association slots' types\n";
            return 1;
        }
        entry.replace(at, kPlaceholder.size(), types);
    }
    std::ofstream out(argv[2]);
    out << entry;
    return out.flush() ? 0 : 1;
}
