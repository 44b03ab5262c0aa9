#pragma once

// What makes one edition of the player differ from another. Each program hands its own profile
// to the core; nothing reads a setting to learn which edition it is.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "player/key_commands.hpp"

namespace nwmp {

// The version block of the program file.
struct VersionBlock {
    std::string_view programName;  // the program file without the platform's suffix
    std::array<std::uint16_t, 4> fileVersion;
    std::string_view versionText;
    std::string_view description;
    std::string_view productName;
};

enum class FrameKind : std::uint8_t {
    Sizable,            // title bar with minimise and maximise boxes
    SizableToolWindow,  // small title bar, no minimise or maximise box
    None,               // no border, no title bar
};

struct TwipsRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t width;
    std::int32_t height;
    constexpr bool operator==(const TwipsRect&) const = default;
};

struct PixelSize {
    std::int32_t width;
    std::int32_t height;
    constexpr bool operator==(const PixelSize&) const = default;
};

// The main window as designed, before the start-up sequence touches it.
struct WindowMakeup {
    std::string_view caption;
    FrameKind frame;
    bool inTaskbar;
    TwipsRect client;
    bool acceptsDrops;
    bool hasLabel1;
    bool hasTimer1;
    bool hasUrlDialog;
    bool customPointer;  // the window sets a pointer of its own over uncovered parts
};

// Design settings of the engine's own control bar; the player never changes them.
struct ControlBar {
    bool shown;
    bool volumeAndBalance;
    bool seekAndSkip;
};

// Amounts by which the window's outer size exceeds the engine control's, in twips.
struct FrameAllowances {
    std::int32_t verticalClassic;
    std::int32_t vertical;
    std::int32_t horizontal;
};

// Defaults of Height, Width (pixels), Top, Left (twips) in the Screen section.
struct ScreenDefaults {
    std::int32_t height;
    std::int32_t width;
    std::int32_t top;
    std::int32_t left;
    constexpr bool operator==(const ScreenDefaults&) const = default;
};

struct HandOffTitles {
    std::string_view temporaryTitle;  // application title and caption while searching
    std::string_view searchedTitle;   // title of the running player's window
    std::string_view captionAfter;    // caption set once the running player has closed
};

// Where the platform-version step of the windowed start-up runs.
enum class VersionCheck : std::uint8_t {
    InLine,             // a step of Form_Load itself
    DetectClassicMode,  // a procedure of its own, called at the same point
    None,
};

// How the title tick names the media.
enum class TitleNameRule : std::uint8_t {
    FileNameThenClipInfo,  // the file name; clip title/author for names ending in mp3 or m3u
    ClipInfoThenFileName,  // clip title/author; the file name when both are absent
};

enum class StartupVariant : std::uint8_t {
    Windowed,     // the sequence of the windowed editions
    WholeScreen,  // Dask: borderless, topmost, the whole screen, pointer hidden
};

// Behaviours that the switch slots or the window make-up already decide
// have no switch here: honouredSlots says whether OriginalFit, ScreenInfoSave, ScreenSaverOFF
// and ResumePlay act, WindowMakeup::hasUrlDialog whether there is a URL dialog.
struct Features {
    bool longPathForm;            // command-line path converted to its long form
    VersionCheck versionCheck;    // platform-version check and ClassicMode
    std::uint16_t honouredSlots;  // bit i set: switch slot i is acted on at start-up
    std::uint8_t switchesRead;  // how many switch keys iniRead reads (9, or 8 without ClassicMode)
    bool notTopmostStep;        // AlwaysFront 0 makes the window not topmost; else always topmost
    bool handOff;
    bool playInfo;  // NotPlayInfoDisplay and the title timer
    bool playStateHandling;
    bool endOfStreamExit;
    bool screenMode;
    bool dropAndClick;
    bool openFileDialog;
    bool resizeFits;  // resize fits control and Label1; else it only gives the focus
    bool hidePointer;
};

struct EditionProfile {
    std::string_view name;  // "standard", "KOVEX", "Pemra", "Dask"
    VersionBlock version;
    std::string_view applicationTitle;  // the application title at start
    WindowMakeup window;
    ControlBar controlBar;
    std::optional<PixelSize> defaultSize;          // none: the whole screen
    std::optional<ScreenDefaults> screenDefaults;  // none: the Screen section is not used
    std::optional<FrameAllowances> allowances;     // none: resize never fits
    std::optional<HandOffTitles> handOff;          // none: no hand-off
    Features features;
    KeySet keys;
    TitleNameRule titleNameRule;
    StartupVariant startup;
};

constexpr std::uint16_t slotBits(std::initializer_list<int> slotNumbers) {
    std::uint16_t bits = 0;
    for (int slot : slotNumbers) {
        bits = static_cast<std::uint16_t>(bits | (1u << slot));
    }
    return bits;
}

constexpr bool honoursSlot(const EditionProfile& profile, int slot) {
    return (profile.features.honouredSlots & (1u << slot)) != 0;
}

}  // namespace nwmp
