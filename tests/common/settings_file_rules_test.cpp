// The access rules of nwmpset.ini, checked against every implementation the programs and the
// tests use: the real file in a temporary folder and the in-memory file. The shared table of
// files gives what the Windows profile functions do; the cases below it are our own choices.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>

#include "common/private_profile_file.hpp"
#ifdef _WIN32
#include "common/ini_encoding.hpp"
#include "platform/windows/settings_file/ansi_text.hpp"
#endif
#include "fakes/memory_settings_file.hpp"
#include "profile_function_cases.hpp"
#include "temp_folder.hpp"

namespace nwmp {
namespace {

// One implementation, with a way to set and inspect the whole file.
class Backend {
  public:
    virtual ~Backend() = default;
    virtual SettingsFile& file() = 0;
    virtual void setContent(const std::string& text) = 0;
    virtual std::string content() const = 0;  // empty when there is no file
};

class MemoryBackend : public Backend {
  public:
    SettingsFile& file() override { return memory_; }
    void setContent(const std::string& text) override { memory_.content = text; }
    std::string content() const override { return memory_.content; }

  private:
    testing::MemorySettingsFile memory_;
};

// Files without a byte-order mark hold the platform's own text: UTF-8, or on Windows the ANSI
// code page, which the cases (in UTF-8) are converted to and from.
#ifdef _WIN32
bool isPlain(std::string_view bytes) {
    return ini::decode(bytes).encoding == ini::FileEncoding::Plain;
}
std::string toFile(const std::string& text) {
    return isPlain(text) ? windows::ansiFromUtf8(text).value_or(text) : text;
}
std::string fromFile(const std::string& bytes) {
    return isPlain(bytes) ? windows::utf8FromAnsi(bytes) : bytes;
}
#else
std::string toFile(const std::string& text) {
    return text;
}
std::string fromFile(const std::string& bytes) {
    return bytes;
}
#endif

class FileBackend : public Backend {
  public:
    SettingsFile& file() override { return file_; }
    void setContent(const std::string& text) override {
        std::ofstream(path(), std::ios::binary) << toFile(text);
    }
    std::string content() const override {
        std::ifstream in(path(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return fromFile(text.str());
    }

  private:
    std::filesystem::path path() const { return folder_.path() / kSettingsFileName; }

    testing::TempFolder folder_;
    PrivateProfileFile file_{[this] { return path(); }};
};

struct Implementation {
    const char* name;
    std::function<std::unique_ptr<Backend>()> make;
};

void PrintTo(const Implementation& implementation, std::ostream* out) {
    *out << implementation.name;
}

class SettingsFileRules : public ::testing::TestWithParam<Implementation> {
  protected:
    // A backend whose file holds text, or no file at all for nullopt.
    std::unique_ptr<Backend> withFile(const std::optional<std::string>& text) const {
        std::unique_ptr<Backend> backend = GetParam().make();
        if (text) {
            backend->setContent(*text);
        }
        return backend;
    }
};

std::string describe(std::string_view bytes) {
    std::string shown;
    for (const char c : bytes) {
        if (c == '\r' || c == '\n' || c == '\0' || static_cast<unsigned char>(c) >= 0x80) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(c));
            shown += hex;
        } else {
            shown += c;
        }
    }
    return shown;
}

TEST_P(SettingsFileRules, GivesWhatTheWindowsFunctionsGiveSaveForOurMends) {
    using testing::ProfileMend;
    using testing::ProfileOperation;
    for (const testing::ProfileCase& c : testing::kProfileCases) {
        SCOPED_TRACE(c.why);
        const std::unique_ptr<Backend> backend = withFile(
            c.before == testing::kNoFile ? std::nullopt : std::optional<std::string>(c.before));
        SettingsFile& file = backend->file();
        const testing::ProfileCall& call = c.call;
        const testing::ProfileOutcome& expected = c.mend == ProfileMend::None ? c.windows : c.ours;
        switch (call.operation) {
            case ProfileOperation::ReadInt:
                EXPECT_EQ(file.readInt(call.section, call.key, call.defaultNumber),
                          expected.number);
                break;
            case ProfileOperation::ReadText:
                EXPECT_EQ(file.readText(call.section, call.key, call.argument, call.bufferLength),
                          expected.text);
                break;
            case ProfileOperation::Write: {
                const bool refused =
                    c.mend == ProfileMend::RefusedLineBreak || c.mend == ProfileMend::UnusableFile;
                EXPECT_EQ(file.writeText(call.section, call.key, call.argument), !refused);
                EXPECT_EQ(describe(backend->content()), describe(expected.text));
                break;
            }
        }
    }
}

struct IntCase {
    const char* why;
    std::optional<std::string> file;
    std::string_view section;
    std::string_view key;
    std::int32_t expected;  // the default is always 7
};

TEST_P(SettingsFileRules, ReadsIntegers) {
    const IntCase cases[] = {
        {"empty file", "", "Screen", "Left", 7},
        {"lone minus", "[S]\nk=-\n", "S", "k", 0},
        {"blank after minus", "[S]\nk=- 5\n", "S", "k", 0},
        {"quoted number", "[S]\nk=\"12\"\n", "S", "k", 12},
        {"empty quotes", "[S]\nk=\"\"\n", "S", "k", 7},
        {"missing key", "[S]\nother=1\n", "S", "k", 7},
        {"key of another section", "[A]\nk=1\n[S]\n", "S", "k", 7},
        {"dotted key name", "[KeepConnect]\n=0\n.mp3=1\n", "KeepConnect", ".mp3", 1},
    };
    for (const IntCase& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(withFile(c.file)->file().readInt(c.section, c.key, 7), c.expected);
    }
}

struct TextCase {
    const char* why;
    std::string file;
    std::string_view key;
    std::string_view defaultText;
    std::size_t bufferLength;
    std::string expected;
};

TEST_P(SettingsFileRules, ReadsText) {
    const std::string longPath(1100, 'p');
    const TextCase cases[] = {
        {"plain path", "[S]\nk=/home/u/a b.mp3\n", "k", "", 1024, "/home/u/a b.mp3"},
        {"one pair of quotes removed", "[S]\nk=\"\"x\"\"\n", "k", "", 1024, "\"x\""},
        {"missing key gives the default", "[S]\n", "k", "dflt", 1024, "dflt"},
        {"default cut too", "", "k", "abcdef", 4, "abc"},
        {"buffer length minus one", "[S]\nk=" + longPath + "\n", "k", "", 1024,
         longPath.substr(0, 1023)},
        {"no character split", "[S]\nk=あいう\n", "k", "", 9, "あい"},
        {"no character split, one short", "[S]\nk=あいう\n", "k", "", 6, "あ"},
        {"zero buffer", "[S]\nk=abc\n", "k", "dflt", 0, ""},
        {"one-byte buffer", "[S]\nk=abc\n", "k", "dflt", 1, ""},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(withFile(c.file)->file().readText("S", c.key, c.defaultText, c.bufferLength),
                  c.expected);
    }
}

struct WriteCase {
    const char* why;
    std::optional<std::string> before;
    std::string_view section;
    std::string_view key;
    std::string_view value;
    std::string after;
};

TEST_P(SettingsFileRules, WritesOneKeyAndKeepsEveryOtherLine) {
    const WriteCase cases[] = {
        {"hand-set switch survives", "[Norvalent WMP 3]\nClassicMode=1\nAlwaysFront=0\n",
         "Norvalent WMP 3", "AlwaysFront", "1",
         "[Norvalent WMP 3]\nClassicMode=1\nAlwaysFront=1\n"},
        {"adds after the section's last entry", "[Screen]\nTop=1\n\n; next\n[ResumeInfo]\nX=3\n",
         "Screen", "Left", "0", "[Screen]\nTop=1\nLeft=0\n\n; next\n[ResumeInfo]\nX=3\n"},
        {"adds to an empty section", "[KeepConnect]\n[Screen]\n", "KeepConnect", ".avi", "1",
         "[KeepConnect]\n.avi=1\n[Screen]\n"},
        {"new section after last line without ending", "[A]\nx=1", "B", "k", "v",
         "[A]\nx=1\n[B]\nk=v\n"},
        {"empty value", "[A]\nx=1\n", "A", "x", "", "[A]\nx=\n"},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.why);
        const std::unique_ptr<Backend> backend = withFile(c.before);
        EXPECT_TRUE(backend->file().writeText(c.section, c.key, c.value));
        EXPECT_EQ(backend->content(), c.after);
    }
}

TEST_P(SettingsFileRules, WrittenTextReadsBackUnchanged) {
    const std::string_view values[] = {
        "", "plain", " lead", "trail ", "\"both\"", "\"", "a=b;c", "[x]", "/home/ユーザー/曲 1.mp3",
    };
    const std::unique_ptr<Backend> backend = withFile(std::nullopt);
    for (const std::string_view value : values) {
        SCOPED_TRACE(value);
        ASSERT_TRUE(backend->file().writeText("ResumeInfo", "FilePath", value));
        EXPECT_EQ(backend->file().readText("ResumeInfo", "FilePath", "dflt", 1024), value);
    }
    ASSERT_TRUE(backend->file().writeText("Screen", "Top", "-32768"));
    EXPECT_EQ(backend->file().readInt("Screen", "Top", 0), -32768);
}

struct RefusedCase {
    const char* why;
    std::string_view section;
    std::string_view key;
    std::string_view value;
};

TEST_P(SettingsFileRules, RefusesWritesThatWouldInjectLines) {
    using namespace std::string_view_literals;
    const RefusedCase cases[] = {
        {"line break in value", "S", "k", "a\n[Norvalent WMP 3]\nAlwaysFront=1"},
        {"carriage return in value", "S", "k", "a\rb"},
        {"NUL in value", "S", "k", "a\0b"sv},
        {"equals in key", "S", "a=b", "v"},
        {"key read as comment", "S", ";k", "v"},
        {"key read as section", "S", "[k", "v"},
        {"blank around key", "S", " k", "v"},
        {"empty section", "", "k", "v"},
        {"bracket in section", "a]b", "k", "v"},
        {"line break in section", "S]\n[T", "k", "v"},
    };
    const std::string before = "[S]\nk=old\n";
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.why);
        const std::unique_ptr<Backend> backend = withFile(before);
        EXPECT_FALSE(backend->file().writeText(c.section, c.key, c.value));
        EXPECT_EQ(backend->content(), before);
    }
}

TEST_P(SettingsFileRules, SeveralValuesInOneUpdateAreStoredTogetherOrNotAtAll) {
    const std::string before = "; kept\r\n[Screen]\r\nHeight=1\r\n[Other]\r\nA=b\r\n";
    const std::unique_ptr<Backend> backend = withFile(before);
    SettingsValue values[] = {{"Screen", "Height", "300"},
                              {"ResumeInfo", "FilePath", "/m/a\nb.avi"},
                              {"ResumeInfo", "Position", "95"},
                              {"Screen", "Width", "400"}};
    EXPECT_FALSE(backend->file().writeTexts(values));
    EXPECT_EQ(backend->content(), before);
    values[1].value = "/m/ab.avi";
    EXPECT_TRUE(backend->file().writeTexts(values));
    EXPECT_EQ(backend->content(),
              "; kept\r\n[Screen]\r\nHeight=300\r\nWidth=400\r\n[Other]\r\nA=b\r\n"
              "[ResumeInfo]\r\nFilePath=/m/ab.avi\r\nPosition=95\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Implementations, SettingsFileRules,
    ::testing::Values(
        Implementation{"File", [] { return std::unique_ptr<Backend>(new FileBackend); }},
        Implementation{"Memory", [] { return std::unique_ptr<Backend>(new MemoryBackend); }}),
    [](const ::testing::TestParamInfo<Implementation>& param) { return param.param.name; });

}  // namespace
}  // namespace nwmp
