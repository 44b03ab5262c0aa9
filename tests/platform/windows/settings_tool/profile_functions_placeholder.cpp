// Stands in for the Windows settings file until that is built: the profile functions themselves
// on nwmpset.ini beside the program. For the tests of the tool's window only.

#include <windows.h>

#include <vector>

#include "platform/windows/association/utf16_text.hpp"
#include "platform/windows/settings_tool/tool_settings_file.hpp"
#include "platform/windows/settings_tool/win_program_folder.hpp"

namespace nwmp::windows_platform {

namespace {

using association::toUtf16;
using association::toUtf8;

class ProfileFunctionsFile final : public SettingsFile {
  public:
    std::int32_t readInt(std::string_view section, std::string_view key,
                         std::int32_t defaultValue) const override {
        return static_cast<std::int32_t>(GetPrivateProfileIntW(
            toUtf16(section).c_str(), toUtf16(key).c_str(), defaultValue, path().c_str()));
    }
    std::string readText(std::string_view section, std::string_view key,
                         std::string_view defaultText, std::size_t bufferLength) const override {
        std::vector<wchar_t> buffer(bufferLength + 1);
        GetPrivateProfileStringW(toUtf16(section).c_str(), toUtf16(key).c_str(),
                                 toUtf16(defaultText).c_str(), buffer.data(),
                                 static_cast<DWORD>(buffer.size()), path().c_str());
        return toUtf8(buffer.data());
    }
    bool writeText(std::string_view section, std::string_view key,
                   std::string_view value) override {
        return WritePrivateProfileStringW(toUtf16(section).c_str(), toUtf16(key).c_str(),
                                          toUtf16(value).c_str(), path().c_str()) != FALSE;
    }

  private:
    static std::wstring path() {
        WinProgramFolder folder;
        return toUtf16(folder.join(folder.path(), "nwmpset.ini"));
    }
};

}  // namespace

std::unique_ptr<SettingsFile> makeToolSettingsFile() {
    return std::make_unique<ProfileFunctionsFile>();
}

}  // namespace nwmp::windows_platform
