// Window placement: stacking, stored and default size, and keeping window, engine control and
// Label1 fitted to each other.

#include "common/numbers.hpp"
#include "common/settings_keys.hpp"
#include "player/handler_guard.hpp"
#include "player/nwmp.hpp"
#include "player/screen_limits.hpp"

namespace nwmp {

namespace {

class NegativeSize : public std::range_error {
  public:
    NegativeSize() : std::range_error("window too small for the engine control") {}
};

double notNegative(double twips) {
    if (twips < 0) {
        throw NegativeSize();
    }
    return twips;
}

}  // namespace

void NWMP::AlwaysBefore(std::int16_t topmost) {
    const double perPixelX = platform_.TwipsPerPixelX();
    const double perPixelY = platform_.TwipsPerPixelY();
    const PixelRect outer{toInt32(window_.Left() / perPixelX), toInt32(window_.Top() / perPixelY),
                          toInt32(window_.Width() / perPixelX),
                          toInt32(window_.Height() / perPixelY)};
    // An edition without the not-topmost step is always topmost.
    window_.ApplyStacking(topmost == kTrue || !profile_.features.notTopmostStep, outer);
}

StoredGeometry NWMP::iniRead2() const {
    const ScreenDefaults defaults = profile_.screenDefaults.value();
    return {settings_.readInt(kScreenSection, kHeightKey, defaults.height),
            settings_.readInt(kScreenSection, kWidthKey, defaults.width),
            settings_.readInt(kScreenSection, kTopKey, defaults.top),
            settings_.readInt(kScreenSection, kLeftKey, defaults.left)};
}

void NWMP::WindowValue() {
    const StoredGeometry stored = iniRead2();
    const std::vector<TwipsArea> screens = window_.ScreenAreas();
    const double width = limitedWidth(stored.width * platform_.TwipsPerPixelX(), screens);
    const double height = limitedHeight(stored.height * platform_.TwipsPerPixelY(), screens);
    window_.SetWidth(width);
    window_.SetHeight(height);
    // Top and Left are stored in twips already. A window its user could not drag back by its
    // title bar goes where the design puts it.
    double top = stored.top;
    double left = stored.left;
    if (!titleBarOnAScreen({left, top, width, height}, screens)) {
        top = profile_.window.client.top;
        left = profile_.window.client.left;
    }
    window_.SetTop(top);
    window_.SetLeft(left);
}

void NWMP::defaultSize() {
    const PixelSize size = profile_.defaultSize.value();
    window_.SetWidth(size.width * platform_.TwipsPerPixelX());
    window_.SetHeight(size.height * platform_.TwipsPerPixelY());
}

double NWMP::verticalAllowance() const {
    const FrameAllowances& allowances = profile_.allowances.value();
    return flags_.classicFrame == 1 ? allowances.verticalClassic : allowances.vertical;
}

void NWMP::fitToVideo() {
    engine_.SetAutoSize(true);
    window_.SetHeight(engine_.Height() + verticalAllowance());
    window_.SetWidth(engine_.Width() + profile_.allowances.value().horizontal);
}

void NWMP::fitControlToWindow() {
    engine_.SetHeight(notNegative(window_.Height() - verticalAllowance()));
    engine_.SetWidth(notNegative(window_.Width() - profile_.allowances.value().horizontal));
}

void NWMP::Form_Resize() noexcept {
    runQuietly([this] {
        // Keys reach the player only through the engine control, so it takes the focus at
        // every size change; a hidden window cannot give it.
        if (!window_.Visible()) {
            return;
        }
        engine_.SetFocus();
        if (!profile_.features.resizeFits) {
            return;
        }
        if (flags_.originalFit == 1) {
            fitToVideo();
        } else {
            fitControlToWindow();
        }
        const double labelHeight = notNegative(engine_.Height() - kControlBarAllowance);
        window_.SetLabel1Size(engine_.Width(), labelHeight);
    });
}

}  // namespace nwmp
