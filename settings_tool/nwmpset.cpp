// Opening the window, its two rules, saving and closing.

#include "settings_tool/nwmpset.hpp"

#include <string>

#include "common/screen_modes.hpp"
#include "common/settings_keys.hpp"
#include "settings_tool/nwmpset_messages.hpp"

namespace nwmp {

namespace {

constexpr std::string_view kFullScreenText = screenModeByCode(999)->text;

}  // namespace

NWMPset::NWMPset(const NWMPsetPorts& ports)
    : view_(ports.view),
      messages_(ports.messages),
      process_(ports.process),
      folder_(ports.folder),
      settings_(ports.settings),
      association_(ports.association),
      openDialog_(ports.openDialog) {}

void NWMPset::Form_Load() noexcept {
    guarded([this] {
        if (process_.anotherCopyRunning()) {
            messages_.show(kToolMessageTitle, kAlreadyRunningMessage, MessageIcon::Information);
            process_.endNow();
            return;
        }
        view_.setText1(defaultProgramPath(folder_));
        iniRead();
        // Boxes are set in slot order and each change runs the rules, so a file that breaks
        // the multi-start rule opens mended.
        for (std::size_t i = 0; i < kOptionBoxCount; ++i) {
            if (isOn(switches_[i])) {
                setCheck(i, true);
            }
        }
        iniRead4();
        for (std::size_t i = 0; i < kSlotCount; ++i) {
            if (isOn(kept_[i])) {
                view_.setKanrenChecked(i, true);
            }
        }
        iniRead3();
    });
}

void NWMPset::Check_Click(std::size_t /*index*/) noexcept {
    guarded([this] {
        if (view_.isCheckChecked(kNotMultiStart) && !view_.isCheckChecked(kNotPlayInfoDisplay)) {
            messages_.show(kToolMessageTitle, kMultiStartMessage, MessageIcon::Information);
            setCheck(kNotPlayInfoDisplay, true);
        }
    });
}

void NWMPset::Combo1_Change() noexcept {
    guarded([this] {
        if (view_.comboText() == kFullScreenText && view_.isCheckChecked(kAlwaysFront)) {
            setCheck(kAlwaysFront, false);
            messages_.show(kToolMessageTitle, kFullScreenTypedMessage, MessageIcon::Information);
        }
    });
}

void NWMPset::Command1_Click() noexcept {
    guarded([this] {
        if (view_.comboText() == kFullScreenText && view_.isCheckChecked(kAlwaysFront)) {
            setCheck(kAlwaysFront, false);
            messages_.show(kToolMessageTitle, kFullScreenApplyMessage, MessageIcon::Information);
        }
        iniCheckWrite();
        if (const auto mode = screenModeByText(view_.comboText())) {
            screenModeToWrite_ = mode->code;
        } else {
            messages_.show(kToolMessageTitle, kInvalidScreenModeMessage, MessageIcon::None);
        }
        iniComboWrite();
        view_.hideWindow();
        view_.closeWindow();
    });
}

void NWMPset::Command2_Click() noexcept {
    guarded([this] {
        view_.hideWindow();
        view_.closeWindow();
    });
}

void NWMPset::iniRead() {
    for (std::size_t i = 0; i < kOptionBoxCount; ++i) {
        switches_[i] = settings_.readInt(kMainSection, kOptionBoxes[i].key, 0);
    }
}

void NWMPset::iniRead3() {
    screenModeRead_ = settings_.readInt(kMainSection, kScreenModeKey, 0);
    if (const auto mode = screenModeByCode(screenModeRead_)) {
        setComboText(mode->text);
    }
}

void NWMPset::iniCheckWrite() {
    for (std::size_t i = 0; i < kOptionBoxCount; ++i) {
        settings_.writeText(kMainSection, kOptionBoxes[i].key, view_.isCheckChecked(i) ? "1" : "0");
    }
}

void NWMPset::iniComboWrite() {
    settings_.writeText(kMainSection, kScreenModeKey, std::to_string(screenModeToWrite_));
}

void NWMPset::setCheck(std::size_t index, bool checked) {
    if (view_.isCheckChecked(index) == checked) {
        return;
    }
    view_.setCheckChecked(index, checked);
    Check_Click(index);
}

void NWMPset::setComboText(std::string_view text) {
    if (view_.comboText() == text) {
        return;
    }
    view_.setComboText(text);
    Combo1_Change();
}

void NWMPset::CommandClick(int number) noexcept {
    switch (number) {
        case 1:
            Command1_Click();
            break;
        case 2:
            Command2_Click();
            break;
        case 3:
            Command3_Click();
            break;
        case 4:
            Command4_Click();
            break;
        case 5:
            Command5_Click();
            break;
        default:
            break;
    }
}

}  // namespace nwmp
