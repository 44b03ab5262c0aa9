#pragma once

// The open-file dialog's filters (key D), in the order the dialog offers them; the first is
// selected when it opens.

#include <array>

#include "common/open_file_dialog.hpp"

namespace nwmp {

inline constexpr std::array<FileFilter, 5> kOpenMediaFilters = {{
    {"メディアファイル (すべての種類)",
     "*.avi;*.asf;*.asx;*.mid;*.mov;*.mp3;*.mpg;*.wav;*.wma;*.wmv;*.wvx"},
    {"Windows ビデオ ファイル (*.avi)", "*.avi"},
    {"ムービーファイル (*.mpg)", "*.mpg;*.mpeg"},
    {"Windows Media ファイル (*.asf;*.wmv;)", "*.asf;*.wmv"},
    {"すべてのファイル", "*.*"},
}};

}  // namespace nwmp
