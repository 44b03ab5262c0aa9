#include "platform/linux/engine/asx_playlist.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/file_text.hpp"
#include "common/temp_folder.hpp"

namespace nwmp::engine {
namespace {

constexpr char kUtf16Document[] =
    "\xFF\xFE<\0a\0s\0x\0>\0<\0e\0n\0t\0r\0y\0>\0<\0r\0e\0f\0 \0h\0r\0e\0f\0=\0i\0.\0a\0v\0i\0>\0";

struct AsxCase {
    const char* name;
    std::string document;
    std::vector<AsxEntry> entries;
    std::string title = {};
};

const std::vector<AsxCase>& asxCases() {
    static const std::vector<AsxCase> cases = {
        {"WellFormed",
         R"(<asx version="3.0"><title>List</title><entry><title>One</title>)"
         R"(<author>Me</author><ref href="a.wmv"/></entry></asx>)",
         {{"/m/a.wmv", "One", "Me"}},
         "List"},
        {"UpperCaseUnquotedUnclosed",
         "<ASX VERSION=3.0>\n<ENTRY><REF HREF=a.wmv>\n<ENTRY><Ref href=b.wma/>\n</ASX>",
         {{"/m/a.wmv", "", ""}, {"/m/b.wma", "", ""}}},
        {"TitleLeftOpen",
         "<Asx><Title>List\n<Entry><Title>Song &amp; dance<Ref href='c.mp3'></Entry></Asx>",
         {{"/m/c.mp3", "Song & dance", ""}},
         "List"},
        {"FirstUsableRefWins",
         "<asx><entry><ref><ref href=\"x.avi\"><ref href=\"y.avi\"></entry></asx>",
         {{"/m/x.avi", "", ""}}},
        {"AbsolutePathsAndUrlsKept",
         "<asx><entry><ref href=\"/srv/a.avi\"></entry>"
         "<entry><ref href=\"http://host/b.asf\"></entry>"
         "<entry><ref href=\"mms://host/c\"></entry></asx>",
         {{"/srv/a.avi", "", ""}, {"http://host/b.asf", "", ""}, {"mms://host/c", "", ""}}},
        {"BackslashesAndParentFolders",
         "<asx><entry><ref href=\"..\\music\\d.mp3\"></entry></asx>",
         {{"/music/d.mp3", "", ""}}},
        {"UnsafeSchemesSkipped",
         "<asx><entry><ref href=\"fd://0\"><ref href=\"e.wav\"></entry>"
         "<entry><ref href=\"av://lavfi:sine\"></entry></asx>",
         {{"/m/e.wav", "", ""}}},
        {"CommentsAndDeclarationsIgnored",
         "<?xml version=\"1.0\"?><!-- <entry><ref href=\"no.avi\"></entry> -->"
         "<asx><entry><ref href=\"f.avi\"></entry></asx>",
         {{"/m/f.avi", "", ""}}},
        {"EntriesWithoutRefOrOutsideAsxDropped",
         "<entry><ref href=\"out.avi\"></entry><asx><entry><title>Empty</title></entry>"
         "<entry><ref href=\"\"></entry></asx>",
         {}},
        {"NumericEntitiesInUtf8",
         "<asx><entry><title>&#x30C6;&#12473;&#xZZ;</title>"
         "<ref href=\"g.avi\"></entry></asx>",
         {{"/m/g.avi", "テス&#xZZ;", ""}}},
        {"Utf8ByteOrderMark",
         "\xEF\xBB\xBF<asx><entry><ref href=\"h.avi\"></entry></asx>",
         {{"/m/h.avi", "", ""}}},
        {"Utf16LittleEndian",
         std::string(kUtf16Document, sizeof kUtf16Document - 1),
         {{"/m/i.avi", "", ""}}},
        // "テスト" in code page 932, and a folder "表" whose second byte is a backslash.
        {"UndeclaredShiftJis",
         "<asx><entry><title>\x83\x65\x83\x58\x83\x67</title>"
         "<ref href=\"\x95\x5C\\\x83\x65.avi\"></entry></asx>",
         {{"/m/表/テ.avi", "テスト", ""}}},
        {"DeclaredShiftJisIsWindows932",
         "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><asx><entry>"
         "<ref href=\"a\\\x83\x65.avi\"></entry></asx>",
         {{"/m/a/テ.avi", "", ""}}},
        {"DeclaredLatin1",
         "<?xml version='1.0' encoding='ISO-8859-1'?><asx><entry><title>Caf\xE9</title>"
         "<ref href=\"k.avi\"></entry></asx>",
         {{"/m/k.avi", "Café", ""}}},
        {"ValidUtf8KeptAsItIs",
         "<asx><entry><title>テスト</title><ref href=\"表.avi\"></entry></asx>",
         {{"/m/表.avi", "テスト", ""}}},
        {"NotAMetafile", "RIFF....AVI LIST", {}},
        {"TruncatedInsideATag", "<asx><entry><ref href=\"j.avi", {{"/m/j.avi", "", ""}}},
    };
    return cases;
}

class AsxParseTest : public ::testing::TestWithParam<AsxCase> {};

TEST_P(AsxParseTest, ReadsTheEntries) {
    const AsxCase& c = GetParam();
    const AsxPlaylist list = parseAsx(c.document, "/m");
    EXPECT_EQ(list.entries, c.entries);
    EXPECT_EQ(list.title, c.title);
}

INSTANTIATE_TEST_SUITE_P(Documents, AsxParseTest, ::testing::ValuesIn(asxCases()),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(AsxParse, ResolvesAgainstTheUrlOfAFetchedMetafile) {
    const AsxPlaylist list = parseAsx(
        "<asx><entry><ref href=\"a b.wma\"></entry><entry><ref href=\"/root.asf\"></entry>"
        "<entry><ref href=\"sub\\c.wma\"></entry><entry><ref href=\"//cdn/d.wma\"></entry>"
        "<entry><ref href=\"mms://e/f\"></entry></asx>",
        "http://host:8080/radio/");
    std::vector<std::string> refs;
    for (const AsxEntry& entry : list.entries) {
        refs.push_back(entry.href);
    }
    EXPECT_EQ(refs, (std::vector<std::string>{
                        "http://host:8080/radio/a b.wma", "http://host:8080/root.asf",
                        "http://host:8080/radio/sub/c.wma", "http://cdn/d.wma", "mms://e/f"}));
}

TEST(AsxFileName, KnowsTheThreeMetafileExtensionsInAnyCase) {
    EXPECT_TRUE(isAsxFileName("/a/list.asx"));
    EXPECT_TRUE(isAsxFileName("/a/LIST.WVX"));
    EXPECT_TRUE(isAsxFileName("x.Wax"));
    EXPECT_FALSE(isAsxFileName("/a/list.asf"));
    EXPECT_FALSE(isAsxFileName("asx"));
}

TEST(AsxFile, ResolvesAgainstItsOwnFolderAndRefusesWhatIsNoMetafile) {
    const nwmp::testing::TempFolder temp;
    const std::filesystem::path& folder = temp.path();
    nwmp::testing::writeAll(folder / "l.asx", "<ASX><ENTRY><REF HREF=sub/k.avi></ENTRY></ASX>");
    nwmp::testing::writeAll(folder / "big.asx", std::string(2 * 1024 * 1024, 'x'));
    const auto list = loadAsxFile((folder / "l.asx").string());
    ASSERT_TRUE(list.has_value());
    ASSERT_EQ(list->entries.size(), 1u);
    EXPECT_EQ(list->entries[0].href, (folder / "sub/k.avi").string());
    EXPECT_FALSE(loadAsxFile((folder / "big.asx").string()).has_value());
    EXPECT_FALSE(loadAsxFile((folder / "missing.asx").string()).has_value());
}

}  // namespace
}  // namespace nwmp::engine
