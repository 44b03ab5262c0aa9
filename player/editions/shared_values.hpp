#pragma once

// Values that every edition shares.

#include <string_view>

#include "player/key_commands.hpp"

namespace nwmp::editions {

inline constexpr std::string_view kProductName = "Norvalent WMP 3 Series";
inline constexpr std::string_view kStartTitle = "Norvalent WMP 3 TE";
inline constexpr std::string_view kReplacementTitle = "Norvalent WMP 3-2 TE";

// The keys every edition has.
inline constexpr KeySet kAllKeys = {
    KeyCommand::SeekForward,     KeyCommand::SeekBack,
    KeyCommand::NextEntry,       KeyCommand::PreviousEntry,
    KeyCommand::ToggleRepeat,    KeyCommand::ToggleExitAtEnd,
    KeyCommand::SettingsTool,    KeyCommand::WholeScreen,
    KeyCommand::OpenFileDialog,  KeyCommand::Quit,
    KeyCommand::ToggleMaximised, KeyCommand::Minimise,
    KeyCommand::ToggleUrlDialog, KeyCommand::RestartStartup,
};

}  // namespace nwmp::editions
