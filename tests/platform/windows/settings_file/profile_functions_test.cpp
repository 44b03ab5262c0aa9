// The shared table of files and calls run through the Windows profile functions themselves and
// through our settings file, side by side: each result must be what the table says the Windows
// functions give, and ours may differ from theirs only where the table marks one of our mends.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/private_profile_file.hpp"
#include "platform/windows/settings_file/ansi_text.hpp"
#include "profile_function_cases.hpp"
#include "temp_folder.hpp"

namespace nwmp {
namespace {

namespace fs = std::filesystem;
using testing::ProfileCase;
using testing::ProfileMend;
using testing::ProfileOperation;
using namespace std::string_view_literals;

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::string(testing::kNoFile);
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// What a program using the ANSI functions passes: the code page's default character for what
// the code page lacks.
std::string ansi(std::string_view utf8) {
    if (std::optional<std::string> bytes = windows::ansiFromUtf8(utf8)) {
        return *bytes;
    }
    const std::wstring wide = windows::wideFromUtf8(utf8).value_or(std::wstring());
    const int length = static_cast<int>(wide.size());
    std::string bytes(4 * wide.size(), '\0');
    bytes.resize(static_cast<std::size_t>(
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), length, bytes.data(),
                              static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes;
}

// What a call gave: the number, the text (UTF-8) or the file's bytes after a write.
struct Result {
    std::int32_t number = 0;
    std::string text;
    bool operator==(const Result&) const = default;
};

std::string shown(const Result& result, ProfileOperation operation) {
    if (operation == ProfileOperation::ReadInt) {
        return std::to_string(result.number);
    }
    std::string out;
    for (const unsigned char c : result.text) {
        char hex[8];
        std::snprintf(hex, sizeof hex, c < 0x20 || c >= 0x7F ? "\\x%02X" : "%c", c);
        out += hex;
    }
    return out;
}

Result expected(const testing::ProfileOutcome& outcome) {
    return {outcome.number, std::string(outcome.text)};
}

class ProfileFunctions : public ::testing::Test {
  protected:
    // Each call gets a file of its own: the Windows functions keep recently used files in memory.
    fs::path freshFile(std::string_view before) {
        const fs::path path = folder.path() / ("case" + std::to_string(++files) + ".ini");
        if (before != testing::kNoFile) {
            std::ofstream(path, std::ios::binary) << before;
        }
        return path;
    }

    Result windows(const ProfileCase& c) {
        const fs::path path = freshFile(c.before);
        const std::string file = ansi(windows::utf8FromWide(path.native()));
        const std::string section = ansi(c.call.section);
        const std::string key = ansi(c.call.key);
        const std::string argument = ansi(c.call.argument);
        Result result;
        switch (c.call.operation) {
            case ProfileOperation::ReadInt:
                result.number = static_cast<std::int32_t>(::GetPrivateProfileIntA(
                    section.c_str(), key.c_str(), c.call.defaultNumber, file.c_str()));
                break;
            case ProfileOperation::ReadText: {
                std::string buffer(c.call.bufferLength + 1, '\0');
                const DWORD length = ::GetPrivateProfileStringA(
                    section.c_str(), key.c_str(), argument.c_str(), buffer.data(),
                    static_cast<DWORD>(c.call.bufferLength), file.c_str());
                result.text = windows::utf8FromAnsi(buffer.substr(0, length));
                break;
            }
            case ProfileOperation::Write:
                ::WritePrivateProfileStringA(section.c_str(), key.c_str(), argument.c_str(),
                                             file.c_str());
                ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());  // flush
                result.text = readAll(path);
                break;
        }
        return result;
    }

    Result ours(const ProfileCase& c) {
        const fs::path path = freshFile(c.before);
        PrivateProfileFile file([&] { return path; });
        Result result;
        switch (c.call.operation) {
            case ProfileOperation::ReadInt:
                result.number = file.readInt(c.call.section, c.call.key, c.call.defaultNumber);
                break;
            case ProfileOperation::ReadText:
                result.text =
                    file.readText(c.call.section, c.call.key, c.call.argument, c.call.bufferLength);
                break;
            case ProfileOperation::Write:
                file.writeText(c.call.section, c.call.key, c.call.argument);
                result.text = readAll(path);
                break;
        }
        return result;
    }

    // Runs one case both ways; mend names our documented difference, empty where there is none.
    void compare(const ProfileCase& c, std::string_view mend) {
        SCOPED_TRACE(c.why);
        const Result theirs = windows(c);
        const Result own = ours(c);
        const ProfileOperation operation = c.call.operation;
        EXPECT_EQ(shown(theirs, operation), shown(expected(c.windows), operation))
            << "the Windows functions give another result than the table says";
        EXPECT_EQ(shown(own, operation),
                  shown(expected(mend.empty() ? c.windows : c.ours), operation));
        if (!mend.empty()) {
            EXPECT_NE(theirs, own) << "marked as a mend, but ours gives what Windows gives";
            std::printf("differs by our mend (%.*s): %.*s\n", static_cast<int>(mend.size()),
                        mend.data(), static_cast<int>(c.why.size()), c.why.data());
        }
    }

    testing::TempFolder folder;
    int files = 0;
};

std::string_view mendName(ProfileMend mend) {
    switch (mend) {
        case ProfileMend::None:
            return {};
        case ProfileMend::RefusedLineBreak:
            return "line break refused";
        case ProfileMend::QuotedValue:
            return "value quoted";
        case ProfileMend::Limit32:
            return "32-bit limit";
        case ProfileMend::UnusableFile:
            return "file not written";
        case ProfileMend::KeptLayout:
            return "layout kept";
    }
    return "unknown";
}

TEST_F(ProfileFunctions, SharedTableDiffersOnlyByOurMends) {
    ASSERT_EQ(::GetACP(), 932u) << "run with the Japanese code page (LANG=ja_JP.UTF-8)";
    for (const ProfileCase& c : testing::kProfileCases) {
        compare(c, mendName(c.mend));
    }
}

// Files in code page 932, where a character's second byte may be '[', ']', '\' or an ASCII
// letter: the Windows functions compare whole characters, and so must we.
struct CodePageCase {
    ProfileCase row;
    std::string_view mend = {};
};

TEST_F(ProfileFunctions, JapaneseTextInCodePage932) {
    ASSERT_EQ(::GetACP(), 932u) << "run with the Japanese code page (LANG=ja_JP.UTF-8)";
    using testing::fileAfter;
    using testing::number;
    using testing::readInt;
    using testing::readText;
    using testing::text;
    using testing::write;
    // "[曲]", "テスト=ソ表": 曲 8B C8, テ 83 65, ス 83 58, ト 83 67, ソ 83 5C, 表 95 5C.
    constexpr std::string_view kJapanese =
        "[\x8B\xC8]\r\n\x83\x65\x83\x58\x83\x67=\x83\x5C\x95\x5C\r\n";
    const CodePageCase cases[] = {
        {{"Japanese section, key and value", kJapanese, readText("曲", "テスト", "d"),
          text("ソ表")}},
        {{"second byte ']' in a section name", "[\x83\x5D]\r\nk=2\r\n", readInt("ゾ", "k", 7),
          number(2)}},
        {{"second bytes that differ only in ASCII case", "[S]\r\n\x83\x42=1\r\n",
          readInt("S", "ッ", 7), number(7)}},
        {{"Japanese key added", "[S]\r\n", write("曲", "名前", "テスト"),
          fileAfter("[S]\r\n[\x8B\xC8]\r\n\x96\xBC\x91\x4F=\x83\x65\x83\x58\x83\x67\r\n")}},
        {{"Japanese value replaced", kJapanese, write("曲", "テスト", "表"),
          fileAfter("[\x8B\xC8]\r\n\x83\x65\x83\x58\x83\x67=\x95\x5C\r\n")}},
        {{"text the code page cannot hold", "[S]\r\nk=1\r\n", write("S", "k", "노래"),
          fileAfter("[S]\r\nk=??\r\n"), ProfileMend::None, fileAfter("[S]\r\nk=1\r\n")},
         "never stored garbled"},
    };
    for (const CodePageCase& c : cases) {
        compare(c.row, c.mend);
    }
}

// Writes the shared table has no row for.
TEST_F(ProfileFunctions, FurtherWrites) {
    using testing::fileAfter;
    using testing::write;
    const CodePageCase cases[] = {
        {{"first of two keys", "[S]\r\nk=1\r\nk=2\r\n", write("S", "k", "9"),
          fileAfter("[S]\r\nk=9\r\nk=2\r\n")}},
        {{"key before any section", "k=1\r\n[S]\r\n", write("S", "k", "2"),
          fileAfter("k=1\r\n[S]\r\nk=2\r\n")}},
        {{"empty value", "[S]\r\nk=1\r\n", write("S", "k", ""), fileAfter("[S]\r\nk=\r\n")}},
        {{"blanks and tabs around names", "[ S ]\r\n\tk = 1\r\n", write("S", "k", "2"),
          fileAfter("[S]\r\nk=2\r\n"), ProfileMend::KeptLayout, fileAfter("[ S ]\r\n\tk = 2\r\n")},
         "layout kept"},
        {{"mixed line ends", "[S]\nA=1\r\nB=2\rC=3\r\n", write("S", "B", "9"),
          fileAfter("[S]\r\nA=1\r\nB=9\r\nC=3\r\n"), ProfileMend::KeptLayout,
          fileAfter("[S]\nA=1\r\nB=9\rC=3\r\n")},
         "layout kept"},
    };
    for (const CodePageCase& c : cases) {
        compare(c.row, c.mend);
    }
}

}  // namespace
}  // namespace nwmp
