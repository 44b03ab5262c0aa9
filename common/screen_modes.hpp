#pragma once

// The screen modes: the code stored under ScreenMode, the engine display size the player hands
// to the engine for it, and the text the settings tool shows for it, in the tool's list order.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace nwmp {

struct ScreenMode {
    std::int32_t code;         // value of ScreenMode in nwmpset.ini
    std::int32_t displaySize;  // the engine's display-size value
    std::string_view text;     // the settings tool's list item
};

inline constexpr std::array<ScreenMode, 8> kScreenModes = {{
    {0, 4, "画面にフィット(標準)"},   // stretched to fit the engine control
    {50, 1, "動画サイズの半分"},      // half the video's own size
    {100, 0, "動画サイズと同じ"},     // the video's own size
    {200, 2, "動画サイズの２倍"},     // twice the video's own size
    {300, 7, "画面サイズの２/１"},    // half of the screen
    {400, 6, "画面サイズの４/１"},    // a quarter of the screen
    {500, 5, "画面サイズの１６/１"},  // a sixteenth of the screen
    {999, 3, "フルスクリーン"},       // the entire screen
}};

// The mode with this code; any other code selects nothing.
constexpr std::optional<ScreenMode> screenModeByCode(std::int32_t code) {
    for (const ScreenMode& mode : kScreenModes) {
        if (mode.code == code) {
            return mode;
        }
    }
    return std::nullopt;
}

// The mode whose list text is exactly this text (no trimming, no case folding).
constexpr std::optional<ScreenMode> screenModeByText(std::string_view text) {
    for (const ScreenMode& mode : kScreenModes) {
        if (mode.text == text) {
            return mode;
        }
    }
    return std::nullopt;
}

}  // namespace nwmp
