#include "common/settings_location.hpp"

#include "common/settings_file.hpp"

namespace nwmp {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kFreedesktopFolder = "norvalent-wmp3";
constexpr std::string_view kWindowsFolder = "Norvalent WMP 3";

}  // namespace

SettingsChoice chooseSettingsFile(const SettingsCandidates& candidates,
                                  const SettingsPlaces& places) {
    const fs::path& beside = candidates.besideProgram;
    const fs::path& perUser = candidates.perUser;
    if (perUser.empty() || (!beside.empty() && places.folderTakesSettings(beside))) {
        return {.readFrom = beside, .writeTo = beside};
    }
    // Once the user has a file of their own, it holds everything; before that, settings left
    // beside the program are what the user has been reading.
    if (places.exists(perUser) || beside.empty() || !places.exists(beside)) {
        return {.readFrom = perUser, .writeTo = perUser};
    }
    return {.readFrom = beside, .writeTo = perUser, .startsFromRead = true};
}

fs::path settingsFileToRead(const SettingsCandidates& candidates, const SettingsPlaces& places) {
    return chooseSettingsFile(candidates, places).readFrom;
}

fs::path settingsFileToWrite(const SettingsCandidates& candidates, SettingsPlaces& places) {
    const SettingsChoice choice = chooseSettingsFile(candidates, places);
    if (choice.writeTo.empty() || choice.writeTo == candidates.besideProgram) {
        return choice.writeTo;
    }
    const fs::path from = choice.startsFromRead ? choice.readFrom : fs::path();
    return places.prepare(choice.writeTo, from) ? choice.writeTo : fs::path();
}

fs::path freedesktopSettingsFile(std::string_view xdgConfigHome, std::string_view home) {
    fs::path configHome;
    if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/') {
        configHome = fs::path(xdgConfigHome);
    } else if (!home.empty() && home.front() == '/') {
        configHome = fs::path(home) / ".config";
    } else {
        return {};
    }
    return configHome / kFreedesktopFolder / kSettingsFileName;
}

std::string windowsSettingsFile(std::string_view appData) {
    if (appData.empty()) {
        return {};
    }
    std::string file(appData);
    if (file.back() != '\\' && file.back() != '/') {
        file += '\\';
    }
    file += kWindowsFolder;
    file += '\\';
    file += kSettingsFileName;
    return file;
}

}  // namespace nwmp
