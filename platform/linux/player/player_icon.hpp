#pragma once

#include <QIcon>

namespace nwmp::linux_platform {

// The player's 32 x 32 icon, the same for every edition: a play triangle on a screen.
QIcon playerIcon();

}  // namespace nwmp::linux_platform
