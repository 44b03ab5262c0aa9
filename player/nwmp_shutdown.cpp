// Shut-down: what Form_Unload saves and gives back. Each step runs on its own, so a value that
// cannot be stored never costs the other saved data or the screen-saver release.

#include <string>

#include "common/numbers.hpp"
#include "common/settings_keys.hpp"
#include "player/handler_guard.hpp"
#include "player/nwmp.hpp"

namespace nwmp {

void NWMP::Form_Unload() noexcept {
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    // A player still closing after the hand-off must not store its data over ours.
    runQuietly([this] { platform_.AwaitClosedPlayer(); });
    runQuietly([this] {
        if (profile_.startup == StartupVariant::WholeScreen) {
            wholeScreenShutdown();
        } else {
            windowedShutdown();
        }
    });
}

void NWMP::windowedShutdown() {
    runQuietly([this] {
        if (flags_.screenInfoSave == 1) {
            storeGeometry();
        }
    });
    runQuietly([this] {
        if (flags_.resumePlay == 1) {
            storeResume();
        }
    });
    runQuietly([this] { releaseScreenSaver(); });
    runQuietly([this] {
        if (url_) {
            url_->Unload();
        }
    });
}

void NWMP::wholeScreenShutdown() {
    runQuietly([this] {
        if (pointerHidden_) {
            platform_.ShowPointer(true);
            pointerHidden_ = false;
        }
    });
    runQuietly([this] {
        if (flags_.resumePlay == 1) {
            storeResume();
        }
    });
    runQuietly([this] { releaseScreenSaver(); });
}

void NWMP::storeGeometry() {
    // All four are measured before any is written, so the section never holds a mixed set.
    const std::int32_t height = toInt32(window_.Height() / platform_.TwipsPerPixelY());
    const std::int32_t width = toInt32(window_.Width() / platform_.TwipsPerPixelX());
    // A place the platform cannot know is not made up: the stored one stays.
    const bool placeKnown = window_.PlaceKnown();
    const StoredGeometry kept = placeKnown ? StoredGeometry{} : iniRead2();
    const std::int32_t top = placeKnown ? toInt32(window_.Top()) : kept.top;
    const std::int32_t left = placeKnown ? toInt32(window_.Left()) : kept.left;
    iniWrite(height, width, top, left);
}

void NWMP::iniWrite(std::int32_t height, std::int32_t width, std::int32_t top, std::int32_t left) {
    const std::string values[] = {std::to_string(height), std::to_string(width),
                                  std::to_string(top), std::to_string(left)};
    // One update of the file: a closing player replaced by a new start ends that much sooner.
    const SettingsValue stored[] = {{kScreenSection, kHeightKey, values[0]},
                                    {kScreenSection, kWidthKey, values[1]},
                                    {kScreenSection, kTopKey, values[2]},
                                    {kScreenSection, kLeftKey, values[3]}};
    settings_.writeTexts(stored);
}

void NWMP::storeResume() {
    const std::string filePath = engine_.FileName();
    if (filePath.empty()) {
        // An engine with nothing loaded may have no position to give; the empty name is stored
        // all the same, or the next start would resume a file the user has since closed.
        std::int32_t position = 0;
        runQuietly([&] { position = toInt32(engine_.CurrentPosition()); });
        ResumeWrite(filePath, position);
        return;
    }
    ResumeWrite(filePath, toInt32(engine_.CurrentPosition()));
}

void NWMP::ResumeWrite(const std::string& filePath, std::int32_t position) {
    const std::string positionText = std::to_string(position);
    const SettingsValue stored[] = {{kResumeSection, kFilePathKey, filePath},
                                    {kResumeSection, kPositionKey, positionText}};
    settings_.writeTexts(stored);
}

void NWMP::releaseScreenSaver() {
    // Released when this run holds it, which is when ScreenSaverOFF was on at a start-up.
    if (screenSaverHeld_) {
        screenSaverHeld_ = false;
        platform_.ReleaseScreenSaver();
    }
}

}  // namespace nwmp
