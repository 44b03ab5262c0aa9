// A stand-in for the engine control, for tests under Wine, which has no such control. It is
// hostable as an OLE control (its own child window at in-place activation), answers the
// thirteen members and the design settings by dispatch identifier, plays nothing but lets its
// position run with the clock, and fires the three events through its connection point. Every
// member call is recorded with its argument types, so that tests see exactly what the host sent.

// A COM object is destroyed by its own Release, never through an interface pointer.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <string>
#include <string_view>
#include <vector>

#include "stand_in_state.hpp"

namespace nwmp::stand_in {
namespace {

// The clips the tests play; any other name fails to open.
struct KnownClip {
    std::wstring_view name;
    double duration;
    std::wstring_view title;
    std::wstring_view author;
};
constexpr std::array kKnownClips = {
    KnownClip{L"tagged.mp3", 8.0, L"テストの歌", L"試験 演奏者"},
    KnownClip{L"untagged.mp3", 8.0, L"", L""},
    KnownClip{L"tagged.avi", 8.0, L"Clip Title", L"Clip Author"},
    KnownClip{L"untagged.avi", 8.0, L"", L""},
    KnownClip{L"tone.wav", 8.0, L"", L""},
    KnownClip{L"short.wav", 0.3, L"", L""},
};

// Design settings answered by name, as the real control's type library does.
struct NamedSetting {
    const wchar_t* name;
    DISPID dispid;
};
constexpr std::array kNamedSettings = {
    NamedSetting{L"ShowControls", 5001},         NamedSetting{L"ShowAudioControls", 5002},
    NamedSetting{L"ShowPositionControls", 5003}, NamedSetting{L"ShowTracker", 5004},
    NamedSetting{L"ShowStatusBar", 5005},        NamedSetting{L"SendKeyboardEvents", 5006},
    NamedSetting{L"ClickToPlay", 5007},          NamedSetting{L"Volume", 5008},
    NamedSetting{L"DisplaySize", 1032},
};

// An argument as the record shows it: its type, and its value where it is a plain number.
std::wstring argumentText(const VARIANT& argument) {
    wchar_t number[40] = L"";
    std::wstring name;
    switch (argument.vt) {
        case VT_BSTR:
            return L"BSTR";
        case VT_R8:
            swprintf(number, 40, L"=%g", argument.dblVal);
            name = L"R8";
            break;
        case VT_I4:
            swprintf(number, 40, L"=%ld", argument.lVal);
            name = L"I4";
            break;
        case VT_I2:
            swprintf(number, 40, L"=%d", argument.iVal);
            name = L"I2";
            break;
        case VT_BOOL:
            swprintf(number, 40, L"=%d", argument.boolVal);
            name = L"BOOL";
            break;
        default:
            return L"VT" + std::to_wstring(argument.vt);
    }
    return name + number;
}

class StandInControl;

class EventConnectionPoint final : public IConnectionPoint {
  public:
    explicit EventConnectionPoint(StandInControl* owner) : owner_(owner) {}
    HRESULT __stdcall QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
            *out = static_cast<IConnectionPoint*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG __stdcall AddRef() override;
    ULONG __stdcall Release() override;
    HRESULT __stdcall GetConnectionInterface(IID* iid) override {
        *iid = kEventsIid;
        return S_OK;
    }
    HRESULT __stdcall GetConnectionPointContainer(IConnectionPointContainer** out) override;
    HRESULT __stdcall Advise(IUnknown* sink, DWORD* cookie) override {
        if (sink_ != nullptr)
            return CONNECT_E_ADVISELIMIT;
        if (FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&sink_)))) {
            return CONNECT_E_CANNOTCONNECT;
        }
        *cookie = 1;
        return S_OK;
    }
    HRESULT __stdcall Unadvise(DWORD cookie) override {
        if (cookie != 1 || sink_ == nullptr)
            return CONNECT_E_NOCONNECTION;
        dropSink();
        return S_OK;
    }
    HRESULT __stdcall EnumConnections(IEnumConnections** out) override {
        *out = nullptr;
        return E_NOTIMPL;
    }
    void dropSink() {
        if (sink_ != nullptr) {
            IDispatch* sink = sink_;
            sink_ = nullptr;
            sink->Release();
        }
    }
    void fire(DISPID dispid, std::vector<VARIANT>& reversedArguments) {
        if (sink_ == nullptr)
            return;
        IDispatch* sink = sink_;
        sink->AddRef();
        DISPPARAMS params{reversedArguments.data(), nullptr,
                          static_cast<UINT>(reversedArguments.size()), 0};
        sink->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                     nullptr, nullptr);
        sink->Release();
    }

  private:
    StandInControl* owner_;
    IDispatch* sink_ = nullptr;
};

class StandInControl final : public IDispatch,
                             public IOleObject,
                             public IOleInPlaceObject,
                             public IConnectionPointContainer,
                             public IProvideClassInfo2 {
  public:
    StandInControl() : point_(this) { ++g_live; }
    ~StandInControl() {
        destroyWindow();
        if (site_ != nullptr)
            site_->Release();
        --g_live;
    }

    // IUnknown
    HRESULT __stdcall QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
        } else if (iid == IID_IOleObject) {
            *out = static_cast<IOleObject*>(this);
        } else if (iid == IID_IOleInPlaceObject || iid == IID_IOleWindow) {
            *out = static_cast<IOleInPlaceObject*>(this);
        } else if (iid == IID_IConnectionPointContainer) {
            *out = static_cast<IConnectionPointContainer*>(this);
        } else if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2) {
            *out = static_cast<IProvideClassInfo2*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG __stdcall AddRef() override { return ++references_; }
    ULONG __stdcall Release() override {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    // IDispatch
    HRESULT __stdcall GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT __stdcall GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
        *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT __stdcall GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                    DISPID* ids) override {
        HRESULT result = S_OK;
        for (UINT i = 0; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
            for (const NamedSetting& setting : kNamedSettings) {
                if (_wcsicmp(setting.name, names[i]) == 0)
                    ids[i] = setting.dispid;
            }
            if (ids[i] == DISPID_UNKNOWN)
                result = DISP_E_UNKNOWNNAME;
        }
        return result;
    }
    HRESULT __stdcall Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params,
                             VARIANT* result, EXCEPINFO* exception, UINT*) override {
        record(dispid, flags, params);
        if (g_failArmed && g_failNext == dispid) {
            g_failArmed = false;
            return fail(exception, L"told to fail");
        }
        const bool put = (flags & DISPATCH_PROPERTYPUT) != 0;
        if (put && (params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT ||
                    params->cArgs != 1)) {
            return DISP_E_PARAMNOTOPTIONAL;
        }
        const VARIANT* value = put ? &params->rgvarg[0] : nullptr;
        return member(dispid, flags, put, value, params, result, exception);
    }

    // IOleObject
    HRESULT __stdcall SetClientSite(IOleClientSite* site) override {
        if (site != nullptr)
            site->AddRef();
        if (site_ != nullptr)
            site_->Release();
        site_ = site;
        return S_OK;
    }
    HRESULT __stdcall GetClientSite(IOleClientSite** out) override {
        *out = site_;
        if (site_ != nullptr)
            site_->AddRef();
        return S_OK;
    }
    HRESULT __stdcall SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    HRESULT __stdcall Close(DWORD) override {
        destroyWindow();
        point_.dropSink();
        return S_OK;
    }
    HRESULT __stdcall SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    HRESULT __stdcall GetMoniker(DWORD, DWORD, IMoniker** out) override {
        *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT __stdcall InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    HRESULT __stdcall GetClipboardData(DWORD, IDataObject** out) override {
        *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT __stdcall DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND parent,
                             LPCRECT place) override {
        if (verb != OLEIVERB_INPLACEACTIVATE && verb != OLEIVERB_SHOW &&
            verb != OLEIVERB_UIACTIVATE) {
            return OLEOBJ_S_INVALIDVERB;
        }
        if (window_ == nullptr && parent != nullptr)
            createWindow(parent, place);
        return window_ != nullptr ? S_OK : E_FAIL;
    }
    HRESULT __stdcall EnumVerbs(IEnumOLEVERB** out) override {
        *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT __stdcall Update() override { return S_OK; }
    HRESULT __stdcall IsUpToDate() override { return S_OK; }
    HRESULT __stdcall GetUserClassID(CLSID* out) override {
        *out = kClsid;
        return S_OK;
    }
    HRESULT __stdcall GetUserType(DWORD, LPOLESTR*) override { return OLE_S_USEREG; }
    HRESULT __stdcall SetExtent(DWORD, SIZEL* size) override {
        extent_ = *size;
        return S_OK;
    }
    HRESULT __stdcall GetExtent(DWORD, SIZEL* size) override {
        *size = extent_;
        return S_OK;
    }
    HRESULT __stdcall Advise(IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT __stdcall Unadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT __stdcall EnumAdvise(IEnumSTATDATA** out) override {
        *out = nullptr;
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT __stdcall GetMiscStatus(DWORD, DWORD* status) override {
        *status = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                  OLEMISC_SETCLIENTSITEFIRST | OLEMISC_CANTLINKINSIDE;
        return S_OK;
    }
    HRESULT __stdcall SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleInPlaceObject
    HRESULT __stdcall GetWindow(HWND* out) override {
        *out = window_;
        return window_ != nullptr ? S_OK : E_FAIL;
    }
    HRESULT __stdcall ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT __stdcall InPlaceDeactivate() override {
        destroyWindow();
        return S_OK;
    }
    HRESULT __stdcall UIDeactivate() override { return S_OK; }
    HRESULT __stdcall SetObjectRects(LPCRECT place, LPCRECT) override {
        if (window_ != nullptr) {
            MoveWindow(window_, place->left, place->top, place->right - place->left,
                       place->bottom - place->top, TRUE);
        }
        return S_OK;
    }
    HRESULT __stdcall ReactivateAndUndo() override { return E_NOTIMPL; }

    // IConnectionPointContainer
    HRESULT __stdcall EnumConnectionPoints(IEnumConnectionPoints** out) override {
        *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT __stdcall FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
        if (iid != kEventsIid) {
            *out = nullptr;
            return CONNECT_E_NOCONNECTION;
        }
        *out = &point_;
        point_.AddRef();
        return S_OK;
    }

    // IProvideClassInfo2
    HRESULT __stdcall GetClassInfo(ITypeInfo** out) override {
        *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT __stdcall GetGUID(DWORD kind, GUID* out) override {
        if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID)
            return E_INVALIDARG;
        *out = kEventsIid;
        return S_OK;
    }

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
        auto* self = reinterpret_cast<StandInControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr) {
            switch (message) {
                case WM_TIMER:
                    self->tick();
                    return 0;
                case kFireStateMessage:
                    self->fireStateChange(static_cast<std::int32_t>(wParam),
                                          static_cast<std::int32_t>(lParam));
                    return 0;
                case WM_KEYDOWN:
                    self->fireKeyDown(static_cast<short>(wParam));
                    return 0;
                case WM_LBUTTONDOWN:
                    SetFocus(window);
                    return 0;
                default:
                    break;
            }
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

  private:
    static HRESULT fail(EXCEPINFO* exception, const wchar_t* why) {
        if (exception != nullptr) {
            *exception = {};
            exception->scode = E_FAIL;
            exception->bstrSource = SysAllocString(L"stand-in engine");
            exception->bstrDescription = SysAllocString(why);
        }
        return DISP_E_EXCEPTION;
    }

    static void record(DISPID dispid, WORD flags, const DISPPARAMS* params) {
        std::wstring line = std::to_wstring(dispid);
        line += (flags & DISPATCH_PROPERTYPUT) ? L" put"
                : (flags & DISPATCH_METHOD)    ? L" call"
                                               : L" get";
        for (UINT i = params->cArgs; i-- > 0;)
            line += L" " + argumentText(params->rgvarg[i]);
        g_record += line + L"\n";
    }

    HRESULT member(DISPID dispid, WORD flags, bool put, const VARIANT* value,
                   const DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception) {
        const auto expect = [&](VARTYPE type) { return value != nullptr && value->vt == type; };
        const bool loaded = clip_ != nullptr;
        switch (dispid) {
            case 1026:
                if (put)
                    return expect(VT_BSTR) ? open(value->bstrVal, exception) : DISP_E_TYPEMISMATCH;
                return answer(result, fileName_);
            case 1027:
                if (!loaded)
                    return fail(exception, L"nothing loaded");
                if (put) {
                    if (!expect(VT_R8))
                        return DISP_E_TYPEMISMATCH;
                    startPosition_ = std::clamp(value->dblVal, 0.0, clip_->duration);
                    startTick_ = GetTickCount64();
                    return S_OK;
                }
                return answer(result, position());
            case 1003:
                if (put || !loaded)
                    return fail(exception, L"no duration");
                return answer(result, clip_->duration);
            case 1030:
                if (put) {
                    if (!expect(VT_I4))
                        return DISP_E_TYPEMISMATCH;
                    playCount_ = value->lVal;
                    return S_OK;
                }
                return answer(result, playCount_);
            case 1032:
                if (!put)
                    return answer(result, displaySize_);
                if (!expect(VT_I4))
                    return DISP_E_TYPEMISMATCH;
                if (value->lVal < 0 || value->lVal > 7)
                    return fail(exception, L"no such size");
                displaySize_ = value->lVal;
                return S_OK;
            case 1068:
                if (put)
                    return DISP_E_MEMBERNOTFOUND;
                return answer(result, state_);
            case DISPID_AUTOSIZE:
                if (!put || !expect(VT_BOOL))
                    return DISP_E_TYPEMISMATCH;
                // Every test clip's picture is 160 x 120 pixels.
                if (value->boolVal != VARIANT_FALSE && window_ != nullptr && loaded) {
                    SetWindowPos(window_, nullptr, 0, 0, 160, 120,
                                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
                }
                return S_OK;
            case 2001:
                if (!loaded)
                    return fail(exception, L"nothing loaded");
                changeState(2);
                return S_OK;
            case 2002:
                if (!loaded)
                    return fail(exception, L"nothing loaded");
                changeState(1);
                return S_OK;
            case 2003:
                if (loaded)
                    changeState(0);
                return S_OK;
            case 2016: {
                if (params->cArgs != 1 || params->rgvarg[0].vt != VT_I4)
                    return DISP_E_TYPEMISMATCH;
                if (!loaded)
                    return fail(exception, L"nothing loaded");
                const long which = params->rgvarg[0].lVal;
                return answer(result, std::wstring(which == 8   ? clip_->title
                                                   : which == 9 ? clip_->author
                                                                : L""));
            }
            case 2022:
            case 2023:
                return fail(exception, L"no play list");
            default:
                if (dispid > 5000 && dispid <= 5008 && put) {
                    const VARTYPE type = dispid == 5008 ? VT_I4 : VT_BOOL;
                    if (!expect(type))
                        return DISP_E_TYPEMISMATCH;
                    if (dispid == 5006)
                        keyEvents_ = value->boolVal != VARIANT_FALSE;
                    return S_OK;
                }
                (void)flags;
                return DISP_E_MEMBERNOTFOUND;
        }
    }

    static HRESULT answer(VARIANT* result, double value) {
        if (result == nullptr)
            return E_POINTER;
        VariantInit(result);
        result->vt = VT_R8;
        result->dblVal = value;
        return S_OK;
    }
    static HRESULT answer(VARIANT* result, long value) {
        if (result == nullptr)
            return E_POINTER;
        VariantInit(result);
        result->vt = VT_I4;
        result->lVal = value;
        return S_OK;
    }
    static HRESULT answer(VARIANT* result, const std::wstring& value) {
        if (result == nullptr)
            return E_POINTER;
        VariantInit(result);
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
        return S_OK;
    }

    HRESULT open(BSTR name, EXCEPINFO* exception) {
        const std::wstring text(name, SysStringLen(name));
        if (text.empty()) {
            fileName_.clear();
            clip_ = nullptr;
            changeState(0);
            return S_OK;
        }
        const std::wstring_view base =
            std::wstring_view(text).substr(text.find_last_of(L"\\/") + 1);
        for (const KnownClip& clip : kKnownClips) {
            if (clip.name == base) {
                fileName_ = text;
                clip_ = &clip;
                startPosition_ = 0.0;
                startTick_ = GetTickCount64();
                changeState(2);
                return S_OK;
            }
        }
        return fail(exception, L"cannot open");
    }

    double position() const {
        if (clip_ == nullptr)
            return 0.0;
        if (state_ != 2)
            return startPosition_;
        const double run = static_cast<double>(GetTickCount64() - startTick_) / 1000.0;
        return std::min(startPosition_ + run, clip_->duration);
    }

    // State changes are reported later from the window's message loop, as the real control
    // reports them, never from inside the member call that caused them.
    void changeState(long state) {
        if (state == state_)
            return;
        startPosition_ = position();
        startTick_ = GetTickCount64();
        const long old = state_;
        state_ = state;
        if (window_ != nullptr)
            PostMessageW(window_, kFireStateMessage, old, state);
    }

    void tick() {
        if (clip_ == nullptr || state_ != 2 || position() < clip_->duration)
            return;
        if (playCount_ == 0) {
            startPosition_ = 0.0;
            startTick_ = GetTickCount64();
            return;
        }
        startPosition_ = clip_->duration;
        const long old = state_;
        state_ = 0;
        fireStateChange(old, 0);
        std::vector<VARIANT> arguments(1);
        arguments[0].vt = VT_I4;
        arguments[0].lVal = 0;
        point_.fire(3002, arguments);
    }

    void fireStateChange(std::int32_t oldState, std::int32_t newState) {
        std::vector<VARIANT> arguments(2);
        arguments[0].vt = VT_I4;  // arguments arrive last first: the new state
        arguments[0].lVal = newState;
        arguments[1].vt = VT_I4;
        arguments[1].lVal = oldState;
        point_.fire(3012, arguments);
    }

    void fireKeyDown(short code) {
        if (!keyEvents_)
            return;
        short keyCode = code;
        std::vector<VARIANT> arguments(2);
        arguments[0].vt = VT_I2;
        arguments[0].iVal = static_cast<short>(GetKeyState(VK_SHIFT) < 0 ? 1 : 0);
        arguments[1].vt = VT_I2 | VT_BYREF;
        arguments[1].piVal = &keyCode;
        point_.fire(DISPID_KEYDOWN, arguments);
        g_record += L"key returned " + std::to_wstring(keyCode) + L"\n";
    }

    void createWindow(HWND parent, LPCRECT place) {
        RECT area = place != nullptr ? *place : RECT{0, 0, 0, 0};
        window_ = CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                  area.left, area.top, area.right - area.left,
                                  area.bottom - area.top, parent, nullptr, g_module, nullptr);
        if (window_ == nullptr)
            return;
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetTimer(window_, kClockTimer, 50, nullptr);
        g_newestWindow = window_;
    }

    void destroyWindow() {
        if (window_ == nullptr)
            return;
        HWND window = window_;
        window_ = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        KillTimer(window, kClockTimer);
        if (g_newestWindow == window)
            g_newestWindow = nullptr;
        DestroyWindow(window);
    }

    friend class EventConnectionPoint;
    std::atomic<ULONG> references_{1};
    EventConnectionPoint point_;
    IOleClientSite* site_ = nullptr;
    HWND window_ = nullptr;
    SIZEL extent_{};
    std::wstring fileName_;
    const KnownClip* clip_ = nullptr;
    double startPosition_ = 0.0;
    ULONGLONG startTick_ = 0;
    long state_ = 0;
    long playCount_ = 1;
    long displaySize_ = 4;
    bool keyEvents_ = false;
};

ULONG EventConnectionPoint::AddRef() {
    return owner_->AddRef();
}
ULONG EventConnectionPoint::Release() {
    return owner_->Release();
}
HRESULT EventConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
    *out = owner_;
    owner_->AddRef();
    return S_OK;
}

}  // namespace

HRESULT createControl(REFIID iid, void** out) {
    auto* control = new StandInControl;
    const HRESULT result = control->QueryInterface(iid, out);
    control->Release();
    return result;
}

LRESULT CALLBACK controlWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return StandInControl::windowProcedure(window, message, wParam, lParam);
}

}  // namespace nwmp::stand_in
