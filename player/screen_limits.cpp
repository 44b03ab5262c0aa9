#include "player/screen_limits.hpp"

#include <algorithm>

namespace nwmp {

namespace {

bool meets(const TwipsArea& a, const TwipsArea& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

}  // namespace

double limitedWidth(double widthTwips, const std::vector<TwipsArea>& screens) {
    if (screens.empty()) {
        return widthTwips;
    }
    const auto widest =
        std::max_element(screens.begin(), screens.end(),
                         [](const TwipsArea& a, const TwipsArea& b) { return a.width < b.width; });
    return std::min(widthTwips, widest->width + 2 * kHiddenBorderTwips);
}

double limitedHeight(double heightTwips, const std::vector<TwipsArea>& screens) {
    if (screens.empty()) {
        return heightTwips;
    }
    const auto tallest = std::max_element(
        screens.begin(), screens.end(),
        [](const TwipsArea& a, const TwipsArea& b) { return a.height < b.height; });
    return std::min(heightTwips, tallest->height + 2 * kHiddenBorderTwips);
}

bool titleBarOnAScreen(const TwipsArea& outer, const std::vector<TwipsArea>& screens) {
    if (screens.empty()) {
        return true;
    }
    // A window too small to have a title bar of this height still has its top edge to grab.
    const TwipsArea titleBar{outer.left, outer.top, std::max(outer.width, 1.0),
                             std::clamp(outer.height, 1.0, kTitleBarReachTwips)};
    return std::any_of(screens.begin(), screens.end(),
                       [&](const TwipsArea& screen) { return meets(titleBar, screen); });
}

}  // namespace nwmp
