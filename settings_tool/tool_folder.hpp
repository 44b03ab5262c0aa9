#pragma once

// The folder that holds the settings tool's program file, and the platform's way of naming
// files in it.

#include <string>
#include <string_view>

namespace nwmp {

class ToolFolder {
  public:
    virtual ~ToolFolder() = default;

    // The tool's own folder, without a closing separator (the root folder aside).
    virtual std::string path() const = 0;

    // folder, the platform's separator ("/" on Linux, "\" on Windows), name. A root folder may
    // end up with a doubled separator, which both platforms accept.
    virtual std::string join(std::string_view folder, std::string_view name) const = 0;

    // What the platform appends to a program's name to make its file name: ".exe" on Windows,
    // nothing on Linux.
    virtual std::string_view programSuffix() const = 0;
};

}  // namespace nwmp
