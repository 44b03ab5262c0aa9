#pragma once

// The open-file dialog that the player and the settings tool share, answering as told.

#include <string>
#include <vector>

#include "common/open_file_dialog.hpp"

namespace nwmp::testing {

class FakeOpenFileDialog : public OpenFileDialog {
  public:
    std::string answer;  // what the user chooses; empty text for cancel
    std::vector<WindowId> owners;
    std::vector<std::string> filters;  // the filter text of each showing

    std::string ShowOpenDialog(WindowId owner, std::string_view filterText) override {
        owners.push_back(owner);
        filters.emplace_back(filterText);
        return answer;
    }
};

}  // namespace nwmp::testing
