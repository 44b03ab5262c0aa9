#include "platform/windows/player/win_platform_services.hpp"

#include <windows.h>

#include <stdexcept>

#include "platform/windows/player/command_line.hpp"
#include "platform/windows/player/hand_off.hpp"
#include "platform/windows/shared/display_units.hpp"
#include "platform/windows/shared/program_file.hpp"
#include "platform/windows/shared/wide_text.hpp"

namespace nwmp::windows_platform {

namespace {

// The long form is taken into a buffer of this many characters, as the player always has: a
// long form that needs it all (with its closing NUL) or more does not fit and opens nothing.
constexpr DWORD kLongPathBuffer = MAX_PATH;

bool isFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The program in the player's own folder, else the first on the search path.
std::wstring programPath(const std::wstring& fileName) {
    std::wstring path = programFolder() + L'\\' + fileName;
    if (isFile(path)) {
        return path;
    }
    const DWORD searchLength = GetEnvironmentVariableW(L"PATH", nullptr, 0);
    if (searchLength == 0) {
        return {};
    }
    std::wstring searchPath(searchLength, L'\0');
    GetEnvironmentVariableW(L"PATH", searchPath.data(), searchLength);
    std::wstring found(MAX_PATH * 4, L'\0');
    const DWORD length = SearchPathW(searchPath.c_str(), fileName.c_str(), nullptr,
                                     static_cast<DWORD>(found.size()), found.data(), nullptr);
    if (length == 0 || length >= found.size()) {
        return {};
    }
    found.resize(length);
    return found;
}

}  // namespace

WinPlatformServices::WinPlatformServices(bool previousInstance, std::function<void()> endProgram)
    : previousInstance_(previousInstance), endProgram_(std::move(endProgram)) {}

std::string WinPlatformServices::CommandLineText() const {
    return narrow(argumentText(GetCommandLineW()));
}

std::string WinPlatformServices::Unquote(std::string_view text) const {
    return narrow(unquoted(widen(text)));
}

std::optional<std::string> WinPlatformServices::LongPathName(std::string_view path) const {
    if (path.empty()) {
        return std::nullopt;
    }
    std::wstring buffer(kLongPathBuffer, L'\0');
    const DWORD length = GetLongPathNameW(widen(path).c_str(), buffer.data(), kLongPathBuffer);
    if (length == 0 || length >= kLongPathBuffer) {
        return std::nullopt;  // nothing by that name, or a long form that does not fit
    }
    buffer.resize(length);
    return narrow(buffer);
}

PlatformVersion WinPlatformServices::Version() const {
    // Without supportedOS entries in the manifest, Windows 8 and later report 6.2.
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExW(&info)) {
        throw std::runtime_error("the platform version is unknown");
    }
    return {info.dwMajorVersion, info.dwMinorVersion};
}

bool WinPlatformServices::CloseRunningPlayer(std::string_view title,
                                             std::chrono::milliseconds wait) {
    return closeRunningPlayer(widen(title), wait);
}

void WinPlatformServices::StartProgram(std::string_view programName) {
    const std::wstring path = programPath(widen(programName) + L".exe");
    if (path.empty()) {
        throw std::runtime_error("program not found");
    }
    std::wstring commandLine = L'"' + path + L'"';
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        throw std::runtime_error("program could not be started");
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

void WinPlatformServices::ShowPointer(bool show) {
    ShowCursor(show ? TRUE : FALSE);
}

double WinPlatformServices::ScreenWidthTwips() const {
    return screenWidthPixels() * twipsPerPixelX();
}

double WinPlatformServices::ScreenHeightTwips() const {
    return screenHeightPixels() * twipsPerPixelY();
}

double WinPlatformServices::TwipsPerPixelX() const {
    return twipsPerPixelX();
}

double WinPlatformServices::TwipsPerPixelY() const {
    return twipsPerPixelY();
}

void WinPlatformServices::EndProgram() {
    if (endProgram_) {
        endProgram_();
    } else {
        ExitProcess(0);
    }
}

}  // namespace nwmp::windows_platform
