#include "platform/windows/settings_tool/run_settings_tool.hpp"

#include <memory>
#include <stdexcept>

#include "common/located_settings_file.hpp"
#include "platform/windows/association/registry_file_association.hpp"
#include "platform/windows/settings_tool/win_message_boxes.hpp"
#include "platform/windows/settings_tool/win_settings_window.hpp"
#include "platform/windows/settings_tool/win_tool_folder.hpp"
#include "platform/windows/settings_tool/win_tool_process.hpp"
#include "platform/windows/shared/wide_text.hpp"
#include "platform/windows/shared/win_open_file_dialog.hpp"
#include "settings_tool/nwmpset.hpp"

namespace nwmp::windows_platform {

namespace {

std::string systemChoiceNote(std::vector<std::string> extensions) {
    std::string note;
    for (const std::string& extension : extensions) {
        note += "「" + extension + "」は、Windowsの設定で別のプログラムが既定に選ばれています。";
    }
    if (!note.empty()) {
        note += "「設定」の「既定のアプリ」で選び直してください。";
    }
    return note;
}

}  // namespace

int runSettingsTool(HINSTANCE instance) {
    WinToolProcess process;
    std::unique_ptr<WinSettingsWindow> windowOwner;
    try {
        windowOwner = std::make_unique<WinSettingsWindow>(instance);
    } catch (const std::runtime_error&) {
        // Nothing has been read or written yet.
        MessageBoxW(nullptr, widen(kToolWindowFailedMessage).c_str(),
                    widen(kToolWindowTitle).c_str(), MB_OK | MB_ICONERROR | MB_TOPMOST);
        return 1;
    }
    WinSettingsWindow& window = *windowOwner;
    WinMessageBoxes messages([&window] { return window.handle(); });
    WinToolFolder folder;
    LocatedSettingsFile settings;
    RegistryFileAssociation association;
    messages.setFailureNote(
        [&association] { return systemChoiceNote(association.takeChoicesHeldBySystem()); });
    WinOpenFileDialog openDialog;
    NWMPset core({window, messages, process, folder, settings, association, openDialog});
    window.setEvents({
        [&core](std::size_t index) { core.Check_Click(index); },
        [&core] { core.Combo1_Change(); },
        [&core](int command) { core.CommandClick(command); },
    });

    core.Form_Load();
    window.show();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // The dialog keys: Tab and the arrows move between the controls in tab order.
        if (window.handle() != nullptr && IsDialogMessageW(window.handle(), &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace nwmp::windows_platform
