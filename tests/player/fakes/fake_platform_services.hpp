#pragma once

// The operating system as the player sees it, with a scripted other instance for the hand-off.

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "player/platform_services.hpp"

namespace nwmp::testing {

class FakePlatformServices : public PlatformServices {
  public:
    struct CloseRequest {
        std::string title;
        std::chrono::milliseconds wait;
    };

    std::string commandLine;
    std::map<std::string, std::string, std::less<>> existingPaths;  // path -> long form
    std::string separators = "/";
    PlatformVersion version{6, 1};
    bool previousInstance = false;
    mutable int previousInstanceAsks = 0;
    // The running player: called when asked to close it; returns whether one was found.
    std::function<bool(std::string_view title)> runningPlayer;
    std::vector<CloseRequest> closeRequests;
    // Set: the running player closes only when awaited, as where the close runs beside the
    // start; unset: it has closed when CloseRunningPlayer returns.
    bool closesLater = false;
    std::function<void()> stillClosing;
    int screenSaverHolds = 0, screenSaverReleases = 0;
    std::vector<std::string> startedPrograms;
    int pointerHides = 0, pointerShows = 0;
    double screenWidth = 28800, screenHeight = 16200;
    double twipsPerPixelX = 15, twipsPerPixelY = 15;
    int endings = 0;
    // Every member that can fail on a real platform throws while this is set.
    bool failing = false;

    std::string CommandLineText() const override {
        check();
        return commandLine;
    }
    std::string Unquote(std::string_view text) const override {
        if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
            text = text.substr(1, text.size() - 2);
        }
        return std::string(text);
    }
    std::optional<std::string> LongPathName(std::string_view path) const override {
        check();
        const auto found = existingPaths.find(path);
        return found == existingPaths.end() ? std::nullopt : std::optional(found->second);
    }
    std::string_view PathSeparators() const override { return separators; }
    PlatformVersion Version() const override {
        check();
        return version;
    }
    bool PreviousInstance() const override {
        ++previousInstanceAsks;
        return previousInstance;
    }
    bool CloseRunningPlayer(std::string_view title, std::chrono::milliseconds wait) override {
        closeRequests.push_back({std::string(title), wait});
        check();
        if (closesLater && runningPlayer) {
            stillClosing = [this, searched = std::string(title)] { runningPlayer(searched); };
            return true;
        }
        return runningPlayer ? runningPlayer(title) : false;
    }
    void AwaitClosedPlayer() override {
        if (stillClosing) {
            std::exchange(stillClosing, {})();
        }
    }
    void HoldScreenSaverOff() override {
        check();
        ++screenSaverHolds;
    }
    void ReleaseScreenSaver() override {
        check();
        ++screenSaverReleases;
    }
    void StartProgram(std::string_view name) override {
        check();
        startedPrograms.emplace_back(name);
    }
    void ShowPointer(bool show) override {
        check();
        ++(show ? pointerShows : pointerHides);
    }
    double ScreenWidthTwips() const override { return screenWidth; }
    double ScreenHeightTwips() const override { return screenHeight; }
    double TwipsPerPixelX() const override { return twipsPerPixelX; }
    double TwipsPerPixelY() const override { return twipsPerPixelY; }
    void EndProgram() override { ++endings; }

  private:
    void check() const {
        if (failing) {
            throw std::runtime_error("fake platform: call set to fail");
        }
    }
};

}  // namespace nwmp::testing
