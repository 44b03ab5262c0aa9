// NorvalentWMP3TEDask: the whole-screen Dask edition of the player.

#include "platform/linux/programs/run_player.hpp"
#include "player/editions/dask_edition.hpp"

int main(int argc, char** argv) {
    return nwmp::linux_platform::runPlayer(nwmp::editions::kDask, argc, argv);
}
