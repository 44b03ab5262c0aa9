#include "platform/windows/programs/run_player.hpp"

#include <windows.h>
// After windows.h:
#include <ole2.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "common/located_settings_file.hpp"
#include "platform/windows/engine/control_media_engine.hpp"
#include "platform/windows/player/player_presence.hpp"
#include "platform/windows/player/win_main_window.hpp"
#include "platform/windows/player/win_platform_services.hpp"
#include "platform/windows/player/win_url_dialog.hpp"
#include "platform/windows/shared/wide_text.hpp"
#include "platform/windows/shared/win_open_file_dialog.hpp"
#include "player/nwmp.hpp"

namespace nwmp::windows_platform {

namespace {

// The control's apartment: it and every window of the player live on this one thread.
class OleApartment {
  public:
    OleApartment() : ready_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleApartment() {
        if (ready_) {
            OleUninitialize();
        }
    }
    OleApartment(const OleApartment&) = delete;
    OleApartment& operator=(const OleApartment&) = delete;
    bool ready() const { return ready_; }

  private:
    bool ready_;
};

void say(const EditionProfile& profile, std::string_view message) {
    MessageBoxW(nullptr, widen(message).c_str(), widen(profile.applicationTitle).c_str(),
                MB_OK | MB_ICONERROR | MB_TOPMOST);
}

// The windows handle their own dialog keys (the URL dialog's Tab and Enter), so the loop is the
// plain one.
int runMessages() {
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got < 0 ? 1 : static_cast<int>(message.wParam);
}

}  // namespace

int runPlayer(const EditionProfile& profile) {
    OleApartment apartment;
    // Until this start has its windows and has handed off, a start at the same moment waits, so
    // that each later start finds and replaces an earlier one.
    std::optional<PlayerPresence> presence(std::in_place);
    const bool previousInstance = presence->previousInstance();

    // A start that cannot have its windows or its engine says why and ends before it has read
    // or written anything; the next start need not wait for it.
    const auto fail = [&](std::string_view message) {
        presence.reset();
        say(profile, message);
        return 1;
    };
    std::unique_ptr<WinMainWindow> windowOwner;
    std::unique_ptr<windows::ControlMediaEngine> engine;
    std::unique_ptr<WinUrlDialog> urlDialog;
    try {
        windowOwner = std::make_unique<WinMainWindow>(profile);
    } catch (const std::runtime_error&) {
        return fail(kWindowFailedMessage);
    }
    WinMainWindow& window = *windowOwner;
    try {
        if (!apartment.ready()) {
            throw EngineError("no OLE apartment");
        }
        engine = std::make_unique<windows::ControlMediaEngine>(window.handle(), profile.controlBar);
    } catch (const EngineError& error) {
        return fail(windows::engineFailureMessage(error));
    }
    window.setEngineWindow(engine->window());

    if (profile.window.hasUrlDialog) {
        try {
            urlDialog = std::make_unique<WinUrlDialog>();
        } catch (const std::runtime_error&) {
            return fail(kWindowFailedMessage);
        }
    }
    LocatedSettingsFile settings;
    WinOpenFileDialog openFileDialog;

    bool ending = false;
    const auto end = [&ending] {
        if (!ending) {
            ending = true;
            PostQuitMessage(0);
        }
    };
    WinPlatformServices services(previousInstance, end);

    int status = 0;
    {
        NWMP core(profile,
                  PlayerPorts{
                      .engine = *engine,
                      .settings = settings,
                      .window = window,
                      .platform = services,
                      .urlWindow = urlDialog.get(),
                      .openFileDialog = profile.features.openFileDialog ? &openFileDialog : nullptr,
                  });
        engine->setEventSink(&core);
        window.setCore(&core);
        window.setOnClosed(end);
        if (urlDialog) {
            urlDialog->setCore(core.Url());
            window.setUrlDialog(urlDialog.get());
        }

        core.Form_Load();
        window.show();
        presence->startupDone();
        status = runMessages();

        // Nothing of the core may run once it is gone: events still queued find no handler.
        engine->setEventSink(nullptr);
        window.setCore(nullptr);
        if (urlDialog) {
            urlDialog->setCore(nullptr);
        }
    }
    engine.reset();
    return status;
}

}  // namespace nwmp::windows_platform
