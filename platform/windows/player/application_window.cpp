#include "platform/windows/player/application_window.hpp"

#include <stdexcept>

#include "platform/windows/player/player_window_classes.hpp"
#include "platform/windows/shared/wide_text.hpp"

namespace nwmp::windows_platform {

namespace {

// The start title travels as a global atom in a window property, which another process can read
// without sending the window anything.
constexpr wchar_t kStartTitleProperty[] = L"NorvalentWMP3.StartTitle";

void registerClass(WNDPROC procedure) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (GetClassInfoExW(instance, kApplicationWindowClass, &windowClass)) {
        return;
    }
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kApplicationWindowClass;
    if (RegisterClassExW(&windowClass) == 0) {
        throw std::runtime_error("the application window class cannot be registered");
    }
}

}  // namespace

ApplicationWindow::ApplicationWindow(std::string_view title, std::function<void()> onClose)
    : onClose_(std::move(onClose)) {
    registerClass(procedure);
    // Never shown; a tool window so that nothing of it reaches the taskbar.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kApplicationWindowClass, widen(title).c_str(),
                              WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
    if (window_ == nullptr) {
        throw std::runtime_error("the application window cannot be made");
    }
    startTitle_ = GlobalAddAtomW(widen(title).c_str());
    if (startTitle_ != 0) {
        SetPropW(window_, kStartTitleProperty,
                 reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(startTitle_)));
    }
}

ApplicationWindow::~ApplicationWindow() {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    RemovePropW(window_, kStartTitleProperty);
    DestroyWindow(window_);
    if (startTitle_ != 0) {
        GlobalDeleteAtom(startTitle_);
    }
}

void ApplicationWindow::setTitle(std::string_view title) {
    if (!SetWindowTextW(window_, widen(title).c_str())) {
        throw std::runtime_error("the application title cannot be set");
    }
}

std::string ApplicationWindow::title() const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window_)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window_, text.data(), static_cast<int>(text.size()))));
    return narrow(text);
}

LRESULT CALLBACK ApplicationWindow::procedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ApplicationWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_CLOSE) {
        // The program closes as its user would close it; the window goes with the program.
        if (self != nullptr && self->onClose_) {
            try {
                self->onClose_();
            } catch (...) {
                // Nothing may cross into the system's call; the program's close ends quietly.
            }
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::optional<std::wstring> applicationStartTitle(HWND window) {
    const auto atom =
        static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(window, kStartTitleProperty)));
    if (atom == 0) {
        return std::nullopt;
    }
    wchar_t name[256] = {};
    const UINT length = GlobalGetAtomNameW(atom, name, static_cast<int>(std::size(name)));
    if (length == 0) {
        return std::nullopt;
    }
    return std::wstring(name, length);
}

}  // namespace nwmp::windows_platform
