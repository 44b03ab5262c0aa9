// NorvalentWMP3TEPemra: the Pemra edition of the player, with every feature.

#include <windows.h>

#include "platform/windows/programs/run_player.hpp"
#include "player/editions/pemra_edition.hpp"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    return nwmp::windows_platform::runPlayer(nwmp::editions::kPemra);
}
