#include "platform/linux/association/key_file_text.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

namespace nwmp::xdg {
namespace {

struct EditCase {
    const char* name;
    const char* before;
    std::function<void(KeyFileText&)> edit;
    const char* after;
};

void PrintTo(const EditCase& c, std::ostream* out) {
    *out << c.name;
}

class KeyFileEdit : public testing::TestWithParam<EditCase> {};

TEST_P(KeyFileEdit, ChangesOnlyTheKeyItWasAskedTo) {
    KeyFileText file(GetParam().before);
    GetParam().edit(file);
    EXPECT_EQ(file.text(), GetParam().after);
}

const char* const kMimeapps =
    "# kept comment\n"
    "[Default Applications]\n"
    "audio/mpeg = other.desktop\n"
    "text/plain=editor.desktop;\n"
    "\n"
    "[Added Associations]\n"
    "audio/mpeg=other.desktop;\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyFileEdit,
    testing::Values(
        EditCase{"ReplacesAValueWrittenWithBlanksAroundTheEqualsSign", kMimeapps,
                 [](KeyFileText& f) { f.setValue("Default Applications", "audio/mpeg", "a;"); },
                 "# kept comment\n[Default Applications]\naudio/mpeg=a;\n"
                 "text/plain=editor.desktop;\n\n[Added Associations]\naudio/mpeg=other.desktop;\n"},
        EditCase{"AddsANewKeyAtTheEndOfItsGroupBeforeTheBlankLine", kMimeapps,
                 [](KeyFileText& f) { f.setValue("Default Applications", "video/mpeg", "v;"); },
                 "# kept comment\n[Default Applications]\naudio/mpeg = other.desktop\n"
                 "text/plain=editor.desktop;\nvideo/mpeg=v;\n\n[Added Associations]\n"
                 "audio/mpeg=other.desktop;\n"},
        EditCase{"AddsAMissingGroupAtTheEnd", kMimeapps,
                 [](KeyFileText& f) { f.setValue("Removed Associations", "audio/mpeg", "x;"); },
                 "# kept comment\n[Default Applications]\naudio/mpeg = other.desktop\n"
                 "text/plain=editor.desktop;\n\n[Added Associations]\naudio/mpeg=other.desktop;\n"
                 "\n[Removed Associations]\naudio/mpeg=x;\n"},
        EditCase{"StartsAnEmptyFile", "",
                 [](KeyFileText& f) { f.setValue("Default Applications", "audio/mpeg", "a;"); },
                 "[Default Applications]\naudio/mpeg=a;\n"},
        EditCase{"RemovesTheKeyOnlyFromItsGroup", kMimeapps,
                 [](KeyFileText& f) { f.removeKey("Added Associations", "audio/mpeg"); },
                 "# kept comment\n[Default Applications]\naudio/mpeg = other.desktop\n"
                 "text/plain=editor.desktop;\n\n[Added Associations]\n"},
        EditCase{"LeavesCommentsThatLookLikeKeysAlone",
                 "[Default Applications]\n#audio/mpeg=old.desktop\n",
                 [](KeyFileText& f) { f.setValue("Default Applications", "audio/mpeg", "a;"); },
                 "[Default Applications]\n#audio/mpeg=old.desktop\naudio/mpeg=a;\n"},
        EditCase{"TellsLocalizedKeysApart", "[Desktop Entry]\nName[ja]=プレーヤー\nName=Player\n",
                 [](KeyFileText& f) { f.setValue("Desktop Entry", "Name", "New"); },
                 "[Desktop Entry]\nName[ja]=プレーヤー\nName=New\n"}),
    [](const testing::TestParamInfo<EditCase>& caseInfo) { return caseInfo.param.name; });

TEST(KeyFileText, ReadsTheFirstValueOfTheGroupAndNothingForAMissingKey) {
    const KeyFileText file(kMimeapps);
    EXPECT_EQ(file.value("Default Applications", "audio/mpeg"), "other.desktop");
    EXPECT_EQ(file.value("Added Associations", "audio/mpeg"), "other.desktop;");
    EXPECT_EQ(file.value("Added Associations", "text/plain"), std::nullopt);
    EXPECT_EQ(file.value("No Such Group", "audio/mpeg"), std::nullopt);
}

TEST(KeyFileText, KeepsEveryByteOfALineItDidNotEdit) {
    const std::string text = "[A]\r\nk=v\r\n  weird line without equals\n[B]\nk=w\n";
    KeyFileText file(text);
    file.setValue("B", "k", "x");
    EXPECT_EQ(file.text(), "[A]\r\nk=v\r\n  weird line without equals\n[B]\nk=x\n");
}

TEST(ValueLists, PutOursFirstAndTakeItOutAgainRestoringTheOriginalText) {
    for (const std::string original :
         {"", "other.desktop", "other.desktop;", "a.desktop;b.desktop"}) {
        const std::string withOurs = prependToList(original, "ours.desktop");
        EXPECT_EQ(splitList(withOurs).front(), "ours.desktop") << original;
        EXPECT_EQ(prependToList(withOurs, "ours.desktop"), withOurs) << "no duplicate";
        EXPECT_EQ(
            removeFromList(withOurs, [](const std::string& id) { return id == "ours.desktop"; }),
            original.empty() ? "" : original);
    }
}

TEST(ValueLists, KeepEscapedSeparatorsInsideAnElement) {
    EXPECT_EQ(splitList("a\\;b;c;"), (std::vector<std::string>{"a\\;b", "c"}));
}

}  // namespace
}  // namespace nwmp::xdg
