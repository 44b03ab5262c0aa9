#pragma once

// The URL dialog on Win32: a separate, unowned top-level window one line high with the text box
// Text1 and the button Command1 right of it; its logic is the core's URL. The window is made at
// the first member that needs it and destroyed by Unload.
//
// Text1 and Command1 handle Tab themselves, so the dialog needs nothing of the program's message
// loop beyond TranslateMessage and DispatchMessage.

#include <windows.h>

#include <functional>
#include <string>

#include "player/url_dialog_window.hpp"

namespace nwmp {
class URL;
}

namespace nwmp::windows_platform {

inline constexpr wchar_t kUrlDialogClass[] = L"NorvalentWMP3.URL";

class WinUrlDialog final : public UrlDialogWindow {
  public:
    WinUrlDialog();
    ~WinUrlDialog() override;
    WinUrlDialog(const WinUrlDialog&) = delete;
    WinUrlDialog& operator=(const WinUrlDialog&) = delete;

    // The core's dialog logic; events before this is set are not reported.
    void setCore(URL* url) { core_ = url; }
    // Called whenever the dialog becomes the active window.
    void setOnActivated(std::function<void()> onActivated) {
        onActivated_ = std::move(onActivated);
    }

    // The dialog's window and its controls; null while it is not made.
    HWND handle() const { return window_; }
    HWND text1() const { return text1_; }
    HWND command1() const { return command1_; }

    // UrlDialogWindow
    bool Visible() const override;
    void Show() override;
    void Hide() override;
    void SetLeft(double twips) override;
    void SetTop(double twips) override;
    double Width() const override;
    void SetWidth(double twips) override;
    std::string Text1Text() const override;
    void SetText1Text(std::string_view text) override;
    void SetText1Width(double twips) override;
    void SetCommand1Left(double twips) override;
    void Unload() override;

  private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    static LRESULT CALLBACK controlProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    void make();
    void destroy();
    HWND made();
    RECT outerRect() const;

    URL* core_ = nullptr;
    std::function<void()> onActivated_;
    HWND window_ = nullptr;
    HWND text1_ = nullptr;
    HWND command1_ = nullptr;
    HWND tooltips_ = nullptr;
    HWND lastFocus_ = nullptr;
    HFONT font_ = nullptr;
    WNDPROC text1Procedure_ = nullptr;
    WNDPROC command1Procedure_ = nullptr;
    // The character that follows a key the dialog acted on (Enter) is not typed either.
    bool swallowCharacter_ = false;
};

}  // namespace nwmp::windows_platform
