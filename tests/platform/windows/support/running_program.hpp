#pragma once

// The programs a Windows test starts: built programs copied into folders of their own, as an
// installation leaves them, and the processes running them. Folders go with everything in them
// and processes still running are ended when their objects go.

#include <windows.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/windows/shared/wide_text.hpp"
#include "tests/common/temp_folder.hpp"

namespace nwmp::windows_testing {

// A built program's path as the programs under Wine see it.
inline std::wstring builtPath(const char* built) {
    std::wstring path = windows_platform::widen(built);
    for (wchar_t& c : path) {
        c = c == L'/' ? L'\\' : c;
    }
    return L"Z:" + path;
}

// A folder of this name (blanks and Japanese welcome) in a temporary folder of its own.
class InstallFolder {
  public:
    explicit InstallFolder(const std::wstring& name) : path_((temp_.path() / name).wstring()) {
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    const std::wstring& path() const { return path_; }
    std::wstring settingsFile() const { return path_ + L"\\nwmpset.ini"; }
    // Copies the built program in as fileName; its path there, or nothing when it failed.
    std::wstring copy(const char* built, const std::wstring& fileName) const {
        const std::wstring path = path_ + L"\\" + fileName;
        return CopyFileW(builtPath(built).c_str(), path.c_str(), FALSE) ? path : std::wstring();
    }

  private:
    nwmp::testing::TempFolder temp_;
    std::wstring path_;
};

struct WindowSearch {
    DWORD process;
    const wchar_t* windowClass;
    bool visibleOnly;
    HWND found = nullptr;
};

// Of the system's calling convention, which a lambda does not have on 32-bit Windows.
inline BOOL CALLBACK findProcessWindow(HWND window, LPARAM context) {
    auto& s = *reinterpret_cast<WindowSearch*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (process == s.process && (!s.visibleOnly || IsWindowVisible(window)) &&
        std::wstring_view(name) == s.windowClass) {
        s.found = window;
        return FALSE;
    }
    return TRUE;
}

class RunningProgram {
  public:
    // Throws std::runtime_error when the program cannot be started.
    explicit RunningProgram(std::wstring commandLine, const std::wstring& folder = {}) {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.empty() ? nullptr : folder.c_str(), &startup, &process_)) {
            throw std::runtime_error("cannot start " + windows_platform::narrow(commandLine));
        }
    }
    ~RunningProgram() {
        if (!endsWithin(std::chrono::milliseconds(0))) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, 60000);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool endsWithin(std::chrono::milliseconds wait) const {
        return WaitForSingleObject(process_.hProcess, static_cast<DWORD>(wait.count())) ==
               WAIT_OBJECT_0;
    }
    DWORD exitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }
    // The process's first top-level window of the class, now.
    HWND topWindow(const wchar_t* windowClass, bool visibleOnly = false) const {
        WindowSearch search{process_.dwProcessId, windowClass, visibleOnly};
        EnumWindows(findProcessWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

  private:
    PROCESS_INFORMATION process_{};
};

}  // namespace nwmp::windows_testing
