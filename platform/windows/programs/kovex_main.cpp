// NorvalentWMP3TEKOVEX: the compact KOVEX edition, a tool window with an empty caption.

#include <windows.h>

#include "platform/windows/programs/run_player.hpp"
#include "player/editions/kovex_edition.hpp"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    return nwmp::windows_platform::runPlayer(nwmp::editions::kKovex);
}
