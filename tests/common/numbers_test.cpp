#include "common/numbers.hpp"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>

namespace nwmp {
namespace {

struct RoundCase {
    double value;
    double expected;
};

class RoundHalfEvenTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfEvenTest, RoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, RoundHalfEvenTest,
                         ::testing::Values(RoundCase{82.5, 82}, RoundCase{83.5, 84},
                                           RoundCase{12.5, 12}, RoundCase{13.5, 14},
                                           RoundCase{0.5, 0}, RoundCase{1.5, 2}, RoundCase{-0.5, 0},
                                           RoundCase{-2.5, -2}, RoundCase{-3.5, -4},
                                           RoundCase{82.4999, 82}, RoundCase{82.5001, 83},
                                           RoundCase{6135.0 / 15, 409}, RoundCase{-2400, -2400}));

TEST(RoundHalfEven, IgnoresTheCallersRoundingMode) {
    const int saved = std::fegetround();
    std::fesetround(FE_UPWARD);
    const double rounded = roundHalfEven(82.5);
    const int after = std::fegetround();
    std::fesetround(saved);
    EXPECT_EQ(rounded, 82);
    EXPECT_EQ(after, FE_UPWARD);
}

struct RangeCase {
    const char* name;
    double value;
    bool fits16;
    bool fits32;
    std::int64_t rounded;  // the whole number where it fits
};

class CheckedConversionTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(CheckedConversionTest, ReportsOverflow) {
    const RangeCase& c = GetParam();
    if (c.fits16) {
        EXPECT_EQ(toInt16(c.value), c.rounded);
    } else {
        EXPECT_THROW(toInt16(c.value), OverflowError);
    }
    if (c.fits32) {
        EXPECT_EQ(toInt32(c.value), c.rounded);
    } else {
        EXPECT_THROW(toInt32(c.value), OverflowError);
    }
}

// The 16-bit edges are where stored positions and window placements used to be lost: a play
// position of 32767.5 s or a window 2185 pixels to the right no longer fits.
INSTANTIATE_TEST_SUITE_P(
    Table, CheckedConversionTest,
    ::testing::Values(RangeCase{"Zero", 0, true, true, 0},
                      RangeCase{"Max16", 32767, true, true, 32767},
                      RangeCase{"HalfBelowMax16RoundsDown", 32766.5, true, true, 32766},
                      RangeCase{"HalfAboveMax16RoundsToEvenOverflow", 32767.5, false, true, 32768},
                      RangeCase{"Min16", -32768, true, true, -32768},
                      RangeCase{"HalfBelowMin16RoundsToEven", -32768.5, true, true, -32768},
                      RangeCase{"BelowMin16", -32769, false, true, -32769},
                      RangeCase{"SecondScreenLeft", 32775, false, true, 32775},
                      RangeCase{"Max32", 2147483647.0, false, true, 2147483647},
                      RangeCase{"AboveMax32", 2147483647.5, false, false, 0},
                      RangeCase{"Min32", -2147483648.0, false, true, -2147483648LL},
                      RangeCase{"BelowMin32", -2147483649.0, false, false, 0},
                      RangeCase{"Infinity", std::numeric_limits<double>::infinity(), false, false,
                                0},
                      RangeCase{"NaN", std::numeric_limits<double>::quiet_NaN(), false, false, 0}),
    [](const ::testing::TestParamInfo<RangeCase>& row) { return row.param.name; });

}  // namespace
}  // namespace nwmp
