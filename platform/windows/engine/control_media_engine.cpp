#include "platform/windows/engine/control_media_engine.hpp"

#include <ocidl.h>
#include <ole2.h>
#include <olectl.h>

#include <cmath>
#include <optional>
#include <string>

#include "platform/windows/engine/dispatch_member.hpp"
#include "platform/windows/engine/engine_design_settings.hpp"
#include "platform/windows/engine/engine_event_sink.hpp"
#include "platform/windows/settings_file/ansi_text.hpp"

namespace nwmp::windows {
namespace {

// atl.dll's control hosting, found at run time: mingw-w64 has neither its header nor, for
// 32-bit Windows, its import library. Loaded from the system folder by its full path, so that
// no file of that name beside the program is taken for it.
struct AtlHost {
    using WinInit = BOOL(WINAPI*)();
    using GetControl = HRESULT(WINAPI*)(HWND, IUnknown**);
    WinInit winInit = nullptr;
    GetControl getControl = nullptr;
};

template <typename Function>
Function exported(HMODULE module, const char* name) {
    // Through the one function type the compiler takes as any function's.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

const AtlHost& atlHost() {
    static const AtlHost host = [] {
        AtlHost found;
        wchar_t folder[MAX_PATH];
        const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) {
            return found;
        }
        const HMODULE atl = LoadLibraryW((std::wstring(folder, length) + L"\\atl.dll").c_str());
        if (atl != nullptr) {
            found.winInit = exported<AtlHost::WinInit>(atl, "AtlAxWinInit");
            found.getControl = exported<AtlHost::GetControl>(atl, "AtlAxGetControl");
        }
        return found;
    }();
    return host;
}

constexpr DISPID kFileName = 1026;
constexpr DISPID kCurrentPosition = 1027;
constexpr DISPID kDuration = 1003;
constexpr DISPID kPlayCount = 1030;
constexpr DISPID kDisplaySize = 1032;
constexpr DISPID kPlayState = 1068;
constexpr DISPID kPlay = 2001;
constexpr DISPID kPause = 2002;
constexpr DISPID kStop = 2003;
constexpr DISPID kGetMediaInfoString = 2016;
constexpr DISPID kPrevious = 2022;
constexpr DISPID kNext = 2023;

// The control as designed: 6720 x 5040 twips at the client area's origin.
constexpr double kDesignWidthTwips = 6720;
constexpr double kDesignHeightTwips = 5040;

// Twips per pixel, read afresh at each use (the display's dots per inch may change).
double twipsPerPixel(bool horizontal) {
    HDC screen = GetDC(nullptr);
    const int dotsPerInch = GetDeviceCaps(screen, horizontal ? LOGPIXELSX : LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return 1440.0 / (dotsPerInch > 0 ? dotsPerInch : 96);
}

int pixelsFromTwips(double twips, bool horizontal) {
    // Halves go to the even neighbour, as everywhere in the player.
    return static_cast<int>(std::nearbyint(twips / twipsPerPixel(horizontal)));
}

std::string textOf(const Variant& value, DISPID dispid) {
    if ((*value).vt != VT_BSTR) {
        if ((*value).vt == VT_EMPTY || (*value).vt == VT_NULL)
            return {};
        throw EngineError("engine member " + std::to_string(dispid) + " gave no text");
    }
    return utf8FromWide({(*value).bstrVal, SysStringLen((*value).bstrVal)});
}

template <typename Interface>
struct Released {
    Interface* pointer = nullptr;
    ~Released() {
        if (pointer != nullptr)
            pointer->Release();
    }
};

}  // namespace

struct ControlMediaEngine::Parts {
    HWND host = nullptr;
    IDispatch* control = nullptr;
    IConnectionPoint* point = nullptr;
    EngineEventSink* sink = nullptr;
    DWORD cookie = 0;

    ~Parts() {
        if (point != nullptr) {
            point->Unadvise(cookie);
            point->Release();
        }
        if (sink != nullptr) {
            sink->setTarget(nullptr);
            sink->Release();
        }
        if (control != nullptr)
            control->Release();
        // The hosting window closes and releases the control with it.
        if (host != nullptr)
            DestroyWindow(host);
    }

    RECT placeOnParent() const {
        RECT place{};
        GetWindowRect(host, &place);
        MapWindowPoints(HWND_DESKTOP, GetParent(host), reinterpret_cast<POINT*>(&place), 2);
        return place;
    }

    void move(int left, int top, int width, int height) {
        if (!SetWindowPos(host, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE)) {
            throw EngineError("the engine control cannot be placed");
        }
        // Windows' atl.dll passes the new size on to the control, Wine's does not; telling it
        // again costs nothing.
        Released<IOleInPlaceObject> inPlace;
        if (SUCCEEDED(control->QueryInterface(IID_IOleInPlaceObject,
                                              reinterpret_cast<void**>(&inPlace.pointer)))) {
            RECT area{};
            GetClientRect(host, &area);
            inPlace.pointer->SetObjectRects(&area, &area);
        }
    }
};

ControlMediaEngine::ControlMediaEngine(HWND parent, const ControlBar& controlBar)
    : parts_(std::make_unique<Parts>()) {
    CLSID clsid{};
    const HRESULT known = CLSIDFromProgID(kEngineProgId, &clsid);
    if (FAILED(known))
        throw EngineMissing("the engine control is not installed", known);
    // Registered, but is its server there to load (its file may be gone, or registered only for
    // the other architecture)? Asked before the host, which does not tell why it failed and,
    // under Wine, goes on to look for the control in a server process of its own.
    {
        Released<IClassFactory> factory;
        const HRESULT loaded =
            CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                             reinterpret_cast<void**>(&factory.pointer));
        if (FAILED(loaded))
            throw EngineMissing("the engine control's server cannot be loaded", loaded);
    }
    // The hosting window class is registered once per process; a second registration reports
    // failure, so whether the host is there shows only when its window is made.
    const AtlHost& atl = atlHost();
    if (atl.winInit == nullptr || atl.getControl == nullptr) {
        throw EngineError("the control host atl.dll is missing");
    }
    atl.winInit();
    // Where the control cannot be made, the hosting window still comes up empty: only the
    // control it holds tells.
    parts_->host = CreateWindowExW(
        0, L"AtlAxWin", kEngineProgId, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0,
        0, pixelsFromTwips(kDesignWidthTwips, true), pixelsFromTwips(kDesignHeightTwips, false),
        parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (parts_->host == nullptr) {
        throw EngineError("the control host atl.dll cannot make its window");
    }
    Released<IUnknown> unknown;
    const HRESULT made = atl.getControl(parts_->host, &unknown.pointer);
    if (FAILED(made) || unknown.pointer == nullptr) {
        throw EngineError("the engine control cannot be made");
    }
    const HRESULT dispatch =
        unknown.pointer->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&parts_->control));
    if (FAILED(dispatch))
        throw EngineError("the engine control has no members");

    for (const DesignSetting& setting : engineDesignSettings(controlBar)) {
        Variant value =
            setting.isSwitch ? Variant::ofBool(setting.value != 0) : Variant::ofInt(setting.value);
        putProperty(parts_->control, dispidOfName(parts_->control, setting.name), value);
    }

    // The control names its events dispinterface itself where it can; the one its type library
    // has always given stands in where it cannot.
    IID eventsIid = kEngineEventsIid;
    Released<IProvideClassInfo2> classInfo;
    if (SUCCEEDED(unknown.pointer->QueryInterface(IID_IProvideClassInfo2,
                                                  reinterpret_cast<void**>(&classInfo.pointer)))) {
        IID named{};
        if (SUCCEEDED(classInfo.pointer->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &named))) {
            eventsIid = named;
        }
    }
    Released<IConnectionPointContainer> container;
    HRESULT status = unknown.pointer->QueryInterface(IID_IConnectionPointContainer,
                                                     reinterpret_cast<void**>(&container.pointer));
    if (SUCCEEDED(status))
        status = container.pointer->FindConnectionPoint(eventsIid, &parts_->point);
    if (FAILED(status))
        throw EngineError("the engine control reports no events");
    parts_->sink = new EngineEventSink(eventsIid);
    status = parts_->point->Advise(parts_->sink, &parts_->cookie);
    if (FAILED(status)) {
        parts_->point->Release();
        parts_->point = nullptr;
        throw EngineError("the engine control takes no event sink");
    }
}

ControlMediaEngine::~ControlMediaEngine() = default;

HWND ControlMediaEngine::window() const {
    return parts_->host;
}

void ControlMediaEngine::setEventSink(MediaEngineEvents* sink) {
    parts_->sink->setTarget(sink);
}

std::string ControlMediaEngine::FileName() const {
    return textOf(getProperty(parts_->control, kFileName), kFileName);
}

void ControlMediaEngine::SetFileName(const std::string& fileName) {
    const std::optional<std::wstring> wide = wideFromUtf8(fileName);
    if (!wide)
        throw EngineError("the file name is not valid text");
    Variant value = Variant::ofText(wide->c_str(), static_cast<UINT>(wide->size()));
    putProperty(parts_->control, kFileName, value);
}

double ControlMediaEngine::CurrentPosition() const {
    return asDouble(getProperty(parts_->control, kCurrentPosition), kCurrentPosition);
}

void ControlMediaEngine::SetCurrentPosition(double seconds) {
    Variant value = Variant::ofDouble(seconds);
    putProperty(parts_->control, kCurrentPosition, value);
}

double ControlMediaEngine::Duration() const {
    return asDouble(getProperty(parts_->control, kDuration), kDuration);
}

std::int32_t ControlMediaEngine::PlayCount() const {
    return asInt(getProperty(parts_->control, kPlayCount), kPlayCount);
}

void ControlMediaEngine::SetPlayCount(std::int32_t count) {
    Variant value = Variant::ofInt(count);
    putProperty(parts_->control, kPlayCount, value);
}

void ControlMediaEngine::SetDisplaySize(std::int32_t displaySize) {
    Variant value = Variant::ofInt(displaySize);
    putProperty(parts_->control, kDisplaySize, value);
}

std::int32_t ControlMediaEngine::PlayState() const {
    return asInt(getProperty(parts_->control, kPlayState), kPlayState);
}

void ControlMediaEngine::SetAutoSize(bool autoSize) {
    Variant value = Variant::ofBool(autoSize);
    putProperty(parts_->control, DISPID_AUTOSIZE, value);
    // The control sizes its own window; the host window follows it, so that Width and Height
    // tell the size the control took.
    Released<IOleWindow> inPlace;
    HWND own = nullptr;
    if (autoSize &&
        SUCCEEDED(parts_->control->QueryInterface(IID_IOleWindow,
                                                  reinterpret_cast<void**>(&inPlace.pointer))) &&
        SUCCEEDED(inPlace.pointer->GetWindow(&own)) && own != nullptr && own != parts_->host) {
        RECT size{};
        GetWindowRect(own, &size);
        const RECT place = parts_->placeOnParent();
        parts_->move(place.left, place.top, size.right - size.left, size.bottom - size.top);
    }
}

void ControlMediaEngine::Play() {
    callMethod(parts_->control, kPlay, {});
}
void ControlMediaEngine::Pause() {
    callMethod(parts_->control, kPause, {});
}
void ControlMediaEngine::Stop() {
    callMethod(parts_->control, kStop, {});
}

std::string ControlMediaEngine::GetMediaInfoString(std::int32_t infoType) const {
    Variant which = Variant::ofInt(infoType);
    return textOf(callMethod(parts_->control, kGetMediaInfoString, {&which}), kGetMediaInfoString);
}

void ControlMediaEngine::Previous() {
    callMethod(parts_->control, kPrevious, {});
}
void ControlMediaEngine::Next() {
    callMethod(parts_->control, kNext, {});
}

void ControlMediaEngine::SetLeft(double twips) {
    const RECT place = parts_->placeOnParent();
    parts_->move(pixelsFromTwips(twips, true), place.top, place.right - place.left,
                 place.bottom - place.top);
}

void ControlMediaEngine::SetTop(double twips) {
    const RECT place = parts_->placeOnParent();
    parts_->move(place.left, pixelsFromTwips(twips, false), place.right - place.left,
                 place.bottom - place.top);
}

double ControlMediaEngine::Width() const {
    const RECT place = parts_->placeOnParent();
    return (place.right - place.left) * twipsPerPixel(true);
}

void ControlMediaEngine::SetWidth(double twips) {
    if (twips < 0)
        throw EngineError("a negative width");
    const RECT place = parts_->placeOnParent();
    parts_->move(place.left, place.top, pixelsFromTwips(twips, true), place.bottom - place.top);
}

double ControlMediaEngine::Height() const {
    const RECT place = parts_->placeOnParent();
    return (place.bottom - place.top) * twipsPerPixel(false);
}

void ControlMediaEngine::SetHeight(double twips) {
    if (twips < 0)
        throw EngineError("a negative height");
    const RECT place = parts_->placeOnParent();
    parts_->move(place.left, place.top, place.right - place.left, pixelsFromTwips(twips, false));
}

void ControlMediaEngine::SetFocus() {
    if (!IsWindowVisible(parts_->host))
        throw EngineError("the engine control is not visible");
    // Keys reach the control through its own window where it has one.
    Released<IOleWindow> inPlace;
    HWND own = nullptr;
    if (FAILED(parts_->control->QueryInterface(IID_IOleWindow,
                                               reinterpret_cast<void**>(&inPlace.pointer))) ||
        FAILED(inPlace.pointer->GetWindow(&own)) || own == nullptr) {
        own = parts_->host;
    }
    ::SetFocus(own);
    if (GetFocus() != own)
        throw EngineError("the engine control cannot take the focus");
}

}  // namespace nwmp::windows
