// Start-up: the sequence Form_Load runs before the window is first shown and again on key Z.
// Every step is guarded on its own, so a failing engine or platform call skips that step only:
// start-up never ends the program and never leaves it without its window.

#include "common/screen_modes.hpp"
#include "common/settings_keys.hpp"
#include "player/handler_guard.hpp"
#include "player/nwmp.hpp"

namespace nwmp {

namespace {

// The buffer holds characters as the system's path functions count them (UTF-16 units), not the
// bytes of our UTF-8: a Japanese path takes three bytes a character here but one unit there.
std::size_t pathBufferUnits(std::string_view utf8) {
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80) {
            units += byte >= 0xF0 ? 2 : 1;  // a character beyond the first plane takes two
        }
    }
    return units;
}

}  // namespace

NWMP::NWMP(const EditionProfile& profile, PlayerPorts ports)
    : profile_(profile),
      engine_(ports.engine),
      settings_(ports.settings),
      window_(ports.window),
      platform_(ports.platform),
      openFileDialog_(profile.features.openFileDialog ? ports.openFileDialog : nullptr) {
    if (profile_.window.hasUrlDialog && ports.urlWindow != nullptr) {
        url_.emplace(engine_, window_, *ports.urlWindow);
    }
    engine_.setEventSink(this);
}

NWMP::~NWMP() {
    engine_.setEventSink(nullptr);
}

void NWMP::Form_Load() noexcept {
    runQuietly([this] {
        if (profile_.startup == StartupVariant::WholeScreen) {
            wholeScreenStartup();
        } else {
            windowedStartup();
        }
    });
}

void NWMP::windowedStartup() {
    runQuietly([this] { openCommandLine(); });
    runQuietly([this] {
        switch (profile_.features.versionCheck) {
            case VersionCheck::InLine:
                flags_.classicFrame = classicFromVersion(platform_.Version());
                break;
            case VersionCheck::DetectClassicMode:
                DetectClassicMode();
                break;
            case VersionCheck::None:
                break;
        }
    });
    runQuietly([this] { iniRead(); });
    runQuietly([this] { iniRead3(); });
    runQuietly([this] {
        // exactly 0: a value such as 2 makes the window neither topmost nor not topmost
        if (profile_.features.notTopmostStep && switches_[kAlwaysFront] == 0) {
            AlwaysBefore(kFalse);
        }
    });
    for (int slot = kAlwaysFront; slot <= kClassicMode; ++slot) {
        runQuietly([this, slot] { applySwitch(slot); });
    }
    runQuietly([this] {
        if (flags_.screenInfoSave != 1) {
            defaultSize();
        }
    });
}

void NWMP::wholeScreenStartup() {
    runQuietly([this] { openCommandLine(); });
    runQuietly([this] {
        if (profile_.features.hidePointer && !pointerHidden_) {
            platform_.ShowPointer(false);
            pointerHidden_ = true;
        }
    });
    runQuietly([this] {
        window_.SetTop(0);
        window_.SetLeft(0);
        engine_.SetTop(window_.Top());
        engine_.SetLeft(window_.Left());
    });
    runQuietly([this] {
        window_.SetHeight(platform_.ScreenHeightTwips());
        window_.SetWidth(platform_.ScreenWidthTwips());
        engine_.SetHeight(window_.Height());
        engine_.SetWidth(window_.Width());
    });
    runQuietly([this] { iniRead(); });
    runQuietly([this] { iniRead3(); });
    runQuietly([this] { AlwaysBefore(kTrue); });
    for (int slot = kAlwaysFront; slot <= kClassicMode; ++slot) {
        runQuietly([this, slot] { applySwitch(slot); });
    }
}

void NWMP::openCommandLine() {
    if (!engine_.FileName().empty()) {
        return;
    }
    const std::string unquoted = platform_.Unquote(platform_.CommandLineText());
    if (!profile_.features.longPathForm) {
        engine_.SetFileName(unquoted);
        return;
    }
    // A URL, several arguments or a path that does not exist have no long form: nothing opens.
    const std::optional<std::string> longForm = platform_.LongPathName(unquoted);
    if (longForm && pathBufferUnits(*longForm) < kCommandLineBufferLength) {
        engine_.SetFileName(longForm->substr(0, longForm->find('\0')));
    } else {
        engine_.SetFileName("");
    }
}

std::int16_t NWMP::classicFromVersion(const PlatformVersion& version) {
    return (version.major < 5 || version.minor < 1) ? 1 : 0;
}

void NWMP::DetectClassicMode() {
    flags_.classicFrame = classicFromVersion(platform_.Version());
}

void NWMP::iniRead() {
    const std::size_t count =
        std::min<std::size_t>(profile_.features.switchesRead, kSwitchKeys.size());
    for (std::size_t slot = 0; slot < count; ++slot) {
        switches_[slot] = settings_.readInt(kMainSection, kSwitchKeys[slot], 0);
    }
}

void NWMP::iniRead3() {
    if (!profile_.features.screenMode) {
        return;
    }
    const std::optional<ScreenMode> mode =
        screenModeByCode(settings_.readInt(kMainSection, kScreenModeKey, 0));
    if (mode) {
        engine_.SetDisplaySize(mode->displaySize);
    }
}

void NWMP::applySwitch(int slot) {
    if (!honoursSlot(profile_, slot) || !isOn(switches_[static_cast<std::size_t>(slot)])) {
        return;
    }
    switch (slot) {
        case kAlwaysFront:
            AlwaysBefore(kTrue);
            break;
        case kOriginalFit:
            flags_.originalFit = 1;
            break;
        case kScreenSaverOFF:
            holdScreenSaver();
            break;
        case kScreenInfoSave:
            flags_.screenInfoSave = 1;
            WindowValue();
            break;
        case kNotMultiStart:
            handOff();
            break;
        case kNotPlayInfoDisplay:
            flags_.notPlayInfoDisplay = 1;
            break;
        case kResumePlay:
            flags_.resumePlay = 1;
            // a file from the command line wins over resume
            if (engine_.FileName().empty()) {
                // The resume data is what a player closed by the hand-off has just stored.
                runQuietly([this] { platform_.AwaitClosedPlayer(); });
                ResumePlay();
            }
            break;
        case kPlayEndExitPlayer:
            flags_.playEndExitPlayer = 1;
            break;
        case kClassicMode:
            flags_.classicFrame = 1;
            break;
        default:
            break;
    }
}

void NWMP::holdScreenSaver() {
    // Z runs start-up again; one hold is enough and needs one release.
    if (!screenSaverHeld_) {
        platform_.HoldScreenSaverOff();
        screenSaverHeld_ = true;
    }
}

bool NWMP::previousInstance() {
    if (!previousInstance_) {
        previousInstance_ = platform_.PreviousInstance();
    }
    return *previousInstance_;
}

void NWMP::handOff() {
    if (!profile_.features.handOff || !profile_.handOff || !previousInstance()) {
        return;
    }
    const HandOffTitles& titles = *profile_.handOff;
    // A start-up run again by a key must not overlap the close of the first run's hand-off.
    runQuietly([this] { platform_.AwaitClosedPlayer(); });
    // Our own windows must not answer the search.
    window_.SetApplicationTitle(titles.temporaryTitle);
    window_.SetCaption(titles.temporaryTitle);
    runQuietly([&] { platform_.CloseRunningPlayer(titles.searchedTitle, kHandOffWait); });
    window_.SetCaption(titles.captionAfter);
}

ResumeData NWMP::iniRead4() const {
    std::string filePath =
        settings_.readText(kResumeSection, kFilePathKey, "", kResumeBufferLength);
    filePath.resize(std::min(filePath.size(), kResumeBufferLength - 1));
    filePath.erase(std::min(filePath.size(), filePath.find('\0')));
    return {filePath, settings_.readInt(kResumeSection, kPositionKey, 0)};
}

void NWMP::ResumePlay() {
    const ResumeData data = iniRead4();
    engine_.SetFileName(data.filePath);
    engine_.SetCurrentPosition(static_cast<double>(data.position));
}

void NWMP::Form_Activate() noexcept {
    runQuietly([this] {
        if (url_) {
            url_->Hide();  // the first activation creates the dialog, hidden
        }
    });
}

}  // namespace nwmp
