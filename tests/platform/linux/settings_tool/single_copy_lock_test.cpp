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

TEST_F(SingleCopyLockTest, ALinkInPlaceOfTheLockFileIsNotFollowed) {
    const QString target = QDir(folder.path()).filePath("target");
    const QString lockFile = SingleCopyLock(folder.path()).lockFilePath();
    ASSERT_EQ(symlink(target.toLocal8Bit().constData(), lockFile.toLocal8Bit().constData()), 0);

    SingleCopyLock lock(folder.path());
    EXPECT_FALSE(lock.anotherCopyRunning());  // the tool still starts
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(SingleCopyLockTest, AMissingLockFolderDoesNotKeepTheToolFromStarting) {
    SingleCopyLock lock(QDir(folder.path()).filePath("gone/deeper"));
    EXPECT_FALSE(lock.anotherCopyRunning());
}

TEST(SingleCopyLockPlaceTest, LockLivesInTheRuntimeFolderUnderTheToolsOwnName) {
    QTemporaryDir runtime;
    ASSERT_EQ(chmod(runtime.path().toLocal8Bit().constData(), 0700), 0);
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    const QString path = SingleCopyLock().lockFilePath();
    if (saved.isEmpty()) {
        qunsetenv("XDG_RUNTIME_DIR");
    } else {
        qputenv("XDG_RUNTIME_DIR", saved);
    }
    EXPECT_EQ(path, QDir(runtime.path()).filePath("NorvalentWMP3set.lock"));
}

}  // namespace
}  // namespace nwmp::linux_platform
