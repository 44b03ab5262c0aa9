#include "platform/windows/player/win_url_dialog.hpp"

// windows.h comes before the other Windows headers.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <stdexcept>

#include "common/numbers.hpp"
#include "platform/windows/shared/display_units.hpp"
#include "platform/windows/shared/wide_text.hpp"
#include "player/url_dialog.hpp"

namespace nwmp::windows_platform {

namespace {

constexpr int kCommand1Id = 1;
constexpr int kText1Id = 2;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// A fixed dialog border; a tool window has no taskbar entry though it has no owner.
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW;

// Whole pixels as everywhere else in the programs: halves go to the even neighbour.
int toPixels(double twips, double twipsPerPixel) {
    return static_cast<int>(roundHalfEven(twips / twipsPerPixel));
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The shift argument of a key event: Shift 1, Ctrl 2, Alt 4.
std::int16_t shiftState() {
    std::int16_t state = 0;
    if (GetKeyState(VK_SHIFT) < 0) {
        state |= 1;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        state |= 2;
    }
    if (GetKeyState(VK_MENU) < 0) {
        state |= 4;
    }
    return state;
}

WinUrlDialog* dialogOf(HWND window) {
    return reinterpret_cast<WinUrlDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace

WinUrlDialog::WinUrlDialog() = default;

WinUrlDialog::~WinUrlDialog() {
    destroy();
}

HWND WinUrlDialog::made() {
    if (window_ == nullptr) {
        make();
    }
    return window_;
}

void WinUrlDialog::make() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (!GetClassInfoExW(instance, kUrlDialogClass, &windowClass)) {
        windowClass.lpfnWndProc = &WinUrlDialog::windowProcedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kUrlDialogClass;
        if (RegisterClassExW(&windowClass) == 0) {
            throw std::runtime_error("the URL dialog's window class cannot be registered");
        }
    }

    const double perPixelX = twipsPerPixelX();
    const double perPixelY = twipsPerPixelY();
    const int width = toPixels(kUrlDialogClientWidth, perPixelX);
    const int height = toPixels(kUrlDialogClientHeight, perPixelY);
    const int buttonLeft = toPixels(kUrlDialogClientWidth - kUrlButtonRoom, perPixelX);
    RECT outer{0, 0, width, height};
    AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    HWND window =
        CreateWindowExW(kExStyle, kUrlDialogClass, L"", kStyle, 0, 0, outer.right - outer.left,
                        outer.bottom - outer.top, nullptr, nullptr, instance, this);
    if (window == nullptr) {
        throw std::runtime_error("the URL dialog cannot be made");
    }
    window_ = window;

    const int dotsPerInch = static_cast<int>(roundHalfEven(1440.0 / perPixelY));
    font_ = CreateFontW(-MulDiv(9, dotsPerInch, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                        SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, L"MS UI Gothic");
    // Made in tab order: Command1 first, then Text1.
    command1_ = CreateWindowExW(0, L"BUTTON", widen(kCommand1Caption).c_str(),
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, buttonLeft, 0,
                                width - buttonLeft, height, window_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCommand1Id)),
                                instance, nullptr);
    text1_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"EDIT", widen(kUrlPrompt).c_str(),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, buttonLeft, height, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kText1Id)), instance, nullptr);
    if (command1_ == nullptr || text1_ == nullptr) {
        destroy();
        throw std::runtime_error("the URL dialog's controls cannot be made");
    }
    for (HWND control : {command1_, text1_}) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    text1Procedure_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        text1_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WinUrlDialog::controlProcedure)));
    command1Procedure_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        command1_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WinUrlDialog::controlProcedure)));

    tooltips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                                nullptr, instance, nullptr);
    if (tooltips_ != nullptr) {
        std::wstring tip = widen(kCommand1ToolTip);
        TOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = window_;
        info.uId = reinterpret_cast<UINT_PTR>(command1_);
        info.lpszText = tip.data();
        SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

RECT WinUrlDialog::outerRect() const {
    RECT rect{};
    GetWindowRect(const_cast<WinUrlDialog*>(this)->made(), &rect);
    return rect;
}

bool WinUrlDialog::Visible() const {
    return window_ != nullptr && IsWindowVisible(window_);
}

void WinUrlDialog::Show() {
    ShowWindow(made(), SW_SHOW);
    SetForegroundWindow(window_);
}

void WinUrlDialog::Hide() {
    if (window_ != nullptr) {
        ShowWindow(window_, SW_HIDE);
    }
}

void WinUrlDialog::SetLeft(double twips) {
    const RECT rect = outerRect();
    SetWindowPos(window_, nullptr, toPixels(twips, twipsPerPixelX()), rect.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WinUrlDialog::SetTop(double twips) {
    const RECT rect = outerRect();
    SetWindowPos(window_, nullptr, rect.left, toPixels(twips, twipsPerPixelY()), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

double WinUrlDialog::Width() const {
    const RECT rect = outerRect();
    return (rect.right - rect.left) * twipsPerPixelX();
}

void WinUrlDialog::SetWidth(double twips) {
    const RECT rect = outerRect();
    SetWindowPos(window_, nullptr, 0, 0, std::max(0, toPixels(twips, twipsPerPixelX())),
                 rect.bottom - rect.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string WinUrlDialog::Text1Text() const {
    const_cast<WinUrlDialog*>(this)->made();
    return narrow(windowText(text1_));
}

void WinUrlDialog::SetText1Text(std::string_view text) {
    made();
    SetWindowTextW(text1_, widen(text).c_str());
}

void WinUrlDialog::SetText1Width(double twips) {
    made();
    RECT outer{};
    GetWindowRect(text1_, &outer);
    SetWindowPos(text1_, nullptr, 0, 0, std::max(0, toPixels(twips, twipsPerPixelX())),
                 outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WinUrlDialog::SetCommand1Left(double twips) {
    made();
    RECT outer{};
    GetWindowRect(command1_, &outer);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&outer), 2);
    SetWindowPos(command1_, nullptr, toPixels(twips, twipsPerPixelX()), outer.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WinUrlDialog::Unload() {
    core_ = nullptr;
    destroy();
}

void WinUrlDialog::destroy() {
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        // Destroys Text1, Command1 and the tooltips with it.
        DestroyWindow(window_);
    }
    window_ = text1_ = command1_ = tooltips_ = lastFocus_ = nullptr;
    if (font_ != nullptr) {
        DeleteObject(font_);
        font_ = nullptr;
    }
}

LRESULT CALLBACK WinUrlDialog::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    WinUrlDialog* self = dialogOf(window);
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

LRESULT WinUrlDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == kCommand1Id && HIWORD(wParam) == BN_CLICKED) {
                if (core_ != nullptr) {
                    core_->Command1_Click();
                }
                return 0;
            }
            if (LOWORD(wParam) == kText1Id && HIWORD(wParam) == EN_SETFOCUS) {
                if (core_ != nullptr) {
                    core_->Text1_GotFocus();
                }
                return 0;
            }
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus == text1_ || focus == command1_) {
                    lastFocus_ = focus;
                }
            } else if (onActivated_) {
                onActivated_();
            }
            break;
        case WM_SETFOCUS:
            // The keys go to a control: the one that had them, else Command1, first in tab order.
            SetFocus(lastFocus_ != nullptr ? lastFocus_ : command1_);
            return 0;
        case WM_CLOSE:
            // The close box hides the dialog; only the player's shut-down destroys it.
            ShowWindow(window_, SW_HIDE);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK WinUrlDialog::controlProcedure(HWND control, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    WinUrlDialog* self = dialogOf(control);
    if (self == nullptr) {
        return DefWindowProcW(control, message, wParam, lParam);
    }
    try {
        return self->onControlMessage(control, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT WinUrlDialog::onControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC original = control == text1_ ? text1Procedure_ : command1Procedure_;
    if (message == WM_KEYDOWN && wParam == VK_TAB) {
        // Two controls: Tab and Shift+Tab both go to the other one.
        SetFocus(control == text1_ ? command1_ : text1_);
        swallowCharacter_ = true;
        return 0;
    }
    if (control == text1_) {
        if (message == WM_GETDLGCODE) {
            // A dialog-key loop would take Enter for a default button; Text1 wants it.
            const auto* pending = reinterpret_cast<const MSG*>(lParam);
            if (pending != nullptr && pending->message == WM_KEYDOWN &&
                pending->wParam == VK_RETURN) {
                return CallWindowProcW(original, control, message, wParam, lParam) |
                       DLGC_WANTMESSAGE;
            }
        } else if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
            swallowCharacter_ = false;
            const auto pressed = static_cast<std::int16_t>(wParam);
            std::int16_t code = pressed;
            if (core_ != nullptr) {
                core_->Text1_KeyDown(code, shiftState());
            }
            if (pressed != 0 && code == 0) {
                swallowCharacter_ = true;
                return 0;
            }
        }
    }
    if ((message == WM_CHAR || message == WM_SYSCHAR) && swallowCharacter_) {
        swallowCharacter_ = false;
        return 0;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        SetWindowLongPtrW(control, GWLP_USERDATA, 0);
    }
    return CallWindowProcW(original, control, message, wParam, lParam);
}

}  // namespace nwmp::windows_platform
