// The "..." chooser as Linux shows it: only programs and folders, under a name a user can read.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileDialog>
#include <QSet>
#include <QTest>
#include <fstream>

#include "common/temp_folder.hpp"
#include "platform/linux/shared/qt_open_file_dialog.hpp"
#include "settings_tool/association_slots.hpp"
#include "wait_for.hpp"

namespace nwmp::linux_platform {
namespace {

namespace fs = std::filesystem;

void makeFile(const fs::path& path, mode_t mode) {
    std::ofstream(path) << "#!/bin/sh\n";
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
}

// The names the dialog's list lets the user pick or open.
QSet<QString> offeredNames(QFileDialog& dialog) {
    QSet<QString> names;
    const auto* list = dialog.findChild<QAbstractItemView*>(QStringLiteral("listView"));
    if (list == nullptr) {
        return names;
    }
    const QModelIndex root = list->rootIndex();
    for (int row = 0; row < list->model()->rowCount(root); ++row) {
        const QModelIndex index = list->model()->index(row, 0, root);
        if ((index.flags() & Qt::ItemIsEnabled) != 0) {
            names.insert(index.data().toString());
        }
    }
    return names;
}

TEST(ProgramChooser, OffersOnlyProgramsAndFoldersUnderAReadableName) {
    nwmp::testing::TempFolder folder;
    makeFile(folder.path() / "NorvalentWMP3TE", 0755);
    makeFile(folder.path() / "notes.txt", 0644);
    makeFile(folder.path() / "song.mp3", 0644);
    fs::create_directory(folder.path() / "players");

    QFileDialog dialog;
    setUpOpenDialog(dialog, programFilterText());
    dialog.setDirectory(QString::fromStdString(folder.path().string()));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    const QSet<QString> expected{QStringLiteral("NorvalentWMP3TE"), QStringLiteral("players")};
    EXPECT_TRUE(testing::waitFor([&] { return offeredNames(dialog) == expected; }))
        << QStringList(offeredNames(dialog).values()).join(QLatin1Char(' ')).toStdString();
    const auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    EXPECT_EQ(types->currentText(), QStringLiteral("プログラムファイル"));
    dialog.reject();
}

TEST(ProgramChooser, OtherFiltersKeepTheirPatterns) {
    const std::string filter = buildFilterText({{"ムービーファイル (*.mpg)", "*.mpg;*.mpeg"}});
    EXPECT_EQ(nameFiltersFor(filter),
              QStringList{QStringLiteral("ムービーファイル (*.mpg) (*.mpg *.mpeg)")});
}

}  // namespace
}  // namespace nwmp::linux_platform
