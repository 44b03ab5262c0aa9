#include "platform/windows/shared/program_file.hpp"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

namespace nwmp::windows_platform {

std::wstring programFilePath() {
    // A program may lie in a folder deeper than MAX_PATH; grow until the path fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            throw std::runtime_error("the program's own path is unknown");
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring programFolder() {
    std::wstring path = programFilePath();
    path.erase(std::min(path.size(), path.find_last_of(L"\\/")));
    return path;
}

}  // namespace nwmp::windows_platform
