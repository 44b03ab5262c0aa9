// What the programs do to nwmpset.ini, for a test that runs this as other users: the settings
// tool saves a switch, the player saves its geometry and its resume record, and the next start
// of either reads them. The file is the one the programs use, with the program's folder given.
//
//   settings_as_user FOLDER save VALUE FILEPATH   prints which saves succeeded
//   settings_as_user FOLDER read                  prints what a start reads

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/located_settings_file.hpp"
#include "common/settings_keys.hpp"

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : value;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace nwmp;
    if (argc < 3) {
        return 2;
    }
    const SettingsCandidates candidates{
        .besideProgram = std::filesystem::path(argv[1]) / kSettingsFileName,
        .perUser = freedesktopSettingsFile(environment("XDG_CONFIG_HOME"), environment("HOME")),
    };
    LocatedSettingsFile settings([&] { return candidates; });
    const std::string command = argv[2];
    if (command == "save" && argc == 5) {
        const std::string value = argv[3];
        const SettingsValue geometry[] = {{kScreenSection, kHeightKey, value}};
        const SettingsValue resume[] = {{kResumeSection, kFilePathKey, argv[4]},
                                        {kResumeSection, kPositionKey, value}};
        std::printf("tool=%d geometry=%d resume=%d\n",
                    settings.writeText(kMainSection, kSwitchKeys[kAlwaysFront], "1"),
                    settings.writeTexts(geometry), settings.writeTexts(resume));
        return 0;
    }
    if (command == "read") {
        std::printf("AlwaysFront=%d Height=%d FilePath=%s Position=%d\n",
                    settings.readInt(kMainSection, kSwitchKeys[kAlwaysFront], 0),
                    settings.readInt(kScreenSection, kHeightKey, 409),
                    settings.readText(kResumeSection, kFilePathKey, "", 1024).c_str(),
                    settings.readInt(kResumeSection, kPositionKey, 0));
        return 0;
    }
    return 2;
}
