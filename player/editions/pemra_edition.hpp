#pragma once

// Pemra: the edition with every feature, and the constants all other editions start from.

#include "player/editions/edition_profile.hpp"
#include "player/editions/shared_values.hpp"

namespace nwmp::editions {

inline constexpr EditionProfile kPemra = {
    .name = "Pemra",
    .version = {"NorvalentWMP3TEPemra",
                {3, 0, 0, 127},
                "3.00.0127",
                "Norvalent WMP 3 Series Pemra",
                kProductName},
    .applicationTitle = kStartTitle,
    .window = {.caption = kStartTitle,
               .frame = FrameKind::Sizable,
               .inTaskbar = true,
               .client = {4095, 3165, 6720, 5040},
               .acceptsDrops = true,
               .hasLabel1 = true,
               .hasTimer1 = true,
               .hasUrlDialog = true,
               .customPointer = false},
    .controlBar = {.shown = true, .volumeAndBalance = true, .seekAndSkip = true},
    .defaultSize = PixelSize{480, 409},
    .screenDefaults = ScreenDefaults{409, 480, 0, 0},
    .allowances = FrameAllowances{365, 500, 100},
    .handOff = HandOffTitles{kReplacementTitle, kStartTitle, kStartTitle},
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
                 .openFileDialog = true,
                 .resizeFits = true,
                 .hidePointer = false},
    .keys = kAllKeys,
    .titleNameRule = TitleNameRule::FileNameThenClipInfo,
    .startup = StartupVariant::Windowed,
};

}  // namespace nwmp::editions
