#pragma once

// The settings tool's window on Win32, built from the layout tables: every control at its design
// place in twips, converted at the display's dots per inch, with its caption, tooltip and tab
// order, in a Japanese font.
//
// The window is passive (see settings_tool/settings_view.hpp): setting a control from code
// raises nothing; only the user's clicks and typing reach the events below.

#include <windows.h>

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "settings_tool/nwmpset_layout.hpp"
#include "settings_tool/settings_view.hpp"

namespace nwmp::windows_platform {

// What the user did. Empty members are simply not called.
struct WinSettingsEvents {
    std::function<void(std::size_t)> checkClick;  // the user changed option box i
    std::function<void()> combo1Change;           // the user typed into Combo1
    std::function<void(int)> commandClick;        // the user pressed CommandN, N = 1..5
};

// Control identifiers, for the events and for driving the window from outside.
inline constexpr int kCheckId = 100;   // Check(i) is kCheckId + i
inline constexpr int kKanrenId = 200;  // kanren1(i) is kKanrenId + i
inline constexpr int kCombo1Id = 300;
inline constexpr int kText1Id = 301;
inline constexpr int kText2Id = 302;
inline constexpr int kCommandId = 400;  // CommandN is kCommandId + N
inline constexpr int kLabelId = 500;

inline constexpr wchar_t kSettingsWindowClass[] = L"NorvalentWMP3setWindow";

class WinSettingsWindow final : public SettingsToolView {
  public:
    // Throws std::runtime_error when the window cannot be made.
    explicit WinSettingsWindow(HINSTANCE instance);
    ~WinSettingsWindow() override;
    WinSettingsWindow(const WinSettingsWindow&) = delete;
    WinSettingsWindow& operator=(const WinSettingsWindow&) = delete;

    void setEvents(WinSettingsEvents events) { events_ = std::move(events); }
    HWND handle() const { return window_; }
    void show();

    // SettingsToolView
    bool isCheckChecked(std::size_t index) const override;
    void setCheckChecked(std::size_t index, bool checked) override;
    std::string comboText() const override;
    void setComboText(std::string_view text) override;
    std::string text1() const override;
    void setText1(std::string_view text) override;
    std::string text2() const override;
    void setText2(std::string_view text) override;
    bool isKanrenChecked(std::size_t index) const override;
    void setKanrenChecked(std::size_t index, bool checked) override;
    void hideWindow() override;
    void closeWindow() override;
    WindowId windowId() const override;

  private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(int id, int code);
    void buildControls();
    HWND makeControl(const wchar_t* windowClass, DWORD style, std::string_view caption,
                     const TwipRect& place, int id, std::string_view tooltip);

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HWND tooltips_ = nullptr;
    HFONT font_ = nullptr;
    // Read once as the window is built: its controls keep the places they were given.
    double twipsPerPixelX_ = 15.0;
    double twipsPerPixelY_ = 15.0;
    WinSettingsEvents events_;
    bool settingFromCode_ = false;
};

}  // namespace nwmp::windows_platform
