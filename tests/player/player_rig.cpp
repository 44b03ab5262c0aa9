#include "player_rig.hpp"

namespace nwmp::testing {

PlayerRig::PlayerRig(const EditionProfile& edition, std::string settingsText)
    : profile(edition), settings(std::move(settingsText)) {
    const TwipsRect& design = edition.window.client;
    window.left = design.left;
    window.top = design.top;
    window.width = design.width;
    window.height = design.height;
    window.caption = edition.window.caption;
    window.applicationTitle = edition.applicationTitle;
    window.onResize = [this] {
        if (player) {
            player->Form_Resize();
        }
    };
}

NWMP& PlayerRig::start() {
    player = std::make_unique<NWMP>(
        profile, PlayerPorts{engine, settings, window, platform, &urlWindow, &openDialog});
    player->Form_Load();
    window.visible = true;
    player->Form_Resize();
    player->Form_Activate();
    return *player;
}

std::string switches(std::string_view lines) {
    return "[Norvalent WMP 3]\n" + std::string(lines);
}

}  // namespace nwmp::testing
