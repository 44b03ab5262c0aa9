#pragma once

// Number rules shared by the player and the settings tool.
//
// Measured values (window sizes in twips, play positions in seconds) become whole numbers by
// rounding halves to the even neighbour, as the stored settings have always been written. A
// value that does not fit the target type is an overflow, reported by an exception so that a
// handler's guard can end that handler quietly.

#include <cstdint>
#include <stdexcept>

namespace nwmp {

class OverflowError : public std::range_error {
  public:
    using std::range_error::range_error;
};

// Nearest whole number; a value exactly halfway goes to the even neighbour (12.5 -> 12,
// 13.5 -> 14, -2.5 -> -2). Infinities and NaN come back unchanged.
double roundHalfEven(double value);

// roundHalfEven, then a range check. Throws OverflowError for values outside the type's range
// and for NaN.
std::int16_t toInt16(double value);
std::int32_t toInt32(double value);

}  // namespace nwmp
