#pragma once

// One player core on the real Qt windows: QtMainWindow with a plain widget standing in for the
// engine control, QtUrlDialog, and fakes for the engine, the settings file and the platform.

#include <QPointer>
#include <QWidget>
#include <chrono>
#include <memory>
#include <string>

#include "fakes/fake_media_engine.hpp"
#include "fakes/memory_settings_file.hpp"
#include "platform/linux/player/lazy_url_dialog.hpp"
#include "platform/linux/player/qt_main_window.hpp"
#include "player/fakes/fake_platform_services.hpp"
#include "player/nwmp.hpp"
#include "tests/platform/linux/support/wait_for.hpp"

namespace nwmp::linux_platform::testing {

using namespace std::chrono_literals;

// The fake engine whose control is a real widget: the sizes the core gives the control are
// carried out on the widget, and the focus goes to it, as the real engine does.
class WidgetEngine final : public nwmp::testing::FakeMediaEngine {
  public:
    explicit WidgetEngine(QWidget* control) : control_(control) {}

    void SetLeft(double twips) override;
    void SetTop(double twips) override;
    void SetWidth(double twips) override;
    void SetHeight(double twips) override;
    void SetFocus() override;

  private:
    QPointer<QWidget> control_;
};

struct WindowRig {
    explicit WindowRig(const EditionProfile& edition, std::string settingsText = {});
    ~WindowRig();
    WindowRig(const WindowRig&) = delete;
    WindowRig& operator=(const WindowRig&) = delete;

    // Form_Load, then shown, as the program does; waits until the window is on the screen.
    bool start();
    // The key reaching the core as the engine reports it; returns the code after handling.
    std::int16_t press(std::int16_t keyCode) {
        engine.raiseKeyDown(keyCode, 0);
        return keyCode;
    }

    const EditionProfile& profile;
    QPointer<QWidget> control;
    WidgetEngine engine;
    nwmp::testing::MemorySettingsFile settings;
    nwmp::testing::FakePlatformServices platform;
    std::unique_ptr<LazyUrlDialog> urlDialog;
    std::unique_ptr<QtMainWindow> window;
    std::unique_ptr<NWMP> core;
};

}  // namespace nwmp::linux_platform::testing
