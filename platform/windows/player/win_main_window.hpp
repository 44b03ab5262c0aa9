#pragma once

// The player's main window NWMP on Win32: the edition's frame around its design client area, the
// engine's hosting window at 0, 0, the transparent picture surface Label1 above it, and Timer1.
// It reports the window's events to the core's NWMP and carries out what NWMP asks of it. Beside
// it lives the hidden application window with the application title; a close request reaching
// either runs the same shut-down.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/windows/player/application_window.hpp"
#include "player/editions/edition_profile.hpp"
#include "player/main_window.hpp"

namespace nwmp {
class NWMP;
}

namespace nwmp::windows_platform {

class WinUrlDialog;

// Label1's own window class: drops and clicks on it are told apart from the window's.
inline constexpr wchar_t kLabel1WindowClass[] = L"NorvalentWMP3.Label1";

class WinMainWindow final : public MainWindow {
  public:
    // Makes the window hidden, at its design place, not yet shown.
    explicit WinMainWindow(const EditionProfile& profile);
    ~WinMainWindow() override;
    WinMainWindow(const WinMainWindow&) = delete;
    WinMainWindow& operator=(const WinMainWindow&) = delete;

    // The parent for the engine control.
    HWND handle() const { return window_; }
    HWND label1() const { return label1_; }
    // The engine's hosting child window: placed at 0, 0, below Label1.
    void setEngineWindow(HWND engineHost);
    // The core's window logic; events before this is set are not reported.
    void setCore(NWMP* core) { core_ = core; }
    // Called after Form_Unload on a close request; the program then ends.
    void setOnClosed(std::function<void()> onClosed) { onClosed_ = std::move(onClosed); }
    // The URL dialog, so that the focus coming back from it counts as an activation.
    void setUrlDialog(WinUrlDialog* dialog) { urlDialog_ = dialog; }
    // Shows the window in the state asked for; the first showing reports Form_Resize once and
    // then Form_Activate.
    void show();
    const std::string& applicationTitle() const { return applicationTitle_; }

    // MainWindow
    double Left() const override;
    void SetLeft(double twips) override;
    double Top() const override;
    void SetTop(double twips) override;
    double Width() const override;
    void SetWidth(double twips) override;
    double Height() const override;
    void SetHeight(double twips) override;
    std::string Caption() const override { return caption_; }
    void SetCaption(std::string_view caption) override;
    bool Visible() const override;
    std::int32_t WindowState() const override;
    void SetWindowState(std::int32_t state) override;
    void ApplyStacking(bool topmost, const PixelRect& outerPixels) override;
    void SetLabel1Size(double widthTwips, double heightTwips) override;
    void SetTimer1Enabled(bool enabled) override;
    void SetApplicationTitle(std::string_view title) override;
    WindowId Handle() const override;
    std::vector<TwipsArea> ScreenAreas() const override;

  private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    static LRESULT CALLBACK label1Procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onLabel1Message(UINT message, WPARAM wParam, LPARAM lParam);
    void closeRequested();
    void moveOuter(int x, int y);
    void resizeOuter(int width, int height);
    RECT outerRect() const;

    const EditionProfile& profile_;
    NWMP* core_ = nullptr;
    WinUrlDialog* urlDialog_ = nullptr;
    std::function<void()> onClosed_;
    std::string caption_;
    std::string applicationTitle_;
    HWND window_ = nullptr;
    HWND label1_ = nullptr;
    HWND engineHost_ = nullptr;
    HWND lastFocus_ = nullptr;
    ApplicationWindow applicationWindow_;
    // The state asked for while hidden; showing the window puts it into it.
    std::int32_t hiddenState_ = kWindowNormal;
    bool showing_ = false;
    bool shownOnce_ = false;
    bool closing_ = false;
    bool label1Pressed_ = false;
    bool timer1Enabled_ = false;
};

}  // namespace nwmp::windows_platform
