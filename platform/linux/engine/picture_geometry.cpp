#include "platform/linux/engine/picture_geometry.hpp"

#include <algorithm>
#include <cmath>

#include "player/media_engine.hpp"

namespace nwmp::engine {

namespace {

// The video fitted into a box of the given fraction of the screen's area, keeping its shape.
PixelExtent fitToScreenFraction(PixelExtent video, PixelExtent screen, double areaFraction) {
    const double side = std::sqrt(areaFraction);
    const double scale =
        std::min(screen.width * side / video.width, screen.height * side / video.height);
    return {static_cast<int>(std::lround(video.width * scale)),
            static_cast<int>(std::lround(video.height * scale))};
}

}  // namespace

std::optional<PixelExtent> pictureSize(std::int32_t displaySize, PixelExtent video,
                                       PixelExtent screen) {
    if (video.empty()) {
        return std::nullopt;
    }
    switch (displaySize) {
        case kDisplayOwnSize:
            return video;
        case kDisplayHalfSize:
            return PixelExtent{std::max(1, video.width / 2), std::max(1, video.height / 2)};
        case kDisplayDoubleSize:
            return PixelExtent{video.width * 2, video.height * 2};
        case kDisplaySixteenthScreen:
        case kDisplayQuarterScreen:
        case kDisplayHalfScreen:
            if (screen.empty()) {
                return std::nullopt;
            }
            return fitToScreenFraction(video, screen,
                                       displaySize == kDisplaySixteenthScreen ? 1.0 / 16
                                       : displaySize == kDisplayQuarterScreen ? 1.0 / 4
                                                                              : 1.0 / 2);
        default:
            return std::nullopt;
    }
}

PixelRect picturePlacement(std::int32_t displaySize, PixelExtent video, PixelExtent screen,
                           PixelExtent area) {
    const int areaWidth = std::max(0, area.width);
    const int areaHeight = std::max(0, area.height);
    const auto picture = pictureSize(displaySize, video, screen);
    if (!picture) {
        return {0, 0, areaWidth, areaHeight};
    }
    const int width = std::min(picture->width, areaWidth);
    const int height = std::min(picture->height, areaHeight);
    return {(areaWidth - width) / 2, (areaHeight - height) / 2, width, height};
}

std::optional<PixelExtent> autoSizePicture(std::int32_t displaySize, PixelExtent video,
                                           PixelExtent screen) {
    if (video.empty() || displaySize == kDisplayFullScreen) {
        return std::nullopt;
    }
    if (displaySize == kDisplayFitToControl) {
        return video;
    }
    return pictureSize(displaySize, video, screen);
}

}  // namespace nwmp::engine
