#pragma once

// One player with fakes all round, started as the platform starts it.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/settings_keys.hpp"
#include "fakes/every_edition.hpp"
#include "fakes/fake_main_window.hpp"
#include "fakes/fake_media_engine.hpp"
#include "fakes/fake_open_file_dialog.hpp"
#include "fakes/fake_platform_services.hpp"
#include "fakes/fake_url_dialog_window.hpp"
#include "fakes/memory_settings_file.hpp"
#include "player/editions/editions.hpp"
#include "player/nwmp.hpp"

namespace nwmp::testing {

struct PlayerRig {
    explicit PlayerRig(const EditionProfile& edition, std::string settingsText = {});

    // Form_Load, then shown: Form_Resize and the first Form_Activate, as the platform does.
    NWMP& start();
    std::int16_t press(char key) { return engine.raiseKeyDown(static_cast<std::int16_t>(key)); }
    std::string stored(std::string_view section, std::string_view key) const {
        return settings.value(section, key).value_or("<absent>");
    }

    const EditionProfile& profile;
    FakeMediaEngine engine;
    MemorySettingsFile settings;
    FakeMainWindow window;
    FakeUrlDialogWindow urlWindow;
    FakePlatformServices platform;
    FakeOpenFileDialog openDialog;
    std::unique_ptr<NWMP> player;
};

// "[Norvalent WMP 3]" with the given lines.
std::string switches(std::string_view lines);

}  // namespace nwmp::testing
