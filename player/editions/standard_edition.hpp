#pragma once

// The standard edition: the complete windowed player without the open-file dialog, with a plain
// control bar and its own frame allowances.

#include "player/editions/edition_profile.hpp"
#include "player/editions/shared_values.hpp"

namespace nwmp::editions {

inline constexpr EditionProfile kStandard = {
    .name = "standard",
    .version =
        {"NorvalentWMP3TE", {3, 0, 0, 136}, "3.00.0136", "Norvalent WMP 3 Series", kProductName},
    .applicationTitle = kStartTitle,
    .window = {.caption = kStartTitle,
               .frame = FrameKind::Sizable,
               .inTaskbar = true,
               .client = {4095, 3165, 6720, 4665},
               .acceptsDrops = true,
               .hasLabel1 = true,
               .hasTimer1 = true,
               .hasUrlDialog = true,
               .customPointer = true},
    .controlBar = {.shown = true, .volumeAndBalance = false, .seekAndSkip = false},
    .defaultSize = PixelSize{480, 409},
    .screenDefaults = ScreenDefaults{409, 480, 0, 0},
    .allowances = FrameAllowances{0, 135, 100},
    .handOff = HandOffTitles{kReplacementTitle, kStartTitle, kStartTitle},
    .features = {.longPathForm = true,
                 .versionCheck = VersionCheck::DetectClassicMode,
                 .honouredSlots = slotBits({0, 1, 2, 3, 4, 5, 6, 7, 8}),
                 .switchesRead = 9,
                 .notTopmostStep = true,
                 .handOff = true,
                 .playInfo = true,
                 .playStateHandling = true,
                 .endOfStreamExit = true,
                 .screenMode = true,
                 .dropAndClick = true,
                 .openFileDialog = false,
                 .resizeFits = true,
                 .hidePointer = false},
    .keys = {KeyCommand::SeekForward, KeyCommand::SeekBack, KeyCommand::NextEntry,
             KeyCommand::PreviousEntry, KeyCommand::ToggleRepeat, KeyCommand::ToggleExitAtEnd,
             KeyCommand::SettingsTool, KeyCommand::WholeScreen, KeyCommand::Quit,
             KeyCommand::ToggleMaximised, KeyCommand::Minimise, KeyCommand::ToggleUrlDialog,
             KeyCommand::RestartStartup},
    .titleNameRule = TitleNameRule::FileNameThenClipInfo,
    .startup = StartupVariant::Windowed,
};

}  // namespace nwmp::editions
