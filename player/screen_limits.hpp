#pragma once

// Where a window stored in the settings file may go: a size no screen can show is limited to the
// largest screen, and a window whose title bar would lie on no screen cannot be dragged back by
// its user, so it goes to its default place instead. Stored geometry comes from screens since
// removed, from hand-edited files and from older runs that stored whatever they measured.
//
// Screens are whole screens, panels included: a window the user left under a panel, or at the
// place 0, 0 that a first start reads, can be reached there, and a maximised window's outer
// rectangle is its work area plus the frame's invisible borders, which a work area would cut.

#include <vector>

#include "player/main_window.hpp"

namespace nwmp {

// The title bar's height as far as reaching it with the pointer goes; a little less than any
// frame's, so a title bar half off the screen still counts as on it.
inline constexpr double kTitleBarReachTwips = 300;

// How far a maximised window's outer rectangle reaches past its screen on each side: its frame's
// invisible borders (8 pixels at 96 dots per inch on Windows), with some room for other frames.
inline constexpr double kHiddenBorderTwips = 150;

// The outer size limited to the largest screen area and the hidden borders on both sides, each
// side on its own; unchanged when the screens are not known.
double limitedWidth(double widthTwips, const std::vector<TwipsArea>& screens);
double limitedHeight(double heightTwips, const std::vector<TwipsArea>& screens);

// Whether the top strip of this outer rectangle (its title bar) meets at least one screen area;
// true when the screens are not known.
bool titleBarOnAScreen(const TwipsArea& outer, const std::vector<TwipsArea>& screens);

}  // namespace nwmp
