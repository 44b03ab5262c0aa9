#include "platform/linux/settings_tool/settings_tool_events.hpp"

namespace nwmp::linux_platform {

SettingsToolEvents eventsOf(NWMPset& core) {
    SettingsToolEvents events;
    events.checkClick = [&core](std::size_t index) { core.Check_Click(index); };
    events.combo1Change = [&core] { core.Combo1_Change(); };
    events.commandClick = [&core](int number) {
        switch (number) {
            case 1:
                core.Command1_Click();
                break;
            case 2:
                core.Command2_Click();
                break;
            case 3:
                core.Command3_Click();
                break;
            case 4:
                core.Command4_Click();
                break;
            case 5:
                core.Command5_Click();
                break;
            default:
                break;
        }
    };
    return events;
}

}  // namespace nwmp::linux_platform
