#include "platform/windows/player/win_main_window.hpp"

// windows.h comes before the other Windows headers.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "common/numbers.hpp"
#include "platform/windows/player/player_window_classes.hpp"
#include "platform/windows/player/win_url_dialog.hpp"
#include "platform/windows/shared/display_units.hpp"
#include "platform/windows/shared/wide_text.hpp"
#include "player/nwmp.hpp"

namespace nwmp::windows_platform {

namespace {

constexpr UINT_PTR kTimer1Id = 1;
constexpr UINT kTimer1IntervalMs = 1000;
// The shared player icon in every player program's resources.
constexpr WORD kPlayerIconId = 1;
// Label1's place before the first resize gives it the picture's size.
constexpr double kLabel1DesignTwips = 345;

// Whole pixels as everywhere else in the programs: halves go to the even neighbour.
int toPixels(double twips, double twipsPerPixel) {
    return static_cast<int>(roundHalfEven(twips / twipsPerPixel));
}

struct FrameStyles {
    DWORD style;
    DWORD exStyle;
};

FrameStyles frameStyles(const WindowMakeup& makeup) {
    FrameStyles styles{};
    switch (makeup.frame) {
        case FrameKind::Sizable:
            styles = {WS_OVERLAPPEDWINDOW, 0};
            break;
        case FrameKind::SizableToolWindow:
            styles = {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_TOOLWINDOW};
            break;
        case FrameKind::None:
            // The whole-screen edition stays above every other window from the start.
            styles = {WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST};
            break;
    }
    styles.style |= WS_CLIPCHILDREN;
    styles.exStyle |= makeup.inTaskbar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
    if (makeup.acceptsDrops) {
        styles.exStyle |= WS_EX_ACCEPTFILES;
    }
    return styles;
}

void registerClass(const wchar_t* name, WNDPROC procedure, HICON icon) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (GetClassInfoExW(instance, name, &windowClass)) {
        return;
    }
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    if (RegisterClassExW(&windowClass) == 0) {
        throw std::runtime_error("a player window class cannot be registered");
    }
}

// A callback of the system's own calling convention (a lambda has the compiler's, which 32-bit
// Windows does not share).
BOOL CALLBACK addScreenArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info)) {
        reinterpret_cast<std::vector<RECT>*>(areas)->push_back(info.rcMonitor);
    }
    return TRUE;
}

// The paths of a drop in drop order, as UTF-8; the drop's memory goes back to the system.
std::vector<std::string> takeDroppedFiles(HDROP drop) {
    std::vector<std::string> files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(static_cast<std::size_t>(length) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), length + 1));
        if (!path.empty()) {
            files.push_back(narrow(path));
        }
    }
    DragFinish(drop);
    return files;
}

}  // namespace

WinMainWindow::WinMainWindow(const EditionProfile& profile)
    : profile_(profile),
      caption_(profile.window.caption),
      applicationTitle_(profile.applicationTitle),
      applicationWindow_(profile.applicationTitle, [this] { closeRequested(); }) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    registerClass(kMainWindowClass, &WinMainWindow::windowProcedure,
                  LoadIconW(instance, MAKEINTRESOURCEW(kPlayerIconId)));

    const FrameStyles styles = frameStyles(profile.window);
    const TwipsRect& client = profile.window.client;
    const double perPixelX = twipsPerPixelX();
    const double perPixelY = twipsPerPixelY();
    // Place and size each converted on its own, so the size is the design size in pixels.
    const int left = toPixels(client.left, perPixelX);
    const int top = toPixels(client.top, perPixelY);
    RECT outer{left, top, left + toPixels(client.width, perPixelX),
               top + toPixels(client.height, perPixelY)};
    AdjustWindowRectEx(&outer, styles.style, FALSE, styles.exStyle);
    window_ = CreateWindowExW(styles.exStyle, kMainWindowClass, widen(caption_).c_str(),
                              styles.style, outer.left, outer.top, outer.right - outer.left,
                              outer.bottom - outer.top, nullptr, nullptr, instance, this);
    if (window_ == nullptr) {
        throw std::runtime_error("the main window cannot be made");
    }

    if (profile.window.hasLabel1) {
        // Label1 has no background brush and paints nothing: the picture shows through it.
        WNDCLASSEXW label1Class{};
        label1Class.cbSize = sizeof(label1Class);
        if (!GetClassInfoExW(instance, kLabel1WindowClass, &label1Class)) {
            label1Class.lpfnWndProc = &WinMainWindow::label1Procedure;
            label1Class.hInstance = instance;
            label1Class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
            label1Class.lpszClassName = kLabel1WindowClass;
            if (RegisterClassExW(&label1Class) == 0) {
                throw std::runtime_error("the Label1 window class cannot be registered");
            }
        }
        // Not WS_EX_TRANSPARENT: Windows' hit-testing passes over a transparent child, so its
        // clicks and drops would reach the form instead.
        const DWORD exStyle = profile.window.acceptsDrops ? WS_EX_ACCEPTFILES : 0;
        label1_ = CreateWindowExW(exStyle, kLabel1WindowClass, L"", WS_CHILD | WS_VISIBLE, 0, 0,
                                  toPixels(kLabel1DesignTwips, perPixelX),
                                  toPixels(kLabel1DesignTwips, perPixelY), window_, nullptr,
                                  instance, this);
        if (label1_ == nullptr) {
            // The destructor does not run for a half-made window: nothing may point at it.
            SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
            DestroyWindow(window_);
            throw std::runtime_error("Label1 cannot be made");
        }
    }
}

WinMainWindow::~WinMainWindow() {
    KillTimer(window_, kTimer1Id);
    // No event of the dying window reaches the core or the dialog any more.
    core_ = nullptr;
    urlDialog_ = nullptr;
    if (label1_ != nullptr) {
        SetWindowLongPtrW(label1_, GWLP_USERDATA, 0);
    }
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    if (engineHost_ != nullptr && IsWindow(engineHost_) && GetParent(engineHost_) == window_) {
        // The engine control lives as long as its creator says, not as long as this window.
        ShowWindow(engineHost_, SW_HIDE);
        SetParent(engineHost_, nullptr);
    }
    DestroyWindow(window_);
}

void WinMainWindow::setEngineWindow(HWND engineHost) {
    engineHost_ = engineHost;
    if (engineHost_ == nullptr) {
        return;
    }
    if (GetParent(engineHost_) != window_) {
        SetParent(engineHost_, window_);
    }
    // Label1 paints nothing; the picture shows through it only if the engine may draw below it.
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(engineHost_, GWL_STYLE));
    SetWindowLongPtrW(engineHost_, GWL_STYLE, static_cast<LONG_PTR>(style & ~WS_CLIPSIBLINGS));
    SetWindowPos(engineHost_, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (label1_ != nullptr) {
        SetWindowPos(label1_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void WinMainWindow::show() {
    static constexpr int kShowCommands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    const int command = kShowCommands[std::clamp(hiddenState_, 0, 2)];
    showing_ = true;
    ShowWindow(window_, command);
    showing_ = false;
    UpdateWindow(window_);
    if (shownOnce_) {
        return;
    }
    shownOnce_ = true;
    // The first showing sizes the window's content and counts as the first activation, whether
    // or not the system activated the window.
    if (core_ != nullptr) {
        core_->Form_Resize();
    }
    if (core_ != nullptr) {
        core_->Form_Activate();
    }
}

RECT WinMainWindow::outerRect() const {
    RECT rect{};
    GetWindowRect(window_, &rect);
    return rect;
}

void WinMainWindow::moveOuter(int x, int y) {
    SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WinMainWindow::resizeOuter(int width, int height) {
    SetWindowPos(window_, nullptr, 0, 0, std::max(0, width), std::max(0, height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

double WinMainWindow::Left() const {
    return outerRect().left * twipsPerPixelX();
}

void WinMainWindow::SetLeft(double twips) {
    moveOuter(toPixels(twips, twipsPerPixelX()), outerRect().top);
}

double WinMainWindow::Top() const {
    return outerRect().top * twipsPerPixelY();
}

void WinMainWindow::SetTop(double twips) {
    moveOuter(outerRect().left, toPixels(twips, twipsPerPixelY()));
}

double WinMainWindow::Width() const {
    const RECT rect = outerRect();
    return (rect.right - rect.left) * twipsPerPixelX();
}

void WinMainWindow::SetWidth(double twips) {
    const RECT rect = outerRect();
    resizeOuter(toPixels(twips, twipsPerPixelX()), rect.bottom - rect.top);
}

double WinMainWindow::Height() const {
    const RECT rect = outerRect();
    return (rect.bottom - rect.top) * twipsPerPixelY();
}

void WinMainWindow::SetHeight(double twips) {
    const RECT rect = outerRect();
    resizeOuter(rect.right - rect.left, toPixels(twips, twipsPerPixelY()));
}

void WinMainWindow::SetCaption(std::string_view caption) {
    caption_ = std::string(caption);
    SetWindowTextW(window_, widen(caption).c_str());
}

bool WinMainWindow::Visible() const {
    return IsWindowVisible(window_) != FALSE;
}

std::int32_t WinMainWindow::WindowState() const {
    if (!Visible()) {
        return hiddenState_;
    }
    if (IsIconic(window_)) {
        return kWindowMinimised;
    }
    if (IsZoomed(window_)) {
        return kWindowMaximised;
    }
    return kWindowNormal;
}

void WinMainWindow::SetWindowState(std::int32_t state) {
    if (state != kWindowMinimised && state != kWindowMaximised) {
        state = kWindowNormal;
    }
    if (!Visible()) {
        // Every state change shows a window; a hidden one takes the state when shown.
        hiddenState_ = state;
        return;
    }
    if (state == WindowState()) {
        return;
    }
    static constexpr int kShowCommands[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
    ShowWindow(window_, kShowCommands[state]);
}

void WinMainWindow::ApplyStacking(bool topmost, const PixelRect& outerPixels) {
    SetWindowPos(window_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, outerPixels.x, outerPixels.y,
                 outerPixels.width, outerPixels.height, 0);
}

void WinMainWindow::SetLabel1Size(double widthTwips, double heightTwips) {
    if (label1_ == nullptr) {
        return;
    }
    SetWindowPos(label1_, HWND_TOP, 0, 0, std::max(0, toPixels(widthTwips, twipsPerPixelX())),
                 std::max(0, toPixels(heightTwips, twipsPerPixelY())), SWP_NOACTIVATE);
}

void WinMainWindow::SetTimer1Enabled(bool enabled) {
    if (!profile_.window.hasTimer1) {
        return;
    }
    if (enabled) {
        // Setting it again would restart the interval; an enabled timer keeps its rhythm.
        if (!timer1Enabled_) {
            timer1Enabled_ = SetTimer(window_, kTimer1Id, kTimer1IntervalMs, nullptr) != 0;
        }
    } else {
        KillTimer(window_, kTimer1Id);
        timer1Enabled_ = false;
    }
}

void WinMainWindow::SetApplicationTitle(std::string_view title) {
    applicationWindow_.setTitle(title);
    applicationTitle_ = std::string(title);
}

WindowId WinMainWindow::Handle() const {
    return reinterpret_cast<WindowId>(window_);
}

std::vector<TwipsArea> WinMainWindow::ScreenAreas() const {
    std::vector<RECT> screenAreas;
    EnumDisplayMonitors(nullptr, nullptr, addScreenArea, reinterpret_cast<LPARAM>(&screenAreas));
    const double perPixelX = twipsPerPixelX();
    const double perPixelY = twipsPerPixelY();
    std::vector<TwipsArea> areas;
    for (const RECT& area : screenAreas) {
        areas.push_back({area.left * perPixelX, area.top * perPixelY,
                         (area.right - area.left) * perPixelX,
                         (area.bottom - area.top) * perPixelY});
    }
    return areas;
}

void WinMainWindow::closeRequested() {
    if (closing_) {
        return;
    }
    closing_ = true;
    // The shut-down runs before this returns: a hand-off waits for the close request to be
    // answered and then reads what the shut-down stored.
    if (core_ != nullptr) {
        core_->Form_Unload();
    }
    if (onClosed_) {
        onClosed_();
    }
}

LRESULT CALLBACK WinMainWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<WinMainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->window_ != window) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->onMessage(message, wParam, lParam);
    } catch (...) {
        // Nothing may cross into the system's call; the event is simply lost.
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT WinMainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            // The window stays until its owner lets it go; only the shut-down runs here.
            closeRequested();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // The session ends with the program in it: the shut-down stores what it stores
            // as on any other close.
            if (wParam != FALSE) {
                closeRequested();
            }
            return 0;
        case WM_SIZE:
            if (shownOnce_ && !showing_ && core_ != nullptr && Visible()) {
                core_->Form_Resize();
            }
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                // The keys go on reaching the control that had them when the user comes back.
                const HWND focus = GetFocus();
                lastFocus_ = focus != nullptr && IsChild(window_, focus) ? focus : nullptr;
            }
            // Only a return from the URL dialog counts; a switch from another program does not.
            if (LOWORD(wParam) != WA_INACTIVE && urlDialog_ != nullptr && core_ != nullptr &&
                reinterpret_cast<HWND>(lParam) != nullptr &&
                reinterpret_cast<HWND>(lParam) == urlDialog_->handle()) {
                core_->Form_Activate();
            }
            break;
        case WM_SETFOCUS:
            if (lastFocus_ != nullptr && IsWindow(lastFocus_) && IsChild(window_, lastFocus_)) {
                SetFocus(lastFocus_);
                return 0;
            }
            break;
        case WM_TIMER:
            if (wParam == kTimer1Id) {
                if (core_ != nullptr) {
                    core_->Timer1_Timer();
                }
                return 0;
            }
            break;
        case WM_DROPFILES: {
            const std::vector<std::string> files =
                takeDroppedFiles(reinterpret_cast<HDROP>(wParam));
            if (!files.empty() && core_ != nullptr && profile_.window.acceptsDrops) {
                core_->Form_OLEDragDrop(files);
            }
            return 0;
        }
        case WM_SETCURSOR:
            // Over the window's own uncovered client area; the children keep their pointers.
            if (profile_.window.customPointer && reinterpret_cast<HWND>(wParam) == window_ &&
                LOWORD(lParam) == HTCLIENT) {
                SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32515)));  // the cross
                return TRUE;
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK WinMainWindow::label1Procedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<WinMainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (self->label1_ == nullptr) {
        // Messages of the creation itself, before CreateWindowExW has returned the handle.
        self->label1_ = window;
    }
    try {
        return self->onLabel1Message(message, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT WinMainWindow::onLabel1Message(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(label1_, &paint);
            EndPaint(label1_, &paint);
            return 0;
        }
        case WM_LBUTTONDOWN:
            label1Pressed_ = true;
            SetCapture(label1_);
            return 0;
        case WM_LBUTTONUP: {
            // A click is a press and a release both on Label1.
            const bool pressed = std::exchange(label1Pressed_, false);
            if (GetCapture() == label1_) {
                ReleaseCapture();
            }
            RECT area{};
            GetClientRect(label1_, &area);
            const POINT point{static_cast<short>(LOWORD(lParam)),
                              static_cast<short>(HIWORD(lParam))};
            if (pressed && PtInRect(&area, point) && core_ != nullptr) {
                core_->Label1_Click();
            }
            return 0;
        }
        case WM_CAPTURECHANGED:
            label1Pressed_ = false;
            return 0;
        case WM_DROPFILES: {
            const std::vector<std::string> files =
                takeDroppedFiles(reinterpret_cast<HDROP>(wParam));
            if (!files.empty() && core_ != nullptr && profile_.window.acceptsDrops) {
                core_->Label1_OLEDragDrop(files);
            }
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(label1_, message, wParam, lParam);
}

}  // namespace nwmp::windows_platform
