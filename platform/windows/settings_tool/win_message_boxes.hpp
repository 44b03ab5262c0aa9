#pragma once

// The settings tool's message boxes on Win32: MessageBoxW with one OK button, owned by the
// tool's window once it is on the screen.

#include <windows.h>

#include <functional>
#include <string>

#include "settings_tool/message_boxes.hpp"

namespace nwmp::windows_platform {

class WinMessageBoxes final : public MessageBoxes {
  public:
    explicit WinMessageBoxes(std::function<HWND()> owner) : owner_(std::move(owner)) {}

    // A failure message gets this text added, when it gives any: what the user can do about it.
    void setFailureNote(std::function<std::string()> note) { failureNote_ = std::move(note); }

    void show(std::string_view title, std::string_view text, MessageIcon icon) override;

  private:
    std::function<HWND()> owner_;
    std::function<std::string()> failureNote_;
};

}  // namespace nwmp::windows_platform
