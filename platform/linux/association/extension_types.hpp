#pragma once

// Which MIME types an extension stands for, which extensions we refuse to take over, and the
// small MIME package that declares a type for an extension nobody knows.

#include <string>
#include <string_view>
#include <vector>

namespace nwmp::xdg {

// The core's rule for extensions (ASCII letters, digits, '-', '_', '+', '~'; no program or script
// types), and no leading dot.
bool isAcceptableExtension(std::string_view extension);

// The types the shared MIME database gives a file "x.<extension>", without our own types.
std::vector<std::string> knownMimeTypes(std::string_view extension);

// Whether any of these types is, or derives from, a program, script or launcher type.
bool includesExecutableType(const std::vector<std::string>& mimeTypes);

// Our own type for an extension no type knows: "application/x-norvalent-<extension>".
std::string ownMimeType(std::string_view extension);

// "norvalent-wmp3-<extension>.xml" in the user's mime/packages folder.
std::string ownPackageFileName(std::string_view extension);

// The package declaring ownMimeType(extension) with the glob "*.<extension>".
std::string ownPackageText(std::string_view extension);

// The line update-mime-database writes into "globs2" for that package's glob (without weight).
std::string ownGlobsEntry(std::string_view extension);

std::string asciiLower(std::string_view text);

}  // namespace nwmp::xdg
