// The stand-in control's COM server: its class factory, its registration in the Wine prefix,
// and what tests may ask of it beside COM. Test code only.

// A COM object is destroyed by its own Release, never through an interface pointer.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

#include <olectl.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "stand_in_control.h"
#include "stand_in_state.hpp"

using namespace nwmp::stand_in;

namespace {

class Factory final : public IClassFactory {
  public:
    HRESULT __stdcall QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG __stdcall AddRef() override { return 2; }
    ULONG __stdcall Release() override { return 1; }
    HRESULT __stdcall CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        *out = nullptr;
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        return createControl(iid, out);
    }
    HRESULT __stdcall LockServer(BOOL lock) override {
        lock ? ++g_locks : --g_locks;
        return S_OK;
    }
};
Factory g_factory;

bool underWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool setValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG status =
        RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = controlWindowProcedure;
        windowClass.hInstance = instance;
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        windowClass.lpszClassName = kWindowClass;
        RegisterClassW(&windowClass);
    }
    return TRUE;
}

HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (clsid != kClsid) {
        *out = nullptr;
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return g_factory.QueryInterface(iid, out);
}

HRESULT __stdcall DllCanUnloadNow() {
    return g_live == 0 && g_locks == 0 ? S_OK : S_FALSE;
}

HRESULT __stdcall DllRegisterServer() {
    if (!underWine())
        return E_ACCESSDENIED;
    wchar_t path[MAX_PATH];
    if (GetModuleFileNameW(g_module, path, MAX_PATH) == 0)
        return SELFREG_E_CLASS;
    const std::wstring clsidKey = std::wstring(L"CLSID\\") + kClsidText;
    const bool done = setValue(std::wstring(kProgId) + L"\\CLSID", nullptr, kClsidText) &&
                      setValue(clsidKey + L"\\InprocServer32", nullptr, path) &&
                      setValue(clsidKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
                      setValue(clsidKey + L"\\ProgID", nullptr, kProgId);
    return done ? S_OK : SELFREG_E_CLASS;
}

HRESULT __stdcall DllUnregisterServer() {
    if (!underWine())
        return E_ACCESSDENIED;
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + kClsidText).c_str());
    return S_OK;
}

int __stdcall StandInCallRecord(wchar_t* buffer, int capacity) {
    if (buffer != nullptr && capacity > 0) {
        const size_t count = std::min<size_t>(g_record.size(), static_cast<size_t>(capacity - 1));
        std::memcpy(buffer, g_record.data(), count * sizeof(wchar_t));
        buffer[count] = L'\0';
    }
    return static_cast<int>(g_record.size());
}

void __stdcall StandInClearRecord() {
    g_record.clear();
}

void __stdcall StandInFailNext(long dispid) {
    g_failNext = dispid;
    g_failArmed = true;
}

long __stdcall StandInLiveObjects() {
    return g_live;
}

HWND __stdcall StandInControlWindow() {
    return g_newestWindow;
}
}
