// The association half of the window: the program path, the twelve slots and their bookkeeping.

#include <string>

#include "common/settings_keys.hpp"
#include "settings_tool/custom_extension.hpp"
#include "settings_tool/nwmpset.hpp"
#include "settings_tool/nwmpset_messages.hpp"

namespace nwmp {

void NWMPset::Command3_Click() noexcept {
    guarded([this] {
        if (!programChosen() || !customExtensionAccepted()) {
            return;
        }
        regkanrenduke();
        if (failed_.empty()) {
            messages_.show(kToolMessageTitle, kAssociationSetMessage, MessageIcon::Information);
        } else {
            messages_.show(kToolMessageTitle, associationSetFailedMessage(failed_),
                           MessageIcon::Warning);
        }
    });
}

void NWMPset::Command4_Click() noexcept {
    guarded([this] {
        // Removal does not use the program path, but asks for it all the same.
        if (!programChosen() || !customExtensionAccepted()) {
            return;
        }
        regdelkanrenduke();
        if (failed_.empty()) {
            messages_.show(kToolMessageTitle, kAssociationRemovedMessage, MessageIcon::Information);
        } else {
            messages_.show(kToolMessageTitle, associationRemoveFailedMessage(failed_),
                           MessageIcon::Warning);
        }
    });
}

void NWMPset::Command5_Click() noexcept {
    guarded([this] {
        // Emptied first, so a cancelled dialog leaves no program chosen.
        view_.setText1("");
        const std::string filter = programFilterText();
        view_.setText1(openDialog_.ShowOpenDialog(view_.windowId(), filter));
    });
}

void NWMPset::iniRead4() {
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        kept_[i] = settings_.readInt(kKeepConnectSection, kAssociationSlots[i].bookkeepingKey, 0);
    }
}

void NWMPset::regkanrenduke() {
    failed_.clear();
    prepareSlotNames();
    const std::string command = openCommand(view_.text1());
    for (slot_ = 0; slot_ < kSlotCount; ++slot_) {
        int flag = 0;
        if (view_.isKanrenChecked(slot_)) {
            const SlotNames& names = slots_[slot_];
            if (slotUsable(slot_) &&
                association_.registerExtension({names.extension, command, names.iconPath})) {
                flag = 1;
            } else {
                // A failed registration changes nothing, so whatever was registered before
                // still stands, and so does its mark.
                failed_.push_back(names.extension);
                continue;
            }
        }
        iniKanrenWrite(flag);
    }
}

void NWMPset::regdelkanrenduke() {
    failed_.clear();
    prepareSlotNames();
    for (slot_ = 0; slot_ < kSlotCount; ++slot_) {
        if (!view_.isKanrenChecked(slot_)) {
            continue;
        }
        const SlotNames& names = slots_[slot_];
        if (slotUsable(slot_) && association_.removeExtension(names.extension)) {
            int unused = 0;
            iniKanrenkaijyoWrite(unused);
        } else {
            // Still registered as far as anyone knows: its "1" stays.
            failed_.push_back(names.extension);
        }
    }
}

void NWMPset::iniKanrenWrite(int& j) {
    settings_.writeText(kKeepConnectSection, kAssociationSlots.at(slot_).bookkeepingKey,
                        std::to_string(j));
}

void NWMPset::iniKanrenkaijyoWrite(int& /*unused*/) {
    settings_.writeText(kKeepConnectSection, kAssociationSlots.at(slot_).bookkeepingKey, "0");
}

void NWMPset::prepareSlotNames() {
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        const std::string extension = i == kCustomSlot
                                          ? checkCustomExtension(view_.text2()).extension
                                          : std::string(kAssociationSlots[i].caption);
        slots_[i] = buildSlotNames(i, extension, folder_);
    }
}

bool NWMPset::slotUsable(std::size_t slot) const {
    return slot != kCustomSlot ||
           checkCustomExtension(view_.text2()).problem == ExtensionProblem::None;
}

bool NWMPset::programChosen() {
    if (!view_.text1().empty()) {
        return true;
    }
    messages_.show(kToolMessageTitle, kChooseProgramMessage, MessageIcon::Information);
    return false;
}

bool NWMPset::customExtensionAccepted() {
    if (!view_.isKanrenChecked(kCustomSlot)) {
        return true;
    }
    const ExtensionCheck check = checkCustomExtension(view_.text2());
    if (check.problem == ExtensionProblem::None) {
        return true;
    }
    messages_.show(kToolMessageTitle, extensionRefusalMessage(check), MessageIcon::Warning);
    return false;
}

}  // namespace nwmp
