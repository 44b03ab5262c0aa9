// What each program file carries (version block, icon, manifest) and what the platform tells a
// program with that manifest: its version and its dots per inch.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/windows/shared/program_file.hpp"
#include "platform/windows/shared/wide_text.hpp"
#include "player/editions/editions.hpp"
#include "stand_in_process.hpp"

namespace nwmp::windows_platform {
namespace {

using nwmp::testing::runStandIn;

struct Block {
    std::string program;
    std::array<std::uint16_t, 4> fileVersion;
    std::string versionText;
    std::string description;
    std::string productName;
};

std::vector<Block> expectedBlocks() {
    std::vector<Block> blocks;
    for (const EditionProfile* edition : editions::kAll) {
        const VersionBlock& v = edition->version;
        blocks.push_back({std::string(v.programName), v.fileVersion, std::string(v.versionText),
                          std::string(v.description), std::string(v.productName)});
    }
    blocks.push_back({"NorvalentWMP3set",
                      {1, 0, 0, 51},
                      "1.00.0051",
                      "Norvalent WMP 3 Series SettingTool",
                      "Norvalent WMP 3 Series Setting Tool"});
    return blocks;
}

std::string stringValue(std::vector<char>& info, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
    if (!VerQueryValueW(info.data(), path.c_str(), &value, &length) || length == 0) {
        return "(missing)";
    }
    return narrow(static_cast<const wchar_t*>(value));
}

TEST(ProgramResources, EveryProgramCarriesItsVersionBlock) {
    for (const Block& expected : expectedBlocks()) {
        SCOPED_TRACE(expected.program);
        const std::wstring file = programFolder() + L"\\" + widen(expected.program) + L".exe";
        const DWORD size = GetFileVersionInfoSizeW(file.c_str(), nullptr);
        ASSERT_GT(size, 0u);
        std::vector<char> info(size);
        ASSERT_TRUE(GetFileVersionInfoW(file.c_str(), 0, size, info.data()));

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        const std::array<std::uint16_t, 4> fileVersion = {
            HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
            HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
        EXPECT_EQ(fileVersion, expected.fileVersion);
        EXPECT_EQ(stringValue(info, L"FileVersion"), expected.versionText);
        EXPECT_EQ(stringValue(info, L"FileDescription"), expected.description);
        EXPECT_EQ(stringValue(info, L"ProductName"), expected.productName);
        EXPECT_EQ(stringValue(info, L"InternalName"), expected.program + ".exe");
        EXPECT_EQ(stringValue(info, L"OriginalFilename"), expected.program + ".exe");
    }
}

std::string resourceText(HMODULE module, LPCWSTR type, LPCWSTR name) {
    HRSRC found = FindResourceW(module, name, type);
    if (found == nullptr) {
        return {};
    }
    const auto* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    return std::string(data, SizeofResource(module, found));
}

TEST(ProgramResources, IconAndManifestAskForSystemDpiAndClaimNoWindowsVersion) {
    for (const Block& program : expectedBlocks()) {
        SCOPED_TRACE(program.program);
        const std::wstring file = programFolder() + L"\\" + widen(program.program) + L".exe";
        HMODULE module = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr);
        EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON), nullptr);
        const std::string manifest = resourceText(module, RT_MANIFEST, MAKEINTRESOURCEW(1));
        EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
        EXPECT_EQ(manifest.find("<supportedOS"), std::string::npos);
        FreeLibrary(module);
    }
}

// Wine shows a program the Windows version set for it in the prefix; each row is what a
// program with our manifest sees there.
class PlatformSetting : public ::testing::Test {
  protected:
    static constexpr wchar_t kProgramKey[] = L"Software\\Wine\\AppDefaults\\nwmp_probe.exe";
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kProgramKey); }

    void set(const wchar_t* valueName, DWORD type, const void* data, DWORD size,
             const wchar_t* subKey = nullptr) {
        std::wstring key = kProgramKey;
        if (subKey != nullptr) {
            key += L"\\";
            key += subKey;
        }
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), valueName, type, data, size),
                  ERROR_SUCCESS);
    }
};

TEST_F(PlatformSetting, VersionIsWhatTheClassicFrameRuleExpects) {
    const struct {
        std::wstring wineVersion;
        DWORD reported;  // major * 100 + minor
    } cases[] = {
        {L"win2k", 500},
        {L"winxp", 501},
        {L"vista", 600},
        {L"win8", 602},
        // Without supportedOS entries Windows 10 and 11 say 6.2, which counts as non-classic;
        // their own 10.0 would count as classic.
        {L"win10", 602},
    };
    for (const auto& c : cases) {
        set(L"Version", REG_SZ, c.wineVersion.c_str(),
            static_cast<DWORD>((c.wineVersion.size() + 1) * sizeof(wchar_t)));
        EXPECT_EQ(runStandIn(L"nwmp_probe", L"version"), c.reported) << narrow(c.wineVersion);
    }
}

TEST(DisplayUnits, TwipsPerPixelFollowTheDisplaysDotsPerInch) {
    // The prefix's display setting, which a program reads when it starts.
    constexpr wchar_t kDesktop[] = L"Control Panel\\Desktop";
    const struct {
        DWORD dotsPerInch;
        DWORD twipsTimes100;
    } cases[] = {{144, 1000}, {96, 1500}};
    for (const auto& c : cases) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels", REG_DWORD,
                                  &c.dotsPerInch, sizeof(DWORD)),
                  ERROR_SUCCESS);
        EXPECT_EQ(runStandIn(L"nwmp_probe", L"twips"), c.twipsTimes100) << c.dotsPerInch;
    }
}

}  // namespace
}  // namespace nwmp::windows_platform
