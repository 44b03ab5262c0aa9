#pragma once

// KOVEX: a compact tool-window player with an empty title and no control bar. Its hand-off
// searches for its own resting caption, the empty title.

#include "player/editions/edition_profile.hpp"
#include "player/editions/shared_values.hpp"

namespace nwmp::editions {

inline constexpr std::string_view kKovexReplacementTitle = "Norvalent WMP 3 TE KOVEX";

inline constexpr EditionProfile kKovex = {
    .name = "KOVEX",
    .version = {"NorvalentWMP3TEKOVEX",
                {3, 0, 0, 125},
                "3.00.0125",
                "Norvalent WMP 3 Series Kovex",
                kProductName},
    .applicationTitle = kStartTitle,
    .window = {.caption = "",
               .frame = FrameKind::SizableToolWindow,
               .inTaskbar = false,
               .client = {4095, 3045, 6720, 4575},
               .acceptsDrops = true,
               .hasLabel1 = true,
               .hasTimer1 = true,
               .hasUrlDialog = true,
               .customPointer = true},
    .controlBar = {.shown = false, .volumeAndBalance = false, .seekAndSkip = false},
    .defaultSize = PixelSize{453, 360},
    .screenDefaults = ScreenDefaults{360, 453, 0, 0},
    .allowances = FrameAllowances{390, 390, 100},
    .handOff = HandOffTitles{kKovexReplacementTitle, "", ""},
    .features = {.longPathForm = true,
                 .versionCheck = VersionCheck::InLine,
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
             KeyCommand::ToggleMaximised, KeyCommand::ToggleUrlDialog, KeyCommand::RestartStartup},
    .titleNameRule = TitleNameRule::ClipInfoThenFileName,
    .startup = StartupVariant::Windowed,
};

}  // namespace nwmp::editions
