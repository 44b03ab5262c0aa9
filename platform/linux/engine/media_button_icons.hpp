#pragma once

// The control bar's button pictures, drawn here in the palette's text colours. The style's own
// media icons come from image files, and reading them makes Qt load every image format it has
// (GIF, JPEG, ICO and their libraries) to ask each whether it knows the file: memory a player
// keeps for its whole run for seven small shapes. They were also dark grey whatever the palette.

#include <QtGui/QIcon>
#include <QtGui/QPalette>

namespace nwmp::engine {

enum class MediaGlyph { Play, Pause, Stop, SkipBack, SeekBack, SeekForward, SkipForward };

// The glyph at size x size (logical pixels) for a screen of the given device pixel ratio: the
// palette's text colour, and for a button that cannot act a colour between text and window.
QIcon mediaIcon(MediaGlyph glyph, int size, const QPalette& palette, qreal ratio);

}  // namespace nwmp::engine
