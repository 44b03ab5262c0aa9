#include "platform/windows/settings_tool/win_settings_window.hpp"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

#include "common/numbers.hpp"
#include "common/screen_modes.hpp"
#include "platform/windows/shared/display_units.hpp"
#include "platform/windows/shared/wide_text.hpp"

namespace nwmp::windows_platform {

namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_BORDER;
constexpr double kTwipsPerInch = 1440.0;
// Room under Combo1's text field for its drop-down list of eight items.
constexpr int kComboListTwips = 8 * 240;

int toPixels(int twips, double twipsPerPixel) {
    return static_cast<int>(roundHalfEven(twips / twipsPerPixel));
}

std::string textOf(HWND control) {
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return narrow(text);
}

// A font of the Japanese desktop that holds the captions in the sizes the window was laid out
// for; the system picks the nearest one where it is missing.
HFONT makeJapaneseFont(int dpiY) {
    return CreateFontW(-MulDiv(9, dpiY, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"MS UI Gothic");
}

// Windows stacks sibling controls in the order they were made, the first on top, and that order
// is the tab order; the form lays later controls over earlier ones (Text2 over kanren1(11)).
// Each control is cut to the part that no later control of the form covers, so that it neither
// paints over nor takes the clicks of the control the user sees there, and the tab order stays.
void clipToFormStacking(const std::vector<HWND>& formOrder) {
    for (std::size_t i = 0; i < formOrder.size(); ++i) {
        RECT own{};
        GetWindowRect(formOrder[i], &own);
        HRGN visible = CreateRectRgn(0, 0, own.right - own.left, own.bottom - own.top);
        bool covered = false;
        for (std::size_t above = i + 1; above < formOrder.size(); ++above) {
            RECT other{};
            RECT overlap{};
            GetWindowRect(formOrder[above], &other);
            if (IntersectRect(&overlap, &own, &other)) {
                OffsetRect(&overlap, -own.left, -own.top);
                HRGN part = CreateRectRgnIndirect(&overlap);
                CombineRgn(visible, visible, part, RGN_DIFF);
                DeleteObject(part);
                covered = true;
            }
        }
        // The control owns the region it is given.
        if (!covered || SetWindowRgn(formOrder[i], visible, FALSE) == 0) {
            DeleteObject(visible);
        }
    }
}

}  // namespace

WinSettingsWindow::WinSettingsWindow(HINSTANCE instance) : instance_(instance) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &WinSettingsWindow::windowProcedure;
    windowClass.hInstance = instance_;
    windowClass.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kSettingsWindowClass;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw std::runtime_error("the settings window class cannot be registered");
    }

    twipsPerPixelX_ = twipsPerPixelX();
    twipsPerPixelY_ = twipsPerPixelY();

    // The client area opens at its design place; the frame goes around it.
    RECT outer{toPixels(kToolWindowClient.left, twipsPerPixelX_),
               toPixels(kToolWindowClient.top, twipsPerPixelY_),
               toPixels(kToolWindowClient.left + kToolWindowClient.width, twipsPerPixelX_),
               toPixels(kToolWindowClient.top + kToolWindowClient.height, twipsPerPixelY_)};
    AdjustWindowRectEx(&outer, kWindowStyle, FALSE, 0);
    window_ = CreateWindowExW(0, kSettingsWindowClass, widen(kToolWindowTitle).c_str(),
                              kWindowStyle, outer.left, outer.top, outer.right - outer.left,
                              outer.bottom - outer.top, nullptr, nullptr, instance_, this);
    if (window_ == nullptr) {
        throw std::runtime_error("the settings window cannot be made");
    }
    font_ = makeJapaneseFont(static_cast<int>(roundHalfEven(kTwipsPerInch / twipsPerPixelY_)));
    tooltips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                                nullptr, instance_, nullptr);
    SendMessageW(tooltips_, TTM_SETMAXTIPWIDTH, 0, toPixels(5000, twipsPerPixelX_));
    buildControls();
}

WinSettingsWindow::~WinSettingsWindow() {
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
}

void WinSettingsWindow::show() {
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
}

HWND WinSettingsWindow::makeControl(const wchar_t* windowClass, DWORD style,
                                    std::string_view caption, const TwipRect& place, int id,
                                    std::string_view tooltip) {
    const int height = id == kCombo1Id ? place.height + kComboListTwips : place.height;
    const HWND control = CreateWindowExW(
        windowClass == std::wstring_view(L"EDIT") ? WS_EX_CLIENTEDGE : 0, windowClass,
        widen(caption).c_str(), WS_CHILD | WS_VISIBLE | style,
        toPixels(place.left, twipsPerPixelX_), toPixels(place.top, twipsPerPixelY_),
        toPixels(place.width, twipsPerPixelX_), toPixels(height, twipsPerPixelY_), window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    if (!tooltip.empty()) {
        const std::wstring text = widen(tooltip);
        std::vector<HWND> tools{control};
        if (id == kCombo1Id) {
            // The pointer rests on the combo's own text field, a child window of its own.
            tools.push_back(FindWindowExW(control, nullptr, L"EDIT", nullptr));
        }
        for (HWND tool : tools) {
            TOOLINFOW info{};
            info.cbSize = TTTOOLINFOW_V2_SIZE;
            info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            info.hwnd = window_;
            info.uId = reinterpret_cast<UINT_PTR>(tool);
            info.lpszText = const_cast<wchar_t*>(text.c_str());
            SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        }
    }
    return control;
}

void WinSettingsWindow::buildControls() {
    // Pushed in the form's order, later controls lying over earlier ones.
    struct Pending {
        int tabIndex;
        std::function<HWND()> make;
    };
    std::vector<Pending> pending;
    constexpr DWORD kCheckStyle = BS_AUTOCHECKBOX | WS_TABSTOP;
    for (std::size_t i = 0; i < kOptionBoxCount; ++i) {
        const OptionBox& box = kOptionBoxes[i];
        pending.push_back({box.tabIndex, [this, &box, i] {
                               return makeControl(L"BUTTON", kCheckStyle, box.caption, box.position,
                                                  kCheckId + static_cast<int>(i), box.tooltip);
                           }});
    }
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        const AssociationSlot& slot = kAssociationSlots[i];
        pending.push_back({slot.tabIndex, [this, &slot, i] {
                               return makeControl(L"BUTTON", kCheckStyle, slot.caption,
                                                  slot.position, kKanrenId + static_cast<int>(i),
                                                  slot.tooltip);
                           }});
    }
    int labels = 0;
    for (const ControlLayout& layout : kOtherControls) {
        int id = 0;
        const wchar_t* windowClass = L"BUTTON";
        DWORD style = WS_TABSTOP;
        switch (layout.kind) {
            case ControlKind::Label:
                id = kLabelId + labels++;
                windowClass = L"STATIC";
                style = SS_LEFT;
                break;
            case ControlKind::ComboBox:
                id = kCombo1Id;
                windowClass = L"COMBOBOX";
                style |= CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL;
                break;
            case ControlKind::TextBox:
                id = layout.name == "Text1" ? kText1Id : kText2Id;
                windowClass = L"EDIT";
                style |= ES_AUTOHSCROLL;
                break;
            case ControlKind::Button:
                id = kCommandId + (layout.name.back() - '0');
                style |= BS_PUSHBUTTON;
                break;
        }
        pending.push_back({layout.tabIndex, [this, &layout, id, windowClass, style] {
                               return makeControl(windowClass, style, layout.caption,
                                                  layout.position, id, layout.tooltip);
                           }});
    }
    // Made in tab order: the dialog keys move through controls in the order they were made.
    std::vector<std::size_t> tabOrder(pending.size());
    for (std::size_t i = 0; i < tabOrder.size(); ++i) {
        tabOrder[i] = i;
    }
    std::stable_sort(tabOrder.begin(), tabOrder.end(), [&pending](std::size_t a, std::size_t b) {
        return pending[a].tabIndex < pending[b].tabIndex;
    });
    std::vector<HWND> formOrder(pending.size());
    for (std::size_t i : tabOrder) {
        formOrder[i] = pending[i].make();
    }
    clipToFormStacking(formOrder);
    const HWND combo = GetDlgItem(window_, kCombo1Id);
    for (const ScreenMode& mode : kScreenModes) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(mode.text).c_str()));
    }
    setComboText(kOtherControls[1].caption);
}

bool WinSettingsWindow::isCheckChecked(std::size_t index) const {
    return IsDlgButtonChecked(window_, kCheckId + static_cast<int>(index)) == BST_CHECKED;
}

void WinSettingsWindow::setCheckChecked(std::size_t index, bool checked) {
    settingFromCode_ = true;
    CheckDlgButton(window_, kCheckId + static_cast<int>(index),
                   checked ? BST_CHECKED : BST_UNCHECKED);
    settingFromCode_ = false;
}

std::string WinSettingsWindow::comboText() const {
    return textOf(GetDlgItem(window_, kCombo1Id));
}

void WinSettingsWindow::setComboText(std::string_view text) {
    settingFromCode_ = true;
    SetWindowTextW(GetDlgItem(window_, kCombo1Id), widen(text).c_str());
    settingFromCode_ = false;
}

std::string WinSettingsWindow::text1() const {
    return textOf(GetDlgItem(window_, kText1Id));
}

void WinSettingsWindow::setText1(std::string_view text) {
    SetWindowTextW(GetDlgItem(window_, kText1Id), widen(text).c_str());
}

std::string WinSettingsWindow::text2() const {
    return textOf(GetDlgItem(window_, kText2Id));
}

void WinSettingsWindow::setText2(std::string_view text) {
    SetWindowTextW(GetDlgItem(window_, kText2Id), widen(text).c_str());
}

bool WinSettingsWindow::isKanrenChecked(std::size_t index) const {
    return IsDlgButtonChecked(window_, kKanrenId + static_cast<int>(index)) == BST_CHECKED;
}

void WinSettingsWindow::setKanrenChecked(std::size_t index, bool checked) {
    CheckDlgButton(window_, kKanrenId + static_cast<int>(index),
                   checked ? BST_CHECKED : BST_UNCHECKED);
}

void WinSettingsWindow::hideWindow() {
    ShowWindow(window_, SW_HIDE);
}

void WinSettingsWindow::closeWindow() {
    // Destroyed once the current handler has returned, so the handler never outlives its window.
    PostMessageW(window_, WM_CLOSE, 0, 0);
}

WindowId WinSettingsWindow::windowId() const {
    return reinterpret_cast<WindowId>(window_);
}

LRESULT CALLBACK WinSettingsWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                                    LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<WinSettingsWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (self->window_ == nullptr) {
        self->window_ = window;
    }
    try {
        return self->handle(message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT WinSettingsWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            onCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CLOSE:
            DestroyWindow(window_);
            return 0;
        case WM_DESTROY:
            SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
            window_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void WinSettingsWindow::onCommand(int id, int code) {
    if (settingFromCode_) {
        return;
    }
    if (id >= kCheckId && id < kCheckId + static_cast<int>(kOptionBoxCount) && code == BN_CLICKED) {
        if (events_.checkClick) {
            events_.checkClick(static_cast<std::size_t>(id - kCheckId));
        }
    } else if (id > kCommandId && id <= kCommandId + 5 && code == BN_CLICKED) {
        if (events_.commandClick) {
            events_.commandClick(id - kCommandId);
        }
    } else if (id == kCombo1Id && code == CBN_EDITCHANGE) {
        if (events_.combo1Change) {
            events_.combo1Change();
        }
    }
}

}  // namespace nwmp::windows_platform
