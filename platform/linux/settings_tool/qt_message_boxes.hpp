#pragma once

// The tool's messages as Qt message boxes: modal, one OK button, the icon asked for.

#include "settings_tool/message_boxes.hpp"

class QWidget;

namespace nwmp::linux_platform {

class QtMessageBoxes final : public MessageBoxes {
  public:
    // owner: the window the boxes belong to and are centred on; may be null.
    explicit QtMessageBoxes(QWidget* owner) : owner_(owner) {}

    void show(std::string_view title, std::string_view text, MessageIcon icon) override;

  private:
    QWidget* owner_;
};

}  // namespace nwmp::linux_platform
