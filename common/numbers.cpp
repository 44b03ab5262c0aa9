#include "common/numbers.hpp"

#include <cfenv>
#include <cmath>
#include <limits>
#include <string>

namespace nwmp {

double roundHalfEven(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    // nearbyint follows the current rounding mode; pin it so no caller's mode leaks in.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(saved);
    return rounded;
}

namespace {

template <typename Int>
Int checkedRound(double value, const char* typeName) {
    const double rounded = roundHalfEven(value);
    if (std::isnan(rounded) || rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        throw OverflowError(std::string("value does not fit ") + typeName);
    }
    return static_cast<Int>(rounded);
}

}  // namespace

std::int16_t toInt16(double value) {
    return checkedRound<std::int16_t>(value, "16 bits");
}

std::int32_t toInt32(double value) {
    return checkedRound<std::int32_t>(value, "32 bits");
}

}  // namespace nwmp
