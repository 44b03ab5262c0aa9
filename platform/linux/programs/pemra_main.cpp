// NorvalentWMP3TEPemra: the Pemra edition of the player, with every feature.

#include "platform/linux/programs/run_player.hpp"
#include "player/editions/pemra_edition.hpp"

int main(int argc, char** argv) {
    return nwmp::linux_platform::runPlayer(nwmp::editions::kPemra, argc, argv);
}
