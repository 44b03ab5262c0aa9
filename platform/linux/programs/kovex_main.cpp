// NorvalentWMP3TEKOVEX: the KOVEX edition of the player.

#include "platform/linux/programs/run_player.hpp"
#include "player/editions/kovex_edition.hpp"

int main(int argc, char** argv) {
    return nwmp::linux_platform::runPlayer(nwmp::editions::kKovex, argc, argv);
}
