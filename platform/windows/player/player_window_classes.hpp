#pragma once

// The window classes a running player registers. The hand-off counts only windows of these
// classes, so its close request never reaches another program that happens to carry the
// searched title (an empty title most of all).

#include <string_view>

namespace nwmp::windows_platform {

// The hidden top-level window that carries the application title for the whole run.
inline constexpr wchar_t kApplicationWindowClass[] = L"NorvalentWMP3.Application";
// The main window NWMP.
inline constexpr wchar_t kMainWindowClass[] = L"NorvalentWMP3.NWMP";

inline bool isPlayerWindowClass(std::wstring_view className) {
    return className == kApplicationWindowClass || className == kMainWindowClass;
}

}  // namespace nwmp::windows_platform
