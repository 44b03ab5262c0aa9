#pragma once

// The player's single-key commands: which virtual-key code asks for which command, in the order
// the key-down handler tests them. An edition has a subset of the commands (KeySet).

#include <array>
#include <cstdint>
#include <initializer_list>

namespace nwmp {

enum class KeyCommand : std::uint8_t {
    SeekForward,      // F
    SeekBack,         // R
    NextEntry,        // N
    PreviousEntry,    // B
    ToggleRepeat,     // L
    ToggleExitAtEnd,  // X
    SettingsTool,     // T
    WholeScreen,      // S
    OpenFileDialog,   // D
    Quit,             // Esc, Enter
    ToggleMaximised,  // P
    Minimise,         // O
    ToggleUrlDialog,  // U
    RestartStartup,   // Z
};

struct KeyBinding {
    std::int16_t keyCode;  // Windows virtual-key code
    KeyCommand command;
};

// In the order the handler tests them.
inline constexpr std::array<KeyBinding, 15> kKeyBindings = {{
    {70, KeyCommand::SeekForward},
    {82, KeyCommand::SeekBack},
    {78, KeyCommand::NextEntry},
    {66, KeyCommand::PreviousEntry},
    {76, KeyCommand::ToggleRepeat},
    {88, KeyCommand::ToggleExitAtEnd},
    {84, KeyCommand::SettingsTool},
    {83, KeyCommand::WholeScreen},
    {68, KeyCommand::OpenFileDialog},
    {27, KeyCommand::Quit},
    {13, KeyCommand::Quit},
    {80, KeyCommand::ToggleMaximised},
    {79, KeyCommand::Minimise},
    {85, KeyCommand::ToggleUrlDialog},
    {90, KeyCommand::RestartStartup},
}};

// A set of commands, one bit each.
class KeySet {
  public:
    constexpr KeySet() = default;
    constexpr KeySet(std::initializer_list<KeyCommand> commands) {
        for (KeyCommand command : commands) {
            bits_ |= bit(command);
        }
    }
    constexpr bool has(KeyCommand command) const { return (bits_ & bit(command)) != 0; }
    constexpr bool operator==(const KeySet&) const = default;

  private:
    static constexpr std::uint32_t bit(KeyCommand command) {
        return std::uint32_t{1} << static_cast<unsigned>(command);
    }
    std::uint32_t bits_ = 0;
};

}  // namespace nwmp
