#pragma once

// The settings tool's own window icon, drawn at 32 x 32 so that no image file has to be found.

#include <QIcon>

namespace nwmp::linux_platform {

QIcon settingsToolIcon();

}  // namespace nwmp::linux_platform
