#pragma once

// The player's platform services on Windows.

#include <functional>

#include "platform/windows/player/screen_saver_hold.hpp"
#include "player/platform_services.hpp"

namespace nwmp::windows_platform {

class WinPlatformServices : public PlatformServices {
  public:
    // previousInstance: from the program's PlayerPresence. endProgram: how the program ends at
    // once; without one the process exits.
    explicit WinPlatformServices(bool previousInstance, std::function<void()> endProgram = {});

    std::string CommandLineText() const override;
    std::string Unquote(std::string_view text) const override;
    std::optional<std::string> LongPathName(std::string_view path) const override;
    std::string_view PathSeparators() const override { return "\\"; }
    PlatformVersion Version() const override;
    bool PreviousInstance() const override { return previousInstance_; }
    bool CloseRunningPlayer(std::string_view title, std::chrono::milliseconds wait) override;
    void HoldScreenSaverOff() override { screenSaver_.hold(); }
    void ReleaseScreenSaver() override { screenSaver_.release(); }
    void StartProgram(std::string_view programName) override;
    void ShowPointer(bool show) override;
    double ScreenWidthTwips() const override;
    double ScreenHeightTwips() const override;
    double TwipsPerPixelX() const override;
    double TwipsPerPixelY() const override;
    void EndProgram() override;

  private:
    bool previousInstance_;
    std::function<void()> endProgram_;
    ScreenSaverHold screenSaver_;
};

}  // namespace nwmp::windows_platform
