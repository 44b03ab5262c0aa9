#pragma once

// What the stand-in control and its COM server share. Test code only.

#include <windows.h>

#include <atomic>
#include <string>

namespace nwmp::stand_in {

inline constexpr CLSID kClsid = {
    0x22D6F312, 0xB0F6, 0x11D0, {0x94, 0xAB, 0x00, 0x80, 0xC7, 0x4C, 0x7E, 0x95}};
inline constexpr IID kEventsIid = {
    0x2D3A4C40, 0xE711, 0x11D0, {0x94, 0xAB, 0x00, 0x80, 0xC7, 0x4C, 0x7E, 0x95}};
inline constexpr wchar_t kClsidText[] = L"{22D6F312-B0F6-11D0-94AB-0080C74C7E95}";
inline constexpr wchar_t kProgId[] = L"MediaPlayerCtl.MediaPlayer";
inline constexpr wchar_t kWindowClass[] = L"NwmpStandInEngine";
inline constexpr UINT kFireStateMessage = WM_APP + 1;
inline constexpr UINT_PTR kClockTimer = 1;

inline HMODULE g_module = nullptr;
inline std::atomic<long> g_live{0};
inline std::atomic<long> g_locks{0};
inline std::wstring g_record;
inline long g_failNext = 0;
inline bool g_failArmed = false;
inline HWND g_newestWindow = nullptr;

// A new control, asked for the interface iid.
HRESULT createControl(REFIID iid, void** out);
LRESULT CALLBACK controlWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace nwmp::stand_in
