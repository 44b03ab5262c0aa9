#pragma once

// The player's platform services on a Linux desktop.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/linux/player/player_directory.hpp"
#include "platform/linux/player/screen_saver_inhibitor.hpp"
#include "player/platform_services.hpp"

namespace nwmp::linux_platform {

class QtPlatformServices : public PlatformServices {
  public:
    // previousInstance: whether another player was running when this one started, decided by
    // the program under the directory's start lock (anotherPlayerRunning).
    QtPlatformServices(bool previousInstance, std::function<void()> endProgram);

    std::string CommandLineText() const override;
    std::string Unquote(std::string_view text) const override;
    std::optional<std::string> LongPathName(std::string_view path) const override;
    std::string_view PathSeparators() const override { return "/"; }
    PlatformVersion Version() const override;
    bool PreviousInstance() const override { return previousInstance_; }
    bool CloseRunningPlayer(std::string_view title, std::chrono::milliseconds wait) override;
    void AwaitClosedPlayer() override;
    void HoldScreenSaverOff() override { screenSaver_.hold(); }
    void ReleaseScreenSaver() override { screenSaver_.release(); }
    void StartProgram(std::string_view programName) override;
    void ShowPointer(bool show) override;
    double ScreenWidthTwips() const override;
    double ScreenHeightTwips() const override;
    double TwipsPerPixelX() const override;
    double TwipsPerPixelY() const override;
    void EndProgram() override { endProgram_(); }

    // Runs then once no player asked to close by the hand-off is still closing: at once, or
    // from the event loop when that player has answered or its time has passed.
    void afterRunningPlayerClosed(std::function<void()> then);

  private:
    bool previousInstance_;
    std::function<void()> endProgram_;
    ScreenSaverInhibitor screenSaver_;
    int hiddenPointers_ = 0;
    std::unique_ptr<PlayerDirectory::PendingClose> closing_;
    std::vector<std::function<void()>> afterClose_;
};

// The command-line arguments after the program name as one text, joined by blanks.
std::string joinedArguments();

// Whether a player of any edition other than this process is running now.
bool anotherPlayerRunning();

}  // namespace nwmp::linux_platform
