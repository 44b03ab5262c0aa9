#include "platform/windows/shared/win_open_file_dialog.hpp"

// windows.h comes before the other Windows headers.
// clang-format off
#include <windows.h>
#include <commdlg.h>
// clang-format on

#include <vector>

#include "platform/windows/shared/wide_text.hpp"

namespace nwmp::windows_platform {

std::string WinOpenFileDialog::ShowOpenDialog(WindowId owner, std::string_view filterText) {
    // The filter's NUL separators survive the conversion: each character converts on its own.
    std::wstring filter = widen(filterText);
    filter.push_back(L'\0');
    const std::wstring title = widen(kOpenDialogTitle);
    std::vector<wchar_t> file(kOpenDialogBufferLength, L'\0');

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = reinterpret_cast<HWND>(owner);
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetOpenFileNameW(&dialog)) {
        return {};
    }
    return narrow(file.data());
}

}  // namespace nwmp::windows_platform
