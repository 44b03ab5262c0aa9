#pragma once

// URL: the dialog where the user types a path or URL to play. It sits directly below the main
// window, as wide as it, and hands the typed text to the engine unchanged.
//
// The platform calls Text1_GotFocus, Text1_KeyDown and Command1_Click (see
// player/url_dialog_window.hpp); NWMP runs Form_Load when it first needs the dialog and asks
// for Place, Toggle and Unload. No exception leaves a handler.

#include <cstdint>
#include <string_view>

#include "player/main_window.hpp"
#include "player/media_engine.hpp"
#include "player/url_dialog_window.hpp"

namespace nwmp {

// Make-up of the dialog, for the platform that builds it.
inline constexpr std::string_view kUrlPrompt = "ここにURLを入力してください。";
inline constexpr std::string_view kCommand1Caption = "Play";
inline constexpr std::string_view kCommand1ToolTip = "URLを再生";
inline constexpr double kUrlDialogClientWidth = 4455;
inline constexpr double kUrlDialogClientHeight = 255;

// Room at the dialog's right for Command1: the text box ends and the button starts here.
inline constexpr double kUrlButtonRoom = 700;

class URL {
  public:
    URL(MediaEngine& engine, const MainWindow& mainWindow, UrlDialogWindow& window)
        : engine_(engine), mainWindow_(mainWindow), window_(window) {}

    // Placement below the main window, then the current media's name into the text box.
    void Form_Load() noexcept;
    // Form_Load again, then the prompt cleared so the user can type at once.
    void Text1_GotFocus() noexcept;
    // Enter plays the text and comes back as 0, handled; other keys belong to the text box.
    void Text1_KeyDown(std::int16_t& keyCode, std::int16_t shift) noexcept;
    void Command1_Click() noexcept;

    bool Loaded() const { return loaded_; }
    // Visible: hide it. Hidden: show it and place it again (the text box keeps its text).
    void Toggle();
    void Hide();
    void Unload();

  private:
    void place();
    void playText();

    MediaEngine& engine_;
    const MainWindow& mainWindow_;
    UrlDialogWindow& window_;
    bool loaded_ = false;
};

}  // namespace nwmp
