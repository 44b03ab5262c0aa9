#pragma once

// Sections and keys of nwmpset.ini, shared by the player and the settings tool.

#include <array>
#include <cstdint>
#include <string_view>

namespace nwmp {

inline constexpr std::string_view kMainSection = "Norvalent WMP 3";
inline constexpr std::string_view kScreenSection = "Screen";
inline constexpr std::string_view kResumeSection = "ResumeInfo";
inline constexpr std::string_view kKeepConnectSection = "KeepConnect";

// The nine on/off keys in slot order. The player reads all nine into slots 0 to 8 and acts on
// them in this order; the settings tool edits the first eight and never touches ClassicMode.
inline constexpr std::array<std::string_view, 9> kSwitchKeys = {
    "AlwaysFront",        "OriginalFit", "ScreenSaverOFF",    "ScreenInfoSave", "NotMultiStart",
    "NotPlayInfoDisplay", "ResumePlay",  "PlayEndExitPlayer", "ClassicMode",
};

enum SwitchSlot : int {
    kAlwaysFront = 0,
    kOriginalFit = 1,
    kScreenSaverOFF = 2,
    kScreenInfoSave = 3,
    kNotMultiStart = 4,
    kNotPlayInfoDisplay = 5,
    kResumePlay = 6,
    kPlayEndExitPlayer = 7,
    kClassicMode = 8,
};

// A switch is on only when it reads exactly 1; 0, 2, -1 and anything else mean off.
constexpr bool isOn(std::int32_t switchValue) {
    return switchValue == 1;
}

inline constexpr std::string_view kScreenModeKey = "ScreenMode";

inline constexpr std::string_view kHeightKey = "Height";
inline constexpr std::string_view kWidthKey = "Width";
inline constexpr std::string_view kTopKey = "Top";
inline constexpr std::string_view kLeftKey = "Left";

inline constexpr std::string_view kFilePathKey = "FilePath";
inline constexpr std::string_view kPositionKey = "Position";

}  // namespace nwmp
