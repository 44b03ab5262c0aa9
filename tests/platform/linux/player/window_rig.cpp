#include "window_rig.hpp"

#include <QTest>

#include "platform/linux/shared/qt_units.hpp"

namespace nwmp::linux_platform::testing {

void WidgetEngine::SetLeft(double twips) {
    FakeMediaEngine::SetLeft(twips);
    control_->move(pixelsX(twips), control_->y());
}

void WidgetEngine::SetTop(double twips) {
    FakeMediaEngine::SetTop(twips);
    control_->move(control_->x(), pixelsY(twips));
}

void WidgetEngine::SetWidth(double twips) {
    FakeMediaEngine::SetWidth(twips);
    control_->resize(pixelsX(twips), control_->height());
}

void WidgetEngine::SetHeight(double twips) {
    FakeMediaEngine::SetHeight(twips);
    control_->resize(control_->width(), pixelsY(twips));
}

void WidgetEngine::SetFocus() {
    FakeMediaEngine::SetFocus();
    control_->setFocus();
}

WindowRig::WindowRig(const EditionProfile& edition, std::string settingsText)
    : profile(edition), control(new QWidget), engine(control) {
    control->setFocusPolicy(Qt::StrongFocus);
    settings.content = std::move(settingsText);
    // The platform's measures are the real screen's, so that the core and the window agree.
    platform.twipsPerPixelX = twipsPerPixelX();
    platform.twipsPerPixelY = twipsPerPixelY();
    platform.screenWidth = primaryScreenPixels().width() * twipsPerPixelX();
    platform.screenHeight = primaryScreenPixels().height() * twipsPerPixelY();
    engine.width = control->width() * twipsPerPixelX();
    engine.height = control->height() * twipsPerPixelY();

    window = std::make_unique<QtMainWindow>(profile, control.data());
    if (profile.window.hasUrlDialog) {
        urlDialog = std::make_unique<LazyUrlDialog>();
    }
    core = std::make_unique<NWMP>(profile, PlayerPorts{
                                               .engine = engine,
                                               .settings = settings,
                                               .window = *window,
                                               .platform = platform,
                                               .urlWindow = urlDialog.get(),
                                           });
    window->setCore(core.get());
    if (urlDialog) {
        urlDialog->setCore(core->Url());
        urlDialog->setOnActivated([this] { window->noteUrlDialogActive(); });
    }
}

WindowRig::~WindowRig() {
    window->setCore(nullptr);
    if (urlDialog) {
        urlDialog->setCore(nullptr);
    }
    core.reset();
    window.reset();
    delete control.data();  // only when the window did not take it along
}

bool WindowRig::start() {
    core->Form_Load();
    window->show();
    return QTest::qWaitForWindowExposed(window.get(), 5000);
}

}  // namespace nwmp::linux_platform::testing
