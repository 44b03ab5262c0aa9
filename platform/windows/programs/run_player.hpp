#pragma once

// What every player program runs: the edition's profile handed to the core, in Win32 windows
// around the engine control.

#include "player/editions/edition_profile.hpp"

namespace nwmp::windows_platform {

// What a player shows before it ends when its windows cannot be made.
inline constexpr char kWindowFailedMessage[] =
    "ウィンドウを作成できませんでした。プレーヤーを終了します。";

// Runs the player until it ends; returns the program's exit status.
int runPlayer(const EditionProfile& profile);

}  // namespace nwmp::windows_platform
