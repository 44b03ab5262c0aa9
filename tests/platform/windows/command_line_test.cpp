// The command line as the player takes it on Windows: the argument text, unquoting, and the
// long path form with its 260-character buffer.

#include "platform/windows/player/command_line.hpp"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/windows/player/win_platform_services.hpp"
#include "platform/windows/shared/wide_text.hpp"

namespace nwmp::windows_platform {
namespace {

TEST(CommandLine, ArgumentTextIsWhatFollowsTheProgramName) {
    const struct {
        std::wstring_view commandLine;
        std::wstring_view arguments;
    } cases[] = {
        {LR"("C:\Program Files\NWMP\NorvalentWMP3TE.exe" "D:\a b.mp3")", LR"("D:\a b.mp3")"},
        {LR"(NorvalentWMP3TE.exe D:\a.mp3)", LR"(D:\a.mp3)"},
        {LR"(NorvalentWMP3TE.exe  	 "D:\a b.mp3" x )", LR"("D:\a b.mp3" x )"},
        {LR"("C:\NWMP\NorvalentWMP3TE.exe")", L""},
        {LR"(NorvalentWMP3TE.exe)", L""},
        {LR"("C:\unclosed quote.exe D:\a.mp3)", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(argumentText(c.commandLine), c.arguments) << narrow(c.commandLine);
    }
}

TEST(CommandLine, UnquotesOnlyAPairEnclosingTheWholeText) {
    const WinPlatformServices services(false);
    const struct {
        const char* text;
        const char* unquoted;
    } cases[] = {
        {R"("D:\a b.mp3")", R"(D:\a b.mp3)"},
        {R"("D:\曲 ファイル.mp3")", R"(D:\曲 ファイル.mp3)"},
        {R"("D:\a b.mp3" x)", R"("D:\a b.mp3" x)"},
        {R"("D:\a b.mp3)", R"("D:\a b.mp3)"},
        {R"(D:\a b.mp3")", R"(D:\a b.mp3")"},
        {R"(D:\a.mp3)", R"(D:\a.mp3)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(services.Unquote(c.text), c.unquoted) << c.text;
    }
}

class LongPath : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
        folder_ = std::wstring(temp) + L"nwmp-long-path-" + std::to_wstring(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
    }
    void TearDown() override {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
            DeleteFileW(it->c_str());
            RemoveDirectoryW(it->c_str());
        }
        RemoveDirectoryW(folder_.c_str());
    }
    // A file at folder_\name; its full path may exceed MAX_PATH.
    std::wstring makeFile(const std::wstring& name) {
        const std::wstring path = folder_ + L"\\" + name;
        HANDLE file = CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_NEW, 0, nullptr);
        EXPECT_NE(file, INVALID_HANDLE_VALUE) << narrow(path);
        CloseHandle(file);
        made_.push_back(L"\\\\?\\" + path);
        return path;
    }
    std::wstring shortForm(const std::wstring& path) {
        wchar_t buffer[MAX_PATH];
        const DWORD length = GetShortPathNameW((L"\\\\?\\" + path).c_str(), buffer, MAX_PATH);
        EXPECT_GT(length, 4u);
        EXPECT_LT(length, static_cast<DWORD>(MAX_PATH));
        return std::wstring(buffer + 4, length - 4);  // without the \\?\ again
    }

    std::wstring folder_;
    std::vector<std::wstring> made_;
    const WinPlatformServices services_{false};
};

TEST_F(LongPath, ShortFormOfAJapaneseNameBecomesTheLongForm) {
    const std::wstring path = makeFile(L"曲のファイル with blanks.mp3");
    const std::wstring shortPath = shortForm(path);
    ASSERT_NE(shortPath, path);
    EXPECT_EQ(services_.LongPathName(narrow(shortPath)), narrow(path));
}

TEST_F(LongPath, LongFormMustFitTwoHundredAndSixtyCharacters) {
    // Names of 259 and 260 characters in all: the first fits the buffer with its NUL.
    const std::size_t room = 259 - folder_.size() - 1;
    const std::wstring fits = makeFile(std::wstring(room - 4, L'a') + L".mp3");
    const std::wstring tooLong = makeFile(std::wstring(room - 3, L'b') + L".mp3");
    ASSERT_EQ(fits.size(), 259u);
    EXPECT_EQ(services_.LongPathName(narrow(shortForm(fits))), narrow(fits));
    EXPECT_EQ(services_.LongPathName(narrow(shortForm(tooLong))), std::nullopt);
}

TEST_F(LongPath, NothingThatDoesNotExistHasALongForm) {
    for (const std::wstring& text :
         {folder_ + L"\\missing.mp3", std::wstring(L"http://example.com/a.mp3"),
          folder_ + L" " + folder_, std::wstring()}) {
        EXPECT_EQ(services_.LongPathName(narrow(text)), std::nullopt) << narrow(text);
    }
}

}  // namespace
}  // namespace nwmp::windows_platform
