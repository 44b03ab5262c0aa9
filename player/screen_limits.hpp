#pragma once

// Where a window stored in the settings file may go: a size no screen can show is limited to the
// largest screen, and a window whose title bar would lie on no screen cannot be dragged back by
// its user, so it goes to its default place instead. Stored geometry comes from screens since
// removed, from hand-edited files and from older runs that stored whatever they measured.

#include <vector>

#include "player/main_window.hpp"

namespace nwmp {

// The title bar's height as far as reaching it with the pointer goes; a little less than any
// frame's, so a title bar half off the screen still counts as on it.
inline constexpr double kTitleBarReachTwips = 300;

// The outer size limited to the largest screen area, each side on its own; unchanged when the
// screens are not known.
double limitedWidth(double widthTwips, const std::vector<TwipsArea>& screens);
double limitedHeight(double heightTwips, const std::vector<TwipsArea>& screens);

// Whether the top strip of this outer rectangle (its title bar) meets at least one screen area;
// true when the screens are not known.
bool titleBarOnAScreen(const TwipsArea& outer, const std::vector<TwipsArea>& screens);

}  // namespace nwmp
