#include "platform/linux/engine/engine_volume.hpp"

#include <algorithm>
#include <cmath>

namespace nwmp::engine {

double mpvVolumeFor(std::int32_t engineVolume) {
    const std::int32_t volume = std::clamp(engineVolume, kQuietestVolume, kLoudestVolume);
    if (volume == kQuietestVolume) {
        return 0.0;
    }
    const double gain = std::pow(10.0, volume / 100.0 / 20.0);
    return 100.0 * std::cbrt(gain);
}

double stereoPositionFor(std::int32_t engineBalance) {
    const std::int32_t balance = std::clamp(engineBalance, -kBalanceLimit, kBalanceLimit);
    if (std::abs(balance) == kBalanceLimit) {
        return balance > 0 ? 1.0 : -1.0;
    }
    const double quieterGain = std::pow(10.0, -std::abs(balance) / 100.0 / 20.0);
    return (balance > 0 ? 1.0 : -1.0) * (1.0 - quieterGain);
}

}  // namespace nwmp::engine
