#pragma once

// Twips and pixels worked out apart from the code under test, from the primary screen's logical
// resolution, halves to the even neighbour (the default rounding mode): a fault in the programs'
// own conversion cannot hide in the expectation.

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <cmath>

namespace nwmp::linux_platform::testing {

inline double twipsOfPixelsX(double pixels) {
    return pixels * 1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInchX();
}
inline double twipsOfPixelsY(double pixels) {
    return pixels * 1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInchY();
}
inline int expectedPixelsX(double twips) {
    return static_cast<int>(std::nearbyint(twips / twipsOfPixelsX(1)));
}
inline int expectedPixelsY(double twips) {
    return static_cast<int>(std::nearbyint(twips / twipsOfPixelsY(1)));
}

// Any rectangle of twips with left, top, width and height.
template <typename TwipsRectangle>
QRect expectedPixels(const TwipsRectangle& twips) {
    return QRect(expectedPixelsX(twips.left), expectedPixelsY(twips.top),
                 expectedPixelsX(twips.width), expectedPixelsY(twips.height));
}

}  // namespace nwmp::linux_platform::testing
