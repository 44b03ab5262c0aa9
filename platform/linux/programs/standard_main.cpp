// NorvalentWMP3TE: the standard edition of the player.

#include "platform/linux/programs/run_player.hpp"
#include "player/editions/standard_edition.hpp"

int main(int argc, char** argv) {
    return nwmp::linux_platform::runPlayer(nwmp::editions::kStandard, argc, argv);
}
