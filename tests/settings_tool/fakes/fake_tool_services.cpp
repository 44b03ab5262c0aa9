#include "fakes/fake_tool_services.hpp"

namespace nwmp::testing {

void FakeMessageBoxes::show(std::string_view title, std::string_view text, MessageIcon icon) {
    shown.push_back({std::string(title), std::string(text), icon});
    journal_.push_back("message:" + std::string(text));
}

std::vector<std::string> FakeMessageBoxes::texts() const {
    std::vector<std::string> result;
    for (const Shown& one : shown) {
        result.push_back(one.text);
    }
    return result;
}

std::string FakeToolFolder::join(std::string_view base, std::string_view name) const {
    return std::string(base) + separator + std::string(name);
}

bool FakeFileAssociation::registerExtension(const AssociationRequest& request) {
    registered.push_back(request);
    return !failing.contains(request.extension);
}

bool FakeFileAssociation::removeExtension(const std::string& extension) {
    removed.push_back(extension);
    return !failing.contains(extension);
}

std::int32_t JournalingSettingsFile::readInt(std::string_view section, std::string_view key,
                                             std::int32_t defaultValue) const {
    ++reads;
    return file_.readInt(section, key, defaultValue);
}

std::string JournalingSettingsFile::readText(std::string_view section, std::string_view key,
                                             std::string_view defaultText,
                                             std::size_t bufferLength) const {
    ++reads;
    return file_.readText(section, key, defaultText, bufferLength);
}

bool JournalingSettingsFile::writeText(std::string_view section, std::string_view key,
                                       std::string_view value) {
    journal_.push_back("write:" + std::string(key) + "=" + std::string(value));
    return file_.writeText(section, key, value);
}

}  // namespace nwmp::testing
