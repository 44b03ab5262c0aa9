// Names built for a slot, the registration's registry keys, and the window's tables.

#include "settings_tool/association_slots.hpp"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string_view>

#include "fakes/fake_tool_services.hpp"

namespace nwmp::testing {
namespace {

using namespace std::string_literals;

TEST(SlotNames, ExtensionFirstThenFile) {
    FakeToolFolder folder;
    const SlotNames mp3 = buildSlotNames(4, "mp3", folder);
    EXPECT_EQ(mp3.extensionKey, ".mp3");
    EXPECT_EQ(mp3.classKey, "mp3file");
    EXPECT_EQ(mp3.iconPath, "/opt/nwmp/icon/mp3.ico");
    EXPECT_EQ(mp3.bookkeepingKey, ".mp3");

    const SlotNames ogg = buildSlotNames(kCustomSlot, "ogg", folder);
    EXPECT_EQ(ogg.extensionKey, ".ogg");
    EXPECT_EQ(ogg.classKey, "oggfile");
    EXPECT_EQ(ogg.bookkeepingKey, "");
}

TEST(SlotNames, RegistryEntriesOfOneRegistration) {
    FakeToolFolder folder;
    folder.folder = "C:\\ツール";
    folder.separator = std::string(1, '\\');
    const SlotNames mp3 = buildSlotNames(4, "mp3", folder);
    const std::vector<RegistryEntry> expected = {
        {".mp3", "mp3file"},
        {"mp3file", std::nullopt},
        {"mp3file\\DefaultIcon", "C:\\ツール\\icon\\mp3.ico"},
        {"mp3file\\Shell", "Open"},
        {"mp3file\\Shell\\Open", "Open"},
        {"mp3file\\Shell\\Open\\Command", "C:\\Program Files\\p.exe %1"},
    };
    EXPECT_EQ(registryEntries(mp3, openCommand("C:\\Program Files\\p.exe")), expected);
}

TEST(WindowTables, BookkeepingKeysFollowTheCaptions) {
    for (std::size_t i = 0; i < kCustomSlot; ++i) {
        EXPECT_EQ(kAssociationSlots[i].bookkeepingKey,
                  std::string(".").append(kAssociationSlots[i].caption));
    }
    EXPECT_EQ(kAssociationSlots[kCustomSlot].bookkeepingKey, "");
}

TEST(WindowTables, OptionBoxIEditsTheIthKeyOfTheTool) {
    const std::array<std::string_view, kOptionBoxCount> keys = {
        "AlwaysFront",   "OriginalFit",        "ScreenSaverOFF", "ScreenInfoSave",
        "NotMultiStart", "NotPlayInfoDisplay", "ResumePlay",     "PlayEndExitPlayer"};
    for (std::size_t i = 0; i < kOptionBoxCount; ++i) {
        EXPECT_EQ(kOptionBoxes[i].key, keys[i]) << i;
    }
}

TEST(WindowTables, EveryControlHasItsOwnTabStopAndFitsTheWindow) {
    std::set<int> tabs;
    auto place = [&](const TwipRect& r, int tab) {
        tabs.insert(tab);
        EXPECT_LE(r.left + r.width, kToolWindowClient.width) << tab;
        EXPECT_LE(r.top + r.height, kToolWindowClient.height) << tab;
    };
    for (const auto& box : kOptionBoxes)
        place(box.position, box.tabIndex);
    for (const auto& slot : kAssociationSlots)
        place(slot.position, slot.tabIndex);
    for (const auto& control : kOtherControls)
        place(control.position, control.tabIndex);
    const std::size_t controls =
        kOptionBoxes.size() + kAssociationSlots.size() + kOtherControls.size();
    EXPECT_EQ(tabs.size(), controls);
    EXPECT_EQ(*tabs.begin(), 0);
    EXPECT_EQ(*tabs.rbegin(), static_cast<int>(controls) - 1);
}

}  // namespace
}  // namespace nwmp::testing
