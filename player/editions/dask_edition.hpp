#pragma once

// Dask: a borderless, always-on-top player over the whole screen with the pointer hidden, no
// dialogs, and only the keys and settings a kiosk needs.

#include "player/editions/edition_profile.hpp"
#include "player/editions/shared_values.hpp"

namespace nwmp::editions {

inline constexpr EditionProfile kDask = {
    .name = "Dask",
    .version = {"NorvalentWMP3TEDask",
                {3, 0, 0, 123},
                "3.00.0123",
                "Norvalent WMP 3 Series Dask",
                kProductName},
    .applicationTitle = kStartTitle,
    .window = {.caption = "Norvalent WMP 3 SE",
               .frame = FrameKind::None,
               .inTaskbar = false,
               .client = {4035, 2715, 6720, 4665},
               .acceptsDrops = false,
               .hasLabel1 = false,
               .hasTimer1 = false,
               .hasUrlDialog = false,
               .customPointer = true},
    .controlBar = {.shown = false, .volumeAndBalance = false, .seekAndSkip = false},
    .defaultSize = std::nullopt,
    .screenDefaults = std::nullopt,
    .allowances = std::nullopt,
    .handOff = std::nullopt,
    .features = {.longPathForm = false,
                 .versionCheck = VersionCheck::None,
                 .honouredSlots = slotBits({2, 6, 7}),
                 .switchesRead = 8,
                 .notTopmostStep = false,
                 .handOff = false,
                 .playInfo = false,
                 .playStateHandling = false,
                 .endOfStreamExit = true,
                 .screenMode = true,
                 .dropAndClick = false,
                 .openFileDialog = false,
                 .resizeFits = false,
                 .hidePointer = true},
    .keys = {KeyCommand::SeekForward, KeyCommand::SeekBack, KeyCommand::NextEntry,
             KeyCommand::PreviousEntry, KeyCommand::ToggleRepeat, KeyCommand::ToggleExitAtEnd,
             KeyCommand::WholeScreen, KeyCommand::Quit},
    .titleNameRule = TitleNameRule::FileNameThenClipInfo,
    .startup = StartupVariant::WholeScreen,
};

}  // namespace nwmp::editions
