#pragma once

// The engine's volume and balance scales and mpv's. The engine measures volume as attenuation in
// hundredths of a decibel, 0 the loudest down to -10000 (silence); balance likewise, from -10000
// (right channel silent) to 10000 (left channel silent). mpv's volume is a percentage whose
// gain is its cube, and balance is a stereo position from -1 (left only) to 1 (right only).

#include <cstdint>

namespace nwmp::engine {

constexpr std::int32_t kQuietestVolume = -10000;
constexpr std::int32_t kLoudestVolume = 0;
constexpr std::int32_t kBalanceLimit = 10000;

// mpv's volume (0 to 100) for an engine volume; values outside the scale are taken as its ends.
double mpvVolumeFor(std::int32_t engineVolume);

// The stereo position (-1 to 1) for an engine balance; values outside the scale are clamped.
double stereoPositionFor(std::int32_t engineBalance);

}  // namespace nwmp::engine
