#pragma once

// The player's hidden top-level window that carries the application title for the whole run,
// beside the main window. A newer player's hand-off may find it by that title and send it
// WM_CLOSE; the program then closes as when its user closes it.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace nwmp::windows_platform {

class ApplicationWindow {
  public:
    // onClose runs on this thread when a close request reaches the window; the window itself
    // stays until the object goes.
    ApplicationWindow(std::string_view title, std::function<void()> onClose);
    ~ApplicationWindow();
    ApplicationWindow(const ApplicationWindow&) = delete;
    ApplicationWindow& operator=(const ApplicationWindow&) = delete;

    void setTitle(std::string_view title);
    std::string title() const;
    HWND handle() const { return window_; }

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::function<void()> onClose_;
    HWND window_ = nullptr;
    ATOM startTitle_ = 0;
};

// The title a player's application window started with, whatever it is now, readable from any
// process; none when the window carries none.
std::optional<std::wstring> applicationStartTitle(HWND window);

}  // namespace nwmp::windows_platform
