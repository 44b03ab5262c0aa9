#pragma once

// What the association tests share: a service over a temporary XDG home, and the desktop's own
// tools to ask what it now believes.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/linux/association/desktop_entry_format.hpp"
#include "platform/linux/association/xdg_file_association.hpp"
#include "temp_xdg_home.hpp"

namespace nwmp::xdg::testing {

class AssociationTest : public ::testing::Test {
  protected:
    AssociationTest() { home_.makeRecordingProgram(program_); }

    bool registerFor(const std::string& extension, const std::filesystem::path& program,
                     const std::string& iconPath = {}) {
        return service_.registerExtension({extension, program.string() + " %1", iconPath});
    }

    static std::string idOf(const std::filesystem::path& program) {
        return desktopFileNameFor(program.string());
    }

    // What xdg-mime (and so xdg-open) takes as the type's default application.
    static std::string queryDefault(const std::string& mimeType) {
        return runCommand({"xdg-mime", "query", "default", mimeType}).output;
    }

    std::filesystem::path entryFile(const std::filesystem::path& program) const {
        return home_.data / "applications" / idOf(program);
    }
    std::filesystem::path mimeapps() const { return home_.config / "mimeapps.list"; }

    TempXdgHome home_;
    XdgFileAssociation service_{home_.data, home_.config};
    std::filesystem::path program_ = home_.root / "bin" / "NorvalentWMP3TE";
};

}  // namespace nwmp::xdg::testing
