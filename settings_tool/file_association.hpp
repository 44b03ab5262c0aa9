#pragma once

// The platform's file-type association service, as the settings tool uses it: make one program
// the opener of one extension, or take that back. Each operation reports whether it really
// happened, so the tool never claims a registration that failed.

#include <string>

namespace nwmp {

struct AssociationRequest {
    std::string extension;    // without the leading dot: "mp3"
    std::string openCommand;  // the program path, a blank and "%1"
    std::string iconPath;     // the tool's folder, "icon", the extension, ".ico"
};

class FileAssociation {
  public:
    virtual ~FileAssociation() = default;

    // Registers the program of request.openCommand as the opener of request.extension.
    virtual bool registerExtension(const AssociationRequest& request) = 0;

    // Removes what registerExtension wrote for this extension (without its leading dot), and
    // nothing that another program wrote.
    virtual bool removeExtension(const std::string& extension) = 0;
};

}  // namespace nwmp
