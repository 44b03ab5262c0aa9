// The file chooser shows names decoded and answers with what it showed; the player must open the
// file itself, whatever bytes its name is made of.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "platform/linux/shared/file_name_bytes.hpp"

namespace nwmp::linux_platform::testing {
namespace {

TEST(ChosenPath, IsTheBytesOfTheFileThatWasShown) {
    QTemporaryDir root;
    const std::string folder = QFile::encodeName(root.path()).toStdString() + "/\203t\203H";
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    for (const std::string name : {"曲.mp3", "\203e\203X\203g.mp3", "\377x.mp3"}) {
        SCOPED_TRACE(name);
        const std::string path = folder + "/" + name;
        std::ofstream(path).put('x');
        EXPECT_EQ(pathBytesOf(QFile::decodeName(path.c_str())), path);
    }
}

}  // namespace
}  // namespace nwmp::linux_platform::testing
