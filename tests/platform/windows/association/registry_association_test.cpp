// The registry association under Wine, in the test run's private prefix: what one registration
// writes, what is refused before anything is written, a write the registry denies, and a
// removal that must leave other programs' entries alone.

// windows.h comes before the other Windows headers.
// clang-format off
#include <windows.h>
#include <sddl.h>
// clang-format on

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/file_text.hpp"
#include "common/temp_folder.hpp"
#include "platform/windows/association/registry_file_association.hpp"
#include "platform/windows/shared/wide_text.hpp"

namespace nwmp::windows_platform {
namespace {

std::wstring classes(const std::string& key) {
    return L"Software\\Classes\\" + widen(key);
}

bool keyExists(const std::string& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, classes(key).c_str(), 0, KEY_READ, &handle) !=
        ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(handle);
    return true;
}

std::optional<std::string> value(const std::string& key, const wchar_t* name = nullptr) {
    wchar_t buffer[1024];
    DWORD size = sizeof(buffer);
    if (RegGetValueW(HKEY_CURRENT_USER, classes(key).c_str(), name, RRF_RT_REG_SZ, nullptr, buffer,
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return narrow(buffer);
}

void setValue(const std::string& key, const wchar_t* name, const std::string& text) {
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, classes(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    const std::wstring wide = widen(text);
    RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                   static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
}

void removeKeys(const std::vector<std::string>& keys) {
    for (const std::string& key : keys) {
        RegDeleteTreeW(HKEY_CURRENT_USER, classes(key).c_str());
    }
}

// A program file that exists, in a folder named as the case needs, below a temporary folder
// that goes when the test program ends.
std::string programIn(const std::wstring& folderName) {
    static const nwmp::testing::TempFolder temp;
    const std::filesystem::path program = temp.path() / folderName / L"NorvalentWMP3TE.exe";
    nwmp::testing::writeAll(program, "");
    return narrow(program.wstring());
}

struct LayoutCase {
    std::string extension;
    std::wstring folder;
    bool quoted;
};

TEST(RegistryAssociation, WritesTheSixKeysOfOneSlotWithTheCommandTheShellNeeds) {
    const std::vector<LayoutCase> cases = {
        {"asf", L"nwmp-plain", false},
        {"wma", L"nwmp with blanks", true},
        {"ogg", L"nwmp-日本語の フォルダ", true},
        {"mid", L"nwmp-日本語", false},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.extension);
        const std::string program = programIn(c.folder);
        const std::string icon = "C:\\ツール\\icon\\" + c.extension + ".ico";
        const std::string classKey = c.extension + "file";
        removeKeys({"." + c.extension, classKey});

        RegistryFileAssociation association;
        ASSERT_TRUE(association.registerExtension({c.extension, program + " %1", icon}));

        const std::string command = c.quoted ? "\"" + program + "\" %1" : program + " %1";
        EXPECT_EQ(value("." + c.extension), classKey);
        EXPECT_TRUE(keyExists(classKey));
        EXPECT_EQ(value(classKey), std::nullopt);
        EXPECT_EQ(value(classKey + "\\DefaultIcon"), icon);
        EXPECT_EQ(value(classKey + "\\Shell"), "Open");
        EXPECT_EQ(value(classKey + "\\Shell\\Open"), "Open");
        EXPECT_EQ(value(classKey + "\\Shell\\Open\\Command"), command);
        removeKeys({"." + c.extension, classKey});
    }
}

TEST(RegistryAssociation, RefusesExtensionsThatAreNotOneHarmlessNameBeforeWritingAnything) {
    const std::string program = programIn(L"nwmp-plain");
    for (const std::string extension : {"", ".ogg", "a\\b", "..\\x", "a b", "exe", "Bat", "x.y"}) {
        SCOPED_TRACE(extension);
        RegistryFileAssociation association;
        EXPECT_FALSE(association.registerExtension({extension, program + " %1", "C:\\i.ico"}));
        EXPECT_FALSE(association.removeExtension(extension));
        EXPECT_FALSE(keyExists("." + extension));
        EXPECT_FALSE(keyExists(extension + "file"));
    }
}

TEST(RegistryAssociation, AWriteTheRegistryDeniesFailsAndPutsBackWhatWasThere) {
    removeKeys({".wav", "wavfile"});
    setValue(".wav", nullptr, "otherapp.wav");
    // Another program's class key whose open verb only reads.
    HKEY open = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, classes("wavfile\\Shell\\Open").c_str(), 0,
                              nullptr, 0, KEY_ALL_ACCESS, nullptr, &open, nullptr),
              ERROR_SUCCESS);
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
        L"D:P(A;;KR;;;WD)", SDDL_REVISION_1, &readOnly, nullptr));
    ASSERT_EQ(RegSetKeySecurity(open, DACL_SECURITY_INFORMATION, readOnly), ERROR_SUCCESS);
    LocalFree(readOnly);
    RegCloseKey(open);

    RegistryFileAssociation association;
    EXPECT_FALSE(
        association.registerExtension({"wav", programIn(L"nwmp-plain") + " %1", "C:\\i.ico"}));
    EXPECT_EQ(value(".wav"), "otherapp.wav");
    EXPECT_FALSE(keyExists("wavfile\\Shell\\Open\\Command"));
    EXPECT_TRUE(keyExists("wavfile\\Shell\\Open"));
}

TEST(RegistryAssociation, RemovalLeavesWhatOtherProgramsWrote) {
    const std::string program = programIn(L"nwmp-plain");
    removeKeys({".wmv", "wmvfile", ".avi", "avifile", ".mpg", "mpgfile"});
    RegistryFileAssociation association;
    ASSERT_TRUE(association.registerExtension({"wmv", program + " %1", "C:\\i.ico"}));
    ASSERT_TRUE(association.registerExtension({"avi", program + " %1", "C:\\i.ico"}));
    ASSERT_TRUE(association.registerExtension({"mpg", program + " %1", "C:\\i.ico"}));
    setValue(".wmv", L"Content Type", "video/x-ms-wmv");
    setValue(".wmv\\OpenWithProgids", L"OtherPlayer.wmv", "");
    setValue(".avi", nullptr, "otherapp.avi");  // another program took the type over since

    EXPECT_TRUE(association.removeExtension("wmv"));
    EXPECT_TRUE(association.removeExtension("avi"));
    EXPECT_TRUE(association.removeExtension("mpg"));
    EXPECT_TRUE(association.removeExtension("mov"));  // never registered: nothing to do

    EXPECT_FALSE(keyExists("wmvfile"));
    EXPECT_EQ(value(".wmv"), std::nullopt);
    EXPECT_EQ(value(".wmv", L"Content Type"), "video/x-ms-wmv");
    EXPECT_TRUE(keyExists(".wmv\\OpenWithProgids"));
    EXPECT_FALSE(keyExists("avifile"));
    EXPECT_EQ(value(".avi"), "otherapp.avi");
    EXPECT_FALSE(keyExists(".mpg"));
    EXPECT_FALSE(keyExists("mpgfile"));
    removeKeys({".wmv", ".avi"});
}

}  // namespace
}  // namespace nwmp::windows_platform
