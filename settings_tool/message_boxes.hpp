#pragma once

// Modal message boxes with one OK button. show() returns once the user has dismissed the box.

#include <string_view>

namespace nwmp {

enum class MessageIcon {
    None,
    Information,
    Warning,  // for failures and refused input
};

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual void show(std::string_view title, std::string_view text, MessageIcon icon) = 0;
};

}  // namespace nwmp
