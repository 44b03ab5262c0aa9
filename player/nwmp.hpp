#pragma once

// NWMP: the player's main window as logic. It owns the run-time flags, drives the engine control
// MediaPlayer1, Label1, Timer1 and the URL dialog through ports, and behaves as the edition's
// profile says; nothing here asks which edition it is.
//
// The platform calls the handlers below on the GUI thread (engine events queued onto it):
//   Form_Load        once, after construction and before the window is first shown
//   Form_Resize      on every size change of the shown window, and when it is first shown
//   Form_Activate    whenever the window becomes active from within the program
//   Form_Unload      on a close request (user, another player's hand-off), then end the
//                    program; runs at most once, so a close after Esc, Enter or the end-of-stream
//                    exit does nothing more
//   Timer1_Timer     every 1000 ms while Timer1 is enabled
//   Label1_Click, Label1_OLEDragDrop, Form_OLEDragDrop   mouse clicks on and drops onto the
//                    picture surface and the window (file paths in drop order)
//   the MediaEngineEvents members, from the engine control's events; key codes are Windows
//   virtual-key codes (letters as upper-case codes whatever Shift, Ctrl or Alt say)
//   Url()'s handlers, from the URL dialog
// No exception leaves a handler: each ends quietly at its first failing step.

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/open_file_dialog.hpp"
#include "common/settings_file.hpp"
#include "player/editions/edition_profile.hpp"
#include "player/main_window.hpp"
#include "player/media_engine.hpp"
#include "player/platform_services.hpp"
#include "player/url_dialog.hpp"
#include "player/url_dialog_window.hpp"

namespace nwmp {

// What the player needs from its surroundings. urlWindow and openFileDialog may be null for an
// edition that has no such dialog.
struct PlayerPorts {
    MediaEngine& engine;
    SettingsFile& settings;
    MainWindow& window;
    PlatformServices& platform;
    UrlDialogWindow* urlWindow = nullptr;
    OpenFileDialog* openFileDialog = nullptr;
};

// Run-time flags: set by the start-up sequence only (PlayEndExitPlayer also by key X). A
// repeated start-up switches them on but never off; classicFrame alone is recomputed.
struct RunFlags {
    std::int16_t classicFrame = 0;
    std::int16_t originalFit = 0;
    std::int16_t screenInfoSave = 0;
    std::int16_t resumePlay = 0;
    std::int16_t notPlayInfoDisplay = 0;
    std::int16_t playEndExitPlayer = 0;
};

// The "Screen" section: Height, Width in pixels; Top, Left in twips.
struct StoredGeometry {
    std::int32_t height;
    std::int32_t width;
    std::int32_t top;
    std::int32_t left;
};

struct ResumeData {
    std::string filePath;
    std::int32_t position;
};

// The settings tool, started by key T; the platform adds its program suffix.
inline constexpr std::string_view kSettingsToolProgram = "NorvalentWMP3set";

// The longest wait for a running player to close during the hand-off.
inline constexpr std::chrono::milliseconds kHandOffWait{5000};

// A command-line path whose long form needs this many characters or more opens nothing.
inline constexpr std::size_t kCommandLineBufferLength = 260;

// FilePath comes back with at most this many bytes minus one.
inline constexpr std::size_t kResumeBufferLength = 1024;

// Engine control height minus Label1 height: the engine's control bar stays uncovered.
inline constexpr double kControlBarAllowance = 700;

// True as the window's procedures take it.
inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

class NWMP final : public MediaEngineEvents {
  public:
    NWMP(const EditionProfile& profile, PlayerPorts ports);
    ~NWMP() override;
    NWMP(const NWMP&) = delete;
    NWMP& operator=(const NWMP&) = delete;

    // Window events.
    void Form_Load() noexcept;
    void Form_Activate() noexcept;
    void Form_Unload() noexcept;
    void Form_Resize() noexcept;
    void Timer1_Timer() noexcept;
    void Label1_Click() noexcept;
    void Label1_OLEDragDrop(const std::vector<std::string>& files) noexcept;
    void Form_OLEDragDrop(const std::vector<std::string>& files) noexcept;

    // Engine events.
    void MediaPlayer1_KeyDown(std::int16_t& keyCode, std::int16_t shift) noexcept override;
    void MediaPlayer1_PlayStateChange(std::int32_t oldState,
                                      std::int32_t newState) noexcept override;
    void MediaPlayer1_EndOfStream(std::int32_t result) noexcept override;

    // The URL dialog's logic, for the platform to deliver its events; null when the edition has
    // none.
    URL* Url() { return url_ ? &*url_ : nullptr; }

    const RunFlags& Flags() const { return flags_; }
    const EditionProfile& Profile() const { return profile_; }

    // Procedures of the window; they throw on failure and leave guarding to the handler.
    void iniRead();
    StoredGeometry iniRead2() const;
    void iniRead3();
    ResumeData iniRead4() const;
    void iniWrite(std::int32_t height, std::int32_t width, std::int32_t top, std::int32_t left);
    void ResumeWrite(const std::string& filePath, std::int32_t position);
    void ResumePlay();
    void AlwaysBefore(std::int16_t topmost);
    void WindowValue();
    void DetectClassicMode();

  private:
    // start-up
    void windowedStartup();
    void wholeScreenStartup();
    void openCommandLine();
    void applySwitch(int slot);
    void handOff();
    void defaultSize();
    bool previousInstance();
    void holdScreenSaver();
    static std::int16_t classicFromVersion(const PlatformVersion& version);

    // shut-down
    void windowedShutdown();
    void wholeScreenShutdown();
    void storeGeometry();
    void storeResume();
    void releaseScreenSaver();

    // placement
    double verticalAllowance() const;
    void fitToVideo();
    void fitControlToWindow();

    // keys and opening
    void runCommand(KeyCommand command);
    void toggleRepeat();
    void toggleExitAtEnd();
    void openFileDialog();
    void dropFiles(const std::vector<std::string>& files);
    void quit();

    const EditionProfile& profile_;
    MediaEngine& engine_;
    SettingsFile& settings_;
    MainWindow& window_;
    PlatformServices& platform_;
    OpenFileDialog* openFileDialog_;
    std::optional<URL> url_;

    std::array<std::int32_t, 11> switches_{};
    RunFlags flags_;
    std::optional<bool> previousInstance_;
    bool screenSaverHeld_ = false;
    bool pointerHidden_ = false;
    bool unloaded_ = false;
};

}  // namespace nwmp
