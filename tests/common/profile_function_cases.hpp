#pragma once

// Files and operations with the result the Windows profile functions give for each
// (GetPrivateProfileIntA, GetPrivateProfileStringA, WritePrivateProfileStringA; kernel32 under
// Wine, code page 932), and ours where we differ on purpose. Plain data, so that any program can
// run the same rows: our settings file on Linux and on Windows, and the Windows functions
// themselves.
//
// File bytes are exact. Section, key, argument and expected text are UTF-8; a runner of the ANSI
// functions converts them to and from its code page (only rows over UTF-16LE files hold text
// outside ASCII, so no row depends on the code page of a plain file).

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

namespace nwmp::testing {

using namespace std::string_view_literals;

// Stands for "no file at all", before or after.
inline constexpr std::string_view kNoFile = "\0<no file>\0"sv;

enum class ProfileOperation { ReadInt, ReadText, Write };

struct ProfileCall {
    ProfileOperation operation;
    std::string_view section;
    std::string_view key;
    std::string_view argument;  // Write: the value; ReadText: the default text
    std::int32_t defaultNumber = 0;
    std::size_t bufferLength = 0;
};

constexpr ProfileCall readInt(std::string_view section, std::string_view key,
                              std::int32_t defaultNumber) {
    return {ProfileOperation::ReadInt, section, key, {}, defaultNumber, 0};
}
constexpr ProfileCall readText(std::string_view section, std::string_view key,
                               std::string_view defaultText, std::size_t bufferLength = 256) {
    return {ProfileOperation::ReadText, section, key, defaultText, 0, bufferLength};
}
constexpr ProfileCall write(std::string_view section, std::string_view key,
                            std::string_view value) {
    return {ProfileOperation::Write, section, key, value, 0, 0};
}

// What the call gives: the number (ReadInt), the text (ReadText) or the file's bytes (Write).
struct ProfileOutcome {
    std::int32_t number = 0;
    std::string_view text;
};
constexpr ProfileOutcome number(std::int32_t value) {
    return {value, {}};
}
constexpr ProfileOutcome text(std::string_view value) {
    return {0, value};
}
constexpr ProfileOutcome fileAfter(std::string_view bytes) {
    return {0, bytes};
}

// Where our settings file gives another result than the Windows functions, on purpose.
enum class ProfileMend {
    None,
    // A value with a line break would add lines of its own: refused, the file stays.
    RefusedLineBreak,
    // A value with blanks around it or inside a pair of quotes is stored inside one more pair of
    // double quotes, so that it reads back as written.
    QuotedValue,
    // Digits beyond the 32-bit range stay at the range's end instead of wrapping around.
    Limit32,
    // A file that could not be written back as it was read (a UTF-16 file that is not whole
    // UTF-16) is not written; reads still work.
    UnusableFile,
    // Every other line stays byte for byte, with the file's own line ends. Wine rewrites the whole
    // file in its own layout (CRLF, blanks around names and values dropped, blank lines dropped).
    KeptLayout,
};

struct ProfileCase {
    std::string_view why;
    std::string_view before;  // the file's bytes, or kNoFile
    ProfileCall call;
    ProfileOutcome windows;
    ProfileMend mend = ProfileMend::None;
    ProfileOutcome ours = {};  // only where mend is not None
};

inline constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();
inline constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();

// UTF-16LE files: "\xFF\xFE" and two bytes for each character.
inline constexpr std::string_view kUtf16File =
    "\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0"
    "5\0\r\0\n\0\xF2\x66=\0\xC6\x30\xB9\x30\xC8\x30\r\0\n\0"sv;

// clang-format off
inline constexpr ProfileCase kProfileCases[] = {
    // Reads that agree.
    {"no file", kNoFile, readInt("S", "k", 7), number(7)},
    {"negative", "[Screen]\r\nLeft=-2400\r\n", readInt("Screen", "Left", 7), number(-2400)},
    {"names ignore case", "[screen]\r\nLEFT=12\r\n", readInt("SCREEN", "left", 7), number(12)},
    {"blanks and tabs around names and values", "[ S ]\r\n \tk \t=\t 35 \t\r\n",
     readText("S", "k", "d"), text("35")},
    {"digits then junk", "[S]\r\nk=42abc\r\n", readInt("S", "k", 7), number(42)},
    {"not a number", "[S]\r\nk=abc\r\n", readInt("S", "k", 7), number(0)},
    {"plus sign", "[S]\r\nk=+5\r\n", readInt("S", "k", 7), number(5)},
    {"hexadecimal", "[S]\r\nk=-0x1f\r\n", readInt("S", "k", 7), number(-31)},
    {"no upper-case X", "[S]\r\nk=0X10\r\n", readInt("S", "k", 7), number(0)},
    {"octal up to an 8", "[S]\r\nk=0o178\r\n", readInt("S", "k", 7), number(15)},
    {"binary", "[S]\r\nk=0b101\r\n", readInt("S", "k", 7), number(5)},
    {"empty value gives the default number", "[S]\r\nk=\r\n", readInt("S", "k", 7), number(7)},
    {"empty value is empty text", "[S]\r\nk=\r\n", readText("S", "k", "d"), text("")},
    {"double quotes", "[S]\r\nk=\"a b\"\r\n", readText("S", "k", "d"), text("a b")},
    {"lone double quote kept", "[S]\r\nk=\"x\r\n", readText("S", "k", "d"), text("\"x")},
    {"key before any section", "k=1\r\n[S]\r\nj=2\r\n", readInt("S", "k", 7), number(7)},
    {"first of two keys", "[S]\r\nk=1\r\nk=2\r\n", readInt("S", "k", 7), number(1)},
    {"commented out", "[S]\r\n;k=1\r\n", readInt("S", "k", 7), number(7)},
    {"no final line end", "[S]\r\nk=5", readInt("S", "k", 7), number(5)},
    {"LF lines", "[S]\nk=6\n", readInt("S", "k", 7), number(6)},
    {"cut to the buffer", "[S]\r\nk=abcdef\r\n", readText("S", "k", "d", 4), text("abc")},
    {"empty key name", "[KeepConnect]\r\n.avi=0\r\n=1\r\n", readInt("KeepConnect", "", 7),
     number(1)},
    {"UTF-8 byte order mark", "\xEF\xBB\xBF[S]\r\nk=37\r\n", readInt("S", "k", 7), number(37)},

    // Line ends: CR alone ends a line too.
    {"CR-only lines", "[S]\rA=1\rB=2\r", readInt("S", "B", 7), number(2)},
    {"CR-only text", "[S]\rA=x\rB=y", readText("S", "A", "d"), text("x")},
    {"mixed line ends", "[S]\nA=1\r\nB=2\rC=3\r\n", readInt("S", "C", 7), number(3)},
    {"lone CR ends the value", "[S]\r\nP=abc\rdef\r\n", readText("S", "P", "d"), text("abc")},
    {"after a lone CR, a bare name", "[S]\r\nP=abc\rdef\r\n", readText("S", "def", "d"),
     text("d")},

    // A section that appears twice: only the first counts.
    {"second copy of a section unread", "[S]\r\nA=1\r\n[T]\r\n[S]\r\nB=2\r\n",
     readInt("S", "B", 7), number(7)},

    // Single quotes.
    {"single quotes", "[S]\r\nP='abc'\r\n", readText("S", "P", "d"), text("abc")},
    {"single-quoted number", "[S]\r\nC='7'\r\n", readInt("S", "C", 9), number(7)},
    {"unmatched quotes kept", "[S]\r\nP='abc\"\r\n", readText("S", "P", "d"), text("'abc\"")},

    // A bare name is the key, without a value.
    {"bare name before a key: text", "[S]\r\nA\r\nA=3\r\n", readText("S", "A", "d"), text("d")},
    {"bare name before a key: number", "[S]\r\nA\r\nA=3\r\n", readInt("S", "A", 7), number(7)},

    // UTF-16LE files.
    {"UTF-16LE number", kUtf16File, readInt("S", "k", 7), number(5)},
    {"UTF-16LE Japanese", kUtf16File, readText("S", "曲", "d"), text("テスト")},

    // The 32-bit limits.
    {"beyond 32 bits", "[S]\r\nk=4294967297\r\n", readInt("S", "k", 7), number(1),
     ProfileMend::Limit32, number(kIntMax)},
    {"below 32 bits", "[S]\r\nk=-4294967297\r\n", readInt("S", "k", 7), number(-1),
     ProfileMend::Limit32, number(kIntMin)},

    // Writes into files in the layout Windows writes, which all agree.
    {"creates the file", kNoFile, write("S", "k", "v"), fileAfter("[S]\r\nk=v\r\n")},
    {"replaces in place", "[S]\r\nA=1\r\nB=2\r\n", write("S", "A", "9"),
     fileAfter("[S]\r\nA=9\r\nB=2\r\n")},
    {"adds at the end of its section", "[S]\r\nA=1\r\n[T]\r\nx=1\r\n", write("S", "B", "9"),
     fileAfter("[S]\r\nA=1\r\nB=9\r\n[T]\r\nx=1\r\n")},
    {"adds the section at the end", "[S]\r\nA=1\r\n", write("T", "k", "v"),
     fileAfter("[S]\r\nA=1\r\n[T]\r\nk=v\r\n")},
    {"no final line end", "[S]\r\nA=1", write("S", "B", "2"), fileAfter("[S]\r\nA=1\r\nB=2\r\n")},
    {"first copy of a section", "[S]\r\nA=1\r\n[T]\r\n[S]\r\nB=2\r\n", write("S", "B", "9"),
     fileAfter("[S]\r\nA=1\r\nB=9\r\n[T]\r\n[S]\r\nB=2\r\n")},
    {"bare name takes the value", "[S]\r\nA\r\nA=3\r\n", write("S", "A", "9"),
     fileAfter("[S]\r\nA=9\r\nA=3\r\n")},
    {"single-quoted value replaced", "[S]\r\nP='abc'\r\n", write("S", "P", "x"),
     fileAfter("[S]\r\nP=x\r\n")},
    {"empty key name", "[KeepConnect]\r\n.avi=1\r\n", write("KeepConnect", "", "0"),
     fileAfter("[KeepConnect]\r\n.avi=1\r\n=0\r\n")},
    {"UTF-8 byte order mark kept", "\xEF\xBB\xBF[S]\r\nk=1\r\n", write("S", "k", "2"),
     fileAfter("\xEF\xBB\xBF[S]\r\nk=2\r\n")},
    {"UTF-16LE replaced", kUtf16File, write("S", "k", "-6"),
     fileAfter("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0-\0" "6\0\r\0\n\0"
               "\xF2\x66=\0\xC6\x30\xB9\x30\xC8\x30\r\0\n\0"sv)},
    {"UTF-16LE added", "\xFF\xFE[\0S\0]\0\r\0\n\0"sv, write("S", "曲", "テ"),
     fileAfter("\xFF\xFE[\0S\0]\0\r\0\n\0\xF2\x66=\0\xC6\x30\r\0\n\0"sv)},

    {"UTF-16BE replaced", "\xFE\xFF\0[\0S\0]\0\r\0\n\0k\0=\0" "5\0\r\0\n"sv, write("S", "k", "6"),
     fileAfter("\xFE\xFF\0[\0S\0]\0\r\0\n\0k\0=\0" "6\0\r\0\n"sv)},

    // Writes where we keep the file's own layout.
    {"LF file", "[S]\nA=1\n", write("S", "C", "9"), fileAfter("[S]\r\nA=1\r\nC=9\r\n"),
     ProfileMend::KeptLayout, fileAfter("[S]\nA=1\nC=9\n")},
    {"CR-only file, replaced", "[S]\rA=1\rB=2\r", write("S", "B", "9"),
     fileAfter("[S]\r\nA=1\r\nB=9\r\n"), ProfileMend::KeptLayout, fileAfter("[S]\rA=1\rB=9\r")},
    {"CR-only file, added", "[S]\rA=1\rB=2\r", write("S", "C", "9"),
     fileAfter("[S]\r\nA=1\r\nB=2\r\nC=9\r\n"), ProfileMend::KeptLayout,
     fileAfter("[S]\rA=1\rB=2\rC=9\r")},
    {"lone CR in a line", "[S]\r\nP=abc\rdef\r\n", write("S", "P", "9"),
     fileAfter("[S]\r\nP=9\r\ndef\r\n"), ProfileMend::KeptLayout,
     fileAfter("[S]\r\nP=9\rdef\r\n")},
    {"blanks, comments and blank lines", "; c\r\n[S]\r\n  A = 1 \r\n\r\nB=2\r\n",
     write("S", "A", "9"), fileAfter("; c\r\n[S]\r\nA=9\r\nB=2\r\n"), ProfileMend::KeptLayout,
     fileAfter("; c\r\n[S]\r\n  A = 9 \r\n\r\nB=2\r\n")},

    // Values that would not read back as written.
    {"blanks around a value", "[S]\r\n", write("S", "k", " a "), fileAfter("[S]\r\nk=a \r\n"),
     ProfileMend::QuotedValue, fileAfter("[S]\r\nk=\" a \"\r\n")},
    {"single-quoted value", "[S]\r\n", write("S", "k", "'a'"), fileAfter("[S]\r\nk='a'\r\n"),
     ProfileMend::QuotedValue, fileAfter("[S]\r\nk=\"'a'\"\r\n")},
    {"line break in a value", "[S]\r\nk=1\r\n", write("S", "k", "a\r\n[T]\r\nx=1"),
     fileAfter("[S]\r\nk=a\r\n[T]\r\nx=1\r\n"), ProfileMend::RefusedLineBreak,
     fileAfter("[S]\r\nk=1\r\n")},

    // A UTF-16 file with half a character: readable, never written.
    {"UTF-16LE with a lone surrogate, read", "\xFF\xFE[\0S\0]\0\n\0k\0=\0" "1\0\n\0\x00\xD8"sv,
     readInt("S", "k", 7), number(1)},
    {"UTF-16LE with a lone surrogate, write", "\xFF\xFE[\0S\0]\0\n\0k\0=\0" "1\0\n\0\x00\xD8"sv,
     write("S", "k", "2"),
     fileAfter("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0" "2\0\r\0\n\0\x00\xD8\r\0\n\0"sv), ProfileMend::UnusableFile,
     fileAfter("\xFF\xFE[\0S\0]\0\n\0k\0=\0" "1\0\n\0\x00\xD8"sv)},
};
// clang-format on

}  // namespace nwmp::testing
