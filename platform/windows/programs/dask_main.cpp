// NorvalentWMP3TEDask: the Dask edition, borderless, topmost, the whole screen.

#include <windows.h>

#include "platform/windows/programs/run_player.hpp"
#include "player/editions/dask_edition.hpp"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    return nwmp::windows_platform::runPlayer(nwmp::editions::kDask);
}
