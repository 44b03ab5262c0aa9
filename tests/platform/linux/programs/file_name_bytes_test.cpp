// File names are bytes: a name in UTF-8, in code page 932 or in no encoding at all reaches the
// engine from the command line, is stored as it came and resumed from the settings file, and is
// shown readably. A name the settings file cannot hold (a line break) leaves no half record.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTemporaryDir>
#include <filesystem>

#include "player_install.hpp"

namespace nwmp::linux_platform::testing {
namespace {

struct Name {
    const char* label;
    std::string bytes;
    QString shown;
    bool storable;
};

const Name kNames[] = {
    {"Utf8", "曲 テスト.avi", QStringLiteral("曲 テスト.avi"), true},
    {"CodePage932", "\203e\203X\203g.avi", QStringLiteral("テスト.avi"), true},
    {"InvalidBytes", "\377\376x.avi", QStringLiteral("\uFFFD\uFFFDx.avi"), true},
    {"LineBreak", "a\nb.avi", QStringLiteral("a\nb.avi"), false},
};

class FileNameBytes : public ::testing::TestWithParam<Name> {};

TEST_P(FileNameBytes, PlaysIsStoredAsGivenAndResumes) {
    const Name& name = GetParam();
    QTemporaryDir media;
    const std::string path = media.path().toStdString() + "/" + name.bytes;
    std::filesystem::copy_file(NWMP_TEST_MEDIA "/picture320.avi", path);
    const QRegularExpression playing(QStringLiteral("^") + QRegularExpression::escape(name.shown) +
                                     QStringLiteral(" \\[00:0[1-9]/00:12\\]$"));
    auto folders = std::make_shared<UserFolders>();
    PlayerInstall first(QStringLiteral(PEMRA_PROGRAM), "[Norvalent WMP 3]\nResumePlay=1\n",
                        folders);
    first.startWithBytes({path});
    ASSERT_TRUE(first.waitForTitle(playing)) << first.lastTitle().toStdString();
    first.press(QStringLiteral("Escape"));
    ASSERT_TRUE(first.waitForEnd(10s));
    if (!name.storable) {
        EXPECT_EQ(first.stored("ResumeInfo", "FilePath"), std::nullopt);
        EXPECT_EQ(first.stored("ResumeInfo", "Position"), std::nullopt);
        return;
    }
    EXPECT_EQ(first.stored("ResumeInfo", "FilePath"), path);

    PlayerInstall second(QStringLiteral(PEMRA_PROGRAM), first.settingsBytes(), folders);
    second.start();
    EXPECT_TRUE(second.waitForTitle(playing)) << second.lastTitle().toStdString();
    second.press(QStringLiteral("Escape"));
    EXPECT_TRUE(second.waitForEnd(10s));
}

INSTANTIATE_TEST_SUITE_P(Names, FileNameBytes, ::testing::ValuesIn(kNames),
                         [](const auto& row) { return std::string(row.param.label); });

}  // namespace
}  // namespace nwmp::linux_platform::testing
