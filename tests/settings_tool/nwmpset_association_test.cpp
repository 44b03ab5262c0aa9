// "関連設定", "関連解除" and "...": what the service is asked, the bookkeeping, the messages.

#include <gtest/gtest.h>

#include "settings_tool/custom_extension.hpp"
#include "tool_harness.hpp"

namespace nwmp::testing {
namespace {

using namespace std::string_literals;

constexpr std::size_t kMp3 = 4;
constexpr std::size_t kWav = 6;

std::vector<std::string> registeredExtensions(const FakeFileAssociation& association) {
    std::vector<std::string> result;
    for (const AssociationRequest& request : association.registered) {
        result.push_back(request.extension);
    }
    return result;
}

TEST(SetAssociation, RegistersTickedSlotsAndKeepsTheBookOfAllTwelve) {
    ToolHarness tool;
    tool.form.Form_Load();
    tool.view.text1Value = "/opt/my player/NorvalentWMP3TE";
    tool.view.kanren[kMp3] = true;
    tool.form.Command3_Click();

    ASSERT_EQ(tool.association.registered.size(), 1u);
    const AssociationRequest& request = tool.association.registered[0];
    EXPECT_EQ(request.extension, "mp3");
    EXPECT_EQ(request.openCommand, "/opt/my player/NorvalentWMP3TE %1");
    EXPECT_EQ(request.iconPath, "/opt/nwmp/icon/mp3.ico");

    ASSERT_EQ(tool.file.writes.size(), kSlotCount);
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        EXPECT_EQ(tool.file.writes[i],
                  (MemorySettingsFile::Write{std::string(kKeepConnectSection),
                                             std::string(kAssociationSlots[i].bookkeepingKey),
                                             i == kMp3 ? "1" : "0"}));
    }
    EXPECT_EQ(tool.messages.texts(), std::vector<std::string>{"関連付け設定しました"});
}

TEST(SetAssociation, FailedSlotsAreNamedAndKeepTheirEarlierMark) {
    ToolHarness tool("[KeepConnect]\n.wav=1\n");
    tool.form.Form_Load();
    tool.view.kanren[kMp3] = true;
    tool.view.kanren[kCustomSlot] = true;
    tool.view.text2Value = "ogg";
    tool.association.failing = {"wav", "ogg"};
    tool.form.Command3_Click();

    EXPECT_EQ(registeredExtensions(tool.association),
              (std::vector<std::string>{"mp3", "wav", "ogg"}));
    EXPECT_EQ(tool.keptValue(".mp3"), "1");
    EXPECT_EQ(tool.keptValue(".wav"), "1");  // the earlier registration still stands
    EXPECT_EQ(tool.keptValue(""), "(absent)");
    ASSERT_EQ(tool.messages.shown.size(), 1u);
    EXPECT_EQ(tool.messages.shown[0].text, "次の拡張子は関連付けできませんでした：wav、ogg");
    EXPECT_EQ(tool.messages.shown[0].icon, MessageIcon::Warning);
}

TEST(RemoveAssociation, OnlyTickedSlotsAndAFailedOneKeepsItsMark) {
    ToolHarness tool("[KeepConnect]\n.mp3=1\n.wav=1\n.avi=1\n");
    tool.form.Form_Load();
    tool.view.kanren[0] = false;  // avi: left alone
    tool.association.failing = {"wav"};
    tool.form.Command4_Click();

    EXPECT_EQ(tool.association.removed, (std::vector<std::string>{"mp3", "wav"}));
    EXPECT_TRUE(tool.association.registered.empty());
    EXPECT_EQ(
        tool.file.writes,
        (std::vector<MemorySettingsFile::Write>{{std::string(kKeepConnectSection), ".mp3", "0"}}));
    EXPECT_EQ(tool.keptValue(".wav"), "1");
    EXPECT_EQ(tool.keptValue(".avi"), "1");
    EXPECT_EQ(tool.messages.texts(),
              std::vector<std::string>{"次の拡張子は関連付けを解除できませんでした：wav"});
}

TEST(RemoveAssociation, NothingTickedStillSaysDone) {
    ToolHarness tool;
    tool.form.Form_Load();
    tool.form.Command4_Click();
    EXPECT_EQ(tool.association.calls(), 0u);
    EXPECT_TRUE(tool.file.writes.empty());
    EXPECT_EQ(tool.messages.texts(), std::vector<std::string>{"関連付け解除しました"});
}

TEST(Association, UserExtensionLosesOneLeadingDot) {
    for (const char* typed : {".ogg", "ogg"}) {
        ToolHarness tool;
        tool.form.Form_Load();
        tool.view.kanren[kCustomSlot] = true;
        tool.view.text2Value = typed;
        tool.form.Command3_Click();
        ASSERT_EQ(tool.association.registered.size(), 1u) << typed;
        EXPECT_EQ(tool.association.registered[0].extension, "ogg");
        EXPECT_EQ(tool.association.registered[0].iconPath, "/opt/nwmp/icon/ogg.ico");
        EXPECT_EQ(tool.keptValue(""), "1");
        tool.form.Command4_Click();
        EXPECT_EQ(tool.association.removed, std::vector<std::string>{"ogg"});
        EXPECT_EQ(tool.keptValue(""), "0");
    }
}

struct RefusedCase {
    const char* typed;
    ExtensionProblem problem;
    // Control characters are shown by code, so test listings stay one line each.
    friend void PrintTo(const RefusedCase& c, std::ostream* os) {
        for (const char* p = c.typed; *p != '\0'; ++p) {
            if (static_cast<unsigned char>(*p) < 0x20) {
                *os << "^" << static_cast<int>(*p);
            } else {
                *os << *p;
            }
        }
    }
};

class RefusedExtension : public ::testing::TestWithParam<RefusedCase> {};

// The message for each refusal; a program's extension is named without its one leading dot.
std::string expectedRefusal(const RefusedCase& c) {
    if (c.problem == ExtensionProblem::Empty) {
        return "関連付けする拡張子を入力してください。";
    }
    if (c.problem == ExtensionProblem::RunsProgram) {
        return "拡張子「" + std::string(c.typed + (c.typed[0] == '.' ? 1 : 0)) +
               "」はプログラムやスクリプトの種類なので関連付けできません。";
    }
    return "入力された拡張子には使えない文字が含まれています。拡張子には半角の英字、数字と"
           " - _ + ~ だけが使えます（空白、区切り文字、途中のドットは使えません）。";
}

TEST_P(RefusedExtension, StopsBothButtonsBeforeAnythingHappens) {
    EXPECT_EQ(checkCustomExtension(GetParam().typed).problem, GetParam().problem);
    ToolHarness tool("[KeepConnect]\n.mp3=1\n=1\n");
    tool.form.Form_Load();
    tool.view.text2Value = GetParam().typed;
    tool.form.Command3_Click();
    tool.form.Command4_Click();

    EXPECT_EQ(tool.association.calls(), 0u);
    EXPECT_TRUE(tool.file.writes.empty());
    const std::string refusal = expectedRefusal(GetParam());
    EXPECT_EQ(tool.messages.texts(), (std::vector<std::string>{refusal, refusal}));
    EXPECT_EQ(tool.messages.shown[0].icon, MessageIcon::Warning);
}

INSTANTIATE_TEST_SUITE_P(Typed, RefusedExtension,
                         ::testing::Values(RefusedCase{"", ExtensionProblem::Empty},
                                           RefusedCase{".", ExtensionProblem::Empty},
                                           RefusedCase{"..ogg", ExtensionProblem::BadCharacter},
                                           RefusedCase{"o gg", ExtensionProblem::BadCharacter},
                                           RefusedCase{"ogg ", ExtensionProblem::BadCharacter},
                                           RefusedCase{"ｏｇｇ", ExtensionProblem::BadCharacter},
                                           RefusedCase{"ogg\u3000", ExtensionProblem::BadCharacter},
                                           RefusedCase{"../ogg", ExtensionProblem::BadCharacter},
                                           RefusedCase{"a\\b", ExtensionProblem::BadCharacter},
                                           RefusedCase{"og\tg", ExtensionProblem::BadCharacter},
                                           RefusedCase{"og\ng", ExtensionProblem::BadCharacter},
                                           RefusedCase{"ogg;x", ExtensionProblem::BadCharacter},
                                           RefusedCase{"EXE", ExtensionProblem::RunsProgram},
                                           RefusedCase{".Bat", ExtensionProblem::RunsProgram},
                                           RefusedCase{"lnk", ExtensionProblem::RunsProgram},
                                           RefusedCase{"Ps1", ExtensionProblem::RunsProgram},
                                           RefusedCase{"sh", ExtensionProblem::RunsProgram},
                                           RefusedCase{"desktop", ExtensionProblem::RunsProgram},
                                           RefusedCase{"JAR", ExtensionProblem::RunsProgram}));

TEST(RefusedExtension, DoesNotMatterWhenBoxElevenIsNotTicked) {
    ToolHarness tool;
    tool.form.Form_Load();
    tool.view.kanren[kMp3] = true;
    tool.view.text2Value = "exe";
    tool.form.Command3_Click();
    EXPECT_EQ(registeredExtensions(tool.association), std::vector<std::string>{"mp3"});
    EXPECT_EQ(tool.keptValue(""), "0");
}

TEST(Association, EmptyProgramPathStopsBothButtons) {
    ToolHarness tool;
    tool.form.Form_Load();
    tool.view.kanren[kMp3] = true;
    tool.dialog.answer = "";
    tool.form.Command5_Click();  // cancelled: Text1 is left empty
    EXPECT_EQ(tool.view.text1Value, "");
    tool.form.Command3_Click();
    tool.form.Command4_Click();
    EXPECT_EQ(tool.association.calls(), 0u);
    EXPECT_TRUE(tool.file.writes.empty());
    const std::string choose = "関連付けするプログラムを選んでください";
    EXPECT_EQ(tool.messages.texts(), (std::vector<std::string>{choose, choose}));
}

TEST(ChooseProgram, AsksForProgramFilesOwnedByTheWindow) {
    ToolHarness tool;
    tool.folder.suffix = "";  // also where programs carry no suffix
    tool.form.Form_Load();
    tool.dialog.answer = "C:\\プレーヤー\\NorvalentWMP3TEPemra.exe";
    tool.form.Command5_Click();

    EXPECT_EQ(tool.view.text1Value, tool.dialog.answer);
    EXPECT_EQ(tool.dialog.owners, std::vector<WindowId>{tool.view.id});
    ASSERT_EQ(tool.dialog.filters.size(), 1u);
    EXPECT_EQ(tool.dialog.filters[0], "プログラムファイル(*.exe)\0*.exe\0\0"s);
    // Emptied before the dialog opens.
    EXPECT_EQ(tool.journal.at(tool.journal.size() - 2), "Text1=");
}

}  // namespace
}  // namespace nwmp::testing
