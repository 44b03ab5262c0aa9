#pragma once

// Where the engine control shows the picture for each display size, and the size the control
// takes when it sizes itself to the picture. Pure arithmetic on pixel sizes, kept apart from the
// widgets so that it is tested on its own.

#include <cstdint>
#include <optional>

namespace nwmp::engine {

struct PixelExtent {
    int width = 0;
    int height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
    bool operator==(const PixelExtent&) const = default;
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};

// The picture's size at a display size: the video's own size, half or twice it, or the video
// fitted (keeping its shape) into a box of one sixteenth, one quarter or one half of the
// screen's area. Nothing for the display sizes that follow the control or the screen (3 and 4)
// or when the video's size is not known.
std::optional<PixelExtent> pictureSize(std::int32_t displaySize, PixelExtent video,
                                       PixelExtent screen);

// The part of the picture area the video is drawn into: the picture size centred and clipped to
// the area, or the whole area where the picture follows it (mpv keeps the video's shape inside).
PixelRect picturePlacement(std::int32_t displaySize, PixelExtent video, PixelExtent screen,
                           PixelExtent area);

// The picture area the control needs under auto size: the picture size, or the video's own size
// for the display size that follows the control; nothing when the control keeps its size
// (entire screen, no picture).
std::optional<PixelExtent> autoSizePicture(std::int32_t displaySize, PixelExtent video,
                                           PixelExtent screen);

}  // namespace nwmp::engine
