// The single-key commands, tested in the order of kKeyBindings; the edition's KeySet decides
// which of them it has, and a key it lacks is ignored like any unlisted key.

#include "player/handler_guard.hpp"
#include "player/key_commands.hpp"
#include "player/nwmp.hpp"

namespace nwmp {

void NWMP::MediaPlayer1_KeyDown(std::int16_t& keyCode, std::int16_t /*shift*/) noexcept {
    runQuietly([&] {
        for (const KeyBinding& binding : kKeyBindings) {
            if (keyCode == binding.keyCode && profile_.keys.has(binding.command)) {
                runCommand(binding.command);
                keyCode = 0;  // acted on: no later binding may match
            }
        }
    });
}

void NWMP::runCommand(KeyCommand command) {
    switch (command) {
        case KeyCommand::SeekForward:
            engine_.SetCurrentPosition(engine_.CurrentPosition() + 1.0);
            break;
        case KeyCommand::SeekBack:
            engine_.SetCurrentPosition(engine_.CurrentPosition() - 1.0);
            break;
        case KeyCommand::NextEntry:
            engine_.Next();
            break;
        case KeyCommand::PreviousEntry:
            engine_.Previous();
            break;
        case KeyCommand::ToggleRepeat:
            toggleRepeat();
            break;
        case KeyCommand::ToggleExitAtEnd:
            toggleExitAtEnd();
            break;
        case KeyCommand::SettingsTool:
            platform_.StartProgram(kSettingsToolProgram);
            break;
        case KeyCommand::WholeScreen:
            engine_.SetDisplaySize(kDisplayFullScreen);
            break;
        case KeyCommand::OpenFileDialog:
            openFileDialog();
            break;
        case KeyCommand::Quit:
            quit();
            break;
        case KeyCommand::ToggleMaximised:
            window_.SetWindowState(window_.WindowState() != kWindowNormal ? kWindowNormal
                                                                          : kWindowMaximised);
            break;
        case KeyCommand::Minimise:
            window_.SetWindowState(kWindowMinimised);
            break;
        case KeyCommand::ToggleUrlDialog:
            if (url_) {
                url_->Toggle();
            }
            break;
        case KeyCommand::RestartStartup:
            Form_Load();
            break;
    }
}

// Repeat and the exit at the end exclude each other as far as the keys go.
void NWMP::toggleRepeat() {
    if (engine_.PlayCount() != 1) {
        engine_.SetPlayCount(1);
        return;
    }
    engine_.SetPlayCount(0);
    flags_.playEndExitPlayer = 0;
    const std::int32_t state = engine_.PlayState();
    if (state == kStopped || state == kPaused) {
        engine_.Play();
    }
}

void NWMP::toggleExitAtEnd() {
    if (flags_.playEndExitPlayer == 0) {
        flags_.playEndExitPlayer = 1;
        engine_.SetPlayCount(1);
    } else {
        flags_.playEndExitPlayer = 0;
    }
}

void NWMP::quit() {
    Form_Unload();
    platform_.EndProgram();
}

}  // namespace nwmp
