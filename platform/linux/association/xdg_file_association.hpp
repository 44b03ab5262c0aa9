#pragma once

// File-type association on a freedesktop.org desktop: a desktop entry per program and the
// user's default-application choices in mimeapps.list, plus a small MIME package for an
// extension no known type covers. File managers, xdg-open and xdg-mime then start the player.

#include <filesystem>
#include <string>
#include <vector>

#include "settings_tool/file_association.hpp"

namespace nwmp::xdg {

class XdgFileAssociation final : public FileAssociation {
  public:
    // The user's folders: XDG_DATA_HOME and XDG_CONFIG_HOME, or ~/.local/share and ~/.config.
    XdgFileAssociation();

    // Explicit folders, standing for XDG_DATA_HOME and XDG_CONFIG_HOME.
    XdgFileAssociation(std::filesystem::path dataHome, std::filesystem::path configHome);

    bool registerExtension(const AssociationRequest& request) override;
    bool removeExtension(const std::string& extension) override;

  private:
    bool registerChecked(const AssociationRequest& request) const;
    bool registerWithInstalledEntry(const std::string& extension,
                                    const std::vector<std::string>& types, bool declareOwnType,
                                    const std::string& desktopId) const;
    bool removeChecked(const std::string& extension) const;
    bool installOwnType(const std::string& extension) const;
    bool removeOwnType(const std::string& extension) const;

    std::filesystem::path applicationsFolder() const { return dataHome_ / "applications"; }
    std::filesystem::path mimeFolder() const { return dataHome_ / "mime"; }
    std::filesystem::path mimeappsFile() const { return configHome_ / "mimeapps.list"; }

    std::filesystem::path dataHome_;
    std::filesystem::path configHome_;
};

}  // namespace nwmp::xdg
