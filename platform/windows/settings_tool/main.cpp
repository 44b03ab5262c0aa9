// NorvalentWMP3set: the settings tool. One window over the settings file beside the program.

#include <windows.h>

#include "common/located_settings_file.hpp"
#include "platform/windows/association/registry_file_association.hpp"
#include "platform/windows/settings_tool/win_message_boxes.hpp"
#include "platform/windows/settings_tool/win_settings_window.hpp"
#include "platform/windows/settings_tool/win_tool_folder.hpp"
#include "platform/windows/settings_tool/win_tool_process.hpp"
#include "platform/windows/shared/win_open_file_dialog.hpp"
#include "settings_tool/nwmpset.hpp"

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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    using namespace nwmp;
    using namespace nwmp::windows_platform;

    WinToolProcess process;
    WinSettingsWindow window(instance);
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
