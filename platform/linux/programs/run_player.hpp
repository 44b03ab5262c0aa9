#pragma once

#include "player/editions/edition_profile.hpp"

namespace nwmp::linux_platform {

// Runs the player of one edition: Qt windows and the libmpv engine around the core's NWMP.
// Returns the program's exit status.
int runPlayer(const EditionProfile& profile, int argc, char** argv);

}  // namespace nwmp::linux_platform
