#include "platform/windows/settings_tool/win_program_folder.hpp"

#include <windows.h>

#include <vector>

#include "platform/windows/association/utf16_text.hpp"

namespace nwmp::windows_platform {

using association::toUtf8;

std::string WinProgramFolder::path() const {
    std::vector<wchar_t> file(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, file.data(), static_cast<DWORD>(file.size()));
        if (length == 0) {
            return ".";
        }
        if (length < file.size()) {
            std::wstring path(file.data(), length);
            const std::size_t slash = path.find_last_of(L"\\/");
            if (slash == std::wstring::npos) {
                return ".";
            }
            // A drive's root keeps its closing backslash off: "C:" + "\" + name still names it.
            return toUtf8(path.substr(0, slash));
        }
        file.resize(file.size() * 2);  // a long path beyond MAX_PATH
    }
}

std::string WinProgramFolder::join(std::string_view folder, std::string_view name) const {
    return std::string(folder) + "\\" + std::string(name);
}

}  // namespace nwmp::windows_platform
