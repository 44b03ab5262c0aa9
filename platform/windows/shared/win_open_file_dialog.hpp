#pragma once

// The open-file dialog on Win32, GetOpenFileNameW, for the tool's "..." button and the player's
// key O: titled "ファイルを開く", the first filter pair selected, only an existing file in an
// existing folder. A cancelled dialog gives empty text.

#include "common/open_file_dialog.hpp"

namespace nwmp::windows_platform {

class WinOpenFileDialog final : public OpenFileDialog {
  public:
    std::string ShowOpenDialog(WindowId owner, std::string_view filterText) override;
};

}  // namespace nwmp::windows_platform
