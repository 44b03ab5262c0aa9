#pragma once

// File-type association in the Windows registry: the six keys of one registration under
// HKEY_CURRENT_USER\Software\Classes, the per-user half of HKEY_CLASSES_ROOT, so that a user
// without administrator rights can associate and every program sees the result through the
// merged HKEY_CLASSES_ROOT view. Every call's result is checked; a registration counts only when
// the shell then resolves the extension to the program, and one that fails half-way is undone.
// Removal takes away only what a registration wrote.

#include <string>
#include <vector>

#include "settings_tool/file_association.hpp"

namespace nwmp::windows_platform {

class RegistryFileAssociation final : public FileAssociation {
  public:
    bool registerExtension(const AssociationRequest& request) override;
    bool removeExtension(const std::string& extension) override;

    // Extensions of the last registerExtension calls that failed only because the user has
    // chosen another program for the type in the system's settings, which no program may
    // override. Cleared by takeChoicesHeldBySystem().
    std::vector<std::string> takeChoicesHeldBySystem();

  private:
    bool registerChecked(const AssociationRequest& request);
    std::vector<std::string> choicesHeldBySystem_;
};

}  // namespace nwmp::windows_platform
