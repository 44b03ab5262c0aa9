#include "platform/windows/shared/display_units.hpp"

#include <windows.h>

namespace nwmp::windows_platform {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr int kStandardDotsPerInch = 96;

int screenDotsPerInch(int axis) {
    HDC screen = GetDC(nullptr);
    int dots = screen != nullptr ? GetDeviceCaps(screen, axis) : 0;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dots > 0 ? dots : kStandardDotsPerInch;
}

}  // namespace

double twipsPerPixelX() {
    return kTwipsPerInch / screenDotsPerInch(LOGPIXELSX);
}

double twipsPerPixelY() {
    return kTwipsPerInch / screenDotsPerInch(LOGPIXELSY);
}

int screenWidthPixels() {
    return GetSystemMetrics(SM_CXSCREEN);
}

int screenHeightPixels() {
    return GetSystemMetrics(SM_CYSCREEN);
}

}  // namespace nwmp::windows_platform
