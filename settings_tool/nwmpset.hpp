#pragma once

// NWMPset: the settings tool's window without its platform. It edits the eight switches and the
// screen mode of nwmpset.ini, and registers or removes the player as the opener of media types,
// keeping track of what it registered in the "KeepConnect" section.
//
// The platform builds the window from the tables of nwmpset_layout.hpp (all boxes unchecked,
// both text boxes empty, Combo1 at its first item), builds an NWMPset over its ports, calls
// Form_Load once before showing the window, and then calls the handlers below on the GUI thread
// (CommandN_Click for the button named CommandN). See settings_view.hpp for who raises
// Check_Click and Combo1_Change.
// No handler throws: a failing step ends its handler quietly, keeping what was done.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/open_file_dialog.hpp"
#include "common/settings_file.hpp"
#include "settings_tool/association_slots.hpp"
#include "settings_tool/file_association.hpp"
#include "settings_tool/message_boxes.hpp"
#include "settings_tool/nwmpset_layout.hpp"
#include "settings_tool/settings_view.hpp"
#include "settings_tool/tool_folder.hpp"
#include "settings_tool/tool_process.hpp"

namespace nwmp {

struct NWMPsetPorts {
    SettingsToolView& view;
    MessageBoxes& messages;
    ToolProcess& process;
    ToolFolder& folder;
    SettingsFile& settings;
    FileAssociation& association;
    OpenFileDialog& openDialog;
};

class NWMPset {
  public:
    explicit NWMPset(const NWMPsetPorts& ports);

    // Event handlers.
    void Form_Load() noexcept;
    void Check_Click(std::size_t index) noexcept;  // which box is not looked at
    void Combo1_Change() noexcept;
    void Command1_Click() noexcept;  // "設定": save the switches and the screen mode, then close
    void Command2_Click() noexcept;  // "閉じる": close, writing nothing
    void Command3_Click() noexcept;  // "関連設定": register the ticked slots
    void Command4_Click() noexcept;  // "関連解除": remove the ticked slots
    void Command5_Click() noexcept;  // "...": choose the program to associate
    // Button N of the window (1 to 5) as the handlers above; any other number does nothing.
    void CommandClick(int number) noexcept;

    // Procedures of the window, used by the handlers above.
    void iniRead();        // the eight switches as read
    void iniRead3();       // the stored screen mode, shown in Combo1 when it is a known one
    void iniRead4();       // the bookkeeping of the twelve slots as read
    void iniCheckWrite();  // the eight switches from the boxes, in slot order
    void iniComboWrite();  // ScreenMode from the mode number to be written
    void regkanrenduke();
    void regdelkanrenduke();
    void iniKanrenWrite(int& j);                 // j under the current slot's bookkeeping key
    void iniKanrenkaijyoWrite(int& /*unused*/);  // "0" under the current slot's bookkeeping key

    // What the procedures keep, for the window's own use and for inspection.
    const std::array<std::int32_t, kOptionBoxCount>& switchValues() const { return switches_; }
    std::int32_t screenModeRead() const { return screenModeRead_; }
    std::int32_t screenModeToWrite() const { return screenModeToWrite_; }
    const std::array<std::int32_t, kSlotCount>& bookkeepingValues() const { return kept_; }
    // Extensions whose registration or removal failed in the last regkanrenduke or
    // regdelkanrenduke.
    const std::vector<std::string>& failedExtensions() const { return failed_; }

  private:
    // Sets box i and, when its state really changed, raises Check_Click as a live box would.
    void setCheck(std::size_t index, bool checked);
    // Sets Combo1's text and, when it really changed, runs Combo1_Change as a live combo would.
    void setComboText(std::string_view text);
    // Names of all twelve slots, from the captions and Text2 as it is now.
    void prepareSlotNames();
    // Whether the service may be asked about this slot: the user's own extension must pass its
    // check.
    bool slotUsable(std::size_t slot) const;
    // Text2 is checked when box 11 is ticked; a refused extension is reported and stops the
    // press. Returns whether the press may go on.
    bool customExtensionAccepted();
    bool programChosen();

    // Runs one handler's steps; a step that throws ends the handler quietly.
    template <typename Steps>
    static void guarded(Steps steps) noexcept {
        try {
            steps();
        } catch (...) {
        }
    }

    SettingsToolView& view_;
    MessageBoxes& messages_;
    ToolProcess& process_;
    ToolFolder& folder_;
    SettingsFile& settings_;
    FileAssociation& association_;
    OpenFileDialog& openDialog_;

    std::array<std::int32_t, kOptionBoxCount> switches_{};
    std::int32_t screenModeRead_ = 0;
    std::int32_t screenModeToWrite_ = 0;
    std::array<std::int32_t, kSlotCount> kept_{};
    std::array<SlotNames, kSlotCount> slots_{};
    std::size_t slot_ = 0;  // the current slot of the association loops
    std::vector<std::string> failed_;
};

}  // namespace nwmp
