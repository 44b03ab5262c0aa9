#pragma once

// One settings tool window over fakes of all its ports.

#include <algorithm>
#include <string>

#include "fakes/fake_tool_services.hpp"
#include "fakes/fake_tool_view.hpp"

namespace nwmp::testing {

struct ToolHarness {
    explicit ToolHarness(std::string fileText = {}) : file(std::move(fileText)) {}

    Journal journal;
    MemorySettingsFile file;
    JournalingSettingsFile settings{file, journal};
    FakeToolView view{journal};
    FakeMessageBoxes messages{journal};
    FakeToolProcess process{journal};
    FakeToolFolder folder;
    FakeFileAssociation association;
    FakeOpenFileDialog dialog;
    NWMPset form{{view, messages, process, folder, settings, association, dialog}};

    std::string keptValue(std::string_view key) const {
        return file.value(kKeepConnectSection, key).value_or("(absent)");
    }
    // Position of the first journal entry, or the journal's size when there is none.
    std::size_t at(std::string_view entry) const {
        return static_cast<std::size_t>(std::find(journal.begin(), journal.end(), entry) -
                                        journal.begin());
    }
};

}  // namespace nwmp::testing
