#pragma once

// Linux file names are bytes, in whatever encoding the disc, archive or backup they came from
// used: Japanese users meet code page 932 names every day. A path travels through the player as
// those bytes (command line, drop, dialog, engine, settings file) and is decoded only where a
// person reads it.

#include <QString>
#include <string>
#include <string_view>

class QUrl;

namespace nwmp::linux_platform {

// The program's arguments after its name, joined by blanks, as the bytes the system gave.
// Remembered once, after QApplication has taken its own options out of argv.
void rememberArguments(int argc, char** argv);
std::string rememberedArguments();

// The bytes of a local file URL's path (percent escapes decoded byte by byte, so an escape that
// is no UTF-8 stays the byte it names); empty when the URL names no local file.
std::string localFileBytes(const QUrl& url);

// The real bytes of a path that Qt has decoded for display (a file chooser's answer): each
// component that does not exist as Qt encodes it is looked up among its folder's entries by its
// decoded name. Unchanged where nothing matches.
std::string pathBytesOf(const QString& shownPath);

// How a name is shown: UTF-8 where it is valid, else code page 932 where that decodes, else UTF-8
// with replacement characters.
QString shownName(std::string_view bytes);

}  // namespace nwmp::linux_platform
