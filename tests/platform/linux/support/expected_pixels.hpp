#pragma once

// Twips to pixels worked out apart from the code under test: from the primary screen's logical
// resolution, halves to the even neighbour (the default rounding mode), so that a fault in the
// programs' own conversion does not hide in the expectation.

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <cmath>

namespace nwmp::linux_platform::testing {

// Pixels to twips, for sizes that the test gives in pixels.
inline double twipsOfPixelsX(int pixels) {
    return pixels * 1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInchX();
}

inline double twipsOfPixelsY(int pixels) {
    return pixels * 1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInchY();
}

inline int expectedPixelsX(double twips) {
    const double perPixel = 1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    return static_cast<int>(std::nearbyint(twips / perPixel));
}

inline int expectedPixelsY(double twips) {
    const double perPixel = 1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInchY();
    return static_cast<int>(std::nearbyint(twips / perPixel));
}

// Any rectangle of twips with left, top, width and height.
template <typename TwipsRectangle>
QRect expectedPixels(const TwipsRectangle& twips) {
    return QRect(expectedPixelsX(twips.left), expectedPixelsY(twips.top),
                 expectedPixelsX(twips.width), expectedPixelsY(twips.height));
}

}  // namespace nwmp::linux_platform::testing
