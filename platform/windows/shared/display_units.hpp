#pragma once

// Twips per pixel and the primary screen's size, read afresh at each use: the programs declare
// system dots-per-inch awareness, so these follow the display's setting, not a fixed 96.

namespace nwmp::windows_platform {

double twipsPerPixelX();
double twipsPerPixelY();

int screenWidthPixels();
int screenHeightPixels();

}  // namespace nwmp::windows_platform
