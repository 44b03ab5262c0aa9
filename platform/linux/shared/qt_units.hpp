#pragma once

// Twips and pixels on a Qt screen. A twip is 1/1440 inch; the factors follow the primary
// screen's logical resolution and are read afresh at each use, since it can change at run time.

#include <QRect>
#include <vector>

namespace nwmp::linux_platform {

double twipsPerPixelX();
double twipsPerPixelY();

// The primary screen's geometry in pixels; 1024 x 768 when there is no screen at all.
QRect primaryScreenPixels();

// Each screen's whole area, panels included, in pixels.
std::vector<QRect> screenAreasPixels();

// Whether a window's place on the screen can be read and set. A Wayland client can do neither:
// the compositor alone places windows.
bool windowPlacesKnown();

// Twips to whole pixels and back, rounding halves to the even neighbour.
int pixelsX(double twips);
int pixelsY(double twips);

}  // namespace nwmp::linux_platform
