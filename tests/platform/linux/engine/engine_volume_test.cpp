#include "platform/linux/engine/engine_volume.hpp"

#include <gtest/gtest.h>

namespace nwmp::engine {
namespace {

TEST(EngineVolume, ZeroIsTheLoudestAndMinusTenThousandIsSilence) {
    EXPECT_DOUBLE_EQ(mpvVolumeFor(0), 100.0);
    EXPECT_DOUBLE_EQ(mpvVolumeFor(-10000), 0.0);
    EXPECT_DOUBLE_EQ(mpvVolumeFor(500), 100.0);
    EXPECT_DOUBLE_EQ(mpvVolumeFor(-20000), 0.0);
    // -6 dB halves the amplitude; mpv's gain is the cube of its percentage.
    const double halfAmplitude = mpvVolumeFor(-602) / 100.0;
    EXPECT_NEAR(halfAmplitude * halfAmplitude * halfAmplitude, 0.5, 0.001);
    double previous = 101.0;
    for (std::int32_t v = 0; v >= -10000; v -= 250) {
        EXPECT_LT(mpvVolumeFor(v), previous) << v;
        previous = mpvVolumeFor(v);
    }
}

TEST(EngineVolume, BalanceMovesTowardsTheLouderSide) {
    EXPECT_DOUBLE_EQ(stereoPositionFor(0), 0.0);
    EXPECT_DOUBLE_EQ(stereoPositionFor(10000), 1.0);
    EXPECT_DOUBLE_EQ(stereoPositionFor(-10000), -1.0);
    EXPECT_DOUBLE_EQ(stereoPositionFor(-30000), -1.0);
    EXPECT_NEAR(stereoPositionFor(602), 0.5, 0.001);
    EXPECT_NEAR(stereoPositionFor(-602), -0.5, 0.001);
}

}  // namespace
}  // namespace nwmp::engine
