// The directory of running players across real processes.

#include "platform/linux/player/player_directory.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <memory>

#include "platform/linux/player/local_socket.hpp"
#include "tests/common/scoped_environment.hpp"
#include "tests/platform/linux/support/wait_for.hpp"

namespace nwmp::linux_platform {
namespace {

using namespace std::chrono_literals;

using testing::waitFor;

class PlayerDirectoryTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(runtime_.isValid()); }

    void TearDown() override {
        for (auto& peer : peers_) {
            if (peer->state() != QProcess::NotRunning) {
                ::kill(static_cast<pid_t>(peer->processId()), SIGCONT);
                peer->kill();
                peer->waitForFinished(5000);
            }
        }
    }

    // Starts a peer and waits until it is listed.
    QProcess* startPeer(const QString& applicationTitle, const QString& caption,
                        const QString& marker, const QString& startTitle = {}) {
        auto peer = std::make_unique<QProcess>();
        QStringList arguments = {applicationTitle, caption, marker};
        if (!startTitle.isNull()) {
            arguments << startTitle;
        }
        peer->start(QStringLiteral(DIRECTORY_PEER), arguments);
        EXPECT_TRUE(peer->waitForStarted(5000));
        EXPECT_TRUE(waitFor([&] { return QFile::exists(marker + QStringLiteral(".ready")); }));
        peers_.push_back(std::move(peer));
        return peers_.back().get();
    }

    QString file(const QString& name) const { return work_.filePath(name); }

    QTemporaryDir runtime_;
    // The peers and the directory under test list players here, and only for this test.
    nwmp::testing::ScopedEnvironment runtimeFolder_{
        {{"XDG_RUNTIME_DIR", runtime_.path().toStdString()}}};
    QTemporaryDir work_;
    std::vector<std::unique_ptr<QProcess>> peers_;
};

TEST_F(PlayerDirectoryTest, FindsARunningPlayerByApplicationTitleOrCaption) {
    startPeer(QStringLiteral("Norvalent WMP 3 TE"), QStringLiteral("曲/歌手 [00:01/00:05]"),
              file(QStringLiteral("a")));
    startPeer(QStringLiteral("Norvalent WMP 3-2 TE"), QString(), file(QStringLiteral("b")));

    const auto byTitle = PlayerDirectory::findByTitle(QStringLiteral("Norvalent WMP 3 TE"), 2s);
    ASSERT_TRUE(byTitle.has_value());
    EXPECT_EQ(byTitle->caption, QStringLiteral("曲/歌手 [00:01/00:05]"));

    // An empty caption is a title like any other: only players are listed, so this can only
    // ever find a player.
    const auto byEmptyCaption = PlayerDirectory::findByTitle(QString(), 2s);
    ASSERT_TRUE(byEmptyCaption.has_value());
    EXPECT_EQ(byEmptyCaption->applicationTitle, QStringLiteral("Norvalent WMP 3-2 TE"));

    EXPECT_FALSE(PlayerDirectory::findByTitle(QStringLiteral("Norvalent"), 2s).has_value());
    EXPECT_EQ(PlayerDirectory::runningPlayers(2s).size(), 2u);
}

TEST_F(PlayerDirectoryTest, AReplacementShowingPlayInformationIsFoundByItsStartTitle) {
    startPeer(QStringLiteral("Norvalent WMP 3-2 TE"), QStringLiteral("a.avi [00:01/00:05]"),
              file(QStringLiteral("replacement")), QStringLiteral("Norvalent WMP 3 TE"));
    const auto found = PlayerDirectory::findByTitle(QStringLiteral("Norvalent WMP 3 TE"), 2s);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->applicationTitle, QStringLiteral("Norvalent WMP 3-2 TE"));
    EXPECT_FALSE(PlayerDirectory::findByTitle(QString(), 2s).has_value());
}

TEST_F(PlayerDirectoryTest, TheStartLockIsHeldByOneStartAtATime) {
    auto first = std::make_unique<PlayerDirectory::StartLock>(1s);
    ASSERT_TRUE(first->held());
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(PlayerDirectory::StartLock(200ms).held());
    EXPECT_GE(timer.elapsed(), 200);
    first.reset();
    EXPECT_TRUE(PlayerDirectory::StartLock(1s).held());
}

TEST_F(PlayerDirectoryTest, CloseWaitsUntilThePlayerHasShutDown) {
    const QString marker = file(QStringLiteral("closing"));
    QProcess* peer = startPeer(QStringLiteral("Norvalent WMP 3 TE"), QStringLiteral("x"), marker);
    const auto entry = PlayerDirectory::findByTitle(QStringLiteral("Norvalent WMP 3 TE"), 2s);
    ASSERT_TRUE(entry.has_value());

    EXPECT_TRUE(PlayerDirectory::closeSynchronously(*entry, 5s));
    // Its shut-down work was done before the answer came.
    EXPECT_TRUE(QFile::exists(marker));
    EXPECT_TRUE(peer->waitForFinished(5000));
    EXPECT_TRUE(PlayerDirectory::runningPlayers(2s).empty());
}

TEST_F(PlayerDirectoryTest, ASearchingCloseEndsTheMostRecentPlayerItReachesOnly) {
    const QString older = file(QStringLiteral("older")), newer = file(QStringLiteral("newer")),
                  other = file(QStringLiteral("other"));
    QProcess* olderPeer = startPeer(QStringLiteral("Norvalent WMP 3 TE"), QString(), older);
    QProcess* newerPeer =
        startPeer(QStringLiteral("Norvalent WMP 3-2 TE"), QStringLiteral("a.avi [00:01/00:05]"),
                  newer, QStringLiteral("Norvalent WMP 3 TE"));
    QProcess* otherPeer = startPeer(QStringLiteral("Norvalent WMP 3 TE KOVEX"), QString(), other);
    // The most recent of all hangs: it costs its time to answer, then the search goes on.
    QProcess* hung =
        startPeer(QStringLiteral("Norvalent WMP 3 TE"), QString(), file(QStringLiteral("hung")));
    ::kill(static_cast<pid_t>(hung->processId()), SIGSTOP);

    PlayerDirectory::PendingClose close(QStringLiteral("Norvalent WMP 3 TE"), 500ms, 5s);
    close.wait();
    EXPECT_TRUE(close.closed());
    EXPECT_TRUE(QFile::exists(newer));
    EXPECT_TRUE(newerPeer->waitForFinished(5000));
    EXPECT_FALSE(QFile::exists(older));
    EXPECT_FALSE(QFile::exists(other));
    EXPECT_EQ(olderPeer->state(), QProcess::Running);
    EXPECT_EQ(otherPeer->state(), QProcess::Running);

    PlayerDirectory::PendingClose none(QStringLiteral("Norvalent WMP 3 SE"), 500ms, 5s);
    none.wait();
    EXPECT_FALSE(none.closed());
    EXPECT_EQ(PlayerDirectory::runningPlayers(500ms).size(), 2u);  // the hung one says nothing
}

TEST_F(PlayerDirectoryTest, PlayersThatDiedAreDroppedFromTheList) {
    QProcess* peer =
        startPeer(QStringLiteral("Norvalent WMP 3 TE"), QString(), file(QStringLiteral("dead")));
    peer->kill();  // no chance to clean up its socket
    ASSERT_TRUE(peer->waitForFinished(5000));
    // Whatever else lies there is not a player's and stays.
    const QDir folder(PlayerDirectory::folder());
    QFile other(folder.filePath(QStringLiteral("player-1")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();

    EXPECT_TRUE(PlayerDirectory::runningPlayers(2s).empty());
    EXPECT_EQ(folder.entryList(QDir::System | QDir::Files),
              QStringList{QStringLiteral("player-1")});
}

TEST_F(PlayerDirectoryTest, AHungPlayerCannotHangTheCaller) {
    QProcess* peer =
        startPeer(QStringLiteral("Norvalent WMP 3 TE"), QString(), file(QStringLiteral("hung")));
    const auto entry = PlayerDirectory::findByTitle(QStringLiteral("Norvalent WMP 3 TE"), 2s);
    ASSERT_TRUE(entry.has_value());
    ::kill(static_cast<pid_t>(peer->processId()), SIGSTOP);

    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(PlayerDirectory::closeSynchronously(*entry, 1s));
    EXPECT_LT(timer.elapsed(), 4000);
    EXPECT_TRUE(PlayerDirectory::runningPlayers(500ms).empty());
}

// Askers that go before their answer comes, many times over: the player answers the next one
// all the same, neither ended by the broken pipe nor keeping a descriptor for each.
TEST_F(PlayerDirectoryTest, AskersThatLeaveEarlyCostThePlayerNothing) {
    QProcess* peer =
        startPeer(QStringLiteral("Norvalent WMP 3 TE"), QString(), file(QStringLiteral("asked")));
    const auto entry = PlayerDirectory::findByTitle(QStringLiteral("Norvalent WMP 3 TE"), 2s);
    ASSERT_TRUE(entry.has_value());
    const QDir descriptors(QStringLiteral("/proc/%1/fd").arg(peer->processId()));
    const auto openDescriptors = [&] { return descriptors.entryList(QDir::System).size(); };
    const qsizetype before = openDescriptors();
    for (int ask = 0; ask < 40; ++ask) {
        LocalConnection asker;
        ASSERT_EQ(asker.connectTo(entry->socketPath, 2s), LocalConnection::Reached::Yes);
        asker.write("INFO\n");
    }
    EXPECT_EQ(PlayerDirectory::runningPlayers(2s).size(), 1u);
    EXPECT_EQ(peer->state(), QProcess::Running);
    EXPECT_TRUE(waitFor([&] { return openDescriptors() <= before + 1; }))
        << openDescriptors() << " open, " << before << " before";
}

}  // namespace
}  // namespace nwmp::linux_platform
