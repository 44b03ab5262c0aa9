#include "platform/windows/settings_tool/win_message_boxes.hpp"

#include "platform/windows/shared/wide_text.hpp"

namespace nwmp::windows_platform {

void WinMessageBoxes::show(std::string_view title, std::string_view text, MessageIcon icon) {
    std::string message(text);
    UINT style = MB_OK;
    switch (icon) {
        case MessageIcon::None:
            break;
        case MessageIcon::Information:
            style |= MB_ICONINFORMATION;
            break;
        case MessageIcon::Warning:
            style |= MB_ICONWARNING;
            if (failureNote_) {
                if (const std::string note = failureNote_(); !note.empty()) {
                    message += "\n\n" + note;
                }
            }
            break;
    }
    HWND owner = owner_ ? owner_() : nullptr;
    if (owner != nullptr && !IsWindowVisible(owner)) {
        owner = nullptr;  // a box owned by a hidden window would not show in the task bar
    }
    MessageBoxW(owner, widen(message).c_str(), widen(title).c_str(), style);
}

}  // namespace nwmp::windows_platform
