#pragma once

// What each user action in the window runs in the core: box i runs Check_Click(i), typing into
// the combo Combo1_Change, button N CommandN_Click.

#include "platform/linux/settings_tool/qt_settings_window.hpp"
#include "settings_tool/nwmpset.hpp"

namespace nwmp::linux_platform {

SettingsToolEvents eventsOf(NWMPset& core);

}  // namespace nwmp::linux_platform
