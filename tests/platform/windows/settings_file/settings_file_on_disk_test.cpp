// The settings file on Win32 on disk: paths in and beyond the code page, files it cannot use,
// and two programs writing at once.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "common/located_settings_file.hpp"
#include "common/private_profile_file.hpp"
#include "platform/windows/settings_file/ansi_text.hpp"
#include "platform/windows/settings_file/win_settings_places.hpp"
#include "temp_folder.hpp"

namespace nwmp {

namespace testing {

constexpr std::string_view kWriterFlag = "--write-keys";

std::string writerKey(int writer, int k) {
    return std::string("w").append(std::to_string(writer)).append("k").append(std::to_string(k));
}

// "--write-keys PATH WRITER COUNT": writes COUNT keys of its own into the file at PATH.
std::optional<int> runAsWriter(int argc, char** argv) {
    if (argc != 5 || argv[1] != kWriterFlag) {
        return std::nullopt;
    }
    const std::filesystem::path path = std::filesystem::path(argv[2]);
    const int writer = std::atoi(argv[3]);
    const int count = std::atoi(argv[4]);
    PrivateProfileFile file([&] { return path; });
    bool ok = true;
    for (int k = 0; k < count; ++k) {
        ok = file.writeText(writer % 2 == 0 ? "Screen" : "ResumeInfo", writerKey(writer, k),
                            std::to_string(k)) &&
             ok;
    }
    return ok ? 0 : 1;
}

}  // namespace testing

namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string folderState(const fs::path& folder) {
    std::string state;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const bool small = entry.is_regular_file() && entry.file_size() < (1 << 20);
        state += windows::utf8FromWide(entry.path().filename().native()) + ":" +
                 (small ? readAll(entry.path())
                        : std::to_string(entry.is_regular_file() ? entry.file_size() : 0)) +
                 "\n";
    }
    return state;
}

fs::path pathFromUtf8(std::string_view text) {
    return fs::path(windows::wideFromUtf8(text).value());
}

class WindowsSettingsFile : public ::testing::Test {
  protected:
    testing::TempFolder folder;
};

TEST_F(WindowsSettingsFile, JapanesePathsRoundTripThroughCodePage932) {
    ASSERT_EQ(::GetACP(), 932u);
    const fs::path settingsFolder = folder.path() / pathFromUtf8("設定");
    fs::create_directory(settingsFolder);
    const fs::path path = settingsFolder / kSettingsFileName;
    PrivateProfileFile file([&] { return path; });
    const std::string media = "C:\\音楽\\曲 ソ表.mp3";

    ASSERT_TRUE(file.writeText("ResumeInfo", "FilePath", media));
    EXPECT_EQ(file.readText("ResumeInfo", "FilePath", "", 1024), media);
    EXPECT_EQ(readAll(path), windows::ansiFromUtf8("[ResumeInfo]\r\nFilePath=" + media + "\r\n"));
    // A program using the Windows functions reads the same path, through the same folder.
    char buffer[256] = {};
    const std::string ansiPath =
        windows::ansiFromUtf8(windows::utf8FromWide(path.native())).value();
    const DWORD length = ::GetPrivateProfileStringA("ResumeInfo", "FilePath", "", buffer,
                                                    sizeof buffer, ansiPath.c_str());
    EXPECT_EQ(windows::utf8FromAnsi(std::string_view(buffer, length)), media);
}

TEST_F(WindowsSettingsFile, APathTheCodePageCannotHoldIsStoredShortOrNotAtAll) {
    const fs::path path = folder.path() / kSettingsFileName;
    PrivateProfileFile file([&] { return path; });
    ASSERT_TRUE(file.writeText("ResumeInfo", "FilePath", "old.mp3"));

    const fs::path song = folder.path() / pathFromUtf8("노래.mp3");
    std::ofstream(song) << "x";
    const std::string songText = windows::utf8FromWide(song.native());
    ASSERT_FALSE(windows::ansiFromUtf8(songText));
    ASSERT_TRUE(file.writeText("ResumeInfo", "FilePath", songText));
    const std::string stored = file.readText("ResumeInfo", "FilePath", "", 1024);
    EXPECT_NE(stored, songText);
    EXPECT_TRUE(fs::equivalent(pathFromUtf8(stored), song)) << stored;

    // Text that names no file has no short form: the old value stays, never question marks.
    const std::string before = readAll(path);
    EXPECT_FALSE(file.writeText("ResumeInfo", "FilePath", "C:\\없음\\노래.mp3"));
    EXPECT_FALSE(file.writeText("노래", "FilePath", "a"));
    // A resume record is stored whole or not at all: no position beside the old file's name.
    const SettingsValue record[] = {{"ResumeInfo", "FilePath", "C:\\없음\\노래.mp3"},
                                    {"ResumeInfo", "Position", "95"}};
    EXPECT_FALSE(file.writeTexts(record));
    EXPECT_EQ(readAll(path), before);

    // The settings file's own path needs no code page.
    const fs::path beyond = folder.path() / pathFromUtf8("노래") / kSettingsFileName;
    fs::create_directory(beyond.parent_path());
    PrivateProfileFile there([&] { return beyond; });
    ASSERT_TRUE(there.writeText("ResumeInfo", "Position", "12"));
    EXPECT_EQ(there.readInt("ResumeInfo", "Position", 0), 12);
}

struct UnusableCase {
    const char* why;
    bool readable;                             // whether Left still reads its stored 3
    fs::path (*make)(const fs::path& folder);  // gives the settings file's path
};

TEST_F(WindowsSettingsFile, UnusableFilesAreNeverWritten) {
    static const std::string stored = "[Screen]\r\nLeft=3\r\n";
    const UnusableCase cases[] = {
        {"a folder", false,
         [](const fs::path& f) {
             fs::create_directory(f / kSettingsFileName);
             return f / kSettingsFileName;
         }},
        {"a read-only file", true,
         [](const fs::path& f) {
             std::ofstream(f / kSettingsFileName, std::ios::binary) << stored;
             ::SetFileAttributesW((f / kSettingsFileName).c_str(), FILE_ATTRIBUTE_READONLY);
             return f / kSettingsFileName;
         }},
        {"far too large", false,
         [](const fs::path& f) {
             std::ofstream(f / kSettingsFileName, std::ios::binary) << stored;
             fs::resize_file(f / kSettingsFileName, 17 << 20);  // no need to write it all
             return f / kSettingsFileName;
         }},
        {"in a missing folder", false,
         [](const fs::path& f) { return f / "gone" / kSettingsFileName; }},
    };
    for (const UnusableCase& c : cases) {
        SCOPED_TRACE(c.why);
        testing::TempFolder own;
        const fs::path path = c.make(own.path());
        const std::string before = folderState(own.path());
        PrivateProfileFile file([&] { return path; });
        EXPECT_EQ(file.readInt("Screen", "Left", -1), c.readable ? 3 : -1);
        EXPECT_FALSE(file.writeText("Screen", "Left", "4"));
        EXPECT_EQ(folderState(own.path()), before);
    }
}

TEST_F(WindowsSettingsFile, TwoProgramsWritingAtOnceLoseNoKey) {
    constexpr int kWriters = 2;
    constexpr int kKeysEach = 40;
    const fs::path path = folder.path() / kSettingsFileName;
    wchar_t program[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(nullptr, program, MAX_PATH), 0u);

    std::vector<PROCESS_INFORMATION> writers;
    for (int w = 0; w < kWriters; ++w) {
        std::wstring command = L"\"" + std::wstring(program) + L"\" --write-keys \"" +
                               path.native() + L"\" " + std::to_wstring(w) + L" " +
                               std::to_wstring(kKeysEach);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(::CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                     nullptr, &startup, &process));
        writers.push_back(process);
    }
    for (const PROCESS_INFORMATION& process : writers) {
        EXPECT_EQ(::WaitForSingleObject(process.hProcess, 120000), WAIT_OBJECT_0);
        DWORD status = 1;
        ::GetExitCodeProcess(process.hProcess, &status);
        EXPECT_EQ(status, 0u) << "a writer had a write refused";
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }

    PrivateProfileFile file([&] { return path; });
    for (int w = 0; w < kWriters; ++w) {
        for (int k = 0; k < kKeysEach; ++k) {
            EXPECT_EQ(
                file.readInt(w % 2 == 0 ? "Screen" : "ResumeInfo", testing::writerKey(w, k), -1), k)
                << testing::writerKey(w, k);
        }
    }
    // Only the file and its lock file remain: no temporary file is left behind.
    std::vector<std::wstring> names;
    for (const auto& entry : fs::directory_iterator(folder.path())) {
        names.push_back(entry.path().filename().native());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"nwmpset.ini", L"nwmpset.ini.lock"}));
}

FILETIME lastChange(const fs::path& folder) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExW(folder.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

// The settings beside the program are read-only: in a folder the user may write, they are fixed
// settings; in an installed program's folder, the user's own file starts as a copy of them.
TEST_F(WindowsSettingsFile, TheFoldersPermissionsAloneChooseThePlace) {
    const char* installed = std::getenv("NWMP_INSTALLED_FOLDER");  // made read-only by the run
    const std::string fixed = "[Norvalent WMP 3]\r\nResumePlay=1\r\n";
    const fs::path writable = folder.path() / pathFromUtf8("プログラム") / kSettingsFileName;
    fs::create_directories(writable.parent_path());
    std::ofstream(writable, std::ios::binary) << fixed;
    ASSERT_TRUE(::SetFileAttributesW(writable.c_str(), FILE_ATTRIBUTE_READONLY));
    for (const bool folderWritable : {true, false}) {
        SCOPED_TRACE(folderWritable ? "writable folder" : "installed program's folder");
        ASSERT_TRUE(folderWritable || installed != nullptr) << "NWMP_INSTALLED_FOLDER is not set";
        const fs::path beside = folderWritable ? writable : fs::path(installed) / kSettingsFileName;
        const fs::path perUser = folder.path() / pathFromUtf8(folderWritable ? "甲" : "乙") /
                                 "Norvalent WMP 3" / kSettingsFileName;
        const FILETIME before = lastChange(beside.parent_path());

        LocatedSettingsFile settings([&] { return SettingsCandidates{beside, perUser}; });
        EXPECT_EQ(settings.readInt("Norvalent WMP 3", "ResumePlay", 0), 1);
        const FILETIME after = lastChange(beside.parent_path());
        EXPECT_EQ(::CompareFileTime(&before, &after), 0) << "choosing the place made a file there";
        EXPECT_EQ(settings.writeText("Screen", "Height", "500"), !folderWritable);
        EXPECT_EQ(settings.readInt("Screen", "Height", 0), folderWritable ? 0 : 500);
        EXPECT_EQ(settings.readInt("Norvalent WMP 3", "ResumePlay", 0), 1);
        EXPECT_EQ(readAll(beside), fixed);
        EXPECT_EQ(fs::exists(perUser), !folderWritable);
    }
    ::SetFileAttributesW(writable.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(SettingsDecisionToken, IsNeverAnElevatedOne) {
    // Wine runs programs elevated, as "Run as administrator" does.
    const HANDLE token = windows::openSettingsDecisionToken();
    ASSERT_NE(token, nullptr);
    TOKEN_ELEVATION_TYPE elevation = TokenElevationTypeDefault;
    DWORD size = 0;
    ASSERT_TRUE(
        ::GetTokenInformation(token, TokenElevationType, &elevation, sizeof elevation, &size));
    EXPECT_NE(elevation, TokenElevationTypeFull);
    ::CloseHandle(token);
}

}  // namespace
}  // namespace nwmp
