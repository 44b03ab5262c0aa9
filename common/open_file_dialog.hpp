#pragma once

// ShowOpenDialog: the open-file dialog both programs use.
//
// The filter travels as the dialog has always taken it: description, NUL, pattern, NUL, ... and
// one more NUL closing the list. The dialog is titled "ファイルを開く", selects the first pair,
// accepts only an existing file in an existing folder, and gives back the complete path of the
// chosen file, or empty text when the user cancels or the dialog fails.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nwmp {

inline constexpr std::string_view kOpenDialogTitle = "ファイルを開く";

// The longest path the dialog can give back; a longer choice counts as a failure.
inline constexpr std::size_t kOpenDialogBufferLength = 250;

// Opaque handle of the window that owns the dialog; its meaning belongs to the platform.
using WindowId = std::uintptr_t;

struct FileFilter {
    std::string_view description;
    std::string_view pattern;  // patterns separated by ';', e.g. "*.mpg;*.mpeg"
};

struct ParsedFileFilter {
    std::string description;
    std::vector<std::string> patterns;
};

// "description\0pattern\0...\0" closed by one more NUL.
std::string buildFilterText(const std::vector<FileFilter>& filters);

// The pairs of a filter text; stops at the closing NUL, an unpaired description is dropped.
std::vector<ParsedFileFilter> parseFilterText(std::string_view filterText);

class OpenFileDialog {
  public:
    virtual ~OpenFileDialog() = default;
    virtual std::string ShowOpenDialog(WindowId owner, std::string_view filterText) = 0;
};

}  // namespace nwmp
