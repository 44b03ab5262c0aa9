#include "platform/linux/settings_tool/settings_tool_events.hpp"

namespace nwmp::linux_platform {

SettingsToolEvents eventsOf(NWMPset& core) {
    SettingsToolEvents events;
    events.checkClick = [&core](std::size_t index) { core.Check_Click(index); };
    events.combo1Change = [&core] { core.Combo1_Change(); };
    events.commandClick = [&core](int number) { core.CommandClick(number); };
    return events;
}

}  // namespace nwmp::linux_platform
