// The settings tool's single-copy lock: one holder per lock folder, released with its holder,
// and not fooled by what others leave in the folder.

#include "platform/linux/settings_tool/single_copy_lock.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "common/scoped_environment.hpp"

namespace nwmp::linux_platform {
namespace {

class SingleCopyLockTest : public ::testing::Test {
  protected:
    QTemporaryDir folder;
};

TEST_F(SingleCopyLockTest, FirstCopyRunsAndASecondSeesIt) {
    SingleCopyLock first(folder.path());
    EXPECT_FALSE(first.anotherCopyRunning());
    EXPECT_FALSE(first.anotherCopyRunning());  // asking again does not see itself

    SingleCopyLock second(folder.path());
    EXPECT_TRUE(second.anotherCopyRunning());
}

TEST_F(SingleCopyLockTest, LockEndsWithItsHolder) {
    auto first = std::make_unique<SingleCopyLock>(folder.path());
    ASSERT_FALSE(first->anotherCopyRunning());
    first.reset();

    SingleCopyLock next(folder.path());
    EXPECT_FALSE(next.anotherCopyRunning());
}

TEST_F(SingleCopyLockTest, ACrashedCopyLeavesNoLockBehind) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleCopyLock dying(folder.path());
        _exit(dying.anotherCopyRunning() ? 3 : 9);  // ends without any clean-up
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 9);
    EXPECT_TRUE(QFile::exists(SingleCopyLock(folder.path()).lockFilePath()));

    SingleCopyLock next(folder.path());
    EXPECT_FALSE(next.anotherCopyRunning());
}

TEST_F(SingleCopyLockTest, ALockHeldByAnotherProcessCounts) {
    int ready[2];
    int release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(ready[0]);
        close(release[1]);
        SingleCopyLock holder(folder.path());
        const char answer = holder.anotherCopyRunning() ? 'n' : 'y';
        (void)!write(ready[1], &answer, 1);
        char done;
        (void)!read(release[0], &done, 1);
        _exit(0);
    }
    close(ready[1]);
    close(release[0]);
    char answer = 0;
    ASSERT_EQ(read(ready[0], &answer, 1), 1);  // the pipe ends with the child, so never hangs
    EXPECT_EQ(answer, 'y');

    SingleCopyLock here(folder.path());
    EXPECT_TRUE(here.anotherCopyRunning());

    close(release[1]);
    close(ready[0]);
    waitpid(child, nullptr, 0);
}

// What lies where the lock file goes decides whether a second copy can be seen; the tool starts
// whatever it finds there, and never writes through a link planted in its place.
TEST_F(SingleCopyLockTest, WhatLiesInPlaceOfTheLockFile) {
    struct Case {
        const char* lockFolder;  // below the test's folder
        bool folderThere, linkInPlace, secondSeesFirst;
    } const cases[] = {
        {"nothing-there-yet", true, false, true},
        {"a-link-to-nowhere", true, true, false},
        {"missing/folder", false, false, false},
    };
    const QString target = QDir(folder.path()).filePath("target");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lockFolder);
        const QString lockFolder = QDir(folder.path()).filePath(QString::fromUtf8(c.lockFolder));
        if (c.folderThere) {
            ASSERT_TRUE(QDir().mkpath(lockFolder));
        }
        if (c.linkInPlace) {
            const QByteArray lockFile = SingleCopyLock(lockFolder).lockFilePath().toLocal8Bit();
            ASSERT_EQ(symlink(target.toLocal8Bit().constData(), lockFile.constData()), 0);
        }
        SingleCopyLock first(lockFolder);
        EXPECT_FALSE(first.anotherCopyRunning());  // the tool still starts
        SingleCopyLock second(lockFolder);
        EXPECT_EQ(second.anotherCopyRunning(), c.secondSeesFirst);
        EXPECT_FALSE(QFile::exists(target));
    }
}

TEST(SingleCopyLockPlaceTest, LockLivesInTheRuntimeFolderUnderTheToolsOwnName) {
    QTemporaryDir runtime;
    ASSERT_EQ(chmod(runtime.path().toLocal8Bit().constData(), 0700), 0);
    const nwmp::testing::ScopedEnvironment environment(
        {{"XDG_RUNTIME_DIR", runtime.path().toStdString()}});
    const QString path = SingleCopyLock().lockFilePath();
    EXPECT_EQ(path, QDir(runtime.path()).filePath("NorvalentWMP3set.lock"));
}

}  // namespace
}  // namespace nwmp::linux_platform
