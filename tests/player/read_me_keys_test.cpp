// The key table of each users' read-me against the code's: the same keys in the order the
// handler tests them, and for every edition exactly the keys its profile has.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "player/editions/editions.hpp"
#include "player/key_commands.hpp"

namespace nwmp {
namespace {

struct ReadMe {
    std::string file;
    std::string keyHeader;  // the first cell of the key table's header
    std::string separator;  // between keys, and between editions
    std::string allEditions;
    std::map<std::string, const EditionProfile*> editions;
};

struct DocumentedKey {
    std::string name;
    std::vector<std::string> editions;
};

std::vector<std::string> split(std::string text, const std::string& separator) {
    std::vector<std::string> parts;
    for (std::size_t at; (at = text.find(separator)) != std::string::npos;) {
        parts.push_back(text.substr(0, at));
        text.erase(0, at + separator.size());
    }
    parts.push_back(text);
    return parts;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? ""
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// One entry per key of the table: a row naming two keys ("Esc, Enter") gives two.
std::vector<DocumentedKey> keyTable(const ReadMe& readMe) {
    std::ifstream file(std::string(NWMP_USER_DOCUMENTS) + "/" + readMe.file);
    EXPECT_TRUE(file) << readMe.file;
    std::vector<DocumentedKey> keys;
    bool inTable = false;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] != '|') {
            inTable = false;
            continue;
        }
        std::vector<std::string> cells = split(line.substr(1, line.rfind('|') - 1), "|");
        for (std::string& cell : cells) {
            cell = trimmed(cell);
        }
        if (cells.size() == 3 && cells[0] == readMe.keyHeader) {
            inTable = true;
        } else if (inTable && cells[0].find("---") == std::string::npos) {
            for (const std::string& key : split(cells[0], readMe.separator)) {
                keys.push_back({key, split(cells[2], readMe.separator)});
            }
        }
    }
    return keys;
}

std::string keyName(std::int16_t code) {
    return code == 27 ? "Esc" : code == 13 ? "Enter" : std::string(1, static_cast<char>(code));
}

TEST(ReadMeKeys, AgreeWithTheKeyTableAndTheEditions) {
    using namespace editions;
    const ReadMe readMes[] = {
        {"readme.ja.md",
         "キー",
         "、",
         "全版",
         {{"標準", &kStandard}, {"KOVEX", &kKovex}, {"Pemra", &kPemra}, {"Dask", &kDask}}},
        {"readme.en.md",
         "Key",
         ", ",
         "all",
         {{"standard", &kStandard}, {"KOVEX", &kKovex}, {"Pemra", &kPemra}, {"Dask", &kDask}}},
    };
    for (const ReadMe& readMe : readMes) {
        SCOPED_TRACE(readMe.file);
        const std::vector<DocumentedKey> keys = keyTable(readMe);
        ASSERT_EQ(keys.size(), kKeyBindings.size());
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const KeyBinding& binding = kKeyBindings[i];
            SCOPED_TRACE(keyName(binding.keyCode));
            EXPECT_EQ(keys[i].name, keyName(binding.keyCode));
            std::vector<const EditionProfile*> documented;
            for (const std::string& edition : keys[i].editions) {
                if (edition == readMe.allEditions) {
                    documented.assign(kAll.begin(), kAll.end());
                } else if (readMe.editions.contains(edition)) {
                    documented.push_back(readMe.editions.at(edition));
                } else {
                    ADD_FAILURE() << "no edition is called " << edition;
                }
            }
            for (const EditionProfile* profile : kAll) {
                const bool listed =
                    std::find(documented.begin(), documented.end(), profile) != documented.end();
                EXPECT_EQ(listed, profile->keys.has(binding.command)) << profile->name;
            }
        }
    }
}

}  // namespace
}  // namespace nwmp
