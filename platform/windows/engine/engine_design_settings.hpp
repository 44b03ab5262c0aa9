#pragma once

// The engine control's design settings, set once when it is made and never again: the control
// bar per edition, and what all editions share (key events on, click to play, no status bar,
// display size 4, volume 0, the loudest). Named as in the control's type library; the control
// tells their dispatch identifiers.

#include <array>

#include "player/editions/edition_profile.hpp"

namespace nwmp::windows {

struct DesignSetting {
    const wchar_t* name;
    bool isSwitch;  // a boolean, otherwise a 32-bit integer
    long value;
};

inline std::array<DesignSetting, 9> engineDesignSettings(const ControlBar& bar) {
    return {{
        {L"ShowControls", true, bar.shown},
        {L"ShowAudioControls", true, bar.volumeAndBalance},
        {L"ShowPositionControls", true, bar.seekAndSkip},
        {L"ShowTracker", true, 1},
        {L"ShowStatusBar", true, 0},
        {L"SendKeyboardEvents", true, 1},
        {L"ClickToPlay", true, 1},
        {L"DisplaySize", false, 4},
        {L"Volume", false, 0},
    }};
}

}  // namespace nwmp::windows
