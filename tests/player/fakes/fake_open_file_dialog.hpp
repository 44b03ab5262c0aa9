#pragma once

#include <string>
#include <vector>

#include "common/open_file_dialog.hpp"

namespace nwmp::testing {

class FakeOpenFileDialog : public OpenFileDialog {
  public:
    std::string answer;  // what the user chooses; empty text for cancel
    std::vector<WindowId> owners;
    std::string lastFilterText;

    std::string ShowOpenDialog(WindowId owner, std::string_view filterText) override {
        owners.push_back(owner);
        lastFilterText = filterText;
        return answer;
    }
};

}  // namespace nwmp::testing
