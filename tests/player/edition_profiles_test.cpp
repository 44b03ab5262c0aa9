// The four edition profiles against the edition tables, one table of cases per table.

#include <gtest/gtest.h>

#include <string>

#include "player/editions/editions.hpp"

namespace nwmp {
namespace {

using editions::kDask;
using editions::kKovex;
using editions::kPemra;
using editions::kStandard;

std::string nameOf(const EditionProfile* profile) {
    return std::string(profile->name);
}

TEST(EditionIdentity, VersionBlocks) {
    struct Row {
        const EditionProfile* profile;
        std::string_view programFile;
        std::array<std::uint16_t, 4> fileVersion;
        std::string_view versionText;
        std::string_view description;
    };
    const Row rows[] = {
        {&kStandard, "NorvalentWMP3TE", {3, 0, 0, 136}, "3.00.0136", "Norvalent WMP 3 Series"},
        {&kKovex,
         "NorvalentWMP3TEKOVEX",
         {3, 0, 0, 125},
         "3.00.0125",
         "Norvalent WMP 3 Series Kovex"},
        {&kPemra,
         "NorvalentWMP3TEPemra",
         {3, 0, 0, 127},
         "3.00.0127",
         "Norvalent WMP 3 Series Pemra"},
        {&kDask, "NorvalentWMP3TEDask", {3, 0, 0, 123}, "3.00.0123", "Norvalent WMP 3 Series Dask"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(nameOf(row.profile));
        EXPECT_EQ(row.profile->version.programName, row.programFile);
        EXPECT_EQ(row.profile->version.fileVersion, row.fileVersion);
        EXPECT_EQ(row.profile->version.versionText, row.versionText);
        EXPECT_EQ(row.profile->version.description, row.description);
        EXPECT_EQ(row.profile->version.productName, "Norvalent WMP 3 Series");
        EXPECT_EQ(row.profile->applicationTitle, "Norvalent WMP 3 TE");
    }
}

TEST(EditionWindow, MakeUp) {
    struct Row {
        const EditionProfile* profile;
        std::string_view caption;
        FrameKind frame;
        bool inTaskbar;
        TwipsRect client;
        bool acceptsDrops;
        bool label1AndTimer1;
        bool urlDialog;
        bool customPointer;
    };
    const Row rows[] = {
        {&kStandard,
         "Norvalent WMP 3 TE",
         FrameKind::Sizable,
         true,
         {4095, 3165, 6720, 4665},
         true,
         true,
         true,
         true},
        {&kKovex,
         "",
         FrameKind::SizableToolWindow,
         false,
         {4095, 3045, 6720, 4575},
         true,
         true,
         true,
         true},
        {&kPemra,
         "Norvalent WMP 3 TE",
         FrameKind::Sizable,
         true,
         {4095, 3165, 6720, 5040},
         true,
         true,
         true,
         false},
        {&kDask,
         "Norvalent WMP 3 SE",
         FrameKind::None,
         false,
         {4035, 2715, 6720, 4665},
         false,
         false,
         false,
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(nameOf(row.profile));
        const WindowMakeup& w = row.profile->window;
        EXPECT_EQ(w.caption, row.caption);
        EXPECT_EQ(w.frame, row.frame);
        EXPECT_EQ(w.inTaskbar, row.inTaskbar);
        EXPECT_EQ(w.client, row.client);
        EXPECT_EQ(w.acceptsDrops, row.acceptsDrops);
        EXPECT_EQ(w.hasLabel1, row.label1AndTimer1);
        EXPECT_EQ(w.hasTimer1, row.label1AndTimer1);
        EXPECT_EQ(w.hasUrlDialog, row.urlDialog);
        EXPECT_EQ(w.customPointer, row.customPointer);
    }
}

TEST(EditionWindow, EngineControlBar) {
    struct Row {
        const EditionProfile* profile;
        bool shown;
        bool volumeAndBalance;
        bool seekAndSkip;
    };
    const Row rows[] = {
        {&kStandard, true, false, false},
        {&kKovex, false, false, false},
        {&kPemra, true, true, true},
        {&kDask, false, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(nameOf(row.profile));
        EXPECT_EQ(row.profile->controlBar.shown, row.shown);
        EXPECT_EQ(row.profile->controlBar.volumeAndBalance, row.volumeAndBalance);
        EXPECT_EQ(row.profile->controlBar.seekAndSkip, row.seekAndSkip);
    }
}

TEST(EditionConstants, SizesAllowancesAndHandOffTitles) {
    struct Row {
        const EditionProfile* profile;
        std::optional<PixelSize> defaultSize;
        std::optional<ScreenDefaults> screenDefaults;
        std::optional<std::array<std::int32_t, 3>> allowances;   // classic, otherwise, horizontal
        std::optional<std::array<std::string_view, 3>> handOff;  // temporary, searched, after
    };
    const Row rows[] = {
        {&kStandard, PixelSize{480, 409}, ScreenDefaults{409, 480, 0, 0},
         std::array<std::int32_t, 3>{0, 135, 100},
         std::array<std::string_view, 3>{"Norvalent WMP 3-2 TE", "Norvalent WMP 3 TE",
                                         "Norvalent WMP 3 TE"}},
        {&kKovex, PixelSize{453, 360}, ScreenDefaults{360, 453, 0, 0},
         std::array<std::int32_t, 3>{390, 390, 100},
         std::array<std::string_view, 3>{"Norvalent WMP 3 TE KOVEX", "", ""}},
        {&kPemra, PixelSize{480, 409}, ScreenDefaults{409, 480, 0, 0},
         std::array<std::int32_t, 3>{365, 500, 100},
         std::array<std::string_view, 3>{"Norvalent WMP 3-2 TE", "Norvalent WMP 3 TE",
                                         "Norvalent WMP 3 TE"}},
        {&kDask, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(nameOf(row.profile));
        const EditionProfile& p = *row.profile;
        EXPECT_EQ(p.defaultSize, row.defaultSize);
        EXPECT_EQ(p.screenDefaults, row.screenDefaults);
        ASSERT_EQ(p.allowances.has_value(), row.allowances.has_value());
        if (row.allowances) {
            EXPECT_EQ(p.allowances->verticalClassic, (*row.allowances)[0]);
            EXPECT_EQ(p.allowances->vertical, (*row.allowances)[1]);
            EXPECT_EQ(p.allowances->horizontal, (*row.allowances)[2]);
        }
        ASSERT_EQ(p.handOff.has_value(), row.handOff.has_value());
        if (row.handOff) {
            EXPECT_EQ(p.handOff->temporaryTitle, (*row.handOff)[0]);
            EXPECT_EQ(p.handOff->searchedTitle, (*row.handOff)[1]);
            EXPECT_EQ(p.handOff->captionAfter, (*row.handOff)[2]);
        }
    }
}

TEST(EditionFeatures, FeatureSwitches) {
    // Columns: standard, KOVEX, Pemra, Dask.
    struct Row {
        const char* feature;
        bool Features::*member;
        std::array<bool, 4> expected;
    };
    const Row rows[] = {
        {"long path form", &Features::longPathForm, {true, true, true, false}},
        {"not-topmost step", &Features::notTopmostStep, {true, true, true, false}},
        {"hand-off", &Features::handOff, {true, true, true, false}},
        {"play info", &Features::playInfo, {true, true, true, false}},
        {"play-state handling", &Features::playStateHandling, {true, true, true, false}},
        {"end-of-stream exit", &Features::endOfStreamExit, {true, true, true, true}},
        {"screen mode", &Features::screenMode, {true, true, true, true}},
        {"drop and click", &Features::dropAndClick, {true, true, true, false}},
        {"open-file dialog", &Features::openFileDialog, {false, false, true, false}},
        {"resize fits", &Features::resizeFits, {true, true, true, false}},
        {"pointer hidden", &Features::hidePointer, {false, false, false, true}},
    };
    const EditionProfile* profiles[] = {&kStandard, &kKovex, &kPemra, &kDask};
    for (const Row& row : rows) {
        for (int e = 0; e < 4; ++e) {
            EXPECT_EQ(profiles[e]->features.*row.member, row.expected[e])
                << row.feature << " in " << profiles[e]->name;
        }
    }
}

TEST(EditionFeatures, VersionCheckSlotsAndStartup) {
    struct Row {
        const EditionProfile* profile;
        VersionCheck versionCheck;
        std::uint16_t slots;
        int switchesRead;
        TitleNameRule titleNameRule;
        StartupVariant startup;
    };
    const Row rows[] = {
        {&kStandard, VersionCheck::DetectClassicMode, 0x1FF, 9, TitleNameRule::FileNameThenClipInfo,
         StartupVariant::Windowed},
        {&kKovex, VersionCheck::InLine, 0x1FF, 9, TitleNameRule::ClipInfoThenFileName,
         StartupVariant::Windowed},
        {&kPemra, VersionCheck::InLine, 0x1FF, 9, TitleNameRule::FileNameThenClipInfo,
         StartupVariant::Windowed},
        {&kDask, VersionCheck::None, (1 << 2) | (1 << 6) | (1 << 7), 8,
         TitleNameRule::FileNameThenClipInfo, StartupVariant::WholeScreen},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(nameOf(row.profile));
        EXPECT_EQ(row.profile->features.versionCheck, row.versionCheck);
        EXPECT_EQ(row.profile->features.honouredSlots, row.slots);
        EXPECT_EQ(row.profile->features.switchesRead, row.switchesRead);
        EXPECT_EQ(row.profile->titleNameRule, row.titleNameRule);
        EXPECT_EQ(row.profile->startup, row.startup);
    }
}

TEST(EditionKeys, KeySets) {
    // Columns: standard, KOVEX, Pemra, Dask.
    struct Row {
        KeyCommand command;
        const char* keys;
        std::array<bool, 4> expected;
    };
    const Row rows[] = {
        {KeyCommand::SeekForward, "F", {true, true, true, true}},
        {KeyCommand::SeekBack, "R", {true, true, true, true}},
        {KeyCommand::NextEntry, "N", {true, true, true, true}},
        {KeyCommand::PreviousEntry, "B", {true, true, true, true}},
        {KeyCommand::ToggleRepeat, "L", {true, true, true, true}},
        {KeyCommand::ToggleExitAtEnd, "X", {true, true, true, true}},
        {KeyCommand::WholeScreen, "S", {true, true, true, true}},
        {KeyCommand::Quit, "Esc, Enter", {true, true, true, true}},
        {KeyCommand::SettingsTool, "T", {true, true, true, false}},
        {KeyCommand::OpenFileDialog, "D", {false, false, true, false}},
        {KeyCommand::ToggleMaximised, "P", {true, true, true, false}},
        {KeyCommand::Minimise, "O", {true, false, true, false}},
        {KeyCommand::ToggleUrlDialog, "U", {true, true, true, false}},
        {KeyCommand::RestartStartup, "Z", {true, true, true, false}},
    };
    const EditionProfile* profiles[] = {&kStandard, &kKovex, &kPemra, &kDask};
    for (const Row& row : rows) {
        for (int e = 0; e < 4; ++e) {
            EXPECT_EQ(profiles[e]->keys.has(row.command), row.expected[e])
                << row.keys << " in " << profiles[e]->name;
        }
    }
}

TEST(KeyBindings, CodesInTestingOrder) {
    struct Row {
        std::int16_t code;
        KeyCommand command;
    };
    const Row expected[] = {
        {70, KeyCommand::SeekForward},    {82, KeyCommand::SeekBack},
        {78, KeyCommand::NextEntry},      {66, KeyCommand::PreviousEntry},
        {76, KeyCommand::ToggleRepeat},   {88, KeyCommand::ToggleExitAtEnd},
        {84, KeyCommand::SettingsTool},   {83, KeyCommand::WholeScreen},
        {68, KeyCommand::OpenFileDialog}, {27, KeyCommand::Quit},
        {13, KeyCommand::Quit},           {80, KeyCommand::ToggleMaximised},
        {79, KeyCommand::Minimise},       {85, KeyCommand::ToggleUrlDialog},
        {90, KeyCommand::RestartStartup},
    };
    ASSERT_EQ(std::size(expected), kKeyBindings.size());
    for (std::size_t i = 0; i < kKeyBindings.size(); ++i) {
        EXPECT_EQ(kKeyBindings[i].keyCode, expected[i].code) << "row " << i;
        EXPECT_EQ(kKeyBindings[i].command, expected[i].command) << "row " << i;
    }
}

}  // namespace
}  // namespace nwmp
