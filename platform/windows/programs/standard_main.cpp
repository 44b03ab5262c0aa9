// NorvalentWMP3TE: the standard edition of the player.

#include <windows.h>

#include "platform/windows/programs/run_player.hpp"
#include "player/editions/standard_edition.hpp"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    return nwmp::windows_platform::runPlayer(nwmp::editions::kStandard);
}
