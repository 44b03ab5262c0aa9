// The screen-saver hold against a screen saver on a private session bus.

#include "platform/linux/player/screen_saver_inhibitor.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QProcess>
#include <memory>

namespace nwmp::linux_platform {
namespace {

class ScreenSaverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected())
            << "no session bus: run the tests under dbus-run-session (./check does)";
    }

    void TearDown() override {
        if (service_) {
            service_->kill();
            service_->waitForFinished(5000);
        }
    }

    void startService() {
        service_ = std::make_unique<QProcess>();
        service_->start(QStringLiteral(FAKE_SCREEN_SAVER), {});
        ASSERT_TRUE(service_->waitForStarted(5000));
        ASSERT_EQ(nextLine(), "READY");
    }

    // The service's next report, or empty text when none comes within the bound.
    std::string nextLine(int timeoutMs = 5000) {
        while (!service_->canReadLine()) {
            if (!service_->waitForReadyRead(timeoutMs)) {
                return {};
            }
        }
        return service_->readLine().trimmed().toStdString();
    }

    std::unique_ptr<QProcess> service_;
};

TEST_F(ScreenSaverTest, HoldsOnceAndReleasesWithItsCookie) {
    startService();
    ScreenSaverInhibitor inhibitor(QStringLiteral("NorvalentWMP3TEPemra"));

    inhibitor.hold();
    EXPECT_TRUE(inhibitor.holding());
    const std::string inhibit = nextLine();
    EXPECT_EQ(inhibit.rfind("INHIBIT 41 NorvalentWMP3TEPemra ", 0), 0u) << inhibit;

    inhibitor.hold();  // a second hold asks for nothing more
    inhibitor.release();
    EXPECT_FALSE(inhibitor.holding());
    EXPECT_EQ(nextLine(), "UNINHIBIT 41");

    inhibitor.release();  // nothing held, nothing sent
    EXPECT_EQ(nextLine(500), "");
}

TEST_F(ScreenSaverTest, EndingWhileHoldingReleases) {
    startService();
    {
        ScreenSaverInhibitor inhibitor(QStringLiteral("player"));
        inhibitor.hold();
        ASSERT_EQ(nextLine().rfind("INHIBIT 41", 0), 0u);
    }
    EXPECT_EQ(nextLine(), "UNINHIBIT 41");
}

// A hold that found no screen saver holds nothing, so releasing it sends nothing, and the next
// hold asks the screen saver that has come since.
TEST_F(ScreenSaverTest, WithoutAScreenSaverNothingIsHeldAndALaterHoldAsksAgain) {
    ScreenSaverInhibitor inhibitor(QStringLiteral("player"));
    inhibitor.hold();
    EXPECT_FALSE(inhibitor.holding());

    startService();
    inhibitor.release();
    EXPECT_EQ(nextLine(500), "");
    inhibitor.hold();
    EXPECT_TRUE(inhibitor.holding());
    EXPECT_EQ(nextLine().rfind("INHIBIT 41 player ", 0), 0u);
}

}  // namespace
}  // namespace nwmp::linux_platform
